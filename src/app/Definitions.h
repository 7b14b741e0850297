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

// Ceilings on the counts the string table gives: far beyond what a menu can show or a player can
// buy, they keep a mistyped or hostile count from allocating gigabytes or reading keys for ever.
constexpr int kMaxUpgrades = 32;
constexpr int kMaxUpgradeLevels = 100;

// Builds tower type index (0..2) from the keys Tower<index+1>.*; the sprite is left for the
// resource catalogue to load.
TowerDef readTowerDef(StringTable& strings, int index);
InvaderDef readInvaderDef(StringTable& strings);
