#include "ShotWorld.h"

#include "game/Game.h"
#include "projectiles/LaserProjectile.h"

#include <allegro.h>

namespace {

using LaserProjectileTest = ShotWorld;

TEST_F(LaserProjectileTest, ABoltFliesUpUntilItsWholeImageIsAboveTheField) {
    setStrings({{"LaserSpeedBase", "1"}});
    LaserProjectile shot(50, 0, 1);
    shot.update(8.0);
    EXPECT_DOUBLE_EQ(shot.y, -8.0);
    EXPECT_TRUE(shot.alive); // the last row of the image is still on the top edge
    shot.update(0.5);
    EXPECT_FALSE(shot.alive);

    // Drawn with its top centre at (x, y).
    LaserProjectile drawn(50, 20, 1);
    BITMAP* target = makeBitmap(100, 40, 0, 0, 0);
    drawn.draw(target);
    EXPECT_EQ(pixelAt(target, 49, 20), (Rgb{255, 40, 40}));
    EXPECT_EQ(pixelAt(target, 50, 27), (Rgb{255, 40, 40}));
    EXPECT_EQ(pixelAt(target, 51, 20), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixelAt(target, 49, 28), (Rgb{0, 0, 0}));
    destroy_bitmap(target);
}

// A speed that is not a number stands still, where it would otherwise poison the bolt's
// position; one tuned downwards is spent once the bolt has left the bottom of the field.
TEST_F(LaserProjectileTest, ABrokenSpeedStandsStillAndADownwardBoltLeavesAtTheBottom) {
    setStrings({{"LaserSpeedBase", "nan"}});
    LaserProjectile still(50, 100, 1);
    still.update(1.0);
    EXPECT_DOUBLE_EQ(still.y, 100.0);
    EXPECT_TRUE(still.alive);

    setStrings({{"LaserSpeedBase", "-100"}});
    LaserProjectile falling(50, 100, 1);
    falling.update(1.4);
    EXPECT_DOUBLE_EQ(falling.y, 240.0);
    EXPECT_TRUE(falling.alive);
    falling.update(0.01);
    EXPECT_FALSE(falling.alive);
}

// The game's hit pass tests a bolt's top centre against every live invader in list order.
TEST_F(LaserProjectileTest, ABoltIsSpentOnTheFirstLiveInvaderItTouchesAndPassesTheDead) {
    setStrings({{"LaserSpeedBase", "0"}});
    StubInvader* dead = wave->add(60, 60, 0);
    StubInvader* first = wave->add(61, 60);
    StubInvader* second = wave->add(60, 61);
    game->addProjectile(new LaserProjectile(60, 60, 2));
    game->update(0.01);
    EXPECT_EQ(dead->hits, 0);
    EXPECT_EQ(first->health, 3);
    EXPECT_EQ(second->hits, 0);
    EXPECT_TRUE(game->projectiles.empty());
    EXPECT_EQ(sounds->count(laserHit), 1);

    // A hit that lands without harm (a shield) spends the bolt too; one on the dead does not.
    StubInvader* shielded = wave->add(0, 0);
    shielded->shielded = true;
    LaserProjectile shot(0, 0, 2);
    shot.hit(dead);
    EXPECT_TRUE(shot.alive);
    shot.hit(shielded);
    EXPECT_FALSE(shot.alive);
    EXPECT_EQ(shielded->health, 5);
    EXPECT_EQ(sounds->count(laserHit), 2);
}

// Later shots of the frame see an invader where the earlier hits left it, blasts included.
TEST_F(LaserProjectileTest, ALaterBoltOfTheFrameFindsAnInvaderWhereAHitMovedIt) {
    setStrings({{"LaserSpeedBase", "0"}, {"MissileSpeedBase", "0"}, {"MissileLife", "10"}});
    StubInvader* struck = wave->add(60, 60, 9);
    struck->recoil = 10.0;
    StubInvader* blasted = wave->add(100, 60, 9);
    blasted->recoil = 10.0;
    game->addProjectile(new LaserProjectile(60, 60, 1));
    game->addProjectile(new LaserProjectile(70, 60, 1));
    missileAt(100, 60, 1, 1, 8.0);
    game->addProjectile(new LaserProjectile(120, 60, 1));
    game->update(0.01);
    EXPECT_EQ(struck->hits, 2);
    // The missile's direct hit and its splash: two recoils.
    EXPECT_EQ(blasted->hits, 3);
    EXPECT_TRUE(game->projectiles.empty());
}

} // namespace
