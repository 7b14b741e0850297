#pragma once

struct BITMAP;

// A new bitmap of the image's size, white wherever the image is not the mask colour and the mask
// colour everywhere else: drawn over the image it makes the whole shape flash white. The caller
// owns the result; a null image gives null.
BITMAP* makeSilhouette(BITMAP* image);

// The same pixels by getpixel/putpixel, one pixel at a time: any colour depth, and the reference
// the row-walking version is checked and measured against.
BITMAP* makeSilhouettePerPixel(BITMAP* image);
