#pragma once

#include "app/Definitions.h"
#include "app/StringTable.h"
#include "game/Game.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

struct BITMAP;
struct SAMPLE;
class BitmapFont;
class Building;
class SimpleEffect;
class SpriteSheet;
class TextEffect;

// Gives the towers a world of their own, independent of the shipped data: three tower types
// priced 100 with full health 10, a 20 x 30 tower sprite, puff and blast sheets, a debris
// strip, a font whose glyphs tell the characters apart, a hit and a blast sound of its own, a
// ground line at y = 200 and a game with 1000 in the bank collecting the effects. Whatever the
// application held comes back afterwards (AppFixture).
class TowerWorld : public AppFixture {
  protected:
    void SetUp() override;
    void TearDown() override;

    static constexpr int kBaseline = 200;
    static constexpr int kTowerW = 20;
    static constexpr int kTowerH = 30;
    static constexpr int kStartMoney = 1000;

    // A sheet of one w x h frame in one colour, shown by every row.
    static SpriteSheet* solidSheet(int w, int h, int rowCount, float fps, int r, int g, int b);
    // Adds string-table entries for this test (they replace earlier ones).
    void setStrings(const std::vector<std::pair<std::string, std::string>>& entries);
    // A tower of the type made by the factory, placed with its left edge at x; the world owns it.
    Building* place(int type, int x = 100);

    std::vector<SimpleEffect*> effectsOn(const SpriteSheet* sheet) const;
    template <typename T> std::vector<T*> effectsOfKind() const {
        std::vector<T*> found;
        for (Effect* e : game->effects)
            if (T* t = dynamic_cast<T*>(e))
                found.push_back(t);
        return found;
    }
    // Whether the label was rendered from exactly this text in the small font.
    bool showsText(const TextEffect* label, const char* text) const;

    Game* game = nullptr;
    SpriteSheet* towerSheet = nullptr;
    SpriteSheet* puffs = nullptr;
    SpriteSheet* blasts = nullptr;
    BITMAP* debris = nullptr;
    BitmapFont* font = nullptr;
    SAMPLE* hitSound = nullptr;
    SAMPLE* blastSound = nullptr;
    SAMPLE* lostSound = nullptr;
    TowerDef* defs = nullptr; // the three types, to adjust per test

  private:
    std::vector<std::unique_ptr<Building>> towers;
};
