#pragma once

#include "invaders/Squibble.h"

// A light, quick squibble that leaves its row once the formation is low and dives for the
// ground on a swinging curve, fast: the towers under its path have a moment to catch it. It
// lands as a squibble does, for its kind's landing cost.
class Diver : public Squibble {
  public:
    Diver();

    void update(double dt) override;
    double descentSpeed(double formationSpeed) const override {
        return diving ? diveSpeed : formationSpeed;
    }
    double kindState() const override { return diving ? diveTime : -1.0; }

    double diveHeight = 0.0; // its top edge at or below this, it dives
    double diveSpeed = 0.0;  // pixels per second downwards while diving
    double swing = 0.0;      // pixels per second sideways at the widest of the curve
    bool diving = false;
    double diveTime = 0.0;
    int direction = 1; // towards the middle of the field: 1 right, -1 left

  private:
    void dive(double dt);
};
