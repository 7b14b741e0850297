#include "GfxTestFiles.h"
#include "support/TestSupport.h"

#include "gfx/BitmapFont.h"

#include <allegro.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const Rgb kSeparator = {255, 255, 255};

// A font image laid out as the fonts ship: white separator lines, cells of the given widths in
// rows of the given height. Cell i (in reading order, so code 32 + i) is filled with (i, 50, 60).
BITMAP* fontImage(const std::vector<std::vector<int>>& rows, int cellHeight) {
    int width = 1;
    for (const auto& row : rows) {
        int w = 1;
        for (int cell : row)
            w += cell + 1;
        width = std::max(width, w);
    }
    int height = 1 + static_cast<int>(rows.size()) * (cellHeight + 1);
    BITMAP* img = makeBitmap(width, height, kSeparator.r, kSeparator.g, kSeparator.b);
    int index = 0;
    int y = 1;
    for (const auto& row : rows) {
        int x = 1;
        for (int cell : row) {
            rectfill(img, x, y, x + cell - 1, y + cellHeight - 1, makecol(index, 50, 60));
            x += cell + 1;
            ++index;
        }
        y += cellHeight + 1;
    }
    return img;
}

// One row of cells for codes 32 up to and including last, 1 pixel wide unless widths says
// otherwise.
BITMAP* fontImageUpTo(int last, const std::vector<std::pair<int, int>>& widths, int height = 3) {
    std::vector<int> row(last - 31, 1);
    for (auto [code, w] : widths)
        row[code - 32] = w;
    return fontImage({row}, height);
}

// The leftmost column of the target that is not the background, or -1.
int firstInkColumn(BITMAP* target, int y, Rgb background) {
    for (int x = 0; x < target->w; ++x)
        if (!(pixelAt(target, x, y) == background))
            return x;
    return -1;
}

int lastInkColumn(BITMAP* target, int y, Rgb background) {
    for (int x = target->w - 1; x >= 0; --x)
        if (!(pixelAt(target, x, y) == background))
            return x;
    return -1;
}

TEST(BitmapFontCutTest, CutsTheCellsOfASmallImage) {
    // 8 x 7: separator rows 0 and 6, columns 0, 4 and 7.
    BITMAP* img = makeBitmap(8, 7, 255, 255, 255);
    rectfill(img, 1, 1, 3, 5, makecol(1, 2, 3));
    rectfill(img, 5, 1, 6, 5, makecol(4, 5, 6));
    BitmapFont font(img);
    EXPECT_EQ(font.glyphCount(), 2);
    ASSERT_NE(font.glyph(32), nullptr);
    ASSERT_NE(font.glyph(33), nullptr);
    EXPECT_EQ(font.glyph(32)->w, 3);
    EXPECT_EQ(font.glyph(32)->h, 5);
    EXPECT_EQ(pixelAt(font.glyph(32), 0, 0), (Rgb{1, 2, 3}));
    EXPECT_EQ(font.glyph(33)->w, 2);
    EXPECT_EQ(font.glyph(33)->h, 5);
    EXPECT_EQ(pixelAt(font.glyph(33), 0, 0), (Rgb{4, 5, 6}));
}

TEST(BitmapFontCutTest, NumbersCellsInReadingOrderAcrossRows) {
    BitmapFont font(fontImage({{2, 3, 1}, {4, 2}}, 3));
    ASSERT_EQ(font.glyphCount(), 5);
    const int widths[] = {2, 3, 1, 4, 2};
    for (int i = 0; i < 5; ++i) {
        BITMAP* g = font.glyph(static_cast<unsigned char>(32 + i));
        ASSERT_NE(g, nullptr) << i;
        EXPECT_EQ(g->w, widths[i]);
        EXPECT_EQ(g->h, 3);
        EXPECT_EQ(pixelAt(g, 0, 0), (Rgb{i, 50, 60}));
    }
    EXPECT_EQ(font.glyph(31), nullptr);
    EXPECT_EQ(font.glyph(37), nullptr);
}

TEST(BitmapFontCutTest, CodeCounterWrapsAfterCode255) {
    BitmapFont font(fontImage({std::vector<int>(225, 1)}, 2));
    EXPECT_EQ(font.glyphCount(), 225);
    ASSERT_NE(font.glyph(255), nullptr);
    ASSERT_NE(font.glyph(0), nullptr);
    EXPECT_EQ(pixelAt(font.glyph(0), 0, 0), (Rgb{224, 50, 60}));
    EXPECT_EQ(font.glyph(1), nullptr);
}

TEST(BitmapFontCutTest, ImagesThatBreakTheLayoutEndAtTheEdges) {
    {
        SCOPED_TRACE("1 x 1");
        BitmapFont font(makeBitmap(1, 1, 9, 9, 9));
        EXPECT_EQ(font.glyphCount(), 0);
    }
    {
        SCOPED_TRACE("no separator but the corner");
        BITMAP* img = makeBitmap(5, 4, 30, 30, 30);
        putpixel(img, 0, 0, makecol(255, 255, 255));
        BitmapFont font(img);
        ASSERT_EQ(font.glyphCount(), 1);
        EXPECT_EQ(font.glyph(32)->w, 4);
        EXPECT_EQ(font.glyph(32)->h, 3);
    }
    {
        SCOPED_TRACE("first cell position is a separator");
        BitmapFont font(makeBitmap(6, 6, 255, 255, 255));
        EXPECT_EQ(font.glyphCount(), 0);
    }
    {
        SCOPED_TRACE("cells of unequal height with nothing below them");
        BITMAP* img = makeBitmap(7, 5, 255, 255, 255);
        rectfill(img, 1, 1, 2, 4, makecol(1, 1, 1)); // runs into the bottom edge
        rectfill(img, 4, 1, 6, 2, makecol(2, 2, 2)); // runs into the right edge
        BitmapFont font(img);
        // The next row is looked for below the last cell, which finds the tall cell's lower
        // part: an odd glyph, but the scan ends.
        ASSERT_EQ(font.glyphCount(), 3);
        EXPECT_EQ(font.glyph(32)->h, 4);
        EXPECT_EQ(font.glyph(33)->w, 3);
        EXPECT_EQ(font.glyph(34)->y_ofs, 3);
        EXPECT_EQ(font.glyph(34)->h, 2);
    }

    // Random two-colour images: every cut must stay inside the image and the scan must end.
    srand(4242);
    for (int trial = 0; trial < 300; ++trial) {
        int w = 1 + rand() % 12;
        int h = 1 + rand() % 12;
        BITMAP* img = makeBitmap(w, h, 255, 255, 255);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (rand() % 3 == 0)
                    putpixel(img, x, y, makecol(0, 0, 0));
        BitmapFont font(img);
        for (int code = 0; code < 256; ++code) {
            BITMAP* g = font.glyph(static_cast<unsigned char>(code));
            if (!g)
                continue;
            ASSERT_GT(g->w, 0);
            ASSERT_GT(g->h, 0);
            ASSERT_LE(g->x_ofs + g->w, w) << "trial " << trial;
            ASSERT_LE(g->y_ofs + g->h, h) << "trial " << trial;
        }
    }
}

TEST(BitmapFontCutTest, LoadsItsImageByName) {
    TempDir dir;
    BITMAP* img = fontImage({{2, 3}}, 4);
    Bytes rgb;
    for (int y = 0; y < img->h; ++y) {
        for (int x = 0; x < img->w; ++x) {
            Rgb c = pixelAt(img, x, y);
            rgb.insert(rgb.end(), {static_cast<unsigned char>(c.r), static_cast<unsigned char>(c.g),
                                   static_cast<unsigned char>(c.b)});
        }
    }
    std::string file = dir.writeGz("font.mz", mzBlock(img->w, img->h, rgb));
    destroy_bitmap(img);

    BitmapFont font(file.c_str());
    ASSERT_NE(font.image, nullptr);
    EXPECT_EQ(font.glyphCount(), 2);
    EXPECT_EQ(font.textWidth("! "), 5);
    EXPECT_EQ(font.spacing, 0);
}

TEST(BitmapFontCutTest, MissingImageMakesAFontThatDrawsNothing) {
    TempDir dir;
    BitmapFont font(dir.path("missing.mz").c_str());
    EXPECT_EQ(font.image, nullptr);
    EXPECT_EQ(font.glyphCount(), 0);
    EXPECT_EQ(font.textWidth("Wave 3"), 0);
    EXPECT_EQ(font.printWidth("$ %d", 250), 0);
    BITMAP* target = makeBitmap(8, 8, 0, 0, 0);
    font.draw(target, 0, 0, "abc");
    EXPECT_EQ(firstInkColumn(target, 0, {0, 0, 0}), -1);
    destroy_bitmap(target);
}

class BitmapFontTextTest : public ::testing::Test {
  protected:
    // 'A' 6 wide, 'B' 5 wide, '!' 1 wide, every other code to 'B' 1 wide; 3 rows high.
    void SetUp() override {
        font = std::make_unique<BitmapFont>(fontImageUpTo('B', {{'A', 6}, {'B', 5}}));
    }

    Rgb colourOf(char c) const { return {c - 32, 50, 60}; }

    std::unique_ptr<BitmapFont> font;
};

TEST_F(BitmapFontTextTest, WidthIsTheDistanceThePenMoves) {
    EXPECT_EQ(font->textWidth(""), 0);
    EXPECT_EQ(font->textWidth("AB"), 11);
    font->spacing = -1;
    EXPECT_EQ(font->textWidth("AB"), 9);
    font->spacing = 2;
    EXPECT_EQ(font->textWidth("A"), 8);
    EXPECT_EQ(font->textWidth(nullptr), 0);
}

TEST_F(BitmapFontTextTest, NegativeSpacingPullsTheNextGlyphOntoThePrevious) {
    font->spacing = -1;
    BITMAP* target = makeBitmap(20, 5, 0, 0, 0);
    font->draw(target, 2, 1, "AB");
    EXPECT_EQ(pixelAt(target, 2, 1), colourOf('A'));
    EXPECT_EQ(pixelAt(target, 6, 1), colourOf('A'));
    EXPECT_EQ(pixelAt(target, 7, 1), colourOf('B')); // drawn 5 pixels right of A
    EXPECT_EQ(pixelAt(target, 11, 3), colourOf('B'));
    EXPECT_EQ(pixelAt(target, 12, 1), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixelAt(target, 2, 4), (Rgb{0, 0, 0}));
    destroy_bitmap(target);
}

TEST_F(BitmapFontTextTest, GlyphsAreDrawnMasked) {
    BITMAP* img = fontImageUpTo('A', {{'A', 3}});
    putpixel(img, img->w - 3, 2, makecol(255, 0, 255)); // a hole in the middle of 'A'
    BitmapFont holed(img);
    BITMAP* target = makeBitmap(5, 5, 7, 7, 7);
    holed.draw(target, 0, 0, "A");
    EXPECT_EQ(pixelAt(target, 0, 0), colourOf('A'));
    EXPECT_EQ(pixelAt(target, 1, 1), (Rgb{7, 7, 7}));
    destroy_bitmap(target);
}

TEST_F(BitmapFontTextTest, CentredAndRightAlignedText) {
    BITMAP* target = makeBitmap(200, 5, 0, 0, 0);
    font->drawCentred(target, 100, 0, "A!"); // 7 wide
    EXPECT_EQ(firstInkColumn(target, 0, {0, 0, 0}), 97);
    clear_to_color(target, makecol(0, 0, 0));
    font->spacing = -2;
    font->drawCentred(target, 100, 0, "!"); // -1 wide: -1 / 2 truncates to 0
    EXPECT_EQ(firstInkColumn(target, 0, {0, 0, 0}), 100);

    font->spacing = 0;
    clear_to_color(target, makecol(0, 0, 0));
    font->drawRight(target, 50, 0, "AB");
    EXPECT_EQ(firstInkColumn(target, 0, {0, 0, 0}), 39);
    EXPECT_EQ(lastInkColumn(target, 0, {0, 0, 0}), 49);
    destroy_bitmap(target);
}

TEST_F(BitmapFontTextTest, CharactersWithoutAGlyphTakeNoRoom) {
    font->spacing = 1;
    EXPECT_EQ(font->textWidth("A\nB\x01\x7f"), font->textWidth("AB"));
    BITMAP* target = makeBitmap(20, 5, 0, 0, 0);
    font->draw(target, 0, 0,
               "\t\x1f"
               "A");
    EXPECT_EQ(pixelAt(target, 0, 0), colourOf('A'));
    destroy_bitmap(target);
}

TEST(BitmapFontHighBytesTest, BytesAbove127UseTheirOwnSlots) {
    BitmapFont font(fontImageUpTo(0xE9, {{0xE9, 3}}));
    EXPECT_EQ(font.textWidth("\xE9"), 3);
    EXPECT_EQ(font.textWidth("\xE9\xEA"), 3); // 0xEA has no cell
    BITMAP* target = makeBitmap(6, 4, 0, 0, 0);
    font.draw(target, 1, 0, "\xE9");
    EXPECT_EQ(pixelAt(target, 3, 0), (Rgb{0xE9 - 32, 50, 60}));
    destroy_bitmap(target);
}

TEST_F(BitmapFontTextTest, FormattedTextIsCutAt511Characters) {
    EXPECT_EQ(font->printWidth("$ %d", 250), font->textWidth("$ 250"));
    std::string longText(600, '!');
    EXPECT_EQ(font->printWidth("%s", longText.c_str()), 511);
    EXPECT_EQ(font->printWidth("%s", ""), 0);

    BITMAP* target = makeBitmap(700, 3, 0, 0, 0);
    font->print(target, 0, 0, "%s", longText.c_str());
    EXPECT_EQ(lastInkColumn(target, 0, {0, 0, 0}), 510);
    clear_to_color(target, makecol(0, 0, 0));
    font->printRight(target, 600, 0, "%c%c", 'A', 'B');
    EXPECT_EQ(firstInkColumn(target, 0, {0, 0, 0}), 589);
    clear_to_color(target, makecol(0, 0, 0));
    font->printCentred(target, 100, 0, "%s!", "A");
    EXPECT_EQ(firstInkColumn(target, 0, {0, 0, 0}), 97);
    destroy_bitmap(target);
}

} // namespace
