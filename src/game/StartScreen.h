#pragma once

#include "app/Difficulty.h"

#include <optional>
#include <string>
#include <vector>

struct BITMAP;
class Game;
struct SavedGame;

// What the player chose before the game: to play on from the kept game, or a new game at a
// level; or nothing (the window was closed, or Escape pressed).
struct StartChoice {
    enum Kind { kContinue, kNewGame, kQuit };
    Kind kind = kQuit;
    Difficulty level = Difficulty::Normal;
};

// The screen before the first game, over the field of a new game in the in-game menu's look:
// "Continue (wave N)" when a game was kept, then "New Game" at each level, or a single "New
// Game" when the command line already chose the level. The mouse picks (on release), Enter
// takes the first entry, Escape leaves.
class StartScreen {
  public:
    StartScreen(Game& game, const SavedGame* saved, std::optional<Difficulty> level);

    // Frames until a choice is made or the window is closed.
    StartChoice run();
    // One frame's input: the choice, once there is one.
    std::optional<StartChoice> update();
    void draw(BITMAP* bmp) const;

    // One line of the screen; a choice is an entry the player can pick.
    struct Entry {
        std::string text;
        int y;
        bool small; // a heading, not a choice
        StartChoice choice;
    };
    const std::vector<Entry>& entries() const { return lines; }

  private:
    bool hovered(const Entry& entry) const;
    void drawBackdrop(BITMAP* bmp) const;

    Game& game;
    std::vector<Entry> lines;
};
