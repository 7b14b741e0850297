#include "towers/TowerKinds.h"

#include "towers/LaserTurret.h"
#include "towers/MissileTurret.h"
#include "towers/TeslaCoil.h"

#include <iterator>

namespace {

template <class Tower> Building* make() {
    return new Tower();
}

constexpr TowerKind kKinds[] = {
    {kLaserTurret, "laser", &make<LaserTurret>},
    {kMissileTurret, "missile", &make<MissileTurret>},
    {kTeslaCoil, "tesla", &make<TeslaCoil>},
};

constexpr bool rowsInTypeOrder() {
    for (int i = 0; i < static_cast<int>(std::size(kKinds)); ++i)
        if (kKinds[i].type != i)
            return false;
    return true;
}
static_assert(std::size(kKinds) == kTowerTypeCount, "one row per tower type");
static_assert(rowsInTypeOrder(), "row i describes type i");

} // namespace

const TowerKind* towerKind(int type) {
    return type >= 0 && type < kTowerTypeCount ? &kKinds[type] : nullptr;
}

int towerTypeNamed(const std::string& name) {
    for (const TowerKind& kind : kKinds)
        if (name == kind.name)
            return kind.type;
    return -1;
}

std::string towerTypeNames() {
    std::string names;
    for (int i = 0; i < kTowerTypeCount; ++i) {
        if (i > 0)
            names += i + 1 == kTowerTypeCount ? " or " : ", ";
        names += kKinds[i].name;
    }
    return names;
}

Building* createTower(int type) {
    const TowerKind* kind = towerKind(type);
    return kind ? kind->create() : nullptr;
}
