#include "replay/Digest.h"

#include "app/GameApp.h"
#include "game/Game.h"
#include "invaders/Invader.h"
#include "invaders/InvaderProjectile.h"
#include "invaders/Wave.h"
#include "projectiles/Projectile.h"
#include "towers/Building.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

void Digest::addBytes(const void* data, std::size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= p[i];
        hash *= 1099511628211ull;
    }
}

void Digest::addInt(long long value) {
    addBytes(&value, sizeof value);
}

void Digest::addDouble(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    addBytes(&bits, sizeof bits);
}

void Digest::addString(const std::string& text) {
    addInt(static_cast<long long>(text.size()));
    addBytes(text.data(), text.size());
}

std::string Digest::hex() const {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string dataDigest(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file(error))
            names.push_back(it->path().filename().string());
    if (error || names.empty())
        return "";
    std::sort(names.begin(), names.end());

    Digest digest;
    std::vector<char> buffer(1 << 16);
    for (const std::string& name : names) {
        std::ifstream in(fs::path(folder) / name, std::ios::binary);
        if (!in)
            return "";
        digest.addString(name);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
               in.gcount() > 0)
            digest.addBytes(buffer.data(), static_cast<std::size_t>(in.gcount()));
        digest.addString("\n"); // ends the file, so contents cannot slide into the next name
    }
    return digest.hex();
}

namespace {

// Every tower with its upgrades, and which one is selected.
void addBuildings(Digest& d, const Game& game) {
    d.addInt(static_cast<long long>(game.buildings.size()));
    long long selectedIndex = -1;
    for (std::size_t i = 0; i < game.buildings.size(); ++i) {
        const Building* b = game.buildings[i];
        if (b == game.selected)
            selectedIndex = static_cast<long long>(i);
        d.addInt(b->type);
        d.addInt(b->x);
        d.addInt(b->health);
        d.addInt(b->removed);
        d.addDouble(b->smokeTimer);
        for (int level : b->upgradeLevels)
            d.addInt(level);
    }
    d.addInt(selectedIndex);
}

} // namespace

std::string stateDigest(const Game& game) {
    Digest d;
    d.addInt(game.money);
    d.addInt(game.health);
    d.addInt(game.maxHealth);
    d.addInt(game.waveNumber);
    d.addDouble(game.waveTimer);
    d.addInt(game.gameOver);
    d.addInt(game.uiMode);
    d.addInt(game.placingType);

    addBuildings(d, game);

    d.addInt(static_cast<long long>(game.projectiles.size()));
    for (const Projectile* p : game.projectiles) {
        d.addDouble(p->x);
        d.addDouble(p->y);
        d.addInt(p->alive);
    }
    d.addInt(static_cast<long long>(game.enemyShots.size()));
    for (const InvaderProjectile* s : game.enemyShots) {
        d.addDouble(s->x);
        d.addDouble(s->y);
        d.addInt(s->alive);
    }
    d.addInt(static_cast<long long>(game.effects.size()));

    d.addInt(game.wave != nullptr);
    if (game.wave) {
        d.addInt(static_cast<long long>(game.wave->invaders.size()));
        for (const Invader* v : game.wave->invaders) {
            d.addDouble(v->x);
            d.addDouble(v->y);
            d.addInt(v->health);
            // The squibble adds nothing, so a game of squibbles alone keeps the digests it has
            // always had.
            if (v->kind != 0) {
                d.addInt(v->kind);
                d.addDouble(v->kindState());
            }
            // Only kinds that take a share of some tower's hits ever keep a spare: the digests
            // of data without shares stay as they were.
            if (v->spareDamage != 0.0)
                d.addDouble(v->spareDamage);
        }
    }
    for (const Cloud& cloud : game.clouds) {
        d.addDouble(cloud.x);
        d.addDouble(cloud.y);
    }
    // The sound switch is left out: it changes nothing in play, and it may start from a setting
    // the player keeps, which a replay on another machine would not share.
    const GameApp* app = game.app;
    d.addDouble(app->shakeAmount);
    d.addDouble(app->shakeTimeLeft);
    return d.hex();
}
