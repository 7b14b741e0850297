#pragma once

#include "app/Definitions.h"
#include "invaders/Squibble.h"
#include "towers/Building.h"
#include "towers/TowerWorld.h"

#include <vector>

struct SAMPLE;
class InvaderProjectile;
class SquibbleWave;
class TextEffect;

// The tower world with invaders in it, still independent of the shipped data: a 14 x 12
// squibble whose four rows each have a colour of their own, a 6 x 6 bullet, a 16 x 16 bomb, a
// poof, a red twin of the world's font, samples the tests can tell apart, a base of 20 health,
// wave 1, and squibbles tuned to 10 health (+2.5 a wave), a bounty of 10 and a hit radius of 7.
class InvaderWorld : public TowerWorld {
  protected:
    void SetUp() override;
    void TearDown() override;

    static constexpr int kBaseHealth = 20;

    // A squibble of the current wave with its top-left corner at (x, y); the world owns it.
    Squibble* squibble(double x, double y);
    // A tower of the type with its left edge at x, standing in the game's own list.
    Building* tower(int type, int x);
    // Shots handed to the game, of one kind.
    template <typename T> std::vector<T*> shotsOfKind() const {
        std::vector<T*> found;
        for (InvaderProjectile* s : game->enemyShots)
            if (T* t = dynamic_cast<T*>(s))
                found.push_back(t);
        return found;
    }
    // Whether the label was rendered from exactly this text in this font.
    static bool shows(const TextEffect* label, const BitmapFont* font, const char* text);

    SpriteSheet* squibbleSheet = nullptr;
    SpriteSheet* bulletSheet = nullptr;
    SpriteSheet* bombSheet = nullptr;
    SpriteSheet* poofs = nullptr;
    BitmapFont* redFont = nullptr;
    SAMPLE* death = nullptr;
    SAMPLE* bounce = nullptr;
    SAMPLE* boom = nullptr;

  private:
    std::vector<std::unique_ptr<Squibble>> squibbles;
    InvaderDef savedInvader;
    SpriteSheet* savedPoofs = nullptr;
    SpriteSheet* savedBullets = nullptr;
    SpriteSheet* savedBombs = nullptr;
    BitmapFont* savedRedFont = nullptr;
    SAMPLE* savedSamples[3] = {};
};
