#include "game/GameOverStory.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "gfx/BitmapFont.h"
#include "gfx/Dim.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kLineHeight = 9;
constexpr int kLines = 5;
// Labels end left of the middle, figures start right of it.
constexpr int kMiddle = 160;
constexpr int kGap = 3;
constexpr int kBandLeft = 40;
constexpr int kBandRight = 280;
constexpr int kBandStrength = 150;

} // namespace

std::string playedTime(double seconds) {
    const long long whole = std::isfinite(seconds) && seconds > 0.0
                                ? static_cast<long long>(std::min(seconds, 1e12))
                                : 0;
    char text[48];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return text;
}

int drawGameOverStory(BITMAP* bmp, const Game& game, int top) {
    const GameApp* app = game.app;
    const GameStats& s = game.stats;
    dimRect(bmp, kBandLeft, top - 3, kBandRight, top + kLines * kLineHeight, kBandStrength);
    char figures[kLines][96];
    std::snprintf(figures[0], sizeof figures[0], "%s", playedTime(s.timePlayed).c_str());
    std::snprintf(figures[1], sizeof figures[1], "%d", s.invadersDestroyed);
    std::snprintf(figures[2], sizeof figures[2], "$%lld earned, $%lld spent", s.moneyEarned,
                  s.moneySpent);
    std::snprintf(figures[3], sizeof figures[3], "%d built, %d lost", s.towersBuilt, s.towersLost);
    const int best = s.mostEffectiveKind();
    if (best < 0)
        std::snprintf(figures[4], sizeof figures[4], "none");
    else
        std::snprintf(figures[4], sizeof figures[4], "%s, %lld damage",
                      app->towerDefs[best].name.c_str(), s.damageByKind[best]);
    const char* const labels[kLines] = {"Time played", "Invaders destroyed", "Money", "Towers",
                                        "Most effective"};
    for (int i = 0; i < kLines; ++i) {
        const int y = top + i * kLineHeight;
        app->fontSmall->drawRight(bmp, kMiddle - kGap, y, labels[i]);
        app->fontSmall->draw(bmp, kMiddle + kGap, y, figures[i]);
    }
    return top + kLines * kLineHeight;
}
