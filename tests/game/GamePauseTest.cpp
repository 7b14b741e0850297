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

#include <allegro.h>

#include <cstdlib>
#include <sstream>

namespace {

// Stand-ins for the real waves: invaders that march down and can be shot.
class MarchingInvader : public Invader {
  public:
    MarchingInvader(double x0, double y0) {
        x = x0;
        y = y0;
        health = maxHealth = 40;
        hitRadius = 7.0;
    }
    void update(double dt) override { y += 6.0 * dt; }
    void draw(BITMAP*) override {}
    int takeDamage(int amount) override {
        if (health <= 0)
            return 0;
        health -= amount;
        return amount;
    }
};

class MarchingWave : public Wave {
  public:
    void update(double dt) override {
        for (Invader* v : invaders)
            if (v->health > 0)
                v->update(dt);
    }
};

class GamePauseTest : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        if (!game)
            return;
        app = GameApp::instance();
        // Only the "Start Over" wipe reads the clock; the frames here have a fixed step.
        app->minStep = 0.02;
        screenCopy = create_bitmap(640, 480);
    }
    void TearDown() override {
        if (screenCopy)
            destroy_bitmap(screenCopy);
        GameFixture::TearDown();
    }

    // One whole frame as the run loop makes it, the shaken presentation included, with a
    // fixed step so that two runs from one seed can be compared bit for bit.
    void frame() {
        game->update(0.02);
        game->draw(false);
        app->backBuffer->presentTo(screenCopy);
    }
    void pressP() {
        keyboard.pressScanCode(kPauseScanCode);
        frame();
    }

    // A busy field: three wounded, smoking towers under a marching wave, debris in the air,
    // the screen shaking.
    void startBattle() {
        for (int type = 0; type < kTowerTypeCount; ++type) {
            Building* b = createTower(type);
            b->placeAt(60 + 90 * type);
            b->health = b->maxHealth() / 3;
            game->buildings.push_back(b);
        }
        // The battle's own wave is running: the schedule must not start another over it.
        game->waveTimer = -1.0;
        MarchingWave* wave = new MarchingWave();
        for (int i = 0; i < 12; ++i) {
            wave->invaders.push_back(new MarchingInvader(20 + 25 * i, 20 + 3 * i));
            wave->invaders.back()->wave = wave;
        }
        game->wave = wave;
        for (int i = 0; i < 150; ++i) {
            if (i % 30 == 0)
                game->addEffect(new DebrisEffect(100 + i, 150, 6, 1.0, 40.0));
            frame();
        }
        ASSERT_FALSE(game->effects.empty());
        app->startShake(3.0, 5.0);
    }

    std::string state() const {
        std::ostringstream s;
        s.precision(17);
        s << game->money << ' ' << game->health << ' ' << game->waveNumber << ' ' << game->waveTimer
          << ' ' << app->shakeTimeLeft << '\n';
        for (const Cloud& c : game->clouds)
            s << c.x << ' ';
        for (const Building* b : game->buildings)
            s << "\nB " << b->x << ' ' << b->health << ' ' << b->smokeTimer;
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

    static bool sameRegion(BITMAP* a, BITMAP* b, int x, int y, int w, int h) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                if (getpixel(a, i, j) != getpixel(b, i, j))
                    return false;
        return true;
    }

    GameApp* app = nullptr;
    BITMAP* screenCopy = nullptr;
};

TEST_F(GamePauseTest, NothingMovesWhilePausedAndThePauseLeavesNoTrace) {
    // The same battle twice from one seed: once straight through, once with a long pause in
    // the middle. Hidden timers and the random sequence must come out the same.
    auto play = [&](bool withPause) {
        srand(4242);
        game->reset();
        app->shakeAmount = app->shakeTimeLeft = 0.0;
        startBattle();
        for (int i = 0; i < 50; ++i)
            frame();
        if (withPause) {
            pressP();
            EXPECT_TRUE(game->paused);
            EXPECT_EQ(app->currentShake(), 0.0) << "the picture holds still too";
            const std::string before = state();
            for (int i = 0; i < 300; ++i)
                frame();
            EXPECT_EQ(state(), before);
            pressP();
            EXPECT_FALSE(game->paused);
        } else {
            // The frame of the first P still moves the field and the frame of the second still
            // presents the picture: together they are one ordinary frame.
            frame();
        }
        for (int i = 0; i < 200; ++i)
            frame();
        return state() + "\nnext rand " + std::to_string(randomInt());
    };
    const std::string straight = play(false);
    const std::string paused = play(true);
    EXPECT_EQ(paused, straight);
}

TEST_F(GamePauseTest, OnlyTheMenuAnswersWhilePausedAndTheTextShows) {
    game->waveTimer = 3.0;
    const int money = game->money;
    pressP();
    const double waveTimer = game->waveTimer;
    game->draw(false);
    BITMAP* expected = create_bitmap(320, 240);
    blit(app->backBuffer->bitmap, expected, 0, 0, 0, 0, 320, 240);
    game->paused = false;
    game->draw(false);
    game->paused = true;
    EXPECT_FALSE(sameRegion(expected, app->backBuffer->bitmap, 120, 28, 80, 12))
        << "\"Paused\" is drawn above the clouds";
    destroy_bitmap(expected);

    // A click on an affordable build button does nothing.
    clickAt(kButtonX + 5, kButtonY + 5);
    frame();
    EXPECT_EQ(game->uiMode, kUiIdle);
    EXPECT_EQ(game->money, money);

    keyboard.pressScanCode(kEscapeScanCode);
    frame();
    ASSERT_EQ(game->uiMode, kUiGameMenu);
    clickAt(kMenuItemX + 40, kMenuSoundY + 2);
    frame();
    EXPECT_FALSE(app->soundOn) << "the sound item works while paused";
    EXPECT_TRUE(game->paused);
    EXPECT_EQ(game->waveTimer, waveTimer) << "the wave timer stood still";

    // The shake waits for the end of the pause instead of running out behind it.
    app->startShake(2.0, 0.5);
    for (int i = 0; i < 50; ++i) {
        clock.time += 0.02;
        app->tick();
    }
    EXPECT_EQ(app->currentShake(), 0.0);
    EXPECT_DOUBLE_EQ(app->shakeTimeLeft, 0.5);

    clickAt(kMenuItemX + 40, kMenuStartOverY + 2);
    frame();
    EXPECT_FALSE(game->paused) << "a new game starts running";
    app->setSound(true);
}

} // namespace
