#pragma once

#include <iosfwd>
#include <string>
#include <vector>

struct Strategy;

// One headless play-through by a scripted player.
struct SimOptions {
    std::string program = "groundline-sim"; // names the messages
    std::string strategy = "idle";          // a built-in name or a script file
    const Strategy* script = nullptr;       // when set: played instead of loading strategy
    unsigned seed = 1;
    int waves = 100;         // stop once this many waves are defeated
    int startWave = 1;       // the number of the first wave
    double timeLimit = 0.0;  // game seconds; 0 gives 300 per wave asked for
    double step = 0.0;       // seconds per frame; 0 takes TimestepThreshold
    int drawEvery = 0;       // when above 0: every Nth frame is also drawn into the back buffer
    bool showMemory = false; // when set: every wave line ends with the resident memory in kB
    std::string tracePath;   // when set: time, money, health, wave and towers every second
    std::string recordPath;  // when set: the play-through as a replay
    // When set: the game is played for its result alone, as the search plays it (see
    // GameApp::resultOnly). Nothing is written to the report and only wavesDefeated, lost, time,
    // frames and health are filled in; they are those of the same run played in full.
    bool resultOnly = false;
};

// How a run ended, for callers that want more than the report.
struct SimResult {
    int wavesDefeated = 0;
    bool lost = false;
    double time = 0.0; // game seconds played
    long long frames = 0;
    int kills = 0;
    int landings = 0;
    std::vector<int> killsByKind; // by the rows of src/invaders/InvaderKinds.h
    std::vector<int> landingsByKind;
    int health = 0;                   // base health at the end
    std::vector<int> healthAfterWave; // base health as each wave was defeated, from the first
};

// Runs the game headless with fixed frame steps, as fast as it goes, and writes the report to
// out: a header, one line per wave (wave, game time, money, base health, kills, landings, towers
// standing, towers lost), the totals, why it ended, and "waves defeated: N" last. The same
// options and data give the same report, byte for byte. Needs startHeadless first. Returns 0,
// or an exit code after one line on stderr.
int runSimulation(const SimOptions& options, std::ostream& out, SimResult* result = nullptr);

// Plays a replay headless as fast as it goes; prints the final state digest and checks it.
int runReplayHeadless(const std::string& program, const std::string& path);
