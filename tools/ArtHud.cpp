// The base-health bar, the button looks, the icons on the buttons and the selection corners.

#include "Art.h"

#include <cmath>
#include <vector>

namespace {

const Colour kOutline{10, 10, 18};
const Colour kGold{255, 214, 80};

// A bevelled 19 x 19 button. The bevel sits on the outermost ring, the part the icon never
// covers, so every look stays recognisable around its icon.
void drawButton(Image& img, int x0, Colour face, Colour light, Colour dark, bool pressed) {
    img.fillRect(x0, 0, 19, 19, face);
    Colour top = pressed ? dark : light;
    Colour bottom = pressed ? light : dark;
    for (int i = 0; i < 19; ++i) {
        img.set(x0 + i, 0, top);
        img.set(x0, i, top);
        img.set(x0 + i, 18, bottom);
        img.set(x0 + 18, i, bottom);
    }
    img.set(x0 + 18, 0, mix(top, bottom, 0.5));
    img.set(x0, 18, mix(top, bottom, 0.5));
    // A second, softer bevel ring inside the first.
    for (int i = 1; i < 18; ++i) {
        img.set(x0 + i, 1, mix(face, top, 0.4));
        img.set(x0 + 1, i, mix(face, top, 0.4));
        img.set(x0 + i, 17, mix(face, bottom, 0.4));
        img.set(x0 + 17, i, mix(face, bottom, 0.4));
    }
}

// Small squares in the bottom right corner of an upgrade icon: the level it buys.
void levelPips(Image& icon, int level) {
    for (int i = 0; i < level; ++i) {
        int x = 13 - i * 3, y = 13;
        icon.fillRect(x - 1, y - 1, 4, 4, kOutline);
        icon.fillRect(x, y, 2, 2, kGold);
    }
}

Image bombIcon() {
    Image i(16, 16);
    i.disc(7, 9.5, 5.2, Colour{40, 40, 52});
    i.disc(5.8, 8.2, 1.6, Colour{110, 110, 130});
    i.fillRect(9, 3, 3, 3, Colour{90, 90, 100});
    i.line(11, 3, 13, 1, Colour{170, 130, 80});
    i.set(14, 0, Colour{255, 240, 140});
    i.set(13, 0, Colour{255, 160, 40});
    i.set(14, 1, Colour{255, 160, 40});
    i.outline(kOutline);
    return i;
}

Image wrenchIcon() {
    Image i(16, 16);
    const Colour steel{196, 202, 216}, steelDark{116, 122, 140};
    // The handle, running down to the lower left.
    for (int k = 0; k < 8; ++k)
        i.fillRect(2 + k, 12 - k, 2, 2, k < 2 ? steelDark : steel);
    // The open jaw at the upper right, its mouth facing up and right.
    i.ring(10.5, 5.5, 1.6, 4.0, steel);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            double dx = x + 0.5 - 10.5, dy = y + 0.5 - 5.5;
            if (dx - dy > 1.5 && dx + dy < 3.5 && dx > 0.0)
                i.set(x, y, kMask);
        }
    i.outline(kOutline);
    return i;
}

// Three bolts in a staggered burst: more shots.
Image rapidFireIcon() {
    Image i(16, 16);
    const Colour core{255, 240, 230}, glow{232, 44, 44}, tail{140, 20, 30};
    const int xs[3] = {3, 7, 11}, ys[3] = {4, 1, 5};
    for (int k = 0; k < 3; ++k) {
        i.fillRect(xs[k] - 1, ys[k], 3, 6, glow);
        i.fillRect(xs[k], ys[k], 1, 4, core);
        i.fillRect(xs[k], ys[k] + 6, 1, 2, tail);
    }
    i.outline(kOutline);
    return i;
}

Image missileShape(Image i, int x, int y) {
    const Colour body{210, 214, 220}, nose{220, 50, 40}, fin{100, 110, 90};
    i.fillRect(x, y + 2, 3, 8, body);
    i.fillRect(x, y + 1, 3, 1, nose);
    i.set(x + 1, y, nose);
    i.fillRect(x - 1, y + 8, 1, 3, fin);
    i.fillRect(x + 3, y + 8, 1, 3, fin);
    i.set(x + 1, y + 10, Colour{255, 190, 60});
    i.set(x + 1, y + 11, Colour{255, 110, 30});
    return i;
}

Image missilePodIcon() {
    Image i(16, 16);
    i = missileShape(i, 6, 1);
    i.fillRect(2, 12, 12, 3, Colour{90, 100, 80});
    i.outline(kOutline);
    return i;
}

Image reloadIcon() {
    Image i(16, 16);
    // A missile with a round arrow around it: quicker reloads.
    i.ring(7.5, 7.5, 5.0, 6.6, Colour{120, 200, 255});
    i.fillRect(8, 0, 4, 4, kMask);
    i.set(10, 1, Colour{120, 200, 255});
    i.fillRect(9, 2, 3, 1, Colour{120, 200, 255});
    i = missileShape(i, 6, 3);
    i.outline(kOutline);
    return i;
}

Image blastIcon() {
    Image i(16, 16);
    const double pi = 3.14159265358979;
    for (int k = 0; k < 8; ++k) {
        double a = k * pi / 4;
        i.line(7, 7, 7 + static_cast<int>(std::lround(7 * std::cos(a))),
               7 + static_cast<int>(std::lround(7 * std::sin(a))), Colour{255, 120, 30});
    }
    i.disc(7.5, 7.5, 4.6, Colour{255, 150, 40});
    i.disc(7.5, 7.5, 3.0, Colour{255, 230, 120});
    i.disc(7.5, 7.5, 1.5, Colour{255, 255, 230});
    i.outline(kOutline);
    return i;
}

Image twinIcon() {
    Image i(16, 16);
    i = missileShape(i, 3, 2);
    i = missileShape(i, 10, 2);
    i.outline(kOutline);
    return i;
}

Image lightningIcon() {
    Image i(16, 16);
    const Colour core{230, 245, 255}, glow{90, 160, 255};
    const int xs[] = {10, 6, 9, 4};
    const int ys[] = {0, 7, 7, 15};
    for (int k = 0; k < 3; ++k) {
        i.line(xs[k] + 1, ys[k], xs[k + 1] + 1, ys[k + 1], glow);
        i.line(xs[k] - 1, ys[k], xs[k + 1] - 1, ys[k + 1], glow);
    }
    for (int k = 0; k < 3; ++k)
        i.line(xs[k], ys[k], xs[k + 1], ys[k + 1], core);
    i.outline(kOutline);
    return i;
}

// A bolt that forks on its way down: the strike leaps on.
Image chainIcon() {
    Image i(16, 16);
    const Colour core{230, 245, 255}, glow{90, 160, 255};
    struct Stroke {
        int x1, y1, x2, y2;
    };
    const Stroke strokes[] = {
        {8, 0, 5, 5}, {5, 5, 8, 7}, {8, 7, 3, 13}, {8, 7, 12, 10}, {12, 10, 11, 15}};
    for (const Stroke& s : strokes) {
        i.line(s.x1 + 1, s.y1, s.x2 + 1, s.y2, glow);
        i.line(s.x1 - 1, s.y1, s.x2 - 1, s.y2, glow);
    }
    for (const Stroke& s : strokes)
        i.line(s.x1, s.y1, s.x2, s.y2, core);
    i.outline(kOutline);
    return i;
}

Image iconSheet(const std::vector<Image>& icons) {
    Image img(16 * static_cast<int>(icons.size()), 32);
    for (size_t k = 0; k < icons.size(); ++k) {
        img.blit(icons[k], 16 * static_cast<int>(k), 0);
        img.blit(greyed(icons[k]), 16 * static_cast<int>(k), 16);
    }
    return img;
}

} // namespace

Image makeRedBar() {
    Image img(53, 20);
    // The fill, brightest along its top edge.
    static const Colour rows[7] = {{255, 140, 120}, {250, 70, 56}, {230, 36, 36}, {210, 24, 30},
                                   {180, 16, 24},   {150, 10, 20}, {112, 6, 16}};
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 50; ++x)
            img.set(1 + x, 1 + y, (x % 10 == 9 && y > 0) ? shade(rows[y], 0.8) : rows[y]);
    // The frame: a light rim, a darker lower edge and a drop shadow; the inside stays hollow
    // so the fill drawn after it shows through.
    const int fy = 10;
    const Colour light{200, 200, 214}, mid{130, 130, 150}, dark{70, 70, 88}, shadow{6, 4, 8};
    for (int x = 0; x < 52; ++x) {
        img.set(x, fy, light);
        img.set(x, fy + 8, dark);
        img.set(x + 1, fy + 9, shadow);
    }
    for (int y = 0; y < 9; ++y) {
        img.set(0, fy + y, y == 8 ? mid : light);
        img.set(51, fy + y, y == 0 ? mid : dark);
        img.set(52, fy + y + 1, shadow);
    }
    return img;
}

Image makeSlots() {
    Image img(76, 19);
    drawButton(img, 0, {46, 56, 92}, {100, 116, 170}, {20, 24, 44}, false);
    // The hover look has a gold bevel so the player sees which button the mouse is on.
    drawButton(img, 19, {70, 86, 136}, {255, 226, 120}, {170, 120, 30}, false);
    drawButton(img, 38, {40, 40, 44}, {58, 58, 64}, {26, 26, 30}, false);
    drawButton(img, 57, {36, 44, 76}, {100, 116, 170}, {16, 18, 34}, true);
    return img;
}

Image makeTowerIcons() {
    return iconSheet(
        {Image(16, 16), drawLaserTurretIcon(), drawMissileTurretIcon(), drawTeslaCoilIcon()});
}

Image makeUpgradeIcons() {
    std::vector<Image> icons(kUpgradeIconCount);
    icons[kIconDemolish] = bombIcon();
    icons[kIconRepair] = wrenchIcon();
    for (int l = 0; l < 3; ++l) {
        icons[kIconRapidFire1 + l] = rapidFireIcon();
        levelPips(icons[kIconRapidFire1 + l], l + 1);
    }
    icons[kIconMissilePod] = missilePodIcon();
    for (int l = 0; l < 2; ++l) {
        icons[kIconReload1 + l] = reloadIcon();
        levelPips(icons[kIconReload1 + l], l + 1);
        icons[kIconBlast1 + l] = blastIcon();
        levelPips(icons[kIconBlast1 + l], l + 1);
    }
    icons[kIconTwin] = twinIcon();
    for (int l = 0; l < 3; ++l) {
        icons[kIconOvercharge1 + l] = lightningIcon();
        levelPips(icons[kIconOvercharge1 + l], l + 1);
    }
    for (int l = 0; l < 2; ++l) {
        icons[kIconChain1 + l] = chainIcon();
        levelPips(icons[kIconChain1 + l], l + 1);
    }
    return iconSheet(icons);
}

Image makeSelector() {
    Image corner(7, 7);
    const Colour bright{255, 236, 120}, edge{200, 140, 30};
    corner.fillRect(0, 0, 6, 2, bright);
    corner.fillRect(0, 0, 2, 6, bright);
    corner.set(5, 1, edge);
    corner.set(1, 5, edge);
    corner.outline(kOutline);
    Image img(14, 14);
    img.blit(corner, 0, 0);
    img.blit(corner.flippedX(), 7, 0);
    Image flippedY(7, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            flippedY.set(x, 6 - y, corner.get(x, y));
    img.blit(flippedY, 0, 7);
    img.blit(flippedY.flippedX(), 7, 7);
    return img;
}
