#include "EffectTestKit.h"

#include "effects/SparkEffect.h"
#include "support/TestSupport.h"

#include <allegro.h>

#include <climits>
#include <cstdlib>

namespace {

const Rgb kWhite{255, 255, 255};
const Rgb kGlow{64, 128, 255};
const Rgb kMask{255, 0, 255};

bool whiteAt(BITMAP* bmp, int x, int y) {
    return x >= 0 && y >= 0 && x < bmp->w && y < bmp->h && pixelAt(bmp, x, y) == kWhite;
}

bool touchesWhite(BITMAP* bmp, int x, int y) {
    return whiteAt(bmp, x + 1, y) || whiteAt(bmp, x - 1, y) || whiteAt(bmp, x, y + 1) ||
           whiteAt(bmp, x, y - 1);
}

} // namespace

TEST(SparkEffectTest, ImageSpansTheBoltWithAFourPixelMargin) {
    srand(7);
    SparkEffect e(100, 50, 90, 80);
    EXPECT_DOUBLE_EQ(e.lifetime, 0.06);
    EXPECT_EQ(e.image->w, 18);
    EXPECT_EQ(e.image->h, 38);
    EXPECT_EQ(e.x, 86.0);
    EXPECT_EQ(e.y, 46.0);
    EXPECT_EQ(pixelAt(e.image, 14, 4), kWhite);
    EXPECT_EQ(pixelAt(e.image, 4, 34), kWhite);

    // Swapping the ends places the image the same way.
    SparkEffect back(90, 80, 100, 50);
    EXPECT_EQ(back.x, 86.0);
    EXPECT_EQ(back.y, 46.0);
    EXPECT_EQ(pixelAt(back.image, 14, 4), kWhite);
    EXPECT_EQ(pixelAt(back.image, 4, 34), kWhite);
}

TEST(SparkEffectTest, HorizontalBoltStaysWithinThreeRowsOfRowFour) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        srand(seed);
        SparkEffect e(30, 60, 130, 60);
        ASSERT_EQ(e.image->h, 8);
        ASSERT_EQ(e.image->w, 108);
        EXPECT_EQ(e.y, 56.0);
        EXPECT_EQ(pixelAt(e.image, 4, 4), kWhite);
        EXPECT_EQ(pixelAt(e.image, 104, 4), kWhite);
        for (int x = 4; x <= 104; ++x) {
            bool lit = false;
            for (int y = 0; y < 8; ++y) {
                if (pixelAt(e.image, x, y) == kWhite) {
                    EXPECT_GE(y, 1) << "seed " << seed;
                    EXPECT_LE(y, 7) << "seed " << seed;
                    lit = true;
                }
            }
            EXPECT_TRUE(lit) << "gap at column " << x << ", seed " << seed;
        }
    }
}

TEST(SparkEffectTest, GlowsLightBlueExactlyNextToTheWhiteCore) {
    for (unsigned seed = 1; seed <= 10; ++seed) {
        srand(seed);
        SparkEffect e(40, 100, 70, 20);
        int glowing = 0;
        for (int y = 0; y < e.image->h; ++y) {
            for (int x = 0; x < e.image->w; ++x) {
                Rgb c = pixelAt(e.image, x, y);
                if (c == kGlow) {
                    ++glowing;
                    EXPECT_TRUE(touchesWhite(e.image, x, y)) << x << "," << y;
                } else if (c == kMask) {
                    EXPECT_FALSE(touchesWhite(e.image, x, y)) << x << "," << y;
                } else {
                    EXPECT_EQ(c, kWhite) << x << "," << y;
                }
            }
        }
        EXPECT_GT(glowing, 0);
    }
}

TEST(SparkEffectTest, DrawsMaskedAtItsPlaceAndHandlesABoltOfNoLength) {
    BITMAP* target = makeBitmap(320, 240, kBackR, kBackG, kBackB);
    srand(3);
    SparkEffect e(100, 50, 90, 80);
    e.update(0.03);
    EXPECT_FALSE(e.finished());
    e.draw(target);
    EXPECT_EQ(pixelAt(target, 100, 50), kWhite);
    EXPECT_EQ(pixelAt(target, 90, 80), kWhite);
    EXPECT_TRUE(isBackground(target, 86, 46)); // a corner of the image is always mask
    e.update(0.03);
    EXPECT_TRUE(e.finished());

    SparkEffect dot(5, 5, 5, 5);
    EXPECT_EQ(dot.image->w, 8);
    EXPECT_EQ(dot.image->h, 8);
    dot.draw(target);
    destroy_bitmap(target);
}

TEST(SparkEffectTest, ABoltBeyondAnyFieldIsNotShownButKeepsTheRandomSequence) {
    srand(3);
    SparkEffect drawn(10, 10, 40, 60);
    const int next = rand();
    BITMAP* target = makeBitmap(64, 64, 0, 0, 0);
    for (int far : {INT_MAX, INT_MIN, 2000}) {
        srand(3);
        SparkEffect lost(10, 10, far, 60);
        EXPECT_EQ(lost.image, nullptr);
        EXPECT_EQ(rand(), next);
        lost.update(0.01);
        lost.draw(target);
    }
    EXPECT_EQ(pixelAt(target, 10, 10), (Rgb{0, 0, 0}));
    destroy_bitmap(target);
}
