#include "app/SeamGuard.h"

#include "app/GameApp.h"
#include "app/Sound.h"

SeamGuard::SeamGuard() {
    GameApp* app = GameApp::instance();
    clock = app->clock;
    keyboard = app->keyboard;
    mouse = app->mouse;
    steps = app->stepSource;
    observer = soundObserver();
    game = app->game;
    fieldStill = app->fieldStill;
    fieldUnseen = app->fieldUnseen;
    resultOnly = app->resultOnly;
}

SeamGuard::~SeamGuard() {
    GameApp* app = GameApp::instance();
    app->clock = clock;
    app->keyboard = keyboard;
    app->mouse = mouse;
    app->stepSource = steps;
    setSoundObserver(observer);
    app->game = game;
    app->fieldStill = fieldStill;
    app->fieldUnseen = fieldUnseen;
    app->resultOnly = resultOnly;
}
