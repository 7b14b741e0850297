#include "app/GameApp.h"
#include "game/Game.h"
#include "invaders/Invader.h"
#include "invaders/SquibbleWave.h"
#include "invaders/Wave.h"
#include "sim/PlayerHands.h"
#include "sim/ScriptedPlayer.h"
#include "sim/Strategy.h"
#include "support/TestSupport.h"
#include "towers/Building.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

// A scripted player at the controls of a real game, with no invaders to disturb it: the first
// wave is held back.
class ScriptedPlayerTest : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        if (!game)
            return;
        app = GameApp::instance();
        app->mouse = &hands;
        app->keyboard = &hands;
        game->waveTimer = 1e6;
    }

    // Plays frames of 0.01 s, the player deciding whenever its hands are free.
    void play(ScriptedPlayer& player, int frames) {
        for (int i = 0; i < frames; ++i) {
            if (!hands.busy()) {
                player.decide(*game, time, hands);
                mostLookedAt = std::max(mostLookedAt, player.ordersLookedAt());
            }
            clock.time += 0.01;
            game->update(app->tick());
            time += 0.01;
        }
    }

    ScriptedPlayer playerFor(const std::string& script) {
        Strategy strategy;
        std::string error;
        EXPECT_TRUE(parseStrategy(script, strategy, error)) << error;
        return ScriptedPlayer(strategy);
    }

    GameApp* app = nullptr;
    PlayerHands hands;
    double time = 0.0;
    int mostLookedAt = 0; // the most orders one decision looked at
};

TEST_F(ScriptedPlayerTest, BuildsInOrderAsTheMoneyAllowsAndRebuildsWhatIsLost) {
    const int laser = app->towerDefs[0].value;
    const int tesla = app->towerDefs[2].value;
    game->money = laser + tesla - 1; // the tesla coil must wait
    ScriptedPlayer player = playerFor("start build laser 100\n"
                                      "start build tesla 200\n"
                                      "start build laser 250\n");
    play(player, 50);
    ASSERT_EQ(game->buildings.size(), 1u);
    EXPECT_EQ(game->buildings[0]->type, 0);
    EXPECT_NEAR(game->buildings[0]->centreX(), 100, 1);
    EXPECT_EQ(game->money, tesla - 1);
    EXPECT_EQ(game->uiMode, kUiIdle);

    game->money += 1 + laser;
    play(player, 50);
    ASSERT_EQ(game->buildings.size(), 3u);
    EXPECT_EQ(game->buildings[1]->type, 2);
    EXPECT_EQ(towerAt(*game, 200), game->buildings[1]);
    EXPECT_EQ(towerAt(*game, 250), game->buildings[2]);
    EXPECT_EQ(game->money, 0);

    game->buildings[0]->takeDamage(1000);
    game->money = laser;
    play(player, 50);
    ASSERT_NE(towerAt(*game, 100), nullptr);
    EXPECT_EQ(towerAt(*game, 100)->type, 0);
    EXPECT_EQ(game->money, 0);
}

TEST_F(ScriptedPlayerTest, UpgradesRepairsAndSellsThroughTheTowerMenu) {
    const TowerDef& def = app->towerDefs[0];
    const int price1 = def.entries[kFirstUpgradeEntry].levels[0].value;
    const int price2 = def.entries[kFirstUpgradeEntry].levels[1].value;
    game->money = def.value + price1 + price2;
    ScriptedPlayer player = playerFor("start repair below 60\n"
                                      "start build laser 160\n"
                                      "start upgrade 160 1 2\n"
                                      "time 3 sell 160\n");
    play(player, 100);
    ASSERT_EQ(game->buildings.size(), 1u);
    Building* tower = game->buildings[0];
    EXPECT_EQ(tower->upgradeLevels[0], 2);
    EXPECT_EQ(game->money, 0);

    tower->health = def.health / 2; // below 60 %: repaired as soon as it can be paid
    const int cost = tower->repairCost();
    ASSERT_GT(cost, 0);
    game->money = cost;
    play(player, 50);
    EXPECT_EQ(tower->health, def.health);
    EXPECT_EQ(game->money, 0);

    play(player, 200); // past 3 s: sold, refunded, and not built again
    EXPECT_TRUE(game->buildings.empty());
    EXPECT_EQ(game->money, def.value / 2);
    EXPECT_TRUE(player.takeSold(tower));
    play(player, 100);
    EXPECT_TRUE(game->buildings.empty());
}

TEST_F(ScriptedPlayerTest, PassesOverWhatCannotBeDoneAndClosesMenusLeftOpen) {
    game->money = 10000;
    // 165 overlaps the first turret; 300 has no tower to upgrade; the last order still happens.
    ScriptedPlayer player = playerFor("start build laser 160\n"
                                      "start build laser 165\n"
                                      "start upgrade 300 1\n"
                                      "start build missile 40\n");
    game->uiMode = kUiGameMenu;
    play(player, 150);
    EXPECT_EQ(game->uiMode, kUiIdle);
    ASSERT_EQ(game->buildings.size(), 2u);
    EXPECT_EQ(game->buildings[1]->type, 1);
}

TEST_F(ScriptedPlayerTest, CallsTheNextWaveOnlyOnceNothingCanBeBought) {
    ScopedString bonus("EarlyWaveBonus", "3");
    game->money = app->towerDefs[0].value;
    game->waveTimer = 5.0;
    ScriptedPlayer player = playerFor("start build laser 160\n"
                                      "start build laser 200\n"
                                      "start early\n"
                                      "wave 2 early off\n");
    play(player, 30);
    ASSERT_EQ(game->buildings.size(), 1u) << "the affordable tower first";
    ASSERT_NE(game->wave, nullptr) << "then the wave, though the second tower waits for money";
    EXPECT_GT(game->waveTimer, -2.0);
    EXPECT_GE(game->money, 3 * 4);
    EXPECT_LE(game->money, 3 * 5);

    delete game->wave;
    game->wave = nullptr;
    game->waveNumber = 2;
    game->waveTimer = 5.0;
    play(player, 30);
    EXPECT_EQ(game->wave, nullptr) << "from wave 2 on the calm runs out by itself";
}

// A newcomer's orders: each click comes the reaction time after the decision, a laser goes to the
// free place nearest the invaders' middle (the field's middle between waves), and an upgrade
// under them is bought once, on the tower nearest them.
TEST_F(ScriptedPlayerTest, ANewcomerBuildsUnderTheInvadersLateAndUpgradesOnce) {
    const TowerDef& laser = app->towerDefs[0];
    const int upgrade = laser.entries[kFirstUpgradeEntry].levels[0].value;
    game->wave = new SquibbleWave(1);
    Invader* squibble = game->wave->invaders[0];
    squibble->x += 233 - squibble->centreX(); // nearest place: 240
    game->money = laser.value;
    ScriptedPlayer player = playerFor("start react 3\n"
                                      "wave 2 upgrade under 1 1\n"
                                      "start build laser under\n");
    play(player, 290);
    EXPECT_TRUE(game->buildings.empty()) << "still reacting";
    play(player, 20);
    ASSERT_NE(towerAt(*game, 240), nullptr);
    EXPECT_EQ(game->money, 0);

    delete game->wave;
    game->wave = nullptr;
    game->money = laser.value;
    play(player, 400);
    ASSERT_NE(towerAt(*game, 160), nullptr);

    game->waveNumber = 2;
    game->money = 2 * upgrade; // less than a laser once the upgrade is bought
    play(player, 1000);
    EXPECT_EQ(towerAt(*game, 160)->upgradeLevels[0], 1);
    EXPECT_EQ(towerAt(*game, 240)->upgradeLevels[0], 0) << "bought once";
    EXPECT_EQ(game->money, upgrade);
    EXPECT_EQ(game->buildings.size(), 2u);
}

// However long the plan, a decision looks only at the orders that may act now: a plan at the
// line limit, all but three of its orders for a wave far away, costs a frame what the three
// alone cost. One line more, or a file past the size limit, is refused before it is played.
TEST_F(ScriptedPlayerTest, AFramesCostDoesNotGrowWithTheOrdersStillToCome) {
    game->money = app->towerDefs[0].value; // the second turret waits for money
    std::string script = "start repair below 50\nstart build laser 160\nstart build laser 200\n";
    for (int line = 3; line < kMaxStrategyLines; ++line)
        script += "wave 900 upgrade " + std::to_string(20 * (1 + line % 15)) + " 1\n";
    ScriptedPlayer player = playerFor(script);
    play(player, 10);
    mostLookedAt = 0;
    play(player, 300);
    EXPECT_EQ(game->buildings.size(), 1u);
    EXPECT_GE(mostLookedAt, 1);
    EXPECT_LE(mostLookedAt, 2);

    Strategy s;
    std::string error;
    EXPECT_FALSE(parseStrategy(script + "start early\n", s, error));
    EXPECT_EQ(error.rfind("line " + std::to_string(kMaxStrategyLines + 1) + ": ", 0), 0u) << error;
    char path[] = "/tmp/groundline-strategy-test.XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    std::ofstream(path) << "start build laser 160\n" << std::string(kMaxStrategyBytes, '#');
    EXPECT_FALSE(loadStrategy(path, s, error));
    EXPECT_NE(error.find("larger than"), std::string::npos) << error;
    std::remove(path);
}

TEST(StrategyTest, ReadsEveryOrderAndNamesTheLineOfAMistake) {
    Strategy s;
    std::string error;
    ASSERT_TRUE(parseStrategy("# a plan\n\n"
                              "start repair below 40\r\n"
                              "wave 3 build tesla 130\n"
                              "time 12.5 upgrade 130 1\n"
                              "time 20 upgrade 130 1 2\n"
                              "  wave 6 sell 130\n"
                              "start early\n"
                              "wave 9 early off\n",
                              s, error))
        << error;
    ASSERT_EQ(s.orders.size(), 7u);
    EXPECT_EQ(s.orders[5].kind, StrategyOrder::kCallEarly);
    EXPECT_TRUE(s.orders[5].on);
    EXPECT_FALSE(s.orders[6].on);
    EXPECT_EQ(s.orders[0].kind, StrategyOrder::kRepairBelow);
    EXPECT_EQ(s.orders[0].percent, 40);
    EXPECT_EQ(s.orders[1].when, StrategyOrder::kWave);
    EXPECT_EQ(s.orders[1].at, 3);
    EXPECT_EQ(s.orders[1].type, 2);
    EXPECT_EQ(s.orders[2].when, StrategyOrder::kTime);
    EXPECT_EQ(s.orders[2].at, 12.5);
    EXPECT_EQ(s.orders[2].upgrade, 0);
    EXPECT_EQ(s.orders[2].level, 0);
    EXPECT_EQ(s.orders[3].level, 2);
    EXPECT_EQ(s.orders[4].kind, StrategyOrder::kSell);
    EXPECT_EQ(s.orders[4].line, 7);

    const char* bad[] = {"soon build laser 10", "start build cannon 10", "start build laser 320",
                         "wave 0 sell 10",      "start upgrade 10 0",    "start sell 10 extra",
                         "start repair 50",     "time -1 sell 10",       "start",
                         "start early now",     "start sell under",      "start react 61",
                         "start react"};
    for (const char* line : bad) {
        std::string text = std::string("start build laser 10\n") + line + "\n";
        EXPECT_FALSE(parseStrategy(text, s, error)) << line;
        EXPECT_EQ(error.rfind("line 2: ", 0), 0u) << error;
    }
    for (const std::string& name : builtinStrategyNames()) {
        EXPECT_TRUE(loadStrategy(name, s, error)) << name << ": " << error;
        EXPECT_EQ(s.name, name);
        Strategy again;
        EXPECT_TRUE(parseStrategy(formatStrategy(s), again, error)) << error;
        EXPECT_EQ(formatStrategy(again), formatStrategy(s));
    }
    EXPECT_FALSE(loadStrategy("/no/such/strategy", s, error));
}

} // namespace
