#include "gfx/SpriteAnim.h"

#include "gfx/SpriteSheet.h"

#include <allegro.h>

SpriteAnim::SpriteAnim(SpriteSheet* sheet) : sheet(sheet) {}

void SpriteAnim::draw(BITMAP* target, int x, int y) const {
    if (!target || !sheet)
        return;
    sheet->draw(target, x, y, row, time);
}

void SpriteAnim::setRow(int newRow) {
    row = newRow;
    time = 0.0f;
}

void SpriteAnim::playThen(int first, int next) {
    pendingRows.clear();
    pendingRows.push_back(next);
    setRow(first);
}

void SpriteAnim::endCycle() {
    // A row the sheet lacks has no cycle to complete, so the queue waits for ever.
    if (!sheet || static_cast<unsigned>(row) >= sheet->rowCount())
        return;
    if (sheet != cycleSheet || row != cycleRow) {
        cycle = sheet->cycleLength(static_cast<unsigned>(row));
        cycleSheet = sheet;
        cycleRow = row;
    }
    // Written as a negation so that an unordered comparison (fps 0 with no entries) also stops.
    if (!(time >= cycle))
        return;
    // One cycle per call, even after a long frame: the anim catches up over the next calls.
    time = static_cast<float>(time - cycle);
    if (!pendingRows.empty()) {
        row = pendingRows.front();
        pendingRows.pop_front();
    }
}
