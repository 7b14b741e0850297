#pragma once

#include "app/Definitions.h"

#include <string>

class Building;
struct UpgradeRow;

// The tower types by index: the order of the build buttons and of the Tower<index + 1>.* keys.
enum TowerType : int { kLaserTurret = 0, kMissileTurret = 1, kTeslaCoil = 2 };

// One row per tower type: everything that knows the types by index reads it, so a new tower is
// one row here plus its class (and its keys in strings.txt). Its upgrades are rows of their own,
// in the order of the Tower<n>.Upgrade<m> keys: a new upgrade is a row there plus its keys.
struct TowerKind {
    int type;
    const char* name; // as strategy files name it
    Building* (*create)();
    const UpgradeRow* upgrades;
    int upgradeCount;
};

// The row of a type; null for any other index.
const TowerKind* towerKind(int type);
// The type a strategy file names ("laser", "missile", "tesla"), or -1.
int towerTypeNamed(const std::string& name);
// The names of every type in order, joined by ", " with " or " before the last.
std::string towerTypeNames();

// Creates the tower class for a type index; null for any other index.
Building* createTower(int type);
// Upgrade k + 1 of a type; null when the type has no such upgrade.
const UpgradeRow* upgradeRow(int type, int k);
