#pragma once

#include "game/SavedGame.h"

#include <string>
#include <vector>

class Game;

// The one game a player has left unfinished, kept in a file: written (the same safe write as
// the settings) whenever a wave's calm begins, removed when the game is lost or a new one
// begins. Practice games and replays have none.
class SaveSlot {
  public:
    // A slot kept nowhere (tests, or a home that cannot be found): nothing is read or written.
    SaveSlot() = default;
    explicit SaveSlot(std::string path) : path(std::move(path)) {}
    // The player's save under the XDG data folder, beside the best result.
    static SaveSlot forPlayer();

    // Reads the kept game. False when there is none, or when the file cannot be used: then it is
    // set aside (renamed with ".bad" added, so the player can look at it and it is never offered
    // again) with one line on stderr.
    bool load(SavedGame& saved);

    // Called once the game has been reset: a continued game keeps its save (written again at
    // once, which gives the same file), a new game drops the old one.
    void gameBegun(const Game& game, bool continued);
    // Called after every frame's update: saves when a wave's calm has begun since the last
    // call, removes the save once the game is lost.
    void follow(const Game& game);

    std::string path;
    // Every line reported, in order; printed on stderr unless quiet.
    std::vector<std::string> warnings;
    bool quiet = false;

  private:
    void write(const Game& game);
    void remove();
    void warn(const std::string& line);

    int keptWave = 0;
    bool lost = false;
};
