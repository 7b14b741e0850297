// What one frame of drawing costs on the game's main screens, next to the floor that every frame
// pays whatever it shows: clearing the back buffer, the background blit and the doubling stretch
// onto a 640x480 picture. Run headless from anywhere: build/bench/draw_bench.

#include "BenchScene.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <allegro.h>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

BITMAP* window = nullptr; // stands in for the 640x480 screen

bool setUp() {
    if (!startBench("draw_bench"))
        return false;
    window = create_bitmap(640, 480);
    return true;
}

// As the game presents a frame: the back buffer doubled by the pixel scaler.
void present(BITMAP*) {
    GameApp::instance()->backBuffer->presentTo(window);
}

// The background copied over the whole buffer and the doubling.
void BM_FrameFloor(benchmark::State& state) {
    GameApp* app = GameApp::instance();
    BITMAP* buffer = app->backBuffer->bitmap;
    for (auto _ : state) {
        blit(app->bgImage, buffer, 0, 0, 0, 0, 320, 240);
        present(buffer);
    }
}
BENCHMARK(BM_FrameFloor);

// The floor as it was before the scaler, to set the floor against in the same run: the buffer
// cleared, the background and Allegro's stretch_blit.
void BM_FrameFloorStretchBlit(benchmark::State& state) {
    GameApp* app = GameApp::instance();
    BITMAP* buffer = app->backBuffer->bitmap;
    for (auto _ : state) {
        clear_bitmap(buffer);
        blit(app->bgImage, buffer, 0, 0, 0, 0, 320, 240);
        stretch_blit(buffer, window, 0, 0, 320, 240, 0, 0, 640, 480);
    }
}
BENCHMARK(BM_FrameFloorStretchBlit);

// A game with a few towers standing, the mouse over the first build button.
Game* sceneGame() {
    static Game* game = nullptr;
    GameApp* app = GameApp::instance();
    if (!game) {
        game = new Game();
        app->game = game;
        game->reset();
        for (int i = 0; i < 3; ++i) {
            Building* tower = createTower(i);
            tower->placeAt(60 + 80 * i);
            game->buildings.push_back(tower);
        }
    }
    game->uiMode = kUiIdle;
    game->gameOver = false;
    game->money = 100000;
    app->mouseX = kButtonX + 5;
    app->mouseY = kButtonY + 5;
    return game;
}

void drawFrames(benchmark::State& state, Game* game) {
    BITMAP* buffer = GameApp::instance()->backBuffer->bitmap;
    for (auto _ : state) {
        game->draw(false);
        present(buffer);
    }
}

void BM_DrawIdle(benchmark::State& state) {
    drawFrames(state, sceneGame());
}
BENCHMARK(BM_DrawIdle);

void BM_DrawGameMenu(benchmark::State& state) {
    Game* game = sceneGame();
    game->uiMode = kUiGameMenu;
    GameApp::instance()->mouseY = kMenuQuitY + 2;
    GameApp::instance()->mouseX = 160;
    drawFrames(state, game);
}
BENCHMARK(BM_DrawGameMenu);

void BM_DrawPlacing(benchmark::State& state) {
    Game* game = sceneGame();
    game->uiMode = kUiPlacing;
    game->placingType = 1;
    GameApp::instance()->mouseX = 100;
    GameApp::instance()->mouseY = 150;
    drawFrames(state, game);
}
BENCHMARK(BM_DrawPlacing);

void BM_DrawTowerMenu(benchmark::State& state) {
    Game* game = sceneGame();
    game->uiMode = kUiTowerMenu;
    game->selected = game->buildings[0];
    drawFrames(state, game);
}
BENCHMARK(BM_DrawTowerMenu);

void BM_DrawGameOver(benchmark::State& state) {
    Game* game = sceneGame();
    game->gameOver = true;
    drawFrames(state, game);
}
BENCHMARK(BM_DrawGameOver);

// The grey of the game-over screen alone, over a busy frame: the late wave in full fight.
void BM_Greyscale(benchmark::State& state) {
    std::unique_ptr<Scene> scene = lateWaveScene();
    for (int i = 0; i < 300; ++i)
        scene->frame(Scene::kStep);
    BITMAP* buffer = GameApp::instance()->backBuffer->bitmap;
    BITMAP* frame = create_bitmap(buffer->w, buffer->h);
    blit(buffer, frame, 0, 0, 0, 0, buffer->w, buffer->h);
    for (auto _ : state) {
        blit(frame, buffer, 0, 0, 0, 0, buffer->w, buffer->h);
        makeGreyscale(buffer);
    }
    destroy_bitmap(frame);
}
BENCHMARK(BM_Greyscale);

} // namespace

int main(int argc, char** argv) {
    if (!setUp())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
