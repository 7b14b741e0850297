#include "app/GameApp.h"
#include "game/Game.h"
#include "gfx/SpriteSheet.h"
#include "support/TestSupport.h"
#include "towers/Building.h"

#include <allegro.h>

namespace {

// Drives the game through Game::update with scripted mouse snapshots and keys.
class GameInputTest : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        if (!game)
            return;
        app = GameApp::instance();
        // The first wave must not arrive while the controls are exercised.
        game->waveTimer = 1000.0;
    }

    void step() { game->update(0.02); }
    // A frame in which nothing is clicked: the mouse rests at (x, y).
    void hover(int x, int y) {
        setMouse(x, y, 0);
        app->previousButtons = 0;
        step();
    }
    void leftClick(int x, int y) {
        clickAt(x, y);
        step();
        app->previousButtons = 0;
    }
    void rightClick(int x, int y) {
        rightClickAt(x, y);
        step();
        app->previousButtons = 0;
    }
    int buttonX(int i) const { return kButtonX - i * app->buttonSpacing + 5; }
    static constexpr int kButtonCentreY = kButtonY + 9;

    // Places a tower of the type with its centre at x, as the player would, and returns it.
    Building* place(int type, int x) {
        game->money += app->towerDefs[type].value;
        leftClick(buttonX(type), kButtonCentreY);
        EXPECT_EQ(game->uiMode, kUiPlacing);
        std::size_t before = game->buildings.size();
        leftClick(x, app->towerBaseline - 5);
        EXPECT_EQ(game->buildings.size(), before + 1);
        game->uiMode = kUiIdle;
        return game->buildings.empty() ? nullptr : game->buildings.back();
    }
    // A point on the ground-level part of a tower, inside its clickable rectangle.
    int towerClickY(Building*) const { return app->towerBaseline - 2; }

    GameApp* app = nullptr;
};

TEST_F(GameInputTest, AnAffordableBuildButtonEntersPlacingAndRightClickCancels) {
    game->money = app->towerDefs[1].value; // exactly enough
    leftClick(buttonX(1), kButtonCentreY);
    EXPECT_EQ(game->uiMode, kUiPlacing);
    EXPECT_EQ(game->placingType, 1);
    rightClick(100, 100);
    EXPECT_EQ(game->uiMode, kUiIdle);
    EXPECT_EQ(game->money, app->towerDefs[1].value);
    EXPECT_TRUE(game->buildings.empty());
}

TEST_F(GameInputTest, UnaffordableOrUnavailableButtonsDoNothing) {
    game->money = app->towerDefs[0].value - 1;
    leftClick(buttonX(0), kButtonCentreY);
    EXPECT_EQ(game->uiMode, kUiIdle);

    game->money = 100000;
    app->towerDefs[2].available = false;
    leftClick(buttonX(2), kButtonCentreY);
    app->towerDefs[2].available = true;
    EXPECT_EQ(game->uiMode, kUiIdle);
}

TEST_F(GameInputTest, PlacingWithExactMoneySpendsItAllAndReturnsToIdle) {
    const int price = app->towerDefs[1].value;
    game->money = price;
    leftClick(buttonX(1), kButtonCentreY);
    leftClick(120, 150);
    ASSERT_EQ(game->buildings.size(), 1u);
    EXPECT_EQ(game->money, 0);
    EXPECT_EQ(game->uiMode, kUiIdle);
    Building* b = game->buildings[0];
    BITMAP* rest = app->towerDefs[1].sprite->frame(0, 0.0f);
    EXPECT_EQ(b->x, 120 - rest->w / 2);
    EXPECT_EQ(b->type, 1);
}

TEST_F(GameInputTest, PlacingStaysOnWhileTheMoneyLasts) {
    const int price = app->towerDefs[0].value;
    game->money = 3 * price;
    leftClick(buttonX(0), kButtonCentreY);
    leftClick(40, 150);
    EXPECT_EQ(game->uiMode, kUiPlacing);
    leftClick(120, 150);
    EXPECT_EQ(game->uiMode, kUiPlacing);
    leftClick(200, 150);
    EXPECT_EQ(game->uiMode, kUiIdle);
    EXPECT_EQ(game->buildings.size(), 3u);
    EXPECT_EQ(game->money, 0);
}

TEST_F(GameInputTest, LosingTheMoneyWhilePlacingCancels) {
    game->money = app->towerDefs[0].value;
    leftClick(buttonX(0), kButtonCentreY);
    game->money = 0;
    SoundLog sounds;
    hover(100, 100);
    EXPECT_EQ(game->uiMode, kUiIdle);
    EXPECT_EQ(sounds.samples, std::vector<SAMPLE*>{app->sampleBip2});
}

TEST_F(GameInputTest, TowersMayNotTouch) {
    Building* first = place(0, 100);
    ASSERT_NE(first, nullptr);
    const TowerDef& def = app->towerDefs[0];
    const int fw = def.sprite->frame(0, 0.0f)->w;
    const int bl = first->x + (fw - def.width) / 2;
    const int br = bl + def.width;
    game->placingType = 0;
    const int w = def.width;
    // The new tower's left edge (mouseX - w/2) on the old one's right edge: refused.
    app->mouseX = br + w / 2;
    EXPECT_FALSE(game->canPlace());
    app->mouseX = br + 1 + w / 2;
    EXPECT_TRUE(game->canPlace());
    // Its right edge on the old one's left edge: refused; one pixel further left: allowed.
    app->mouseX = bl - w + w / 2;
    EXPECT_FALSE(game->canPlace());
    app->mouseX = bl - w + w / 2 - 1;
    EXPECT_TRUE(game->canPlace());
    // Straddling it entirely: refused.
    app->mouseX = first->x + fw / 2;
    EXPECT_FALSE(game->canPlace());
}

TEST_F(GameInputTest, AWideTowerIsRefusedWhereverItsOwnSpanMeetsANarrowOnesSpan) {
    const int wide = 1, narrow = 2;
    const TowerDef& w = app->towerDefs[wide];
    const TowerDef& n = app->towerDefs[narrow];
    ASSERT_GT(w.width, n.width);
    Building* small = place(narrow, 160);
    ASSERT_NE(small, nullptr);
    const int bl = small->x + (n.sprite->frame(0, 0.0f)->w - n.width) / 2;
    const int br = bl + n.width;
    game->placingType = wide;
    // Covering the narrow span with neither edge inside it.
    app->mouseX = bl - 1 + w.width / 2;
    EXPECT_FALSE(game->canPlace());
    // The wide span's right edge on the narrow one's left edge, then its left edge on the
    // right edge: each refused, and one pixel further out allowed.
    for (int dx : {0, 1}) {
        app->mouseX = bl - w.width + w.width / 2 - dx;
        EXPECT_EQ(game->canPlace(), dx == 1) << "left of it, " << dx;
        app->mouseX = br + w.width / 2 + dx;
        EXPECT_EQ(game->canPlace(), dx == 1) << "right of it, " << dx;
    }
    // And a real click over it builds nothing.
    game->money = w.value;
    leftClick(buttonX(wide), kButtonCentreY);
    leftClick(bl - 1 + w.width / 2, 150);
    EXPECT_EQ(game->buildings.size(), 1u);
    EXPECT_EQ(game->money, w.value);
}

TEST_F(GameInputTest, ARefusedPlacementDoesNothing) {
    Building* first = place(0, 100);
    ASSERT_NE(first, nullptr);
    game->money = app->towerDefs[0].value;
    leftClick(buttonX(0), kButtonCentreY);
    leftClick(100, 150);
    EXPECT_EQ(game->buildings.size(), 1u);
    EXPECT_EQ(game->uiMode, kUiPlacing);
    EXPECT_EQ(game->money, app->towerDefs[0].value);
}

// The panel starts at its top row: a click there buys nothing, one pixel higher places.
TEST_F(GameInputTest, AClickOnThePanelsTopRowNeverPlaces) {
    game->money = 2 * app->towerDefs[0].value;
    leftClick(buttonX(0), kButtonCentreY);
    leftClick(100, kPanelTop);
    EXPECT_TRUE(game->buildings.empty());
    EXPECT_EQ(game->uiMode, kUiPlacing);
    leftClick(100, kPanelTop - 1);
    EXPECT_EQ(game->buildings.size(), 1u);
}

TEST_F(GameInputTest, EachControlSoundsWhenItActsAndOnlyThen) {
    SoundLog sounds;
    const int price = app->towerDefs[0].value;
    game->money = 0;
    leftClick(buttonX(0), kButtonCentreY); // unaffordable: silent
    game->money = price;
    leftClick(buttonX(0), kButtonCentreY); // bip: placing
    rightClick(100, 100);                  // bip2: cancelled
    leftClick(buttonX(0), kButtonCentreY); // bip
    leftClick(100, 150);                   // place, and back to idle with no money left
    ASSERT_EQ(game->buildings.size(), 1u);
    Building* tower = game->buildings[0];
    const int towerX = static_cast<int>(tower->centreX());
    leftClick(towerX, towerClickY(tower));                      // bip: the menu opens
    leftClick(buttonX(kFirstUpgradeEntry + 1), kButtonCentreY); // unaffordable: silent
    game->money = 100000;
    leftClick(buttonX(kFirstUpgradeEntry + 1), kButtonCentreY); // upgrade
    leftClick(250, 100);                                        // bip2: closed on empty ground
    leftClick(towerX, towerClickY(tower));                      // bip
    leftClick(buttonX(kDemolishEntry), kButtonCentreY);         // the blast of the sale
    SAMPLE *bip = app->sampleBip, *bip2 = app->sampleBip2;
    EXPECT_EQ(sounds.samples,
              (std::vector<SAMPLE*>{bip, bip2, bip, app->samplePlace, bip, app->sampleUpgrade, bip2,
                                    bip, app->sampleBoom1}));
}

TEST_F(GameInputTest, EscapeOpensAndClosesTheMenuEvenAfterTheBaseIsLost) {
    SoundLog sounds;
    keyboard.pressScanCode(KEY_ESC);
    step();
    EXPECT_EQ(game->uiMode, kUiGameMenu);
    keyboard.pressScanCode(KEY_ESC);
    step();
    EXPECT_EQ(game->uiMode, kUiIdle);
    EXPECT_EQ(sounds.samples, (std::vector<SAMPLE*>{app->sampleBip, app->sampleBip2}));

    game->health = 0;
    step();
    EXPECT_TRUE(game->gameOver);
    keyboard.pressScanCode(KEY_ESC);
    step();
    EXPECT_EQ(game->uiMode, kUiGameMenu);
}

TEST_F(GameInputTest, OtherKeysAreDiscardedOnePerFrame) {
    keyboard.pressScanCode(KEY_A);
    keyboard.pressScanCode(KEY_ESC);
    step();
    EXPECT_EQ(game->uiMode, kUiIdle);
    EXPECT_EQ(keyboard.keys.size(), 1u);
    step();
    EXPECT_EQ(game->uiMode, kUiGameMenu);
}

TEST_F(GameInputTest, TheMenuSwitchesSoundQuitsAndStartsOver) {
    game->uiMode = kUiGameMenu;
    leftClick(160, kMenuSoundY + 4);
    EXPECT_FALSE(app->soundOn);
    EXPECT_EQ(game->uiMode, kUiGameMenu);
    leftClick(160, kMenuSoundY + 4);
    EXPECT_TRUE(app->soundOn);

    leftClick(160, kMenuQuitY + 4);
    EXPECT_FALSE(game->running);
    EXPECT_EQ(game->uiMode, kUiGameMenu);

    game->running = true;
    game->money = 1;
    app->minStep = 0.02;
    clock.time += 2.0; // let the wipe pass in one step
    leftClick(160, kMenuStartOverY + 4);
    EXPECT_TRUE(game->running);
    EXPECT_EQ(game->uiMode, kUiIdle);
    EXPECT_EQ(game->money, app->strings.getInt("StartingMoney"));
}

TEST_F(GameInputTest, TheBaseIsLostBelowOneHealthAndTheFieldStopsListening) {
    game->health = -3;
    game->uiMode = kUiPlacing;
    step();
    EXPECT_TRUE(game->gameOver);
    EXPECT_EQ(game->health, 0);
    EXPECT_EQ(game->uiMode, kUiIdle);
    game->money = 100000;
    leftClick(buttonX(0), kButtonCentreY);
    EXPECT_EQ(game->uiMode, kUiIdle);
}

TEST_F(GameInputTest, ClickingATowerOpensItsMenuAndEmptyGroundClosesIt) {
    Building* tower = place(0, 100);
    ASSERT_NE(tower, nullptr);
    leftClick(static_cast<int>(tower->centreX()), towerClickY(tower));
    EXPECT_EQ(game->uiMode, kUiTowerMenu);
    EXPECT_EQ(game->selected, tower);
    leftClick(250, 100);
    EXPECT_EQ(game->uiMode, kUiIdle);
    EXPECT_EQ(game->selected, nullptr);

    leftClick(static_cast<int>(tower->centreX()), towerClickY(tower));
    rightClick(static_cast<int>(tower->centreX()), towerClickY(tower));
    EXPECT_EQ(game->uiMode, kUiIdle);
}

TEST_F(GameInputTest, ClickingAnotherTowerMovesTheMenu) {
    Building* a = place(0, 60);
    Building* b = place(2, 160);
    leftClick(static_cast<int>(a->centreX()), towerClickY(a));
    leftClick(static_cast<int>(b->centreX()), towerClickY(b));
    EXPECT_EQ(game->uiMode, kUiTowerMenu);
    EXPECT_EQ(game->selected, b);
}

TEST_F(GameInputTest, DemolishRefundsAndRemovesTheTowerInTheSameFrame) {
    Building* tower = place(1, 100);
    tower->health = tower->maxHealth() / 2;
    const int refund = tower->sellValue();
    game->money = 10;
    leftClick(static_cast<int>(tower->centreX()), towerClickY(tower));
    leftClick(buttonX(kDemolishEntry), kButtonCentreY);
    EXPECT_EQ(game->money, 10 + refund);
    EXPECT_TRUE(game->buildings.empty());
    EXPECT_EQ(game->selected, nullptr);
    EXPECT_EQ(game->uiMode, kUiIdle);
    EXPECT_FALSE(game->effects.empty()); // the blast and the "+" text
}

// Short of the whole price, a click mends what the money buys; the rest waits for more money.
TEST_F(GameInputTest, RepairChargesOnlyWhatThePlayerCanPay) {
    Building* tower = place(0, 100);
    tower->health = 1;
    const int cost = tower->repairCost();
    ASSERT_GT(cost, 2);
    leftClick(static_cast<int>(tower->centreX()), towerClickY(tower));
    game->money = 0;
    leftClick(buttonX(kRepairEntry), kButtonCentreY);
    EXPECT_EQ(tower->health, 1);
    EXPECT_EQ(game->uiMode, kUiTowerMenu);
    game->money = cost - 1;
    leftClick(buttonX(kRepairEntry), kButtonCentreY);
    EXPECT_GT(tower->health, 1);
    EXPECT_LT(tower->health, tower->maxHealth());
    EXPECT_GE(game->money, 0);
    game->money = tower->repairCost();
    leftClick(buttonX(kRepairEntry), kButtonCentreY);
    EXPECT_EQ(tower->health, tower->maxHealth());
    EXPECT_EQ(game->money, 0);
}

TEST_F(GameInputTest, UpgradesAreBoughtLevelByLevelUntilTheLast) {
    Building* tower = place(0, 100);
    const TowerDef& def = app->towerDefs[0];
    ASSERT_GE(def.entryCount, 3);
    const UpgradeDef& upgrade = def.entries[kFirstUpgradeEntry];
    ASSERT_GE(upgrade.levelCount, 1);
    leftClick(static_cast<int>(tower->centreX()), towerClickY(tower));
    int spent = 0;
    game->money = 1000000;
    for (int level = 0; level < upgrade.levelCount; ++level) {
        leftClick(buttonX(kFirstUpgradeEntry), kButtonCentreY);
        spent += upgrade.levels[level].value;
        EXPECT_EQ(tower->upgradeLevels[0], level + 1);
        EXPECT_EQ(game->money, 1000000 - spent);
    }
    leftClick(buttonX(kFirstUpgradeEntry), kButtonCentreY);
    EXPECT_EQ(tower->upgradeLevels[0], upgrade.levelCount);
    EXPECT_EQ(game->money, 1000000 - spent);
    EXPECT_EQ(game->uiMode, kUiTowerMenu);
}

TEST_F(GameInputTest, AnUnaffordableUpgradeLeavesTheMenuOpen) {
    Building* tower = place(0, 100);
    leftClick(static_cast<int>(tower->centreX()), towerClickY(tower));
    game->money = 0;
    leftClick(buttonX(kFirstUpgradeEntry), kButtonCentreY);
    EXPECT_EQ(tower->upgradeLevels[0], 0);
    EXPECT_EQ(game->uiMode, kUiTowerMenu);
}

TEST_F(GameInputTest, ADestroyedSelectedTowerClosesItsMenu) {
    Building* tower = place(0, 100);
    leftClick(static_cast<int>(tower->centreX()), towerClickY(tower));
    tower->takeDamage(tower->health);
    step();
    EXPECT_TRUE(game->buildings.empty());
    EXPECT_EQ(game->selected, nullptr);
    EXPECT_EQ(game->uiMode, kUiIdle);
}

TEST_F(GameInputTest, TheFirstWaveIsAnnouncedWhenThePauseRunsOut) {
    ScopedString pause("TimeBetweenWaves", "0.1");
    game->reset();
    std::size_t effectsBefore = game->effects.size();
    for (int i = 0; i < 4; ++i)
        step();
    EXPECT_GE(game->waveTimer, 0.0);
    // The wave starts in the frame whose step covers what is left of the pause.
    step();
    if (game->waveTimer >= 0.0)
        step();
    EXPECT_LT(game->waveTimer, 0.0);
    EXPECT_EQ(game->effects.size(), effectsBefore + 1);
}

} // namespace
