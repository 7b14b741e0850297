#pragma once

#include <string>
#include <vector>

class GameApp;
class StringTable;

// The levels a new game is played at. Each is a small overlay of strings.txt's own keys in a
// file of its own in the data folder (easy.txt, normal.txt, hard.txt), read over the table as
// it was loaded: a level is tuned as everything else is, and Normal's file changes nothing.
enum class Difficulty { Easy = 0, Normal = 1, Hard = 2 };
constexpr int kDifficultyCount = 3;

// "easy", "normal", "hard": as options, files and saves name them.
const char* difficultyName(Difficulty level);
// "Easy", "Normal", "Hard": as the game shows them.
const char* difficultyTitle(Difficulty level);
// False for any other name.
bool difficultyNamed(const std::string& name, Difficulty& level);
// "easy, normal or hard", for messages and --help.
std::string difficultyNames();

// Reads an overlay's key=value lines over table. Keys table does not hold are a designer's slip
// (they would change nothing): each is left out and named in problems. False, with the reason
// in problems, when the file cannot be read.
bool readOverlay(const std::string& path, StringTable& table, std::vector<std::string>& problems);

// Puts the data back as loaded, reads the level's overlay over it and builds the tower and
// invader definitions again, so the next game plays at that level. Every problem costs one line
// on stderr, begun by program; an overlay that cannot be read leaves the loaded values.
void playAtDifficulty(GameApp& app, Difficulty level, const char* program);
