// Not a timing benchmark: plays the heavy scenes of draw_bench frame by frame and prints one
// digest per scene of every frame's pixels and of the game's state after it. A change meant to
// make frames cheaper without changing what the game does must leave every digest as it was.

#include "BenchScene.h"

#include "app/GameApp.h"
#include "effects/Effect.h"
#include "gfx/BackBuffer.h"
#include "gfx/SpriteAnim.h"
#include "invaders/Invader.h"
#include "invaders/InvaderProjectile.h"
#include "invaders/MasterOrb.h"
#include "invaders/MasterOrbWave.h"
#include "invaders/Wave.h"
#include "projectiles/Projectile.h"
#include "towers/Building.h"

#include <allegro.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

// FNV-1a over raw bytes.
class Digest {
  public:
    void bytes(const void* data, std::size_t size) {
        const unsigned char* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            value ^= p[i];
            value *= 1099511628211ull;
        }
    }
    template <typename T> void add(const T& v) { bytes(&v, sizeof v); }

    void frame(BITMAP* bmp) {
        for (int y = 0; y < bmp->h; ++y)
            bytes(bmp->line[y], static_cast<std::size_t>(bmp->w) * 4);
    }

    void state(const Game& game) {
        add(game.money);
        add(game.health);
        add(game.waveNumber);
        add(game.gameOver);
        add(game.waveTimer);
        add(game.buildings.size());
        add(game.projectiles.size());
        add(game.enemyShots.size());
        add(game.effects.size());
        for (const Building* b : game.buildings) {
            add(b->health);
            add(b->anim->row);
            add(b->anim->time);
        }
        for (const Projectile* p : game.projectiles) {
            add(p->x);
            add(p->y);
            add(p->alive);
        }
        for (const InvaderProjectile* s : game.enemyShots) {
            add(s->x);
            add(s->y);
        }
        for (const Effect* e : game.effects) {
            add(e->age);
            add(e->lifetime);
            add(e->x);
            add(e->y);
        }
        if (game.wave) {
            for (const Invader* v : game.wave->invaders) {
                add(v->x);
                add(v->y);
                add(v->health);
                if (v->anim) {
                    add(v->anim->row);
                    add(v->anim->time);
                    add(v->anim->pendingRows.size());
                }
            }
        }
        add(GameApp::instance()->shakeTimeLeft);
    }

    std::uint64_t value = 1469598103934665603ull;
};

void play(const char* name, Scene& scene, int frames, double dt,
          const std::function<void()>& beforeFrame = {}) {
    Digest digest;
    BITMAP* buffer = GameApp::instance()->backBuffer->bitmap;
    for (int i = 0; i < frames; ++i) {
        if (beforeFrame)
            beforeFrame();
        scene.frame(dt);
        digest.frame(buffer);
        digest.state(scene.game);
    }
    // The random sequence must have been drawn in the same order and number.
    digest.add(std::rand());
    std::printf("%-16s %5d frames  %016llx\n", name, frames,
                static_cast<unsigned long long>(digest.value));
}

} // namespace

int main() {
    if (!startBench("scene_digest"))
        return 1;
    constexpr double kStep = Scene::kStep;
    play("late wave", *lateWaveScene(), 3000, kStep);
    if (std::unique_ptr<Scene> kinds = lateKindsScene())
        play("late kinds", *kinds, 3000, kStep);
    play("typical wave", *typicalWaveScene(), 3000, kStep);
    play("final blast", *finalBlastScene(), 120, kStep);
    play("game over", *gameOverScene(), 1000, kStep);
    {
        Scene scene;
        MasterOrbWave* boss = scene.bossArrived();
        boss->orb->bombTimer = 6.0;
        play("boss fight", scene, 3000, kStep);
    }
    {
        std::unique_ptr<Scene> scene = standingScene(74);
        EffectPool pool(*scene, 400);
        play("74 + 400 effects", *scene, 500, kStep, [&pool] { pool.topUp(); });
    }
    return 0;
}
