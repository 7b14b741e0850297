#include "EffectTestKit.h"

#include "effects/BounceTextEffect.h"
#include "effects/TextEffect.h"
#include "gfx/BitmapFont.h"
#include "support/TestSupport.h"

#include <allegro.h>

#include <climits>
#include <memory>
#include <string>

namespace {

const Rgb kMask{255, 0, 255};

} // namespace

class TextEffectTest : public EffectWorld {};

TEST_F(TextEffectTest, TextImageIsTheTextPlusTwoColumnsByTenRows) {
    std::unique_ptr<BitmapFont> font(makeBlockFont(7));
    BITMAP* image = renderTextImage(font.get(), "+25");
    ASSERT_EQ(font->textWidth("+25"), 12);
    EXPECT_EQ(image->w, 14);
    EXPECT_EQ(image->h, 10);
    EXPECT_TRUE(isGlyph(image, 0, 0));
    EXPECT_TRUE(isGlyph(image, 11, 6));
    EXPECT_EQ(pixelAt(image, 12, 0), kMask);
    EXPECT_EQ(pixelAt(image, 0, 7), kMask);
    destroy_bitmap(image);

    // Tall glyphs are cut at the bottom.
    std::unique_ptr<BitmapFont> tall(makeBlockFont(14));
    image = renderTextImage(tall.get(), "W");
    EXPECT_EQ(image->h, 10);
    EXPECT_TRUE(isGlyph(image, 0, 9));
    destroy_bitmap(image);
}

TEST_F(TextEffectTest, TextImageOfNothingIsStillAnImage) {
    std::unique_ptr<BitmapFont> font(makeBlockFont(7));
    // A pen that moves backwards measures a text as less than nothing.
    std::unique_ptr<BitmapFont> squeezed(makeBlockFont(7, 1, 1, -3));
    ASSERT_LT(squeezed->textWidth("----"), -2);
    struct {
        const BitmapFont* font;
        const char* text;
    } cases[] = {{font.get(), ""}, {nullptr, "x"}, {font.get(), nullptr}, {squeezed.get(), "----"}};
    for (const auto& c : cases) {
        BITMAP* image = renderTextImage(c.font, c.text);
        ASSERT_NE(image, nullptr);
        EXPECT_GE(image->w, 1);
        EXPECT_EQ(image->h, 10);
        destroy_bitmap(image);
    }
}

TEST_F(TextEffectTest, ATextWiderThanAnyScreenIsNotShown) {
    std::unique_ptr<BitmapFont> thin(makeBlockFont(7, 1));
    BITMAP* image = renderTextImage(thin.get(), std::string(kMaxTextImageWidth - 2, 'x').c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->w, kMaxTextImageWidth);
    destroy_bitmap(image);
    EXPECT_EQ(renderTextImage(thin.get(), std::string(kMaxTextImageWidth - 1, 'x').c_str()),
              nullptr);

    // A wild spacing key measures as very wide rather than wrapping round to something small.
    std::unique_ptr<BitmapFont> wild(makeBlockFont(7, 4, 2, INT_MAX));
    EXPECT_GT(wild->textWidth("+25"), kMaxTextImageWidth);
    TextEffect label(100, 100, wild.get(), "+25");
    BounceTextEffect banner(160, 80, wild.get(), "Wave 1");
    for (int i = 0; i < 10; ++i) {
        label.update(0.05);
        banner.update(0.05);
    }
    label.draw(target);
    banner.draw(target);
    EXPECT_TRUE(untouched(target));
}

TEST_F(TextEffectTest, DriftsUpAndRightForOneSecond) {
    std::unique_ptr<BitmapFont> font(makeBlockFont(7));
    TextEffect e(100, 200, font.get(), "-1");
    EXPECT_DOUBLE_EQ(e.lifetime, 1.0);
    for (int i = 0; i < 32; ++i)
        e.update(1.0 / 64);
    e.draw(target);
    EXPECT_TRUE(isGlyph(target, 108, 192));
    EXPECT_TRUE(isBackground(target, 107, 192));
    EXPECT_TRUE(isBackground(target, 108, 191));
    // The two spare columns are transparent.
    EXPECT_TRUE(isGlyph(target, 115, 192));
    EXPECT_TRUE(isBackground(target, 116, 192));

    for (int i = 32; i < 63; ++i)
        e.update(1.0 / 64);
    EXPECT_FALSE(e.finished());
    e.update(1.0 / 64);
    EXPECT_TRUE(e.finished());
}

class BounceTextEffectTest : public EffectWorld {
  protected:
    void SetUp() override {
        EffectWorld::SetUp();
        // Nine glyphs of 4 and one space of 2: 38 pixels, the height of the whole image.
        font.reset(makeBlockFont(10));
        ASSERT_EQ(font->textWidth("Boss Wave!"), 38);
    }

    // Rows of column x that show the banner.
    std::pair<int, int> drawnRows(BounceTextEffect& e, int x) {
        clear_to_color(target, makecol(kBackR, kBackG, kBackB));
        e.draw(target);
        int top = -1, bottom = -1;
        for (int y = 0; y < target->h; ++y) {
            if (isGlyph(target, x, y)) {
                if (top < 0)
                    top = y;
                bottom = y;
            }
        }
        return {top, bottom - top + 1};
    }

    std::unique_ptr<BitmapFont> font;
};

TEST_F(BounceTextEffectTest, OpenBannerIsTheTextAtTwiceItsSizeCentredOnX) {
    BounceTextEffect e(160, 80, font.get(), "Boss Wave!");
    EXPECT_DOUBLE_EQ(e.lifetime, 3.0);
    EXPECT_EQ(e.image->w, 40);
    EXPECT_EQ(e.x, 120.0);
    e.age = 1.0;
    e.draw(target);
    EXPECT_TRUE(isGlyph(target, 120, 80));
    EXPECT_TRUE(isGlyph(target, 195, 99));
    EXPECT_TRUE(isBackground(target, 196, 90)); // the spare columns, doubled
    EXPECT_TRUE(isBackground(target, 199, 90));
    EXPECT_TRUE(isBackground(target, 119, 90));
    EXPECT_TRUE(isBackground(target, 150, 79));
    EXPECT_TRUE(isBackground(target, 150, 100));
}

TEST_F(BounceTextEffectTest, UnfoldsAndFoldsAboutItsMiddleLine) {
    BounceTextEffect e(160, 80, font.get(), "Boss Wave!");
    const struct {
        double age;
        int top, height;
    } cases[] = {{0.0, -1, 0},    {0.075, 85, 10}, {0.1, 83, 13}, {0.15, 80, 20}, {2.39, 80, 20},
                 {2.475, 85, 10}, {2.54, 89, 1},   {2.55, -1, 0}, {2.9, -1, 0}};
    for (const auto& c : cases) {
        e.age = c.age;
        auto [top, height] = drawnRows(e, 140);
        if (c.height == 0) {
            EXPECT_EQ(top, -1) << "age " << c.age;
        } else {
            EXPECT_EQ(top, c.top) << "age " << c.age;
            EXPECT_EQ(height, c.height) << "age " << c.age;
        }
    }
}

TEST_F(BounceTextEffectTest, HopsBouncesOnItsLineAndFreezes) {
    BounceTextEffect e(160, 80, font.get(), "Boss Wave!");
    const double dt = 0.01;
    double highest = 80.0;
    double firstLanding = -1.0;
    double vyAfterLanding = 0.0;
    double frozenY = 0.0;
    while (!e.finished()) {
        const double yBefore = e.y;
        e.update(dt);
        if (e.age < 0.15 - 1e-9) {
            EXPECT_EQ(e.y, 80.0);
            EXPECT_EQ(e.vy, -40.0);
        }
        highest = std::min(highest, e.y);
        if (firstLanding < 0 && e.age > 0.5 && e.y == 80.0) {
            firstLanding = e.age;
            vyAfterLanding = e.vy;
        }
        EXPECT_LE(e.y, 80.0);
        if (e.age > 1.4 + dt) {
            EXPECT_EQ(e.vy, 0.0);
            EXPECT_EQ(e.y, yBefore);
            frozenY = e.y;
        }
    }
    // v^2 / 2g = 1600 / 180, about 8.9 pixels up; back after 2 * 40 / 90 s.
    EXPECT_NEAR(highest, 80.0 - 8.9, 0.5);
    EXPECT_NEAR(firstLanding, 0.15 + 0.89, 0.03);
    EXPECT_NEAR(vyAfterLanding, -24.0, 1.0);
    // The second hop is cut short: it stays a little above its line.
    EXPECT_GT(80.0 - frozenY, 2.0);
    EXPECT_LT(80.0 - frozenY, 4.0);
}
