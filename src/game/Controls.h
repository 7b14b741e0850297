#pragma once

#include <string>
#include <vector>

class Game;

// The player's controls, one row each: the keys that work it, how the help card and --help name
// it, what it does and whether it answers while the field stands still. The keyboard handler,
// the help card and --help all read these rows, so a key added is a row added.
struct Control {
    static constexpr int kMostKeys = 3;
    // Allegro scan codes; 0 ends the list. A mouse control has none: the HUD's click handler
    // works it, and its row is there for the help card.
    int scanCodes[kMostKeys];
    // The keys as the card names them.
    const char* keys;
    // What it does, as the card says it; a second line follows a '\n'.
    const char* what;
    // Does it; `which` is the position of the pressed key in scanCodes (1, 2 or 3 pick the tower
    // type). Null for a mouse control.
    void (*act)(Game& game, int which);
    // P and Escape answer while the field stands still (paused, the menu, the help card) and
    // after the base is lost; every other control waits for the field to run again.
    bool whileStopped;
};

const std::vector<Control>& controls();

// The row a key belongs to and the key's position in it, or null for a key no control uses.
const Control* controlForKey(int scanCode, int& which);

// The keys of the screen before a game, in rows of the same shape: the start screen asks which
// was pressed, --help lists them.
enum class StartKey { kNone, kTakeFirst, kLeave };
struct StartControl {
    int scanCodes[Control::kMostKeys];
    const char* keys;
    const char* what;
    StartKey does;
};
const std::vector<StartControl>& startControls();
StartKey startKeyFor(int scanCode);

// The name a key's cap shows: a digit or a capital for those keys, empty for any other.
std::string keyName(int scanCode);
// The key that starts placing tower type `type` ("1" for the laser turret), as the build button
// shows it; empty for a type without a key.
std::string placingKeyName(int type);

// The lines of the help card and of --help: each row's lines, the keys on the first only.
struct ControlLine {
    std::string keys;
    std::string what;
};
std::vector<ControlLine> controlLines();
std::vector<ControlLine> startControlLines();
