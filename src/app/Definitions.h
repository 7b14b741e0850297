#pragma once

#include <string>
#include <vector>

class SpriteSheet;
class StringTable;

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

// The only invader type (Invader1.*).
struct InvaderDef {
    int health = 0;
    double healthIncrease = 0.0;
    int value = 0;     // bounty
    double size = 0.0; // hit radius
    SpriteSheet* sprite = nullptr;
};

// Menu entries every tower has before its upgrades.
constexpr int kDemolishEntry = 0;
constexpr int kRepairEntry = 1;
constexpr int kFirstUpgradeEntry = 2;
constexpr int kTowerTypeCount = 3;

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

// Builds tower type index (0..2) from the keys Tower<index+1>.*; the sprite is left for the
// resource catalogue to load.
TowerDef readTowerDef(StringTable& strings, int index);
InvaderDef readInvaderDef(StringTable& strings);
