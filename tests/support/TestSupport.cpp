#include "support/TestSupport.h"

#include "app/GameApp.h"
#include "app/Headless.h"
#include "game/Game.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <unistd.h>

namespace {

bool dataLoaded = false;

class HeadlessAllegro : public ::testing::Environment {
  public:
    void SetUp() override {
        if (chdir(GROUNDLINE_SOURCE_DIR) != 0)
            std::perror("chdir to the source directory");
        // The game's own headless start; a missing resource is named on stderr.
        const int status = startHeadless("unit_tests: test data set incomplete");
        dataLoaded = status == 0;
        if (status == kExitNoStrings)
            std::fprintf(stderr, "test data set missing: cannot open data/strings.txt\n");
    }
};

const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new HeadlessAllegro);

} // namespace

bool gameDataLoaded() {
    return dataLoaded;
}

std::string sourcePath(const std::string& relative) {
    return std::string(GROUNDLINE_SOURCE_DIR) + "/" + relative;
}

void AppFixture::SetUp() {
    GameApp* app = GameApp::instance();
    seams.emplace();
    app->clock = &clock;
    app->keyboard = &keyboard;
    app->mouse = &mouse;
    app->resetFrameState();
    app->lastTime = clock.time;
    srand(12345);
}

void AppFixture::TearDown() {
    seams.reset();
}

void AppFixture::setMouse(int x, int y, int buttons) {
    GameApp* app = GameApp::instance();
    app->mouseX = x;
    app->mouseY = y;
    app->previousButtons = app->buttons;
    app->buttons = buttons;
}

void AppFixture::clickAt(int x, int y) {
    GameApp* app = GameApp::instance();
    app->mouseX = x;
    app->mouseY = y;
    app->previousButtons = 1;
    app->buttons = 0;
}

void AppFixture::rightClickAt(int x, int y) {
    GameApp* app = GameApp::instance();
    app->mouseX = x;
    app->mouseY = y;
    app->previousButtons = 2;
    app->buttons = 0;
}

void GameFixture::SetUp() {
    AppFixture::SetUp();
    // The data set is part of the repository: a test that cannot load it has found a fault.
    ASSERT_TRUE(gameDataLoaded()) << "the data set in " << GROUNDLINE_SOURCE_DIR
                                  << "/data could not be loaded (the reason is printed before the "
                                     "first test); this test needs it";
    game = new Game();
    GameApp::instance()->game = game;
    game->reset();
}

void GameFixture::TearDown() {
    if (game) {
        delete game;
        game = nullptr;
    }
    GameApp::instance()->game = nullptr;
    AppFixture::TearDown();
}

ScopedString::ScopedString(const std::string& key, const std::string& value) : key(key) {
    StringTable& strings = GameApp::instance()->strings;
    saved = strings.get(key);
    strings.set(key, value);
}

ScopedString::~ScopedString() {
    GameApp::instance()->strings.set(key, saved);
}

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Rgb pixelAt(BITMAP* bmp, int x, int y) {
    int c = getpixel(bmp, x, y);
    return {getr(c), getg(c), getb(c)};
}

BITMAP* makeBitmap(int w, int h, int r, int g, int b) {
    BITMAP* bmp = create_bitmap(w, h);
    clear_to_color(bmp, makecol(r, g, b));
    return bmp;
}
