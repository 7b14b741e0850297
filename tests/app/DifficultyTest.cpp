#include "app/Difficulty.h"
#include "app/GameApp.h"
#include "app/Profile.h"
#include "app/StringTable.h"
#include "game/Game.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>

namespace {

using DifficultyTest = GameFixture;

// Each level's file changes only keys strings.txt has, and every key it names; Normal's none.
TEST_F(DifficultyTest, EachLevelLoadsAndChangesWhatItSays) {
    StringTable normal;
    ASSERT_TRUE(normal.load(sourcePath("data/strings.txt")));
    for (const char* name : {"easy", "normal", "hard"}) {
        const std::string path = sourcePath(std::string("data/") + name + ".txt");
        StringTable alone;
        ASSERT_TRUE(alone.load(path)) << path;
        StringTable level = normal;
        std::vector<std::string> problems;
        ASSERT_TRUE(readOverlay(path, level, problems));
        EXPECT_TRUE(problems.empty()) << problems.front();
        EXPECT_EQ(alone.size() == 0, std::string(name) == "normal") << path;
        for (const std::string& key : alone.keys()) {
            EXPECT_EQ(level.get(key), alone.get(key)) << path << " " << key;
            EXPECT_NE(level.get(key), normal.get(key)) << path << " changes nothing in " << key;
        }
        EXPECT_EQ(level.size(), normal.size()) << path << " adds no key";
    }

    std::ofstream(::testing::TempDir() + "typo.txt") << "StartingHelth=50\nStartingMoney=7\n";
    StringTable level = normal;
    std::vector<std::string> problems;
    ASSERT_TRUE(readOverlay(::testing::TempDir() + "typo.txt", level, problems));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("StartingHelth"), std::string::npos);
    EXPECT_EQ(level.getInt("StartingMoney"), 7);
    EXPECT_FALSE(readOverlay("no/such/level.txt", level, problems));
}

// A level reaches what was built at start-up (the squibbles' definition), the next game and the
// best it counts for; going back to Normal puts the data back as it was loaded.
TEST_F(DifficultyTest, PlayingAtALevelRebuildsTheGameFromItsData) {
    GameApp* app = GameApp::instance();
    const double normalGrowth = app->invaderDefs[0].healthIncrease;
    const int normalHealth = app->strings.getInt("StartingHealth");
    app->profile.bestByLevel[static_cast<int>(Difficulty::Hard)] = 6;

    playAtDifficulty(*app, Difficulty::Hard, "test");
    EXPECT_GT(app->invaderDefs[0].healthIncrease, normalGrowth);
    EXPECT_EQ(app->profile.bestWaves, 6);
    game->reset();
    EXPECT_LT(game->health, normalHealth);

    playAtDifficulty(*app, Difficulty::Normal, "test");
    EXPECT_EQ(app->invaderDefs[0].healthIncrease, normalGrowth);
    game->reset();
    EXPECT_EQ(game->health, normalHealth);
}

TEST(DifficultyProfileTest, TheBestIsKeptPerLevelBesideTheOldNormalLine) {
    const std::string best = ::testing::TempDir() + "levels_best.txt";
    std::ofstream(best) << "best=9\n"; // written before there were levels
    Profile p("", best);
    p.quiet = true;
    p.load();
    EXPECT_EQ(p.bestWaves, 9);
    p.useLevel(Difficulty::Easy);
    EXPECT_EQ(p.bestWaves, 0);
    p.recordWavesDefeated(30);
    Profile next("", best);
    next.load();
    EXPECT_EQ(next.bestWaves, 9);
    next.useLevel(Difficulty::Easy);
    EXPECT_EQ(next.bestWaves, 30);
    next.useLevel(Difficulty::Hard);
    EXPECT_EQ(next.bestWaves, 0);
    EXPECT_TRUE(next.warnings.empty());
}

} // namespace
