// One frame step of a play-through: the wave schedule, the sky, every entity, hits of tower
// shots on invaders and clean-up, with the player's keys and clicks in between.

#include "game/Game.h"
#include "game/HudText.h"
#include "game/SaveSlot.h"

#include "app/GameApp.h"
#include "effects/BounceTextEffect.h"
#include "effects/Effect.h"
#include "invaders/Invader.h"
#include "invaders/InvaderProjectile.h"
#include "invaders/MasterOrbWave.h"
#include "invaders/SquibbleWave.h"
#include "invaders/Wave.h"
#include "projectiles/Projectile.h"
#include "towers/Building.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Deletes and drops every element the predicate marks, keeping the order of the rest, without
// allocating: this runs every frame.
template <typename T, typename Spent> void deleteSpent(std::vector<T*>& list, Spent spent) {
    // Most frames nothing is spent: the list is only read until the first that is.
    std::size_t kept = 0;
    while (kept < list.size() && !spent(list[kept]))
        ++kept;
    if (kept == list.size())
        return;
    delete list[kept];
    for (std::size_t i = kept + 1; i < list.size(); ++i) {
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
    if (hud.handleMouse())
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
    if (!app->resultOnly)
        updateClouds(dt);
    if (!gameOver)
        for (std::size_t i = 0; i < buildings.size(); ++i)
            buildings[i]->tick(dt);
    for (std::size_t i = 0; i < projectiles.size(); ++i)
        projectiles[i]->update(dt);
    if (!enemyShots.empty()) {
        towersReachTop = highestTowerReach();
        for (std::size_t i = 0; i < enemyShots.size(); ++i)
            enemyShots[i]->update(dt);
        towersReachTop = -std::numeric_limits<double>::infinity();
    }
    for (std::size_t i = 0; i < effects.size(); ++i)
        effects[i]->update(dt);
    if (wave) {
        hitTestProjectiles();
        wave->update(dt);
        // Missiles whose target died in the wave's update pick a new one at once.
        for (std::size_t i = 0; i < projectiles.size(); ++i)
            if (projectiles[i]->settles)
                projectiles[i]->settle();
    }
    removeSpent();
    if (!app->resultOnly) {
        alerts.update(*this, dt);
        kindNotices.update(dt);
        notices.update(dt);
    }
    if (!gameOver)
        stats.timePlayed += dt;
}

// The towers stand still while the shots move, so one look at them serves every shot of the
// step. Beyond a million pixels the pixel of margin the shots allow could drown in rounding:
// no bound then, and every shot compares every tower.
double Game::highestTowerReach() const {
    constexpr double kTame = 1e6;
    const int baseline = GameApp::instance()->towerBaseline;
    double top = std::numeric_limits<double>::infinity();
    for (const Building* b : buildings) {
        const double radius = std::fabs(b->hitRadius());
        const double reach = b->centreYOn(baseline) - radius;
        if (!(radius < kTame) || !(std::fabs(reach) < kTame))
            return -std::numeric_limits<double>::infinity();
        top = std::min(top, reach);
    }
    return top;
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
    kindNotices.meet(*wave);
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
// kept in order of x, where a shot finds the few invaders that can reach it. A hit changes the
// invaders it strikes (health, the hit animation and with it the frame and the centre; a blast
// strikes every invader it reaches), and only through strikeInvader: those are listed again
// before the shot looks further along the list, which then sees exactly what it would have seen
// comparing every pair.
void Game::hitTestProjectiles() {
    bool listed = false;
    for (std::size_t i = 0; i < projectiles.size(); ++i) {
        Projectile* p = projectiles[i];
        std::size_t from = 0;
        while (p->alive) {
            if (!listed) {
                findHitTargets();
                listed = true;
            }
            const std::size_t j = hitTargets.firstHit(p->x, p->y, from);
            if (j == HitTargets::kNone || j >= wave->invaders.size())
                break;
            struck.clear();
            loggingStrikes = true;
            p->hit(wave->invaders[j]);
            loggingStrikes = false;
            refreshStruck();
            from = j + 1;
        }
    }
}

namespace {

bool hitCircle(const Invader* v, double& centreX, double& centreY, double& radius) {
    if (v->health <= 0)
        return false;
    v->centre(centreX, centreY);
    radius = v->hitRadius;
    return true;
}

} // namespace

// From one frame to the next the invaders keep their order of x all but everywhere, so the last
// list's order is where the new one starts from.
void Game::findHitTargets() {
    const std::vector<Invader*>& invaders = wave->invaders;
    hitTargets.renew(invaders.size(),
                     [&invaders](std::size_t j, double& centreX, double& centreY, double& radius) {
                         return hitCircle(invaders[j], centreX, centreY, radius);
                     });
}

void Game::refreshStruck() {
    const std::vector<Invader*>& invaders = wave->invaders;
    for (const Invader* v : struck) {
        const auto at = std::find(invaders.begin(), invaders.end(), v);
        if (at == invaders.end())
            continue;
        hitTargets.refresh(static_cast<std::size_t>(at - invaders.begin()),
                           [v](double& centreX, double& centreY, double& radius) {
                               return hitCircle(v, centreX, centreY, radius);
                           });
    }
}

void Game::removeSpent() {
    deleteSpent(projectiles, [](Projectile* p) { return !p->alive; });
    deleteSpent(enemyShots, [](InvaderProjectile* s) { return !s->alive; });
    deleteSpent(effects, [](Effect* e) { return e->finished(); });
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
