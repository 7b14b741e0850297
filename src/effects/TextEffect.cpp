#include "effects/TextEffect.h"

#include "app/GameApp.h"
#include "gfx/BitmapFont.h"

#include <allegro.h>

namespace {

constexpr double kTextLifetime = 1.0;
constexpr double kDriftSpeed = 16.0;

} // namespace

TextEffect::TextEffect(int x0, int y0, const BitmapFont* font, const char* text)
    : image(GameApp::instance()->fieldUnseen ? nullptr : renderTextImage(font, text)) {
    lifetime = kTextLifetime;
    x = x0;
    y = y0;
}

TextEffect::~TextEffect() {
    if (image)
        destroy_bitmap(image);
}

void TextEffect::update(double dt) {
    x += kDriftSpeed * dt;
    y -= kDriftSpeed * dt;
    Effect::update(dt);
}

void TextEffect::draw(BITMAP* target) {
    if (!image)
        return;
    masked_blit(image, target, 0, 0, static_cast<int>(x), static_cast<int>(y), image->w, image->h);
}
