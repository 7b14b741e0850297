#include "game/Game.h"
#include "invaders/Invader.h"
#include "invaders/Wave.h"
#include "sim/PlayStats.h"
#include "support/TestSupport.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

namespace {

class Dummy : public Invader {
  public:
    Dummy(double x, double y) {
        this->x = x;
        this->y = y;
        health = maxHealth = 3;
    }
    void update(double) override {}
    void draw(BITMAP*) override {}
    int takeDamage(int amount) override { return health -= amount, amount; }
};

// The counts come from what changes between frames: invaders that die in the air are kills,
// those that die on the ground landed; towers that go without being sold are lost.
using PlayStatsTest = GameFixture;

TEST_F(PlayStatsTest, CountsKillsLandingsAndLostTowersPerWave) {
    game->waveTimer = -1.0;
    game->wave = new Wave();
    for (int i = 0; i < 4; ++i)
        game->wave->invaders.push_back(new Dummy(20.0 * i, 100.0));
    Building* kept = createTower(0);
    Building* sold = createTower(0);
    Building* lost = createTower(0);
    game->buildings = {kept, sold, lost};

    PlayStats stats;
    const auto soldCheck = [&](const Building* b) { return b == sold; };
    EXPECT_FALSE(stats.observe(*game, 0.01, soldCheck));

    game->wave->invaders[0]->takeDamage(5); // shot down
    game->wave->invaders[1]->y = 191.0;     // landed, as its wave does it
    game->wave->invaders[1]->health = -1;
    game->buildings = {kept};
    delete sold;
    delete lost;
    EXPECT_FALSE(stats.observe(*game, 0.02, soldCheck));
    WaveReport now = stats.current(*game, 0.02);
    EXPECT_EQ(now.kills, 1);
    EXPECT_EQ(now.landings, 1);
    EXPECT_EQ(now.towersLost, 1);
    EXPECT_EQ(now.towersStanding, 1);

    game->wave->killAll(); // the rest go down with the wave
    EXPECT_FALSE(stats.observe(*game, 0.03, soldCheck));
    EXPECT_EQ(stats.current(*game, 0.03).kills, 3);

    // The next frame's update deletes the defeated wave and moves on to the next number.
    delete game->wave;
    game->wave = nullptr;
    game->waveNumber = 2;
    game->money = 77;
    EXPECT_TRUE(stats.observe(*game, 0.04, soldCheck));
    const WaveReport& done = stats.lastReport();
    EXPECT_EQ(done.wave, 1);
    EXPECT_EQ(done.kills, 3);
    EXPECT_EQ(done.landings, 1);
    EXPECT_EQ(done.towersLost, 1);
    EXPECT_EQ(done.money, 77);
    EXPECT_DOUBLE_EQ(done.time, 0.04);
    EXPECT_EQ(stats.current(*game, 0.04).kills, 0);
    EXPECT_EQ(stats.totalKills, 3);
}

} // namespace
