#pragma once

#include "Image.h"

#include <cstddef>
#include <string>
#include <vector>

// A run of glyphs drawn as text art: one line per pixel row, the glyphs of a line separated by
// '|'. '.' is empty, '#' the font's ink; 'r', 'R' and 'w' are the fixed reds and highlight of
// the heart that the HUD shows as its health symbol.
struct GlyphBlock {
    const char* chars;
    const char* art;
};

struct GlyphSet {
    const GlyphBlock* blocks;
    size_t blockCount;
    int rows;
};

extern const GlyphSet kMainGlyphs;  // 7 rows above the baseline and 2 of descent
extern const GlyphSet kSmallGlyphs; // 5 rows above the baseline and 1 of descent

struct FontLook {
    Colour top;    // ink colour of the top row
    Colour bottom; // ink colour of the lowest row
    Colour shadow; // one pixel down and right of the ink
};

// Code 127, which ASCII leaves unprinted, holds a right arrow: tool tips show "0.70 s \x7f 0.58 s".
constexpr int kArrowCode = 127;
constexpr int kGlyphCount = kArrowCode - 32 + 1;

// A proportional font for printable ASCII and the arrow. Each glyph carries its drop shadow inside
// its cell, so glyphs are one pixel wider and taller than their art.
class PixelFont {
  public:
    PixelFont(const GlyphSet& set, const FontLook& look, int spacing);

    void draw(Image& target, int x, int y, const std::string& text) const;
    int textWidth(const std::string& text) const;
    int height() const { return cellHeight; }
    int spacing() const { return gap; }

    // The image the game cuts into glyphs: separator lines of the colour of pixel (0, 0), cells
    // in reading order from code 32, glyph backgrounds in the mask colour.
    Image fontImage() const;

  private:
    const Image* glyph(char c) const;

    std::vector<Image> glyphs; // codes 32..127
    int cellHeight = 0;
    int gap = 0;
};

constexpr Colour kFontSeparator{0, 255, 0};

FontLook mainFontLook();
FontLook redFontLook();
