#include "FuzzSupport.h"

#include "gfx/MzImage.h"

#include <allegro.h>
#include <zlib.h>

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

namespace {

bool isGzip(const uint8_t* data, size_t size) {
    return size >= 2 && data[0] == 0x1f && data[1] == 0x8b;
}

std::vector<uint8_t> inflateOnce(const uint8_t* data, size_t size, size_t cap) {
    std::vector<uint8_t> out(cap);
    z_stream z = {};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK)
        return {};
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(cap);
    inflate(&z, Z_FINISH); // a damaged or longer stream keeps what inflated before it
    out.resize(z.total_out);
    inflateEnd(&z);
    return out;
}

} // namespace

std::vector<uint8_t> inflatedInput(const uint8_t* data, size_t size, size_t cap) {
    if (!isGzip(data, size))
        return std::vector<uint8_t>(data, data + size);
    std::vector<uint8_t> out = inflateOnce(data, size, cap);
    if (isGzip(out.data(), out.size()))
        out = inflateOnce(out.data(), out.size(), cap);
    return out;
}

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "harness invariant broken: %s\n", what);
        std::abort();
    }
}
