#include "towers/LaserTurret.h"

#include "app/GameApp.h"
#include "gfx/SpriteAnim.h"

namespace {

constexpr int kType = 0;
constexpr int kFasterBolts = 0;

} // namespace

// The launcher's numbers are read now, bought or not, so buying it later only switches it on.
// Both timers start half a period in, so a new turret answers quickly.
LaserTurret::LaserTurret() : Building(kType) {
    StringTable& strings = GameApp::instance()->strings;
    sheet = def().sprite;
    firePeriod = static_cast<float>(strings.getReal("Tower1.FreqBase"));
    fireTimer = firePeriod * 0.5f;
    missilePeriod = static_cast<float>(strings.getReal("Tower1.Upgrade2.Level1.MissileFreq"));
    missileTimer = missilePeriod * 0.5f;
    damage = strings.getInt("Tower1.DamageBase");
    missileDamage = strings.getInt("Tower1.Upgrade2.Level1.MissileDamage");
}

void LaserTurret::update(double dt) {
    if (!anim)
        return;
    anim->advance(static_cast<float>(dt));
}

// Every level of the faster bolts reads the same level-1 modifier, so the data sets one step
// and the player buys it as often as the upgrade has levels. The launcher (k = 1) only counts:
// its counter switches it on.
void LaserTurret::upgrade(int k) {
    if (!countUpgrade(k))
        return;
    if (k == kFasterBolts) {
        StringTable& strings = GameApp::instance()->strings;
        firePeriod += static_cast<float>(
            strings.getReal(StringTable::key("Tower1.Upgrade1.Level%d.FreqMod", 1)));
    }
}
