#pragma once

// The game's version. A recorded play-through carries it: a replay only reproduces the game it
// was recorded with, so a replay from another version is refused rather than left to drift.
constexpr const char* kGameVersion = "0.1.0";
