// The desktop icon: a laser turret on the ground line shooting up at a squibble under the
// night sky, on a rounded square. Drawn from distance functions in a unit square, so every size
// is drawn afresh and anti-aliased rather than scaled from another.

#include "AppIcon.h"

#include <algorithm>
#include <cmath>

namespace {

struct Rgb {
    double r, g, b;
};

Rgb lerp(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Signed distances in icon units: negative inside.
double circle(double x, double y, double cx, double cy, double r) {
    return std::hypot(x - cx, y - cy) - r;
}

double roundedBox(double x, double y, double cx, double cy, double hw, double hh, double r) {
    const double qx = std::fabs(x - cx) - hw + r;
    const double qy = std::fabs(y - cy) - hh + r;
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
}

double ellipse(double x, double y, double cx, double cy, double rx, double ry) {
    const double k = std::hypot((x - cx) / rx, (y - cy) / ry);
    return (k - 1.0) * std::min(rx, ry);
}

const Rgb kOutline{14, 10, 24};
constexpr double kOutlineWidth = 0.022;

// Paints one layer with its dark outline: the shape at distance d.
void layer(Rgb& colour, double d, Rgb fill) {
    if (d < 0.0)
        colour = fill;
    else if (d < kOutlineWidth)
        colour = kOutline;
}

// The colour and coverage of one point of the icon.
bool scene(double x, double y, Rgb& c) {
    // The tile leaves a margin, as desktop icons do, so the picture lines up with its neighbours.
    const double tile = roundedBox(x, y, 0.5, 0.5, 0.45, 0.45, 0.12);
    if (tile > 0.0)
        return false;

    // Sky from deep night at the top to a lighter blue at the horizon.
    c = lerp({16, 18, 52}, {62, 64, 132}, (y - 0.05) / 0.75);
    static const double stars[][2] = {{0.18, 0.16}, {0.30, 0.36}, {0.83, 0.42}, {0.70, 0.10},
                                      {0.14, 0.52}, {0.88, 0.62}, {0.36, 0.12}};
    for (const auto& s : stars)
        if (circle(x, y, s[0], s[1], 0.011) < 0.0)
            c = {236, 236, 255};
    // A crescent moon.
    if (circle(x, y, 0.79, 0.21, 0.085) < 0.0 && circle(x, y, 0.825, 0.185, 0.075) > 0.0)
        c = {244, 236, 196};

    // Ground: grass on the ground line, then earth.
    if (y > 0.80)
        c = lerp({70, 46, 40}, {40, 26, 30}, (y - 0.80) / 0.15);
    if (y > 0.785 && y <= 0.825)
        c = {84, 178, 78};

    // The laser beam from the barrel up into the squibble, with a flash where it strikes.
    const double beam = roundedBox(x, y, 0.5, 0.33, 0.018, 0.10, 0.018);
    if (beam < 0.0)
        c = lerp({255, 236, 236}, {255, 60, 70}, std::fabs(x - 0.5) / 0.018);
    const double flash = circle(x, y, 0.5, 0.27, 0.045);
    if (flash < 0.0)
        c = lerp({255, 250, 210}, {255, 190, 80}, (flash + 0.045) / 0.045);

    // The squibble: a domed green head with two eyes over four tentacles.
    for (int t = 0; t < 4; ++t)
        layer(c, roundedBox(x, y, 0.395 + 0.07 * t, 0.265, 0.016, 0.045, 0.016), {80, 182, 96});
    layer(c, ellipse(x, y, 0.5, 0.18, 0.15, 0.095),
          lerp({150, 236, 150}, {80, 180, 96}, (y - 0.1) / 0.16));
    for (double ex : {0.45, 0.55}) {
        if (circle(x, y, ex, 0.175, 0.028) < 0.0)
            c = {240, 250, 230};
        if (circle(x, y, ex + 0.008, 0.182, 0.013) < 0.0)
            c = {20, 10, 30};
    }

    // The turret: barrel, domed head and a broad foot on the ground line.
    layer(c, roundedBox(x, y, 0.5, 0.49, 0.032, 0.075, 0.01), {96, 106, 128});
    layer(c, roundedBox(x, y, 0.5, 0.735, 0.16, 0.07, 0.03),
          lerp({150, 160, 182}, {86, 94, 116}, (y - 0.67) / 0.13));
    layer(c, circle(x, y, 0.5, 0.635, 0.095),
          lerp({196, 206, 226}, {110, 118, 142}, (y - 0.54) / 0.19));
    // A red lens in the head.
    if (circle(x, y, 0.5, 0.615, 0.028) < 0.0)
        c = {255, 84, 84};

    // A thin dark rim keeps the tile readable on light and dark panels alike.
    if (tile > -0.012)
        c = lerp(c, kOutline, 0.7);
    return true;
}

} // namespace

RgbaImage makeAppIcon(int size) {
    RgbaImage icon;
    icon.width = icon.height = size;
    icon.pixels.resize(static_cast<std::size_t>(size) * size * 4);
    // Enough samples per pixel that the small sizes keep the shapes' proportions.
    const int n = std::max(4, 96 / size);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0;
            int covered = 0;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    Rgb c{0, 0, 0};
                    if (!scene((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size, c))
                        continue;
                    r += c.r;
                    g += c.g;
                    b += c.b;
                    ++covered;
                }
            }
            uint8_t* p = &icon.pixels[(static_cast<std::size_t>(py) * size + px) * 4];
            if (covered > 0) {
                p[0] = static_cast<uint8_t>(std::lround(r / covered));
                p[1] = static_cast<uint8_t>(std::lround(g / covered));
                p[2] = static_cast<uint8_t>(std::lround(b / covered));
                p[3] = static_cast<uint8_t>(std::lround(255.0 * covered / (n * n)));
            }
        }
    }
    return icon;
}
