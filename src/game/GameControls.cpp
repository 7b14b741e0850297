// The player's shortcuts: calling the next wave early.

#include "game/Game.h"

#include "app/GameApp.h"
#include "app/Sound.h"
#include "effects/TextEffect.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

// Where "+N" for an early call rises: just right of the money.
constexpr int kBonusTextX = 40;
constexpr int kBonusTextY = 226;

} // namespace

bool Game::canCallNextWave() const {
    return !gameOver && !wave && waveTimer >= 0.0;
}

int Game::nextWaveBonus() const {
    if (!canCallNextWave())
        return 0;
    const double bonus = app->strings.getReal("EarlyWaveBonus") * waveTimer;
    // Tuning that is negative or not a number pays nothing; a huge one what money can hold.
    if (!(bonus >= 1.0))
        return 0;
    return static_cast<int>(std::min(bonus, static_cast<double>(INT_MAX)));
}

void Game::callNextWave() {
    if (!canCallNextWave())
        return;
    const int bonus = nextWaveBonus();
    if (bonus > 0) {
        addMoney(bonus);
        char text[16];
        std::snprintf(text, sizeof text, "+%d", bonus);
        addEffect(new TextEffect(kBonusTextX, kBonusTextY, app->fontMain, text));
    }
    playSample(app->sampleBip);
    startWave();
}
