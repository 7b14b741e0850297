#include "invaders/Squibble.h"

#include "app/GameApp.h"
#include "app/Definitions.h"
#include "app/Numbers.h"
#include "app/Random.h"
#include "app/Sound.h"
#include "game/Game.h"
#include "game/Spawn.h"
#include "gfx/SpriteAnim.h"
#include "invaders/SquibbleBullet.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr double kWoundedFraction = 0.35;

// No squibble fires in its first 2.3 seconds. After each roll a healthy one waits 0.5 to 2.25
// seconds for the next, a wounded one twice as long, but a wounded one fires twice as often.
constexpr double kShotRollAfter = 2.3;
constexpr double kRollPauseMin = 1.0;
constexpr double kRollPauseRange = 3.5;
constexpr double kHealthyRollPause = 0.5;
constexpr int kHealthyShotPercent = 4;
constexpr int kWoundedShotPercent = 8;

// Shot down within this many pixels of the ground line (top edge), a squibble pays up to
// double its bounty, rising to double on the line itself.
constexpr int kBonusDistance = 70;
// LateHealthGrowth is held to this: at most double a wave.
constexpr double kMostLateHealthGrowth = 1.0;

} // namespace

// Past LateHealthFrom every kind's health compounds by LateHealthGrowth a wave on top of its
// steady growth: bought defences grow more slowly the more they cost, so a long game ends in a
// climb rather than a stalemate. Both 0: no compounding.
double lateHealthFactor(int waveNumber) {
    StringTable& strings = GameApp::instance()->strings;
    const double growth = strings.getReal("LateHealthGrowth", 0.0, kMostLateHealthGrowth);
    const int from = static_cast<int>(strings.getReal("LateHealthFrom", 0.0, kMaxWaveNumber));
    if (!(growth > 0.0) || from < 1 || waveNumber <= from)
        return 1.0;
    return std::pow(1.0 + growth, waveNumber - from);
}

// The steady growth (HealthIncrease) counts the waves up to SteadyHealthUntil (0: every wave),
// so the late compounding can take over from a lower level than the first waves' pace gives.
int steadyHealthWave(int waveNumber) {
    const int until = static_cast<int>(
        GameApp::instance()->strings.getReal("SteadyHealthUntil", 0.0, kMaxWaveNumber));
    return until >= 1 ? std::min(waveNumber, until) : waveNumber;
}

Squibble::Squibble(int kind) {
    this->kind = kind;
    GameApp* app = GameApp::instance();
    const InvaderDef& def = app->invaderDefs[kind];
    const int waveNumber = app->game ? app->game->waveNumber : 1;
    // In double and held within int: generous tuning or a very long game must not overflow.
    const double grown =
        def.health + std::trunc((steadyHealthWave(waveNumber) - 1) * def.healthIncrease);
    health = maxHealth = clampToInt(std::trunc(grown * lateHealthFactor(waveNumber)));
    hitRadius = def.size;
    anim = new SpriteAnim(def.sprite);
}

const InvaderDef& Squibble::def() const {
    return GameApp::instance()->invaderDefs[kind];
}

int Squibble::woundedThreshold() const {
    return static_cast<int>(maxHealth * kWoundedFraction);
}

void Squibble::update(double dt) {
    anim->advance(static_cast<float>(dt));
    shotTimer = static_cast<float>(shotTimer + dt);
    if (shotTimer < kShotRollAfter || !fires)
        return;
    const Game* game = GameApp::instance()->game;
    if (game && game->gameOver)
        return;
    const bool wounded = health <= woundedThreshold();
    double pause = randomFraction() * kRollPauseRange + kRollPauseMin;
    if (!wounded)
        pause *= kHealthyRollPause;
    shotTimer = static_cast<float>(shotTimer - pause);
    const int percent = wounded ? kWoundedShotPercent : kHealthyShotPercent;
    if (randomInt() % 100 >= percent)
        return;
    SquibbleBullet* bullet = new SquibbleBullet();
    bullet->x = x + anim->frameWidth() / 2;
    bullet->y = y + anim->frameHeight() / 2;
    spawnEnemyShot(bullet);
}

void Squibble::draw(BITMAP* target) {
    anim->draw(target, static_cast<int>(x), static_cast<int>(y));
}

int Squibble::takeDamage(int amount) {
    if (health <= 0)
        return 0;
    health -= amount;
    if (SAMPLE* sound = def().hitSound)
        playSample(sound);
    if (health > 0) {
        if (health > woundedThreshold())
            anim->playThen(kSquibbleHealthyHit, kSquibbleHealthy);
        else
            anim->playThen(kSquibbleWoundedHit, kSquibbleWounded);
        return amount;
    }
    die();
    return amount;
}

void Squibble::die() {
    GameApp* app = GameApp::instance();
    long long reward = def().value;
    const double distance = std::fabs(app->towerBaseline - y);
    if (distance < kBonusDistance)
        reward += (kBonusDistance - static_cast<int>(distance)) * reward / kBonusDistance;
    const int bounty = clampToInt(reward);

    const int cx = static_cast<int>(x) + anim->frameWidth() / 2;
    const int cy = static_cast<int>(y) + anim->frameHeight() / 2;
    spawnAnimation(cx, cy, app->poofSheet, 0.0);
    playSample(def().deathSound ? def().deathSound : app->sampleDeath);
    if (Game* game = app->game)
        game->addMoney(bounty);
    spawnText(cx, cy, app->fontSmall, "+%d", bounty);
}
