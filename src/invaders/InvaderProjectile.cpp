#include "invaders/InvaderProjectile.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "gfx/SpriteAnim.h"
#include "towers/Building.h"

namespace {

// Whether a circle of the given radius around (x, y) overlaps the tower's hit circle.
bool withinReach(const Building* tower, double x, double y, double reach) {
    const double dx = tower->centreX() - x;
    const double dy = tower->centreY() - y;
    const double r = tower->hitRadius() + reach;
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
