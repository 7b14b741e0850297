#pragma once

#include "invaders/Wave.h"

class MasterOrb;

// The boss wave: the master orb sinks into view inside a ring of twelve squibbles that turns
// around it, then sways and bobs across the top of the field. Ring squibbles shot down come back
// one at a time while the orb lives; the orb's final blast takes the rest of the ring with it.
class MasterOrbWave : public Wave {
  public:
    static constexpr int kRingSize = 12;
    static constexpr double kRingRadius = 48.0;
    static constexpr double kRespawnSeconds = 4.0;

    MasterOrbWave();

    void update(double dt) override;
    // The orb once it has arrived, while its bar has something to show; during the dying seconds
    // (health held at 1) there is none.
    Invader* boss() const override;

    int phase = 0; // 0 entering, 1 hovering
    double ringTime = 0.0;
    double hoverTime = 0.0;
    double respawnTimer = 0.0;
    Invader* ring[kRingSize] = {}; // owned by invaders, in ring order
    MasterOrb* orb = nullptr;      // owned by invaders, first in the list

  private:
    void moveOrb(double dt);
    void turnRing();
    void respawnOne();
};
