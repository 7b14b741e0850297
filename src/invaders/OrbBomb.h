#pragma once

#include "invaders/InvaderProjectile.h"

// The boss's bomb: lobbed upwards, it falls, bounces once off the ground or a tower, and blows
// up where it comes down the second time. A blast on the ground costs the base a point.
class OrbBomb : public InvaderProjectile {
  public:
    OrbBomb();

    void update(double dt) override;
    void draw(BITMAP* target) override;
    void impact() override;

    double vx = 0.0; // set by the launcher
    double vy;       // pixels per second, positive downwards
    double trailTimer = 0.0;
    double animRate = 1.0; // the bounce slows the spin
    int bounces = 0;

  private:
    void bounce();
    void explode();
    void spawnTrailPuff();
};
