#include "sim/Planner.h"

#include "app/GameApp.h"

#include <algorithm>

namespace {

// Tower places 20 pixels apart along the ground line, as the built-in strategies use them: room
// for the widest sprite on either side.
constexpr int kSlotCount = 15;
constexpr int kSlotSpacing = 20;
// Plans are made for the first waves: later purchases wait for money anyway.
constexpr int kLatestBuildWave = 25;
constexpr int kLatestUpgradeWave = 40;
// A place is sold to be rebuilt once the game has paid for a stronger tower than the first:
// from the first boss on, as strong players do it, until late in a long game.
constexpr int kEarliestSellWave = 8;
constexpr int kLatestSellWave = 50;
const int kRepairChoices[] = {0, 30, 50, 70, 90};
// Repeats at a growing price: a plan may ask this many past an upgrade's last level, so that a
// long game still has something to buy at its end (with 8, the best plans had bought all they
// held and saved in their last waves).
constexpr int kMostPlannedRepeats = 12;
// A line turning into another kind: the first place from this wave, then one every few waves.
constexpr int kFirstTurnWave = 11;
constexpr int kTurnEvery = 3;

int slotX(int slot) {
    return kSlotSpacing * (slot + 1);
}

int upgradeCount(int type) {
    return GameApp::instance()->towerDefs[type].entryCount - kFirstUpgradeEntry;
}

int levelCount(int type, int upgrade) {
    return GameApp::instance()->towerDefs[type].entries[kFirstUpgradeEntry + upgrade].levelCount;
}

// The levels a plan may ask of an upgrade: past the data's last where upgrades can be bought
// again (a step upgrade, one of more than one level), so the search spends late money too.
int plannedLevels(int type, int upgrade) {
    const int levels = levelCount(type, upgrade);
    const bool repeats = GameApp::instance()->strings.getReal("UpgradeRepeatPriceGrowth") > 0.0;
    return repeats && levels > 1 ? levels + kMostPlannedRepeats : levels;
}

StrategyOrder waveOrder(int wave, StrategyOrder::Kind kind) {
    StrategyOrder order;
    order.when = wave <= 1 ? StrategyOrder::kStart : StrategyOrder::kWave;
    order.at = std::max(wave, 1);
    order.kind = kind;
    return order;
}

// Orders about one tower place, as opposed to repairs and calling waves early.
bool placed(const StrategyOrder& order) {
    return order.kind != StrategyOrder::kRepairBelow && order.kind != StrategyOrder::kCallEarly;
}

int waveOf(const StrategyOrder& order) {
    return order.when == StrategyOrder::kStart ? 1 : static_cast<int>(order.at);
}

void sortByWave(Strategy& plan) {
    std::stable_sort(
        plan.orders.begin(), plan.orders.end(),
        [](const StrategyOrder& a, const StrategyOrder& b) { return waveOf(a) < waveOf(b); });
}

// The kind of tower the plan builds at x, or -1.
int builtAt(const Strategy& plan, int x) {
    for (const StrategyOrder& order : plan.orders)
        if (order.kind == StrategyOrder::kBuild && order.x == x)
            return order.type;
    return -1;
}

void removeTower(Strategy& plan, int x) {
    plan.orders.erase(std::remove_if(plan.orders.begin(), plan.orders.end(),
                                     [x](const StrategyOrder& o) { return placed(o) && o.x == x; }),
                      plan.orders.end());
}

void removeAll(Strategy& plan, StrategyOrder::Kind kind) {
    plan.orders.erase(std::remove_if(plan.orders.begin(), plan.orders.end(),
                                     [kind](const StrategyOrder& o) { return o.kind == kind; }),
                      plan.orders.end());
}

std::vector<int> towerPlaces(const Strategy& plan) {
    std::vector<int> xs;
    for (const StrategyOrder& order : plan.orders)
        if (order.kind == StrategyOrder::kBuild)
            xs.push_back(order.x);
    return xs;
}

} // namespace

Strategy Planner::randomPlan() {
    Strategy plan;
    if (int percent = kRepairChoices[below(5)])
        plan.orders.push_back(repairOrder(percent));
    std::vector<int> slots(kSlotCount);
    for (int i = 0; i < kSlotCount; ++i)
        slots[i] = i;
    std::shuffle(slots.begin(), slots.end(), random);
    const int towers = 3 + below(kSlotCount - 2);
    for (int i = 0; i < towers; ++i)
        addTower(plan, slotX(slots[i]), anyKind(), i < 3 ? 1 : 1 + below(kLatestBuildWave));
    if (chance(40))
        callEarly(plan);
    sortByWave(plan);
    return plan;
}

namespace {

// The first towers go where the formation spends most of its time, the middle, and the line
// fills outwards by halving the gaps (160, 80, 240, 40, ...), as the built-in lasers do: a line
// begun at one end loses the first waves before it is complete.
std::vector<int> lineSlots() {
    std::vector<int> slots(kSlotCount);
    for (int i = 0; i < kSlotCount; ++i)
        slots[i] = i;
    const auto evenness = [](int slot) { return __builtin_ctz(static_cast<unsigned>(slot + 1)); };
    std::stable_sort(slots.begin(), slots.end(),
                     [&](int a, int b) { return evenness(a) > evenness(b); });
    return slots;
}

StrategyOrder upgradeAt(int wave, int x, int upgrade, int level) {
    StrategyOrder order = waveOrder(wave, StrategyOrder::kUpgrade);
    order.x = x;
    order.upgrade = upgrade;
    order.level = level;
    return order;
}

// Every repeat of the towers of this kind at the places, a level at a time along the line, each
// place from the wave it holds the kind.
void addRepeats(Strategy& plan, int type, const std::vector<std::pair<int, int>>& placesFrom) {
    for (int level = 1; level <= kMostPlannedRepeats; ++level)
        for (int u = 0; u < upgradeCount(type); ++u)
            for (std::size_t i = 0;
                 i < placesFrom.size() && plannedLevels(type, u) > levelCount(type, u); ++i)
                plan.orders.push_back(upgradeAt(placesFrom[i].second, placesFrom[i].first, u,
                                                levelCount(type, u) + level));
}

} // namespace

Strategy Planner::lineOf(int type) {
    Strategy plan = lineWithoutRepeats(type);
    std::vector<std::pair<int, int>> places;
    for (int slot = 0; slot < kSlotCount; ++slot)
        places.emplace_back(slotX(slot), 1);
    addRepeats(plan, type, places);
    return plan;
}

Strategy Planner::lineWithoutRepeats(int type) {
    Strategy plan;
    plan.orders.push_back(repairOrder(50));
    for (int slot : lineSlots()) {
        StrategyOrder build = waveOrder(1, StrategyOrder::kBuild);
        build.type = type;
        build.x = slotX(slot);
        plan.orders.push_back(build);
    }
    for (int u = 0; u < upgradeCount(type); ++u)
        for (int slot = 0; slot < kSlotCount; ++slot)
            plan.orders.push_back(upgradeAt(1, slotX(slot), u, 0));
    return plan;
}

// A line of one kind whose places are sold one every few waves from the first boss on and
// rebuilt as the other kind with every upgrade, then its repeats: the cheap towers hold the
// first waves and the money of the later ones goes into the stronger kind. The first kind's step
// upgrades come after the turns in the plan, so they take only the money the turns leave.
// With more kinds to turn into, the places take them in turn along the line, and a place whose
// turn is the first kind keeps its tower: a defence of every kind, each kind answering the
// invaders the others are poor against.
Strategy Planner::lineTurningInto(int from, const std::vector<int>& into) {
    Strategy plan;
    plan.orders.push_back(repairOrder(50));
    std::vector<std::pair<int, int>> places;
    std::vector<std::vector<std::pair<int, int>>> placesOf(kTowerTypeCount);
    int wave = kFirstTurnWave;
    for (int slot : lineSlots()) {
        const int x = slotX(slot);
        StrategyOrder build = waveOrder(1, StrategyOrder::kBuild);
        build.type = from;
        build.x = x;
        plan.orders.push_back(build);
        const int to = into[places.size() % into.size()];
        places.emplace_back(x, to == from ? 0 : wave);
        placesOf[to].emplace_back(x, to == from ? kFirstTurnWave : wave);
        if (to != from)
            wave += kTurnEvery;
    }
    for (std::size_t i = 0; i < places.size(); ++i) {
        const auto [x, turn] = places[i];
        const int to = into[i % into.size()];
        if (to == from)
            continue;
        StrategyOrder sell = waveOrder(turn, StrategyOrder::kSell);
        sell.x = x;
        plan.orders.push_back(sell);
        StrategyOrder build = waveOrder(turn, StrategyOrder::kBuild);
        build.type = to;
        build.x = x;
        plan.orders.push_back(build);
        for (int u = 0; u < upgradeCount(to); ++u)
            plan.orders.push_back(upgradeAt(turn, x, u, 0));
    }
    for (int u = 0; u < upgradeCount(from); ++u)
        for (const auto& place : places)
            if (levelCount(from, u) > 1)
                plan.orders.push_back(upgradeAt(1, place.first, u, 0));
    for (int to : into)
        if (!placesOf[to].empty()) {
            addRepeats(plan, to, placesOf[to]);
            placesOf[to].clear();
        }
    return plan;
}

Strategy Planner::mutate(const Strategy& parent, const Strategy& other) {
    Strategy child = parent;
    if (chance(25))
        crossOver(child, other);
    const int changes = 1 + below(3);
    for (int i = 0; i < changes; ++i)
        change(child);
    return child;
}

StrategyOrder Planner::repairOrder(int percent) {
    StrategyOrder order = waveOrder(1, StrategyOrder::kRepairBelow);
    order.percent = percent;
    return order;
}

// A build at x and, as often as not, each of its upgrades some waves later.
void Planner::addTower(Strategy& plan, int x, int type, int wave) {
    StrategyOrder build = waveOrder(wave, StrategyOrder::kBuild);
    build.type = type;
    build.x = x;
    plan.orders.push_back(build);
    for (int u = 0; u < upgradeCount(type); ++u)
        if (chance(50))
            plan.orders.push_back(upgradeOrder(x, type, u, wave));
}

// Waves called early from some wave on, and perhaps no longer from a later one.
void Planner::callEarly(Strategy& plan) {
    const int from = 1 + below(kLatestUpgradeWave);
    plan.orders.push_back(waveOrder(from, StrategyOrder::kCallEarly));
    if (chance(50)) {
        StrategyOrder off =
            waveOrder(from + 1 + below(kLatestUpgradeWave), StrategyOrder::kCallEarly);
        off.on = false;
        plan.orders.push_back(off);
    }
}

StrategyOrder Planner::upgradeOrder(int x, int type, int upgrade, int after) {
    StrategyOrder order =
        waveOrder(after + below(kLatestUpgradeWave - after + 1), StrategyOrder::kUpgrade);
    order.x = x;
    order.upgrade = upgrade;
    const int levels = plannedLevels(type, upgrade);
    order.level = levels > 1 && chance(50) ? 1 + below(levels) : 0;
    return order;
}

// Every place takes the other plan's tower and its orders, or keeps its own.
void Planner::crossOver(Strategy& child, const Strategy& other) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int x = slotX(slot);
        if (!chance(50))
            continue;
        removeTower(child, x);
        for (const StrategyOrder& order : other.orders)
            if (placed(order) && order.x == x)
                child.orders.push_back(order);
    }
    sortByWave(child);
}

void Planner::change(Strategy& plan) {
    // The place is drawn before the kind of change, whichever change then uses it.
    const std::vector<int> places = towerPlaces(plan);
    const int anyPlace = places.empty() ? -1 : places[below(static_cast<int>(places.size()))];
    switch (below(11)) {
    case 0:
        rebuildAs(plan, anyPlace);
        break;
    case 10:
        sellAndRebuild(plan, anyPlace);
        break;
    case 1:
        addTowerSomewhere(plan);
        break;
    case 2: // one tower fewer
        if (places.size() > 1)
            removeTower(plan, anyPlace);
        break;
    case 3:
    case 4:
        shiftOrder(plan);
        break;
    case 5:
        moveOrder(plan);
        break;
    case 6:
        changeUpgrade(plan, anyPlace);
        break;
    case 7:
        dropUpgrade(plan);
        break;
    case 8:
        changeEarlyCalls(plan);
        break;
    default:
        changeRepairs(plan);
        break;
    }
}

// A tower of another kind in the same place, on the same wave.
void Planner::rebuildAs(Strategy& plan, int x) {
    if (x < 0)
        return;
    int wave = 1;
    for (const StrategyOrder& o : plan.orders)
        if (o.kind == StrategyOrder::kBuild && o.x == x)
            wave = waveOf(o);
    removeTower(plan, x);
    addTower(plan, x, anyKind(), wave);
    sortByWave(plan);
}

// The tower at x sold some waves after it is built and the place rebuilt, perhaps as another
// kind: what the place was to do after the sale gives way to the new tower.
void Planner::sellAndRebuild(Strategy& plan, int x) {
    if (x < 0)
        return;
    int built = 1;
    for (const StrategyOrder& o : plan.orders)
        if (o.kind == StrategyOrder::kBuild && o.x == x)
            built = std::max(built, waveOf(o));
    const int earliest = std::max(built + 1, kEarliestSellWave);
    const int wave = earliest + below(std::max(kLatestSellWave - earliest, 0) + 1);
    plan.orders.erase(std::remove_if(plan.orders.begin(), plan.orders.end(),
                                     [x, wave](const StrategyOrder& o) {
                                         return placed(o) && o.x == x && waveOf(o) >= wave;
                                     }),
                      plan.orders.end());
    StrategyOrder sell = waveOrder(wave, StrategyOrder::kSell);
    sell.x = x;
    plan.orders.push_back(sell);
    addTower(plan, x, anyKind(), wave);
    sortByWave(plan);
}

// A tower in an empty place.
void Planner::addTowerSomewhere(Strategy& plan) {
    const int x = slotX(below(kSlotCount));
    if (builtAt(plan, x) >= 0)
        return;
    addTower(plan, x, anyKind(), 1 + below(kLatestBuildWave));
    sortByWave(plan);
}

// An order due a few waves earlier or later.
void Planner::shiftOrder(Strategy& plan) {
    const int n = static_cast<int>(plan.orders.size());
    if (n == 0)
        return;
    StrategyOrder& order = plan.orders[below(n)];
    const int wave = std::clamp(waveOf(order) + below(11) - 5, 1, kLatestUpgradeWave);
    order.when = wave <= 1 ? StrategyOrder::kStart : StrategyOrder::kWave;
    order.at = wave;
}

// A purchase moved ahead of or behind others.
void Planner::moveOrder(Strategy& plan) {
    const int n = static_cast<int>(plan.orders.size());
    if (n < 2)
        return;
    const int from = below(n);
    const StrategyOrder moved = plan.orders[from];
    plan.orders.erase(plan.orders.begin() + from);
    plan.orders.insert(plan.orders.begin() + below(n), moved);
}

// An upgrade more for the tower at x, or one it has taken to another level.
void Planner::changeUpgrade(Strategy& plan, int x) {
    if (x < 0)
        return;
    const int type = builtAt(plan, x);
    if (upgradeCount(type) == 0)
        return;
    const int upgrade = below(upgradeCount(type));
    for (StrategyOrder& o : plan.orders)
        if (o.kind == StrategyOrder::kUpgrade && o.x == x && o.upgrade == upgrade) {
            const int levels = plannedLevels(type, upgrade);
            o.level = levels > 1 ? below(levels + 1) : 0;
            return;
        }
    plan.orders.push_back(upgradeOrder(x, type, upgrade, 1));
    sortByWave(plan);
}

// An upgrade fewer.
void Planner::dropUpgrade(Strategy& plan) {
    std::vector<int> upgrades;
    for (std::size_t i = 0; i < plan.orders.size(); ++i)
        if (plan.orders[i].kind == StrategyOrder::kUpgrade)
            upgrades.push_back(static_cast<int>(i));
    if (!upgrades.empty())
        plan.orders.erase(plan.orders.begin() + upgrades[below(static_cast<int>(upgrades.size()))]);
}

// Waves called early from another wave, or never.
void Planner::changeEarlyCalls(Strategy& plan) {
    removeAll(plan, StrategyOrder::kCallEarly);
    if (chance(60)) {
        callEarly(plan);
        sortByWave(plan);
    }
}

// Repairs sooner, later or never.
void Planner::changeRepairs(Strategy& plan) {
    removeAll(plan, StrategyOrder::kRepairBelow);
    if (int percent = kRepairChoices[below(5)])
        plan.orders.insert(plan.orders.begin(), repairOrder(percent));
}
