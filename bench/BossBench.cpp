// The boss fight against the idle frame: a whole frame (update, draw and the doubling stretch)
// with the orb, its ring, bombs and the explosions of its fall, next to the same frame with no
// wave. The fight runs a fixed number of 10 ms frames from a fixed seed, so every run covers
// the same game time. Also the white silhouette, built once per orb, by rows and per pixel.

#include "BenchScene.h"

#include "app/GameApp.h"
#include "effects/SimpleEffect.h"
#include "gfx/Silhouette.h"
#include "gfx/SpriteSheet.h"
#include "invaders/MasterOrb.h"
#include "invaders/MasterOrbWave.h"
#include "invaders/OrbBomb.h"

#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr double kStep = Scene::kStep;

void BM_FrameIdle(benchmark::State& state) {
    Scene scene;
    runFrames(state, scene, kStep);
}
BENCHMARK(BM_FrameIdle)->Iterations(3000);

// Thirty seconds of fighting: the orb sways and bobs, the ring turns and fires, bombs fall,
// bounce and blow up on the towers.
void BM_FrameBossFight(benchmark::State& state) {
    Scene scene;
    MasterOrbWave* boss = scene.bossArrived();
    boss->orb->bombTimer = 6.0;
    runFrames(state, scene, kStep);
}
BENCHMARK(BM_FrameBossFight)->Iterations(3000);

// The four dying seconds and one more: random blasts and booms, then the final blast of 42
// explosions while the ring is killed.
void BM_FrameBossFall(benchmark::State& state) {
    Scene scene;
    MasterOrbWave* boss = scene.bossArrived();
    boss->orb->takeDamage(boss->orb->health);
    runFrames(state, scene, kStep);
}
BENCHMARK(BM_FrameBossFall)->Iterations(500);

// The heaviest frame the fight can reach, held still: the orb, its full ring, three bombs in the
// air and a hundred explosions at all stages of their animation over the top of the field. The
// step is 0 so nothing moves on and every frame costs the same.
void BM_FrameBossPeak(benchmark::State& state) {
    Scene scene;
    MasterOrbWave* boss = scene.bossArrived();
    boss->orb->flashTimer = 0.55; // blinking white
    for (int i = 0; i < 3; ++i) {
        OrbBomb* bomb = new OrbBomb();
        bomb->x = 80 + 80 * i;
        bomb->y = 120;
        scene.game.addEnemyShot(bomb);
    }
    GameApp* app = scene.app;
    const double cycle = app->explosionSmallSheet->cycleLength(0);
    for (int i = 0; i < 100; ++i) {
        SimpleEffect* blast = new SimpleEffect(static_cast<int>(boss->orb->x) + rand() % 120 - 60,
                                               static_cast<int>(boss->orb->y) + rand() % 80 - 30,
                                               app->explosionSmallSheet, 0.0);
        blast->update(cycle * i / 100.0);
        scene.game.addEffect(blast);
    }
    runFrames(state, scene, 0.0);
}
BENCHMARK(BM_FrameBossPeak);

void BM_SilhouettePerPixel(benchmark::State& state) {
    BITMAP* body = GameApp::instance()->orbImages[0];
    for (auto _ : state)
        destroy_bitmap(makeSilhouettePerPixel(body));
}
BENCHMARK(BM_SilhouettePerPixel);

void BM_SilhouetteRows(benchmark::State& state) {
    BITMAP* body = GameApp::instance()->orbImages[0];
    for (auto _ : state)
        destroy_bitmap(makeSilhouette(body));
}
BENCHMARK(BM_SilhouetteRows);

} // namespace
