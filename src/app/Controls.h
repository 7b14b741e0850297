#pragma once

#include <cstddef>

// The game's controls, one line each, as the help card (H or F1) and --help list them.
struct ControlLine {
    const char* keys;
    const char* what;
};

constexpr ControlLine kControlLines[] = {
    {"Left click", "a build button, then the field: place a tower"},
    {"", "a tower: its menu (demolish, repair, upgrades)"},
    {"Right click", "stop placing, close the tower menu"},
    {"1, 2, 3", "place a laser turret, missile turret, tesla coil"},
    {"R, Delete", "repair, demolish the selected tower"},
    {"F", "speed: 1x, 2x, 3x (the button beside the money)"},
    {"N", "between waves: the next wave now, for a bonus"},
    {"P", "pause and resume"},
    {"Escape", "the menu: sound, start over, quit"},
    {"H, F1", "a card listing these controls"},
};
