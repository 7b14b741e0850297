#pragma once

#include "gfx/PixelScaler.h"

struct BITMAP;

// The half-resolution picture every frame is drawn into, and its presentation doubled onto the
// window with the current screen shake.
class BackBuffer {
  public:
    BackBuffer(int width, int height);
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // Stretches the buffer over Allegro's screen; nothing happens without a screen.
    void present();
    // For a frame that is stepped through but not shown (fast-forward): rolls the shake's
    // offset as presenting it would, so the random sequence does not depend on what is shown.
    void skipFrame();
    // The same onto any target, stretched to the target's size.
    void presentTo(BITMAP* target);

    BITMAP* bitmap;

  private:
    void stretchWithShake(BITMAP* target, int width, int height);

    PixelScaler scaler;
};

// Replaces every pixel by its grey value, in place.
void makeGreyscale(BITMAP* bitmap);
