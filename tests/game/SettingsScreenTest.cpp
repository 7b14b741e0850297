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

std::string contents(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// --fullscreen and --windowed choose for one run: a setting changed afterwards must not keep
// the command line's choice as the player's, while the page and Alt+Enter keep theirs.
TEST_F(SettingsScreenTest, TheFileKeepsThePlayersFullScreenNotTheCommandLines) {
    char pattern[] = "/tmp/groundline-settings.XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string path = std::string(pattern) + "/settings.txt";
    GameApp* app = GameApp::instance();
    app->profile = Profile(path, "");
    app->profile.quiet = true;
    app->setFullScreen(true); // the command line's --fullscreen over a file without it
    SettingsScreen page;
    using S = SettingsScreen;
    setMouse(S::kValueX - S::kStepperReach, S::kFirstRowY + 2, 0); // the volume's "-"
    EXPECT_EQ(page.click(*app, *game), S::Click::Used);
    EXPECT_NE(contents(path).find("volume=90\nfullscreen=off\n"), std::string::npos)
        << contents(path);

    setMouse(S::kRowLeft + 2, S::kFirstRowY + S::kRowHeight + 2, 0); // Full Screen: now off
    page.click(*app, *game);
    EXPECT_FALSE(app->fullScreen);
    game->toggleFullScreen(); // Alt+Enter
    EXPECT_TRUE(app->fullScreen);
    EXPECT_NE(contents(path).find("fullscreen=on\n"), std::string::npos) << contents(path);
    app->fullScreen = false;
    std::filesystem::remove_all(pattern);
}

} // namespace
