#include "effects/SimpleEffect.h"

#include "app/GameApp.h"
#include "gfx/SpriteAnim.h"
#include "gfx/SpriteSheet.h"

#include <cmath>

SimpleEffect::SimpleEffect(int cx, int cy, SpriteSheet* sheet, double delay)
    : anim(new SpriteAnim(sheet)), delay(delay), unseen(GameApp::instance()->fieldUnseen) {
    // A sheet without a playable row 0 (missing, no frames, or a rate of 0) would otherwise
    // give an effect that never ends; it just waits out its delay instead.
    double cycle = sheet ? sheet->cycleLength(0) : 0.0;
    if (!std::isfinite(cycle) || cycle < 0.0)
        cycle = 0.0;
    lifetime = delay + cycle;
    x = cx - anim->frameWidth() / 2;
    y = cy - anim->frameHeight() / 2;
}

SimpleEffect::~SimpleEffect() {
    delete anim;
}

void SimpleEffect::setVelocity(double newVx, double newVy) {
    vx = newVx;
    vy = newVy;
}

void SimpleEffect::update(double dt) {
    // The delay is judged on the age before this step, so the first step after it plays. Unseen,
    // only the age matters: it alone says when the effect ends.
    if (age >= delay && !unseen) {
        anim->advance(static_cast<float>(dt));
        x += vx * dt;
        y += vy * dt;
    }
    Effect::update(dt);
}

void SimpleEffect::draw(BITMAP* target) {
    if (age >= delay)
        anim->draw(target, static_cast<int>(x), static_cast<int>(y));
}
