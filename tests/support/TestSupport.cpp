#include "support/TestSupport.h"

#include "app/GameApp.h"
#include "app/Headless.h"
#include "game/Game.h"

#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iterator>
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

namespace {

// Every loaded resource of the application object, by kind; a new one is one entry here.
BitmapFont* GameApp::*const kFonts[] = {&GameApp::fontMain, &GameApp::fontMainRed,
                                        &GameApp::fontSmall, &GameApp::fontSmallRed};
BITMAP* GameApp::*const kImages[] = {
    &GameApp::bgImage,       &GameApp::redbarImage,       &GameApp::slotsImage,
    &GameApp::iconsImage,    &GameApp::upgradeIconsImage, &GameApp::laserSmallImage,
    &GameApp::gameOverImage, &GameApp::selectorImage,     &GameApp::debrisImage};
SpriteSheet* GameApp::*const kSheets[] = {
    &GameApp::poofSheet,    &GameApp::explosionSmallSheet, &GameApp::puff1Sheet,
    &GameApp::puff2Sheet,   &GameApp::missileSheet,        &GameApp::alienBulletSheet,
    &GameApp::orbBombSheet, &GameApp::orb4Sheet,           &GameApp::glanceSheet};
SAMPLE* GameApp::*const kSamples[] = {
    &GameApp::sampleBip,    &GameApp::sampleBip2,     &GameApp::sampleBoom1,
    &GameApp::sampleZoop,   &GameApp::sampleLaserHit, &GameApp::samplePlace,
    &GameApp::sampleDeath,  &GameApp::sampleUpgrade,  &GameApp::sampleMissile,
    &GameApp::sampleBounce, &GameApp::sampleAlarm,    &GameApp::sampleTowerLost};

// Copies each listed field of the application object into values, or back from them.
template <typename T, std::size_t N>
void exchange(T GameApp::*const (&fields)[N], T (&values)[N], bool putBack) {
    GameApp* app = GameApp::instance();
    for (std::size_t i = 0; i < N; ++i) {
        if (putBack)
            app->*fields[i] = values[i];
        else
            values[i] = app->*fields[i];
    }
}

} // namespace

struct AppStateGuard::Saved {
    BitmapFont* fonts[std::size(kFonts)];
    BITMAP* images[std::size(kImages)];
    SpriteSheet* sheets[std::size(kSheets)];
    SAMPLE* samples[std::size(kSamples)];
    decltype(GameApp::cloudImages) clouds;
    decltype(GameApp::orbImages) orbs;
    decltype(GameApp::towerDefs) towerDefs;
    decltype(GameApp::invaderDefs) invaderDefs;
    StringTable strings;
    int towerBaseline = 0;
    int buttonSpacing = 0;
    double minStep = 0.0;
    Difficulty difficulty = Difficulty::Normal;

    void exchangeAll(bool putBack) {
        exchange(kFonts, fonts, putBack);
        exchange(kImages, images, putBack);
        exchange(kSheets, sheets, putBack);
        exchange(kSamples, samples, putBack);
    }
};

AppStateGuard::AppStateGuard() : saved(std::make_unique<Saved>()) {
    GameApp* app = GameApp::instance();
    saved->exchangeAll(false);
    std::copy(std::begin(app->cloudImages), std::end(app->cloudImages), saved->clouds);
    std::copy(std::begin(app->orbImages), std::end(app->orbImages), saved->orbs);
    std::copy(std::begin(app->towerDefs), std::end(app->towerDefs), saved->towerDefs);
    std::copy(std::begin(app->invaderDefs), std::end(app->invaderDefs), saved->invaderDefs);
    saved->strings = app->strings;
    saved->towerBaseline = app->towerBaseline;
    saved->buttonSpacing = app->buttonSpacing;
    saved->minStep = app->minStep;
    saved->difficulty = app->difficulty;
}

AppStateGuard::~AppStateGuard() {
    GameApp* app = GameApp::instance();
    saved->exchangeAll(true);
    std::copy(std::begin(saved->clouds), std::end(saved->clouds), app->cloudImages);
    std::copy(std::begin(saved->orbs), std::end(saved->orbs), app->orbImages);
    std::copy(std::begin(saved->towerDefs), std::end(saved->towerDefs), app->towerDefs);
    std::copy(std::begin(saved->invaderDefs), std::end(saved->invaderDefs), app->invaderDefs);
    app->strings = saved->strings;
    app->towerBaseline = saved->towerBaseline;
    app->buttonSpacing = saved->buttonSpacing;
    app->minStep = saved->minStep;
    app->difficulty = saved->difficulty;
}

void AppFixture::SetUp() {
    GameApp* app = GameApp::instance();
    appState.emplace();
    app->clock = &clock;
    app->keyboard = &keyboard;
    app->mouse = &mouse;
    app->resetFrameState();
    app->lastTime = clock.time;
    srand(12345);
}

void AppFixture::TearDown() {
    appState.reset();
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

void playWithoutTheLateRules() {
    GameApp* app = GameApp::instance();
    app->strings.set("UpgradeRepeatPriceGrowth", "0");
    app->strings.set("LateHealthGrowth", "0");
    app->strings.set("SteadyHealthUntil", "0");
    app->strings.set("Wave1SpeedMax", "36");
    app->strings.set("WaveLossMax", "0");
    app->invaderDefs[1].shareMax = 0.15;
}
