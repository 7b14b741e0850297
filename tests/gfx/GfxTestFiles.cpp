#include "GfxTestFiles.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

void putU16(Bytes& out, unsigned value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void putFloat(Bytes& out, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>((bits >> (8 * i)) & 0xFF));
}

Bytes mzBlock(unsigned width, unsigned height, const Bytes& rgb) {
    Bytes out;
    putU16(out, width);
    putU16(out, height);
    out.insert(out.end(), rgb.begin(), rgb.end());
    return out;
}

Bytes mzFilled(unsigned width, unsigned height, int r, int g, int b) {
    Bytes rgb;
    for (unsigned i = 0; i < width * height; ++i) {
        rgb.push_back(static_cast<unsigned char>(r));
        rgb.push_back(static_cast<unsigned char>(g));
        rgb.push_back(static_cast<unsigned char>(b));
    }
    return mzBlock(width, height, rgb);
}

Bytes szSheet(const Bytes& image, const std::vector<SzRect>& rects,
              const std::vector<SzRow>& rows) {
    Bytes out = image;
    putU16(out, static_cast<unsigned>(rects.size()));
    for (const SzRect& r : rects) {
        putU16(out, r.x);
        putU16(out, r.y);
        putU16(out, r.w);
        putU16(out, r.h);
    }
    putU16(out, static_cast<unsigned>(rows.size()));
    for (const SzRow& row : rows) {
        putFloat(out, row.fps);
        putU16(out, static_cast<unsigned>(row.frames.size()));
        for (unsigned f : row.frames)
            putU16(out, f);
    }
    return out;
}

TempDir::TempDir() {
    char pattern[] = "/tmp/groundline-gfx-XXXXXX";
    if (mkdtemp(pattern))
        dir = pattern;
}

TempDir::~TempDir() {
    if (!dir.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
}

std::string TempDir::writeGz(const std::string& name, const Bytes& bytes) const {
    std::string file = path(name);
    gzFile out = gzopen(file.c_str(), "wb");
    if (out) {
        if (!bytes.empty())
            gzwrite(out, bytes.data(), static_cast<unsigned>(bytes.size()));
        gzclose(out);
    }
    return file;
}

std::string TempDir::writePlain(const std::string& name, const Bytes& bytes) const {
    std::string file = path(name);
    if (FILE* out = std::fopen(file.c_str(), "wb")) {
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    return file;
}

Bytes testSheetBytes() {
    Bytes rgb;
    for (unsigned y = 0; y < 4; ++y) {
        for (unsigned x = 0; x < 8; ++x) {
            bool hole = x == 7 && y == 1;
            rgb.push_back(hole ? 255 : static_cast<unsigned char>(10 * (x / 2 + 1)));
            rgb.push_back(0);
            rgb.push_back(hole ? 255 : 0);
        }
    }
    return szSheet(
        mzBlock(8, 4, rgb), {{0, 0, 2, 4}, {2, 0, 2, 4}, {4, 0, 2, 4}, {6, 0, 2, 2}},
        {{8.0f, {0, 1, 2, 3}}, {4.0f, {2, 2, 0}}, {10.0f, {3}}, {0.0f, {1, 2}}, {0.0f, {}}});
}
