#include "InvaderWorld.h"

#include "app/GameApp.h"
#include "effects/SimpleEffect.h"
#include "effects/TextEffect.h"
#include "game/Game.h"
#include "gfx/SpriteAnim.h"
#include "invaders/InvaderKinds.h"
#include "invaders/SquibbleWave.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

class SquibbleWaveTest : public InvaderWorld {
  protected:
    void SetUp() override {
        InvaderWorld::SetUp();
        // The plain march: no quickening and no light opening, whatever the shipped data says.
        setStrings({{"Wave1SpeedBase", "10"},
                    {"Wave1SpeedIncrease", "2"},
                    {"Wave1SpeedMax", "30"},
                    {"WaveQuickening", "0"},
                    {"OpeningWaves", "0"}});
    }

    static std::vector<std::pair<double, double>> positions(const Wave& wave) {
        std::vector<std::pair<double, double>> at;
        for (const Invader* v : wave.invaders)
            at.emplace_back(v->x, v->y);
        return at;
    }
    // Steps the wave by 0.1 s until its marching state changes.
    static void stepUntilTurn(SquibbleWave& wave) {
        const int state = wave.marchState;
        for (int i = 0; i < 10000 && wave.marchState == state; ++i)
            wave.update(0.1);
    }
};

TEST_F(SquibbleWaveTest, TheFormationIsRowsOfTwelveCentredAboveTheField) {
    const SquibbleWave sixteen(16), twentyFour(24), twentyFive(25);
    const auto p16 = positions(sixteen), p24 = positions(twentyFour), p25 = positions(twentyFive);
    ASSERT_EQ(p16.size(), 16u);
    for (int c = 0; c < 12; ++c)
        EXPECT_EQ(p16[c], std::make_pair(30.0 + 20 * c, -36.0));
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(p16[12 + c], std::make_pair(110.0 + 20 * c, -20.0));
    EXPECT_EQ(sixteen.invaders[15]->wave, &sixteen);
    EXPECT_EQ(p24[23], std::make_pair(250.0, -20.0));
    EXPECT_EQ(p25[0], std::make_pair(30.0, -52.0));
    EXPECT_EQ(p25[24], std::make_pair(140.0, -20.0));
}

TEST_F(SquibbleWaveTest, ItLandsWithinSecondsWhenALiveSquibbleIsThatFarAtItsSpeed) {
    SquibbleWave wave(2);
    wave.speed = 20.0;
    wave.invaders[0]->y = kSquibbleLandingY - 41.0;
    wave.invaders[1]->y = 0.0;
    EXPECT_FALSE(wave.landsWithin(2.0));
    EXPECT_TRUE(wave.landsWithin(2.1));
    wave.speed = 30.0; // a faster wave is dangerous from further up
    EXPECT_TRUE(wave.landsWithin(2.0));
    wave.invaders[0]->health = 0;
    EXPECT_FALSE(wave.landsWithin(2.0)) << "the dead do not land";
    EXPECT_FALSE(wave.landsWithin(std::nan(""))) << "tuning that is no number never warns";
}

TEST_F(SquibbleWaveTest, SpeedGrowsWithTheWaveUpToItsCap) {
    for (const auto& e : {std::make_pair(1, 10.0), {6, 20.0}, {11, 30.0}, {40, 30.0}}) {
        game->waveNumber = e.first;
        EXPECT_DOUBLE_EQ(SquibbleWave(1).speed, e.second) << "wave " << e.first;
    }
    // Without a cap every wave stands still in its first step down.
    setStrings({{"Wave1SpeedMax", ""}});
    SquibbleWave still(16);
    const auto before = positions(still);
    still.update(5.0);
    EXPECT_EQ(positions(still), before);
    // Tuning past all reason is held to a speed the positions can carry.
    setStrings({{"Wave1SpeedBase", "1e300"}, {"Wave1SpeedMax", "1e308"}});
    EXPECT_DOUBLE_EQ(SquibbleWave(1).speed, 1.0e6);
}

// Under WaveQuickening a thinned block marches faster, by the share of it shot down, from the
// frame after the losses; without the rule it keeps the whole block's pace.
TEST_F(SquibbleWaveTest, AThinnedBlockQuickensOnlyUnderTheRule) {
    for (const auto& rule : {std::make_pair("0", 2.0), {"", 2.0}, {"2", 3.5}}) {
        setStrings({{"WaveQuickening", rule.first}});
        SquibbleWave wave(4);
        wave.marchState = SquibbleWave::kMarchRight;
        for (int i = 1; i < 4; ++i)
            wave.invaders[i]->health = 0;
        const double x = wave.invaders[0]->x;
        wave.update(0.1);
        wave.update(0.1);
        EXPECT_DOUBLE_EQ(wave.invaders[0]->x - x, rule.second) << rule.first;
        // The warning counts the quicker pace: 30 pixels up lands within two seconds at 15 px/s.
        wave.invaders[0]->y = kSquibbleLandingY - 30.0;
        EXPECT_EQ(wave.landsWithin(2.0), rule.second > 2.0) << rule.first;
    }
}

TEST_F(SquibbleWaveTest, OnlyLiveSquibblesTurnTheBlockSoShotAwayEndsLetItMarchFurther) {
    SquibbleWave wave(16);
    // The top row's ends are the block's outermost columns.
    wave.invaders[0]->health = wave.invaders[11]->health = 0;
    const auto dead = std::make_pair(wave.invaders[11]->x, wave.invaders[11]->y);
    stepUntilTurn(wave); // entering: one step of 16 pixels down
    EXPECT_EQ(wave.marchState, SquibbleWave::kMarchRight);
    EXPECT_DOUBLE_EQ(wave.invaders[1]->y, -20.0);
    stepUntilTurn(wave);
    EXPECT_EQ(wave.marchState, SquibbleWave::kStepDownRight);
    EXPECT_DOUBLE_EQ(wave.invaders[10]->x, 296.0) << "20 pixels further than an intact block";
    stepUntilTurn(wave);
    EXPECT_EQ(wave.marchState, SquibbleWave::kMarchLeft);
    EXPECT_DOUBLE_EQ(wave.invaders[1]->y, -4.0);
    stepUntilTurn(wave);
    EXPECT_EQ(wave.marchState, SquibbleWave::kStepDownLeft);
    EXPECT_DOUBLE_EQ(wave.invaders[1]->x, 8.0);
    EXPECT_EQ(positions(wave)[11], dead) << "the dead do not move";
    EXPECT_DOUBLE_EQ(wave.invaders[12]->x - wave.invaders[1]->x, 60.0);
}

TEST_F(SquibbleWaveTest, ALandingCostsOnePointPaysNothingAndTheWaveFallsWithItsLastSquibble) {
    SquibbleWave wave(3);
    wave.marchState = SquibbleWave::kMarchRight; // landing does not wait for a step down
    wave.invaders[0]->takeDamage(100);
    SoundLog sounds;
    const int money = game->money;
    wave.invaders[1]->y = 189.5;
    wave.invaders[2]->x = 60.5;
    wave.invaders[2]->y = 190.0;
    wave.update(0.01);
    EXPECT_GT(wave.invaders[1]->health, 0);
    EXPECT_EQ(wave.invaders[2]->health, -1);
    EXPECT_EQ(game->health, kBaseHealth - 1);
    EXPECT_EQ(game->money, money);
    EXPECT_TRUE(sounds.samples.empty());
    // A poof and a "-1" on the squibble's centre.
    ASSERT_EQ(game->effects.size(), 4u); // after the kill's poof and bounty
    EXPECT_DOUBLE_EQ(game->effects[2]->x, 60 + 7 - 4);
    auto* label = dynamic_cast<TextEffect*>(game->effects[3]);
    ASSERT_NE(label, nullptr);
    EXPECT_DOUBLE_EQ(label->y, 190 + 6);
    EXPECT_TRUE(showsText(label, "-1"));

    EXPECT_FALSE(wave.isDefeated());
    wave.marchState = SquibbleWave::kStepDownRight;
    wave.update(1.0);
    EXPECT_TRUE(wave.isDefeated()) << "one killed, two landed";
    EXPECT_EQ(game->health, kBaseHealth - 2);
    EXPECT_EQ(wave.invaders.size(), 3u) << "the dead stay until the wave goes";
    EXPECT_TRUE(SquibbleWave(0).isDefeated());
}

// From wave WaveLossMaxFrom on a wave takes at most WaveLossMax of the starting health (5 of
// 20): a landing past it costs nothing and shows no "-1", and the base says it holds.
TEST_F(SquibbleWaveTest, AWavesTollStopsItsLandingsCostingPastAShareOfTheStartingHealth) {
    setStrings({{"WaveLossMax", "0.25"}, {"WaveLossMaxFrom", "3"}});
    for (int number : {2, 3}) {
        game->waveNumber = number;
        game->health = kBaseHealth;
        const std::size_t labels = effectsOfKind<TextEffect>().size();
        SquibbleWave wave(8);
        for (Invader* squibble : wave.invaders)
            squibble->y = kSquibbleLandingY;
        wave.update(0.01);
        const int lost = number == 2 ? 8 : 5;
        EXPECT_EQ(kBaseHealth - game->health, lost);
        EXPECT_EQ(effectsOfKind<TextEffect>().size() - labels, static_cast<std::size_t>(lost));
        EXPECT_EQ(game->notices.size(), number == 2 ? 0u : 1u);
    }
}

TEST_F(SquibbleWaveTest, WhenTheBaseFallsTheBlockFreezesStillAnimatingAndHoldingFire) {
    SquibbleWave wave(16);
    wave.update(1.0);
    wave.invaders[2]->takeDamage(1);
    game->gameOver = true;
    const auto before = positions(wave);
    for (int i = 0; i < 200; ++i)
        wave.update(0.05);
    EXPECT_EQ(positions(wave), before);
    EXPECT_EQ(wave.marchState, SquibbleWave::kStepDownLeft);
    EXPECT_EQ(wave.invaders[2]->anim->row, kSquibbleHealthy) << "its hit flash played out";
    EXPECT_TRUE(game->enemyShots.empty());
}

// The opening's squibbles start light and reach their whole health the wave after the opening;
// the other kinds in the block never are lighter, and without an opening nothing changes.
TEST_F(SquibbleWaveTest, TheOpeningsSquibblesGrowToTheirWholeHealth) {
    GameApp::instance()->invaderDefs[kSquibbleKind].healthIncrease = 0.0; // 10 in every wave
    const auto healthIn = [this](int waveNumber) {
        game->waveNumber = waveNumber;
        return SquibbleWave(1).invaders[0]->maxHealth;
    };
    EXPECT_EQ(healthIn(1), 10);
    setStrings({{"OpeningWaves", "4"}, {"OpeningHealthShare", "0.25"}});
    EXPECT_EQ(healthIn(1), 3) << "a quarter, rounded up";
    EXPECT_EQ(healthIn(3), 7) << "five eighths";
    EXPECT_EQ(healthIn(5), 10);
    setStrings({{"OpeningHealthShare", "0"}});
    EXPECT_EQ(healthIn(1), 1) << "never under a tenth";
    InvaderDef& plated = GameApp::instance()->invaderDefs[kPlatedKind];
    plated.firstWave = 1;
    plated.share = plated.shareMax = 1.0;
    EXPECT_EQ(SquibbleWave(1).invaders[0]->maxHealth, 10) << "only the squibble is lighter";
}

} // namespace
