#include "InvaderWorld.h"

#include "app/GameApp.h"
#include "app/Random.h"
#include "effects/SimpleEffect.h"
#include "effects/TextEffect.h"
#include "game/Game.h"
#include "gfx/SpriteAnim.h"
#include "invaders/InvaderKinds.h"
#include "invaders/SquibbleBullet.h"

#include <cstdio>
#include <cstdlib>

namespace {

using SquibbleTest = InvaderWorld;

TEST_F(SquibbleTest, HealthGrowsWithTheWaveTruncatingTheIncreaseAndSaturating) {
    EXPECT_EQ(squibble(0, 0)->maxHealth, 10);
    game->waveNumber = 4;
    EXPECT_EQ(squibble(0, 0)->health, 17); // 10 + trunc(3 * 2.5)
    GameApp::instance()->invaderDefs[0].healthIncrease = 1.0e12;
    EXPECT_EQ(squibble(0, 0)->health, 2147483647);
}

// Past LateHealthFrom the health compounds by LateHealthGrowth a wave, for every kind; out to
// any wave it saturates, and either key at 0 switches it off. SteadyHealthUntil stops the
// steady growth at a wave.
TEST_F(SquibbleTest, LateWavesCompoundTheHealthOfEveryKind) {
    setStrings({{"LateHealthFrom", "3"}, {"LateHealthGrowth", "0.5"}});
    game->waveNumber = 3;
    EXPECT_EQ(squibble(0, 0)->health, 15); // 10 + 2 * 2.5, not past wave 3
    game->waveNumber = 5;
    EXPECT_EQ(squibble(0, 0)->health, 45); // (10 + 10) * 1.5 * 1.5
    Invader* other = createInvader(kInvaderKindCount - 1);
    EXPECT_EQ(static_cast<Squibble*>(other)->health, 45);
    delete other;
    game->waveNumber = 100000;
    EXPECT_EQ(squibble(0, 0)->health, 2147483647);
    setStrings({{"LateHealthFrom", "0"}});
    game->waveNumber = 5;
    EXPECT_EQ(squibble(0, 0)->health, 20);
    setStrings({{"LateHealthFrom", "3"}, {"LateHealthGrowth", "0"}});
    EXPECT_EQ(squibble(0, 0)->health, 20);

    // The steady growth may stop at a wave, and the compounding goes on from there.
    setStrings({{"SteadyHealthUntil", "3"}, {"LateHealthGrowth", "0.5"}});
    EXPECT_EQ(squibble(0, 0)->health, 33); // (10 + 2 * 2.5) * 1.5 * 1.5
    game->waveNumber = 2;
    EXPECT_EQ(squibble(0, 0)->health, 12); // 10 + trunc(2.5)
}

TEST_F(SquibbleTest, ItsCentreIsHalfAFrameInAndSetCentrePutsItThere) {
    Squibble* s = squibble(10.5, 20.5);
    EXPECT_DOUBLE_EQ(s->centreX(), 17.5); // 14 x 12
    EXPECT_DOUBLE_EQ(s->centreY(), 26.5);
    s->setCentre(100, 50);
    EXPECT_DOUBLE_EQ(s->x, 93.0);
    EXPECT_DOUBLE_EQ(s->y, 44.0);
}

TEST_F(SquibbleTest, HitsFlashAndFromThirtyFivePercentDownTheWoundedLoopTakesOver) {
    SoundLog sounds;
    Squibble* s = squibble(100, 50); // 10 health: wounded at 3 or less
    EXPECT_EQ(s->takeDamage(6), 6);
    EXPECT_EQ(s->anim->row, kSquibbleHealthyHit);
    EXPECT_EQ(s->anim->pendingRows.front(), kSquibbleHealthy);
    EXPECT_EQ(s->takeDamage(1), 1);
    EXPECT_EQ(s->anim->row, kSquibbleWoundedHit);
    s->update(0.1); // one cycle of the flash
    EXPECT_EQ(s->anim->row, kSquibbleWounded);
    EXPECT_EQ(s->takeDamage(0), 0) << "a hit of nothing flashes but reports no effect";
    EXPECT_EQ(s->anim->row, kSquibbleWoundedHit);

    // Dead, however it died, it shrugs hits off and spawns nothing.
    s->health = -1;
    EXPECT_EQ(s->takeDamage(5), 0);
    EXPECT_EQ(s->health, -1);
    EXPECT_TRUE(game->effects.empty());
    EXPECT_TRUE(sounds.samples.empty());
    EXPECT_EQ(game->money, kStartMoney);
}

TEST_F(SquibbleTest, TheBountyRisesToDoubleAsTheKillComesCloserToTheGround) {
    // The ground line is at 200; the distance is from the squibble's top edge.
    const std::pair<double, int> cases[] = {
        {200, 20}, {165, 15}, {131, 10}, {130, 10}, {234.5, 15}};
    for (const auto& c : cases) {
        SoundLog sounds;
        const int money = game->money;
        const std::size_t effects = game->effects.size();
        Squibble* s = squibble(100.5, c.first);
        EXPECT_EQ(s->takeDamage(25), 25) << "the killing blow reports all of itself";
        EXPECT_EQ(s->health, -15);
        EXPECT_EQ(game->money - money, c.second) << "top edge at " << c.first;
        EXPECT_EQ(sounds.samples, std::vector<SAMPLE*>{death});

        // A poof and the bounty on the squibble's centre.
        const int cx = 100 + 7, cy = static_cast<int>(c.first) + 6;
        ASSERT_EQ(game->effects.size(), effects + 2);
        auto* poof = dynamic_cast<SimpleEffect*>(game->effects[effects]);
        auto* label = dynamic_cast<TextEffect*>(game->effects[effects + 1]);
        ASSERT_TRUE(poof && label);
        EXPECT_EQ(poof->anim->sheet, poofs);
        EXPECT_DOUBLE_EQ(poof->x, cx - 4);
        EXPECT_DOUBLE_EQ(label->y, cy);
        char text[8];
        std::snprintf(text, sizeof text, "+%d", c.second);
        EXPECT_TRUE(showsText(label, text)) << text;
    }
}

// The first seed whose first three draws (pause, shot, weave) have a shot draw in [low, high)
// per cent.
unsigned seedWithShotIn(int low, int high, int draws[3]) {
    for (unsigned seed = 1;; ++seed) {
        srand(seed);
        for (int i = 0; i < 3; ++i)
            draws[i] = randomInt();
        if (draws[1] % 100 >= low && draws[1] % 100 < high)
            return seed;
    }
}

TEST_F(SquibbleTest, FromTwoPointThreeSecondsOnItRollsAPauseThenAShotAndWoundedFiresMore) {
    int d[3];
    const unsigned seed = seedWithShotIn(0, 4, d);
    Squibble* s = squibble(100, 50);
    srand(seed);
    s->update(2.2);
    EXPECT_EQ(randomInt(), d[0]) << "no draw before the first roll";
    srand(seed);
    s->update(0.15);
    const double pause = (d[0] / 32767.0 * 3.5 + 1.0) * 0.5;
    EXPECT_FLOAT_EQ(s->shotTimer, static_cast<float>(static_cast<float>(2.2f + 0.15) - pause));
    ASSERT_EQ(game->enemyShots.size(), 1u);
    auto* bullet = dynamic_cast<SquibbleBullet*>(game->enemyShots[0]);
    ASSERT_NE(bullet, nullptr);
    EXPECT_DOUBLE_EQ(bullet->x, 107.0); // the squibble's centre
    EXPECT_DOUBLE_EQ(bullet->y, 56.0);
    EXPECT_DOUBLE_EQ(bullet->weavePhase, d[2] / 32767.0);

    // A draw of 4 to 7 per cent fires only for a wounded squibble, which pauses twice as long.
    const unsigned wounding = seedWithShotIn(4, 8, d);
    srand(wounding);
    squibble(0, 0)->update(2.5);
    EXPECT_EQ(game->enemyShots.size(), 1u);
    Squibble* wounded = squibble(0, 0);
    wounded->health = 3;
    srand(wounding);
    wounded->update(2.5);
    EXPECT_EQ(game->enemyShots.size(), 2u);
    EXPECT_FLOAT_EQ(wounded->shotTimer, static_cast<float>(2.5f - (d[0] / 32767.0 * 3.5 + 1.0)));
}

} // namespace
