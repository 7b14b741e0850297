#include "sim/ScriptedPlayer.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "invaders/Invader.h"
#include "invaders/Wave.h"
#include "sim/PlayerHands.h"
#include "towers/Building.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// Where the placing click lands: well above the ground line, clear of the towers and the bar.
constexpr int kPlacingClickHeight = 40;
// The places a tower goes to when it is built under the invaders: the 20-pixel grid of the
// built-in plans and the search, room for any tower between two neighbours.
constexpr int kFirstPlace = 20;
constexpr int kLastPlace = 300;
constexpr int kPlaceGap = 20;
constexpr double kFieldMiddle = 160.0;
constexpr int kButtonCentre = kButtonSize / 2;

int buttonX(int index) {
    return kButtonX - index * GameApp::instance()->buttonSpacing + kButtonCentre;
}

} // namespace

namespace {

// The ground span of a standing tower, both ends included.
struct Span {
    int left;
    int right;
};

// The price of the next level an upgrade order asks for, read off the tower's menu as a player
// reads it; none when it asks for nothing more: no such upgrade, or bought to the level asked for
// (every level the data gives when it names none; a level past those is a level bought again,
// where the rules allow it).
std::optional<int> priceStillAsked(const Building& tower, const StrategyOrder& order) {
    const int levels = tower.upgradeLevelCount(order.upgrade);
    const int target = order.level > 0 ? order.level : levels;
    if (levels <= 0 || tower.upgradeLevels[order.upgrade] >= target)
        return std::nullopt;
    return tower.nextLevelPrice(order.upgrade);
}

Span spanOf(const Building* b) {
    const int width = b->def().width;
    const int left = b->x + (b->restFrameWidth() - width) / 2;
    return Span{left, left + width};
}

// The invaders' middle: where a newcomer's eye is. Between waves, the middle of the field, where
// the next block comes in.
double invadersMiddle(const Game& game) {
    double sum = 0.0;
    int alive = 0;
    if (game.wave)
        for (const Invader* invader : game.wave->invaders)
            if (invader->health > 0) {
                sum += invader->centreX();
                ++alive;
            }
    return alive > 0 ? sum / alive : kFieldMiddle;
}

} // namespace

Building* towerAt(const Game& game, int x) {
    for (Building* b : game.buildings) {
        if (b->removed)
            continue;
        const Span span = spanOf(b);
        if (x >= span.left && x <= span.right)
            return b;
    }
    return nullptr;
}

// Every order asks what stands at its place, every frame: the spans are worked out once per
// decision (nothing the player decides changes the field before the next update) instead of
// once per order and tower, which made the player as costly as the game it plays.
bool ScriptedPlayer::TowerSeen::sees(const Building* b) const {
    return tower == b && serial == b->serial && x == b->x && removed == b->removed;
}

void ScriptedPlayer::takeSpans(const Game& game) {
    // A tower's span follows from its type and place, both fixed once it stands: while the same
    // towers stand in the same places, the spans are the last decision's.
    const std::vector<Building*>& towers = game.buildings;
    bool same = towers.size() == seen.size();
    for (std::size_t i = 0; same && i < towers.size(); ++i)
        same = seen[i].sees(towers[i]);
    if (same)
        return;
    seen.clear();
    for (Building* b : towers)
        seen.push_back(TowerSeen{b, b->serial, b->x, b->removed});

    spans.swap(lastSpans);
    spans.clear();
    for (Building* b : towers) {
        if (b->removed)
            continue;
        const Span span = spanOf(b);
        spans.push_back(TowerSpan{span.left, span.right, b, b->serial});
    }
    if (spans == lastSpans)
        return;
    for (int index : settledOrders) {
        states[index].settled = false;
        live.insert(index);
    }
    settledOrders.clear();
}

bool ScriptedPlayer::fits(int type, int x) const {
    const int width = GameApp::instance()->towerDefs[type].width;
    const int left = x - width / 2;
    const int right = left + width;
    for (const TowerSpan& span : spans)
        // Touching edges count as overlap, as when placing by hand.
        if (left <= span.right && right >= span.left)
            return false;
    return true;
}

// For a build, the free place of the built-in plans' grid nearest the invaders' middle; for an
// upgrade, the centre of the standing tower nearest it that still lacks the level asked for.
// kUnder when there is none.
int ScriptedPlayer::placeUnderInvaders(const StrategyOrder& order, const Game& game) const {
    const double middle = invadersMiddle(game);
    int best = StrategyOrder::kUnder;
    double nearest = std::numeric_limits<double>::infinity();
    const auto consider = [&](int x) {
        if (std::abs(x - middle) < nearest) {
            nearest = std::abs(x - middle);
            best = x;
        }
    };
    if (order.kind == StrategyOrder::kBuild) {
        for (int x = kFirstPlace; x <= kLastPlace; x += kPlaceGap)
            if (fits(order.type, x))
                consider(x);
    } else {
        for (const TowerSpan& span : spans)
            if (priceStillAsked(*span.tower, order))
                consider((span.left + span.right) / 2);
    }
    return best;
}

Building* ScriptedPlayer::standingAt(int x) const {
    for (const TowerSpan& span : spans)
        if (x >= span.left && x <= span.right)
            return span.tower;
    return nullptr;
}

ScriptedPlayer::ScriptedPlayer(const Strategy& strategy)
    : strategy(strategy), states(strategy.orders.size()) {
    for (std::size_t i = 0; i < strategy.orders.size(); ++i) {
        const StrategyOrder& order = strategy.orders[i];
        const int index = static_cast<int>(i);
        if (order.when == StrategyOrder::kStart)
            byWave.push_back(Due{-std::numeric_limits<double>::infinity(), index});
        else if (!std::isnan(order.at)) // never due
            (order.when == StrategyOrder::kWave ? byWave : byTime).push_back(Due{order.at, index});
        if ((order.kind == StrategyOrder::kBuild || order.kind == StrategyOrder::kUpgrade ||
             order.kind == StrategyOrder::kSell) &&
            order.x != StrategyOrder::kUnder)
            places[order.x].orders.push_back(index);
    }
    std::sort(byWave.begin(), byWave.end());
    std::sort(byTime.begin(), byTime.end());
}

bool ScriptedPlayer::takeSold(const Building* tower) {
    return sold.erase(tower) != 0;
}

void ScriptedPlayer::decide(const Game& game, double time, PlayerHands& hands) {
    takeSpans(game);
    if (late.busy()) {
        // Decided already: the clicks come once the reaction time is over, on whatever the
        // field has become by then.
        if (game.gameOver)
            late = PlayerHands();
        else if (time >= actAt)
            late.handOver(hands);
        return;
    }
    checkAttempt(game);
    if (game.gameOver)
        return;
    // Orders fall due first, so a reaction time due now already holds back this decision.
    lookedAt = 0;
    activate(game, time);
    PlayerHands& out = reaction > 0.0 ? late : hands;
    decideNow(game, out);
    if (late.busy())
        actAt = time + reaction;
}

void ScriptedPlayer::decideNow(const Game& game, PlayerHands& hands) {
    // A menu left open (a tower destroyed under it, a click gone astray) is closed first.
    if (game.uiMode == kUiGameMenu) {
        hands.pressKey(KEY_ESC);
        return;
    }
    if (game.uiMode != kUiIdle) {
        hands.rightClick(160, 100);
        return;
    }
    if (repairSomething(game, hands))
        return;
    pursueOrders(game, hands);
    // Waiting for money is no reason to wait for the wave: the wave is where money comes from.
    if (!hands.busy() && callEarly && game.canCallNextWave())
        hands.pressKey(KEY_N);
}

// Orders become due in file order within one decision, as the last repair or early-call order
// due sets the rule and a sale ends only the orders above it.
void ScriptedPlayer::activate(const Game& game, double time) {
    std::vector<int> due;
    for (; nextByWave < byWave.size() && game.waveNumber >= byWave[nextByWave].at; ++nextByWave)
        due.push_back(byWave[nextByWave].index);
    for (; nextByTime < byTime.size() && time >= byTime[nextByTime].at; ++nextByTime)
        due.push_back(byTime[nextByTime].index);
    std::sort(due.begin(), due.end());
    for (int index : due)
        activateOrder(index);
    lookedAt += static_cast<int>(due.size());
}

void ScriptedPlayer::activateOrder(int index) {
    const StrategyOrder& order = strategy.orders[index];
    states[index].active = true;
    if (order.kind == StrategyOrder::kRepairBelow)
        repairPercent = order.percent;
    if (order.kind == StrategyOrder::kCallEarly)
        callEarly = order.on;
    if (order.kind == StrategyOrder::kReact)
        reaction = order.seconds;
    // A sale ends what was planned for that place before it.
    if (order.kind == StrategyOrder::kSell) {
        PlaceOrders& place = places[order.x];
        for (; place.ended < place.orders.size() && place.orders[place.ended] < index;
             ++place.ended)
            states[place.orders[place.ended]].done = true;
    }
    if (!states[index].done)
        live.insert(index);
}

void ScriptedPlayer::pursueOrders(const Game& game, PlayerHands& hands) {
    for (; !blocked.empty() && blocked.top().first <= game.waveNumber; blocked.pop())
        live.insert(blocked.top().second);
    for (auto it = live.begin(); it != live.end();) {
        const int index = *it;
        OrderState& state = states[index];
        ++lookedAt;
        if (!state.done && game.waveNumber < state.blockedUntilWave)
            blocked.emplace(state.blockedUntilWave, index);
        else if (!state.done && pursue(index, game, hands))
            break;
        if (state.settled)
            settledOrders.push_back(index);
        if (state.done || state.settled || game.waveNumber < state.blockedUntilWave)
            it = live.erase(it);
        else
            ++it;
    }
}

int ScriptedPlayer::progress(const StrategyOrder& order, int x) const {
    const Building* tower = standingAt(x);
    switch (order.kind) {
    case StrategyOrder::kBuild:
        return tower && tower->type == order.type ? 1 : 0;
    case StrategyOrder::kUpgrade:
        return tower ? tower->upgradeLevels[order.upgrade] : -1;
    case StrategyOrder::kSell:
        return tower ? 0 : 1;
    default:
        return 0;
    }
}

void ScriptedPlayer::checkAttempt(const Game& game) {
    if (attempt.order == -2) {
        // The repair worked if the tower is back at full health (or gone: nothing to retry).
        for (const Building* b : game.buildings)
            if (b == attempt.tower && b->health == attempt.before) {
                repairBlocked.push_back(b);
                repairBlockedWave = game.waveNumber + 1;
            }
    } else if (attempt.order >= 0) {
        const StrategyOrder& order = strategy.orders[attempt.order];
        OrderState& state = states[attempt.order];
        const bool changed = progress(order, attempt.x) != attempt.before;
        // A sale, or an upgrade of whichever tower stood under the invaders, is done once.
        const bool once =
            order.kind == StrategyOrder::kSell ||
            (order.kind == StrategyOrder::kUpgrade && order.x == StrategyOrder::kUnder);
        if (once && changed)
            state.done = true;
        else if (!changed)
            state.blockedUntilWave = game.waveNumber + 1;
        if (order.kind == StrategyOrder::kSell && !changed)
            sold.erase(attempt.tower);
    }
    attempt = Attempt();
}

bool ScriptedPlayer::repairSomething(const Game& game, PlayerHands& hands) {
    if (repairPercent < 0)
        return false;
    if (game.waveNumber >= repairBlockedWave)
        repairBlocked.clear();
    for (const Building* b : game.buildings) {
        if (b->removed || std::count(repairBlocked.begin(), repairBlocked.end(), b))
            continue;
        if (b->health * 100LL >= static_cast<long long>(repairPercent) * b->maxHealth())
            continue;
        const int cost = b->repairCost();
        if (cost <= 0 || cost > game.money)
            continue;
        attempt.order = -2;
        attempt.tower = b;
        attempt.before = b->health;
        useMenu(b, kRepairEntry, true, hands);
        return true;
    }
    return false;
}

bool ScriptedPlayer::pursue(int index, const Game& game, PlayerHands& hands) {
    const StrategyOrder& order = strategy.orders[index];
    OrderState& state = states[index];
    if (!state.active || state.done || game.waveNumber < state.blockedUntilWave)
        return false;
    GameApp* app = GameApp::instance();
    // Nothing to do until the towers change (levels only ever go up).
    const auto settle = [&state] {
        state.settled = true;
        return false;
    };
    const int x = order.x == StrategyOrder::kUnder ? placeUnderInvaders(order, game) : order.x;
    if (x == StrategyOrder::kUnder)
        return settle();
    const Building* tower = standingAt(x);
    switch (order.kind) {
    case StrategyOrder::kBuild: {
        if (tower) // standing already, or the place is taken by another type
            return settle();
        const TowerDef& def = app->towerDefs[order.type];
        if (!def.available)
            return settle();
        if (game.money < def.value)
            return true;
        build(order.type, x, hands);
        break;
    }
    case StrategyOrder::kUpgrade: {
        const std::optional<int> price = tower ? priceStillAsked(*tower, order) : std::nullopt;
        if (!price)
            return settle();
        if (game.money < *price)
            return true;
        useMenu(tower, kFirstUpgradeEntry + order.upgrade, true, hands);
        break;
    }
    case StrategyOrder::kSell:
        if (!tower) {
            state.done = true;
            return false;
        }
        sold.insert(tower);
        attempt.tower = tower;
        useMenu(tower, kDemolishEntry, false, hands);
        break;
    default:
        return settle();
    }
    attempt.order = index;
    attempt.x = x;
    attempt.before = progress(order, x);
    return true;
}

void ScriptedPlayer::build(int type, int x, PlayerHands& hands) {
    GameApp* app = GameApp::instance();
    hands.click(buttonX(type), kButtonY + kButtonCentre);
    hands.click(x, app->towerBaseline - kPlacingClickHeight);
    // Enough money for another leaves the game in placing mode.
    hands.rightClick(x, app->towerBaseline - kPlacingClickHeight);
}

void ScriptedPlayer::useMenu(const Building* tower, int entry, bool closeAfter,
                             PlayerHands& hands) {
    GameApp* app = GameApp::instance();
    const int x = static_cast<int>(tower->centreX());
    const int y = app->towerBaseline - 2;
    hands.click(x, y);
    hands.click(buttonX(entry), kButtonY + kButtonCentre);
    if (closeAfter)
        hands.rightClick(x, y);
}
