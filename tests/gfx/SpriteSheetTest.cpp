#include "GfxTestFiles.h"
#include "support/TestSupport.h"

#include "gfx/MzImage.h"
#include "gfx/SpriteSheet.h"

#include <allegro.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

void expectEmpty(const SpriteSheet& sheet) {
    EXPECT_EQ(sheet.image, nullptr);
    EXPECT_TRUE(sheet.frames.empty());
    EXPECT_EQ(sheet.rowCount(), 0u);
    EXPECT_EQ(sheet.frame(0, 0.0f), nullptr);
    EXPECT_EQ(sheet.cycleLength(0), 0.0);
}

class SpriteSheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sheet = std::make_unique<SpriteSheet>(dir.writeGz("test.sz", testSheetBytes()));
        ASSERT_NE(sheet->image, nullptr);
        ASSERT_EQ(sheet->frames.size(), 4u);
        ASSERT_EQ(sheet->rowCount(), 5u);
    }

    BITMAP* frameNo(int k) const { return sheet->frames[k]; }

    TempDir dir;
    std::unique_ptr<SpriteSheet> sheet;
};

TEST_F(SpriteSheetTest, LoadsTheImageFramesAndRows) {
    EXPECT_EQ(sheet->image->w, 8);
    EXPECT_EQ(sheet->image->h, 4);
    // Frames share the sheet's pixels.
    EXPECT_TRUE(is_sub_bitmap(frameNo(1)));
    EXPECT_EQ(pixelAt(frameNo(1), 0, 0), (Rgb{20, 0, 0}));
    EXPECT_EQ(frameNo(3)->w, 2);
    EXPECT_EQ(frameNo(3)->h, 2);

    const AnimRow& row1 = sheet->animRow(1);
    EXPECT_EQ(row1.fps, 4.0f);
    EXPECT_EQ(row1.frameCount, 3u);
    EXPECT_EQ(row1.frames, (std::vector<int32_t>{2, 2, 0}));
    EXPECT_EQ(sheet->animRow(4).frameCount, 0u);
}

TEST_F(SpriteSheetTest, LooksUpTheEntryShownAtATime) {
    EXPECT_EQ(sheet->frame(0, 0.0f), frameNo(0));
    EXPECT_EQ(sheet->frame(0, 0.125f), frameNo(1));
    EXPECT_EQ(sheet->frame(0, 0.49f), frameNo(3));
    // Times past the cycle wrap by themselves: trunc(1.2 * 8) = 9, entry 9 mod 4 = 1.
    EXPECT_EQ(sheet->frame(0, 1.2f), frameNo(1));
    // A time just below zero is step 0; one a whole step below wraps to the last entry.
    EXPECT_EQ(sheet->frame(0, -0.01f), frameNo(0));
    EXPECT_EQ(sheet->frame(0, -0.2f), frameNo(3));

    // A frame repeated in a row is shown for as many steps as it appears.
    EXPECT_EQ(sheet->frame(1, 0.0f), frameNo(2));
    EXPECT_EQ(sheet->frame(1, 0.3f), frameNo(2));
    EXPECT_EQ(sheet->frame(1, 0.5f), frameNo(0));
}

// Rows 1 to 3 keep one frame size, row 0 mixes two, row 4 has none: the size asked of the sheet
// is the size of the frame shown, at any time, in every row and beyond them.
TEST_F(SpriteSheetTest, FrameSizeIsTheShownFramesWhetherTheRowSharesOneOrNot) {
    for (unsigned row = 0; row < 6; ++row)
        for (float time : {-0.2f, 0.0f, 0.125f, 0.25f, 0.375f, 0.49f, 1.2f, 1e9f}) {
            const BITMAP* f = sheet->frame(row, time);
            EXPECT_EQ(sheet->frameWidth(row, time), f ? f->w : 0) << row << " " << time;
            EXPECT_EQ(sheet->frameHeight(row, time), f ? f->h : 0) << row << " " << time;
        }
    EXPECT_EQ(sheet->animRow(0).sharedWidth, -1);
    EXPECT_EQ(sheet->animRow(2).sharedHeight, 2);
}

TEST_F(SpriteSheetTest, SingleAndEmptyRowsAndRowsOutsideTheSheet) {
    for (float t : {0.0f, 0.05f, 7.3f, -2.0f})
        EXPECT_EQ(sheet->frame(2, t), frameNo(3)) << t;
    EXPECT_EQ(sheet->frame(4, 0.0f), nullptr);
    EXPECT_EQ(sheet->frame(5, 0.0f), nullptr);
    EXPECT_EQ(sheet->frame(static_cast<unsigned>(-1), 0.0f), nullptr);
}

TEST_F(SpriteSheetTest, ExtremeTimesPickAFrameWithoutOverflow) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Step counts clamp to the 32-bit range and NaN counts as step 0.
    EXPECT_EQ(sheet->frame(0, 1e30f), frameNo(3)); // 2147483647 mod 4
    EXPECT_EQ(sheet->frame(0, inf), frameNo(3));
    EXPECT_EQ(sheet->frame(0, -1e30f), frameNo(0)); // 0x80000000 mod 4
    EXPECT_EQ(sheet->frame(0, nan), frameNo(0));
    EXPECT_EQ(sheet->frame(3, inf), frameNo(1)); // inf * 0 fps is NaN
}

TEST_F(SpriteSheetTest, CycleLengthIsEntriesOverFps) {
    EXPECT_DOUBLE_EQ(sheet->cycleLength(0), 0.5);
    EXPECT_DOUBLE_EQ(sheet->cycleLength(1), 0.75);
    EXPECT_DOUBLE_EQ(sheet->cycleLength(2), 0.1);
    EXPECT_TRUE(std::isinf(sheet->cycleLength(3)));
    EXPECT_EQ(sheet->cycleLength(5), 0.0);
}

TEST_F(SpriteSheetTest, DrawsTheFrameMaskedAtItsTopLeftCorner) {
    BITMAP* target = makeBitmap(10, 10, 0, 0, 90);
    sheet->draw(target, 3, 4, 2, 0.0f); // frame 3: 2 x 2 with a hole at (1, 1)
    EXPECT_EQ(pixelAt(target, 3, 4), (Rgb{40, 0, 0}));
    EXPECT_EQ(pixelAt(target, 4, 5), (Rgb{0, 0, 90}));
    EXPECT_EQ(pixelAt(target, 5, 4), (Rgb{0, 0, 90}));
    EXPECT_EQ(pixelAt(target, 3, 6), (Rgb{0, 0, 90}));

    // Nothing for rows without a frame, nor without a target.
    BITMAP* before = makeBitmap(10, 10, 0, 0, 90);
    blit(target, before, 0, 0, 0, 0, 10, 10);
    sheet->draw(target, 0, 0, 4, 0.0f);
    sheet->draw(target, 0, 0, -1, 0.0f);
    sheet->draw(nullptr, 0, 0, 0, 0.0f);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(pixelAt(target, x, y), pixelAt(before, x, y));
    destroy_bitmap(before);
    destroy_bitmap(target);
}

TEST(SpriteSheetLoadTest, UncompressedSheetAndTrailingBytesLoad) {
    TempDir dir;
    Bytes bytes = testSheetBytes();
    bytes.push_back(0x11);
    SpriteSheet plain(dir.writePlain("plain.sz", bytes));
    ASSERT_NE(plain.image, nullptr);
    EXPECT_EQ(plain.frames.size(), 4u);
    EXPECT_EQ(plain.rowCount(), 5u);
    EXPECT_EQ(plain.animRow(0).fps, 8.0f);
}

TEST(SpriteSheetLoadTest, ReadsFromMemoryAsFromAFile) {
    Bytes bytes = testSheetBytes();
    ByteStream in(bytes.data(), bytes.size());
    SpriteSheet sheet(in);
    ASSERT_NE(sheet.image, nullptr);
    EXPECT_EQ(sheet.frames.size(), 4u);
    EXPECT_EQ(sheet.rowCount(), 5u);
    EXPECT_EQ(sheet.animRow(1).frames, (std::vector<int32_t>{2, 2, 0}));
    EXPECT_EQ(in.get(), -1); // nothing follows the last row

    bytes.resize(bytes.size() - 1); // the last row's frame number cut short
    ByteStream shortIn(bytes.data(), bytes.size());
    expectEmpty(SpriteSheet(shortIn));
}

TEST(SpriteSheetLoadTest, MissingFileGivesAnEmptySheet) {
    TempDir dir;
    SpriteSheet sheet(dir.path("nowhere.sz"));
    expectEmpty(sheet);
}

TEST(SpriteSheetLoadTest, MalformedSheetsAreRejectedWhole) {
    const Bytes image = mzFilled(4, 4, 1, 2, 3);
    const std::vector<SzRect> oneFrame = {{0, 0, 4, 4}};
    const std::vector<SzRow> oneRow = {{5.0f, {0}}};

    Bytes bigFrameCount = image;
    putU16(bigFrameCount, 0xFFFF);
    putU16(bigFrameCount, 0);

    Bytes bigRowCount = mzFilled(1, 1, 0, 0, 0);
    putU16(bigRowCount, 0);
    putU16(bigRowCount, 0xFFFF); // and the file ends here

    Bytes fullSheet = szSheet(image, oneFrame, {{5.0f, {0, 0, 0}}});

    // Found by reasoning, not by the fuzzer (its inputs are too short): a few hundred bytes of
    // gzip asked for gigabytes of frame rows. One frame more than the ceiling allows.
    const Bytes tallImage = mzFilled(1, kMaxImageSide, 1, 2, 3);
    const std::vector<SzRect> tallFrames(kMaxSheetFrameRows / kMaxImageSide + 1,
                                         SzRect{0, 0, 1, kMaxImageSide});

    // A 1 x 1 image whose tables ask for more than it can hold or the game plays: such tables
    // of zeros compress a thousandfold, and one sheet of 65,535 rows of 65,535 entries took
    // 17 GB. Each is one past its limit; at the limits the sheet loads (below).
    const Bytes pixel = mzFilled(1, 1, 1, 2, 3);
    const std::vector<SzRow> manyRows(kMaxSheetRows + 1, SzRow{5.0f, {0}});
    const SzRow longRow{5.0f, std::vector<unsigned>(kMaxRowEntries + 1, 0)};

    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"more frames than pixels", szSheet(pixel, {{0, 0, 1, 1}, {0, 0, 1, 1}}, {})},
        {"more rows than the limit", szSheet(pixel, {{0, 0, 1, 1}}, manyRows)},
        {"a row longer than the limit", szSheet(pixel, {{0, 0, 1, 1}}, {longRow})},
        {"no image", szSheet(mzBlock(0, 4, {}), {}, {})},
        {"frame number equal to the frame count", szSheet(image, oneFrame, {{5.0f, {1}}})},
        {"rectangle past the right edge", szSheet(image, {{1, 0, 4, 4}}, oneRow)},
        {"rectangle past the bottom edge", szSheet(image, {{0, 3, 1, 2}}, oneRow)},
        {"rectangle of zero width", szSheet(image, {{0, 0, 0, 4}}, oneRow)},
        {"rectangle starting outside", szSheet(image, {{4, 0, 1, 1}}, oneRow)},
        {"frame count the file cannot hold", bigFrameCount},
        {"row count the file cannot hold", bigRowCount},
        {"cut in the frame table", Bytes(fullSheet.begin(), fullSheet.begin() + image.size() + 6)},
        {"cut in the fps", Bytes(fullSheet.begin(), fullSheet.begin() + image.size() + 14)},
        {"cut in the frame numbers", Bytes(fullSheet.begin(), fullSheet.end() - 1)},
        {"no tables at all", image},
        {"frames taller together than the ceiling", szSheet(tallImage, tallFrames, oneRow)},
    };
    TempDir dir;
    int i = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SpriteSheet sheet(dir.writeGz("bad" + std::to_string(i++) + ".sz", c.bytes));
        expectEmpty(sheet);
    }

    // The intact form of the truncated cases does load.
    SpriteSheet intact(dir.writeGz("intact.sz", fullSheet));
    EXPECT_NE(intact.image, nullptr);
    EXPECT_EQ(intact.rowCount(), 1u);

    std::vector<SzRow> fullRows(kMaxSheetRows, longRow);
    for (SzRow& row : fullRows)
        row.frames.pop_back();
    SpriteSheet atLimits(dir.writeGz("limits.sz", szSheet(pixel, {{0, 0, 1, 1}}, fullRows)));
    EXPECT_EQ(atLimits.rowCount(), static_cast<unsigned>(kMaxSheetRows));

    // Real sheets stay far below the ceiling; a sheet right at it still loads.
    Bytes atCeiling = szSheet(tallImage, {tallFrames.begin(), tallFrames.end() - 1}, oneRow);
    ByteStream in(atCeiling.data(), atCeiling.size());
    EXPECT_EQ(SpriteSheet(in).frames.size(), tallFrames.size() - 1);
}

} // namespace
