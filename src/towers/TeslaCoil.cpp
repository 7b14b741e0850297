#include "towers/TeslaCoil.h"

#include "app/GameApp.h"
#include "gfx/SpriteAnim.h"

namespace {

constexpr int kType = 2;
constexpr int kStrongerDischarge = 0;

} // namespace

TeslaCoil::TeslaCoil() : Building(kType) {
    StringTable& strings = GameApp::instance()->strings;
    sheet = def().sprite;
    firePeriod = static_cast<float>(strings.getReal("Tower3.FreqBase"));
    fireTimer = firePeriod * 0.5f;
    chargeRange = 0.0;
    rangeGrowth = strings.getReal("Tower3.RangeGrowth");
    rangeMax = strings.getReal("Tower3.RangeMax");
    damage = strings.getInt("Tower3.DamageBase");
}

void TeslaCoil::update(double dt) {
    if (!anim)
        return;
    anim->advance(static_cast<float>(dt));
    // No clamp: the last step of charging may overshoot the maximum a little.
    if (chargeRange < rangeMax)
        chargeRange += dt * rangeGrowth;
}

// Every level reads the same level-1 modifier.
void TeslaCoil::upgrade(int k) {
    if (!countUpgrade(k))
        return;
    if (k == kStrongerDischarge) {
        damage += GameApp::instance()->strings.getInt(
            StringTable::key("Tower3.Upgrade1.Level%d.DamageMod", 1));
    }
}
