#include "BenchScene.h"

#include "AllocCount.h"

#include "app/GameApp.h"
#include "app/Headless.h"
#include "effects/BounceTextEffect.h"
#include "effects/SimpleEffect.h"
#include "gfx/BackBuffer.h"
#include "invaders/Invader.h"
#include "invaders/InvaderKinds.h"
#include "invaders/MasterOrb.h"
#include "invaders/MasterOrbWave.h"
#include "invaders/SquibbleWave.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

constexpr int kFieldLeft = 4;
constexpr int kFieldSpan = 300;
constexpr int kSeed = 2024;

} // namespace

bool startBench(const char* program) {
    if (chdir(GROUNDLINE_SOURCE_DIR) != 0 || startHeadless(program) != 0) {
        std::fprintf(stderr, "%s: cannot load the data set from %s\n", program,
                     GROUNDLINE_SOURCE_DIR);
        return false;
    }
    return true;
}

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

void Scene::startFormation(int number, bool squibblesOnly) {
    game.waveNumber = number;
    game.waveTimer = -1.0;
    InvaderDef* defs = app->invaderDefs;
    std::vector<int> firstWaves;
    for (int kind = 0; kind < kInvaderKindCount; ++kind) {
        firstWaves.push_back(defs[kind].firstWave);
        if (squibblesOnly)
            defs[kind].firstWave = 0; // takes no places
    }
    game.wave = new SquibbleWave(2 * number + 14);
    for (int kind = 0; kind < kInvaderKindCount; ++kind)
        defs[kind].firstWave = firstWaves[kind];
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
    double effectSum = 0.0, invaderSum = 0.0, miteSum = 0.0;
    const std::size_t before = heapAllocations();
    for (auto _ : state) {
        scene.frame(dt);
        effectSum += static_cast<double>(scene.game.effects.size());
        if (const Wave* wave = scene.game.wave)
            for (const Invader* invader : wave->invaders) {
                invaderSum += invader->health > 0;
                miteSum += invader->health > 0 && invader->kind == kMiteKind;
            }
        effects = std::max(effects, scene.game.effects.size());
        projectiles = std::max(projectiles, scene.game.projectiles.size());
        shots = std::max(shots, scene.game.enemyShots.size());
    }
    const double frames =
        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["allocs/frame"] = static_cast<double>(heapAllocations() - before) / frames;
    state.counters["effects"] = effectSum / frames;
    state.counters["invaders"] = invaderSum / frames;
    state.counters["mites"] = miteSum / frames;
    state.counters["maxEffects"] = static_cast<double>(effects);
    state.counters["maxShots"] = static_cast<double>(projectiles);
    state.counters["maxEnemyShots"] = static_cast<double>(shots);
}

std::unique_ptr<Scene> lateWaveScene() {
    auto scene = std::make_unique<Scene>(20);
    scene->upgradeAll();
    scene->keepWhole = true;
    scene->startFormation(30, true);
    return scene;
}

std::unique_ptr<Scene> lateKindsScene() {
    auto scene = std::make_unique<Scene>(20);
    scene->upgradeAll();
    scene->keepWhole = true;
    scene->startFormation(30);
    std::vector<int> counts(kInvaderKindCount, 0);
    Invader* splitter = nullptr;
    for (Invader* invader : scene->game.wave->invaders) {
        ++counts[invader->kind];
        if (invader->kind == kSplitterKind && !splitter)
            splitter = invader;
    }
    for (int kind = 0; kind < kInvaderKindCount; ++kind)
        if (!counts[kind] && invaderKind(kind)->placed) {
            std::fprintf(stderr, "the data places no %s in wave 30\n", invaderKind(kind)->name);
            return nullptr;
        }
    // Its mites join the wave on its next update.
    splitter->takeDamage(splitter->health);
    return scene;
}

std::unique_ptr<Scene> typicalWaveScene() {
    auto scene = std::make_unique<Scene>(6);
    for (Building* tower : scene->game.buildings)
        tower->upgrade(0);
    scene->keepWhole = true;
    scene->startFormation(5);
    return scene;
}

std::unique_ptr<Scene> finalBlastScene() {
    auto scene = std::make_unique<Scene>();
    MasterOrbWave* boss = scene->bossArrived();
    boss->orb->takeDamage(boss->orb->health);
    while (boss->orb->flashTimer > Scene::kStep)
        scene->frame(Scene::kStep);
    return scene;
}

std::unique_ptr<Scene> gameOverScene() {
    std::unique_ptr<Scene> scene = lateWaveScene();
    for (int i = 0; i < 500; ++i)
        scene->frame(Scene::kStep);
    scene->keepWhole = false;
    scene->game.health = 0;
    return scene;
}

std::unique_ptr<Scene> standingScene(int invaders) {
    auto scene = std::make_unique<Scene>(0);
    scene->keepWhole = true;
    scene->game.waveNumber = 30;
    scene->game.waveTimer = -1.0;
    if (invaders > 0) {
        SquibbleWave* wave = new SquibbleWave(invaders);
        wave->speed = 0.0;
        scene->game.wave = wave;
    }
    return scene;
}

EffectPool::EffectPool(Scene& scene, std::size_t count) : scene(scene), count(count) {
    for (std::size_t i = 0; i < count; ++i) {
        SimpleEffect* effect = make();
        effect->update(effect->lifetime * static_cast<double>(i) / static_cast<double>(count));
    }
}

void EffectPool::topUp() {
    while (scene.game.effects.size() < count)
        make();
}

SimpleEffect* EffectPool::make() {
    GameApp* app = scene.app;
    SpriteSheet* sheet = next % 2 ? app->puff2Sheet : app->explosionSmallSheet;
    SimpleEffect* effect =
        new SimpleEffect(20 + (next * 37) % 280, 30 + (next * 53) % 170, sheet, 0.0);
    ++next;
    scene.game.addEffect(effect);
    return effect;
}
