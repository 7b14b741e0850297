// One-shot effects: the invader poof, the small explosion, the two smoke puffs and the debris.
// Each frame is drawn from the same noise field, so holes grow steadily as a cloud dissolves.

#include "Art.h"
#include "Rng.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const Colour kOutline{20, 14, 20};
const double kPi = 3.14159265358979;

Colour heatRamp(double heat) {
    static const Colour stops[] = {{56, 48, 52},   {96, 40, 30},   {196, 56, 24},
                                   {255, 140, 36}, {255, 220, 90}, {255, 255, 230}};
    heat = std::clamp(heat, 0.0, 1.0) * 5.0;
    int i = std::min(4, static_cast<int>(heat));
    return mix(stops[i], stops[i + 1], heat - i);
}

Image fireball(int size, double t, unsigned seed) {
    Image img(size, size);
    const double c = size / 2.0;
    const double r = (size / 2.0 - 0.5) * (0.45 + 0.6 * std::sqrt(t));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double d = std::hypot(x + 0.5 - c, y + 0.5 - c) / r;
            double n = valueNoise(x, y, 2.5, seed);
            double density = 1.0 - d + 0.45 * (n - 0.5) - 0.75 * t * t;
            if (density <= 0.0)
                continue;
            double heat = (1.0 - t * 1.05) * (1.15 - 0.7 * d) + 0.25 * (n - 0.5);
            img.set(x, y, notMask(heatRamp(heat)));
        }
    // Sparks thrown out of the blast while it is young.
    if (t < 0.6) {
        Rng rng(seed);
        for (int k = 0; k < 7; ++k) {
            double a = k * 2 * kPi / 7 + rng.range(-0.3, 0.3);
            double dist = r * 0.9 + size * 0.45 * t + rng.range(0.0, 1.5);
            img.set(static_cast<int>(c + std::cos(a) * dist),
                    static_cast<int>(c + std::sin(a) * dist),
                    t < 0.3 ? Colour{255, 250, 200} : Colour{255, 170, 60});
        }
    }
    return img;
}

Image smoke(int size, double t, unsigned seed, Colour light, Colour dark) {
    Image img(size, size);
    const double c = size / 2.0;
    const double r = (size / 2.0 - 0.5) * (0.45 + 0.55 * t);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double d = std::hypot(x + 0.5 - c, y + 0.5 - c + t) / r;
            double n = valueNoise(x, y, 2.0, seed);
            double density = 1.0 - d + 0.5 * (n - 0.5) - 0.85 * t * t;
            if (density <= 0.0)
                continue;
            // Lit from the upper left, darker as it thins out.
            double lit = 0.5 - 0.35 * ((x - c) + (y - c)) / r;
            Colour col = mix(dark, light, lit * (1.0 - 0.6 * t));
            img.set(x, y, notMask(col));
        }
    return img;
}

Image poofFrame(double t) {
    const int size = 16;
    Image img(size, size);
    const double c = size / 2.0;
    // A bright flash that opens into a ring of smoke with sparks flying out.
    const double ring = 1.5 + 6.0 * std::sqrt(t);
    const double thickness = 3.2 * (1.0 - t) + 0.6;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double d = std::hypot(x + 0.5 - c, y + 0.5 - c);
            double n = valueNoise(x, y, 2.0, 77);
            double inRing = 1.0 - std::abs(d - ring) / thickness + 0.4 * (n - 0.5) - 0.5 * t;
            if (t < 0.15 && d < 4.0)
                img.set(x, y, {255, 255, 255});
            else if (inRing > 0.0)
                img.set(
                    x, y,
                    notMask(mix({250, 255, 240}, {120, 140, 130}, t * 1.2 + (1 - inRing) * 0.3)));
        }
    Rng rng(9);
    for (int k = 0; k < 8; ++k) {
        double a = k * kPi / 4 + rng.range(-0.3, 0.3);
        double dist = 2.0 + 7.5 * t + rng.range(0, 1.0);
        if (t > 0.85 && k % 2)
            continue;
        int x = static_cast<int>(c + std::cos(a) * dist),
            y = static_cast<int>(c + std::sin(a) * dist);
        img.set(x, y, t < 0.5 ? Colour{255, 255, 200} : Colour{200, 255, 170});
    }
    return img;
}

Image debrisTile(int kind) {
    Image img(8, 8);
    switch (kind) {
    case 0: { // a bent steel plate
        Image s(8, 8);
        s.fillRect(1, 2, 5, 3, {1, 1, 1});
        s.fillRect(3, 4, 3, 2, {1, 1, 1});
        s.set(6, 2, {1, 1, 1});
        img.blit(shaded(s, {150, 156, 176}), 0, 0);
        img.set(2, 3, {60, 60, 70});
        break;
    }
    case 1: { // a nut
        Image s(8, 8);
        s.disc(4, 4, 2.9, {1, 1, 1});
        img.blit(shaded(s, {170, 170, 150}), 0, 0);
        img.fillRect(3, 3, 2, 2, kMask);
        break;
    }
    case 2: { // a rusty girder piece
        Image s(8, 8);
        s.line(1, 6, 6, 1, {1, 1, 1});
        s.line(1, 5, 5, 1, {1, 1, 1});
        s.line(2, 6, 6, 2, {1, 1, 1});
        img.blit(shaded(s, {160, 82, 44}), 0, 0);
        break;
    }
    case 3: { // a glowing ember
        img.disc(4, 4, 2.4, {220, 70, 20});
        img.disc(3.6, 3.6, 1.3, {255, 210, 80});
        break;
    }
    case 4: { // a chunk of rock and soil
        Image s(8, 8);
        s.ellipse(4, 4.5, 3.0, 2.2, {1, 1, 1});
        s.set(5, 2, {1, 1, 1});
        img.blit(shaded(s, {104, 80, 66}), 0, 0);
        break;
    }
    default: { // a shard of lens glass
        img.line(2, 5, 5, 2, {255, 110, 100});
        img.line(3, 5, 5, 3, {200, 40, 50});
        img.set(5, 5, {200, 40, 50});
        break;
    }
    }
    img.outline(kOutline);
    return img;
}

Sheet oneShot(int frames, float fps, Image (*paint)(int, int)) {
    SheetBuilder sb;
    std::vector<int> row;
    for (int f = 0; f < frames; ++f)
        row.push_back(sb.addFrame(paint(f, frames)));
    sb.addRow(fps, row);
    return sb.build();
}

} // namespace

Sheet makePoof() {
    return oneShot(8, 20.0f, [](int f, int n) { return poofFrame(f / double(n)); });
}

Sheet makeExplosionSmall() {
    return oneShot(9, 20.0f, [](int f, int n) {
        Image img = fireball(20, f / double(n), 501);
        return img;
    });
}

Sheet makePuff1() {
    return oneShot(8, 16.0f, [](int f, int n) {
        return smoke(13, f / double(n), 602, {214, 214, 226}, {96, 96, 112});
    });
}

Sheet makePuff2() {
    return oneShot(6, 15.0f, [](int f, int n) {
        return smoke(9, f / double(n), 703, {200, 200, 212}, {104, 104, 120});
    });
}

Image makeDebris() {
    Image img(48, 8);
    for (int k = 0; k < 6; ++k)
        img.blit(debrisTile(k), 8 * k, 0);
    return img;
}
