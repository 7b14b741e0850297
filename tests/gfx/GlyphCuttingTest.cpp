// Cutting glyphs from pictures: the shipped fonts cut exactly as they always have, any picture
// cuts as the plain cell-by-cell scan would, and pictures that are no font sheet at all (the
// worst cases of that scan) still give a bounded, predictable result.

#include "support/TestSupport.h"

#include "app/StringTable.h"
#include "gfx/BitmapFont.h"

#include <allegro.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Cell {
    int code, x, y, w, h;
    bool operator==(const Cell& o) const {
        return code == o.code && x == o.x && y == o.y && w == o.w && h == o.h;
    }
};
std::ostream& operator<<(std::ostream& os, const Cell& c) {
    return os << "code " << c.code << " at (" << c.x << ", " << c.y << ") " << c.w << " x " << c.h;
}

// The glyph table as cells, by code.
std::vector<Cell> cellsOf(const BitmapFont& font) {
    std::vector<Cell> cells;
    for (int code = 0; code < 256; ++code)
        if (BITMAP* g = font.glyph(static_cast<unsigned char>(code)))
            cells.push_back({code, g->x_ofs, g->y_ofs, g->w, g->h});
    return cells;
}

// FNV-1a over every glyph's code, place, size and pixels.
uint64_t digest(const BitmapFont& font) {
    uint64_t hash = 1469598103934665603ull;
    auto add = [&](int value) {
        for (int i = 0; i < 4; ++i) {
            hash ^= static_cast<unsigned>(value >> (8 * i)) & 0xffu;
            hash *= 1099511628211ull;
        }
    };
    for (const Cell& c : cellsOf(font)) {
        for (int v : {c.code, c.x, c.y, c.w, c.h})
            add(v);
        BITMAP* g = font.glyph(static_cast<unsigned char>(c.code));
        for (int y = 0; y < c.h; ++y) {
            for (int x = 0; x < c.w; ++x) {
                Rgb p = pixelAt(g, x, y);
                add(p.r << 16 | p.g << 8 | p.b);
            }
        }
    }
    return hash;
}

// The cut as it reads when done cell by cell, each scan starting afresh: the reference any
// faster cut must agree with, on every picture.
std::vector<Cell> plainScan(BITMAP* image) {
    const int w = image->w;
    const int h = image->h;
    const int s = getpixel(image, 0, 0);
    auto sep = [&](int x, int y) { return getpixel(image, x, y) == s; };
    Cell byCode[256] = {};
    std::vector<bool> seen(256);
    if (w >= 2 && h >= 2 && !sep(1, 1)) {
        unsigned char code = 32;
        int x0 = 1, y0 = 1;
        for (;;) {
            int right = x0, bottom = y0;
            while (right < w && !sep(right, y0))
                ++right;
            while (bottom < h && !sep(x0, bottom))
                ++bottom;
            byCode[code] = {code, x0, y0, right - x0, bottom - y0};
            seen[code] = true;
            ++code;
            int next = right;
            while (next < w && sep(next, y0))
                ++next;
            if (next < w) {
                x0 = next;
                continue;
            }
            int below = bottom;
            while (below < h && sep(1, below))
                ++below;
            if (below >= h)
                break;
            x0 = 1;
            y0 = below;
        }
    }
    std::vector<Cell> cells;
    for (int code = 0; code < 256; ++code)
        if (seen[code])
            cells.push_back(byCode[code]);
    return cells;
}

BITMAP* copyOf(BITMAP* image) {
    BITMAP* copy = create_bitmap(image->w, image->h);
    blit(image, copy, 0, 0, 0, 0, image->w, image->h);
    return copy;
}

// Cuts the picture both ways; the font takes a copy, the picture stays the caller's.
void expectCutAsThePlainScan(BITMAP* picture, const std::string& what) {
    BitmapFont font(copyOf(picture));
    EXPECT_EQ(cellsOf(font), plainScan(picture)) << what;
}

// Vertical separator stripes with no separator row, ending at the right in a fine checkerboard
// and a separator column: every line of the picture starts a row of cells, most of them reaching
// down to the bottom edge. Cell by cell that costs side^3 / 4 pixel reads.
BITMAP* raggedStripes(int side) {
    BITMAP* bmp = makeBitmap(side, side, 20, 30, 40);
    for (int x = 0; x < side - 3; x += 2)
        vline(bmp, x, 0, side - 1, makecol(255, 255, 255));
    vline(bmp, side - 1, 0, side - 1, makecol(255, 255, 255));
    for (int y = 0; y < side; ++y)
        for (int x = side - 3; x < side - 1; ++x)
            if ((x + y) % 2 == 0)
                putpixel(bmp, x, y, makecol(255, 255, 255));
    return bmp;
}

// Separator lines at the top and left, then a checkerboard of single-pixel cells.
BITMAP* checkerboard(int side) {
    BITMAP* bmp = makeBitmap(side, side, 20, 30, 40);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (x == 0 || y == 0 || (x + y) % 2 == 1)
                putpixel(bmp, x, y, makecol(255, 255, 255));
    return bmp;
}

TEST(GlyphCuttingTest, ShippedFontsCutAsTheyAlwaysHave) {
    // Glyph count and a digest of every glyph's code, place, size and pixels, recorded from the
    // cell-by-cell cut the game shipped with, and again when the fonts gained the arrow at 127.
    struct Recorded {
        const char* key;
        int glyphs;
        uint64_t digest;
    };
    const Recorded recorded[] = {
        {"FontMain", 96, 6147700605847646305ull},
        {"FontMainRed", 96, 7712583088641836973ull},
        {"FontSmall", 96, 11264055161816175464ull},
        {"FontSmallRed", 96, 12327768024054631924ull},
    };
    StringTable strings;
    ASSERT_TRUE(strings.load(sourcePath("data/strings.txt")));
    for (const Recorded& r : recorded) {
        BitmapFont font(sourcePath(strings.get(r.key)).c_str());
        ASSERT_NE(font.image, nullptr) << r.key;
        EXPECT_EQ(font.glyphCount(), r.glyphs) << r.key;
        EXPECT_EQ(digest(font), r.digest) << r.key;
        EXPECT_EQ(cellsOf(font), plainScan(font.image)) << r.key;
    }
}

TEST(GlyphCuttingTest, AnyPictureCutsAsThePlainScan) {
    for (int side : {2, 3, 8, 61, 96}) {
        BITMAP* stripes = raggedStripes(side);
        expectCutAsThePlainScan(stripes, "ragged stripes " + std::to_string(side));
        destroy_bitmap(stripes);
        BITMAP* board = checkerboard(side);
        expectCutAsThePlainScan(board, "checkerboard " + std::to_string(side));
        destroy_bitmap(board);
    }

    // Random pictures: separator lines with gaps, cells of unequal height, noise of separator,
    // mask and other colours, at densities from sparse to mostly separator.
    srand(1414);
    for (int trial = 0; trial < 400; ++trial) {
        int w = 1 + rand() % 40;
        int h = 1 + rand() % 40;
        int density = 1 + rand() % 6;
        BITMAP* img = makeBitmap(w, h, 255, 255, 255);
        for (int y = 1; y < h; ++y) {
            for (int x = 1; x < w; ++x) {
                int roll = rand() % 8;
                if (roll >= density)
                    putpixel(img, x, y,
                             roll % 2 ? makecol(255, 0, 255) : makecol(10, 10, rand() % 2));
            }
        }
        for (int lines = rand() % 6; lines > 0; --lines) {
            if (rand() % 2)
                hline(img, 0, rand() % h, rand() % w, makecol(255, 255, 255));
            else
                vline(img, rand() % w, 0, rand() % h, makecol(255, 255, 255));
        }
        expectCutAsThePlainScan(img, "random trial " + std::to_string(trial));
        destroy_bitmap(img);
    }
}

TEST(GlyphCuttingTest, PicturesThatAreNoFontSheetGiveBoundedResults) {
    // Every code holds the last of its cells in reading order, so which code the last cell got
    // proves every row of cells was walked: cell i has code (32 + i) mod 256.
    auto lastCode = [](long cells) { return static_cast<unsigned char>((32 + cells - 1) % 256); };
    {
        SCOPED_TRACE("ragged stripes, the largest side the loader accepts");
        const int side = 4096;
        BitmapFont font(raggedStripes(side));
        // One row of cells for each line below the top; side / 2 - 1 cells in each row.
        const long cells = static_cast<long>(side / 2 - 1) * (side - 1);
        ASSERT_EQ(font.glyphCount(), 256);
        unsigned char code = lastCode(cells);
        // The last row: single-pixel cells on the stripes, then one at the ragged edge.
        EXPECT_EQ(cellsOf(font)[code], (Cell{code, side - 2, side - 1, 1, 1}));
        for (int k = 1; k < 256; ++k) {
            unsigned char c = static_cast<unsigned char>(code - k);
            EXPECT_EQ(cellsOf(font)[c], (Cell{c, side - 3 - 2 * k, side - 1, 1, 1})) << k;
        }
    }
    {
        SCOPED_TRACE("checkerboard");
        const int side = 1024;
        BitmapFont font(checkerboard(side));
        const long cells = static_cast<long>(side / 2) * (side / 2);
        ASSERT_EQ(font.glyphCount(), 256);
        unsigned char code = lastCode(cells);
        EXPECT_EQ(cellsOf(font)[code], (Cell{code, side - 1, side - 1, 1, 1}));
        EXPECT_EQ(cellsOf(font)[static_cast<unsigned char>(code - 1)],
                  (Cell{static_cast<unsigned char>(code - 1), side - 3, side - 1, 1, 1}));
        EXPECT_EQ(pixelAt(font.glyph(code), 0, 0), (Rgb{20, 30, 40}));
    }
    {
        SCOPED_TRACE("no separator but the corner");
        BITMAP* img = makeBitmap(4096, 4096, 20, 30, 40);
        putpixel(img, 0, 0, makecol(255, 255, 255));
        BitmapFont font(img);
        ASSERT_EQ(font.glyphCount(), 1);
        EXPECT_EQ(cellsOf(font)[0], (Cell{32, 1, 1, 4095, 4095}));
    }
}

} // namespace
