#include "app/Profile.h"

#include "app/Numbers.h"
#include "app/SavedFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

namespace {

// Reads "key=value" lines, skipping blank lines and # comments. Keys this version does not know
// are kept and ignored, so a newer game's file still loads. False for a line of any other shape.
bool parseLines(const std::string& text, std::map<std::string, std::string>& values) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::size_t equals = line.find('=');
        if (equals == 0 || equals == std::string::npos)
            return false;
        values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return true;
}

bool readCount(const std::string& text, int& out) {
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return false;
    long long value = 0;
    if (!parseWholeNumber(text, 0, INT_MAX, value))
        return false;
    out = static_cast<int>(value);
    return true;
}

// Reads a file into key=value pairs. Returns false (with nothing reported) when it is missing,
// false with a problem when it is unreadable or malformed.
bool readValues(const std::string& path, std::map<std::string, std::string>& values,
                std::string& problem) {
    std::string text;
    if (readSmallFile(path, text, problem) != ReadStatus::Read)
        return false;
    if (!parseLines(text, values)) {
        problem = "not a list of key=value lines";
        return false;
    }
    return true;
}

} // namespace

Profile::Profile(std::string settingsFile, std::string bestFile)
    : settingsFile(std::move(settingsFile)), bestFile(std::move(bestFile)) {}

Profile Profile::forPlayer() {
    const std::string config = configHome();
    const std::string data = dataHome();
    return Profile(config.empty() ? std::string() : config + "/groundline/settings.txt",
                   data.empty() ? std::string() : data + "/groundline/best.txt");
}

void Profile::load() {
    loadSettings();
    loadBest();
}

void Profile::loadSettings() {
    const Profile defaults;
    soundOn = defaults.soundOn;
    volume = defaults.volume;
    fullScreen = defaults.fullScreen;
    pauseOnFocusLoss = defaults.pauseOnFocusLoss;
    startSpeed = defaults.startSpeed;
    if (settingsFile.empty())
        return;
    std::map<std::string, std::string> values;
    std::string problem;
    if (!readValues(settingsFile, values, problem)) {
        if (!problem.empty())
            warn("ignoring " + settingsFile + " (" + problem + "): the default settings");
        return;
    }
    readSettings(values);
}

namespace {

bool readSwitch(const std::string& text, bool& out) {
    if (text != "on" && text != "off")
        return false;
    out = text == "on";
    return true;
}

} // namespace

// Each setting on its own: one damaged value costs its own line and its default, and the others
// still count. A file without any setting of ours is no settings file at all.
void Profile::readSettings(const std::map<std::string, std::string>& values) {
    const Profile defaults;
    bool any = false;
    auto take = [&](const char* key, const char* expected, auto read, auto restore) {
        auto it = values.find(key);
        if (it == values.end())
            return;
        any = true;
        if (!read(it->second)) {
            restore();
            warn(settingsFile + ": " + key + "=" + it->second.substr(0, 40) + " is not " +
                 expected + ": the default");
        }
    };
    take(
        "sound", "on or off", [&](const std::string& v) { return readSwitch(v, soundOn); },
        [&] { soundOn = defaults.soundOn; });
    take(
        "volume", "0 to 100 in steps of 10",
        [&](const std::string& v) {
            return readCount(v, volume) && volume <= 100 && volume % kVolumeStep == 0;
        },
        [&] { volume = defaults.volume; });
    take(
        "fullscreen", "on or off", [&](const std::string& v) { return readSwitch(v, fullScreen); },
        [&] { fullScreen = defaults.fullScreen; });
    take(
        "pause_on_focus_loss", "on or off",
        [&](const std::string& v) { return readSwitch(v, pauseOnFocusLoss); },
        [&] { pauseOnFocusLoss = defaults.pauseOnFocusLoss; });
    take(
        "speed", "1, 2 or 3",
        [&](const std::string& v) {
            return readCount(v, startSpeed) && startSpeed >= 1 && startSpeed <= kMostStartSpeed;
        },
        [&] { startSpeed = defaults.startSpeed; });
    if (!any)
        warn("ignoring " + settingsFile + " (no setting in it): the default settings");
}

namespace {

// Normal's line keeps the name it had before there were levels, so an old file still reads.
std::string bestKey(Difficulty level) {
    return level == Difficulty::Normal ? std::string("best")
                                       : std::string("best.") + difficultyName(level);
}

} // namespace

void Profile::loadBest() {
    for (int& best : bestByLevel)
        best = 0;
    bestWaves = 0;
    if (bestFile.empty())
        return;
    std::map<std::string, std::string> values;
    std::string problem;
    if (!readValues(bestFile, values, problem)) {
        if (!problem.empty())
            warn("ignoring " + bestFile + " (" + problem + "): best 0");
        return;
    }
    bool any = false;
    for (int i = 0; i < kDifficultyCount; ++i) {
        const std::string key = bestKey(static_cast<Difficulty>(i));
        auto best = values.find(key);
        if (best == values.end())
            continue;
        any = true;
        if (!readCount(best->second, bestByLevel[i]))
            warn("ignoring " + bestFile + "'s " + key + " (not a count): " + key + " 0");
    }
    if (!any)
        warn("ignoring " + bestFile + " (no best=N line): best 0");
    bestWaves = bestByLevel[static_cast<int>(level)];
}

void Profile::useLevel(Difficulty newLevel) {
    level = newLevel;
    bestWaves = bestByLevel[static_cast<int>(level)];
}

void Profile::saveSound(bool on) {
    soundOn = on;
    saveSettings();
}

void Profile::saveSettings() {
    auto onOff = [](bool on) { return on ? "on\n" : "off\n"; };
    save(settingsFile, std::string("# Groundline settings\nsound=") + onOff(soundOn) + "volume=" +
                           std::to_string(volume) + "\nfullscreen=" + onOff(fullScreen) +
                           "pause_on_focus_loss=" + onOff(pauseOnFocusLoss) +
                           "speed=" + std::to_string(startSpeed) + "\n");
}

void Profile::recordWavesDefeated(int waves) {
    if (waves <= bestWaves)
        return;
    bestWaves = waves;
    bestByLevel[static_cast<int>(level)] = waves;
    std::string text = "# Groundline: the most waves defeated in one game, at each level\n";
    for (int i = 0; i < kDifficultyCount; ++i)
        if (bestByLevel[i] > 0 || static_cast<Difficulty>(i) == Difficulty::Normal)
            text +=
                bestKey(static_cast<Difficulty>(i)) + "=" + std::to_string(bestByLevel[i]) + "\n";
    save(bestFile, text);
}

void Profile::save(const std::string& path, const std::string& contents) {
    if (path.empty())
        return;
    std::string error;
    if (!writeFileAtomically(path, contents, error))
        warn("cannot save " + path + ": " + error);
}

void Profile::warn(const std::string& line) {
    warnings.push_back(line);
    if (!quiet)
        std::fprintf(stderr, "groundline: %s\n", line.c_str());
}
