#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>

// The few services that differ between platforms and that tests must be able to replace:
// a monotonic clock and sleeping on it, the keyboard queue and the mouse sample, and where the
// frame steps come from when they are not measured; and the start of the window's platform
// itself: the termination signals, Allegro, the window and its input drivers.

class Clock {
  public:
    virtual ~Clock() = default;
    // Seconds on a monotonic time line with sub-millisecond resolution.
    virtual double now() = 0;
    // Sleeps until now() reads deadline or later, in one sleep however far off it is, unless
    // interrupted first. Returns false when it was interrupted, true otherwise (a deadline
    // already past returns at once).
    virtual bool sleepUntil(double deadline) = 0;
    // Ends the sleep in progress early, or the next one at once if none is in progress. Safe to
    // call from another thread, such as the one Allegro runs the close button's callback on.
    virtual void interrupt() {}
};

// now() is CLOCK_MONOTONIC; a sleep is one wait with that clock's absolute deadline, so the
// time it takes to go to sleep and to wake up never adds to the step.
class SystemClock : public Clock {
  public:
    double now() override;
    bool sleepUntil(double deadline) override;
    void interrupt() override;

  private:
    std::mutex mutex;
    std::condition_variable woken;
    bool interrupted = false;
};

// Allegro's keypressed/readkey behind a seam: headless, simulate_keypress leaves a key that
// readkey never removes, so tests feed keys through a fake instead.
class Keyboard {
  public:
    virtual ~Keyboard() = default;
    virtual bool keypressed() = 0;
    virtual int readkey() = 0;
};

// A key code no keyboard gives (its scan code is past every real one): the window lost the
// keyboard. It comes through the keyboard's queue like any key, so a recording keeps it and its
// replay stops the field at the same step, whatever the replaying window does.
constexpr int kFocusLostKey = 0x100 << 8;
// Alt+Enter, which Allegro reports as a plain Enter: the seam tells them apart while the Alt key
// is still held.
constexpr int kAltEnterKey = 0x101 << 8;

class AllegroKeyboard : public Keyboard {
  public:
    bool keypressed() override;
    int readkey() override;
    // Called when the window loses the keyboard (on Allegro's thread): once the loss has lasted
    // a moment, the next key read is kFocusLostKey, while reporting it is switched on. Getting
    // the keyboard back before then cancels it.
    static void noteFocusLost();
    static void noteFocusRegained();
    static void reportFocusLoss(bool on);
};

struct MouseSample {
    int x = 0; // window pixels
    int y = 0;
    int buttons = 0;
};

class Mouse {
  public:
    virtual ~Mouse() = default;
    virtual MouseSample sample() = 0;
};

// Reads mouse_x, mouse_y and mouse_b. A press that is released again before the next sample
// (a quick touchpad tap) would never be seen by polling mouse_b once per frame, so presses
// reported by Allegro's mouse callback are latched and added to the next sample.
class AllegroMouse : public Mouse {
  public:
    // Registers the press latch as Allegro's mouse callback; call after install_mouse.
    static void installPressLatch();
    MouseSample sample() override;
    // Where the picture is on the screen: full screen puts it in the middle at another scale
    // (physical pixels a field pixel), and the samples are given as the window at logical
    // pixels a field pixel would have seen them, so that nothing above (a recording neither)
    // notices the change.
    static void setView(int originX, int originY, int physical, int logical);
};

// Hands the frame clock its steps in place of measuring them: a replay plays back the recorded
// steps, the simulator runs fixed ones, a recording notes each one on its way. Without a source
// the frame clock measures real time.
class StepSource {
  public:
    virtual ~StepSource() = default;
    virtual double nextStep() = 0;
};

// The running program's own file (/proc/self/exe), or an empty string when it cannot be told.
std::string executablePath();

// Where the platform's callbacks leave what they saw. They run in a signal handler or on
// Allegro's own thread, so they only store into these (lock-free atomics) and, for the close
// button, wake the clock's sleep. The pointed-to objects live as long as the process.
struct PlatformInbox {
    std::atomic<bool>* closeRequested = nullptr;
    // The termination signal (SIGTERM, SIGINT, SIGHUP) that asked to close, or 0.
    std::atomic<int>* endSignal = nullptr;
    // Set when the window comes back to the front: it is to be repainted whole.
    std::atomic<bool>* repaintWindow = nullptr;
    // The frame clock's last step, restarted from now on a switch back into the window.
    std::atomic<double>* lastTime = nullptr;
    // The clock in use, read at the moment of the callback (tests replace it).
    Clock* const* clock = nullptr;
};

// Handlers for SIGTERM, SIGINT and SIGHUP that end the game as the close button does, each
// installed unless the signal was ignored when the program started (under nohup, or a shell's
// background job without job control): an ignored signal stays ignored. Meant as main's first
// call, so that no signal finds the default action that kills the process. openWindow and
// followWindowSwitches report into the same inbox.
void installTerminationHandlers(const PlatformInbox& inbox);

// What opening the window asks for.
struct WindowRequest {
    int width = 0;
    int height = 0;
    std::string title;
};

// Starts Allegro with a display (asking a busy X server again for a while), the close button's
// callback (before anything slow, so that a close during loading is not lost), a 32-bit window,
// the keyboard, the mouse and whatever sound there is. Returns an empty string, or the one line
// that says why the game cannot have its window.
std::string openWindow(const WindowRequest& request);

// From now on a switch back into the window restarts the frame clock's step and repaints it.
void followWindowSwitches();
