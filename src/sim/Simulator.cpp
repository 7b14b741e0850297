#include "sim/Simulator.h"

#include "app/GameApp.h"
#include "app/SeamGuard.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "replay/Digest.h"
#include "replay/ReplayFile.h"
#include "replay/ReplaySession.h"
#include "sim/PlayStats.h"
#include "sim/PlayerHands.h"
#include "sim/ScriptedPlayer.h"

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

std::string formatLine(const WaveReport& r, bool memory) {
    char text[160];
    int n = std::snprintf(text, sizeof text, "%5d %9.2f %7d %6d %6d %8d %6d %5d", r.wave, r.time,
                          r.money, r.health, r.kills, r.landings, r.towersStanding, r.towersLost);
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
    GameApp* app = GameApp::instance();
    SeamGuard guard;
    double step = options.step > 0.0 ? options.step : app->strings.getReal("TimestepThreshold");
    if (!(step > 0.0))
        step = kDefaultStep;
    // Whole microseconds, as a recording would round them: a recorded run is the same run.
    step = microsToStep(stepToMicros(step));
    FixedSteps steps(step);
    PlayerHands hands;
    app->stepSource = &steps;
    app->mouse = &hands;
    app->keyboard = &hands;
    freshFrameState(app);

    Game game;
    game.firstWave = options.startWave;
    app->game = &game;
    ReplaySession session(options.program);
    if (!options.recordPath.empty()) {
        if (int status = session.startRecording(options.recordPath, options.seed))
            return status;
    } else {
        std::srand(options.seed);
    }
    game.reset();

    std::ofstream trace;
    if (!options.tracePath.empty()) {
        trace.open(options.tracePath);
        if (!trace)
            return fail(options, "cannot write " + options.tracePath, kExitUsage);
        trace << "# time money health wave towers\n";
    }

    const double timeLimit =
        options.timeLimit > 0.0 ? options.timeLimit : kSecondsPerWaveAllowed * options.waves;
    char header[256];
    std::snprintf(header, sizeof header,
                  "strategy %s, seed %u, first wave %d, step %g s, data %s\n",
                  strategy.name.c_str(), options.seed, options.startWave, step,
                  dataDigest(app->dataDir).c_str());
    out << header << " wave      time   money health  kills landings towers  lost"
        << (options.showMemory ? "    rss kB\n" : "\n");

    ScriptedPlayer player(strategy);
    PlayStats stats;
    const PlayStats::SoldCheck sold = [&player](const Building* b) { return player.takeSold(b); };
    long long frames = 0;
    double time = 0.0;
    long long tracedSecond = -1;
    std::string ending;
    for (;;) {
        if (!hands.busy())
            player.decide(game, time, hands);
        frame(app, game, options.drawEvery > 0 && frames % options.drawEvery == 0);
        time = static_cast<double>(++frames) * step;
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

        const int defeated = game.waveNumber - options.startWave;
        char why[128] = "";
        if (game.gameOver)
            std::snprintf(why, sizeof why, "lost in wave %d at %.2f s", game.waveNumber, time);
        else if (defeated >= options.waves)
            std::snprintf(why, sizeof why, "wave limit reached (%d) at %.2f s", options.waves,
                          time);
        else if (time >= timeLimit)
            std::snprintf(why, sizeof why, "time limit (%.0f s) in wave %d", timeLimit,
                          game.waveNumber);
        else if (!game.running)
            std::snprintf(why, sizeof why, "the player quit at %.2f s", time);
        if (why[0]) {
            ending = why;
            break;
        }
    }
    if (stats.waveUnderway(game) && !(game.waveNumber - options.startWave >= options.waves))
        out << formatLine(stats.current(game, time), options.showMemory);
    const WaveReport now = stats.current(game, time);
    const int kills = stats.totalKills + now.kills;
    const int landings = stats.totalLandings + now.landings;
    out << "totals: kills " << kills << ", landings " << landings << ", towers lost "
        << stats.totalTowersLost + now.towersLost << "\n";
    out << "ended: " << ending << "\n";
    out << "waves defeated: " << game.waveNumber - options.startWave << "\n";
    // A recording prints it as it closes, after the file is written.
    if (options.recordPath.empty())
        out << "state digest: " << stateDigest(game) << "\n";
    out.flush();
    if (result) {
        result->wavesDefeated = game.waveNumber - options.startWave;
        result->lost = game.gameOver;
        result->time = time;
        result->frames = frames;
        result->kills = kills;
        result->landings = landings;
        result->health = game.health;
    }

    int status = 0;
    if (!options.recordPath.empty()) {
        game.running = false;
        status = session.finish(game);
    }
    return status;
}

int runReplayHeadless(const std::string& program, const std::string& path) {
    GameApp* app = GameApp::instance();
    SeamGuard guard;
    freshFrameState(app);
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
