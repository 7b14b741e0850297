#include "gfx/MzImage.h"

#include "app/InputFile.h"

#include <allegro.h>
#include <zlib.h>

int ByteStream::get() {
    if (gz)
        return gzgetc(gz);
    return pos < size ? data[pos++] : -1;
}

int readU16(ByteStream& in) {
    int low = in.get();
    int high = in.get();
    // A missing high byte (-1) must not be shifted: multiplying keeps the same two's-complement
    // result without undefined behaviour, so a value cut short always reads as negative.
    return low | (high * 256);
}

int readU16(gzFile_s* in) {
    ByteStream stream(in);
    return readU16(stream);
}

BITMAP* readMzImage(ByteStream& in) {
    int width = readU16(in);
    int height = readU16(in);
    // A header cut short reads as negative; a forged one must not make us allocate gigabytes.
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
        return nullptr;
    BITMAP* bmp = create_bitmap(width, height);
    if (!bmp)
        return nullptr;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Past the end every byte is -1 and goes into makecol unchanged: a truncated image
            // keeps its declared size with the missing part in whatever colour that makes.
            int r = in.get();
            int g = in.get();
            int b = in.get();
            putpixel(bmp, x, y, makecol(r, g, b));
        }
    }
    return bmp;
}

BITMAP* readMzImage(gzFile_s* in) {
    ByteStream stream(in);
    return readMzImage(stream);
}

BITMAP* loadMzBitmap(const char* filename, RGB* /*palette*/) {
    if (!filename)
        return nullptr;
    gzFile in = gzopenRegular(filename);
    if (!in)
        return nullptr;
    BITMAP* bmp = readMzImage(in);
    gzclose(in);
    return bmp;
}

BITMAP* loadImage(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.compare(dot, std::string::npos, ".mz") != 0)
        return nullptr;
    return loadMzBitmap(path.c_str(), nullptr);
}

void registerMzLoader() {
    register_bitmap_file_type("mz", loadMzBitmap, nullptr);
}
