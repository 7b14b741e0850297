#include "game/StartScreen.h"

#include "app/GameApp.h"
#include "app/Sound.h"
#include "game/Controls.h"
#include "game/Game.h"
#include "game/SavedGame.h"
#include "gfx/BackBuffer.h"
#include "gfx/BitmapFont.h"

#include <allegro.h>

namespace {

// The same column, line height and fonts as the in-game menu.
constexpr int kItemX = 110;
constexpr int kItemWidth = 100;
constexpr int kItemHeight = 8;
constexpr int kLineStep = 10;
constexpr int kTitleY = 70;
constexpr int kFirstLineY = 92;

} // namespace

StartScreen::StartScreen(Game& game, const SavedGame* saved, std::optional<Difficulty> level)
    : game(game) {
    int y = kFirstLineY;
    if (saved) {
        StartChoice resume{StartChoice::kContinue, saved->difficulty};
        lines.push_back({"Continue (wave " + std::to_string(saved->wave) + ")", y, false, resume});
        y += kLineStep + kLineStep / 2;
    }
    if (level) {
        lines.push_back({"New Game", y, false, {StartChoice::kNewGame, *level}});
        return;
    }
    lines.push_back({"New Game", y, true, {}});
    for (int i = 0; i < kDifficultyCount; ++i) {
        y += kLineStep;
        const Difficulty d = static_cast<Difficulty>(i);
        lines.push_back({difficultyTitle(d), y, false, {StartChoice::kNewGame, d}});
    }
}

bool StartScreen::hovered(const Entry& entry) const {
    return !entry.small && game.app->mouseIn(kItemX, entry.y, kItemWidth, kItemHeight);
}

std::optional<StartChoice> StartScreen::update() {
    GameApp* app = game.app;
    while (app->keyboard->keypressed()) {
        const StartKey key = startKeyFor(app->keyboard->readkey() >> 8);
        if (key == StartKey::kLeave)
            return StartChoice{};
        if (key == StartKey::kTakeFirst)
            for (const Entry& entry : lines)
                if (!entry.small)
                    return entry.choice;
    }
    const bool released = (app->previousButtons & 1) && !(app->buttons & 1);
    if (released)
        for (const Entry& entry : lines)
            if (hovered(entry)) {
                playSample(app->sampleBip2);
                return entry.choice;
            }
    return std::nullopt;
}

void StartScreen::draw(BITMAP* bmp) const {
    GameApp* app = game.app;
    app->fontMain->drawCentred(bmp, 160, kTitleY, app->strings.get("WindowTitle").c_str());
    for (const Entry& entry : lines) {
        const BitmapFont* font = entry.small      ? app->fontSmall
                                 : hovered(entry) ? app->fontMainRed
                                                  : app->fontMain;
        font->drawCentred(bmp, 160, entry.y, entry.text.c_str());
    }
}

// The sky and the ground of a new game, standing still; no panel yet, as no game has begun.
void StartScreen::drawBackdrop(BITMAP* bmp) const {
    BITMAP* background = game.app->bgImage;
    if (!background || background->w < bmp->w || background->h < bmp->h)
        clear_bitmap(bmp);
    if (background)
        blit(background, bmp, 0, 0, 0, 0, bmp->w, bmp->h);
    for (const Cloud& cloud : game.clouds)
        if (BITMAP* image = game.app->cloudImages[cloud.image])
            masked_blit(image, bmp, 0, 0, static_cast<int>(cloud.x), static_cast<int>(cloud.y),
                        image->w, image->h);
}

StartChoice StartScreen::run() {
    game.reset();
    for (;;) {
        game.app->tick();
        if (game.app->closeRequested)
            return StartChoice{};
        if (std::optional<StartChoice> choice = update())
            return *choice;
        drawBackdrop(game.app->backBuffer->bitmap);
        draw(game.app->backBuffer->bitmap);
        game.app->backBuffer->present();
    }
}
