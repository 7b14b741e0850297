#include "towers/MissileTurret.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "app/Random.h"
#include "app/Sound.h"
#include "game/Spawn.h"
#include "gfx/SpriteAnim.h"
#include "invaders/Invader.h"
#include "projectiles/MissileProjectile.h"
#include "towers/TowerKinds.h"

namespace {

// The launcher swings to the side of its target, then rests facing that way.
constexpr int kRestLeftRow = 0;
constexpr int kRestRightRow = 2;
constexpr int kLaunchLeftRow = 3;
constexpr int kLaunchRightRow = 4;

constexpr double kLaunchRight = 0.2 * kPi;
constexpr double kLaunchLeft = 0.8 * kPi;

// Where missiles leave, relative to the middle of the resting frame and the ground; the twin
// leaves three pixels beside the first.
constexpr int kFirstOffset = 1;
constexpr int kTwinOffset = 4;
constexpr int kLaunchRise = 9;

// Launch smoke: three puffs on the side the launcher faces, a little apart in time.
constexpr int kPuffs = 3;
constexpr int kPuffScatter = 6;
constexpr int kPuffRightOffset = 3;
constexpr int kPuffLeftOffset = -9;
constexpr int kPuffRise = 21;
constexpr double kPuffDelay = 0.1;
constexpr double kPuffStagger = 0.07;

} // namespace

MissileTurret::MissileTurret() : Building(kMissileTurret) {
    StringTable& strings = GameApp::instance()->strings;
    sheet = def().sprite;
    firePeriod = static_cast<float>(strings.getReal("Tower2.FreqBase"));
    fireTimer = firePeriod * 0.5f;
    damage = strings.getInt("Tower2.DamageBase");
    splashDamage = strings.getInt("Tower2.DamageSplashBase");
    splashRadius = strings.getReal("Tower2.SplashRadius", -kWidestBlast, kWidestBlast);
}

// The period is spent even when a launch finds nothing to aim at.
void MissileTurret::update(double dt) {
    if (!anim)
        return;
    anim->advance(static_cast<float>(dt));
    fireTimer = static_cast<float>(fireTimer + dt);
    for (int shots = takeDueShots(fireTimer, firePeriod); shots > 0; --shots)
        fireVolley();
}

void MissileTurret::fireVolley() {
    GameApp* app = GameApp::instance();
    const int launcherX = x + restFrameWidth() / 2;
    const int launchY = app->towerBaseline - kLaunchRise;
    MissileProjectile* missile = new MissileProjectile(launcherX + kFirstOffset, launchY, damage,
                                                       splashDamage, splashRadius);
    if (!missile->acquireTarget()) {
        delete missile;
        return;
    }
    // The side is judged from the tower's left edge, not its middle.
    facingRight = missile->target->centreX() > x;
    if (facingRight) {
        missile->heading = kLaunchRight;
        anim->playThen(kLaunchRightRow, kRestRightRow);
    } else {
        missile->heading = kLaunchLeft;
        anim->playThen(kLaunchLeftRow, kRestLeftRow);
    }
    const double heading = missile->heading;
    spawnProjectile(missile);
    playSample(app->sampleMissile);

    // The twin homes on a target of its own, drawn at random like the first.
    if (twinFitted) {
        MissileProjectile* twin = new MissileProjectile(launcherX + kTwinOffset, launchY, damage,
                                                        splashDamage, splashRadius);
        twin->acquireTarget();
        twin->heading = heading;
        spawnProjectile(twin);
    }

    for (int i = 0; i < kPuffs; ++i) {
        const int offset =
            randomInt() % kPuffScatter + (facingRight ? kPuffRightOffset : kPuffLeftOffset);
        const int py = randomInt() % kPuffScatter + app->towerBaseline - kPuffRise;
        spawnAnimation(launcherX + offset, py, app->puff2Sheet, kPuffDelay + kPuffStagger * i);
    }
}
