#include "invaders/SquibbleBullet.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "app/Random.h"
#include "game/Spawn.h"
#include "gfx/SpriteAnim.h"

#include <cmath>

namespace {

constexpr double kRadius = 3.0;
constexpr double kFallSpeed = 60.0;
// Peak sideways speed; the swing takes two seconds, so a bullet drifts about 30 pixels each way.
constexpr double kWeaveSpeed = 48.0;
constexpr int kDamage = 1;

} // namespace

SquibbleBullet::SquibbleBullet() : weavePhase(randomFraction()) {
    radius = kRadius;
    anim = new SpriteAnim(GameApp::instance()->alienBulletSheet);
}

void SquibbleBullet::update(double dt) {
    weavePhase += dt;
    anim->advance(static_cast<float>(dt));
    y += kFallSpeed * dt;
    x += dt * kWeaveSpeed * std::sin(kPi * weavePhase);
    if (y >= GameApp::instance()->towerBaseline - radius || touchesTower())
        impact();
}

void SquibbleBullet::draw(BITMAP* target) {
    anim->draw(target, static_cast<int>(x), static_cast<int>(y));
}

void SquibbleBullet::impact() {
    spawnAnimation(static_cast<int>(x), static_cast<int>(y), GameApp::instance()->poofSheet, 0.0);
    damageTowers(radius, kDamage);
    alive = false;
}
