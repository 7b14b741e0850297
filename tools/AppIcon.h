#pragma once

#include "Png.h"

// The game's desktop icon at size x size pixels (the hicolor sizes: 16 ... 256).
RgbaImage makeAppIcon(int size);

// The sizes written to data/icons/, named groundline-SIZE.png.
constexpr int kAppIconSizes[] = {16, 32, 48, 64, 128, 256};
