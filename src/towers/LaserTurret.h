#pragma once

#include "towers/Building.h"

// Tower type 0: fires a laser bolt straight up at a steady cadence, whether or not anything is
// there to hit. A missile pod, once fitted, launches homing missiles at a cadence of its own.
class LaserTurret : public Building {
  public:
    LaserTurret();

    void update(double dt) override;
    // One missile from the pod at a random live invader.
    void launchMissile();
    // Where bolts leave: the middle of the resting frame. They fly straight up from there.
    int muzzleX() const { return x + restFrameWidth() / 2; }

    float fireTimer;  // seconds run towards the next bolt
    float firePeriod; // seconds between bolts
    int damage;
    bool podFitted = false;
    float missileTimer; // runs only once the pod is fitted
    float missilePeriod;
    int missileDamage;
};
