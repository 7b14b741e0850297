#pragma once

#include <functional>
#include <map>
#include <vector>

class Building;
class Game;

// One line of the simulator's report: the state when a wave ended (or the run stopped in it)
// and what happened during it.
struct WaveReport {
    int wave = 0;
    double time = 0.0; // game seconds since the start
    int money = 0;
    int health = 0;
    int kills = 0;    // invaders that died in the air: shot down, or gone with their boss
    int landings = 0; // invaders that reached the ground
    int towersStanding = 0;
    int towersLost = 0;  // destroyed by the invaders; towers sold are not lost
    bool warned = false; // the danger warning came on during the wave
    long long spent = 0; // on towers, upgrades and repairs during the wave
};

// Watches a play-through from outside, frame by frame, and counts what the game keeps no count
// of, from the differences between one frame and the next: invaders that died and where, towers
// that went. The game itself is not touched.
class PlayStats {
  public:
    // Says whether a tower that vanished was sold by the player.
    using SoldCheck = std::function<bool(const Building*)>;

    // Call after every update. Returns true when a wave was defeated in this frame; its report
    // is then lastReport().
    bool observe(const Game& game, double time, const SoldCheck& wasSold);
    // The report of the wave in progress (or the one about to start), as it stands.
    WaveReport current(const Game& game, double time) const;
    const WaveReport& lastReport() const { return last; }
    bool waveUnderway(const Game& game) const;

    int totalKills = 0;
    int totalLandings = 0;
    int totalTowersLost = 0;
    // Since the start, by invader kind (the rows of src/invaders/InvaderKinds.h), the wave in
    // progress included.
    std::vector<int> killsByKind;
    std::vector<int> landingsByKind;

    PlayStats();

  private:
    void countInvaders(const Game& game);
    void countKill(int kind);
    void countLanding(int kind);
    std::size_t kindRow(int kind) const;

    unsigned long long watchedWave = 0; // serial
    int watchedReturns = 0;             // the wave's returns when it was last seen
    std::vector<char> alive; // by the wave's list; not vector<bool>, read and written every frame
    std::vector<const Building*> towers;
    int previousWaveNumber = -1;
    int kills = 0;
    int landings = 0;
    int towersLost = 0;
    bool warned = false;
    long long spentBefore = 0; // the game's spending when the wave began
    WaveReport last;
};
