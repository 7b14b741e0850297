#pragma once

struct BITMAP;

// A short-lived decoration owned by the game, which deletes it once its age reaches its
// lifetime.
class Effect {
  public:
    virtual ~Effect() = default;
    virtual void update(double dt) { age += dt; }
    virtual void draw(BITMAP* target) = 0;

    // Also true when either time is not a number, so a broken effect cannot linger.
    bool finished() const { return !(lifetime > age); }
    // True for an effect that is nothing but its picture: it draws no random number and touches
    // nothing else, so a game that is never looked at can do without it.
    virtual bool decorative() const { return false; }

    double age = 0.0;
    double lifetime = 0.0;
    double x = 0.0;
    double y = 0.0;
};
