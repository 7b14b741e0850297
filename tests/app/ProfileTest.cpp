#include "app/Profile.h"
#include "app/SavedFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/groundline-profile.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        work = pattern;
    }
    void TearDown() override { fs::remove_all(work); }

    // The next run's view of the files.
    Profile load() const {
        Profile p(settings, best);
        p.quiet = true;
        p.load();
        return p;
    }
    static void write(const std::string& path, const std::string& text) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    // Files beside the kept ones: temporaries left behind.
    std::size_t strayFiles() const {
        std::size_t n = 0;
        for (const auto& e : fs::recursive_directory_iterator(work))
            n += e.is_regular_file() && e.path() != settings && e.path() != best;
        return n;
    }

    fs::path work;
    std::string settings = "";
    std::string best = "";
};

TEST_F(ProfileTest, AFirstRunIsSilentAndWhatIsSavedIsReadBackByTheNextRun) {
    settings = (work / "config" / "groundline" / "settings.txt").string();
    best = (work / "data" / "groundline" / "best.txt").string();
    Profile p = load();
    EXPECT_TRUE(p.soundOn);
    EXPECT_EQ(p.bestWaves, 0);
    EXPECT_TRUE(p.warnings.empty());
    p.saveSound(false);
    p.recordWavesDefeated(7);
    p.recordWavesDefeated(3); // a worse game keeps the best
    EXPECT_FALSE(load().soundOn);
    EXPECT_EQ(load().bestWaves, 7);
    EXPECT_TRUE(load().warnings.empty());
    EXPECT_EQ(strayFiles(), 0u);
    // A new file gets what the umask leaves; a save keeps the mode the player gave the file.
    auto mode = [](const std::string& path) { return fs::status(path).permissions(); };
    const mode_t mask = umask(022);
    fs::remove(settings);
    p.saveSound(true);
    EXPECT_EQ(mode(settings), static_cast<fs::perms>(0644));
    fs::permissions(settings, static_cast<fs::perms>(0640));
    p.saveSound(false);
    EXPECT_EQ(mode(settings), static_cast<fs::perms>(0640));
    umask(mask);
}

TEST_F(ProfileTest, ACorruptOrUnreadableFileCostsOneLineAndGivesTheDefaults) {
    settings = (work / "settings.txt").string();
    best = (work / "best.txt").string();
    for (const char* text :
         {"sound=maybe\nbest=-4\n", "\x89PNG\r\n\x1a\n", "best=12abc\n", "best=99999999999\n",
          "#only a comment\n", "=on\nsound=off\nbest=3\n"}) { // a line with no key
        write(settings, text);
        write(best, text);
        Profile p = load();
        EXPECT_TRUE(p.soundOn) << text;
        EXPECT_EQ(p.bestWaves, 0) << text;
        EXPECT_EQ(p.warnings.size(), 2u) << text;
    }
    write(best, "best=5\n" + std::string(10000, '#')); // too large to be ours
    fs::remove(settings);
    fs::create_directory(settings); // cannot be read
    EXPECT_EQ(load().warnings.size(), 2u);
    // Nothing ever writes to these FIFOs: opening one to read would wait for ever.
    fs::remove(settings);
    fs::remove(best);
    ASSERT_EQ(mkfifo(settings.c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(best.c_str(), 0600), 0);
    EXPECT_EQ(load().warnings.size(), 2u);
    fs::remove(best);
    // Unknown keys, comments and Windows line ends are no reason to throw a file away.
    write(best, "# mine\r\nbest=9\r\nplayer=ada\r\n");
    EXPECT_EQ(load().bestWaves, 9);
}

TEST_F(ProfileTest, AnUnwritableFileCostsOneLineAndTheGameKeepsTheValue) {
    // A plain file where the folder should be: even root cannot write under it.
    write((work / "in-the-way").string(), "");
    settings = (work / "in-the-way" / "settings.txt").string();
    best = (work / "in-the-way" / "best.txt").string();
    Profile p = load();
    p.warnings.clear();
    p.saveSound(false);
    p.recordWavesDefeated(4);
    EXPECT_FALSE(p.soundOn);
    EXPECT_EQ(p.bestWaves, 4);
    EXPECT_EQ(p.warnings.size(), 2u);
    // A folder in the file's place lets the temporary be written but not renamed over it.
    std::string error;
    fs::create_directories(work / "blocked" / "inside");
    EXPECT_FALSE(writeFileAtomically((work / "blocked").string(), "best=4\n", error));
    EXPECT_NE(error, "");
    EXPECT_EQ(strayFiles(), 1u) << "only in-the-way: no temporary is left behind";
}

TEST_F(ProfileTest, AnInterruptedWriteNeverLosesThePreviousBest) {
    best = (work / "best.txt").string();
    load().recordWavesDefeated(8);
    // A crash between writing the temporary and renaming it leaves it half written; the next
    // save removes it once it is stale, but never one that another game may be writing now, nor
    // a file of any other name.
    write(best + ".a1b2c3", "best=");
    fs::last_write_time(best + ".a1b2c3", fs::file_time_type::clock::now() - std::chrono::hours(1));
    write(best + ".d4e5f6", "best=");
    write(best + ".old", "best=3\n");
    Profile next = load();
    EXPECT_EQ(next.bestWaves, 8);
    EXPECT_TRUE(next.warnings.empty());
    next.recordWavesDefeated(9);
    EXPECT_EQ(load().bestWaves, 9);
    EXPECT_FALSE(fs::exists(best + ".a1b2c3"));
    EXPECT_EQ(strayFiles(), 2u);
}

} // namespace

namespace {

// Every setting is kept; a damaged one costs its own line and its default while the others
// still count; a file from before the settings page (sound only) reads silently.
TEST_F(ProfileTest, EachSettingIsKeptAndADamagedOneFallsBackAlone) {
    settings = (work / "settings.txt").string();
    Profile p = load();
    p.volume = 30;
    p.fullScreen = true;
    p.pauseOnFocusLoss = false;
    p.startSpeed = 3;
    p.saveSound(false);
    Profile next = load();
    EXPECT_EQ(next.volume, 30);
    EXPECT_TRUE(next.fullScreen);
    EXPECT_FALSE(next.pauseOnFocusLoss);
    EXPECT_EQ(next.startSpeed, 3);
    EXPECT_FALSE(next.soundOn);
    EXPECT_TRUE(next.warnings.empty());

    write(settings, "sound=off\nvolume=35\nfullscreen=on\npause_on_focus_loss=yes\nspeed=4\n");
    next = load();
    EXPECT_FALSE(next.soundOn);
    EXPECT_TRUE(next.fullScreen);
    EXPECT_EQ(next.volume, Profile::kDefaultVolume);
    EXPECT_TRUE(next.pauseOnFocusLoss);
    EXPECT_EQ(next.startSpeed, 1);
    ASSERT_EQ(next.warnings.size(), 3u);
    EXPECT_NE(next.warnings[0].find("volume=35"), std::string::npos) << next.warnings[0];

    write(settings, "sound=off\n");
    next = load();
    EXPECT_EQ(next.volume, Profile::kDefaultVolume);
    EXPECT_TRUE(next.warnings.empty());
}

} // namespace
