#pragma once

#include "app/Platform.h"
#include "app/SeamGuard.h"
#include "app/Sound.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct BITMAP;
class Game;

// The whole suite runs headless: Allegro with SYSTEM_NONE at 32-bit colour, memory bitmaps only,
// with the working directory at the project root. The real data set is loaded once; tests that
// need it fail when it could not be loaded.
bool gameDataLoaded();
// The shipped data as it was before the late rules (repeated upgrades, the late health
// compounding) were switched on and the values they replaced retuned: for digests that must not
// move while those rules are off. The fixture puts the data back after the test.
void playWithoutTheLateRules();
std::string sourcePath(const std::string& relative);

// A clock that only moves when told to; sleeping advances it by the time slept.
class FakeClock : public Clock {
  public:
    double now() override { return time; }
    bool sleepUntil(double deadline) override {
        sleeps.push_back(deadline - time);
        if (deadline > time)
            time = deadline + sleepOvershoot;
        return true;
    }
    double time = 100.0;
    // Every sleep ends a little after its deadline, as a real scheduler's does.
    double sleepOvershoot = 0.0001;
    // How long each sleep was asked to take, in seconds.
    std::deque<double> sleeps;
};

class FakeKeyboard : public Keyboard {
  public:
    bool keypressed() override { return !keys.empty(); }
    int readkey() override {
        int k = keys.front();
        keys.pop_front();
        return k;
    }
    void pressScanCode(int scancode) { keys.push_back(scancode << 8); }
    std::deque<int> keys;
};

class FakeMouse : public Mouse {
  public:
    MouseSample sample() override { return next; }
    MouseSample next;
};

// Everything of the application object a test may swap for its own, put back when the guard
// goes: the seams and the current game (SeamGuard), the string table, the tower and invader
// types, the layout, the shortest step and every loaded image, sheet, font and sound. A test
// world then only sets what it needs and frees what it made.
class AppStateGuard {
  public:
    AppStateGuard();
    ~AppStateGuard();
    AppStateGuard(const AppStateGuard&) = delete;
    AppStateGuard& operator=(const AppStateGuard&) = delete;

  private:
    struct Saved;
    SeamGuard seams;
    std::unique_ptr<Saved> saved;
};

// Installs the fakes in the application object and puts the whole application state back
// afterwards (AppStateGuard).
class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Mouse position in back-buffer pixels and buttons, as one frame's snapshot.
    void setMouse(int x, int y, int buttons);
    // One left click at (x, y): the button was down in the previous snapshot, up now.
    void clickAt(int x, int y);
    void rightClickAt(int x, int y);

    FakeClock clock;
    FakeKeyboard keyboard;
    FakeMouse mouse;

  private:
    std::optional<AppStateGuard> appState;
};

// A fresh game that the application object points at. It needs the real data set and fails
// the test, rather than skipping it, when the data could not be loaded.
class GameFixture : public AppFixture {
  protected:
    void SetUp() override;
    void TearDown() override;

    Game* game = nullptr;
};

// Sets a string-table value for the length of a test and puts the old one back afterwards.
class ScopedString {
  public:
    ScopedString(const std::string& key, const std::string& value);
    ~ScopedString();
    ScopedString(const ScopedString&) = delete;
    ScopedString& operator=(const ScopedString&) = delete;

  private:
    std::string key;
    std::string saved;
};

// Records every sample the game asks to play for as long as it lives.
class SoundLog : public SoundObserver {
  public:
    SoundLog() : previous(setSoundObserver(this)) {}
    ~SoundLog() override { setSoundObserver(previous); }
    SoundLog(const SoundLog&) = delete;
    SoundLog& operator=(const SoundLog&) = delete;

    void played(SAMPLE* sample) override { samples.push_back(sample); }
    int count(const SAMPLE* sample) const {
        int n = 0;
        for (const SAMPLE* s : samples)
            n += s == sample;
        return n;
    }

    std::vector<SAMPLE*> samples;

  private:
    SoundObserver* previous;
};

// Colour helpers that read back through getr/getg/getb, whatever the pixel layout.
struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream& operator<<(std::ostream& os, const Rgb& c);
Rgb pixelAt(BITMAP* bmp, int x, int y);
BITMAP* makeBitmap(int w, int h, int r, int g, int b);
