#include "invaders/Splitter.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "gfx/SpriteAnim.h"
#include "invaders/InvaderKinds.h"
#include "invaders/Wave.h"

#include <algorithm>

Splitter::Splitter() : Squibble(kSplitterKind) {}

void Splitter::die() {
    Squibble::die();
    if (!wave)
        return;
    const int cx = static_cast<int>(centreX());
    const int cy = static_cast<int>(centreY());
    for (int side : {-1, 1}) {
        Mite* half = new Mite();
        half->setCentre(cx, cy);
        half->drift *= side;
        wave->join(half);
    }
}

Mite::Mite() : Squibble(kMiteKind) {
    fires = false;
    formationMember = false;
    StringTable& strings = GameApp::instance()->strings;
    speed = strings.getReal("Invader5.Speed", 0.0, kFastest);
    drift = strings.getReal("Invader5.Burst", 0.0, kFastest);
}

void Mite::update(double dt) {
    Squibble::update(dt);
    const Game* game = GameApp::instance()->game;
    if (health <= 0 || (game && game->gameOver))
        return;
    y += speed * dt;
    x += drift * dt;
    // It skitters from wall to wall on its way down.
    const double right = kFieldWidth - anim->frameWidth();
    if ((x < 0.0 && drift < 0.0) || (x > right && drift > 0.0))
        drift = -drift;
    x = std::clamp(x, 0.0, right);
}
