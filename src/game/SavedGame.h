#pragma once

#include "app/Difficulty.h"

#include <string>
#include <vector>

class Game;

// A game as it stood when a wave's calm began, kept so that the next start can play on from
// there. Shots, invaders and effects are never part of it: at that moment the wave is beaten,
// and what is still in flight is only on its way out.
struct SavedTower {
    int type = 0;
    int x = 0;
    int health = 0;
    double smokeTimer = 0.0;
    std::vector<int> levels; // levels bought of each upgrade, in the order of the tower's menu
};

struct SavedGame {
    Difficulty difficulty = Difficulty::Normal;
    int wave = 1;
    double waveTimer = 0.0;
    int money = 0;
    int health = 0;
    int maxHealth = 0;
    int speed = 1;
    std::vector<double> clouds; // x and y of every cloud in turn
    std::vector<SavedTower> towers;
};

// The save file's format: a newer game may write a later one, which this game refuses.
constexpr int kSaveFormat = 1;

// The file's text (docs/saved-game.md): a heading line, one line per value, one per tower, and a
// check of everything before it. Reals are written in their shortest exact form, so reading
// them back and writing again gives the same text.
std::string formatSavedGame(const SavedGame& saved);
// False with the reason in one line: not a save of this game, a later format, or damaged (a line
// cut short or changed, a value out of range). A refused text never crashes.
bool parseSavedGame(const std::string& text, SavedGame& saved, std::string& error);

// What a save of the game holds now.
SavedGame captureGame(const Game& game);
// Sets up a game just reset as the save describes it: the towers with their levels and health
// where they stood, the money, the base, the wave's calm and the speed. A tower the data no
// longer knows is left out.
void restoreGame(Game& game, const SavedGame& saved);
