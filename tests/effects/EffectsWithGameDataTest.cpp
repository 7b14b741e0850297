#include "app/GameApp.h"
#include "effects/DebrisEffect.h"
#include "effects/SimpleEffect.h"
#include "game/Game.h"
#include "gfx/SpriteAnim.h"
#include "support/TestSupport.h"

// The same effects on the shipped art, inside a real game.
class EffectsWithGameDataTest : public GameFixture {};

TEST_F(EffectsWithGameDataTest, TowerDebrisStaysAboveTheGroundAndSmokesIntoTheGame) {
    GameApp* app = GameApp::instance();
    const double ground = app->towerBaseline - 4;
    DebrisEffect debris(160, app->towerBaseline - 10, 6, 8.0, 80.0);
    while (!debris.finished()) {
        debris.update(1.0 / 60);
        for (const DebrisEffect::Piece& p : debris.pieces)
            ASSERT_LE(p.y, ground);
    }
    ASSERT_FALSE(game->effects.empty());
    for (Effect* e : game->effects) {
        SimpleEffect* puff = dynamic_cast<SimpleEffect*>(e);
        ASSERT_NE(puff, nullptr);
        EXPECT_EQ(puff->anim->sheet, app->puff2Sheet);
        EXPECT_GT(puff->lifetime, 0.0);
        EXPECT_LT(puff->lifetime, 10.0);
    }
}
