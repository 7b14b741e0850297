#include "GfxTestFiles.h"
#include "support/TestSupport.h"

#include "gfx/MzImage.h"

#include <allegro.h>
#include <zlib.h>

namespace {

class MzImageTest : public ::testing::Test {
  protected:
    void TearDown() override {
        if (bmp)
            destroy_bitmap(bmp);
    }

    BITMAP* loadGz(const Bytes& bytes) {
        bmp = load_bitmap(dir.writeGz("image.mz", bytes).c_str(), nullptr);
        return bmp;
    }

    TempDir dir;
    BITMAP* bmp = nullptr;
};

TEST_F(MzImageTest, LoadsPixelsRowByRowThroughLoadBitmap) {
    // 2 x 2: red, green / blue, magenta.
    Bytes rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 0, 255};
    ASSERT_NE(loadGz(mzBlock(2, 2, rgb)), nullptr);
    EXPECT_EQ(bmp->w, 2);
    EXPECT_EQ(bmp->h, 2);
    EXPECT_EQ(bitmap_color_depth(bmp), 32);
    EXPECT_EQ(pixelAt(bmp, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(bmp, 1, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(pixelAt(bmp, 0, 1), (Rgb{0, 0, 255}));
    // Magenta must come out as the library's mask colour so sprites drawn from it are holes.
    EXPECT_EQ(getpixel(bmp, 1, 1), bitmap_mask_color(bmp));
}

TEST_F(MzImageTest, ReadsSidesLowByteFirst) {
    Bytes bytes = {0x40, 0x01, 0x01, 0x00};
    bytes.resize(4 + 3 * 320, 7);
    ASSERT_NE(loadGz(bytes), nullptr);
    EXPECT_EQ(bmp->w, 320);
    EXPECT_EQ(bmp->h, 1);
    EXPECT_EQ(pixelAt(bmp, 319, 0), (Rgb{7, 7, 7}));
}

TEST_F(MzImageTest, PlainFileLoadsLikeItsCompressedForm) {
    Bytes rgb;
    for (int i = 0; i < 3 * 5 * 3; ++i)
        rgb.push_back(static_cast<unsigned char>(i * 17));
    Bytes bytes = mzBlock(5, 3, rgb);
    BITMAP* gz = load_bitmap(dir.writeGz("a.mz", bytes).c_str(), nullptr);
    BITMAP* plain = load_bitmap(dir.writePlain("b.mz", bytes).c_str(), nullptr);
    ASSERT_NE(gz, nullptr);
    ASSERT_NE(plain, nullptr);
    ASSERT_EQ(plain->w, 5);
    ASSERT_EQ(plain->h, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(pixelAt(plain, x, y), pixelAt(gz, x, y)) << x << "," << y;
    destroy_bitmap(gz);
    destroy_bitmap(plain);
}

TEST_F(MzImageTest, StopsAfterTheLastPixelAndLeavesTheRestOfTheStream) {
    Bytes bytes = mzBlock(1, 1, {255, 0, 0});
    bytes.push_back(0xAB);
    bytes.push_back(0xCD);
    std::string file = dir.writeGz("extra.mz", bytes);

    gzFile in = gzopen(file.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    bmp = readMzImage(in);
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(pixelAt(bmp, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(readU16(in), 0xCDAB);
    // Past the end the stream gives -1, whole or half a value.
    EXPECT_EQ(readU16(in), -1);
    gzclose(in);

    BITMAP* viaLoader = load_bitmap(file.c_str(), nullptr);
    ASSERT_NE(viaLoader, nullptr);
    EXPECT_EQ(pixelAt(viaLoader, 0, 0), (Rgb{255, 0, 0}));
    destroy_bitmap(viaLoader);
}

TEST_F(MzImageTest, ShortPixelDataKeepsTheDeclaredSizeAndFeedsMinusOneToMakecol) {
    // 2 x 1 with one full pixel and one byte of the second.
    ASSERT_NE(loadGz(mzBlock(2, 1, {1, 2, 3, 40})), nullptr);
    EXPECT_EQ(bmp->w, 2);
    EXPECT_EQ(pixelAt(bmp, 0, 0), (Rgb{1, 2, 3}));
    EXPECT_EQ(getpixel(bmp, 1, 0), makecol(40, -1, -1));
}

TEST_F(MzImageTest, HeadersThatCannotMakeAnImageGiveNull) {
    const Bytes cases[] = {
        {},                                // empty file
        {0x02, 0x00, 0x02},                // height cut short
        mzBlock(0, 3, {}),                 // zero width
        mzBlock(3, 0, {}),                 // zero height
        mzBlock(kMaxImageSide + 1, 1, {}), // forged width
        mzBlock(1, 0xFFFF, {1, 2, 3}),     // forged height
    };
    int i = 0;
    for (const Bytes& bytes : cases) {
        BITMAP* b =
            load_bitmap(dir.writeGz("bad" + std::to_string(i++) + ".mz", bytes).c_str(), nullptr);
        EXPECT_EQ(b, nullptr) << "case " << i - 1;
        if (b)
            destroy_bitmap(b);
    }
    EXPECT_EQ(readMzImage(nullptr), nullptr);
    EXPECT_EQ(load_bitmap(dir.path("missing.mz").c_str(), nullptr), nullptr);
}

TEST_F(MzImageTest, LargestAllowedSideStillLoads) {
    Bytes bytes = mzBlock(kMaxImageSide, 1, {9, 8, 7});
    ASSERT_NE(loadGz(bytes), nullptr);
    EXPECT_EQ(bmp->w, kMaxImageSide);
    EXPECT_EQ(pixelAt(bmp, 0, 0), (Rgb{9, 8, 7}));
}

} // namespace
