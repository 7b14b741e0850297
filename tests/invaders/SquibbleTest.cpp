#include "InvaderWorld.h"

#include "app/GameApp.h"
#include "app/Random.h"
#include "effects/SimpleEffect.h"
#include "effects/TextEffect.h"
#include "game/Game.h"
#include "gfx/SpriteAnim.h"
#include "invaders/Squibble.h"
#include "invaders/SquibbleBullet.h"

#include <cstdlib>

namespace {

using SquibbleTest = InvaderWorld;

TEST_F(SquibbleTest, HealthGrowsWithTheWaveTruncatingTheIncrease) {
    EXPECT_EQ(squibble(0, 0)->maxHealth, 10);
    game->waveNumber = 4;
    Squibble* s = squibble(0, 0);
    EXPECT_EQ(s->health, 17); // 10 + trunc(3 * 2.5)
    EXPECT_EQ(s->maxHealth, 17);
    EXPECT_DOUBLE_EQ(s->hitRadius, 7.0);
    EXPECT_EQ(s->anim->row, kSquibbleHealthy);
    EXPECT_DOUBLE_EQ(s->centreX(), 7.0);
    EXPECT_DOUBLE_EQ(s->centreY(), 6.0);

    // Absurd tuning or a very long game saturates instead of overflowing.
    GameApp::instance()->invaderDef.healthIncrease = 1.0e12;
    EXPECT_EQ(squibble(0, 0)->health, 2147483647);
}

TEST_F(SquibbleTest, HitsFlashAndBelowThirtyFivePercentTheWoundedLoopTakesOver) {
    SoundLog sounds;
    Squibble* s = squibble(100, 50); // 10 health: wounded at 3 or less
    EXPECT_EQ(s->takeDamage(6), 6);
    EXPECT_EQ(s->health, 4);
    EXPECT_EQ(s->anim->row, kSquibbleHealthyHit);
    EXPECT_EQ(s->anim->pendingRows.front(), kSquibbleHealthy);

    EXPECT_EQ(s->takeDamage(1), 1);
    EXPECT_EQ(s->anim->row, kSquibbleWoundedHit);
    EXPECT_EQ(s->anim->pendingRows.front(), kSquibbleWounded);
    s->update(0.1); // one cycle of the flash
    EXPECT_EQ(s->anim->row, kSquibbleWounded);

    // A hit of nothing still flashes, but reports that it did nothing.
    EXPECT_EQ(s->takeDamage(0), 0);
    EXPECT_EQ(s->health, 3);
    EXPECT_EQ(s->anim->row, kSquibbleWoundedHit);
    EXPECT_TRUE(game->effects.empty());
    EXPECT_TRUE(sounds.samples.empty());
    EXPECT_EQ(game->money, kStartMoney);
}

TEST_F(SquibbleTest, TheBountyRisesToDoubleAsTheKillComesCloserToTheGround) {
    // The ground line is at 200; the distance is from the squibble's top edge.
    struct Case {
        double y;
        int reward;
    } cases[] = {{200.0, 20}, {165.0, 15}, {131.0, 10}, {130.0, 10}, {20.0, 10}, {234.5, 15}};
    for (const Case& c : cases) {
        SoundLog sounds;
        game->money = 0;
        for (Effect* e : game->effects)
            delete e;
        game->effects.clear();
        Squibble* s = squibble(100.5, c.y);
        // The killing blow reports all of itself, and health stays below zero.
        EXPECT_EQ(s->takeDamage(25), 25);
        EXPECT_EQ(s->health, -15);
        EXPECT_EQ(game->money, c.reward) << "y " << c.y;
        EXPECT_EQ(sounds.count(death), 1);

        const int cx = 100 + 7, cy = static_cast<int>(c.y) + 6;
        ASSERT_EQ(effectsOn(poofs).size(), 1u);
        EXPECT_DOUBLE_EQ(effectsOn(poofs)[0]->x, cx - 4);
        EXPECT_DOUBLE_EQ(effectsOn(poofs)[0]->y, cy - 4);
        ASSERT_EQ(effectsOfKind<TextEffect>().size(), 1u);
        TextEffect* label = effectsOfKind<TextEffect>()[0];
        EXPECT_DOUBLE_EQ(label->x, cx);
        EXPECT_DOUBLE_EQ(label->y, cy);
        char text[8];
        std::snprintf(text, sizeof text, "+%d", c.reward);
        EXPECT_TRUE(shows(label, font, text)) << text;
    }
}

TEST_F(SquibbleTest, ADeadSquibbleShrugsOffHitsAndSpawnsNothing) {
    SoundLog sounds;
    for (int health : {0, -1}) {
        Squibble* s = squibble(100, 100);
        s->health = health;
        EXPECT_EQ(s->takeDamage(5), 0);
        EXPECT_EQ(s->health, health);
    }
    EXPECT_TRUE(game->effects.empty());
    EXPECT_TRUE(sounds.samples.empty());
    EXPECT_EQ(game->money, kStartMoney);
}

// The first three draws after srand(seed).
struct Draws {
    int pause, shot, weave;
};
Draws drawsOf(unsigned seed) {
    srand(seed);
    Draws d;
    d.pause = randomInt();
    d.shot = randomInt();
    d.weave = randomInt();
    return d;
}
// The first seed whose shot draw falls in [low, high) percent.
unsigned seedWithShotIn(int low, int high) {
    unsigned seed = 1;
    while (drawsOf(seed).shot % 100 < low || drawsOf(seed).shot % 100 >= high)
        ++seed;
    return seed;
}

TEST_F(SquibbleTest, RollsForAShotFromTwoPointThreeSecondsOnWithAPauseDrawnFirst) {
    const unsigned seed = seedWithShotIn(0, 4);
    const Draws d = drawsOf(seed);
    Squibble* s = squibble(100, 50);
    srand(seed);
    s->update(2.2);
    EXPECT_TRUE(game->enemyShots.empty());
    EXPECT_EQ(randomInt(), d.pause) << "no draw before the first roll";

    srand(seed);
    s->update(0.1);
    const double pause = (d.pause / 32767.0 * 3.5 + 1.0) * 0.5;
    EXPECT_FLOAT_EQ(s->shotTimer, static_cast<float>(static_cast<float>(2.2f + 0.1) - pause));
    ASSERT_EQ(shotsOfKind<SquibbleBullet>().size(), 1u);
    SquibbleBullet* bullet = shotsOfKind<SquibbleBullet>()[0];
    EXPECT_DOUBLE_EQ(bullet->x, 107.0); // the squibble's centre
    EXPECT_DOUBLE_EQ(bullet->y, 56.0);
    EXPECT_DOUBLE_EQ(bullet->weavePhase, d.weave / 32767.0);
}

TEST_F(SquibbleTest, AWoundedSquibbleFiresTwiceAsOftenAndPausesTwiceAsLong) {
    // A draw of 4 to 7 per cent fires only for a wounded squibble.
    const unsigned seed = seedWithShotIn(4, 8);
    const Draws d = drawsOf(seed);
    Squibble* healthy = squibble(100, 50);
    srand(seed);
    healthy->update(2.5);
    EXPECT_TRUE(game->enemyShots.empty());

    Squibble* wounded = squibble(100, 50);
    wounded->health = 3;
    srand(seed);
    wounded->update(2.5);
    EXPECT_EQ(shotsOfKind<SquibbleBullet>().size(), 1u);
    EXPECT_FLOAT_EQ(wounded->shotTimer, static_cast<float>(2.5f - (d.pause / 32767.0 * 3.5 + 1.0)));
}

TEST_F(SquibbleTest, AfterTheBaseFallsSquibblesAnimateButNeverRollOrFire) {
    game->gameOver = true;
    Squibble* s = squibble(100, 50);
    s->takeDamage(1);
    srand(7);
    const int next = randomInt();
    srand(7);
    for (int i = 0; i < 100; ++i)
        s->update(0.1);
    EXPECT_EQ(s->anim->row, kSquibbleHealthy) << "the flash played out";
    EXPECT_NEAR(s->shotTimer, 10.0f, 1e-3f);
    EXPECT_TRUE(game->enemyShots.empty());
    EXPECT_EQ(randomInt(), next);
}

TEST_F(SquibbleTest, SetCentrePutsTheSpriteHalfAFrameUpAndLeft) {
    Squibble* s = squibble(0, 0);
    s->setCentre(100, 50);
    EXPECT_DOUBLE_EQ(s->x, 93.0);
    EXPECT_DOUBLE_EQ(s->y, 44.0);
}

} // namespace
