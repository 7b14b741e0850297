#pragma once

#include "game/Game.h"

#include <benchmark/benchmark.h>

struct BITMAP;
class GameApp;
class MasterOrbWave;

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
    // The squibble formation of wave number (2 number + 14 squibbles with that wave's health
    // and speed) enters, with its banner, as in play. Every tenth wave brings the boss instead,
    // but the formation of any number can be measured.
    void startFormation(int number);
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

// Runs one frame per iteration and reports the most effects, tower shots and enemy shots any
// frame had to handle, and the heap blocks allocated per frame.
void runFrames(benchmark::State& state, Scene& scene, double dt);
