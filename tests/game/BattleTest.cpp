#include "app/GameApp.h"
#include "game/Game.h"
#include "gfx/SpriteSheet.h"
#include "invaders/Invader.h"
#include "invaders/Wave.h"
#include "support/TestSupport.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <cstdlib>
#include <vector>

namespace {

using BattleTest = GameFixture;

// The shipped data, fixed steps: a laser turret under the middle of wave 1 shoots down the
// squibbles that pass over it, and every one pays its bounty, more the nearer the ground.
TEST_F(BattleTest, OneLaserTurretShootsDownWaveOneSquibblesForTheirBounties) {
    GameApp* app = GameApp::instance();
    Building* laser = createTower(0);
    laser->placeAt(160 - restFrameWidth(app->towerDefs[0].sprite) / 2);
    game->buildings.push_back(laser);
    game->waveTimer = 0.0; // the first wave now
    const int startMoney = game->money;
    const int value = app->invaderDefs[0].value;

    int kills = 0, bounties = 0;
    std::vector<int> health;
    game->update(0.01);
    ASSERT_NE(game->wave, nullptr);
    const Wave* wave = game->wave;
    for (const Invader* v : wave->invaders)
        health.push_back(v->health);
    for (int frame = 0; frame < 30000 && game->wave == wave && !wave->isDefeated(); ++frame) {
        game->update(0.01);
        for (std::size_t i = 0; i < health.size(); ++i) {
            const Invader* v = wave->invaders[i];
            // A landing squibble is at the ground line; one shot down is still in the air.
            if (health[i] > 0 && v->health <= 0 && v->y < 190) {
                ++kills;
                const int d = std::abs(app->towerBaseline - static_cast<int>(v->y));
                bounties += value + (d < 70 ? (70 - d) * value / 70 : 0);
            }
            health[i] = v->health;
        }
    }
    EXPECT_GE(kills, 4);
    EXPECT_EQ(game->money, startMoney + bounties);
}

} // namespace
