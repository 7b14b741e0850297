#include "effects/DebrisEffect.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "app/Random.h"
#include "game/Spawn.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDebrisLifetime = 2.0;
constexpr int kTileSize = 8;
constexpr double kPuffPeriod = 0.3;
// Pieces stop smoking after their first second in the air.
constexpr double kTrailUntil = 1.0;
// A piece coming down faster than this kicks up dust when it lands.
constexpr double kHardLandingSpeed = 96.0;
constexpr double kGravity = 256.0;
constexpr double kBlinkFrom = 1.5;
constexpr double kBlinksPerSecond = 10.0;

int tileCount() {
    BITMAP* tiles = GameApp::instance()->debrisImage;
    return tiles ? tiles->w / kTileSize : 0;
}

} // namespace

DebrisEffect::DebrisEffect(int cx, int cy, unsigned count, double spread, double speed) {
    lifetime = kDebrisLifetime;
    const int tiles = tileCount();
    count = std::min(count, kMaxPieces);
    pieces.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        // Every draw happens even without tiles, so the random sequence stays the same.
        Piece p;
        const double theta = randomFraction() * kPi;
        const int r = randomInt();
        p.tile = tiles > 0 ? r % tiles : 0;
        p.x = cx + spread * (randomInt() * std::cos(2.0 * theta) / static_cast<double>(kRandomMax));
        p.y = cy - spread * (randomInt() * std::sin(2.0 * theta) / static_cast<double>(kRandomMax));
        p.vx = (randomFraction() * 0.25 + 0.75) * std::cos(theta) * speed;
        p.vy = (randomFraction() * 0.25 + 0.75) * (-std::sin(theta)) * 1.5 * speed;
        pieces.push_back(p);
    }
}

void DebrisEffect::update(double dt) {
    Effect::update(dt);

    bool trail = false;
    puffTimer += dt;
    if (puffTimer > kPuffPeriod) {
        puffTimer -= kPuffPeriod;
        trail = age < kTrailUntil;
    }

    GameApp* app = GameApp::instance();
    const double ground = app->towerBaseline - 4;
    bool hardLanding = false;
    // Once one piece lands hard, every piece after it in this update leaves dust too.
    for (Piece& p : pieces) {
        p.x += p.vx * dt;
        p.y += p.vy * dt;
        if (p.y > ground) {
            if (p.vy > kHardLandingSpeed)
                hardLanding = true;
            p.y = ground;
            p.vy = (randomFraction() * 0.25 + 0.4) * (-p.vy);
            p.vx = 0.5 * p.vx;
        }
        p.vy += kGravity * dt;
        if (trail || hardLanding)
            spawnAnimation(static_cast<int>(p.x), static_cast<int>(p.y), app->puff2Sheet, 0.0);
    }
}

void DebrisEffect::draw(BITMAP* target) {
    BITMAP* tiles = GameApp::instance()->debrisImage;
    if (!tiles || tiles->w < kTileSize)
        return;
    if (age >= kBlinkFrom) {
        // Off in every other tenth of a second. Kept in floating point so a huge age cannot
        // overflow an integer conversion.
        const double phase = std::floor((age - kBlinkFrom) * kBlinksPerSecond);
        if (!(std::fmod(phase, 2.0) == 0.0))
            return;
    }
    const int available = tileCount();
    for (const Piece& p : pieces) {
        if (p.tile < 0 || p.tile >= available)
            continue;
        masked_blit(tiles, target, p.tile * kTileSize, 0, static_cast<int>(p.x) - kTileSize / 2,
                    static_cast<int>(p.y) - kTileSize / 2, kTileSize, kTileSize);
    }
}
