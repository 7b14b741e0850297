// The squibble and the master orb with its satellites.

#include "Art.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const Colour kOutline{14, 10, 24};
const double kPi = 3.14159265358979;

struct SquibbleLook {
    Colour body;
    Colour belly;
    bool wounded;
    bool flash;
};

// One squibble frame: a domed head with two eyes over four wriggling tentacles.
Image paintSquibble(int frame, const SquibbleLook& look) {
    const int w = 14, h = 12;
    const double phase = frame * kPi / 2;
    // Breathing: the head swells and settles over the four frames of the loop.
    const double breath = std::sin(phase) * 0.45;
    Image shape(w, h);
    shape.ellipse(7.0, 4.9 - breath * 0.5, 5.6 + breath * 0.3, 4.5 + breath, {1, 1, 1});
    for (int t = 0; t < 4; ++t) {
        double x = 2.5 + t * 3.0;
        for (int y = 8; y < h; ++y) {
            double sway = std::sin(phase + t * 1.7 + y * 0.9) * 0.7 * (y - 7) / 4.0;
            shape.set(static_cast<int>(std::floor(x + sway)), y, {1, 1, 1});
            if (y < 10)
                shape.set(static_cast<int>(std::floor(x + sway)) + 1, y, {1, 1, 1});
        }
    }
    Image img = shaded(shape, look.body);
    // A paler belly band just above the tentacles.
    for (int x = 2; x < 12; ++x)
        if (!img.isMask(x, 7) && !img.isMask(x, 6))
            img.set(x, 7, look.belly);

    const Colour eyeWhite = look.flash ? Colour{255, 255, 255} : Colour{240, 250, 230};
    const Colour pupil = look.flash ? Colour{180, 180, 200} : Colour{20, 10, 30};
    const int eyeY = 4;
    for (int ex : {4, 8}) {
        if (look.wounded && ex == 8) {
            // A shut, bruised eye.
            img.fillRect(ex, eyeY + 1, 2, 1, pupil);
            continue;
        }
        img.fillRect(ex, eyeY, 2, 2, eyeWhite);
        img.set(ex + 1, eyeY + 1, pupil);
    }
    if (look.wounded && !look.flash) {
        const Colour crack{60, 24, 20};
        img.set(6, 1, crack);
        img.set(7, 2, crack);
        img.set(7, 3, crack);
        img.set(11, 5, crack);
    }
    img.outline(kOutline);
    return img;
}

// Light on a sphere from the upper left, for the orb and its satellites.
double sphereLight(double nx, double ny, double nz) {
    const double lx = -0.5, ly = -0.62, lz = 0.6;
    const double len = std::sqrt(lx * lx + ly * ly + lz * lz);
    return std::max(0.0, (nx * lx + ny * ly + nz * lz) / len);
}

const int kOrbSize = 46;
const double kOrbRadius = 22.4;

} // namespace

Sheet makeSquibble() {
    const SquibbleLook healthy{{96, 206, 112}, {170, 240, 150}, false, false};
    const SquibbleLook healthyHit{{236, 244, 255}, {255, 255, 255}, false, true};
    const SquibbleLook wounded{{206, 126, 60}, {236, 180, 110}, true, false};
    const SquibbleLook woundedHit{{255, 236, 220}, {255, 255, 255}, true, true};
    SheetBuilder sb;
    std::vector<int> healthyLoop, woundedLoop;
    for (int f = 0; f < 4; ++f)
        healthyLoop.push_back(sb.addFrame(paintSquibble(f, healthy)));
    for (int f = 0; f < 4; ++f)
        woundedLoop.push_back(sb.addFrame(paintSquibble(f, wounded)));
    int flash = sb.addFrame(paintSquibble(0, healthyHit));
    int flashWounded = sb.addFrame(paintSquibble(0, woundedHit));
    sb.addRow(6.0f, healthyLoop);
    sb.addRow(12.0f, {flash, healthyLoop[0]});
    sb.addRow(9.0f, woundedLoop);
    sb.addRow(12.0f, {flashWounded, woundedLoop[0]});
    return sb.build();
}

Image makeOrbBody() {
    Image img(kOrbSize, kOrbSize);
    const double c = kOrbSize / 2.0;
    const Colour dark{18, 10, 34}, base{104, 60, 150}, rim{190, 120, 255};
    for (int y = 0; y < kOrbSize; ++y)
        for (int x = 0; x < kOrbSize; ++x) {
            double nx = (x + 0.5 - c) / kOrbRadius, ny = (y + 0.5 - c) / kOrbRadius;
            double d2 = nx * nx + ny * ny;
            if (d2 > 1.0)
                continue;
            double nz = std::sqrt(1.0 - d2);
            double l = sphereLight(nx, ny, nz);
            Colour col = ditherMix(dark, base, l * 1.1, x, y, 10);
            // Armour seams along lines of latitude and longitude.
            double lat = std::asin(ny) / kPi * 8.0;
            double lon = std::atan2(nx, nz) / kPi * 6.0;
            if (std::abs(lat - std::round(lat)) < 0.07 || std::abs(lon - std::round(lon)) < 0.05)
                col = shade(col, 0.6);
            // A violet rim light from below right makes the silhouette read against the sky.
            if (nz < 0.35 && nx + ny > 0.3)
                col = mix(col, rim, (0.35 - nz) * 1.6);
            if (l > 0.93)
                col = mix(col, Colour{240, 220, 255}, (l - 0.93) * 10);
            img.set(x, y, notMask(col));
        }
    img.outline(kOutline);
    return img;
}

Image makeOrbBand() {
    Image img(kOrbSize, kOrbSize);
    const double c = kOrbSize / 2.0;
    const Colour metal{150, 150, 176};
    for (int y = 0; y < kOrbSize; ++y)
        for (int x = 0; x < kOrbSize; ++x) {
            double nx = (x + 0.5 - c) / (kOrbRadius + 1.0), ny = (y + 0.5 - c) / (kOrbRadius + 1.0);
            if (nx * nx + ny * ny > 1.0)
                continue;
            // The band is a tilted ring around the equator.
            double bandY = ny - nx * 0.18;
            if (std::abs(bandY) > 0.13)
                continue;
            double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
            double l = sphereLight(nx, ny, nz);
            Colour col = shade(metal, 0.35 + 0.85 * l);
            if (std::abs(bandY) > 0.09)
                col = shade(col, 0.65);
            img.set(x, y, notMask(col));
        }
    // Running lights along the band.
    for (int k = -4; k <= 4; ++k) {
        double nx = k * 0.21;
        int x = static_cast<int>(std::lround(c + nx * kOrbRadius - 0.5));
        int y = static_cast<int>(std::lround(c + nx * 0.18 * kOrbRadius - 0.5));
        Colour lamp = (k % 2) ? Colour{255, 210, 80} : Colour{90, 240, 255};
        img.set(x, y, lamp);
    }
    img.outline(kOutline);
    return img;
}

Image makeOrbEye() {
    Image img(16, 16);
    const double c = 8.0;
    img.disc(c, c, 6.6, {40, 8, 10});
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            double d = std::hypot(x + 0.5 - c, y + 0.5 - c);
            if (d <= 5.4)
                img.set(x, y, mix({255, 240, 160}, {200, 20, 20}, d / 5.4));
        }
    // A slit pupil.
    img.fillRect(7, 3, 2, 10, {30, 0, 6});
    img.set(5, 5, {255, 255, 255});
    img.set(6, 5, {255, 230, 200});
    img.outline(kOutline);
    return img;
}

Sheet makeSatellite() {
    SheetBuilder sb;
    std::vector<int> frames;
    for (int f = 0; f < 6; ++f) {
        Image img(8, 8);
        const double c = 4.0, r = 3.4;
        const double glint = f * 2 * kPi / 6;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                double nx = (x + 0.5 - c) / r, ny = (y + 0.5 - c) / r;
                double d2 = nx * nx + ny * ny;
                if (d2 > 1.0)
                    continue;
                double nz = std::sqrt(1.0 - d2);
                double l = sphereLight(nx, ny, nz);
                Colour col = mix({10, 50, 90}, {90, 220, 255}, l);
                // A bright band that turns with the frames.
                double band = std::sin(std::atan2(ny, nx) * 2 + glint);
                if (band > 0.8)
                    col = mix(col, {220, 255, 255}, 0.6);
                img.set(x, y, notMask(col));
            }
        img.outline(kOutline);
        frames.push_back(sb.addFrame(img));
    }
    sb.addRow(10.0f, frames);
    return sb.build();
}
