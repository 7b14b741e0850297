#include "invaders/OrbBomb.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "app/Random.h"
#include "app/Sound.h"
#include "effects/DebrisEffect.h"
#include "game/Game.h"
#include "game/Spawn.h"
#include "gfx/SpriteAnim.h"

#include <cmath>

namespace {

constexpr double kRadius = 8.0;
constexpr double kLaunchSpeed = -64.0;
constexpr double kGravity = 256.0;
constexpr double kTrailPeriod = 0.1;
constexpr int kTrailScatter = 20; // trail puffs land within ±10 pixels of the bomb

// Both the bounce and the blast reach 4 pixels beyond the bomb's own radius.
constexpr double kBlastReach = 4.0;
constexpr int kBlastDamage = 2;
// The bounce keeps 60 % of the falling speed and slows the spin to 40 %.
constexpr double kBounceKeeps = -0.6;
constexpr double kBounceSpin = 0.4;
constexpr double kBounceShake = 2.0;
constexpr double kBounceShakeSeconds = 0.4;
constexpr int kBouncePuffs = 6;
constexpr double kBouncePuffSpeed = 32.0;

constexpr int kScatteredBlasts = 5;
constexpr double kBlastStagger = 0.1;
constexpr int kColumnBlasts = 4;
constexpr double kColumnStagger = 0.08;
constexpr int kColumnRise = 12;

constexpr double kBlastShake = 3.0;
constexpr double kBlastShakeSeconds = 0.8;
constexpr unsigned kDebrisCount = 3;
constexpr double kDebrisSpread = 8.0;
constexpr double kDebrisSpeed = 128.0;

} // namespace

OrbBomb::OrbBomb() : vy(kLaunchSpeed) {
    radius = kRadius;
    anim = new SpriteAnim(GameApp::instance()->orbBombSheet);
}

void OrbBomb::update(double dt) {
    y += dt * vy;
    x += dt * vx;
    anim->advance(static_cast<float>(dt * animRate));
    vy += kGravity * dt;
    // A bomb only strikes while falling, so one still rising passes through a tower.
    const bool falling = vy > 0.0;
    if (y >= GameApp::instance()->towerBaseline - radius) {
        if (falling)
            impact();
    } else if (falling && touchesTower()) {
        impact();
    }
    trailTimer += dt;
    if (trailTimer > kTrailPeriod) {
        trailTimer -= kTrailPeriod;
        spawnTrailPuff();
    }
}

void OrbBomb::spawnTrailPuff() {
    const int px = static_cast<int>(x) + randomInt() % kTrailScatter - kTrailScatter / 2;
    const int py = static_cast<int>(y) + randomInt() % kTrailScatter - kTrailScatter / 2;
    spawnAnimation(px, py, GameApp::instance()->puff2Sheet, 0.0);
}

void OrbBomb::draw(BITMAP* target) {
    anim->draw(target, static_cast<int>(x) - 8, static_cast<int>(y) - 8);
}

void OrbBomb::impact() {
    if (bounces++ == 0)
        bounce();
    else
        explode();
}

void OrbBomb::bounce() {
    GameApp* app = GameApp::instance();
    app->startShake(kBounceShake, kBounceShakeSeconds);
    damageTowers(radius + kBlastReach, kBlastDamage);
    vy *= kBounceKeeps;
    animRate *= kBounceSpin;
    // A fan of puffs over the lower half turn, from the right round to the left.
    for (int i = 0; i < kBouncePuffs; ++i) {
        const double a = i * kPi / kBouncePuffs;
        spawnAnimation(static_cast<int>(x), static_cast<int>(y), app->puff2Sheet, 0.0,
                       kBouncePuffSpeed * std::cos(a), kBouncePuffSpeed * std::sin(a));
    }
    playSample(app->sampleBounce);
}

void OrbBomb::explode() {
    GameApp* app = GameApp::instance();
    damageTowers(radius + kBlastReach, kBlastDamage);
    alive = false;
    SpriteSheet* blast = app->explosionSmallSheet;
    const int ix = static_cast<int>(x);
    const int iy = static_cast<int>(y);
    spawnAnimation(ix, iy, blast, 0.0);
    for (int i = 1; i <= kScatteredBlasts; ++i) {
        const double bx = x + randomInt() % 18 - 9;
        const double by = y + randomInt() % 32 - 16;
        spawnAnimation(static_cast<int>(bx), static_cast<int>(by), blast, kBlastStagger * i);
    }
    // A short column of blasts climbing from the crater, carried along by the bomb's speed.
    for (int j = 0; j < kColumnBlasts; ++j) {
        const double t = kColumnStagger * j;
        spawnAnimation(static_cast<int>(ix + vx * t),
                       static_cast<int>(iy - kColumnRise * j + vy * t * t), blast, t);
    }
    if (y >= app->towerBaseline - radius) {
        if (Game* game = app->game)
            game->health -= 1;
        spawnText(ix, iy, app->fontSmallRed, "-%d", 1);
    }
    spawnEffect(new DebrisEffect(ix, iy, kDebrisCount, kDebrisSpread, kDebrisSpeed));
    app->startShake(kBlastShake, kBlastShakeSeconds);
    playSample(app->sampleBoom1);
}
