// The night sky, the hills on the horizon, the ground the towers stand on and the clouds.

#include "Art.h"
#include "Rng.h"

#include <cmath>

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
    struct Spec {
        int w, h;
        double contrast;
        unsigned seed;
    };
    static const Spec specs[5] = {{44, 14, 0.70, 31},
                                  {26, 9, 0.45, 32},
                                  {34, 11, 0.58, 33},
                                  {72, 21, 1.0, 34},
                                  {56, 17, 0.85, 35}};
    const Spec& s = specs[index];
    Rng rng(s.seed);
    Image shape(s.w, s.h);
    const Colour solid{1, 1, 1};
    // A flat base and a row of puffs of different sizes.
    const double baseY = s.h * 0.72;
    shape.ellipse(s.w / 2.0, baseY, s.w / 2.0 - 0.5, s.h * 0.26, solid);
    int puffs = 3 + s.w / 18;
    for (int i = 0; i < puffs; ++i) {
        double t = (i + 0.5) / puffs;
        double cx = s.w * (0.12 + 0.76 * t) + rng.range(-1.5, 1.5);
        double bulge = std::sin(t * 3.14159);
        double r = s.h * (0.26 + 0.26 * bulge) + rng.range(-0.8, 0.8);
        shape.disc(cx, baseY - r * 0.55, r, solid);
    }
    const Colour sky{24, 32, 80};
    const Colour lit = mix(sky, Colour{150, 156, 200}, s.contrast);
    const Colour body = mix(sky, Colour{86, 92, 144}, s.contrast);
    const Colour under = mix(sky, Colour{52, 56, 104}, s.contrast);
    Image img(s.w, s.h);
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            if (shape.isMask(x, y))
                continue;
            // Moonlight from above: the top edge of every puff is lit.
            bool edgeAbove = shape.isMask(x, y - 1) || shape.isMask(x, y - 2);
            double down = y / double(s.h);
            Colour c = ditherMix(body, under, (down - 0.45) * 2.0, x, y, 4);
            if (edgeAbove)
                c = shape.isMask(x, y - 1) ? lit : mix(lit, body, 0.5);
            img.set(x, y, notMask(c));
        }
    return img;
}
