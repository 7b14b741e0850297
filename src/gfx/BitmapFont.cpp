#include "gfx/BitmapFont.h"

#include "gfx/MzImage.h"

#include <allegro.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kFormatBufferSize = 512;

// One buffer per formatting operation, shared by every font: a formatted text lives until the
// next call of the same operation, and drawing never allocates.
char printBuffer[kFormatBufferSize];
char printCentredBuffer[kFormatBufferSize];
char printRightBuffer[kFormatBufferSize];
char printWidthBuffer[kFormatBufferSize];

const char* format(char* buffer, const char* fmt, va_list args) {
    // vsnprintf cuts anything longer than the buffer and always terminates it.
    if (!fmt || std::vsnprintf(buffer, kFormatBufferSize, fmt, args) < 0)
        buffer[0] = '\0';
    return buffer;
}

} // namespace

BitmapFont::BitmapFont(const char* filename) {
    if (filename)
        image = loadImage(filename);
    cut();
}

BitmapFont::BitmapFont(BITMAP* image) : image(image) {
    cut();
}

BitmapFont::~BitmapFont() {
    for (BITMAP*& g : glyphs) {
        if (g)
            destroy_bitmap(g);
        g = nullptr;
    }
    if (image)
        destroy_bitmap(image);
}

namespace {

// The separator pixels of a font picture, the colour of its top left pixel. Cells come in
// reading order: each row of cells starts below the previous one and each cell to the right of
// the previous one. A picture that is no font sheet can still hold a cell in a column on every
// line, each reaching far down, so every column remembers the separator it found last: a later
// cell in that column above it ends there too, and no pixel is scanned twice on the way down.
class SeparatorScan {
  public:
    explicit SeparatorScan(BITMAP* image)
        : w(image->w), h(image->h), image(image), separator(getpixel(image, 0, 0)),
          direct(is_memory_bitmap(image) && bitmap_color_depth(image) == 32),
          separatorBelow(w, -1) {}

    // Our images are 32-bit memory bitmaps: their rows are read directly, which is what keeps a
    // full scan of the largest picture the loader accepts well under a second.
    bool at(int x, int y) const {
        int pixel = direct ? static_cast<int>(reinterpret_cast<const uint32_t*>(image->line[y])[x])
                           : getpixel(image, x, y);
        return pixel == separator;
    }

    // The first separator at or below (x, y) in column x, or the image's height.
    int bottomEdge(int x, int y) {
        int& found = separatorBelow[x];
        if (found < y) {
            found = y;
            while (found < h && !at(x, found))
                ++found;
        }
        return found;
    }

    const int w;
    const int h;

  private:
    BITMAP* image;
    int separator;
    bool direct;
    std::vector<int> separatorBelow;
};

} // namespace

void BitmapFont::cut() {
    if (!image)
        return;
    SeparatorScan scan(image);
    const int w = scan.w;
    const int h = scan.h;
    // The first cell starts at (1, 1); an image too small for it, or one whose first cell is a
    // separator pixel, has no cells at all.
    if (w < 2 || h < 2 || scan.at(1, 1))
        return;

    // The code counter is 8 bits wide: a 225th cell wraps and replaces an earlier glyph, so only
    // the last cell of each code is kept and becomes a glyph at the end.
    struct Cell {
        int x, y, w, h;
    };
    Cell cells[256];
    bool cut[256] = {};

    unsigned char code = 32;
    int x0 = 1;
    int y0 = 1;
    for (;;) {
        // Every scan stops at the image edge as well, so an image that breaks the layout
        // (a missing separator line) still ends: the edge closes the cell.
        int right = x0;
        while (right < w && !scan.at(right, y0))
            ++right;
        int bottom = scan.bottomEdge(x0, y0);

        cells[code] = {x0, y0, right - x0, bottom - y0};
        cut[code] = true;
        ++code;

        int next = right;
        while (next < w && scan.at(next, y0))
            ++next;
        if (next < w) {
            x0 = next;
            continue;
        }

        int below = bottom;
        while (below < h && scan.at(1, below))
            ++below;
        if (below >= h)
            break;
        x0 = 1;
        y0 = below;
    }

    for (int c = 0; c < 256; ++c)
        if (cut[c])
            glyphs[c] = create_sub_bitmap(image, cells[c].x, cells[c].y, cells[c].w, cells[c].h);
}

int BitmapFont::glyphCount() const {
    int count = 0;
    for (BITMAP* g : glyphs)
        if (g)
            ++count;
    return count;
}

template <class Put> void BitmapFont::eachGlyph(int x, const char* text, Put put) const {
    // The pen runs in 64 bits: a wild spacing key must not overflow it. Past the int range
    // nothing more could land on any bitmap.
    long long pen = x;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        BITMAP* g = glyphs[*p];
        if (!g)
            continue;
        if (pen < INT_MIN || pen > INT_MAX)
            return;
        put(g, static_cast<int>(pen));
        pen += static_cast<long long>(g->w) + spacing;
    }
}

void BitmapFont::draw(BITMAP* target, int x, int y, const char* text) const {
    if (!target || !text)
        return;
    eachGlyph(x, text, [&](BITMAP* g, int left) { draw_sprite(target, g, left, y); });
}

void BitmapFont::drawOutlined(BITMAP* target, int x, int y, const char* text, int colour) const {
    if (!target || !text)
        return;
    eachGlyph(x, text, [&](BITMAP* g, int left) {
        const int mask = bitmap_mask_color(g);
        for (int gy = 0; gy < g->h; ++gy)
            for (int gx = 0; gx < g->w; ++gx)
                if (getpixel(g, gx, gy) != mask)
                    rectfill(target, left + gx - 1, y + gy - 1, left + gx + 1, y + gy + 1, colour);
    });
    draw(target, x, y, text);
}

void BitmapFont::drawCentred(BITMAP* target, int x, int y, const char* text) const {
    draw(target, x - textWidth(text) / 2, y, text);
}

void BitmapFont::drawRight(BITMAP* target, int x, int y, const char* text) const {
    draw(target, x - textWidth(text), y, text);
}

int BitmapFont::textWidth(const char* text) const {
    if (!text)
        return 0;
    // Summed in 64 bits and saturated at half the int range, so a wild spacing key reads as
    // "very wide" and callers may still add or subtract the width from a screen position.
    constexpr long long kLimit = INT_MAX / 2;
    long long width = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (BITMAP* g = glyphs[*p])
            width = std::clamp<long long>(width + g->w + spacing, -kLimit, kLimit);
    }
    return static_cast<int>(width);
}

void BitmapFont::print(BITMAP* target, int x, int y, const char* fmt, ...) const {
    va_list args;
    va_start(args, fmt);
    const char* text = format(printBuffer, fmt, args);
    va_end(args);
    draw(target, x, y, text);
}

void BitmapFont::printCentred(BITMAP* target, int x, int y, const char* fmt, ...) const {
    va_list args;
    va_start(args, fmt);
    const char* text = format(printCentredBuffer, fmt, args);
    va_end(args);
    drawCentred(target, x, y, text);
}

void BitmapFont::printRight(BITMAP* target, int x, int y, const char* fmt, ...) const {
    va_list args;
    va_start(args, fmt);
    const char* text = format(printRightBuffer, fmt, args);
    va_end(args);
    drawRight(target, x, y, text);
}

int BitmapFont::printWidth(const char* fmt, ...) const {
    va_list args;
    va_start(args, fmt);
    const char* text = format(printWidthBuffer, fmt, args);
    va_end(args);
    return textWidth(text);
}

// Taller glyphs are cut off at the bottom.
constexpr int kTextImageHeight = 10;

BITMAP* renderTextImage(const BitmapFont* font, const char* text) {
    const int textWidth = font && text ? font->textWidth(text) : 0;
    if (textWidth > kMaxTextImageWidth - 2)
        return nullptr;
    // A font with a strongly negative spacing can measure a text as less than nothing; the
    // image still needs at least one column.
    BITMAP* image = create_bitmap(std::max(1, textWidth + 2), kTextImageHeight);
    if (!image)
        return nullptr;
    clear_to_color(image, makecol(255, 0, 255));
    if (font && text)
        font->draw(image, 0, 0, text);
    return image;
}
