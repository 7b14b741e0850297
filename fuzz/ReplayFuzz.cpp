// Replay files: the reader, then the player that hands the recorded steps, mouse samples and
// keys to the game through its seams, in windows of several scales. A gzip input is inflated
// first, so a short one can hold a million frame lines.

#include "FuzzSupport.h"

#include "app/GameApp.h"
#include "replay/ReplayFile.h"
#include "replay/ReplayPlayer.h"

#include <string>

namespace {

// Enough to reach every line of a replay within -max_len (a line of a frame takes eight bytes
// at least); a "* N" line may promise millions more.
constexpr long long kMaxFramesPlayed = 1024;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setUpAllegro();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Room for one line more than a replay may hold, of the shortest kind.
    const std::vector<uint8_t> text = inflatedInput(data, size, (kMaxReplayRuns + 1) * 9);
    Replay replay;
    std::string error;
    if (!readReplayText(reinterpret_cast<const char*>(text.data()), text.size(), replay, error)) {
        require(!error.empty(), "a refused replay says why");
        return 0;
    }
    long long frames = 0;
    for (const ReplayFrame& frame : replay.frames) {
        require(frame.repeat >= 1 && (frame.repeat == 1 || frame.keys.empty()),
                "runs repeat frames without keys");
        require(frame.stepMicros >= 0, "no step goes back in time");
        frames += frame.repeat;
    }
    require(frames == replay.frameCount, "the end line counts every frame");
    require(replay.frames.size() <= kMaxReplayRuns, "no more lines kept than the limit");

    GameApp* app = GameApp::instance();
    for (int scale : {1, 3}) {
        app->scale = scale;
        ReplayPlayer player(replay, false);
        player.install();
        for (long long i = 0; i < kMaxFramesPlayed && player.framesPlayed() < frames; ++i) {
            player.nextStep();
            player.sample();
            while (player.keypressed())
                player.readkey();
        }
        player.uninstall();
    }
    app->scale = 2;
    return 0;
}
