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
    Image img(w, h);

    Image plinth = layer(w, h);
    for (int r = 0; r < 5; ++r) {
        int inset = 2 - r / 2;
        plinth.fillRect(cx - 7 + inset, b - 4 + r, 14 - 2 * inset, 1, {1, 1, 1});
    }
    img.blit(shaded(plinth, {92, 100, 124}), 0, 0);
    hazardStripe(img, cx - 5, cx + 4, b - 2);

    Image dome = layer(w, h);
    dome.ellipse(cx, b - 6.5, 5.2, 4.6, {1, 1, 1});
    dome.fillRect(0, b - 3, w, 4, kMask);
    img.blit(shaded(dome, {140, 150, 176}), 0, 0);

    const int barrelTop = std::max(2, h - 17);
    Image barrel = layer(w, h);
    barrel.fillRect(cx - 1, barrelTop, 3, b - 9 - barrelTop + 1, {1, 1, 1});
    img.blit(shaded(barrel, {176, 184, 200}), 0, 0);
    Image muzzle = layer(w, h);
    muzzle.fillRect(cx - 2, barrelTop, 5, 2, {1, 1, 1});
    img.blit(shaded(muzzle, {84, 88, 108}), 0, 0);
    img.set(cx, barrelTop, mix({120, 30, 30}, {255, 90, 80}, pose.lens));

    // The emitter lens: the red eye of the turret.
    for (int x = cx - 3; x <= cx + 3; ++x) {
        double d = std::abs(x - cx) / 3.5;
        Colour hot = mix({255, 220, 200}, {230, 30, 40}, d);
        img.set(x, b - 6, mix({90, 20, 30}, hot, pose.lens));
    }
    img.outline(kOutline);

    if (pose.flash > 0) {
        const int fy = barrelTop - 1;
        const double r = 0.8 + pose.flash * 0.9;
        Image flash(w, h);
        flash.ellipse(cx + 0.5, fy + 0.5, r, r * 1.3, {255, 60, 60});
        flash.ellipse(cx + 0.5, fy + 0.5, r * 0.6, r * 0.9, {255, 170, 150});
        flash.ellipse(cx + 0.5, fy + 0.5, r * 0.3, r * 0.5, {255, 255, 240});
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
    img.blit(shaded(bunker, {92, 104, 70}), 0, 0);
    hazardStripe(img, 2, w - 3, b - 2);

    // The launch pod, raised 35 degrees to the left on its pivot.
    const double a = 35.0 * kPi / 180.0;
    const double dx = -std::cos(a), dy = -std::sin(a); // along the pod, towards the mouth
    const double nx = -dy, ny = dx;
    const double pcx = cx + 0.5 - dx * pose.recoil, pcy = b - 9.5 - dy * pose.recoil;
    Image pod = layer(w, h);
    Image mouth = layer(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double u = (x + 0.5 - pcx) * dx + (y + 0.5 - pcy) * dy;
            double v = (x + 0.5 - pcx) * nx + (y + 0.5 - pcy) * ny;
            if (u >= -5.0 && u <= 6.2 && std::abs(v) <= 3.1) {
                pod.set(x, y, {1, 1, 1});
                if (u > 4.9 && std::abs(v) > 0.4 && std::abs(v) < 2.7)
                    mouth.set(x, y, {1, 1, 1});
            }
        }
    img.blit(shaded(pod, {150, 164, 112}), 0, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!mouth.isMask(x, y))
                img.set(x, y,
                        pose.loaded && (x + y) % 2 ? Colour{220, 50, 40} : Colour{24, 22, 20});
    // A warning band across the pod.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double u = (x + 0.5 - pcx) * dx + (y + 0.5 - pcy) * dy;
            if (!pod.isMask(x, y) && u > 1.0 && u < 2.2)
                img.set(x, y, {200, 60, 40});
        }
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

    Image torus = layer(w, h);
    torus.ellipse(cx, torusY + 0.5, 6.0, 3.3, {1, 1, 1});
    img.blit(shaded(torus, {176, 186, 214}), 0, 0);
    img.set(cx - 3, torusY - 1, {255, 255, 255});
    img.set(cx - 2, torusY - 1, {230, 240, 255});
    img.set(cx, torusY + 1, {120, 180, 255});
    img.set(cx - 1, torusY + 1, {200, 230, 255});
    img.outline(kOutline);

    if (sparkSeed > 0) {
        Rng rng(static_cast<uint32_t>(sparkSeed));
        for (int k = 0; k < 2; ++k) {
            double ang = rng.range(-kPi, 0.2);
            int x = cx + static_cast<int>(std::lround(std::cos(ang) * 6.5));
            int y = torusY + static_cast<int>(std::lround(std::sin(ang) * 3.6));
            int len = 2 + rng.below(2);
            int sx = std::cos(ang) >= 0 ? 1 : -1;
            for (int i = 0; i < len; ++i) {
                img.set(x, y, i == 0 ? Colour{255, 255, 255} : Colour{130, 190, 255});
                x += sx;
                y += rng.below(3) - 1;
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
