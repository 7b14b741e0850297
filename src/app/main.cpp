#include "app/GameApp.h"
#include "game/Game.h"
#include "sim/ReplaySession.h"

#include <allegro.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

int main(int argc, char** argv) {
    // --record FILE or --replay FILE: a play-through written to or played back from a file.
    std::string record, replay;
    for (int i = 1; i < argc; i += 2) {
        const bool isRecord = !std::strcmp(argv[i], "--record");
        const bool isReplay = !std::strcmp(argv[i], "--replay");
        if (!(isRecord || isReplay) || i + 1 >= argc || !record.empty() || !replay.empty()) {
            std::fprintf(stderr, "groundline: usage: groundline [--record FILE | --replay FILE]\n");
            return 64;
        }
        (isRecord ? record : replay) = argv[i + 1];
    }

    GameApp* app = GameApp::instance();
    int status = app->init();
    if (status != 0)
        return status;

    Game* game = new Game();
    app->game = game;
    if (!record.empty())
        status = startRecording("groundline", record, static_cast<unsigned>(std::time(nullptr)));
    else if (!replay.empty())
        status = startReplay("groundline", replay, true);
    if (status == 0) {
        game->run();
        status = finishPlaySession("groundline", *game);
    }
    app->game = nullptr;
    delete game;
    return status;
}
END_OF_MAIN()
