#include "app/GameApp.h"
#include "effects/Effect.h"
#include "game/Game.h"
#include "game/SaveSlot.h"
#include "game/SavedGame.h"
#include "invaders/InvaderProjectile.h"
#include "projectiles/Projectile.h"
#include "replay/Digest.h"
#include "support/TestSupport.h"
#include "towers/Building.h"
#include "towers/TowerKinds.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class SavedGameTest : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        folder = fs::path(::testing::TempDir()) / "groundline_saves";
        fs::remove_all(folder);
        fs::create_directories(folder);
    }

    std::string slotPath(const char* name) const { return (folder / name).string(); }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // A game that has built, upgraded and been hurt, played until the calm before wave 3.
    void playToWaveThree(SaveSlot& slot) {
        game->saveSlot = &slot;
        game->reset();
        const int xs[] = {20, 60, 100, 140, 180, 220, 260};
        for (int i = 0; i < 7; ++i) {
            Building* tower = createTower(i == 3 ? kTeslaCoil : kLaserTurret);
            tower->placeAt(xs[i]);
            game->buildings.push_back(tower);
        }
        // Two levels past the data's last three: a repeat's smaller step must come back too.
        for (int level = 0; level < 5; ++level)
            game->buildings[0]->upgrade(0);
        game->buildings[3]->upgrade(0);
        game->buildings[1]->takeDamage(3);
        while (game->waveNumber < 3 && !game->gameOver)
            game->update(0.05);
        ASSERT_FALSE(game->gameOver);
    }

    // What a save leaves out: the shots and effects on their way out, the shake, the controls.
    void dropWhatIsInFlight() {
        auto drop = [](auto& list) {
            for (auto* item : list)
                delete item;
            list.clear();
        };
        drop(game->projectiles);
        drop(game->enemyShots);
        drop(game->effects);
        GameApp::instance()->shakeAmount = GameApp::instance()->shakeTimeLeft = 0.0;
    }

    fs::path folder;
};

TEST_F(SavedGameTest, AContinuedGameIsTheSavedOneAndSavesTheSameFile) {
    SaveSlot slot(slotPath("save.txt"));
    slot.quiet = true;
    playToWaveThree(slot);
    const std::string first = read(slot.path);
    ASSERT_NE(first, "") << "the calm before wave 3 saves the game";
    dropWhatIsInFlight();
    const std::string savedDigest = stateDigest(*game);

    SavedGame saved;
    ASSERT_TRUE(slot.load(saved));
    EXPECT_EQ(saved.wave, 3);
    EXPECT_EQ(saved.towers[0].levels[0], 5);
    EXPECT_LT(saved.towers[1].health, game->buildings[1]->maxHealth());
    game->saveSlot = nullptr;
    delete game;
    game = new Game();
    GameApp::instance()->game = game;
    SaveSlot again(slotPath("again.txt"));
    game->saveSlot = &again;
    game->continueFrom = &saved;
    game->reset();
    EXPECT_EQ(stateDigest(*game), savedDigest);
    EXPECT_EQ(read(again.path), first) << "saving a game just continued gives the same file";

    // Start over is a new game, and a lost game keeps nothing.
    game->reset();
    EXPECT_FALSE(fs::exists(again.path));
    game->continueFrom = &saved;
    game->reset();
    game->health = 0;
    game->update(0.05);
    EXPECT_TRUE(game->gameOver);
    EXPECT_FALSE(fs::exists(again.path));
    EXPECT_TRUE(again.warnings.empty());
}

TEST_F(SavedGameTest, AnUnusableSaveIsSetAsideWithOneLine) {
    SavedGame good;
    good.wave = 4;
    good.health = good.maxHealth = 20;
    good.towers.push_back({kMissileTurret, 80, 12, 0.25, {1, 0, 2}});
    const std::string text = formatSavedGame(good);
    std::string changed = text;
    changed.replace(changed.find("money 0"), 7, "money 9");
    std::string future = text;
    future.replace(future.find("groundline-save 1"), 17, "groundline-save 2");
    // Well formed and checked, but no tower of this game.
    SavedGame odd = good;
    odd.towers[0].type = 7;
    const struct {
        std::string text;
        const char* why;
    } cases[] = {
        {changed, "damaged"},
        {text.substr(0, text.size() / 2), "damaged"},
        {text.substr(0, text.size() - 1), "damaged"},
        {formatSavedGame(odd), "damaged"},
        {"\x89PNG\r\n\x1a\n", "not a saved Groundline game"},
        {"best=12\n", "not a saved Groundline game"},
        {future, "newer Groundline"},
    };
    for (const auto& c : cases) {
        SaveSlot slot(slotPath("save.txt"));
        slot.quiet = true;
        std::ofstream(slot.path, std::ios::binary) << c.text;
        SavedGame saved;
        EXPECT_FALSE(slot.load(saved)) << c.text;
        ASSERT_EQ(slot.warnings.size(), 1u) << c.text;
        EXPECT_NE(slot.warnings[0].find(c.why), std::string::npos) << slot.warnings[0];
        EXPECT_FALSE(fs::exists(slot.path)) << "never offered again";
        EXPECT_TRUE(fs::exists(slot.path + ".bad"));
    }
    SavedGame back;
    std::string error;
    ASSERT_TRUE(parseSavedGame(text, back, error)) << error;
    EXPECT_EQ(formatSavedGame(back), text);
}

} // namespace
