#include "app/GameApp.h"
#include "invaders/InvaderKinds.h"
#include "sim/Simulator.h"
#include "support/TestSupport.h"

#include <sstream>

namespace {

using ZeroShareTest = AppFixture;

// With no share for any kind but the squibble, the shipped strategies play exactly the games
// they played before the other kinds existed: these digests were printed by the simulator of
// that time, on the shipped data, but for the coil's second upgrade (Chain Lightning), whose
// level every coil's digest counts though these plans never buy it.
TEST_F(ZeroShareTest, WithoutTheOtherKindsTheShippedStrategiesPlayTheGamesTheyAlwaysPlayed) {
    if (!gameDataLoaded())
        GTEST_SKIP() << "the data set is not there";
    playWithoutTheLateRules();
    for (InvaderDef& def : GameApp::instance()->invaderDefs)
        def.share = def.shareGrowth = 0.0;
    // And the opening of that time: no quickening, no light squibbles, 120 to start with.
    const ScopedString quickening("WaveQuickening", "0");
    const ScopedString opening("OpeningWaves", "0");
    const ScopedString money("StartingMoney", "120");
    struct Case {
        const char* strategy;
        unsigned seed;
        const char* digest;
    };
    const Case cases[] = {
        {"tests/sim/strategies/best-1.txt", 3, "123edfcce10d2a85"},
        {"tests/sim/strategies/best-3.txt", 3, "fea2a3b48e3cff10"},
        {"tests/sim/strategies/only-laser.txt", 3, "c76be897b06efe45"},
        {"mixed", 2, "9cf23371a87ecae8"},
    };
    for (const Case& c : cases) {
        SimOptions options;
        options.strategy = c.strategy;
        options.seed = c.seed;
        options.waves = 25;
        std::ostringstream report;
        ASSERT_EQ(runSimulation(options, report), 0);
        const std::string text = report.str();
        EXPECT_NE(text.find(std::string("state digest: ") + c.digest), std::string::npos)
            << c.strategy << "\n"
            << text;
        EXPECT_NE(text.find("kills by kind: squibble "), std::string::npos);
    }
}

} // namespace
