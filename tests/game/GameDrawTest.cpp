#include "app/GameApp.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "gfx/BitmapFont.h"
#include "gfx/SpriteSheet.h"
#include "invaders/SquibbleWave.h"
#include "support/TestSupport.h"
#include "towers/Building.h"
#include "towers/LaserTurret.h"
#include "towers/TeslaCoil.h"
#include "towers/TowerKinds.h"

#include <allegro.h>

#include <cmath>
#include <string>

namespace {

class GameDrawTest : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        if (!game)
            return;
        app = GameApp::instance();
        bmp = app->backBuffer->bitmap;
        game->waveTimer = 1000.0;
        setMouse(5, 5, 0);
    }
    void TearDown() override {
        if (copy)
            destroy_bitmap(copy);
        GameFixture::TearDown();
    }

    // Draws a frame and keeps a copy of it.
    BITMAP* frame() {
        game->draw(false);
        if (!copy)
            copy = create_bitmap(bmp->w, bmp->h);
        blit(bmp, copy, 0, 0, 0, 0, bmp->w, bmp->h);
        return copy;
    }

    // True when the two pictures agree in the rectangle [x0, x1) x [y0, y1).
    static bool sameIn(BITMAP* a, BITMAP* b, int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (getpixel(a, x, y) != getpixel(b, x, y))
                    return false;
        return true;
    }

    int differingColumns(BITMAP* a, BITMAP* b, int x0, int x1, int y0, int y1) {
        int count = 0;
        for (int x = x0; x < x1; ++x)
            if (!sameIn(a, b, x, y0, x + 1, y1))
                ++count;
        return count;
    }

    // A tool tip has the panel from the wave's lines to its right edge to itself.
    void clearTipPanel(BITMAP* picture, int tipX) {
        blit(app->bgImage, picture, kWaveLinesX, kPanelTop, kWaveLinesX, kPanelTop,
             tipX - kWaveLinesX + 1, 240 - kPanelTop);
    }

    // Which of the four slot looks button i shows, judged on the pixels its icon leaves free.
    int lookOfButton(BITMAP* picture, int i) {
        const int bx = kButtonX - i * app->buttonSpacing;
        for (int look = 0; look < 4; ++look) {
            bool matches = true;
            for (int y = 0; y < kButtonSize && matches; ++y) {
                for (int x = 0; x < kButtonSize && matches; ++x) {
                    bool underIcon = x >= 1 && x <= 17 && y >= 1 && y <= 17;
                    int c = getpixel(app->slotsImage, kButtonSize * look + x, y);
                    if (underIcon || c == makecol(255, 0, 255))
                        continue;
                    matches = getpixel(picture, bx + x, kButtonY + y) == c;
                }
            }
            if (matches)
                return look;
        }
        return -1;
    }

    // How many pixels of the rectangle [x0, x1) x [y0, y1) have the colour.
    static int countColour(BITMAP* picture, int x0, int y0, int x1, int y1, int r, int g, int b) {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                count += getpixel(picture, x, y) == makecol(r, g, b);
        return count;
    }

    GameApp* app = nullptr;
    BITMAP* bmp = nullptr;
    BITMAP* copy = nullptr;
};

TEST_F(GameDrawTest, TheHealthBarFillIsHalfAPixelPerPercent) {
    game->maxHealth = 40;
    game->health = 0;
    BITMAP* empty = create_bitmap(320, 240);
    blit(frame(), empty, 0, 0, 0, 0, 320, 240);
    game->health = 10; // 10 * 50 / 40 = 12 pixels
    EXPECT_EQ(differingColumns(frame(), empty, 12, 30, 221, 228), 12);
    game->maxHealth = 20;
    game->health = 1; // 1 * 50 / 20 = 2 pixels
    EXPECT_EQ(differingColumns(frame(), empty, 12, 30, 221, 228), 2);
    destroy_bitmap(empty);
}

// While a wave's toll is limited, a gold mark on the bar shows how low the wave can take the base.
TEST_F(GameDrawTest, AWavesTollIsAGoldMarkWhereItCanTakeTheBase) {
    game->maxHealth = 40;
    game->health = 40;
    auto* wave = new SquibbleWave(1);
    game->wave = wave;
    wave->tollLeft = 8; // down to 32: 32 * 50 / 40 = 40 pixels into the bar, clear of the figure
    EXPECT_EQ(countColour(frame(), 52, 219, 53, 229, 255, 208, 64), 10);
    EXPECT_EQ(countColour(copy, 12, 215, 64, 232, 255, 208, 64), 13) << "one mark, with its head";
    // Under the figure, its head still shows above the bar.
    wave->tollLeft = 20; // 20 * 50 / 40 = 25 pixels in
    EXPECT_EQ(countColour(frame(), 36, 218, 39, 219, 255, 208, 64), 3);
    wave->tollLeft = -1;
    EXPECT_EQ(countColour(frame(), 12, 215, 64, 232, 255, 208, 64), 0);
}

TEST_F(GameDrawTest, TheBuildBarShowsWhatTheMoneyAllows) {
    game->money = app->towerDefs[0].value;
    ASSERT_LT(game->money, app->towerDefs[1].value);
    frame();
    EXPECT_EQ(lookOfButton(copy, 0), 0);
    EXPECT_EQ(lookOfButton(copy, 1), 2);
    setMouse(kButtonX + 5, kButtonY + 5, 0);
    frame();
    EXPECT_EQ(lookOfButton(copy, 0), 1);
    setMouse(kButtonX + 5, kButtonY + 5, 1);
    frame();
    EXPECT_EQ(lookOfButton(copy, 0), 3);

    // A kind that is not available looks, icon and all, as if unaffordable, however rich.
    TowerDef& def = app->towerDefs[2];
    setMouse(5, 5, 0);
    game->money = def.value - 1;
    BITMAP* poor = create_bitmap(320, 240);
    blit(frame(), poor, 0, 0, 0, 0, 320, 240);
    game->money = 1000 * def.value;
    def.available = false;
    frame();
    def.available = true;
    const int bx = kButtonX - 2 * app->buttonSpacing;
    EXPECT_TRUE(sameIn(copy, poor, bx, kButtonY, bx + kButtonSize, kButtonY + kButtonSize));
    destroy_bitmap(poor);
}

TEST_F(GameDrawTest, TheHudShowsTheMoneyBelowTheHealth) {
    game->money = 0;
    BITMAP* poor = create_bitmap(320, 240);
    blit(frame(), poor, 0, 0, 0, 0, 320, 240);
    game->money = 9053;
    BITMAP* expected = create_bitmap(320, 240);
    blit(frame(), expected, 0, 0, 0, 0, 320, 240);
    // Printing the text again over it changes nothing, and there is nothing to its right.
    app->fontMain->draw(expected, 2, 229, "$ 9053");
    EXPECT_TRUE(sameIn(copy, expected, 0, 229, 320, 240));
    const int right = 2 + app->fontMain->textWidth("$ 9053");
    EXPECT_TRUE(sameIn(copy, poor, right + 1, 229, 120, 240));
    destroy_bitmap(expected);
    destroy_bitmap(poor);
}

TEST_F(GameDrawTest, ABuildButtonsToolTipNamesThePriceInRedWhenUnaffordable) {
    const TowerDef& def = app->towerDefs[1];
    const int tipX = 317 - 3 * app->buttonSpacing;
    for (int money : {def.value, def.value - 1}) {
        game->money = money;
        setMouse(5, 5, 0);
        BITMAP* expected = create_bitmap(320, 240);
        blit(frame(), expected, 0, 0, 0, 0, 320, 240);
        const BitmapFont* font = money < def.value ? app->fontMainRed : app->fontMain;
        clearTipPanel(expected, tipX);
        font->printRight(expected, tipX, 220, "%s - $%d", def.name.c_str(), def.value);
        app->fontSmall->drawRight(expected, tipX, 230, def.description.c_str());

        setMouse(kButtonX - app->buttonSpacing + 5, kButtonY + 5, 0);
        EXPECT_TRUE(sameIn(frame(), expected, 64, 218, tipX + 1, 240)) << "money " << money;
        destroy_bitmap(expected);
    }
}

TEST_F(GameDrawTest, PlacingShowsThePreviewAndTheCancelHint) {
    ScopedString solid("GhostOpacity", "255");
    game->money = 100000;
    game->uiMode = kUiPlacing;
    game->placingType = 0;
    setMouse(100, 100, 0);
    const TowerDef& def = app->towerDefs[0];
    BITMAP* rest = def.sprite->frame(0, 0.0f);
    BITMAP* expected = create_bitmap(320, 240);
    // The same frame without the bottom-right controls: a mode the panel draws none for.
    game->uiMode = -1;
    setMouse(400, 400, 0);
    blit(frame(), expected, 0, 0, 0, 0, 320, 240);
    setMouse(100, 100, 0);
    game->uiMode = kUiPlacing;
    def.sprite->draw(expected, 100 - rest->w / 2, app->towerBaseline - rest->h, 0, 0.0f);
    const int tipX = 317 - app->buttonSpacing;
    app->fontMain->printRight(expected, tipX, 220, "Placing %s - $%d", def.name.c_str(), def.value);
    app->fontSmall->drawRight(expected, tipX, 230, "Right click to cancel");
    EXPECT_TRUE(sameIn(frame(), expected, 64, 150, tipX + 1, 240));
    destroy_bitmap(expected);
}

TEST_F(GameDrawTest, ThePreviewTurnsToItsRefusedPictureOverAnotherTower) {
    ScopedString solid("GhostOpacity", "255");
    Building* tower = createTower(0);
    tower->placeAt(90);
    game->buildings.push_back(tower);
    game->money = 100000;
    game->uiMode = kUiPlacing;
    game->placingType = 0;
    const TowerDef& def = app->towerDefs[0];
    BITMAP* refused = def.sprite->frame(1, 0.0f);
    ASSERT_NE(refused, nullptr);
    setMouse(95, 100, 0);
    ASSERT_FALSE(game->canPlace());
    frame();
    const int left = 95 - def.sprite->frame(0, 0.0f)->w / 2;
    const int top = app->towerBaseline - def.sprite->frame(0, 0.0f)->h;
    int matching = 0, opaque = 0;
    for (int y = 0; y < refused->h; ++y)
        for (int x = 0; x < refused->w; ++x)
            if (getpixel(refused, x, y) != makecol(255, 0, 255)) {
                ++opaque;
                matching += getpixel(copy, left + x, top + y) == getpixel(refused, x, y);
            }
    EXPECT_GT(opaque, 0);
    EXPECT_EQ(matching, opaque);
}

TEST_F(GameDrawTest, TheTowerMenuShowsPricesAndLevels) {
    Building* tower = createTower(0);
    tower->placeAt(100);
    game->buildings.push_back(tower);
    game->selected = tower;
    game->uiMode = kUiTowerMenu;
    const TowerDef& def = app->towerDefs[0];
    const int tipX = 317 - def.entryCount * app->buttonSpacing;
    const UpgradeDef& upgrade = def.entries[kFirstUpgradeEntry];
    ASSERT_GE(upgrade.levelCount, 2) << "the laser's first upgrade has several levels";

    auto tipMatches = [&](int entry, const std::string& title, const BitmapFont* font,
                          const std::string& ownDetail = "") {
        setMouse(5, 5, 0);
        BITMAP* expected = create_bitmap(320, 240);
        blit(frame(), expected, 0, 0, 0, 0, 320, 240);
        clearTipPanel(expected, tipX);
        font->drawRight(expected, tipX, 220, title.c_str());
        std::string detail = def.entries[entry].description;
        if (entry >= kFirstUpgradeEntry) {
            const int k = entry - kFirstUpgradeEntry;
            detail = describeChange(tower->upgradeChange(k),
                                    tower->upgradeLevels[k] < def.entries[entry].levelCount);
        }
        if (!ownDetail.empty())
            detail = ownDetail;
        app->fontSmall->drawRight(expected, tipX, 230, detail.c_str());
        setMouse(kButtonX - entry * app->buttonSpacing + 5, kButtonY + 5, 0);
        bool same = sameIn(frame(), expected, 0, 218, tipX + 1, 240);
        destroy_bitmap(expected);
        return same;
    };

    game->money = 100000;
    tower->health = tower->maxHealth();
    EXPECT_TRUE(tipMatches(kDemolishEntry, "Demolish - +$" + std::to_string(tower->sellValue()),
                           app->fontMain));
    EXPECT_TRUE(tipMatches(kRepairEntry, "Repair - $0", app->fontMain));
    EXPECT_EQ(lookOfButton(copy, kRepairEntry), 2) << "nothing to repair";
    // Short of the whole price, what the money mends; without a point's price, red and greyed.
    tower->health = 1;
    const int cost = tower->repairCost();
    game->money = cost - 1;
    const Building::RepairOffer part = tower->repairOffer(game->money);
    ASSERT_GT(part.points, 0);
    EXPECT_TRUE(tipMatches(kRepairEntry, "Repair - $" + std::to_string(part.price), app->fontMain,
                           "Mends " + std::to_string(part.points) + " of " +
                               std::to_string(tower->maxHealth() - 1) + " lost health"));
    game->money = 0;
    EXPECT_TRUE(tipMatches(kRepairEntry, "Repair - $" + std::to_string(cost), app->fontMainRed));
    EXPECT_EQ(lookOfButton(copy, kRepairEntry), 2);
    game->money = 100000;
    tower->health = tower->maxHealth();
    EXPECT_TRUE(tipMatches(kFirstUpgradeEntry,
                           upgrade.name + " (Lv 1) - $" + std::to_string(upgrade.levels[0].value),
                           app->fontMain));
    app->strings.set("UpgradeRepeatPriceGrowth", "0"); // no repeats: the last level is the end
    tower->upgradeLevels[0] = upgrade.levelCount;
    EXPECT_TRUE(tipMatches(kFirstUpgradeEntry, upgrade.name + " - Max", app->fontMainRed));
    EXPECT_EQ(lookOfButton(copy, kFirstUpgradeEntry), 2);

    // A one-level upgrade names no level: its price before, red when it cannot be paid, and
    // "Max" once bought.
    const int single = kFirstUpgradeEntry + 1;
    const UpgradeDef& once = def.entries[single];
    ASSERT_EQ(once.levelCount, 1);
    const std::string price = once.name + " - $" + std::to_string(once.levels[0].value);
    EXPECT_TRUE(tipMatches(single, price, app->fontMain));
    game->money = once.levels[0].value - 1;
    EXPECT_TRUE(tipMatches(single, price, app->fontMainRed));
    tower->upgradeLevels[1] = 1;
    EXPECT_TRUE(tipMatches(single, once.name + " - Max", app->fontMainRed));
}

TEST_F(GameDrawTest, AnUpgradeWithoutLevelsShowsAnEmptyButtonAtItsMax) {
    TowerDef& def = app->towerDefs[0];
    const UpgradeDef saved = def.entries[kFirstUpgradeEntry];
    def.entries[kFirstUpgradeEntry].levelCount = -1;
    def.entries[kFirstUpgradeEntry].levels.clear();
    Building* tower = createTower(0);
    tower->placeAt(100);
    game->buildings.push_back(tower);
    game->selected = tower;
    game->uiMode = kUiTowerMenu;
    game->money = 100000;
    setMouse(kButtonX - kFirstUpgradeEntry * app->buttonSpacing + 5, kButtonY + 5, 0);
    frame();
    const int bx = kButtonX - kFirstUpgradeEntry * app->buttonSpacing;
    BITMAP* expected = create_bitmap(320, 240);
    blit(copy, expected, 0, 0, 0, 0, 320, 240);
    masked_blit(app->slotsImage, expected, 2 * kButtonSize, 0, bx, kButtonY, kButtonSize,
                kButtonSize);
    EXPECT_TRUE(sameIn(copy, expected, bx, kButtonY, bx + kButtonSize, kButtonY + kButtonSize))
        << "only the unusable look, no icon";
    const int tipX = 317 - def.entryCount * app->buttonSpacing;
    app->fontMainRed->printRight(expected, tipX, 220, "%s - Max", saved.name.c_str());
    EXPECT_TRUE(sameIn(copy, expected, 0, 218, tipX + 1, 230));
    destroy_bitmap(expected);
    def.entries[kFirstUpgradeEntry] = saved;
}

// A whole tower shows no bar (its bright green and grey would be over the sky), a damaged one
// does; right after a purchase the placing picture waits off the new tower instead of sitting on
// it in red, until the mouse moves.
TEST_F(GameDrawTest, OnlyDamagedTowersShowBarsAndANewTowerIsNotCoveredInRed) {
    game->money = 100000;
    for (int type = 0; type < kTowerTypeCount; ++type) {
        game->buildings.push_back(createTower(type));
        game->buildings.back()->placeAt(40 + 80 * type);
    }
    const int above = app->towerBaseline - 60;
    auto barPixels = [&] {
        frame();
        return countColour(copy, 0, above, 320, app->towerBaseline, 0, 255, 0) +
               countColour(copy, 0, above, 320, app->towerBaseline, 48, 48, 48);
    };
    EXPECT_EQ(barPixels(), 0);
    game->buildings[1]->health = game->buildings[1]->maxHealth() - 1;
    EXPECT_GT(barPixels(), 0);

    ScopedString solid("GhostOpacity", "255");
    const int x = 280;
    setMouse(kButtonX + 5, kButtonY + 5, 0);
    clickAt(kButtonX + 5, kButtonY + 5);
    game->update(0.02);
    clickAt(x, 150);
    game->update(0.02);
    ASSERT_EQ(game->buildings.size(), 4u);
    ASSERT_EQ(game->uiMode, kUiPlacing);
    const Building* placed = game->buildings.back();
    const int w = placed->restFrameWidth();
    BITMAP* withGhost = create_bitmap(320, 240);
    blit(frame(), withGhost, 0, 0, 0, 0, 320, 240);
    game->uiMode = kUiIdle;
    frame();
    EXPECT_TRUE(sameIn(withGhost, copy, placed->x, above, placed->x + w, app->towerBaseline));
    game->uiMode = kUiPlacing;
    setMouse(x + 1, 150, 0);
    game->update(0.02);
    blit(frame(), withGhost, 0, 0, 0, 0, 320, 240);
    game->uiMode = kUiIdle;
    frame();
    EXPECT_FALSE(sameIn(withGhost, copy, placed->x, above, placed->x + w, app->towerBaseline))
        << "once the mouse moves the refused picture shows";
    destroy_bitmap(withGhost);
}

// A selected coil's dotted circle is its full reach however little it has charged; a selected
// laser's column runs down to the turret and leaves the turret's own picture alone.
TEST_F(GameDrawTest, ASelectionShowsTheCoilsFullReachAndTheLasersColumnAboveIt) {
    auto* coil = static_cast<TeslaCoil*>(createTower(kTeslaCoil));
    coil->placeAt(60);
    coil->chargeRange = 0.0;
    auto* laser = static_cast<LaserTurret*>(createTower(kLaserTurret));
    laser->placeAt(200);
    game->buildings = {coil, laser};
    ASSERT_EQ(countColour(frame(), 0, 0, 320, 240, 150, 200, 255), 0);
    game->uiMode = kUiTowerMenu;
    game->selected = coil;
    frame();
    const double tipX = coil->centreX(), tipY = coil->centreY() - TeslaCoil::kTipRise;
    int dots = 0, astray = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            if (getpixel(copy, x, y) == makecol(150, 200, 255)) {
                ++dots;
                astray += std::abs(std::hypot(x - tipX, y - tipY) - coil->rangeMax) > 1.5;
            }
    EXPECT_GT(dots, 20);
    EXPECT_EQ(astray, 0) << "dots off the full reach of " << coil->rangeMax;

    game->selected = nullptr;
    game->uiMode = kUiIdle;
    BITMAP* unselected = create_bitmap(320, 240);
    blit(frame(), unselected, 0, 0, 0, 0, 320, 240);
    game->selected = laser;
    game->uiMode = kUiTowerMenu;
    frame();
    const int w = laser->restFrameWidth();
    const int top = app->towerBaseline - restFrameHeight(laser->def().sprite);
    // The turret's picture below the column's last row, but for the selection's corners.
    const int x = laser->x, bottom = app->towerBaseline;
    EXPECT_TRUE(sameIn(copy, unselected, x + 4, top + 1, x + w - 4, top + 4));
    EXPECT_TRUE(sameIn(copy, unselected, x, top + 4, x + w, bottom - 4));
    EXPECT_TRUE(sameIn(copy, unselected, x + 4, bottom - 4, x + w - 4, bottom));
    EXPECT_FALSE(sameIn(copy, unselected, laser->muzzleX(), 20, laser->muzzleX() + 1, top - 12))
        << "the column shows above the turret";
    destroy_bitmap(unselected);
}

TEST_F(GameDrawTest, TheGameOverScreenIsGreyWithTheScoreAndTheBest) {
    game->gameOver = true;
    game->waveNumber = 4;
    app->profile.bestWaves = 12;
    game->stats.towersBuilt = 7;
    game->stats.towersLost = 2;
    frame();
    // The story under the best, then the hint how to go on; everything below is grey.
    BITMAP* story = create_bitmap(320, 240);
    blit(copy, story, 0, 0, 0, 0, 320, 240);
    app->fontSmall->draw(story, 163, 96 + 3 * 9, "7 built, 2 lost");
    EXPECT_TRUE(sameIn(copy, story, 160, 96, 320, 140));
    destroy_bitmap(story);
    for (int y = 158; y < 240; y += 7)
        for (int x = 0; x < 320; x += 5) {
            Rgb c = pixelAt(copy, x, y);
            ASSERT_TRUE(c.r == c.g && c.g == c.b) << x << "," << y << " " << c;
        }
    BITMAP* expected = create_bitmap(320, 240);
    blit(copy, expected, 0, 0, 0, 0, 320, 240);
    // The score line and the best under it are the only red texts below the words.
    app->fontSmallRed->printCentred(expected, 160, 74, "Waves Defeated: %d", 3);
    app->fontSmallRed->printCentred(expected, 160, 82, "Best: %d", 12);
    EXPECT_TRUE(sameIn(copy, expected, 0, 70, 320, 95));
    destroy_bitmap(expected);

    // The words keep their red over the grey, every pixel doubled, centred from y = 50.
    BITMAP* words = app->gameOverImage;
    const int left = 160 - words->w;
    int opaque = 0, red = 0;
    for (int y = 0; y < words->h; ++y)
        for (int x = 0; x < words->w; ++x) {
            const Rgb c = pixelAt(words, x, y);
            if (c == Rgb{255, 0, 255})
                continue;
            ++opaque;
            red += c.r > 2 * c.g && c.r > 2 * c.b;
            for (int d = 0; d < 4; ++d)
                ASSERT_EQ(pixelAt(copy, left + 2 * x + d % 2, 50 + 2 * y + d / 2), c)
                    << "word pixel " << x << "," << y;
        }
    EXPECT_GT(opaque, 0);
    EXPECT_GT(2 * red, opaque) << "the words are in the red font";
}

TEST_F(GameDrawTest, TheHealthBarHasRoundedEndsAndAFillToItsFraction) {
    clear_to_color(bmp, makecol(0, 0, 0));
    game->drawHealthBar(bmp, 100, 50, 32, 0.5);
    const Rgb grey{48, 48, 48}, dark{0, 128, 64}, bright{0, 255, 0}, black{0, 0, 0};
    EXPECT_EQ(pixelAt(bmp, 84, 50), dark);   // left, top row
    EXPECT_EQ(pixelAt(bmp, 85, 51), bright); // inside the fill
    EXPECT_EQ(pixelAt(bmp, 100, 52), bright);
    EXPECT_EQ(pixelAt(bmp, 101, 51), grey); // past the fill
    EXPECT_EQ(pixelAt(bmp, 116, 54), grey); // right, bottom row
    EXPECT_EQ(pixelAt(bmp, 117, 52), grey); // rounded right end
    EXPECT_EQ(pixelAt(bmp, 117, 50), black);
    EXPECT_EQ(pixelAt(bmp, 83, 51), dark); // rounded left end
    EXPECT_EQ(pixelAt(bmp, 83, 50), black);
}

TEST_F(GameDrawTest, TheMenuItemUnderTheMouseTurnsRed) {
    game->uiMode = kUiGameMenu;
    setMouse(5, 5, 0);
    BITMAP* expected = create_bitmap(320, 240);
    blit(frame(), expected, 0, 0, 0, 0, 320, 240);
    setMouse(160, kMenuQuitY + 3, 0);
    app->fontMainRed->drawCentred(expected, 160, kMenuQuitY, "Quit Game");
    frame();
    EXPECT_TRUE(sameIn(copy, expected, 0, 0, 320, 200));
    destroy_bitmap(expected);
}

} // namespace
