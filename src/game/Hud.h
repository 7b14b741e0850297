#pragma once

#include "game/SettingsScreen.h"

struct BITMAP;
class BitmapFont;
class Building;
class Game;
class GameApp;

// The panel's layout, shared by its drawing and its click handler so that what is drawn is what
// can be clicked (and by the scripted player, which clicks where a player would).
//
// The bottom-right buttons: the build bar, the tower menu's entries, the placing button. Button
// i stands ButtonSpacing (data) left of button i - 1.
constexpr int kButtonX = 300;
constexpr int kButtonY = 220;
constexpr int kButtonSize = 19;
// The in-game menu's items, centred over the field.
constexpr int kMenuItemX = 120;
constexpr int kMenuItemWidth = 80;
constexpr int kMenuItemHeight = 8;
constexpr int kMenuTitleY = 88;
constexpr int kMenuSettingsY = 100;
constexpr int kMenuSoundY = 110;
constexpr int kMenuStartOverY = 120;
constexpr int kMenuQuitY = 130;
// The bottom panel (HUD, texts, buttons) starts under the ground's dirt; a click there never
// places a tower.
constexpr int kPanelTop = 218;
// The wave and its countdown, right of the small buttons where their own tool tips appear; the
// build bar's and the tower menu's tool tips take this part of the panel while they show.
constexpr int kWaveLinesX = 102;
// The two small buttons beside the money: fast-forward above, next wave now below.
constexpr int kHudButtonX = 68;
constexpr int kSpeedButtonY = 220;
constexpr int kNextWaveButtonY = 230;
constexpr int kHudButtonWidth = 30;
constexpr int kHudButtonHeight = 9;

// The panel under the field and what is laid over it for the player: the base's health, the
// money, the two small buttons, the wave's lines, the build bar, the tower menu's buttons, the
// tool tips, "Paused", the in-game menu and the help card. It draws from the game's state and
// turns clicks into the game's own operations; the field and the rules stay with the Game, and
// the HUD keeps no state of its own.
class Hud {
  public:
    explicit Hud(Game& game);

    // Every click of a frame comes here first. The help card takes any click to close; the menu
    // takes its own items; while the field stands still (paused, menu, help card) or the base
    // is lost, nothing else answers. Otherwise the small buttons, then the field's towers, the
    // build bar, placing and the tower menu. True when "Start Over" ran: the rest of the frame's
    // update is then skipped.
    bool handleMouse();

    // The panel (unless the base is lost), then "Paused", the menu and the help card over all.
    void draw(BITMAP* bmp);

    bool leftClick() const;
    bool rightClick() const;
    // Whether bottom-right button i is under the mouse.
    bool buttonContainsMouse(int index) const;

  private:
    bool clickSmallButtons();
    void clickBuildBar();
    void clickTowerMenu(bool justSelected);
    bool clickGameMenu();

    void drawStatus(BITMAP* bmp);
    void drawTollMark(BITMAP* bmp);
    void drawSmallButton(BITMAP* bmp, int y, bool usable, const char* label);
    void drawSmallButtons(BITMAP* bmp);
    void drawWaveLines(BITMAP* bmp);
    int buttonLook(int index, bool usable) const;
    void drawButton(BITMAP* bmp, int index, int look, BITMAP* icons, int iconX, bool greyed);
    void drawTip(BITMAP* bmp, int x, const BitmapFont* titleFont, const char* title,
                 const char* detail);
    void drawPlacing(BITMAP* bmp);
    void drawKeyCap(BITMAP* bmp, int index, bool usable);
    void drawBuildBar(BITMAP* bmp);
    void drawTowerMenu(BITMAP* bmp);
    void drawEntryButton(BITMAP* bmp, const Building& b, int entry);
    void drawEntryTip(BITMAP* bmp, const Building& b, int entry, int x);
    void drawGameMenu(BITMAP* bmp);
    void drawHelp(BITMAP* bmp);
    // The invader kinds (HudKinds.cpp).
    void drawKindNotice(BITMAP* bmp);
    // The kinds of the coming wave, a small picture each from x on the countdown's line.
    void drawNextWaveKinds(BITMAP* bmp, int x);
    // Every kind, a picture and its name, in lines from top down.
    void drawHelpKinds(BITMAP* bmp, int top);

    Game& game;
    GameApp* app;
    SettingsScreen settings;
};
