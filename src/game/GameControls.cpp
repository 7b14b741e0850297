// The player's shortcuts beside the mouse: fast-forward, calling the next wave early, the
// hotkeys of the build bar and the tower menu, the two small HUD buttons and the help card.

#include "game/Game.h"

#include "app/Controls.h"
#include "app/GameApp.h"
#include "app/Numbers.h"
#include "app/Sound.h"
#include "effects/TextEffect.h"
#include "gfx/BitmapFont.h"
#include "towers/Building.h"

#include <allegro.h>

#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

// Where "+N" for an early call rises: over the ground above the money (the HUD is drawn over
// the effects).
constexpr int kBonusTextX = 14;
constexpr int kBonusTextY = 204;

// The help card: a panel over the paused field, one line per control.
constexpr int kHelpLeft = 30;
constexpr int kHelpTop = 28;
constexpr int kHelpRight = 290;
constexpr int kHelpBottom = 186;
constexpr int kHelpKeyX = 40;
constexpr int kHelpTextX = 100;
constexpr int kHelpFirstLineY = 48;
constexpr int kHelpLineHeight = 11;

} // namespace

bool Game::canCallNextWave() const {
    return !gameOver && !wave && waveTimer >= 0.0;
}

int Game::nextWaveBonus() const {
    if (!canCallNextWave())
        return 0;
    const double bonus = app->strings.getReal("EarlyWaveBonus") * waveTimer;
    // Tuning that is negative or not a number pays nothing; a huge one what money can hold.
    if (!(bonus >= 1.0))
        return 0;
    return clampToInt(bonus);
}

void Game::callNextWave() {
    if (!canCallNextWave())
        return;
    const int bonus = nextWaveBonus();
    if (bonus > 0) {
        addMoney(bonus);
        char text[16];
        std::snprintf(text, sizeof text, "+%d", bonus);
        addEffect(new TextEffect(kBonusTextX, kBonusTextY, app->fontMain, text));
    }
    playSample(app->sampleBip);
    startWave();
}

void Game::cycleSpeed() {
    speed = speed % kMaxSpeed + 1;
    playSample(app->sampleBip);
}

bool Game::startPlacing(int type) {
    const TowerDef& def = app->towerDefs[type];
    if (money < def.value || !def.available)
        return false;
    uiMode = kUiPlacing;
    placingType = type;
    selected = nullptr;
    playSample(app->sampleBip);
    return true;
}

void Game::handleShortcut(int scanCode) {
    if (scanCode == kSpeedScanCode) {
        cycleSpeed();
    } else if (scanCode == kNextWaveScanCode) {
        callNextWave();
    } else if (scanCode >= kFirstTowerScanCode &&
               scanCode < kFirstTowerScanCode + kTowerTypeCount) {
        startPlacing(scanCode - kFirstTowerScanCode);
    } else if ((scanCode == kRepairScanCode || scanCode == kDemolishScanCode) &&
               uiMode == kUiTowerMenu && selected && !selected->removed) {
        useTowerEntry(scanCode == kRepairScanCode ? kRepairEntry : kDemolishEntry);
    }
}

bool Game::handleHudClick() {
    if (app->mouseIn(kHudButtonX, kSpeedButtonY, kHudButtonWidth, kHudButtonHeight)) {
        cycleSpeed();
        return true;
    }
    if (app->mouseIn(kHudButtonX, kNextWaveButtonY, kHudButtonWidth, kHudButtonHeight)) {
        callNextWave();
        return true;
    }
    return false;
}

void Game::drawHudButton(BITMAP* bmp, int y, bool usable, const char* label) {
    const bool hover = usable && app->mouseIn(kHudButtonX, y, kHudButtonWidth, kHudButtonHeight);
    const bool held = hover && (app->buttons & 1);
    const int x = kHudButtonX;
    rectfill(bmp, x, y, x + kHudButtonWidth, y + kHudButtonHeight,
             usable ? makecol(112, 120, 168) : makecol(56, 58, 76));
    rectfill(bmp, x + 1, y + 1, x + kHudButtonWidth - 1, y + kHudButtonHeight - 1,
             held    ? makecol(30, 34, 60)
             : hover ? makecol(70, 78, 130)
                     : makecol(44, 48, 84));
    if (usable)
        app->fontSmall->drawCentred(bmp, x + kHudButtonWidth / 2 + 1 + (held ? 1 : 0),
                                    y + 2 + (held ? 1 : 0), label);
    else
        app->fontSmallRed->drawCentred(bmp, x + kHudButtonWidth / 2 + 1, y + 2, label);
}

void Game::drawHudButtons(BITMAP* bmp) {
    char speedLabel[16];
    std::snprintf(speedLabel, sizeof speedLabel, ">> %dx", speed);
    drawHudButton(bmp, kSpeedButtonY, true, speedLabel);
    const bool callable = canCallNextWave();
    drawHudButton(bmp, kNextWaveButtonY, callable, "Wave >");

    // Tool tips to the right of the buttons, where the build bar's and the menu's never reach
    // while the mouse is here.
    const int tipX = kHudButtonX + kHudButtonWidth + 4;
    if (app->mouseIn(kHudButtonX, kSpeedButtonY, kHudButtonWidth, kHudButtonHeight)) {
        app->fontMain->print(bmp, tipX, 220, "Speed - %dx", speed);
        app->fontSmall->draw(bmp, tipX, 230, "F or click: 1x, 2x, 3x");
    } else if (app->mouseIn(kHudButtonX, kNextWaveButtonY, kHudButtonWidth, kHudButtonHeight)) {
        if (callable) {
            app->fontMain->print(bmp, tipX, 220, "Next Wave Now - +$%d", nextWaveBonus());
            app->fontSmall->print(bmp, tipX, 230, "N: $%g for each second of calm skipped",
                                  app->strings.getReal("EarlyWaveBonus"));
        } else {
            app->fontMainRed->draw(bmp, tipX, 220, "Next Wave Now");
            app->fontSmall->draw(bmp, tipX, 230, "Only between waves");
        }
    }
}

void Game::drawHelp(BITMAP* bmp) {
    rectfill(bmp, kHelpLeft, kHelpTop, kHelpRight, kHelpBottom, makecol(112, 120, 168));
    rectfill(bmp, kHelpLeft + 1, kHelpTop + 1, kHelpRight - 1, kHelpBottom - 1,
             makecol(20, 22, 44));
    app->fontMain->drawCentred(bmp, 160, kHelpTop + 6, "Controls");
    int y = kHelpFirstLineY;
    for (const ControlLine& line : kControlLines) {
        app->fontSmallRed->draw(bmp, kHelpKeyX, y, line.keys);
        app->fontSmall->draw(bmp, kHelpTextX, y, line.what);
        y += kHelpLineHeight;
    }
    app->fontSmall->drawCentred(bmp, 160, kHelpBottom - 12, "Any key or click closes this card");
}
