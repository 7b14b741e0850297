#pragma once

#include "sim/Strategy.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// How one strategy fared over the game seeds it played, seed 1 first.
struct StrategyScore {
    std::vector<int> waves;  // waves defeated
    std::vector<int> health; // base health at the end
    // What the search ranks by: waves defeated first, health left to break a tie, summed over
    // the worse half of the seeds. A plan that wins big on one seed and falls early on the others
    // is not a good plan, and a sum over every seed would rank it first.
    long long rank() const;
    double medianWaves() const;
};

struct SearchEntry {
    Strategy strategy;
    StrategyScore score;
};

struct SearchOptions {
    unsigned seed = 1;   // the search's own choices; the games play seeds 1, 2, ...
    int games = 2000;    // every game played counts, the final check included
    int jobs = 2;        // processes playing games at once
    int gameSeeds = 4;   // while searching, every strategy plays seeds 1 to gameSeeds
    int checkSeeds = 10; // the best few play seeds 1 to checkSeeds at the end
    int keep = 3;        // how many of the best are checked and reported
    int waves = 60;      // a game stops once this many waves are defeated
    int population = 16;
    std::vector<int> kinds = {0, 1, 2}; // the tower types the strategies may build
};

// How a batch of plans is scored: every plan over seeds firstSeed to lastSeed, scores in the
// plans' order, each with those seeds' results in turn. False, with one line in error, when the
// games could not be played.
using PlanScorer =
    std::function<bool(const std::vector<Strategy>& plans, int firstSeed, int lastSeed,
                       std::vector<StrategyScore>& scores, std::string& error)>;

struct SearchResult {
    std::vector<SearchEntry> best; // best first
    int gamesPlayed = 0;           // every game the budget counts, those in gamesKnown too
    // Games of the final check whose result the search already had: a finalist's first seeds
    // are the seeds it was scored on while searching, and the same game ends the same way.
    int gamesKnown = 0;
    std::string error; // one line when the search failed; best is empty then
};

// The smallest budget a search with these options can spend: its first generation (the
// population, or the starting plans where they are more, over the game seeds) and the final
// check. A smaller one is refused: it would play nothing and find nothing.
int minimumGames(const SearchOptions& options);

// The first `keep` of plans ranked best first, passing over those whose games all ended as a
// better one's did, so that the finalists are different ways to play; those fill up only when
// too few differ.
std::vector<SearchEntry> pickFinalists(std::vector<SearchEntry> ranked, int keep);

// Searches strategy files for those that get furthest: an evolutionary search that starts from
// the built-in strategies (those that use only the allowed kinds) and random plans, and changes
// the best plans a little at a time (a tower's kind or place, when it is built, which upgrades
// and when, the order of purchases, repairs). Every game is the real headless game played by
// the ScriptedPlayer through the player's hands, as groundline-sim plays a strategy file. The
// same options give the same result, however the games are shared among the processes.
// Returns the best `keep` strategies, best first, each scored over the check seeds. Needs
// startHeadless first. progress, when given, gets a line per generation.
SearchResult searchStrategies(const SearchOptions& options, std::ostream* progress);
// The same search with another way of scoring plans.
SearchResult searchStrategies(const SearchOptions& options, std::ostream* progress,
                              const PlanScorer& score);

// Plays every strategy over seeds firstSeed to firstSeed + seeds - 1, the games shared among
// `jobs` processes. False, with one line in error, when a game could not be played or its
// result was lost.
bool playStrategies(const std::vector<Strategy>& strategies, int seeds, int waves, int jobs,
                    std::vector<StrategyScore>& scores, std::string& error, int firstSeed = 1);
