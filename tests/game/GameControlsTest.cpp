#include "app/GameApp.h"
#include "app/Random.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "invaders/Wave.h"
#include "replay/Digest.h"
#include "support/TestSupport.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <allegro.h>

#include <climits>
#include <cstdlib>

namespace {

// The player's shortcuts, driven through Game::update with scripted keys and clicks.
class GameControlsTest : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        app = GameApp::instance();
    }
    void step() { game->update(0.02); }
    void press(int scanCode) {
        keyboard.pressScanCode(scanCode);
        step();
    }

    GameApp* app = nullptr;
};

TEST_F(GameControlsTest, NextWaveNowStartsTheWaveAndPaysForTheCalmSkipped) {
    ScopedString bonus("EarlyWaveBonus", "2.5");
    game->waveTimer = 4.0;
    EXPECT_EQ(game->nextWaveBonus(), 10);
    const int money = game->money;
    press(KEY_N); // the frame's step comes first: 3.98 s are skipped
    ASSERT_NE(game->wave, nullptr);
    EXPECT_EQ(game->waveNumber, 1);
    EXPECT_EQ(game->money, money + 9);
    EXPECT_EQ(game->nextWaveBonus(), 0);
    press(KEY_N);
    EXPECT_EQ(game->money, money + 9) << "a running wave pays nothing";

    // Tuning that makes no sense pays nothing, or what money can hold.
    delete game->wave;
    game->wave = nullptr;
    game->waveTimer = 4.0;
    for (const char* value : {"-3", "nan", "", "abc"}) {
        ScopedString bad("EarlyWaveBonus", value);
        EXPECT_EQ(game->nextWaveBonus(), 0) << value;
    }
    ScopedString huge("EarlyWaveBonus", "1e300");
    EXPECT_EQ(game->nextWaveBonus(), INT_MAX);
}

// The e2e scenario repairs a tower at full health only: here R mends one at its price.
TEST_F(GameControlsTest, RRepairsTheSelectedTowerAtItsPrice) {
    Building* tower = createTower(0);
    tower->placeAt(100);
    game->buildings.push_back(tower);
    game->uiMode = kUiTowerMenu;
    game->selected = tower;
    tower->health = 1;
    game->money = 1000;
    const int cost = tower->repairCost();
    press(KEY_R);
    EXPECT_EQ(tower->health, tower->maxHealth());
    EXPECT_EQ(game->money, 1000 - cost);
}

struct FixedSteps : StepSource {
    double nextStep() override { return 0.02; }
};

// Three field steps a frame for N frames are N x 3 frames at 1x: towers firing, wounded towers
// lost between the steps, landings, the screen shaking, and every random number drawn.
TEST_F(GameControlsTest, ThreeTimesSpeedIsOneTimesSoonerDownToTheRandomNumbers) {
    ScopedString fast("Wave1SpeedBase", "60");
    FixedSteps steps;
    app->stepSource = &steps;
    auto play = [&](int speed, int frames) {
        srand(99);
        game->reset();
        for (int type : {0, 2}) {
            game->buildings.push_back(createTower(type));
            game->buildings.back()->placeAt(60 + 90 * type);
            game->buildings.back()->health = 2;
        }
        game->waveTimer = 0.5;
        app->startShake(3.0, 2.0);
        game->speed = speed;
        for (int i = 0; i < frames; ++i) {
            game->update(app->tick());
            app->backBuffer->present();
        }
        EXPECT_LT(game->buildings.size(), 2u);
        EXPECT_LT(game->health, game->maxHealth);
        return stateDigest(*game) + " " + std::to_string(randomInt());
    };
    EXPECT_EQ(play(3, 700), play(1, 2100));
}

} // namespace
