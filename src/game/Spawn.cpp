#include "game/Spawn.h"

#include "app/GameApp.h"
#include "effects/SimpleEffect.h"
#include "effects/TextEffect.h"
#include "game/Game.h"
#include "invaders/InvaderProjectile.h"
#include "projectiles/Projectile.h"

#include <cstdio>

void spawnEffect(Effect* effect) {
    GameApp* app = GameApp::instance();
    if (app->game && !(app->resultOnly && effect->decorative()))
        app->game->addEffect(effect);
    else
        delete effect;
}

void spawnAnimation(int cx, int cy, SpriteSheet* sheet, double delay, double vx, double vy) {
    GameApp* app = GameApp::instance();
    if (!app->game || app->resultOnly)
        return;
    SimpleEffect* effect = new SimpleEffect(cx, cy, sheet, delay);
    effect->setVelocity(vx, vy);
    app->game->addEffect(effect);
}

void spawnProjectile(Projectile* projectile) {
    if (Game* game = GameApp::instance()->game)
        game->addProjectile(projectile);
    else
        delete projectile;
}

void spawnEnemyShot(InvaderProjectile* shot) {
    if (Game* game = GameApp::instance()->game)
        game->addEnemyShot(shot);
    else
        delete shot;
}

void spawnText(int x, int y, const BitmapFont* font, const char* format, int value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    spawnEffect(new TextEffect(x, y, font, text));
}
