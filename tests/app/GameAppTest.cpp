#include "app/GameApp.h"
#include "support/TestSupport.h"

#include <allegro.h>

#include <cmath>

namespace {

class FrameClockTest : public AppFixture {
  protected:
    GameApp* app = GameApp::instance();
};

TEST_F(FrameClockTest, SleepsOffTheRestOfTheShortestStepInOneSleep) {
    app->minStep = 0.02;
    clock.time += 0.005; // the frame took 5 ms
    double step = app->tick();
    ASSERT_EQ(clock.sleeps.size(), 1u);
    EXPECT_NEAR(clock.sleeps.front(), 0.015, 1e-9);
    EXPECT_GE(step, 0.02);
    EXPECT_LT(step, 0.021);
    EXPECT_DOUBLE_EQ(app->lastTime, clock.time);
}

// Wake-ups late by a varying fraction of a millisecond, frames of varying cost, and now and then
// a frame too long to make up: every step sleeps once at most, and the steps keep the shortest
// step on average because each late wake-up is made up on the next step.
TEST_F(FrameClockTest, LateWakeUpsAreMadeUpSoTheStepsKeepTheShortestStepOnAverage) {
    app->minStep = 0.01;
    app->tick();
    double total = 0.0;
    int steps = 0;
    for (int i = 0; i < 1000; ++i) {
        clock.sleepOvershoot = 0.0001 * (i % 7);
        clock.time += i % 97 == 0 ? 0.03 : 0.001 * (i % 5);
        clock.sleeps.clear();
        const double step = app->tick();
        EXPECT_LE(clock.sleeps.size(), 1u);
        EXPECT_GE(step, 0.0);
        if (i % 97 != 0) {
            EXPECT_LE(step, 0.0107);
            total += step;
            ++steps;
        }
    }
    EXPECT_NEAR(total / steps, 0.01, 0.0001);
}

TEST_F(FrameClockTest, WithoutAShortestStepItNeverSleeps) {
    app->minStep = 0.0;
    clock.time += 0.0001;
    EXPECT_NEAR(app->tick(), 0.0001, 1e-9);
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(FrameClockTest, AStallComesBackAsOneLongStep) {
    app->minStep = 0.02;
    clock.time += 3.0;
    EXPECT_NEAR(app->tick(), 3.0, 1e-9);
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(FrameClockTest, SwitchingBackInRestartsTheStepFromNow) {
    app->minStep = 0.0;
    clock.time += 10.0; // the window was away
    app->lastTime = app->now();
    clock.time += 0.01;
    EXPECT_NEAR(app->tick(), 0.01, 1e-9);
}

TEST_F(FrameClockTest, AnAbsurdShortestStepWaitsASecondAtMostAndABrokenOneNotAtAll) {
    app->minStep = 1e12; // seconds: its milliseconds would not fit the sleep's int
    clock.time += 0.005;
    double step = app->tick();
    EXPECT_GE(step, 1.0);
    EXPECT_LT(step, 1.01);
    for (double seconds : clock.sleeps)
        EXPECT_LE(seconds, 1.0);
    for (double broken : {-0.5, std::nan("")}) {
        app->minStep = broken;
        clock.sleeps.clear();
        clock.time += 0.003;
        EXPECT_NEAR(app->tick(), 0.003, 1e-9);
        EXPECT_TRUE(clock.sleeps.empty());
    }
}

TEST_F(FrameClockTest, TheShakeRunsDownWithTheSteps) {
    app->minStep = 0.0;
    app->startShake(2.0, 0.5);
    clock.time += 0.3;
    app->tick();
    EXPECT_DOUBLE_EQ(app->currentShake(), 2.0);
    clock.time += 0.3;
    app->tick();
    EXPECT_DOUBLE_EQ(app->currentShake(), 0.0);
}

TEST_F(FrameClockTest, TheMouseIsSampledAtHalfResolution) {
    mouse.next = {639, 479, 1};
    app->tick();
    EXPECT_EQ(app->mouseX, 319);
    EXPECT_EQ(app->mouseY, 239);
    EXPECT_EQ(app->buttons, 1);
    EXPECT_EQ(app->previousButtons, 0);
    mouse.next = {10, 11, 0};
    app->tick();
    EXPECT_EQ(app->previousButtons, 1);
    EXPECT_EQ(app->buttons, 0);
    EXPECT_EQ(app->mouseX, 5);
    EXPECT_EQ(app->mouseY, 5);
}

TEST_F(FrameClockTest, TheMouseFollowsTheWindowScale) {
    for (int scale = 1; scale <= 4; ++scale) {
        app->scale = scale;
        // The last window pixel of the bottom-right button's corner, and one past it.
        mouse.next = {319 * scale + scale - 1, 239 * scale, 0};
        app->tick();
        EXPECT_EQ(app->mouseX, 319) << scale;
        EXPECT_EQ(app->mouseY, 239) << scale;
        EXPECT_TRUE(app->mouseIn(300, 220, 19, 19));
        mouse.next = {320 * scale, 100, 0};
        app->tick();
        EXPECT_EQ(app->mouseX, 320) << scale;
    }
}

TEST(MouseLatch, AQuickTapBetweenTwoSamplesShowsAsPressedThenReleased) {
    AllegroMouse::installPressLatch();
    ASSERT_NE(mouse_callback, nullptr);
    mouse_b = 0;
    // Press and release both land between two samples.
    mouse_callback(MOUSE_FLAG_LEFT_DOWN);
    mouse_callback(MOUSE_FLAG_LEFT_UP);
    AllegroMouse sampler;
    EXPECT_EQ(sampler.sample().buttons, 1);
    EXPECT_EQ(sampler.sample().buttons, 0);
    mouse_callback(MOUSE_FLAG_RIGHT_DOWN);
    EXPECT_EQ(sampler.sample().buttons, 2);
    mouse_callback = nullptr;
}

TEST_F(FrameClockTest, MouseInIncludesBothEnds) {
    app->mouseX = 300;
    app->mouseY = 220;
    EXPECT_TRUE(app->mouseIn(300, 220, 19, 19));
    app->mouseX = 319;
    app->mouseY = 239;
    EXPECT_TRUE(app->mouseIn(300, 220, 19, 19));
    app->mouseX = 320;
    EXPECT_FALSE(app->mouseIn(300, 220, 19, 19));
    app->mouseX = 299;
    app->mouseY = 230;
    EXPECT_FALSE(app->mouseIn(300, 220, 19, 19));
}

TEST_F(FrameClockTest, AWeakerShakeNeverReplacesAStrongerRunningOne) {
    app->startShake(2.0, 0.5);
    app->startShake(1.0, 3.0);
    EXPECT_DOUBLE_EQ(app->shakeAmount, 2.0);
    EXPECT_DOUBLE_EQ(app->shakeTimeLeft, 0.5);
    app->startShake(3.0, 0.1);
    EXPECT_DOUBLE_EQ(app->currentShake(), 3.0);
    app->shakeTimeLeft = 0.0;
    EXPECT_DOUBLE_EQ(app->currentShake(), 0.0);
    app->startShake(1.0, 3.0);
    EXPECT_DOUBLE_EQ(app->currentShake(), 1.0);
}

TEST_F(FrameClockTest, TheSoundSwitchStartsOnAndToggles) {
    EXPECT_TRUE(app->soundOn);
    app->setSound(false);
    EXPECT_FALSE(app->soundOn);
    app->setSound(true);
    EXPECT_TRUE(app->soundOn);
}

} // namespace
