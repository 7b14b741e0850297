#include "TowerWorld.h"

#include "app/GameApp.h"
#include "app/Random.h"
#include "effects/DebrisEffect.h"
#include "effects/SimpleEffect.h"
#include "effects/TextEffect.h"
#include "game/Game.h"
#include "towers/Building.h"
#include "towers/TeslaCoil.h"

#include <allegro.h>

#include <cstdlib>
#include <vector>

namespace {

using BuildingTest = TowerWorld;

TEST_F(BuildingTest, PricesHalveTheValueFirstAndDivideByTheFullHealthLast) {
    Building* tower = place(0);
    EXPECT_EQ(tower->sellValue(), 50);
    EXPECT_EQ(tower->repairCost(), 0);

    tower->health = 7;
    EXPECT_EQ(tower->sellValue(), 35);  // 50 * 7 / 10
    EXPECT_EQ(tower->repairCost(), 15); // 50 * 3 / 10

    defs[0].value = 75;                 // halves to 37 before anything else
    EXPECT_EQ(tower->sellValue(), 25);  // 37 * 7 / 10 = 259 / 10
    EXPECT_EQ(tower->repairCost(), 11); // 37 * 3 / 10 = 111 / 10

    // Generous data whose product passes the int range still prices right.
    defs[0].value = 2000000;
    defs[0].health = 5000;
    tower->health = 4000;
    EXPECT_EQ(tower->sellValue(), 800000);
    EXPECT_EQ(tower->repairCost(), 200000);
}

TEST_F(BuildingTest, ATypeWithoutFullHealthPricesAtZeroAndCannotBeRepairedForMoney) {
    for (int full : {0, -5}) {
        defs[1].health = full;
        Building* tower = place(1);
        EXPECT_EQ(tower->maxHealth(), full);
        EXPECT_EQ(tower->sellValue(), 0);
        EXPECT_EQ(tower->repairCost(), 0);
        tower->health = 3;
        EXPECT_EQ(tower->sellValue(), 0);
        EXPECT_EQ(tower->repairCost(), 0);
        tower->repair();
        EXPECT_EQ(game->money, kStartMoney);
        EXPECT_EQ(tower->health, 3);

        // Selling still works and throws no debris rather than a wrapped-around count.
        tower->sell();
        EXPECT_EQ(game->money, kStartMoney);
        EXPECT_TRUE(tower->removed);
        ASSERT_FALSE(effectsOfKind<DebrisEffect>().empty());
        EXPECT_TRUE(effectsOfKind<DebrisEffect>().back()->pieces.empty());
    }
}

TEST_F(BuildingTest, AHugeFullHealthSellsAtItsPriceWithACappedBurstOfDebris) {
    defs[0].health = 2000000000; // once aborted the game with bad_alloc on a sale
    Building* tower = place(0);
    EXPECT_EQ(tower->repairCost(), 0);
    tower->sell();
    EXPECT_EQ(game->money, kStartMoney + 50);
    EXPECT_EQ(game->notices.size(), 0u) << "a tower sold is not lost";
    EXPECT_EQ(game->stats.towersLost, 0);
    auto bursts = effectsOfKind<DebrisEffect>();
    ASSERT_EQ(bursts.size(), 1u);
    EXPECT_EQ(bursts[0]->pieces.size(), DebrisEffect::kMaxPieces);
}

TEST_F(BuildingTest, StandsOnTheGroundLineWithItsCentreHalfAFrameIn) {
    Building* tower = place(0, 100);
    EXPECT_EQ(tower->health, 10);
    EXPECT_EQ(tower->restFrameWidth(), kTowerW);
    EXPECT_DOUBLE_EQ(tower->centreX(), 110.0);
    EXPECT_DOUBLE_EQ(tower->centreY(), kBaseline - kTowerH / 2);
    EXPECT_DOUBLE_EQ(tower->hitRadius(), 12.0);

    BITMAP* target = makeBitmap(320, 240, 0, 0, 0);
    tower->draw(target);
    const Rgb towerColour{0, 200, 0}, ground{0, 0, 0};
    EXPECT_EQ(pixelAt(target, 100, kBaseline - kTowerH), towerColour);
    EXPECT_EQ(pixelAt(target, 119, kBaseline - 1), towerColour);
    EXPECT_EQ(pixelAt(target, 100, kBaseline), ground);
    EXPECT_EQ(pixelAt(target, 100, kBaseline - kTowerH - 1), ground);
    EXPECT_EQ(pixelAt(target, 120, kBaseline - 1), ground);
    destroy_bitmap(target);
}

TEST_F(BuildingTest, ATypeWithoutSpriteIsInvisibleCentredOnItsEdgeAndIdle) {
    defs[2].sprite = nullptr;
    setStrings({{"Tower3.RangeGrowth", "20"}, {"Tower3.RangeMax", "60"}});
    Building* coil = place(2, 100);
    EXPECT_EQ(coil->anim, nullptr);
    EXPECT_EQ(coil->restFrameWidth(), 0);
    EXPECT_DOUBLE_EQ(coil->centreX(), 100.0);
    EXPECT_DOUBLE_EQ(coil->centreY(), kBaseline);

    BITMAP* target = makeBitmap(320, 240, 0, 0, 0);
    coil->draw(target);
    EXPECT_EQ(pixelAt(target, 100, kBaseline - 1), (Rgb{0, 0, 0}));
    destroy_bitmap(target);

    // Without an animation the tower does nothing at all, not even charge.
    coil->tick(1.0);
    EXPECT_DOUBLE_EQ(static_cast<TeslaCoil*>(coil)->chargeRange, 0.0);
}

TEST_F(BuildingTest, DamageEqualToTheRemainingHealthBlowsTheTowerUp) {
    SoundLog sounds;
    Building* tower = place(0, 100);
    tower->health = 7;
    tower->takeDamage(7);
    EXPECT_EQ(sounds.samples, (std::vector<SAMPLE*>{blastSound, lostSound}))
        << "one blast and the loss told, no hit";
    EXPECT_EQ(game->notices.size(), 1u) << "announced where it stood";
    EXPECT_EQ(game->stats.towersLost, 1);
    EXPECT_EQ(tower->health, 0);
    EXPECT_TRUE(tower->removed);

    auto debrisList = effectsOfKind<DebrisEffect>();
    ASSERT_EQ(debrisList.size(), 1u);
    EXPECT_EQ(debrisList[0]->pieces.size(), 10u); // one piece per point of full health

    auto blastList = effectsOn(blasts);
    ASSERT_EQ(blastList.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(blastList[i]->delay, (i + 1) / 15.0);
        // Within ten pixels of the centre (110, 185); the sheet's frame is 16 x 16.
        EXPECT_GE(blastList[i]->x + 8, 100);
        EXPECT_LE(blastList[i]->x + 8, 119);
        EXPECT_GE(blastList[i]->y + 8, 175);
        EXPECT_LE(blastList[i]->y + 8, 194);
    }
    EXPECT_TRUE(effectsOn(puffs).empty());
    EXPECT_DOUBLE_EQ(GameApp::instance()->shakeAmount, 3.0);
    EXPECT_DOUBLE_EQ(GameApp::instance()->shakeTimeLeft, 0.8);
}

TEST_F(BuildingTest, LesserDamageHurtsShakesAndPuffsSmoke) {
    SoundLog sounds;
    Building* tower = place(0);
    tower->takeDamage(3);
    EXPECT_EQ(sounds.samples, std::vector<SAMPLE*>{hitSound});
    EXPECT_EQ(tower->health, 7);
    EXPECT_FALSE(tower->removed);
    EXPECT_EQ(effectsOn(puffs).size(), 1u);
    EXPECT_TRUE(effectsOn(blasts).empty());
    EXPECT_DOUBLE_EQ(GameApp::instance()->shakeAmount, 2.0);
    EXPECT_DOUBLE_EQ(GameApp::instance()->shakeTimeLeft, 0.4);
}

TEST_F(BuildingTest, ADestroyedTowerTakesNoMoreDamage) {
    Building* tower = place(0);
    tower->takeDamage(25);
    EXPECT_EQ(tower->health, -15);
    const std::size_t effects = game->effects.size();
    tower->takeDamage(5);
    tower->takeDamage(-50); // no healing a wreck either
    EXPECT_EQ(tower->health, -15);
    EXPECT_EQ(game->effects.size(), effects);
}

TEST_F(BuildingTest, SmokeThickensAsTheTowerWeakens) {
    auto puffsOver = [this](Building* tower, int ticks) {
        const std::size_t before = effectsOn(puffs).size();
        for (int i = 0; i < ticks; ++i)
            tower->tick(0.01);
        return static_cast<int>(effectsOn(puffs).size() - before);
    };

    Building* two = place(0);
    two->health = 2;
    EXPECT_EQ(puffsOver(two, 39), 0);
    EXPECT_EQ(puffsOver(two, 2), 1);   // just past 0.4 s
    EXPECT_EQ(puffsOver(two, 349), 8); // 9 in 3.9 s

    Building* one = place(0);
    one->health = 1;
    EXPECT_EQ(puffsOver(one, 390), 19); // one every 0.2 s

    Building* three = place(0);
    three->health = 3;
    EXPECT_EQ(puffsOver(three, 1000), 0);
    EXPECT_DOUBLE_EQ(three->smokeTimer, 0.0);
}

TEST_F(BuildingTest, ASmokePuffDrawsItsPlaceBeforeItsDrift) {
    Building* tower = place(0, 100); // centre (110, 185), frame 20 wide
    std::srand(99);
    const int rx = randomInt(), ry = randomInt(), rv = randomInt();
    std::srand(99);
    tower->takeDamage(1);

    auto puffList = effectsOn(puffs);
    ASSERT_EQ(puffList.size(), 1u);
    const SimpleEffect* puff = puffList[0];
    // Centred (frame 6 x 6) right of and above the tower's centre by a sixth and an eighth of
    // its width.
    EXPECT_DOUBLE_EQ(puff->x + 3, 110 + 20 / 6 + rx % 4 - 2);
    EXPECT_DOUBLE_EQ(puff->y + 3, 185 - 20 / 8 + ry % 2 - 1);
    EXPECT_DOUBLE_EQ(puff->vx, 8.0 + 16.0 * rv / kRandomMax);
    EXPECT_DOUBLE_EQ(puff->vy, -20.0);
    EXPECT_DOUBLE_EQ(puff->delay, 0.0);
}

TEST_F(BuildingTest, SellingRefundsTheDamagedValueAndBlowsTheTowerUp) {
    Building* tower = place(0, 100);
    tower->health = 7;
    tower->sell();
    EXPECT_EQ(game->money, kStartMoney + 35);
    EXPECT_TRUE(tower->removed);
    EXPECT_EQ(tower->health, 7);
    EXPECT_EQ(effectsOfKind<DebrisEffect>().size(), 1u);
    EXPECT_EQ(effectsOn(blasts).size(), 6u);

    auto labels = effectsOfKind<TextEffect>();
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_TRUE(showsText(labels[0], "+35"));
    EXPECT_FALSE(showsText(labels[0], "+53"));
    EXPECT_DOUBLE_EQ(labels[0]->x, 110.0);
    EXPECT_DOUBLE_EQ(labels[0]->y, 185.0);
}

TEST_F(BuildingTest, RepairChargesTheCostRestoresHealthAndShowsTheCharge) {
    Building* tower = place(0, 100);
    tower->health = 7;
    tower->repair();
    EXPECT_EQ(game->money, kStartMoney - 15);
    EXPECT_EQ(tower->health, 10);
    auto labels = effectsOfKind<TextEffect>();
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_TRUE(showsText(labels[0], "-15"));
    EXPECT_DOUBLE_EQ(labels[0]->x, 110.0);
    EXPECT_DOUBLE_EQ(labels[0]->y, 185.0);

    // Already whole: no charge, no text.
    tower->repair();
    EXPECT_EQ(game->money, kStartMoney - 15);
    EXPECT_EQ(effectsOfKind<TextEffect>().size(), 1u);
}

// A repair in part costs the whole repair's rate a point, rounded up: never free, never more
// than the money, never past full health.
TEST_F(BuildingTest, ARepairShortOfMoneyMendsWhatTheMoneyBuys) {
    Building* tower = place(0, 100); // $100 halved over 10 points: $5 a point
    tower->health = 2;
    game->money = 4;
    tower->repair();
    EXPECT_EQ(tower->health, 2) << "$4 buys no point";
    EXPECT_EQ(game->money, 4);
    EXPECT_TRUE(effectsOfKind<TextEffect>().empty());
    game->money = 5;
    tower->repair();
    EXPECT_EQ(tower->health, 3);
    EXPECT_EQ(game->money, 0);
    auto labels = effectsOfKind<TextEffect>();
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_TRUE(showsText(labels[0], "-5"));

    defs[0].value = 75; // $37 over 10 points: the whole 7 points cost $25
    game->money = 24;
    EXPECT_EQ(tower->repairOffer(24).points, 6);
    EXPECT_EQ(tower->repairOffer(24).price, 23); // 22.2 rounded up
    tower->repair();
    EXPECT_EQ(tower->health, 9);
    EXPECT_EQ(game->money, 1);
    tower->repair();
    EXPECT_EQ(tower->health, 9) << "$1 buys no point at $3.70";
    game->money = 3; // the last point at the whole repair's price, 37 / 10
    tower->repair();
    EXPECT_EQ(tower->health, 10);
    EXPECT_EQ(game->money, 0);
}

TEST_F(BuildingTest, ATowerAlreadyGoneCannotBeSoldOrRepairedAgain) {
    // A shot can destroy the selected tower earlier in the frame in which the player clicks its
    // menu; the click must neither pay out nor charge for a wreck.
    Building* wreck = place(0);
    wreck->takeDamage(10);
    const std::size_t effects = game->effects.size();
    SoundLog sounds;
    wreck->sell();
    wreck->repair();
    wreck->takeDamage(1);
    EXPECT_TRUE(sounds.samples.empty()) << "a wreck makes no more sound";
    EXPECT_EQ(game->money, kStartMoney);
    EXPECT_EQ(game->effects.size(), effects);

    Building* sold = place(0, 150);
    sold->health = 4;
    sold->sell();
    const int afterSale = game->money;
    sold->sell();
    sold->repair();
    sold->takeDamage(2);
    EXPECT_EQ(game->money, afterSale);
    EXPECT_EQ(sold->health, 4);
    EXPECT_EQ(effectsOfKind<DebrisEffect>().size(), 2u);
}

} // namespace
