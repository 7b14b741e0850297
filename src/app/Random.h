#pragma once

#include <cstdlib>

// All gameplay randomness comes from the C library's rand, seeded once at start-up and by srand
// in tests. The game's tuning assumes draws from 0 to 32767; glibc's rand goes up to 2^31 - 1,
// so every draw is folded into that range (one rand call per draw, so the order of draws holds).
constexpr int kRandomMax = 32767;

inline int randomInt() {
    return std::rand() % (kRandomMax + 1);
}

// A fraction in [0, 1].
inline double randomFraction() {
    return randomInt() / static_cast<double>(kRandomMax);
}
