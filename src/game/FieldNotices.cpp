#include "game/FieldNotices.h"

#include "gfx/BitmapFont.h"

#include <algorithm>
#include <utility>

namespace {

// Slower than a bounty's "+25", so it reads as news rather than as a price.
constexpr double kRiseSpeed = 6.0;
// More notices than this at once is a screen nobody can read; the oldest go first.
constexpr std::size_t kMostNotices = 8;
constexpr int kEdgeMargin = 2;

} // namespace

void FieldNotices::add(int x, int y, std::string text) {
    if (notices.size() >= kMostNotices)
        notices.erase(notices.begin());
    notices.push_back({x, static_cast<double>(y), std::move(text), 0.0});
}

void FieldNotices::update(double dt) {
    for (Notice& n : notices) {
        n.age += dt;
        n.y -= kRiseSpeed * dt;
    }
    notices.erase(std::remove_if(notices.begin(), notices.end(),
                                 [](const Notice& n) { return !(n.age < kLifetime); }),
                  notices.end());
}

void FieldNotices::draw(BITMAP* target, const BitmapFont* font, int fieldWidth) const {
    if (!font)
        return;
    for (const Notice& n : notices) {
        const int half = font->textWidth(n.text.c_str()) / 2;
        const int x = std::clamp(n.x, kEdgeMargin + half,
                                 std::max(kEdgeMargin + half, fieldWidth - kEdgeMargin - half));
        font->drawCentred(target, x, static_cast<int>(n.y), n.text.c_str());
    }
}
