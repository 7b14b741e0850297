// The heaviest frames the game can reach, whole (update, drawing and the doubling onto the
// window), to set against the floor of BM_FrameFloor: a late wave against a full line of
// upgraded towers, a typical mid-game wave, the boss's final blast and the game-over screen.
// Then the frame's growth with the number of invaders and of effects. Every scene runs from a
// fixed seed with 10 ms steps; allocs/frame counts the heap blocks a frame takes.

#include "AllocCount.h"
#include "BenchScene.h"

#include "app/GameApp.h"
#include "effects/SimpleEffect.h"
#include "gfx/SpriteSheet.h"
#include "invaders/MasterOrb.h"
#include "invaders/MasterOrbWave.h"
#include "invaders/SquibbleWave.h"
#include "towers/Building.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr double kStep = Scene::kStep;

// Wave 30: 74 squibbles of 46 health marching at full speed against twenty towers with every
// upgrade, kept whole so all twenty fire for the whole thirty seconds.
void BM_FrameWave30(benchmark::State& state) {
    Scene scene(20);
    scene.upgradeAll();
    scene.keepWhole = true;
    scene.startFormation(30);
    runFrames(state, scene, kStep);
}
BENCHMARK(BM_FrameWave30)->Iterations(3000)->Unit(benchmark::kMicrosecond);

// What most of a game looks like: wave 5's 24 squibbles against six towers, each with the first
// level of its first upgrade, for thirty seconds.
void BM_FrameTypicalWave(benchmark::State& state) {
    Scene scene(6);
    for (Building* tower : scene.game.buildings)
        tower->upgrade(0);
    scene.keepWhole = true;
    scene.startFormation(5);
    runFrames(state, scene, kStep);
}
BENCHMARK(BM_FrameTypicalWave)->Iterations(3000)->Unit(benchmark::kMicrosecond);

// The boss dies: its four blinking seconds run before the measurement, which then covers the
// final blast (42 explosions over a third of a second, the ring dying, the shake) until the
// last explosion has played out.
MasterOrbWave* bossAboutToBlow(Scene& scene) {
    MasterOrbWave* boss = scene.bossArrived();
    boss->orb->takeDamage(boss->orb->health);
    while (boss->orb->flashTimer > kStep)
        scene.frame(kStep);
    return boss;
}

void BM_FrameBossFinalBlast(benchmark::State& state) {
    Scene scene;
    bossAboutToBlow(scene);
    runFrames(state, scene, kStep);
}
BENCHMARK(BM_FrameBossFinalBlast)->Iterations(120)->Repetitions(5)->Unit(benchmark::kMicrosecond);

// The final blast at its fullest, held still: every explosion of the blast on screen at once.
void BM_FrameBossFinalBlastPeak(benchmark::State& state) {
    Scene scene;
    bossAboutToBlow(scene);
    for (int i = 0; i < 35; ++i)
        scene.frame(kStep);
    runFrames(state, scene, 0.0);
}
BENCHMARK(BM_FrameBossFinalBlastPeak)->Unit(benchmark::kMicrosecond);

// The base falls five seconds into wave 30 against the twenty towers: the greyed field with
// the formation standing, still animating, and the last effects playing out.
void BM_FrameGameOver(benchmark::State& state) {
    Scene scene(20);
    scene.upgradeAll();
    scene.keepWhole = true;
    scene.startFormation(30);
    for (int i = 0; i < 500; ++i)
        scene.frame(kStep);
    scene.keepWhole = false;
    scene.game.health = 0;
    runFrames(state, scene, kStep);
}
BENCHMARK(BM_FrameGameOver)->Iterations(1000)->Unit(benchmark::kMicrosecond);

// Growth: a standing formation of range(0) wave-30 squibbles (animating and firing, never
// marching or dying) and range(1) explosions and puffs at every stage of their animation, the
// spent ones replaced every frame so the count holds. No towers.
class EffectPool {
  public:
    EffectPool(Scene& scene, std::size_t count) : scene(scene), count(count) {
        for (std::size_t i = 0; i < count; ++i) {
            SimpleEffect* effect = make();
            effect->update(effect->lifetime * static_cast<double>(i) / static_cast<double>(count));
        }
    }
    void topUp() {
        while (scene.game.effects.size() < count)
            make();
    }

  private:
    SimpleEffect* make() {
        GameApp* app = scene.app;
        SpriteSheet* sheet = next % 2 ? app->puff2Sheet : app->explosionSmallSheet;
        SimpleEffect* effect =
            new SimpleEffect(20 + (next * 37) % 280, 30 + (next * 53) % 170, sheet, 0.0);
        ++next;
        scene.game.addEffect(effect);
        return effect;
    }

    Scene& scene;
    std::size_t count;
    int next = 0;
};

void BM_FrameGrowth(benchmark::State& state) {
    Scene scene(0);
    scene.keepWhole = true;
    scene.game.waveNumber = 30;
    scene.game.waveTimer = -1.0;
    if (state.range(0) > 0) {
        SquibbleWave* wave = new SquibbleWave(static_cast<int>(state.range(0)));
        wave->speed = 0.0;
        scene.game.wave = wave;
    }
    EffectPool pool(scene, static_cast<std::size_t>(state.range(1)));
    std::size_t allocations = 0;
    for (auto _ : state) {
        const std::size_t before = heapAllocations();
        pool.topUp();
        scene.frame(kStep);
        allocations += heapAllocations() - before;
    }
    state.counters["allocs/frame"] =
        static_cast<double>(allocations) /
        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
}
BENCHMARK(BM_FrameGrowth)
    ->ArgsProduct({{0, 16, 34, 74}, {0, 50, 100, 200, 400}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
