// Renders, headless and with the game's own data, what a strip of the screen should look like,
// and saves it as a BMP the end-to-end scripts compare with a screenshot scaled back down to
// back-buffer pixels. Run it from the project root (it reads data/ like the game).
//
//   text_probe OUT.bmp X Y W H [--blank] COMMAND...
//
// The picture starts as data/bg.mz, or as the mask colour with --blank so that only what the
// commands draw is opaque (for texts over a sky where clouds drift). Commands, in order:
//   hud MONEY HEALTH MAXHEALTH       the base's health bar and the money, as the HUD shows them,
//                                    with the speed button at 1x and the next wave's usable;
//                                    the wave's lines right of them change by the second and are
//                                    left out (mask colour: any pixel there matches)
//   buildbar MONEY                   the three build buttons with the mouse away from them,
//                                    each with its key on a cap above it
//   text FONT ALIGN X Y TEXT         FONT main|mainred|small|smallred, ALIGN left|centre|right
//   gameover WAVES                   the doubled "Game Over" words and the score line
// Exit codes: 0 saved, 1 bad arguments, 2 data missing, 3 cannot save.

#include "app/GameApp.h"
#include "app/Headless.h"
#include "gfx/BitmapFont.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kFieldW = 320;
constexpr int kFieldH = 240;
// Where the game puts its build buttons and their icons.
constexpr int kButtonX = 300;
constexpr int kButtonY = 220;
constexpr int kButtonSize = 19;
constexpr int kIconSize = 16;
constexpr int kLookUsable = 0;
constexpr int kLookUnusable = 2;
// The wave's lines in the HUD, right of the small buttons.
constexpr int kHudTop = 218;
constexpr int kWaveLeft = 100;
constexpr int kWaveRight = 180;

int usage() {
    std::fprintf(stderr, "usage: text_probe OUT.bmp X Y W H [--blank] COMMAND...\n"
                         "  hud MONEY HEALTH MAXHEALTH | buildbar MONEY |"
                         " text FONT left|centre|right X Y TEXT | gameover WAVES\n");
    return 1;
}

bool toInt(const char* text, int& out) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0')
        return false;
    out = static_cast<int>(v);
    return true;
}

const BitmapFont* fontNamed(const GameApp& app, const char* name) {
    if (!std::strcmp(name, "main"))
        return app.fontMain;
    if (!std::strcmp(name, "mainred"))
        return app.fontMainRed;
    if (!std::strcmp(name, "small"))
        return app.fontSmall;
    if (!std::strcmp(name, "smallred"))
        return app.fontSmallRed;
    return nullptr;
}

void drawHud(const GameApp& app, BITMAP* bmp, int money, int health, int maxHealth) {
    app.fontMain->draw(bmp, 2, 220, "#");
    masked_blit(app.redbarImage, bmp, 0, 10, 11, 220, 53, 10);
    int fill = maxHealth > 0 ? health * 50 / maxHealth : 0;
    if (fill > 0)
        masked_blit(app.redbarImage, bmp, 1, 1, 12, 221, fill, 7);
    // The figure over a dark red ring: every pixel of its glyphs widened by one all round.
    char figure[16];
    std::snprintf(figure, sizeof figure, "%d", health);
    const int left = 36 - app.fontSmall->textWidth(figure) / 2;
    BITMAP* text = create_bitmap(app.fontSmall->textWidth(figure) + 2, 10);
    clear_to_color(text, makecol(255, 0, 255));
    app.fontSmall->draw(text, 0, 0, figure);
    for (int y = 0; y < text->h; ++y)
        for (int x = 0; x < text->w; ++x)
            if (getpixel(text, x, y) != makecol(255, 0, 255))
                rectfill(bmp, left + x - 1, 220 + y, left + x + 1, 222 + y, makecol(64, 8, 16));
    masked_blit(text, bmp, 0, 0, left, 221, text->w, text->h);
    destroy_bitmap(text);
    app.fontMain->print(bmp, 2, 229, "$ %d", money);
    // The two small buttons beside the money: a 30 x 9 frame around a darker face.
    for (int y : {220, 230}) {
        rectfill(bmp, 68, y, 98, y + 9, makecol(112, 120, 168));
        rectfill(bmp, 69, y + 1, 97, y + 8, makecol(44, 48, 84));
    }
    app.fontSmall->drawCentred(bmp, 84, 222, ">> 1x");
    app.fontSmall->drawCentred(bmp, 84, 232, "Wave >");
    rectfill(bmp, kWaveLeft, kHudTop, kWaveRight, kFieldH - 1, makecol(255, 0, 255));
}

void drawBuildBar(const GameApp& app, BITMAP* bmp, int money) {
    for (int i = 0; i < kTowerTypeCount; ++i) {
        const TowerDef& def = app.towerDefs[i];
        bool usable = money >= def.value && def.available;
        int x = kButtonX - i * app.buttonSpacing;
        int look = usable ? kLookUsable : kLookUnusable;
        masked_blit(app.slotsImage, bmp, kButtonSize * look, 0, x, kButtonY, kButtonSize,
                    kButtonSize);
        masked_blit(app.iconsImage, bmp, kIconSize * i + kIconSize, usable ? 0 : kIconSize, x + 1,
                    kButtonY + 1, kIconSize, kIconSize);
        // Its key on a small cap standing on the button: "1" on the rightmost.
        const int cap = x + 6;
        rectfill(bmp, cap, 213, cap + 6, kButtonY - 1,
                 usable ? makecol(112, 120, 168) : makecol(56, 58, 76));
        rectfill(bmp, cap + 1, 214, cap + 5, kButtonY - 1,
                 usable ? makecol(44, 48, 84) : makecol(30, 32, 44));
        app.fontSmall->printCentred(bmp, cap + 4, 214, "%d", i + 1);
    }
}

void drawGameOver(const GameApp& app, BITMAP* bmp, int waves) {
    BITMAP* words = app.gameOverImage;
    masked_stretch_blit(words, bmp, 0, 0, words->w, words->h, 160 - words->w, 50, 2 * words->w,
                        2 * words->h);
    app.fontSmallRed->printCentred(bmp, 160, 74, "Waves Defeated: %d", waves);
}

bool drawText(const GameApp& app, BITMAP* bmp, char** args) {
    const BitmapFont* font = fontNamed(app, args[0]);
    int x, y;
    if (!font || !toInt(args[2], x) || !toInt(args[3], y))
        return false;
    const char* text = args[4];
    if (!std::strcmp(args[1], "left"))
        font->draw(bmp, x, y, text);
    else if (!std::strcmp(args[1], "centre"))
        font->drawCentred(bmp, x, y, text);
    else if (!std::strcmp(args[1], "right"))
        font->drawRight(bmp, x, y, text);
    else
        return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 6)
        return usage();
    const char* out = argv[1];
    int cx, cy, cw, ch;
    if (!toInt(argv[2], cx) || !toInt(argv[3], cy) || !toInt(argv[4], cw) || !toInt(argv[5], ch) ||
        cw <= 0 || ch <= 0)
        return usage();

    if (startHeadless("text_probe") != 0) {
        std::fprintf(stderr, "text_probe: cannot load the data set in data/\n");
        return 2;
    }
    GameApp& app = *GameApp::instance();

    BITMAP* field = create_bitmap(kFieldW, kFieldH);
    int arg = 6;
    if (arg < argc && !std::strcmp(argv[arg], "--blank")) {
        clear_to_color(field, makecol(255, 0, 255));
        ++arg;
    } else {
        blit(app.bgImage, field, 0, 0, 0, 0, kFieldW, kFieldH);
    }

    while (arg < argc) {
        const char* command = argv[arg];
        int a, b, c;
        if (!std::strcmp(command, "hud") && arg + 3 < argc && toInt(argv[arg + 1], a) &&
            toInt(argv[arg + 2], b) && toInt(argv[arg + 3], c)) {
            drawHud(app, field, a, b, c);
            arg += 4;
        } else if (!std::strcmp(command, "buildbar") && arg + 1 < argc && toInt(argv[arg + 1], a)) {
            drawBuildBar(app, field, a);
            arg += 2;
        } else if (!std::strcmp(command, "gameover") && arg + 1 < argc && toInt(argv[arg + 1], a)) {
            drawGameOver(app, field, a);
            arg += 2;
        } else if (!std::strcmp(command, "text") && arg + 5 < argc &&
                   drawText(app, field, argv + arg + 1)) {
            arg += 6;
        } else {
            std::fprintf(stderr, "text_probe: bad command at '%s'\n", command);
            return usage();
        }
    }

    BITMAP* strip = create_bitmap(cw, ch);
    clear_to_color(strip, makecol(255, 0, 255));
    blit(field, strip, cx, cy, 0, 0, cw, ch);
    if (save_bitmap(out, strip, nullptr) != 0) {
        std::fprintf(stderr, "text_probe: cannot write %s\n", out);
        return 3;
    }
    return 0;
}
