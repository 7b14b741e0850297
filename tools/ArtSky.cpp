// The night sky, the hills on the horizon, the ground the towers stand on and the clouds.

#include "Art.h"
#include "Rng.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const Colour kSkyTop{6, 8, 26};
const Colour kSkyMid{22, 30, 78};
const Colour kHorizon{74, 70, 132};
const Colour kFarHills{34, 36, 84};
const Colour kNearHills{20, 22, 52};
const Colour kGrassLit{70, 150, 70};
const Colour kGrass{38, 100, 52};
const Colour kSoil{62, 44, 40};
const Colour kSoilDark{40, 28, 30};
const Colour kHud{22, 18, 26};

Colour skyAt(int x, int y) {
    const double t = y / double(kGroundLine);
    if (t < 0.55)
        return ditherMix(kSkyTop, kSkyMid, t / 0.55, x, y, 16);
    return ditherMix(kSkyMid, kHorizon, (t - 0.55) / 0.45, x, y, 16);
}

void drawStars(Image& img) {
    Rng rng(1977);
    for (int i = 0; i < 170; ++i) {
        int x = rng.below(320);
        // Fewer stars low in the sky, where the glow of the horizon drowns them.
        int y = static_cast<int>(std::pow(rng.unit(), 1.6) * 150);
        double bright = rng.range(0.25, 1.0) * (1.0 - y / 190.0);
        Colour star = mix(img.get(x, y), Colour{230, 230, 255}, bright);
        img.set(x, y, star);
        if (bright > 0.62 && rng.below(3) == 0) {
            Colour glow = mix(img.get(x, y), star, 0.45);
            img.set(x - 1, y, glow);
            img.set(x + 1, y, glow);
            img.set(x, y - 1, glow);
            img.set(x, y + 1, glow);
        }
    }
}

void drawMoon(Image& img) {
    const double cx = 268.5, cy = 30.5, r = 9.0;
    for (int y = 18; y < 44; ++y)
        for (int x = 255; x < 282; ++x) {
            double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            double dShadow = std::hypot(x + 0.5 - (cx - 4.5), y + 0.5 - (cy - 2.5));
            if (d <= r && dShadow > r * 0.92) {
                double lit = 0.75 + 0.25 * valueNoise(x, y, 3.0, 7);
                img.set(x, y, shade(Colour{236, 232, 200}, lit));
            } else if (d <= r + 3.0 && dShadow > r) {
                img.set(x, y,
                        mix(img.get(x, y), Colour{120, 120, 170}, 0.25 * (r + 3.0 - d) / 3.0));
            }
        }
}

int hillHeight(int x, double base, double a1, double f1, double a2, double f2, double phase) {
    return static_cast<int>(base - a1 * std::sin(x * f1 + phase) -
                            a2 * std::sin(x * f2 + 2 * phase) -
                            3.0 * valueNoise(x, 0, 7.0, static_cast<unsigned>(phase * 100)));
}

void drawHills(Image& img) {
    for (int x = 0; x < 320; ++x) {
        int far = hillHeight(x, 184, 9, 0.021, 5, 0.057, 1.3);
        for (int y = far; y < kGroundLine; ++y)
            img.set(x, y, ditherMix(kFarHills, kHorizon, 0.35 - 0.3 * (y - far) / 30.0, x, y, 8));
        int near = hillHeight(x, 199, 6, 0.033, 3, 0.09, 4.1);
        for (int y = near; y < kGroundLine; ++y)
            img.set(x, y, ditherMix(kNearHills, kFarHills, 0.3 - 0.3 * (y - near) / 12.0, x, y, 8));
    }
}

void drawGround(Image& img) {
    Rng rng(4242);
    for (int x = 0; x < 320; ++x) {
        // A ragged grass edge reads as ground without hiding the line the towers stand on.
        int tuft = rng.below(5) == 0 ? 1 : 0;
        if (tuft)
            img.set(x, kGroundLine - 1, kGrass);
        img.set(x, kGroundLine, kGrassLit);
        img.set(x, kGroundLine + 1, mix(kGrassLit, kGrass, 0.5));
        img.set(x, kGroundLine + 2, kGrass);
        for (int y = kGroundLine + 3; y < kHudTop; ++y) {
            double n = valueNoise(x, y, 3.0, 11);
            Colour c = mix(kSoil, kSoilDark, (y - kGroundLine - 3) / 6.0);
            img.set(x, y, shade(c, 0.8 + 0.4 * n));
        }
        if (rng.below(3) == 0)
            img.set(x, kGroundLine + 3, mix(kGrass, kSoil, 0.5));
    }
    // The HUD strip: dark and quiet so the white text, the red bar and the buttons stand out.
    for (int y = kHudTop; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            double n = valueNoise(x, y, 4.0, 23);
            img.set(x, y, shade(kHud, 0.85 + 0.3 * n));
        }
    for (int x = 0; x < 320; ++x) {
        img.set(x, kHudTop, Colour{48, 38, 44});
        img.set(x, kHudTop - 1, Colour{14, 10, 16});
    }
    // A few pebbles in the soil.
    for (int i = 0; i < 40; ++i) {
        int x = rng.below(320), y = kGroundLine + 4 + rng.below(4);
        img.set(x, y, Colour{96, 78, 70});
    }
}

} // namespace

Image makeBackground() {
    Image img(320, 240);
    for (int y = 0; y < kGroundLine; ++y)
        for (int x = 0; x < 320; ++x)
            img.set(x, y, skyAt(x, y));
    drawStars(img);
    drawMoon(img);
    drawHills(img);
    drawGround(img);
    return img;
}

Image makeCloud(int index) {
    // cloud1..cloud5; the game's far layers use cloud2 and cloud3, the near ones cloud5 and
    // cloud4, so size and contrast grow in that order.
    struct CloudShape {
        int w, h;
        double contrast;
        unsigned seed;
    };
    static const CloudShape shapes[5] = {{44, 14, 0.70, 31},
                                         {26, 9, 0.45, 32},
                                         {34, 11, 0.58, 33},
                                         {72, 21, 1.0, 34},
                                         {56, 17, 0.85, 35}};
    const CloudShape& s = shapes[index];
    Rng rng(s.seed);

    // A cloud is a cluster of round puffs over a flat base, each puff shaded like a ball lit
    // by the moon from the upper right.
    struct Puff {
        double x, y, r;
    };
    std::vector<Puff> puffs;
    const double baseY = s.h - 2.5;
    const int count = 3 + s.w / 10;
    for (int i = 0; i < count; ++i) {
        double t = (i + 0.5) / count;
        double bulge = std::sin(t * 3.14159);
        double r = s.h * (0.22 + 0.3 * bulge) * rng.range(0.8, 1.15);
        double x = 1.5 + r * 0.6 + (s.w - 3.0 - r * 1.2) * t + rng.range(-1.0, 1.0);
        puffs.push_back({x, baseY - r * rng.range(0.35, 0.75), r});
    }
    const double lx = 0.35, ly = -0.75, lz = 0.56;
    const Colour sky{24, 32, 80};
    const Colour levels[4] = {
        mix(sky, Colour{46, 50, 98}, s.contrast), mix(sky, Colour{76, 82, 134}, s.contrast),
        mix(sky, Colour{112, 118, 170}, s.contrast), mix(sky, Colour{168, 172, 214}, s.contrast)};
    Image img(s.w, s.h);
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            if (y + 0.5 > baseY + 1.0)
                continue;
            double best = -1e9, light = 0.0;
            for (const Puff& p : puffs) {
                double dx = x + 0.5 - p.x, dy = y + 0.5 - p.y;
                double d2 = dx * dx + dy * dy;
                if (d2 > p.r * p.r)
                    continue;
                double z = std::sqrt(p.r * p.r - d2);
                // Lower puffs sit in front of higher ones.
                double depth = z + p.y * 0.5;
                if (depth > best) {
                    best = depth;
                    light = (dx * lx + dy * ly + z * lz) / p.r;
                }
            }
            if (best < -1e8)
                continue;
            // The flat underside is in shadow.
            double under = (y + 0.5 - (baseY - 2.0)) / 3.0;
            double v = 1.3 + 1.7 * light - std::max(0.0, under) * 1.5;
            double level = std::clamp(v + (bayer(x, y) - 0.5) * 0.45, 0.0, 3.0);
            img.set(x, y, notMask(levels[static_cast<int>(level)]));
        }
    return img;
}
