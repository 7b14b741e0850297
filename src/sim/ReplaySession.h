#pragma once

#include <string>

class Game;

// Recording a play-through to a file, or replaying one, around a run of the game. Used by the
// game's --record and --replay and by the simulator's.
//
//   startRecording or startReplay      after start-up, before the game runs
//   ... the run loop ...
//   finishPlaySession                  after it, before the game is deleted

// Exit codes of the game and the simulator.
constexpr int kExitBadReplay = 4;     // cannot read or write it, or other data or version
constexpr int kExitReplayDrifted = 5; // played back, but did not end as recorded

// Seeds rand with seed and records from the next frame on, with the current game's first wave
// and the window's scale. Returns 0, or kExitBadReplay after one line on stderr.
int startRecording(const std::string& program, const std::string& path, unsigned seed);
// Checks the file against this game's version and data, sets the current game's first wave and
// seeds rand as recorded, and feeds the recorded frames from the next frame on; the player's
// kept files are left alone. Paced: at the recorded speed (in the window);
// otherwise as fast as the game runs. Returns 0, or kExitBadReplay after one line on stderr.
int startReplay(const std::string& program, const std::string& path, bool paced);
// Prints "state digest: ..." on stdout; writes it to the recording, or compares it with the
// replay's. Returns 0, or an exit code after one line on stderr. Without a session, does
// nothing and returns 0.
int finishPlaySession(const std::string& program, const Game& game);
