// The resource catalogue: every font, image, sheet and sample the game uses, loaded once at
// start-up and kept for the whole process, and the definitions built from the string table.

#include "app/GameApp.h"

#include "app/InputFile.h"
#include "gfx/BitmapFont.h"
#include "gfx/MzImage.h"
#include "gfx/SpriteSheet.h"
#include "invaders/InvaderKinds.h"

#include <allegro.h>

#include <algorithm>
#include <cstdlib>

namespace {

// The shipped sounds are a few tens of kilobytes; four megabytes are some forty seconds of CD
// sound. A gigabyte's file cost as much memory, and a close during loading waited for it.
constexpr long long kMaxSampleBytes = 4LL << 20;

// Remembers the first file that failed so start-up can name it. Once the player asks to close,
// every file still to come is skipped: start-up then ends without looking at what it loaded.
class Loader {
  public:
    explicit Loader(GameApp& app) : app(app), strings(app.strings) {}

    std::string path(const std::string& name) const {
        return app.closeRequested ? std::string() : app.dataPath(name);
    }

    BitmapFont* font(const char* key) {
        const std::string file = path(strings.get(key));
        BitmapFont* f = new BitmapFont(file.c_str());
        if (!f->image)
            fail(file);
        f->spacing = strings.getInt(std::string(key) + "Kerning");
        return f;
    }

    BITMAP* image(const char* name) {
        const std::string file = path(name);
        BITMAP* bmp = loadImage(file);
        if (!bmp)
            fail(file);
        return bmp;
    }

    SpriteSheet* sheet(const std::string& name) {
        const std::string file = path(name);
        SpriteSheet* s = new SpriteSheet(file);
        if (!s->image)
            fail(file);
        return s;
    }

    // A sound the data may leave out: none then.
    SAMPLE* optionalSample(const std::string& key) {
        return strings.contains(key) ? sample(strings.get(key).c_str()) : nullptr;
    }

    SAMPLE* sample(const char* name) {
        const std::string file = path(name);
        // Allegro's own reader: it blocks on a FIFO, so it only gets regular files, and it holds
        // the whole sound in memory, so only those of a sound's size.
        const long long size = regularFileSize(file);
        SAMPLE* s = size >= 0 && size <= kMaxSampleBytes ? load_sample(file.c_str()) : nullptr;
        if (!s)
            fail(file);
        return s;
    }

    void fail(const std::string& file) {
        if (firstMissing.empty())
            firstMissing =
                file.empty() ? std::string("(a file name missing from data/strings.txt)") : file;
    }

    GameApp& app;
    StringTable& strings;
    std::string firstMissing;
};

constexpr int kMaxLayoutOffset = 1 << 20;

void loadInvaderKinds(Loader& load) {
    GameApp& app = load.app;
    for (int kind = 0; kind < kInvaderKindCount; ++kind) {
        const std::string prefix = invaderKind(kind)->prefix;
        InvaderDef& def = app.invaderDefs[kind];
        def.sprite = load.sheet(app.strings.get(prefix + ".Sprite"));
        def.hitSound = load.optionalSample(prefix + ".HitSound");
        def.deathSound = load.optionalSample(prefix + ".DeathSound");
    }
}

// Every sound the game plays.
void loadSamples(GameApp& app, Loader& load) {
    app.sampleBip = load.sample("data/bip.wav");
    app.sampleBip2 = load.sample("data/bip2.wav");
    app.sampleBoom1 = load.sample("data/boom1.wav");
    app.sampleZoop = load.sample("data/zoop.wav");
    app.sampleLaserHit = load.sample("data/laserhit.wav");
    app.samplePlace = load.sample("data/place.wav");
    app.sampleDeath = load.sample("data/death.wav");
    app.sampleUpgrade = load.sample("data/upgrade.wav");
    app.sampleMissile = load.sample("data/missile.wav");
    app.sampleBounce = load.sample("data/bounce.wav");
    app.sampleAlarm = load.sample("data/alarm.wav");
    app.sampleTowerLost = load.sample("data/towerlost.wav");
}

} // namespace

std::string GameApp::loadResources() {
    Loader load(*this);

    fontMain = load.font("FontMain");
    fontMainRed = load.font("FontMainRed");
    fontSmall = load.font("FontSmall");
    fontSmallRed = load.font("FontSmallRed");

    bgImage = load.image("data/bg.mz");
    redbarImage = load.image("data/redbar.mz");
    slotsImage = load.image("data/slots.mz");
    iconsImage = load.image("data/icons.mz");
    upgradeIconsImage = load.image("data/upgrade_icons.mz");

    readDefinitions();
    for (int i = 0; i < kTowerTypeCount; ++i)
        towerDefs[i].sprite = load.sheet(strings.get(StringTable::key("Tower%d.Sprite", i + 1)));
    loadInvaderKinds(load);

    laserSmallImage = load.image("data/laser_small.mz");
    static const char* const cloudFiles[5] = {"data/cloud1.mz", "data/cloud2.mz", "data/cloud3.mz",
                                              "data/cloud4.mz", "data/cloud5.mz"};
    for (int i = 0; i < 5; ++i)
        cloudImages[i] = load.image(cloudFiles[i]);
    orbImages[0] = load.image("data/orb1.mz");
    orbImages[1] = load.image("data/orb2.mz");
    orbImages[2] = load.image("data/orb3.mz");
    debrisImage = load.image("data/debris.mz");

    poofSheet = load.sheet("data/poof.sz");
    explosionSmallSheet = load.sheet("data/explosion_small.sz");
    puff1Sheet = load.sheet("data/puff1.sz");
    puff2Sheet = load.sheet("data/puff2.sz");
    missileSheet = load.sheet("data/missile.sz");
    orb4Sheet = load.sheet("data/orb4.sz");
    alienBulletSheet = load.sheet("data/alienbullet.sz");
    orbBombSheet = load.sheet("data/orbbomb.sz");
    glanceSheet = load.sheet("data/glance.sz");

    selectorImage = load.image("data/selector.mz");

    // A ground line or a button row a million pixels off the field is as unplayable as one any
    // further; the bound keeps every position worked out from them (and scaled to the window)
    // within int.
    towerBaseline =
        std::clamp(strings.getInt("TowerBaseline"), -kMaxLayoutOffset, kMaxLayoutOffset);
    buttonSpacing =
        std::clamp(strings.getInt("ButtonSpacing"), -kMaxLayoutOffset, kMaxLayoutOffset);

    buildGameOverImage();

    loadSamples(*this, load);
    return load.firstMissing;
}

void GameApp::buildGameOverImage() {
    gameOverImage = renderTextImage(fontMainRed, "Game Over");
}

void GameApp::readDefinitions() {
    for (int i = 0; i < kTowerTypeCount; ++i) {
        SpriteSheet* sprite = towerDefs[i].sprite;
        towerDefs[i] = readTowerDef(strings, i);
        towerDefs[i].sprite = sprite;
    }
    for (int kind = 0; kind < kInvaderKindCount; ++kind) {
        const InvaderKind* row = invaderKind(kind);
        InvaderDef& def = invaderDefs[kind];
        InvaderDef read = readInvaderDef(strings, row->prefix, row->placed);
        read.sprite = def.sprite;
        read.hitSound = def.hitSound;
        read.deathSound = def.deathSound;
        def = read;
    }
}
