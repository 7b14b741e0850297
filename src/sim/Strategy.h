#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A scripted player's plan: orders read top to bottom, each waiting for its moment.
//
//   # comment
//   start   repair below 50        from now on, mend any tower under 50 % health
//   start   build laser 160        keep a laser turret standing with its centre at x = 160
//   wave 3  build tesla 130        ... once wave 3 is announced (wave 2 defeated)
//   time 90 upgrade 160 1 2        bring upgrade 1 of the tower at x = 160 to level 2
//   wave 6  sell 130               sell the tower at x = 130 once; earlier orders for 130 end
//   start   early                  from now on, call every next wave at once (N) for the bonus
//   wave 9  early off              ... and from wave 9 on, wait for the calm to run out again
//   start   react 3                from now on, every click comes 3 s after the decision
//   start   build laser under      as money comes, a laser on the free place nearest the
//                                  invaders' middle, until no place is free
//   wave 4  upgrade under 1 1      once: upgrade 1 to level 1 on the tower nearest them
//
// WHEN is "start", "wave N" (the wave is announced or running, or a later one) or "time S"
// (seconds of play). Tower types are laser, missile and tesla; x is the tower's centre in
// play-field pixels (0 to 319); upgrades are numbered from 1 as in strings.txt, and without a
// level an upgrade is bought to its last level. Build and upgrade orders are goals, not one-off
// purchases: a tower that is destroyed is built again. Whatever is due is done in file order,
// one purchase at a time, as soon as the money is there; an order that cannot be afforded yet
// holds up the ones below it. A wave is called early only when no purchase is due that could be
// made at once. An order that cannot be done (the place is taken, no tower to
// upgrade, a purchase that did not happen) is passed over and tried again after the next wave.
struct StrategyOrder {
    enum When { kStart, kWave, kTime };
    enum Kind { kBuild, kUpgrade, kSell, kRepairBelow, kCallEarly, kReact };
    // The x of an order placed by where the invaders are ("under") rather than at a fixed x.
    static constexpr int kUnder = -1;

    int line = 0;
    When when = kStart;
    double at = 0.0; // wave number or seconds
    Kind kind = kBuild;
    int type = 0;         // tower type for kBuild
    int x = 0;            // tower centre, or kUnder
    int upgrade = 0;      // from 0 (the first upgrade)
    int level = 0;        // target level, 0 for the last one
    int percent = 0;      // kRepairBelow
    bool on = true;       // kCallEarly: "early" or "early off"
    double seconds = 0.0; // kReact
};

struct Strategy {
    std::string name;
    std::vector<StrategyOrder> orders;
};

// The most a strategy file may hold. The built-in and searched plans have under a hundred
// lines; these bounds leave room for any plan a person or a tool writes, while reading one stays
// a matter of milliseconds and its memory a few megabytes.
constexpr int kMaxStrategyLines = 10000;
constexpr std::size_t kMaxStrategyBytes = 1 << 20;

// Parses a script of at most kMaxStrategyLines lines; on failure returns false with
// "line N: reason".
bool parseStrategy(const std::string& text, Strategy& strategy, std::string& error);

// The script of a strategy, one order a line, that parseStrategy reads back as the same orders.
std::string formatStrategy(const Strategy& strategy);
// The name strategy files use for a tower type ("laser", "missile", "tesla"); "" out of range.
const char* towerTypeName(int type);

// The built-in strategies: idle (builds nothing), lasers (laser turrets spread along the ground
// line as the money allows), mixed (all three towers, upgrades and repairs), hasty (mixed,
// calling every next wave at once for the bonus) and novice (a newcomer: late, lasers under the
// invaders, few upgrades, repairs only to save a tower).
std::vector<std::string> builtinStrategyNames();
// The script of a built-in strategy; empty for an unknown name.
std::string builtinStrategyText(const std::string& name);

// A built-in name, or else the path of a script file.
bool loadStrategy(const std::string& nameOrPath, Strategy& strategy, std::string& error);
