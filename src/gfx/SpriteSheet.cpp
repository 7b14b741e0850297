#include "gfx/SpriteSheet.h"

#include "app/InputFile.h"
#include "gfx/MzImage.h"

#include <allegro.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Closes the stream on every way out of the loader.
struct GzCloser {
    gzFile in;
    ~GzCloser() {
        if (in)
            gzclose(in);
    }
};

// The fps field is the float's bytes, little-endian; assembling it keeps big-endian hosts right.
bool readFloat(ByteStream& in, float& out) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        int byte = in.get();
        if (byte < 0)
            return false;
        bits |= static_cast<uint32_t>(byte) << (8 * i);
    }
    std::memcpy(&out, &bits, sizeof out);
    return true;
}

// time * fps truncated to a 32-bit step count. Converting a value outside the int range (a huge
// time, an infinite fps) or NaN would be undefined, so those clamp to the range's ends and NaN
// counts as step 0. Real play times stay within one cycle, far from either end.
int32_t stepAt(double steps) {
    if (std::isnan(steps))
        return 0;
    if (steps >= 2147483648.0)
        return std::numeric_limits<int32_t>::max();
    if (steps <= -2147483649.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(steps);
}

} // namespace

SpriteSheet::SpriteSheet(const std::string& filename) {
    if (!load(filename))
        clear();
}

SpriteSheet::SpriteSheet(ByteStream& in) {
    if (!read(in))
        clear();
}

SpriteSheet::~SpriteSheet() {
    clear();
}

bool SpriteSheet::load(const std::string& filename) {
    GzCloser file{gzopenRegular(filename)};
    if (!file.in)
        return false;
    ByteStream in(file.in);
    return read(in);
}

bool SpriteSheet::read(ByteStream& in) {
    image = readMzImage(in);
    if (!image)
        return false;

    // Counts are bounded first, then only trusted as far as the file backs them: every table
    // grows one entry at a time, so a count the stream does not back costs no memory.
    const int frameCount = readU16(in);
    if (frameCount < 0 || frameCount > kMaxSheetFrames ||
        frameCount > static_cast<long>(image->w) * image->h)
        return false;
    long frameRows = 0;
    for (int i = 0; i < frameCount; ++i) {
        int x = readU16(in);
        int y = readU16(in);
        int w = readU16(in);
        int h = readU16(in);
        if (x < 0 || y < 0 || w <= 0 || h <= 0 || x + w > image->w || y + h > image->h)
            return false;
        frameRows += h;
        if (frameRows > kMaxSheetFrameRows)
            return false;
        BITMAP* frame = create_sub_bitmap(image, x, y, w, h);
        if (!frame)
            return false;
        frames.push_back(frame);
    }

    const int rowCount = readU16(in);
    if (rowCount < 0 || rowCount > kMaxSheetRows)
        return false;
    for (int r = 0; r < rowCount; ++r) {
        rows.emplace_back();
        AnimRow& row = rows.back();
        if (!readFloat(in, row.fps))
            return false;
        const int entries = readU16(in);
        if (entries < 0 || entries > kMaxRowEntries)
            return false;
        for (int k = 0; k < entries; ++k) {
            int frame = readU16(in);
            if (frame < 0 || frame >= frameCount)
                return false;
            row.frames.push_back(frame);
        }
        row.frameCount = static_cast<uint32_t>(entries);
        noteSharedSize(row);
    }
    return true;
}

void SpriteSheet::noteSharedSize(AnimRow& row) const {
    if (row.frames.empty())
        return;
    const BITMAP* first = frames[row.frames[0]];
    for (int32_t f : row.frames)
        if (frames[f]->w != first->w || frames[f]->h != first->h)
            return;
    row.sharedWidth = first->w;
    row.sharedHeight = first->h;
}

void SpriteSheet::clear() {
    for (BITMAP* frame : frames)
        destroy_bitmap(frame);
    std::vector<BITMAP*>().swap(frames);
    std::vector<AnimRow>().swap(rows);
    if (image)
        destroy_bitmap(image);
    image = nullptr;
}

BITMAP* SpriteSheet::frame(unsigned row, float time) const {
    if (row >= rows.size())
        return nullptr;
    const AnimRow& r = rows[row];
    uint32_t n = r.frameCount;
    if (n == 0)
        return nullptr;
    if (n == 1)
        return frames[r.frames[0]];
    // Negative steps wrap through unsigned, so a slightly negative time shows the row's end.
    uint32_t step = static_cast<uint32_t>(stepAt(static_cast<double>(time) * r.fps));
    return frames[r.frames[step % n]];
}

int SpriteSheet::measuredWidth(unsigned row, float time) const {
    const BITMAP* f = frame(row, time);
    return f ? f->w : 0;
}

int SpriteSheet::measuredHeight(unsigned row, float time) const {
    const BITMAP* f = frame(row, time);
    return f ? f->h : 0;
}

void SpriteSheet::draw(BITMAP* target, int x, int y, int row, float time) const {
    if (!target)
        return;
    BITMAP* f = frame(static_cast<unsigned>(row), time);
    if (f)
        draw_sprite(target, f, x, y);
}

double SpriteSheet::cycleLength(unsigned row) const {
    if (row >= rows.size())
        return 0.0;
    const AnimRow& r = rows[row];
    return static_cast<double>(r.frameCount) / static_cast<double>(r.fps);
}

int restFrameWidth(const SpriteSheet* sheet) {
    return sheet ? sheet->frameWidth(0, 0.0f) : 0;
}

int restFrameHeight(const SpriteSheet* sheet) {
    return sheet ? sheet->frameHeight(0, 0.0f) : 0;
}
