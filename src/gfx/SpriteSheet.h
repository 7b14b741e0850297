#pragma once

#include "gfx/MzImage.h"

#include <cstdint>
#include <string>
#include <vector>

struct BITMAP;

// Every frame keeps a pointer to each of its rows, so a forged table of 65535 frames as tall as
// the largest image would cost 2 GB from a sheet file of under a kilobyte. Real sheets stay far
// below this many rows in all their frames together; a sheet above it is rejected.
constexpr long kMaxSheetFrameRows = 64L * kMaxImageSide;

// A sheet's tables are bounded before anything is allocated for them: a gzip stream of a few
// megabytes inflates to billions of zero bytes, each a valid table entry. No sheet has more frames
// than its image has pixels (more are only repeats of one pixel); the game plays at most 16 rows
// (the missile's headings) of at most a dozen entries. A sheet beyond these is malformed.
constexpr int kMaxSheetFrames = 4096;
constexpr int kMaxSheetRows = 64;
constexpr int kMaxRowEntries = 1024;

// One animation row of a sheet: frame numbers played at fps.
struct AnimRow {
    float fps = 0.0f;
    uint32_t frameCount = 0;
    std::vector<int32_t> frames;
    // The size all the row's frames share, found by the loader; -1 when they differ or nobody
    // looked. Invaders, towers and missiles ask their frame's size many times a step, and in
    // every shipped sheet a row keeps one size, so the size rarely needs the frame at all.
    int sharedWidth = -1;
    int sharedHeight = -1;
};

// An image cut into frame rectangles plus animation rows, loaded from an .sz file. A missing or
// malformed file gives an empty sheet: no image, no frames, no rows.
class SpriteSheet {
  public:
    explicit SpriteSheet(const std::string& filename);
    // Reads the sheet from a stream already open, as the file constructor does from the file.
    explicit SpriteSheet(ByteStream& in);
    ~SpriteSheet();
    SpriteSheet(const SpriteSheet&) = delete;
    SpriteSheet& operator=(const SpriteSheet&) = delete;

    // The frame that the row shows at that play time, or null.
    BITMAP* frame(unsigned row, float time) const;
    // The size of that frame, 0 without one: the row's shared size when it has one.
    int frameWidth(unsigned row, float time) const {
        if (row < rows.size() && rows[row].sharedWidth >= 0)
            return rows[row].sharedWidth;
        return measuredWidth(row, time);
    }
    int frameHeight(unsigned row, float time) const {
        if (row < rows.size() && rows[row].sharedHeight >= 0)
            return rows[row].sharedHeight;
        return measuredHeight(row, time);
    }
    // Both at once: the centres of invaders are asked for every step.
    void frameSize(unsigned row, float time, int& width, int& height) const {
        if (row < rows.size() && rows[row].sharedWidth >= 0 && rows[row].sharedHeight >= 0) {
            width = rows[row].sharedWidth;
            height = rows[row].sharedHeight;
            return;
        }
        width = frameWidth(row, time);
        height = frameHeight(row, time);
    }
    // Draws that frame masked with its top-left corner at (x, y).
    void draw(BITMAP* target, int x, int y, int row, float time) const;

    uint32_t rowCount() const { return static_cast<uint32_t>(rows.size()); }
    const AnimRow& animRow(unsigned row) const { return rows[row]; }
    // Seconds of one cycle of the row (n / fps), or 0 for a row that does not exist.
    double cycleLength(unsigned row) const;

    BITMAP* image = nullptr;
    std::vector<BITMAP*> frames;
    std::vector<AnimRow> rows;

  private:
    bool load(const std::string& filename);
    bool read(ByteStream& in);
    void noteSharedSize(AnimRow& row) const;
    int measuredWidth(unsigned row, float time) const;
    int measuredHeight(unsigned row, float time) const;
    void clear();
};

// The size of the frame row 0 shows at time 0: the size the game places, selects and previews
// towers by. 0 for a null or empty sheet.
int restFrameWidth(const SpriteSheet* sheet);
int restFrameHeight(const SpriteSheet* sheet);
