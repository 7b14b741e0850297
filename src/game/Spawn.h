#pragma once

class BitmapFont;
class Effect;
class InvaderProjectile;
class Projectile;
class SpriteSheet;

// Every entity hands what it creates (an effect, a floating text, a shot) to the current game
// through these, and the game owns it from then on. Without a game (an entity exercised on its
// own) nobody could ever delete it, so it is deleted at once.
void spawnEffect(Effect* effect);
void spawnProjectile(Projectile* projectile);
void spawnEnemyShot(InvaderProjectile* shot);

// A sheet's animation played once, centred on (cx, cy) after `delay` seconds and drifting at
// (vx, vy). Only a picture: a game played for its result alone never makes it, and a battle
// makes thousands.
void spawnAnimation(int cx, int cy, SpriteSheet* sheet, double delay, double vx = 0.0,
                    double vy = 0.0);

// A floating label such as "+25" or "-1": format takes one integer; (x, y) is the text's
// top-left corner.
void spawnText(int x, int y, const BitmapFont* font, const char* format, int value);
