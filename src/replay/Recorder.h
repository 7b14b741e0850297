#pragma once

#include "app/Platform.h"
#include "replay/ReplayFile.h"

#include <string>

class GameApp;

// Records a play-through at the platform seams: it stands in for the frame clock's step source,
// the mouse and the keyboard, passes on what the real ones (or the simulator's) give, and writes
// each frame's step, mouse sample and keys read. The game itself knows nothing of it.
class Recorder : public StepSource, public Mouse, public Keyboard {
  public:
    // Opens the file and puts itself between the application object and its seams.
    bool start(const std::string& path, const ReplayHeader& header);
    // Puts the seams back and writes the end line with the final digest.
    bool finish(const std::string& finalDigest);
    // Puts the seams back without an end line: the file stays a cut-short recording.
    void abandon();

    double nextStep() override;
    MouseSample sample() override;
    bool keypressed() override;
    int readkey() override;

    long long frames() const { return frameCount; }

  private:
    void flushFrame();

    GameApp* app = nullptr;
    StepSource* innerSteps = nullptr; // null: the frame clock measures real time
    Mouse* innerMouse = nullptr;
    Keyboard* innerKeyboard = nullptr;
    ReplayWriter writer;
    ReplayFrame frame;
    bool inFrame = false;
    long long frameCount = 0;
};
