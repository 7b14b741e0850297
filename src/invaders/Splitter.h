#pragma once

#include "invaders/Squibble.h"

// A squibble that bursts into two halves when shot down (not when it lands): small, quick,
// weak mites that fall for the ground at once, one drifting each way.
class Splitter : public Squibble {
  public:
    Splitter();

  protected:
    void die() override;
};

// A splitter's half. It never marches in a formation and never fires: it falls for the ground
// on a slant, away from its twin, turning back at the edges of the field, so it crosses the
// towers' columns on its way down; it lands for its kind's landing cost.
class Mite : public Squibble {
  public:
    Mite();

    void update(double dt) override;
    double descentSpeed(double) const override { return speed; }
    double kindState() const override { return drift; }

    double speed = 0.0; // pixels per second downwards
    double drift = 0.0; // pixels per second sideways, negative to the left
};
