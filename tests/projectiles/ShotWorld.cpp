#include "ShotWorld.h"

#include "app/GameApp.h"
#include "effects/Effect.h"
#include "gfx/SpriteSheet.h"
#include "projectiles/MissileProjectile.h"

#include <allegro.h>

#include <string>

int StubInvader::takeDamage(int amount) {
    if (health <= 0)
        return 0;
    ++hits;
    x += recoil;
    if (shielded)
        return 1;
    health -= amount;
    return amount;
}

StubInvader* StubWave::add(double cx, double cy, int health, double hitRadius) {
    StubInvader* invader = new StubInvader;
    invader->x = cx; // without an animation the centre is the position
    invader->y = cy;
    invader->health = invader->maxHealth = health;
    invader->hitRadius = hitRadius;
    invader->wave = this;
    invaders.push_back(invader);
    return invader;
}

void ShotWorld::SetUp() {
    TowerWorld::SetUp();
    GameApp* app = GameApp::instance();
    SAMPLE** samples[] = {&app->sampleZoop, &app->sampleLaserHit, &app->sampleMissile,
                          &app->sampleBoom1};
    SAMPLE** mine[] = {&zoop, &laserHit, &missileLaunch, &boom};
    for (int i = 0; i < 4; ++i)
        *mine[i] = *samples[i] = create_sample(8, 0, 8000, 8);
    bolt = makeBitmap(2, 8, 255, 40, 40);
    missileSheet = solidSheet(6, 6, 16, 10.0f, 250, 250, 250);
    poofs = solidSheet(4, 4, 1, 10.0f, 250, 250, 250);
    app->laserSmallImage = bolt;
    app->missileSheet = missileSheet;
    app->poofSheet = poofs;
    sounds = new SoundLog;

    wave = new StubWave;
    game->wave = wave;
    game->waveTimer = -1.0; // a wave is running: nothing else is scheduled
    game->health = 10;
}

void ShotWorld::TearDown() {
    delete sounds;
    TowerWorld::TearDown(); // deletes the game with its shots and wave
    for (SAMPLE* s : {zoop, laserHit, missileLaunch, boom})
        destroy_sample(s);
    destroy_bitmap(bolt);
    delete missileSheet;
    delete poofs;
}

void ShotWorld::tuneMissiles(double speed, double steeringMax, double response, double life) {
    setStrings({{"MissileSpeedBase", std::to_string(speed)},
                {"MissileSteeringMax", std::to_string(steeringMax)},
                {"MissileSteeringResponse", std::to_string(response)},
                {"MissileLife", std::to_string(life)}});
}

MissileProjectile* ShotWorld::missileAt(int x, int y, int damage, int splash, double radius) {
    MissileProjectile* missile = new MissileProjectile(x, y, damage, splash, radius);
    game->addProjectile(missile);
    return missile;
}

std::vector<MissileProjectile*> ShotWorld::missiles() const {
    std::vector<MissileProjectile*> found;
    for (Projectile* p : game->projectiles)
        if (MissileProjectile* m = dynamic_cast<MissileProjectile*>(p))
            found.push_back(m);
    return found;
}

void ShotWorld::dropEffects() {
    for (Effect* e : game->effects)
        delete e;
    game->effects.clear();
}
