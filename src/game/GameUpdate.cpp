// One frame step of a play-through: the wave schedule, the sky, every entity, hits of tower
// shots on invaders, clean-up, and the player's keyboard and mouse.

#include "game/Game.h"
#include "game/HudText.h"
#include "game/SaveSlot.h"

#include "app/GameApp.h"
#include "app/Sound.h"
#include "effects/BounceTextEffect.h"
#include "effects/Effect.h"
#include "gfx/SpriteAnim.h"
#include "gfx/SpriteSheet.h"
#include "invaders/Invader.h"
#include "invaders/InvaderProjectile.h"
#include "invaders/MasterOrbWave.h"
#include "invaders/SquibbleWave.h"
#include "invaders/Wave.h"
#include "projectiles/Projectile.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <allegro.h>

#include <cstdio>
#include <optional>

namespace {

// Deletes and drops every element the predicate marks, keeping the order of the rest, without
// allocating: this runs every frame.
template <typename T, typename Spent> void deleteSpent(std::vector<T*>& list, Spent spent) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (spent(list[i]))
            delete list[i];
        else
            list[kept++] = list[i];
    }
    list.resize(kept);
}

} // namespace

void Game::update(double dt) {
    updateFrame(dt);
    tellFieldStill();
}

void Game::updateFrame(double dt) {
    if (!fieldStopped()) {
        for (int i = 0; i < speed; ++i) {
            // Each further step stands for a frame that 1x would have shown: the tower lost and
            // the shake's roll of that frame happen between the steps, so fast-forward is 1x
            // with fewer pictures, down to the random numbers. A lost base ends the frame, as
            // the loss is noticed after the step it happens in.
            if (i > 0) {
                if (health < 1)
                    break;
                removeDestroyedTowers();
                app->passUnseenFrame(dt);
            }
            updateField(dt);
        }
    }
    handleKeyboard();
    if (helpShown) {
        if (leftClick() || rightClick()) {
            helpShown = false;
            playSample(app->sampleBip2);
        }
    } else if (!gameOver && !paused) {
        handleMouse();
    }
    if (handleGameMenu())
        return;
    if (health < 1 && !gameOver) {
        health = 0;
        gameOver = true;
        uiMode = kUiIdle;
        if (firstWave == 1)
            app->profile.recordWavesDefeated(waveNumber - 1);
    }
    removeDestroyedTowers();
    if (saveSlot)
        saveSlot->follow(*this);
}

void Game::updateField(double dt) {
    if (!gameOver)
        updateWaveSchedule(dt);
    updateClouds(dt);
    if (!gameOver)
        for (std::size_t i = 0; i < buildings.size(); ++i)
            buildings[i]->tick(dt);
    for (std::size_t i = 0; i < projectiles.size(); ++i)
        projectiles[i]->update(dt);
    for (std::size_t i = 0; i < enemyShots.size(); ++i)
        enemyShots[i]->update(dt);
    for (std::size_t i = 0; i < effects.size(); ++i)
        effects[i]->update(dt);
    if (wave) {
        hitTestProjectiles();
        wave->update(dt);
        // Missiles whose target died in the wave's update pick a new one at once.
        for (std::size_t i = 0; i < projectiles.size(); ++i)
            projectiles[i]->update(0.0);
    }
    removeSpent();
    alerts.update(*this, dt);
    notices.update(dt);
    if (!gameOver)
        stats.timePlayed += dt;
}

void Game::updateWaveSchedule(double dt) {
    if (waveTimer >= 0.0 && waveTimer <= dt)
        startWave();
    else
        waveTimer -= dt;

    if (wave && wave->isDefeated()) {
        waveTimer = app->strings.getReal("TimeBetweenWaves");
        delete wave;
        wave = nullptr;
        ++waveNumber;
    }
}

void Game::startWave() {
    char text[32];
    if (!isBossWave(waveNumber)) {
        wave = new SquibbleWave(2 * waveNumber + 14);
        std::snprintf(text, sizeof text, "Wave %d", waveNumber);
    } else {
        wave = new MasterOrbWave();
        std::snprintf(text, sizeof text, "Boss Wave");
    }
    addEffect(new BounceTextEffect(160, 80, app->fontMain, text));
    waveTimer = -1.0;
}

void Game::updateClouds(double dt) {
    for (Cloud& cloud : clouds) {
        cloud.x -= dt * cloud.speed;
        BITMAP* image = app->cloudImages[cloud.image];
        if (cloud.x < -(image ? image->w : 0))
            cloud.x = 320;
    }
}

// Every live tower shot against the live invaders, in list order: a shot meets the invaders in
// the order of the wave's list and hits the first one it touches. Working out an invader's
// centre takes a look at its animation, so the centres are worked out once for all the shots and
// kept in order of x, where a shot finds the few invaders that can reach it. A hit changes
// invaders (health, the hit animation and with it the frame and the centre, and every invader a
// blast reaches), so after a hit they are worked out again before the shot looks further along
// the list, which then sees exactly what it would have seen comparing every pair.
void Game::hitTestProjectiles() {
    bool stale = true;
    for (std::size_t i = 0; i < projectiles.size(); ++i) {
        Projectile* p = projectiles[i];
        std::size_t from = 0;
        while (p->alive) {
            if (stale) {
                findHitTargets();
                stale = false;
            }
            const std::size_t j = hitTargets.firstHit(p->x, p->y, from);
            if (j == HitTargets::kNone || j >= wave->invaders.size())
                break;
            p->hit(wave->invaders[j]);
            stale = true;
            from = j + 1;
        }
    }
}

// From one frame to the next, and from one hit to the next, the invaders keep their order of x
// all but everywhere, so the last list's order is where the new one starts from.
void Game::findHitTargets() {
    const std::vector<Invader*>& invaders = wave->invaders;
    hitTargets.renew(invaders.size(),
                     [&invaders](std::size_t j, double& centreX, double& centreY, double& radius) {
                         const Invader* v = invaders[j];
                         if (v->health <= 0)
                             return false;
                         centreX = v->centreX();
                         centreY = v->centreY();
                         radius = v->hitRadius;
                         return true;
                     });
}

void Game::removeSpent() {
    deleteSpent(projectiles, [](Projectile* p) { return !p->alive; });
    deleteSpent(enemyShots, [](InvaderProjectile* s) { return !s->alive; });
    deleteSpent(effects, [](Effect* e) { return e->finished(); });
}

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
    if (key == kAltEnterKey) {
        app->setFullScreen(!app->fullScreen);
        return;
    }
    const int scanCode = key >> 8;
    // Any key closes the help card, and does nothing else.
    if (helpShown) {
        helpShown = false;
        playSample(app->sampleBip2);
        return;
    }
    if (scanCode == kPauseScanCode) {
        paused = !paused;
        playSample(paused ? app->sampleBip : app->sampleBip2);
        return;
    }
    if (scanCode == kEscapeScanCode) {
        if (uiMode == kUiGameMenu) {
            uiMode = kUiIdle;
            playSample(app->sampleBip2);
        } else {
            uiMode = kUiGameMenu;
            playSample(app->sampleBip);
        }
        return;
    }
    if (uiMode == kUiGameMenu)
        return;
    if (scanCode == kHelpScanCode || scanCode == kHelpF1ScanCode) {
        helpShown = true;
        playSample(app->sampleBip);
        return;
    }
    if (!paused && !gameOver)
        handleShortcut(scanCode);
}

bool Game::leftClick() const {
    return (app->previousButtons & 1) && !(app->buttons & 1);
}

bool Game::rightClick() const {
    return (app->previousButtons & 2) && !(app->buttons & 2);
}

bool Game::buttonContainsMouse(int index) const {
    return app->mouseIn(kButtonX - index * app->buttonSpacing, kButtonY, kButtonSize, kButtonSize);
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

void Game::handleMouse() {
    if (leftClick() && handleHudClick())
        return;
    bool justSelected = false;
    if ((uiMode == kUiIdle || uiMode == kUiTowerMenu) && leftClick()) {
        if (Building* b = towerUnderMouse()) {
            uiMode = kUiTowerMenu;
            selected = b;
            playSample(app->sampleBip);
            justSelected = true;
        }
    }

    switch (uiMode) {
    case kUiIdle:
        if (!leftClick())
            break;
        for (int i = 0; i < kTowerTypeCount; ++i)
            if (buttonContainsMouse(i) && startPlacing(i))
                break;
        break;
    case kUiPlacing:
        handlePlacing();
        break;
    case kUiTowerMenu:
        handleTowerMenuClick(justSelected);
        break;
    default:
        break;
    }
}

void Game::handlePlacing() {
    const TowerDef& def = app->towerDefs[placingType];
    if (app->mouseX != ghostWaitsAtX)
        ghostWaitsAtX = kNoPlacementYet;
    if (rightClick() || money < def.value) {
        playSample(app->sampleBip2);
        uiMode = kUiIdle;
        return;
    }
    // Placing answers on the field only: the panel below holds the money, texts and buttons.
    if (!leftClick() || app->mouseY >= kPanelTop || !canPlace())
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

void Game::handleTowerMenuClick(bool justSelected) {
    if (rightClick()) {
        selected = nullptr;
        uiMode = kUiIdle;
        playSample(app->sampleBip2);
        return;
    }
    // A tower destroyed earlier in this frame is gone at its end; nothing more is bought for it.
    if (!leftClick() || !selected || selected->removed)
        return;

    const TowerDef& def = app->towerDefs[selected->type];
    bool onButton = false;
    for (int i = 0; i < def.entryCount; ++i) {
        if (!buttonContainsMouse(i))
            continue;
        onButton = true;
        if (useTowerEntry(i))
            return;
    }
    if (!onButton && !justSelected) {
        selected = nullptr;
        uiMode = kUiIdle;
        playSample(app->sampleBip2);
    }
}

bool Game::useTowerEntry(int i) {
    if (i == kDemolishEntry) {
        selected->sell();
        selected = nullptr;
        uiMode = kUiIdle;
        return true;
    }
    if (i == kRepairEntry) {
        if (selected->repairCost() <= money)
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

bool Game::handleGameMenu() {
    if (uiMode != kUiGameMenu || !leftClick())
        return false;
    if (app->mouseIn(kMenuItemX, kMenuSoundY, kMenuItemWidth, kMenuItemHeight)) {
        app->setSound(!app->soundOn);
        app->profile.saveSound(app->soundOn);
    } else if (app->mouseIn(kMenuItemX, kMenuStartOverY, kMenuItemWidth, kMenuItemHeight)) {
        wipeAndRestart();
        return true;
    } else if (app->mouseIn(kMenuItemX, kMenuQuitY, kMenuItemWidth, kMenuItemHeight)) {
        running = false;
    }
    return false;
}

void Game::removeDestroyedTowers() {
    deleteSpent(buildings, [this](Building* b) {
        if (!b->removed)
            return false;
        if (b == selected) {
            selected = nullptr;
            // Only the tower menu belongs to the tower; an open in-game menu stays open.
            if (uiMode == kUiTowerMenu)
                uiMode = kUiIdle;
        }
        return true;
    });
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
