#include "app/GameApp.h"
#include "gfx/Silhouette.h"
#include "support/TestSupport.h"

#include <allegro.h>

#include <cstdlib>

namespace {

// Every pixel of a and b, compared as colours.
void expectSamePixels(BITMAP* a, BITMAP* b) {
    ASSERT_EQ(a->w, b->w);
    ASSERT_EQ(a->h, b->h);
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            ASSERT_EQ(pixelAt(a, x, y), pixelAt(b, x, y)) << "at " << x << ", " << y;
}

TEST(Silhouette, WalkingTheRowsGivesThePixelsOfThePerPixelPass) {
    // Mask, white, and colours one step away from the mask, scattered over an odd-sized image.
    BITMAP* image = makeBitmap(37, 23, 255, 0, 255);
    srand(7);
    const int colours[] = {makecol(254, 0, 255), makecol(255, 1, 255), makecol(255, 0, 254),
                           makecol(255, 255, 255), makecol(0, 0, 0)};
    for (int i = 0; i < 300; ++i)
        putpixel(image, rand() % 37, rand() % 23, colours[rand() % 5]);

    BITMAP* fast = makeSilhouette(image);
    BITMAP* slow = makeSilhouettePerPixel(image);
    expectSamePixels(fast, slow);
    destroy_bitmap(fast);
    destroy_bitmap(slow);
    destroy_bitmap(image);

    EXPECT_EQ(makeSilhouette(nullptr), nullptr);
    if (!gameDataLoaded())
        GTEST_SKIP() << "the data set is not there";
    BITMAP* body = GameApp::instance()->orbImages[0];
    fast = makeSilhouette(body);
    slow = makeSilhouettePerPixel(body);
    expectSamePixels(fast, slow);
    EXPECT_EQ(pixelAt(fast, body->w / 2, body->h / 2), (Rgb{255, 255, 255}));
    EXPECT_EQ(pixelAt(fast, 0, 0), (Rgb{255, 0, 255}));
    destroy_bitmap(fast);
    destroy_bitmap(slow);
}

} // namespace
