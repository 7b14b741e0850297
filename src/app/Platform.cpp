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

bool AllegroKeyboard::keypressed() {
    return ::keypressed() != 0;
}

int AllegroKeyboard::readkey() {
    return ::readkey();
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

MouseSample AllegroMouse::sample() {
    MouseSample s;
    s.x = mouse_x;
    s.y = mouse_y;
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
