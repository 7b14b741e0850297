#pragma once

#include "invaders/Wave.h"

// A squibble whose top edge reaches this line has landed.
constexpr double kSquibbleLandingY = 190.0;

// The ordinary attack: a block of squibbles, twelve to a row, that enters from above the field
// and marches right, down, left, down, and so on, faster in later waves. Every squibble that
// reaches the ground costs the base a point, up to the wave's toll where the data sets one.
class SquibbleWave : public Wave {
  public:
    // Builds the formation of count squibbles for the game's current wave number.
    explicit SquibbleWave(int count);

    void update(double dt) override;
    // A live squibble is nearer the landing line than the wave marches in that many seconds.
    // The block mostly marches sideways, so the real time left is longer: the warning never
    // comes late.
    bool landsWithin(double seconds) const override;

    // The block's marching states, in the order it goes through them.
    enum MarchState { kMarchRight = 0, kStepDownRight = 1, kMarchLeft = 2, kStepDownLeft = 3 };

    double speed = 0.0; // pixels per second, marching and stepping down alike
    // What the speed is multiplied by as the block thins (WaveQuickening): 1 while whole, and
    // with the rule off. Worked out from the squibbles alive after each frame.
    double pace = 1.0;
    double quickening = 0.0;
    // The base health the wave may still take (WaveLossMax, from wave WaveLossMaxFrom on); -1
    // without a limit. A landing past it costs nothing, so no single wave ends a long game.
    int tollLeft = -1;
    int lossLeft() const override { return tollLeft; }
    int marchState = kStepDownLeft;
    double stepDone = 0.0; // pixels descended in the current step down

  private:
    // Moves one invader with the block and widens the block's extreme left edges by it.
    void march(Invader* squibble, double moved, int& right, int& left) const;
    void land(Invader* squibble);
    // At most one change of marching state a frame; moved is how far the block went this frame,
    // right and left the extreme left edges of the live squibbles after it.
    void turn(double moved, int right, int left);
    void quicken(int alive);
};
