// Headless measurements of the towers against squibble formations, for tuning data/strings.txt.
// Every run is the real game stepped at 100 frames a second from fixed seeds.
//
//   tower_stats [hits|dps] [--seeds=N] [Key=Value ...]
//
// hits  the share of homing missiles that hit something, launched the missile turret's way (and
//       the laser pod's way) at a standing squibble, at a marching wave-1 formation too tough to
//       die, and at a real wave 1.
// dps   damage per second, and per 100 of money spent, of every tower and upgrade level alone
//       under the middle of wave 1 and wave 9 formations, until the wave is shot down or landed.
//       The tower cannot be destroyed and the base cannot fall, so only the shooting counts.
// Key=Value pairs override the string table before anything is loaded, to try a tuning without
// editing the data. Both measurements run when none is named.

#include "app/GameApp.h"
#include "app/Headless.h"
#include "app/Random.h"
#include "game/Game.h"
#include "gfx/SpriteSheet.h"
#include "invaders/Squibble.h"
#include "invaders/SquibbleWave.h"
#include "projectiles/MissileProjectile.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kStep = 0.01;
constexpr double kPi = 3.14159265358979323846;
constexpr int kTough = 1000000; // health nothing here can take away in a run
int seeds = 5;                  // runs of every scenario, from seeds 1, 2, ...
constexpr int kLandingY = 190;

class NoKeys : public Keyboard {
  public:
    bool keypressed() override { return false; }
    int readkey() override { return 0; }
};

struct Outcomes {
    int launched = 0;
    int hits = 0;
    int expired = 0;
    int fizzled = 0;
};
Outcomes tally; // of the scenario being run

// A missile that reports how it ended: a hit that counted, its life running out, or fizzling
// for want of any live target.
class TrackedMissile : public MissileProjectile {
  public:
    using MissileProjectile::MissileProjectile;
    void hit(Invader* invader) override {
        MissileProjectile::hit(invader);
        if (!alive)
            ++tally.hits;
    }
    void update(double dt) override {
        const bool flying = alive;
        MissileProjectile::update(dt);
        if (flying && !alive)
            ++(age > life ? tally.expired : tally.fizzled);
    }
};

enum class Launcher { Turret, Pod };

// A game at wave number W with a base that cannot fall and nothing scheduled.
Game* newGame(int waveNumber) {
    GameApp* app = GameApp::instance();
    Game* game = new Game();
    app->game = game;
    game->reset();
    game->waveNumber = waveNumber;
    game->waveTimer = -1.0;
    game->health = game->maxHealth = kTough;
    return game;
}

void endGame(Game* game) {
    delete game;
    GameApp::instance()->game = nullptr;
}

int restWidth(int type) {
    return restFrameWidth(GameApp::instance()->towerDefs[type].sprite);
}

// Launches one tracked missile from a missile turret (or a laser turret's pod) whose left edge
// is at towerX, the way the tower does.
void launch(Game* game, int towerX, Launcher launcher) {
    GameApp* app = GameApp::instance();
    StringTable& s = app->strings;
    const bool turret = launcher == Launcher::Turret;
    const int muzzle = towerX + restWidth(turret ? 1 : 0) / 2 + 1;
    TrackedMissile* m =
        turret ? new TrackedMissile(muzzle, app->towerBaseline - 9, s.getInt("Tower2.DamageBase"),
                                    s.getInt("Tower2.DamageSplashBase"),
                                    s.getReal("Tower2.SplashRadius"))
               : new TrackedMissile(muzzle, app->towerBaseline - 4,
                                    s.getInt("Tower1.Upgrade2.Level1.MissileDamage"), 0, 0.0);
    if (!m->acquireTarget()) {
        m->alive = false;
        delete m;
        return;
    }
    if (turret)
        m->heading = m->target->centreX() > towerX ? 0.2 * kPi : 0.8 * kPi;
    else
        m->heading = (randomFraction() * 0.6 + 0.2) * kPi;
    game->addProjectile(m);
    ++tally.launched;
}

void runUntilNoShots(Game* game) {
    for (int frame = 0; frame < 100000 && !game->projectiles.empty(); ++frame)
        game->update(kStep);
}

void printShare(const char* what, const Outcomes& o) {
    const double n = o.launched > 0 ? o.launched : 1;
    std::printf("  %-44s %5d launched  %5.1f%% hit  %5.1f%% expired  %5.1f%% fizzled\n", what,
                o.launched, 100.0 * o.hits / n, 100.0 * o.expired / n, 100.0 * o.fizzled / n);
}

// One squibble standing still at each point of a grid over the field, missiles launched one at
// a time from a tower at x = 150.
Outcomes standingTarget(Launcher launcher) {
    tally = Outcomes();
    for (int seed = 1; seed <= seeds; ++seed) {
        std::srand(seed);
        for (int cy = 20; cy <= 180; cy += 40) {
            for (int cx = 20; cx <= 300; cx += 40) {
                Game* game = newGame(1);
                game->wave = new Wave(); // the plain wave moves nobody
                Squibble* squibble = new Squibble();
                squibble->health = squibble->maxHealth = kTough;
                squibble->setCentre(cx, cy);
                squibble->wave = game->wave;
                game->wave->invaders.push_back(squibble);
                launch(game, 150, launcher);
                runUntilNoShots(game);
                endGame(game);
            }
        }
    }
    return tally;
}

// A wave-1 formation marching down from its entry until it is shot down or lands, with one
// tower (left, middle or right in turn) launching at its own cadence. Tough squibbles keep the
// whole block marching; with real ones a missile may find nothing left and fizzle.
Outcomes marchingFormation(Launcher launcher, bool tough) {
    tally = Outcomes();
    StringTable& strings = GameApp::instance()->strings;
    const double period = launcher == Launcher::Turret
                              ? strings.getReal("Tower2.FreqBase")
                              : strings.getReal("Tower1.Upgrade2.Level1.MissileFreq");
    for (int towerX : {40, 150, 260}) {
        for (int seed = 1; seed <= seeds; ++seed) {
            std::srand(seed);
            Game* game = newGame(1);
            game->wave = new SquibbleWave(16);
            if (tough)
                for (Invader* v : game->wave->invaders)
                    v->health = v->maxHealth = kTough;
            double launchTimer = period * 0.5;
            bool landed = false;
            for (int frame = 0; frame < 60000 && game->wave && !landed; ++frame) {
                launchTimer += kStep;
                if (period > 0.0 && launchTimer > period) {
                    launchTimer -= period;
                    launch(game, towerX, launcher);
                }
                game->update(kStep);
                landed = game->health < kTough;
            }
            runUntilNoShots(game);
            endGame(game);
        }
    }
    return tally;
}

void measureHits() {
    std::printf("Missile hit share (%d seeds; speed %s, steering max %s, response %s, life %s)\n",
                seeds, GameApp::instance()->strings.get("MissileSpeedBase").c_str(),
                GameApp::instance()->strings.get("MissileSteeringMax").c_str(),
                GameApp::instance()->strings.get("MissileSteeringResponse").c_str(),
                GameApp::instance()->strings.get("MissileLife").c_str());
    printShare("standing squibble, turret launch", standingTarget(Launcher::Turret));
    printShare("standing squibble, pod launch", standingTarget(Launcher::Pod));
    printShare("marching wave 1 (too tough to die), turret",
               marchingFormation(Launcher::Turret, true));
    printShare("marching wave 1 (too tough to die), pod", marchingFormation(Launcher::Pod, true));
    printShare("marching wave 1 (real health), turret", marchingFormation(Launcher::Turret, false));
    printShare("marching wave 1 (real health), pod", marchingFormation(Launcher::Pod, false));
}

struct Loadout {
    const char* name;
    int type;
    std::vector<int> upgrades; // levels bought of upgrade 1, 2, 3
};

struct Battle {
    double damage = 0.0;
    double seconds = 0.0;
    int kills = 0;
    int landed = 0;
};

// Health taken from live squibbles, counted frame by frame; a landing (health set to -1 on the
// ground) is not damage. Real squibbles are fought until the wave is shot down or has landed;
// tough ones, which never fall, until the first of them lands: that is the damage the tower can
// deliver while it never runs out of targets.
Battle fight(const Loadout& loadout, int waveNumber, bool tough, int seed, int& spent) {
    GameApp* app = GameApp::instance();
    std::srand(seed);
    Game* game = newGame(waveNumber);
    game->wave = new SquibbleWave(2 * waveNumber + 14);
    if (tough)
        for (Invader* v : game->wave->invaders)
            v->health = v->maxHealth = kTough;
    Building* tower = createTower(loadout.type);
    tower->placeAt(160 - restWidth(loadout.type) / 2);
    const TowerDef& def = app->towerDefs[loadout.type];
    spent = def.value;
    for (std::size_t k = 0; k < loadout.upgrades.size(); ++k) {
        for (int level = 0; level < loadout.upgrades[k]; ++level) {
            spent += def.entries[k + kFirstUpgradeEntry].levels[level].value;
            tower->upgrade(static_cast<int>(k));
        }
    }
    tower->health = kTough;
    game->buildings.push_back(tower);

    Battle b;
    std::vector<int> before;
    for (Invader* v : game->wave->invaders)
        before.push_back(v->health);
    while (!game->wave->isDefeated() && !(tough && b.landed > 0) && b.seconds < 600.0) {
        game->update(kStep);
        b.seconds += kStep;
        for (std::size_t i = 0; i < before.size(); ++i) {
            Invader* v = game->wave->invaders[i];
            if (before[i] > 0 && v->health < before[i]) {
                if (v->health == -1 && v->y >= kLandingY) {
                    ++b.landed;
                } else {
                    b.damage += before[i] - (v->health > 0 ? v->health : 0);
                    b.kills += v->health <= 0;
                }
            }
            before[i] = v->health;
        }
    }
    endGame(game);
    return b;
}

Battle averageFight(const Loadout& loadout, int waveNumber, bool tough, int& spent) {
    Battle sum;
    for (int seed = 1; seed <= seeds; ++seed) {
        const Battle b = fight(loadout, waveNumber, tough, seed, spent);
        sum.damage += b.damage;
        sum.seconds += b.seconds;
        sum.kills += b.kills;
        sum.landed += b.landed;
    }
    return sum;
}

void measureDamage() {
    const Loadout loadouts[] = {
        {"Laser", 0, {}},
        {"Laser, Rapid Fire 1", 0, {1}},
        {"Laser, Rapid Fire 2", 0, {2}},
        {"Laser, Rapid Fire 3", 0, {3}},
        {"Laser, Missile Pod", 0, {0, 1}},
        {"Laser, Rapid Fire 3 + Missile Pod", 0, {3, 1}},
        {"Missile", 1, {}},
        {"Missile, Fast Reload 1", 1, {1}},
        {"Missile, Fast Reload 2", 1, {2}},
        {"Missile, Big Blast 1", 1, {0, 1}},
        {"Missile, Big Blast 2", 1, {0, 2}},
        {"Missile, Twin Missiles", 1, {0, 0, 1}},
        {"Missile, all upgrades", 1, {2, 2, 1}},
        {"Tesla", 2, {}},
        {"Tesla, Overcharge 1", 2, {1}},
        {"Tesla, Overcharge 2", 2, {2}},
        {"Tesla, Overcharge 3", 2, {3}},
    };
    for (int waveNumber : {1, 9}) {
        std::printf("Wave %d: one tower under the middle of the formation (%d seeds). dps: health "
                    "taken per second until the wave is down or landed; sustained: the same "
                    "against squibbles that never fall, until the first lands\n",
                    waveNumber, seeds);
        std::printf("  %-34s %5s %7s %8s %6s %6s %9s %8s\n", "tower", "price", "dps", "dps/100$",
                    "kills", "landed", "sustained", "per 100$");
        for (const Loadout& l : loadouts) {
            int spent = 0;
            const Battle real = averageFight(l, waveNumber, false, spent);
            const Battle tough = averageFight(l, waveNumber, true, spent);
            const double dps = real.damage / real.seconds;
            const double sustained = tough.damage / tough.seconds;
            std::printf("  %-34s %5d %7.3f %8.3f %6.1f %6.1f %9.3f %8.3f\n", l.name, spent, dps,
                        100.0 * dps / spent, double(real.kills) / seeds,
                        double(real.landed) / seeds, sustained, 100.0 * sustained / spent);
        }
    }
}

bool setUp(int argc, char** argv) {
    std::vector<std::string> settings;
    for (int i = 1; i < argc; ++i) {
        if (std::strchr(argv[i], '='))
            settings.emplace_back(argv[i]);
    }
    if (chdir(GROUNDLINE_SOURCE_DIR) != 0 || startHeadless("tower_stats", settings) != 0)
        return false;
    GameApp* app = GameApp::instance();
    static NoKeys noKeys;
    app->keyboard = &noKeys;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (!setUp(argc, argv))
        return 1;
    bool hits = false, damage = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strncmp(argv[i], "--seeds=", 8))
            seeds = std::max(1, std::atoi(argv[i] + 8));
        hits |= !std::strcmp(argv[i], "hits");
        damage |= !std::strcmp(argv[i], "dps");
    }
    if (!hits && !damage)
        hits = damage = true;
    if (hits)
        measureHits();
    if (damage)
        measureDamage();
    return 0;
}
