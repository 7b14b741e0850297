// What the HUD tells the player about where the game stands: the wave and its countdown, the
// danger warning with its alarm, and the flash after a landing.

#include "app/GameApp.h"
#include "game/Game.h"
#include "game/HudText.h"
#include "invaders/Invader.h"
#include "invaders/SquibbleWave.h"
#include "support/TestSupport.h"

#include <cmath>

namespace {

TEST(HudTextTest, TheWaveAndTheWholeSecondsToTheNextCountingUp) {
    EXPECT_EQ(waveText(7), "Wave 7");
    EXPECT_EQ(countdownText(7, 6.0), "Starts in 6 s");
    EXPECT_EQ(countdownText(7, 5.01), "Starts in 6 s");
    EXPECT_EQ(countdownText(7, 0.2), "Starts in 1 s");
    EXPECT_EQ(countdownText(7, 0.0), "Starts in 0 s");
    EXPECT_EQ(countdownText(20, 2.5), "Boss in 3 s");
    // A wave on, and tuning that is no number or absurd.
    EXPECT_EQ(countdownText(7, -1.0), "");
    EXPECT_EQ(countdownText(7, std::nan("")), "");
    EXPECT_EQ(countdownText(7, 1e300), "Starts in 86400 s");
}

using HudAlertsTest = GameFixture;

TEST_F(HudAlertsTest, ALowSquibbleWarnsWithOneAlarmPerWaveAndALandingFlashesTheBar) {
    GameApp* app = GameApp::instance();
    ScopedString seconds("DangerSeconds", "2");
    ScopedString flash("HealthFlashSeconds", "0.5");
    SoundLog sounds;
    auto* wave = new SquibbleWave(1);
    wave->speed = 10.0;
    wave->marchState = SquibbleWave::kMarchRight; // sideways: the squibble stays at its height
    game->wave = wave;
    game->waveTimer = -1.0;
    Invader* squibble = wave->invaders[0];
    squibble->x = 100.0;

    squibble->y = kSquibbleLandingY - 21.0; // more than 2 s at 10 pixels a second
    game->update(0.01);
    EXPECT_FALSE(game->alerts.danger);
    squibble->y = kSquibbleLandingY - 19.0;
    for (int i = 0; i < 20; ++i)
        game->update(0.01);
    EXPECT_TRUE(game->alerts.danger);
    EXPECT_EQ(sounds.count(app->sampleAlarm), 1) << "once per wave, not once per frame";

    const int health = game->health;
    wave->marchState = SquibbleWave::kStepDownRight;
    squibble->y = kSquibbleLandingY - 0.05;
    game->update(0.01);
    EXPECT_EQ(game->health, health - 1);
    EXPECT_DOUBLE_EQ(game->alerts.flashLeft, 0.5);
    EXPECT_FALSE(game->alerts.danger) << "nothing left alive to land";
    for (int i = 0; i < 60; ++i)
        game->update(0.01);
    EXPECT_DOUBLE_EQ(game->alerts.flashLeft, 0.0);

    // A new wave that comes as near sounds the alarm again.
    auto* next = new SquibbleWave(1);
    next->invaders[0]->y = kSquibbleLandingY - 1.0;
    next->marchState = SquibbleWave::kMarchRight;
    delete game->wave;
    game->wave = next;
    game->update(0.01);
    EXPECT_EQ(sounds.count(app->sampleAlarm), 2);
}

} // namespace
