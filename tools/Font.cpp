#include "Font.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kCellsPerRow = 16;

std::vector<std::string> splitOn(const std::string& s, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = s.find(sep, start);
        parts.push_back(s.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// A typo in the glyph art must stop the generator, never yield a font that cuts wrongly.
[[noreturn]] void badArt(const char* chars, const char* why) {
    std::fprintf(stderr, "glyph block \"%s\": %s\n", chars, why);
    std::exit(2);
}

Colour inkColour(char code, int row, int rows, const FontLook& look) {
    switch (code) {
    case 'r':
        return {224, 40, 56};
    case 'R':
        return {128, 12, 36};
    case 'w':
        return {255, 208, 208};
    default:
        return mix(look.top, look.bottom, rows > 1 ? row / double(rows - 1) : 0.0);
    }
}

} // namespace

PixelFont::PixelFont(const GlyphSet& set, const FontLook& look, int spacing)
    : glyphs(kGlyphCount), cellHeight(set.rows + 1), gap(spacing) {
    std::vector<bool> seen(kGlyphCount, false);
    for (size_t b = 0; b < set.blockCount; ++b) {
        const GlyphBlock& block = set.blocks[b];
        std::vector<std::string> lines = splitOn(block.art, '\n');
        // The raw string starts and ends with a line break.
        if (lines.size() < 2 || !lines.front().empty() || !lines.back().empty())
            badArt(block.chars, "art must start and end with a line break");
        lines.erase(lines.begin());
        lines.pop_back();
        if (static_cast<int>(lines.size()) != set.rows)
            badArt(block.chars, "wrong number of rows");
        const size_t count = std::strlen(block.chars);
        std::vector<std::vector<std::string>> cells;
        for (const std::string& line : lines) {
            cells.push_back(splitOn(line, '|'));
            if (cells.back().size() != count)
                badArt(block.chars, "a row has the wrong number of glyphs");
        }
        for (size_t i = 0; i < count; ++i) {
            const int code = static_cast<unsigned char>(block.chars[i]);
            if (code < 32 || code > kArrowCode || seen[code - 32])
                badArt(block.chars, "character outside 32-127 or drawn twice");
            seen[code - 32] = true;
            const int width = static_cast<int>(cells[0][i].size());
            Image g(width + 1, set.rows + 1);
            for (int y = 0; y < set.rows; ++y) {
                const std::string& row = cells[y][i];
                if (static_cast<int>(row.size()) != width)
                    badArt(block.chars, "a glyph's rows differ in width");
                for (int x = 0; x < width; ++x)
                    if (row[x] != '.')
                        g.set(x, y, inkColour(row[x], y, set.rows, look));
            }
            // The shadow makes light text readable on the pale horizon and on the red bar.
            Image ink = g;
            for (int y = 0; y < set.rows; ++y)
                for (int x = 0; x < width; ++x)
                    if (!ink.isMask(x, y) && ink.isMask(x + 1, y + 1))
                        g.set(x + 1, y + 1, look.shadow);
            glyphs[code - 32] = g;
        }
    }
    for (size_t i = 0; i < seen.size(); ++i)
        if (!seen[i]) {
            char c[2] = {static_cast<char>(i + 32), 0};
            badArt(c, "character has no glyph");
        }
}

const Image* PixelFont::glyph(char c) const {
    const int code = static_cast<unsigned char>(c);
    if (code < 32 || code > kArrowCode)
        return nullptr;
    return &glyphs[code - 32];
}

void PixelFont::draw(Image& target, int x, int y, const std::string& text) const {
    for (char c : text)
        if (const Image* g = glyph(c)) {
            target.blit(*g, x, y);
            x += g->width() + gap;
        }
}

int PixelFont::textWidth(const std::string& text) const {
    int w = 0;
    for (char c : text)
        if (const Image* g = glyph(c))
            w += g->width() + gap;
    return w;
}

Image PixelFont::fontImage() const {
    // Every cell is framed by separator pixels on all sides, and unused space stays separator,
    // so the cutting scan finds exactly one cell per glyph.
    int width = 0;
    int rows = 0;
    for (size_t first = 0; first < glyphs.size(); first += kCellsPerRow, ++rows) {
        int rowWidth = 1;
        for (size_t i = first; i < glyphs.size() && i < first + kCellsPerRow; ++i)
            rowWidth += glyphs[i].width() + 1;
        width = std::max(width, rowWidth);
    }
    Image img(width, 1 + rows * (cellHeight + 1), kFontSeparator);
    int y = 1;
    for (size_t first = 0; first < glyphs.size(); first += kCellsPerRow) {
        int x = 1;
        for (size_t i = first; i < glyphs.size() && i < first + kCellsPerRow; ++i) {
            img.blitOpaque(glyphs[i], x, y);
            x += glyphs[i].width() + 1;
        }
        y += cellHeight + 1;
    }
    return img;
}

FontLook mainFontLook() {
    return {{255, 255, 255}, {168, 184, 220}, {12, 12, 28}};
}

FontLook redFontLook() {
    return {{255, 112, 96}, {200, 24, 32}, {24, 6, 10}};
}
