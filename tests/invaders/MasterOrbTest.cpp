#include "app/GameApp.h"
#include "effects/SimpleEffect.h"
#include "effects/TextEffect.h"
#include "game/Game.h"
#include "gfx/SpriteAnim.h"
#include "invaders/MasterOrb.h"
#include "invaders/MasterOrbWave.h"
#include "invaders/OrbBomb.h"
#include "support/TestSupport.h"
#include "towers/TeslaCoil.h"

#include <allegro.h>

#include <climits>
#include <cstdlib>
#include <vector>

namespace {

// A boss fight on the shipped data, the wave driven directly with 10 ms steps.
class BossFight : public GameFixture {
  protected:
    MasterOrbWave* startBoss(int waveNumber) {
        game->waveNumber = waveNumber;
        game->waveTimer = -1.0;
        game->wave = boss = new MasterOrbWave();
        return boss;
    }
    void step(double seconds) {
        for (int i = 0; i < static_cast<int>(seconds * 100 + 0.5); ++i)
            boss->update(0.01);
    }
    // Sinks the orb into place: from then on it fights.
    void arrive() {
        while (boss->phase == 0)
            boss->update(0.01);
        ASSERT_EQ(boss->orb->orbState, MasterOrb::kFighting);
    }
    std::vector<OrbBomb*> bombs() const {
        std::vector<OrbBomb*> found;
        for (InvaderProjectile* s : game->enemyShots)
            if (OrbBomb* b = dynamic_cast<OrbBomb*>(s))
                found.push_back(b);
        return found;
    }
    int ringAlive() const {
        int n = 0;
        for (const Invader* v : boss->ring)
            n += v->health > 0;
        return n;
    }

    ScopedString orbHealth{"MasterOrb.Health", "250"};
    MasterOrbWave* boss = nullptr;
};

TEST_F(BossFight, TheOrbGrowsWithEveryBossAndIsBuiltAsDesigned) {
    for (int w : {10, 20, 30}) {
        game->waveNumber = w;
        MasterOrb orb;
        EXPECT_EQ(orb.health, 25 * w);
        EXPECT_GE(orb.bombTimer, -15.0);
        EXPECT_LE(orb.bombTimer, -3.0);
        EXPECT_EQ(orb.satellites[0].offsetX, 8);
        EXPECT_EQ(orb.satellites[1].offsetX, -3);
        EXPECT_EQ(orb.satellites[1].offsetY, 6);
        EXPECT_EQ(orb.satellites[2].offsetX, -4);
        EXPECT_EQ(orb.satellites[2].offsetY, -6);
    }
    startBoss(10);
    ASSERT_EQ(boss->invaders.size(), 13u);
    EXPECT_EQ(boss->invaders[0], boss->orb);
    // Ring member 3 starts straight below the orb, 48 pixels down.
    EXPECT_EQ(boss->ring[3]->centreX(), 160.0);
    EXPECT_EQ(boss->ring[3]->centreY(), -64.0 + 48);
}

TEST_F(BossFight, HitsAreAbsorbedUntilItArrivesAndWhileItDies) {
    startBoss(10);
    step(1.0);
    EXPECT_EQ(boss->orb->takeDamage(50), 1);
    EXPECT_EQ(boss->orb->health, 250);
    EXPECT_EQ(boss->boss(), nullptr);

    arrive();
    EXPECT_EQ(boss->boss(), boss->orb);
    EXPECT_EQ(boss->orb->takeDamage(249), 249);
    EXPECT_EQ(boss->orb->health, 1);
    EXPECT_EQ(boss->orb->orbState, MasterOrb::kFighting);
    EXPECT_EQ(boss->boss(), nullptr); // the bar hides at 1 health

    EXPECT_EQ(boss->orb->takeDamage(5), 5);
    EXPECT_EQ(boss->orb->orbState, MasterOrb::kDying);
    EXPECT_EQ(boss->orb->health, 1);
    EXPECT_DOUBLE_EQ(boss->orb->flashTimer, 4.0);
    step(3.9);
    EXPECT_EQ(boss->orb->takeDamage(100), 1);
    EXPECT_EQ(boss->orb->health, 1);
    EXPECT_FALSE(boss->isDefeated());
    step(0.2);
    EXPECT_EQ(boss->orb->orbState, MasterOrb::kDead);
    EXPECT_EQ(boss->orb->takeDamage(100), 0);
}

TEST_F(BossFight, TheFinalBlastPaysOnceTakesTheRingAndEndsTheWave) {
    for (int w : {10, 20}) {
        startBoss(w);
        arrive();
        boss->ring[0]->health = 0; // one already shot down
        game->money = 0;
        SoundLog sounds;
        boss->orb->takeDamage(100000);
        step(3.99);
        EXPECT_GT(sounds.count(GameApp::instance()->sampleBoom1), 0);
        EXPECT_EQ(game->money, 0);
        EXPECT_EQ(ringAlive(), 12); // ring member 0 came back in the meantime
        const std::size_t effectsBefore = game->effects.size();
        step(0.02);
        EXPECT_EQ(game->money, 120 * w);
        EXPECT_EQ(ringAlive(), 0);
        EXPECT_TRUE(boss->isDefeated());
        // Thirty blasts in rings, twelve scattered and the "+N".
        ASSERT_GE(game->effects.size() - effectsBefore, 43u);
        EXPECT_NE(dynamic_cast<TextEffect*>(game->effects.back()), nullptr);
        EXPECT_DOUBLE_EQ(GameApp::instance()->currentShake(), 4.0);
        step(5.0);
        EXPECT_EQ(game->money, 120 * w);
        delete game->wave;
        game->wave = nullptr;
    }
}

// Generous tuning meets the int range: a boss health times the wave number and a reward on top
// of a full purse both stop at the largest int instead of overflowing.
TEST_F(BossFight, AHugeHealthAndAFullPurseStopAtTheLargestInt) {
    ScopedString huge{"MasterOrb.Health", "2147483647"};
    startBoss(20);
    EXPECT_EQ(boss->orb->health, INT_MAX);
    arrive();
    game->money = INT_MAX - 100;
    boss->orb->takeDamage(INT_MAX);
    step(4.02);
    EXPECT_EQ(boss->orb->orbState, MasterOrb::kDead);
    EXPECT_EQ(game->money, INT_MAX);
    delete game->wave;
    game->wave = nullptr;
}

TEST_F(BossFight, BombsComeEverySixAndAHalfSecondsFromBelowTheOrb) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        srand(seed);
        startBoss(10);
        arrive();
        SoundLog sounds;
        double t = 0.0;
        while (bombs().empty() && t < 30.0) {
            boss->update(0.01);
            t += 0.01;
        }
        EXPECT_GE(t, 9.5 - 0.011);
        EXPECT_LE(t, 21.5 + 0.011);
        ASSERT_EQ(bombs().size(), 1u);
        OrbBomb* bomb = bombs()[0];
        EXPECT_EQ(bomb->x, boss->orb->x);
        EXPECT_EQ(bomb->y, boss->orb->y + 6.0);
        EXPECT_EQ(bomb->vy, -64.0);
        EXPECT_GE(std::abs(bomb->vx), 16.0);
        EXPECT_LE(std::abs(bomb->vx), 40.0);
        EXPECT_EQ(sounds.count(GameApp::instance()->sampleMissile), 1);
        step(6.49);
        EXPECT_EQ(bombs().size(), 1u);
        step(0.02);
        EXPECT_EQ(bombs().size(), 2u);
        game->reset();
    }
}

TEST_F(BossFight, TheLastDeadRingSquibbleReturnsEveryFourSecondsWhileTheOrbLives) {
    startBoss(10);
    step(0.5);
    boss->ring[3]->health = 0;
    boss->ring[7]->health = -2;
    step(3.49); // 3.99 s
    EXPECT_EQ(ringAlive(), 10);
    step(0.02);
    EXPECT_EQ(boss->ring[7]->health, boss->ring[7]->maxHealth);
    EXPECT_LE(boss->ring[3]->health, 0);
    step(4.0);
    EXPECT_EQ(ringAlive(), 12);

    boss->ring[5]->health = 0;
    boss->orb->health = 0;
    step(8.0);
    EXPECT_EQ(ringAlive(), 11);
}

TEST_F(BossFight, AfterTheGameIsLostNothingComesBackOrFallsButAllKeepsMoving) {
    startBoss(10);
    arrive();
    boss->orb->bombTimer = 6.0;
    boss->ring[2]->health = 0;
    game->gameOver = true;
    const float deadAnim = boss->ring[2]->anim->time;
    const double orbX = boss->orb->x;
    step(9.0);
    EXPECT_TRUE(bombs().empty());
    EXPECT_GT(boss->orb->bombTimer, 6.5);
    EXPECT_LE(boss->ring[2]->health, 0);
    EXPECT_NE(boss->ring[2]->anim->time, deadAnim);
    EXPECT_NE(boss->orb->x, orbX);
}

TEST_F(BossFight, AnOrbWithoutHealthIsNeverSeenAndItsRingAloneDecidesTheWave) {
    ScopedString noHealth("MasterOrb.Health", "");
    startBoss(10);
    step(30.0);
    EXPECT_EQ(boss->boss(), nullptr);
    EXPECT_TRUE(bombs().empty());

    BITMAP* target = makeBitmap(320, 240, 0, 0, 0);
    boss->drawInvaders(target);
    EXPECT_EQ(pixelAt(target, static_cast<int>(boss->orb->x), static_cast<int>(boss->orb->y)),
              (Rgb{0, 0, 0}));
    destroy_bitmap(target);

    game->money = 0;
    for (Invader* v : boss->ring) {
        EXPECT_FALSE(boss->isDefeated());
        v->takeDamage(1000);
    }
    step(8.0);
    EXPECT_TRUE(boss->isDefeated());
    EXPECT_EQ(ringAlive(), 0);
    EXPECT_LT(game->money, 120 * 10); // bounties only
}

// The coil's shipped reach lets it strike ring squibbles as they swing low, never the orb.
TEST_F(BossFight, ATeslaCoilReachesTheRingButNotTheOrb) {
    startBoss(10);
    TeslaCoil* coil = new TeslaCoil();
    coil->placeAt(153);
    coil->health = 100000;
    game->buildings.push_back(coil);
    game->health = 1000;
    int strikes = 0;
    for (int i = 0; i < 12000; ++i) {
        const double charge = coil->chargeRange;
        game->update(0.01);
        strikes += coil->chargeRange < charge;
    }
    EXPECT_GE(strikes, 5);
    EXPECT_EQ(boss->orb->health, boss->orb->maxHealth);
}

} // namespace
