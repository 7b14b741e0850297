#pragma once

#include "invaders/Invader.h"
#include "invaders/Wave.h"
#include "towers/Building.h"
#include "towers/TowerWorld.h"

#include <vector>

struct SAMPLE;
class MissileProjectile;
class Projectile;

// A target with its centre at (x, y) that counts the hits it takes. A shielded one reports
// every hit as landed without losing health.
class StubInvader : public Invader {
  public:
    void update(double) override {}
    void draw(BITMAP*) override {}
    int takeDamage(int amount) override;

    int hits = 0;
    bool shielded = false;
    // Pixels a hit throws it to the right, as a hit animation of another size moves a centre.
    double recoil = 0.0;
};

class StubWave : public Wave {
  public:
    StubInvader* add(double cx, double cy, int health = 5, double hitRadius = 4.0);
};

// The towers' world with shots in it: a 2 x 8 bolt image, a missile sheet of 16 one-frame rows,
// small sounds of their own, and a stub wave running in the game (no wave is scheduled).
class ShotWorld : public TowerWorld {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Missiles at (x, y) read the tuning set here.
    void tuneMissiles(double speed, double steeringMax, double response, double life);
    MissileProjectile* missileAt(int x, int y, int damage = 3, int splash = 0, double radius = 0.0);
    std::vector<MissileProjectile*> missiles() const;
    // Deletes the effects collected so far, to look at the next ones alone.
    void dropEffects();

    StubWave* wave = nullptr; // owned by the game
    BITMAP* bolt = nullptr;
    SpriteSheet* missileSheet = nullptr;
    SpriteSheet* poofs = nullptr;
    SAMPLE* zoop = nullptr;
    SAMPLE* laserHit = nullptr;
    SAMPLE* missileLaunch = nullptr;
    SAMPLE* boom = nullptr;
    SoundLog* sounds = nullptr;
};
