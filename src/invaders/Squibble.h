#pragma once

#include "invaders/Invader.h"

struct InvaderDef;

// What every invader kind's health is multiplied by in a wave (LateHealthFrom, LateHealthGrowth).
double lateHealthFactor(int waveNumber);
// The wave whose steady growth every kind's health has in a wave (SteadyHealthUntil).
int steadyHealthWave(int waveNumber);

// The ordinary enemy, moved by its wave: it animates, drops bullets at random, flashes when
// hit, shows its wounded loop once badly hurt, and pays a bounty when shot down, more the
// closer it came to the ground. Its position is the top-left corner of its sprite.
//
// The other kinds of the formation are squibbles with a twist, each configured by its own row
// of the invader kinds (its keys, its sheet with the same four rows, its sounds).
class Squibble : public Invader {
  public:
    // Health grows with the game's current wave number.
    explicit Squibble(int kind = 0);

    void update(double dt) override;
    void draw(BITMAP* target) override;
    int takeDamage(int amount) override;

    // At or below this health the squibble is wounded: it fires more often and rolls less.
    int woundedThreshold() const;

    // Seconds towards the next roll for a shot.
    float shotTimer = 0.0f;

  protected:
    const InvaderDef& def() const;
    // The bounty, the poof, the sound and the floating text of a squibble shot down.
    virtual void die();
    // Whether it rolls for shots at all.
    bool fires = true;
};

// Sprite rows of the squibble's sheet.
enum SquibbleRow {
    kSquibbleHealthy = 0,
    kSquibbleHealthyHit = 1,
    kSquibbleWounded = 2,
    kSquibbleWoundedHit = 3,
};
