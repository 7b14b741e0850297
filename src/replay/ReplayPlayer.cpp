#include "replay/ReplayPlayer.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "game/Game.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace {

constexpr double kLongestNap = 0.05; // seconds

// A window pixel carried from one scale to another, through the play-field pixel. In 64 bits and
// held within int: a damaged file may put the mouse anywhere.
int rescale(int pixel, int from, int to) {
    const long long scaled = static_cast<long long>(pixel / from) * to;
    return clampToInt(scaled);
}

} // namespace

ReplayPlayer::ReplayPlayer(Replay replay, bool paced) : replay(std::move(replay)), paced(paced) {}

void ReplayPlayer::install() {
    app = GameApp::instance();
    savedSteps = app->stepSource;
    savedMouse = app->mouse;
    savedKeyboard = app->keyboard;
    app->stepSource = this;
    app->mouse = this;
    app->keyboard = this;
    startTime = app->now();
}

void ReplayPlayer::uninstall() {
    if (!app)
        return;
    app->stepSource = savedSteps;
    app->mouse = savedMouse;
    app->keyboard = savedKeyboard;
    app = nullptr;
}

double ReplayPlayer::nextStep() {
    while (run < replay.frames.size() && usedOfRun >= replay.frames[run].repeat) {
        ++run;
        usedOfRun = 0;
    }
    if (run >= replay.frames.size()) {
        // Only a game that ignored the end of the replay gets here (a "Start Over" wipe keeps
        // ticking until it has reset): it is given still frames until it stops.
        frame = nullptr;
        if (app->game)
            app->game->running = false;
        return app->minStep > 0.0 ? app->minStep : 0.01;
    }
    frame = &replay.frames[run];
    // Keys belong to the first frame of a run only; runs with keys are single frames anyway.
    nextKey = usedOfRun == 0 ? 0 : frame->keys.size();
    ++usedOfRun;
    ++played;
    if (played == replay.frameCount && app->game)
        app->game->running = false;

    const double step = microsToStep(frame->stepMicros);
    if (paced) {
        playedTime += step;
        // In slices to the step's deadline: a recorded stall (up to an hour) must not keep the
        // window from answering its close button or a termination request.
        const double due = startTime + playedTime;
        for (double now = app->now(); now < due && !app->closeRequested; now = app->now())
            app->clock->sleepUntil(std::min(due, now + kLongestNap));
    }
    return step;
}

// The recorded mouse is in the recorded window's pixels; it is carried over to this window's
// scale so that the game sees the same play-field pixel. Past the end the mouse stays as it
// was, buttons and all, so that nothing is clicked.
MouseSample ReplayPlayer::sample() {
    if (frame) {
        const int from = replay.header.scale;
        const int to = app->scale;
        lastSample = frame->mouse;
        lastSample.x = rescale(frame->mouse.x, from, to);
        lastSample.y = rescale(frame->mouse.y, from, to);
    }
    return lastSample;
}

bool ReplayPlayer::keypressed() {
    return frame && nextKey < frame->keys.size();
}

int ReplayPlayer::readkey() {
    if (!keypressed())
        return 0;
    return frame->keys[nextKey++];
}
