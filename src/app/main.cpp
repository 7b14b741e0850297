#include "app/GameApp.h"
#include "app/Options.h"
#include "game/Game.h"
#include "game/SaveSlot.h"
#include "game/StartScreen.h"
#include "replay/ReplaySession.h"

#include <allegro.h>

#include <cstdio>
#include <ctime>

namespace {

// The start screen when there is something to choose: a kept game to continue (read from slot
// into saved), or the level when the command line left it open. A replay plays at its own
// level. The level chosen is put in play.
StartChoice chooseStart(Game& game, const Options& options, SaveSlot* slot, SavedGame& saved) {
    StartChoice choice{StartChoice::kNewGame, options.difficulty.value_or(Difficulty::Normal)};
    if (!options.replayPath.empty())
        return choice;
    const bool canContinue = slot && slot->load(saved);
    if (canContinue || !options.difficulty)
        choice = StartScreen(game, canContinue ? &saved : nullptr, options.difficulty).run();
    GameApp* app = GameApp::instance();
    if (choice.kind != StartChoice::kQuit && choice.level != app->difficulty)
        playAtDifficulty(*app, choice.level, "groundline");
    return choice;
}

} // namespace

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
    // Only the player's own games from wave 1 are kept and continued; practice, recordings and
    // replays leave the kept game alone.
    SaveSlot slot = SaveSlot::forPlayer();
    SavedGame saved;
    const bool keeps =
        options.firstWave == 1 && options.recordPath.empty() && options.replayPath.empty();
    const StartChoice choice = chooseStart(*game, options, keeps ? &slot : nullptr, saved);
    if (choice.kind == StartChoice::kQuit) {
        app->game = nullptr;
        delete game;
        return app->closedExitCode();
    }
    game->levelChosenAtStart = !options.difficulty && !game->inputRecorded;
    if (keeps)
        game->saveSlot = &slot;
    if (choice.kind == StartChoice::kContinue)
        game->continueFrom = &saved;
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
