#include "sim/Simulator.h"

#include "app/GameApp.h"
#include "app/SeamGuard.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "invaders/InvaderKinds.h"
#include "replay/Digest.h"
#include "replay/ReplayFile.h"
#include "replay/ReplaySession.h"
#include "sim/PlayStats.h"
#include "sim/PlayerHands.h"
#include "sim/ScriptedPlayer.h"
#include "towers/TowerKinds.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <unistd.h>

namespace {

constexpr double kDefaultStep = 0.01;
constexpr double kSecondsPerWaveAllowed = 300.0;

class FixedSteps : public StepSource {
  public:
    explicit FixedSteps(double step) : step(step) {}
    double nextStep() override { return step; }

  private:
    double step;
};

// The process's resident memory in kB, or -1 where /proc cannot tell.
long residentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    if (!(statm >> pages >> resident))
        return -1;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The story of the game as its game-over screen tells it, on one line.
std::string storyLine(const Game& game) {
    const GameStats& s = game.stats;
    char text[256];
    std::snprintf(text, sizeof text,
                  "money earned: %lld, spent: %lld; time played: %.2f s; invaders destroyed: %d; "
                  "towers built: %d, lost: %d; most effective: ",
                  s.moneyEarned, s.moneySpent, s.timePlayed, s.invadersDestroyed, s.towersBuilt,
                  s.towersLost);
    std::string line = text;
    const int best = s.mostEffectiveKind();
    if (best < 0)
        return line + "none\n";
    std::snprintf(text, sizeof text, "%s (damage %lld, kills %d)\n",
                  game.app->towerDefs[best].name.c_str(), s.damageByKind[best],
                  s.killsByKind[best]);
    return line + text;
}

// "squibble 310, plated 12, ...": every kind in the table's order, the squibble first.
std::string byKind(const std::vector<int>& counts) {
    std::string text;
    for (int kind = 0; kind < kInvaderKindCount; ++kind) {
        if (kind > 0)
            text += ", ";
        text += invaderKind(kind)->name;
        text += ' ';
        text += std::to_string(kind < static_cast<int>(counts.size()) ? counts[kind] : 0);
    }
    return text;
}

std::string formatLine(const WaveReport& r, bool memory) {
    char text[160];
    int n = std::snprintf(text, sizeof text, "%5d %9.2f %7d %6d %6d %8d %6d %5d %6s %6lld", r.wave,
                          r.time, r.money, r.health, r.kills, r.landings, r.towersStanding,
                          r.towersLost, r.warned ? "yes" : "no", r.spent);
    if (memory)
        std::snprintf(text + n, sizeof text - n, " %9ld", residentKilobytes());
    return std::string(text) + "\n";
}

// One frame as the game's run loop has it, less the drawing unless asked for: nothing drawn
// changes the game, and presenting headless still rolls the shake's random number as the window
// does.
void frame(GameApp* app, Game& game, bool draw = false) {
    const double dt = app->tick();
    game.update(dt);
    if (draw)
        game.draw(false);
    app->backBuffer->present();
}

// A run starts as the window's first frame does: no mouse seen yet, no shake, no close asked
// for. The scale, the sound switch and the kept files stay as they are.
void freshFrameState(GameApp* app) {
    app->mouseX = app->mouseY = 0;
    app->previousButtons = app->buttons = 0;
    app->shakeAmount = app->shakeTimeLeft = 0.0;
    app->closeRequested = false;
}

int fail(const SimOptions& options, const std::string& message, int code) {
    std::fprintf(stderr, "%s: %s\n", options.program.c_str(), message.c_str());
    return code;
}

// The frame step a run plays with: the one asked for, else the data's, else kDefaultStep; in
// whole microseconds, as a recording would round it, so a recorded run is the same run.
double runStep(const SimOptions& options) {
    double step = options.step > 0.0 ? options.step
                                     : GameApp::instance()->strings.getReal("TimestepThreshold");
    if (!(step > 0.0))
        step = kDefaultStep;
    return microsToStep(stepToMicros(step));
}

// One play-through by a scripted player, from its start through its frames to its report. The
// members are made in the order the run needs them and unmade in reverse, so the seams go back
// only once the game and the recording are done with.
class ScriptedRun {
  public:
    ScriptedRun(const SimOptions& options, const Strategy& strategy, std::ostream& out)
        : options(options), out(out), step(runStep(options)), steps(step), player(strategy),
          timeLimit(options.timeLimit > 0.0 ? options.timeLimit
                                            : kSecondsPerWaveAllowed * options.waves) {}

    // Installs the player's hands and the fixed steps, seeds or starts the recording, starts the
    // game and writes the header. Returns 0, or an exit code after one line on stderr.
    int start(const std::string& strategyName);
    // Frames until the game is lost, the wave or time limit is reached or the player quits; one
    // report line per wave as it ends.
    void play(SimResult* result);
    // The unfinished wave's line, the totals, why it ended and the digest; a recording is
    // written. Returns 0 or the recording's exit code.
    int report(SimResult* result);

  private:
    // Whether the run ends after this frame, and why ("" while it goes on).
    bool ends() const;
    std::string ending() const;

    const SimOptions& options;
    std::ostream& out;
    GameApp* app = GameApp::instance();
    SeamGuard guard;
    double step;
    FixedSteps steps;
    PlayerHands hands;
    Game game;
    ReplaySession session{options.program};
    std::ofstream trace;
    ScriptedPlayer player;
    PlayStats stats;
    const double timeLimit;
    long long frames = 0;
    double time = 0.0;
    std::string why;
};

int ScriptedRun::start(const std::string& strategyName) {
    app->stepSource = &steps;
    app->mouse = &hands;
    app->keyboard = &hands;
    app->fieldUnseen = options.drawEvery <= 0;
    app->resultOnly = options.resultOnly;
    freshFrameState(app);

    game.firstWave = options.startWave;
    app->game = &game;
    if (!options.recordPath.empty()) {
        if (int status = session.startRecording(options.recordPath, options.seed))
            return status;
    } else {
        std::srand(options.seed);
    }
    game.reset();

    if (options.resultOnly)
        return 0;
    if (!options.tracePath.empty()) {
        trace.open(options.tracePath);
        if (!trace)
            return fail(options, "cannot write " + options.tracePath, kExitUsage);
        trace << "# time money health wave towers\n";
    }

    // Normal's header stays as it always was; another level says so.
    const std::string level = app->difficulty == Difficulty::Normal
                                  ? std::string()
                                  : std::string(", difficulty ") + difficultyName(app->difficulty);
    char header[320];
    std::snprintf(header, sizeof header,
                  "strategy %s, seed %u, first wave %d, step %g s, data %s%s\n",
                  strategyName.c_str(), options.seed, options.startWave, step,
                  dataDigest(app->dataDir).c_str(), level.c_str());
    out << header << " wave      time   money health  kills landings towers  lost warned  spent"
        << (options.showMemory ? "    rss kB\n" : "\n");
    return 0;
}

void ScriptedRun::play(SimResult* result) {
    const PlayStats::SoldCheck sold = [this](const Building* b) { return player.takeSold(b); };
    long long tracedSecond = -1;
    while (why.empty()) {
        if (!hands.busy())
            player.decide(game, time, hands);
        frame(app, game, options.drawEvery > 0 && frames % options.drawEvery == 0);
        time = static_cast<double>(++frames) * step;
        if (options.resultOnly) {
            if (ends())
                why = ending();
            continue;
        }
        if (stats.observe(game, time, sold)) {
            out << formatLine(stats.lastReport(), options.showMemory);
            if (result)
                result->healthAfterWave.push_back(stats.lastReport().health);
        }
        if (trace && static_cast<long long>(time) > tracedSecond) {
            tracedSecond = static_cast<long long>(time);
            trace << tracedSecond << ' ' << game.money << ' ' << game.health << ' '
                  << game.waveNumber << ' ' << game.buildings.size() << '\n';
        }
        if (ends())
            why = ending();
    }
}

bool ScriptedRun::ends() const {
    return game.gameOver || game.waveNumber - options.startWave >= options.waves ||
           time >= timeLimit || !game.running;
}

std::string ScriptedRun::ending() const {
    char text[128] = "";
    if (game.gameOver)
        std::snprintf(text, sizeof text, "lost in wave %d at %.2f s", game.waveNumber, time);
    else if (game.waveNumber - options.startWave >= options.waves)
        std::snprintf(text, sizeof text, "wave limit reached (%d) at %.2f s", options.waves, time);
    else if (time >= timeLimit)
        std::snprintf(text, sizeof text, "time limit (%.0f s) in wave %d", timeLimit,
                      game.waveNumber);
    else if (!game.running)
        std::snprintf(text, sizeof text, "the player quit at %.2f s", time);
    return text;
}

int ScriptedRun::report(SimResult* result) {
    const int defeated = game.waveNumber - options.startWave;
    if (options.resultOnly) {
        if (result) {
            result->wavesDefeated = defeated;
            result->lost = game.gameOver;
            result->time = time;
            result->frames = frames;
            result->health = game.health;
        }
        return 0;
    }
    if (stats.waveUnderway(game) && !(defeated >= options.waves))
        out << formatLine(stats.current(game, time), options.showMemory);
    const WaveReport now = stats.current(game, time);
    const int kills = stats.totalKills + now.kills;
    const int landings = stats.totalLandings + now.landings;
    out << "totals: kills " << kills << ", landings " << landings << ", towers lost "
        << stats.totalTowersLost + now.towersLost << "\n";
    out << "kills by kind: " << byKind(stats.killsByKind) << "\n";
    out << "landings by kind: " << byKind(stats.landingsByKind) << "\n";
    for (int type = 0; type < kTowerTypeCount; ++type) {
        const int* kills = game.stats.killsOf[type];
        out << "kills by " << towerKind(type)->name << ": "
            << byKind(std::vector<int>(kills, kills + kInvaderKindCount)) << "\n";
    }
    out << storyLine(game);
    out << "ended: " << why << "\n";
    out << "waves defeated: " << defeated << "\n";
    // A recording prints it as it closes, after the file is written.
    if (options.recordPath.empty())
        out << "state digest: " << stateDigest(game) << "\n";
    out.flush();
    if (result) {
        result->wavesDefeated = defeated;
        result->lost = game.gameOver;
        result->time = time;
        result->frames = frames;
        result->kills = kills;
        result->landings = landings;
        result->killsByKind = stats.killsByKind;
        result->landingsByKind = stats.landingsByKind;
        result->health = game.health;
    }
    if (options.recordPath.empty())
        return 0;
    game.running = false;
    return session.finish(game);
}

} // namespace

int runSimulation(const SimOptions& options, std::ostream& out, SimResult* result) {
    Strategy strategy;
    std::string error;
    if (options.script)
        strategy = *options.script;
    else if (!loadStrategy(options.strategy, strategy, error))
        return fail(options, error, kExitUsage);

    if (result)
        *result = SimResult();
    ScriptedRun run(options, strategy, out);
    if (int status = run.start(strategy.name))
        return status;
    run.play(result);
    return run.report(result);
}

int runReplayHeadless(const std::string& program, const std::string& path) {
    GameApp* app = GameApp::instance();
    SeamGuard guard;
    freshFrameState(app);
    app->fieldUnseen = true;
    Game game;
    app->game = &game;
    ReplaySession session(program);
    if (int status = session.startReplay(path, false))
        return status;
    // The game's run loop, less the drawing.
    game.reset();
    while (game.running)
        frame(app, game);
    return session.finish(game);
}
