#pragma once

#include "invaders/InvaderProjectile.h"

// The small bullet a squibble drops: it falls steadily, weaving from side to side, and chips a
// point off any tower it touches. One that reaches the ground only leaves a puff.
class SquibbleBullet : public InvaderProjectile {
  public:
    SquibbleBullet();

    void update(double dt) override;
    void draw(BITMAP* target) override;
    void impact() override;

    // Seconds into the sideways swing; each bullet starts at a random point of it.
    double weavePhase;
};
