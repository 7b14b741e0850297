#pragma once

#include "effects/Effect.h"

class SpriteAnim;
class SpriteSheet;

// Plays row 0 of a sheet once, after an optional delay, optionally drifting.
class SimpleEffect : public Effect {
  public:
    // (cx, cy) is the centre of the first frame.
    SimpleEffect(int cx, int cy, SpriteSheet* sheet, double delay);
    ~SimpleEffect() override;
    SimpleEffect(const SimpleEffect&) = delete;
    SimpleEffect& operator=(const SimpleEffect&) = delete;

    void update(double dt) override;
    void draw(BITMAP* target) override;
    void setVelocity(double vx, double vy);
    bool decorative() const override { return true; }

    SpriteAnim* anim;
    double delay;
    double vx = 0.0;
    double vy = 0.0;

  private:
    bool unseen; // made in a run that never draws (GameApp::fieldUnseen)
};
