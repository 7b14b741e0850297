// A play-through's state and lifecycle: starting a new game, the run loop and the "Start Over"
// wipe.

#include "game/Game.h"
#include "app/Numbers.h"
#include "app/Random.h"
#include "app/Sound.h"

#include "app/GameApp.h"
#include "effects/Effect.h"
#include "game/SaveSlot.h"
#include "game/SavedGame.h"
#include "game/StartScreen.h"
#include "gfx/BackBuffer.h"
#include "invaders/InvaderProjectile.h"
#include "invaders/Wave.h"
#include "projectiles/Projectile.h"
#include "towers/Building.h"

#include <allegro.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// The sky: five layers, slow and small at the back, faster towards the front.
struct CloudLayer {
    int count;
    int xRange; // x = rand() % xRange + i * xStep
    int xStep;
    int yRange; // y = rand() % yRange + yBase
    int yBase;
    double speed;
    int image;
};

constexpr CloudLayer kCloudLayers[] = {
    {6, 30, 60, 10, 50, 0.5, 1}, {4, 30, 80, 10, 50, 1.0, 2},  {3, 30, 110, 8, 48, 1.5, 0},
    {2, 60, 140, 7, 48, 2.0, 4}, {2, 60, 180, 10, 45, 2.5, 3},
};

template <typename T> void deleteAll(std::vector<T*>& list) {
    for (T* item : list)
        delete item;
    list.clear();
}

constexpr double kWipeSeconds = 1.0;
// A lost tower's notice starts this far above the ground line, over where the tower stood.
constexpr int kTowerLostRise = 34;

} // namespace

Game::Game() : app(GameApp::instance()) {}

Game::~Game() {
    // Ending the program is no new game: the save stays for the next start.
    saveSlot = nullptr;
    continueFrom = nullptr;
    reset();
    clearEntities();
    clouds.clear();
}

void Game::clearEntities() {
    deleteAll(projectiles);
    deleteAll(enemyShots);
    deleteAll(buildings);
    deleteAll(effects);
    selected = nullptr;
    delete wave;
    wave = nullptr;
}

void Game::reset() {
    clearEntities();
    clouds.clear();

    running = true;
    uiMode = kUiIdle;
    selected = nullptr;
    health = maxHealth = app->strings.getInt("StartingHealth");
    money = app->strings.getInt("StartingMoney");
    gameOver = false;
    spawnClouds();

    waveNumber = firstWave;
    wave = nullptr;
    paused = false;
    speed = startSpeed >= 1 && startSpeed <= kMaxSpeed ? startSpeed : 1;
    helpShown = false;
    tellFieldStill();
    waveTimer = app->strings.getReal("TimeBetweenWaves");
    if (firstWave > 1)
        setPracticeStart();
    alerts.reset(health);
    kindNotices.reset();
    stats = GameStats();
    notices.clear();
    const bool continued = continueFrom != nullptr;
    if (continueFrom)
        restoreGame(*this, *continueFrom);
    continueFrom = nullptr;
    if (saveSlot)
        saveSlot->gameBegun(*this, continued);
}

// The bounties of the waves skipped grow with their size, so the money is a quadratic in the
// waves skipped; the health falls by a few points a wave down to a floor (data/strings.txt).
void Game::setPracticeStart() {
    StringTable& strings = app->strings;
    const double skipped = firstWave - 1;
    const double extra = strings.getReal("PracticeMoneyPerWave") * skipped +
                         strings.getReal("PracticeMoneyGrowth") * skipped * skipped;
    addMoney(clampToInt(extra));
    const double lost = strings.getReal("PracticeHealthLossPerWave") * skipped;
    const int least = std::min(maxHealth, std::max(1, strings.getInt("PracticeHealthLeast")));
    health = std::max(least, clampToInt(maxHealth - lost));
    health = std::min(health, maxHealth);
}

void Game::tellFieldStill() {
    app->fieldStill = fieldStopped();
}

void Game::addMoney(long long amount) {
    const int before = money;
    money = clampToInt(money + amount);
    if (money > before)
        stats.moneyEarned += money - before;
    else
        stats.moneySpent += before - money;
}

void Game::towerLost(const Building& tower) {
    ++stats.towersLost;
    notices.add(static_cast<int>(tower.centreX()), app->towerBaseline - kTowerLostRise,
                tower.def().name + " lost");
    playSample(app->sampleTowerLost);
}

void Game::spawnClouds() {
    for (const CloudLayer& layer : kCloudLayers) {
        for (int i = 0; i < layer.count; ++i) {
            Cloud cloud;
            cloud.x = randomInt() % layer.xRange + i * layer.xStep;
            cloud.y = randomInt() % layer.yRange + layer.yBase;
            cloud.speed = layer.speed;
            cloud.image = layer.image;
            clouds.push_back(cloud);
        }
    }
}

void Game::run() {
    reset();
    while (running) {
        double dt = app->tick();
        update(dt);
        if (frameWanted())
            draw(true);
        if (app->closeRequested)
            running = false;
    }
}

// The calm field changes a few pixels of cloud a few times a second, and drawing a frame to find
// that out costs more than all the rest of an idle step. So while the window showed nothing new
// at the last frame, the mouse rests and nothing shakes (a shake's offset draws a random number
// as it is presented), every other step is left undrawn: a change then shows one step later.
// Whatever the mouse does is drawn at once; headless every step is drawn.
bool Game::frameWanted() {
    const bool mouseRests = app->mouseX == drawnMouseX && app->mouseY == drawnMouseY &&
                            app->buttons == drawnButtons && app->previousButtons == app->buttons;
    skippedFrame = !skippedFrame && mouseRests && app->currentShake() <= 0.0 &&
                   app->backBuffer->lastPresentStill();
    if (!skippedFrame) {
        drawnMouseX = app->mouseX;
        drawnMouseY = app->mouseY;
        drawnButtons = app->buttons;
    }
    return !skippedFrame;
}

void Game::wipeAndRestart() {
    wiping = true;
    double t = 0.0;
    uiMode = kUiIdle;
    tellFieldStill();
    bool restarted = false;
    BITMAP* bmp = app->backBuffer->bitmap;
    const int w = bmp->w;
    const int h = bmp->h;
    const int black = makecol(0, 0, 0);

    // A close request seen during the wipe must survive the reset, or the window's close
    // button would be ignored.
    bool closeRequested = false;
    for (;;) {
        t += app->tick();
        closeRequested = closeRequested || !running || app->closeRequested;
        if (t >= kWipeSeconds || closeRequested)
            break;
        draw(false);
        if (t < 0.5) {
            // Two bars close in from the top and the bottom and meet in the middle.
            rectfill(bmp, 0, 0, w, static_cast<int>(h * (2 * t) * 0.5), black);
            rectfill(bmp, 0, static_cast<int>(h * (2 - 2 * t) * 0.5), w, h, black);
        } else {
            if (!restarted) {
                closeRequested = !running;
                reset();
                restarted = true;
            }
            double s = (t - 0.5) * 2;
            rectfill(bmp, 0, static_cast<int>(h * s / 2), w, static_cast<int>(h * (2 - s) / 2),
                     black);
        }
        app->backBuffer->present();
    }
    if (!restarted) {
        closeRequested = closeRequested || !running;
        reset();
    }
    if (closeRequested)
        running = false;
    wiping = false;
    if (levelChosenAtStart && running)
        chooseLevelAgain();
}

void Game::chooseLevelAgain() {
    // The start screen's backdrop is a reset of its own, which must not count as a game begun.
    SaveSlot* slot = saveSlot;
    saveSlot = nullptr;
    const StartChoice choice = StartScreen(*this, nullptr, std::nullopt).run();
    saveSlot = slot;
    if (app->closeRequested) {
        running = false;
        return;
    }
    if (choice.kind == StartChoice::kNewGame && choice.level != app->difficulty)
        playAtDifficulty(*app, choice.level, "groundline");
    reset();
}
