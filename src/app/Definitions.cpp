#include "app/Definitions.h"

#include "app/StringTable.h"

#include <algorithm>

TowerDef readTowerDef(StringTable& strings, int index) {
    const int n = index + 1;
    TowerDef def;
    def.name = strings.get(StringTable::key("Tower%d.Name", n));
    def.description = strings.get(StringTable::key("Tower%d.Description", n));
    def.value = strings.getInt(StringTable::key("Tower%d.Value", n));
    def.health = strings.getInt(StringTable::key("Tower%d.Health", n));
    def.radius = strings.getReal(StringTable::key("Tower%d.Radius", n));
    def.width = strings.getInt(StringTable::key("Tower%d.Width", n));
    def.available = strings.getInt(StringTable::key("Tower%d.Available", n)) != 0;
    // The two fixed entries must always exist, so a negative count reads as none.
    const int upgrades =
        std::clamp(strings.getInt(StringTable::key("Tower%d.Upgrades", n)), 0, kMaxUpgrades);
    def.entryCount = upgrades + kFirstUpgradeEntry;

    def.entries.assign(def.entryCount, UpgradeDef());
    def.entries[kDemolishEntry].name = "Demolish";
    def.entries[kDemolishEntry].description = "Recover some cash!";
    def.entries[kRepairEntry].name = "Repair";
    def.entries[kRepairEntry].description = "Fix her up!";
    for (int e = kFirstUpgradeEntry; e < def.entryCount; ++e) {
        const int m = e - 1;
        UpgradeDef& up = def.entries[e];
        up.name = strings.get(StringTable::key("Tower%d.Upgrade%d.Name", n, m));
        up.description = strings.get(StringTable::key("Tower%d.Upgrade%d.Description", n, m));
        // A zero or negative count stays as it is: an upgrade that can never be bought.
        up.levelCount = std::min(strings.getInt(StringTable::key("Tower%d.Upgrade%d.Levels", n, m)),
                                 kMaxUpgradeLevels);
        up.levels.assign(std::max(0, up.levelCount), UpgradeLevel());
        for (int l = 1; l <= up.levelCount; ++l) {
            up.levels[l - 1].value =
                strings.getInt(StringTable::key("Tower%d.Upgrade%d.Level%d.Value", n, m, l));
            up.levels[l - 1].icon = std::clamp(
                strings.getInt(StringTable::key("Tower%d.Upgrade%d.Level%d.Icon", n, m, l)),
                -kMaxIconColumn, kMaxIconColumn);
        }
    }
    return def;
}

InvaderDef readInvaderDef(StringTable& strings, const std::string& prefix, bool placed) {
    const auto real = [&](const char* name, double low, double high) {
        return strings.getReal(prefix + name, low, high);
    };
    // Held where they come in: the invaders work out health, bounties and counts from them
    // in plain arithmetic.
    InvaderDef def;
    def.value = strings.getInt(prefix + ".Value");
    def.health = strings.getInt(prefix + ".Health");
    def.healthIncrease = strings.getReal(prefix + ".HealthIncrease");
    def.size = strings.getReal(prefix + ".Size");
    def.landingCost = static_cast<int>(real(".LandingCost", 0.0, kMaxLandingCost));
    def.name = strings.get(prefix + ".Name");
    def.hint = strings.get(prefix + ".Hint");
    // Never none: a kind that some tower could not hurt at all would make its one-kind defence
    // unwinnable by a rule no one sees.
    for (int n = 1; n <= kTowerTypeCount; ++n) {
        const std::string key = prefix + StringTable::key(".FromTower%d", n);
        if (strings.contains(key))
            def.hitShare[n - 1] = real(key.c_str() + prefix.size(), kLeastHitShare, kMostHitShare);
    }
    if (!placed)
        return def;
    def.firstWave = static_cast<int>(real(".FirstWave", 0.0, kMaxWaveNumber));
    def.share = real(".Share", 0.0, 1.0);
    def.shareGrowth = real(".ShareGrowth", 0.0, 1.0);
    def.shareMax = real(".ShareMax", 0.0, 1.0);
    return def;
}
