#pragma once

#include "gfx/RowQueue.h"

struct BITMAP;
class SpriteSheet;

// Plays the rows of one shared sheet for one entity, with a queue of rows to play next.
class SpriteAnim {
  public:
    explicit SpriteAnim(SpriteSheet* sheet);

    void draw(BITMAP* target, int x, int y) const;
    void setRow(int row);
    // Plays one full cycle of row, then hands over to next.
    void playThen(int row, int next);
    void advance(float dt);
    int frameWidth() const;
    int frameHeight() const;

    SpriteSheet* sheet; // not owned; may be null
    float time = 0.0f;
    int row = 0;
    RowQueue pendingRows;

  private:
    // The length of the playing row's cycle, kept for the sheet and row it was worked out for:
    // every effect and missile advances every step, and sheets do not change once loaded.
    const SpriteSheet* cycleSheet = nullptr;
    int cycleRow = -1;
    double cycle = 0.0;
};
