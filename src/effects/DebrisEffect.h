#pragma once

#include "effects/Effect.h"

#include <vector>

// Tiles thrown into the air by a blast; they bounce on the ground, trail smoke and blink out.
class DebrisEffect : public Effect {
  public:
    struct Piece {
        int tile = 0;
        double x = 0.0; // centre of the tile
        double y = 0.0;
        double vx = 0.0; // pixels per second; positive y is downwards
        double vy = 0.0;
    };

    // Bursts are capped at this many pieces. The sturdiest shipped tower throws 14; each piece
    // leaves up to three trail puffs and a puff on every hard landing, so a burst costs a few
    // effects per piece. 256 leaves room for far sturdier towers while a typo in a tower's
    // health (two billion pieces) can neither exhaust memory nor stall the frames it lives in.
    static constexpr unsigned kMaxPieces = 256;

    DebrisEffect(int cx, int cy, unsigned count, double spread, double speed);

    void update(double dt) override;
    void draw(BITMAP* target) override;

    std::vector<Piece> pieces;
    double puffTimer = 0.0;
};
