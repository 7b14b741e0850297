#include "app/GameApp.h"

#include "app/DataFolder.h"
#include "app/Options.h"
#include "gfx/BackBuffer.h"
#include "gfx/MzImage.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// A frame a second is already a slide show; a longer shortest step would also leave Escape and
// the window's close button unanswered for that long, and past 2^31 milliseconds the wait no
// longer fits the sleep's int.
constexpr double kMaxMinStep = 1.0;

// TimestepThreshold is data: a negative or unreadable value means no minimum, a huge one the cap.
double boundedMinStep(double seconds) {
    if (!(seconds > 0.0))
        return 0.0;
    return std::min(seconds, kMaxMinStep);
}

} // namespace

GameApp::GameApp() : clock(&systemClock), keyboard(&allegroKeyboard), mouse(&allegroMouse) {}

PlatformInbox GameApp::platformInbox() {
    PlatformInbox inbox;
    inbox.closeRequested = &closeRequested;
    inbox.endSignal = &endSignal;
    inbox.repaintWindow = &repaintWindow;
    inbox.lastTime = &lastTime;
    inbox.clock = &clock;
    return inbox;
}

StartResult GameApp::findStrings(const Options& options) {
    // Before the window, which would only flash open for a game without data.
    dataDir = findDataFolder(options.dataDir, executablePath());
    if (dataDir.empty()) {
        const std::string why = whyNoDataFolder(options.dataDir);
        if (!why.empty())
            std::fprintf(stderr, "groundline: %s\n", why.c_str());
        return StartResult::failed(kExitNoStrings);
    }
    std::string why;
    if (!strings.load(dataDir + "/strings.txt", &why)) {
        std::fprintf(stderr, "groundline: cannot read %s/strings.txt: %s\n", dataDir.c_str(),
                     why.c_str());
        return StartResult::failed(kExitNoStrings);
    }
    return StartResult();
}

StartResult GameApp::init(const Options& options) {
    scale = options.scale;
    const StartResult found = findStrings(options);
    if (!found.ready())
        return found;
    if (closeRequested)
        return {StartOutcome::closed, closedExitCode()};
    WindowRequest window;
    window.width = kFieldWidth * scale;
    window.height = kFieldHeight * scale;
    window.title = strings.get("WindowTitle");
    const std::string refusal = openWindow(window);
    if (!refusal.empty()) {
        std::fprintf(stderr, "groundline: %s\n", refusal.c_str());
        return StartResult::failed(kExitNoWindow);
    }

    const StartResult loaded = loadData("groundline");
    if (!loaded.ready())
        return loaded;

    lastTime = now();
    followWindowSwitches();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    shakeTimeLeft = 0.0;
    shakeAmount = 0.0;
    soundOn = true;

    // The library's default volume stands until the player switches the sound, unless the
    // player switched it off or turned it down in an earlier run.
    profile = Profile::forPlayer();
    profile.load();
    if (!profile.soundOn || profile.volume != Profile::kDefaultVolume)
        setSound(profile.soundOn);
    AllegroKeyboard::reportFocusLoss(profile.pauseOnFocusLoss);
    // The command line decides for this run; the file changes only when a setting is changed.
    setFullScreen(options.fullScreen < 0 ? profile.fullScreen : options.fullScreen != 0);
    if (closeRequested)
        return {StartOutcome::closed, closedExitCode()};
    return StartResult();
}

StartResult GameApp::loadData(const char* program) {
    registerMzLoader();
    if (!backBuffer) {
        backBuffer = new BackBuffer(kFieldWidth, kFieldHeight);
        backBuffer->shake = [this] { return currentShake(); };
        backBuffer->repaintWanted = [this] { return repaintWindow.exchange(false); };
    }
    loadedStrings = strings;
    difficulty = Difficulty::Normal;
    const std::string missing = loadResources();
    // Whatever was left unloaded, a close asked for meanwhile is what the player sees happen.
    if (closeRequested)
        return {StartOutcome::closed, closedExitCode()};
    if (!missing.empty()) {
        std::fprintf(stderr, "%s: cannot load %s\n", program, missing.c_str());
        return StartResult::failed(kExitMissingResource);
    }
    minStep = strings.getReal("TimestepThreshold");
    return StartResult();
}

int GameApp::closedExitCode() const {
    return endSignal ? 128 + endSignal : 0;
}

double GameApp::now() {
    return clock->now();
}

// One sleep a step, to a deadline that follows the last deadline rather than the last wake-up:
// waking late by a fraction of a millisecond shortens the next step by as much, so the steps
// keep TimestepThreshold on average however late the system wakes us. The chain starts again
// from the last step when it has lost touch with it: the first step, a frame that took more
// than a whole step too long (nothing left to make up), a switch back into the window (the
// step restarts from then), a change of the shortest step.
double GameApp::waitForStep() {
    const double shortest = boundedMinStep(minStep);
    const double last = lastTime;
    if (shortest > 0.0) {
        double deadline = stepDeadline + shortest;
        if (!(deadline >= last && deadline <= last + shortest))
            deadline = last + shortest;
        stepDeadline = deadline;
        if (now() < deadline)
            clock->sleepUntil(deadline);
    }
    const double elapsed = now() - last;
    lastTime = last + elapsed;
    return elapsed;
}

double GameApp::tick() {
    const double elapsed = stepSource ? stepSource->nextStep() : waitForStep();
    if (shakeTimeLeft > 0.0 && !fieldStill)
        shakeTimeLeft -= elapsed;

    MouseSample m = mouse->sample();
    mouseX = m.x / scale;
    mouseY = m.y / scale;
    previousButtons = buttons;
    buttons = m.buttons;
    return elapsed;
}

bool GameApp::mouseIn(int x, int y, int w, int h) const {
    return mouseX >= x && mouseX <= x + w && mouseY >= y && mouseY <= y + h;
}

void GameApp::startShake(double amount, double duration) {
    if (amount > shakeAmount || shakeTimeLeft <= 0.0) {
        shakeAmount = amount;
        shakeTimeLeft = duration;
    }
}

double GameApp::currentShake() const {
    return shakeTimeLeft > 0.0 && !fieldStill ? shakeAmount : 0.0;
}

void GameApp::passUnseenFrame(double dt) {
    if (backBuffer)
        backBuffer->skipFrame();
    if (shakeTimeLeft > 0.0 && !fieldStill)
        shakeTimeLeft -= dt;
}

std::string GameApp::dataPath(const std::string& file) const {
    if (file.compare(0, 5, "data/") == 0)
        return dataDir + file.substr(4);
    return file;
}

void GameApp::setSound(bool on) {
    soundOn = on;
    const int level = on ? std::clamp(profile.volume, 0, 100) * 255 / 100 : 0;
    set_volume(level, level);
}

void GameApp::resetFrameState() {
    mouseX = mouseY = 0;
    previousButtons = buttons = 0;
    shakeAmount = shakeTimeLeft = 0.0;
    fieldStill = false;
    soundOn = true;
    closeRequested = false;
    endSignal = 0;
    scale = 2;
    profile = Profile();
}
