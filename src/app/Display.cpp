// Switching between the window and full screen. Full screen takes the desktop's own size, so the
// monitor keeps its mode, and shows the field at the largest whole scale that fits, in the
// middle, with black borders where the screen is wider or taller: pixels stay sharp and square.

#include "app/GameApp.h"

#include "gfx/BackBuffer.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>

namespace {

// Everything set_gfx_mode forgets about the screen is set again after it.
void afterModeChange(bool fullScreen) {
    show_mouse(screen);
    if (!fullScreen)
        enable_hardware_cursor();
    clear_to_color(screen, makecol(0, 0, 0));
    followWindowSwitches();
}

} // namespace

bool GameApp::setFullScreen(bool on) {
    if (!screen) {
        // No window (headless): nothing to switch, the wish stands for the run.
        fullScreen = on;
        return on;
    }
    if (on == fullScreen)
        return on;
    show_mouse(nullptr);
    backBuffer->setView(nullptr);
    if (view) {
        destroy_bitmap(view);
        view = nullptr;
    }
    const int width = kFieldWidth * scale;
    const int height = kFieldHeight * scale;
    if (on) {
        int desktopW = 0, desktopH = 0;
        if (get_desktop_resolution(&desktopW, &desktopH) != 0 || desktopW < kFieldWidth ||
            desktopH < kFieldHeight) {
            desktopW = width;
            desktopH = height;
        }
        if (set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, desktopW, desktopH, 0, 0) == 0) {
            fullScreen = true;
            afterModeChange(true);
            const int factor =
                std::max(1, std::min(SCREEN_W / kFieldWidth, SCREEN_H / kFieldHeight));
            const int x = (SCREEN_W - factor * kFieldWidth) / 2;
            const int y = (SCREEN_H - factor * kFieldHeight) / 2;
            view = create_sub_bitmap(screen, x, y, factor * kFieldWidth, factor * kFieldHeight);
            backBuffer->setView(view);
            AllegroMouse::setView(x, y, factor, scale);
            return true;
        }
        std::fprintf(stderr,
                     "groundline: full screen is not available here (%s): staying in the "
                     "window\n",
                     allegro_error[0] ? allegro_error : "no reason given");
    }
    fullScreen = false;
    AllegroMouse::setView(0, 0, 1, 1);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, width, height, 0, 0) != 0) {
        // Without any screen there is nothing left to play on: the game ends as if closed.
        std::fprintf(stderr, "groundline: cannot open the %dx%d window again: %s\n", width, height,
                     allegro_error);
        closeRequested = true;
        return false;
    }
    afterModeChange(false);
    backBuffer->repaintAll();
    return false;
}

void GameApp::chooseFullScreen(bool on) {
    profile.fullScreen = setFullScreen(on);
    profile.saveSettings();
}
