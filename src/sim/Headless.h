#pragma once

// Starts the game without a window: Allegro with no system driver, 32-bit colour, memory bitmaps,
// no sound, keyboard or mouse driver; then the string table and every resource from data/ in the
// working directory, as the game loads them. Returns 0, or the game's own exit code for a
// missing data file (kExitNoStrings silently, kExitMissingResource after one line on stderr).
int startHeadless(const char* program);
