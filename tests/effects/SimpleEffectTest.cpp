#include "EffectTestKit.h"

#include "effects/SimpleEffect.h"
#include "gfx/SpriteAnim.h"
#include "gfx/SpriteSheet.h"
#include "support/TestSupport.h"

#include <allegro.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

bool frameDrawnAt(BITMAP* bmp, int x, int y, int frame) {
    return pixelAt(bmp, x, y) == Rgb{frameRed(frame), 200, 0};
}

} // namespace

TEST(EffectTest, FinishedOnceAgeReachesLifetimeOrEitherIsNotANumber) {
    SimpleEffect e(0, 0, nullptr, 0.5);
    e.age = 0.49;
    EXPECT_FALSE(e.finished());
    e.age = 0.5;
    EXPECT_TRUE(e.finished());
    e.age = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(e.finished());
    e.age = 0.0;
    e.lifetime = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(e.finished());
}

class SimpleEffectTest : public EffectWorld {};

TEST_F(SimpleEffectTest, LastsItsDelayPlusOneCycleOfRowZero) {
    std::unique_ptr<SpriteSheet> sheet(makeSheet(6, 4, 4, 20.0f));
    EXPECT_DOUBLE_EQ(SimpleEffect(50, 50, sheet.get(), 0.5).lifetime, 0.7);

    std::unique_ptr<SpriteSheet> quick(makeSheet(6, 4, 4, 16.0f));
    SimpleEffect e(50, 50, quick.get(), 0.5);

    int updates = 0;
    while (!e.finished() && updates < 1000) {
        e.update(0.0625);
        ++updates;
    }
    EXPECT_EQ(updates, 12); // 0.5 s of delay, then 4 frames at 16 fps
}

TEST_F(SimpleEffectTest, CentresTheFirstFrameOnThePoint) {
    std::unique_ptr<SpriteSheet> sheet(makeSheet(7, 5, 2, 10.0f));
    SimpleEffect e(100, 50, sheet.get(), 0.0);
    EXPECT_EQ(e.x, 97.0); // 7 / 2 = 3
    EXPECT_EQ(e.y, 48.0);
    e.draw(target);
    EXPECT_TRUE(frameDrawnAt(target, 97, 48, 0));
    EXPECT_TRUE(frameDrawnAt(target, 103, 52, 0));
    EXPECT_TRUE(isBackground(target, 96, 48));
    EXPECT_TRUE(isBackground(target, 104, 52));
}

TEST_F(SimpleEffectTest, StaysInvisibleAndStillDuringTheDelayThenPlaysAndDrifts) {
    std::unique_ptr<SpriteSheet> sheet(makeSheet(4, 4, 4, 8.0f));
    SimpleEffect e(20, 20, sheet.get(), 0.5);
    e.setVelocity(16.0, -8.0);
    for (int i = 0; i < 4; ++i) {
        e.draw(target);
        e.update(0.125);
        EXPECT_EQ(e.x, 18.0);
        EXPECT_EQ(e.y, 18.0);
        EXPECT_EQ(e.anim->time, 0.0f);
    }
    EXPECT_TRUE(untouched(target));

    // Age is now exactly the delay: this step is the first that plays.
    e.update(0.125);
    EXPECT_EQ(e.x, 20.0);
    EXPECT_EQ(e.y, 17.0);
    e.draw(target);
    EXPECT_TRUE(frameDrawnAt(target, 20, 17, 1));
    EXPECT_TRUE(isBackground(target, 19, 17));
    EXPECT_TRUE(isBackground(target, 20, 16));
}

TEST_F(SimpleEffectTest, DrawsAtPositionsTruncatedTowardsZero) {
    std::unique_ptr<SpriteSheet> sheet(makeSheet(4, 4, 1, 10.0f));
    SimpleEffect e(2, 2, sheet.get(), 0.0); // top-left at (0, 0)
    e.setVelocity(-2.5, -2.5);
    e.update(1.0);
    ASSERT_EQ(e.x, -2.5);
    e.draw(target);
    // Drawn from (-2, -2), not from (-3, -3).
    EXPECT_TRUE(frameDrawnAt(target, 1, 1, 0));
    EXPECT_TRUE(isBackground(target, 2, 1));
    EXPECT_TRUE(isBackground(target, 1, 2));
}

TEST_F(SimpleEffectTest, WithoutAPlayableRowItOnlyWaitsOutItsDelay) {
    SimpleEffect noSheet(10, 10, nullptr, 0.3);
    EXPECT_DOUBLE_EQ(noSheet.lifetime, 0.3);
    EXPECT_EQ(noSheet.x, 10.0);

    std::unique_ptr<SpriteSheet> empty(new SpriteSheet(""));
    SimpleEffect noRows(10, 10, empty.get(), 0.2);
    EXPECT_DOUBLE_EQ(noRows.lifetime, 0.2);

    // A row at 0 fps would never complete a cycle and the puff would never go.
    std::unique_ptr<SpriteSheet> stalled(makeSheet(4, 4, 3, 0.0f));
    SimpleEffect frozen(10, 10, stalled.get(), 0.1);
    EXPECT_DOUBLE_EQ(frozen.lifetime, 0.1);

    for (SimpleEffect* e : {&noSheet, &noRows}) {
        e->update(0.5);
        e->draw(target);
        EXPECT_TRUE(e->finished());
    }
    EXPECT_TRUE(untouched(target));
    frozen.update(0.5);
    EXPECT_TRUE(frozen.finished());
}
