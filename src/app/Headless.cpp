#include "app/Headless.h"

#include "app/DataFolder.h"
#include "app/GameApp.h"
#include "app/Platform.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

int startHeadless(const char* program, const std::vector<std::string>& settings) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "%s: Allegro would not start\n", program);
        return kExitNoWindow;
    }
    set_color_depth(32);
    GameApp* app = GameApp::instance();
    // As the game finds it, so an installed simulator plays the installed data.
    app->dataDir = findDataFolder("", executablePath());
    if (app->dataDir.empty() || !app->strings.load(app->dataPath("data/strings.txt")))
        return kExitNoStrings;
    for (const std::string& setting : settings) {
        const std::size_t eq = setting.find('=');
        if (eq != std::string::npos)
            app->strings.set(setting.substr(0, eq), setting.substr(eq + 1));
    }
    const StartResult loaded = app->loadData(program);
    if (!loaded.ready())
        return loaded.exitCode;
    app->resetFrameState();
    return 0;
}
