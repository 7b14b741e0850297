#include "sim/ReplaySession.h"

#include "app/Version.h"
#include "sim/Digest.h"
#include "sim/Recorder.h"
#include "sim/ReplayPlayer.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<Recorder> recorder;
std::unique_ptr<ReplayPlayer> player;
std::string sessionPath;

int refuse(const std::string& program, const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", program.c_str(), message.c_str());
    return kExitBadReplay;
}

} // namespace

int startRecording(const std::string& program, const std::string& path, unsigned seed) {
    const std::string data = dataDigest("data");
    if (data.empty())
        return refuse(program, "cannot record: the data folder cannot be read");
    auto r = std::make_unique<Recorder>();
    if (!r->start(path, seed, data))
        return refuse(program, "cannot record to " + path);
    std::srand(seed);
    recorder = std::move(r);
    sessionPath = path;
    return 0;
}

int startReplay(const std::string& program, const std::string& path, bool paced) {
    Replay replay;
    std::string error;
    if (!readReplay(path, replay, error))
        return refuse(program, "cannot replay " + path + ": " + error);
    if (replay.version != kGameVersion)
        return refuse(program, "cannot replay " + path + ": it was recorded with version " +
                                   replay.version + ", this is version " + kGameVersion);
    const std::string data = dataDigest("data");
    if (replay.dataDigest != data)
        return refuse(program, "cannot replay " + path + ": it was recorded with other data (" +
                                   replay.dataDigest + ", here " + (data.empty() ? "none" : data) +
                                   ")");
    std::srand(replay.seed);
    player = std::make_unique<ReplayPlayer>(std::move(replay), paced);
    player->install();
    sessionPath = path;
    return 0;
}

int finishPlaySession(const std::string& program, const Game& game) {
    if (!recorder && !player)
        return 0;
    const std::string digest = stateDigest(game);
    std::printf("state digest: %s\n", digest.c_str());
    std::fflush(stdout);
    int status = 0;
    if (recorder) {
        if (!recorder->finish(digest))
            status = refuse(program, "could not finish writing " + sessionPath);
        recorder.reset();
    }
    if (player) {
        player->uninstall();
        const Replay& replay = player->recording();
        if (player->framesPlayed() < replay.frameCount) {
            std::fprintf(stderr, "%s: the replay stopped after %lld of %lld frames\n",
                         program.c_str(), player->framesPlayed(), replay.frameCount);
            status = kExitReplayDrifted;
        } else if (digest != replay.finalDigest) {
            std::fprintf(stderr, "%s: the replay drifted: it ended with %s, recorded %s\n",
                         program.c_str(), digest.c_str(), replay.finalDigest.c_str());
            status = kExitReplayDrifted;
        }
        player.reset();
    }
    return status;
}
