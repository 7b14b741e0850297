#include "towers/TeslaCoil.h"

#include "app/GameApp.h"
#include "effects/SparkEffect.h"
#include "game/Game.h"
#include "game/GameStats.h"
#include "game/Spawn.h"
#include "gfx/SpriteAnim.h"
#include "invaders/Invader.h"
#include "invaders/Wave.h"
#include "towers/TowerKinds.h"

namespace {

// A strike drains the coil this far below zero: it recharges before it can strike again.
constexpr double kDrainedCharge = -40.0;

} // namespace

TeslaCoil::TeslaCoil() : Building(kTeslaCoil) {
    StringTable& strings = GameApp::instance()->strings;
    sheet = def().sprite;
    firePeriod = static_cast<float>(strings.getReal("Tower3.FreqBase"));
    fireTimer = firePeriod * 0.5f;
    chargeRange = 0.0;
    rangeGrowth = strings.getReal("Tower3.RangeGrowth");
    rangeMax = fullReachFromData();
    damage = strings.getInt("Tower3.DamageBase");
}

double TeslaCoil::fullReachFromData() {
    return GameApp::instance()->strings.getReal("Tower3.RangeMax");
}

void TeslaCoil::update(double dt) {
    if (!anim)
        return;
    anim->advance(static_cast<float>(dt));
    // No clamp: the last step of charging may overshoot the maximum a little.
    if (chargeRange < rangeMax)
        chargeRange += dt * rangeGrowth;
    // The timer is frozen while the coil is drained. A second strike due in the same update
    // searches with the drained charge, which still reaches 40 pixels: the search compares
    // squares.
    if (!(chargeRange > 0.0))
        return;
    fireTimer = static_cast<float>(fireTimer + dt);
    for (int shots = takeDueShots(fireTimer, firePeriod); shots > 0; --shots) {
        Invader* target = findNearestInvader();
        if (!target)
            continue;
        strikeInvader(kTeslaCoil, target, damage);
        spawnEffect(new SparkEffect(
            static_cast<int>(centreX()), static_cast<int>(centreY()) - kTipRise,
            static_cast<int>(target->centreX()), static_cast<int>(target->centreY())));
        chargeRange = kDrainedCharge;
    }
}

// An invader exactly at the reach counts; of several equally near, the last in the list wins.
Invader* TeslaCoil::findNearestInvader() const {
    const Game* game = GameApp::instance()->game;
    if (!game || !game->wave)
        return nullptr;
    const double tipX = centreX();
    const double tipY = centreY() - kTipRise;
    double best = chargeRange * chargeRange;
    Invader* nearest = nullptr;
    for (Invader* invader : game->wave->invaders) {
        if (invader->health <= 0)
            continue;
        const double dx = invader->centreX() - tipX;
        const double dy = invader->centreY() - tipY;
        const double d2 = dx * dx + dy * dy;
        if (best >= d2) {
            best = d2;
            nearest = invader;
        }
    }
    return nearest;
}
