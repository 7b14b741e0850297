// groundline-search: looks for the strategy files that get furthest, by playing them headless.

#include "app/Difficulty.h"
#include "app/GameApp.h"
#include "app/Headless.h"
#include "app/Numbers.h"
#include "sim/StrategySearch.h"

#include <allegro.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The search itself failed: a game could not be played or its result was lost.
constexpr int kExitSearchFailed = 3;

struct Settings {
    SearchOptions search;
    Difficulty difficulty = Difficulty::Normal;
    std::string outDir = ".";
    bool quiet = false;
};

bool readKinds(const char* text, std::vector<int>& kinds) {
    kinds.clear();
    std::stringstream in(text);
    std::string name;
    while (std::getline(in, name, ','))
        for (int type = 0; type < kTowerTypeCount; ++type)
            if (name == towerTypeName(type))
                kinds.push_back(type);
    return !kinds.empty();
}

// One row per option: its name, what its value is, what it does and where it goes.
struct Option {
    const char* name;
    const char* value; // nullptr for a switch
    const char* help;
    bool (*apply)(Settings&, const char*);
};

template <int SearchOptions::*field>
bool setInt(Settings& s, const char* text, long long low, long long high) {
    long long v = 0;
    if (!parseWholeNumber(text, low, high, v))
        return false;
    s.search.*field = static_cast<int>(v);
    return true;
}

const Option kOptions[] = {
    {"--games", "N", "games to play in all, the final check included (default 2000; minimum below)",
     [](Settings& s, const char* v) { return setInt<&SearchOptions::games>(s, v, 1, 10000000); }},
    {"--seed", "S", "seeds the search's own choices (default 1); games play seeds 1, 2, ...",
     [](Settings& s, const char* v) {
         long long n = 0;
         if (!parseWholeNumber(v, 0, UINT_MAX, n))
             return false;
         s.search.seed = static_cast<unsigned>(n);
         return true;
     }},
    {"--jobs", "N", "processes playing at once (default 2)",
     [](Settings& s, const char* v) { return setInt<&SearchOptions::jobs>(s, v, 1, 64); }},
    {"--game-seeds", "N", "seeds each strategy plays while searching (default 4)",
     [](Settings& s, const char* v) { return setInt<&SearchOptions::gameSeeds>(s, v, 1, 100); }},
    {"--check-seeds", "N", "seeds the best play at the end (default 10)",
     [](Settings& s, const char* v) { return setInt<&SearchOptions::checkSeeds>(s, v, 1, 100); }},
    {"--keep", "N", "how many of the best to check, print and write (default 3)",
     [](Settings& s, const char* v) { return setInt<&SearchOptions::keep>(s, v, 1, 100); }},
    {"--population", "N", "strategies kept from one generation to the next (default 16)",
     [](Settings& s, const char* v) { return setInt<&SearchOptions::population>(s, v, 2, 1000); }},
    {"--waves", "N", "a game stops once N waves are defeated (default 60)",
     [](Settings& s, const char* v) { return setInt<&SearchOptions::waves>(s, v, 1, 1000000); }},
    {"--kinds", "LIST",
     "tower kinds the strategies may build, e.g. missile or laser,tesla "
     "(default all three)",
     [](Settings& s, const char* v) { return readKinds(v, s.search.kinds); }},
    {"--difficulty", "LEVEL", "plays every game at easy, normal or hard (default normal)",
     [](Settings& s, const char* v) { return difficultyNamed(v, s.difficulty); }},
    {"--out", "DIR", "where the best are written as best-1.txt, best-2.txt, ... (default .)",
     [](Settings& s, const char* v) { return (s.outDir = v), true; }},
    {"--quiet", nullptr, "no line per generation",
     [](Settings& s, const char*) { return s.quiet = true; }},
};

void printUsage() {
    std::printf(
        "Usage: groundline-search [OPTIONS]\n"
        "Searches strategy files (see docs/simulator.md) for those that get furthest: every game\n"
        "is the real game played headless through the player's mouse and keys, as groundline-sim\n"
        "plays a strategy. The same options and data give the same result. Run it from the\n"
        "project root (it reads data/ there).\n\n");
    for (const Option& o : kOptions) {
        std::string left = std::string(o.name) + (o.value ? std::string(" ") + o.value : "");
        std::printf("  %-18s %s\n", left.c_str(), o.help);
    }
    std::printf("  %-18s %s\n", "--help", "shows this");
    std::printf("\nThe budget must pay for the first generation and the final check: --games at\n"
                "least population x game-seeds + keep x check-seeds (%d with the defaults; more\n"
                "when the built-in and one-kind plans outnumber the population).\n",
                minimumGames(SearchOptions()));
    std::printf(
        "\nExit codes: 0 done; 1 no data/strings.txt; 2 another data file missing, options\n"
        "not understood, a budget below its minimum, an --out folder that cannot be written\n"
        "into, or a strategy file that cannot be written;\n"
        "3 a game that could not be played (a worker process failed or its results were lost).\n");
}

// Checked before the search, not after it: a mistyped --out must not cost the whole search.
bool writableFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           access(path.c_str(), W_OK | X_OK) == 0;
}

std::string joined(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers)
        text += (text.empty() ? "" : " ") + std::to_string(n);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    Settings settings;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printUsage();
            return 0;
        }
        const Option* option = nullptr;
        for (const Option& o : kOptions)
            if (arg == o.name)
                option = &o;
        const char* value = option && option->value && i + 1 < argc ? argv[++i] : nullptr;
        if (!option || (option->value && !value) || !option->apply(settings, value)) {
            std::fprintf(stderr, "groundline-search: bad option or value: %s%s%s (see --help)\n",
                         arg.c_str(), value ? " " : "", value ? value : "");
            return kExitUsage;
        }
    }

    const SearchOptions& o = settings.search;
    if (o.games < minimumGames(o)) {
        std::fprintf(stderr,
                     "groundline-search: --games %d is too few for this search: it needs at "
                     "least %d (see --help)\n",
                     o.games, minimumGames(o));
        return kExitUsage;
    }
    if (!writableFolder(settings.outDir)) {
        std::fprintf(stderr,
                     "groundline-search: cannot write into %s: no such folder, or not "
                     "writable\n",
                     settings.outDir.c_str());
        return kExitUsage;
    }
    if (int status = startHeadless("groundline-search"))
        return status;
    if (settings.difficulty != Difficulty::Normal)
        playAtDifficulty(*GameApp::instance(), settings.difficulty, "groundline-search");
    const std::time_t started = std::time(nullptr);
    const SearchResult result = searchStrategies(o, settings.quiet ? nullptr : &std::cerr);
    if (!result.error.empty()) {
        std::fprintf(stderr, "groundline-search: %s\n", result.error.c_str());
        return kExitSearchFailed;
    }
    const std::vector<SearchEntry>& best = result.best;
    std::printf("%d games in %ld s; best of seed %u, waves defeated over seeds 1 to %d:\n",
                result.gamesPlayed, static_cast<long>(std::time(nullptr) - started), o.seed,
                o.checkSeeds);
    if (!settings.quiet)
        std::fprintf(stderr,
                     "of those, %d were known from the search (the finalists' first seeds)\n",
                     result.gamesKnown);
    for (std::size_t i = 0; i < best.size(); ++i) {
        const std::string path = settings.outDir + "/best-" + std::to_string(i + 1) + ".txt";
        std::ofstream file(path);
        file << "# groundline-search --seed " << o.seed << " --games " << o.games
             << ": waves defeated over seeds 1 to " << o.checkSeeds << ": "
             << joined(best[i].score.waves) << "\n"
             << formatStrategy(best[i].strategy);
        if (!file) {
            std::fprintf(stderr, "groundline-search: cannot write %s\n", path.c_str());
            return kExitUsage;
        }
        std::printf("%s: median %g, %s\n", path.c_str(), best[i].score.medianWaves(),
                    joined(best[i].score.waves).c_str());
    }
    return 0;
}
END_OF_MAIN()
