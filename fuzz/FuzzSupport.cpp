#include "FuzzSupport.h"

#include "gfx/MzImage.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

// Three bytes a pixel: no input of the few kilobytes the harnesses run with fills more.
constexpr long kMaxFuzzPixels = 1 << 14;

} // namespace

void setUpAllegro() {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
}

bool declaresOversizedImage(const uint8_t* data, size_t size) {
    ByteStream in(data, size);
    long width = readU16(in);
    long height = readU16(in);
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height > kMaxFuzzPixels;
}

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "harness invariant broken: %s\n", what);
        std::abort();
    }
}
