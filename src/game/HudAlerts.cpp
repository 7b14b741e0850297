#include "game/HudAlerts.h"

#include "app/GameApp.h"
#include "app/Sound.h"
#include "game/Game.h"
#include "invaders/Wave.h"

#include <cmath>

void HudAlerts::reset(int health) {
    danger = false;
    flashLeft = 0.0;
    clock = 0.0;
    lastHealth = health;
    alarmedWave = 0;
}

void HudAlerts::update(const Game& game, double dt) {
    StringTable& strings = game.app->strings;
    clock += dt;
    // Kept within a day so that blinking never runs into the precision of a huge clock.
    clock = std::fmod(clock, 86400.0);
    flashLeft = flashLeft > dt ? flashLeft - dt : 0.0;
    if (game.health < lastHealth)
        flashLeft = flashSeconds.get(strings);
    lastHealth = game.health;

    danger = !game.gameOver && game.wave && game.wave->landsWithin(dangerSeconds.get(strings));
    if (danger && game.wave->serial != alarmedWave) {
        alarmedWave = game.wave->serial;
        playSample(game.app->sampleAlarm);
    }
}

bool HudAlerts::blink(double perSecond) const {
    return std::fmod(clock * perSecond, 1.0) < 0.5;
}
