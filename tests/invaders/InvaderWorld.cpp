#include "InvaderWorld.h"

#include "app/GameApp.h"
#include "gfx/SpriteSheet.h"
#include "towers/TowerKinds.h"

#include <allegro.h>

namespace {

// One w x h frame per row, row r in colours[r], each row looping at 10 frames a second.
SpriteSheet* rowSheet(int w, int h, const std::vector<Rgb>& colours) {
    SpriteSheet* sheet = new SpriteSheet(""); // no such file: starts empty
    const int rows = static_cast<int>(colours.size());
    sheet->image = create_bitmap(w * rows, h);
    for (int r = 0; r < rows; ++r) {
        const Rgb& c = colours[r];
        rectfill(sheet->image, r * w, 0, r * w + w - 1, h - 1, makecol(c.r, c.g, c.b));
        sheet->frames.push_back(create_sub_bitmap(sheet->image, r * w, 0, w, h));
        sheet->rows.push_back(AnimRow{10.0f, 1, {r}});
    }
    return sheet;
}

} // namespace

void InvaderWorld::SetUp() {
    TowerWorld::SetUp();
    GameApp* app = GameApp::instance();
    squibbleSheet = rowSheet(14, 12, {{0, 255, 0}, {255, 255, 255}, {255, 128, 0}, {255, 0, 0}});
    shotSheet = rowSheet(6, 6, {{255, 255, 0}});
    poofs = rowSheet(8, 8, {{160, 160, 160}});
    death = create_sample(8, 0, 11025, 16);
    bounce = create_sample(8, 0, 11025, 16);
    boom = create_sample(8, 0, 11025, 16);

    InvaderDef def;
    def.health = 10;
    def.healthIncrease = 2.5;
    def.value = 10;
    def.size = 7.0;
    def.sprite = squibbleSheet;
    for (InvaderDef& kind : app->invaderDefs)
        kind = def;
    app->poofSheet = poofs;
    app->alienBulletSheet = app->orbBombSheet = shotSheet;
    app->fontSmallRed = font;
    app->sampleDeath = death;
    app->sampleBounce = bounce;
    app->sampleBoom1 = boom;
    game->health = game->maxHealth = kBaseHealth;
    game->waveNumber = 1;
}

void InvaderWorld::TearDown() {
    squibbles.clear();
    // The game goes first: its wave, shots and effects still use this world's sheets.
    delete game;
    game = nullptr;
    delete squibbleSheet;
    delete shotSheet;
    delete poofs;
    for (SAMPLE* s : {death, bounce, boom})
        destroy_sample(s);
    TowerWorld::TearDown();
}

Squibble* InvaderWorld::squibble(double x, double y) {
    Squibble* s = new Squibble();
    s->x = x;
    s->y = y;
    squibbles.emplace_back(s);
    return s;
}

Building* InvaderWorld::tower(int type, int x) {
    Building* b = createTower(type);
    b->placeAt(x);
    game->buildings.push_back(b);
    return b;
}
