#pragma once

#include "app/Definitions.h"

class Invader;

// What one game did, for the story its game-over screen and the simulator's report tell. Counted
// by the game as things happen; it changes nothing in play and is no part of a replay's digest.
struct GameStats {
    // Seconds the field ran (paused, menu and help card not counted; 2x counts double).
    double timePlayed = 0.0;
    int invadersDestroyed = 0;
    // Every dollar that came in (bounties, bonuses, sales) and went out (towers, upgrades,
    // repairs): the starting money plus earned less spent is the money in hand.
    long long moneyEarned = 0;
    long long moneySpent = 0;
    int towersBuilt = 0;
    // Destroyed by the invaders; a tower sold is not lost.
    int towersLost = 0;
    long long damageByKind[kTowerTypeCount] = {};
    int killsByKind[kTowerTypeCount] = {};
    // Kills by tower kind and invader kind (the rows of src/invaders/InvaderKinds.h): whether
    // each kind falls to the tower meant to answer it.
    int killsOf[kTowerTypeCount][kInvaderKindCount] = {};

    // Takes what a tower of kind type did to an invader, given the invader's health before the
    // blow: the damage that landed and, when it brought it down, the kill.
    void creditHit(int type, const Invader& invader, int healthBefore);
    // The kind that dealt the most damage (ties go to the most kills, then the first kind), or
    // -1 when no tower has hurt anything yet.
    int mostEffectiveKind() const;
};

// A tower of kind type strikes invader for amount: the invader takes it and the current game's
// statistics are credited with what it did. Returns what Invader::takeDamage returns.
int strikeInvader(int type, Invader* invader, int amount);
