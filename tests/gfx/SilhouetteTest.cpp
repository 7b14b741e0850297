#include "app/GameApp.h"
#include "gfx/Silhouette.h"
#include "support/TestSupport.h"

#include <allegro.h>

#include <cstdlib>

namespace {

// Both ways give the image's size and the same colour in every pixel: white where the image is
// not the mask colour, the mask colour elsewhere.
void expectSameSilhouettes(BITMAP* image) {
    BITMAP* fast = makeSilhouette(image);
    BITMAP* slow = makeSilhouettePerPixel(image);
    ASSERT_EQ(fast->w, image->w);
    ASSERT_EQ(fast->h, image->h);
    for (int y = 0; y < image->h; ++y)
        for (int x = 0; x < image->w; ++x) {
            const Rgb expected =
                pixelAt(image, x, y) == Rgb{255, 0, 255} ? Rgb{255, 0, 255} : Rgb{255, 255, 255};
            ASSERT_EQ(pixelAt(fast, x, y), expected) << "at " << x << ", " << y;
            ASSERT_EQ(pixelAt(slow, x, y), expected) << "at " << x << ", " << y;
        }
    destroy_bitmap(fast);
    destroy_bitmap(slow);
}

TEST(Silhouette, WalkingTheRowsGivesThePixelsOfThePerPixelPass) {
    // Mask, white, and colours one step away from the mask, scattered over an odd-sized image.
    BITMAP* image = makeBitmap(37, 23, 255, 0, 255);
    srand(7);
    const int colours[] = {makecol(254, 0, 255), makecol(255, 1, 255), makecol(255, 0, 254),
                           makecol(255, 255, 255), makecol(0, 0, 0)};
    for (int i = 0; i < 300; ++i)
        putpixel(image, rand() % 37, rand() % 23, colours[rand() % 5]);

    expectSameSilhouettes(image);
    destroy_bitmap(image);

    EXPECT_EQ(makeSilhouette(nullptr), nullptr);
    if (!gameDataLoaded())
        GTEST_SKIP() << "the data set is not there";
    expectSameSilhouettes(GameApp::instance()->orbImages[0]);
}

} // namespace
