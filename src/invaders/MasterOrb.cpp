#include "invaders/MasterOrb.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "app/Random.h"
#include "app/Sound.h"
#include "game/Game.h"
#include "game/Spawn.h"
#include "gfx/Silhouette.h"
#include "gfx/SpriteAnim.h"
#include "invaders/OrbBomb.h"
#include "invaders/Wave.h"

#include <allegro.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr double kHitRadius = 24.0;
constexpr double kSatelliteOrbit = 8.0;
constexpr int kSatelliteHalf = 4; // half the 8-pixel satellite frame
constexpr int kRewardPerWave = 120;
constexpr int kLaunchPuffs = 10;
constexpr double kLaunchPuffSpeed = 48.0;
constexpr int kBlastRings = 5;
constexpr int kBlastsPerRing = 6;
constexpr int kBlastScatter = 12;

int currentWaveNumber() {
    const Game* game = GameApp::instance()->game;
    return game ? game->waveNumber : 1;
}

bool gameIsOver() {
    const Game* game = GameApp::instance()->game;
    return game && game->gameOver;
}

BITMAP* bodyImage() {
    return GameApp::instance()->orbImages[0];
}

void drawCentred(BITMAP* target, BITMAP* image, int cx, int cy) {
    if (image)
        draw_sprite(target, image, cx - image->w / 2, cy - image->h / 2);
}

} // namespace

MasterOrb::MasterOrb() {
    GameApp* app = GameApp::instance();
    // In 64 bits and held within int: a huge health times the wave number must not overflow.
    const long long full =
        static_cast<long long>(app->strings.getInt("MasterOrb.Health")) * currentWaveNumber() / 10;
    health = maxHealth = clampToInt(full);
    hitRadius = kHitRadius;
    for (int i = 0; i < kSatellites; ++i) {
        Satellite& s = satellites[i];
        s.anim = new SpriteAnim(app->orb4Sheet);
        s.phase = i / 3.0;
        const double a = 2 * kPi * i / 3;
        s.offsetX = static_cast<int>(kSatelliteOrbit * std::cos(a));
        s.offsetY = static_cast<int>(kSatelliteOrbit * std::sin(a));
    }
    // The first bomb comes 9.5 to 21.5 seconds into the fight.
    bombTimer = -3 - 12 * randomFraction();
    flashTimer = 0.0;
    silhouette = makeSilhouette(bodyImage());
}

MasterOrb::~MasterOrb() {
    for (Satellite& s : satellites)
        delete s.anim;
    if (silhouette)
        destroy_bitmap(silhouette);
}

void MasterOrb::update(double dt) {
    if (flashTimer > 0)
        flashTimer -= dt;
    // The satellites spin three times as fast while the orb flashes.
    const double k = flashTimer > 0 ? 3 : 1;
    for (int i = 0; i < kSatellites; ++i) {
        satellites[i].anim->advance(static_cast<float>((i + 1) * dt * k));
        satellites[i].phase += (i - 0.5) * dt * k;
    }

    switch (orbState) {
    case kEntering:
        if (y >= kArrivalY)
            orbState = kFighting;
        break;
    case kFighting:
        // The timer keeps counting after the game is lost; only the launches stop.
        bombTimer += dt;
        if (gameIsOver())
            break;
        if (bombTimer > kBombPeriod) {
            bombTimer -= kBombPeriod;
            launchBomb();
        }
        break;
    case kDying: {
        // Explosions in windows of 0.05 s every 0.2 s, a boom every other window.
        const int n = static_cast<int>(flashTimer * 20);
        if (n % 4 == 0)
            randomExplosion(0.0);
        if (n % 8 == 0)
            playSample(GameApp::instance()->sampleBoom1);
        if (flashTimer <= 0)
            finalBlast();
        break;
    }
    default:
        break;
    }
}

void MasterOrb::launchBomb() {
    GameApp* app = GameApp::instance();
    OrbBomb* bomb = new OrbBomb();
    bomb->x = x;
    bomb->y = y + 6.0;
    const float speed = static_cast<float>(randomFraction() * 24 + 16);
    bomb->vx = randomInt() < 16383 ? speed : -speed;
    const int bx = static_cast<int>(bomb->x);
    const int by = static_cast<int>(bomb->y);
    spawnEnemyShot(bomb);
    for (int i = 0; i < kLaunchPuffs; ++i) {
        const double a = 2 * kPi * i / kLaunchPuffs;
        spawnAnimation(bx, by, app->puff2Sheet, 0.0, kLaunchPuffSpeed * std::cos(a),
                       kLaunchPuffSpeed * std::sin(a));
    }
    playSample(app->sampleMissile);
}

// A blast somewhere within one and a half hit radii of the centre.
void MasterOrb::randomExplosion(double delay) {
    const double a = randomFraction() * 2 * kPi;
    const double d = randomFraction() * hitRadius * 1.5;
    const int cx = static_cast<int>(static_cast<int>(x) + d * std::cos(a));
    const int cy = static_cast<int>(static_cast<int>(y) + d * std::sin(a));
    spawnAnimation(cx, cy, GameApp::instance()->explosionSmallSheet, delay);
}

void MasterOrb::finalBlast() {
    GameApp* app = GameApp::instance();
    // Five widening rings of six blasts, each ring a little later and turned a little further.
    for (int i = 0; i < kBlastRings; ++i) {
        const double r = hitRadius + 48.0 * i / 5;
        for (int j = 0; j < kBlastsPerRing; ++j) {
            const double angle = j * kPi / 3 + i * kPi / 15;
            const int cx = static_cast<int>(static_cast<int>(x) + r * std::cos(angle));
            const int cy = static_cast<int>(static_cast<int>(y) + r * std::sin(angle));
            spawnAnimation(cx, cy, app->explosionSmallSheet, 0.08 * i);
        }
    }
    for (int k = 0; k < kBlastScatter; ++k)
        randomExplosion(0.02 * k);
    app->startShake(4.0, 1.2);

    // The ring goes down with the orb, without bounty.
    if (wave)
        wave->killAll();
    orbState = kDead;
    health = 0;

    const int reward = kRewardPerWave * currentWaveNumber();
    if (Game* game = app->game)
        game->addMoney(reward);
    spawnText(static_cast<int>(x), static_cast<int>(y), app->fontSmall, "+%d", reward);
}

void MasterOrb::draw(BITMAP* target) {
    GameApp* app = GameApp::instance();
    const int bx = static_cast<int>(x);
    const int by = static_cast<int>(y);
    drawCentred(target, app->orbImages[0], bx, by);
    for (const Satellite& s : satellites) {
        const double a = s.phase * kPi * 0.5;
        s.anim->draw(
            target,
            static_cast<int>(kSatelliteOrbit * std::cos(a) + (s.offsetX + x)) - kSatelliteHalf,
            static_cast<int>(kSatelliteOrbit * std::sin(a) + (s.offsetY + y)) - kSatelliteHalf);
    }
    drawCentred(target, app->orbImages[1], bx, by);
    drawCentred(target, app->orbImages[2], bx, by);
    // Blinks white, 0.05 s on and 0.05 s off, while hit or dying.
    if (flashTimer > 0 && static_cast<int>(flashTimer * 20) % 2 == 1)
        drawCentred(target, silhouette, bx, by);
}

int MasterOrb::takeDamage(int amount) {
    if (health <= 0)
        return 0;
    if (orbState != kFighting)
        return 1;
    if (health - amount > 0) {
        health -= amount;
        flashTimer = kHitFlashSeconds;
        return amount;
    }
    // Held at 1 through the dying seconds, so the wave is not defeated before the final blast.
    health = 1;
    flashTimer = kDyingSeconds;
    orbState = kDying;
    return amount;
}
