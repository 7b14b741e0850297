#include "game/Controls.h"

#include "game/Game.h"
#include "app/Definitions.h"
#include "app/Platform.h"

#include <allegro.h>

namespace {

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

} // namespace

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
