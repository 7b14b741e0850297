#include "app/GameApp.h"
#include "game/Game.h"
#include "game/SettingsScreen.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using SettingsScreenTest = GameFixture;
using S = SettingsScreen;

// --fullscreen and --windowed choose for one run: a setting changed afterwards must not keep
// the command line's choice as the player's, while the page and Alt+Enter keep theirs.
TEST_F(SettingsScreenTest, TheFileKeepsThePlayersFullScreenNotTheCommandLines) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("groundline-settings-" + std::to_string(getpid()) + ".txt");
    auto saved = [&path] { return (std::stringstream() << std::ifstream(path).rdbuf()).str(); };
    GameApp* app = GameApp::instance();
    app->profile = Profile(path.string(), "");
    app->setFullScreen(true); // the command line's --fullscreen over a file without it
    SettingsScreen page;
    setMouse(S::kValueX - S::kStepperReach, S::kFirstRowY + 2, 0); // the volume's "-"
    EXPECT_EQ(page.click(*app, *game), S::Click::Used);
    EXPECT_NE(saved().find("volume=90\nfullscreen=off\n"), std::string::npos) << saved();

    setMouse(S::kRowLeft + 2, S::kFirstRowY + S::kRowHeight + 2, 0); // Full Screen: now off
    page.click(*app, *game);
    EXPECT_FALSE(app->fullScreen);
    game->toggleFullScreen(); // Alt+Enter
    EXPECT_NE(saved().find("fullscreen=on\n"), std::string::npos) << saved();
    app->fullScreen = false;
    std::filesystem::remove(path);
}

} // namespace
