#pragma once

struct BITMAP;
class GameApp;
class Game;

// The menu's "Settings" page: volume, full screen, pausing when the window is left and the
// speed a game starts at. Every change takes effect at once and is kept in the settings file.
class SettingsScreen {
  public:
    enum class Click { None, Used, Back };

    // A left click at the app's mouse position.
    Click click(GameApp& app, Game& game);
    // Over whatever is drawn (the menu's dimmed field).
    void draw(BITMAP* bmp, const GameApp& app) const;

    // Layout: a row a setting, the label left, its value centred in the value column; the
    // volume's "-" and "+" at the value column's ends.
    static constexpr int kTitleY = 70;
    static constexpr int kFirstRowY = 86;
    static constexpr int kRowHeight = 12;
    static constexpr int kRowLeft = 84;
    static constexpr int kRowWidth = 152;
    static constexpr int kItemHeight = 8;
    static constexpr int kValueX = 206;
    static constexpr int kStepperReach = 26; // the "-" and "+" sit this far either side
    static constexpr int kStepperWidth = 10;
    static constexpr int kRowCount = 4;
    static constexpr int kBackY = kFirstRowY + kRowCount * kRowHeight + 6;
};
