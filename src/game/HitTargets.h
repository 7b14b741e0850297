#pragma once

#include <cstddef>
#include <vector>

// Where the invaders of a wave can be hit this frame, kept in order of their centres' x so that a
// shot is compared only with the invaders whose circles reach its column, instead of with all of
// them. A shot hits an invader when the square of the distance between them is below the
// square of the invader's hit radius; first hit means the hit invader of lowest index, which is
// the one the game met first when it tried every invader in list order.
class HitTargets {
  public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void clear();
    // An invader that can be hit, by its index in the wave's list. Add them all, then sort.
    void add(std::size_t index, double centreX, double centreY, double radius);
    void sort();

    // The lowest index, from `from` on, of an invader the shot at (x, y) hits, or kNone.
    std::size_t firstHit(double x, double y, std::size_t from) const;

  private:
    struct Target {
        double centreX;
        double centreY;
        double radiusSquared;
        std::size_t index;
    };

    // Kept between frames so the hit test never allocates once the largest wave has been seen.
    std::vector<Target> targets;
    // The widest hit radius among the targets: no circle reaches further along x.
    double reach = 0.0;
};
