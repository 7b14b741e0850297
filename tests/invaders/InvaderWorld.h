#pragma once

#include "invaders/Squibble.h"
#include "towers/Building.h"
#include "towers/TowerWorld.h"

struct SAMPLE;

// The tower world with invaders in it, still independent of the shipped data: a 14 x 12
// squibble whose four rows each have a colour of their own, 8 x 8 poofs, samples the tests can
// tell apart, a base of 20 health, wave 1, and squibbles of 10 health (+2.5 a wave), a bounty
// of 10 and a hit radius of 7. The world's font stands in for the red one too.
class InvaderWorld : public TowerWorld {
  protected:
    void SetUp() override;
    void TearDown() override;

    static constexpr int kBaseHealth = 20;

    // A squibble of the current wave with its top-left corner at (x, y); the world owns it.
    Squibble* squibble(double x, double y);
    // A tower of the type with its left edge at x, standing in the game's own list.
    Building* tower(int type, int x);

    SpriteSheet* squibbleSheet = nullptr;
    SpriteSheet* shotSheet = nullptr;
    SpriteSheet* poofs = nullptr;
    SAMPLE* death = nullptr;
    SAMPLE* bounce = nullptr;
    SAMPLE* boom = nullptr;

  private:
    std::vector<std::unique_ptr<Squibble>> squibbles;
};
