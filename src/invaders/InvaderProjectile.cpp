#include "invaders/InvaderProjectile.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "gfx/SpriteAnim.h"
#include "towers/Building.h"

#include <cmath>

namespace {

// Whether a circle of the given radius around (x, y) overlaps the tower's hit circle.
bool withinReach(const Building* tower, double x, double y, double reach) {
    const double dx = tower->centreX() - x;
    const double r = tower->hitRadius() + reach;
    // Adding dy * dy never makes the sum smaller, even rounded: a tower too far to the side is
    // out of reach at any height, and most towers are, so their height is not worked out.
    if (!(r * r > dx * dx))
        return false;
    const double dy = tower->centreY() - y;
    return r * r > dx * dx + dy * dy;
}

} // namespace

InvaderProjectile::~InvaderProjectile() {
    delete anim;
}

bool InvaderProjectile::touchesTower() const {
    const Game* game = GameApp::instance()->game;
    if (!game)
        return false;
    // A hit needs the height between the centres under the sum of the radii: a shot over every
    // tower's reach by more than its own radius, and a pixel for rounding, touches none.
    constexpr double kTame = 1e6;
    if (std::fabs(y) < kTame && std::fabs(radius) < kTame &&
        y + std::fabs(radius) + 1.0 < game->towersReachTop)
        return false;
    for (const Building* tower : game->buildings)
        if (withinReach(tower, x, y, radius))
            return true;
    return false;
}

void InvaderProjectile::damageTowers(double reach, int amount) const {
    Game* game = GameApp::instance()->game;
    if (!game)
        return;
    for (Building* tower : game->buildings)
        if (withinReach(tower, x, y, reach))
            tower->takeDamage(amount);
}
