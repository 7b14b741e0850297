#pragma once

#include "invaders/Invader.h"

struct BITMAP;
class SpriteAnim;

// The boss of every tenth wave: a large orb with three satellites, moved by its wave. It cannot
// be hurt until it has arrived, lobs bombs at the towers while it fights, and when its health
// runs out it blinks and bursts for a few seconds before the final blast, which pays the reward
// and takes the rest of its wave with it. Its x, y are its centre.
class MasterOrb : public Invader {
  public:
    enum State { kEntering = 0, kFighting = 1, kDying = 2, kDead = 3 };

    // A small orb drawn circling a point near the centre.
    struct Satellite {
        double phase = 0.0;
        SpriteAnim* anim = nullptr; // owned
        int offsetX = 0;
        int offsetY = 0;
    };

    static constexpr int kSatellites = 3;
    static constexpr double kArrivalY = 32.0; // where it stops sinking and starts to fight
    static constexpr double kBombPeriod = 6.5;
    static constexpr double kHitFlashSeconds = 0.6;
    static constexpr double kDyingSeconds = 4.0;

    MasterOrb();
    ~MasterOrb() override;

    void update(double dt) override;
    void draw(BITMAP* target) override;
    // 0 once dead, 1 while the hit is absorbed (entering or dying), otherwise the amount.
    int takeDamage(int amount) override;

    Satellite satellites[kSatellites];
    BITMAP* silhouette = nullptr; // owned; the body in white, to blink over it
    double bombTimer = 0.0;
    // The hit flash, and while dying the countdown to the final blast.
    double flashTimer = 0.0;
    int orbState = kEntering;

  private:
    void launchBomb();
    void randomExplosion(double delay);
    void finalBlast();
};
