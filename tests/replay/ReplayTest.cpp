#include "app/GameApp.h"
#include "app/Options.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "invaders/Invader.h"
#include "invaders/Wave.h"
#include "replay/Digest.h"
#include "replay/Recorder.h"
#include "replay/ReplayFile.h"
#include "replay/ReplayPlayer.h"
#include "replay/ReplaySession.h"
#include "sim/Simulator.h"
#include "support/TestSupport.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <allegro.h>
#include <zlib.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

class ReplayTest : public AppFixture {
  protected:
    void SetUp() override {
        AppFixture::SetUp();
        if (!gameDataLoaded())
            GTEST_SKIP() << "the data set is not there";
        char pattern[] = "/tmp/groundline-replay-test.XXXXXX";
        int fd = mkstemp(pattern);
        ASSERT_GE(fd, 0);
        close(fd);
        path = pattern;
    }
    void TearDown() override {
        std::remove(path.c_str());
        AppFixture::TearDown();
    }

    // A headless run of the mixed player, recorded; returns the digest it printed.
    void record(double seconds) {
        SimOptions options;
        options.strategy = "mixed";
        options.seed = 4242;
        options.timeLimit = seconds;
        options.recordPath = path;
        std::ostringstream report;
        testing::internal::CaptureStdout();
        ASSERT_EQ(runSimulation(options, report), 0);
        std::string printed = testing::internal::GetCapturedStdout();
        ASSERT_EQ(printed.rfind("state digest: ", 0), 0u) << printed;
        digest = printed.substr(14, 16);
    }

    std::string readAll() {
        std::string text;
        gzFile f = gzopen(path.c_str(), "rb");
        char buffer[4096];
        int n;
        while ((n = gzread(f, buffer, sizeof buffer)) > 0)
            text.append(buffer, n);
        gzclose(f);
        return text;
    }
    void writeAll(const std::string& text, bool compressed = true) {
        if (!compressed) {
            std::ofstream(path, std::ios::binary) << text;
            return;
        }
        gzFile f = gzopen(path.c_str(), "wb");
        gzwrite(f, text.data(), static_cast<unsigned>(text.size()));
        gzclose(f);
    }
    void replace(const std::string& from, const std::string& to) {
        std::string text = readAll();
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        writeAll(text.replace(at, from.size(), to));
    }
    // Plays the file headless; returns the exit code and keeps what was printed.
    int replay() {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int code = runReplayHeadless("groundline-sim", path);
        printed = testing::internal::GetCapturedStdout();
        complaint = testing::internal::GetCapturedStderr();
        return code;
    }

    std::string path;
    std::string digest;
    std::string printed;
    std::string complaint;
};

TEST_F(ReplayTest, AHeadlessRecordingPlaysBackToTheRecordedDigest) {
    record(40.0); // the first wave, towers built, the build bar and the tower menu used
    const std::string text = readAll();
    EXPECT_EQ(text.rfind("groundline-replay 2\nversion " + std::string(gameVersion()) +
                             "\nseed 4242\n"
                             "data " +
                             dataDigest("data") + "\n",
                         0),
              0u);
    EXPECT_NE(text.find("\nend 4000 " + digest + "\n"), std::string::npos);

    EXPECT_EQ(replay(), 0) << complaint;
    EXPECT_EQ(printed, "state digest: " + digest + "\n");
    EXPECT_EQ(complaint, "");

    // A replay that does not end as recorded says so.
    replace("\nend 4000 " + digest, "\nend 4000 0123456789abcdef");
    EXPECT_EQ(replay(), kExitReplayDrifted);
    EXPECT_NE(complaint.find("drifted"), std::string::npos) << complaint;
}

// The mouse goes into the file in window pixels: a play-through recorded in a window of another
// scale, from a later first wave, still replays to its digest.
TEST_F(ReplayTest, ARecordingFromAnotherScaleAndWaveReplaysToItsDigest) {
    GameApp* app = GameApp::instance();
    const int scale = app->scale;
    app->scale = 3;
    SimOptions options;
    options.strategy = "lasers";
    options.seed = 99;
    options.startWave = 4;
    options.timeLimit = 30.0;
    options.recordPath = path;
    std::ostringstream report;
    testing::internal::CaptureStdout();
    const int recorded = runSimulation(options, report);
    app->scale = scale;
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_EQ(recorded, 0);
    EXPECT_NE(readAll().find("\nwave 4\nscale 3\n"), std::string::npos);
    EXPECT_EQ(replay(), 0) << complaint;
    EXPECT_EQ(printed, this->printed);
}

// A play-through at changing speeds with waves called early, recorded from the keys as the
// window's would be, with steps that are not whole microseconds as a window's clock gives them,
// plays back headless to its digest.
TEST_F(ReplayTest, SpeedChangesAndEarlyWavesPlayBackToTheirDigest) {
    ScopedString fast("Wave1SpeedBase", "300");
    ScopedString fastest("Wave1SpeedMax", "300");
    ScopedString strong("StartingHealth", "1000");
    struct : StepSource {
        double nextStep() override { return ++n % 2 ? 1.0 / 60 : 0.0123456789; }
        int n = 0;
    } steps;
    GameApp* app = GameApp::instance();
    app->stepSource = &steps;
    Game game;
    app->game = &game;
    testing::internal::CaptureStdout();
    ReplaySession session("test");
    ASSERT_EQ(session.startRecording(path, 77), 0);
    game.reset();
    for (int frame = 0; frame < 3000; ++frame) {
        if (frame % 200 == 5)
            keyboard.pressScanCode(KEY_N);
        if (frame % 700 == 10)
            keyboard.pressScanCode(KEY_F);
        game.update(app->tick());
        app->backBuffer->present();
    }
    game.running = false;
    ASSERT_EQ(session.finish(game), 0);
    digest = testing::internal::GetCapturedStdout().substr(14, 16);
    app->game = nullptr;
    app->stepSource = nullptr;
    EXPECT_GE(game.waveNumber, 3);
    EXPECT_GT(game.money, app->strings.getInt("StartingMoney"));

    EXPECT_EQ(replay(), 0) << complaint;
    EXPECT_EQ(printed, "state digest: " + digest + "\n");
}

TEST_F(ReplayTest, KeysAndRunsOfFramesComeBackAsTheyWent) {
    ReplayWriter writer;
    ReplayHeader header;
    header.version = "v";
    header.seed = 7;
    header.dataDigest = "d";
    header.firstWave = 12;
    header.scale = 3;
    ASSERT_TRUE(writer.open(path, header));
    ReplayFrame a;
    a.stepMicros = 10000;
    a.mouse = {10, 20, 1};
    ReplayFrame withKey = a;
    withKey.keys = {59 << 8, 27};
    writer.frame(a);
    writer.frame(a);
    writer.frame(withKey); // keys are never folded into a run, before or after
    writer.frame(a);
    writer.frame(a);
    writer.frame(a);
    ASSERT_TRUE(writer.close("abc"));

    Replay r;
    std::string error;
    ASSERT_TRUE(readReplay(path, r, error)) << error;
    EXPECT_EQ(r.header.version, "v");
    EXPECT_EQ(r.header.seed, 7u);
    EXPECT_EQ(r.header.dataDigest, "d");
    EXPECT_EQ(r.header.firstWave, 12);
    EXPECT_EQ(r.header.scale, 3);
    EXPECT_EQ(r.frameCount, 6);
    EXPECT_EQ(r.finalDigest, "abc");
    ASSERT_EQ(r.frames.size(), 3u);
    EXPECT_EQ(r.frames[0].repeat, 2);
    EXPECT_EQ(r.frames[1].keys, withKey.keys);
    EXPECT_EQ(r.frames[2].repeat, 3);
    EXPECT_EQ(r.frames[2].mouse.y, 20);
    EXPECT_EQ(microsToStep(stepToMicros(0.01)), 0.01);
}

// The fuzzing harness reads replays from memory: the text of a file reads as the file does. A
// damaged file's mouse, far outside any window, is carried to this window's scale within int.
TEST_F(ReplayTest, TheTextReadsAsTheFileAndAFarMouseStaysWithinInt) {
    record(2.0);
    const std::string text = readAll();
    Replay fromFile, fromText;
    std::string error;
    ASSERT_TRUE(readReplay(path, fromFile, error)) << error;
    ASSERT_TRUE(readReplayText(text.data(), text.size(), fromText, error)) << error;
    EXPECT_EQ(fromText.frameCount, fromFile.frameCount);
    EXPECT_EQ(fromText.finalDigest, fromFile.finalDigest);
    ASSERT_EQ(fromText.frames.size(), fromFile.frames.size());
    EXPECT_FALSE(readReplayText(text.data(), text.find("\nend "), fromText, error));
    EXPECT_NE(error.find("no end line"), std::string::npos) << error;

    const std::string far = text.substr(0, text.find('\n', text.find("\nscale ") + 1) + 1) +
                            "10000 2147483647 -2147483648 0\nend 1 x\n";
    ASSERT_TRUE(readReplayText(far.data(), far.size(), fromText, error)) << error;
    fromText.header.scale = 1;
    GameApp::instance()->scale = 2;
    ReplayPlayer player(fromText, false);
    player.install();
    player.nextStep();
    const MouseSample m = player.sample();
    player.uninstall();
    EXPECT_EQ(m.x, INT_MAX);
    EXPECT_EQ(m.y, INT_MIN);
}

TEST_F(ReplayTest, RefusesOtherDataOtherVersionsAndBrokenFilesInOneLine) {
    record(2.0);
    const std::string good = readAll();
    auto refused = [&](const std::string& text, bool compressed, const std::string& why) {
        writeAll(text, compressed);
        EXPECT_EQ(replay(), kExitBadReplay) << why;
        EXPECT_NE(complaint.find(why), std::string::npos) << complaint;
        EXPECT_EQ(std::count(complaint.begin(), complaint.end(), '\n'), 1) << complaint;
        EXPECT_EQ(printed, "") << why;
    };
    std::string other = good;
    other.replace(other.find("version "), 8 + std::string(gameVersion()).size(), "version 9.9");
    refused(other, true, "recorded with version 9.9, this is version");
    other = good;
    other.replace(other.find("data ") + 5, 16, "ffffffffffffffff");
    refused(other, true, "recorded with other data");
    refused(good.substr(0, good.find("\nend ")) + "\n", true, "no end line");
    refused("", false, "empty");
    refused("\x1f\x8b garbage that only looks compressed", false, "");
    refused("groundline-replay 1\n", false, "replay format 1, this game reads format 2");
    other = good; // a first wave no game can start at (--wave stops at 1000)
    other.replace(other.find("\nwave ") + 6, 1, "1001");
    refused(other, true, "bad first wave");
    const std::string header = good.substr(0, good.find('\n', good.find("\nscale ") + 1) + 1);
    refused(header + "10000 1 2 0\n* 99999999999999\nend 1 x\n", true, "bad repeat");
    refused(header + "* 3\nend 3 x\n", true, "bad repeat");
    refused(header + "10000 1 2 0\n* 0\nend 1 x\n", true, "bad repeat");
    refused(header + "10000 1 2 0 15131\n* 2\nend 3 x\n", true, "bad repeat"); // keys repeated

    refused(header + "10000 1 2\nend 1 x\n", true, "bad frame");
    refused(header + "10000 1 2 0\nend 2 x\n", true, "does not match");
    refused(header + std::string(5000, '7') + "\n", true, "too long");
    std::string many = header; // one line of input more than a replay may hold
    for (std::size_t i = 0; i <= kMaxReplayRuns; ++i)
        many += "10000 1 2 0\n";
    refused(many, true, "more changes of input than a replay may hold");
    std::remove(path.c_str());
    EXPECT_EQ(replay(), kExitBadReplay);
    EXPECT_NE(complaint.find("cannot open it"), std::string::npos) << complaint;
}

// A mouse that never rests makes every frame a line of its own. The recording ends with its end
// line short of what a replay may hold, on the game as it stands then (never inside the "Start
// Over" wipe), says so once, and reads back whole; the game goes on unrecorded.
TEST_F(ReplayTest, ARecordingEndsWhereAReplayCanStillHoldIt) {
    GameApp* app = GameApp::instance();
    Game game;
    game.reset();
    app->game = &game;
    app->minStep = 0.0;
    Recorder recorder;
    ReplayHeader header;
    header.version = gameVersion();
    header.dataDigest = "x";
    ASSERT_TRUE(recorder.start(path, header, "test"));
    const long long last = static_cast<long long>(kMaxReplayRuns) - Recorder::kReserveLines;
    testing::internal::CaptureStderr();
    for (long long i = 0; i <= static_cast<long long>(kMaxReplayRuns); ++i) {
        game.wiping = i >= last - 5 && i < last + 5;
        clock.time += 0.01;
        mouse.next.x = static_cast<int>(i % 1000);
        app->tick();
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(recorder.finish("later"));
    app->game = nullptr;
    EXPECT_EQ(said, "test: the recording ends after " + std::to_string(last + 5) +
                        " frames, as long as a replay may be\n");
    Replay replay;
    std::string error;
    ASSERT_TRUE(readReplay(path, replay, error)) << error;
    EXPECT_EQ(replay.frameCount, last + 5);
    EXPECT_EQ(replay.finalDigest, stateDigest(game));
}

TEST(DataDigestTest, ChangesWithAnyFileItsNameOrItsContents) {
    char pattern[] = "/tmp/groundline-data-digest.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string dir = pattern;
    auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(dir + "/" + name, std::ios::binary) << text;
    };
    EXPECT_EQ(dataDigest(dir), ""); // nothing to vouch for
    write("strings.txt", "A=1\n");
    write("bg.mz", "pixels");
    const std::string first = dataDigest(dir);
    EXPECT_EQ(first.size(), 16u);
    EXPECT_EQ(dataDigest(dir), first);
    write("bg.mz", "pixelz");
    EXPECT_NE(dataDigest(dir), first);
    write("bg.mz", "pixels");
    EXPECT_EQ(dataDigest(dir), first);
    std::rename((dir + "/bg.mz").c_str(), (dir + "/bh.mz").c_str());
    EXPECT_NE(dataDigest(dir), first);
    std::remove((dir + "/bh.mz").c_str());
    std::remove((dir + "/strings.txt").c_str());
    rmdir(dir.c_str());
    EXPECT_EQ(dataDigest("/no/such/folder"), "");
}

TEST_F(ReplayTest, TheStateDigestSeesWhatTheGameIsMadeOf) {
    Game game;
    GameApp::instance()->game = &game;
    srand(1);
    game.reset();
    const std::string fresh = stateDigest(game);
    EXPECT_EQ(stateDigest(game), fresh);
    game.money += 1;
    EXPECT_NE(stateDigest(game), fresh);
    game.money -= 1;
    game.clouds[3].x += 1e-9;
    EXPECT_NE(stateDigest(game), fresh);
    game.clouds[3].x -= 1e-9;
    game.waveTimer = -1.0;
    EXPECT_NE(stateDigest(game), fresh);
    game.waveTimer = 0.0;

    // Each single part a player could lose or see move, changed alone and put back.
    game.buildings.push_back(createTower(kLaserTurret));
    game.buildings.back()->placeAt(100);
    for (int frame = 0; frame < 100000 && (!game.wave || game.wave->invaders.empty()); ++frame)
        game.update(0.01);
    ASSERT_TRUE(game.wave && !game.wave->invaders.empty());
    const std::string busy = stateDigest(game);
    Invader* invader = game.wave->invaders.front();
    Building* tower = game.buildings.back();
    for (int* part : {&game.health, &game.money, &tower->health}) {
        *part += 1;
        EXPECT_NE(stateDigest(game), busy);
        *part -= 1;
    }
    invader->x += 1e-9;
    EXPECT_NE(stateDigest(game), busy);
    invader->x -= 1e-9;
    EXPECT_EQ(stateDigest(game), busy);
    GameApp::instance()->game = nullptr;
}

} // namespace
