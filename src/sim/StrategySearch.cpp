#include "sim/StrategySearch.h"

#include "sim/Planner.h"
#include "sim/Simulator.h"
#include "sim/WorkerPool.h"

#include <algorithm>
#include <iostream>
#include <set>
#include <sstream>

namespace {

// Generations in a row that brought no plan not seen before, after which the search gives up.
constexpr int kStaleGenerations = 100;

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

// A plan that acts where it sees the invaders, or late (the novice), has none of the places and
// moments that the search's changes move.
bool playsBySight(const Strategy& plan) {
    return std::any_of(plan.orders.begin(), plan.orders.end(), [](const StrategyOrder& order) {
        return order.kind == StrategyOrder::kReact || order.x == StrategyOrder::kUnder;
    });
}

// The built-in strategies that build something at places of their own and keep to the allowed
// kinds.
std::vector<Strategy> allowedBuiltins(const std::vector<int>& allowed) {
    std::vector<Strategy> plans;
    for (const std::string& name : builtinStrategyNames()) {
        Strategy builtin;
        std::string error;
        parseStrategy(builtinStrategyText(name), builtin, error);
        const std::vector<int> used = kindsUsed(builtin);
        if (!used.empty() && !playsBySight(builtin) &&
            std::all_of(used.begin(), used.end(), [&](int kind) {
                return std::count(allowed.begin(), allowed.end(), kind) != 0;
            }))
            plans.push_back(builtin);
    }
    return plans;
}

// The options as the search uses them, absurd values brought back to the smallest that work.
struct Sizes {
    explicit Sizes(const SearchOptions& o)
        : population(std::max(o.population, 2)), seeds(std::max(o.gameSeeds, 1)),
          keep(std::clamp(o.keep, 1, population)),
          starting(std::max<int>(population, static_cast<int>(allowedBuiltins(o.kinds).size() +
                                                              o.kinds.size() * o.kinds.size()))) {}
    int population;
    int seeds;
    int keep;
    int starting; // plans in the first generation
};

class Search {
  public:
    Search(const SearchOptions& options, std::ostream* progress, const PlanScorer& score)
        : options(options), sizes(options), planner(options.seed, options.kinds),
          progress(progress), score(score),
          searchGames(options.games - sizes.keep * options.checkSeeds) {}

    // Generations until the budget runs out or nothing new comes up; false on a failure.
    bool evolve();
    // The best few, played over the check seeds, best median first; false on a failure.
    bool check();

    std::vector<SearchEntry> pool; // the best so far, best first
    int played = 0;
    int known = 0; // of played, the final check's games already played while searching
    std::string error;

  private:
    enum class Step { Played, Stop, Failed };
    std::vector<Strategy> startingPlans();
    Step playGeneration(const std::vector<Strategy>& plans);
    std::vector<Strategy> breed();

    const SearchOptions& options;
    const Sizes sizes;
    Planner planner;
    std::ostream* progress;
    const PlanScorer& score;
    const int searchGames; // what is left of the budget after the final check
    std::set<std::string> seen;
    int generation = 0;
    int stale = 0;
};

// The built-in strategies that keep to the allowed kinds, a line of each kind, a line of each
// kind turning into each other, and random plans.
std::vector<Strategy> Search::startingPlans() {
    std::vector<Strategy> plans = allowedBuiltins(options.kinds);
    for (int kind : options.kinds)
        plans.push_back(planner.lineOf(kind));
    for (int from : options.kinds)
        for (int to : options.kinds)
            if (from != to)
                plans.push_back(planner.lineTurningInto(from, to));
    // Every kind along one line: the others in turn, then a place kept.
    if (options.kinds.size() > 2)
        for (int from : options.kinds) {
            std::vector<int> into;
            for (int to : options.kinds)
                if (to != from)
                    into.push_back(to);
            into.push_back(from);
            plans.push_back(planner.lineTurningInto(from, into));
        }
    while (static_cast<int>(plans.size()) < sizes.population)
        plans.push_back(planner.randomPlan());
    return plans;
}

bool Search::evolve() {
    std::vector<Strategy> plans = startingPlans();
    for (;;) {
        const Step step = playGeneration(plans);
        if (step != Step::Played)
            return step == Step::Stop;
        plans = breed();
    }
}

// Plays the plans not seen before and keeps the best of everything played.
Search::Step Search::playGeneration(const std::vector<Strategy>& plans) {
    std::vector<Strategy> fresh;
    for (const Strategy& plan : plans)
        if (seen.insert(formatStrategy(plan)).second)
            fresh.push_back(plan);
    stale = fresh.empty() ? stale + 1 : 0;
    if (stale > kStaleGenerations)
        return Step::Stop;
    const int games = static_cast<int>(fresh.size()) * sizes.seeds;
    if (played + games > searchGames)
        return Step::Stop;
    std::vector<StrategyScore> scores;
    if (!fresh.empty() && !score(fresh, 1, sizes.seeds, scores, error))
        return Step::Failed;
    played += games;
    for (std::size_t i = 0; i < fresh.size(); ++i)
        pool.push_back({fresh[i], scores[i]});
    std::stable_sort(pool.begin(), pool.end(), better);
    if (static_cast<int>(pool.size()) > sizes.population)
        pool.resize(sizes.population);
    if (progress && !pool.empty())
        *progress << "generation " << generation << ", games " << played << ": the best averages "
                  << pool.front().score.rank() / 1000.0 / ((sizes.seeds + 1) / 2)
                  << " waves over its worse half of the seeds\n";
    ++generation;
    return Step::Played;
}

// Parents are drawn two at a time and the better one kept, so the best breed most.
std::vector<Strategy> Search::breed() {
    std::vector<Strategy> plans;
    const int n = static_cast<int>(pool.size());
    for (int i = 0; i < sizes.population; ++i) {
        const int a = planner.below(n), b = planner.below(n);
        const int other = planner.below(n);
        plans.push_back(planner.mutate(pool[std::min(a, b)].strategy, pool[other].strategy));
    }
    return plans;
}

// The finalists' first seeds are the games they were scored on while searching: those results
// are taken over, and only the seeds after them are played.
bool Search::check() {
    pool = pickFinalists(std::move(pool), sizes.keep);
    std::vector<Strategy> finalists;
    for (const SearchEntry& entry : pool)
        finalists.push_back(entry.strategy);
    const int seen = std::min(sizes.seeds, options.checkSeeds);
    std::vector<StrategyScore> checked;
    if (seen < options.checkSeeds &&
        !score(finalists, seen + 1, options.checkSeeds, checked, error))
        return false;
    const int count = static_cast<int>(finalists.size());
    played += count * options.checkSeeds;
    known += count * seen;
    for (std::size_t i = 0; i < pool.size(); ++i) {
        StrategyScore& kept = pool[i].score;
        kept.waves.resize(seen);
        kept.health.resize(seen);
        if (i < checked.size()) {
            kept.waves.insert(kept.waves.end(), checked[i].waves.begin(), checked[i].waves.end());
            kept.health.insert(kept.health.end(), checked[i].health.begin(),
                               checked[i].health.end());
        }
    }
    std::stable_sort(pool.begin(), pool.end(), [](const SearchEntry& a, const SearchEntry& b) {
        return a.score.medianWaves() > b.score.medianWaves() ||
               (a.score.medianWaves() == b.score.medianWaves() && better(a, b));
    });
    return true;
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

bool playStrategies(const std::vector<Strategy>& strategies, int seeds, int waves, int jobs,
                    std::vector<StrategyScore>& scores, std::string& error, int firstSeed) {
    // The game keeps its state in one application object and draws from the C library's rand,
    // so games run side by side in processes of their own, forked with the data already loaded.
    const auto play = [&](int job) {
        SimOptions options;
        options.script = &strategies[job / seeds];
        options.seed = static_cast<unsigned>(job % seeds + firstSeed);
        options.waves = waves;
        options.resultOnly = true;
        std::ostringstream report;
        SimResult result;
        runSimulation(options, report, &result);
        return JobResult{job, result.wavesDefeated, result.health};
    };
    std::vector<JobResult> results;
    const int games = seeds > 0 ? static_cast<int>(strategies.size()) * seeds : 0;
    if (!runJobs(games, jobs, play, results, error))
        return false;
    scores.assign(strategies.size(), StrategyScore());
    for (StrategyScore& score : scores) {
        score.waves.assign(std::max(seeds, 0), 0);
        score.health.assign(std::max(seeds, 0), 0);
    }
    for (const JobResult& r : results) {
        scores[r.job / seeds].waves[r.job % seeds] = r.waves;
        scores[r.job / seeds].health[r.job % seeds] = r.health;
    }
    return true;
}

// Plans that ended every game alike are nearly always one plan spelt two ways (an order that
// never came due, a purchase the money never reached).
std::vector<SearchEntry> pickFinalists(std::vector<SearchEntry> ranked, int keep) {
    const auto alike = [](const SearchEntry& a, const SearchEntry& b) {
        return a.score.waves == b.score.waves && a.score.health == b.score.health;
    };
    std::vector<SearchEntry> finalists, copies;
    for (SearchEntry& entry : ranked) {
        const bool copy = std::any_of(finalists.begin(), finalists.end(),
                                      [&](const SearchEntry& f) { return alike(f, entry); });
        (copy ? copies : finalists).push_back(std::move(entry));
    }
    for (SearchEntry& entry : copies)
        finalists.push_back(std::move(entry));
    finalists.resize(std::min<std::size_t>(finalists.size(), std::max(keep, 0)));
    return finalists;
}

int minimumGames(const SearchOptions& options) {
    const Sizes sizes(options);
    return sizes.starting * sizes.seeds + sizes.keep * options.checkSeeds;
}

SearchResult searchStrategies(const SearchOptions& options, std::ostream* progress) {
    const PlanScorer games = [&options](const std::vector<Strategy>& plans, int firstSeed,
                                        int lastSeed, std::vector<StrategyScore>& scores,
                                        std::string& error) {
        return playStrategies(plans, lastSeed - firstSeed + 1, options.waves, options.jobs, scores,
                              error, firstSeed);
    };
    return searchStrategies(options, progress, games);
}

SearchResult searchStrategies(const SearchOptions& options, std::ostream* progress,
                              const PlanScorer& score) {
    SearchResult result;
    const int minimum = minimumGames(options);
    if (options.games < minimum) {
        result.error = "a budget of " + std::to_string(options.games) +
                       " games is too small for this search: it needs at least " +
                       std::to_string(minimum);
        return result;
    }
    Search search(options, progress, score);
    if (!search.evolve() || !search.check()) {
        result.error = search.error;
        return result;
    }
    result.best = std::move(search.pool);
    result.gamesPlayed = search.played;
    result.gamesKnown = search.known;
    return result;
}
