#include "app/Difficulty.h"

#include "app/GameApp.h"
#include "app/SavedFile.h"
#include "app/StringTable.h"

#include <cstdio>
#include <sstream>

namespace {

struct Level {
    Difficulty level;
    const char* name;
    const char* title;
};

constexpr Level kLevels[kDifficultyCount] = {
    {Difficulty::Easy, "easy", "Easy"},
    {Difficulty::Normal, "normal", "Normal"},
    {Difficulty::Hard, "hard", "Hard"},
};

// An overlay is a handful of lines; anything this large is not one.
constexpr std::size_t kMaxOverlayBytes = 64 * 1024;

} // namespace

const char* difficultyName(Difficulty level) {
    return kLevels[static_cast<int>(level)].name;
}

const char* difficultyTitle(Difficulty level) {
    return kLevels[static_cast<int>(level)].title;
}

bool difficultyNamed(const std::string& name, Difficulty& level) {
    for (const Level& row : kLevels)
        if (name == row.name) {
            level = row.level;
            return true;
        }
    return false;
}

std::string difficultyNames() {
    return std::string(kLevels[0].name) + ", " + kLevels[1].name + " or " + kLevels[2].name;
}

bool readOverlay(const std::string& path, StringTable& table, std::vector<std::string>& problems) {
    std::string text, error;
    if (readSmallFile(path, text, error, kMaxOverlayBytes) != ReadStatus::Read) {
        problems.push_back("cannot read " + path + (error.empty() ? "" : ": " + error));
        return false;
    }
    StringTable overlay;
    std::istringstream in(text);
    overlay.read(in);
    for (const std::string& key : overlay.keys()) {
        if (table.contains(key))
            table.set(key, overlay.get(key));
        else
            problems.push_back(path + ": " + key + " is no key of strings.txt; left out");
    }
    return true;
}

void playAtDifficulty(GameApp& app, Difficulty level, const char* program) {
    app.strings = app.loadedStrings;
    std::vector<std::string> problems;
    readOverlay(app.dataPath(std::string("data/") + difficultyName(level) + ".txt"), app.strings,
                problems);
    for (const std::string& line : problems)
        std::fprintf(stderr, "%s: %s\n", program, line.c_str());
    app.readDefinitions();
    app.difficulty = level;
    app.profile.useLevel(level);
}
