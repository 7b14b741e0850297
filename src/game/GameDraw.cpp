// Drawing one complete frame into the back buffer: the play field, the HUD, the bottom-right
// controls with their tool tips, the in-game menu, the boss's health bar and the game-over screen.

#include "game/Game.h"

#include "app/GameApp.h"
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

#include <allegro.h>

#include <algorithm>
#include <optional>

namespace {

// Button looks in data/slots.mz, side by side.
enum ButtonLook { kLookUsable = 0, kLookHover = 1, kLookUnusable = 2, kLookPressed = 3 };

constexpr int kIconSize = 16;
constexpr int kTooltipRight = 317;
// The best result sits one small-font line under "Waves Defeated".
constexpr int kBestLineY = 82;
// Above the clouds, clear of the game-over words, the wave banner and the menu.
constexpr int kPausedY = 30;

void maskedBlit(BITMAP* source, BITMAP* target, int sx, int sy, int dx, int dy, int w, int h) {
    if (source && w > 0 && h > 0)
        masked_blit(source, target, sx, sy, dx, dy, w, h);
}

} // namespace

void Game::draw(bool present) {
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

    if (gameOver) {
        drawGameOver(bmp);
    } else {
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
    maskedBlit(app->redbarImage, bmp, 1, 1, 12, 221, fill, 7);
    app->fontSmall->printCentred(bmp, 36, 221, "%d", health);
    app->fontMain->print(bmp, 2, 229, "$ %d", money);
    drawHudButtons(bmp);
}

void Game::drawGameOver(BITMAP* bmp) {
    makeGreyscale(bmp);
    BITMAP* words = app->gameOverImage;
    if (words)
        masked_stretch_blit(words, bmp, 0, 0, words->w, words->h, 160 - words->w, 50, 2 * words->w,
                            2 * words->h);
    app->fontSmallRed->printCentred(bmp, 160, 74, "Waves Defeated: %d", waveNumber - 1);
    app->fontSmallRed->printCentred(bmp, 160, kBestLineY, "Best: %d", app->profile.bestWaves);
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
    const int fw = restFrameWidth(def.sprite);
    const int fh = restFrameHeight(def.sprite);
    if (def.sprite)
        def.sprite->draw(bmp, app->mouseX - fw / 2, app->towerBaseline - fh, canPlace() ? 0 : 1,
                         0.0f);
    drawButton(bmp, 0, kLookHover, app->iconsImage, kIconSize * placingType + kIconSize, false);
    const int x = kTooltipRight - app->buttonSpacing;
    app->fontMain->printRight(bmp, x, 220, "Placing %s - $%d", def.name.c_str(), def.value);
    app->fontSmall->drawRight(bmp, x, 230, "Right click to cancel");
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
    const int maxHp = b->maxHealth();
    drawHealthBar(bmp, static_cast<int>(b->centreX()), app->towerBaseline - fh - 9, 32,
                  maxHp > 0 ? static_cast<double>(b->health) / maxHp : 0.0);

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
        if (i == kDemolishEntry) {
            app->fontMain->printRight(bmp, tipX, 220, "%s - +$%d", name, b->sellValue());
        } else if (i == kRepairEntry) {
            app->fontMain->printRight(bmp, tipX, 220, "%s - $%d", name, repairCost);
        } else {
            const BitmapFont* font = !price || *price > money ? app->fontMainRed : app->fontMain;
            if (!price)
                font->printRight(bmp, tipX, 220, "%s - Max", name);
            else if (entry.levelCount < 2)
                font->printRight(bmp, tipX, 220, "%s - $%d", name, *price);
            else
                font->printRight(bmp, tipX, 220, "%s (Lv %d) - $%d", name, level + 1, *price);
        }
        app->fontSmall->drawRight(bmp, tipX, 230, entry.description.c_str());
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
        font->printRight(bmp, tipX, 220, "%s - $%d", def.name.c_str(), def.value);
        app->fontSmall->drawRight(bmp, tipX, 230, def.description.c_str());
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

void Game::drawHealthBar(BITMAP* target, int cx, int y, int w, double fraction) {
    const int left = cx - w / 2;
    const int right = left + w;
    const int fill = static_cast<int>(w * fraction);
    const int extra = fraction >= 1.0 ? 1 : 0;
    const int grey = makecol(48, 48, 48);
    const int darkGreen = makecol(0, 128, 64);
    rectfill(target, left, y, right, y + 4, grey);
    rectfill(target, left - 1, y + 1, right + 1, y + 3, grey);
    rectfill(target, left, y, left + fill, y + 3, darkGreen);
    rectfill(target, left - 1, y + 1, left + fill + extra, y + 2, darkGreen);
    rectfill(target, left, y + 1, left + fill, y + 2, makecol(0, 255, 0));
}
