#pragma once

#include "sim/Strategy.h"

#include <iosfwd>
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

// Searches strategy files for those that get furthest: an evolutionary search that starts from
// the built-in strategies (those that use only the allowed kinds) and random plans, and changes
// the best plans a little at a time (a tower's kind or place, when it is built, which upgrades
// and when, the order of purchases, repairs). Every game is the real headless game played by
// the ScriptedPlayer through the player's hands, as groundline-sim plays a strategy file. The
// same options give the same result, however the games are shared among the processes.
// Returns the best `keep` strategies, best first, each scored over the check seeds. Needs
// startHeadless first. progress, when given, gets a line per generation.
std::vector<SearchEntry> searchStrategies(const SearchOptions& options, std::ostream* progress,
                                          int* gamesPlayed = nullptr);

// Plays every strategy over seeds 1 to seeds, the games shared among `jobs` processes.
std::vector<StrategyScore> playStrategies(const std::vector<Strategy>& strategies, int seeds,
                                          int waves, int jobs);
