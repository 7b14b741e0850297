#pragma once

#include "app/Difficulty.h"
#include "app/Platform.h"

#include <cstdint>
#include <string>
#include <vector>

// The file of a recorded play-through: gzip-compressed text, readable with zcat.
//
//   groundline-replay 2
//   version 0.1.0                the game's version
//   seed 1712345678              what rand was seeded with
//   data 3fa1c2d4e5f60718        digest of every file in the data folder
//   wave 1                       the first wave of the game
//   scale 2                      the window's scale: the mouse is in window pixels
//   difficulty easy              the level, only when it is not normal
//   10000 412 301 0              per frame: the step in microseconds, the mouse in window
//   10000 412 301 1 15131        pixels and its buttons, then the keys read in that frame
//   * 41                         the previous frame 41 more times (same step and mouse, no keys)
//   end 5312 0123456789abcdef    the number of frames and the state digest at the end
//
// A file without its end line was cut short (the game was killed) and cannot be checked.

// One frame of input: what the frame clock and the mouse gave the game, and the keys it read.
struct ReplayFrame {
    std::int64_t stepMicros = 0;
    MouseSample mouse;
    std::vector<int> keys;
    long long repeat = 1; // how many frames in a row looked like this (only without keys)

    bool sameInputAs(const ReplayFrame& other) const {
        return stepMicros == other.stepMicros && mouse.x == other.mouse.x &&
               mouse.y == other.mouse.y && mouse.buttons == other.mouse.buttons;
    }
};

// What a replay must agree with before it can be played.
struct ReplayHeader {
    std::string version;
    unsigned seed = 0;
    std::string dataDigest;
    int firstWave = 1;
    int scale = 2;
    Difficulty difficulty = Difficulty::Normal;
};

struct Replay {
    ReplayHeader header;
    std::vector<ReplayFrame> frames; // runs of frames, see ReplayFrame::repeat
    long long frameCount = 0;        // frames in all, as the end line states
    std::string finalDigest;
};

// 2: fast-forward, the early call of a wave, the hotkeys and the menu that stops the field
// changed what recorded keys and clicks do, so recordings of format 1 are refused.
constexpr int kReplayFormat = 2;

// What a replay may hold, and so what a recording may write: readReplay refuses a file past any
// of these, and ReplayWriter writes none. Lines of frames, and keys as many: a recording writes a
// line only when the input changes (the mouse moves, a key is read), and in the window nearly
// every frame's step differs, so a million lines are about three hours at 100 frames a second,
// some 60 MB in memory. A megabyte of gzip inflating to 86 million frame lines took 1.8 GB
// before; it is now refused at the limit. A recording that reaches a limit ends there.
constexpr std::size_t kMaxReplayRuns = std::size_t{1} << 20;
constexpr long long kMaxReplayKeys = static_cast<long long>(kMaxReplayRuns);
// A day of play at a thousand frames a second; anything longer is not a recording of ours.
constexpr long long kMaxReplayFrames = 86400LL * 1000;
constexpr int kMaxReplayKeysPerFrame = 64;

// Step lengths go into the file as whole microseconds; a recording rounds each step the same way
// before the game sees it, so the replay hands the game exactly the steps it had.
std::int64_t stepToMicros(double step);
double microsToStep(std::int64_t micros);

// Writes a play-through frame by frame while it is being played.
class ReplayWriter {
  public:
    ReplayWriter() = default;
    ~ReplayWriter();
    ReplayWriter(const ReplayWriter&) = delete;
    ReplayWriter& operator=(const ReplayWriter&) = delete;

    bool open(const std::string& path, const ReplayHeader& header);
    // Adds a frame; false, with nothing written, when it would take the file past what
    // readReplay accepts (or the file is not open).
    bool frame(const ReplayFrame& frame);
    // Whether lines more frames still fit, each on a line of its own, with keys keys among them.
    bool hasRoomFor(long long lines, long long keys) const;
    // Writes the end line; false when the file could not be written completely.
    bool close(const std::string& finalDigest);
    bool isOpen() const { return file != nullptr; }

  private:
    void flushRun();

    void* file = nullptr; // gzFile
    ReplayFrame pending;
    bool havePending = false;
    long long frames = 0;
    long long runs = 0; // lines of frames, the pending one included
    long long keys = 0;
};

// Reads a whole replay; on failure returns false with a reason. Bad files never crash: sizes,
// numbers and runs are all checked.
bool readReplay(const std::string& path, Replay& replay, std::string& error);
// The same from the text of a replay in memory (the file after decompression).
bool readReplayText(const char* text, std::size_t size, Replay& replay, std::string& error);
