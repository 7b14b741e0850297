#include "app/GameApp.h"
#include "app/Random.h"
#include "game/Controls.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "invaders/Invader.h"
#include "invaders/SquibbleWave.h"
#include "invaders/Wave.h"
#include "replay/Digest.h"
#include "support/TestSupport.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <allegro.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <set>

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
    void click(int x, int y) {
        clickAt(x, y);
        step();
        app->previousButtons = 0;
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

// The e2e scenario repairs a tower at full health only: here R mends one at its price, and
// neither R nor Delete touches a tower whose menu was closed (Escape twice leaves it selected).
TEST_F(GameControlsTest, RAndDeleteActOnTheSelectedTowerOnlyWhileItsMenuIsOpen) {
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

    tower->health = 1;
    press(KEY_ESC);
    press(KEY_ESC);
    ASSERT_EQ(game->uiMode, kUiIdle);
    press(KEY_R);
    press(KEY_DEL);
    EXPECT_EQ(tower->health, 1);
    EXPECT_EQ(game->buildings.size(), 1u);
    EXPECT_EQ(game->money, 1000 - cost);
}

// The small buttons are shortcuts like F and N: under the menu, while paused and under the help
// card they do nothing, and neither do their keys; the help card opens with H or F1, but not
// while paused, and a click or key that closes it does nothing else.
TEST_F(GameControlsTest, TheSmallButtonsAndTheKeysWaitWhileTheFieldStandsStill) {
    game->waveTimer = 4.0;
    const int money = game->money;
    auto tryAll = [&](const char* state) {
        click(kHudButtonX + 5, kSpeedButtonY + 4);
        click(kHudButtonX + 5, kNextWaveButtonY + 4);
        press(KEY_F);
        press(KEY_N);
        EXPECT_EQ(game->speed, 1) << state;
        EXPECT_EQ(game->wave, nullptr) << state;
        EXPECT_EQ(game->money, money) << state;
    };
    press(KEY_ESC);
    tryAll("under the menu");
    press(KEY_ESC);
    press(KEY_P);
    tryAll("paused");
    press(KEY_H);
    EXPECT_FALSE(game->helpShown) << "while paused only P, Escape and the menu answer";
    press(KEY_P);

    for (int key : {KEY_H, KEY_F1}) {
        press(key);
        ASSERT_TRUE(game->helpShown) << key;
        click(kHudButtonX + 5, kSpeedButtonY + 4);
        EXPECT_FALSE(game->helpShown);
        press(key);
        press(KEY_F);
        EXPECT_FALSE(game->helpShown);
        EXPECT_EQ(game->speed, 1);
    }
    // With the field running both buttons answer.
    click(kHudButtonX + 5, kSpeedButtonY + 4);
    EXPECT_EQ(game->speed, 2);
    click(kHudButtonX + 5, kNextWaveButtonY + 4);
    EXPECT_NE(game->wave, nullptr);
    EXPECT_GT(game->money, money);
}

// A key bound twice would work only one of its rows, and a row whose names do not match its keys
// tells the player a wrong key on the help card and in --help.
TEST(ControlsTest, EveryKeyHasOneRowAndEveryRowNamesItsKeys) {
    std::set<int> seen;
    for (const Control& control : controls()) {
        int keys = 0;
        for (int code : control.scanCodes) {
            if (!code)
                break;
            EXPECT_TRUE(seen.insert(code).second) << control.keys;
            int which = -1;
            EXPECT_EQ(controlForKey(code, which), &control);
            EXPECT_EQ(which, keys++);
        }
        const std::string names = control.keys;
        const int named = 1 + static_cast<int>(std::count(names.begin(), names.end(), ','));
        EXPECT_EQ(keys ? named : 0, keys) << names;
        EXPECT_EQ(control.act != nullptr, keys > 0) << names;
    }
}

struct FixedSteps : StepSource {
    double nextStep() override { return 0.02; }
};

// Three field steps a frame for N frames are N x 3 frames at 1x: towers firing, wounded towers
// lost between the steps, landings, the screen shaking, and every random number drawn.
TEST_F(GameControlsTest, ThreeTimesSpeedIsOneTimesSoonerDownToTheRandomNumbers) {
    ScopedString fast("Wave1SpeedBase", "60");
    ScopedString fastest("Wave1SpeedMax", "60");
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

// The base is lost in the first of three steps: the frame ends there, as the loss is noticed
// after the step it happens in, and the sky moves one step, not three.
TEST_F(GameControlsTest, AtThreeTimesSpeedNoStepRunsAfterTheBaseIsLost) {
    auto* wave = new SquibbleWave(1);
    wave->speed = 10.0;
    wave->marchState = SquibbleWave::kStepDownRight;
    wave->invaders[0]->y = kSquibbleLandingY - 0.05;
    game->wave = wave;
    game->waveTimer = -1.0;
    game->health = 1;
    game->speed = 3;
    const double cloudX = game->clouds[0].x;
    step();
    EXPECT_TRUE(game->gameOver);
    EXPECT_DOUBLE_EQ(game->clouds[0].x, cloudX - 0.02 * game->clouds[0].speed);
}

} // namespace
