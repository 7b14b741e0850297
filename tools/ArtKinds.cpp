// The kinds that join the squibble's formation: the plated squibble, the diver, the splitter and
// its halves, and the spark of a hit glancing off a plate. Each sheet has the squibble's four
// rows (healthy loop, healthy hit, wounded loop, wounded hit), so the game animates them alike.

#include "Art.h"

#include <cmath>
#include <functional>
#include <vector>

namespace {

const Colour kOutline{14, 10, 24};
const double kPi = 3.14159265358979;

// How one frame of a kind looks: the loop's frame, and the colours of its state.
struct KindLook {
    Colour body;
    Colour detail;
    bool wounded;
    bool flash;
};

using Painter = std::function<Image(int frame, const KindLook& look)>;

// The four rows every kind's sheet has, from its painter and its healthy and wounded colours.
Sheet kindSheet(const Painter& paint, Colour body, Colour detail, Colour hurt, Colour hurtDetail,
                float fps) {
    const KindLook healthy{body, detail, false, false};
    const KindLook healthyHit{{236, 244, 255}, {255, 255, 255}, false, true};
    const KindLook wounded{hurt, hurtDetail, true, false};
    const KindLook woundedHit{{255, 236, 220}, {255, 255, 255}, true, true};
    SheetBuilder sb;
    std::vector<int> healthyLoop, woundedLoop;
    for (int f = 0; f < 4; ++f)
        healthyLoop.push_back(sb.addFrame(paint(f, healthy)));
    for (int f = 0; f < 4; ++f)
        woundedLoop.push_back(sb.addFrame(paint(f, wounded)));
    const int flash = sb.addFrame(paint(0, healthyHit));
    const int flashWounded = sb.addFrame(paint(0, woundedHit));
    sb.addRow(fps, healthyLoop);
    sb.addRow(12.0f, {flash, healthyLoop[0]});
    sb.addRow(fps * 1.5f, woundedLoop);
    sb.addRow(12.0f, {flashWounded, woundedLoop[0]});
    return sb.build();
}

// A squat armoured dome on four stubby feet, plates banded across it, a glowing visor slit.
Image paintPlated(int frame, const KindLook& look) {
    const int w = 14, h = 12;
    Image shape(w, h);
    shape.ellipse(7.0, 5.0, 6.4, 4.6, {1, 1, 1});
    shape.fillRect(1, 5, 12, 4, {1, 1, 1});
    // The feet step in turn.
    for (int t = 0; t < 4; ++t) {
        const int x = 2 + t * 3;
        const int lift = (frame + t) % 4 == 0 ? 1 : 0;
        shape.fillRect(x, 9, 2, 3 - lift, {1, 1, 1});
    }
    Image img = shaded(shape, look.body);
    // Plate seams and rivets.
    const Colour seam = shade(look.body, 0.55);
    for (int x = 1; x < 13; ++x) {
        if (!img.isMask(x, 3))
            img.set(x, 3, seam);
        if (!img.isMask(x, 8))
            img.set(x, 8, seam);
    }
    for (int x : {2, 6, 10})
        img.set(x + (frame % 2), 2, look.detail);
    // The visor: a slit that glows and dims over the loop.
    const Colour glow =
        look.flash ? Colour{255, 255, 255}
                   : mix({140, 20, 10}, {255, 90, 40}, 0.6 + 0.4 * std::sin(frame * kPi / 2));
    img.fillRect(4, 5, 6, 1, glow);
    if (look.wounded && !look.flash) {
        // A dent and a plate hanging loose.
        img.set(3, 4, shade(look.body, 0.4));
        img.set(4, 4, shade(look.body, 0.4));
        img.set(11, 6, {40, 20, 16});
        img.set(12, 7, {40, 20, 16});
    }
    img.outline(kOutline);
    return img;
}

// A swept dart: a narrow head over two back-swept wings that beat, one big eye.
Image paintDiver(int frame, const KindLook& look) {
    const int w = 14, h = 12;
    Image shape(w, h);
    shape.ellipse(7.0, 4.5, 3.4, 3.8, {1, 1, 1});
    // The body narrows to a point below.
    for (int y = 7; y < 12; ++y) {
        const int half = (12 - y) / 2;
        shape.fillRect(7 - half, y, 2 * half + 1, 1, {1, 1, 1});
    }
    const int beat = frame % 2 == 0 ? 0 : 1;
    for (int side : {-1, 1})
        for (int k = 0; k < 4; ++k) {
            const int x = 7 + side * (3 + k);
            const int y = 2 + k + beat * (k / 2);
            shape.set(x, y, {1, 1, 1});
            shape.set(x, y + 1, {1, 1, 1});
        }
    Image img = shaded(shape, look.body);
    // Stripes down the wings.
    for (int side : {-1, 1})
        img.set(7 + side * 5, 4 + beat, look.detail);
    const Colour eyeWhite = look.flash ? Colour{255, 255, 255} : Colour{250, 245, 210};
    if (look.wounded && !look.flash) {
        img.fillRect(6, 4, 3, 1, {30, 10, 20});
    } else {
        img.fillRect(6, 3, 3, 3, eyeWhite);
        img.set(7, 4, look.flash ? Colour{180, 180, 200} : Colour{20, 10, 30});
    }
    img.outline(kOutline);
    return img;
}

// Two round lobes pressed together along a zigzag seam, an eye in each; the lobes pulse in turn.
Image paintSplitter(int frame, const KindLook& look) {
    const int w = 14, h = 12;
    Image shape(w, h);
    const double pulse = std::sin(frame * kPi / 2) * 0.4;
    shape.ellipse(4.4, 5.6, 3.9 + pulse, 4.6, {1, 1, 1});
    shape.ellipse(9.6, 5.6, 3.9 - pulse, 4.6, {1, 1, 1});
    for (int x : {3, 6, 8, 11})
        shape.set(x, 11, {1, 1, 1});
    Image img = shaded(shape, look.body);
    // The seam the splitter bursts along.
    const Colour seam = look.flash ? Colour{200, 200, 220} : shade(look.body, 0.4);
    for (int y = 1; y < 11; ++y)
        img.set(y % 2 == 0 ? 7 : 6, y, seam);
    const Colour eyeWhite = look.flash ? Colour{255, 255, 255} : Colour{240, 250, 230};
    for (int ex : {3, 9}) {
        if (look.wounded && ex == 9 && !look.flash) {
            img.fillRect(ex, 5, 2, 1, {20, 10, 30});
            continue;
        }
        img.fillRect(ex, 4, 2, 2, eyeWhite);
        img.set(ex + (ex < 7 ? 1 : 0), 5, look.flash ? Colour{180, 180, 200} : Colour{20, 10, 30});
    }
    (void)look.detail;
    img.outline(kOutline);
    return img;
}

// Half a splitter: a small lobe with one eye and two scrabbling legs.
Image paintMite(int frame, const KindLook& look) {
    const int w = 8, h = 8;
    Image shape(w, h);
    shape.ellipse(4.0, 3.4, 3.2, 2.8, {1, 1, 1});
    const int kick = frame % 2;
    shape.set(2 - kick, 6, {1, 1, 1});
    shape.set(2 - kick, 7, {1, 1, 1});
    shape.set(5 + kick, 6, {1, 1, 1});
    shape.set(5 + kick, 7, {1, 1, 1});
    Image img = shaded(shape, look.body);
    const Colour eyeWhite = look.flash ? Colour{255, 255, 255} : Colour{240, 250, 230};
    if (look.wounded && !look.flash) {
        img.fillRect(3, 3, 2, 1, {20, 10, 30});
    } else {
        img.fillRect(3, 2, 2, 2, eyeWhite);
        img.set(4, 3, look.flash ? Colour{180, 180, 200} : Colour{20, 10, 30});
    }
    img.outline(kOutline);
    return img;
}

} // namespace

Sheet makePlated() {
    return kindSheet(paintPlated, {128, 150, 184}, {230, 240, 255}, {168, 112, 84}, {230, 190, 160},
                     5.0f);
}

Sheet makeDiver() {
    return kindSheet(paintDiver, {226, 84, 170}, {255, 200, 240}, {190, 90, 70}, {240, 170, 140},
                     10.0f);
}

Sheet makeSplitter() {
    return kindSheet(paintSplitter, {232, 196, 64}, {255, 240, 170}, {206, 126, 60},
                     {236, 180, 110}, 6.0f);
}

Sheet makeMite() {
    return kindSheet(paintMite, {232, 196, 64}, {255, 240, 170}, {206, 126, 60}, {236, 180, 110},
                     12.0f);
}

Sheet makeGlance() {
    SheetBuilder sb;
    std::vector<int> frames;
    const int size = 7;
    for (int f = 0; f < 4; ++f) {
        Image img(size, size);
        // A star of four rays that shrinks and cools, turning half a right angle each frame.
        const int reach = f < 2 ? 3 : 4 - f;
        const Colour hot = mix({255, 255, 230}, {255, 160, 60}, f / 3.0);
        const bool diagonal = f % 2 == 1;
        for (int k = 1; k <= reach; ++k) {
            const Colour ray = shade(hot, 1.0 - 0.15 * k);
            for (int q = 0; q < 4; ++q) {
                const int ux = diagonal ? (q < 2 ? 1 : -1) : (q == 0 ? 1 : q == 1 ? -1 : 0);
                const int uy = diagonal ? (q % 2 ? 1 : -1) : (q == 2 ? 1 : q == 3 ? -1 : 0);
                img.set(3 + ux * k, 3 + uy * k, ray);
            }
        }
        img.set(3, 3, {255, 255, 255});
        frames.push_back(sb.addFrame(img));
    }
    sb.addRow(20.0f, frames);
    return sb.build();
}
