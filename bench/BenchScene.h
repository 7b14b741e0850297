#pragma once

#include "game/Game.h"

#include <benchmark/benchmark.h>

#include <memory>

struct BITMAP;
class GameApp;
class MasterOrbWave;
class SimpleEffect;

// Starts the game headless on the shipped data of the source tree; false (with a line on
// stderr naming the program) when the data cannot be loaded.
bool startBench(const char* program);

// A game of its own for one benchmark, with towers standing along the ground line; the
// application's game comes back afterwards. Everything runs from a fixed seed with fixed steps,
// so every run covers the same game time.
class Scene {
  public:
    static constexpr double kStep = 0.01; // the shipped 100 steps a second

    // Towers of the three types in turn, spread evenly over the field; no wave unless the
    // scene starts one.
    explicit Scene(int towers = 3);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Buys every level of every upgrade of every tower.
    void upgradeAll();
    // The formation of wave number (2 number + 14 invaders with that wave's health and speed)
    // enters, with its banner, as in play: the kinds as the data's shares place them, or
    // squibbles only. Every tenth wave brings the boss instead, but the formation of any number
    // can be measured.
    void startFormation(int number, bool squibblesOnly = false);
    // Wave 10 from the moment the orb has arrived and starts to fight.
    MasterOrbWave* bossArrived();

    // One whole frame: update, drawing into the back buffer and the doubling onto the window.
    // With keepWhole the base and the towers are mended first, so a long run keeps its towers
    // firing and never ends in a lost game.
    void frame(double dt);

    GameApp* app;
    Game game;
    bool keepWhole = false;

  private:
    Game* saved;
    BITMAP* window = nullptr;
};

// The heavy scenes, each ready for its first measured frame:
// a wave-30 formation (74 squibbles of 46 health at full speed) entering against twenty towers
// with every upgrade, kept whole so that all twenty fire throughout;
std::unique_ptr<Scene> lateWaveScene();
// the same with every invader kind in the formation, as the shipped shares place them at wave
// 30, and a splitter burst at once so that its mites are on the field from the first frame
// (null, with a line on stderr, when the data places no invader of some kind at wave 30);
std::unique_ptr<Scene> lateKindsScene();
// wave 5's 24 squibbles against six towers, each with the first level of its first upgrade;
std::unique_ptr<Scene> typicalWaveScene();
// the boss at the end of its four dying seconds: the next frame sets off the final blast;
std::unique_ptr<Scene> finalBlastScene();
// the late wave after its first five seconds, the base falling on the next frame.
std::unique_ptr<Scene> gameOverScene();

// A standing formation of that many wave-30 squibbles (animating and firing, never marching or
// dying) and no towers, for the growth measurements.
std::unique_ptr<Scene> standingScene(int invaders);

// Holds a number of explosions and puffs on the field at every stage of their animation: the
// pool starts them spread over their lifetimes and replaces the spent ones before each frame.
class EffectPool {
  public:
    EffectPool(Scene& scene, std::size_t count);
    void topUp();

  private:
    SimpleEffect* make();

    Scene& scene;
    std::size_t count;
    int next = 0;
};

// Runs one frame per iteration and reports the most effects, tower shots and enemy shots any
// frame had to handle, and the heap blocks allocated per frame.
void runFrames(benchmark::State& state, Scene& scene, double dt);
