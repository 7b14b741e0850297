#include "app/Platform.h"

#include <allegro.h>

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

double SystemClock::now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// std::condition_variable waits on a steady_clock deadline with pthread_cond_clockwait on
// CLOCK_MONOTONIC, the clock now() reads: an absolute deadline, as clock_nanosleep's
// TIMER_ABSTIME gives, that another thread can also cut short. The frame clock used to nap
// 50 microseconds at a time over the last millisecond of every step, waking the idle game some
// twenty times a frame; now it wakes once.
bool SystemClock::sleepUntil(double deadline) {
    using namespace std::chrono;
    // Beyond a year is as good as for ever, and keeps the conversion to the clock's integer
    // ticks defined for any deadline, infinity included; not a number is no sleep at all.
    const double limit = now() + 365.0 * 24 * 3600;
    if (!(deadline <= limit))
        deadline = deadline > limit ? limit : 0.0;
    const steady_clock::time_point until(
        duration_cast<steady_clock::duration>(duration<double>(deadline)));
    std::unique_lock<std::mutex> lock(mutex);
    woken.wait_until(lock, until, [this] { return interrupted; });
    const bool reached = !interrupted;
    interrupted = false;
    return reached;
}

void SystemClock::interrupt() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        interrupted = true;
    }
    woken.notify_all();
}

namespace {

// Set on Allegro's thread, taken on the game's.
std::atomic<bool> focusLossReported{true};
std::atomic<bool> focusLostPending{false};
std::atomic<double> focusLostAt{0.0};

// Giving the window the keyboard on purpose (a click-to-focus desktop, xdotool) takes it away
// and gives it back within a moment; only a loss that lasts is the player leaving.
constexpr double kFocusLossSettles = 0.2;

double monotonicSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool focusLossDue() {
    return focusLostPending && monotonicSeconds() - focusLostAt >= kFocusLossSettles;
}

} // namespace

bool AllegroKeyboard::keypressed() {
    return focusLossDue() || ::keypressed() != 0;
}

int AllegroKeyboard::readkey() {
    if (focusLossDue() && focusLostPending.exchange(false))
        return kFocusLostKey;
    const int k = ::readkey();
    if ((k >> 8) == KEY_ENTER && (key_shifts & KB_ALT_FLAG))
        return kAltEnterKey;
    return k;
}

void AllegroKeyboard::noteFocusLost() {
    if (!focusLossReported)
        return;
    focusLostAt = monotonicSeconds();
    focusLostPending = true;
}

void AllegroKeyboard::noteFocusRegained() {
    focusLostPending = false;
}

void AllegroKeyboard::reportFocusLoss(bool on) {
    focusLossReported = on;
    if (!on)
        focusLostPending = false;
}

namespace {

// Written on Allegro's input thread, read and cleared on the game's thread.
std::atomic<int> latchedPresses{0};

void onMouseEvent(int flags) {
    int pressed = 0;
    if (flags & MOUSE_FLAG_LEFT_DOWN)
        pressed |= 1;
    if (flags & MOUSE_FLAG_RIGHT_DOWN)
        pressed |= 2;
    if (flags & MOUSE_FLAG_MIDDLE_DOWN)
        pressed |= 4;
    if (pressed)
        latchedPresses.fetch_or(pressed);
}
END_OF_FUNCTION(onMouseEvent)

} // namespace

void AllegroMouse::installPressLatch() {
    mouse_callback = onMouseEvent;
}

namespace {

int viewX = 0;
int viewY = 0;
int viewPhysical = 1;
int viewLogical = 1;

// Rounded towards minus infinity, so the border left of the picture never reads as its column 0.
int toLogical(int position, int origin) {
    const long long p = static_cast<long long>(position - origin) * viewLogical;
    return static_cast<int>(p >= 0 ? p / viewPhysical : -((-p + viewPhysical - 1) / viewPhysical));
}

} // namespace

void AllegroMouse::setView(int originX, int originY, int physical, int logical) {
    viewX = originX;
    viewY = originY;
    viewPhysical = physical > 0 ? physical : 1;
    viewLogical = logical > 0 ? logical : 1;
}

MouseSample AllegroMouse::sample() {
    MouseSample s;
    s.x = toLogical(mouse_x, viewX);
    s.y = toLogical(mouse_y, viewY);
    s.buttons = mouse_b | latchedPresses.exchange(0);
    return s;
}

std::string executablePath() {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return std::string();
    return std::string(buffer, static_cast<std::size_t>(n));
}

namespace {

PlatformInbox inbox;

// A termination request ends the game as the close button does. Allegro's own handler shuts the
// library down inside the signal, and aborts when its input thread holds the display lock at that
// moment (about one SIGTERM in ten). Only lock-free atomics are touched here.
constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kSignalCount = sizeof kTerminationSignals / sizeof kTerminationSignals[0];
bool ignoredAtStart[kSignalCount] = {};

void onTerminate(int number) {
    if (inbox.endSignal)
        *inbox.endSignal = number;
    if (inbox.closeRequested)
        *inbox.closeRequested = true;
}

// Ours for every signal not ignored at start; an ignored one is set back to ignored, as
// Allegro's start-up puts its own handler on some of them.
void setTerminationActions() {
    struct sigaction action = {};
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i) {
        action.sa_handler = ignoredAtStart[i] ? SIG_IGN : onTerminate;
        sigaction(kTerminationSignals[i], &action, nullptr);
    }
}

// Both run on Allegro's own thread: they only store a value and wake the game's thread.
void onCloseButton() {
    if (inbox.closeRequested)
        *inbox.closeRequested = true;
    // A long step (a replay's, a huge shortest step) would keep the window open till its end.
    if (inbox.clock && *inbox.clock)
        (*inbox.clock)->interrupt();
}
END_OF_FUNCTION(onCloseButton)

void onSwitchIn() {
    if (inbox.lastTime && inbox.clock && *inbox.clock)
        *inbox.lastTime = (*inbox.clock)->now();
    if (inbox.repaintWindow)
        *inbox.repaintWindow = true;
    AllegroKeyboard::noteFocusRegained();
}
END_OF_FUNCTION(onSwitchIn)

void onSwitchOut() {
    AllegroKeyboard::noteFocusLost();
}
END_OF_FUNCTION(onSwitchOut)

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
    setTerminationActions();
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return installed;
}

std::string driverRefused(const char* what) {
    return std::string(what) + ": " + (allegro_error[0] ? allegro_error : "no reason given");
}

} // namespace

void installTerminationHandlers(const PlatformInbox& where) {
    inbox = where;
    for (int i = 0; i < kSignalCount; ++i) {
        struct sigaction current = {};
        ignoredAtStart[i] = sigaction(kTerminationSignals[i], nullptr, &current) == 0 &&
                            current.sa_handler == SIG_IGN;
    }
    setTerminationActions();
}

std::string openWindow(const WindowRequest& request) {
    // Without a display that answers, the X system driver fails and Allegro is left without a
    // system driver: every later call (install_keyboard first) would dereference it.
    if (!installAllegro()) {
        const char* display = std::getenv("DISPLAY");
        return display ? std::string("cannot open a window: no answer from the X display \"") +
                             display + "\""
                       : std::string("cannot open a window: DISPLAY is not set");
    }
    set_close_button_callback(onCloseButton);
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, request.width, request.height, 0, 0) != 0)
        return "cannot open a " + std::to_string(request.width) + "x" +
               std::to_string(request.height) + " window: " + allegro_error;
    // The game is played with both; a driver that will not start is a window that cannot be
    // played.
    if (install_keyboard() != 0)
        return driverRefused("cannot read the keyboard");
    if (install_mouse() < 0)
        return driverRefused("cannot read the mouse");
    AllegroMouse::installPressLatch();
    install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr);
    set_window_title(request.title.c_str());
    show_mouse(screen);
    enable_hardware_cursor();
    return std::string();
}

void followWindowSwitches() {
    set_display_switch_mode(SWITCH_BACKGROUND);
    set_display_switch_callback(SWITCH_IN, onSwitchIn);
    set_display_switch_callback(SWITCH_OUT, onSwitchOut);
}
