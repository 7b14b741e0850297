#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
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
        previous.swap(targets);
        // Room for every invader at once: written by index below, the list never grows a slot
        // at a time (a call per invader that the compiler may not inline).
        targets.resize(count);
        std::size_t taken = 0;
        reach = 0.0;
        top = kNoTop;
        bottom = -kNoTop;
        // One place that calls circle(), so that it can be inlined: it runs for every invader
        // every step.
        const auto take = [&](std::size_t index) {
            double centreX = 0.0, centreY = 0.0, radius = 0.0;
            if (!circle(index, centreX, centreY, radius) || !hittable(centreX, radius))
                return;
            // Field by field into the list itself: a whole Target built aside and copied in
            // made the processor wait on its own stores, a seventh of a search's time.
            Target& t = targets[taken++];
            t.centreX = centreX;
            t.centreY = centreY;
            t.radiusSquared = radius * radius;
            t.index = index;
            reach = std::max(reach, std::fabs(radius));
            widen(centreY);
        };
        for (const Target& t : previous)
            if (t.index < count && !listed[t.index]) {
                listed[t.index] = 1;
                take(t.index);
            }
        for (std::size_t index = 0; index < count; ++index)
            if (!listed[index])
                take(index);
        targets.resize(taken);
        sortFromNearlySorted();
    }
    // Brings one invader's circle up to date after a hit changed it, as renew would list it:
    // circle(centreX, centreY, radius) as renew's, for that invader alone. The reach and the band
    // of centres only ever widen here, which can only let more circles be compared in firstHit.
    template <typename Circle> void refresh(std::size_t index, Circle circle) {
        double centreX = 0.0, centreY = 0.0, radius = 0.0;
        const bool can = circle(centreX, centreY, radius) && hittable(centreX, radius);
        std::size_t at = 0;
        while (at < targets.size() && targets[at].index != index)
            ++at;
        if (!can) {
            if (at < targets.size())
                targets.erase(targets.begin() + static_cast<std::ptrdiff_t>(at));
            return;
        }
        if (at == targets.size())
            targets.push_back(Target{});
        targets[at] = Target{centreX, centreY, radius * radius, index};
        reach = std::max(reach, std::fabs(radius));
        widen(centreY);
        moveIntoPlace(at);
    }
    // The lowest index, from `from` on, of an invader the shot at (x, y) hits, or kNone.
    std::size_t firstHit(double x, double y, std::size_t from) const;

  private:
    // A centre that is not a finite number, or a circle of no size (or of a radius that is not a
    // number), can never pass the strict comparison in firstHit: left out, they cannot upset the
    // order by x either.
    static bool hittable(double centreX, double radius) {
        return std::isfinite(centreX) && radius * radius > 0.0;
    }
    // Insertion sort: next to nothing to do when only a few circles changed places.
    void sortFromNearlySorted();
    // Moves the one target at `at` that may be out of order by x to where it belongs.
    void moveIntoPlace(std::size_t at);

    struct Target {
        double centreX;
        double centreY;
        double radiusSquared;
        std::size_t index;
    };

    // Kept between frames so the hit test never allocates once the largest wave has been seen.
    std::vector<Target> targets;
    std::vector<char> listed;     // by invader index, while renewing
    std::vector<Target> previous; // the last list, while renewing
    // The widest hit radius among the targets: no circle reaches further along x, nor along y
    // beyond the highest and the lowest centre (a centre that is not a number is never hit).
    double reach = 0.0;
    static constexpr double kNoTop = std::numeric_limits<double>::infinity();
    double top = kNoTop;
    double bottom = -kNoTop;
    void widen(double centreY) {
        top = std::min(top, centreY);
        bottom = std::max(bottom, centreY);
    }
};
