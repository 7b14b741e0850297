#pragma once

#include "support/TestSupport.h"

#include <gtest/gtest.h>

struct BITMAP;
class BitmapFont;
class Game;
class SpriteSheet;

// Glyphs of the block font are solid rectangles of this colour.
constexpr int kGlyphR = 255, kGlyphG = 255, kGlyphB = 0;
// Backgrounds that effects draw over.
constexpr int kBackR = 0, kBackG = 0, kBackB = 64;

// A sheet with one row of `entries` frames, each w x h and filled with frameColour(i).
SpriteSheet* makeSheet(int w, int h, int entries, float fps);
int frameRed(int frame);

// A font for codes 32-126: a space `spaceWidth` wide, every other glyph `glyphWidth`, all of
// them `glyphHeight` high.
BitmapFont* makeBlockFont(int glyphHeight, int glyphWidth = 4, int spaceWidth = 2, int spacing = 0);

bool isGlyph(BITMAP* bmp, int x, int y);
bool isBackground(BITMAP* bmp, int x, int y);
// True when every pixel still has the background colour.
bool untouched(BITMAP* bmp);

// Gives the effects a world of their own: a ground line, a debris strip, a puff sheet and a
// game collecting what they leave behind. Whatever the application held before comes back
// afterwards (AppFixture).
class EffectWorld : public AppFixture {
  public:
    static constexpr int kBaseline = 200;

  protected:
    void SetUp() override;
    void TearDown() override;

    Game* game = nullptr;
    BITMAP* debris = nullptr;
    SpriteSheet* puffs = nullptr;
    BITMAP* target = nullptr;
};
