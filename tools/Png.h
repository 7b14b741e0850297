#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A picture with straight (not premultiplied) alpha, for the desktop's icons.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // r, g, b, a per pixel, rows top to bottom
};

// 8-bit RGBA PNG with one zlib stream and no time stamp or text chunks, so equal pictures give
// equal bytes. Returns false when the file cannot be written.
bool writePng(const std::string& path, const RgbaImage& image);
