#include "invaders/SquibbleWave.h"

#include "app/GameApp.h"
#include "app/Numbers.h"
#include "game/Game.h"
#include "game/Spawn.h"
#include "gfx/SpriteAnim.h"
#include "invaders/InvaderKinds.h"
#include "invaders/Squibble.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPerRow = 12;
constexpr int kColumnGap = 20;
constexpr int kRowGap = 16;
// Every row's left edges are centred on x 140 (with 20-pixel columns the block's middle is at
// 150), and the last row starts at y -20, just above the field.
constexpr int kBlockMiddle = 150;
constexpr int kLastRowY = -20;

// The block turns when a live squibble's left edge reaches one of these, and each step down
// descends one row's height.
constexpr int kRightTurn = 296;
constexpr int kLeftTurn = 8;
constexpr double kStepDown = 16.0;
// WaveQuickening is held to this: the last squibble of a block at most this many times as fast
// again as the whole block.
constexpr double kMostQuickening = 10.0;
// The opening's squibbles keep at least this share of their health.
constexpr double kLeastOpeningShare = 0.1;
constexpr int kLongestOpening = 1000;
constexpr double kLastTollWave = 1.0e6;
// The notice that the wave's toll is spent starts in the clear strip between the landing line
// and the ground, below the block it speaks of.
constexpr int kHoldsY = 198;

// The share of its health a squibble of wave W has: OpeningHealthShare in wave 1, growing evenly
// to the whole in wave OpeningWaves + 1 and after; the whole with OpeningWaves 0. Only the
// squibble: the other kinds come at full strength, each a test when it is first met.
double openingHealthShare(int waveNumber) {
    GameApp* app = GameApp::instance();
    const int opening = static_cast<int>(app->strings.getReal("OpeningWaves", 0, kLongestOpening));
    if (waveNumber > opening || waveNumber < 1)
        return 1.0;
    const double first = app->strings.getReal("OpeningHealthShare", kLeastOpeningShare, 1.0);
    return first + (1.0 - first) * (waveNumber - 1) / opening;
}

// The most base health a wave may take: from wave WaveLossMaxFrom on, the share WaveLossMax of
// the starting health (at least a point); -1, no limit, before it or with either key at 0.
int waveToll(int waveNumber) {
    GameApp* app = GameApp::instance();
    const double from = app->strings.getReal("WaveLossMaxFrom", 0.0, kLastTollWave);
    const double share = app->strings.getReal("WaveLossMax", 0.0, 1.0);
    if (!(from >= 1.0) || waveNumber < from || !(share > 0.0) || !app->game)
        return -1;
    return std::max(1, static_cast<int>(share * std::max(0, app->game->maxHealth)));
}

} // namespace

SquibbleWave::SquibbleWave(int count) {
    GameApp* app = GameApp::instance();
    const int waveNumber = app->game ? app->game->waveNumber : 1;
    speed = app->strings.getReal("Wave1SpeedBase") +
            (waveNumber - 1) * app->strings.getReal("Wave1SpeedIncrease");
    const double cap = app->strings.getReal("Wave1SpeedMax");
    if (!(cap > speed))
        speed = cap;
    speed = clampReal(speed, -kFastest, kFastest);
    quickening = app->strings.getReal("WaveQuickening", 0.0, kMostQuickening);
    tollLeft = waveToll(waveNumber);

    const int lastRow = (count - 1) / kPerRow;
    const std::vector<int> kinds = drawFormation(count, waveNumber);
    const double share = openingHealthShare(waveNumber);
    for (int i = 0; i < count; ++i) {
        Invader* squibble = createInvader(kinds[i]);
        if (share < 1.0 && squibble->kind == kSquibbleKind)
            squibble->health = squibble->maxHealth =
                std::max(1, static_cast<int>(std::ceil(squibble->maxHealth * share)));
        invaders.push_back(squibble);
        squibble->wave = this;
        const int row = i / kPerRow;
        const int column = i % kPerRow;
        const int inRow = std::min(count - kPerRow * row, kPerRow);
        squibble->x = kColumnGap * column - kColumnGap / 2 * inRow + kBlockMiddle;
        squibble->y = kRowGap * (row - lastRow) + kLastRowY;
    }
}

void SquibbleWave::update(double dt) {
    admitArrivals();
    const Game* game = GameApp::instance()->game;
    if (game && game->gameOver) {
        // The block stands still where it was when the base fell, still animating.
        for (Invader* invader : invaders)
            invader->update(dt);
        return;
    }

    int right = 0;
    int left = 320;
    const double velocity = speed * pace;
    int alive = 0;
    for (std::size_t i = 0; i < invaders.size(); ++i) {
        Invader* squibble = invaders[i];
        if (squibble->health <= 0)
            continue;
        if (squibble->inFormation())
            march(squibble, dt * velocity, right, left);
        squibble->update(dt);
        if (squibble->health <= 0)
            continue;
        if (!(squibble->y >= kSquibbleLandingY)) {
            ++alive;
            continue;
        }
        land(squibble);
        alive += squibble->health > 0;
    }
    turn(dt * velocity, right, left);
    quicken(alive);
}

// Stragglers would otherwise cross the whole width between two steps down at the pace of a full
// block: a thinned block marches faster, so the end of a wave does not drag.
void SquibbleWave::quicken(int alive) {
    if (!(quickening > 0.0) || invaders.empty())
        return;
    const double lost = 1.0 - static_cast<double>(alive) / static_cast<double>(invaders.size());
    pace = std::min(1.0 + quickening * lost, kFastest / std::max(std::abs(speed), 1.0));
}

void SquibbleWave::march(Invader* squibble, double moved, int& right, int& left) const {
    switch (marchState) {
    case kMarchRight:
        squibble->x += moved;
        break;
    case kMarchLeft:
        squibble->x -= moved;
        break;
    default:
        squibble->y += moved;
        break;
    }
    if (squibble->x > right)
        right = static_cast<int>(squibble->x);
    if (squibble->x < left)
        left = static_cast<int>(squibble->x);
}

bool SquibbleWave::landsWithin(double seconds) const {
    for (const Invader* squibble : invaders)
        if (squibble->health > 0 &&
            squibble->y >= kSquibbleLandingY - squibble->descentSpeed(speed * pace) * seconds)
            return true;
    return false;
}

void SquibbleWave::land(Invader* squibble) {
    GameApp* app = GameApp::instance();
    squibble->health = -1;
    int cost = app->invaderDefs[squibble->kind].landingCost;
    const bool limited = tollLeft >= 0;
    if (limited) {
        cost = std::min(cost, tollLeft);
        tollLeft -= cost;
    }
    Game* game = app->game;
    if (game)
        game->health = clampToInt(static_cast<long long>(game->health) - cost);
    const int cx = static_cast<int>(squibble->x) + squibble->anim->frameWidth() / 2;
    const int cy = static_cast<int>(squibble->y) + squibble->anim->frameHeight() / 2;
    spawnAnimation(cx, cy, app->poofSheet, 0.0);
    if (cost > 0)
        spawnText(cx, cy, app->fontSmallRed, "-%d", cost);
    // Said once, where the landing that spent the wave's toll came down: the rest of this wave
    // lands for nothing.
    if (limited && tollLeft == 0 && cost > 0 && game && game->health > 0)
        game->notices.add(cx, kHoldsY, "The base holds");
}

void SquibbleWave::turn(double moved, int right, int left) {
    if (marchState == kStepDownRight || marchState == kStepDownLeft) {
        stepDone += moved;
    } else if (marchState == kMarchRight && right >= kRightTurn) {
        marchState = kStepDownRight;
        return;
    }
    if (stepDone >= kStepDown && marchState == kStepDownRight) {
        marchState = kMarchLeft;
        stepDone = 0.0;
        return;
    }
    if (left <= kLeftTurn && marchState == kMarchLeft) {
        marchState = kStepDownLeft;
        return;
    }
    if (stepDone >= kStepDown && marchState == kStepDownLeft) {
        marchState = kMarchRight;
        stepDone = 0.0;
    }
}
