#include "app/GameApp.h"
#include "game/Game.h"
#include "sim/Simulator.h"
#include "support/TestSupport.h"

#include <sstream>
#include <string>

namespace {

class GameStoryTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        if (!gameDataLoaded())
            GTEST_SKIP() << "the data set is not there";
    }
};

// mixed over the first `waves` waves of `seed`: the simulator's report, its counts in result.
std::string playMixed(unsigned seed, int waves, SimResult& result) {
    SimOptions options;
    options.strategy = "mixed";
    options.seed = seed;
    options.waves = waves;
    std::ostringstream out;
    EXPECT_EQ(runSimulation(options, out, &result), 0);
    return out.str();
}

long long numberAfter(const std::string& text, const std::string& label) {
    const std::size_t at = text.find(label);
    EXPECT_NE(at, std::string::npos) << label << " in " << text;
    return at == std::string::npos ? -1 : std::stoll(text.substr(at + label.size()));
}

// The story the game tells at its end agrees with what the simulator counts from outside, frame
// by frame: the kills and towers lost, and the money in hand is the start plus what was earned
// less what was spent. A fight with losses on both sides, so that every count is tested.
TEST_F(GameStoryTest, TheGameOverStoryAgreesWithWhatTheSimulatorSaw) {
    SimResult result;
    const std::string report = playMixed(4, 16, result);
    const std::size_t storyAt = report.find("\nmoney earned: ");
    ASSERT_NE(storyAt, std::string::npos) << report;
    const std::string story = report.substr(storyAt + 1, report.find('\n', storyAt + 1) - storyAt);
    const std::string totals = report.substr(report.find("totals: "));

    EXPECT_EQ(numberAfter(story, "invaders destroyed: "), result.kills);
    EXPECT_GT(result.kills, 0);
    const long long lost = numberAfter(totals, "towers lost ");
    EXPECT_GT(lost, 0) << "the fight must cost towers for this to test anything";
    EXPECT_EQ(numberAfter(story, ", lost: "), lost);
    EXPECT_GE(numberAfter(story, "towers built: "), lost);
    EXPECT_NEAR(static_cast<double>(numberAfter(story, "time played: ")), result.time, 1.0);

    // The last wave line's money column.
    const std::string beforeTotals = report.substr(0, report.find("totals: ") - 1);
    std::istringstream last(beforeTotals.substr(beforeTotals.rfind('\n') + 1));
    int wave = 0, money = 0;
    double time = 0.0;
    ASSERT_TRUE(last >> wave >> time >> money) << beforeTotals;
    EXPECT_EQ(GameApp::instance()->strings.getInt("StartingMoney") +
                  numberAfter(story, "money earned: ") - numberAfter(story, "spent: "),
              money);
    EXPECT_NE(story.find("most effective: Laser Turret ("), std::string::npos)
        << "lasers carry this fight: " << story;
}

// A boss's ring brings a squibble back in the very frame a shot brought it down: the list never
// shows it dead, and the kill still counts.
TEST_F(GameStoryTest, AKillTheBossUndoesWithinTheFrameStillCounts) {
    SimResult result;
    EXPECT_EQ(numberAfter(playMixed(3, 10, result), "invaders destroyed: "), result.kills);
}

} // namespace
