#include "InvaderWorld.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "game/KindNotices.h"
#include "invaders/Diver.h"
#include "invaders/InvaderKinds.h"
#include "invaders/Plated.h"
#include "invaders/Splitter.h"
#include "invaders/SquibbleWave.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The kinds in the world's squibble shape, each only in the waves its def lets it join.
class InvaderKindsTest : public InvaderWorld {
  protected:
    void SetUp() override {
        InvaderWorld::SetUp();
        setStrings({{"Wave1SpeedBase", "20"},
                    {"Wave1SpeedMax", "20"},
                    {"Invader2.Plate", "0.8"},
                    {"Invader2.MinDamage", "0.25"},
                    {"Invader3.DiveHeight", "60"},
                    {"Invader3.DiveSpeed", "50"},
                    {"Invader3.DiveSwing", "30"},
                    {"Invader5.Speed", "40"},
                    {"Invader5.Burst", "20"}});
        GameApp::instance()->glanceSheet = poofs;
        GameApp::instance()->invaderDefs[kDiverKind].landingCost = 2;
    }
    // From wave 1 on, the kind takes every place of a formation.
    static void fillWith(int kind) {
        InvaderDef& def = GameApp::instance()->invaderDefs[kind];
        def.firstWave = 1;
        def.share = def.shareMax = 1.0;
    }
};

TEST_F(InvaderKindsTest, APlateTakesItsShareOffEveryHitButNeverBelowTheMinimum) {
    Plated plated; // 10 health
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(plated.takeDamage(1), 1) << "a glancing bolt still counts as a hit";
    EXPECT_EQ(plated.health, 9) << "four bolts at 0.25 make one point";
    EXPECT_EQ(game->effects.size(), 4u) << "every glance throws a spark";
    plated.takeDamage(3); // 2.2 of it
    EXPECT_EQ(plated.health, 7);
    EXPECT_NEAR(plated.chipped, 0.2, 1e-9);
    plated.takeDamage(0);
    EXPECT_EQ(plated.health, 7) << "a hit of nothing deals nothing, not the minimum";
    EXPECT_EQ(plated.takeDamage(100), 100);
    EXPECT_LE(plated.health, 0);
    EXPECT_EQ(plated.takeDamage(1), 0) << "the dead shrug hits off";
}

TEST_F(InvaderKindsTest, ADiverLeavesTheFormationOnlyWhenLowAndLandsForItsCost) {
    fillWith(kDiverKind);
    GameApp::instance()->invaderDefs[kDiverKind].share = 0.5;
    std::srand(3);
    SquibbleWave wave(12);
    game->wave = &wave;
    const auto first = [&wave](int kind) {
        return *std::find_if(wave.invaders.begin(), wave.invaders.end(),
                             [kind](const Invader* v) { return v->kind == kind; });
    };
    Diver* diver = static_cast<Diver*>(first(kDiverKind));
    const Invader* squibble = first(kSquibbleKind);
    double leftRowAt = -1.0;
    for (int i = 0; i < 2000 && diver->health > 0; ++i) {
        const bool wasInFormation = diver->inFormation();
        wave.update(0.02);
        if (wasInFormation && !diver->inFormation())
            leftRowAt = diver->y;
        if (diver->inFormation()) {
            ASSERT_EQ(diver->y, squibble->y) << "it keeps its row while high";
        }
    }
    EXPECT_GE(leftRowAt, 60.0);
    EXPECT_LT(leftRowAt, 61.0);
    EXPECT_EQ(diver->health, -1);
    EXPECT_LT(squibble->y, 120.0) << "it came down well ahead of its row";
    int landed = 0;
    for (const Invader* v : wave.invaders)
        landed += v->health == -1 ? (v->kind == kDiverKind ? 2 : 1) : 0;
    EXPECT_EQ(kBaseHealth - game->health, landed) << "a diver's landing costs its kind's cost";
    game->wave = nullptr;
}

TEST_F(InvaderKindsTest, ASplitterShotDownBurstsIntoTwoMitesWhereItDied) {
    fillWith(kSplitterKind);
    SquibbleWave wave(1);
    game->wave = &wave;
    Invader* splitter = wave.invaders[0];
    splitter->x = 100;
    splitter->y = 80;
    splitter->takeDamage(100);
    EXPECT_FALSE(wave.isDefeated()) << "its halves are on their way";
    wave.update(0.0);
    ASSERT_EQ(wave.invaders.size(), 3u);
    for (int i : {1, 2}) {
        const Mite* mite = static_cast<const Mite*>(wave.invaders[i]);
        EXPECT_EQ(mite->kind, kMiteKind);
        EXPECT_EQ(mite->wave, &wave);
        EXPECT_FALSE(mite->inFormation());
        EXPECT_DOUBLE_EQ(mite->centreX(), 107.0);
        EXPECT_DOUBLE_EQ(mite->centreY(), 86.0);
    }
    wave.update(0.5);
    EXPECT_LT(wave.invaders[1]->x, wave.invaders[2]->x) << "the halves part";
    EXPECT_DOUBLE_EQ(wave.invaders[1]->y, wave.invaders[2]->y);
    EXPECT_GT(wave.invaders[1]->y, 80.0) << "and fall";
    wave.invaders[1]->health = 0; // landing and the wave's end kill no splitter in two
    wave.invaders[2]->y = kSquibbleLandingY;
    wave.update(0.01);
    EXPECT_EQ(wave.invaders.size(), 3u);
    EXPECT_TRUE(wave.isDefeated());
    game->wave = nullptr;
}

TEST_F(InvaderKindsTest, SharesGrowToTheirCapAndPlacesAreDrawnOnlyWhenAKindJoins) {
    InvaderDef& plated = GameApp::instance()->invaderDefs[kPlatedKind];
    plated.firstWave = 4;
    plated.share = 0.1;
    plated.shareGrowth = 0.05;
    plated.shareMax = 0.2;
    EXPECT_EQ(formationCounts(20, 3)[kPlatedKind], 0);
    EXPECT_EQ(formationCounts(20, 4)[kPlatedKind], 2);
    EXPECT_EQ(formationCounts(20, 5)[kPlatedKind], 3);
    EXPECT_EQ(formationCounts(20, 40)[kPlatedKind], 4);
    EXPECT_EQ(formationCounts(20, 40)[kSquibbleKind], 16);

    // A wave of squibbles alone leaves the random numbers as they were: seeded games of
    // squibbles play as they always have.
    std::srand(7);
    const std::vector<int> none = drawFormation(20, 3);
    const int next = std::rand();
    std::srand(7);
    EXPECT_EQ(std::rand(), next);
    EXPECT_EQ(none, std::vector<int>(20, kSquibbleKind));

    std::srand(7);
    const std::vector<int> first = drawFormation(20, 40);
    std::srand(7);
    EXPECT_EQ(drawFormation(20, 40), first) << "the same seed, the same wave";
    EXPECT_EQ(std::count(first.begin(), first.end(), kPlatedKind), 4);
}

} // namespace

namespace {

// The first wave with a new kind names it on the HUD for a while; kinds met together take turns
// in table order, and a kind once met is never named again in the same game.
TEST_F(InvaderKindsTest, TheHudNamesEachKindOnceTheFirstTimeItComes) {
    fillWith(kSplitterKind);
    GameApp::instance()->invaderDefs[kSplitterKind].share = 0.5;
    fillWith(kPlatedKind);
    GameApp::instance()->invaderDefs[kPlatedKind].share = 0.25;
    KindNotices notices;
    notices.reset();
    SquibbleWave wave(12);
    notices.meet(wave);
    EXPECT_EQ(notices.shown(), kPlatedKind);
    notices.update(KindNotices::kSeconds - 0.1);
    EXPECT_EQ(notices.shown(), kPlatedKind);
    notices.update(0.2);
    EXPECT_EQ(notices.shown(), kSplitterKind);
    notices.meet(wave);
    notices.update(KindNotices::kSeconds);
    EXPECT_EQ(notices.shown(), -1) << "met once, named once";
}

} // namespace
