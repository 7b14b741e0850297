// groundline-sim: the game without a window, played by a scripted player or a replay.

#include "app/Difficulty.h"
#include "app/GameApp.h"
#include "app/Headless.h"
#include "app/Numbers.h"
#include "app/Options.h"
#include "sim/Simulator.h"
#include "sim/Strategy.h"

#include <allegro.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

const char* const kIntro = R"(Usage: groundline-sim [OPTIONS]
Plays Groundline without a window, with fixed frame steps as fast as the machine allows, the
same game and data as the window: data/ in the working folder (the project root), else the
installed data beside the executable.

)";

const char* const kAfterword = R"(
Prints one line per wave (wave, game time in seconds, money, base health, kills, landings,
towers standing, towers lost), then the totals, the game's story as its game-over screen tells
it ("money earned: ..., spent: ...; time played; invaders destroyed; towers built and lost; the
most effective tower kind"), why it ended (lost, wave limit reached, time limit),
"waves defeated: N" and last the state digest. The same seed and data give the same
output.

Exit codes: 0 done; 1 no strings.txt in the data folder; 2 another data file missing, or options not
understood; 4 a replay that cannot be played (unreadable, other data or another version); 5 a
replay that did not end as recorded.
)";

// What the command line asks for: a run, a replay, or a text to print.
struct SimCommand {
    SimOptions options;
    std::string replayPath;
    std::string showStrategy;
    Difficulty difficulty = Difficulty::Normal;
    bool help = false;
};

template <typename T>
std::string wholeNumber(const char* name, const std::string& text, long long low, long long high,
                        T& out) {
    long long value = 0;
    if (parseWholeNumber(text, low, high, value)) {
        out = static_cast<T>(value);
        return std::string();
    }
    return std::string("option '") + name + "' needs a whole number from " + std::to_string(low) +
           " to " + std::to_string(high) + ", not '" + text + "'";
}

std::string seconds(const char* name, const std::string& text, double low, double high,
                    double& value) {
    if (parseReal(text, low, high, value))
        return std::string();
    char range[64];
    std::snprintf(range, sizeof range, "%g to %g", low, high);
    return std::string("option '") + name + "' needs seconds from " + range + ", not '" + text +
           "'";
}

// One row per option, read both to parse the command line and to print --help: a new option
// is one row here and, for a run, one member of SimOptions.
struct SimOptionRow {
    const char* name;
    // The value's name in --help, or nullptr for an option that takes no value.
    const char* valueName;
    // Lines after the first are indented under it.
    const char* help;
    // Stores the value; returns an error message, or "" when the value is good.
    std::string (*apply)(SimCommand& command, const std::string& value);
};

const SimOptionRow kSimOptions[] = {
    {"--strategy", "NAME|FILE",
     "who plays: idle (builds nothing), lasers (laser turrets spread along\n"
     "the ground line as money allows), mixed (all three towers, upgrades\n"
     "and repairs), hasty (mixed, calling every next wave at once), novice\n"
     "(a newcomer: late, lasers under the invaders), or a strategy file (see\n"
     "docs/simulator.md)",
     [](SimCommand& c, const std::string& v) {
         c.options.strategy = v;
         return std::string();
     }},
    {"--difficulty", "LEVEL", "plays at easy, normal or hard (default normal): data/LEVEL.txt",
     [](SimCommand& c, const std::string& v) {
         return difficultyNamed(v, c.difficulty)
                    ? std::string()
                    : "option '--difficulty' needs " + difficultyNames() + ", not '" + v + "'";
     }},
    {"--seed", "S", "seeds the game's random numbers (default 1)",
     [](SimCommand& c, const std::string& v) {
         return wholeNumber("--seed", v, 0, UINT_MAX, c.options.seed);
     }},
    {"--waves", "N", "stops once N waves are defeated (default 100)",
     [](SimCommand& c, const std::string& v) {
         return wholeNumber("--waves", v, 1, 1000000, c.options.waves);
     }},
    {"--wave", "W", "starts at wave W (default 1)",
     [](SimCommand& c, const std::string& v) {
         return wholeNumber("--wave", v, 1, kMaxFirstWave, c.options.startWave);
     }},
    {"--time-limit", "SECONDS", "stops after that much game time (default 300 per wave asked for)",
     [](SimCommand& c, const std::string& v) {
         return seconds("--time-limit", v, 0.001, 1e9, c.options.timeLimit);
     }},
    {"--step", "SECONDS", "the frame step (default TimestepThreshold from data/strings.txt)",
     [](SimCommand& c, const std::string& v) {
         return seconds("--step", v, 1e-6, 10.0, c.options.step);
     }},
    {"--trace", "FILE", "writes time, money, health, wave and towers every game second",
     [](SimCommand& c, const std::string& v) {
         c.options.tracePath = v;
         return std::string();
     }},
    {"--draw-every", "N",
     "also draws every Nth frame into the back buffer, as the window would\n"
     "(nothing drawn changes the game: the report stays the same)",
     [](SimCommand& c, const std::string& v) {
         return wholeNumber("--draw-every", v, 0, 1000000000, c.options.drawEvery);
     }},
    {"--memory", nullptr,
     "ends every wave line with the process's resident memory in kB (for\n"
     "soaks: the rest of the report stays the same)",
     [](SimCommand& c, const std::string&) {
         c.options.showMemory = true;
         return std::string();
     }},
    {"--result-only", nullptr,
     "plays as the search does, for the result alone: prints only \"waves\n"
     "defeated: N\" (to time the search's games; no report, trace or recording)",
     [](SimCommand& c, const std::string&) {
         c.options.resultOnly = true;
         return std::string();
     }},
    {"--record", "FILE", "records the play-through as a replay (the game plays it back)",
     [](SimCommand& c, const std::string& v) {
         c.options.recordPath = v;
         return std::string();
     }},
    {"--replay", "FILE",
     "plays a replay (recorded by the game or by --record) headless and\n"
     "checks that it ends as recorded",
     [](SimCommand& c, const std::string& v) {
         c.replayPath = v;
         return std::string();
     }},
    {"--show-strategy", "NAME",
     "prints a built-in strategy, a starting point for a file of your own",
     [](SimCommand& c, const std::string& v) {
         c.showStrategy = v;
         return builtinStrategyText(v).empty() ? "no built-in strategy " + v : std::string();
     }},
    {"--help", nullptr, "shows this",
     [](SimCommand& c, const std::string&) {
         c.help = true;
         return std::string();
     }},
};

// The column the help texts start at: two spaces past the widest option with its value.
std::size_t helpColumn() {
    std::size_t width = 0;
    for (const SimOptionRow& row : kSimOptions)
        width = std::max(width, std::strlen(row.name) +
                                    (row.valueName ? 1 + std::strlen(row.valueName) : 0));
    return 2 + width + 2;
}

std::string simUsageText() {
    const std::size_t column = helpColumn();
    std::string text = kIntro;
    for (const SimOptionRow& row : kSimOptions) {
        std::string left = std::string("  ") + row.name;
        if (row.valueName)
            left += std::string(" ") + row.valueName;
        left.resize(column, ' ');
        text += left;
        for (const char* c = row.help; *c; ++c) {
            text += *c;
            if (*c == '\n')
                text += std::string(column, ' ');
        }
        text += '\n';
    }
    return text + kAfterword;
}

// Fills command from the arguments; returns an error message, or "".
std::string parseCommandLine(int argc, char** argv, SimCommand& command) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const SimOptionRow* row = nullptr;
        for (const SimOptionRow& r : kSimOptions)
            if (arg == r.name || (arg == "-h" && std::strcmp(r.name, "--help") == 0))
                row = &r;
        if (!row)
            return "unknown option: " + arg;
        std::string value;
        if (row->valueName) {
            if (i + 1 >= argc)
                return "option '" + arg + "' needs a value (" + row->valueName + ")";
            value = argv[++i];
        }
        std::string error = row->apply(command, value);
        // Asking for a text ends the command line: what follows is not read.
        if (!error.empty() || command.help || !command.showStrategy.empty())
            return error;
    }
    return std::string();
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "groundline-sim: %s (see --help)\n", message.c_str());
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    SimCommand command;
    const std::string error = parseCommandLine(argc, argv, command);
    if (!error.empty())
        return usageError(error);
    const SimOptions& o = command.options;
    if (o.resultOnly && (!o.recordPath.empty() || !o.tracePath.empty() || o.showMemory ||
                         o.drawEvery > 0 || !command.replayPath.empty()))
        return usageError("--result-only writes nothing but the result");
    if (command.help) {
        std::fputs(simUsageText().c_str(), stdout);
        return 0;
    }
    if (!command.showStrategy.empty()) {
        std::fputs(builtinStrategyText(command.showStrategy).c_str(), stdout);
        return 0;
    }

    if (int status = startHeadless("groundline-sim"))
        return status;
    if (command.difficulty != Difficulty::Normal)
        playAtDifficulty(*GameApp::instance(), command.difficulty, "groundline-sim");
    if (!command.replayPath.empty())
        return runReplayHeadless("groundline-sim", command.replayPath);
    if (command.options.resultOnly) {
        SimResult result;
        const int status = runSimulation(command.options, std::cout, &result);
        if (status == 0)
            std::printf("waves defeated: %d\nended at %.2f s (%lld frames) with %d health\n",
                        result.wavesDefeated, result.time, result.frames, result.health);
        return status;
    }
    return runSimulation(command.options, std::cout);
}
END_OF_MAIN()
