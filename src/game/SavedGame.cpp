#include "game/SavedGame.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "app/Options.h"
#include "game/Game.h"
#include "replay/Digest.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <sstream>

namespace {

constexpr const char* kHeading = "groundline-save";
// Far more than the 320-pixel ground line can hold, and each tower line is short: a larger file
// is no save of ours.
constexpr std::size_t kMaxTowers = 1000;
constexpr std::size_t kMaxClouds = 100;
constexpr int kMaxLevel = 1000;
constexpr double kMaxCoordinate = 1.0e6;
constexpr long long kMaxPosition = 1000000;

std::string real(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string checkOf(const std::string& body) {
    Digest digest;
    digest.addString(body);
    return digest.hex();
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string word; in >> word;)
        w.push_back(word);
    return w;
}

bool whole(const std::string& text, long long low, long long high, int& out) {
    long long value = 0;
    if (!parseWholeNumber(text, low, high, value))
        return false;
    out = static_cast<int>(value);
    return true;
}

// Reads the value lines after the heading; false at the first that makes no sense.
class Reader {
  public:
    explicit Reader(SavedGame& saved) : saved(saved) {}

    bool line(const std::vector<std::string>& w) {
        const std::string& key = w[0];
        if (key == "difficulty")
            return w.size() == 2 && difficultyNamed(w[1], saved.difficulty);
        if (key == "wave")
            return w.size() == 2 && whole(w[1], 1, kMaxFirstWave, saved.wave);
        if (key == "calm")
            return w.size() == 2 && parseReal(w[1], 0.0, kMaxCoordinate, saved.waveTimer);
        if (key == "money")
            return w.size() == 2 && whole(w[1], INT_MIN, INT_MAX, saved.money);
        if (key == "health")
            return w.size() == 3 && whole(w[1], 1, INT_MAX, saved.health) &&
                   whole(w[2], 0, INT_MAX, saved.maxHealth);
        if (key == "speed")
            return w.size() == 2 && whole(w[1], 1, kMaxSpeed, saved.speed);
        if (key == "clouds")
            return clouds(w);
        if (key == "tower")
            return tower(w);
        return false;
    }

  private:
    bool clouds(const std::vector<std::string>& w) {
        if (w.size() % 2 != 1 || w.size() > 2 * kMaxClouds + 1)
            return false;
        saved.clouds.assign(w.size() - 1, 0.0);
        for (std::size_t i = 1; i < w.size(); ++i)
            if (!parseReal(w[i], -kMaxCoordinate, kMaxCoordinate, saved.clouds[i - 1]))
                return false;
        return true;
    }

    // tower TYPE X HEALTH SMOKE LEVEL...
    bool tower(const std::vector<std::string>& w) {
        SavedTower t;
        if (w.size() < 5 || saved.towers.size() >= kMaxTowers ||
            w.size() > 5 + static_cast<std::size_t>(kMaxUpgrades) + 2 ||
            !whole(w[1], 0, kTowerTypeCount - 1, t.type) ||
            !whole(w[2], -kMaxPosition, kMaxPosition, t.x) || !whole(w[3], 1, INT_MAX, t.health) ||
            !parseReal(w[4], -kMaxCoordinate, kMaxCoordinate, t.smokeTimer))
            return false;
        t.levels.assign(w.size() - 5, 0);
        for (std::size_t i = 5; i < w.size(); ++i)
            if (!whole(w[i], 0, kMaxLevel, t.levels[i - 5]))
                return false;
        saved.towers.push_back(t);
        return true;
    }

    SavedGame& saved;
};

} // namespace

std::string formatSavedGame(const SavedGame& saved) {
    std::string body =
        "# Groundline: a game kept at the start of a wave (see docs/saved-game.md)\n";
    body += std::string(kHeading) + " " + std::to_string(kSaveFormat) + "\n";
    body += std::string("difficulty ") + difficultyName(saved.difficulty) + "\n";
    body += "wave " + std::to_string(saved.wave) + "\n";
    body += "calm " + real(saved.waveTimer) + "\n";
    body += "money " + std::to_string(saved.money) + "\n";
    body += "health " + std::to_string(saved.health) + " " + std::to_string(saved.maxHealth) + "\n";
    body += "speed " + std::to_string(saved.speed) + "\n";
    body += "clouds";
    for (double value : saved.clouds)
        body += " " + real(value);
    body += "\n";
    for (const SavedTower& t : saved.towers) {
        body += "tower " + std::to_string(t.type) + " " + std::to_string(t.x) + " " +
                std::to_string(t.health) + " " + real(t.smokeTimer);
        for (int level : t.levels)
            body += " " + std::to_string(level);
        body += "\n";
    }
    return body + "check " + checkOf(body) + "\n";
}

bool parseSavedGame(const std::string& text, SavedGame& saved, std::string& error) {
    saved = SavedGame();
    std::size_t start = 0;
    bool headed = false;
    Reader reader(saved);
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            error = "damaged: it is cut short";
            return false;
        }
        const std::string line = text.substr(start, end - start);
        const std::vector<std::string> w = words(line);
        if (!line.empty() && line[0] == '#') {
            // Only the comment that heads the file comes before the heading line.
        } else if (!headed) {
            int format = 0;
            if (w.size() != 2 || w[0] != kHeading || !whole(w[1], 0, INT_MAX, format)) {
                error = "not a saved Groundline game";
                return false;
            }
            if (format > kSaveFormat) {
                error = "saved by a newer Groundline (format " + w[1] + ", this game reads " +
                        std::to_string(kSaveFormat) + ")";
                return false;
            }
            headed = true;
        } else if (w.size() == 2 && w[0] == "check") {
            if (w[1] != checkOf(text.substr(0, start)) || end + 1 != text.size()) {
                error = "damaged: its check does not match";
                return false;
            }
            return true;
        } else if (w.empty() || !reader.line(w)) {
            error = "damaged: a line makes no sense: " + line.substr(0, 40);
            return false;
        }
        start = end + 1;
    }
    error = headed ? "damaged: its check is missing" : "not a saved Groundline game";
    return false;
}

SavedGame captureGame(const Game& game) {
    SavedGame saved;
    saved.difficulty = game.app->difficulty;
    saved.wave = game.waveNumber;
    saved.waveTimer = game.waveTimer;
    saved.money = game.money;
    saved.health = game.health;
    saved.maxHealth = game.maxHealth;
    saved.speed = game.speed;
    for (const Cloud& cloud : game.clouds) {
        saved.clouds.push_back(cloud.x);
        saved.clouds.push_back(cloud.y);
    }
    for (const Building* b : game.buildings) {
        if (b->removed)
            continue;
        saved.towers.push_back({b->type, b->x, b->health, b->smokeTimer, b->upgradeLevels});
    }
    return saved;
}

void restoreGame(Game& game, const SavedGame& saved) {
    game.waveNumber = saved.wave;
    game.waveTimer = saved.waveTimer;
    game.money = saved.money;
    game.health = saved.health;
    game.maxHealth = saved.maxHealth;
    game.speed = saved.speed;
    // The sky is the same sky only while the game draws as many clouds as it did.
    if (saved.clouds.size() == 2 * game.clouds.size())
        for (std::size_t i = 0; i < game.clouds.size(); ++i) {
            game.clouds[i].x = saved.clouds[2 * i];
            game.clouds[i].y = saved.clouds[2 * i + 1];
        }
    for (const SavedTower& t : saved.towers) {
        Building* tower = createTower(t.type);
        if (!tower)
            continue;
        tower->placeAt(t.x);
        // Each level bought again, as the player bought it: the tower's own upgrade applies it.
        for (std::size_t k = 0; k < t.levels.size() && k < tower->upgradeLevels.size(); ++k)
            while (tower->upgradeLevels[k] < t.levels[k]) {
                const int before = tower->upgradeLevels[k];
                tower->upgrade(static_cast<int>(k));
                if (tower->upgradeLevels[k] == before)
                    break; // beyond the levels the data has now
            }
        tower->health = std::min(t.health, tower->maxHealth());
        tower->smokeTimer = t.smokeTimer;
        game.buildings.push_back(tower);
    }
    game.alerts.reset(game.health);
}
