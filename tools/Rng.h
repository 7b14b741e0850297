#pragma once

#include <cstdint>

// A tiny seeded generator (xorshift32) so the data set comes out the same on every machine and
// C library. Each piece of art seeds its own, so redrawing one never reshuffles another.
class Rng {
  public:
    explicit Rng(uint32_t seed) : state(seed ? seed : 0x9e3779b9u) {}

    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // Uniform in [0, 1).
    double unit() { return (next() >> 8) * (1.0 / 16777216.0); }
    // Uniform in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    // Uniform integer in [0, n).
    int below(int n) { return n > 0 ? static_cast<int>(next() % static_cast<uint32_t>(n)) : 0; }

  private:
    uint32_t state;
};
