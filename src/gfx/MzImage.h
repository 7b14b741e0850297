#pragma once

#include <cstddef>
#include <string>

struct BITMAP;
struct RGB;
struct gzFile_s;

// Largest side an image may declare. Our art is at most a few hundred pixels across; the cap
// keeps a forged header from asking for gigabytes.
constexpr int kMaxImageSide = 4096;

// Where the image and sheet readers take their bytes, one at a time: an open gz stream (a file,
// compressed or not) or a block of memory holding the stream as it reads after decompression.
// Past the end, and from a null stream, every byte reads as -1, as gzgetc gives.
class ByteStream {
  public:
    explicit ByteStream(gzFile_s* in) : gz(in) {}
    ByteStream(const unsigned char* data, std::size_t size) : data(data), size(size) {}
    int get();

  private:
    gzFile_s* gz = nullptr;
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    std::size_t pos = 0;
};

// One little-endian 16-bit value, read as two bytes. The -1 that the stream gives past its end
// goes into the result unchanged, so a value cut short reads as negative (-1 when both bytes
// are missing).
int readU16(ByteStream& in);
int readU16(gzFile_s* in);

// Reads an image block (width, height, RGB rows) and leaves the stream just after the last pixel.
// Null for a null stream, a side of 0 or above kMaxImageSide, a header cut short, or a bitmap
// that cannot be created.
BITMAP* readMzImage(ByteStream& in);
BITMAP* readMzImage(gzFile_s* in);

// Allegro load callback for ".mz" files; the palette is ignored.
BITMAP* loadMzBitmap(const char* filename, RGB* palette);

// Every image the game loads comes through here: an .mz file read by our reader, whose size cap
// is ours. Any other name gives null; Allegro's own loaders (PCX, BMP, TGA) believe a header's
// size and a file of a few hundred bytes could make them allocate gigabytes.
BITMAP* loadImage(const std::string& path);

// Registers loadMzBitmap under the extension "mz" so that load_bitmap reads our images.
void registerMzLoader();
