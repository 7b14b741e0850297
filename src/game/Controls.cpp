#include "game/Controls.h"

#include "game/Game.h"
#include "app/Definitions.h"
#include "app/Platform.h"

#include <allegro.h>

namespace {

// The row of the keys that start placing a tower, one key a tower type.
constexpr std::size_t kPlacingRow = 2;

std::vector<Control> makeControls() {
    return {
        {{0},
         "Left click",
         "a build button, then the field: place a tower\n"
         "a tower: its menu (demolish, repair, upgrades)",
         nullptr,
         false},
        {{0}, "Right click", "stop placing, close the tower menu", nullptr, false},
        {{KEY_1, KEY_2, KEY_3},
         "1, 2, 3",
         "place a laser turret, missile turret, tesla coil",
         [](Game& game, int which) { game.startPlacing(which); },
         false},
        {{KEY_R, KEY_DEL},
         "R, Delete",
         "repair, demolish the selected tower",
         [](Game& game, int which) {
             game.useSelectedTowerEntry(which == 0 ? kRepairEntry : kDemolishEntry);
         },
         false},
        {{KEY_F},
         "F",
         "speed: 1x, 2x, 3x (the button beside the money)",
         [](Game& game, int) { game.cycleSpeed(); },
         false},
        {{KEY_N},
         "N",
         "between waves: the next wave now, for a bonus",
         [](Game& game, int) { game.callNextWave(); },
         false},
        {{KEY_P}, "P", "pause and resume", [](Game& game, int) { game.togglePause(); }, true},
        {{KEY_ESC},
         "Escape",
         "the menu: sound, settings, start over, quit",
         [](Game& game, int) { game.toggleGameMenu(); },
         true},
        {{kAltEnterKey >> 8},
         "Alt+Enter",
         "full screen or the window",
         [](Game& game, int) { game.toggleFullScreen(); },
         true},
        {{KEY_H, KEY_F1},
         "H, F1",
         "a card listing these controls",
         [](Game& game, int) { game.showHelp(); },
         false},
    };
}

std::vector<StartControl> makeStartControls() {
    return {
        {{KEY_ENTER, KEY_ENTER_PAD},
         "Enter",
         "the first entry (Continue, when a game is kept)",
         StartKey::kTakeFirst},
        {{KEY_ESC}, "Escape", "leave (after Start Over: the same level)", StartKey::kLeave},
    };
}

} // namespace

const std::vector<StartControl>& startControls() {
    static const std::vector<StartControl> table = makeStartControls();
    return table;
}

StartKey startKeyFor(int scanCode) {
    if (scanCode <= 0)
        return StartKey::kNone;
    for (const StartControl& control : startControls())
        for (int i = 0; i < Control::kMostKeys && control.scanCodes[i] != 0; ++i)
            if (control.scanCodes[i] == scanCode)
                return control.does;
    return StartKey::kNone;
}

std::vector<ControlLine> startControlLines() {
    std::vector<ControlLine> lines;
    for (const StartControl& control : startControls())
        lines.push_back({control.keys, control.what});
    return lines;
}

const std::vector<Control>& controls() {
    static const std::vector<Control> table = makeControls();
    return table;
}

const Control* controlForKey(int scanCode, int& which) {
    if (scanCode <= 0)
        return nullptr;
    for (const Control& control : controls())
        for (int i = 0; i < Control::kMostKeys && control.scanCodes[i] != 0; ++i)
            if (control.scanCodes[i] == scanCode) {
                which = i;
                return &control;
            }
    return nullptr;
}

std::string keyName(int scanCode) {
    if (scanCode >= KEY_0 && scanCode <= KEY_9)
        return std::string(1, static_cast<char>('0' + scanCode - KEY_0));
    if (scanCode >= KEY_A && scanCode <= KEY_Z)
        return std::string(1, static_cast<char>('A' + scanCode - KEY_A));
    return "";
}

std::string placingKeyName(int type) {
    if (type < 0 || type >= Control::kMostKeys)
        return "";
    return keyName(controls()[kPlacingRow].scanCodes[type]);
}

std::vector<ControlLine> controlLines() {
    std::vector<ControlLine> lines;
    for (const Control& control : controls()) {
        std::string what = control.what;
        std::string keys = control.keys;
        for (std::size_t start = 0;;) {
            const std::size_t end = what.find('\n', start);
            lines.push_back({keys, what.substr(start, end - start)});
            keys.clear();
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
    }
    return lines;
}
