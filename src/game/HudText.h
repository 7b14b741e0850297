#pragma once

#include <string>

// Every tenth wave is a boss wave.
constexpr int kBossWaveEvery = 10;
bool isBossWave(int waveNumber);

// The HUD's line for the wave being fought, or the next one between waves: "Wave 7".
std::string waveText(int waveNumber);
// Under it, between waves (a timer of 0 or more), the whole seconds left, counted up so that
// "in 1 s" is the last second: "Starts in 6 s", or "Boss in 6 s" before a boss wave. Empty
// while a wave runs, and for a timer that is not a number.
std::string countdownText(int waveNumber, double waveTimer);
