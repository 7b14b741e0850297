#include "app/Platform.h"

#include <allegro.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <unistd.h>

namespace {

// The frame clock waits out the last fraction of a millisecond with sleeps of 0. Here a yield
// comes straight back when nothing else wants the processor, so those waits were a busy loop
// that cost an idle game most of its processor time; a nap this short keeps the frame step
// within about a tenth of a millisecond of the shortest step, and the processor free.
constexpr std::chrono::microseconds kShortestNap{50};

} // namespace

double SystemClock::now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void SystemClock::sleepMs(int ms) {
    if (ms <= 0)
        std::this_thread::sleep_for(kShortestNap);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
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
