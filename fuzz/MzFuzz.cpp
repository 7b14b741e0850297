// .mz images: the image block reader behind the loader the game registers with Allegro.

#include "FuzzSupport.h"

#include "gfx/MzImage.h"

#include <allegro.h>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setUpAllegro();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (declaresOversizedImage(data, size))
        return -1;
    ByteStream in(data, size);
    BITMAP* image = readMzImage(in);
    if (!image)
        return 0;
    require(image->w >= 1 && image->w <= kMaxImageSide, "image width within the limit");
    require(image->h >= 1 && image->h <= kMaxImageSide, "image height within the limit");
    destroy_bitmap(image);
    return 0;
}
