#include "DataWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

class Bytes {
  public:
    void u8(int v) { data.push_back(static_cast<uint8_t>(v)); }
    void u16(int v) {
        u8(v & 0xff);
        u8((v >> 8) & 0xff);
    }
    void u32(uint32_t v) {
        u16(static_cast<int>(v & 0xffff));
        u16(static_cast<int>(v >> 16));
    }
    void f32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        u32(bits);
    }
    void image(const Image& img) {
        u16(img.width());
        u16(img.height());
        for (const Colour& c : img.data()) {
            u8(c.r);
            u8(c.g);
            u8(c.b);
        }
    }
    std::vector<uint8_t> data;
};

bool writeGzip(const std::string& path, const Bytes& bytes) {
    gzFile out = gzopen(path.c_str(), "wb9");
    if (!out)
        return false;
    bool ok = bytes.data.empty() ||
              gzwrite(out, bytes.data.data(), static_cast<unsigned>(bytes.data.size())) ==
                  static_cast<int>(bytes.data.size());
    return gzclose(out) == Z_OK && ok;
}

bool writePlain(const std::string& path, const Bytes& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    bool ok = std::fwrite(bytes.data.data(), 1, bytes.data.size(), out) == bytes.data.size();
    return std::fclose(out) == 0 && ok;
}

bool fitsU16(int v) {
    return v >= 0 && v <= 0xffff;
}

} // namespace

bool writeMz(const std::string& path, const Image& image) {
    if (!fitsU16(image.width()) || !fitsU16(image.height()))
        return false;
    Bytes b;
    b.image(image);
    return writeGzip(path, b);
}

bool writeSz(const std::string& path, const Sheet& sheet) {
    if (!fitsU16(sheet.image.width()) || !fitsU16(sheet.image.height()) ||
        !fitsU16(static_cast<int>(sheet.frames.size())) ||
        !fitsU16(static_cast<int>(sheet.rows.size())))
        return false;
    Bytes b;
    b.image(sheet.image);
    b.u16(static_cast<int>(sheet.frames.size()));
    for (const FrameRect& f : sheet.frames) {
        b.u16(f.x);
        b.u16(f.y);
        b.u16(f.w);
        b.u16(f.h);
    }
    b.u16(static_cast<int>(sheet.rows.size()));
    for (const SheetRow& row : sheet.rows) {
        b.f32(row.fps);
        b.u16(static_cast<int>(row.frames.size()));
        for (int f : row.frames) {
            if (f < 0 || f >= static_cast<int>(sheet.frames.size()))
                return false;
            b.u16(f);
        }
    }
    return writeGzip(path, b);
}

bool writeWav(const std::string& path, const std::vector<float>& samples, int rate) {
    const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
    Bytes b;
    for (char c : std::string("RIFF"))
        b.u8(c);
    b.u32(36 + dataSize);
    for (char c : std::string("WAVEfmt "))
        b.u8(c);
    b.u32(16);
    b.u16(1); // PCM
    b.u16(1); // mono
    b.u32(static_cast<uint32_t>(rate));
    b.u32(static_cast<uint32_t>(rate) * 2);
    b.u16(2);
    b.u16(16);
    for (char c : std::string("data"))
        b.u8(c);
    b.u32(dataSize);
    for (float s : samples) {
        long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        b.u16(static_cast<int>(v & 0xffff));
    }
    return writePlain(path, b);
}

bool writeBmp(const std::string& path, const Image& image) {
    const int rowSize = (image.width() * 3 + 3) & ~3;
    const uint32_t dataSize = static_cast<uint32_t>(rowSize * image.height());
    Bytes b;
    b.u8('B');
    b.u8('M');
    b.u32(54 + dataSize);
    b.u32(0);
    b.u32(54);
    b.u32(40);
    b.u32(static_cast<uint32_t>(image.width()));
    b.u32(static_cast<uint32_t>(image.height()));
    b.u16(1);
    b.u16(24);
    b.u32(0);
    b.u32(dataSize);
    b.u32(2835);
    b.u32(2835);
    b.u32(0);
    b.u32(0);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            Colour c = image.get(x, y);
            b.u8(c.b);
            b.u8(c.g);
            b.u8(c.r);
        }
        for (int pad = image.width() * 3; pad < rowSize; ++pad)
            b.u8(0);
    }
    return writePlain(path, b);
}
