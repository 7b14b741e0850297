#pragma once

#include <string>
#include <vector>

struct SAMPLE;
class SpriteSheet;
class StringTable;

constexpr int kTowerTypeCount = 3;

// One purchasable level of a tower menu entry.
struct UpgradeLevel {
    int icon = 0;  // column of data/upgrade_icons.mz
    int value = 0; // price of this level
};

// One entry of a tower's menu: "Demolish", "Repair", then the tower's upgrades.
struct UpgradeDef {
    std::string name;
    std::string description;
    int levelCount = 0;
    std::vector<UpgradeLevel> levels; // levelCount entries (none when levelCount <= 0)
};

// A tower type as the string table describes it (Tower1.*, Tower2.*, Tower3.*).
struct TowerDef {
    std::string name;
    std::string description;
    int value = 0; // price
    int width = 0; // ground the tower occupies, in pixels
    bool available = false;
    SpriteSheet* sprite = nullptr;
    int health = 0; // full health
    double radius = 0.0;
    int entryCount = 2;              // upgrades + the two fixed entries
    std::vector<UpgradeDef> entries; // entryCount entries
};

// An invader kind as the string table describes it, under the kind's prefix (Invader1.* for the
// squibble; src/invaders/InvaderKinds.cpp names the others).
struct InvaderDef {
    int health = 0;
    double healthIncrease = 0.0;
    int value = 0;     // bounty
    double size = 0.0; // hit radius
    SpriteSheet* sprite = nullptr;
    int landingCost = 1; // base health a landing takes
    std::string name;    // as the HUD names the kind
    std::string hint;    // one line on how to beat it
    // Its place in the formation: from firstWave on (0: never), share of the places in that
    // wave, growing by shareGrowth a wave up to shareMax; each held to [0, 1].
    int firstWave = 0;
    double share = 0.0;
    double shareGrowth = 0.0;
    double shareMax = 0.0;
    SAMPLE* hitSound = nullptr;   // none: hits are silent
    SAMPLE* deathSound = nullptr; // none: the squibble's pop
    // The share of each tower kind's hits the kind takes (<prefix>.FromTower<n>): 1 the whole
    // hit, less where the tower is a poor answer to it, more where it is the answer.
    double hitShare[kTowerTypeCount] = {1.0, 1.0, 1.0};
};

// Menu entries every tower has before its upgrades.
constexpr int kDemolishEntry = 0;
constexpr int kRepairEntry = 1;
constexpr int kFirstUpgradeEntry = 2;
// The squibble and the kinds that join it (src/invaders/InvaderKinds.h).
constexpr int kInvaderKindCount = 5;

// Caps on the counts a tower's keys may ask for. A tower menu is one row of 19-pixel buttons
// laid right to left across the 320-pixel screen, so even with the buttons overlapping by half
// no more than 32 entries (30 upgrades after "Demolish" and "Repair") could ever be seen or
// clicked. Every level is one purchase with two keys of its own; a hundred is far past any
// sensible tower. Together they keep a typo from overflowing the entry count or from reading
// and storing millions of keys at start-up.
constexpr int kMaxUpgrades = 30;
constexpr int kMaxUpgradeLevels = 100;
// An icon is a column of data/upgrade_icons.mz, drawn from its column times the icon width. A
// number beyond this lies far past any image either way (nothing is drawn), and the product
// stays within int.
constexpr int kMaxIconColumn = 1 << 16;

// A landing that takes more than any base could hold is as final as one that takes it all; a
// first wave past this is one no game reaches. Both keep the numbers worked out from them small.
constexpr double kMaxLandingCost = 1.0e6;
constexpr double kMaxWaveNumber = 1.0e9;
// A kind's share of a tower kind's hits: a twentieth at the least, ten times at the most.
constexpr double kLeastHitShare = 0.05;
constexpr double kMostHitShare = 10.0;

// Builds tower type index (0..2) from the keys Tower<index+1>.*; the sprite is left for the
// resource catalogue to load.
TowerDef readTowerDef(StringTable& strings, int index);
// Every number of an invader kind's keys under prefix (e.g. "Invader2"), its share of the
// formations only for a kind that takes places in them; the sprite and the sounds are left for
// the resource catalogue to load.
InvaderDef readInvaderDef(StringTable& strings, const std::string& prefix, bool placed = false);
