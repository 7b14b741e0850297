#include "app/GameApp.h"
#include "app/Options.h"
#include "game/Game.h"

#include <allegro.h>

#include <cstdio>

int main(int argc, char** argv) {
    const ParsedOptions parsed = parseOptions(argc, argv);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "groundline: %s (see groundline --help)\n", parsed.error.c_str());
        return kExitUsage;
    }
    if (parsed.options.help || parsed.options.version) {
        std::fputs(parsed.options.help ? usageText().c_str() : versionText().c_str(), stdout);
        return 0;
    }

    GameApp* app = GameApp::instance();
    int status = app->init(parsed.options);
    if (status != 0)
        return status;

    Game* game = new Game();
    game->firstWave = parsed.options.firstWave;
    app->game = game;
    game->run();
    app->game = nullptr;
    delete game;
    return 0;
}
END_OF_MAIN()
