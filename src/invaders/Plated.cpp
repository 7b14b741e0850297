#include "invaders/Plated.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "game/Spawn.h"
#include "invaders/InvaderKinds.h"

#include <algorithm>
#include <cmath>

namespace {

// Far past any tower's hit, and small enough that the chipped damage stays a plain number.
constexpr double kMaxPlate = 1.0e6;

} // namespace

Plated::Plated() : Squibble(kPlatedKind) {
    StringTable& strings = GameApp::instance()->strings;
    plate = strings.getReal("Invader2.Plate", 0.0, kMaxPlate);
    minDamage = strings.getReal("Invader2.MinDamage", 0.0, kMaxPlate);
}

int Plated::takeDamage(int amount) {
    if (health <= 0)
        return 0;
    // Never more than the hit itself: a minimum above it would turn a plate into a weakness.
    const double dealt =
        std::clamp(amount - plate, std::min(minDamage, 1.0 * amount), 1.0 * amount);
    if (dealt < amount)
        spawnAnimation(static_cast<int>(centreX()), static_cast<int>(centreY()),
                       GameApp::instance()->glanceSheet, 0.0);
    chipped += dealt;
    const double whole = std::floor(chipped);
    chipped -= whole;
    Squibble::takeDamage(clampToInt(whole));
    return amount;
}
