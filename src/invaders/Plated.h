#pragma once

#include "invaders/Squibble.h"

// A squibble in armour plates: every hit loses a flat amount of its damage to the plate, never
// falling below a small minimum, so a stream of small bolts barely scratches it while a blast
// or a strike breaks through. A hit that loses damage to the plate throws a spark.
class Plated : public Squibble {
  public:
    Plated();

    int takeDamage(int amount) override;
    double kindState() const override { return chipped; }

    double plate = 0.0;     // damage each hit loses
    double minDamage = 0.0; // what a hit deals at the least
    // Damage dealt but not yet a whole point of health: many glancing hits add up.
    double chipped = 0.0;
};
