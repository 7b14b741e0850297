#include "replay/Recorder.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "replay/Digest.h"

#include <cstdio>

bool Recorder::start(const std::string& path, const ReplayHeader& header,
                     const std::string& program) {
    if (!writer.open(path, header))
        return false;
    this->program = program;
    app = GameApp::instance();
    innerSteps = app->stepSource;
    innerMouse = app->mouse;
    innerKeyboard = app->keyboard;
    app->stepSource = this;
    app->mouse = this;
    app->keyboard = this;
    return true;
}

bool Recorder::finish(const std::string& finalDigest) {
    flushFrame();
    abandon();
    if (state == State::recording)
        return writer.close(finalDigest);
    return state == State::ended;
}

void Recorder::abandon() {
    if (!app)
        return;
    app->stepSource = innerSteps;
    app->mouse = innerMouse;
    app->keyboard = innerKeyboard;
    app = nullptr;
}

void Recorder::flushFrame() {
    if (!inFrame)
        return;
    inFrame = false;
    if (!writer.frame(frame))
        cutShort();
}

// Between two frames of the run loop a replay ends as this game stands: its last frame clears
// the running flag, and the frame runs to its end as it did here. Inside the wipe it would not:
// the wipe breaks off at once.
void Recorder::endAtLimit() {
    Game* game = app ? app->game : nullptr;
    if (!game || game->wiping)
        return;
    state = writer.close(stateDigest(*game)) ? State::ended : State::cutShort;
    std::fprintf(stderr, "%s: the recording ends after %lld frames, as long as a replay may be\n",
                 program.c_str(), frameCount);
}

void Recorder::cutShort() {
    state = State::cutShort;
    std::fprintf(stderr, "%s: the recording stops cut short after %lld frames\n", program.c_str(),
                 frameCount - 1);
}

// A frame starts with its step. The step goes into the file in whole microseconds and the game
// gets the rounded step too, so that the replay gives it exactly the same numbers.
double Recorder::nextStep() {
    flushFrame();
    if (state == State::recording && !writer.hasRoomFor(kReserveLines, kMaxReplayKeysPerFrame))
        endAtLimit();
    const double measured = innerSteps ? innerSteps->nextStep() : app->waitForStep();
    frame = ReplayFrame();
    frame.stepMicros = stepToMicros(measured);
    inFrame = state == State::recording;
    ++frameCount;
    return microsToStep(frame.stepMicros);
}

MouseSample Recorder::sample() {
    MouseSample s = innerMouse->sample();
    frame.mouse = s;
    return s;
}

bool Recorder::keypressed() {
    return innerKeyboard->keypressed();
}

int Recorder::readkey() {
    const int key = innerKeyboard->readkey();
    frame.keys.push_back(key);
    return key;
}
