#include "app/GameApp.h"
#include "effects/Effect.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "support/TestSupport.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <allegro.h>

#include <stdexcept>
#include <vector>

namespace {

using GameStateTest = GameFixture;

TEST_F(GameStateTest, ANewGameHasSeventeenCloudsInFiveLayers) {
    ASSERT_EQ(game->clouds.size(), 17u);
    const int counts[] = {6, 4, 3, 2, 2};
    const int images[] = {1, 2, 0, 4, 3};
    const double speeds[] = {0.5, 1.0, 1.5, 2.0, 2.5};
    std::size_t c = 0;
    for (int layer = 0; layer < 5; ++layer) {
        for (int i = 0; i < counts[layer]; ++i, ++c) {
            EXPECT_EQ(game->clouds[c].image, images[layer]);
            EXPECT_DOUBLE_EQ(game->clouds[c].speed, speeds[layer]);
        }
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_GE(game->clouds[i].x, 60 * i);
        EXPECT_LE(game->clouds[i].x, 60 * i + 29);
        EXPECT_GE(game->clouds[i].y, 50);
        EXPECT_LE(game->clouds[i].y, 59);
    }
}

TEST_F(GameStateTest, ANewGameStartsFromTheTunedHealthMoneyAndPause) {
    ScopedString health("StartingHealth", "20");
    ScopedString money("StartingMoney", "100");
    ScopedString pause("TimeBetweenWaves", "5");
    game->reset();
    EXPECT_EQ(game->health, 20);
    EXPECT_EQ(game->maxHealth, 20);
    EXPECT_EQ(game->money, 100);
    EXPECT_DOUBLE_EQ(game->waveTimer, 5.0);
    EXPECT_EQ(game->waveNumber, 1);
    EXPECT_TRUE(game->buildings.empty());
    EXPECT_EQ(game->wave, nullptr);
    EXPECT_FALSE(game->gameOver);
    EXPECT_TRUE(game->running);
    EXPECT_EQ(game->uiMode, kUiIdle);
}

TEST_F(GameStateTest, CloudsDriftLeftAndWrapBackToTheRightEdge) {
    Cloud& cloud = game->clouds[0];
    cloud.x = 10.0;
    game->update(2.0);
    EXPECT_DOUBLE_EQ(cloud.x, 9.0); // 0.5 pixels per second
    cloud.x = -GameApp::instance()->cloudImages[cloud.image]->w + 0.25;
    game->update(1.0);
    EXPECT_DOUBLE_EQ(cloud.x, 320.0);
}

TEST_F(GameStateTest, ACloudWrapsOnlyOnceItsWholeImageIsOffTheLeftEdge) {
    // Two clouds of different widths and speeds, still drifting after the base is lost.
    Cloud& slow = game->clouds[0];  // 0.5 pixels per second
    Cloud& fast = game->clouds[13]; // 2 pixels per second
    BITMAP* const* images = GameApp::instance()->cloudImages;
    const int slowW = images[slow.image]->w;
    const int fastW = images[fast.image]->w;
    ASSERT_NE(slowW, fastW);
    game->gameOver = true;
    slow.x = -slowW + 1.0;
    fast.x = -fastW + 4.0;
    game->update(2.0); // both now have exactly their last column at x = -1
    EXPECT_DOUBLE_EQ(slow.x, -slowW);
    EXPECT_DOUBLE_EQ(fast.x, -fastW);
    game->update(0.01);
    EXPECT_DOUBLE_EQ(slow.x, 320.0);
    EXPECT_DOUBLE_EQ(fast.x, 320.0);
}

// Puts the game in a state a reset must undo.
void messUp(Game* game) {
    game->money = 3;
    game->health = 1;
    game->waveNumber = 7;
    game->gameOver = true;
    game->uiMode = kUiGameMenu;
    game->buildings.push_back(createTower(0));
    game->buildings.back()->placeAt(100);
}

TEST_F(GameStateTest, StartOverWipesForASecondAndStartsANewGame) {
    GameApp* app = GameApp::instance();
    app->minStep = 0.02;
    const int startingMoney = app->strings.getInt("StartingMoney");
    messUp(game);
    const double before = clock.time;
    game->wipeAndRestart();
    EXPECT_GE(clock.time - before, 1.0);
    EXPECT_LT(clock.time - before, 1.1);
    EXPECT_EQ(game->money, startingMoney);
    EXPECT_EQ(game->waveNumber, 1);
    EXPECT_FALSE(game->gameOver);
    EXPECT_TRUE(game->buildings.empty());
    EXPECT_EQ(game->uiMode, kUiIdle);
    EXPECT_TRUE(game->running);
}

// A clock whose every frame lasts a quarter second and which keeps a copy of the back buffer
// each time the frame clock asks it the time, that is once per frame, after the previous frame
// was presented.
struct QuarterSecondFrames : public FakeClock {
    explicit QuarterSecondFrames(BITMAP* source) : source(source) {}
    ~QuarterSecondFrames() override {
        for (BITMAP* b : shown)
            destroy_bitmap(b);
    }
    double now() override {
        shown.push_back(create_bitmap(source->w, source->h));
        blit(source, shown.back(), 0, 0, 0, 0, source->w, source->h);
        time += 0.25;
        return time;
    }
    BITMAP* source;
    std::vector<BITMAP*> shown;
};

TEST_F(GameStateTest, StartOverClosesBlackBarsOverTheOldGameAndOpensThemOnTheNewOne) {
    GameApp* app = GameApp::instance();
    BITMAP* bmp = app->backBuffer->bitmap;
    app->minStep = 0.0;
    game->money = 3; // greys the build bar: the old bottom rows differ from the new ones
    game->draw(false);
    BITMAP* before = create_bitmap(320, 240);
    blit(bmp, before, 0, 0, 0, 0, 320, 240);

    QuarterSecondFrames frames(bmp);
    app->clock = &frames;
    app->lastTime = frames.time;
    game->wipeAndRestart(); // frames at t = 0.25 (closing), 0.5 (reset) and 0.75 (opening)
    ASSERT_EQ(frames.shown.size(), 4u);
    game->draw(false);

    auto rowsMatch = [](BITMAP* a, BITMAP* b, int y0, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = 0; x < 320; ++x)
                if (getpixel(a, x, y) != (b ? getpixel(b, x, y) : makecol(0, 0, 0)))
                    return false;
        return true;
    };
    ASSERT_FALSE(rowsMatch(before, bmp, 181, 239));
    // t = 0.25: bars down to row 240 * 0.25 and up from row 240 * 0.75, both rows included.
    BITMAP* closing = frames.shown[1];
    EXPECT_TRUE(rowsMatch(closing, nullptr, 0, 60));
    EXPECT_TRUE(rowsMatch(closing, before, 61, 179));
    EXPECT_TRUE(rowsMatch(closing, nullptr, 180, 239));
    // t = 0.75: one band from row 60 to row 180 over the new game.
    BITMAP* opening = frames.shown[3];
    EXPECT_TRUE(rowsMatch(opening, bmp, 0, 59));
    EXPECT_TRUE(rowsMatch(opening, nullptr, 60, 180));
    EXPECT_TRUE(rowsMatch(opening, bmp, 181, 239));
    destroy_bitmap(before);
}

TEST_F(GameStateTest, StartOverStillResetsAcrossAStallLongerThanTheWipe) {
    GameApp* app = GameApp::instance();
    app->minStep = 0.02;
    messUp(game);
    clock.time += 3.0; // the first step of the wipe is a three-second stall
    game->wipeAndRestart();
    EXPECT_EQ(game->waveNumber, 1);
    EXPECT_TRUE(game->buildings.empty());
    EXPECT_FALSE(game->gameOver);
}

TEST_F(GameStateTest, AStalledWipeEndsAtOnceAfterResetting) {
    GameApp* app = GameApp::instance();
    app->minStep = 0.02;
    game->money = 3;
    clock.time += 0.7; // past the middle on the very first frame
    game->wipeAndRestart();
    EXPECT_EQ(game->money, app->strings.getInt("StartingMoney"));
}

TEST_F(GameStateTest, TheWindowsCloseButtonDuringTheWipeIsNotLost) {
    GameApp* app = GameApp::instance();
    app->minStep = 0.02;
    app->closeRequested = true; // the close button was pressed as the wipe began
    game->wipeAndRestart();
    EXPECT_FALSE(game->running);
    EXPECT_EQ(game->money, app->strings.getInt("StartingMoney"));
    app->closeRequested = false;
}

TEST_F(GameStateTest, TheRunLoopEndsWhenRunningIsCleared) {
    GameApp* app = GameApp::instance();
    app->minStep = 0.02;
    // Escape opens the menu in the first frame; the click on "Quit Game" comes in the second.
    keyboard.pressScanCode(KEY_ESC);
    // A loop that Escape or "Quit Game" fails to end is stopped after a few more frames by an
    // exception from the mouse, whatever state the game is in, so the test fails instead of
    // hanging.
    struct QuitOnSecondFrame : public Mouse {
        int frames = 0;
        MouseSample sample() override {
            if (++frames > 10)
                throw std::runtime_error("the run loop was still going ten frames after "
                                         "Escape and a click on \"Quit Game\"");
            return {2 * 130, 2 * 132, frames == 2 ? 1 : 0};
        }
    } quitter;
    app->mouse = &quitter;
    try {
        game->run();
    } catch (const std::runtime_error& stuck) {
        ADD_FAILURE() << stuck.what();
    }
    app->mouse = &mouse;
    EXPECT_FALSE(game->running);
    EXPECT_EQ(quitter.frames, 3);
}

TEST_F(GameStateTest, ResettingDeletesEveryEntity) {
    game->buildings.push_back(createTower(1));
    game->buildings.back()->placeAt(40);
    game->selected = game->buildings.back();
    game->uiMode = kUiTowerMenu;
    game->reset();
    EXPECT_TRUE(game->buildings.empty());
    EXPECT_EQ(game->selected, nullptr);
    EXPECT_TRUE(game->effects.empty());
    EXPECT_TRUE(game->projectiles.empty());
    EXPECT_TRUE(game->enemyShots.empty());
}

TEST_F(GameStateTest, ALostGameFromWaveOneSetsTheBestAndAPracticeGameDoesNot) {
    GameApp* app = GameApp::instance();
    app->profile.bestWaves = 5;
    game->waveNumber = 8;
    game->health = 0;
    game->update(0.01);
    ASSERT_TRUE(game->gameOver);
    EXPECT_EQ(app->profile.bestWaves, 7);

    game->firstWave = 10;
    {
        ScopedString perWave("PracticeMoneyPerWave", "10");
        ScopedString growth("PracticeMoneyGrowth", "2.5");
        ScopedString loss("PracticeHealthLossPerWave", "2");
        ScopedString least("PracticeHealthLeast", "10");
        game->reset();
        EXPECT_EQ(game->money, app->strings.getInt("StartingMoney") + 90 + 202);
        EXPECT_EQ(game->health, game->maxHealth - 18);
        game->firstWave = 100;
        game->reset();
        EXPECT_EQ(game->health, 10) << "never below the floor";
        game->firstWave = 10;
    }
    game->reset();
    EXPECT_EQ(game->waveNumber, 10) << "a practice game starts at its wave";
    game->waveNumber = 15;
    game->health = 0;
    game->update(0.01);
    ASSERT_TRUE(game->gameOver);
    EXPECT_EQ(app->profile.bestWaves, 7);
}

} // namespace
