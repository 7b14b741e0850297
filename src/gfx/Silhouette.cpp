#include "gfx/Silhouette.h"

#include <allegro.h>

#include <cstdint>

namespace {

BITMAP* blankLike(BITMAP* image) {
    BITMAP* silhouette = create_bitmap(image->w, image->h);
    if (silhouette)
        clear_to_color(silhouette, makecol(255, 0, 255));
    return silhouette;
}

} // namespace

BITMAP* makeSilhouettePerPixel(BITMAP* image) {
    if (!image)
        return nullptr;
    BITMAP* silhouette = blankLike(image);
    if (!silhouette)
        return nullptr;
    const int mask = makecol(255, 0, 255);
    const int white = makecol(255, 255, 255);
    for (int y = 0; y < image->h; ++y)
        for (int x = 0; x < image->w; ++x)
            if (getpixel(image, x, y) != mask)
                putpixel(silhouette, x, y, white);
    return silhouette;
}

BITMAP* makeSilhouette(BITMAP* image) {
    if (!image)
        return nullptr;
    // The game runs at 32 bits with memory bitmaps: there the rows are plain arrays of pixels,
    // and walking them skips two calls through the bitmap's vtable per pixel.
    const bool rows32 =
        bitmap_color_depth(image) == 32 && is_memory_bitmap(image) && get_color_depth() == 32;
    if (!rows32)
        return makeSilhouettePerPixel(image);
    BITMAP* silhouette = create_bitmap(image->w, image->h);
    if (!silhouette)
        return nullptr;
    const uint32_t mask = static_cast<uint32_t>(makecol(255, 0, 255));
    const uint32_t white = static_cast<uint32_t>(makecol(255, 255, 255));
    for (int y = 0; y < image->h; ++y) {
        const uint32_t* in = reinterpret_cast<const uint32_t*>(image->line[y]);
        uint32_t* out = reinterpret_cast<uint32_t*>(silhouette->line[y]);
        for (int x = 0; x < image->w; ++x)
            out[x] = in[x] != mask ? white : mask;
    }
    return silhouette;
}
