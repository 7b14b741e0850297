#include "invaders/Wave.h"

#include "invaders/Invader.h"

Wave::~Wave() {
    for (Invader* invader : invaders)
        delete invader;
}

void Wave::update(double) {}

bool Wave::isDefeated() const {
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

void Wave::killAll() {
    for (Invader* invader : invaders)
        invader->health = 0;
}
