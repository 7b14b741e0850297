#pragma once

#include "app/Difficulty.h"

#include <optional>
#include <string>

// What the command line asks for. Parsing only fills this record; main() acts on it, so every
// option can be checked without a window, the data or the player's files.
struct Options {
    bool help = false;
    bool version = false;
    // The window is 320 x 240 times this; mouse positions are divided by it.
    int scale = 2;
    // Full screen (1) or the window (0) for this run, whatever the settings say; -1 as they say.
    int fullScreen = -1;
    // The wave a new game starts at; later waves are for practice.
    int firstWave = 1;
    // The level of new games; unset, the start screen asks.
    std::optional<Difficulty> difficulty;
    // The folder holding strings.txt and the other data files; empty to search for it.
    std::string dataDir;
    // A play-through recorded into this file, or played back from it (at most one of them).
    std::string recordPath;
    std::string replayPath;
};

struct ParsedOptions {
    Options options;
    // Empty when the whole command line was understood; otherwise one line saying what was not.
    std::string error;
};

// argv[0] is the program and is skipped. Options are "--name", "--name VALUE" or
// "--name=VALUE"; the first problem stops the parse.
ParsedOptions parseOptions(int argc, const char* const* argv);

// The text of --help, listing every option the parser knows.
std::string usageText();
// The text of --version.
std::string versionText();
// The version alone, as a recorded play-through carries it.
const char* gameVersion();

// The limits of the numeric options, shared by the parser and its tests.
constexpr int kMinScale = 1;
constexpr int kMaxScale = 4;
// Wave W brings 2 W + 14 squibbles; far beyond this a wave would not fit in memory. The first
// wave of a replay, of a saved game and the simulator's --wave are held to the same limit.
constexpr int kMaxFirstWave = 1000;
