#include "EffectTestKit.h"

#include "app/GameApp.h"
#include "effects/DebrisEffect.h"
#include "effects/SimpleEffect.h"
#include "game/Game.h"
#include "gfx/SpriteAnim.h"
#include "support/TestSupport.h"

#include <allegro.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr double kGround = EffectWorld::kBaseline - 4;

Rgb tileColour(int tile) {
    return {100 + 50 * tile, 255, 255};
}

} // namespace

class DebrisEffectTest : public EffectWorld {
  protected:
    // One piece placed by hand, the random burst cleared away.
    DebrisEffect* single(double x, double y, double vx, double vy, int tile = 0) {
        DebrisEffect* e = new DebrisEffect(0, 0, 0, 0.0, 0.0);
        DebrisEffect::Piece p;
        p.tile = tile;
        p.x = x;
        p.y = y;
        p.vx = vx;
        p.vy = vy;
        e->pieces.push_back(p);
        return e;
    }
};

TEST_F(DebrisEffectTest, BurstFansUpwardsAroundTheCentre) {
    DebrisEffect e(100, 150, 200, 8.0, 80.0);
    EXPECT_DOUBLE_EQ(e.lifetime, 2.0);
    ASSERT_EQ(e.pieces.size(), 200u);
    bool tileSeen[3] = {};
    for (const DebrisEffect::Piece& p : e.pieces) {
        EXPECT_LE(std::abs(p.x - 100.0), 8.0);
        EXPECT_LE(std::abs(p.y - 150.0), 8.0);
        EXPECT_LE(p.vy, 0.0);
        EXPECT_LE(std::abs(p.vx), 80.0);
        EXPECT_GE(p.vy, -120.0);
        ASSERT_GE(p.tile, 0);
        ASSERT_LT(p.tile, 3);
        tileSeen[p.tile] = true;
        // Each axis is scaled by 75-100 % of the fan's speed at that angle.
        double speed = std::hypot(p.vx / 80.0, p.vy / 120.0);
        EXPECT_GE(speed, 0.75 - 1e-9);
        EXPECT_LE(speed, 1.0 + 1e-9);
    }
    EXPECT_TRUE(tileSeen[0] && tileSeen[1] && tileSeen[2]);
}

TEST_F(DebrisEffectTest, WithoutUsableTilesPiecesStillFlyButAreNotDrawn) {
    srand(5);
    DebrisEffect normal(100, 100, 4, 8.0, 80.0);
    const int next = rand();

    BITMAP* narrow = create_bitmap(5, 8);
    for (BITMAP* tiles : {static_cast<BITMAP*>(nullptr), narrow}) {
        GameApp::instance()->debrisImage = tiles;
        srand(5);
        DebrisEffect e(100, 100, 4, 8.0, 80.0);
        EXPECT_EQ(rand(), next); // the same numbers were used up
        for (size_t i = 0; i < e.pieces.size(); ++i) {
            EXPECT_EQ(e.pieces[i].tile, 0);
            EXPECT_EQ(e.pieces[i].x, normal.pieces[i].x);
            EXPECT_EQ(e.pieces[i].vy, normal.pieces[i].vy);
        }
        e.update(0.1);
        e.draw(target);
    }
    EXPECT_TRUE(untouched(target));
    destroy_bitmap(narrow);
}

TEST_F(DebrisEffectTest, HardLandingBouncesAndKicksUpDust) {
    std::unique_ptr<DebrisEffect> e(single(60.0, kGround - 1.0, 40.0, 100.0));
    e->update(0.02); // y would be ground + 1
    const DebrisEffect::Piece& p = e->pieces[0];
    EXPECT_EQ(p.y, kGround);
    EXPECT_EQ(p.vx, 20.0);
    const double bounce = p.vy - 256.0 * 0.02; // gravity is added after the bounce
    EXPECT_GE(bounce, -65.0);
    EXPECT_LE(bounce, -40.0);
    ASSERT_EQ(game->effects.size(), 1u);

    SimpleEffect* puff = dynamic_cast<SimpleEffect*>(game->effects[0]);
    ASSERT_NE(puff, nullptr);
    EXPECT_EQ(puff->anim->sheet, puffs);
    EXPECT_EQ(puff->delay, 0.0);
    // Centred on the piece: the puff frames are 6 x 6.
    EXPECT_EQ(puff->x, 57.0); // trunc(60.8) - 3
    EXPECT_EQ(puff->y, kGround - 3.0);
}

TEST_F(DebrisEffectTest, LandingAt96ExactlyIsSoft) {
    std::unique_ptr<DebrisEffect> e(single(60.0, kGround - 1.0, 0.0, 96.0));
    e->update(0.02);
    EXPECT_EQ(e->pieces[0].y, kGround);
    EXPECT_LT(e->pieces[0].vy, 0.0);
    EXPECT_TRUE(game->effects.empty());
}

TEST_F(DebrisEffectTest, AfterAHardLandingEveryLaterPieceLeavesDustToo) {
    std::unique_ptr<DebrisEffect> e(single(10.0, 50.0, 0.0, 0.0));
    DebrisEffect::Piece hard = e->pieces[0];
    hard.x = 20.0;
    hard.y = kGround - 1.0;
    hard.vy = 150.0;
    DebrisEffect::Piece after = e->pieces[0];
    after.x = 30.0;
    after.y = 60.0;
    e->pieces.push_back(hard);
    e->pieces.push_back(after);

    e->update(0.02);
    ASSERT_EQ(game->effects.size(), 2u);
    EXPECT_EQ(game->effects[0]->x, 20 - 3.0);
    EXPECT_EQ(game->effects[1]->x, 30 - 3.0);
}

TEST_F(DebrisEffectTest, TrailsThreePuffsPerPieceDuringItsFirstSecond) {
    GameApp::instance()->towerBaseline = 100000; // nothing lands
    DebrisEffect e(100, 100, 2, 8.0, 80.0);
    std::vector<double> puffAges;
    size_t seen = 0;
    while (!e.finished()) {
        e.update(0.01);
        if (game->effects.size() != seen) {
            EXPECT_EQ(game->effects.size() - seen, 2u);
            seen = game->effects.size();
            puffAges.push_back(e.age);
        }
    }
    ASSERT_EQ(puffAges.size(), 3u);
    EXPECT_NEAR(puffAges[0], 0.3, 0.0101);
    EXPECT_NEAR(puffAges[1], 0.6, 0.0201);
    EXPECT_NEAR(puffAges[2], 0.9, 0.0301);
    EXPECT_GT(puffAges[0], 0.3);
}

TEST_F(DebrisEffectTest, LeavesNoPuffsWithoutAGame) {
    GameApp::instance()->game = nullptr;
    DebrisEffect e(100, EffectWorld::kBaseline - 6, 5, 8.0, 80.0);
    for (auto& p : e.pieces)
        p.vy = 200.0; // every piece lands hard
    for (int i = 0; i < 50; ++i)
        e.update(0.02);
    GameApp::instance()->game = game;
    EXPECT_TRUE(game->effects.empty());
}

TEST_F(DebrisEffectTest, DrawsItsTileCentredAndBlinksInTheLastHalfSecond) {
    std::unique_ptr<DebrisEffect> e(single(40.7, 30.2, 0.0, 0.0, 2));
    e->draw(target);
    EXPECT_EQ(pixelAt(target, 36, 26), tileColour(2));
    EXPECT_EQ(pixelAt(target, 43, 33), tileColour(2));
    EXPECT_TRUE(isBackground(target, 35, 26));
    EXPECT_TRUE(isBackground(target, 44, 33));

    const struct {
        double age;
        bool shown;
    } blink[] = {{1.45, true}, {1.55, true},  {1.65, false},
                 {1.75, true}, {1.85, false}, {1.95, true}};
    for (const auto& b : blink) {
        clear_to_color(target, makecol(kBackR, kBackG, kBackB));
        e->age = b.age;
        e->draw(target);
        EXPECT_EQ(pixelAt(target, 40, 30) == tileColour(2), b.shown) << "age " << b.age;
    }
}
