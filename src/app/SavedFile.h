#pragma once

#include <string>

// Small text files the game keeps between runs.

// Writes the whole contents to a new file beside path and renames it over path, so a crash, a
// full disk or a second writer leaves either the old file or the new one, never a mix. Creates
// the missing folders first, and removes temporaries of path's own that a killed writer left
// more than a minute ago. On failure returns false with the reason in error; path is untouched
// and no temporary file is left behind.
bool writeFileAtomically(const std::string& path, const std::string& contents, std::string& error);

enum class ReadStatus { Read, Missing, Failed };

// Reads a file of at most maxBytes. Missing: there is no such file. Failed: it exists but cannot
// be read, or is larger (error says why).
ReadStatus readSmallFile(const std::string& path, std::string& contents, std::string& error,
                         std::size_t maxBytes = 4096);

// The base folders of the XDG conventions: $XDG_CONFIG_HOME or ~/.config, and $XDG_DATA_HOME or
// ~/.local/share. Relative values are ignored, as the conventions ask. Empty when neither the
// variable nor $HOME gives an absolute path.
std::string configHome();
std::string dataHome();
