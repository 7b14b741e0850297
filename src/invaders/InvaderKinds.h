#pragma once

#include "app/Definitions.h"

#include <string>
#include <vector>

class Invader;

// The invader kinds by index: the order of the kinds table, of GameApp::invaderDefs and of the
// simulator's count of kills by kind.
enum InvaderKindId : int {
    kSquibbleKind = 0,
    kPlatedKind = 1,
    kDiverKind = 2,
    kSplitterKind = 3,
    kMiteKind = 4, // the splitter's halves: never placed in a formation
};

// One row per invader kind: everything that knows the kinds by index reads it, so a new kind is
// one row here plus its class, its keys in strings.txt (under the prefix) and its art.
struct InvaderKind {
    int id;
    const char* name;   // as the simulator names it
    const char* prefix; // of its keys: Health, Value, Sprite, FirstWave, Share, ...
    bool placed;        // takes places in the formations by its share (the squibble the rest)
    Invader* (*create)();
};

// The row of a kind; null for any other index.
const InvaderKind* invaderKind(int kind);
// Creates the class of a kind, for the game's current wave; null for any other index.
Invader* createInvader(int kind);

// The share of a formation's places that the kind takes in wave W, in [0, 1].
double formationShare(const InvaderDef& def, int waveNumber);
// How many of a formation of count places each kind takes in wave W (the squibble the rest).
// Drawing nothing, so the HUD can tell what the next wave brings.
std::vector<int> formationCounts(int count, int waveNumber);
// The kind of every place of a formation of count places in wave W: the places of each kind
// other than the squibble drawn from the game's random numbers, so a seed gives the same wave.
// Without a kind other than the squibble in it, no number is drawn.
std::vector<int> drawFormation(int count, int waveNumber);
