#include "replay/ReplaySession.h"

#include "app/GameApp.h"
#include "app/Options.h"
#include "game/Game.h"
#include "replay/Digest.h"
#include "replay/Recorder.h"
#include "replay/ReplayPlayer.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

ReplaySession::ReplaySession(std::string program) : program(std::move(program)) {}

ReplaySession::~ReplaySession() {
    if (player)
        player->uninstall();
    if (recorder)
        recorder->abandon();
}

int ReplaySession::refuse(const std::string& message) const {
    std::fprintf(stderr, "%s: %s\n", program.c_str(), message.c_str());
    return kExitBadReplay;
}

int ReplaySession::startRecording(const std::string& path, unsigned seed) {
    GameApp* app = GameApp::instance();
    ReplayHeader header;
    header.version = gameVersion();
    header.seed = seed;
    header.dataDigest = dataDigest(app->dataDir);
    header.firstWave = app->game ? app->game->firstWave : 1;
    header.scale = app->scale;
    header.difficulty = app->difficulty;
    if (header.dataDigest.empty())
        return refuse("cannot record: the data folder cannot be read");
    auto r = std::make_unique<Recorder>();
    if (!r->start(path, header, program))
        return refuse("cannot record to " + path);
    std::srand(seed);
    recorder = std::move(r);
    sessionPath = path;
    return 0;
}

int ReplaySession::startReplay(const std::string& path, bool paced) {
    Replay replay;
    std::string error;
    if (!readReplay(path, replay, error))
        return refuse("cannot replay " + path + ": " + error);
    const ReplayHeader& header = replay.header;
    if (header.version != gameVersion())
        return refuse("cannot replay " + path + ": it was recorded with version " + header.version +
                      ", this is version " + gameVersion());
    GameApp* app = GameApp::instance();
    const std::string data = dataDigest(app->dataDir);
    if (header.dataDigest != data)
        return refuse("cannot replay " + path + ": it was recorded with other data (" +
                      header.dataDigest + ", here " + (data.empty() ? "none" : data) + ")");
    if (app->game)
        app->game->firstWave = header.firstWave;
    if (header.difficulty != app->difficulty)
        playAtDifficulty(*app, header.difficulty, program.c_str());
    // A replay is not a game of the player's: it sets no best result and changes no setting.
    Profile memoryOnly;
    memoryOnly.soundOn = app->profile.soundOn;
    memoryOnly.volume = app->profile.volume;
    memoryOnly.bestWaves = app->profile.bestWaves;
    memoryOnly.level = app->profile.level;
    app->profile = memoryOnly;
    std::srand(header.seed);
    player = std::make_unique<ReplayPlayer>(std::move(replay), paced);
    player->install();
    sessionPath = path;
    return 0;
}

int ReplaySession::finish(const Game& game) {
    if (!recorder && !player)
        return 0;
    const std::string digest = stateDigest(game);
    std::printf("state digest: %s\n", digest.c_str());
    std::fflush(stdout);
    int status = 0;
    if (recorder) {
        if (!recorder->finish(digest))
            status = refuse("could not finish writing " + sessionPath);
        recorder.reset();
    }
    if (player) {
        player->uninstall();
        const Replay& replay = player->recording();
        if (player->framesPlayed() < replay.frameCount && GameApp::instance()->closeRequested) {
            // The viewer closed the window (or the game was told to end): a replay left before
            // its end has nothing to be checked against, and leaving is no failure.
        } else if (player->framesPlayed() < replay.frameCount) {
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
