#include "invaders/Diver.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "gfx/SpriteAnim.h"
#include "invaders/InvaderKinds.h"

#include <algorithm>
#include <cmath>

namespace {

// The sideways swing turns about once every three seconds: a dive from the usual height bends
// one way and back, so no single column sees it all the way down.
constexpr double kSwingRate = 2.0; // radians per second

} // namespace

Diver::Diver() : Squibble(kDiverKind) {
    StringTable& strings = GameApp::instance()->strings;
    diveHeight = strings.getReal("Invader3.DiveHeight", -kFastest, kFastest);
    diveSpeed = strings.getReal("Invader3.DiveSpeed", 0.0, kFastest);
    swing = strings.getReal("Invader3.DiveSwing", 0.0, kFastest);
}

void Diver::update(double dt) {
    Squibble::update(dt);
    const Game* game = GameApp::instance()->game;
    if (health <= 0 || (game && game->gameOver))
        return;
    if (!diving && y >= diveHeight) {
        diving = true;
        formationMember = false;
        direction = centreX() < kFieldWidth / 2 ? 1 : -1;
        return;
    }
    if (diving)
        dive(dt);
}

void Diver::dive(double dt) {
    diveTime += dt;
    y += diveSpeed * dt;
    x += direction * swing * std::cos(diveTime * kSwingRate) * dt;
    // It keeps to the field, where the towers can reach it.
    x = std::clamp(x, 0.0, static_cast<double>(kFieldWidth - anim->frameWidth()));
}
