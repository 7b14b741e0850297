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

    DebrisEffect(int cx, int cy, unsigned count, double spread, double speed);

    void update(double dt) override;
    void draw(BITMAP* target) override;

    std::vector<Piece> pieces;
    double puffTimer = 0.0;
};
