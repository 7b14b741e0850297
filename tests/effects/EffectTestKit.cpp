#include "EffectTestKit.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "gfx/BitmapFont.h"
#include "gfx/SpriteSheet.h"
#include "support/TestSupport.h"

#include <allegro.h>

#include <cstdlib>

int frameRed(int frame) {
    return 40 + 50 * frame;
}

SpriteSheet* makeSheet(int w, int h, int entries, float fps) {
    SpriteSheet* sheet = new SpriteSheet(""); // no such file: starts empty
    sheet->image = create_bitmap(w * entries, h);
    AnimRow row;
    row.fps = fps;
    row.frameCount = static_cast<uint32_t>(entries);
    for (int i = 0; i < entries; ++i) {
        rectfill(sheet->image, i * w, 0, i * w + w - 1, h - 1, makecol(frameRed(i), 200, 0));
        sheet->frames.push_back(create_sub_bitmap(sheet->image, i * w, 0, w, h));
        row.frames.push_back(i);
    }
    sheet->rows.push_back(row);
    return sheet;
}

BitmapFont* makeBlockFont(int glyphHeight, int glyphWidth, int spaceWidth, int spacing) {
    auto widthOf = [&](int code) { return code == ' ' ? spaceWidth : glyphWidth; };
    int width = 1;
    for (int code = 32; code < 127; ++code)
        width += widthOf(code) + 1;
    BITMAP* image = create_bitmap(width, glyphHeight + 2);
    clear_to_color(image, makecol(0, 0, 0)); // separator
    int x = 1;
    for (int code = 32; code < 127; ++code) {
        rectfill(image, x, 1, x + widthOf(code) - 1, glyphHeight,
                 makecol(kGlyphR, kGlyphG, kGlyphB));
        x += widthOf(code) + 1;
    }
    BitmapFont* font = new BitmapFont(image);
    font->spacing = spacing;
    return font;
}

bool isGlyph(BITMAP* bmp, int x, int y) {
    return pixelAt(bmp, x, y) == Rgb{kGlyphR, kGlyphG, kGlyphB};
}

bool isBackground(BITMAP* bmp, int x, int y) {
    return pixelAt(bmp, x, y) == Rgb{kBackR, kBackG, kBackB};
}

bool untouched(BITMAP* bmp) {
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x)
            if (!isBackground(bmp, x, y))
                return false;
    return true;
}

void EffectWorld::SetUp() {
    AppFixture::SetUp();
    GameApp* app = GameApp::instance();

    // Three tiles, told apart by their red.
    debris = create_bitmap(24, 8);
    for (int t = 0; t < 3; ++t)
        rectfill(debris, t * 8, 0, t * 8 + 7, 7, makecol(100 + 50 * t, 255, 255));
    puffs = makeSheet(6, 6, 4, 20.0f);
    game = new Game();
    app->game = game;
    app->debrisImage = debris;
    app->puff2Sheet = puffs;
    app->towerBaseline = kBaseline;
    target = makeBitmap(320, 240, kBackR, kBackG, kBackB);
    srand(4242);
}

void EffectWorld::TearDown() {
    delete game;
    delete puffs;
    destroy_bitmap(debris);
    destroy_bitmap(target);
    AppFixture::TearDown();
}
