#include "invaders/Invader.h"

#include "gfx/SpriteAnim.h"

Invader::~Invader() {
    delete anim;
}

double Invader::centreX() const {
    return x + (anim ? anim->frameWidth() : 0) / 2;
}

double Invader::centreY() const {
    return y + (anim ? anim->frameHeight() : 0) / 2;
}

void Invader::setCentre(int cx, int cy) {
    int dx = static_cast<int>(centreX() - x);
    x = cx - dx;
    int dy = static_cast<int>(centreY() - y);
    y = cy - dy;
}
