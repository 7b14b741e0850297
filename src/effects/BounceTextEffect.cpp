#include "effects/BounceTextEffect.h"

#include "effects/TextEffect.h"
#include "gfx/BitmapFont.h"

#include <allegro.h>

namespace {

constexpr double kBannerLifetime = 3.0;
constexpr double kHopSpeed = -40.0;
constexpr double kGravity = 90.0;
// Share of the speed a bounce keeps.
constexpr double kBounce = 0.6;
constexpr double kUnfoldTime = 0.15;
// From here the banner stays where it is, even a few pixels above its line.
constexpr double kFreezeAt = 1.4;
constexpr double kFoldAt = 2.4;
constexpr double kFoldTime = 0.15;

} // namespace

BounceTextEffect::BounceTextEffect(int x0, int y0, const BitmapFont* font, const char* text)
    : image(renderTextImage(font, text)), vy(kHopSpeed), restY(y0) {
    lifetime = kBannerLifetime;
    // Drawn at twice the image width, so this centres it on x0.
    x = x0 - (image ? image->w : 0);
    y = y0;
}

BounceTextEffect::~BounceTextEffect() {
    if (image)
        destroy_bitmap(image);
}

void BounceTextEffect::update(double dt) {
    Effect::update(dt);
    if (age < kUnfoldTime)
        return;
    const double newY = y + vy * dt;
    double newVy = vy + kGravity * dt;
    if (newY >= restY) {
        y = restY;
        newVy = -kBounce * newVy;
    } else {
        y = newY;
    }
    vy = age > kFreezeAt ? 0.0 : newVy;
}

void BounceTextEffect::draw(BITMAP* target) {
    if (!image)
        return;
    const int w = image->w;
    const int h = image->h;
    int top = static_cast<int>(y);
    int height = 2 * h;
    if (age < kUnfoldTime || age >= kFoldAt) {
        // Opening and closing happen about the banner's middle line.
        const float d = static_cast<float>(age < kUnfoldTime ? age / kUnfoldTime
                                                             : 1.0 - (age - kFoldAt) / kFoldTime);
        if (!(d > 0.0f))
            return;
        top += static_cast<int>((1.0f - d) * h);
        height = static_cast<int>(2.0f * h * d);
    }
    if (height <= 0)
        return;
    masked_stretch_blit(image, target, 0, 0, w, h, static_cast<int>(x), top, 2 * w, height);
}
