// Not a benchmark: makes the store screenshots of the AppStream metainfo from real frames of the
// game, played headless from a fixed seed with the shipped data, so the same code and data give
// the same pictures. Each is the window as a player sees it (640x480, the field doubled):
//
//   idle.png    a new game before its first wave;
//   fight.png   wave 5 against the three kinds of tower, the frame after a tesla coil strikes
//               while laser bolts and missiles are in flight;
//   boss.png    the boss of wave 10 under fire.
//
//   screenshots FOLDER

#include "BenchScene.h"

#include "Png.h"

#include "app/GameApp.h"
#include "gfx/BackBuffer.h"
#include "projectiles/LaserProjectile.h"
#include "projectiles/MissileProjectile.h"
#include "towers/Building.h"
#include "towers/TeslaCoil.h"

#include <allegro.h>

#include <cstdio>
#include <string>

namespace {

constexpr double kStep = Scene::kStep;

// What a player would hold in those moments, instead of the benchmarks' bottomless purse.
constexpr int kFightMoney = 245;
constexpr int kBossMoney = 610;

bool save(Scene& scene, const std::string& path) {
    BITMAP* window = create_bitmap(640, 480);
    scene.app->backBuffer->presentTo(window);
    RgbaImage image;
    image.width = window->w;
    image.height = window->h;
    for (int y = 0; y < window->h; ++y)
        for (int x = 0; x < window->w; ++x) {
            const int c = getpixel(window, x, y);
            image.pixels.insert(image.pixels.end(),
                                {static_cast<uint8_t>(getr32(c)), static_cast<uint8_t>(getg32(c)),
                                 static_cast<uint8_t>(getb32(c)), 255});
        }
    destroy_bitmap(window);
    if (!writePng(path, image)) {
        std::fprintf(stderr, "screenshots: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

template <typename T> bool inFlight(const Game& game) {
    for (const Projectile* p : game.projectiles)
        if (dynamic_cast<const T*>(p))
            return true;
    return false;
}

// True on the frame a tesla coil discharges: its reach drops below zero.
bool teslaStruck(const Game& game, double& lastReach) {
    for (const Building* b : game.buildings)
        if (const TeslaCoil* coil = dynamic_cast<const TeslaCoil*>(b)) {
            const bool struck = coil->chargeRange < lastReach;
            lastReach = coil->chargeRange;
            return struck;
        }
    return false;
}

bool idle(const std::string& folder) {
    Scene scene(0);
    scene.game.reset(); // the starting money and the first wave's countdown, as a new game has
    for (int i = 0; i < 300; ++i)
        scene.frame(kStep);
    return save(scene, folder + "/idle.png");
}

bool fight(const std::string& folder) {
    auto scene = typicalWaveScene();
    double reach = 0.0;
    for (int i = 0; i < 6000; ++i) {
        scene->frame(kStep);
        if (i > 300 && teslaStruck(scene->game, reach) && inFlight<LaserProjectile>(scene->game) &&
            inFlight<MissileProjectile>(scene->game)) {
            scene->frame(kStep); // the spark drawn in full
            scene->game.money = kFightMoney;
            scene->frame(kStep);
            return save(*scene, folder + "/fight.png");
        }
    }
    std::fprintf(stderr, "screenshots: no frame with all three towers firing\n");
    return false;
}

bool boss(const std::string& folder) {
    Scene scene(6);
    for (Building* tower : scene.game.buildings)
        tower->upgrade(0);
    scene.keepWhole = true;
    scene.bossArrived();
    for (int i = 0; i < 250; ++i)
        scene.frame(kStep);
    scene.game.money = kBossMoney;
    scene.frame(kStep);
    return save(scene, folder + "/boss.png");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots FOLDER\n");
        return 2;
    }
    if (!startBench("screenshots"))
        return 1;
    const std::string folder = argv[1];
    return idle(folder) && fight(folder) && boss(folder) ? 0 : 1;
}
END_OF_MAIN()
