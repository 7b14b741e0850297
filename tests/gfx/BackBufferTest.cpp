#include "support/TestSupport.h"

#include "app/GameApp.h"
#include "gfx/BackBuffer.h"

#include <allegro.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <utility>

namespace {

// Every pixel of the back buffer a colour of its own, so a stretched copy can be traced back.
void paintPattern(BITMAP* bmp) {
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x)
            putpixel(bmp, x, y, makecol(x & 0xFF, y & 0xFF, (x >> 8) * 16 + 1));
}

// Where back-buffer pixel (0, 0) landed on a target cleared to black, found through a lone
// marker pixel at (10, 10) on an otherwise black buffer stretched scale times.
std::pair<int, int> markerOffset(BITMAP* target, int scale = 2) {
    for (int y = 0; y < target->h; ++y)
        for (int x = 0; x < target->w; ++x)
            if (pixelAt(target, x, y) == (Rgb{255, 255, 0}))
                return {x - 10 * scale, y - 10 * scale};
    return {1000, 1000};
}

// The next value of the random sequence after seeding it, to see whether anything drew from it.
int firstRandAfter(unsigned seed) {
    srand(seed);
    return rand();
}

class PresentTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        back = std::make_unique<BackBuffer>(320, 240);
        back->shake = [] { return GameApp::instance()->currentShake(); };
        target = create_bitmap(640, 480);
    }
    void TearDown() override {
        destroy_bitmap(target);
        AppFixture::TearDown();
    }

    void markBuffer() {
        clear_to_color(back->bitmap, makecol(0, 0, 0));
        putpixel(back->bitmap, 10, 10, makecol(255, 255, 0));
    }

    std::unique_ptr<BackBuffer> back;
    BITMAP* target = nullptr;
};

TEST_F(PresentTest, WithoutShakeEveryPixelBecomesATwoByTwoBlock) {
    paintPattern(back->bitmap);
    int expectedRand = firstRandAfter(99);
    srand(99);
    back->presentTo(target);
    EXPECT_EQ(rand(), expectedRand);

    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(pixelAt(target, x, y), pixelAt(back->bitmap, x / 2, y / 2)) << x << "," << y;
}

TEST_F(PresentTest, ShakeJittersWithinItsRadiusDrawingOneRandomNumberPerFrame) {
    GameApp::instance()->startShake(3.0, 1.0);
    markBuffer();
    std::set<std::pair<int, int>> seen;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        clear_to_color(target, makecol(0, 0, 0));
        srand(seed);
        rand();
        int second = rand();
        srand(seed);
        back->presentTo(target);
        EXPECT_EQ(rand(), second);
        auto [dx, dy] = markerOffset(target);
        EXPECT_LE(std::abs(dx), 3);
        EXPECT_LE(std::abs(dy), 3);
        EXPECT_LE(dx * dx + dy * dy, 9);
        seen.insert({dx, dy});
    }
    EXPECT_GT(seen.size(), 4u);
}

// Shake strengths are the 640 x 480 window's: a window twice as large (--scale 4) shakes twice
// as far, and draws the same one random number.
TEST_F(PresentTest, ShakeGrowsWithTheWindow) {
    GameApp::instance()->startShake(3.0, 1.0);
    markBuffer();
    BITMAP* large = create_bitmap(1280, 960);
    int furthest = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        clear_to_color(large, makecol(0, 0, 0));
        srand(seed);
        rand();
        int second = rand();
        srand(seed);
        back->presentTo(large);
        EXPECT_EQ(rand(), second);
        auto [dx, dy] = markerOffset(large, 4);
        EXPECT_LE(dx * dx + dy * dy, 36);
        furthest = std::max(furthest, dx * dx + dy * dy);
    }
    EXPECT_GT(furthest, 9);
    destroy_bitmap(large);
}

TEST_F(PresentTest, ShakeBelowOnePixelTruncatesToNoOffset) {
    GameApp::instance()->startShake(0.9, 1.0);
    markBuffer();
    for (unsigned seed = 1; seed <= 20; ++seed) {
        srand(seed);
        back->presentTo(target);
        ASSERT_EQ(markerOffset(target), std::make_pair(0, 0));
    }
}

TEST_F(PresentTest, AbsurdShakeMovesThePictureOutOfSight) {
    GameApp::instance()->startShake(1e300, 1.0);
    clear_to_color(target, makecol(0, 0, 0));
    clear_to_color(back->bitmap, makecol(255, 255, 0));
    back->presentTo(target);
    EXPECT_EQ(markerOffset(target), std::make_pair(1000, 1000));
}

// The window keeps what it was shown, so presenting again draws only the rows that changed;
// everything after repaintAll or onto another target. Black stands for rows not drawn again.
TEST_F(PresentTest, PresentingChangesDrawsOnlyTheRowsThatChanged) {
    BITMAP* whole = create_bitmap(640, 480);
    const auto expectRows = [&](int from, int to, bool drawn) {
        for (int y = from; y < to; ++y)
            for (int x = 0; x < 640; x += 7)
                ASSERT_EQ(pixelAt(target, x, y), drawn ? pixelAt(whole, x, y) : (Rgb{0, 0, 0}))
                    << x << "," << y;
    };
    paintPattern(back->bitmap);
    back->presentTo(whole);
    back->presentChanges(target);
    expectRows(0, 480, true);

    clear_to_color(target, makecol(0, 0, 0));
    back->presentChanges(target);
    expectRows(0, 480, false);
    putpixel(back->bitmap, 319, 100, makecol(1, 2, 3));
    putpixel(back->bitmap, 0, 239, makecol(1, 2, 3));
    back->presentTo(whole);
    back->presentChanges(target);
    expectRows(0, 200, false);
    expectRows(200, 202, true);
    expectRows(202, 478, false);
    expectRows(478, 480, true);

    back->repaintAll();
    back->presentChanges(target);
    expectRows(0, 480, true);
    clear_to_color(whole, makecol(0, 0, 0));
    back->presentChanges(whole);
    clear_to_color(target, makecol(0, 0, 0));
    back->presentChanges(target);
    EXPECT_EQ(pixelAt(whole, 638, 200), (Rgb{1, 2, 3}));
    expectRows(0, 480, true);
    destroy_bitmap(whole);
}

// Headless, present shows nothing but draws the shake's random number as the window would, so
// that a replay made in the window keeps the same random sequence without one.
TEST_F(PresentTest, PresentWithoutAScreenDrawsWhatTheWindowWouldDraw) {
    ASSERT_EQ(screen, nullptr);
    const int first = firstRandAfter(7);
    const int second = rand();

    GameApp::instance()->startShake(3.0, 1.0);
    srand(7);
    back->present();
    back->presentTo(nullptr);
    EXPECT_EQ(rand(), second);

    GameApp::instance()->resetFrameState();
    srand(7);
    back->present();
    EXPECT_EQ(rand(), first);
}

TEST(GreyscaleTest, WeighsTheChannelsAndTruncates) {
    BITMAP* bmp = create_bitmap(8, 1);
    putpixel(bmp, 0, 0, makecol(255, 0, 0));
    putpixel(bmp, 1, 0, makecol(0, 255, 0));
    putpixel(bmp, 2, 0, makecol(0, 0, 255));
    putpixel(bmp, 3, 0, makecol(0, 0, 0));
    putpixel(bmp, 4, 0, makecol(10, 20, 30)); // 3 + 11.8 + 3.3 = 18.1
    // Weighted sums that are whole numbers on paper come out of the doubles just below or
    // exactly on them, and truncate accordingly: 13.57 + 1.43 gives 14, 0.30 * 50 gives 15.
    putpixel(bmp, 5, 0, makecol(0, 23, 13));
    putpixel(bmp, 6, 0, makecol(50, 0, 0));
    putpixel(bmp, 7, 0, makecol(255, 255, 255));
    makeGreyscale(bmp);
    EXPECT_EQ(pixelAt(bmp, 0, 0), (Rgb{76, 76, 76}));
    EXPECT_EQ(pixelAt(bmp, 1, 0), (Rgb{150, 150, 150}));
    EXPECT_EQ(pixelAt(bmp, 2, 0), (Rgb{28, 28, 28}));
    EXPECT_EQ(pixelAt(bmp, 3, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixelAt(bmp, 4, 0), (Rgb{18, 18, 18}));
    EXPECT_EQ(pixelAt(bmp, 5, 0), (Rgb{14, 14, 14}));
    EXPECT_EQ(pixelAt(bmp, 6, 0), (Rgb{15, 15, 15}));
    EXPECT_EQ(pixelAt(bmp, 7, 0), (Rgb{255, 255, 255}));
    destroy_bitmap(bmp);
    makeGreyscale(nullptr);
}

TEST(GreyscaleTest, FastPathMatchesThePerPixelPathOfOtherDepths) {
    // The 24-bit bitmap goes through getpixel/putpixel; both must end with the same greys, over
    // runs of one colour as well as colours that change at every pixel, and over the colours
    // whose weighted sum is a whole number (greys among them), where the doubles' rounding
    // decides.
    BITMAP* fast = create_bitmap_ex(32, 37, 23);
    BITMAP* slow = create_bitmap_ex(24, 37, 23);
    srand(31337);
    int r = 0, g = 0, b = 0;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 37; ++x) {
            if (rand() % 2) {
                r = rand() % 256;
                g = rand() % 256;
                b = rand() % 256;
                // 30 r + 59 g + 11 b made a multiple of 100: 11 times 91 is 1 modulo 100.
                if (rand() % 3 == 0)
                    b = (100 - (30 * r + 59 * g) % 100) * 91 % 100;
                else if (rand() % 4 == 0)
                    g = b = r;
            }
            putpixel(fast, x, y, makecol_depth(32, r, g, b));
            putpixel(slow, x, y, makecol_depth(24, r, g, b));
        }
    }
    makeGreyscale(fast);
    makeGreyscale(slow);
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 37; ++x) {
            int f = getpixel(fast, x, y);
            int s = getpixel(slow, x, y);
            ASSERT_EQ(getr_depth(32, f), getr_depth(24, s)) << x << "," << y;
            ASSERT_EQ(getg_depth(32, f), getr_depth(32, f));
            ASSERT_EQ(getb_depth(32, f), getr_depth(32, f));
        }
    }
    destroy_bitmap(fast);
    destroy_bitmap(slow);
}

TEST(GreyscaleTest, SubBitmapGreysOnlyItsOwnArea) {
    BITMAP* parent = makeBitmap(6, 4, 255, 0, 0);
    BITMAP* part = create_sub_bitmap(parent, 2, 1, 3, 2);
    makeGreyscale(part);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
            EXPECT_EQ(pixelAt(parent, x, y), inside ? (Rgb{76, 76, 76}) : (Rgb{255, 0, 0}))
                << x << "," << y;
        }
    }
    destroy_bitmap(part);
    destroy_bitmap(parent);
}

} // namespace
