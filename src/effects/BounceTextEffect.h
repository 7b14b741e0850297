#pragma once

#include "effects/Effect.h"

class BitmapFont;

// The doubled wave banner: it unfolds, hops, bounces on its line, rests and folds away.
class BounceTextEffect : public Effect {
  public:
    // x is the horizontal centre of the banner, y the top of the banner on its rest line.
    BounceTextEffect(int x, int y, const BitmapFont* font, const char* text);
    ~BounceTextEffect() override;
    BounceTextEffect(const BounceTextEffect&) = delete;
    BounceTextEffect& operator=(const BounceTextEffect&) = delete;

    void update(double dt) override;
    void draw(BITMAP* target) override;

    BITMAP* image;
    double vy = -40.0;
    double restY;
};
