#include "invaders/InvaderProjectile.h"

#include "gfx/SpriteAnim.h"

InvaderProjectile::~InvaderProjectile() { delete anim; }
