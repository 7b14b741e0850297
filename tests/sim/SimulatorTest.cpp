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
    EXPECT_EQ(report[report.size() - 3].rfind("ended: ", 0), 0u) << first;
    EXPECT_EQ(report[report.size() - 2].rfind("waves defeated: ", 0), 0u) << first;
    EXPECT_EQ(report.back().rfind("state digest: ", 0), 0u) << first;
}

// The rules that data keys switch on (upgrades bought again, the block quickening as it thins,
// the light opening, the late health compounding) turned off here, with the money to start and
// the values they retuned as they were before them, and the game plays as it did before they
// came: these digests are those of the game without them (they move with the shipped invaders'
// values, as when the mites grew tougher, and with the coil's second upgrade and the kinds'
// shares of the towers' hits).
TEST_F(SimulatorTest, WithTheRulesBehindKeysOffTheGamePlaysAsBefore) {
    const ScopedString quickening("WaveQuickening", "0");
    const ScopedString opening("OpeningWaves", "0");
    const ScopedString money("StartingMoney", "120");
    playWithoutTheLateRules();
    EXPECT_EQ(lines(run("mixed", 1, 12, 0.0)).back(), "state digest: 623488654fdfe2b8");
    EXPECT_EQ(lines(run("hasty", 2, 10, 0.0)).back(), "state digest: f320c16848f6e91a");
}

// The search plays for the result alone, without the sky, the HUD's checks, the statistics and
// the puffs; through the first boss (its bombs' puffs, the towers' smoke, the missiles' trails)
// the game ends exactly as the full run does, and the run leaves the switch as it found it.
TEST_F(SimulatorTest, AGamePlayedForItsResultAloneEndsAsTheFullGame) {
    for (const char* strategy : {"mixed", "hasty"}) {
        SimOptions options;
        options.strategy = strategy;
        options.waves = 11;
        std::ostringstream full, bare;
        SimResult seen, alone;
        ASSERT_EQ(runSimulation(options, full, &seen), 0);
        options.resultOnly = true;
        ASSERT_EQ(runSimulation(options, bare, &alone), 0);
        EXPECT_FALSE(GameApp::instance()->resultOnly);
        EXPECT_TRUE(bare.str().empty());
        EXPECT_GE(seen.wavesDefeated, 10) << strategy;
        EXPECT_EQ(alone.wavesDefeated, seen.wavesDefeated) << strategy;
        EXPECT_EQ(alone.health, seen.health) << strategy;
        EXPECT_EQ(alone.frames, seen.frames) << strategy;
        EXPECT_EQ(alone.lost, seen.lost) << strategy;
    }
}

// One line per wave in order, the wave the run stopped in included, then why it stopped; which
// ending comes depends on what the waves and towers can do, so every ending is checked.
TEST_F(SimulatorTest, ReportsEveryWaveAndWhyItEnded) {
    for (const char* strategy : {"idle", "lasers"}) {
        const std::string report = run(strategy, 1, 2, 400.0);
        std::vector<int> waves;
        int lastHealth = -1;
        for (const std::string& line : lines(report)) {
            std::istringstream in(line);
            int wave, money, health;
            double time;
            if (in >> wave >> time >> money >> health) {
                waves.push_back(wave);
                lastHealth = health;
            }
        }
        ASSERT_FALSE(waves.empty()) << report;
        for (std::size_t i = 0; i < waves.size(); ++i)
            EXPECT_EQ(waves[i], static_cast<int>(i) + 1) << report;
        const std::vector<std::string> l = lines(report);
        const std::string& ended = l[l.size() - 3];
        const int defeated = std::stoi(l[l.size() - 2].substr(16));
        if (ended.rfind("ended: lost in wave ", 0) == 0) {
            EXPECT_EQ(std::stoi(ended.substr(20)), waves.back()) << report;
            EXPECT_EQ(lastHealth, 0) << report;
            EXPECT_EQ(defeated, waves.back() - 1) << report;
        } else if (ended.rfind("ended: wave limit reached (2)", 0) == 0) {
            EXPECT_EQ(waves.size(), 2u) << report;
            EXPECT_EQ(defeated, 2) << report;
        } else {
            EXPECT_EQ(ended.rfind("ended: time limit (400 s) in wave ", 0), 0u) << report;
            EXPECT_EQ(defeated, waves.back() - 1) << report;
        }
    }
}

} // namespace
