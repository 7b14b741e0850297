// Drawing one complete frame into the back buffer: the play field with what it shows of the
// towers, the boss's health bar or the game-over screen, then the HUD over it.

#include "game/Game.h"
#include "game/GameOverStory.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "effects/Effect.h"
#include "gfx/BackBuffer.h"
#include "gfx/BitmapFont.h"
#include "invaders/Invader.h"
#include "invaders/InvaderProjectile.h"
#include "invaders/Wave.h"
#include "projectiles/Projectile.h"
#include "towers/Building.h"
#include "towers/LaserTurret.h"

#include <allegro.h>

#include <cmath>

namespace {

// The best result sits one small-font line under "Waves Defeated".
constexpr int kBestLineY = 82;
// The story of the game under the best, then how to go on.
constexpr int kStoryY = 96;
constexpr int kGoOnGap = 6;

// The danger glow: rows of red above the ground line, strongest at the ground, pulsing.
constexpr int kGlowRows = 18;
constexpr int kGlowStrongest = 150; // of 255
constexpr double kGlowPulsesPerSecond = 2.0;

} // namespace

void Game::draw(bool present) {
    tellFieldStill();
    BITMAP* bmp = app->backBuffer->bitmap;
    drawField(bmp);
    if (gameOver) {
        drawGameOver(bmp);
    } else {
        drawTowerBars(bmp);
        if (uiMode == kUiPlacing)
            drawGhost(bmp);
        else if (uiMode == kUiTowerMenu)
            drawSelection(bmp);
        if (wave) {
            const Invader* boss = wave->boss();
            if (boss && boss->health > 0 && boss->maxHealth > 0)
                drawHealthBar(bmp, 160, 4, 200,
                              static_cast<double>(boss->health) / boss->maxHealth);
        }
    }
    hud.draw(bmp);
    if (present)
        app->backBuffer->present();
}

// The sky, the towers, the invaders and everything in flight.
void Game::drawField(BITMAP* bmp) {
    // The background is copied, not masked: a picture that covers the buffer replaces every
    // pixel of the last frame, even where it holds the mask colour, and clearing first would
    // only draw the whole frame twice. A player's own picture may be missing or smaller, and
    // then what it leaves uncovered must be black, not the last frame.
    BITMAP* background = app->bgImage;
    if (!background || background->w < bmp->w || background->h < bmp->h)
        clear_bitmap(bmp);
    if (background)
        blit(background, bmp, 0, 0, 0, 0, 320, 240);
    for (const Cloud& cloud : clouds) {
        BITMAP* image = app->cloudImages[cloud.image];
        if (image)
            masked_blit(image, bmp, 0, 0, static_cast<int>(cloud.x), static_cast<int>(cloud.y),
                        image->w, image->h);
    }
    if (alerts.danger && !gameOver)
        drawDangerGlow(bmp);
    if (uiMode == kUiTowerMenu && !gameOver)
        if (const LaserTurret* turret = dynamic_cast<const LaserTurret*>(selected))
            drawLaserColumn(bmp, *turret);
    for (Building* b : buildings)
        b->draw(bmp);
    if (wave)
        wave->drawInvaders(bmp);
    for (Effect* e : effects)
        e->draw(bmp);
    for (Projectile* p : projectiles)
        p->draw(bmp);
    for (InvaderProjectile* s : enemyShots)
        s->draw(bmp);
    notices.draw(bmp, app->fontSmallRed, kFieldWidth);
}

// Drawn behind the towers and the invaders, so that both stay sharp in front of it.
void Game::drawDangerGlow(BITMAP* bmp) {
    const double pulse = 0.65 + 0.35 * std::sin(alerts.clock * kGlowPulsesPerSecond * 2.0 * kPi);
    const int red = makecol(255, 40, 24);
    for (int row = 0; row < kGlowRows; ++row) {
        const double share = 1.0 - static_cast<double>(row) / kGlowRows;
        set_trans_blender(0, 0, 0, static_cast<int>(kGlowStrongest * pulse * share * share));
        drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
        hline(bmp, 0, app->towerBaseline - row, kFieldWidth - 1, red);
    }
    solid_mode();
}

void Game::drawGameOver(BITMAP* bmp) {
    makeGreyscale(bmp);
    BITMAP* words = app->gameOverImage;
    if (words)
        masked_stretch_blit(words, bmp, 0, 0, words->w, words->h, 160 - words->w, 50, 2 * words->w,
                            2 * words->h);
    // A game begun at a later wave counts only what it defeated itself.
    app->fontSmallRed->printCentred(bmp, 160, 74, "Waves Defeated: %d", waveNumber - firstWave);
    app->fontSmallRed->printCentred(bmp, 160, kBestLineY, "Best: %d", app->profile.bestWaves);
    // Under the menu the story would only crowd it; the menu darkens the field instead.
    if (uiMode == kUiGameMenu)
        return;
    const int below = drawGameOverStory(bmp, *this, kStoryY);
    app->fontSmall->drawCentred(bmp, 160, below + kGoOnGap,
                                "Press Escape and choose \"Start Over\"");
}
