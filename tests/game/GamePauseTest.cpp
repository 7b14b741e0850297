#include "app/GameApp.h"
#include "app/Random.h"
#include "effects/DebrisEffect.h"
#include "effects/Effect.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "invaders/Invader.h"
#include "invaders/InvaderProjectile.h"
#include "invaders/Wave.h"
#include "projectiles/Projectile.h"
#include "support/TestSupport.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <allegro.h>

#include <cstdlib>
#include <sstream>

namespace {

class GamePauseTest : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        app = GameApp::instance();
        app->minStep = 0.02; // for the "Start Over" wipe, the only part that reads the clock
        screenCopy = create_bitmap(640, 480);
    }
    void TearDown() override {
        destroy_bitmap(screenCopy);
        GameFixture::TearDown();
    }
    // One frame as the run loop makes it, the shaken presentation included, with a fixed step
    // so that two runs from one seed can be compared bit for bit.
    void frame() {
        game->update(0.02);
        game->draw(false);
        app->backBuffer->presentTo(screenCopy);
    }
    void press(int scanCode) {
        keyboard.pressScanCode(scanCode);
        frame();
    }
    // Wounded, smoking towers under the first wave, its shots coming down, debris in the air,
    // the screen shaking.
    void startBattle() {
        for (int type = 0; type < kTowerTypeCount; ++type) {
            game->buildings.push_back(createTower(type));
            game->buildings.back()->placeAt(60 + 90 * type);
            game->buildings.back()->health = game->buildings.back()->maxHealth() / 3;
        }
        game->waveTimer = 0.01;
        for (int i = 0; i < 600 && game->enemyShots.empty(); ++i) {
            if (i % 30 == 0)
                game->addEffect(new DebrisEffect(100 + i % 100, 150, 6, 1.0, 40.0));
            frame();
        }
        ASSERT_NE(game->wave, nullptr);
        ASSERT_FALSE(game->enemyShots.empty());
        app->startShake(3.0, 5.0);
    }
    std::string state() const {
        std::ostringstream s;
        s.precision(17);
        s << game->money << ' ' << game->health << ' ' << game->waveTimer << ' '
          << app->shakeTimeLeft;
        for (const Cloud& c : game->clouds)
            s << ' ' << c.x;
        for (const Building* b : game->buildings)
            s << "\nB " << b->health << ' ' << b->smokeTimer;
        for (const Projectile* p : game->projectiles)
            s << "\nP " << p->x << ' ' << p->y;
        for (const InvaderProjectile* e : game->enemyShots)
            s << "\nE " << e->x << ' ' << e->y;
        for (const Effect* e : game->effects)
            s << "\nF " << e->x << ' ' << e->y << ' ' << e->age;
        if (game->wave)
            for (const Invader* v : game->wave->invaders)
                s << "\nI " << v->x << ' ' << v->y << ' ' << v->health;
        return s.str();
    }

    GameApp* app = nullptr;
    BITMAP* screenCopy = nullptr;
};

TEST_F(GamePauseTest, NothingMovesWhilePausedAndThePauseLeavesNoTrace) {
    // The same battle twice from one seed: straight through, and with a long pause in the
    // middle. Hidden timers and the random sequence must come out the same.
    auto play = [&](bool withPause) {
        srand(4242);
        game->reset();
        app->shakeTimeLeft = 0.0;
        startBattle();
        if (withPause) {
            SoundLog sounds; // P answers with one sound pausing and the other resuming
            press(KEY_P);
            EXPECT_TRUE(game->paused);
            EXPECT_EQ(sounds.count(app->sampleBip), 1);
            EXPECT_EQ(sounds.count(app->sampleBip2), 0);
            EXPECT_EQ(app->currentShake(), 0.0) << "the picture holds still too";
            const std::string before = state();
            for (int i = 0; i < 300; ++i)
                frame();
            EXPECT_EQ(state(), before);
            press(KEY_P);
            EXPECT_EQ(sounds.count(app->sampleBip), 1);
            EXPECT_EQ(sounds.count(app->sampleBip2), 1);
        } else {
            // The frame of the first P still moves the field and the frame of the second
            // presents the picture: together they are one ordinary frame.
            frame();
        }
        for (int i = 0; i < 200; ++i)
            frame();
        return state() + "\nnext rand " + std::to_string(randomInt());
    };
    const std::string straight = play(false);
    EXPECT_EQ(play(true), straight);
}

TEST_F(GamePauseTest, WhilePausedOnlyTheMenuAnswersAndTheShakeWaits) {
    press(KEY_P);
    const double waveTimer = game->waveTimer;
    clickAt(kButtonX + 5, kButtonY + 5); // an affordable build button
    frame();
    EXPECT_EQ(game->uiMode, kUiIdle);
    press(KEY_ESC);
    clickAt(kMenuItemX + 40, kMenuSoundY + 2);
    frame();
    EXPECT_FALSE(app->soundOn);
    EXPECT_EQ(game->waveTimer, waveTimer);

    app->startShake(2.0, 0.5);
    for (int i = 0; i < 50; ++i) {
        clock.time += 0.02;
        app->tick();
    }
    EXPECT_DOUBLE_EQ(app->shakeTimeLeft, 0.5);

    clickAt(kMenuItemX + 40, kMenuStartOverY + 2);
    frame();
    EXPECT_FALSE(game->paused) << "a new game starts running";
    app->setSound(true);
}

} // namespace

namespace {

// Leaving the window stops the field as P does; leaving it again, or coming back, never starts
// it: only the player does, with P.
TEST_F(GamePauseTest, LeavingTheWindowPausesAndNeverResumesByItself) {
    keyboard.keys.push_back(kFocusLostKey);
    frame();
    EXPECT_TRUE(game->paused);
    const double waveTimer = game->waveTimer;
    keyboard.keys.push_back(kFocusLostKey);
    frame();
    frame();
    EXPECT_TRUE(game->paused);
    EXPECT_EQ(game->waveTimer, waveTimer);
    press(KEY_P);
    EXPECT_FALSE(game->paused);
}

} // namespace
