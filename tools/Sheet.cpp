#include "Sheet.h"

#include <algorithm>

int SheetBuilder::addFrame(const Image& frame) {
    frames.push_back(frame);
    return static_cast<int>(frames.size()) - 1;
}

std::vector<int> SheetBuilder::addFrames(const std::vector<Image>& list) {
    std::vector<int> numbers;
    for (const Image& f : list)
        numbers.push_back(addFrame(f));
    return numbers;
}

void SheetBuilder::addRow(float fps, std::vector<int> numbers) {
    rows.push_back({fps, std::move(numbers)});
}

Sheet SheetBuilder::build(int maxWidth) const {
    Sheet sheet;
    int x = 0, y = 0, shelf = 0, width = 0;
    for (const Image& f : frames) {
        if (x > 0 && x + f.width() > maxWidth) {
            x = 0;
            y += shelf;
            shelf = 0;
        }
        sheet.frames.push_back({x, y, f.width(), f.height()});
        x += f.width();
        width = std::max(width, x);
        shelf = std::max(shelf, f.height());
    }
    sheet.image = Image(std::max(width, 1), std::max(y + shelf, 1));
    for (size_t i = 0; i < frames.size(); ++i)
        sheet.image.blitOpaque(frames[i], sheet.frames[i].x, sheet.frames[i].y);
    sheet.rows = rows;
    return sheet;
}
