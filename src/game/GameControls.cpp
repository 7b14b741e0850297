// What the player's keys and clicks do to the game: the keyboard handler that reads the table of
// controls, and the operations it and the HUD call: placing and selecting towers, the tower
// menu's entries, fast-forward, calling the next wave early, pausing, the menu and the help card.

#include "game/Game.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "app/Sound.h"
#include "effects/TextEffect.h"
#include "game/Controls.h"
#include "gfx/SpriteAnim.h"
#include "gfx/SpriteSheet.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <cstdio>
#include <optional>

namespace {

// Where "+N" for an early call rises: over the ground above the money (the HUD is drawn over
// the effects).
constexpr int kBonusTextX = 14;
constexpr int kBonusTextY = 204;

} // namespace

// One key a frame. Any key closes the help card, and does nothing else; a control that waits for
// the running field is ignored while it stands still and after the base is lost.
void Game::handleKeyboard() {
    if (!app->keyboard->keypressed())
        return;
    const int key = app->keyboard->readkey();
    // Leaving the window stops the field as P does, but never starts it again: coming back,
    // the player finds the game where it was left and resumes it.
    if (key == kFocusLostKey) {
        paused = true;
        return;
    }
    // Full screen and back works anywhere, the help card's too.
    if (key == kAltEnterKey) {
        toggleFullScreen();
        return;
    }
    const int scanCode = key >> 8;
    if (helpShown) {
        closeHelp();
        return;
    }
    int which = 0;
    const Control* control = controlForKey(scanCode, which);
    if (!control || !control->act)
        return;
    if (!control->whileStopped && (fieldStopped() || gameOver))
        return;
    control->act(*this, which);
}

void Game::toggleFullScreen() {
    app->chooseFullScreen(!app->fullScreen);
}

void Game::togglePause() {
    paused = !paused;
    playSample(paused ? app->sampleBip : app->sampleBip2);
}

void Game::toggleGameMenu() {
    settingsShown = false;
    if (uiMode == kUiGameMenu) {
        uiMode = kUiIdle;
        playSample(app->sampleBip2);
    } else {
        uiMode = kUiGameMenu;
        playSample(app->sampleBip);
    }
}

void Game::showHelp() {
    helpShown = true;
    playSample(app->sampleBip);
}

void Game::closeHelp() {
    helpShown = false;
    playSample(app->sampleBip2);
}

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

void Game::useSelectedTowerEntry(int entry) {
    if (uiMode == kUiTowerMenu && selected && !selected->removed)
        useTowerEntry(entry);
}

bool Game::selectTowerUnderMouse() {
    if (uiMode != kUiIdle && uiMode != kUiTowerMenu)
        return false;
    Building* b = towerUnderMouse();
    if (!b)
        return false;
    uiMode = kUiTowerMenu;
    selected = b;
    playSample(app->sampleBip);
    return true;
}

void Game::closeTowerMenu() {
    selected = nullptr;
    uiMode = kUiIdle;
    playSample(app->sampleBip2);
}

Building* Game::towerUnderMouse() const {
    for (Building* b : buildings) {
        int width = app->towerDefs[b->type].width;
        int height = b->anim ? b->anim->frameHeight() : 0;
        int left = static_cast<int>(b->centreX() - width / 2);
        if (app->mouseIn(left, app->towerBaseline - height, width, height))
            return b;
    }
    return nullptr;
}

void Game::handlePlacing(bool placeClick, bool cancelClick) {
    const TowerDef& def = app->towerDefs[placingType];
    if (app->mouseX != ghostWaitsAtX)
        ghostWaitsAtX = kNoPlacementYet;
    if (cancelClick || money < def.value) {
        playSample(app->sampleBip2);
        uiMode = kUiIdle;
        return;
    }
    if (!placeClick || !canPlace())
        return;
    Building* tower = createTower(placingType);
    if (!tower)
        return;
    tower->placeAt(app->mouseX - restFrameWidth(def.sprite) / 2);
    buildings.push_back(tower);
    ++stats.towersBuilt;
    ghostWaitsAtX = app->mouseX;
    playSample(app->samplePlace);
    addMoney(-static_cast<long long>(def.value));
    if (money < def.value)
        uiMode = kUiIdle;
}

bool Game::useTowerEntry(int i) {
    if (i == kDemolishEntry) {
        selected->sell();
        selected = nullptr;
        uiMode = kUiIdle;
        return true;
    }
    if (i == kRepairEntry) {
        selected->repair();
        return true;
    }
    const std::optional<int> price = selected->nextLevelPrice(i - kFirstUpgradeEntry);
    if (price && money >= *price) {
        addMoney(-static_cast<long long>(*price));
        selected->upgrade(i - kFirstUpgradeEntry);
        playSample(app->sampleUpgrade);
    }
    return false;
}

bool Game::canPlace() const {
    const int width = app->towerDefs[placingType].width;
    const int left = app->mouseX - width / 2;
    const int right = left + width;
    for (const Building* b : buildings) {
        const TowerDef& def = app->towerDefs[b->type];
        const int bl = b->x + (restFrameWidth(def.sprite) - def.width) / 2;
        const int br = bl + def.width;
        // Touching edges count as overlap.
        if ((left >= bl && left <= br) || (right >= bl && right <= br) || (left < bl && right > br))
            return false;
    }
    return true;
}
