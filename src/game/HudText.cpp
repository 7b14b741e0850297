#include "game/HudText.h"

#include <cmath>
#include <cstdio>

namespace {

// A pause of more than a day is shown as a day: hostile tuning keeps its text short.
constexpr double kLongestCountdown = 86400.0;

} // namespace

bool isBossWave(int waveNumber) {
    return waveNumber % kBossWaveEvery == 0;
}

std::string waveText(int waveNumber) {
    return "Wave " + std::to_string(waveNumber);
}

std::string countdownText(int waveNumber, double waveTimer) {
    if (!(waveTimer >= 0.0))
        return "";
    const int seconds = static_cast<int>(std::ceil(std::fmin(waveTimer, kLongestCountdown)));
    char text[48];
    std::snprintf(text, sizeof text, "%s in %d s", isBossWave(waveNumber) ? "Boss" : "Starts",
                  seconds);
    return text;
}
