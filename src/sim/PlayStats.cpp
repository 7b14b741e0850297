#include "sim/PlayStats.h"

#include "app/Definitions.h"
#include "game/Game.h"
#include "invaders/Invader.h"
#include "invaders/InvaderKinds.h"
#include "invaders/SquibbleWave.h"
#include "invaders/Wave.h"

#include <algorithm>

PlayStats::PlayStats() : killsByKind(kInvaderKindCount, 0), landingsByKind(kInvaderKindCount, 0) {}

bool PlayStats::waveUnderway(const Game& game) const {
    return game.wave || game.waveTimer < 0.0;
}

void PlayStats::countInvaders(const Game& game) {
    const Wave* wave = game.wave;
    if (!wave) {
        watchedWave = 0;
        alive.clear();
        return;
    }
    if (wave->serial != watchedWave || alive.size() > wave->invaders.size()) {
        watchedWave = wave->serial;
        watchedReturns = wave->returns;
        alive.assign(wave->invaders.size(), 0);
        for (std::size_t i = 0; i < alive.size(); ++i)
            alive[i] = wave->invaders[i]->health > 0;
        return;
    }
    // Invaders born in the wave (a splitter's halves) join the end of its list, alive: one struck
    // down in the frame it joined the list in still counts.
    alive.resize(wave->invaders.size(), 1);
    int seenReturning = 0;
    for (std::size_t i = 0; i < alive.size(); ++i) {
        const Invader* v = wave->invaders[i];
        const bool now = v->health > 0;
        seenReturning += !alive[i] && now;
        if (alive[i] && !now) {
            // An invader lands as soon as it moves past the line, and shots and strikes only
            // meet it above, so one that died at or below the line landed.
            if (v->y >= kSquibbleLandingY)
                countLanding(v->kind);
            else
                countKill(v->kind);
        }
        alive[i] = now;
    }
    // The boss's ring brings back its dead in the air: a return not seen as one came back from a
    // death within the frame, which the list never showed.
    for (int unseen = wave->returns - watchedReturns - seenReturning; unseen > 0; --unseen)
        countKill(kSquibbleKind);
    watchedReturns = wave->returns;
}

void PlayStats::countKill(int kind) {
    ++kills;
    ++killsByKind[kindRow(kind)];
}

void PlayStats::countLanding(int kind) {
    ++landings;
    ++landingsByKind[kindRow(kind)];
}

std::size_t PlayStats::kindRow(int kind) const {
    return static_cast<std::size_t>(kind) < killsByKind.size() ? static_cast<std::size_t>(kind) : 0;
}

bool PlayStats::observe(const Game& game, double time, const SoldCheck& wasSold) {
    // The frame that defeats a wave deletes it before anything else moves, so the deaths
    // counted so far belong to the wave that just ended.
    const bool waveEnded = previousWaveNumber >= 0 && game.waveNumber > previousWaveNumber;
    if (waveEnded) {
        last = current(game, time);
        last.wave = previousWaveNumber;
        totalKills += kills;
        totalLandings += landings;
        totalTowersLost += towersLost;
        kills = landings = towersLost = 0;
        warned = false;
        spentBefore = game.stats.moneySpent;
    }
    previousWaveNumber = game.waveNumber;
    warned = warned || game.alerts.danger;
    countInvaders(game);

    // Most frames no tower came or went, and the list is the same list.
    if (towers.size() == game.buildings.size() &&
        std::equal(towers.begin(), towers.end(), game.buildings.begin()))
        return waveEnded;
    for (const Building* tower : towers)
        if (std::find(game.buildings.begin(), game.buildings.end(), tower) ==
                game.buildings.end() &&
            !wasSold(tower))
            ++towersLost;
    towers.assign(game.buildings.begin(), game.buildings.end());
    return waveEnded;
}

WaveReport PlayStats::current(const Game& game, double time) const {
    WaveReport r;
    r.wave = game.waveNumber;
    r.time = time;
    r.money = game.money;
    r.health = game.health;
    r.kills = kills;
    r.landings = landings;
    r.towersStanding = static_cast<int>(game.buildings.size());
    r.towersLost = towersLost;
    r.warned = warned;
    r.spent = game.stats.moneySpent - spentBefore;
    return r;
}
