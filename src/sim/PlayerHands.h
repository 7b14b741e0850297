#pragma once

#include "app/Platform.h"

#include <deque>

// A scripted player's mouse and keyboard. Gestures are queued as the mouse samples and keys the
// game will read, one sample per frame, so every click goes through the game's own input
// handling: a click is a frame with the button down and a frame with it released. Positions
// are play-field pixels; the samples are in window pixels, as the real mouse gives them.
class PlayerHands : public Mouse, public Keyboard {
  public:
    MouseSample sample() override;
    bool keypressed() override { return !keys.empty(); }
    int readkey() override;

    void click(int x, int y);
    void rightClick(int x, int y);
    void pressKey(int scanCode);
    // Gives every gesture still queued here to other hands, after theirs.
    void handOver(PlayerHands& to);
    // True while gestures are still being played out.
    bool busy() const { return !samples.empty() || !keys.empty(); }

  private:
    std::deque<MouseSample> samples;
    std::deque<int> keys;
    MouseSample resting;
};
