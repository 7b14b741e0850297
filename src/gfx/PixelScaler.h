#pragma once

#include <cstdint>
#include <vector>

struct BITMAP;

// Enlarges a 32-bit picture by a whole factor, each pixel becoming a block of factor × factor,
// the same pixels as Allegro's stretch_blit gives for such a factor at a fraction of its cost:
// each source row is widened once with word-wide stores and then copied whole into the rows it
// covers, instead of every target pixel being looked up on its own.
class PixelScaler {
  public:
    static constexpr int kLargestFactor = 4;

    // Draws source onto target factor times larger with its top left corner at (x, y), clipped
    // to the target's clipping rectangle. Returns false, drawing nothing, for what it was not
    // written for (another colour depth, a factor outside 1 to kLargestFactor, a source that is
    // not a memory bitmap); the caller stretches those itself.
    // With rows, only the source rows marked nonzero in it are drawn (one mark per source row).
    bool draw(BITMAP* source, BITMAP* target, int x, int y, int factor,
              const std::vector<char>* rows = nullptr);

  private:
    // One widened source row, kept so that a frame never allocates.
    std::vector<uint32_t> row;
};
