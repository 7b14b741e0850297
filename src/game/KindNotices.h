#pragma once

#include <deque>

class Wave;

// The first time a kind of invader other than the squibble comes in a game, the HUD names it
// for a few seconds with a line on how to beat it; kinds that first come together take turns.
// Watched, never played: nothing here changes the game.
class KindNotices {
  public:
    void reset();
    // A wave has begun: every kind in it not met before in this game is noticed.
    void meet(const Wave& wave);
    // Field time: the notice shown counts down, and the next takes over when it is done.
    void update(double dt);
    // The kind whose notice shows, or -1.
    int shown() const { return queue.empty() ? -1 : queue.front(); }
    // Seconds the notice shown has left.
    double left() const { return timeLeft; }

    static constexpr double kSeconds = 5.0;

  private:
    unsigned met = 0; // bit k: kind k has come in this game
    std::deque<int> queue;
    double timeLeft = 0.0;
};
