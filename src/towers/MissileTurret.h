#pragma once

#include "towers/Building.h"

// Tower type 1: launches homing missiles with splash damage at a steady cadence, turning its
// launcher towards the side of its target. Upgrades: faster launches, a wider blast, and a
// second missile per launch.
class MissileTurret : public Building {
  public:
    MissileTurret();

    void update(double dt) override;
    void upgrade(int k) override;
    UpgradeChange upgradeChange(int k) const override;
    // What each level adds to the time between launches, and to the blast's radius.
    static float fasterLaunchesStep();
    static float widerBlastStep();
    // One launch (two missiles with the twin upgrade) at random live invaders.
    void fireVolley();

    float fireTimer;  // seconds run towards the next launch
    float firePeriod; // seconds between launches
    int damage;       // of a direct hit
    int splashDamage; // to every invader inside the blast
    double splashRadius;
    bool facingRight = false; // the side of the last launch
};
