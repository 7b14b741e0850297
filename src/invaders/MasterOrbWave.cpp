#include "invaders/MasterOrbWave.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "game/Game.h"
#include "game/Spawn.h"
#include "gfx/SpriteAnim.h"
#include "invaders/MasterOrb.h"
#include "invaders/Squibble.h"

#include <cmath>

namespace {

constexpr double kStartX = 160.0;
constexpr double kStartY = -64.0;
constexpr double kSinkSpeed = 12.0;         // from -64 to 32 in 8 seconds
constexpr double kRingTurnRate = 0.3 * kPi; // one turn every 6.67 seconds

void placeOnRing(Invader* invader, double angle, const MasterOrb* orb) {
    invader->setCentre(static_cast<int>(MasterOrbWave::kRingRadius * std::cos(angle) + orb->x),
                       static_cast<int>(MasterOrbWave::kRingRadius * std::sin(angle) + orb->y));
}

} // namespace

MasterOrbWave::MasterOrbWave() {
    orb = new MasterOrb();
    orb->x = kStartX;
    orb->y = kStartY;
    invaders.push_back(orb);
    orb->wave = this;
    for (int i = 0; i < kRingSize; ++i) {
        Squibble* squibble = new Squibble();
        placeOnRing(squibble, 2 * kPi * i / kRingSize, orb);
        invaders.push_back(squibble);
        squibble->wave = this;
        ring[i] = squibble;
    }
}

void MasterOrbWave::update(double dt) {
    moveOrb(dt);
    ringTime += dt;
    turnRing();

    const Game* game = GameApp::instance()->game;
    if (game && game->gameOver) {
        // Everything keeps animating in place; nothing comes back and nothing fires.
        for (Invader* invader : invaders)
            invader->update(dt);
        return;
    }

    respawnTimer += dt;
    if (orb->health > 0 && respawnTimer > kRespawnSeconds) {
        respawnTimer -= kRespawnSeconds;
        respawnOne();
    }

    for (Invader* invader : invaders)
        if (invader->health > 0)
            invader->update(dt);
}

// Sinks into view, then sways between x 60 and 260 every 40 s and bobs between y 12 and 52
// every 20 s.
void MasterOrbWave::moveOrb(double dt) {
    if (phase == 0) {
        if (orb->y < MasterOrb::kArrivalY)
            orb->y += kSinkSpeed * dt;
        else
            phase = 1;
    } else {
        hoverTime += dt;
        orb->x = 100 * std::sin(0.05 * kPi * hoverTime) + 160;
        orb->y = 20 * std::sin(0.1 * kPi * hoverTime) + 32;
    }
}

// Dead members are placed too, so a respawned squibble comes back in its place on the ring.
void MasterOrbWave::turnRing() {
    for (int i = 0; i < kRingSize; ++i)
        placeOnRing(ring[i], kRingTurnRate * ringTime + 2 * kPi * i / kRingSize, orb);
}

// The highest-numbered dead member returns at full health; the time is spent even when none was
// dead.
void MasterOrbWave::respawnOne() {
    for (int i = kRingSize - 1; i >= 0; --i) {
        Invader* squibble = ring[i];
        if (squibble->health > 0)
            continue;
        squibble->health = squibble->maxHealth;
        ++returns;
        if (squibble->anim)
            squibble->anim->setRow(kSquibbleHealthy);
        spawnAnimation(static_cast<int>(squibble->centreX()), static_cast<int>(squibble->centreY()),
                       GameApp::instance()->poofSheet, 0.0);
        return;
    }
}

Invader* MasterOrbWave::boss() const {
    return phase > 0 && orb->health > 1 ? orb : nullptr;
}
