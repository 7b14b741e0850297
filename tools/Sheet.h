#pragma once

#include "Image.h"

#include <vector>

struct FrameRect {
    int x, y, w, h;
};

struct SheetRow {
    float fps;
    std::vector<int> frames;
};

// What an .sz file holds: one image, its frame rectangles and the animation rows.
struct Sheet {
    Image image;
    std::vector<FrameRect> frames;
    std::vector<SheetRow> rows;
};

// Collects frames drawn one by one and packs them into a sheet image, left to right in shelves.
class SheetBuilder {
  public:
    // Returns the frame number.
    int addFrame(const Image& frame);
    // Adds frames and returns their numbers in order.
    std::vector<int> addFrames(const std::vector<Image>& frames);
    void addRow(float fps, std::vector<int> frames);
    Sheet build(int maxWidth = 256) const;

  private:
    std::vector<Image> frames;
    std::vector<SheetRow> rows;
};
