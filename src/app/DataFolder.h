#pragma once

#include <string>
#include <vector>

// Where the game's data is: the folder holding strings.txt and every file it names.
//
// A folder chosen with --data is the only one tried: a player who names a folder expects that
// one or an error, never another copy. Without it, data/ in the working folder comes first (a
// checkout, or a copy a player tunes), then the installed folders beside the executable.
// Returns an empty string when no candidate holds strings.txt.
std::string findDataFolder(const std::string& chosen, const std::string& executable);

// Why no data folder was found, as the one line start-up prints (without the program's name), or
// an empty string when the game is to end silently: no folder named with --data and no
// data/strings.txt at all, a copy of the program without its data. Whatever stands at
// data/strings.txt and is not a readable file is named, never passed over for another folder;
// the look at it never throws.
std::string whyNoDataFolder(const std::string& chosen);

// True when folder/strings.txt is a file that can be opened for reading.
bool holdsStrings(const std::string& folder);

// The installed data folders for an executable path, in the order tried: ../share/games/groundline
// beside it, where Debian keeps a game's data (the executable in PREFIX/games), then
// ../share/groundline, where installs before that put it (the executable in PREFIX/bin).
std::vector<std::string> installedDataFolders(const std::string& executable);
