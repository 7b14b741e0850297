#pragma once

#include "app/Difficulty.h"

#include <map>
#include <string>
#include <vector>

// What the game remembers between runs: the settings (sound switch, volume, full screen, pause
// on leaving the window, starting speed) and the most waves defeated in one game. A missing
// file, or a setting missing from an older file, is a first run and reads as the defaults in
// silence; a file that cannot be read or makes no sense costs one line on stderr and also reads
// as the defaults, and so does each damaged value, one line each. A file that cannot be written
// costs one line and the game goes on with the values in memory.
class Profile {
  public:
    // Files kept nowhere: everything stays in memory (tests, or a home that cannot be found).
    Profile() = default;
    Profile(std::string settingsFile, std::string bestFile);
    // The player's files under the XDG folders.
    static Profile forPlayer();

    void load();
    void saveSound(bool on);
    // Writes every setting as it now stands.
    void saveSettings();
    // The result of a lost game at the level in play; saved when it beats that level's best.
    void recordWavesDefeated(int waves);
    // The level whose best bestWaves shows and a lost game counts for.
    void useLevel(Difficulty level);

    bool soundOn = true;
    // Percent, in steps of kVolumeStep.
    int volume = kDefaultVolume;
    bool fullScreen = false;
    // The field stops, as with P, when the window loses the keyboard.
    bool pauseOnFocusLoss = true;
    // The fast-forward every game starts at: 1 to 3.
    int startSpeed = 1;

    static constexpr int kVolumeStep = 10;
    static constexpr int kDefaultVolume = 100;
    static constexpr int kMostStartSpeed = 3;
    // The best of the level in play.
    int bestWaves = 0;
    Difficulty level = Difficulty::Normal;
    // Every level's best, kept as best=N (Normal, as before there were levels), best.easy=N and
    // best.hard=N.
    int bestByLevel[kDifficultyCount] = {};
    std::string settingsFile;
    std::string bestFile;
    // Every line reported, in order; printed on stderr unless quiet.
    std::vector<std::string> warnings;
    bool quiet = false;

  private:
    void warn(const std::string& line);
    void loadSettings();
    void readSettings(const std::map<std::string, std::string>& values);
    void loadBest();
    void save(const std::string& path, const std::string& contents);
};
