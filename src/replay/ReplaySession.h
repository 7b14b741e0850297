#pragma once

#include <memory>
#include <string>

class Game;
class Recorder;
class ReplayPlayer;

// Exit codes of the game and the simulator.
constexpr int kExitBadReplay = 4;     // cannot read or write it, or other data or version
constexpr int kExitReplayDrifted = 5; // played back, but did not end as recorded

// Recording a play-through to a file, or replaying one, around a run of the game. The game's
// --record and --replay and the simulator's each own one:
//
//   startRecording or startReplay      after start-up, before the game runs
//   ... the run loop ...
//   finish                             after it, before the game is deleted
//
// A session dropped without finish puts the seams back and writes nothing more.
class ReplaySession {
  public:
    // program names the messages on stderr.
    explicit ReplaySession(std::string program);
    ~ReplaySession();
    ReplaySession(const ReplaySession&) = delete;
    ReplaySession& operator=(const ReplaySession&) = delete;

    // Seeds rand with seed and records from the next frame on, with the current game's first
    // wave and the window's scale. Returns 0, or kExitBadReplay after one line on stderr.
    int startRecording(const std::string& path, unsigned seed);
    // Checks the file against this game's version and data, sets the current game's first wave
    // and seeds rand as recorded, and feeds the recorded frames from the next frame on; the
    // player's kept files are left alone. Paced: at the recorded speed (in the window);
    // otherwise as fast as the game runs. Returns 0, or kExitBadReplay after one line on stderr.
    int startReplay(const std::string& path, bool paced);
    // Prints "state digest: ..." on stdout; writes it to the recording, or compares it with the
    // replay's. Returns 0, or an exit code after one line on stderr. A replay whose window was
    // closed before its end is not compared (0). Without a recording or replay under way, does
    // nothing and returns 0.
    int finish(const Game& game);

  private:
    int refuse(const std::string& message) const;

    std::string program;
    std::string sessionPath;
    std::unique_ptr<Recorder> recorder;
    std::unique_ptr<ReplayPlayer> player;
};
