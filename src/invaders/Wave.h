#pragma once

#include <vector>

struct BITMAP;
class Invader;

// One attack's invaders. The wave owns them; dead ones stay in the list until the wave goes.
class Wave {
  public:
    Wave();
    virtual ~Wave();
    Wave(const Wave&) = delete;
    Wave& operator=(const Wave&) = delete;
    virtual void update(double dt);
    virtual bool isDefeated() const;
    // The invader whose health bar the HUD shows, if any.
    virtual Invader* boss() const { return nullptr; }
    // True while a live invader is so near the ground that, at the wave's speed, it could land
    // within that many seconds: the HUD warns the player then. Only squibble waves land.
    virtual bool landsWithin(double /*seconds*/) const { return false; }
    // The base health the wave may still take, for the HUD's mark on the health bar; -1 when
    // nothing limits it.
    virtual int lossLeft() const { return -1; }

    void drawInvaders(BITMAP* target) const;
    void killAll();
    // An invader born in the wave (a splitter's half). It joins the list at the start of the
    // wave's next update, never while shots or blasts are walking the list.
    void join(Invader* invader);

    std::vector<Invader*> invaders;
    // How many times a dead invader of the list has come back to life (the boss's ring), for
    // those who count deaths from outside: one shot down and brought back within a frame never
    // shows as dead between frames.
    int returns = 0;

    // Unique for the life of the process, never reused. A shot that remembers the serial of its
    // target's wave can tell that the wave (and the target with it) is gone even when a new wave
    // has been allocated at the same address.
    const unsigned long long serial;

  protected:
    // Appends the invaders that joined since the last update to the list.
    void admitArrivals();

  private:
    std::vector<Invader*> arrivals; // owned until admitted
};

// The serial of the game's current wave, or 0 when no wave is running (no wave has serial 0).
unsigned long long currentWaveSerial();
