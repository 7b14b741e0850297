#include "game/HitTargets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

struct Circle {
    double x, y, radius;
};

// What the game did before the targets were sorted: every invader in list order.
std::size_t firstHitPairwise(const std::vector<Circle>& circles, double x, double y,
                             std::size_t from) {
    for (std::size_t j = from; j < circles.size(); ++j) {
        const double dx = circles[j].x - x;
        const double dy = circles[j].y - y;
        if (circles[j].radius * circles[j].radius > dx * dx + dy * dy)
            return j;
    }
    return HitTargets::kNone;
}

// Crowded scenes of overlapping circles on the formation's half-pixel grid, odd radii that data
// may hold (none, negative, not a number, huge), and shots at random, on centres and exactly on
// the edge of a circle, where a shot does not hit. Every other scene is listed by renewing the
// last scene's list, scene after scene, as the game does from frame to frame; some invaders
// are out (dead) for a scene, and the scenes have other sizes.
TEST(HitTargetsTest, FindsTheSameFirstHitsAsComparingEveryPair) {
    std::mt19937 rng(23);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double radii[] = {4.0, 6.5, 8.0, 5.0, 0.0, -5.0, nan, 1e200};
    int hits = 0, edges = 0;
    HitTargets targets;
    for (int scene = 0; scene < 300; ++scene) {
        std::vector<Circle> circles(rng() % 80);
        std::vector<bool> out(circles.size());
        if (scene % 2 == 0)
            targets.clear();
        for (std::size_t j = 0; j < circles.size(); ++j) {
            const double radius = radii[rng() % (scene % 10 == 0 ? 8 : 4)];
            circles[j] = {(rng() % 640) * 0.5, (rng() % 400) * 0.5, radius};
            if (rng() % 50 == 0)
                circles[j].x = rng() % 2 ? nan : std::numeric_limits<double>::infinity();
            out[j] = scene % 2 == 1 && rng() % 8 == 0;
            if (out[j])
                circles[j].radius = 0.0;
            else if (scene % 2 == 0)
                targets.add(j, circles[j].x, circles[j].y, radius);
        }
        if (scene % 2 == 0)
            targets.sort();
        else
            targets.renew(circles.size(), [&](std::size_t j, double& x, double& y, double& r) {
                x = circles[j].x;
                y = circles[j].y;
                r = circles[j].radius;
                return !out[j];
            });
        for (int shot = 0; shot < 200; ++shot) {
            double x = (rng() % 6400) * 0.05, y = (rng() % 4000) * 0.05;
            if (!circles.empty() && shot % 2 == 0) {
                const Circle& c = circles[rng() % circles.size()];
                const double r = std::fabs(c.radius);
                const double k = r / 5.0;
                const double edge[][2] = {{r, 0},         {-r, 0},         {0, r},
                                          {3 * k, 4 * k}, {-4 * k, 3 * k}, {0, 0}};
                const auto& e = edge[rng() % 6];
                x = c.x + e[0];
                y = c.y + e[1];
                edges += e[0] != 0 || e[1] != 0;
            }
            for (std::size_t from = 0;;) {
                const std::size_t expected = firstHitPairwise(circles, x, y, from);
                ASSERT_EQ(targets.firstHit(x, y, from), expected)
                    << "scene " << scene << ", shot at " << x << ", " << y << " from " << from;
                if (expected == HitTargets::kNone)
                    break;
                ++hits;
                from = expected + 1;
            }
        }
    }
    EXPECT_GT(hits, 10000);
    EXPECT_GT(edges, 10000);
}

} // namespace
