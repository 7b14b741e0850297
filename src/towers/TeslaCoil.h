#pragma once

#include "towers/Building.h"

class Invader;

// Tower type 2: builds up a charge that is the reach of its discharge in pixels, then strikes
// the nearest live invader within reach directly. Each strike drops the charge below zero, so
// the coil must recharge before it can strike again.
class TeslaCoil : public Building {
  public:
    TeslaCoil();

    // Reach is measured from the coil's tip, this far above its centre; the spark starts there.
    static constexpr int kTipRise = 8;
    // The reach at which charging stops, as the data sets it for every new coil.
    static double fullReachFromData();

    void update(double dt) override;
    // The nearest live invader of the current wave within the charge's reach, or null.
    Invader* findNearestInvader() const;
    // The strike leaps on from target to up to chainCount more invaders, each the nearest one
    // not yet struck within chainReach of the one before, and strikes each as hard.
    void leapFrom(Invader* target);

    float fireTimer;  // seconds run towards the next discharge; frozen while uncharged
    float firePeriod; // seconds between discharges
    int damage;
    double chargeRange = 0.0; // current reach in pixels
    double rangeGrowth;       // pixels of reach gained per second
    double rangeMax;          // reach at which the charging stops
    int chainCount = 0;       // invaders a strike leaps on to after its target (Chain Lightning)
    double chainReach = 0.0;  // pixels between centres a leap crosses at the most
};
