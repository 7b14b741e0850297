#include "app/Definitions.h"
#include "app/StringTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

StringTable tableFrom(const std::string& text) {
    std::string path = ::testing::TempDir() + "definitions_test.txt";
    std::ofstream(path) << text;
    StringTable table;
    table.load(path);
    std::remove(path.c_str());
    return table;
}

TEST(TowerDefinition, ReadsTheFixedEntriesThenEachUpgradeWithItsLevels) {
    StringTable strings = tableFrom("Tower2.Name=Launcher\n"
                                    "Tower2.Value=75\nTower2.Health=12\nTower2.Radius=9.5\n"
                                    "Tower2.Width=14\nTower2.Available=1\nTower2.Upgrades=2\n"
                                    "Tower2.Upgrade1.Name=Faster\nTower2.Upgrade1.Levels=3\n"
                                    "Tower2.Upgrade1.Level3.Value=300\n"
                                    "Tower2.Upgrade1.Level3.Icon=4\n"
                                    "Tower2.Upgrade2.Name=Blast\nTower2.Upgrade2.Levels=1\n");
    TowerDef def = readTowerDef(strings, 1);
    EXPECT_EQ(def.name, "Launcher");
    EXPECT_EQ(def.value, 75);
    EXPECT_EQ(def.health, 12);
    EXPECT_DOUBLE_EQ(def.radius, 9.5);
    EXPECT_EQ(def.width, 14);
    EXPECT_TRUE(def.available);
    ASSERT_EQ(def.entryCount, 4);
    ASSERT_EQ(def.entries.size(), 4u);
    EXPECT_EQ(def.entries[0].name, "Demolish");
    EXPECT_EQ(def.entries[0].description, "Recover some cash!");
    EXPECT_EQ(def.entries[1].name, "Repair");
    EXPECT_EQ(def.entries[1].description, "Fix her up!");
    EXPECT_EQ(def.entries[0].levelCount, 0);
    EXPECT_EQ(def.entries[2].name, "Faster");
    ASSERT_EQ(def.entries[2].levels.size(), 3u);
    EXPECT_EQ(def.entries[2].levels[2].value, 300);
    EXPECT_EQ(def.entries[2].levels[2].icon, 4);
    EXPECT_EQ(def.entries[3].name, "Blast");
}

// An icon is drawn from its column times the icon width: columns beyond any image are held
// where that product still fits an int.
TEST(TowerDefinition, IconColumnsFarOutsideAnyImageAreHeldWithinBounds) {
    StringTable strings = tableFrom("Tower1.Upgrades=1\nTower1.Upgrade1.Levels=3\n"
                                    "Tower1.Upgrade1.Level1.Icon=2147483647\n"
                                    "Tower1.Upgrade1.Level2.Icon=-2147483648\n"
                                    "Tower1.Upgrade1.Level3.Icon=7\n");
    TowerDef def = readTowerDef(strings, 0);
    ASSERT_EQ(def.entries[2].levels.size(), 3u);
    EXPECT_EQ(def.entries[2].levels[0].icon, kMaxIconColumn);
    EXPECT_EQ(def.entries[2].levels[1].icon, -kMaxIconColumn);
    EXPECT_EQ(def.entries[2].levels[2].icon, 7);
}

TEST(TowerDefinition, MissingOrNegativeUpgradeCountsLeaveOnlyDemolishAndRepair) {
    StringTable strings = tableFrom("Tower3.Upgrades=-4\nTower3.Available=0\n");
    TowerDef none = readTowerDef(strings, 0);
    EXPECT_EQ(none.entryCount, 2);
    TowerDef negative = readTowerDef(strings, 2);
    EXPECT_EQ(negative.entryCount, 2);
    EXPECT_EQ(negative.entries.size(), 2u);
    EXPECT_FALSE(negative.available);
}

TEST(TowerDefinition, HugeCountsStopAtTheirCeilings) {
    // Found by fuzzing: two billion upgrades asked for hundreds of gigabytes, and the largest int
    // overflowed when the two fixed entries were added.
    for (const char* count : {"2147483647", "99999999999", "1000000"}) {
        StringTable strings =
            tableFrom(std::string("Tower1.Upgrades=") + count +
                      "\nTower1.Upgrade3.Levels=" + count + "\nTower1.Upgrade3.Level100.Value=7\n");
        TowerDef def = readTowerDef(strings, 0);
        ASSERT_EQ(def.entryCount, kMaxUpgrades + kFirstUpgradeEntry) << count;
        ASSERT_EQ(def.entries.size(), static_cast<size_t>(def.entryCount));
        const UpgradeDef& third = def.entries[kFirstUpgradeEntry + 2];
        ASSERT_EQ(third.levelCount, kMaxUpgradeLevels);
        ASSERT_EQ(third.levels.size(), static_cast<size_t>(kMaxUpgradeLevels));
        EXPECT_EQ(third.levels.back().value, 7);
    }
}

TEST(TowerDefinition, AnUpgradeWithoutLevelsCanNeverBeBought) {
    StringTable strings = tableFrom("Tower1.Upgrades=1\nTower1.Upgrade1.Levels=-2\n");
    TowerDef def = readTowerDef(strings, 0);
    EXPECT_EQ(def.entries[2].levelCount, -2);
    EXPECT_TRUE(def.entries[2].levels.empty());
}

TEST(TowerDefinition, CountsThatWouldOverflowOrAskForGigabytesAreCapped) {
    StringTable strings =
        tableFrom("Tower1.Upgrades=2147483647\nTower1.Upgrade1.Levels=2147483647\n"
                  "Tower2.Upgrades=30\nTower3.Upgrades=31\n");
    TowerDef def = readTowerDef(strings, 0);
    ASSERT_EQ(def.entryCount, kMaxUpgrades + kFirstUpgradeEntry);
    ASSERT_EQ(def.entries.size(), static_cast<std::size_t>(def.entryCount));
    EXPECT_EQ(def.entries[2].levelCount, kMaxUpgradeLevels);
    EXPECT_EQ(def.entries[2].levels.size(), static_cast<std::size_t>(kMaxUpgradeLevels));
    // The cap itself is still a valid count.
    ASSERT_EQ(kMaxUpgrades, 30);
    EXPECT_EQ(readTowerDef(strings, 1).entryCount, 32);
    EXPECT_EQ(readTowerDef(strings, 2).entryCount, 32);
}

TEST(InvaderDefinition, ReadsItsKeys) {
    StringTable strings = tableFrom("Invader1.Value=10\nInvader1.Health=4\n"
                                    "Invader1.HealthIncrease=2.5\nInvader1.Size=6\n");
    InvaderDef def = readInvaderDef(strings, "Invader1");
    EXPECT_EQ(def.value, 10);
    EXPECT_EQ(def.health, 4);
    EXPECT_DOUBLE_EQ(def.healthIncrease, 2.5);
    EXPECT_DOUBLE_EQ(def.size, 6.0);
}

TEST(InvaderDefinition, AShareOfATowerKindsHitsIsWholeWhenMissingAndNeverNone) {
    StringTable strings =
        tableFrom("Invader5.FromTower1=0\nInvader5.FromTower2=0.25\nInvader5.FromTower3=1e9\n");
    InvaderDef def = readInvaderDef(strings, "Invader5");
    EXPECT_DOUBLE_EQ(def.hitShare[0], kLeastHitShare) << "no tower kind may be shrugged off whole";
    EXPECT_DOUBLE_EQ(def.hitShare[1], 0.25);
    EXPECT_DOUBLE_EQ(def.hitShare[2], kMostHitShare);
    EXPECT_DOUBLE_EQ(readInvaderDef(strings, "Invader4").hitShare[1], 1.0);
}

} // namespace
