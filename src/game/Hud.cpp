// The HUD's one click handler: what a click on the panel, the menu or the help card does, and
// where it hands a click on the field over to the game.

#include "game/Hud.h"

#include "app/GameApp.h"
#include "app/Sound.h"
#include "game/Game.h"
#include "towers/Building.h"

Hud::Hud(Game& owner) : game(owner), app(GameApp::instance()) {}

bool Hud::leftClick() const {
    return (app->previousButtons & 1) && !(app->buttons & 1);
}

bool Hud::rightClick() const {
    return (app->previousButtons & 2) && !(app->buttons & 2);
}

bool Hud::buttonContainsMouse(int index) const {
    return app->mouseIn(kButtonX - index * app->buttonSpacing, kButtonY, kButtonSize, kButtonSize);
}

bool Hud::handleMouse() {
    if (game.helpShown) {
        if (leftClick() || rightClick())
            game.closeHelp();
        return false;
    }
    if (game.uiMode == kUiGameMenu)
        return clickGameMenu();
    // The small buttons are shortcuts like their keys: they wait while the field stands still.
    if (game.fieldStopped() || game.gameOver)
        return false;
    if (leftClick() && clickSmallButtons())
        return false;
    // A click on a tower selects it, and the same click is then tried on its menu's buttons.
    const bool justSelected = leftClick() && game.selectTowerUnderMouse();
    switch (game.uiMode) {
    case kUiIdle:
        clickBuildBar();
        break;
    case kUiPlacing:
        // Placing answers on the field only: the panel holds the money, texts and buttons.
        game.handlePlacing(leftClick() && app->mouseY < kPanelTop, rightClick());
        break;
    case kUiTowerMenu:
        clickTowerMenu(justSelected);
        break;
    default:
        break;
    }
    return false;
}

bool Hud::clickSmallButtons() {
    if (app->mouseIn(kHudButtonX, kSpeedButtonY, kHudButtonWidth, kHudButtonHeight)) {
        game.cycleSpeed();
        return true;
    }
    if (app->mouseIn(kHudButtonX, kNextWaveButtonY, kHudButtonWidth, kHudButtonHeight)) {
        game.callNextWave();
        return true;
    }
    return false;
}

void Hud::clickBuildBar() {
    if (!leftClick())
        return;
    for (int i = 0; i < kTowerTypeCount; ++i)
        if (buttonContainsMouse(i) && game.startPlacing(i))
            return;
}

void Hud::clickTowerMenu(bool justSelected) {
    if (rightClick()) {
        game.closeTowerMenu();
        return;
    }
    // A tower destroyed earlier in this frame is gone at its end; nothing more is bought for it.
    const Building* selected = game.selected;
    if (!leftClick() || !selected || selected->removed)
        return;
    bool onButton = false;
    for (int i = 0; i < app->towerDefs[selected->type].entryCount; ++i) {
        if (!buttonContainsMouse(i))
            continue;
        onButton = true;
        if (game.useTowerEntry(i))
            return;
    }
    // Empty ground closes the menu; so does the panel beside the buttons.
    if (!onButton && !justSelected)
        game.closeTowerMenu();
}

bool Hud::clickGameMenu() {
    if (!leftClick())
        return false;
    if (game.settingsShown) {
        if (settings.click(*app, game) == SettingsScreen::Click::Back)
            game.settingsShown = false;
        return false;
    }
    if (app->mouseIn(kMenuItemX, kMenuSettingsY, kMenuItemWidth, kMenuItemHeight)) {
        game.settingsShown = true;
        playSample(app->sampleBip);
    } else if (app->mouseIn(kMenuItemX, kMenuSoundY, kMenuItemWidth, kMenuItemHeight)) {
        app->setSound(!app->soundOn);
        app->profile.saveSound(app->soundOn);
    } else if (app->mouseIn(kMenuItemX, kMenuStartOverY, kMenuItemWidth, kMenuItemHeight)) {
        game.wipeAndRestart();
        return true;
    } else if (app->mouseIn(kMenuItemX, kMenuQuitY, kMenuItemWidth, kMenuItemHeight)) {
        game.running = false;
    }
    return false;
}
