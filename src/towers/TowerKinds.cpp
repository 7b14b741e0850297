#include "towers/TowerKinds.h"

#include "towers/LaserTurret.h"
#include "towers/MissileTurret.h"
#include "towers/TeslaCoil.h"
#include "towers/UpgradeRow.h"
#include "projectiles/MissileProjectile.h"

#include <iterator>

namespace {

template <class Tower> Building* make() {
    return new Tower();
}

constexpr NumberUnit kSeconds = NumberUnit::kSeconds;
constexpr NumberUnit kPixels = NumberUnit::kPixels;
constexpr NumberUnit kCount = NumberUnit::kCount;

// Every level of a step reads the one key its row names, so the data sets one step and the
// player buys it as often as the upgrade has levels. The blast's step has always been on its
// second level's key.
constexpr UpgradeRow kLaserUpgrades[] = {
    addsStep("Rapid Fire", "Tower1.Upgrade1.Level1.FreqMod",
             towerNumber<&LaserTurret::firePeriod>(kSeconds), "Bolt every"),
    fitsPart("Missile Pod", towerPart<&LaserTurret::podFitted>(), "Missiles", "none", "one every ",
             towerNumber<&LaserTurret::missilePeriod>(kSeconds)),
};

constexpr UpgradeRow kMissileUpgrades[] = {
    addsStep("Fast Reload", "Tower2.Upgrade1.Level1.FreqMod",
             towerNumber<&MissileTurret::firePeriod>(kSeconds), "Launch every"),
    addsStep("Big Blast", "Tower2.Upgrade2.Level2.SplashMod",
             towerNumber<&MissileTurret::splashRadius>(kPixels), "Blast radius", kWidestBlast),
    fitsPart("Twin Missiles", towerPart<&MissileTurret::twinFitted>(), "Missiles per launch", "1",
             "2"),
};

constexpr UpgradeRow kTeslaUpgrades[] = {
    addsStep("Overcharge", "Tower3.Upgrade1.Level1.DamageMod",
             towerNumber<&TeslaCoil::damage>(kCount), "Strike damage"),
    addsStep("Chain Lightning", "Tower3.Upgrade2.Level1.ChainMod",
             towerNumber<&TeslaCoil::chainCount>(kCount), "Leaps on to"),
};

template <std::size_t n> constexpr int count(const UpgradeRow (&)[n]) {
    return static_cast<int>(n);
}

constexpr TowerKind kKinds[] = {
    {kLaserTurret, "laser", &make<LaserTurret>, kLaserUpgrades, count(kLaserUpgrades)},
    {kMissileTurret, "missile", &make<MissileTurret>, kMissileUpgrades, count(kMissileUpgrades)},
    {kTeslaCoil, "tesla", &make<TeslaCoil>, kTeslaUpgrades, count(kTeslaUpgrades)},
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

const UpgradeRow* upgradeRow(int type, int k) {
    const TowerKind* kind = towerKind(type);
    return kind && k >= 0 && k < kind->upgradeCount ? &kind->upgrades[k] : nullptr;
}
