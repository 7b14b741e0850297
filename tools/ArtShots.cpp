// The shots: the laser bolt, the homing missile in sixteen directions, the squibbles' bullet and
// the boss's bomb.

#include "Art.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const Colour kOutline{14, 10, 24};
const double kPi = 3.14159265358979;

// What part of the missile a point in its own frame is: u along the body (nose at +u), v across.
enum class MissilePart { None, Flame, Fin, Body, Band, Nose };

MissilePart missilePart(double u, double v) {
    const double av = std::abs(v);
    if (u > 1.8 && u <= 3.9 && av <= 1.05 - (u - 1.8) * 0.4)
        return MissilePart::Nose;
    if (u >= -2.6 && u <= 1.8 && av <= 1.05)
        return (u > 0.6 && u < 1.3) ? MissilePart::Band : MissilePart::Body;
    if (u >= -3.4 && u < -1.2 && av <= 2.3 && av >= 0.9 - (u + 1.2))
        return MissilePart::Fin;
    if (u >= -4.6 && u < -2.6 && av <= 0.8 - (-2.6 - u) * 0.25)
        return MissilePart::Flame;
    return MissilePart::None;
}

Colour missileColour(MissilePart part, double v, double u) {
    switch (part) {
    case MissilePart::Nose:
        return {232, 56, 40};
    case MissilePart::Band:
        return {232, 56, 40};
    case MissilePart::Body:
        return v < -0.2 ? Colour{236, 240, 246} : Colour{168, 174, 190};
    case MissilePart::Fin:
        return {90, 100, 76};
    case MissilePart::Flame:
        return u > -3.4 ? Colour{255, 236, 140} : Colour{255, 130, 40};
    default:
        return kMask;
    }
}

// The missile pointing at `angle` (radians, counter-clockwise, 0 to the right), drawn by
// sampling each pixel 4 x 4 times so the diagonal frames are as clean as the straight ones.
Image paintMissile(double angle) {
    const int size = 9;
    const double c = size / 2.0;
    const double ca = std::cos(angle), sa = std::sin(angle);
    Image img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            int votes[6] = {};
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    double px = x + (sx + 0.5) / 4 - c, py = y + (sy + 0.5) / 4 - c;
                    // Screen y points down, so "up" in the missile's frame is -py.
                    double u = px * ca - py * sa;
                    double v = -(px * sa + py * ca);
                    votes[static_cast<int>(missilePart(u, v))]++;
                }
            int best = 0;
            for (int p = 1; p < 6; ++p)
                if (votes[p] > votes[best] || (best == 0 && votes[p] >= 6))
                    best = p;
            if (best == 0 || votes[best] < 5)
                continue;
            double px = x + 0.5 - c, py = y + 0.5 - c;
            double u = px * ca - py * sa;
            // The lit side of the body is the one facing the top of the screen.
            double v = py * ca + px * sa;
            img.set(x, y, missileColour(static_cast<MissilePart>(best), v, u));
        }
    img.outline(kOutline);
    return img;
}

} // namespace

Image makeLaserBolt() {
    Image img(3, 8);
    for (int y = 0; y < 8; ++y) {
        double fade = y / 7.0;
        img.set(1, y, mix({255, 255, 240}, {255, 90, 80}, fade * 1.2));
        if (y < 7) {
            Colour edge = mix({255, 80, 70}, {150, 20, 30}, fade);
            img.set(0, y, edge);
            img.set(2, y, edge);
        }
    }
    return img;
}

Sheet makeMissile() {
    SheetBuilder sb;
    for (int r = 0; r < 16; ++r)
        sb.addRow(1.0f, {sb.addFrame(paintMissile(r * kPi / 8))});
    return sb.build(9 * 8);
}

Sheet makeAlienBullet() {
    SheetBuilder sb;
    std::vector<int> frames;
    for (int f = 0; f < 4; ++f) {
        Image img(6, 6);
        double pulse = 0.5 + 0.5 * std::cos(f * kPi / 2);
        img.disc(3, 3, 2.9, mix({40, 160, 40}, {120, 230, 60}, pulse));
        img.disc(3, 3, 1.9, mix({160, 255, 90}, {220, 255, 120}, pulse));
        img.disc(3, 3, 0.9 + 0.3 * pulse, {255, 255, 220});
        frames.push_back(sb.addFrame(img));
    }
    sb.addRow(12.0f, frames);
    return sb.build();
}

Sheet makeOrbBomb() {
    SheetBuilder sb;
    std::vector<int> frames;
    for (int f = 0; f < 8; ++f) {
        Image img(16, 16);
        const double c = 8.0, turn = f * kPi / 16;
        // Spikes that turn with the bomb.
        for (int k = 0; k < 4; ++k) {
            double a = turn + k * kPi / 2;
            int x1 = static_cast<int>(std::lround(c - 0.5 + std::cos(a) * 7.0));
            int y1 = static_cast<int>(std::lround(c - 0.5 + std::sin(a) * 7.0));
            img.line(7, 7, x1, y1, {150, 140, 160});
            img.line(8, 8, x1, y1, {96, 90, 110});
        }
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                double nx = (x + 0.5 - c) / 5.2, ny = (y + 0.5 - c) / 5.2;
                double d2 = nx * nx + ny * ny;
                if (d2 > 1.0)
                    continue;
                double l = std::max(0.0, -0.55 * nx - 0.65 * ny + 0.5 * std::sqrt(1 - d2));
                img.set(x, y, notMask(mix({26, 18, 40}, {120, 90, 170}, l)));
            }
        // The fuse light blinks.
        Colour lamp = f % 4 < 2 ? Colour{255, 60, 40} : Colour{120, 20, 20};
        img.fillRect(7, 7, 2, 2, lamp);
        if (f % 4 < 2)
            img.set(7, 7, {255, 220, 200});
        img.outline(kOutline);
        frames.push_back(sb.addFrame(img));
    }
    sb.addRow(12.0f, frames);
    return sb.build();
}
