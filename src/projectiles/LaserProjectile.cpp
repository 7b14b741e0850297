#include "projectiles/LaserProjectile.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "app/Sound.h"
#include "game/GameStats.h"
#include "invaders/Invader.h"
#include "towers/TowerKinds.h"

#include <allegro.h>

namespace {

// Read for every bolt, several a second from every turret.
double boltSpeed() {
    static KeptReal speed("LaserSpeedBase");
    return clampReal(speed.get(GameApp::instance()->strings), -kFastest, kFastest);
}

} // namespace

LaserProjectile::LaserProjectile(int x, int y, int damage)
    : Projectile(x, y), image(GameApp::instance()->laserSmallImage), speed(boltSpeed()),
      damage(damage) {
    settles = false;
}

void LaserProjectile::update(double dt) {
    y -= speed * dt;
    // Spent only once the whole image is above the field, so it never vanishes while visible.
    // A bolt tuned to fly downwards is spent once below the field, before its position could
    // grow past what drawing can take.
    const int height = image ? image->h : 0;
    if (y < -height || y > kFieldHeight)
        alive = false;
}

void LaserProjectile::draw(BITMAP* target) {
    if (!image || !target)
        return;
    masked_blit(image, target, 0, 0, static_cast<int>(x) - image->w / 2, static_cast<int>(y),
                image->w, image->h);
}

// A hit on something already dead does not count and the bolt flies on through it. A hit that
// counts spends the bolt even when it did no harm (a shielded target reports it as landed).
void LaserProjectile::hit(Invader* invader) {
    if (strikeInvader(kLaserTurret, invader, damage) == 0)
        return;
    playSample(GameApp::instance()->sampleLaserHit);
    alive = false;
}
