#include "InvaderWorld.h"

#include "app/GameApp.h"
#include "effects/DebrisEffect.h"
#include "effects/SimpleEffect.h"
#include "effects/TextEffect.h"
#include "game/Game.h"
#include "invaders/OrbBomb.h"
#include "invaders/SquibbleBullet.h"

#include <cmath>
#include <cstdlib>

namespace {

using EnemyShotTest = InvaderWorld;

// Towers stand on the ground line at y 200, 20 x 30, so their centre is 15 pixels above it;
// their hit radius is 12.
constexpr double kTowerCentreY = 185.0;

SquibbleBullet* bulletAt(Game* game, double x, double y, double weavePhase) {
    SquibbleBullet* b = new SquibbleBullet();
    b->x = x;
    b->y = y;
    b->weavePhase = weavePhase;
    game->addEnemyShot(b);
    return b;
}

OrbBomb* bombAt(Game* game, double x, double y, double vx, double vy) {
    OrbBomb* b = new OrbBomb();
    b->x = x;
    b->y = y;
    b->vx = vx;
    b->vy = vy;
    game->addEnemyShot(b);
    return b;
}

TEST_F(EnemyShotTest, ABulletFallsSteadilyWeavingRightThenLeftOverTwoSeconds) {
    SquibbleBullet* b = bulletAt(game, 100.0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(b->radius, 3.0);
    b->update(0.01);
    EXPECT_NEAR(b->x, 100.0, 0.02) << "a swing starting at its middle begins straight down";
    EXPECT_DOUBLE_EQ(b->y, 0.6);
    double x = b->x;
    for (int i = 1; i < 100; ++i) {
        b->update(0.01);
        EXPECT_GE(b->x, x) << "drifting right in the first second";
        x = b->x;
    }
    EXPECT_NEAR(b->x, 100.0 + 96.0 / 3.14159265, 0.2);
    for (int i = 0; i < 100; ++i) {
        b->update(0.01);
        EXPECT_LE(b->x, x) << "and left in the second";
        x = b->x;
    }
    EXPECT_NEAR(b->x, 100.0, 0.2);
    EXPECT_NEAR(b->y, 120.0, 1e-9);
    EXPECT_TRUE(b->alive);
}

TEST_F(EnemyShotTest, ABulletChipsAPointOffEveryTowerItTouches) {
    Building* left = tower(0, 100);  // centre 110
    Building* right = tower(0, 110); // centre 120
    Building* apart = tower(0, 200);
    // Within 12 + 3 pixels of both centres.
    SquibbleBullet* b = bulletAt(game, 115.0, kTowerCentreY - 5.0, 0.0);
    b->update(0.01);
    EXPECT_FALSE(b->alive);
    EXPECT_EQ(left->health, 9);
    EXPECT_EQ(right->health, 9);
    EXPECT_EQ(apart->health, 10);
    EXPECT_EQ(effectsOn(poofs).size(), 1u);
    EXPECT_EQ(game->health, kBaseHealth);
}

TEST_F(EnemyShotTest, ABulletReachingOpenGroundOnlyPuffs) {
    Building* t = tower(0, 200);
    SquibbleBullet* b = bulletAt(game, 50.0, 190.0, 0.0);
    b->update(0.1); // to 196: one pixel short of the ground line less its radius
    EXPECT_TRUE(b->alive);
    b->update(0.02);
    EXPECT_FALSE(b->alive);
    ASSERT_EQ(effectsOn(poofs).size(), 1u);
    // Centred on the bullet's position.
    EXPECT_DOUBLE_EQ(effectsOn(poofs)[0]->x, static_cast<int>(b->x) - 4);
    EXPECT_DOUBLE_EQ(effectsOn(poofs)[0]->y, 197 - 4);
    EXPECT_EQ(t->health, 10);
    EXPECT_EQ(game->health, kBaseHealth);
}

TEST_F(EnemyShotTest, ABombRisingThroughATowerPassesItAndStrikesOnlyOnTheWayDown) {
    Building* t = tower(0, 100);
    OrbBomb* bomb = bombAt(game, 110.0, kTowerCentreY, 0.0, -64.0);
    EXPECT_DOUBLE_EQ(bomb->radius, 8.0);
    bomb->update(0.01);
    EXPECT_EQ(bomb->bounces, 0);
    EXPECT_EQ(t->health, 10);
    // Falling back into the tower, it bounces off it.
    SoundLog sounds;
    for (int i = 0; i < 100 && !bomb->bounces; ++i)
        bomb->update(0.01);
    EXPECT_EQ(bomb->bounces, 1);
    EXPECT_TRUE(bomb->alive);
    EXPECT_EQ(t->health, 8);
    EXPECT_LT(bomb->vy, 0.0);
    EXPECT_DOUBLE_EQ(bomb->animRate, 0.4);
    EXPECT_EQ(sounds.count(bounce), 1);
}

TEST_F(EnemyShotTest, TheBounceKeepsSixtyPercentAndFansSixPuffs) {
    Building* near = tower(0, 100);
    Building* reach = tower(0, 120); // centre 130: 20 away, within 12 + 12
    Building* far = tower(0, 140);   // centre 150: 40 away
    OrbBomb* bomb = bombAt(game, 110.0, kTowerCentreY, 5.0, 100.0);
    bomb->impact();
    EXPECT_DOUBLE_EQ(bomb->vy, -60.0);
    EXPECT_EQ(near->health, 8);
    EXPECT_EQ(reach->health, 8);
    EXPECT_EQ(far->health, 10);
    std::vector<SimpleEffect*> fan = effectsOn(puffs);
    // Hurt towers puff smoke too; the fan is the six puffs on the bomb.
    std::vector<SimpleEffect*> onBomb;
    for (SimpleEffect* p : fan)
        if (p->x == 110 - 3 && p->y == 185 - 3)
            onBomb.push_back(p);
    ASSERT_EQ(onBomb.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(onBomb[i]->vx, 32.0 * std::cos(i * 3.14159265358979 / 6), 1e-9);
        EXPECT_NEAR(onBomb[i]->vy, 32.0 * std::sin(i * 3.14159265358979 / 6), 1e-9);
    }
}

TEST_F(EnemyShotTest, ABombBouncingOffATowerAndBurstingInTheAirSparesTheBase) {
    SoundLog sounds;
    Building* t = tower(0, 100);
    t->health = 3; // the bounce leaves 1, the blast finishes it
    OrbBomb* bomb = bombAt(game, 110.0, kTowerCentreY - 30.0, 0.0, 40.0);
    for (int i = 0; i < 500 && bomb->alive; ++i)
        bomb->update(0.01);
    EXPECT_FALSE(bomb->alive);
    EXPECT_EQ(bomb->bounces, 2);
    EXPECT_LT(bomb->y, 200.0 - 8.0) << "it burst above the ground";
    EXPECT_TRUE(t->removed);
    EXPECT_EQ(game->health, kBaseHealth);
    EXPECT_EQ(sounds.count(bounce), 1);
    EXPECT_EQ(sounds.count(boom), 2) << "the bomb's blast and the tower's own";
    EXPECT_EQ(effectsOfKind<TextEffect>().size(), 0u);
}

TEST_F(EnemyShotTest, ABombLobbedOverOpenGroundBouncesOnceAndCostsTheBaseOnePoint) {
    GameApp* app = GameApp::instance();
    SoundLog sounds;
    OrbBomb* bomb = bombAt(game, 60.0, 150.0, 10.0, -64.0);
    double peak = bomb->y;
    int steps = 0;
    for (; steps < 1000 && !bomb->bounces; ++steps) {
        bomb->update(0.01);
        peak = std::min(peak, bomb->y);
    }
    EXPECT_NEAR(peak, 150.0 - 8.0, 0.5); // 64^2 / (2 * 256)
    EXPECT_EQ(game->health, kBaseHealth) << "a bounce costs the base nothing";
    EXPECT_EQ(sounds.count(bounce), 1);
    EXPECT_DOUBLE_EQ(app->shakeAmount, 2.0);
    EXPECT_DOUBLE_EQ(app->shakeTimeLeft, 0.4);

    for (; steps < 1000 && bomb->alive; ++steps)
        bomb->update(0.01);
    EXPECT_FALSE(bomb->alive);
    EXPECT_EQ(bomb->bounces, 2);
    EXPECT_GE(bomb->y, 192.0);
    EXPECT_EQ(game->health, kBaseHealth - 1);
    EXPECT_EQ(sounds.count(bounce), 1);
    EXPECT_EQ(sounds.count(boom), 1);
    EXPECT_DOUBLE_EQ(app->shakeAmount, 3.0);
    EXPECT_DOUBLE_EQ(app->shakeTimeLeft, 0.8);

    // The blast: one at once, five scattered and staggered, a column of four climbing.
    std::vector<SimpleEffect*> blastsSeen = effectsOn(blasts);
    ASSERT_EQ(blastsSeen.size(), 10u);
    EXPECT_DOUBLE_EQ(blastsSeen[0]->delay, 0.0);
    for (int i = 1; i <= 5; ++i)
        EXPECT_NEAR(blastsSeen[i]->delay, 0.1 * i, 1e-12);
    for (int j = 0; j < 4; ++j)
        EXPECT_NEAR(blastsSeen[6 + j]->delay, 0.08 * j, 1e-12);
    EXPECT_GT(blastsSeen[6]->y, blastsSeen[9]->y) << "the column climbs";
    ASSERT_EQ(effectsOfKind<DebrisEffect>().size(), 1u);
    EXPECT_EQ(effectsOfKind<DebrisEffect>()[0]->pieces.size(), 3u);
    ASSERT_EQ(effectsOfKind<TextEffect>().size(), 1u);
    EXPECT_TRUE(shows(effectsOfKind<TextEffect>()[0], redFont, "-1"));

    // A trail puff every tenth of a second of flight, besides the six of the bounce.
    const int trail = static_cast<int>(effectsOn(puffs).size()) - 6;
    EXPECT_NEAR(trail, steps / 10, 1);
}

TEST_F(EnemyShotTest, TrailPuffsScatterAroundTheBombXDrawnFirst) {
    OrbBomb* bomb = bombAt(game, 100.0, 100.0, 0.0, -64.0);
    bomb->trailTimer = 0.095;
    srand(99);
    const int dx = std::rand() % 32768 % 20 - 10;
    const int dy = std::rand() % 32768 % 20 - 10;
    srand(99);
    bomb->update(0.01);
    ASSERT_EQ(effectsOn(puffs).size(), 1u);
    const int bx = static_cast<int>(bomb->x), by = static_cast<int>(bomb->y);
    EXPECT_DOUBLE_EQ(effectsOn(puffs)[0]->x, bx + dx - 3);
    EXPECT_DOUBLE_EQ(effectsOn(puffs)[0]->y, by + dy - 3);
}

} // namespace
