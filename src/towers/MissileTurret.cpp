#include "towers/MissileTurret.h"

#include "app/GameApp.h"
#include "gfx/SpriteAnim.h"

namespace {

constexpr int kType = 1;
constexpr int kFasterLaunches = 0;
constexpr int kWiderBlast = 1;

} // namespace

MissileTurret::MissileTurret() : Building(kType) {
    StringTable& strings = GameApp::instance()->strings;
    sheet = def().sprite;
    firePeriod = static_cast<float>(strings.getReal("Tower2.FreqBase"));
    fireTimer = firePeriod * 0.5f;
    damage = strings.getInt("Tower2.DamageBase");
    splashDamage = strings.getInt("Tower2.DamageSplashBase");
    splashRadius = strings.getReal("Tower2.SplashRadius");
}

void MissileTurret::update(double dt) {
    if (!anim)
        return;
    anim->advance(static_cast<float>(dt));
}

// Each upgrade reads one fixed key whichever level is bought: the faster launches always the
// level-1 modifier, the wider blast always the level-2 one. The second missile (k = 2) only
// counts: its counter switches it on.
void MissileTurret::upgrade(int k) {
    if (!countUpgrade(k))
        return;
    StringTable& strings = GameApp::instance()->strings;
    if (k == kFasterLaunches) {
        firePeriod += static_cast<float>(
            strings.getReal(StringTable::key("Tower2.Upgrade1.Level%d.FreqMod", 1)));
    } else if (k == kWiderBlast) {
        splashRadius += static_cast<float>(
            strings.getReal(StringTable::key("Tower2.Upgrade2.Level%d.SplashMod", 2)));
    }
}
