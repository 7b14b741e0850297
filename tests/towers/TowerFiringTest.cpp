#include "projectiles/ShotWorld.h"

#include "app/GameApp.h"
#include "effects/SimpleEffect.h"
#include "effects/SparkEffect.h"
#include "game/GameStats.h"
#include "invaders/InvaderKinds.h"
#include "gfx/SpriteAnim.h"
#include "projectiles/LaserProjectile.h"
#include "projectiles/MissileProjectile.h"
#include "towers/LaserTurret.h"
#include "towers/MissileTurret.h"
#include "towers/TeslaCoil.h"
#include "towers/TowerKinds.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Towers stand with their left edge at x = 100: the muzzle is at 110, the centre at (110, 185).
using TowerFiringTest = ShotWorld;

TEST_F(TowerFiringTest, TheLaserFiresHalfAPeriodAfterPlacingThenOnEveryWholePeriod) {
    setStrings({{"Tower1.FreqBase", "1.0"}, {"Tower1.DamageBase", "2"}});
    LaserTurret* laser = static_cast<LaserTurret*>(place(0));
    laser->tick(0.5);
    EXPECT_TRUE(game->projectiles.empty());
    laser->tick(0.01);
    ASSERT_EQ(game->projectiles.size(), 1u);
    auto* bolt = dynamic_cast<LaserProjectile*>(game->projectiles[0]);
    ASSERT_NE(bolt, nullptr);
    EXPECT_EQ(bolt->x, 110);
    EXPECT_EQ(bolt->y, kBaseline - 12);
    EXPECT_EQ(bolt->damage, 2);
    EXPECT_EQ(laser->anim->row, 2);
    EXPECT_EQ(sounds->count(zoop), 1);

    // 0.5 + 2.5 = 3: two bolts, and the timer keeps the 1.0 that is not past the period.
    LaserTurret* late = static_cast<LaserTurret*>(place(0));
    late->tick(2.5);
    EXPECT_EQ(game->projectiles.size(), 3u);
    EXPECT_FLOAT_EQ(late->fireTimer, 1.0f);
}

TEST_F(TowerFiringTest, TheMissilePodFiresOnlyOnceBoughtAndOnlyAtALiveInvader) {
    setStrings({{"Tower1.FreqBase", "100"}, {"Tower1.Upgrade2.Level1.MissileFreq", "2"}});
    LaserTurret* laser = static_cast<LaserTurret*>(place(0));
    laser->tick(1.5);
    EXPECT_TRUE(game->projectiles.empty());
    laser->upgrade(1);
    laser->tick(0.5); // the pod's timer starts at half a period now
    EXPECT_TRUE(game->projectiles.empty());
    EXPECT_TRUE(effectsOn(puffs).empty()); // nothing to aim at: no missile, puffs or sound
    EXPECT_EQ(sounds->count(missileLaunch), 0);

    wave->add(50, 50);
    laser->tick(2.0);
    ASSERT_EQ(missiles().size(), 1u);
    MissileProjectile* missile = missiles()[0];
    EXPECT_EQ(missile->x, 111);
    EXPECT_EQ(missile->y, kBaseline - 4);
    EXPECT_GE(missile->heading, 0.2 * kPi);
    EXPECT_LE(missile->heading, 0.8 * kPi);
    EXPECT_EQ(effectsOn(puffs).size(), 3u);
    EXPECT_EQ(sounds->count(missileLaunch), 1);
}

TEST_F(TowerFiringTest, WithoutThePodALaserTurretNeverLaunchesAMissileEvenAtALiveInvader) {
    setStrings({{"Tower1.Upgrade2.Level1.MissileFreq", "0.1"}});
    LaserTurret* laser = static_cast<LaserTurret*>(place(0));
    wave->add(50, 50);
    for (int frame = 0; frame < 500; ++frame)
        laser->tick(0.01);
    EXPECT_TRUE(missiles().empty());
    EXPECT_EQ(sounds->count(missileLaunch), 0);
}

// The side is judged from the tower's left edge: an invader right on it is on the left.
TEST_F(TowerFiringTest, TheLauncherFacesTheSideOfItsTargetAndTheTwinFollowsItsHeading) {
    setStrings({{"Tower2.FreqBase", "1"}});
    StubInvader* invader = wave->add(100, 50);
    MissileTurret* turret = static_cast<MissileTurret*>(place(1));
    turret->fireVolley();
    ASSERT_EQ(missiles().size(), 1u);
    EXPECT_FALSE(turret->facingRight);
    EXPECT_DOUBLE_EQ(missiles()[0]->heading, 0.8 * kPi);
    EXPECT_EQ(turret->anim->row, 3);
    for (SimpleEffect* puff : effectsOn(puffs))
        EXPECT_LT(puff->x + 3, 110); // sheet is 6 wide: the puff centres are left of the muzzle

    invader->x = 101; // still left of the tower's centre
    turret->upgrade(2);
    dropEffects();
    turret->fireVolley();
    std::vector<MissileProjectile*> launched = missiles();
    ASSERT_EQ(launched.size(), 3u);
    EXPECT_TRUE(turret->facingRight);
    EXPECT_EQ(turret->anim->row, 4);
    EXPECT_EQ(launched[1]->x, 111);
    EXPECT_EQ(launched[2]->x, 114);
    EXPECT_EQ(launched[2]->y, kBaseline - 9);
    EXPECT_DOUBLE_EQ(launched[1]->heading, 0.2 * kPi);
    EXPECT_DOUBLE_EQ(launched[2]->heading, 0.2 * kPi);
    EXPECT_EQ(launched[2]->target, invader);
    EXPECT_EQ(sounds->count(missileLaunch), 2); // one per launch, not per missile
    for (SimpleEffect* puff : effectsOn(puffs))
        EXPECT_GT(puff->x + 3, 110);
}

// Reach is measured from the tip, 8 pixels above the centre: (110, 177).
TEST_F(TowerFiringTest, TheCoilStrikesTheNearestInvaderInReachThenMustRecharge) {
    setStrings({{"Tower3.FreqBase", "1"},
                {"Tower3.DamageBase", "2"},
                {"Tower3.RangeGrowth", "0"},
                {"Tower3.RangeMax", "100"}});
    TeslaCoil* coil = static_cast<TeslaCoil*>(place(2));
    StubInvader* level = wave->add(140, 185); // level with the centre: sqrt(30^2 + 8^2) away
    StubInvader* early = wave->add(110, 147); // 30 above the tip
    StubInvader* late = wave->add(80, 177);   // 30 left of it: a tie, and later in the list
    coil->tick(5.0);
    EXPECT_FLOAT_EQ(coil->fireTimer, 0.5f); // frozen: no charge
    EXPECT_EQ(coil->findNearestInvader(), nullptr);

    coil->chargeRange = 30.0;
    EXPECT_EQ(coil->findNearestInvader(), late);
    late->health = 0;
    EXPECT_EQ(coil->findNearestInvader(), early);
    early->health = 0;
    EXPECT_EQ(coil->findNearestInvader(), nullptr); // the one level with the centre is too far
    early->health = 5;
    coil->tick(0.6);
    EXPECT_EQ(early->health, 3);
    EXPECT_DOUBLE_EQ(coil->chargeRange, -40.0);
    ASSERT_EQ(effectsOfKind<SparkEffect>().size(), 1u);

    // Drained, the timer waits; a step spanning two periods strikes twice, the second time
    // with the drained charge, whose square still reaches 40 pixels.
    coil->tick(3.0);
    EXPECT_FLOAT_EQ(coil->fireTimer, 0.1f);
    coil->rangeGrowth = 50;
    coil->tick(1.95);
    EXPECT_EQ(early->health, -1);
    EXPECT_EQ(level->hits, 0);
    EXPECT_EQ(effectsOfKind<SparkEffect>().size(), 3u);
}

// The spark leaps from its target to the nearest not yet struck within reach of the one before,
// as often as the coil has leaps; each kind takes its share of the strike, and the kills are
// counted by the tower kind and the invader kind.
TEST_F(TowerFiringTest, AChainedStrikeLeapsOnAndEachKindTakesItsShare) {
    setStrings({{"Tower3.FreqBase", "1"},
                {"Tower3.DamageBase", "4"},
                {"Tower3.RangeGrowth", "0"},
                {"Tower3.ChainReach", "20"}});
    GameApp* app = GameApp::instance();
    app->glanceSheet = poofs;
    app->invaderDefs[kMiteKind].hitShare[kTeslaCoil] = 2.0;
    app->invaderDefs[kPlatedKind].hitShare[kTeslaCoil] = 0.3;
    TeslaCoil* coil = static_cast<TeslaCoil*>(place(2));
    coil->chainCount = 3;
    coil->chargeRange = 30.0;
    StubInvader* target = wave->add(110, 160);
    StubInvader* mite = wave->add(122, 160, 8); // 12 from the target
    mite->kind = kMiteKind;
    StubInvader* plated = wave->add(110, 145); // 15 from the target, 19 from the mite
    plated->kind = kPlatedKind;
    StubInvader* far = wave->add(110, 124); // 21 from the plated one: the chain ends short
    coil->tick(0.6);
    EXPECT_EQ(target->health, 1);
    EXPECT_EQ(mite->health, 0) << "the mite takes twice the strike";
    EXPECT_EQ(plated->health, 4) << "the plated one a third of it, the rest kept for later";
    EXPECT_NEAR(plated->spareDamage, 0.2, 1e-9);
    EXPECT_EQ(far->hits, 0) << "out of reach of the last struck";
    EXPECT_EQ(target->hits, 1) << "never struck twice by one spark";
    EXPECT_EQ(effectsOfKind<SparkEffect>().size(), 3u);
    EXPECT_EQ(effectsOn(poofs).size(), 1u) << "the plated one's glance shows";
    EXPECT_EQ(game->stats.killsOf[kTeslaCoil][kMiteKind], 1);

    // Five more shares of 0.3 and the 0.2 kept: one more whole point.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(strikeInvader(kTeslaCoil, plated, 1), 1) << "a hit is spent even when it glances";
    EXPECT_EQ(plated->health, 3);
}

} // namespace
