#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// Builds the byte streams of our image and sheet formats, little-endian as on disk.
void putU16(Bytes& out, unsigned value);
void putFloat(Bytes& out, float value);
// An image block: width, height, then the given RGB pixels (may be fewer than declared).
Bytes mzBlock(unsigned width, unsigned height, const Bytes& rgb);
// An image block of the given size whose every pixel is (r, g, b).
Bytes mzFilled(unsigned width, unsigned height, int r, int g, int b);

struct SzRect {
    unsigned x, y, w, h;
};
struct SzRow {
    float fps;
    std::vector<unsigned> frames;
};
// A whole sheet: image block, frame rectangles, rows.
Bytes szSheet(const Bytes& image, const std::vector<SzRect>& rects, const std::vector<SzRow>& rows);

// A scratch directory removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(const std::string& name) const { return dir + "/" + name; }
    // Writes the bytes gzip-compressed (as the game's data is) or as they are.
    std::string writeGz(const std::string& name, const Bytes& bytes) const;
    std::string writePlain(const std::string& name, const Bytes& bytes) const;

  private:
    std::string dir;
};

// The sheet the sheet and anim tests share: an 8 x 4 image cut into four frames whose pixels
// are red 10, 20, 30, 40 (frame 3 is only 2 x 2, and its pixel (1, 1) is the mask colour), and
// the rows
//   0: fps 8,  frames 0 1 2 3   (cycle 0.5 s)
//   1: fps 4,  frames 2 2 0     (cycle 0.75 s)
//   2: fps 10, frame 3          (cycle 0.1 s)
//   3: fps 0,  frames 1 2       (never completes a cycle)
//   4: fps 0,  no frames
Bytes testSheetBytes();
