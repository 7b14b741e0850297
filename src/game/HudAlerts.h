#pragma once

#include "app/StringTable.h"

class Game;

// What the field and the HUD tell the player beyond the play itself: the danger warning while a
// squibble nears the ground (with its alarm, once per wave), the flash of the base's health bar
// after a landing, and a clock for blinking. It only watches the game: nothing here feeds back
// into play, the random numbers or the state digest.
class HudAlerts {
  public:
    // A new game: no warning, no flash, the base's health as it starts.
    void reset(int health);
    // After the field moved by dt: looks at the wave and the base, and sounds the alarm the
    // first time a wave comes near.
    void update(const Game& game, double dt);
    // Alternates at the given rate (on and off each half period) with the play's time, so it
    // stands still while the game is paused.
    bool blink(double perSecond) const;

    bool danger = false;
    double flashLeft = 0.0; // seconds the health bar still flashes
    double clock = 0.0;     // seconds of play watched since the game started

  private:
    int lastHealth = 0;
    unsigned long long alarmedWave = 0; // serial of the last wave the alarm sounded for
    KeptReal flashSeconds{"HealthFlashSeconds"};
    KeptReal dangerSeconds{"DangerSeconds"};
};
