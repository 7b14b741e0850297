#pragma once

#include "game/Cloud.h"
#include "game/FieldNotices.h"
#include "game/GameStats.h"
#include "game/HitTargets.h"
#include "game/HudAlerts.h"
#include "game/KindNotices.h"
#include "game/Hud.h"

#include <limits>
#include <vector>

struct BITMAP;
class GameApp;
class Building;
class Projectile;
class InvaderProjectile;
class Effect;
class Wave;
class LaserTurret;
class SaveSlot;
struct SavedGame;

// What the bottom-right corner and the mouse are doing.
enum UiMode { kUiIdle = 0, kUiPlacing = 1, kUiTowerMenu = 2, kUiGameMenu = 3 };

// Fast-forward runs this many steps a frame at most.
constexpr int kMaxSpeed = 3;

// One play-through: towers, shots, effects, the current wave, the base, money, the wave
// schedule, the sky and the state of the controls. It owns every entity in its lists; entities
// hand new shots and effects over with the add operations and never delete each other.
//
// The lists are vectors walked by index, so an entity may append to a list while the game is
// walking it (debris leaving puffs, a tower firing); what is appended is walked in the same pass.
class Game {
  public:
    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void reset();
    void run();
    void wipeAndRestart();
    // After "Start Over", the start screen's choice of level, as at a new start; Escape keeps
    // the level in play.
    void chooseLevelAgain();
    // One frame's input and, unless the field stands still, its steps; then tells the app
    // whether the field now stands still.
    void update(double dt);
    void draw(bool present);
    void drawHealthBar(BITMAP* target, int cx, int y, int w, double fraction);
    bool canPlace() const;

    // Adds money, or takes it when the amount is negative, holding the balance within the int
    // range: generous tuning must not overflow it. What changed hands is counted in stats.
    void addMoney(long long amount);
    // A tower the invaders destroyed: counted, and announced where it stood with a text and a
    // sound, so that none vanishes unseen in a busy fight.
    void towerLost(const Building& tower);

    // Between waves the player may call the next wave at once and is paid EarlyWaveBonus for
    // every second of the calm skipped. The bonus reads 0 when no wave can be called.
    bool canCallNextWave() const;
    int nextWaveBonus() const;
    void callNextWave();
    // Fast-forward: 1, 2, 3 and back to 1.
    void cycleSpeed();
    // What the build buttons do: placing mode for an affordable, available type. False when the
    // button would be greyed.
    bool startPlacing(int type);
    // What entry i of the selected tower's menu does when its button is clicked. True when the
    // click is used up (the tower was sold, or a repair was tried).
    bool useTowerEntry(int entry);
    // The same by a key: only while the tower's menu is open.
    void useSelectedTowerEntry(int entry);
    // A left click on a tower (idle, or another tower's menu open) opens its menu. True when it
    // did.
    bool selectTowerUnderMouse();
    void closeTowerMenu();
    // While placing, every frame: a click on the field places the tower where it may stand; a
    // right click, or money run short, stops placing.
    void handlePlacing(bool placeClick, bool cancelClick);
    void togglePause();
    // Alt+Enter: full screen or the window, kept as the player's choice
    // (GameApp::chooseFullScreen).
    void toggleFullScreen();
    void toggleGameMenu();
    void showHelp();
    void closeHelp();
    // The field stands still while paused, while the in-game menu is open and under the help
    // card.
    bool fieldStopped() const { return paused || helpShown || uiMode == kUiGameMenu; }

    void addEffect(Effect* effect) { effects.push_back(effect); }
    void addProjectile(Projectile* projectile) { projectiles.push_back(projectile); }
    void addEnemyShot(InvaderProjectile* shot) { enemyShots.push_back(shot); }
    // Every hit on an invader passes here: while a shot's hit is being dealt, the hit test keeps
    // the invaders it changed, and lists only those again.
    void noteStrike(Invader* invader) {
        if (loggingStrikes)
            struck.push_back(invader);
    }

    int uiMode = kUiIdle;
    int placingType = 0;
    // Cleared by "Quit Game"; the window's close button asks through GameApp::closeRequested.
    bool running = false;
    // True while the "Start Over" wipe runs its own frames: a recording never ends inside it.
    bool wiping = false;
    // Set when the player chose the level on the start screen (not on the command line) in a
    // game whose input is neither recorded nor replayed: "Start Over" offers the choice again.
    bool levelChosenAtStart = false;
    std::vector<Building*> buildings;
    std::vector<Projectile*> projectiles;
    std::vector<InvaderProjectile*> enemyShots;
    // While the enemy shots take their step, no tower's hit circle reaches above this height
    // (InvaderProjectile::touchesTower); minus infinity, no such bound, at any other time.
    double towersReachTop = -std::numeric_limits<double>::infinity();
    // That height for the towers standing now: the least centre less the widest hit radius.
    double highestTowerReach() const;
    std::vector<Effect*> effects;
    Wave* wave = nullptr;
    int health = 0;
    int maxHealth = 0;
    int money = 0;
    GameApp* app;
    bool gameOver = false;
    Building* selected = nullptr;
    std::vector<Cloud> clouds;
    double waveTimer = 0.0;
    int waveNumber = 1;
    // The wave every new game starts at (practice from a later wave); only a game from wave 1
    // can set a best result.
    int firstWave = 1;
    // While set, the play field stands still: no entity, cloud, timer or shake moves, and only
    // P, Escape and the in-game menu answer.
    bool paused = false;
    // The danger warning, the health bar's flash and the blinking: watched, never played.
    HudAlerts alerts;
    // Field steps per frame: each the frame's step, so 2x and 3x play exactly as 1x, sooner.
    int speed = 1;
    // The speed a new game starts at (the player's setting). A game whose input is recorded or
    // replayed always starts at 1x, so that its replay steps the same whatever the viewer chose.
    int startSpeed = 1;
    bool inputRecorded = false;
    void useStartSpeed(int s) {
        if (!inputRecorded)
            startSpeed = s;
    }
    // The card listing the controls; any key or click closes it.
    bool helpShown = false;
    // The menu shows its Settings page instead of its items.
    bool settingsShown = false;
    // The HUD's word on each kind of invader the first time it comes in this game.
    KindNotices kindNotices;
    // What this game did, for its game-over screen.
    GameStats stats;
    // Texts over the field that tell what happened there ("Laser Turret lost").
    FieldNotices notices;
    // Where the game keeps itself at the start of every wave (not owned); none for practice
    // games and replays.
    SaveSlot* saveSlot = nullptr;
    // When set, the next reset plays on from this save (not owned) instead of a new game.
    const SavedGame* continueFrom = nullptr;
    // The panel and what is laid over the field for the player; it keeps no state of its own.
    Hud hud{*this};

  private:
    void updateFrame(double dt);
    // The app holds the shake still with the field: it learns the field's state from here, after
    // every frame's update, before every drawing and whenever the game starts over.
    void tellFieldStill();
    void updateField(double dt);
    void clearEntities();
    void spawnClouds();
    // A game from a later wave starts with the money and health a player would have by then.
    void setPracticeStart();
    void updateWaveSchedule(double dt);
    void startWave();
    void updateClouds(double dt);
    void hitTestProjectiles();
    void removeSpent();
    void handleKeyboard();
    void removeDestroyedTowers();
    Building* towerUnderMouse() const;
    void findHitTargets();

    void drawField(BITMAP* bmp);
    void drawDangerGlow(BITMAP* bmp);
    void drawBar(BITMAP* target, int cx, int y, int w, double fraction, int dark, int bright);
    // True for a tower below the share of its full health (TowerLowHealth) the player is warned at.
    bool lowOnHealth(const Building& b) const;
    void drawTowerBar(BITMAP* bmp, const Building& b, int y, int w);
    void drawTowerBars(BITMAP* bmp);
    void drawGhost(BITMAP* bmp);
    void drawReachCircle(BITMAP* bmp, double centreX, double centreY, double reach);
    void drawLaserColumn(BITMAP* bmp, const LaserTurret& turret);
    void drawGameOver(BITMAP* bmp);
    void drawSelection(BITMAP* bmp);

    // The mouse's x when the last tower was placed; the ghost waits until the mouse leaves it.
    static constexpr int kNoPlacementYet = -1000000;
    int ghostWaitsAtX = kNoPlacementYet;

    // Where the wave's invaders can be hit, listed once a step and brought up to date after
    // every hit for the invaders the hit changed.
    HitTargets hitTargets;
    bool loggingStrikes = false;
    std::vector<Invader*> struck;
    void refreshStruck();

    // Whether the run loop draws this step (see the definition), and what it saw last time.
    bool frameWanted();
    bool skippedFrame = false;
    int drawnMouseX = 0;
    int drawnMouseY = 0;
    int drawnButtons = 0;
};
