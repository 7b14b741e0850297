#pragma once

#include "effects/Effect.h"

class BitmapFont;

// Renders a text once into an image of its own: the text's width + 2 by 10 pixels, transparent
// around the glyphs. The caller owns the result. Null when the text is wider than
// kMaxTextImageWidth or the image cannot be had: such a text is simply not shown.
BITMAP* renderTextImage(const BitmapFont* font, const char* text);

// The game's labels are a few dozen pixels wide on a 320-pixel field. Wider than a dozen
// screens no one could read it, and it keeps Allegro's int-sized pixel count far from overflow.
constexpr int kMaxTextImageWidth = 4096;

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
