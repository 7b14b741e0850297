#include "game/GameStats.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "invaders/Invader.h"

#include <algorithm>

void GameStats::creditHit(int type, const Invader& invader, int healthBefore) {
    if (type < 0 || type >= kTowerTypeCount || healthBefore <= 0)
        return;
    // Only the health that was there counts: overkill does no damage.
    damageByKind[type] += healthBefore - std::max(invader.health, 0);
    if (invader.health <= 0) {
        ++killsByKind[type];
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
    const int before = invader->health;
    const int landed = invader->takeDamage(amount);
    if (Game* game = GameApp::instance()->game)
        game->stats.creditHit(type, *invader, before);
    return landed;
}
