// Font images: a decoded picture cut into glyphs, then text of every byte measured and drawn.

#include "FuzzSupport.h"

#include "gfx/BitmapFont.h"
#include "gfx/MzImage.h"

#include <allegro.h>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setUpAllegro();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static BITMAP* target = create_bitmap(96, 24);
    if (declaresOversizedImage(data, size))
        return -1;
    ByteStream in(data, size);
    BITMAP* image = readMzImage(in);
    if (!image)
        return 0;

    BitmapFont font(image);
    for (int code = 0; code < 256; ++code) {
        BITMAP* g = font.glyph(static_cast<unsigned char>(code));
        if (g)
            require(g->w > 0 && g->h > 0 && g->x_ofs + g->w <= image->w &&
                        g->y_ofs + g->h <= image->h,
                    "glyphs inside the image");
    }

    char text[256];
    for (int i = 0; i < 255; ++i)
        text[i] = static_cast<char>(i + 1);
    text[255] = '\0';
    font.spacing = -1;
    font.textWidth(text);
    font.drawCentred(target, 48, 2, text);
    font.printRight(target, 90, 12, "$ %d", 1234);
    return 0;
}
