// .sz sprite sheets: loading, then every row looked up, drawn and played as the game does.

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
    if (declaresOversizedImage(data, size))
        return -1;

    ByteStream in(data, size);
    SpriteSheet sheet(in);
    require(sheet.image || (sheet.frames.empty() && sheet.rows.empty()), "a failed sheet is empty");
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
