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

#include <algorithm>
#include <vector>

namespace {

// A strike drains the coil this far below zero: it recharges before it can strike again.
constexpr double kDrainedCharge = -40.0;
// Past the length of any formation: a chain is a handful of leaps.
constexpr int kMostLeaps = 50;

void spark(double x1, double y1, double x2, double y2) {
    spawnEffect(new SparkEffect(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2),
                                static_cast<int>(y2)));
}

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
    chainReach = strings.getReal("Tower3.ChainReach", 0.0, kFieldWidth);
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
        spark(centreX(), centreY() - kTipRise, target->centreX(), target->centreY());
        leapFrom(target);
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

// The halves of a splitter burst by this chain join the wave only when it next moves, so the
// chain leaps past them; the coil's next strike finds them at the splitter's place.
void TeslaCoil::leapFrom(Invader* target) {
    const Game* game = GameApp::instance()->game;
    if (!game || !game->wave || chainCount <= 0)
        return;
    std::vector<const Invader*> struck{target};
    Invader* from = target;
    for (int leap = 0; leap < chainCount && leap < kMostLeaps; ++leap) {
        double fromX = 0.0, fromY = 0.0;
        from->centre(fromX, fromY);
        double best = chainReach * chainReach;
        Invader* next = nullptr;
        for (Invader* invader : game->wave->invaders) {
            if (invader->health <= 0 ||
                std::find(struck.begin(), struck.end(), invader) != struck.end())
                continue;
            double x = 0.0, y = 0.0;
            invader->centre(x, y);
            const double d2 = (x - fromX) * (x - fromX) + (y - fromY) * (y - fromY);
            if (best >= d2) {
                best = d2;
                next = invader;
            }
        }
        if (!next)
            return;
        strikeInvader(kTeslaCoil, next, damage);
        spark(fromX, fromY, next->centreX(), next->centreY());
        struck.push_back(next);
        from = next;
    }
}
