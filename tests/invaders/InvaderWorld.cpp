#include "InvaderWorld.h"

#include "app/GameApp.h"
#include "effects/TextEffect.h"
#include "game/Game.h"
#include "gfx/BitmapFont.h"
#include "gfx/SpriteSheet.h"
#include "invaders/Squibble.h"
#include "towers/Building.h"

#include <allegro.h>

namespace {

// One w x h frame per row, row r in colours[r], each row looping at 10 frames a second.
SpriteSheet* rowSheet(int w, int h, const std::vector<Rgb>& colours) {
    SpriteSheet* sheet = new SpriteSheet(""); // no such file: starts empty
    const int rows = static_cast<int>(colours.size());
    sheet->image = create_bitmap(w * rows, h);
    for (int r = 0; r < rows; ++r) {
        rectfill(sheet->image, r * w, 0, r * w + w - 1, h - 1,
                 makecol(colours[r].r, colours[r].g, colours[r].b));
        sheet->frames.push_back(create_sub_bitmap(sheet->image, r * w, 0, w, h));
        AnimRow row;
        row.fps = 10.0f;
        row.frameCount = 1;
        row.frames.push_back(r);
        sheet->rows.push_back(row);
    }
    return sheet;
}

// The world's pattern font recoloured: the same glyph cells with red ink.
BitmapFont* redTwin(const BitmapFont* font) {
    BITMAP* image = create_bitmap(font->image->w, font->image->h);
    blit(font->image, image, 0, 0, 0, 0, image->w, image->h);
    const int white = makecol(255, 255, 255);
    for (int y = 0; y < image->h; ++y)
        for (int x = 0; x < image->w; ++x)
            if (getpixel(image, x, y) == white)
                putpixel(image, x, y, makecol(255, 0, 0));
    return new BitmapFont(image);
}

} // namespace

void InvaderWorld::SetUp() {
    TowerWorld::SetUp();
    GameApp* app = GameApp::instance();
    savedInvader = app->invaderDef;
    savedPoofs = app->poofSheet;
    savedBullets = app->alienBulletSheet;
    savedBombs = app->orbBombSheet;
    savedRedFont = app->fontSmallRed;
    savedSamples[0] = app->sampleDeath;
    savedSamples[1] = app->sampleBounce;
    savedSamples[2] = app->sampleBoom1;

    squibbleSheet = rowSheet(14, 12, {{0, 255, 0}, {255, 255, 255}, {255, 128, 0}, {255, 0, 0}});
    bulletSheet = rowSheet(6, 6, {{255, 255, 0}});
    bombSheet = rowSheet(16, 16, {{128, 0, 255}});
    poofs = rowSheet(8, 8, {{160, 160, 160}});
    redFont = redTwin(font);
    death = create_sample(8, 0, 11025, 16);
    bounce = create_sample(8, 0, 11025, 16);
    boom = create_sample(8, 0, 11025, 16);

    InvaderDef def;
    def.health = 10;
    def.healthIncrease = 2.5;
    def.value = 10;
    def.size = 7.0;
    def.sprite = squibbleSheet;
    app->invaderDef = def;
    app->poofSheet = poofs;
    app->alienBulletSheet = bulletSheet;
    app->orbBombSheet = bombSheet;
    app->fontSmallRed = redFont;
    app->sampleDeath = death;
    app->sampleBounce = bounce;
    app->sampleBoom1 = boom;

    game->health = game->maxHealth = kBaseHealth;
    game->waveNumber = 1;
}

void InvaderWorld::TearDown() {
    squibbles.clear();
    // The game goes first: its wave and shots still point at this world's sheets.
    delete game;
    game = nullptr;
    GameApp* app = GameApp::instance();
    app->game = nullptr;
    app->invaderDef = savedInvader;
    app->poofSheet = savedPoofs;
    app->alienBulletSheet = savedBullets;
    app->orbBombSheet = savedBombs;
    app->fontSmallRed = savedRedFont;
    app->sampleDeath = savedSamples[0];
    app->sampleBounce = savedSamples[1];
    app->sampleBoom1 = savedSamples[2];
    delete squibbleSheet;
    delete bulletSheet;
    delete bombSheet;
    delete poofs;
    delete redFont;
    destroy_sample(death);
    destroy_sample(bounce);
    destroy_sample(boom);
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

bool InvaderWorld::shows(const TextEffect* label, const BitmapFont* font, const char* text) {
    BITMAP* expected = renderTextImage(font, text);
    bool same = label->image->w == expected->w && label->image->h == expected->h;
    for (int y = 0; same && y < expected->h; ++y)
        for (int x = 0; same && x < expected->w; ++x)
            same = getpixel(label->image, x, y) == getpixel(expected, x, y);
    destroy_bitmap(expected);
    return same;
}
