#pragma once

#include "app/Platform.h"
#include "replay/ReplayFile.h"

class GameApp;

// Plays a recorded play-through back through the platform seams: the frame clock gets the
// recorded steps, the mouse the recorded samples and the keyboard the recorded keys. After the
// last recorded frame it clears the game's running flag, so the run loop ends exactly where
// the recording did. Paced, it waits for real time to catch up with the recorded steps, so a
// replay in the window plays at the speed it was played.
class ReplayPlayer : public StepSource, public Mouse, public Keyboard {
  public:
    ReplayPlayer(Replay replay, bool paced);
    void install();
    void uninstall();

    double nextStep() override;
    MouseSample sample() override;
    bool keypressed() override;
    int readkey() override;

    long long framesPlayed() const { return played; }
    long long framesRecorded() const { return replay.frameCount; }
    const Replay& recording() const { return replay; }

  private:
    Replay replay;
    bool paced;
    GameApp* app = nullptr;
    StepSource* savedSteps = nullptr;
    Mouse* savedMouse = nullptr;
    Keyboard* savedKeyboard = nullptr;

    std::size_t run = 0;     // index into replay.frames
    long long usedOfRun = 0; // frames of that run already played
    const ReplayFrame* frame = nullptr;
    MouseSample lastSample;
    std::size_t nextKey = 0;
    long long played = 0;
    double startTime = 0.0;
    double playedTime = 0.0;
};
