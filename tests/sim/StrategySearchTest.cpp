#include "sim/Simulator.h"
#include "sim/StrategySearch.h"
#include "support/TestSupport.h"

#include <cstdio>
#include <sstream>
#include <unistd.h>

namespace {

class StrategySearchTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        if (!gameDataLoaded())
            GTEST_SKIP() << "the data set is not there";
    }

    // A search small enough for a unit test: short games, a few generations.
    static SearchOptions small(int jobs) {
        SearchOptions options;
        options.seed = 7;
        options.games = 40;
        options.jobs = jobs;
        options.gameSeeds = 1;
        options.checkSeeds = 2;
        options.keep = 2;
        options.population = 6;
        options.waves = 2;
        return options;
    }
};

TEST_F(StrategySearchTest, TheSameSeedAndBudgetFindTheSameBestHoweverTheGamesAreShared) {
    int played = 0;
    const std::vector<SearchEntry> first = searchStrategies(small(2), nullptr, &played);
    EXPECT_LE(played, 40);
    ASSERT_EQ(first.size(), 2u);
    const std::vector<SearchEntry> again = searchStrategies(small(2), nullptr);
    const std::vector<SearchEntry> alone = searchStrategies(small(1), nullptr);
    for (const std::vector<SearchEntry>* other : {&again, &alone}) {
        ASSERT_EQ(other->size(), first.size());
        for (std::size_t i = 0; i < first.size(); ++i) {
            EXPECT_EQ(formatStrategy((*other)[i].strategy), formatStrategy(first[i].strategy));
            EXPECT_EQ((*other)[i].score.waves, first[i].score.waves);
            EXPECT_EQ((*other)[i].score.health, first[i].score.health);
        }
    }
}

// The best plan, written as a file and read back, plays as well in groundline-sim as the search
// said; recorded, its replay (nothing but the mouse and keys of every frame) ends in the same
// state, so nothing but the player's input moved the game.
TEST_F(StrategySearchTest, TheBestPlaysTheSameFromItsFileAndActsOnlyThroughPlayerInput) {
    const std::vector<SearchEntry> best = searchStrategies(small(2), nullptr);
    ASSERT_FALSE(best.empty());
    Strategy readBack;
    std::string error;
    ASSERT_TRUE(parseStrategy(formatStrategy(best[0].strategy), readBack, error)) << error;
    EXPECT_EQ(formatStrategy(readBack), formatStrategy(best[0].strategy));

    char pattern[] = "/tmp/groundline-search-test.XXXXXX";
    const int fd = mkstemp(pattern);
    ASSERT_GE(fd, 0);
    close(fd);
    SimOptions options;
    options.script = &readBack;
    options.seed = 2;
    options.waves = 2;
    options.recordPath = pattern;
    std::ostringstream report;
    SimResult result;
    testing::internal::CaptureStdout();
    EXPECT_EQ(runSimulation(options, report, &result), 0);
    EXPECT_EQ(runReplayHeadless("test", pattern), 0);
    testing::internal::GetCapturedStdout();
    std::remove(pattern);
    EXPECT_EQ(result.wavesDefeated, best[0].score.waves[1]);
    EXPECT_EQ(result.health, best[0].score.health[1]);
}

} // namespace
