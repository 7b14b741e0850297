#pragma once

#include "app/Platform.h"
#include "replay/ReplayFile.h"

#include <string>

class GameApp;

// Records a play-through at the platform seams: it stands in for the frame clock's step source,
// the mouse and the keyboard, passes on what the real ones (or the simulator's) give, and writes
// each frame's step, mouse sample and keys read. The game itself knows nothing of it.
//
// A recording that comes near what a replay may hold (see kMaxReplayRuns) ends there with its
// end line, between two frames of the run loop, and the game goes on unrecorded: every
// recording it writes plays back.
class Recorder : public StepSource, public Mouse, public Keyboard {
  public:
    // Opens the file and puts itself between the application object and its seams. program
    // names the line on stderr when the recording ends early.
    bool start(const std::string& path, const ReplayHeader& header,
               const std::string& program = "groundline");
    // Puts the seams back and writes the end line with the final digest; true when the
    // recording was complete already, ended at its limit; false when it could not be finished.
    bool finish(const std::string& finalDigest);
    // Puts the seams back without an end line: the file stays a cut-short recording.
    void abandon();

    double nextStep() override;
    MouseSample sample() override;
    bool keypressed() override;
    int readkey() override;

    long long frames() const { return frameCount; }

    // Lines of frames kept in reserve for the frames of a "Start Over" wipe, inside which a
    // recording cannot end: a second of them, at any frame rate a mouse can move at.
    static constexpr long long kReserveLines = 1 << 16;

  private:
    enum class State { recording, ended, cutShort };

    void flushFrame();
    // Ends the file here, with the digest of the game as a replay of it will end.
    void endAtLimit();
    void cutShort();

    GameApp* app = nullptr;
    StepSource* innerSteps = nullptr; // null: the frame clock measures real time
    Mouse* innerMouse = nullptr;
    Keyboard* innerKeyboard = nullptr;
    ReplayWriter writer;
    ReplayFrame frame;
    bool inFrame = false;
    long long frameCount = 0;
    State state = State::recording;
    std::string program;
};
