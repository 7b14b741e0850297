#include "projectiles/MissileProjectile.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "app/Random.h"
#include "app/Sound.h"
#include "game/Game.h"
#include "game/GameStats.h"
#include "game/Spawn.h"
#include "gfx/SpriteAnim.h"
#include "invaders/Invader.h"
#include "invaders/Wave.h"
#include "towers/TowerKinds.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 2.0 * kPi;

// Up and to the left; every launcher sets its own heading.
constexpr double kDefaultHeading = 0.75 * kPi;
// A fresh missile clears its launcher before it starts homing and smoking.
constexpr double kStraightSeconds = 0.2;

// One sprite row per direction, row 0 pointing right, counter-clockwise from there. The half
// step (in turns) rounds the heading to the nearest row.
constexpr int kDirections = 16;
constexpr double kHalfDirection = 0.5 / kDirections;

// The trail leaves a puff this often, a little behind the missile and above its centre.
constexpr double kTrailSeconds = 0.09;
constexpr double kTrailBehind = 3.0;
constexpr int kTrailRaise = 2;
// An absurdly long frame step would otherwise leave thousands of puffs at one spot.
constexpr int kMaxTrailPuffs = 100;

// The blast's extra explosions: one per point of splash damage and per four pixels of radius,
// spread over kBlastSeconds. The cap only bites on absurd tuning.
constexpr double kBlastSeconds = 0.3;
constexpr double kBlastsPerPixel = 0.25;
constexpr int kMaxBlasts = 64;

// Keeps a heading in [0, 2pi). Turning never adds more than one revolution with sane tuning;
// anything further out is folded at once instead of one revolution per loop pass.
double wrapHeading(double heading) {
    if (std::fabs(heading) > 64.0 * kTwoPi)
        heading = std::fmod(heading, kTwoPi);
    while (heading >= kTwoPi)
        heading -= kTwoPi;
    while (heading < 0.0)
        heading += kTwoPi;
    return heading;
}

int directionRow(double heading) {
    int n = static_cast<int>(kDirections * (heading / kTwoPi + kHalfDirection));
    while (n < 0)
        n += kDirections;
    return n % kDirections;
}

void spawnAt(double x, double y, SpriteSheet* sheet, double delay) {
    spawnAnimation(static_cast<int>(x), static_cast<int>(y), sheet, delay);
}

} // namespace

MissileProjectile::MissileProjectile(int x, int y, int damage, int splashDamage,
                                     double splashRadius)
    : Projectile(x, y), damage(damage), splashDamage(splashDamage), splashRadius(splashRadius) {
    GameApp* app = GameApp::instance();
    StringTable& strings = app->strings;
    // Read for every missile, and a battle launches many a second.
    static KeptReal speedKey("MissileSpeedBase"), steeringMaxKey("MissileSteeringMax"),
        steeringResponseKey("MissileSteeringResponse"), lifeKey("MissileLife");
    speed = clampReal(speedKey.get(strings), -kFastest, kFastest);
    // Turning faster than this already spins the missile round at every step.
    steeringMax = clampReal(steeringMaxKey.get(strings), -kFastest, kFastest);
    steeringResponse = clampReal(steeringResponseKey.get(strings), -kFastest, kFastest);
    life = lifeKey.get(strings);
    heading = kDefaultHeading;
    anim = new SpriteAnim(app->missileSheet);
}

MissileProjectile::~MissileProjectile() {
    delete anim;
}

// Every live invader is equally likely, wherever it is.
bool MissileProjectile::acquireTarget() {
    target = nullptr;
    targetWaveSerial = 0;
    const Game* game = GameApp::instance()->game;
    if (!game || !game->wave)
        return false;
    const Wave* wave = game->wave;
    std::size_t live = 0;
    for (const Invader* invader : wave->invaders)
        live += invader->health > 0;
    if (live == 0)
        return false;
    std::size_t pick = static_cast<std::size_t>(randomInt()) % live;
    for (Invader* invader : wave->invaders) {
        if (invader->health <= 0)
            continue;
        if (pick-- == 0) {
            target = invader;
            break;
        }
    }
    targetWaveSerial = wave->serial;
    return true;
}

// currentWaveSerial's answer, worked out here: every missile asks every step.
bool MissileProjectile::targetLost() const {
    const Game* game = GameApp::instance()->game;
    const unsigned long long current = game && game->wave ? game->wave->serial : 0;
    return !target || targetWaveSerial != current || target->health <= 0;
}

void MissileProjectile::update(double dt) {
    if (!alive)
        return;
    GameApp* app = GameApp::instance();
    if (targetLost() && !acquireTarget()) {
        alive = false;
        target = nullptr;
        spawnAt(x, y, app->poofSheet, 0.0);
        return;
    }
    age += dt;
    if (age > life) {
        explode();
        alive = false;
        return;
    }
    // The sprite's frame and direction are only a picture: a game played for its result alone
    // leaves them be.
    const bool seen = !app->resultOnly;
    if (seen)
        anim->advance(static_cast<float>(dt));
    if (dt == 0.0 && standsStill()) {
        if (seen)
            anim->setRow(directionRow(heading));
        return;
    }

    // The turn rate is the heading error itself, capped only when turning counter-clockwise.
    // The error before the cap also slows the missile down, so it tightens hard turns.
    double error = 0.0;
    if (age > kStraightSeconds) {
        double cx = 0.0, cy = 0.0;
        target->centre(cx, cy);
        const double dx = cx - x;
        const double dy = cy - y;
        const double d = std::sqrt(dx * dx + dy * dy);
        // Sitting exactly on the target's centre there is no direction to turn to.
        if (d > 0.0) {
            const double wanted = std::atan2(-dy / d, dx / d);
            error = wanted - heading;
            if (error > kPi)
                error -= kTwoPi;
            else if (error < -kPi)
                error += kTwoPi;
            const double rate = error >= steeringMax ? steeringMax : error;
            heading = wrapHeading(heading + rate * dt);
        }
    }
    const double factor = 1.0 - std::fabs(error) * steeringResponse;
    // Worked out once for the flight and the trail: the heading does not change in between.
    const double cosHeading = std::cos(heading);
    const double sinHeading = std::sin(heading);
    x += cosHeading * speed * dt * factor;
    y -= sinHeading * speed * dt * factor;

    if (seen)
        anim->setRow(directionRow(heading));

    if (age > kStraightSeconds) {
        trailTimer -= dt;
        for (int puffs = 0; trailTimer < 0.0; ++puffs) {
            if (puffs == kMaxTrailPuffs) {
                trailTimer = 0.0;
                break;
            }
            spawnAt(x - kTrailBehind * cosHeading,
                    static_cast<int>(y + kTrailBehind * sinHeading) - kTrailRaise, app->puff2Sheet,
                    0.0);
            trailTimer += kTrailSeconds;
        }
    }
    steadyAfterStep = steadyOnItsOwn();
}

// The game steps every missile a second time with no time passing, after the wave's update, so
// that one whose target just died picks another at once. With every number below in its ordinary
// range such a step changes nothing the rest of update would work out: the turn and the flight
// are multiplied by a step of zero and added to nonzero finite values, the heading stays in
// [0, 2pi), and no puff is due. The atan2, sin and cos, half of a battle's missile steps, are
// then spared; anything out of range (absurd data, a target off at infinity) takes the full way.
bool MissileProjectile::standsStill() const {
    return steadyOnItsOwn() && targetWithinReckoning();
}

bool MissileProjectile::steadyOnItsOwn() const {
    constexpr double kTame = 1e300;
    const auto tame = [](double v) { return std::fabs(v) <= kTame; };
    if (!(heading > 0.0 && heading < kTwoPi) || !std::isfinite(steeringMax) || !tame(speed) ||
        !tame(steeringResponse) || !std::isfinite(x) || !std::isfinite(y) || x == 0.0 || y == 0.0)
        return false;
    return !(age > kStraightSeconds) || trailTimer >= 0.0;
}

bool MissileProjectile::targetWithinReckoning() const {
    if (!(age > kStraightSeconds))
        return true;
    // Positions this near keep the distance's square finite whatever frame the target shows
    // (a centre lies less than half a frame from the position): no need to look at the frame.
    constexpr double kNear = 1e150;
    if (std::fabs(target->x) < kNear && std::fabs(target->y) < kNear && std::fabs(x) < kNear &&
        std::fabs(y) < kNear)
        return true;
    double cx = 0.0, cy = 0.0;
    target->centre(cx, cy);
    const double dx = cx - x;
    const double dy = cy - y;
    return std::isfinite(dx * dx + dy * dy);
}

// The step of no time, spared when it would change nothing: the last step ended with the row
// set afresh (play time 0, and a missile queues no rows), so the play time and the row stay
// as they are, and the rest is standsStill's case with the missile's own part known already.
void MissileProjectile::settle() {
    if (alive && steadyAfterStep && !targetLost() && targetWithinReckoning())
        return;
    update(0.0);
}

void MissileProjectile::draw(BITMAP* target) {
    anim->draw(target, static_cast<int>(x) - anim->frameWidth() / 2,
               static_cast<int>(y) - anim->frameHeight() / 2);
}

// A hit on something already dead does not count: the missile flies on.
void MissileProjectile::hit(Invader* invader) {
    if (strikeInvader(kMissileTurret, invader, damage) <= 0)
        return;
    explode();
    alive = false;
}

void MissileProjectile::explode() {
    GameApp* app = GameApp::instance();
    const Game* game = app->game;
    // Only the current wave can be hurt: a blast after the wave ended harms nobody. The target
    // of a direct hit takes the splash too if it survived.
    if (splashDamage > 0 && game && game->wave) {
        const std::vector<Invader*>& invaders = game->wave->invaders;
        for (std::size_t i = 0; i < invaders.size(); ++i) {
            Invader* invader = invaders[i];
            if (invader->health <= 0)
                continue;
            const double reach = splashRadius + invader->hitRadius;
            double cx = 0.0, cy = 0.0;
            invader->centre(cx, cy);
            const double dx = cx - x;
            const double dy = cy - y;
            if (reach * reach > dx * dx + dy * dy)
                strikeInvader(kMissileTurret, invader, splashDamage);
        }
    }

    spawnAt(x, y, app->explosionSmallSheet, 0.0);

    // Extra explosions scatter over a band as wide as the radius and twice as tall. A radius
    // under one pixel has no whole pixel to scatter over: those go off on the missile itself.
    if (splashRadius > 0.0) {
        const double count = splashDamage + kBlastsPerPixel * splashRadius;
        const int scatter = static_cast<int>(splashRadius);
        for (int c = 0; c < count && c < kMaxBlasts; ++c) {
            const int ox = scatter > 0 ? randomInt() % scatter : 0;
            const int oy = scatter > 0 ? randomInt() % scatter : 0;
            spawnAt(x + ox - splashRadius * 0.5, y + 2 * oy - splashRadius,
                    app->explosionSmallSheet, (c + 1) * kBlastSeconds / count);
        }
    }
    playSample(app->sampleBoom1);
}
