#pragma once

#include "gfx/PixelScaler.h"

#include <cstdint>
#include <functional>
#include <vector>

struct BITMAP;

// The half-resolution picture every frame is drawn into, and its presentation doubled onto the
// window with the current screen shake. Whoever runs the frames tells it the shake and when the
// window must be repainted whole; without them it never shakes nor repaints all.
class BackBuffer {
  public:
    BackBuffer(int width, int height);
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // Stretches the buffer over Allegro's screen; nothing happens without a screen. Only the
    // rows that changed since the last present are drawn and sent to the window.
    void present();
    // What present does, onto any target: the rows of the buffer that differ from the picture
    // last presented to this target, all of them after a change of target, size, offset or
    // scale, or after repaintAll. The target must keep what was drawn on it meanwhile.
    void presentChanges(BITMAP* target);
    // The next presentChanges draws every row.
    void repaintAll() { shownValid = false; }
    // Where present draws: a part of the screen (full screen with borders), or the whole screen
    // when null.
    void setView(BITMAP* part) {
        view = part;
        repaintAll();
    }
    // Whether the last present found nothing changed on the window (never true headless).
    bool lastPresentStill() const { return still; }
    // For a frame that is stepped through but not shown (fast-forward): rolls the shake's
    // offset as presenting it would, so the random sequence does not depend on what is shown.
    void skipFrame();
    // The same onto any target, stretched to the target's size.
    void presentTo(BITMAP* target);

    BITMAP* bitmap;
    // This frame's shake in pixels of a 640-pixel-wide window (a wider one shakes in proportion).
    std::function<double()> shake;
    // True once after the window was uncovered or came back to the front (present asks).
    std::function<bool()> repaintWanted;

  private:
    void rollShake(int width, int& dx, int& dy) const;
    void stretchWithShake(BITMAP* target, int width, int height);
    // Marks in changedRows the rows that differ from shown, and copies them there; every row
    // unless the picture goes where the shown one went. False when no row changed.
    bool takeChangedRows(const BITMAP* target, int x, int y, int factor);

    PixelScaler scaler;
    BITMAP* view = nullptr;

    // The buffer as last presented by presentChanges, and where: a still screen (the calm
    // field, a paused game) costs a comparison instead of doubling and sending every row.
    std::vector<uint32_t> shown;
    std::vector<char> changedRows;
    bool shownValid = false;
    bool still = false;
    const BITMAP* shownTarget = nullptr;
    int shownTargetW = 0;
    int shownTargetH = 0;
    int shownX = 0;
    int shownY = 0;
    int shownFactor = 0;
};

// Replaces every pixel by its grey value, in place.
void makeGreyscale(BITMAP* bitmap);
