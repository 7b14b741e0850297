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
    // cannot be hit. The invaders are taken in the order the last list left them, where a
    // formation that moved a step or an invader that was hit keeps its place, so putting them in
    // order of x again costs little. Which of two circles at the same x comes first changes no
    // answer of firstHit.
    template <typename Circle> void renew(std::size_t count, Circle circle) {
        keepOrderOf(count);
        listedCount = 0;
        // Room for every invader at once: written by index below, the list never grows a slot
        // at a time (a call per invader that the compiler may not inline).
        if (targets.size() < count)
            targets.resize(count);
        reach = 0.0;
        top = kNoTop;
        bottom = -kNoTop;
        std::size_t unlisted = 0;
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t index = order[k];
            double centreX = 0.0, centreY = 0.0, radius = 0.0;
            if (!circle(index, centreX, centreY, radius) || !hittable(centreX, radius)) {
                spare[unlisted++] = index;
                continue;
            }
            // Field by field into the list itself: a whole Target built aside and copied in
            // made the processor wait on its own stores, a seventh of a search's time.
            Target& t = targets[listedCount++];
            t.centreX = centreX;
            t.centreY = centreY;
            t.radiusSquared = radius * radius;
            t.index = index;
            reach = std::max(reach, std::fabs(radius));
            widen(centreY);
        }
        sortFromNearlySorted();
        for (std::size_t k = 0; k < listedCount; ++k)
            order[k] = targets[k].index;
        std::copy(spare.begin(), spare.begin() + static_cast<std::ptrdiff_t>(unlisted),
                  order.begin() + static_cast<std::ptrdiff_t>(listedCount));
    }
    // Brings one invader's circle up to date after a hit changed it, as renew would list it:
    // circle(centreX, centreY, radius) as renew's, for that invader alone. The reach and the band
    // of centres only ever widen here, which can only let more circles be compared in firstHit.
    template <typename Circle> void refresh(std::size_t index, Circle circle) {
        double centreX = 0.0, centreY = 0.0, radius = 0.0;
        const bool can = circle(centreX, centreY, radius) && hittable(centreX, radius);
        std::size_t at = 0;
        while (at < listedCount && targets[at].index != index)
            ++at;
        if (!can) {
            if (at < listedCount) {
                std::copy(targets.begin() + static_cast<std::ptrdiff_t>(at + 1),
                          targets.begin() + static_cast<std::ptrdiff_t>(listedCount),
                          targets.begin() + static_cast<std::ptrdiff_t>(at));
                --listedCount;
            }
            return;
        }
        if (at == listedCount)
            at = append();
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

    // A slot past the listed ones, the list grown by one to hold it.
    std::size_t append() {
        if (listedCount == targets.size())
            targets.emplace_back();
        return listedCount++;
    }

    // Kept between frames so the hit test never allocates once the largest wave has been seen:
    // the first listedCount are the list, the rest room for a larger one.
    std::vector<Target> targets;
    std::size_t listedCount = 0;
    // Every invader's index once, those listed last in their order of x first: where renew
    // starts from. spare holds those it could not list while it runs.
    std::vector<std::size_t> order;
    std::vector<std::size_t> spare;
    // Keeps order a list of the indices 0 to count - 1 when the wave's list has grown (the new
    // ones come last) or shrunk (another wave's).
    void keepOrderOf(std::size_t count);
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
