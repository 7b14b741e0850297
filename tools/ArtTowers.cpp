// The three towers. Each painter draws the tower bottom-aligned into a canvas of any height, so
// the same drawing serves the full-size sheet frames and the 16 x 16 build-bar icons.

#include "Art.h"
#include "Rng.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const Colour kOutline{16, 14, 26};
const double kPi = 3.14159265358979;

Image layer(int w, int h) {
    return Image(w, h);
}

void hazardStripe(Image& img, int x0, int x1, int y) {
    for (int x = x0; x <= x1; ++x)
        img.set(x, y, ((x + y) / 2) % 2 ? Colour{220, 180, 40} : Colour{36, 34, 40});
}

// --- Laser turret --------------------------------------------------------------------------

struct LaserPose {
    double lens = 1.0; // glow of the emitter lens
    int flash = 0;     // 0 none, 3 largest muzzle flash
};

Image paintLaserTurret(int w, int h, const LaserPose& pose) {
    const int cx = w / 2; // the muzzle column: the game fires from x + width / 2
    const int b = h - 1;  // lowest row, standing on the ground line
    const Colour solid{1, 1, 1};
    Image img(w, h);

    // A low armoured plinth with a hazard stripe.
    Image plinth = layer(w, h);
    plinth.fillRect(cx - 7, b - 2, 14, 3, solid);
    plinth.fillRect(cx - 6, b - 3, 12, 1, solid);
    img.blit(shaded(plinth, {88, 96, 120}), 0, 0);
    hazardStripe(img, cx - 6, cx + 5, b - 1);

    // The pedestal the gun turns on.
    Image neck = layer(w, h);
    neck.fillRect(cx - 3, b - 5, 6, 3, solid);
    img.blit(shaded(neck, {70, 74, 96}), 0, 0);

    // The gun head: an armoured wedge, wider than its pedestal.
    const int top = b - 10;
    Image housing = layer(w, h);
    for (int r = 0; r < 5; ++r)
        housing.fillRect(cx - 4 - (r + 1) / 2, top + r, 8 + 2 * ((r + 1) / 2), 1, solid);
    img.blit(shaded(housing, {140, 150, 178}), 0, 0);

    // Two short guide rails flank the emitter barrel.
    const int barrelTop = std::max(1, h - 19);
    Image rails = layer(w, h);
    rails.fillRect(cx - 4, top - 5, 2, 5, solid);
    rails.fillRect(cx + 3, top - 5, 2, 5, solid);
    img.blit(shaded(rails, {96, 100, 124}), 0, 0);
    // The emitter barrel: dark casing around a core that glows with the charge.
    Image barrel = layer(w, h);
    barrel.fillRect(cx - 1, barrelTop, 3, top - barrelTop, solid);
    img.blit(shaded(barrel, {70, 74, 96}), 0, 0);
    for (int y = barrelTop + 1; y < top; ++y)
        img.set(cx, y,
                mix({90, 24, 30},
                    mix({255, 200, 180}, {210, 30, 40}, (y - barrelTop) / double(top - barrelTop)),
                    pose.lens));
    img.fillRect(cx - 2, barrelTop, 5, 1, {120, 126, 150});
    // A slit of the lens on the head's face.
    for (int x = cx - 2; x <= cx + 2; ++x)
        img.set(x, top + 2, mix({70, 16, 24}, {255, 70, 60}, pose.lens));
    img.outline(kOutline);

    if (pose.flash > 0) {
        const int fy = barrelTop - 1;
        const double r = 0.6 + pose.flash * 0.8;
        Image flash(w, h);
        flash.ellipse(cx + 0.5, fy + 0.5, r * 0.8, r * 1.4, {255, 60, 60});
        flash.ellipse(cx + 0.5, fy + 0.5, r * 0.5, r, {255, 170, 150});
        flash.ellipse(cx + 0.5, fy + 0.5, r * 0.25, r * 0.6, {255, 255, 240});
        img.blit(flash, 0, 0);
    }
    return img;
}

// --- Missile turret ------------------------------------------------------------------------

struct MissilePose {
    double recoil = 0.0; // pixels the pod slides back after a launch
    int flash = 0;       // 0 none, 2 largest
    bool loaded = true;  // missile tips showing in the tubes
};

// Drawn facing left; the right-facing frames are mirror images.
Image paintMissileTurret(int w, int h, const MissilePose& pose) {
    const int b = h - 1;
    const int cx = w / 2;
    Image img(w, h);

    Image bunker = layer(w, h);
    bunker.fillRect(1, b - 5, w - 2, 6, {1, 1, 1});
    bunker.fillRect(3, b - 7, w - 6, 2, {1, 1, 1});
    img.blit(shaded(bunker, {84, 88, 104}), 0, 0);
    hazardStripe(img, 2, w - 3, b - 2);

    // The launch pod, raised 35 degrees to the left on its pivot.
    const double a = 35.0 * kPi / 180.0;
    const double dx = -std::cos(a), dy = -std::sin(a); // along the pod, towards the mouth
    const double nx = -dy, ny = dx;
    const double pcx = cx + 0.5 - dx * pose.recoil, pcy = b - 9.5 - dy * pose.recoil;
    Image pod = layer(w, h);
    Image band = layer(w, h);
    Image missiles(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double u = (x + 0.5 - pcx) * dx + (y + 0.5 - pcy) * dy;
            double v = (x + 0.5 - pcx) * nx + (y + 0.5 - pcy) * ny;
            if (u >= -5.0 && u <= 4.6 && std::abs(v) <= 3.6) {
                pod.set(x, y, {1, 1, 1});
                if (u > -0.6 && u < 0.8)
                    band.set(x, y, {1, 1, 1});
            }
            // The noses of the two loaded missiles stick out of the tubes.
            if (pose.loaded && u > 4.6 && u <= 7.4 && std::abs(std::abs(v) - 1.7) < 0.75)
                missiles.set(x, y, u > 6.3 ? Colour{236, 64, 48} : Colour{226, 230, 238});
        }
    img.blit(shaded(pod, {138, 158, 92}), 0, 0);
    img.blit(shaded(band, {196, 64, 44}), 0, 0);
    img.blit(missiles, 0, 0);
    Image pivot = layer(w, h);
    pivot.disc(cx + 0.5, b - 6.5, 2.2, {1, 1, 1});
    img.blit(shaded(pivot, {70, 74, 86}), 0, 0);
    img.outline(kOutline);

    if (pose.flash > 0) {
        const double mx = pcx + dx * 7.5, my = pcy + dy * 7.5;
        Image flash(w, h);
        flash.disc(mx, my, 1.2 + pose.flash, {255, 140, 40});
        flash.disc(mx, my, 0.6 + pose.flash * 0.6, {255, 240, 160});
        img.blit(flash, 0, 0);
    }
    return img;
}

// --- Tesla coil ----------------------------------------------------------------------------

Image paintTeslaCoil(int w, int h, int sparkSeed) {
    const int b = h - 1;
    const int cx = w / 2; // the tip is measured from x + width / 2
    Image img(w, h);

    Image plate = layer(w, h);
    plate.fillRect(cx - 6, b - 2, 12, 3, {1, 1, 1});
    plate.fillRect(cx - 4, b - 4, 8, 2, {1, 1, 1});
    img.blit(shaded(plate, {74, 72, 96}), 0, 0);

    // The column with its copper windings.
    const int torusY = std::max(3, h - 20); // the torus centre: 20 px above the ground in the sheet
    Image column = layer(w, h);
    column.fillRect(cx - 2, torusY + 2, 4, b - 4 - torusY - 1, {1, 1, 1});
    img.blit(shaded(column, {60, 60, 80}), 0, 0);
    for (int y = torusY + 4; y <= b - 5; y += 2) {
        img.fillRect(cx - 3, y, 6, 1, {206, 128, 64});
        img.set(cx - 3, y, {240, 176, 110});
        img.set(cx + 2, y, {130, 70, 40});
    }

    // The toroid crown, seen from a little above: a bright metal ring around a dark hole.
    Image torus = layer(w, h);
    torus.ellipse(cx, torusY + 0.5, 5.4, 3.1, {1, 1, 1});
    img.blit(shaded(torus, {170, 182, 212}), 0, 0);
    img.fillRect(cx - 3, torusY - 1, 6, 1, {52, 56, 84});
    img.fillRect(cx - 2, torusY, 4, 1, {80, 90, 130});
    // The terminal ball on top, where the discharges leave.
    Image ball = layer(w, h);
    ball.disc(cx, torusY - 2.0, 1.8, {1, 1, 1});
    img.blit(shaded(ball, {190, 214, 255}), 0, 0);
    img.outline(kOutline);

    if (sparkSeed > 0) {
        Rng rng(static_cast<uint32_t>(sparkSeed));
        // Faint blue glow over the crown while it crackles.
        for (int y = 0; y < torusY + 4; ++y)
            for (int x = 0; x < w; ++x)
                img.tint(x, y, {120, 180, 255}, 0.18);
        // Arcs jump from the rim out to the sides and from the ball upwards; the frame is
        // narrow, so they stay short.
        for (int k = 0; k < 3; ++k) {
            const bool fromBall = k == 0;
            const int side = (k == 1) != (rng.below(2) == 0) ? 1 : -1;
            double px = fromBall ? cx + 0.5 : cx + 0.5 + side * 5.0;
            double py = fromBall ? torusY - 3.0 : torusY + rng.range(-0.5, 1.5);
            const double stepX = fromBall ? side * 0.7 : side * 0.9;
            const double stepY = fromBall ? -0.7 : rng.range(-0.4, 0.6);
            for (int i = 0; i < 3; ++i) {
                img.set(static_cast<int>(std::floor(px)), static_cast<int>(std::floor(py)),
                        i < 2 ? Colour{255, 255, 255} : Colour{140, 200, 255});
                px += stepX;
                py += stepY + rng.range(-0.5, 0.5);
            }
        }
    }
    return img;
}

} // namespace

Sheet makeLaserTurret() {
    SheetBuilder sb;
    int idle = sb.addFrame(paintLaserTurret(16, 20, {1.0, 0}));
    int dim = sb.addFrame(paintLaserTurret(16, 20, {0.55, 0}));
    int forbidden = sb.addFrame(forbiddenTint(paintLaserTurret(16, 20, {1.0, 0})));
    std::vector<int> fire;
    for (int f = 3; f >= 1; --f)
        fire.push_back(sb.addFrame(paintLaserTurret(16, 20, {1.0, f})));
    sb.addRow(3.0f, {idle, idle, dim});
    sb.addRow(1.0f, {forbidden});
    sb.addRow(18.0f, fire);
    return sb.build();
}

Sheet makeMissileTurret() {
    SheetBuilder sb;
    Image left = paintMissileTurret(18, 20, {});
    Image forbidden = forbiddenTint(left);
    std::vector<Image> launch = {
        paintMissileTurret(18, 20, {1.5, 2, false}), paintMissileTurret(18, 20, {1.0, 1, false}),
        paintMissileTurret(18, 20, {0.5, 0, false}), paintMissileTurret(18, 20, {0.0, 0, true})};
    int l = sb.addFrame(left);
    int f = sb.addFrame(forbidden);
    int r = sb.addFrame(left.flippedX());
    std::vector<int> launchLeft, launchRight;
    for (const Image& i : launch)
        launchLeft.push_back(sb.addFrame(i));
    for (const Image& i : launch)
        launchRight.push_back(sb.addFrame(i.flippedX()));
    sb.addRow(1.0f, {l});
    sb.addRow(1.0f, {f});
    sb.addRow(1.0f, {r});
    sb.addRow(14.0f, launchLeft);
    sb.addRow(14.0f, launchRight);
    return sb.build();
}

Sheet makeTeslaCoil() {
    SheetBuilder sb;
    std::vector<int> crackle;
    for (int k = 0; k < 6; ++k)
        crackle.push_back(sb.addFrame(paintTeslaCoil(14, 24, k < 4 ? 101 + k : 0)));
    int forbidden = sb.addFrame(forbiddenTint(paintTeslaCoil(14, 24, 0)));
    sb.addRow(12.0f, crackle);
    sb.addRow(1.0f, {forbidden});
    return sb.build();
}

Image drawLaserTurretIcon() {
    Image icon = paintLaserTurret(16, 16, {1.0, 0});
    return icon;
}

Image drawMissileTurretIcon() {
    return paintMissileTurret(16, 16, {});
}

Image drawTeslaCoilIcon() {
    Image icon(16, 16);
    icon.blit(paintTeslaCoil(14, 16, 103), 1, 0);
    return icon;
}
