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
#include "invaders/SquibbleWave.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

constexpr double kStep = Scene::kStep;

// Thirty seconds of a wave-30 formation against twenty towers with every upgrade.
void BM_FrameWave30(benchmark::State& state) {
    std::unique_ptr<Scene> scene = lateWaveScene();
    runFrames(state, *scene, kStep);
}
BENCHMARK(BM_FrameWave30)->Iterations(3000)->Unit(benchmark::kMicrosecond);

// The same wave with every invader kind in it: plated, divers and splitters as the shipped data
// places them, and the mites of bursting splitters from the first frame on.
void BM_FrameWave30Kinds(benchmark::State& state) {
    std::unique_ptr<Scene> scene = lateKindsScene();
    if (!scene) {
        state.SkipWithError("not every kind is in the wave-30 formation");
        return;
    }
    runFrames(state, *scene, kStep);
}
BENCHMARK(BM_FrameWave30Kinds)->Iterations(3000)->Unit(benchmark::kMicrosecond);

// What most of a game looks like: thirty seconds of wave 5 against six towers.
void BM_FrameTypicalWave(benchmark::State& state) {
    std::unique_ptr<Scene> scene = typicalWaveScene();
    runFrames(state, *scene, kStep);
}
BENCHMARK(BM_FrameTypicalWave)->Iterations(3000)->Unit(benchmark::kMicrosecond);

// The boss's final blast (42 explosions over a third of a second, the ring dying, the shake)
// until its last explosion has played out. The dying seconds before it are not measured.
void BM_FrameBossFinalBlast(benchmark::State& state) {
    std::unique_ptr<Scene> scene = finalBlastScene();
    runFrames(state, *scene, kStep);
}
BENCHMARK(BM_FrameBossFinalBlast)->Iterations(120)->Repetitions(5)->Unit(benchmark::kMicrosecond);

// The final blast at its fullest, held still: every explosion of the blast on screen at once.
void BM_FrameBossFinalBlastPeak(benchmark::State& state) {
    std::unique_ptr<Scene> scene = finalBlastScene();
    for (int i = 0; i < 35; ++i)
        scene->frame(kStep);
    runFrames(state, *scene, 0.0);
}
BENCHMARK(BM_FrameBossFinalBlastPeak)->Unit(benchmark::kMicrosecond);

// The base falls five seconds into the late wave: the greyed field with the formation standing,
// still animating, and the last effects playing out.
void BM_FrameGameOver(benchmark::State& state) {
    std::unique_ptr<Scene> scene = gameOverScene();
    runFrames(state, *scene, kStep);
}
BENCHMARK(BM_FrameGameOver)->Iterations(1000)->Unit(benchmark::kMicrosecond);

// Growth: a standing formation of range(0) wave-30 squibbles (animating and firing, never
// marching or dying) and range(1) explosions and puffs at every stage of their animation, the
// spent ones replaced every frame so the count holds. No towers.
void BM_FrameGrowth(benchmark::State& state) {
    std::unique_ptr<Scene> scene = standingScene(static_cast<int>(state.range(0)));
    EffectPool pool(*scene, static_cast<std::size_t>(state.range(1)));
    std::size_t allocations = 0;
    for (auto _ : state) {
        const std::size_t before = heapAllocations();
        pool.topUp();
        scene->frame(kStep);
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
