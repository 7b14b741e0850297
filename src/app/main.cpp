#include "app/GameApp.h"
#include "game/Game.h"

#include <allegro.h>

int main() {
    GameApp* app = GameApp::instance();
    int status = app->init();
    if (status != 0)
        return status;

    Game* game = new Game();
    app->game = game;
    game->run();
    app->game = nullptr;
    delete game;
    return 0;
}
END_OF_MAIN()
