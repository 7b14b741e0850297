#pragma once

#include "gfx/RowQueue.h"
#include "gfx/SpriteSheet.h"

struct BITMAP;

// Plays the rows of one shared sheet for one entity, with a queue of rows to play next.
class SpriteAnim {
  public:
    explicit SpriteAnim(SpriteSheet* sheet);

    void draw(BITMAP* target, int x, int y) const;
    void setRow(int row);
    // Plays one full cycle of row, then hands over to next.
    void playThen(int row, int next);
    // Inline, like the sizes: every effect, missile and invader asks every step, and most steps
    // only add to the play time.
    void advance(float dt) {
        time += dt;
        if (sheet && sheet == cycleSheet && row == cycleRow && !(time >= cycle))
            return;
        endCycle();
    }
    int frameWidth() const {
        return sheet ? sheet->frameWidth(static_cast<unsigned>(row), time) : 0;
    }
    int frameHeight() const {
        return sheet ? sheet->frameHeight(static_cast<unsigned>(row), time) : 0;
    }
    void frameSize(int& width, int& height) const {
        width = height = 0;
        if (sheet)
            sheet->frameSize(static_cast<unsigned>(row), time, width, height);
    }

    SpriteSheet* sheet; // not owned; may be null
    float time = 0.0f;
    int row = 0;
    RowQueue pendingRows;

  private:
    // The rest of a step once the play time may have reached the end of the row's cycle.
    void endCycle();

    // The length of the playing row's cycle, kept for the sheet and row it was worked out for:
    // every effect and missile advances every step, and sheets do not change once loaded.
    const SpriteSheet* cycleSheet = nullptr;
    int cycleRow = -1;
    double cycle = 0.0;
};
