// Drawing one complete frame into the back buffer: the play field, the HUD, the bottom-right
// controls with their tool tips, the in-game menu, the boss's health bar and the game-over screen.

#include "game/Game.h"
#include "game/HudText.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "effects/Effect.h"
#include "gfx/BackBuffer.h"
#include "gfx/BitmapFont.h"
#include "gfx/SpriteAnim.h"
#include "gfx/SpriteSheet.h"
#include "invaders/Invader.h"
#include "invaders/InvaderProjectile.h"
#include "invaders/Wave.h"
#include "projectiles/Projectile.h"
#include "towers/Building.h"
#include "towers/LaserTurret.h"
#include "towers/TeslaCoil.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

namespace {

// Button looks in data/slots.mz, side by side.
enum ButtonLook { kLookUsable = 0, kLookHover = 1, kLookUnusable = 2, kLookPressed = 3 };

constexpr int kIconSize = 16;
constexpr int kTooltipRight = 317;
// The best result sits one small-font line under "Waves Defeated".
constexpr int kBestLineY = 82;
// Above the clouds, clear of the game-over words, the wave banner and the menu.
constexpr int kPausedY = 30;
// How to go on sits under the score, where the menu's own words appear once it is open.
constexpr int kGoOnY = 96;

// Tool tip titles: a name from the data, a price and a few words.
constexpr int kTitleSize = 256;

// The base's health bar: its inside, and how fast it flashes after a landing.
constexpr int kBarInsideX = 12;
constexpr int kBarInsideY = 221;
constexpr int kBarInsideW = 50;
constexpr int kBarInsideH = 7;
constexpr double kFlashesPerSecond = 8.0;

// The danger glow: rows of red above the ground line, strongest at the ground, pulsing.
constexpr int kGlowRows = 18;
constexpr int kGlowStrongest = 150; // of 255
constexpr double kGlowPulsesPerSecond = 2.0;

void maskedBlit(BITMAP* source, BITMAP* target, int sx, int sy, int dx, int dy, int w, int h) {
    if (source && w > 0 && h > 0)
        masked_blit(source, target, sx, sy, dx, dy, w, h);
}

} // namespace

void Game::draw(bool present) {
    tellFieldStill();
    BITMAP* bmp = app->backBuffer->bitmap;
    // The background is copied, not masked: a picture that covers the buffer replaces every
    // pixel of the last frame, even where it holds the mask colour, and clearing first would
    // only draw the whole frame twice. A player's own picture may be missing or smaller, and
    // then what it leaves uncovered must be black, not the last frame.
    BITMAP* background = app->bgImage;
    if (!background || background->w < bmp->w || background->h < bmp->h)
        clear_bitmap(bmp);
    if (background)
        blit(background, bmp, 0, 0, 0, 0, 320, 240);
    for (const Cloud& cloud : clouds) {
        BITMAP* image = app->cloudImages[cloud.image];
        if (image)
            masked_blit(image, bmp, 0, 0, static_cast<int>(cloud.x), static_cast<int>(cloud.y),
                        image->w, image->h);
    }
    if (alerts.danger && !gameOver)
        drawDangerGlow(bmp);
    if (uiMode == kUiTowerMenu && !gameOver)
        if (const LaserTurret* turret = dynamic_cast<const LaserTurret*>(selected))
            drawLaserColumn(bmp, *turret);
    for (Building* b : buildings)
        b->draw(bmp);
    if (wave)
        wave->drawInvaders(bmp);
    for (Effect* e : effects)
        e->draw(bmp);
    for (Projectile* p : projectiles)
        p->draw(bmp);
    for (InvaderProjectile* s : enemyShots)
        s->draw(bmp);
    notices.draw(bmp, app->fontSmallRed, kFieldWidth);

    if (gameOver) {
        drawGameOver(bmp);
    } else {
        drawTowerBars(bmp);
        drawHud(bmp);
        switch (uiMode) {
        case kUiPlacing:
            drawPlacing(bmp);
            break;
        case kUiTowerMenu:
            drawTowerMenu(bmp);
            break;
        case kUiIdle:
            drawBuildBar(bmp);
            break;
        default:
            break;
        }
    }
    if (paused)
        drawPaused(bmp);
    if (uiMode == kUiGameMenu)
        drawGameMenu(bmp);
    if (wave && !gameOver) {
        Invader* boss = wave->boss();
        if (boss && boss->health > 0 && boss->maxHealth > 0)
            drawHealthBar(bmp, 160, 4, 200, static_cast<double>(boss->health) / boss->maxHealth);
    }
    if (helpShown)
        drawHelp(bmp);
    if (present)
        app->backBuffer->present();
}

void Game::drawHud(BITMAP* bmp) {
    app->fontMain->draw(bmp, 2, 220, "#");
    maskedBlit(app->redbarImage, bmp, 0, 10, 11, 220, 53, 10);
    // In 64 bits: a huge starting health times 50 would overflow an int.
    const int fill =
        maxHealth > 0 ? static_cast<int>(static_cast<long long>(health) * 50 / maxHealth) : 0;
    maskedBlit(app->redbarImage, bmp, 1, 1, kBarInsideX, kBarInsideY, fill, kBarInsideH);
    // A landing flashes the whole bar white: the loss shows where it is counted.
    if (alerts.flashLeft > 0.0 && alerts.blink(kFlashesPerSecond))
        rectfill(bmp, kBarInsideX, kBarInsideY, kBarInsideX + kBarInsideW - 1,
                 kBarInsideY + kBarInsideH - 1, makecol(255, 240, 240));
    app->fontSmall->printCentred(bmp, 36, 221, "%d", health);
    app->fontMain->print(bmp, 2, 229, "$ %d", money);
    drawHudButtons(bmp);
    // The small buttons' tool tips take the wave's place while the mouse is on them.
    if (!app->mouseIn(kHudButtonX, kSpeedButtonY, kHudButtonWidth,
                      kNextWaveButtonY + kHudButtonHeight - kSpeedButtonY)) {
        app->fontMain->draw(bmp, kWaveLinesX, 220, waveText(waveNumber).c_str());
        app->fontSmall->draw(bmp, kWaveLinesX, 230, countdownText(waveNumber, waveTimer).c_str());
    }
}

// Drawn behind the towers and the invaders, so that both stay sharp in front of it.
void Game::drawDangerGlow(BITMAP* bmp) {
    const double pulse = 0.65 + 0.35 * std::sin(alerts.clock * kGlowPulsesPerSecond * 2.0 * kPi);
    const int red = makecol(255, 40, 24);
    for (int row = 0; row < kGlowRows; ++row) {
        const double share = 1.0 - static_cast<double>(row) / kGlowRows;
        set_trans_blender(0, 0, 0, static_cast<int>(kGlowStrongest * pulse * share * share));
        drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
        hline(bmp, 0, app->towerBaseline - row, kFieldWidth - 1, red);
    }
    solid_mode();
}

void Game::drawGameOver(BITMAP* bmp) {
    makeGreyscale(bmp);
    BITMAP* words = app->gameOverImage;
    if (words)
        masked_stretch_blit(words, bmp, 0, 0, words->w, words->h, 160 - words->w, 50, 2 * words->w,
                            2 * words->h);
    // A game begun at a later wave counts only what it defeated itself.
    app->fontSmallRed->printCentred(bmp, 160, 74, "Waves Defeated: %d", waveNumber - firstWave);
    app->fontSmallRed->printCentred(bmp, 160, kBestLineY, "Best: %d", app->profile.bestWaves);
    if (uiMode != kUiGameMenu)
        app->fontSmall->drawCentred(bmp, 160, kGoOnY, "Press Escape and choose \"Start Over\"");
}

void Game::drawPaused(BITMAP* bmp) {
    app->fontMain->drawCentred(bmp, 160, kPausedY, "Paused");
}

int Game::buttonLook(int index, bool usable) const {
    if (!usable)
        return kLookUnusable;
    if (!buttonContainsMouse(index))
        return kLookUsable;
    return (app->buttons & 1) ? kLookPressed : kLookHover;
}

void Game::drawButton(BITMAP* bmp, int index, int look, BITMAP* icons, int iconX, bool greyed) {
    const int x = kButtonX - index * app->buttonSpacing;
    maskedBlit(app->slotsImage, bmp, kButtonSize * look, 0, x, kButtonY, kButtonSize, kButtonSize);
    // A held button's icon sinks by one pixel.
    const int shift = look == kLookPressed ? 1 : 0;
    maskedBlit(icons, bmp, iconX, greyed ? kIconSize : 0, x + 1 + shift, kButtonY + 1 + shift,
               kIconSize, kIconSize);
}

void Game::drawPlacing(BITMAP* bmp) {
    const TowerDef& def = app->towerDefs[placingType];
    drawGhost(bmp);
    drawButton(bmp, 0, kLookHover, app->iconsImage, kIconSize * placingType + kIconSize, false);
    // Short enough to leave the wave's lines beside it: the countdown matters while placing.
    const int x = kTooltipRight - app->buttonSpacing;
    app->fontMain->printRight(bmp, x, 220, "Placing %s - $%d", def.name.c_str(), def.value);
    app->fontSmall->drawRight(bmp, x, 230, "Right click to cancel");
}

// A tool tip: its title over one line of detail, right-aligned at x. It takes the panel from the
// wave's lines to x for itself, so that a long one never runs into them.
void Game::drawTip(BITMAP* bmp, int x, const BitmapFont* titleFont, const char* title,
                   const char* detail) {
    if (app->bgImage && x >= kWaveLinesX)
        blit(app->bgImage, bmp, kWaveLinesX, kPanelTop, kWaveLinesX, kPanelTop, x - kWaveLinesX + 1,
             kFieldHeight - kPanelTop);
    titleFont->drawRight(bmp, x, 220, title);
    app->fontSmall->drawRight(bmp, x, 230, detail);
}

void Game::drawTowerMenu(BITMAP* bmp) {
    Building* b = selected;
    if (!b)
        return;
    const TowerDef& def = app->towerDefs[b->type];
    const int fw = restFrameWidth(def.sprite);
    const int fh = restFrameHeight(def.sprite);
    const int top = app->towerBaseline - fh - 3;
    const int bottom = app->towerBaseline - 3;
    maskedBlit(app->selectorImage, bmp, 0, 0, b->x - 3, top, 7, 7);
    maskedBlit(app->selectorImage, bmp, 7, 0, b->x + fw - 3, top, 7, 7);
    maskedBlit(app->selectorImage, bmp, 0, 7, b->x - 3, bottom, 7, 7);
    maskedBlit(app->selectorImage, bmp, 7, 7, b->x + fw - 3, bottom, 7, 7);
    drawTowerBar(bmp, *b, app->towerBaseline - fh - 9, 32);
    if (const TeslaCoil* coil = dynamic_cast<const TeslaCoil*>(b))
        drawReachCircle(bmp, coil->centreX(), coil->centreY(), coil->rangeMax);

    const int repairCost = b->repairCost();
    const int tipX = kTooltipRight - def.entryCount * app->buttonSpacing;
    for (int i = 0; i < def.entryCount; ++i) {
        const UpgradeDef& entry = def.entries[i];
        const int level = i >= kFirstUpgradeEntry ? b->upgradeLevels[i - kFirstUpgradeEntry] : 0;
        const std::optional<int> price =
            i >= kFirstUpgradeEntry ? b->nextLevelPrice(i - kFirstUpgradeEntry) : std::nullopt;
        const bool canBuyLevel = price && money >= *price;
        const bool usable = (i < kFirstUpgradeEntry || canBuyLevel) &&
                            (i != kRepairEntry || (repairCost != 0 && money >= repairCost));
        // An upgrade without levels (a broken Levels key) can never be bought and gets an empty
        // button: any icon would promise something.
        const bool hasIcon = i < kFirstUpgradeEntry || entry.levelCount > 0;
        const int icon =
            i < kFirstUpgradeEntry
                ? i
                : (hasIcon ? entry.levels[std::min(level, entry.levelCount - 1)].icon : 0);
        const int look = buttonLook(i, usable);
        drawButton(bmp, i, look, hasIcon ? app->upgradeIconsImage : nullptr, kIconSize * icon,
                   look == kLookUnusable);

        if (!buttonContainsMouse(i))
            continue;
        const char* name = entry.name.c_str();
        char title[kTitleSize];
        const BitmapFont* font = app->fontMain;
        // An upgrade's line gives the numbers it changes where it has them.
        std::string detail = entry.description;
        if (i == kDemolishEntry) {
            std::snprintf(title, sizeof title, "%s - +$%d", name, b->sellValue());
        } else if (i == kRepairEntry) {
            std::snprintf(title, sizeof title, "%s - $%d", name, repairCost);
        } else {
            if (!price || *price > money)
                font = app->fontMainRed;
            if (!price)
                std::snprintf(title, sizeof title, "%s - Max", name);
            else if (entry.levelCount < 2)
                std::snprintf(title, sizeof title, "%s - $%d", name, *price);
            else
                std::snprintf(title, sizeof title, "%s (Lv %d) - $%d", name, level + 1, *price);
            const std::string change =
                describeChange(b->upgradeChange(i - kFirstUpgradeEntry), price.has_value());
            if (!change.empty())
                detail = change;
        }
        drawTip(bmp, tipX, font, title, detail.c_str());
    }
}

void Game::drawBuildBar(BITMAP* bmp) {
    const int tipX = kTooltipRight - kTowerTypeCount * app->buttonSpacing;
    for (int i = 0; i < kTowerTypeCount; ++i) {
        const TowerDef& def = app->towerDefs[i];
        const bool usable = money >= def.value && def.available;
        const int look = buttonLook(i, usable);
        drawButton(bmp, i, look, app->iconsImage, kIconSize * i + kIconSize, look == kLookUnusable);
        if (!buttonContainsMouse(i))
            continue;
        const BitmapFont* font = money < def.value ? app->fontMainRed : app->fontMain;
        char title[kTitleSize];
        std::snprintf(title, sizeof title, "%s - $%d", def.name.c_str(), def.value);
        drawTip(bmp, tipX, font, title, def.description.c_str());
    }
}

void Game::drawGameMenu(BITMAP* bmp) {
    app->fontSmall->drawCentred(bmp, 160, 90, "Menu");
    auto fontFor = [this](int y) {
        return app->mouseIn(kMenuItemX, y, kMenuItemWidth, kMenuItemHeight) ? app->fontMainRed
                                                                            : app->fontMain;
    };
    fontFor(kMenuSoundY)
        ->printCentred(bmp, 160, kMenuSoundY, "Sound: %s", app->soundOn ? "On" : "Off");
    fontFor(kMenuStartOverY)->drawCentred(bmp, 160, kMenuStartOverY, "Start Over");
    fontFor(kMenuQuitY)->drawCentred(bmp, 160, kMenuQuitY, "Quit Game");
}
