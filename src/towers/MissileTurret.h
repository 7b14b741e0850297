#pragma once

#include "towers/Building.h"

// Tower type 1: launches homing missiles with splash damage at a steady cadence, turning its
// launcher towards the side of its target; with the twin fitted, every launch is two missiles.
class MissileTurret : public Building {
  public:
    MissileTurret();

    void update(double dt) override;
    // One launch (two missiles with the twin upgrade) at random live invaders.
    void fireVolley();

    float fireTimer;  // seconds run towards the next launch
    float firePeriod; // seconds between launches
    int damage;       // of a direct hit
    int splashDamage; // to every invader inside the blast
    double splashRadius;
    bool facingRight = false; // the side of the last launch
    bool twinFitted = false;
};
