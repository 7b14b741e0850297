#pragma once

class Clock;
class Game;
class Keyboard;
class Mouse;
class SoundObserver;
class StepSource;

// Remembers the application object's seams (clock, keyboard, mouse, step source), the sound
// observer and the current game (with whether its field stands still or goes unseen), and puts
// them all back
// when it goes, however the scope ends.
// Whoever holds one may replace any of them meanwhile: the simulator with its player's hands and
// fixed steps, a test with fakes.
class SeamGuard {
  public:
    SeamGuard();
    ~SeamGuard();
    SeamGuard(const SeamGuard&) = delete;
    SeamGuard& operator=(const SeamGuard&) = delete;

  private:
    Clock* clock;
    Keyboard* keyboard;
    Mouse* mouse;
    StepSource* steps;
    SoundObserver* observer;
    Game* game;
    bool fieldStill;
    bool fieldUnseen;
    bool resultOnly;
};
