#include "BenchScene.h"

#include "AllocCount.h"

#include "app/GameApp.h"
#include "effects/BounceTextEffect.h"
#include "gfx/BackBuffer.h"
#include "invaders/Invader.h"
#include "invaders/MasterOrbWave.h"
#include "invaders/SquibbleWave.h"
#include "towers/Building.h"

#include <allegro.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kFieldLeft = 4;
constexpr int kFieldSpan = 300;
constexpr int kSeed = 2024;

} // namespace

Scene::Scene(int towers) : app(GameApp::instance()), saved(app->game) {
    srand(kSeed);
    app->game = &game;
    app->shakeTimeLeft = 0.0;
    game.reset();
    game.money = 100000;
    game.waveTimer = 1e9;
    for (int i = 0; i < towers; ++i) {
        Building* tower = createTower(i % kTowerTypeCount);
        // A few towers stand where the first benchmarks put them; many share the field evenly.
        tower->placeAt(towers <= 3 ? 60 + 80 * i : kFieldLeft + kFieldSpan * i / towers);
        game.buildings.push_back(tower);
    }
    window = create_bitmap(640, 480);
}

Scene::~Scene() {
    destroy_bitmap(window);
    game.reset();
    app->game = saved;
    app->shakeTimeLeft = 0.0;
}

void Scene::upgradeAll() {
    for (Building* tower : game.buildings) {
        const TowerDef& def = tower->def();
        for (int entry = kFirstUpgradeEntry; entry < def.entryCount; ++entry)
            for (int level = 0; level < def.entries[entry].levelCount; ++level)
                tower->upgrade(entry - kFirstUpgradeEntry);
    }
}

void Scene::startFormation(int number) {
    game.waveNumber = number;
    game.waveTimer = -1.0;
    game.wave = new SquibbleWave(2 * number + 14);
    game.addEffect(new BounceTextEffect(160, 80, app->fontMain, "Wave"));
}

MasterOrbWave* Scene::bossArrived() {
    game.waveNumber = 10;
    game.waveTimer = -1.0;
    MasterOrbWave* boss = new MasterOrbWave();
    game.wave = boss;
    while (boss->phase == 0)
        boss->update(kStep);
    return boss;
}

void Scene::frame(double dt) {
    if (keepWhole) {
        game.health = game.maxHealth;
        for (Building* tower : game.buildings)
            tower->health = tower->maxHealth();
    }
    game.update(dt);
    game.draw(false);
    app->backBuffer->presentTo(window);
}

void runFrames(benchmark::State& state, Scene& scene, double dt) {
    std::size_t effects = 0, projectiles = 0, shots = 0;
    double effectSum = 0.0, invaderSum = 0.0;
    const std::size_t before = heapAllocations();
    for (auto _ : state) {
        scene.frame(dt);
        effectSum += static_cast<double>(scene.game.effects.size());
        if (const Wave* wave = scene.game.wave)
            for (const Invader* invader : wave->invaders)
                invaderSum += invader->health > 0;
        effects = std::max(effects, scene.game.effects.size());
        projectiles = std::max(projectiles, scene.game.projectiles.size());
        shots = std::max(shots, scene.game.enemyShots.size());
    }
    const double frames =
        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["allocs/frame"] = static_cast<double>(heapAllocations() - before) / frames;
    state.counters["effects"] = effectSum / frames;
    state.counters["invaders"] = invaderSum / frames;
    state.counters["maxEffects"] = static_cast<double>(effects);
    state.counters["maxShots"] = static_cast<double>(projectiles);
    state.counters["maxEnemyShots"] = static_cast<double>(shots);
}
