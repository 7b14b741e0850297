// groundline-sim: the game without a window, played by a scripted player or a replay.

#include "app/GameApp.h"
#include "app/Headless.h"
#include "app/Options.h"
#include "sim/Simulator.h"
#include "sim/Strategy.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

const char* const kUsage = R"(Usage: groundline-sim [OPTIONS]
Plays Groundline without a window, with fixed frame steps as fast as the machine allows, the
same game and data as the window: data/ in the working folder (the project root), else the
installed data beside the executable.

  --strategy NAME|FILE  who plays: idle (builds nothing), lasers (laser turrets spread along
                        the ground line as money allows), mixed (all three towers, upgrades
                        and repairs), hasty (mixed, calling every next wave at once), or a
                        strategy file (see docs/simulator.md)
  --seed S              seeds the game's random numbers (default 1)
  --waves N             stops once N waves are defeated (default 100)
  --wave W              starts at wave W (default 1)
  --time-limit SECONDS  stops after that much game time (default 300 per wave asked for)
  --step SECONDS        the frame step (default TimestepThreshold from data/strings.txt)
  --trace FILE          writes time, money, health, wave and towers every game second
  --draw-every N        also draws every Nth frame into the back buffer, as the window would
                        (nothing drawn changes the game: the report stays the same)
  --memory              ends every wave line with the process's resident memory in kB (for
                        soaks: the rest of the report stays the same)
  --record FILE         records the play-through as a replay (the game plays it back)
  --replay FILE         plays a replay (recorded by the game or by --record) headless and
                        checks that it ends as recorded
  --show-strategy NAME  prints a built-in strategy, a starting point for a file of your own
  --help                shows this

Prints one line per wave (wave, game time in seconds, money, base health, kills, landings,
towers standing, towers lost), then the totals, why it ended (lost, wave limit reached, time
limit), "waves defeated: N" and last the state digest. The same seed and data give the same
output.

Exit codes: 0 done; 1 no strings.txt in the data folder; 2 another data file missing, or options not
understood; 4 a replay that cannot be played (unreadable, other data or another version); 5 a
replay that did not end as recorded.
)";

bool number(const char* text, double low, double high, double& value) {
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !(v >= low && v <= high))
        return false;
    value = v;
    return true;
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "groundline-sim: %s (see --help)\n", message.c_str());
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    SimOptions options;
    std::string replayPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--memory") {
            options.showMemory = true;
            continue;
        }
        if (i + 1 >= argc)
            return usageError("unknown option or missing value: " + arg);
        const char* value = argv[++i];
        double v = 0.0;
        if (arg == "--strategy") {
            options.strategy = value;
        } else if (arg == "--seed" && number(value, 0, 4294967295.0, v) && v == (unsigned)v) {
            options.seed = static_cast<unsigned>(v);
        } else if (arg == "--waves" && number(value, 1, 1e6, v) && v == (int)v) {
            options.waves = static_cast<int>(v);
        } else if (arg == "--wave" && number(value, 1, kMaxFirstWave, v) && v == (int)v) {
            options.startWave = static_cast<int>(v);
        } else if (arg == "--time-limit" && number(value, 0.001, 1e9, v)) {
            options.timeLimit = v;
        } else if (arg == "--step" && number(value, 1e-6, 10.0, v)) {
            options.step = v;
        } else if (arg == "--draw-every" && number(value, 0, 1e9, v) && v == (int)v) {
            options.drawEvery = static_cast<int>(v);
        } else if (arg == "--trace") {
            options.tracePath = value;
        } else if (arg == "--record") {
            options.recordPath = value;
        } else if (arg == "--replay") {
            replayPath = value;
        } else if (arg == "--show-strategy") {
            const std::string text = builtinStrategyText(value);
            if (text.empty())
                return usageError(std::string("no built-in strategy ") + value);
            std::fputs(text.c_str(), stdout);
            return 0;
        } else {
            return usageError("bad option or value: " + arg + " " + value);
        }
    }

    if (int status = startHeadless("groundline-sim"))
        return status;
    if (!replayPath.empty())
        return runReplayHeadless("groundline-sim", replayPath);
    return runSimulation(options, std::cout);
}
END_OF_MAIN()
