#include "TowerWorld.h"

#include "app/GameApp.h"
#include "effects/SimpleEffect.h"
#include "effects/TextEffect.h"
#include "game/Game.h"
#include "gfx/BitmapFont.h"
#include "gfx/SpriteAnim.h"
#include "gfx/SpriteSheet.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <allegro.h>

#include <cstdio>
#include <fstream>

namespace {

// Codes 32 to 57 (space, signs, digits) in 3 x 5 cells, each cell inked with the bits of its
// code so that no two characters look alike.
BitmapFont* patternFont() {
    const int first = 32, last = 57;
    const int cells = last - first + 1;
    BITMAP* image = makeBitmap(1 + 4 * cells, 7, 0, 0, 255); // the separator colour
    for (int c = 0; c < cells; ++c) {
        const int code = first + c;
        const int x0 = 1 + 4 * c;
        rectfill(image, x0, 1, x0 + 2, 5, makecol(255, 0, 255));
        for (int bit = 0; bit < 7; ++bit)
            if (code >> bit & 1)
                putpixel(image, x0 + bit % 3, 1 + bit / 3, makecol(255, 255, 255));
        putpixel(image, x0 + 2, 5, makecol(255, 255, 255));
    }
    return new BitmapFont(image);
}

TowerDef towerType(SpriteSheet* sprite, int upgrades) {
    TowerDef def;
    def.name = "Test tower";
    def.value = 100;
    def.width = 18;
    def.available = true;
    def.sprite = sprite;
    def.health = 10;
    def.radius = 12.0;
    def.entryCount = upgrades + kFirstUpgradeEntry;
    def.entries.assign(def.entryCount, UpgradeDef());
    def.entries[kDemolishEntry].name = "Demolish";
    def.entries[kRepairEntry].name = "Repair";
    for (int e = kFirstUpgradeEntry; e < def.entryCount; ++e) {
        def.entries[e].levelCount = 2;
        def.entries[e].levels.assign(2, UpgradeLevel{0, 50});
    }
    return def;
}

bool sameImage(BITMAP* a, BITMAP* b) {
    if (a->w != b->w || a->h != b->h)
        return false;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            if (!(pixelAt(a, x, y) == pixelAt(b, x, y)))
                return false;
    return true;
}

} // namespace

SpriteSheet* TowerWorld::solidSheet(int w, int h, int rowCount, float fps, int r, int g, int b) {
    SpriteSheet* sheet = new SpriteSheet(""); // no such file: starts empty
    sheet->image = makeBitmap(w, h, r, g, b);
    sheet->frames.push_back(create_sub_bitmap(sheet->image, 0, 0, w, h));
    for (int i = 0; i < rowCount; ++i) {
        AnimRow row;
        row.fps = fps;
        row.frameCount = 1;
        row.frames.push_back(0);
        sheet->rows.push_back(row);
    }
    return sheet;
}

void TowerWorld::SetUp() {
    AppFixture::SetUp();
    GameApp* app = GameApp::instance();
    towerSheet = solidSheet(kTowerW, kTowerH, 5, 10.0f, 0, 200, 0);
    puffs = solidSheet(6, 6, 1, 10.0f, 200, 200, 200);
    blasts = solidSheet(16, 16, 1, 10.0f, 255, 128, 0);
    debris = makeBitmap(16, 8, 90, 60, 30);
    font = patternFont();
    hitSound = create_sample(8, 0, 11025, 1);
    blastSound = create_sample(8, 0, 11025, 1);
    lostSound = create_sample(8, 0, 11025, 1);

    app->towerDefs[0] = towerType(towerSheet, 2);
    app->towerDefs[1] = towerType(towerSheet, 3);
    app->towerDefs[2] = towerType(towerSheet, 1);
    defs = app->towerDefs;
    app->towerBaseline = kBaseline;
    app->puff2Sheet = puffs;
    app->explosionSmallSheet = blasts;
    app->debrisImage = debris;
    app->fontSmall = font;
    app->sampleLaserHit = hitSound;
    app->sampleBoom1 = blastSound;
    app->sampleTowerLost = lostSound;

    game = new Game();
    game->money = kStartMoney;
    app->game = game;
}

void TowerWorld::TearDown() {
    towers.clear();
    delete game;
    game = nullptr;
    destroy_sample(hitSound);
    destroy_sample(blastSound);
    destroy_sample(lostSound);
    delete towerSheet;
    delete puffs;
    delete blasts;
    destroy_bitmap(debris);
    delete font;
    AppFixture::TearDown();
}

void TowerWorld::setStrings(const std::vector<std::pair<std::string, std::string>>& entries) {
    const std::string path = ::testing::TempDir() + "tower_strings.txt";
    {
        std::ofstream out(path);
        for (const auto& entry : entries)
            out << entry.first << '=' << entry.second << '\n';
    }
    ASSERT_TRUE(GameApp::instance()->strings.load(path));
    std::remove(path.c_str());
}

Building* TowerWorld::place(int type, int x) {
    Building* tower = createTower(type);
    if (!tower)
        return nullptr;
    tower->placeAt(x);
    towers.emplace_back(tower);
    return tower;
}

std::vector<SimpleEffect*> TowerWorld::effectsOn(const SpriteSheet* sheet) const {
    std::vector<SimpleEffect*> found;
    for (SimpleEffect* e : effectsOfKind<SimpleEffect>())
        if (e->anim->sheet == sheet)
            found.push_back(e);
    return found;
}

bool TowerWorld::showsText(const TextEffect* label, const char* text) const {
    BITMAP* expected = renderTextImage(font, text);
    const bool same = sameImage(label->image, expected);
    destroy_bitmap(expected);
    return same;
}
