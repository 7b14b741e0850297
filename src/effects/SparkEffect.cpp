#include "effects/SparkEffect.h"

#include "app/GameApp.h"
#include "app/Random.h"

#include <allegro.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr double kSparkLifetime = 0.06;
// Room around the bolt for the jitter and the glow.
constexpr int kMargin = 4;
constexpr int kSegments = 9;
// The coil reaches a fraction of the 320 x 240 field; a bolt spanning more than this in either
// direction joins a lost or broken position, and its image (4 MB at this size, glowed pixel by
// pixel) is not worth making. Such a bolt is not shown.
constexpr long long kMaxBoltSpan = 1024;

// -3 ... +3 pixels.
int jitter() {
    return randomInt() % 7 - 3;
}

// Where the bolt starts and ends inside the image along one axis, and where the image goes.
void placeAxis(int a1, int a2, double& origin, int& start, int& end) {
    if (a1 < a2) {
        origin = static_cast<double>(a1) - kMargin;
        start = kMargin;
        end = a2 - a1 + kMargin;
    } else {
        origin = static_cast<double>(a2) - kMargin;
        start = a1 - a2 + kMargin;
        end = kMargin;
    }
}

// Paints every mask pixel that touches a white one. Only white spreads the glow, so the pass
// reads as if from the untouched bolt whatever order it visits the pixels in.
void addGlow(BITMAP* image, int white, int mask, int glow) {
    const int w = image->w;
    const int h = image->h;
    const bool direct = bitmap_color_depth(image) == 32;
    auto at = [&](int px, int py) {
        return direct ? static_cast<int>(_getpixel32(image, px, py)) : getpixel(image, px, py);
    };
    auto isWhite = [&](int px, int py) {
        return px >= 0 && py >= 0 && px < w && py < h && at(px, py) == white;
    };
    for (int py = 0; py < h; ++py) {
        for (int px = 0; px < w; ++px) {
            if (at(px, py) != mask)
                continue;
            if (isWhite(px + 1, py) || isWhite(px - 1, py) || isWhite(px, py + 1) ||
                isWhite(px, py - 1)) {
                if (direct)
                    _putpixel32(image, px, py, glow);
                else
                    putpixel(image, px, py, glow);
            }
        }
    }
}

} // namespace

SparkEffect::SparkEffect(int x1, int y1, int x2, int y2) : image(nullptr) {
    lifetime = kSparkLifetime;
    // Measured in 64 bits: the ends may be anywhere an entity has wandered to.
    const long long spanX = std::llabs(static_cast<long long>(x1) - x2);
    const long long spanY = std::llabs(static_cast<long long>(y1) - y2);
    // A run that never draws needs no picture either.
    if (spanX <= kMaxBoltSpan && spanY <= kMaxBoltSpan && !GameApp::instance()->fieldUnseen) {
        const int w = static_cast<int>(spanX) + 2 * kMargin;
        const int h = static_cast<int>(spanY) + 2 * kMargin;
        image = create_bitmap(w, h);
    }
    if (!image) {
        // Nothing to show, but the jitter is drawn all the same so the random sequence stays
        // the one a drawn bolt would leave.
        for (int i = 1; i < kSegments; ++i) {
            jitter();
            jitter();
        }
        return;
    }
    const int w = image->w;
    const int h = image->h;
    const int mask = makecol(255, 0, 255);
    const int white = makecol(255, 255, 255);
    clear_to_color(image, mask);

    int sx, ex, sy, ey;
    placeAxis(x1, x2, x, sx, ex);
    placeAxis(y1, y2, y, sy, ey);

    int px = sx;
    int py = sy;
    for (int i = 1; i < kSegments; ++i) {
        // Two statements so the horizontal jitter is always drawn first.
        int nx = sx + ((ex - sx) * i) / kSegments + jitter();
        int ny = sy + ((ey - sy) * i) / kSegments + jitter();
        nx = std::clamp(nx, 0, w);
        ny = std::clamp(ny, 0, h);
        line(image, px, py, nx, ny, white);
        px = nx;
        py = ny;
    }
    line(image, px, py, ex, ey, white);

    addGlow(image, white, mask, makecol(64, 128, 255));
}

SparkEffect::~SparkEffect() {
    if (image)
        destroy_bitmap(image);
}

void SparkEffect::update(double dt) {
    Effect::update(dt);
}

void SparkEffect::draw(BITMAP* target) {
    if (!image)
        return;
    masked_blit(image, target, 0, 0, static_cast<int>(x), static_cast<int>(y), image->w, image->h);
}
