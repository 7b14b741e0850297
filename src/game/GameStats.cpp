#include "game/GameStats.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "game/Game.h"
#include "game/Spawn.h"
#include "invaders/Invader.h"

#include <algorithm>
#include <cmath>

void GameStats::creditHit(int type, const Invader& invader, int healthBefore) {
    if (type < 0 || type >= kTowerTypeCount || healthBefore <= 0)
        return;
    // Only the health that was there counts: overkill does no damage.
    damageByKind[type] += healthBefore - std::max(invader.health, 0);
    if (invader.health <= 0) {
        ++killsByKind[type];
        if (invader.kind >= 0 && invader.kind < kInvaderKindCount)
            ++killsOf[type][invader.kind];
        ++invadersDestroyed;
    }
}

int GameStats::mostEffectiveKind() const {
    int best = -1;
    for (int type = 0; type < kTowerTypeCount; ++type) {
        if (damageByKind[type] <= 0 && killsByKind[type] <= 0)
            continue;
        if (best < 0 || damageByKind[type] > damageByKind[best] ||
            (damageByKind[type] == damageByKind[best] && killsByKind[type] > killsByKind[best]))
            best = type;
    }
    return best;
}

int strikeInvader(int type, Invader* invader, int amount) {
    GameApp* app = GameApp::instance();
    const int before = invader->health;
    const double share = type >= 0 && type < kTowerTypeCount && invader->kind >= 0 &&
                                 invader->kind < kInvaderKindCount
                             ? app->invaderDefs[invader->kind].hitShare[type]
                             : 1.0;
    int landed = 0;
    if (share == 1.0) {
        landed = invader->takeDamage(amount);
    } else {
        invader->spareDamage += amount * share;
        const double whole = std::floor(invader->spareDamage);
        invader->spareDamage -= whole;
        landed = invader->takeDamage(clampToInt(whole));
        // The shot is spent on a live invader even when its share was less than a point, and
        // the player sees it glance off.
        if (before > 0 && amount > 0) {
            landed = amount;
            if (share < 1.0)
                spawnAnimation(static_cast<int>(invader->centreX()),
                               static_cast<int>(invader->centreY()), app->glanceSheet, 0.0);
        }
    }
    if (Game* game = app->game) {
        game->stats.creditHit(type, *invader, before);
        game->noteStrike(invader);
    }
    return landed;
}
