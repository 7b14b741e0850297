#include "app/GameApp.h"
#include "app/Random.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "invaders/Wave.h"
#include "replay/Digest.h"
#include "support/TestSupport.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

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
    press(kPauseScanCode);
    press(kNextWaveScanCode);
    EXPECT_EQ(game->wave, nullptr) << "nothing but P and Escape answer while paused";
    press(kPauseScanCode);

    const int money = game->money;
    const double calm = game->waveTimer;
    EXPECT_EQ(game->nextWaveBonus(), static_cast<int>(2.5 * calm));
    press(kNextWaveScanCode);
    ASSERT_NE(game->wave, nullptr);
    EXPECT_EQ(game->waveNumber, 1);
    EXPECT_EQ(game->money, money + static_cast<int>(2.5 * calm));
    EXPECT_EQ(game->nextWaveBonus(), 0);
    press(kNextWaveScanCode);
    EXPECT_EQ(game->money, money + static_cast<int>(2.5 * calm)) << "a running wave pays nothing";

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

} // namespace

namespace {

struct FixedSteps : StepSource {
    double nextStep() override { return 0.02; }
};

// Three field steps a frame for N frames are N x 3 frames at 1x: towers firing, wounded towers
// lost between the steps, landings, the screen shaking, and every random number drawn.
TEST_F(GameControlsTest, ThreeTimesSpeedIsOneTimesSoonerDownToTheRandomNumbers) {
    ScopedString fast("Wave1SpeedBase", "60");
    FixedSteps steps;
    StepSource* saved = app->stepSource;
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
    app->stepSource = saved;
}

TEST_F(GameControlsTest, HotkeysDoWhatTheirButtonsDoAndThePanelPlacesNothing) {
    game->waveTimer = 1000.0;
    auto click = [&](int x, int y) {
        clickAt(x, y);
        step();
        app->previousButtons = 0;
    };
    game->money = app->towerDefs[1].value - 1;
    press(kFirstTowerScanCode + 1);
    EXPECT_EQ(game->uiMode, kUiIdle) << "a greyed button's key does nothing";
    press(kFirstTowerScanCode);
    ASSERT_EQ(game->uiMode, kUiPlacing);
    EXPECT_EQ(game->placingType, 0);
    click(150, kPanelTop);
    EXPECT_TRUE(game->buildings.empty()) << "a click on the panel buys nothing";
    click(150, app->towerBaseline - 5);
    ASSERT_EQ(game->buildings.size(), 1u);

    Building* tower = game->buildings[0];
    game->uiMode = kUiTowerMenu;
    game->selected = tower;
    tower->health = 1;
    game->money = 1000;
    const int repair = tower->repairCost();
    press(kRepairScanCode);
    EXPECT_EQ(tower->health, tower->maxHealth());
    EXPECT_EQ(game->money, 1000 - repair);
    const int refund = tower->sellValue();
    press(kDemolishScanCode);
    EXPECT_EQ(game->money, 1000 - repair + refund);
    EXPECT_TRUE(game->buildings.empty());
    EXPECT_EQ(game->uiMode, kUiIdle);
}

TEST_F(GameControlsTest, TheHelpCardAndTheMenuStopTheFieldUntilClosed) {
    game->waveTimer = 1000.0;
    press(kHelpF1ScanCode);
    ASSERT_TRUE(game->helpShown);
    const double timer = game->waveTimer;
    press(kSpeedScanCode);
    EXPECT_FALSE(game->helpShown);
    EXPECT_EQ(game->speed, 1) << "the key that closes the card does nothing else";
    EXPECT_EQ(game->waveTimer, timer);
    press(kHelpScanCode);
    clickAt(160, 100);
    step();
    EXPECT_FALSE(game->helpShown);

    press(kEscapeScanCode);
    const double menuTimer = game->waveTimer;
    step();
    EXPECT_EQ(game->waveTimer, menuTimer);
    press(kEscapeScanCode);
    step();
    EXPECT_LT(game->waveTimer, menuTimer);
}

} // namespace
