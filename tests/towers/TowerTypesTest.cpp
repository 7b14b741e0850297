#include "TowerWorld.h"

#include "towers/Building.h"
#include "towers/LaserTurret.h"
#include "towers/MissileTurret.h"
#include "towers/TeslaCoil.h"
#include "towers/TowerKinds.h"

#include <memory>

namespace {

using TowerTypesTest = TowerWorld;

TEST_F(TowerTypesTest, TheFactoryMakesOneClassPerTypeAndNothingElse) {
    std::unique_ptr<Building> laser(createTower(0));
    std::unique_ptr<Building> missile(createTower(1));
    std::unique_ptr<Building> coil(createTower(2));
    EXPECT_NE(dynamic_cast<LaserTurret*>(laser.get()), nullptr);
    EXPECT_NE(dynamic_cast<MissileTurret*>(missile.get()), nullptr);
    EXPECT_NE(dynamic_cast<TeslaCoil*>(coil.get()), nullptr);
    EXPECT_EQ(coil->type, 2);
    EXPECT_EQ(createTower(-1), nullptr);
    EXPECT_EQ(createTower(3), nullptr);

    // Not placed yet: the sheet is known, the animation is not made.
    EXPECT_EQ(laser->sheet, towerSheet);
    EXPECT_EQ(laser->anim, nullptr);
    EXPECT_EQ(laser->upgradeLevels, std::vector<int>({0, 0, 0, 0}));
    EXPECT_EQ(missile->upgradeLevels.size(), 5u);
    EXPECT_FALSE(laser->removed);
    EXPECT_DOUBLE_EQ(laser->smokeTimer, 0.0);
}

TEST_F(TowerTypesTest, EachTowerReadsItsTuningAndStartsHalfAPeriodIn) {
    setStrings({{"Tower1.FreqBase", "0.8"},
                {"Tower1.DamageBase", "3"},
                {"Tower1.Upgrade2.Level1.MissileFreq", "2.5"},
                {"Tower1.Upgrade2.Level1.MissileDamage", "7"},
                {"Tower2.FreqBase", "1.5"},
                {"Tower2.DamageBase", "9"},
                {"Tower2.DamageSplashBase", "4"},
                {"Tower2.SplashRadius", "12.5"},
                {"Tower3.FreqBase", "0.3"},
                {"Tower3.RangeGrowth", "20"},
                {"Tower3.RangeMax", "60"},
                {"Tower3.DamageBase", "5"}});

    auto* laser = static_cast<LaserTurret*>(place(0));
    EXPECT_FLOAT_EQ(laser->firePeriod, 0.8f);
    EXPECT_FLOAT_EQ(laser->fireTimer, 0.4f);
    EXPECT_EQ(laser->damage, 3);
    // The launcher is tuned from the start, bought or not.
    EXPECT_FLOAT_EQ(laser->missilePeriod, 2.5f);
    EXPECT_FLOAT_EQ(laser->missileTimer, 1.25f);
    EXPECT_EQ(laser->missileDamage, 7);

    auto* missile = static_cast<MissileTurret*>(place(1));
    EXPECT_FLOAT_EQ(missile->firePeriod, 1.5f);
    EXPECT_FLOAT_EQ(missile->fireTimer, 0.75f);
    EXPECT_EQ(missile->damage, 9);
    EXPECT_EQ(missile->splashDamage, 4);
    EXPECT_DOUBLE_EQ(missile->splashRadius, 12.5);
    EXPECT_FALSE(missile->facingRight);

    auto* coil = static_cast<TeslaCoil*>(place(2));
    EXPECT_FLOAT_EQ(coil->firePeriod, 0.3f);
    EXPECT_FLOAT_EQ(coil->fireTimer, 0.15f);
    EXPECT_DOUBLE_EQ(coil->chargeRange, 0.0);
    EXPECT_DOUBLE_EQ(coil->rangeGrowth, 20.0);
    EXPECT_DOUBLE_EQ(coil->rangeMax, 60.0);
    EXPECT_EQ(coil->damage, 5);
}

TEST_F(TowerTypesTest, UpgradeLevelsStopAtTheLastLevelAndForeignIndicesAreIgnored) {
    Building* missile = place(1); // three upgrades of two levels each
    for (int i = 0; i < 3; ++i)
        missile->upgrade(2);
    EXPECT_EQ(missile->upgradeLevels[2], 2);
    for (int k : {-1, 3, 4, 1000})
        missile->upgrade(k);
    EXPECT_EQ(missile->upgradeLevels, std::vector<int>({0, 0, 2, 0, 0}));

    // An upgrade without levels, or a definition listing fewer entries than it counts, has
    // nothing to buy.
    defs[2].entries[2].levelCount = 0;
    defs[0].entries.resize(3);
    Building* coil = place(2);
    Building* laser = place(0);
    coil->upgrade(0);
    laser->upgrade(1);
    EXPECT_EQ(coil->upgradeLevels[0], 0);
    EXPECT_EQ(laser->upgradeLevels[1], 0);
}

TEST_F(TowerTypesTest, FasterBoltsAddTheLevelOneModifierEveryTime) {
    setStrings({{"Tower1.FreqBase", "1.0"},
                {"Tower1.Upgrade1.Level1.FreqMod", "-0.25"},
                {"Tower1.Upgrade1.Level2.FreqMod", "-0.5"},
                {"UpgradeRepeatPriceGrowth", "0"}});
    auto* laser = static_cast<LaserTurret*>(place(0));
    laser->upgrade(0);
    EXPECT_FLOAT_EQ(laser->firePeriod, 0.75f);
    laser->upgrade(0);
    EXPECT_FLOAT_EQ(laser->firePeriod, 0.5f);
    laser->upgrade(0); // no third level
    EXPECT_FLOAT_EQ(laser->firePeriod, 0.5f);

    // The launcher only counts; the counter is what switches it on.
    laser->upgrade(1);
    EXPECT_EQ(laser->upgradeLevels[1], 1);
    EXPECT_FLOAT_EQ(laser->firePeriod, 0.5f);
    EXPECT_FLOAT_EQ(laser->missileTimer, laser->missilePeriod * 0.5f);
}

// Past its last level an upgrade that adds a step is bought again only under the repeat rule:
// each time dearer by the growth, for the share of the step before, and never so far that the
// period reaches zero. A part (the pod) is fitted once.
TEST_F(TowerTypesTest, UpgradesBoughtAgainCostMoreGiveLessAndNeverTakeAPeriodToZero) {
    setStrings({{"Tower1.FreqBase", "1.0"},
                {"Tower1.Upgrade1.Level1.FreqMod", "-0.25"},
                {"UpgradeRepeatPriceGrowth", "0"}});
    auto* laser = static_cast<LaserTurret*>(place(0));
    for (int i = 0; i < 3; ++i)
        laser->upgrade(0);
    EXPECT_FALSE(laser->nextLevelPrice(0)) << "without the rule an upgrade ends at its last level";
    EXPECT_FLOAT_EQ(laser->firePeriod, 0.5f);

    setStrings({{"UpgradeRepeatPriceGrowth", "1.6"}, {"UpgradeRepeatStepShare", "0.5"}});
    EXPECT_EQ(laser->nextLevelPrice(0), 80);
    EXPECT_EQ(laser->upgradeChange(0).after, secondsText(0.375));
    laser->upgrade(0);
    EXPECT_FLOAT_EQ(laser->firePeriod, 0.375f);
    EXPECT_EQ(laser->nextLevelPrice(0), 128);
    laser->upgrade(0);
    EXPECT_FLOAT_EQ(laser->firePeriod, 0.3125f);

    setStrings({{"UpgradeRepeatStepShare", "1"}});
    laser->upgrade(0);
    EXPECT_FLOAT_EQ(laser->firePeriod, 0.0625f);
    EXPECT_FALSE(laser->nextLevelPrice(0)) << "another step would stop the turret";
    laser->upgrade(0);
    EXPECT_FLOAT_EQ(laser->firePeriod, 0.0625f);
    EXPECT_EQ(laser->upgradeLevels[0], 5);

    laser->upgrade(1);
    laser->upgrade(1);
    EXPECT_FALSE(laser->nextLevelPrice(1));
}

TEST_F(TowerTypesTest, MissileUpgradesReadTheirOwnFixedLevelKeys) {
    setStrings({{"Tower2.FreqBase", "2.0"},
                {"Tower2.SplashRadius", "10"},
                {"Tower2.Upgrade1.Level1.FreqMod", "-0.5"},
                {"Tower2.Upgrade1.Level2.FreqMod", "-1.5"},
                {"Tower2.Upgrade2.Level1.SplashMod", "100"},
                {"Tower2.Upgrade2.Level2.SplashMod", "3.5"}});
    auto* missile = static_cast<MissileTurret*>(place(1));

    missile->upgrade(1);
    missile->upgrade(1);
    EXPECT_DOUBLE_EQ(missile->splashRadius, 17.0); // 10 + 2 * 3.5
    EXPECT_FLOAT_EQ(missile->firePeriod, 2.0f);

    missile->upgrade(0);
    missile->upgrade(0);
    EXPECT_FLOAT_EQ(missile->firePeriod, 1.0f); // 2 - 2 * 0.5
    EXPECT_DOUBLE_EQ(missile->splashRadius, 17.0);

    // The second missile only counts.
    missile->upgrade(2);
    EXPECT_EQ(missile->upgradeLevels, std::vector<int>({2, 2, 1, 0, 0}));
    EXPECT_FLOAT_EQ(missile->firePeriod, 1.0f);
    EXPECT_DOUBLE_EQ(missile->splashRadius, 17.0);
}

TEST_F(TowerTypesTest, StrongerDischargesAddTheLevelOneDamageEveryTime) {
    setStrings({{"Tower3.DamageBase", "5"},
                {"Tower3.Upgrade1.Level1.DamageMod", "3"},
                {"Tower3.Upgrade1.Level2.DamageMod", "40"},
                {"UpgradeRepeatPriceGrowth", "0"}});
    auto* coil = static_cast<TeslaCoil*>(place(2));
    coil->upgrade(0);
    coil->upgrade(0);
    EXPECT_EQ(coil->damage, 11);
    coil->upgrade(0);
    EXPECT_EQ(coil->damage, 11);
}

TEST_F(TowerTypesTest, UpgradeToolTipsQuoteTheNumbersTheTuningGives) {
    setStrings({{"Tower1.FreqBase", "1.0"},
                {"Tower1.Upgrade1.Level1.FreqMod", "-0.25"},
                {"Tower1.Upgrade2.Level1.MissileFreq", "3"},
                {"Tower2.FreqBase", "2.0"},
                {"Tower2.SplashRadius", "10"},
                {"Tower2.Upgrade1.Level1.FreqMod", "-0.5"},
                {"Tower2.Upgrade2.Level2.SplashMod", "4"},
                {"Tower3.DamageBase", "5"},
                {"Tower3.Upgrade1.Level1.DamageMod", "3"}});
    auto tip = [](const Building* b, int k, bool more = true) {
        return describeChange(b->upgradeChange(k), more);
    };
    const std::string to = " \x7f ";
    Building* laser = place(0);
    EXPECT_EQ(tip(laser, 0), "Bolt every 1.00 s" + to + "0.75 s");
    laser->upgrade(0);
    EXPECT_EQ(tip(laser, 0), "Bolt every 0.75 s" + to + "0.50 s") << "now is what was bought";
    EXPECT_EQ(tip(laser, 1), "Missiles none" + to + "one every 3.00 s");
    laser->upgrade(1);
    EXPECT_EQ(tip(laser, 1, false), "Missiles one every 3.00 s") << "the pod is fitted";
    Building* missile = place(1);
    EXPECT_EQ(tip(missile, 0), "Launch every 2.00 s" + to + "1.50 s");
    EXPECT_EQ(tip(missile, 1), "Blast radius 10 px" + to + "14 px");
    EXPECT_EQ(tip(missile, 2), "Missiles per launch 1" + to + "2");
    missile->upgrade(2);
    EXPECT_EQ(tip(missile, 2, false), "Missiles per launch 2") << "at the last level";
    Building* coil = place(2);
    EXPECT_EQ(tip(coil, 0), "Strike damage 5" + to + "8");
    EXPECT_EQ(tip(coil, 1), "Leaps on to 0" + to + "1");
    EXPECT_EQ(tip(coil, 2), "") << "no such upgrade";
}

TEST_F(TowerTypesTest, TheCoilChargesUntilItPassesItsMaximumWithoutClamping) {
    setStrings({{"Tower3.RangeGrowth", "20"}, {"Tower3.RangeMax", "50"}});
    auto* coil = static_cast<TeslaCoil*>(place(2));
    coil->tick(1.0);
    EXPECT_DOUBLE_EQ(coil->chargeRange, 20.0);
    coil->tick(1.0);
    coil->tick(1.0); // 40 is still short of 50: one more full step
    EXPECT_DOUBLE_EQ(coil->chargeRange, 60.0);
    coil->tick(1.0);
    EXPECT_DOUBLE_EQ(coil->chargeRange, 60.0);

    // Without growth a fresh coil never charges.
    setStrings({{"Tower3.RangeGrowth", "0"}});
    auto* flat = static_cast<TeslaCoil*>(place(2));
    flat->tick(5.0);
    EXPECT_DOUBLE_EQ(flat->chargeRange, 0.0);
}

} // namespace
