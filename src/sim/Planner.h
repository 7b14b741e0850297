#pragma once

#include "sim/Strategy.h"

#include <random>
#include <vector>

// Makes plans and changes them at random: the search's only source of new ideas. Everything it
// draws comes from its own generator, seeded once, so a search is repeatable and the game's own
// random numbers are untouched. The order of the draws is part of a search's result: the same
// seed must keep finding the same plans.
class Planner {
  public:
    Planner(unsigned seed, const std::vector<int>& kinds) : random(seed), kinds(kinds) {}

    // 0 to n - 1; no draw at all when there is only one choice.
    int below(int n) { return n <= 1 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n)); }
    bool chance(int percent) { return below(100) < percent; }

    // Three to fifteen towers of the allowed kinds in random places, the first three at once.
    Strategy randomPlan();
    // Every place holds a tower of this kind, built as the money comes, then every upgrade.
    Strategy lineOf(int type);
    // A line of one kind sold place by place from the first boss on and rebuilt as another kind,
    // or as each of several in turn.
    Strategy lineTurningInto(int from, int to) { return lineTurningInto(from, std::vector{to}); }
    Strategy lineTurningInto(int from, const std::vector<int>& into);
    // The parent, now and then with places taken from the other plan, changed a little.
    Strategy mutate(const Strategy& parent, const Strategy& other);

  private:
    int anyKind() { return kinds[below(static_cast<int>(kinds.size()))]; }

    Strategy lineWithoutRepeats(int type);
    void addTower(Strategy& plan, int x, int type, int wave);
    void callEarly(Strategy& plan);
    StrategyOrder repairOrder(int percent);
    StrategyOrder upgradeOrder(int x, int type, int upgrade, int after);
    void crossOver(Strategy& child, const Strategy& other);

    // One small change of a plan, and each kind of change it may be.
    void change(Strategy& plan);
    void rebuildAs(Strategy& plan, int x);
    void sellAndRebuild(Strategy& plan, int x);
    void addTowerSomewhere(Strategy& plan);
    void shiftOrder(Strategy& plan);
    void moveOrder(Strategy& plan);
    void changeUpgrade(Strategy& plan, int x);
    void dropUpgrade(Strategy& plan);
    void changeEarlyCalls(Strategy& plan);
    void changeRepairs(Strategy& plan);

    std::mt19937 random;
    std::vector<int> kinds;
};
