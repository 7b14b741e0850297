#include "towers/Building.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(FireCadence, AStepSpanningSeveralPeriodsReleasesOneShotPerWholePeriod) {
    float timer = 0.5f + 2.5f;
    EXPECT_EQ(takeDueShots(timer, 1.0f), 2);
    EXPECT_FLOAT_EQ(timer, 1.0f); // exactly one period is not past it

    timer += 0.01f;
    EXPECT_EQ(takeDueShots(timer, 1.0f), 1);
    EXPECT_NEAR(timer, 0.01f, 1e-6f);

    EXPECT_EQ(takeDueShots(timer, 1.0f), 0);
    EXPECT_NEAR(timer, 0.01f, 1e-6f);
}

TEST(FireCadence, APeriodOfZeroOrLessFiresOncePerUpdateAndNeverBanksTime) {
    for (float period : {0.0f, -1.0f, -0.0f}) {
        float timer = period * 0.5f;
        int shots = 0;
        for (int frame = 0; frame < 1000; ++frame) {
            timer += 0.016f;
            const int due = takeDueShots(timer, period);
            EXPECT_LE(due, 1);
            shots += due;
            EXPECT_LE(timer, 0.016f);
        }
        EXPECT_EQ(shots, 1000) << "period " << period;
    }

    // A frame that did not move the timer past a zero period releases nothing.
    float still = 0.0f;
    EXPECT_EQ(takeDueShots(still, 0.0f), 0);
}

TEST(FireCadence, APeriodThatIsNotANumberNeverFires) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    float timer = 0.0f;
    for (int frame = 0; frame < 100; ++frame) {
        timer += 0.5f;
        EXPECT_EQ(takeDueShots(timer, nan), 0);
    }
    EXPECT_EQ(timer, 0.0f);
}

TEST(FireCadence, TinyPeriodsAndHugeStepsAreCappedAndTheBacklogDropped) {
    // Subtracting 1e-9 from 1.0f changes nothing: an uncapped loop would never end.
    float stuck = 1.0f;
    EXPECT_EQ(takeDueShots(stuck, 1e-9f), kMaxShotsPerUpdate);
    EXPECT_GE(stuck, 0.0f);
    EXPECT_LT(stuck, 1e-9f);

    // A ten-minute stall at a half-second period keeps only the fraction of a period it ran.
    float stalled = 600.25f;
    EXPECT_EQ(takeDueShots(stalled, 0.5f), kMaxShotsPerUpdate);
    EXPECT_FLOAT_EQ(stalled, 0.25f);

    float broken = std::numeric_limits<float>::infinity();
    EXPECT_EQ(takeDueShots(broken, 1.0f), 0);
    EXPECT_EQ(broken, 0.0f);
}

} // namespace
