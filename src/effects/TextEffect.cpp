#include "effects/TextEffect.h"

#include "gfx/BitmapFont.h"

#include <allegro.h>

#include <algorithm>

namespace {

// Taller glyphs are cut off at the bottom.
constexpr int kTextImageHeight = 10;
constexpr double kTextLifetime = 1.0;
constexpr double kDriftSpeed = 16.0;

} // namespace

BITMAP* renderTextImage(const BitmapFont* font, const char* text) {
    const int textWidth = font && text ? font->textWidth(text) : 0;
    if (textWidth > kMaxTextImageWidth - 2)
        return nullptr;
    // A font with a strongly negative spacing can measure a text as less than nothing; the
    // image still needs at least one column.
    BITMAP* image = create_bitmap(std::max(1, textWidth + 2), kTextImageHeight);
    if (!image)
        return nullptr;
    clear_to_color(image, makecol(255, 0, 255));
    if (font && text)
        font->draw(image, 0, 0, text);
    return image;
}

TextEffect::TextEffect(int x0, int y0, const BitmapFont* font, const char* text)
    : image(renderTextImage(font, text)) {
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
