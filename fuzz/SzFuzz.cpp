// .sz sprite sheets: loading, then every row looked up, drawn and played as the game does. A gzip
// input is inflated first, so a short one can declare tables at and past their limits.

#include "FuzzSupport.h"

#include "gfx/SpriteAnim.h"
#include "gfx/MzImage.h"
#include "gfx/SpriteSheet.h"

#include <allegro.h>

#include <limits>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setUpAllegro();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static BITMAP* target = create_bitmap(64, 48);
    // Enough for every table at its limit, one past it included.
    const std::vector<uint8_t> bytes = inflatedInput(data, size, 1 << 20);
    if (declaresOversizedImage(bytes.data(), bytes.size()))
        return -1;

    ByteStream in(bytes.data(), bytes.size());
    SpriteSheet sheet(in);
    require(sheet.image || (sheet.frames.empty() && sheet.rows.empty()), "a failed sheet is empty");
    require(sheet.frames.size() <= kMaxSheetFrames && sheet.rows.size() <= kMaxSheetRows,
            "tables within their limits");
    for (const AnimRow& row : sheet.rows)
        require(row.frames.size() <= kMaxRowEntries, "rows within their limit");
    for (BITMAP* frame : sheet.frames)
        require(frame->x_ofs + frame->w <= sheet.image->w &&
                    frame->y_ofs + frame->h <= sheet.image->h,
                "frames inside the image");

    const float times[] = {0.0f, 0.26f, -0.5f, 1e9f, std::numeric_limits<float>::infinity()};
    for (unsigned row = 0; row <= sheet.rowCount(); ++row) {
        for (float t : times)
            sheet.draw(target, -3, 5, static_cast<int>(row), t);
        sheet.cycleLength(row);
    }
    restFrameWidth(&sheet);
    restFrameHeight(&sheet);

    SpriteAnim anim(&sheet);
    anim.playThen(1, 0);
    for (int step = 0; step < 8; ++step) {
        anim.advance(0.07f * static_cast<float>(step));
        anim.draw(target, 10, 10);
        anim.frameWidth();
        anim.frameHeight();
    }
    return 0;
}
