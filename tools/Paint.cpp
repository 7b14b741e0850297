#include "Art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

double bayer(int x, int y) {
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return m[y & 3][x & 3] / 16.0;
}

Colour ditherMix(Colour a, Colour b, double t, int x, int y, int steps) {
    double level = t * steps + bayer(x, y) - 0.5;
    double q = std::round(level) / steps;
    return mix(a, b, q);
}

namespace {

double lattice(int x, int y, unsigned seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / double(0xffffff);
}

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

double valueNoise(double x, double y, double cell, unsigned seed) {
    double fx = x / cell, fy = y / cell;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    double tx = smooth(fx - ix), ty = smooth(fy - iy);
    double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

Image forbiddenTint(const Image& frame) {
    Image out = frame;
    out.mapDrawn([](Colour c) {
        int lum = (c.r * 30 + c.g * 59 + c.b * 11) / 100;
        return rgb(90 + lum * 165 / 255, lum * 60 / 255, lum * 50 / 255);
    });
    return out;
}

Image greyed(const Image& icon) {
    Image out = icon;
    out.mapDrawn([](Colour c) {
        int lum = (c.r * 30 + c.g * 59 + c.b * 11) / 100;
        int v = 40 + lum * 60 / 255;
        return rgb(v, v, v + 4);
    });
    return out;
}

Image shaded(const Image& shape, Colour base) {
    Image out(shape.width(), shape.height());
    int top = shape.height(), bottom = -1;
    for (int y = 0; y < shape.height(); ++y)
        for (int x = 0; x < shape.width(); ++x)
            if (!shape.isMask(x, y)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    for (int y = 0; y < shape.height(); ++y)
        for (int x = 0; x < shape.width(); ++x) {
            if (shape.isMask(x, y))
                continue;
            double span = bottom > top ? (y - top) / double(bottom - top) : 0.5;
            double f = 1.08 - 0.22 * span;
            if (shape.isMask(x, y - 1))
                f = 1.4;
            else if (shape.isMask(x - 1, y))
                f = 1.2;
            else if (shape.isMask(x + 1, y))
                f = 0.7;
            else if (shape.isMask(x, y + 1))
                f = 0.62;
            out.set(x, y, notMask(shade(base, f)));
        }
    return out;
}
