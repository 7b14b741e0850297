#pragma once

#include "app/Definitions.h"
#include "app/Difficulty.h"
#include "app/Platform.h"
#include "app/Profile.h"
#include "app/StringTable.h"

#include <atomic>
#include <memory>
#include <string>

struct BITMAP;
struct SAMPLE;
class BackBuffer;
class BitmapFont;
class SpriteSheet;
class Game;
struct Options;

// Exit codes of start-up failures.
constexpr int kExitNoStrings = 1; // no usable strings.txt: silent only when there is none at all
constexpr int kExitMissingResource = 2; // any other data file: one line on stderr
constexpr int kExitNoWindow = 3;
constexpr int kExitUsage = 2; // a command line the game does not understand: one line

// How start-up ended: the game can begin, the player closed the window (or a termination
// signal came) while it loaded, or it cannot start.
enum class StartOutcome { ready, closed, failed };
struct StartResult {
    StartOutcome outcome = StartOutcome::ready;
    int exitCode = 0; // what the program ends with when it is not ready
    bool ready() const { return outcome == StartOutcome::ready; }
    static StartResult failed(int code) { return {StartOutcome::failed, code}; }
};

// The back buffer every frame is drawn into; the window shows it scaled by GameApp::scale.
constexpr int kFieldWidth = 320;
constexpr int kFieldHeight = 240;
// Pixels a second far beyond the field in one frame: tuning any faster plays the same, so speeds
// read from the data are held to it and positions stay numbers the drawing can carry.
constexpr double kFastest = 1.0e6;

// The process-wide application object: everything that outlives one game (back buffer, string
// table, resources, definitions), the frame clock, the mouse snapshot, the screen shake and the
// sound switch. Created on first use and never destroyed.
class GameApp {
  public:
    // Inline: the entities ask for it in every step, many times over.
    static GameApp* instance() {
        static GameApp* app = new GameApp();
        return app;
    }

    // Start-up with the command line's choices: the data folder and its string table, the
    // window with its keyboard and mouse (each checked), then the data. Failures print one line
    // on stderr first (none for a missing data/strings.txt without --data). A close asked for
    // while loading ends start-up there as closed, with closedExitCode.
    StartResult init(const Options& options);
    // The start-up every program shares once Allegro runs at 32-bit colour and the string table
    // is read: the back buffer, every resource, the definitions and the shortest frame step.
    // Fails with kExitMissingResource after one line on stderr that program begins; a close
    // asked for while loading ends it as closed.
    StartResult loadData(const char* program);
    // Loads every font, image, sheet and sample and builds the definitions. Returns the name
    // of the first file that could not be loaded, or an empty string when all loaded.
    std::string loadResources();
    // Builds the tower and invader definitions from the string table again (after a level's
    // overlay); the sprites already loaded stay.
    void readDefinitions();

    double now();
    // One frame step: from the step source when there is one, otherwise waitForStep; then the
    // shake counts down and the mouse is sampled.
    double tick();
    // Waits until the step is due (minStep after the last one, see stepDeadline) and returns the
    // time passed since the last step.
    double waitForStep();
    bool mouseIn(int x, int y, int w, int h) const;
    void startShake(double amount, double duration);
    double currentShake() const;
    // The sound switch, at the profile's volume when on.
    void setSound(bool on);
    // Full screen, or the window, for this run (the command line's choice). Where full screen
    // cannot be had the game says so in one line on stderr and stays in its window. Returns
    // whether it is now full screen.
    bool setFullScreen(bool on);
    // The player's own choice (the settings page, Alt+Enter): as setFullScreen, and what came of
    // it is kept in the settings file.
    void chooseFullScreen(bool on);
    // A data file's path in the chosen data folder: "data/bg.mz" becomes dataDir + "/bg.mz".
    // Other paths are used as they are.
    std::string dataPath(const std::string& file) const;
    // A frame the game steps through without showing it (fast-forward): the shake rolls as a
    // shown frame's would and counts down as the next frame's tick would, so the random
    // sequence is the one of frames shown one by one.
    void passUnseenFrame(double dt);

    // Clears everything tests may have set so that each test starts from a known state. The
    // resources stay loaded.
    void resetFrameState();

    BackBuffer* backBuffer = nullptr;
    StringTable strings;
    // The table as loaded, before any level's overlay: each level is read over it afresh.
    StringTable loadedStrings;
    // The level the string table holds now.
    Difficulty difficulty = Difficulty::Normal;
    int towerBaseline = 0;
    int buttonSpacing = 0;

    BitmapFont* fontMain = nullptr;
    BitmapFont* fontMainRed = nullptr;
    BitmapFont* fontSmall = nullptr;
    BitmapFont* fontSmallRed = nullptr;
    BITMAP* bgImage = nullptr;
    BITMAP* redbarImage = nullptr;
    BITMAP* slotsImage = nullptr;
    BITMAP* iconsImage = nullptr;
    BITMAP* upgradeIconsImage = nullptr;
    BITMAP* laserSmallImage = nullptr;
    BITMAP* cloudImages[5] = {};
    BITMAP* gameOverImage = nullptr;
    BITMAP* selectorImage = nullptr;
    BITMAP* debrisImage = nullptr;
    BITMAP* orbImages[3] = {};
    SpriteSheet* poofSheet = nullptr;
    SpriteSheet* explosionSmallSheet = nullptr;
    SpriteSheet* puff1Sheet = nullptr;
    SpriteSheet* puff2Sheet = nullptr;
    SpriteSheet* missileSheet = nullptr;
    SpriteSheet* alienBulletSheet = nullptr;
    SpriteSheet* orbBombSheet = nullptr;
    SpriteSheet* orb4Sheet = nullptr;
    SpriteSheet* glanceSheet = nullptr; // a hit glancing off a plate
    SAMPLE* sampleBip = nullptr;
    SAMPLE* sampleBip2 = nullptr;
    SAMPLE* sampleBoom1 = nullptr;
    SAMPLE* sampleZoop = nullptr;
    SAMPLE* sampleLaserHit = nullptr;
    SAMPLE* samplePlace = nullptr;
    SAMPLE* sampleDeath = nullptr;
    SAMPLE* sampleUpgrade = nullptr;
    SAMPLE* sampleMissile = nullptr;
    SAMPLE* sampleBounce = nullptr;
    SAMPLE* sampleAlarm = nullptr;
    SAMPLE* sampleTowerLost = nullptr;

    // The game being played; written and read on the game's thread only.
    Game* game = nullptr;
    // True while the current game's field stands still (paused, its menu or help card open):
    // the shake then holds still, as everything else. The game keeps it up to date.
    bool fieldStill = false;
    // Set by the window's close button on Allegro's own thread; the run loop ends after the
    // frame in progress. The callback never touches the game, which main may be deleting.
    std::atomic<bool> closeRequested{false};
    // The termination signal (SIGTERM, SIGINT, SIGHUP) that asked to close, or 0.
    std::atomic<int> endSignal{0};
    // The exit code of a game ended by a close request: 0 for the close button, 128 plus the
    // signal's number for a signal, as a shell reports a process the signal ended.
    int closedExitCode() const;

    // Window pixels per back-buffer pixel, each way.
    int scale = 2;
    // Whether the screen is full screen now, and the part of it the field is shown in then.
    bool fullScreen = false;
    BITMAP* view = nullptr;
    // The folder holding strings.txt and the data files.
    std::string dataDir = "data";
    // The sound switch and the best result kept between runs.
    Profile profile;

    // Mouse snapshot in back-buffer pixels; bit 0 left, bit 1 right.
    int mouseX = 0;
    int mouseY = 0;
    int previousButtons = 0;
    int buttons = 0;

    TowerDef towerDefs[kTowerTypeCount];
    InvaderDef invaderDefs[kInvaderKindCount]; // by the rows of src/invaders/InvaderKinds.h

    // Written by the display-switch callback on Allegro's thread.
    std::atomic<double> lastTime{0.0};
    std::atomic<bool> repaintWindow{false};
    double minStep = 0.0;
    // When the last step was due; the next one is due minStep later (see waitForStep).
    double stepDeadline = 0.0;
    double shakeAmount = 0.0;
    double shakeTimeLeft = 0.0;
    bool soundOn = true;
    // Set by headless runs that never draw the field (the simulator without --draw-every, the
    // search, a replay played headless): effects then leave out what only a picture would show
    // (their frames' drift, a bolt's or a text's picture), and nothing else changes.
    bool fieldUnseen = false;
    // Set by the strategy search, which reads nothing of a game but how far it got and the
    // health left: the sky stands still, the HUD's alerts and notices are not kept and the
    // effects that are only a picture (Effect::decorative) are not made. Nothing that decides a
    // game is left out; its state digest would differ in the clouds and the effects.
    bool resultOnly = false;

    // Platform seams; tests replace them with fakes (not owned once replaced).
    Clock* clock;
    Keyboard* keyboard;
    Mouse* mouse;
    StepSource* stepSource = nullptr; // not owned

    // What the platform's callbacks report into: the close button, the termination signals and
    // a switch back into the window.
    PlatformInbox platformInbox();

  private:
    GameApp();
    void buildGameOverImage();
    // The data folder and its string table, before the window opens.
    StartResult findStrings(const Options& options);

    SystemClock systemClock;
    AllegroKeyboard allegroKeyboard;
    AllegroMouse allegroMouse;
};
