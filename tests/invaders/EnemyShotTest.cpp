#include "InvaderWorld.h"

#include "app/GameApp.h"
#include "effects/DebrisEffect.h"
#include "effects/SimpleEffect.h"
#include "effects/TextEffect.h"
#include "game/Game.h"
#include "invaders/OrbBomb.h"
#include "invaders/SquibbleBullet.h"

#include <algorithm>
#include <limits>

namespace {

// Towers stand on the ground line at y 200, 20 x 30, so their centre is at y 185; their hit
// radius is 12.
class EnemyShotTest : public InvaderWorld {
  protected:
    template <typename Shot> Shot* shotAt(double x, double y) {
        Shot* s = new Shot();
        s->x = x;
        s->y = y;
        game->addEnemyShot(s);
        return s;
    }
    // Steps the shot by 0.01 s while it lives and the condition does not hold.
    template <typename Until> void fly(InvaderProjectile* shot, Until until) {
        for (int i = 0; i < 2000 && shot->alive && !until(); ++i)
            shot->update(0.01);
    }
};

TEST_F(EnemyShotTest, ABulletFallsSteadilyWeavingRightThenLeftOverTwoSeconds) {
    auto* b = shotAt<SquibbleBullet>(100.0, 0.0);
    b->weavePhase = 0.0;
    double x = b->x;
    for (int i = 0; i < 200; ++i) {
        b->update(0.01);
        if (i < 100) {
            EXPECT_GE(b->x, x) << "drifting right in the first second";
        } else {
            EXPECT_LE(b->x, x) << "and left in the second";
        }
        x = b->x;
        if (i == 99) {
            EXPECT_NEAR(b->x, 100.0 + 96.0 / 3.14159265, 0.2);
        }
    }
    EXPECT_NEAR(b->x, 100.0, 0.2);
    EXPECT_NEAR(b->y, 120.0, 1e-9);
}

TEST_F(EnemyShotTest, ABulletChipsAPointOffEveryTowerItTouchesAndOnlyPuffsOnOpenGround) {
    Building* left = tower(0, 100); // centre 110
    Building* right = tower(0, 110);
    Building* apart = tower(0, 200);
    auto* b = shotAt<SquibbleBullet>(115.0, 180.0); // within 12 + 3 of both centres
    b->update(0.01);
    EXPECT_FALSE(b->alive);
    EXPECT_EQ(left->health, 9);
    EXPECT_EQ(right->health, 9);
    EXPECT_EQ(apart->health, 10);

    auto* ground = shotAt<SquibbleBullet>(50.0, 190.0);
    ground->update(0.1); // to 196: one pixel short of the ground line less its radius
    EXPECT_TRUE(ground->alive);
    ground->update(0.02);
    EXPECT_FALSE(ground->alive);
    ASSERT_EQ(effectsOn(poofs).size(), 2u);
    EXPECT_DOUBLE_EQ(effectsOn(poofs)[1]->y, 197 - 4); // centred on the bullet
    EXPECT_EQ(apart->health, 10);
    EXPECT_EQ(game->health, kBaseHealth);
}

// While the shots take their step, the game looks once at the towers for the highest reach of
// any, and a shot above it compares none of them. Around towers of a wide and of a negative
// radius, as data may hold them, that must never change what a shot touches.
TEST_F(EnemyShotTest, TheTowersHighestReachNeverChangesWhatAShotTouches) {
    const double none = -std::numeric_limits<double>::infinity();
    auto* b = shotAt<SquibbleBullet>(0.0, 0.0);
    int touched = 0;
    for (const double odd : {12.0, -40.0}) {
        GameApp::instance()->towerDefs[1].radius = odd;
        GameApp::instance()->towerDefs[2].radius = 30.5;
        tower(0, 40);
        tower(1, 100);
        tower(2, 200);
        for (double y = 120.0; y < 200.0; y += 0.25)
            for (double x = 0.0; x < 320.0; x += 1.5) {
                b->x = x;
                b->y = y;
                game->towersReachTop = none;
                const bool everyTower = b->touchesTower();
                game->towersReachTop = game->highestTowerReach();
                ASSERT_EQ(b->touchesTower(), everyTower) << "a shot at " << x << ", " << y;
                touched += everyTower;
            }
    }
    game->towersReachTop = none;
    EXPECT_GT(touched, 2000);
}

// The hit circles must overlap: a shot whose circle only meets a tower's misses it.
TEST_F(EnemyShotTest, AShotExactlyAtATowersReachMissesItAndAHairCloserHits) {
    Building* t = tower(0, 100);                    // centre (110, 185), hit radius 12
    auto* b = shotAt<SquibbleBullet>(125.0, 185.0); // radius 3: 12 + 3 to the right
    EXPECT_FALSE(b->touchesTower());
    b->x = 119.0; // 9 across and 12 up: 15 away again
    b->y = 173.0;
    EXPECT_FALSE(b->touchesTower());
    b->damageTowers(3.0, 1);
    EXPECT_EQ(t->health, 10);
    b->y = 173.01;
    EXPECT_TRUE(b->touchesTower());
    b->damageTowers(3.0, 1);
    EXPECT_EQ(t->health, 9);
}

TEST_F(EnemyShotTest, ABombRisesThroughATowerBouncesOffItAndBurstsInTheAirSparingTheBase) {
    SoundLog sounds;
    Building* t = tower(0, 100);
    Building* near = tower(0, 120); // centre 130: within 12 + 12 of the bomb
    Building* far = tower(0, 140);
    auto* bomb = shotAt<OrbBomb>(110.0, 185.0);
    bomb->update(0.01);
    EXPECT_EQ(bomb->bounces, 0) << "still rising, it passes through";
    fly(bomb, [&] { return bomb->bounces > 0; });
    EXPECT_EQ(t->health, 8);
    EXPECT_EQ(near->health, 8);
    EXPECT_EQ(far->health, 10);
    EXPECT_LT(bomb->vy, 0.0);
    EXPECT_DOUBLE_EQ(bomb->animRate, 0.4);
    EXPECT_EQ(sounds.count(bounce), 1);

    fly(bomb, [] { return false; });
    EXPECT_FALSE(bomb->alive);
    EXPECT_EQ(bomb->bounces, 2);
    EXPECT_LT(bomb->y, 192.0) << "it burst above the ground";
    EXPECT_EQ(t->health, 6);
    EXPECT_EQ(game->health, kBaseHealth);
    EXPECT_TRUE(effectsOfKind<TextEffect>().empty());
    EXPECT_EQ(sounds.count(boom), 1);
}

TEST_F(EnemyShotTest, ABombLobbedOverOpenGroundBouncesOnceAndCostsTheBaseOnePoint) {
    GameApp* app = GameApp::instance();
    SoundLog sounds;
    auto* bomb = shotAt<OrbBomb>(60.0, 150.0);
    bomb->vx = 10.0;
    double peak = bomb->y;
    fly(bomb, [&] {
        peak = std::min(peak, bomb->y);
        return bomb->bounces > 0;
    });
    EXPECT_NEAR(peak, 150.0 - 8.0, 0.5); // 64^2 / (2 * 256)
    EXPECT_EQ(game->health, kBaseHealth) << "a bounce costs the base nothing";
    EXPECT_EQ(effectsOn(puffs).size(), 6u + 8u) << "a fan of six and a trail puff a tenth of a "
                                                   "second over its 0.88 seconds in the air";
    EXPECT_DOUBLE_EQ(app->shakeAmount, 2.0);
    EXPECT_DOUBLE_EQ(app->shakeTimeLeft, 0.4);

    fly(bomb, [] { return false; });
    EXPECT_FALSE(bomb->alive);
    EXPECT_GE(bomb->y, 192.0);
    EXPECT_EQ(game->health, kBaseHealth - 1);
    EXPECT_EQ(sounds.samples, (std::vector<SAMPLE*>{bounce, boom}));
    EXPECT_DOUBLE_EQ(app->shakeAmount, 3.0);
    // The blast: one at once, five scattered after it, and a column of four climbing.
    const std::vector<SimpleEffect*> blast = effectsOn(blasts);
    ASSERT_EQ(blast.size(), 10u);
    EXPECT_NEAR(blast[5]->delay, 0.5, 1e-12);
    EXPECT_NEAR(blast[9]->delay, 0.24, 1e-12);
    EXPECT_GT(blast[6]->y, blast[9]->y);
    EXPECT_EQ(effectsOfKind<DebrisEffect>().at(0)->pieces.size(), 3u);
    EXPECT_TRUE(showsText(effectsOfKind<TextEffect>().at(0), "-1"));
}

} // namespace
