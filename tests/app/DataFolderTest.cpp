#include "app/DataFolder.h"
#include "app/GameApp.h"
#include "support/TestSupport.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A scratch tree: WORK/play (the working folder), WORK/prefix/bin/groundline and the installed
// WORK/prefix/share/groundline. The test runs with WORK/play as its working folder.
class DataFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/groundline-folders.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        work = pattern;
        fs::create_directories(work / "play" / "data");
        fs::create_directories(work / "prefix" / "bin");
        fs::create_directories(work / "prefix" / "share" / "groundline");
        fs::create_directories(work / "mine");
        saved = fs::current_path();
        fs::current_path(work / "play");
    }
    void TearDown() override {
        fs::current_path(saved);
        fs::remove_all(work);
    }
    void strings(const fs::path& folder) { std::ofstream(folder / "strings.txt") << "A=1\n"; }
    std::string exe() const { return (work / "prefix" / "bin" / "groundline").string(); }
    std::string installed() const {
        return exe().substr(0, exe().rfind('/') + 1) + "../share/groundline";
    }

    fs::path work;
    fs::path saved;
};

TEST_F(DataFolderTest, TheWorkingFolderComesFirstThenTheInstalledOne) {
    EXPECT_EQ(findDataFolder("", exe()), "") << "nothing holds strings.txt yet";
    strings(work / "prefix" / "share" / "groundline");
    EXPECT_EQ(installedDataFolder(exe()), installed());
    EXPECT_EQ(findDataFolder("", exe()), installed());
    strings(work / "play" / "data");
    EXPECT_EQ(findDataFolder("", exe()), "data");
    EXPECT_EQ(findDataFolder("", ""), "data");
}

TEST_F(DataFolderTest, AChosenFolderIsTheOnlyOneTried) {
    strings(work / "play" / "data");
    strings(work / "prefix" / "share" / "groundline");
    const std::string mine = (work / "mine").string();
    EXPECT_EQ(findDataFolder(mine, exe()), "") << "no strings.txt in the chosen folder";
    strings(work / "mine");
    EXPECT_EQ(findDataFolder(mine, exe()), mine);
}

TEST(DataPathTest, DataFilesFollowTheChosenFolder) {
    GameApp* app = GameApp::instance();
    const std::string saved = app->dataDir;
    app->dataDir = "/usr/share/groundline";
    EXPECT_EQ(app->dataPath("data/bg.mz"), "/usr/share/groundline/bg.mz");
    EXPECT_EQ(app->dataPath("other/bg.mz"), "other/bg.mz");
    EXPECT_EQ(app->dataPath(""), "");
    app->dataDir = "data";
    EXPECT_EQ(app->dataPath("data/bg.mz"), "data/bg.mz");
    app->dataDir = saved;
}

} // namespace
