#include "gfx/BackBuffer.h"

#include "app/GameApp.h"
#include "app/Random.h"

#include <allegro.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr double kPi = 3.141592653589793;
// A shake wider than any screen already pushes the picture out of sight; capping it there keeps
// the conversion of the offset to int defined for any amount a caller asks for.
constexpr double kMaxShake = 1 << 16;

// The offset of this frame's picture. rand is drawn only while shaking, so a still screen leaves
// the random sequence alone.
void rollShake(int& dx, int& dy) {
    dx = 0;
    dy = 0;
    double shake = GameApp::instance()->currentShake();
    if (shake > 0.0) {
        if (shake > kMaxShake)
            shake = kMaxShake;
        double angle = 2.0 * randomFraction() * kPi;
        dx = static_cast<int>(shake * std::cos(angle));
        dy = static_cast<int>(shake * std::sin(angle));
    }
}

void stretchWithShake(BITMAP* source, BITMAP* target, int width, int height) {
    if (!source || !target || width <= 0 || height <= 0)
        return;
    int dx, dy;
    rollShake(dx, dy);
    stretch_blit(source, target, 0, 0, source->w, source->h, dx, dy, width, height);
}

int greyOf(int r, int g, int b) {
    return static_cast<int>(0.30 * r + 0.59 * g + 0.11 * b);
}

} // namespace

BackBuffer::BackBuffer(int width, int height) : bitmap(create_bitmap(width, height)) {}

BackBuffer::~BackBuffer() {
    if (bitmap)
        destroy_bitmap(bitmap);
}

void BackBuffer::present() {
    // Without a screen (a headless run) the offset is still rolled, so the random sequence does
    // not depend on whether anybody watches: a play-through recorded in the window replays
    // headless without drifting.
    if (!screen) {
        int dx, dy;
        rollShake(dx, dy);
        return;
    }
    stretchWithShake(bitmap, screen, SCREEN_W, SCREEN_H);
}

void BackBuffer::presentTo(BITMAP* target) {
    if (!target)
        return;
    stretchWithShake(bitmap, target, target->w, target->h);
}

void makeGreyscale(BITMAP* bitmap) {
    if (!bitmap)
        return;
    const int depth = bitmap_color_depth(bitmap);
    // The game-over screen greys the whole back buffer every frame. Walking the rows of a 32-bit
    // memory bitmap directly, with the channel shifts held in registers, gives the same pixels
    // several times faster than a getpixel/putpixel pass; remembering the last colour converted
    // skips the arithmetic over the long runs of one colour that a play field is made of.
    if (depth == 32 && is_memory_bitmap(bitmap)) {
        const int rShift = _rgb_r_shift_32;
        const int gShift = _rgb_g_shift_32;
        const int bShift = _rgb_b_shift_32;
        // makecol32(grey, grey, grey) is grey times this, as the channels never overlap.
        const uint32_t greyUnit = (1u << rShift) | (1u << gShift) | (1u << bShift);
        auto greyPixel = [&](uint32_t c) {
            int grey = greyOf((c >> rShift) & 0xFF, (c >> gShift) & 0xFF, (c >> bShift) & 0xFF);
            return static_cast<uint32_t>(grey) * greyUnit;
        };
        // Black stays black, so (0, 0) is a true starting pair for the cache.
        uint32_t lastIn = 0;
        uint32_t lastOut = 0;
        const int width = bitmap->w;
        for (int y = 0; y < bitmap->h; ++y) {
            uint32_t* row = reinterpret_cast<uint32_t*>(bitmap->line[y]);
            for (int x = 0; x < width; ++x) {
                uint32_t c = row[x];
                if (c != lastIn) {
                    lastIn = c;
                    lastOut = greyPixel(c);
                }
                row[x] = lastOut;
            }
        }
        return;
    }
    for (int y = 0; y < bitmap->h; ++y) {
        for (int x = 0; x < bitmap->w; ++x) {
            int c = getpixel(bitmap, x, y);
            int grey = greyOf(getr_depth(depth, c), getg_depth(depth, c), getb_depth(depth, c));
            putpixel(bitmap, x, y, makecol_depth(depth, grey, grey, grey));
        }
    }
}
