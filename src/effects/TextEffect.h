#pragma once

#include "effects/Effect.h"

class BitmapFont;

// A small label ("+25", "-1") drifting up and to the right for a second.
class TextEffect : public Effect {
  public:
    // (x, y) is the top-left corner of the text.
    TextEffect(int x, int y, const BitmapFont* font, const char* text);
    ~TextEffect() override;
    TextEffect(const TextEffect&) = delete;
    TextEffect& operator=(const TextEffect&) = delete;

    void update(double dt) override;
    void draw(BITMAP* target) override;

    BITMAP* image; // may be null: nothing is drawn
};
