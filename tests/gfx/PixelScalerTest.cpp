#include "gfx/PixelScaler.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

// Random colours, runs of the mask colour and of the extremes, in both 32-bit layouts the game
// meets (red low headless, red high in an X11 window): at every factor, still and shaken in
// each direction, whole and clipped, the scaler leaves exactly what stretch_blit leaves.
TEST(PixelScalerTest, DrawsTheSamePixelsAsStretchBlitAtEveryFactor) {
    const int savedR = _rgb_r_shift_32, savedB = _rgb_b_shift_32;
    std::mt19937 rng(23);
    PixelScaler scaler;
    const int offsets[][2] = {{0, 0}, {-7, 5}, {13, -11}, {-1, -1}, {2, 3}, {-100000, 0}};
    for (int layout = 0; layout < 2; ++layout) {
        _rgb_r_shift_32 = layout ? 16 : 0;
        _rgb_b_shift_32 = layout ? 0 : 16;
        BITMAP* frame = create_bitmap_ex(32, 320, 240);
        for (int y = 0; y < frame->h; ++y)
            for (int x = 0; x < frame->w; ++x) {
                const int kind = (x / 9 + y / 7) % 4;
                putpixel(frame, x, y,
                         kind == 0   ? makecol32(255, 0, 255)
                         : kind == 1 ? makecol32(x & 1 ? 255 : 0, 255, y & 1 ? 255 : 0)
                                     : makecol32(rng() & 255, rng() & 255, rng() & 255));
            }
        for (int factor = 1; factor <= PixelScaler::kLargestFactor; ++factor) {
            BITMAP* expected = create_bitmap_ex(32, 320 * factor, 240 * factor);
            BITMAP* actual = create_bitmap_ex(32, 320 * factor, 240 * factor);
            for (int clipped = 0; clipped < 2; ++clipped)
                for (const auto& offset : offsets) {
                    clear_to_color(expected, 0x123456);
                    clear_to_color(actual, 0x123456);
                    set_clip_rect(expected, clipped * 31, clipped * 17,
                                  expected->w - 1 - clipped * 5, expected->h - 1 - clipped * 23);
                    set_clip_rect(actual, clipped * 31, clipped * 17, actual->w - 1 - clipped * 5,
                                  actual->h - 1 - clipped * 23);
                    stretch_blit(frame, expected, 0, 0, 320, 240, offset[0], offset[1], expected->w,
                                 expected->h);
                    ASSERT_TRUE(scaler.draw(frame, actual, offset[0], offset[1], factor));
                    for (int y = 0; y < actual->h; ++y)
                        ASSERT_EQ(std::memcmp(expected->line[y], actual->line[y], actual->w * 4), 0)
                            << "factor " << factor << ", offset " << offset[0] << ", " << offset[1]
                            << (clipped ? ", clipped" : "") << ", layout " << layout << ", row "
                            << y;
                }
            destroy_bitmap(expected);
            destroy_bitmap(actual);
        }
        destroy_bitmap(frame);
    }
    _rgb_r_shift_32 = savedR;
    _rgb_b_shift_32 = savedB;
}

} // namespace
