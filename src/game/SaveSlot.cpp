#include "game/SaveSlot.h"

#include "app/SavedFile.h"
#include "game/Game.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// A save is a few hundred bytes; a thousand towers would still be far below this.
constexpr std::size_t kMaxSaveBytes = 256 * 1024;

} // namespace

SaveSlot SaveSlot::forPlayer() {
    const std::string data = dataHome();
    return SaveSlot(data.empty() ? std::string() : data + "/groundline/save.txt");
}

bool SaveSlot::load(SavedGame& saved) {
    if (path.empty())
        return false;
    std::string text, error;
    const ReadStatus status = readSmallFile(path, text, error, kMaxSaveBytes);
    if (status == ReadStatus::Missing)
        return false;
    if (status == ReadStatus::Read && parseSavedGame(text, saved, error))
        return true;
    const std::string aside = path + ".bad";
    if (std::rename(path.c_str(), aside.c_str()) == 0)
        warn("set aside " + path + " as " + aside + " (" + error + ")");
    else
        warn("cannot use " + path + " (" + error + "), nor set it aside: " + std::strerror(errno));
    return false;
}

void SaveSlot::gameBegun(const Game& game, bool continued) {
    lost = false;
    keptWave = game.waveNumber;
    if (continued)
        write(game);
    else
        remove();
}

void SaveSlot::follow(const Game& game) {
    if (game.gameOver) {
        if (!lost)
            remove();
        lost = true;
        return;
    }
    // The calm before each wave: the wave just beaten is gone and the next one not yet come.
    if (!game.wave && game.waveNumber != keptWave) {
        keptWave = game.waveNumber;
        write(game);
    }
}

void SaveSlot::write(const Game& game) {
    if (path.empty())
        return;
    std::string error;
    if (!writeFileAtomically(path, formatSavedGame(captureGame(game)), error))
        warn("cannot save the game to " + path + ": " + error);
}

void SaveSlot::remove() {
    if (path.empty())
        return;
    if (std::remove(path.c_str()) != 0 && errno != ENOENT)
        warn("cannot remove " + path + ": " + std::strerror(errno));
}

void SaveSlot::warn(const std::string& line) {
    warnings.push_back(line);
    if (!quiet)
        std::fprintf(stderr, "groundline: %s\n", line.c_str());
}
