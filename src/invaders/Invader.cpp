#include "invaders/Invader.h"

#include "gfx/SpriteAnim.h"

Invader::~Invader() {
    delete anim;
}

void Invader::setCentre(int cx, int cy) {
    int dx = static_cast<int>(centreX() - x);
    x = cx - dx;
    int dy = static_cast<int>(centreY() - y);
    y = cy - dy;
}
