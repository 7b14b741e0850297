#include "towers/LaserTurret.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "app/Random.h"
#include "app/Sound.h"
#include "game/Spawn.h"
#include "gfx/SpriteAnim.h"
#include "projectiles/LaserProjectile.h"
#include "projectiles/MissileProjectile.h"
#include "towers/TowerKinds.h"

namespace {

constexpr int kIdleRow = 0;
constexpr int kFiringRow = 2;

// Where shots leave, relative to the muzzle (the middle of the resting frame) and the ground.
constexpr int kBoltRise = 12;
constexpr int kMissileRight = 1;
constexpr int kMissileRise = 4;

// Pod missiles leave upwards within 54 degrees of vertical, at random.
constexpr double kPodLowest = 0.2; // of a half turn
constexpr double kPodSpread = 0.6; // of a half turn

// Launch smoke: three puffs around the pod, a little apart in time.
constexpr int kPuffs = 3;
constexpr int kPuffScatter = 6;
constexpr int kPuffRise = 18;
constexpr double kPuffDelay = 0.1;
constexpr double kPuffStagger = 0.07;

} // namespace

// The launcher's numbers are read now, bought or not, so buying it later only switches it on.
// Both timers start half a period in, so a new turret answers quickly.
LaserTurret::LaserTurret() : Building(kLaserTurret) {
    StringTable& strings = GameApp::instance()->strings;
    sheet = def().sprite;
    firePeriod = static_cast<float>(strings.getReal("Tower1.FreqBase"));
    fireTimer = firePeriod * 0.5f;
    missilePeriod = static_cast<float>(strings.getReal("Tower1.Upgrade2.Level1.MissileFreq"));
    missileTimer = missilePeriod * 0.5f;
    damage = strings.getInt("Tower1.DamageBase");
    missileDamage = strings.getInt("Tower1.Upgrade2.Level1.MissileDamage");
}

// Bolts leave whether or not anything is there to hit; the pod fires only once bought.
void LaserTurret::update(double dt) {
    if (!anim)
        return;
    GameApp* app = GameApp::instance();
    anim->advance(static_cast<float>(dt));
    const int muzzle = muzzleX();

    fireTimer = static_cast<float>(fireTimer + dt);
    for (int shots = takeDueShots(fireTimer, firePeriod); shots > 0; --shots) {
        anim->playThen(kFiringRow, kIdleRow);
        spawnProjectile(new LaserProjectile(muzzle, app->towerBaseline - kBoltRise, damage));
        playSample(app->sampleZoop);
    }

    if (!podFitted)
        return;
    missileTimer = static_cast<float>(missileTimer + dt);
    for (int shots = takeDueShots(missileTimer, missilePeriod); shots > 0; --shots)
        launchMissile();
}

// With nothing to aim at the missile is dropped quietly; its period is spent all the same.
void LaserTurret::launchMissile() {
    GameApp* app = GameApp::instance();
    const int muzzle = muzzleX();
    MissileProjectile* missile = new MissileProjectile(
        muzzle + kMissileRight, app->towerBaseline - kMissileRise, missileDamage, 0, 0.0);
    if (!missile->acquireTarget()) {
        delete missile;
        return;
    }
    missile->heading = (randomFraction() * kPodSpread + kPodLowest) * kPi;
    spawnProjectile(missile);
    playSample(app->sampleMissile);
    for (int i = 0; i < kPuffs; ++i) {
        const int px = muzzle + randomInt() % kPuffScatter - kPuffScatter / 2;
        const int py = randomInt() % kPuffScatter + app->towerBaseline - kPuffRise;
        spawnAnimation(px, py, app->puff2Sheet, kPuffDelay + kPuffStagger * i);
    }
}
