#include "invaders/Wave.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "invaders/Invader.h"

namespace {

unsigned long long lastSerial = 0;

} // namespace

Wave::Wave() : serial(++lastSerial) {}

Wave::~Wave() {
    for (Invader* invader : invaders)
        delete invader;
    for (Invader* invader : arrivals)
        delete invader;
}

void Wave::update(double) {}

bool Wave::isDefeated() const {
    if (!arrivals.empty())
        return false;
    for (const Invader* invader : invaders)
        if (invader->health > 0)
            return false;
    return true;
}

void Wave::drawInvaders(BITMAP* target) const {
    for (Invader* invader : invaders)
        if (invader->health > 0)
            invader->draw(target);
}

// The orb held at its last point of health through its dying seconds goes with its ring.
void Wave::killAll() {
    Game* game = GameApp::instance()->game;
    for (Invader* invader : invaders) {
        if (game && invader->health > 0)
            ++game->stats.invadersDestroyed;
        invader->health = 0;
    }
}

void Wave::join(Invader* invader) {
    invader->wave = this;
    arrivals.push_back(invader);
}

void Wave::admitArrivals() {
    invaders.insert(invaders.end(), arrivals.begin(), arrivals.end());
    arrivals.clear();
}

unsigned long long currentWaveSerial() {
    const Game* game = GameApp::instance()->game;
    return game && game->wave ? game->wave->serial : 0;
}
