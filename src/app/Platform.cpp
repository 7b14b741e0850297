#include "app/Platform.h"

#include <allegro.h>

#include <atomic>
#include <chrono>
#include <unistd.h>

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
