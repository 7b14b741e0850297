#include "towers/Building.h"

#include "app/GameApp.h"
#include "app/Random.h"
#include "app/Sound.h"
#include "effects/DebrisEffect.h"
#include "game/Game.h"
#include "game/Spawn.h"
#include "gfx/SpriteAnim.h"
#include "gfx/SpriteSheet.h"
#include "towers/TowerKinds.h"
#include "towers/UpgradeRow.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Smoke starts at this health and thickens as the tower weakens: one puff per
// kSmokeSecondsPerHealth seconds for each point of health left.
constexpr int kSmokeHealth = 2;
constexpr double kSmokeSecondsPerHealth = 0.2;

// A hit rattles the screen a little; a tower going up rattles it hard.
constexpr double kHitShakeAmount = 2.0;
constexpr double kHitShakeSeconds = 0.4;
constexpr double kBlastShakeAmount = 3.0;
constexpr double kBlastShakeSeconds = 0.8;

constexpr int kBlastCount = 6;
constexpr double kBlastStagger = 1.0 / 15.0; // seconds between the blasts of one destruction
constexpr int kBlastScatter = 20;            // blasts land within ±10 pixels of the centre
constexpr double kDebrisSpread = 8.0;
constexpr double kDebrisSpeed = 80.0;

void addText(int x, int y, const char* format, int amount) {
    spawnText(x, y, GameApp::instance()->fontSmall, format, amount);
}

unsigned long long towersMade = 0;

// UpgradeRepeatPriceGrowth is held to this: each repeat at most this many times the last price.
constexpr double kMostPriceGrowth = 100.0;

} // namespace

Building::Building(int type)
    : serial(++towersMade), type(type), definition(&GameApp::instance()->towerDefs[type]) {
    const TowerDef& d = def();
    upgradeLevels.assign(std::max(0, d.entryCount), 0);
    health = maxHealth();
}

Building::~Building() {
    delete anim;
}

int Building::restFrameWidth() const {
    return ::restFrameWidth(sheet);
}

void Building::placeAt(int newX) {
    if (sheet) {
        delete anim;
        anim = new SpriteAnim(sheet);
    }
    x = newX;
}

void Building::draw(BITMAP* target) {
    if (anim)
        anim->draw(target, x, GameApp::instance()->towerBaseline - anim->frameHeight());
}

void Building::tick(double dt) {
    update(dt);
    if (health > kSmokeHealth)
        return;
    smokeTimer += dt;
    const double threshold = health * kSmokeSecondsPerHealth;
    if (smokeTimer > threshold) {
        smokeTimer -= threshold;
        spawnSmokePuff();
    }
}

void Building::spawnSmokePuff() {
    const int w = anim ? anim->frameWidth() : 0;
    const int cx = static_cast<int>(centreX());
    const int cy = static_cast<int>(centreY());
    // The position is drawn before the drift: x offset, y offset, then the speed.
    const int px = cx + w / 6 + randomInt() % 4 - 2;
    const int py = cy - w / 8 + randomInt() % 2 - 1;
    spawnAnimation(px, py, GameApp::instance()->puff2Sheet, 0.0, 8.0 + 16.0 * randomFraction(),
                   -20.0);
}

double Building::centreY() const {
    return centreYOn(GameApp::instance()->towerBaseline);
}

// Half the price, scaled by part / full. Halving first and dividing last is how the menu has
// always priced a tower; the order matters for odd prices. The product is taken in 64 bits so
// that generous data cannot overflow it.
int Building::priceShare(int part) const {
    const int full = maxHealth();
    if (full <= 0 || health <= 0)
        return 0;
    return static_cast<int>(static_cast<long long>(def().value / 2) * part / full);
}

int Building::sellValue() const {
    return priceShare(health);
}

int Building::repairCost() const {
    return priceShare(maxHealth() - health);
}

// A repair in part is priced at the whole repair's rate per health point, rounded up: a point
// is never free, and what is charged never exceeds the money, so money never goes below 0. It
// mends less than the whole damage, so health never passes full.
Building::RepairOffer Building::repairOffer(long long money) const {
    const int cost = repairCost();
    if (cost <= 0 || money <= 0)
        return {};
    const int missing = maxHealth() - health;
    if (money >= cost)
        return {missing, cost};
    // The whole repair costs something, so half the price and the full health are positive.
    const long long half = def().value / 2;
    const long long full = maxHealth();
    const long long points = std::min<long long>(missing - 1, money * full / half);
    if (points <= 0)
        return {};
    return {static_cast<int>(points), static_cast<int>((points * half + full - 1) / full)};
}

void Building::takeDamage(int amount) {
    if (health <= 0 || removed)
        return;
    health -= amount;
    if (health <= 0) {
        explode();
        if (Game* game = GameApp::instance()->game)
            game->towerLost(*this);
        return;
    }
    playSample(GameApp::instance()->sampleLaserHit);
    GameApp::instance()->startShake(kHitShakeAmount, kHitShakeSeconds);
    spawnSmokePuff();
}

void Building::explode() {
    GameApp* app = GameApp::instance();
    removed = true;
    const double cx = centreX();
    const double cy = centreY();
    // A type without full health throws no debris rather than a count wrapped to billions.
    const unsigned pieces = static_cast<unsigned>(std::max(0, maxHealth()));
    spawnEffect(new DebrisEffect(static_cast<int>(cx), static_cast<int>(cy), pieces, kDebrisSpread,
                                 kDebrisSpeed));
    for (int i = 1; i <= kBlastCount; ++i) {
        const double bx = cx + randomInt() % kBlastScatter - kBlastScatter / 2;
        const double by = cy + randomInt() % kBlastScatter - kBlastScatter / 2;
        spawnAnimation(static_cast<int>(bx), static_cast<int>(by), app->explosionSmallSheet,
                       i * kBlastStagger);
        app->startShake(kBlastShakeAmount, kBlastShakeSeconds);
    }
    playSample(app->sampleBoom1);
}

void Building::repair() {
    Game* game = GameApp::instance()->game;
    if (removed || !game)
        return;
    const RepairOffer offer = repairOffer(game->money);
    if (offer.points <= 0)
        return;
    game->addMoney(-offer.price);
    health += offer.points;
    addText(static_cast<int>(centreX()), static_cast<int>(centreY()), "-%d", offer.price);
}

void Building::sell() {
    Game* game = GameApp::instance()->game;
    if (removed || !game)
        return;
    const int refund = sellValue();
    game->addMoney(refund);
    explode();
    addText(static_cast<int>(centreX()), static_cast<int>(centreY()), "+%d", refund);
}

int Building::upgradeLevelCount(int k) const {
    const TowerDef& d = def();
    if (k < 0 || k >= d.entryCount - kFirstUpgradeEntry)
        return 0;
    // A definition whose entry list is shorter than its count has nothing to buy there.
    const std::size_t entry = static_cast<std::size_t>(k) + kFirstUpgradeEntry;
    if (entry >= d.entries.size() || static_cast<std::size_t>(k) >= upgradeLevels.size())
        return 0;
    return std::max(0, d.entries[entry].levelCount);
}

std::optional<int> Building::nextLevelPrice(int k) const {
    const int levels = upgradeLevelCount(k);
    if (levels <= 0 || upgradeLevels[k] < 0)
        return std::nullopt;
    const std::vector<UpgradeLevel>& prices = def().entries[k + kFirstUpgradeEntry].levels;
    if (upgradeLevels[k] < levels)
        return prices[upgradeLevels[k]].value;
    return repeatPrice(k, prices[levels - 1].value);
}

// Past the data's last level an upgrade that adds a step may be bought again, each time at the
// price before times UpgradeRepeatPriceGrowth and for UpgradeRepeatStepShare of the step before:
// money keeps a use late in a long game, at a price that outgrows any income. Off (the
// design's game) while the growth is 0.
std::optional<int> Building::repeatPrice(int k, int lastPrice) const {
    StringTable& strings = GameApp::instance()->strings;
    const double growth = strings.getReal("UpgradeRepeatPriceGrowth", 0.0, kMostPriceGrowth);
    const UpgradeRow* row = upgradeRow(type, k);
    if (!(growth > 0.0) || !row || !repeatChanges(*row, *this, repeatScale(k)))
        return std::nullopt;
    const int repeat = upgradeLevels[k] - upgradeLevelCount(k) + 1;
    const double price = std::round(lastPrice * std::pow(growth, repeat));
    // A price past what money can hold could never be paid.
    if (!(price >= 0.0 && price <= std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(price);
}

// What the step of the next level is multiplied by: 1 for the data's levels.
double Building::repeatScale(int k) const {
    const int repeat = upgradeLevels[k] - upgradeLevelCount(k) + 1;
    if (repeat <= 0)
        return 1.0;
    const double share = GameApp::instance()->strings.getReal("UpgradeRepeatStepShare", 0.0, 1.0);
    return std::pow(share, repeat);
}

// The data decides what the menu offers and at what price; the kind's row, what a level does.
// An upgrade in the data without a row costs its price and changes nothing.
void Building::upgrade(int k) {
    if (!nextLevelPrice(k))
        return;
    const double scale = repeatScale(k);
    ++upgradeLevels[k];
    if (const UpgradeRow* row = upgradeRow(type, k))
        applyUpgrade(*row, *this, scale);
}

UpgradeChange Building::upgradeChange(int k) const {
    const UpgradeRow* row = upgradeRow(type, k);
    if (!row)
        return UpgradeChange{};
    return ::upgradeChange(*row, *this, nextLevelPrice(k) ? repeatScale(k) : 1.0);
}

int takeDueShotsOutOfLine(float& timer, float period) {
    if (!std::isfinite(timer))
        timer = 0.0f;
    if (!(period > 0.0f)) {
        const int shots = timer > period ? 1 : 0;
        timer = 0.0f;
        return shots;
    }
    int shots = 0;
    while (timer > period && shots < kMaxShotsPerUpdate) {
        timer -= period;
        ++shots;
    }
    if (timer > period)
        timer = std::fmod(timer, period);
    return shots;
}
