#include "GfxTestFiles.h"
#include "support/TestSupport.h"

#include "gfx/SpriteAnim.h"
#include "gfx/SpriteSheet.h"

#include <allegro.h>

#include <memory>

namespace {

class SpriteAnimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sheet = std::make_unique<SpriteSheet>(dir.writeGz("anim.sz", testSheetBytes()));
        ASSERT_EQ(sheet->rowCount(), 5u);
    }

    BITMAP* shown(const SpriteAnim& anim) const {
        return sheet->frame(static_cast<unsigned>(anim.row), anim.time);
    }

    TempDir dir;
    std::unique_ptr<SpriteSheet> sheet;
};

TEST_F(SpriteAnimTest, StartsAtRowZeroTimeZeroWithNothingQueued) {
    SpriteAnim anim(sheet.get());
    EXPECT_EQ(anim.row, 0);
    EXPECT_EQ(anim.time, 0.0f);
    EXPECT_TRUE(anim.pendingRows.empty());
    EXPECT_EQ(shown(anim), sheet->frames[0]);
}

TEST_F(SpriteAnimTest, LoopsARowRemovingOneCyclePerAdvance) {
    SpriteAnim anim(sheet.get());
    anim.advance(0.3f);
    EXPECT_FLOAT_EQ(anim.time, 0.3f);
    EXPECT_EQ(shown(anim), sheet->frames[2]);
    anim.advance(0.3f);
    EXPECT_NEAR(anim.time, 0.1f, 1e-6);
    EXPECT_EQ(anim.row, 0);

    // A long step removes only one cycle; later calls catch up.
    anim.setRow(0);
    anim.advance(1.7f);
    EXPECT_NEAR(anim.time, 1.2f, 1e-6);
    EXPECT_EQ(shown(anim), sheet->frames[1]);
    anim.advance(0.0f);
    EXPECT_NEAR(anim.time, 0.7f, 1e-6);
    anim.advance(0.0f);
    EXPECT_NEAR(anim.time, 0.2f, 1e-6);
    anim.advance(0.0f);
    EXPECT_NEAR(anim.time, 0.2f, 1e-6);
}

TEST_F(SpriteAnimTest, PlayThenPlaysOneCycleAndHandsOverWithTheLeftoverTime) {
    SpriteAnim anim(sheet.get());
    anim.advance(0.2f);
    anim.playThen(1, 0); // 0.75 s of row 1, then row 0 for ever
    EXPECT_EQ(anim.row, 1);
    EXPECT_EQ(anim.time, 0.0f);
    anim.advance(0.5f);
    EXPECT_EQ(anim.row, 1);
    anim.advance(0.5f);
    EXPECT_EQ(anim.row, 0);
    EXPECT_NEAR(anim.time, 0.25f, 1e-6);
    EXPECT_TRUE(anim.pendingRows.empty());
    anim.advance(0.3f);
    EXPECT_EQ(anim.row, 0);
    EXPECT_NEAR(anim.time, 0.05f, 1e-6);
}

TEST_F(SpriteAnimTest, QueueIsConsumedOneRowPerCycleAndReplacedByPlayThen) {
    SpriteAnim anim(sheet.get());
    anim.pendingRows = {2, 1};
    anim.setRow(0); // keeps the queue
    ASSERT_EQ(anim.pendingRows.size(), 2u);
    anim.advance(0.5f);
    EXPECT_EQ(anim.row, 2);
    // A single-entry row still lasts 1 / fps before it hands over.
    anim.advance(0.05f);
    EXPECT_EQ(anim.row, 2);
    anim.advance(0.05f);
    EXPECT_EQ(anim.row, 1);
    EXPECT_TRUE(anim.pendingRows.empty());

    anim.pendingRows = {2, 2, 2};
    anim.playThen(0, 1);
    EXPECT_EQ(anim.pendingRows, (RowQueue{1}));
}

// The queue lives in a ring inside the anim: taking rows and queueing new ones many times over
// keeps their order, and a full queue refuses a row rather than losing one already queued.
TEST_F(SpriteAnimTest, QueueKeepsItsOrderRoundTheRingAndRefusesRowsWhenFull) {
    SpriteAnim anim(sheet.get());
    anim.pendingRows = {1, 2};
    for (int cycle = 0; cycle < 10; ++cycle) {
        SCOPED_TRACE(cycle);
        ASSERT_EQ(anim.pendingRows.size(), 2u);
        const int next = anim.pendingRows.front();
        anim.setRow(0);
        anim.advance(0.5f); // one whole cycle of row 0 hands over
        EXPECT_EQ(anim.row, next);
        anim.pendingRows.push_back(next);
    }
    RowQueue full{0, 1, 2, 0};
    EXPECT_FALSE(full.push_back(2));
    EXPECT_EQ(full, (RowQueue{0, 1, 2, 0}));
    full.pop_front();
    EXPECT_TRUE(full.push_back(2));
    EXPECT_EQ(full, (RowQueue{1, 2, 0, 2}));
}

TEST_F(SpriteAnimTest, RowsWithoutACycleOnlyGainTime) {
    SpriteAnim anim(sheet.get());
    for (int row : {3, 4, 5, -1}) {
        SCOPED_TRACE(row);
        anim.playThen(row, 0);
        anim.advance(100.0f);
        anim.advance(0.5f);
        EXPECT_EQ(anim.row, row);
        EXPECT_FLOAT_EQ(anim.time, 100.5f);
        EXPECT_EQ(anim.pendingRows.size(), 1u);
    }
    // fps 0 still shows its first entry; a row outside the sheet shows nothing.
    anim.setRow(3);
    EXPECT_EQ(anim.frameWidth(), 2);
    anim.setRow(5);
    EXPECT_EQ(anim.frameWidth(), 0);
    EXPECT_EQ(anim.frameHeight(), 0);
}

TEST_F(SpriteAnimTest, FrameSizeFollowsTheFrameShownNow) {
    SpriteAnim anim(sheet.get());
    anim.time = 0.375f; // entry 3: the 2 x 2 frame
    EXPECT_EQ(anim.frameWidth(), 2);
    EXPECT_EQ(anim.frameHeight(), 2);
    anim.time = 0.25f;
    EXPECT_EQ(anim.frameHeight(), 4);
}

TEST_F(SpriteAnimTest, DrawsTheCurrentFrame) {
    BITMAP* target = makeBitmap(6, 6, 0, 0, 0);
    SpriteAnim anim(sheet.get());
    anim.time = 0.125f;
    anim.draw(target, 1, 2);
    EXPECT_EQ(pixelAt(target, 1, 2), (Rgb{20, 0, 0}));
    EXPECT_EQ(pixelAt(target, 2, 5), (Rgb{20, 0, 0}));
    EXPECT_EQ(pixelAt(target, 3, 2), (Rgb{0, 0, 0}));
    anim.draw(nullptr, 0, 0);
    destroy_bitmap(target);
}

TEST(SpriteAnimWithoutSheetTest, DrawsNothingAndOnlyGainsTime) {
    BITMAP* target = makeBitmap(4, 4, 5, 5, 5);
    SpriteAnim anim(nullptr);
    anim.playThen(0, 1);
    anim.advance(3.0f);
    anim.draw(target, 0, 0);
    EXPECT_FLOAT_EQ(anim.time, 3.0f);
    EXPECT_EQ(anim.row, 0);
    EXPECT_EQ(anim.frameWidth(), 0);
    EXPECT_EQ(anim.frameHeight(), 0);
    EXPECT_EQ(pixelAt(target, 0, 0), (Rgb{5, 5, 5}));
    destroy_bitmap(target);
}

} // namespace
