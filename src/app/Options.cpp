#include "app/Options.h"

#include "app/Numbers.h"
#include "game/Controls.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#ifndef GROUNDLINE_VERSION
#define GROUNDLINE_VERSION "unknown"
#endif

namespace {

// Reads a whole decimal integer in [low, high] into out; returns an error message or "".
std::string readInt(const char* name, const std::string& text, int low, int high, int& out) {
    long long value = 0;
    if (!parseWholeNumber(text, low, high, value))
        return std::string("option '") + name + "' needs a whole number from " +
               std::to_string(low) + " to " + std::to_string(high) + ", not '" + text + "'";
    out = static_cast<int>(value);
    return std::string();
}

// One row per option: adding an option is one row here and one member of Options.
struct OptionRow {
    const char* name;
    // The value's name in --help, or nullptr for an option that takes no value.
    const char* valueName;
    const char* help;
    // Stores the value; returns an error message, or "" when the value is good.
    std::string (*apply)(Options& options, const std::string& value);
    // A one-letter spelling ("-h"), or nullptr.
    const char* shortName = nullptr;
};

const OptionRow kOptionTable[] = {
    {"--help", nullptr, "show this help and exit",
     [](Options& o, const std::string&) {
         o.help = true;
         return std::string();
     },
     "-h"},
    {"--version", nullptr, "show the version and exit",
     [](Options& o, const std::string&) {
         o.version = true;
         return std::string();
     }},
    {"--scale", "N", "window size: N times 320 x 240, N from 1 to 4 (default 2: 640 x 480)",
     [](Options& o, const std::string& v) {
         return readInt("--scale", v, kMinScale, kMaxScale, o.scale);
     }},
    {"--fullscreen", nullptr, "play full screen this time (Alt+Enter switches in the game)",
     [](Options& o, const std::string&) {
         o.fullScreen = 1;
         return std::string();
     }},
    {"--windowed", nullptr, "play in a window this time, whatever the settings say",
     [](Options& o, const std::string&) {
         o.fullScreen = 0;
         return std::string();
     }},
    {"--wave", "N", "start every game at wave N (default 1); only games from wave 1 set a best",
     [](Options& o, const std::string& v) {
         return readInt("--wave", v, 1, kMaxFirstWave, o.firstWave);
     }},
    {"--difficulty", "LEVEL",
     "play new games at easy, normal or hard without asking (a replay plays at its own)",
     [](Options& o, const std::string& v) {
         Difficulty level = Difficulty::Normal;
         if (!difficultyNamed(v, level))
             return "option '--difficulty' needs " + difficultyNames() + ", not '" + v + "'";
         o.difficulty = level;
         return std::string();
     }},
    {"--data", "DIR", "read the game's data from DIR, the folder holding strings.txt",
     [](Options& o, const std::string& v) {
         if (v.empty())
             return std::string("option '--data' needs a folder");
         o.dataDir = v;
         return std::string();
     }},
    {"--record", "FILE", "record the play-through into FILE, to be replayed",
     [](Options& o, const std::string& v) {
         if (v.empty() || !o.replayPath.empty())
             return std::string("option '--record' needs a file, and no '--replay'");
         o.recordPath = v;
         return std::string();
     }},
    {"--replay", "FILE", "play FILE back (it sets the first wave); ends with its state digest",
     [](Options& o, const std::string& v) {
         if (v.empty() || !o.recordPath.empty())
             return std::string("option '--replay' needs a file, and no '--record'");
         o.replayPath = v;
         return std::string();
     }},
};

const OptionRow* findOption(const std::string& name) {
    for (const OptionRow& row : kOptionTable)
        if (name == row.name || (row.shortName && name == row.shortName))
            return &row;
    return nullptr;
}

} // namespace

ParsedOptions parseOptions(int argc, const char* const* argv) {
    ParsedOptions result;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::size_t equals = arg.find('=');
        const bool hasInlineValue = arg.compare(0, 2, "--") == 0 && equals != std::string::npos;
        const std::string name = hasInlineValue ? arg.substr(0, equals) : arg;
        const OptionRow* row = findOption(name);
        if (!row) {
            result.error = arg.compare(0, 1, "-") == 0 ? "unknown option '" + arg + "'"
                                                       : "unexpected argument '" + arg + "'";
            return result;
        }
        std::string value;
        if (row->valueName) {
            if (hasInlineValue) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < argc) {
                value = argv[++i];
            } else {
                result.error = std::string("option '") + row->name + "' needs a value (" +
                               row->valueName + ")";
                return result;
            }
        } else if (hasInlineValue) {
            result.error = std::string("option '") + row->name + "' takes no value";
            return result;
        }
        result.error = row->apply(result.options, value);
        if (!result.error.empty())
            return result;
    }
    return result;
}

namespace {

// One line of --help: the left column padded to width, then the text.
std::string usageLine(std::string left, std::size_t width, const char* text) {
    left.resize(width, ' ');
    return left + text + "\n";
}

} // namespace

std::string usageText() {
    std::vector<std::string> lefts;
    std::size_t width = 0;
    for (const OptionRow& row : kOptionTable) {
        std::string left = "  ";
        if (row.shortName)
            left += std::string(row.shortName) + ", ";
        left += row.name;
        if (row.valueName)
            left += std::string(" ") + row.valueName;
        lefts.push_back(left);
        width = std::max(width, left.size() + 2);
    }
    const std::vector<ControlLine> controls = controlLines();
    const std::vector<ControlLine> starting = startControlLines();
    for (const std::vector<ControlLine>* lines : {&controls, &starting})
        for (const ControlLine& line : *lines)
            width = std::max(width, line.keys.size() + 4);

    std::string text = "Usage: groundline [OPTION]...\n"
                       "Defend the ground line against waves of alien invaders.\n\nOptions:\n";
    for (std::size_t i = 0; i < lefts.size(); ++i)
        text += usageLine(lefts[i], width, kOptionTable[i].help);
    text += "\nOn the start screen (a kept game to continue, or the level):\n";
    for (const ControlLine& line : starting)
        text += usageLine("  " + line.keys, width, line.what.c_str());
    text += "\nIn the game:\n";
    for (const ControlLine& line : controls)
        text += usageLine("  " + line.keys, width, line.what.c_str());
    text += "\nThe data is read from data/ in the working folder, else from\n"
            "../share/games/groundline or ../share/groundline beside the executable;\n"
            "--data DIR replaces them all.\n"
            "The settings are kept in $XDG_CONFIG_HOME/groundline/settings.txt, the best\n"
            "result of each level in $XDG_DATA_HOME/groundline/best.txt and a game left\n"
            "unfinished in $XDG_DATA_HOME/groundline/save.txt (~/.config and ~/.local/share\n"
            "when those are not set).\n";
    return text;
}

std::string versionText() {
    return std::string("groundline ") + GROUNDLINE_VERSION + "\n";
}

const char* gameVersion() {
    return GROUNDLINE_VERSION;
}
