#pragma once

#include "sim/PlayerHands.h"
#include "sim/Strategy.h"

#include <functional>
#include <map>
#include <queue>
#include <set>
#include <utility>
#include <vector>

class Building;
class Game;

// Plays a strategy through the player's hands: looks at the game between frames, as a player
// looks at the screen, and queues the clicks that carry out the next order due. Nothing is
// bought behind the game's back; prices, placement and menus are the game's own.
class ScriptedPlayer {
  public:
    explicit ScriptedPlayer(const Strategy& strategy);

    // Call between frames while the hands are idle; queues at most one purchase. time is the
    // game time in seconds.
    void decide(const Game& game, double time, PlayerHands& hands);
    // True, once, for a tower this player sold (so it is not counted as lost).
    bool takeSold(const Building* tower);
    // The orders the last decision looked at: what a frame costs, which orders still to come
    // (and those done, or with nothing to do until the towers change) must not add to.
    int ordersLookedAt() const { return lookedAt; }

  private:
    struct OrderState {
        bool active = false;
        bool done = false;        // a sell carried out, or an order ended by a later sell
        int blockedUntilWave = 0; // passed over until this wave after a failed attempt
        // Passed over until a tower goes or comes: the order found nothing to do for a reason
        // only that can change (its place taken, its upgrade bought to the level asked for).
        bool settled = false;
    };
    // What the last action was meant to change, checked at the next decision.
    struct Attempt {
        int order = -1; // -1 none; -2 a repair
        const Building* tower = nullptr;
        int x = 0; // where the order acted
        int before = 0;
    };

    // The decision itself, its clicks queued on hands.
    void decideNow(const Game& game, PlayerHands& hands);

    void activate(const Game& game, double time);
    void activateOrder(int index);
    // Pursues the orders that may have something to do, in file order, until one acts or waits.
    void pursueOrders(const Game& game, PlayerHands& hands);
    void checkAttempt(const Game& game);
    bool repairSomething(const Game& game, PlayerHands& hands);
    // Returns true when the order was acted on or must be waited for.
    bool pursue(int index, const Game& game, PlayerHands& hands);
    int progress(const StrategyOrder& order, int x) const;
    bool fits(int type, int x) const;
    int placeUnderInvaders(const StrategyOrder& order, const Game& game) const;

    void build(int type, int x, PlayerHands& hands);
    void useMenu(const Building* tower, int entry, bool closeAfter, PlayerHands& hands);

    struct TowerSpan {
        int left;
        int right;
        Building* tower;
        unsigned long long serial;
        bool operator==(const TowerSpan& o) const {
            return left == o.left && right == o.right && tower == o.tower && serial == o.serial;
        }
    };
    // The standing towers' ground spans as the current decision found them; when they differ
    // from the last decision's, every settled order is looked at again.
    void takeSpans(const Game& game);
    Building* standingAt(int x) const;

    Strategy strategy;
    std::vector<OrderState> states;
    // The orders not yet due, by the moment they fall due (wave, or seconds of play), each
    // list read once from its front: a frame never looks at the orders still to come.
    struct Due {
        double at;
        int index;
        bool operator<(const Due& o) const { return at < o.at || (at == o.at && index < o.index); }
    };
    std::vector<Due> byWave;
    std::vector<Due> byTime;
    std::size_t nextByWave = 0;
    std::size_t nextByTime = 0;
    // Active orders that may have something to do, in file order; those settled wait in
    // `settledOrders` for the towers to change, those passed over in `blocked` for their wave.
    std::set<int> live;
    std::vector<int> settledOrders;
    std::priority_queue<std::pair<int, int>, std::vector<std::pair<int, int>>, std::greater<>>
        blocked;
    // Every place's orders in file order, and how many of them a sale there has ended.
    struct PlaceOrders {
        std::vector<int> orders;
        std::size_t ended = 0;
    };
    std::map<int, PlaceOrders> places;
    int lookedAt = 0;
    std::vector<TowerSpan> spans;
    std::vector<TowerSpan> lastSpans;
    // The towers in the game's list as the last decision found them.
    struct TowerSeen {
        const Building* tower;
        unsigned long long serial;
        int x;
        bool removed;
        // Read from the tower itself: a TowerSeen built aside to compare with made the processor
        // wait on its own narrow stores, every frame.
        bool sees(const Building* b) const;
    };
    std::vector<TowerSeen> seen;
    Attempt attempt;
    int repairPercent = -1;
    // Seconds between a decision and its clicks (react), and the clicks decided and held back
    // until the game time actAt.
    double reaction = 0.0;
    PlayerHands late;
    double actAt = 0.0;
    bool callEarly = false;
    std::vector<const Building*> repairBlocked;
    int repairBlockedWave = 0;
    std::set<const Building*> sold;
};

// The tower whose ground span contains x, if any.
Building* towerAt(const Game& game, int x);
