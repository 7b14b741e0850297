#include "game/SettingsScreen.h"

#include "app/GameApp.h"
#include "app/Sound.h"
#include "game/Game.h"
#include "gfx/BitmapFont.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

enum Row { kVolume = 0, kFullScreen = 1, kFocusPause = 2, kStartSpeed = 3 };

const char* const kLabels[SettingsScreen::kRowCount] = {"Volume", "Full Screen", "Pause When Left",
                                                        "Starting Speed"};

int rowY(int row) {
    return SettingsScreen::kFirstRowY + row * SettingsScreen::kRowHeight;
}

std::string valueText(const GameApp& app, int row) {
    const Profile& p = app.profile;
    switch (row) {
    case kVolume:
        return std::to_string(p.volume) + "%";
    case kFullScreen:
        // As the screen is now: the command line may have chosen otherwise for this run.
        return app.fullScreen ? "On" : "Off";
    case kFocusPause:
        return p.pauseOnFocusLoss ? "On" : "Off";
    default:
        return std::to_string(p.startSpeed) + "x";
    }
}

bool onStepper(const GameApp& app, int row, int side) {
    const int x = SettingsScreen::kValueX + side * SettingsScreen::kStepperReach -
                  SettingsScreen::kStepperWidth / 2;
    return app.mouseIn(x, rowY(row), SettingsScreen::kStepperWidth, SettingsScreen::kItemHeight);
}

// Heard as it changes: the new volume plays the menu's blip.
void stepVolume(GameApp& app, int side) {
    Profile& p = app.profile;
    p.volume = std::clamp(p.volume + side * Profile::kVolumeStep, 0, 100);
    app.setSound(app.soundOn);
    playSample(app.sampleBip);
}

} // namespace

SettingsScreen::Click SettingsScreen::click(GameApp& app, Game& game) {
    if (app.mouseIn(kRowLeft, kBackY, kRowWidth, kItemHeight)) {
        playSample(app.sampleBip2);
        return Click::Back;
    }
    int row = -1;
    for (int r = 0; r < kRowCount; ++r)
        if (app.mouseIn(kRowLeft, rowY(r), kRowWidth, kItemHeight))
            row = r;
    if (row < 0)
        return Click::None;
    Profile& p = app.profile;
    switch (row) {
    case kVolume:
        if (onStepper(app, row, -1))
            stepVolume(app, -1);
        else if (onStepper(app, row, 1))
            stepVolume(app, 1);
        else
            return Click::None;
        break;
    case kFullScreen:
        app.chooseFullScreen(!app.fullScreen);
        playSample(app.sampleBip);
        return Click::Used;
    case kFocusPause:
        p.pauseOnFocusLoss = !p.pauseOnFocusLoss;
        AllegroKeyboard::reportFocusLoss(p.pauseOnFocusLoss);
        playSample(app.sampleBip);
        break;
    default:
        p.startSpeed = p.startSpeed % Profile::kMostStartSpeed + 1;
        game.useStartSpeed(p.startSpeed);
        playSample(app.sampleBip);
        break;
    }
    p.saveSettings();
    return Click::Used;
}

void SettingsScreen::draw(BITMAP* bmp, const GameApp& app) const {
    app.fontSmall->drawCentred(bmp, 160, kTitleY, "Settings");
    for (int row = 0; row < kRowCount; ++row) {
        const int y = rowY(row);
        const bool hover = app.mouseIn(kRowLeft, y, kRowWidth, kItemHeight);
        const BitmapFont* font = hover ? app.fontMainRed : app.fontMain;
        font->draw(bmp, kRowLeft, y, kLabels[row]);
        font->drawCentred(bmp, kValueX, y, valueText(app, row).c_str());
        if (row == kVolume) {
            for (int side : {-1, 1})
                (onStepper(app, row, side) ? app.fontMainRed : app.fontMain)
                    ->drawCentred(bmp, kValueX + side * kStepperReach, y, side < 0 ? "-" : "+");
        }
    }
    const bool backHover = app.mouseIn(kRowLeft, kBackY, kRowWidth, kItemHeight);
    (backHover ? app.fontMainRed : app.fontMain)->drawCentred(bmp, 160, kBackY, "Back");
}
