// The invader kinds on the HUD: the word on a kind met for the first time in a game, the kinds
// of the next wave beside its countdown, and the kinds on the help card.

#include "game/Hud.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "game/HudText.h"
#include "gfx/BitmapFont.h"
#include "gfx/SpriteSheet.h"
#include "invaders/InvaderKinds.h"

#include <allegro.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The notice: a box low over the field, clear of the towers' tops (y 188) and of the formation,
// which enters at the top and is still high in the first seconds of a wave.
constexpr int kNoticeTop = 150;
constexpr int kNoticeHeight = 24;
constexpr int kNoticePadding = 6;
// The next wave's kinds: a sprite each, a little apart, on the countdown's line.
constexpr int kIconGap = 2;
constexpr int kIconsY = 227;
// The help card's kinds: this many to a line, each a sprite and its name.
constexpr int kHelpKindsLeft = 40;
constexpr int kHelpKindsPerLine = 3;
constexpr int kHelpKindWidth = 84;
constexpr int kHelpKindLineHeight = 14;

// The first frame of the kind's healthy loop, as it first shows in a formation.
BITMAP* kindPicture(const GameApp& app, int kind) {
    const SpriteSheet* sheet = app.invaderDefs[kind].sprite;
    return sheet && sheet->rowCount() > 0 ? sheet->frame(0, 0.0f) : nullptr;
}

} // namespace

void Hud::drawKindNotice(BITMAP* bmp) {
    const int kind = game.kindNotices.shown();
    if (kind < 0)
        return;
    const InvaderDef& def = app->invaderDefs[kind];
    const std::string title = "New: " + def.name;
    BITMAP* picture = kindPicture(*app, kind);
    const int pictureWidth = picture ? picture->w + kNoticePadding : 0;
    const int textWidth = std::max(app->fontMain->textWidth(title.c_str()),
                                   app->fontSmall->textWidth(def.hint.c_str()));
    const int width = std::min(pictureWidth + textWidth + 2 * kNoticePadding, kFieldWidth - 4);
    const int left = (kFieldWidth - width) / 2;
    rectfill(bmp, left, kNoticeTop, left + width - 1, kNoticeTop + kNoticeHeight - 1,
             makecol(112, 120, 168));
    rectfill(bmp, left + 1, kNoticeTop + 1, left + width - 2, kNoticeTop + kNoticeHeight - 2,
             makecol(20, 22, 44));
    if (picture)
        masked_blit(picture, bmp, 0, 0, left + kNoticePadding,
                    kNoticeTop + (kNoticeHeight - picture->h) / 2, picture->w, picture->h);
    const int textX = left + kNoticePadding + pictureWidth;
    app->fontMain->draw(bmp, textX, kNoticeTop + 2, title.c_str());
    app->fontSmall->draw(bmp, textX, kNoticeTop + 14, def.hint.c_str());
}

// Only while the countdown shows: then the wave number is the coming wave's.
void Hud::drawNextWaveKinds(BITMAP* bmp, int x) {
    if (!(game.waveTimer >= 0.0) || isBossWave(game.waveNumber))
        return;
    const std::vector<int> counts = formationCounts(2 * game.waveNumber + 14, game.waveNumber);
    for (int kind = 0; kind < kInvaderKindCount; ++kind) {
        BITMAP* picture = counts[kind] > 0 ? kindPicture(*app, kind) : nullptr;
        if (!picture)
            continue;
        masked_blit(picture, bmp, 0, 0, x, kIconsY, picture->w, picture->h);
        x += picture->w + kIconGap;
    }
}

void Hud::drawHelpKinds(BITMAP* bmp, int top) {
    for (int kind = 0; kind < kInvaderKindCount; ++kind) {
        const int x = kHelpKindsLeft + (kind % kHelpKindsPerLine) * kHelpKindWidth;
        const int y = top + (kind / kHelpKindsPerLine) * kHelpKindLineHeight;
        if (BITMAP* picture = kindPicture(*app, kind))
            masked_blit(picture, bmp, 0, 0, x, y, picture->w, picture->h);
        app->fontSmall->draw(bmp, x + 18, y + 3, app->invaderDefs[kind].name.c_str());
    }
}
