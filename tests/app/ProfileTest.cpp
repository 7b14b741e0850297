#include "app/Profile.h"
#include "app/SavedFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/groundline-profile.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        work = pattern;
        settings = (work / "config" / "groundline" / "settings.txt").string();
        best = (work / "data" / "groundline" / "best.txt").string();
    }
    void TearDown() override { fs::remove_all(work); }

    Profile fresh() const {
        Profile p(settings, best);
        p.quiet = true;
        p.load();
        return p;
    }
    static void write(const std::string& path, const std::string& text) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string read(const std::string& path) {
        std::ostringstream s;
        s << std::ifstream(path, std::ios::binary).rdbuf();
        return s.str();
    }
    // Temporary files left beside path (its name and a suffix).
    static std::size_t temporariesBeside(const std::string& path) {
        const std::string prefix = fs::path(path).filename().string() + ".";
        std::size_t n = 0;
        for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
            n += entry.path().filename().string().rfind(prefix, 0) == 0;
        return n;
    }

    fs::path work;
    std::string settings;
    std::string best;
};

TEST_F(ProfileTest, AFirstRunHasTheDefaultsAndSaysNothing) {
    Profile p = fresh();
    EXPECT_TRUE(p.soundOn);
    EXPECT_EQ(p.bestWaves, 0);
    EXPECT_TRUE(p.warnings.empty());
    EXPECT_FALSE(fs::exists(settings)) << "nothing is written before there is something to keep";
}

TEST_F(ProfileTest, TheSoundSwitchAndTheBestAreReadBackByTheNextRun) {
    Profile p = fresh();
    p.saveSound(false);
    p.recordWavesDefeated(7);
    p.recordWavesDefeated(3); // a worse game keeps the best
    EXPECT_EQ(p.bestWaves, 7);

    Profile next = fresh();
    EXPECT_FALSE(next.soundOn);
    EXPECT_EQ(next.bestWaves, 7);
    EXPECT_TRUE(next.warnings.empty());
    next.saveSound(true);
    next.recordWavesDefeated(12);
    EXPECT_TRUE(fresh().soundOn);
    EXPECT_EQ(fresh().bestWaves, 12);
    EXPECT_EQ(temporariesBeside(settings), 0u) << "no temporary file is left behind";
    EXPECT_EQ(temporariesBeside(best), 0u);
}

TEST_F(ProfileTest, ACorruptFileCostsOneLineAndGivesTheDefaults) {
    const char* corrupt[] = {"sound=maybe\n", "\x89PNG\r\n\x1a\n",  "best=-4\n",
                             "best=12abc\n",  "best=99999999999\n", "#only a comment\n"};
    for (const char* text : corrupt) {
        write(settings, text);
        write(best, text);
        Profile p = fresh();
        EXPECT_TRUE(p.soundOn) << text;
        EXPECT_EQ(p.bestWaves, 0) << text;
        EXPECT_EQ(p.warnings.size(), 2u) << text;
    }
    // A file too large to be ours, and one that is a folder.
    write(best, "best=5\n" + std::string(10000, '#'));
    fs::remove(settings);
    fs::create_directory(settings);
    Profile p = fresh();
    EXPECT_EQ(p.bestWaves, 0);
    EXPECT_TRUE(p.soundOn);
    EXPECT_EQ(p.warnings.size(), 2u);
    // Unknown keys, comments and Windows line ends are no reason to throw a file away.
    write(best, "# mine\r\nbest=9\r\nplayer=ada\r\n");
    EXPECT_EQ(fresh().bestWaves, 9);
}

TEST_F(ProfileTest, AnUnwritableFolderCostsOneLineAndTheGameKeepsTheValue) {
    // A plain file where the folder should be: even root cannot write under it.
    write((work / "config").string(), "in the way");
    write((work / "data").string(), "in the way");
    Profile p = fresh();
    EXPECT_TRUE(p.soundOn);
    EXPECT_EQ(p.warnings.size(), 2u) << "neither file can be read";
    p.warnings.clear();
    p.saveSound(false);
    p.recordWavesDefeated(4);
    EXPECT_FALSE(p.soundOn);
    EXPECT_EQ(p.bestWaves, 4);
    ASSERT_EQ(p.warnings.size(), 2u);
    EXPECT_NE(p.warnings[0].find(settings), std::string::npos) << p.warnings[0];
}

TEST_F(ProfileTest, AnInterruptedWriteNeverLosesThePreviousBest) {
    Profile p = fresh();
    p.recordWavesDefeated(8);
    // A crash between creating the temporary file and renaming it leaves a half-written
    // temporary beside the kept file.
    write(best + ".a1b2c3", "best=");
    Profile next = fresh();
    EXPECT_EQ(next.bestWaves, 8);
    EXPECT_TRUE(next.warnings.empty());
    next.recordWavesDefeated(9);
    EXPECT_EQ(fresh().bestWaves, 9);
    EXPECT_EQ(read(best + ".a1b2c3"), "best=") << "another writer's file is not ours to touch";
}

TEST_F(ProfileTest, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    std::string error;
    ASSERT_TRUE(writeFileAtomically(best, "best=3\n", error)) << error;
    // The rename cannot replace a folder: the write fails after the temporary is complete.
    const std::string blocked = (work / "blocked").string();
    fs::create_directories(fs::path(blocked) / "inside");
    EXPECT_FALSE(writeFileAtomically(blocked, "best=4\n", error));
    EXPECT_NE(error, "");
    EXPECT_EQ(temporariesBeside(blocked), 0u);
    EXPECT_EQ(read(best), "best=3\n");
}

TEST(SavedFileTest, TheXdgFoldersFallBackToTheHome) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const std::string savedConfig = config ? config : "", savedData = data ? data : "",
                      savedHome = home ? home : "";
    setenv("HOME", "/home/ada", 1);
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
    EXPECT_EQ(configHome(), "/cfg");
    EXPECT_EQ(dataHome(), "/home/ada/.local/share");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(configHome(), "/home/ada/.config");
    unsetenv("HOME");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(dataHome(), "");
    EXPECT_EQ(Profile::forPlayer().bestFile, "") << "no home: nothing is kept";
    auto restore = [](const char* name, const char* was, const std::string& value) {
        if (was)
            setenv(name, value.c_str(), 1);
        else
            unsetenv(name);
    };
    restore("XDG_CONFIG_HOME", config, savedConfig);
    restore("XDG_DATA_HOME", data, savedData);
    restore("HOME", home, savedHome);
}

} // namespace
