// The committed data set, read with the game's own loaders: every file loads, has the frames,
// rows and sizes the game draws it with, and the string table has a value for every key the
// game looks up, with tool tips that fit the screen.

#include "support/TestSupport.h"

#include "app/GameApp.h"
#include "app/StringTable.h"
#include "gfx/BitmapFont.h"
#include "gfx/SpriteSheet.h"
#include "sim/Simulator.h"
#include "sim/Strategy.h"
#include "towers/TowerKinds.h"
#include "towers/UpgradeRow.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct BitmapDeleter {
    void operator()(BITMAP* b) const { destroy_bitmap(b); }
};
using Bitmap = std::unique_ptr<BITMAP, BitmapDeleter>;

Bitmap loadImage(const std::string& name) {
    return Bitmap(load_bitmap(sourcePath("data/" + name).c_str(), nullptr));
}

std::unique_ptr<SpriteSheet> loadSheet(const std::string& name) {
    return std::make_unique<SpriteSheet>(sourcePath(name));
}

bool isMask(BITMAP* b, int x, int y) {
    return pixelAt(b, x, y) == Rgb{255, 0, 255};
}

int luminance(const Rgb& c) {
    return (c.r * 30 + c.g * 59 + c.b * 11) / 100;
}

class DataSetTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(strings.load(sourcePath("data/strings.txt"))); }

    std::string key(const char* format, int a, int b = 0, int c = 0) {
        return StringTable::key(format, a, b, c);
    }

    StringTable strings;
};

TEST_F(DataSetTest, ImagesHaveTheSizesTheGameDrawsThemAt) {
    struct Expected {
        const char* name;
        int minW, minH, maxW, maxH;
    };
    const Expected images[] = {
        {"bg.mz", 320, 240, 320, 240},
        {"redbar.mz", 53, 20, 64, 24},
        {"slots.mz", 76, 19, 76, 19},
        {"icons.mz", 64, 32, 64, 32},
        {"upgrade_icons.mz", 32, 32, 512, 32},
        {"selector.mz", 14, 14, 14, 14},
        {"laser_small.mz", 2, 6, 5, 10},
        {"debris.mz", 32, 8, 128, 8},
        {"orb1.mz", 40, 40, 48, 48},
        {"orb2.mz", 8, 8, 56, 56},
        {"orb3.mz", 8, 8, 56, 56},
    };
    for (const Expected& e : images) {
        Bitmap b = loadImage(e.name);
        ASSERT_TRUE(b) << e.name;
        EXPECT_GE(b->w, e.minW) << e.name;
        EXPECT_LE(b->w, e.maxW) << e.name;
        EXPECT_GE(b->h, e.minH) << e.name;
        EXPECT_LE(b->h, e.maxH) << e.name;
    }
    Bitmap debris = loadImage("debris.mz");
    EXPECT_EQ(debris->w % 8, 0) << "debris is a row of whole 8 x 8 tiles";

    // Clouds of different sizes, each with transparent corners so they read as soft shapes.
    std::vector<int> widths;
    for (int i = 1; i <= 5; ++i) {
        Bitmap cloud = loadImage("cloud" + std::to_string(i) + ".mz");
        ASSERT_TRUE(cloud) << "cloud " << i;
        EXPECT_TRUE(isMask(cloud.get(), 0, 0)) << "cloud " << i;
        EXPECT_TRUE(isMask(cloud.get(), cloud->w - 1, 0)) << "cloud " << i;
        widths.push_back(cloud->w);
    }
    std::sort(widths.begin(), widths.end());
    EXPECT_EQ(std::unique(widths.begin(), widths.end()), widths.end());
}

TEST_F(DataSetTest, TheHealthBarFrameIsHollowSoTheFillShowsThrough) {
    Bitmap bar = loadImage("redbar.mz");
    ASSERT_TRUE(bar);
    // The fill, copied from (1, 1), 50 x 7, must be solid everywhere.
    for (int y = 1; y < 8; ++y)
        for (int x = 1; x < 51; ++x)
            ASSERT_FALSE(isMask(bar.get(), x, y)) << x << "," << y;
    // The frame at (0, 10) is drawn at (11, 220) and the fill at (12, 221): the 50 x 7 inside
    // must be transparent, and the border around it drawn.
    for (int y = 11; y < 18; ++y)
        for (int x = 1; x < 51; ++x)
            ASSERT_TRUE(isMask(bar.get(), x, y)) << x << "," << y;
    for (int x = 0; x < 52; ++x) {
        EXPECT_FALSE(isMask(bar.get(), x, 10)) << x;
        EXPECT_FALSE(isMask(bar.get(), x, 18)) << x;
    }
}

TEST_F(DataSetTest, ButtonLooksDifferAroundTheirIcons) {
    Bitmap slots = loadImage("slots.mz");
    ASSERT_TRUE(slots);
    // The icon covers the inside of a button; what tells the looks apart is the outer ring.
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b) {
            bool differ = false;
            for (int i = 0; i < 19 && !differ; ++i)
                differ =
                    !(pixelAt(slots.get(), 19 * a + i, 0) == pixelAt(slots.get(), 19 * b + i, 0)) ||
                    !(pixelAt(slots.get(), 19 * a + i, 18) == pixelAt(slots.get(), 19 * b + i, 18));
            EXPECT_TRUE(differ) << "looks " << a << " and " << b;
        }
}

// The second row of an icon image holds each icon greyed: the same shape without colour.
void expectGreyedRowMatches(BITMAP* icons, int column) {
    int drawn = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 16 * column; x < 16 * column + 16; ++x) {
            const bool inIcon = !isMask(icons, x, y);
            ASSERT_EQ(inIcon, !isMask(icons, x, y + 16)) << "column " << column;
            if (!inIcon)
                continue;
            ++drawn;
            Rgb grey = pixelAt(icons, x, y + 16);
            EXPECT_LE(std::max({grey.r, grey.g, grey.b}) - std::min({grey.r, grey.g, grey.b}), 8)
                << "column " << column << " at " << x << "," << y;
        }
    EXPECT_GT(drawn, 40) << "column " << column << " is (nearly) empty";
}

TEST_F(DataSetTest, EveryIconHasAGreyedTwin) {
    Bitmap icons = loadImage("icons.mz");
    ASSERT_TRUE(icons);
    for (int tower = 0; tower < 3; ++tower)
        expectGreyedRowMatches(icons.get(), tower + 1);

    Bitmap upgrades = loadImage("upgrade_icons.mz");
    ASSERT_TRUE(upgrades);
    std::vector<int> columns = {0, 1}; // "Demolish" and "Repair"
    for (int t = 1; t <= 3; ++t)
        for (int u = 1; u <= strings.getInt(key("Tower%d.Upgrades", t)); ++u)
            for (int l = 1; l <= strings.getInt(key("Tower%d.Upgrade%d.Levels", t, u)); ++l)
                columns.push_back(strings.getInt(key("Tower%d.Upgrade%d.Level%d.Icon", t, u, l)));
    for (int c : columns) {
        ASSERT_LT(16 * c + 15, upgrades->w) << "icon column " << c << " is past the image";
        expectGreyedRowMatches(upgrades.get(), c);
    }
}

TEST_F(DataSetTest, TheBackgroundKeepsTheHudStripDarkAndTheSkyLighterAtTheHorizon) {
    Bitmap bg = loadImage("bg.mz");
    ASSERT_TRUE(bg);
    for (int y = 220; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_LT(luminance(pixelAt(bg.get(), x, y)), 70) << x << "," << y;
    auto rowLight = [&](int y) {
        int sum = 0;
        for (int x = 0; x < 320; ++x)
            sum += luminance(pixelAt(bg.get(), x, y));
        return sum / 320;
    };
    EXPECT_LT(rowLight(10), rowLight(170));
}

TEST_F(DataSetTest, SheetsHaveTheRowsTheirEntitiesPlay) {
    struct Expected {
        const char* file;
        unsigned rows;
        int w, h; // frame size of row 0, or 0 for "any"
    };
    const Expected sheets[] = {
        {"data/poof.sz", 1, 0, 0},        {"data/explosion_small.sz", 1, 0, 0},
        {"data/puff1.sz", 1, 0, 0},       {"data/puff2.sz", 1, 0, 0},
        {"data/missile.sz", 16, 0, 0},    {"data/orb4.sz", 1, 8, 8},
        {"data/alienbullet.sz", 1, 0, 0}, {"data/orbbomb.sz", 1, 16, 16},
    };
    for (const Expected& e : sheets) {
        auto s = loadSheet(e.file);
        ASSERT_TRUE(s->image) << e.file;
        ASSERT_GE(s->rowCount(), e.rows) << e.file;
        for (unsigned r = 0; r < e.rows; ++r)
            ASSERT_NE(s->frame(r, 0.0f), nullptr) << e.file << " row " << r;
        if (e.w) {
            EXPECT_EQ(s->frame(0, 0.0f)->w, e.w) << e.file;
            EXPECT_EQ(s->frame(0, 0.0f)->h, e.h) << e.file;
        }
    }
    // One-shot effects play row 0 once: long enough to see, short enough not to linger.
    for (const char* file :
         {"data/poof.sz", "data/explosion_small.sz", "data/puff1.sz", "data/puff2.sz"}) {
        auto s = loadSheet(file);
        EXPECT_GE(s->animRow(0).frameCount, 5u) << file;
        EXPECT_GE(s->cycleLength(0), 0.2) << file;
        EXPECT_LE(s->cycleLength(0), 0.8) << file;
    }
    auto puff2 = loadSheet("data/puff2.sz");
    EXPECT_LE(puff2->frame(0, 0.0f)->w, 10);
    // Animated loops really animate.
    for (const char* file : {"data/orb4.sz", "data/alienbullet.sz", "data/orbbomb.sz"})
        EXPECT_GE(loadSheet(file)->animRow(0).frameCount, 2u) << file;
    // The missile turns through sixteen directions: neighbouring rows show different pictures.
    auto missile = loadSheet("data/missile.sz");
    for (unsigned r = 0; r < 16; ++r) {
        BITMAP* a = missile->frame(r, 0.0f);
        BITMAP* b = missile->frame((r + 1) % 16, 0.0f);
        bool differ = false;
        for (int y = 0; y < a->h && !differ; ++y)
            for (int x = 0; x < a->w && !differ; ++x)
                differ = getpixel(a, x, y) != getpixel(b, x, y);
        EXPECT_TRUE(differ) << "rows " << r << " and " << (r + 1) % 16;
    }
}

TEST_F(DataSetTest, TowerSheetsStandOnTheirFootprints) {
    const unsigned rowsNeeded[3] = {3, 5, 2}; // laser fires on row 2; missile launches on 3 and 4
    for (int t = 1; t <= 3; ++t) {
        auto s = loadSheet(strings.get(key("Tower%d.Sprite", t)));
        ASSERT_TRUE(s->image) << "tower " << t;
        ASSERT_GE(s->rowCount(), rowsNeeded[t - 1]) << "tower " << t;
        BITMAP* rest = s->frame(0, 0.0f);
        ASSERT_NE(rest, nullptr);
        EXPECT_GE(rest->w, 16 - 2) << "tower " << t;
        EXPECT_LE(rest->w, 20) << "tower " << t;
        EXPECT_GE(rest->h, 20) << "tower " << t;
        EXPECT_LE(rest->h, 26) << "tower " << t;
        // Every frame is the size of the standing one, so the tower never jumps while animating.
        for (unsigned r = 0; r < s->rowCount(); ++r)
            for (uint32_t k = 0; k < s->animRow(r).frameCount; ++k) {
                BITMAP* f = s->frames[s->animRow(r).frames[k]];
                EXPECT_EQ(f->w, rest->w) << "tower " << t << " row " << r;
                EXPECT_EQ(f->h, rest->h) << "tower " << t << " row " << r;
            }
        // The footprint is about the base: not wider than the sprite, not much narrower.
        const int width = strings.getInt(key("Tower%d.Width", t));
        EXPECT_LE(width, rest->w) << "tower " << t;
        EXPECT_GE(width, rest->w - 4) << "tower " << t;
        // The tower touches the ground line: its lowest row is drawn.
        int drawn = 0;
        for (int x = 0; x < rest->w; ++x)
            drawn += !isMask(rest, x, rest->h - 1);
        EXPECT_GE(drawn, width - 2) << "tower " << t;
    }
}

TEST_F(DataSetTest, TheSquibbleSheetMatchesItsHitRadius) {
    auto s = loadSheet(strings.get("Invader1.Sprite"));
    ASSERT_TRUE(s->image);
    ASSERT_GE(s->rowCount(), 4u); // healthy loop and flash, wounded loop and flash
    for (unsigned r = 0; r < 4; ++r)
        ASSERT_NE(s->frame(r, 0.0f), nullptr) << "row " << r;
    BITMAP* f = s->frame(0, 0.0f);
    EXPECT_GE(f->w, 12);
    EXPECT_LE(f->w, 14);
    const double size = strings.getReal("Invader1.Size");
    EXPECT_NEAR(size, f->w / 2.0, 1.0) << "the hit circle should cover the sprite";
    // The hit flashes hand back to their loops, so they must be short.
    EXPECT_LE(s->cycleLength(1), 0.3);
    EXPECT_LE(s->cycleLength(3), 0.3);
    EXPECT_GE(s->animRow(0).frameCount, 2u) << "the healthy squibble breathes";
}

TEST_F(DataSetTest, FontsCutIntoEveryPrintableCharacter) {
    int mainHeight = 0, smallHeight = 0;
    for (const char* fontKey : {"FontMain", "FontMainRed", "FontSmall", "FontSmallRed"}) {
        BitmapFont font(sourcePath(strings.get(fontKey)).c_str());
        ASSERT_TRUE(font.image) << fontKey;
        // Printable ASCII and the tool tips' arrow at 127.
        EXPECT_EQ(font.glyphCount(), 96) << fontKey;
        const int height = font.glyph(' ') ? font.glyph(' ')->h : 0;
        for (int c = 32; c <= 127; ++c) {
            BITMAP* g = font.glyph(static_cast<unsigned char>(c));
            ASSERT_NE(g, nullptr) << fontKey << " has no glyph for " << c;
            EXPECT_EQ(g->h, height) << fontKey << " glyph " << c;
            EXPECT_GT(g->w, 1) << fontKey << " glyph " << c;
        }
        // Text images are cut at 10 pixels, and menu lines are 10 pixels apart.
        EXPECT_LE(height, 10) << fontKey;
        (std::string(fontKey).find("Small") == std::string::npos ? mainHeight : smallHeight) =
            height;
    }
    EXPECT_LT(smallHeight, mainHeight);
}

TEST_F(DataSetTest, TheRedFontsAreTheSameGlyphsInRed) {
    for (const auto& pair :
         {std::make_pair("FontMain", "FontMainRed"), std::make_pair("FontSmall", "FontSmallRed")}) {
        BitmapFont plain(sourcePath(strings.get(pair.first)).c_str());
        BitmapFont red(sourcePath(strings.get(pair.second)).c_str());
        EXPECT_EQ(plain.textWidth("Waves Defeated: 10"), red.textWidth("Waves Defeated: 10"));
        BITMAP* a = red.glyph('A');
        ASSERT_NE(a, nullptr);
        int reddish = 0;
        for (int y = 0; y < a->h; ++y)
            for (int x = 0; x < a->w; ++x) {
                Rgb c = pixelAt(a, x, y);
                reddish += c.r > 150 && c.r > 2 * c.g && c.r > 2 * c.b;
            }
        EXPECT_GT(reddish, 5) << pair.second;
    }
}

TEST_F(DataSetTest, SoundsLoadAreShortAndDoNotClip) {
    for (const char* name : {"bip", "bip2", "boom1", "zoop", "laserhit", "place", "death",
                             "upgrade", "missile", "bounce"}) {
        SAMPLE* s = load_sample(sourcePath(std::string("data/") + name + ".wav").c_str());
        ASSERT_NE(s, nullptr) << name;
        const double seconds = double(s->len) / s->freq;
        EXPECT_GE(seconds, 0.05) << name;
        EXPECT_LE(seconds, 0.8) << name;
        ASSERT_EQ(s->bits, 16) << name;
        // Allegro keeps 16-bit samples unsigned, centred on 0x8000.
        const unsigned short* data = static_cast<const unsigned short*>(s->data);
        int peak = 0;
        for (unsigned long i = 0; i < s->len * (s->stereo ? 2 : 1); ++i)
            peak = std::max(peak, std::abs(int(data[i]) - 0x8000));
        EXPECT_LT(peak, 32000) << name << " clips";
        EXPECT_GT(peak, 3000) << name << " is nearly silent";
        destroy_sample(s);
    }
}

TEST_F(DataSetTest, TheTowersAndFilesTheGameStartsWithAreThere) {
    EXPECT_EQ(strings.get("WindowTitle"), "Groundline");
    // The three towers, each with upgrades to buy.
    for (int t = 1; t <= 3; ++t) {
        EXPECT_NE(strings.getInt(key("Tower%d.Available", t)), 0) << t;
        EXPECT_GE(strings.getInt(key("Tower%d.Upgrades", t)), 1) << t;
    }
    for (const char* file : {"Invader1.Sprite", "Tower1.Sprite", "Tower2.Sprite", "Tower3.Sprite",
                             "FontMain", "FontMainRed", "FontSmall", "FontSmallRed"})
        EXPECT_TRUE(std::ifstream(sourcePath(strings.get(file))).good()) << file;
}

TEST_F(DataSetTest, TheStringFileHasOnlyCommentsAndCleanKeyValueLines) {
    std::ifstream in(sourcePath("data/strings.txt"), std::ios::binary);
    ASSERT_TRUE(in);
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        ++n;
        if (line.empty() || line[0] == '#')
            continue;
        // Nothing is trimmed when the game reads the file: stray spaces would become part of
        // a key or a value.
        EXPECT_EQ(line.find('\r'), std::string::npos) << "line " << n;
        EXPECT_NE(line.back(), ' ') << "line " << n << ": " << line;
        const size_t eq = line.find('=');
        ASSERT_NE(eq, std::string::npos) << "line " << n << ": " << line;
        EXPECT_EQ(line.find('=', eq + 1), std::string::npos) << "line " << n;
        EXPECT_EQ(line.find(' ', 0), line.find(' ', eq)) << "line " << n << ": space in key";
        EXPECT_NE(line[eq + 1], ' ') << "line " << n;
    }
}

// Tool tips are right-aligned left of the buttons; they must stay clear of the health bar and
// the money on the left of the HUD, which end at x 63.
TEST_F(DataSetTest, ToolTipsFitBetweenTheHudAndTheButtons) {
    const int hudRight = 63;
    BitmapFont main(sourcePath(strings.get("FontMain")).c_str());
    BitmapFont small(sourcePath(strings.get("FontSmall")).c_str());
    main.spacing = strings.getInt("FontMainKerning");
    small.spacing = strings.getInt("FontSmallKerning");
    const int spacing = strings.getInt("ButtonSpacing");
    for (int t = 1; t <= 3; ++t) {
        const std::string name = strings.get(key("Tower%d.Name", t));
        const int value = strings.getInt(key("Tower%d.Value", t));
        // The build bar.
        const int barX = 317 - 3 * spacing;
        EXPECT_GT(barX - main.printWidth("%s - $%d", name.c_str(), value), hudRight) << name;
        EXPECT_GT(barX - small.textWidth(strings.get(key("Tower%d.Description", t)).c_str()),
                  hudRight)
            << name;
        // Placing, with a price of up to four digits.
        EXPECT_GT(317 - spacing - main.printWidth("Placing %s - $%d", name.c_str(), 9999), hudRight)
            << name;
        // The tower menu.
        const int upgrades = strings.getInt(key("Tower%d.Upgrades", t));
        const int menuX = 317 - (upgrades + 2) * spacing;
        EXPECT_GT(menuX - small.textWidth("Recover some cash!"), hudRight) << name;
        EXPECT_GT(menuX - main.printWidth("%s - +$%d", "Demolish", 9999), hudRight) << name;
        for (int u = 1; u <= upgrades; ++u) {
            const std::string title = strings.get(key("Tower%d.Upgrade%d.Name", t, u));
            const std::string desc = strings.get(key("Tower%d.Upgrade%d.Description", t, u));
            EXPECT_GT(menuX - main.printWidth("%s (Lv %d) - $%d", title.c_str(), 3, 9999), hudRight)
                << title;
            EXPECT_GT(menuX - small.textWidth(desc.c_str()), hudRight) << title;
        }
    }
}

// An upgrade in the data without a row would be sold for nothing; a row whose key is misspelt
// would add 0 for ever.
TEST_F(DataSetTest, EveryUpgradeOfTheDataHasItsRowAndEveryRowItsKeys) {
    for (int type = 0; type < kTowerTypeCount; ++type) {
        const TowerKind* kind = towerKind(type);
        ASSERT_NE(kind, nullptr);
        ASSERT_EQ(strings.getInt(key("Tower%d.Upgrades", type + 1)), kind->upgradeCount)
            << kind->name;
        for (int k = 0; k < kind->upgradeCount; ++k) {
            const UpgradeRow& row = kind->upgrades[k];
            EXPECT_EQ(strings.get(key("Tower%d.Upgrade%d.Name", type + 1, k + 1)), row.name);
            if (row.stepKey)
                EXPECT_TRUE(strings.contains(row.stepKey)) << row.stepKey;
            else
                EXPECT_EQ(strings.getInt(key("Tower%d.Upgrade%d.Levels", type + 1, k + 1)), 1)
                    << row.name << ": a part is fitted once";
        }
    }
}

// A period of zero or less would fire on every frame; upgrades must never take a tower there.
TEST_F(DataSetTest, FullyUpgradedTowersStillHaveAPositiveFiringPeriod) {
    auto period = [&](int tower, int upgrade, const char* modKey) {
        const int levels = strings.getInt(key("Tower%d.Upgrade%d.Levels", tower, upgrade));
        return strings.getReal(key("Tower%d.FreqBase", tower)) + levels * strings.getReal(modKey);
    };
    EXPECT_GT(period(1, 1, "Tower1.Upgrade1.Level1.FreqMod"), 0.1);
    EXPECT_GT(period(2, 1, "Tower2.Upgrade1.Level1.FreqMod"), 0.1);
    EXPECT_GT(strings.getReal("Tower1.Upgrade2.Level1.MissileFreq"), 0.1);
    EXPECT_GT(strings.getReal("Tower3.FreqBase"), 0.0);
    EXPECT_GT(strings.getReal("Tower3.RangeGrowth"), 0.0) << "a coil that never charges";
    // Every Freq modifier speeds up, every other modifier strengthens.
    EXPECT_LT(strings.getReal("Tower1.Upgrade1.Level1.FreqMod"), 0.0);
    EXPECT_LT(strings.getReal("Tower2.Upgrade1.Level1.FreqMod"), 0.0);
    EXPECT_GT(strings.getReal("Tower2.Upgrade2.Level2.SplashMod"), 0.0);
    EXPECT_GT(strings.getInt("Tower3.Upgrade1.Level1.DamageMod"), 0);
}

} // namespace

// The string table keeps every key looked up, a missing one as an empty entry. After the start-up
// (fonts, sprites, types, layout) and a drawn game through a boss wave, with every tower kind
// built, every upgrade bought to its last level, repairs and early calls, each key the table
// holds must be in the data with a value.
class DataKeysTest : public AppFixture {};

TEST_F(DataKeysTest, EveryKeyTheGameReadsIsInTheData) {
    ASSERT_TRUE(gameDataLoaded());
    StringTable data;
    ASSERT_TRUE(data.load(sourcePath("data/strings.txt")));
    std::string script = "start repair below 90\nstart early\n";
    const char* const kinds[] = {"laser", "missile", "tesla"};
    for (int t = 1; t <= 3; ++t) {
        const int x = 60 * t;
        script += "start build " + std::string(kinds[t - 1]) + " " + std::to_string(x) + "\n";
        for (int u = 1; u <= data.getInt(StringTable::key("Tower%d.Upgrades", t)); ++u)
            script += "start upgrade " + std::to_string(x) + " " + std::to_string(u) + " " +
                      data.get(StringTable::key("Tower%d.Upgrade%d.Levels", t, u)) + "\n";
    }
    Strategy strategy;
    std::string error;
    ASSERT_TRUE(parseStrategy(script, strategy, error)) << error;
    ScopedString rich("StartingMoney", "1000000");
    SimOptions options;
    options.script = &strategy;
    options.startWave = 9; // the boss comes second
    options.waves = 2;
    options.drawEvery = 1;
    options.step = 0.05; // coarse frames play the same keys, five times sooner
    std::ostringstream report;
    ASSERT_EQ(runSimulation(options, report), 0);
    ASSERT_NE(report.str().find("\n   10 "), std::string::npos) << report.str();

    for (const std::string& key : GameApp::instance()->strings.keys())
        EXPECT_FALSE(data.get(key).empty()) << key << " is read but not in data/strings.txt";
}
