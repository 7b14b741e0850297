#include "app/GameApp.h"
#include "game/Game.h"
#include "invaders/Wave.h"
#include "support/TestSupport.h"
#include "towers/Building.h"

#include <climits>

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
