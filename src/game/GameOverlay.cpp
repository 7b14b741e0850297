// What the field shows the player about the towers beyond their pictures: small health bars
// over damaged towers, the selected tower's corners and bar, the see-through tower that follows
// the mouse while placing, the tesla coil's reach and the column a laser turret's bolts sweep.
// Drawing only: nothing here changes the play. (The panel under the field is the HUD's.)

#include "game/Game.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "gfx/SpriteSheet.h"
#include "towers/Building.h"
#include "towers/LaserTurret.h"
#include "towers/TeslaCoil.h"
#include "towers/TowerKinds.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>

namespace {

// A damaged tower's bar floats this far above its picture (a selected tower's bigger bar sits
// a little higher, clear of the selection corners).
constexpr int kTowerBarRise = 5;
constexpr double kLowHealthBlinksPerSecond = 3.0;

// The reach circle: one dot every few pixels of its rim, pale blue like the coil's spark.
constexpr double kReachDotSpacing = 3.0;
constexpr int kMostReachDots = 2000;

// The laser column: a faint wash of the bolt's red with brighter dotted edges.
constexpr int kColumnWash = 36; // of 255
constexpr int kColumnDotEvery = 3;

struct BarColours {
    int dark;
    int bright;
};

BarColours greenBar() {
    return {makecol(0, 128, 64), makecol(0, 255, 0)};
}

// A number of pixels from the data, held to the field.
int pixelsFromData(const char* key, int most) {
    return std::clamp(GameApp::instance()->strings.getInt(key), 0, most);
}

} // namespace

void Game::drawHealthBar(BITMAP* target, int cx, int y, int w, double fraction) {
    const BarColours green = greenBar();
    drawBar(target, cx, y, w, fraction, green.dark, green.bright);
}

void Game::drawBar(BITMAP* target, int cx, int y, int w, double fraction, int dark, int bright) {
    const int left = cx - w / 2;
    const int right = left + w;
    const int fill = static_cast<int>(w * fraction);
    const int extra = fraction >= 1.0 ? 1 : 0;
    const int grey = makecol(48, 48, 48);
    rectfill(target, left, y, right, y + 4, grey);
    rectfill(target, left - 1, y + 1, right + 1, y + 3, grey);
    rectfill(target, left, y, left + fill, y + 3, dark);
    rectfill(target, left - 1, y + 1, left + fill + extra, y + 2, dark);
    rectfill(target, left, y + 1, left + fill, y + 2, bright);
}

bool Game::lowOnHealth(const Building& b) const {
    const int full = b.maxHealth();
    return full > 0 && b.health < full * app->strings.getReal("TowerLowHealth");
}

// Red and blinking below the low share of full health.
void Game::drawTowerBar(BITMAP* bmp, const Building& b, int y, int w) {
    const int full = b.maxHealth();
    const double share = full > 0 ? static_cast<double>(std::max(b.health, 0)) / full : 0.0;
    BarColours colours = greenBar();
    if (lowOnHealth(b)) {
        colours = {makecol(150, 16, 24), makecol(255, 72, 56)};
        if (!alerts.blink(kLowHealthBlinksPerSecond))
            colours.bright = colours.dark;
    }
    drawBar(bmp, static_cast<int>(b.centreX()), y, w, share, colours.dark, colours.bright);
}

// Every damaged tower but the selected one, whose menu shows a bigger bar.
void Game::drawTowerBars(BITMAP* bmp) {
    const int width = pixelsFromData("TowerBarWidth", kFieldWidth);
    for (const Building* b : buildings) {
        if (b->removed || b->health >= b->maxHealth() || (b == selected && uiMode == kUiTowerMenu))
            continue;
        drawTowerBar(bmp, *b, app->towerBaseline - restFrameHeight(b->def().sprite) - kTowerBarRise,
                     width);
    }
}

// See-through, so that the ground and any tower under it show; its refused (red) picture where
// it may not stand. Right after a placement it waits for the mouse to move, or it would sit red
// on the new tower as if the purchase had failed.
void Game::drawGhost(BITMAP* bmp) {
    const TowerDef& def = app->towerDefs[placingType];
    if (!def.sprite || app->mouseX == ghostWaitsAtX)
        return;
    BITMAP* frame = def.sprite->frame(canPlace() ? 0 : 1, 0.0f);
    if (!frame)
        return;
    const int opacity = pixelsFromData("GhostOpacity", 255);
    set_trans_blender(0, 0, 0, opacity);
    draw_trans_sprite(bmp, frame, app->mouseX - restFrameWidth(def.sprite) / 2,
                      app->towerBaseline - restFrameHeight(def.sprite));
    if (placingType == kTeslaCoil)
        drawReachCircle(bmp, app->mouseX, app->towerBaseline - restFrameHeight(def.sprite) / 2,
                        TeslaCoil::fullReachFromData());
}

// A dotted rim round the coil's tip; the part below the ground is left out.
void Game::drawReachCircle(BITMAP* bmp, double centreX, double centreY, double reach) {
    const double tipY = centreY - TeslaCoil::kTipRise;
    if (!(reach > 0.0) || !std::isfinite(reach))
        return;
    const int dots = static_cast<int>(
        std::min(2.0 * kPi * reach / kReachDotSpacing, static_cast<double>(kMostReachDots)));
    const int light = makecol(150, 200, 255);
    const int shadow = makecol(24, 40, 96);
    for (int i = 0; i < dots; ++i) {
        const double angle = 2.0 * kPi * i / dots;
        const double x = centreX + reach * std::cos(angle);
        const double y = tipY - reach * std::sin(angle);
        if (y > app->towerBaseline || x < -1 || x > kFieldWidth || y < -1)
            continue;
        putpixel(bmp, static_cast<int>(x) + 1, static_cast<int>(y) + 1, shadow);
        putpixel(bmp, static_cast<int>(x), static_cast<int>(y), light);
    }
}

// A bolt strikes an invader whose middle is within the invaders' hit radius of its path, so the
// column is that wide on both sides of the muzzle, from the turret up to the sky's edge.
void Game::drawLaserColumn(BITMAP* bmp, const LaserTurret& turret) {
    const double reach =
        std::clamp(app->invaderDefs[0].size, 0.0, static_cast<double>(kFieldWidth));
    if (std::isnan(reach))
        return;
    const int middle = turret.muzzleX();
    const int left = middle - static_cast<int>(reach);
    const int right = middle + static_cast<int>(reach);
    const int bottom = app->towerBaseline - restFrameHeight(turret.def().sprite);
    const int red = makecol(255, 90, 80);
    set_trans_blender(0, 0, 0, kColumnWash);
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    rectfill(bmp, left, 0, right, bottom, red);
    solid_mode();
    for (int y = 0; y <= bottom; y += kColumnDotEvery) {
        putpixel(bmp, left, y, red);
        putpixel(bmp, right, y, red);
    }
}

// The selected tower's corners and its bigger bar; a coil's full reach.
void Game::drawSelection(BITMAP* bmp) {
    const Building* b = selected;
    if (!b)
        return;
    const TowerDef& def = app->towerDefs[b->type];
    const int fw = restFrameWidth(def.sprite);
    const int fh = restFrameHeight(def.sprite);
    const int top = app->towerBaseline - fh - 3;
    const int bottom = app->towerBaseline - 3;
    BITMAP* corners = app->selectorImage;
    if (corners) {
        masked_blit(corners, bmp, 0, 0, b->x - 3, top, 7, 7);
        masked_blit(corners, bmp, 7, 0, b->x + fw - 3, top, 7, 7);
        masked_blit(corners, bmp, 0, 7, b->x - 3, bottom, 7, 7);
        masked_blit(corners, bmp, 7, 7, b->x + fw - 3, bottom, 7, 7);
    }
    drawTowerBar(bmp, *b, app->towerBaseline - fh - 9, 32);
    if (const TeslaCoil* coil = dynamic_cast<const TeslaCoil*>(b))
        drawReachCircle(bmp, coil->centreX(), coil->centreY(), coil->rangeMax);
}
