#include "app/GameApp.h"
#include "sim/Simulator.h"
#include "support/TestSupport.h"

#include <sstream>

namespace {

class SimulatorTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        if (!gameDataLoaded())
            GTEST_SKIP() << "the data set is not there";
    }

    std::string run(const std::string& strategy, unsigned seed, int waves, double seconds) {
        SimOptions options;
        options.strategy = strategy;
        options.seed = seed;
        options.waves = waves;
        options.timeLimit = seconds;
        std::ostringstream out;
        EXPECT_EQ(runSimulation(options, out), 0);
        return out.str();
    }

    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }
};

TEST_F(SimulatorTest, TheSameSeedGivesTheSameReportByteForByte) {
    const std::string first = run("mixed", 77, 3, 200.0);
    const GameApp* app = GameApp::instance();
    EXPECT_EQ(app->stepSource, nullptr); // the seams are put back
    EXPECT_EQ(app->mouse, &mouse);
    EXPECT_EQ(run("mixed", 77, 3, 200.0), first);

    const std::vector<std::string> report = lines(first);
    ASSERT_GE(report.size(), 5u);
    EXPECT_EQ(report[0].rfind("strategy mixed, seed 77, first wave 1, step 0.01 s, data ", 0), 0u);
    EXPECT_EQ(report[report.size() - 2].rfind("ended: ", 0), 0u) << first;
    EXPECT_EQ(report.back().rfind("waves defeated: ", 0), 0u) << first;
}

TEST_F(SimulatorTest, ReportsEveryWaveAndWhyItEnded) {
    // Without invaders a wave is over at once, so the rest of the schedule shows: one line per
    // wave, each after the calm between waves.
    const std::string report = run("lasers", 1, 2, 1000.0);
    const std::vector<std::string> l = lines(report);
    int waveLines = 0;
    for (const std::string& line : l)
        waveLines += line.size() > 5 && line[4] >= '1' && line[4] <= '9';
    if (report.find("ended: wave limit reached (2)") != std::string::npos) {
        EXPECT_EQ(waveLines, 2) << report;
        EXPECT_EQ(l.back(), "waves defeated: 2");
    } else {
        // Waves that can only end by shooting down their invaders run into the time limit.
        EXPECT_NE(report.find("ended: time limit (1000 s) in wave"), std::string::npos) << report;
    }
    EXPECT_NE(report.find("ended: "), std::string::npos);
}

} // namespace
