#include "InvaderWorld.h"

#include "app/GameApp.h"
#include "effects/SimpleEffect.h"
#include "effects/TextEffect.h"
#include "game/Game.h"
#include "gfx/SpriteAnim.h"
#include "invaders/Squibble.h"
#include "invaders/SquibbleBullet.h"
#include "invaders/SquibbleWave.h"

#include <allegro.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

class SquibbleWaveTest : public InvaderWorld {
  protected:
    void SetUp() override {
        InvaderWorld::SetUp();
        setStrings(
            {{"Wave1SpeedBase", "10"}, {"Wave1SpeedIncrease", "2"}, {"Wave1SpeedMax", "30"}});
    }

    static std::vector<std::pair<double, double>> positions(const Wave& wave) {
        std::vector<std::pair<double, double>> at;
        for (const Invader* v : wave.invaders)
            at.emplace_back(v->x, v->y);
        return at;
    }
    // The left edges of the live squibbles, leftmost and rightmost.
    static std::pair<double, double> span(const Wave& wave) {
        double left = 1e9, right = -1e9;
        for (const Invader* v : wave.invaders)
            if (v->health > 0) {
                left = std::min(left, v->x);
                right = std::max(right, v->x);
            }
        return {left, right};
    }
    // Steps the wave until its marching state changes; returns the steps taken.
    static int stepUntilTurn(SquibbleWave& wave, double dt) {
        const int state = wave.marchState;
        int steps = 0;
        while (wave.marchState == state && steps < 100000) {
            wave.update(dt);
            ++steps;
        }
        return steps;
    }
};

TEST_F(SquibbleWaveTest, TheFormationIsRowsOfTwelveCentredAboveTheField) {
    SquibbleWave sixteen(16);
    ASSERT_EQ(sixteen.invaders.size(), 16u);
    for (int c = 0; c < 12; ++c)
        EXPECT_EQ(positions(sixteen)[c], std::make_pair(30.0 + 20 * c, -36.0));
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(positions(sixteen)[12 + c], std::make_pair(110.0 + 20 * c, -20.0));
    for (const Invader* v : sixteen.invaders) {
        EXPECT_EQ(v->wave, &sixteen);
        EXPECT_NE(dynamic_cast<const Squibble*>(v), nullptr);
    }

    SquibbleWave twentyFour(24);
    EXPECT_EQ(positions(twentyFour)[0], std::make_pair(30.0, -36.0));
    EXPECT_EQ(positions(twentyFour)[23], std::make_pair(250.0, -20.0));

    SquibbleWave twentyFive(25);
    EXPECT_EQ(positions(twentyFive)[0], std::make_pair(30.0, -52.0));
    EXPECT_EQ(positions(twentyFive)[12], std::make_pair(30.0, -36.0));
    EXPECT_EQ(positions(twentyFive)[24], std::make_pair(140.0, -20.0));

    SquibbleWave none(0);
    EXPECT_TRUE(none.invaders.empty());
    EXPECT_TRUE(none.isDefeated());
    EXPECT_EQ(none.boss(), nullptr);
}

TEST_F(SquibbleWaveTest, SpeedGrowsWithTheWaveUpToItsCap) {
    const std::pair<int, double> expected[] = {{1, 10.0}, {6, 20.0}, {11, 30.0}, {40, 30.0}};
    for (const auto& e : expected) {
        game->waveNumber = e.first;
        EXPECT_DOUBLE_EQ(SquibbleWave(1).speed, e.second) << "wave " << e.first;
        EXPECT_EQ(SquibbleWave(1).marchState, SquibbleWave::kStepDownLeft);
    }
    // Without a cap every wave stands still in its first step down.
    setStrings({{"Wave1SpeedMax", ""}});
    SquibbleWave still(16);
    EXPECT_DOUBLE_EQ(still.speed, 0.0);
    const auto before = positions(still);
    still.update(5.0);
    EXPECT_EQ(positions(still), before);
    EXPECT_EQ(still.marchState, SquibbleWave::kStepDownLeft);
    // Tuning past all reason is held to a speed the positions can carry.
    setStrings({{"Wave1SpeedBase", "1e300"}, {"Wave1SpeedMax", "1e308"}});
    EXPECT_DOUBLE_EQ(SquibbleWave(1).speed, 1.0e6);
}

TEST_F(SquibbleWaveTest, TheBlockStepsDownMarchesRightStepsDownAndMarchesLeft) {
    SquibbleWave wave(16);
    // Entering: 16 pixels down at 10 pixels a second.
    EXPECT_EQ(stepUntilTurn(wave, 0.1), 16);
    EXPECT_EQ(wave.marchState, SquibbleWave::kMarchRight);
    EXPECT_NEAR(wave.invaders[0]->y, -20.0, 1e-9);
    EXPECT_DOUBLE_EQ(wave.stepDone, 0.0);

    // Right until the rightmost left edge reaches 296 (from 250).
    stepUntilTurn(wave, 0.1);
    EXPECT_EQ(wave.marchState, SquibbleWave::kStepDownRight);
    EXPECT_NEAR(span(wave).second, 296.0, 1e-6);
    stepUntilTurn(wave, 0.1);
    EXPECT_EQ(wave.marchState, SquibbleWave::kMarchLeft);
    EXPECT_NEAR(wave.invaders[0]->y, -4.0, 1e-6);
    // Left until the leftmost left edge reaches 8 (from 76).
    stepUntilTurn(wave, 0.1);
    EXPECT_EQ(wave.marchState, SquibbleWave::kStepDownLeft);
    EXPECT_NEAR(span(wave).first, 8.0, 1e-6);
    // The relative layout never changes.
    EXPECT_NEAR(wave.invaders[12]->x - wave.invaders[0]->x, 80.0, 1e-9);
    EXPECT_NEAR(wave.invaders[12]->y - wave.invaders[0]->y, 16.0, 1e-9);
}

TEST_F(SquibbleWaveTest, OnlyLiveSquibblesTurnTheBlockSoAColumnShotAwayLetsItGoFurther) {
    SquibbleWave wave(16);
    wave.invaders[11]->health = 0; // the rightmost column is only the top row's last squibble
    wave.invaders[0]->health = 0;  // and the leftmost the top row's first
    const double deadX = wave.invaders[11]->x;
    stepUntilTurn(wave, 0.1); // enters
    stepUntilTurn(wave, 0.1); // marches right
    EXPECT_NEAR(wave.invaders[10]->x, 296.0, 1e-6) << "20 pixels further than the intact block";
    EXPECT_DOUBLE_EQ(wave.invaders[11]->x, deadX) << "the dead do not move";
    stepUntilTurn(wave, 0.1);
    stepUntilTurn(wave, 0.1); // marches left
    EXPECT_NEAR(wave.invaders[1]->x, 8.0, 1e-6);
}

TEST_F(SquibbleWaveTest, ASquibbleReachingYOneNinetyLandsCostingOnePointAndPayingNothing) {
    SoundLog sounds;
    SquibbleWave wave(16);
    wave.marchState = SquibbleWave::kMarchRight; // landing does not wait for a step down
    Invader* lander = wave.invaders[3];
    lander->x = 60.5;
    lander->y = 190.0;
    wave.invaders[4]->y = 189.5;
    wave.update(0.01);
    EXPECT_EQ(lander->health, -1);
    EXPECT_GT(wave.invaders[4]->health, 0);
    EXPECT_EQ(game->health, kBaseHealth - 1);
    EXPECT_EQ(game->money, kStartMoney);
    EXPECT_TRUE(sounds.samples.empty());

    // A poof and a red "-1" on the squibble's centre, from where it stood when it landed.
    const int cx = 60 + 7, cy = 190 + 6;
    ASSERT_EQ(effectsOn(poofs).size(), 1u);
    EXPECT_DOUBLE_EQ(effectsOn(poofs)[0]->x, cx - 4);
    ASSERT_EQ(effectsOfKind<TextEffect>().size(), 1u);
    EXPECT_DOUBLE_EQ(effectsOfKind<TextEffect>()[0]->x, cx);
    EXPECT_DOUBLE_EQ(effectsOfKind<TextEffect>()[0]->y, cy);
    EXPECT_TRUE(shows(effectsOfKind<TextEffect>()[0], redFont, "-1"));

    // Landed, it no longer moves, draws or lands again.
    const double x = lander->x;
    wave.update(1.0);
    EXPECT_DOUBLE_EQ(lander->x, x);
    EXPECT_EQ(game->health, kBaseHealth - 1);
}

TEST_F(SquibbleWaveTest, AWaveIsDefeatedWhenNoSquibbleIsLeftAliveHoweverTheyWent) {
    SquibbleWave shot(3);
    shot.invaders[0]->takeDamage(100);
    shot.invaders[1]->takeDamage(100);
    EXPECT_FALSE(shot.isDefeated());
    shot.invaders[2]->takeDamage(100);
    EXPECT_TRUE(shot.isDefeated());
    EXPECT_EQ(shot.invaders.size(), 3u) << "the dead stay until the wave goes";

    SquibbleWave landed(2);
    landed.invaders[0]->takeDamage(100);
    landed.invaders[1]->y = 200.0;
    landed.update(0.01);
    EXPECT_TRUE(landed.isDefeated());
    EXPECT_EQ(game->health, kBaseHealth - 1);
}

TEST_F(SquibbleWaveTest, OnlyLiveSquibblesAreDrawn) {
    SquibbleWave wave(2);
    wave.invaders[0]->x = 10;
    wave.invaders[0]->y = 10;
    wave.invaders[1]->x = 40;
    wave.invaders[1]->y = 10;
    wave.invaders[1]->health = 0;
    BITMAP* field = makeBitmap(64, 32, 0, 0, 0);
    wave.drawInvaders(field);
    EXPECT_EQ(pixelAt(field, 15, 15), (Rgb{0, 255, 0}));
    EXPECT_EQ(pixelAt(field, 45, 15), (Rgb{0, 0, 0}));
    destroy_bitmap(field);
}

TEST_F(SquibbleWaveTest, WhenTheBaseFallsTheBlockFreezesInPlaceStillAnimatingAndHoldingFire) {
    SquibbleWave wave(16);
    wave.update(1.0);
    wave.invaders[2]->takeDamage(1);
    game->gameOver = true;
    const auto before = positions(wave);
    const double stepDone = wave.stepDone;
    for (int i = 0; i < 200; ++i)
        wave.update(0.05);
    EXPECT_EQ(positions(wave), before);
    EXPECT_EQ(wave.marchState, SquibbleWave::kStepDownLeft);
    EXPECT_DOUBLE_EQ(wave.stepDone, stepDone);
    EXPECT_EQ(wave.invaders[2]->anim->row, kSquibbleHealthy) << "its hit flash played out";
    EXPECT_TRUE(game->enemyShots.empty());
    EXPECT_EQ(game->health, kBaseHealth);
}

} // namespace
