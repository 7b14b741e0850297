#pragma once

struct BITMAP;

// A proportional font cut from an image whose glyph cells are separated by lines of the colour
// of pixel (0, 0). Cells are numbered in reading order from code 32.
class BitmapFont {
  public:
    explicit BitmapFont(const char* filename);
    // Cuts an image the caller has already loaded; the font takes ownership.
    explicit BitmapFont(BITMAP* image);
    ~BitmapFont();
    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    void draw(BITMAP* target, int x, int y, const char* text) const;
    void drawCentred(BITMAP* target, int x, int y, const char* text) const;
    void drawRight(BITMAP* target, int x, int y, const char* text) const;
    // The text ringed by a pixel of `colour` all round, to stand out on a ground of its own
    // colours.
    void drawOutlined(BITMAP* target, int x, int y, const char* text, int colour) const;
    int textWidth(const char* text) const;

    void print(BITMAP* target, int x, int y, const char* format, ...) const
        __attribute__((format(printf, 5, 6)));
    void printCentred(BITMAP* target, int x, int y, const char* format, ...) const
        __attribute__((format(printf, 5, 6)));
    void printRight(BITMAP* target, int x, int y, const char* format, ...) const
        __attribute__((format(printf, 5, 6)));
    int printWidth(const char* format, ...) const __attribute__((format(printf, 2, 3)));

    BITMAP* glyph(unsigned char code) const { return glyphs[code]; }
    int glyphCount() const;

    BITMAP* image = nullptr;
    BITMAP* glyphs[256] = {};
    int spacing = 0;

  private:
    void cut();
    // Calls put(glyph, left) for each glyph of the text along the pen, stopping where the pen
    // leaves the int range.
    template <class Put> void eachGlyph(int x, const char* text, Put put) const;
};

// Renders a text once into an image of its own: the text's width + 2 by 10 pixels, transparent
// around the glyphs. The caller owns the result. Null when the text is wider than
// kMaxTextImageWidth or the image cannot be had: such a text is simply not shown.
BITMAP* renderTextImage(const BitmapFont* font, const char* text);

// The game's labels are a few dozen pixels wide on a 320-pixel field. Wider than a dozen
// screens no one could read it, and it keeps Allegro's int-sized pixel count far from overflow.
constexpr int kMaxTextImageWidth = 4096;
