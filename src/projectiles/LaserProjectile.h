#pragma once

#include "projectiles/Projectile.h"

// The laser turret's bolt: flies straight up and is spent on the first invader it hurts, or once
// it has left the top of the field. x is the centre of its image, y its top edge.
class LaserProjectile : public Projectile {
  public:
    LaserProjectile(int x, int y, int damage);

    void update(double dt) override;
    void draw(BITMAP* target) override;
    void hit(Invader* invader) override;
    // A bolt flies straight whatever the wave did: a step of no time would take 0 from its
    // height (never -0, so the sign stays) and repeat the check that keeps it alive.
    void settle() override {}

    BITMAP* image; // not owned; may be null
    double speed;  // pixels per second, upwards
    int damage;
};
