#include "app/GameApp.h"

#include "app/DataFolder.h"
#include "app/Options.h"
#include "gfx/BackBuffer.h"
#include "gfx/MzImage.h"

#include <allegro.h>

#include <pthread.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <thread>

namespace {

// Both run on Allegro's own thread: they only store a value and wake the game's thread.
void onCloseButton() {
    GameApp* app = GameApp::instance();
    app->closeRequested = true;
    // A long step (a replay's, a huge shortest step) would keep the window open till its end.
    app->clock->interrupt();
}
END_OF_FUNCTION(onCloseButton)

void onSwitchIn() {
    GameApp* app = GameApp::instance();
    app->lastTime = app->now();
    app->repaintWindow = true;
    AllegroKeyboard::noteFocusRegained();
}
END_OF_FUNCTION(onSwitchIn)

void onSwitchOut() {
    AllegroKeyboard::noteFocusLost();
}
END_OF_FUNCTION(onSwitchOut)

// A termination request ends the game as the close button does. Allegro's own handler shuts the
// library down inside the signal, and aborts when its input thread holds the display lock at that
// moment (about one SIGTERM in ten). Only lock-free atomics are touched here.
constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};

void onTerminate(int number) {
    GameApp* app = GameApp::instance();
    app->endSignal = number;
    app->closeRequested = true;
}

void installTerminationHandlers() {
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kTerminationSignals)
        sigaction(number, &action, nullptr);
}

// Allegro's system driver installs a handler that aborts on a termination signal while its
// input thread holds the display lock, so termination signals wait (blocked) until ours replace
// it. An X server busy with other clients can refuse a connection for a moment (its queue of
// waiting connections is full: EAGAIN), so a display that does not answer is asked again for a
// while before start-up gives up.
bool installAllegro() {
    constexpr int kAttempts = 20;
    constexpr int kPauseMs = 100;
    sigset_t termination, previous;
    sigemptyset(&termination);
    for (int number : kTerminationSignals)
        sigaddset(&termination, number);
    pthread_sigmask(SIG_BLOCK, &termination, &previous);
    bool installed = false;
    for (int attempt = 0; attempt < kAttempts && !installed; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(kPauseMs));
        installed = install_allegro(SYSTEM_AUTODETECT, &errno, atexit) == 0;
        if (!std::getenv("DISPLAY"))
            break;
    }
    installTerminationHandlers();
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return installed;
}

int cannotStart(const char* what) {
    std::fprintf(stderr, "groundline: %s: %s\n", what,
                 allegro_error[0] ? allegro_error : "no reason given");
    return kExitNoWindow;
}

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

int GameApp::init(const Options& options) {
    scale = options.scale;
    // Before the window, which would only flash open for a game without data.
    dataDir = findDataFolder(options.dataDir, executablePath());
    if (dataDir.empty() && !options.dataDir.empty()) {
        // The player named this folder, so the player hears why it is not enough.
        std::fprintf(stderr, "groundline: no strings.txt in %s, the folder given with --data\n",
                     options.dataDir.c_str());
        return kExitNoStrings;
    }
    if (dataDir.empty() && std::filesystem::exists("data/strings.txt")) {
        // Something that is no file (a FIFO would block the read for ever) is not silently passed
        // over for another folder.
        std::fprintf(stderr, "groundline: data/strings.txt is not a regular file\n");
        return kExitNoStrings;
    }
    if (dataDir.empty() || !strings.load(dataDir + "/strings.txt"))
        return kExitNoStrings;

    // Without a display that answers, the X system driver fails and Allegro is left without a
    // system driver: every later call (install_keyboard first) would dereference it.
    if (!installAllegro()) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr, "groundline: cannot open a window: %s%s%s\n",
                     display ? "no answer from the X display \"" : "DISPLAY is not set",
                     display ? display : "", display ? "\"" : "");
        return kExitNoWindow;
    }
    // Before anything slow, so that a close during loading is not lost.
    set_close_button_callback(onCloseButton);
    set_color_depth(32);
    const int width = kFieldWidth * scale;
    const int height = kFieldHeight * scale;
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, width, height, 0, 0) != 0) {
        std::fprintf(stderr, "groundline: cannot open a %dx%d window: %s\n", width, height,
                     allegro_error);
        return kExitNoWindow;
    }
    // The game is played with both; a driver that will not start is a window that cannot be
    // played.
    if (install_keyboard() != 0)
        return cannotStart("cannot read the keyboard");
    if (install_mouse() < 0)
        return cannotStart("cannot read the mouse");
    AllegroMouse::installPressLatch();
    install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr);

    set_window_title(strings.get("WindowTitle").c_str());
    show_mouse(screen);
    enable_hardware_cursor();

    // A close during loading ends start-up there.
    const int status = loadData("groundline");
    if (status != 0 || closeRequested)
        return status;

    lastTime = now();
    set_display_switch_mode(SWITCH_BACKGROUND);
    set_display_switch_callback(SWITCH_IN, onSwitchIn);
    set_display_switch_callback(SWITCH_OUT, onSwitchOut);
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
    const bool wantFullScreen = options.fullScreen < 0 ? profile.fullScreen : options.fullScreen;
    profile.fullScreen = setFullScreen(wantFullScreen);
    return closeRequested ? closedExitCode() : 0;
}

int GameApp::loadData(const char* program) {
    registerMzLoader();
    if (!backBuffer)
        backBuffer = new BackBuffer(kFieldWidth, kFieldHeight);
    const std::string missing = loadResources();
    if (closeRequested)
        return closedExitCode();
    if (!missing.empty()) {
        std::fprintf(stderr, "%s: cannot load %s\n", program, missing.c_str());
        return kExitMissingResource;
    }
    minStep = strings.getReal("TimestepThreshold");
    return 0;
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
