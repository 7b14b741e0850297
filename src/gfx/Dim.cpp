#include "gfx/Dim.h"

#include <allegro.h>

#include <algorithm>
#include <cstdint>

void dimRect(BITMAP* target, int x1, int y1, int x2, int y2, int strength) {
    if (!target)
        return;
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, target->w - 1);
    y2 = std::min(y2, target->h - 1);
    const int keep = 255 - std::clamp(strength, 0, 255);
    if (bitmap_color_depth(target) == 32 && is_memory_bitmap(target)) {
        // Every channel scaled alike, straight on the rows: a whole-field dim every frame the
        // menu is open costs next to nothing.
        for (int y = y1; y <= y2; ++y) {
            uint32_t* row = reinterpret_cast<uint32_t*>(target->line[y]);
            for (int x = x1; x <= x2; ++x) {
                const uint32_t c = row[x];
                const uint32_t rb = (((c & 0xFF00FFu) * keep) >> 8) & 0xFF00FFu;
                const uint32_t g = (((c & 0x00FF00u) * keep) >> 8) & 0x00FF00u;
                row[x] = (c & 0xFF000000u) | rb | g;
            }
        }
        return;
    }
    set_trans_blender(0, 0, 0, 255 - keep);
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    rectfill(target, x1, y1, x2, y2, makecol(0, 0, 0));
    solid_mode();
}
