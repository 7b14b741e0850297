#pragma once

#include <algorithm>
#include <cmath>
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
    // Lists the circles of invaders 0 to count - 1 afresh, as clear, add and sort would:
    // circle(index, centreX, centreY, radius) gives an invader's circle, or false when it
    // cannot be hit. The circles are taken in the order of the last list, where a formation that
    // moved a step or an invader that was hit keeps its place, so putting them in order of x
    // again costs little; those not listed last time come after.
    template <typename Circle> void renew(std::size_t count, Circle circle) {
        listed.assign(count, 0);
        std::size_t kept = 0;
        reach = 0.0;
        const auto take = [&](std::size_t index, std::size_t at) {
            double centreX = 0.0, centreY = 0.0, radius = 0.0;
            listed[index] = 1;
            if (!circle(index, centreX, centreY, radius) || !hittable(centreX, radius))
                return false;
            targets[at] = Target{centreX, centreY, radius * radius, index};
            reach = std::max(reach, std::fabs(radius));
            return true;
        };
        for (std::size_t k = 0; k < targets.size(); ++k)
            if (targets[k].index < count && !listed[targets[k].index])
                kept += take(targets[k].index, kept);
        targets.resize(kept);
        for (std::size_t index = 0; index < count; ++index) {
            if (listed[index])
                continue;
            targets.emplace_back();
            if (!take(index, targets.size() - 1))
                targets.pop_back();
        }
        sortFromNearlySorted();
    }
    // The lowest index, from `from` on, of an invader the shot at (x, y) hits, or kNone.
    std::size_t firstHit(double x, double y, std::size_t from) const;

  private:
    static bool hittable(double centreX, double radius);
    // Insertion sort: next to nothing to do when only a few circles changed places.
    void sortFromNearlySorted();

    struct Target {
        double centreX;
        double centreY;
        double radiusSquared;
        std::size_t index;
    };

    // Kept between frames so the hit test never allocates once the largest wave has been seen.
    std::vector<Target> targets;
    std::vector<char> listed; // by invader index, while renewing
    // The widest hit radius among the targets: no circle reaches further along x.
    double reach = 0.0;
};
