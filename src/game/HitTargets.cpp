#include "game/HitTargets.h"

#include <algorithm>
#include <cmath>
#include <numeric>

void HitTargets::clear() {
    listedCount = 0;
    reach = 0.0;
    top = kNoTop;
    bottom = -kNoTop;
}

void HitTargets::add(std::size_t index, double centreX, double centreY, double radius) {
    if (!hittable(centreX, radius))
        return;
    targets[append()] = Target{centreX, centreY, radius * radius, index};
    reach = std::max(reach, std::fabs(radius));
    widen(centreY);
}

void HitTargets::sort() {
    std::sort(targets.begin(), targets.begin() + static_cast<std::ptrdiff_t>(listedCount),
              [](const Target& a, const Target& b) { return a.centreX < b.centreX; });
}

void HitTargets::keepOrderOf(std::size_t count) {
    if (order.size() > count)
        order.clear();
    const std::size_t known = order.size();
    order.resize(count);
    std::iota(order.begin() + static_cast<std::ptrdiff_t>(known), order.end(), known);
    spare.resize(count);
}

void HitTargets::sortFromNearlySorted() {
    for (std::size_t k = 1; k < listedCount; ++k) {
        // Nearly always in place already: then nothing is copied.
        if (!(targets[k - 1].centreX > targets[k].centreX))
            continue;
        const Target t = targets[k];
        std::size_t at = k;
        for (; at > 0 && targets[at - 1].centreX > t.centreX; --at)
            targets[at] = targets[at - 1];
        targets[at] = t;
    }
}

void HitTargets::moveIntoPlace(std::size_t at) {
    const Target t = targets[at];
    for (; at > 0 && targets[at - 1].centreX > t.centreX; --at)
        targets[at] = targets[at - 1];
    for (; at + 1 < listedCount && targets[at + 1].centreX < t.centreX; ++at)
        targets[at] = targets[at + 1];
    targets[at] = t;
}

// Exact, not approximate: rounding never makes a square smaller than the square of a smaller
// number, so a hit by the comparison in doubles always has |dx| < radius <= reach with dx as the
// comparison computes it; and as that dx never decreases along the sorted centres, the window
// of candidates is found by binary search with the very same subtraction.
std::size_t HitTargets::firstHit(double x, double y, std::size_t from) const {
    // The same along y, from above and below the whole band of centres (subtraction keeps the
    // order of what it subtracts): most shots on their way up are nowhere near the formation.
    if (!std::isfinite(x) || !(y - bottom < reach) || !(top - y < reach))
        return kNone;
    const auto end = targets.begin() + static_cast<std::ptrdiff_t>(listedCount);
    auto first = std::partition_point(targets.begin(), end,
                                      [&](const Target& t) { return t.centreX - x <= -reach; });
    std::size_t best = kNone;
    for (auto t = first; t != end && t->centreX - x < reach; ++t) {
        if (t->index < from || t->index >= best)
            continue;
        const double dx = t->centreX - x;
        const double dy = t->centreY - y;
        if (t->radiusSquared > dx * dx + dy * dy)
            best = t->index;
    }
    return best;
}
