// Drawing the HUD: the base's health and the money, the small buttons and the wave's lines, the
// bottom-right buttons with their tool tips, "Paused", the in-game menu and the help card.

#include "game/Hud.h"

#include "app/GameApp.h"
#include "game/Controls.h"
#include "game/Game.h"
#include "game/HudText.h"
#include "gfx/BitmapFont.h"
#include "gfx/Dim.h"
#include "invaders/Wave.h"
#include "towers/Building.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>

namespace {

// Button looks in data/slots.mz, side by side.
enum ButtonLook { kLookUsable = 0, kLookHover = 1, kLookUnusable = 2, kLookPressed = 3 };

constexpr int kIconSize = 16;
constexpr int kTooltipRight = 317;
// The panel's two lines of text.
constexpr int kTitleY = 220;
constexpr int kDetailY = 230;
// Above the clouds, clear of the game-over words, the wave banner and the menu.
constexpr int kPausedY = 30;
// How far the field darkens under "Paused", the menu and the help card (of 255); the panel
// stays as it is, money and health in plain sight.
constexpr int kDimStrength = 120;

// Tool tip titles: a name from the data, a price and a few words.
constexpr int kTitleSize = 256;

// The base's health bar: its inside, and how fast it flashes after a landing.
constexpr int kBarInsideX = 12;
constexpr int kBarInsideY = 221;
constexpr int kBarInsideW = 50;
constexpr int kBarInsideH = 7;
constexpr double kFlashesPerSecond = 8.0;

// A build button's key: a small cap in the small buttons' colours, standing on the button's top
// edge in the strip of dirt above the panel, so neither the icon nor the tool tip's price is
// covered. Clear of the towers, whose feet stand on the ground line above the strip.
constexpr int kKeyCapWidth = 7;
constexpr int kKeyCapTop = 213;

// The help card: a panel over the stopped field, one line per control.
constexpr int kHelpLeft = 30;
constexpr int kHelpTop = 28;
constexpr int kHelpRight = 290;
constexpr int kHelpBottom = 214;
// The invader kinds, two lines of pictures and names above the card's last line.
constexpr int kHelpKindsTop = 170;
constexpr int kHelpKeyX = 40;
constexpr int kHelpTextX = 100;
constexpr int kHelpFirstLineY = 48;
constexpr int kHelpLineHeight = 11;

void maskedBlit(BITMAP* source, BITMAP* target, int sx, int sy, int dx, int dy, int w, int h) {
    if (source && w > 0 && h > 0)
        masked_blit(source, target, sx, sy, dx, dy, w, h);
}

} // namespace

void Hud::draw(BITMAP* bmp) {
    if (!game.gameOver) {
        drawKindNotice(bmp);
        drawStatus(bmp);
        switch (game.uiMode) {
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
    // "Paused", the menu and the help card stand over a darkened field, so that whatever is
    // beneath (invaders, the game-over words) never runs into them.
    if (game.paused) {
        if (game.uiMode != kUiGameMenu && !game.helpShown)
            dimRect(bmp, 0, 0, kFieldWidth - 1, kPanelTop - 1, kDimStrength);
        app->fontMain->drawCentred(bmp, 160, kPausedY, "Paused");
    }
    if (game.uiMode == kUiGameMenu)
        drawGameMenu(bmp);
    if (game.helpShown)
        drawHelp(bmp);
}

void Hud::drawStatus(BITMAP* bmp) {
    app->fontMain->draw(bmp, 2, 220, "#");
    maskedBlit(app->redbarImage, bmp, 0, 10, 11, 220, 53, 10);
    // In 64 bits: a huge starting health times 50 would overflow an int.
    const int fill =
        game.maxHealth > 0
            ? static_cast<int>(static_cast<long long>(game.health) * 50 / game.maxHealth)
            : 0;
    maskedBlit(app->redbarImage, bmp, 1, 1, kBarInsideX, kBarInsideY, fill, kBarInsideH);
    drawTollMark(bmp);
    // A landing flashes the whole bar white: the loss shows where it is counted.
    if (game.alerts.flashLeft > 0.0 && game.alerts.blink(kFlashesPerSecond))
        rectfill(bmp, kBarInsideX, kBarInsideY, kBarInsideX + kBarInsideW - 1,
                 kBarInsideY + kBarInsideH - 1, makecol(255, 240, 240));
    // Ringed in dark red, the white figure reads over the bar's reds and over its white flash.
    const std::string figure = std::to_string(game.health);
    app->fontSmall->drawOutlined(bmp, 36 - app->fontSmall->textWidth(figure.c_str()) / 2, 221,
                                 figure.c_str(), makecol(64, 8, 16));
    app->fontMain->print(bmp, 2, 229, "$ %d", game.money);
    drawSmallButtons(bmp);
    drawWaveLines(bmp);
}

// Where a wave's toll is limited (WaveLossMax), a gold mark on the bar shows how low this wave
// can take the base: once the fill reaches it, landings cost nothing until the next wave. Its
// head stands above the bar, where the health figure never covers it.
void Hud::drawTollMark(BITMAP* bmp) {
    const int toll = game.wave ? game.wave->lossLeft() : -1;
    if (toll < 0 || game.maxHealth <= 0 || game.health - toll <= 0)
        return;
    const int x = kBarInsideX + static_cast<int>(static_cast<long long>(game.health - toll) *
                                                 kBarInsideW / game.maxHealth);
    const int gold = makecol(255, 208, 64);
    vline(bmp, x, kPanelTop + 1, kBarInsideY + kBarInsideH, gold);
    hline(bmp, x - 1, kPanelTop, x + 1, gold);
}

void Hud::drawSmallButton(BITMAP* bmp, int y, bool usable, const char* label) {
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

void Hud::drawSmallButtons(BITMAP* bmp) {
    char speedLabel[16];
    std::snprintf(speedLabel, sizeof speedLabel, ">> %dx", game.speed);
    drawSmallButton(bmp, kSpeedButtonY, true, speedLabel);
    const bool callable = game.canCallNextWave();
    drawSmallButton(bmp, kNextWaveButtonY, callable, "Wave >");

    // Tool tips to the right of the buttons, where the build bar's and the menu's never reach
    // while the mouse is here.
    const int tipX = kHudButtonX + kHudButtonWidth + 4;
    if (app->mouseIn(kHudButtonX, kSpeedButtonY, kHudButtonWidth, kHudButtonHeight)) {
        app->fontMain->print(bmp, tipX, kTitleY, "Speed - %dx", game.speed);
        app->fontSmall->draw(bmp, tipX, kDetailY, "F or click: 1x, 2x, 3x");
    } else if (app->mouseIn(kHudButtonX, kNextWaveButtonY, kHudButtonWidth, kHudButtonHeight)) {
        if (callable) {
            app->fontMain->print(bmp, tipX, kTitleY, "Next Wave Now - +$%d", game.nextWaveBonus());
            app->fontSmall->print(bmp, tipX, kDetailY, "N: $%g for each second of calm skipped",
                                  app->strings.getReal("EarlyWaveBonus"));
        } else {
            app->fontMainRed->draw(bmp, tipX, kTitleY, "Next Wave Now");
            app->fontSmall->draw(bmp, tipX, kDetailY, "Only between waves");
        }
    }
}

// The small buttons' tool tips take the wave's place while the mouse is on them.
void Hud::drawWaveLines(BITMAP* bmp) {
    if (app->mouseIn(kHudButtonX, kSpeedButtonY, kHudButtonWidth,
                     kNextWaveButtonY + kHudButtonHeight - kSpeedButtonY))
        return;
    app->fontMain->draw(bmp, kWaveLinesX, kTitleY, waveText(game.waveNumber).c_str());
    const std::string countdown = countdownText(game.waveNumber, game.waveTimer);
    app->fontSmall->draw(bmp, kWaveLinesX, kDetailY, countdown.c_str());
    drawNextWaveKinds(bmp, kWaveLinesX + app->fontSmall->textWidth(countdown.c_str()) + 4);
}

int Hud::buttonLook(int index, bool usable) const {
    if (!usable)
        return kLookUnusable;
    if (!buttonContainsMouse(index))
        return kLookUsable;
    return (app->buttons & 1) ? kLookPressed : kLookHover;
}

void Hud::drawButton(BITMAP* bmp, int index, int look, BITMAP* icons, int iconX, bool greyed) {
    const int x = kButtonX - index * app->buttonSpacing;
    maskedBlit(app->slotsImage, bmp, kButtonSize * look, 0, x, kButtonY, kButtonSize, kButtonSize);
    // A held button's icon sinks by one pixel.
    const int shift = look == kLookPressed ? 1 : 0;
    maskedBlit(icons, bmp, iconX, greyed ? kIconSize : 0, x + 1 + shift, kButtonY + 1 + shift,
               kIconSize, kIconSize);
}

// A tool tip: its title over one line of detail, right-aligned at x. It takes the panel from the
// wave's lines to x for itself, so that a long one never runs into them.
void Hud::drawTip(BITMAP* bmp, int x, const BitmapFont* titleFont, const char* title,
                  const char* detail) {
    if (app->bgImage && x >= kWaveLinesX)
        blit(app->bgImage, bmp, kWaveLinesX, kPanelTop, kWaveLinesX, kPanelTop, x - kWaveLinesX + 1,
             kFieldHeight - kPanelTop);
    titleFont->drawRight(bmp, x, kTitleY, title);
    app->fontSmall->drawRight(bmp, x, kDetailY, detail);
}

void Hud::drawPlacing(BITMAP* bmp) {
    const TowerDef& def = app->towerDefs[game.placingType];
    drawButton(bmp, 0, kLookHover, app->iconsImage, kIconSize * game.placingType + kIconSize,
               false);
    // Short enough to leave the wave's lines beside it: the countdown matters while placing.
    const int x = kTooltipRight - app->buttonSpacing;
    app->fontMain->printRight(bmp, x, kTitleY, "Placing %s - $%d", def.name.c_str(), def.value);
    app->fontSmall->drawRight(bmp, x, kDetailY, "Right click to cancel");
}

void Hud::drawKeyCap(BITMAP* bmp, int index, bool usable) {
    const std::string key = placingKeyName(index);
    if (key.empty())
        return;
    const int left = kButtonX - index * app->buttonSpacing + (kButtonSize - kKeyCapWidth) / 2;
    const int right = left + kKeyCapWidth - 1;
    // Open at the bottom: the cap and the button's frame meet.
    rectfill(bmp, left, kKeyCapTop, right, kButtonY - 1,
             usable ? makecol(112, 120, 168) : makecol(56, 58, 76));
    rectfill(bmp, left + 1, kKeyCapTop + 1, right - 1, kButtonY - 1,
             usable ? makecol(44, 48, 84) : makecol(30, 32, 44));
    app->fontSmall->drawCentred(bmp, left + kKeyCapWidth / 2 + 1, kKeyCapTop + 1, key.c_str());
}

void Hud::drawBuildBar(BITMAP* bmp) {
    const int tipX = kTooltipRight - kTowerTypeCount * app->buttonSpacing;
    for (int i = 0; i < kTowerTypeCount; ++i) {
        const TowerDef& def = app->towerDefs[i];
        const bool usable = game.money >= def.value && def.available;
        const int look = buttonLook(i, usable);
        drawButton(bmp, i, look, app->iconsImage, kIconSize * i + kIconSize, look == kLookUnusable);
        drawKeyCap(bmp, i, usable);
        if (!buttonContainsMouse(i))
            continue;
        const BitmapFont* font = game.money < def.value ? app->fontMainRed : app->fontMain;
        char title[kTitleSize];
        std::snprintf(title, sizeof title, "%s - $%d", def.name.c_str(), def.value);
        drawTip(bmp, tipX, font, title, def.description.c_str());
    }
}

void Hud::drawTowerMenu(BITMAP* bmp) {
    const Building* b = game.selected;
    if (!b)
        return;
    const int entries = app->towerDefs[b->type].entryCount;
    const int tipX = kTooltipRight - entries * app->buttonSpacing;
    for (int i = 0; i < entries; ++i) {
        drawEntryButton(bmp, *b, i);
        if (buttonContainsMouse(i))
            drawEntryTip(bmp, *b, i, tipX);
    }
}

// "Demolish" is always usable, "Repair" greyed at full health or when not one point of it can be
// paid, an upgrade greyed at its last level or when it cannot be paid.
void Hud::drawEntryButton(BITMAP* bmp, const Building& b, int i) {
    const UpgradeDef& entry = app->towerDefs[b.type].entries[i];
    const bool upgrade = i >= kFirstUpgradeEntry;
    const int level = upgrade ? b.upgradeLevels[i - kFirstUpgradeEntry] : 0;
    const std::optional<int> price =
        upgrade ? b.nextLevelPrice(i - kFirstUpgradeEntry) : std::nullopt;
    const bool usable = (!upgrade || (price && game.money >= *price)) &&
                        (i != kRepairEntry || b.repairOffer(game.money).points > 0);
    // An upgrade without levels (a broken Levels key) can never be bought and gets an empty
    // button: any icon would promise something.
    const bool hasIcon = !upgrade || entry.levelCount > 0;
    const int icon = !upgrade  ? i
                     : hasIcon ? entry.levels[std::min(level, entry.levelCount - 1)].icon
                               : 0;
    const int look = buttonLook(i, usable);
    drawButton(bmp, i, look, hasIcon ? app->upgradeIconsImage : nullptr, kIconSize * icon,
               look == kLookUnusable);
}

void Hud::drawEntryTip(BITMAP* bmp, const Building& b, int i, int x) {
    const UpgradeDef& entry = app->towerDefs[b.type].entries[i];
    const char* name = entry.name.c_str();
    char title[kTitleSize];
    const BitmapFont* font = app->fontMain;
    // An upgrade's line gives the numbers it changes where it has them.
    std::string detail = entry.description;
    if (i == kDemolishEntry) {
        std::snprintf(title, sizeof title, "%s - +$%d", name, b.sellValue());
    } else if (i == kRepairEntry) {
        // Short of the whole price, the tip tells what the money in hand mends instead.
        const Building::RepairOffer offer = b.repairOffer(game.money);
        const int cost = b.repairCost();
        const bool part = offer.points > 0 && offer.price < cost;
        std::snprintf(title, sizeof title, "%s - $%d", name, part ? offer.price : cost);
        if (cost > 0 && offer.points == 0)
            font = app->fontMainRed;
        if (part)
            detail = "Mends " + std::to_string(offer.points) + " of " +
                     std::to_string(b.maxHealth() - b.health) + " lost health";
    } else {
        const int k = i - kFirstUpgradeEntry;
        const std::optional<int> price = b.nextLevelPrice(k);
        if (!price || *price > game.money)
            font = app->fontMainRed;
        if (!price)
            std::snprintf(title, sizeof title, "%s - Max", name);
        else if (entry.levelCount < 2)
            std::snprintf(title, sizeof title, "%s - $%d", name, *price);
        else
            std::snprintf(title, sizeof title, "%s (Lv %d) - $%d", name, b.upgradeLevels[k] + 1,
                          *price);
        const std::string change = describeChange(b.upgradeChange(k), price.has_value());
        if (!change.empty())
            detail = change;
    }
    drawTip(bmp, x, font, title, detail.c_str());
}

void Hud::drawGameMenu(BITMAP* bmp) {
    dimRect(bmp, 0, 0, kFieldWidth - 1, kPanelTop - 1, kDimStrength);
    if (game.settingsShown) {
        settings.draw(bmp, *app);
        return;
    }
    app->fontSmall->drawCentred(bmp, 160, kMenuTitleY, "Menu");
    auto fontFor = [this](int y) {
        return app->mouseIn(kMenuItemX, y, kMenuItemWidth, kMenuItemHeight) ? app->fontMainRed
                                                                            : app->fontMain;
    };
    fontFor(kMenuSettingsY)->drawCentred(bmp, 160, kMenuSettingsY, "Settings");
    fontFor(kMenuSoundY)
        ->printCentred(bmp, 160, kMenuSoundY, "Sound: %s", app->soundOn ? "On" : "Off");
    fontFor(kMenuStartOverY)->drawCentred(bmp, 160, kMenuStartOverY, "Start Over");
    fontFor(kMenuQuitY)->drawCentred(bmp, 160, kMenuQuitY, "Quit Game");
}

void Hud::drawHelp(BITMAP* bmp) {
    dimRect(bmp, 0, 0, kFieldWidth - 1, kPanelTop - 1, kDimStrength);
    rectfill(bmp, kHelpLeft, kHelpTop, kHelpRight, kHelpBottom, makecol(112, 120, 168));
    rectfill(bmp, kHelpLeft + 1, kHelpTop + 1, kHelpRight - 1, kHelpBottom - 1,
             makecol(20, 22, 44));
    app->fontMain->drawCentred(bmp, 160, kHelpTop + 6, "Controls");
    int y = kHelpFirstLineY;
    for (const ControlLine& line : controlLines()) {
        app->fontSmallRed->draw(bmp, kHelpKeyX, y, line.keys.c_str());
        app->fontSmall->draw(bmp, kHelpTextX, y, line.what.c_str());
        y += kHelpLineHeight;
    }
    drawHelpKinds(bmp, kHelpKindsTop);
    app->fontSmall->drawCentred(bmp, 160, kHelpBottom - 12, "Any key or click closes this card");
}
