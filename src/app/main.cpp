#include "app/GameApp.h"
#include "app/Options.h"
#include "game/Game.h"
#include "replay/ReplaySession.h"

#include <allegro.h>

#include <cstdio>
#include <ctime>

int main(int argc, char** argv) {
    GameApp* app = GameApp::instance();
    // First of all: until then a termination signal would end the process by its default action.
    installTerminationHandlers(app->platformInbox());
    const ParsedOptions parsed = parseOptions(argc, argv);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "groundline: %s (see groundline --help)\n", parsed.error.c_str());
        return kExitUsage;
    }
    const Options& options = parsed.options;
    if (options.help || options.version) {
        std::fputs(options.help ? usageText().c_str() : versionText().c_str(), stdout);
        return 0;
    }

    // A game closed while it loaded never starts: no frame, no recording.
    const StartResult start = app->init(options);
    if (!start.ready())
        return start.exitCode;

    Game* game = new Game();
    game->firstWave = options.firstWave;
    game->inputRecorded = !options.recordPath.empty() || !options.replayPath.empty();
    game->useStartSpeed(app->profile.startSpeed);
    app->game = game;
    ReplaySession session("groundline");
    int status = 0;
    if (!options.recordPath.empty())
        status =
            session.startRecording(options.recordPath, static_cast<unsigned>(std::time(nullptr)));
    else if (!options.replayPath.empty())
        status = session.startReplay(options.replayPath, true);
    if (status == 0) {
        game->run();
        status = session.finish(*game);
        if (status == 0)
            status = app->closedExitCode();
    }
    app->game = nullptr;
    delete game;
    return status;
}
END_OF_MAIN()
