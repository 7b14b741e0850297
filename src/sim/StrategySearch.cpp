#include "sim/StrategySearch.h"

#include "app/GameApp.h"
#include "sim/Simulator.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Tower places 20 pixels apart along the ground line, as the built-in strategies use them: room
// for the widest sprite on either side.
constexpr int kSlotCount = 15;
constexpr int kSlotSpacing = 20;
// Plans are made for the first waves: later purchases wait for money anyway.
constexpr int kLatestBuildWave = 25;
constexpr int kLatestUpgradeWave = 40;
const int kRepairChoices[] = {0, 30, 50, 70, 90};

int slotX(int slot) {
    return kSlotSpacing * (slot + 1);
}

int upgradeCount(int type) {
    return GameApp::instance()->towerDefs[type].entryCount - kFirstUpgradeEntry;
}

int levelCount(int type, int upgrade) {
    return GameApp::instance()->towerDefs[type].entries[kFirstUpgradeEntry + upgrade].levelCount;
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

// Changes plans at random; everything it draws comes from its own generator, seeded once, so a
// search is repeatable and the game's own random numbers are untouched.
class Planner {
  public:
    Planner(unsigned seed, const std::vector<int>& kinds) : random(seed), kinds(kinds) {}

    int below(int n) { return n <= 1 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n)); }
    bool chance(int percent) { return below(100) < percent; }

    Strategy randomPlan() {
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

    // Every place holds a tower of this kind, built as the money comes, then every upgrade. The
    // first towers go where the formation spends most of its time, the middle, and the line
    // fills outwards by halving the gaps (160, 80, 240, 40, ...), as the built-in lasers do: a
    // line begun at one end loses the first waves before it is complete.
    Strategy lineOf(int type) {
        Strategy plan;
        plan.orders.push_back(repairOrder(50));
        std::vector<int> slots(kSlotCount);
        for (int i = 0; i < kSlotCount; ++i)
            slots[i] = i;
        const auto evenness = [](int slot) {
            return __builtin_ctz(static_cast<unsigned>(slot + 1));
        };
        std::stable_sort(slots.begin(), slots.end(),
                         [&](int a, int b) { return evenness(a) > evenness(b); });
        for (int slot : slots) {
            StrategyOrder build = waveOrder(1, StrategyOrder::kBuild);
            build.type = type;
            build.x = slotX(slot);
            plan.orders.push_back(build);
        }
        for (int u = 0; u < upgradeCount(type); ++u)
            for (int slot = 0; slot < kSlotCount; ++slot) {
                StrategyOrder upgrade = waveOrder(1, StrategyOrder::kUpgrade);
                upgrade.x = slotX(slot);
                upgrade.upgrade = u;
                plan.orders.push_back(upgrade);
            }
        return plan;
    }

    Strategy mutate(const Strategy& parent, const Strategy& other) {
        Strategy child = parent;
        if (chance(25))
            crossOver(child, other);
        const int changes = 1 + below(3);
        for (int i = 0; i < changes; ++i)
            change(child);
        return child;
    }

  private:
    int anyKind() { return kinds[below(static_cast<int>(kinds.size()))]; }

    StrategyOrder repairOrder(int percent) {
        StrategyOrder order = waveOrder(1, StrategyOrder::kRepairBelow);
        order.percent = percent;
        return order;
    }

    // A build at x and, as often as not, each of its upgrades some waves later.
    void addTower(Strategy& plan, int x, int type, int wave) {
        StrategyOrder build = waveOrder(wave, StrategyOrder::kBuild);
        build.type = type;
        build.x = x;
        plan.orders.push_back(build);
        for (int u = 0; u < upgradeCount(type); ++u)
            if (chance(50))
                plan.orders.push_back(upgradeOrder(x, type, u, wave));
    }

    // Waves called early from some wave on, and perhaps no longer from a later one.
    void callEarly(Strategy& plan) {
        const int from = 1 + below(kLatestUpgradeWave);
        plan.orders.push_back(waveOrder(from, StrategyOrder::kCallEarly));
        if (chance(50)) {
            StrategyOrder off =
                waveOrder(from + 1 + below(kLatestUpgradeWave), StrategyOrder::kCallEarly);
            off.on = false;
            plan.orders.push_back(off);
        }
    }

    StrategyOrder upgradeOrder(int x, int type, int upgrade, int after) {
        StrategyOrder order =
            waveOrder(after + below(kLatestUpgradeWave - after + 1), StrategyOrder::kUpgrade);
        order.x = x;
        order.upgrade = upgrade;
        const int levels = levelCount(type, upgrade);
        order.level = levels > 1 && chance(50) ? 1 + below(levels) : 0;
        return order;
    }

    static void sortByWave(Strategy& plan) {
        std::stable_sort(
            plan.orders.begin(), plan.orders.end(),
            [](const StrategyOrder& a, const StrategyOrder& b) { return waveOf(a) < waveOf(b); });
    }

    static int builtAt(const Strategy& plan, int x) {
        for (const StrategyOrder& order : plan.orders)
            if (order.kind == StrategyOrder::kBuild && order.x == x)
                return order.type;
        return -1;
    }

    static void removeTower(Strategy& plan, int x) {
        plan.orders.erase(
            std::remove_if(plan.orders.begin(), plan.orders.end(),
                           [x](const StrategyOrder& o) { return placed(o) && o.x == x; }),
            plan.orders.end());
    }

    std::vector<int> towerPlaces(const Strategy& plan) {
        std::vector<int> xs;
        for (const StrategyOrder& order : plan.orders)
            if (order.kind == StrategyOrder::kBuild)
                xs.push_back(order.x);
        return xs;
    }

    // Every place takes the other plan's tower and its orders, or keeps its own.
    void crossOver(Strategy& child, const Strategy& other) {
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

    void change(Strategy& plan) {
        const std::vector<int> places = towerPlaces(plan);
        const int anyPlace = places.empty() ? -1 : places[below(static_cast<int>(places.size()))];
        const int n = static_cast<int>(plan.orders.size());
        switch (below(10)) {
        case 0: { // a tower of another kind in the same place, on the same wave
            if (anyPlace < 0)
                break;
            int wave = 1;
            for (const StrategyOrder& o : plan.orders)
                if (o.kind == StrategyOrder::kBuild && o.x == anyPlace)
                    wave = waveOf(o);
            removeTower(plan, anyPlace);
            addTower(plan, anyPlace, anyKind(), wave);
            sortByWave(plan);
            break;
        }
        case 1: { // a tower in an empty place
            const int x = slotX(below(kSlotCount));
            if (builtAt(plan, x) < 0) {
                addTower(plan, x, anyKind(), 1 + below(kLatestBuildWave));
                sortByWave(plan);
            }
            break;
        }
        case 2: // one tower fewer
            if (places.size() > 1)
                removeTower(plan, anyPlace);
            break;
        case 3:
        case 4: { // an order due a few waves earlier or later
            if (n == 0)
                break;
            StrategyOrder& order = plan.orders[below(n)];
            const int wave = std::clamp(waveOf(order) + below(11) - 5, 1, kLatestUpgradeWave);
            order.when = wave <= 1 ? StrategyOrder::kStart : StrategyOrder::kWave;
            order.at = wave;
            break;
        }
        case 5: { // a purchase moved ahead of or behind others
            if (n < 2)
                break;
            const int from = below(n);
            const StrategyOrder moved = plan.orders[from];
            plan.orders.erase(plan.orders.begin() + from);
            plan.orders.insert(plan.orders.begin() + below(n), moved);
            break;
        }
        case 6: { // an upgrade more, or to another level
            if (anyPlace < 0)
                break;
            const int type = builtAt(plan, anyPlace);
            if (upgradeCount(type) == 0)
                break;
            const int upgrade = below(upgradeCount(type));
            for (StrategyOrder& o : plan.orders)
                if (o.kind == StrategyOrder::kUpgrade && o.x == anyPlace && o.upgrade == upgrade) {
                    const int levels = levelCount(type, upgrade);
                    o.level = levels > 1 ? below(levels + 1) : 0;
                    return;
                }
            plan.orders.push_back(upgradeOrder(anyPlace, type, upgrade, 1));
            sortByWave(plan);
            break;
        }
        case 7: { // an upgrade fewer
            std::vector<int> upgrades;
            for (int i = 0; i < n; ++i)
                if (plan.orders[i].kind == StrategyOrder::kUpgrade)
                    upgrades.push_back(i);
            if (!upgrades.empty())
                plan.orders.erase(plan.orders.begin() +
                                  upgrades[below(static_cast<int>(upgrades.size()))]);
            break;
        }
        case 8: // waves called early from another wave, or never
            plan.orders.erase(std::remove_if(plan.orders.begin(), plan.orders.end(),
                                             [](const StrategyOrder& o) {
                                                 return o.kind == StrategyOrder::kCallEarly;
                                             }),
                              plan.orders.end());
            if (chance(60)) {
                callEarly(plan);
                sortByWave(plan);
            }
            break;
        default: { // repairs sooner, later or never
            plan.orders.erase(std::remove_if(plan.orders.begin(), plan.orders.end(),
                                             [](const StrategyOrder& o) {
                                                 return o.kind == StrategyOrder::kRepairBelow;
                                             }),
                              plan.orders.end());
            if (int percent = kRepairChoices[below(5)])
                plan.orders.insert(plan.orders.begin(), repairOrder(percent));
            break;
        }
        }
    }

    std::mt19937 random;
    std::vector<int> kinds;
};

struct GameOutcome {
    int job;
    int waves;
    int health;
};

// Plays the jobs whose number is `share` modulo `shares`.
std::vector<GameOutcome> playShare(const std::vector<Strategy>& strategies, int seeds, int waves,
                                   int share, int shares) {
    std::vector<GameOutcome> outcomes;
    const int jobs = static_cast<int>(strategies.size()) * seeds;
    for (int job = share; job < jobs; job += shares) {
        SimOptions options;
        options.script = &strategies[job / seeds];
        options.seed = static_cast<unsigned>(job % seeds + 1);
        options.waves = waves;
        std::ostringstream report;
        SimResult result;
        runSimulation(options, report, &result);
        outcomes.push_back({job, result.wavesDefeated, result.health});
    }
    return outcomes;
}

bool better(const SearchEntry& a, const SearchEntry& b) {
    return a.score.rank() > b.score.rank();
}

std::vector<int> kindsUsed(const Strategy& plan) {
    std::set<int> kinds;
    for (const StrategyOrder& order : plan.orders)
        if (order.kind == StrategyOrder::kBuild)
            kinds.insert(order.type);
    return std::vector<int>(kinds.begin(), kinds.end());
}

} // namespace

long long StrategyScore::rank() const {
    std::vector<long long> results;
    for (std::size_t i = 0; i < waves.size(); ++i)
        results.push_back(1000LL * waves[i] + health[i]);
    std::sort(results.begin(), results.end());
    long long sum = 0;
    for (std::size_t i = 0; i < (results.size() + 1) / 2; ++i)
        sum += results[i];
    return sum;
}

double StrategyScore::medianWaves() const {
    if (waves.empty())
        return 0.0;
    std::vector<int> sorted = waves;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
}

std::vector<StrategyScore> playStrategies(const std::vector<Strategy>& strategies, int seeds,
                                          int waves, int jobs) {
    // The game keeps its state in one application object and draws from the C library's rand,
    // so games run side by side in processes of their own, forked with the data already loaded.
    std::vector<int> pipes;
    std::vector<pid_t> children;
    std::fflush(nullptr);
    std::cout.flush();
    for (int share = 1; share < jobs; ++share) {
        int ends[2];
        if (pipe(ends) != 0)
            break;
        const pid_t child = fork();
        if (child == 0) {
            close(ends[0]);
            const std::vector<GameOutcome> outcomes =
                playShare(strategies, seeds, waves, share, jobs);
            const char* bytes = reinterpret_cast<const char*>(outcomes.data());
            std::size_t left = outcomes.size() * sizeof(GameOutcome);
            while (left > 0) {
                const ssize_t n = write(ends[1], bytes, left);
                if (n <= 0)
                    _exit(1);
                bytes += n;
                left -= static_cast<std::size_t>(n);
            }
            _exit(0);
        }
        close(ends[1]);
        if (child < 0) {
            close(ends[0]);
            break;
        }
        pipes.push_back(ends[0]);
        children.push_back(child);
    }
    // Whatever no child took (all of it when none could be started) is played here.
    const int shares = static_cast<int>(children.size()) + 1;
    std::vector<GameOutcome> outcomes = playShare(strategies, seeds, waves, 0, shares);
    for (std::size_t c = 0; c < children.size(); ++c) {
        GameOutcome outcome;
        std::size_t got = 0;
        for (;;) {
            const ssize_t n =
                read(pipes[c], reinterpret_cast<char*>(&outcome) + got, sizeof outcome - got);
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
            if (got == sizeof outcome) {
                outcomes.push_back(outcome);
                got = 0;
            }
        }
        close(pipes[c]);
        int status = 0;
        waitpid(children[c], &status, 0);
    }

    std::vector<StrategyScore> scores(strategies.size());
    for (StrategyScore& score : scores) {
        score.waves.assign(seeds, 0);
        score.health.assign(seeds, 0);
    }
    for (const GameOutcome& o : outcomes) {
        scores[o.job / seeds].waves[o.job % seeds] = o.waves;
        scores[o.job / seeds].health[o.job % seeds] = o.health;
    }
    return scores;
}

std::vector<SearchEntry> searchStrategies(const SearchOptions& options, std::ostream* progress,
                                          int* gamesPlayed) {
    Planner planner(options.seed, options.kinds);
    const int population = std::max(options.population, 2);
    const int seeds = std::max(options.gameSeeds, 1);
    const int keep = std::clamp(options.keep, 1, population);
    const int searchGames = options.games - keep * options.checkSeeds;
    int played = 0;

    // The built-in strategies that keep to the allowed kinds, and random plans.
    std::vector<Strategy> plans;
    for (const std::string& name : builtinStrategyNames()) {
        Strategy builtin;
        std::string error;
        parseStrategy(builtinStrategyText(name), builtin, error);
        const std::vector<int> used = kindsUsed(builtin);
        if (!used.empty() && std::all_of(used.begin(), used.end(), [&](int kind) {
                return std::count(options.kinds.begin(), options.kinds.end(), kind) != 0;
            }))
            plans.push_back(builtin);
    }
    for (int kind : options.kinds)
        plans.push_back(planner.lineOf(kind));
    while (static_cast<int>(plans.size()) < population)
        plans.push_back(planner.randomPlan());

    std::vector<SearchEntry> pool;
    std::set<std::string> seen;
    int generation = 0;
    int stale = 0; // generations in a row that brought nothing new
    for (;;) {
        std::vector<Strategy> fresh;
        for (Strategy& plan : plans)
            if (seen.insert(formatStrategy(plan)).second)
                fresh.push_back(plan);
        stale = fresh.empty() ? stale + 1 : 0;
        if (stale > 100)
            break;
        if (played + static_cast<int>(fresh.size()) * seeds > searchGames)
            break;
        const std::vector<StrategyScore> scores =
            playStrategies(fresh, seeds, options.waves, options.jobs);
        played += static_cast<int>(fresh.size()) * seeds;
        for (std::size_t i = 0; i < fresh.size(); ++i)
            pool.push_back({fresh[i], scores[i]});
        std::stable_sort(pool.begin(), pool.end(), better);
        if (static_cast<int>(pool.size()) > population)
            pool.resize(population);
        if (progress && !pool.empty())
            *progress << "generation " << generation << ", games " << played
                      << ": the best averages "
                      << pool.front().score.rank() / 1000.0 / ((seeds + 1) / 2)
                      << " waves over its worse half of the seeds\n";
        ++generation;

        // Parents are drawn two at a time and the better one kept, so the best breed most.
        plans.clear();
        const int n = static_cast<int>(pool.size());
        for (int i = 0; i < population; ++i) {
            const int a = planner.below(n), b = planner.below(n);
            const int other = planner.below(n);
            plans.push_back(planner.mutate(pool[std::min(a, b)].strategy, pool[other].strategy));
        }
    }

    // The best few, played over the check seeds.
    pool.resize(std::min<std::size_t>(pool.size(), keep));
    std::vector<Strategy> finalists;
    for (const SearchEntry& entry : pool)
        finalists.push_back(entry.strategy);
    const std::vector<StrategyScore> checked =
        playStrategies(finalists, options.checkSeeds, options.waves, options.jobs);
    played += static_cast<int>(finalists.size()) * options.checkSeeds;
    for (std::size_t i = 0; i < pool.size(); ++i)
        pool[i].score = checked[i];
    std::stable_sort(pool.begin(), pool.end(), [](const SearchEntry& a, const SearchEntry& b) {
        return a.score.medianWaves() > b.score.medianWaves() ||
               (a.score.medianWaves() == b.score.medianWaves() && better(a, b));
    });
    if (gamesPlayed)
        *gamesPlayed = played;
    return pool;
}
