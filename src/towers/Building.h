#pragma once

#include "app/Definitions.h"
#include "gfx/SpriteAnim.h"
#include "towers/UpgradeChange.h"

#include <cmath>
#include <optional>
#include <vector>

struct BITMAP;
class SpriteSheet;

// A tower on the ground line: placement, drawing, damage smoke, damage and destruction, repair,
// demolition, the prices its menu shows and its upgrades. The tower types fire in their own ways;
// what an upgrade changes is a row of the type's kind (TowerKinds.cpp), not code of its own.
class Building {
  public:
    explicit Building(int type);
    virtual ~Building();
    Building(const Building&) = delete;
    Building& operator=(const Building&) = delete;

    virtual void draw(BITMAP* target);
    virtual void update(double dt) = 0;
    // Buys one more level of upgrade k + 1 (the money is charged by the game beforehand); does
    // nothing past the last level or for an upgrade the type does not have.
    void upgrade(int k);
    // What upgrade k + 1 changes for this tower, now and after one more level, for its tool tip;
    // empty for an upgrade the type's kind has no row for.
    UpgradeChange upgradeChange(int k) const;

    void placeAt(int x);
    // The game's per-frame step: the tower's own update, then smoke while badly damaged.
    void tick(double dt);

    // Inline: every enemy shot asks every tower every step.
    double centreX() const { return x + (anim ? anim->frameWidth() : 0) / 2; }
    double centreY() const;
    // centreY for towers standing on that baseline, inline for a look at every tower a step.
    double centreYOn(int baseline) const { return baseline - (anim ? anim->frameHeight() : 0) / 2; }
    double hitRadius() const { return def().radius; }
    int maxHealth() const { return def().health; }
    // Both prices read 0 for a type without full health and for a tower already destroyed.
    int sellValue() const;
    // The price of mending all the damage.
    int repairCost() const;
    // What a repair mends with the money at hand: all the damage at repairCost when the money
    // covers it, else as much as the money buys. None when not a single point can be paid.
    struct RepairOffer {
        int points = 0;
        int price = 0;
    };
    RepairOffer repairOffer(long long money) const;
    // The levels the type's data gives upgrade k + 1; 0 for no such upgrade.
    int upgradeLevelCount(int k) const;
    // The price of the next level of upgrade k + 1, or none: bought to its last level (and not
    // to be bought again, see repeatPrice), an upgrade without levels, or no such upgrade.
    std::optional<int> nextLevelPrice(int k) const;
    void takeDamage(int amount);
    void explode();
    // Neither does anything once the tower is removed: it is gone, whatever the menu still shows.
    // A repair mends what the game's money buys (repairOffer) and charges it.
    void repair();
    void sell();

    // The type's row of the tower table, which lives as long as the game.
    const TowerDef& def() const { return *definition; }
    // Width of the frame row 0 of the type's sheet shows at rest; 0 without a sheet.
    int restFrameWidth() const;

    // Different for every tower made in the process, so a tower built where another stood, even
    // at the same address, is not taken for it.
    const unsigned long long serial;
    SpriteSheet* sheet = nullptr; // not owned
    SpriteAnim* anim = nullptr;   // owned; created by placeAt
    int type;
    int x = 0;
    std::vector<int> upgradeLevels;
    int health = 0;
    bool removed = false;
    double smokeTimer = 0.0;

  private:
    // Looked up once: prices, health and reach read it many times a step.
    const TowerDef* definition;

    int priceShare(int part) const;
    std::optional<int> repeatPrice(int k, int lastPrice) const;
    double repeatScale(int k) const;
    void spawnSmokePuff();
};

// The most shots one tower weapon releases in a single update. Far above anything a sane period
// and frame step produce; it only bites when a period is tiny or a frame step absurdly long.
constexpr int kMaxShotsPerUpdate = 100;

// Every tower weapon's cadence goes through here: the caller adds the frame step to its fire
// timer, then fires as many shots as this returns. Each whole period the timer is strictly past
// is taken out of it, so a step spanning several periods releases several shots.
//
// A period of zero or less (a missing "Freq" key reads as 0) would never bring the timer back
// under the period, and a loop that subtracts it would never end. Such a weapon fires at most
// once per update instead, and its timer is cleared so it cannot grow without bound. A period
// that is not a number never fires. A positive period so small that subtracting it no longer
// changes the timer would also loop for ever; the shots are capped at kMaxShotsPerUpdate and
// the backlog beyond the cap is dropped, keeping only the fraction of a period already run.
int takeDueShotsOutOfLine(float& timer, float period);
// Nearly every step of every tower nothing is due and nothing needs mending: that case inline.
inline int takeDueShots(float& timer, float period) {
    if (period > 0.0f && timer <= period && std::isfinite(timer))
        return 0;
    return takeDueShotsOutOfLine(timer, period);
}
