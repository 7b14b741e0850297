#include "ShotWorld.h"

#include "app/GameApp.h"
#include "effects/SimpleEffect.h"
#include "game/Game.h"
#include "gfx/SpriteAnim.h"
#include "projectiles/MissileProjectile.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

using MissileProjectileTest = ShotWorld;

TEST_F(MissileProjectileTest, AFreshMissileFliesStraightAtFullSpeedWithoutATrail) {
    tuneMissiles(100, 3.5, 0.25, 5);
    wave->add(300, 100);
    MissileProjectile* missile = missileAt(100, 100);
    ASSERT_TRUE(missile->acquireTarget());
    missile->update(0.1);
    missile->update(0.1);
    EXPECT_DOUBLE_EQ(missile->heading, 0.75 * kPi);
    EXPECT_NEAR(missile->x, 100 - 20 * std::sqrt(0.5), 1e-9);
    EXPECT_NEAR(missile->y, 100 - 20 * std::sqrt(0.5), 1e-9);
    EXPECT_TRUE(effectsOn(puffs).empty());

    // From then on it turns towards the target and smokes.
    missile->update(0.05);
    EXPECT_LT(missile->heading, 0.75 * kPi);
    EXPECT_EQ(effectsOn(puffs).size(), 1u);

    // In a game played for its result alone the smoke, only a picture, is never made.
    GameApp::instance()->resultOnly = true;
    missile->update(0.1);
    GameApp::instance()->resultOnly = false;
    EXPECT_EQ(effectsOn(puffs).size(), 1u);
}

// With a cap of 1 rad/s the turn rate is the error itself below the cap, the cap above it, and
// not limited at all clockwise; the error slows the missile by 0.2 per radian either way.
TEST_F(MissileProjectileTest, TurnsAtItsErrorCappedOnlyCounterClockwiseAndSlowsWhileTurning) {
    tuneMissiles(100, 1.0, 0.2, 5);
    StubInvader* target = wave->add(0, 0);
    const struct {
        double error, turn, factor;
    } cases[] = {{0.5, 0.05, 0.9}, {2.0, 0.1, 0.6}, {-2.0, -0.2, 0.6}};
    for (const auto& c : cases) {
        MissileProjectile* missile = missileAt(100, 100);
        ASSERT_TRUE(missile->acquireTarget());
        missile->age = 1.0;
        missile->heading = 1.0;
        target->x = 100 + 50 * std::cos(1.0 + c.error);
        target->y = 100 - 50 * std::sin(1.0 + c.error);
        missile->update(0.1);
        EXPECT_NEAR(missile->heading, 1.0 + c.turn, 1e-9) << c.error;
        const double moved = std::hypot(missile->x - 100, missile->y - 100);
        EXPECT_NEAR(moved, 100 * 0.1 * c.factor, 1e-9) << c.error;
    }
}

// The game's second step of no time, after the wave's update: nothing moves, turns or smokes,
// but a heading out of its range is still folded back as any step folds it.
TEST_F(MissileProjectileTest, AStepOfNoTimeChangesNothingButAnUnfoldedHeading) {
    tuneMissiles(100, 1.0, 0.2, 5);
    wave->add(300, 20);
    MissileProjectile* missile = missileAt(100, 100);
    ASSERT_TRUE(missile->acquireTarget());
    missile->update(0.3);
    const double x = missile->x, y = missile->y, heading = missile->heading;
    const std::size_t puffCount = effectsOn(puffs).size();
    missile->update(0.0);
    EXPECT_EQ(missile->x, x);
    EXPECT_EQ(missile->y, y);
    EXPECT_EQ(missile->heading, heading);
    EXPECT_EQ(effectsOn(puffs).size(), puffCount);
    missile->heading = 7.0;
    missile->update(0.0);
    EXPECT_NEAR(missile->heading, 7.0 - 2 * kPi, 1e-12);
}

TEST_F(MissileProjectileTest, TurnsTheShortWayAcrossZeroAndShowsTheNearestOfSixteenRows) {
    tuneMissiles(0, 10, 0.25, 5);
    StubInvader* target = wave->add(100 + 50 * std::cos(0.1), 100 - 50 * std::sin(0.1));
    MissileProjectile* missile = missileAt(100, 100);
    ASSERT_TRUE(missile->acquireTarget());
    missile->age = 1.0;
    missile->heading = 6.2;
    missile->update(1.0); // error 0.1 - 6.2 + 2 pi, turned in full, then wrapped
    EXPECT_NEAR(missile->heading, 0.1, 1e-9);
    EXPECT_EQ(missile->anim->row, 0);

    // Without steering (still in its first fifth of a second) the row follows the heading.
    target->health = 0;
    wave->add(0, 0);
    const double step = 2 * kPi / 16;
    const struct {
        double heading;
        int row;
    } rows[] = {{0.0, 0}, {step / 2 - 1e-6, 0}, {step / 2 + 1e-6, 1}, {kPi / 2, 4},
                {kPi, 8}, {1.5 * kPi, 12},      {2 * kPi - 1e-6, 0}};
    for (const auto& r : rows) {
        MissileProjectile* still = missileAt(10, 10);
        still->heading = r.heading;
        still->update(0.01);
        EXPECT_EQ(still->anim->row, r.row) << r.heading;
    }
}

TEST_F(MissileProjectileTest, ABlastHurtsEveryLiveInvaderInReachOnceAndScattersExplosions) {
    tuneMissiles(0, 3.5, 0.25, 5);
    StubInvader* hitOne = wave->add(100, 100);
    StubInvader* near = wave->add(100, 123.9);  // 20 + 4 reaches it
    StubInvader* edge = wave->add(124, 100);    // exactly at the reach: spared
    StubInvader* dead = wave->add(110, 100, 0); // skipped
    MissileProjectile* missile = missileAt(100, 100, 3, 2, 20.0);
    missile->hit(hitOne);
    EXPECT_FALSE(missile->alive);
    EXPECT_EQ(hitOne->health, 0); // 3 direct, then 2 of splash
    EXPECT_EQ(hitOne->hits, 2);
    EXPECT_EQ(near->hits, 1);
    EXPECT_EQ(edge->hits, 0);
    EXPECT_EQ(dead->hits, 0);
    EXPECT_EQ(sounds->count(boom), 1);

    // One explosion on the spot and S = 2 + 20 / 4 = 7 more over 0.3 s, within the band.
    std::vector<SimpleEffect*> blasts = effectsOn(this->blasts);
    ASSERT_EQ(blasts.size(), 8u);
    EXPECT_DOUBLE_EQ(blasts[0]->delay, 0.0);
    EXPECT_NEAR(blasts[1]->delay, 0.3 / 7, 1e-12);
    EXPECT_NEAR(blasts[7]->delay, 0.3, 1e-12);
    for (SimpleEffect* b : blasts) {
        EXPECT_GE(b->x + 8, 90);
        EXPECT_LT(b->x + 8, 110);
        EXPECT_GE(b->y + 8, 80);
        EXPECT_LT(b->y + 8, 120);
    }

    // A radius under one pixel has nowhere to scatter: 1 + 0.125 rounds up to two on the spot.
    dropEffects();
    MissileProjectile tiny(50, 60, 0, 1, 0.5);
    tiny.explode();
    blasts = effectsOn(this->blasts);
    ASSERT_EQ(blasts.size(), 3u);
    EXPECT_EQ(blasts[2]->x + 8, 49); // 50 - 0.5 / 2, truncated
    EXPECT_EQ(blasts[2]->y + 8, 59); // 60 - 0.5
}

// What counts is whether the hit landed, not the health it leaves: a killing hit explodes, a hit
// on an invader that was dead before it lets the missile fly on.
TEST_F(MissileProjectileTest, AHitThatKillsStillExplodesAndOneOnTheDeadFliesOn) {
    tuneMissiles(0, 3.5, 0.25, 5);
    StubInvader* killed = wave->add(100, 100, 3);
    StubInvader* near = wave->add(110, 100);
    MissileProjectile* missile = missileAt(100, 100, 3, 2, 20.0);
    missile->hit(killed);
    EXPECT_EQ(killed->health, 0);
    EXPECT_FALSE(missile->alive);
    EXPECT_EQ(near->health, 3);
    EXPECT_EQ(sounds->count(boom), 1);
    EXPECT_EQ(effectsOn(blasts).size(), 8u);

    MissileProjectile* late = missileAt(100, 100, 3, 2, 20.0);
    late->hit(killed);
    EXPECT_TRUE(late->alive);
    EXPECT_EQ(near->health, 3);
    EXPECT_EQ(sounds->count(boom), 1);
}

// The game's zero step after the hit pass lets a missile whose target was just killed by
// another pick a new one in the same frame.
TEST_F(MissileProjectileTest, RetargetsWithinTheFrameWhenAnotherMissileKillsItsTarget) {
    tuneMissiles(0, 3.5, 0.25, 5);
    StubInvader* shared = wave->add(100, 100, 3);
    MissileProjectile* first = missileAt(100, 100);
    MissileProjectile* second = missileAt(200, 50);
    ASSERT_TRUE(first->acquireTarget());
    ASSERT_TRUE(second->acquireTarget());
    StubInvader* other = wave->add(20, 20);
    game->update(0.01);
    ASSERT_EQ(missiles(), std::vector<MissileProjectile*>{second});
    EXPECT_EQ(shared->health, 0);
    EXPECT_EQ(second->target, other);
}

// A wave deleted while missiles fly takes their targets with it; under AddressSanitizer any
// look at a former target fails this test.
TEST_F(MissileProjectileTest, MissilesOfADeletedWaveNeverTouchTheirTargetsAgain) {
    tuneMissiles(50, 3.5, 0.25, 5);
    for (int i = 0; i < 4; ++i)
        wave->add(40 + 60 * i, 40);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(missileAt(150 + i, 190)->acquireTarget());

    // A new wave at once: the missiles home on its invaders instead.
    delete game->wave;
    StubWave* next = new StubWave;
    game->wave = next;
    StubInvader* fresh = next->add(160, 20);
    for (MissileProjectile* m : missiles()) {
        m->update(0.01);
        EXPECT_EQ(m->target, fresh);
    }

    // The game ends the wave once its last invader falls; its missiles fizzle that frame.
    fresh->takeDamage(5);
    game->update(0.01);
    EXPECT_EQ(game->wave, nullptr);
    EXPECT_TRUE(game->projectiles.empty());
    EXPECT_EQ(effectsOn(poofs).size(), 3u);
    EXPECT_EQ(sounds->count(boom), 0);
    wave = nullptr;
}

} // namespace
