#pragma once

#include <string>
#include <vector>

// Starts the game without a window: Allegro with no system driver, 32-bit colour, memory bitmaps,
// no sound, keyboard or mouse driver; then the string table and every resource from data/ in the
// working directory, as the game loads them. Returns 0, or the game's own exit code for a
// missing data file (kExitNoStrings silently, kExitMissingResource after one line on stderr).
// Each "Key=Value" of settings replaces that key of the string table before the resources and
// the definitions built from it are loaded, so a tool can try a tuning without editing the data.
int startHeadless(const char* program, const std::vector<std::string>& settings = {});
