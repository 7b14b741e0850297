// Whole waves played through the game's own frame step with the shipped data.

#include "app/GameApp.h"
#include "effects/BounceTextEffect.h"
#include "effects/TextEffect.h"
#include "game/Game.h"
#include "gfx/BitmapFont.h"
#include "invaders/Invader.h"
#include "invaders/MasterOrbWave.h"
#include "invaders/SquibbleWave.h"
#include "support/TestSupport.h"

#include <allegro.h>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

class GameWaveTest : public GameFixture {
  protected:
    static constexpr double kStep = 0.01;

    // Steps the game until the condition holds; the seconds that took, or -1 after an hour.
    template <typename Until> double play(Until until) {
        double t = 0.0;
        for (; !until(); t += kStep) {
            if (t > 3600.0)
                return -1.0;
            game->update(kStep);
        }
        return t;
    }

    std::vector<std::pair<double, double>> livePositions() const {
        std::vector<std::pair<double, double>> at;
        for (const Invader* v : game->wave->invaders)
            if (v->health > 0)
                at.emplace_back(v->x, v->y);
        return at;
    }

    // Whether the newest effect is the banner reading exactly this.
    bool announces(const char* text) const {
        auto* banner = dynamic_cast<const BounceTextEffect*>(game->effects.back());
        BITMAP* expected = renderTextImage(GameApp::instance()->fontMain, text);
        bool same = banner && banner->image->w == expected->w;
        for (int y = 0; same && y < expected->h; ++y)
            for (int x = 0; same && x < expected->w; ++x)
                same = getpixel(banner->image, x, y) == getpixel(expected, x, y);
        destroy_bitmap(expected);
        return same;
    }
};

TEST_F(GameWaveTest, AnUndefendedBaseSurvivesWaveOneFallsToWaveTwoAndStartsOver) {
    GameApp* app = GameApp::instance();
    ScopedString health("StartingHealth", "20");
    game->reset();
    const int money = game->money;

    ASSERT_GT(play([&] { return game->wave != nullptr; }), 0.0);
    EXPECT_EQ(game->wave->invaders.size(), 16u);
    EXPECT_TRUE(announces("Wave 1"));

    // The short last row lands first, all four at once, once the block has marched down to
    // y 190 at the tuned speed: 210 pixels down and 13 marches across, the first 46 pixels,
    // the others 67 (a left edge under 9 already counts as 8).
    const double firstLanding = play([&] { return game->health < 20; });
    EXPECT_EQ(game->health, 16);
    EXPECT_NEAR(firstLanding, (210 + 46 + 12 * 67) / app->strings.getReal("Wave1SpeedBase"), 0.1);

    // Then the full row, and the empty wave makes way for the next.
    ASSERT_GT(play([&] { return game->wave == nullptr; }), 0.0);
    EXPECT_EQ(game->health, 4);
    EXPECT_EQ(game->money, money) << "landings pay nothing";
    EXPECT_FALSE(game->gameOver);
    EXPECT_EQ(game->waveNumber, 2);

    // After a defeated wave the next one waits the tuned pause, as the first one did.
    const double pause = app->strings.getReal("TimeBetweenWaves");
    EXPECT_NEAR(play([&] { return game->wave != nullptr; }), pause, 2 * kStep);
    ASSERT_NE(game->wave, nullptr);

    // Wave 2's short row of six lands while the base has four points left.
    EXPECT_EQ(game->wave->invaders.size(), 18u);
    ASSERT_GT(play([&] { return game->gameOver; }), 0.0);
    EXPECT_EQ(game->health, 0);
    EXPECT_EQ(game->waveNumber - 1, 1) << "the score: waves defeated";

    // The full row stays where it was and fires no more; the shots already falling land.
    const auto frozen = livePositions();
    EXPECT_EQ(frozen.size(), 12u);
    play([&, t = 0.0]() mutable { return (t += kStep) > 5.0; });
    EXPECT_EQ(livePositions(), frozen);
    EXPECT_TRUE(game->enemyShots.empty());

    // Escape, "Start Over": a new game, whose first wave comes again.
    app->minStep = kStep;
    keyboard.pressScanCode(KEY_ESC);
    game->update(kStep);
    clickAt(160, kMenuStartOverY + 4);
    game->update(kStep);
    EXPECT_FALSE(game->gameOver);
    EXPECT_EQ(game->health, 20);
    EXPECT_EQ(game->money, money);
    EXPECT_EQ(game->wave, nullptr);
    EXPECT_EQ(game->waveNumber, 1);
    setMouse(0, 0, 0);
    ASSERT_GT(play([&] { return game->wave != nullptr; }), 0.0);
    EXPECT_EQ(game->wave->invaders.size(), 16u);
}

TEST_F(GameWaveTest, EveryWaveIsAFormationOfTwoWPlusFourteenAndEveryTenthIsTheBoss) {
    for (int w : {9, 10, 11, 20}) {
        game->reset();
        game->waveNumber = w;
        game->waveTimer = 0.0;
        game->update(kStep);
        if (w % 10 == 0) {
            // The orb and its ring of twelve.
            ASSERT_NE(dynamic_cast<MasterOrbWave*>(game->wave), nullptr) << w;
            EXPECT_EQ(game->wave->invaders.size(), 13u);
        } else {
            ASSERT_NE(dynamic_cast<SquibbleWave*>(game->wave), nullptr) << w;
            EXPECT_EQ(game->wave->invaders.size(), static_cast<std::size_t>(2 * w + 14));
        }
        char text[16];
        std::snprintf(text, sizeof text, "Wave %d", w);
        EXPECT_TRUE(announces(w % 10 ? text : "Boss Wave")) << w;
    }
}

} // namespace
