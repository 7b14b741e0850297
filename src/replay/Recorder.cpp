#include "replay/Recorder.h"

#include "app/GameApp.h"

bool Recorder::start(const std::string& path, const ReplayHeader& header) {
    if (!writer.open(path, header))
        return false;
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
    return writer.close(finalDigest);
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
    writer.frame(frame);
    inFrame = false;
}

// A frame starts with its step. The step goes into the file in whole microseconds and the game
// gets the rounded step too, so that the replay gives it exactly the same numbers.
double Recorder::nextStep() {
    flushFrame();
    const double measured = innerSteps ? innerSteps->nextStep() : app->waitForStep();
    frame = ReplayFrame();
    frame.stepMicros = stepToMicros(measured);
    inFrame = true;
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
