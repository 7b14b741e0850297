#pragma once

#include "Image.h"
#include "Sheet.h"

#include <string>
#include <vector>

// The writing side of the game's file formats. Every writer returns false when the file cannot
// be written. The gzip streams carry no time stamp, so equal input gives equal bytes.

// .mz: gzip of u16 width, u16 height, then RGB rows (all little-endian).
bool writeMz(const std::string& path, const Image& image);
// .sz: the .mz block, u16 F, F rectangles (x, y, w, h), u16 R, then per row: fps as a
// little-endian IEEE float, u16 n and n frame numbers.
bool writeSz(const std::string& path, const Sheet& sheet);
// Mono 16-bit PCM; samples in [-1, 1] are scaled to the full range and clamped.
bool writeWav(const std::string& path, const std::vector<float>& samples, int rate);
// Uncompressed 24-bit BMP, for looking at art outside the game.
bool writeBmp(const std::string& path, const Image& image);
