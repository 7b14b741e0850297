#include "sim/PlayerHands.h"

#include "app/GameApp.h"

namespace {

// The window shows every play-field pixel as a block of scale x scale; the game divides what it
// samples by the scale.
MouseSample at(int x, int y, int buttons) {
    const int scale = GameApp::instance()->scale;
    MouseSample s;
    s.x = x * scale;
    s.y = y * scale;
    s.buttons = buttons;
    return s;
}

} // namespace

MouseSample PlayerHands::sample() {
    if (samples.empty())
        return resting;
    MouseSample s = samples.front();
    samples.pop_front();
    resting = s;
    resting.buttons = 0;
    return s;
}

int PlayerHands::readkey() {
    if (keys.empty())
        return 0;
    int k = keys.front();
    keys.pop_front();
    return k;
}

void PlayerHands::click(int x, int y) {
    samples.push_back(at(x, y, 1));
    samples.push_back(at(x, y, 0));
}

void PlayerHands::rightClick(int x, int y) {
    samples.push_back(at(x, y, 2));
    samples.push_back(at(x, y, 0));
}

void PlayerHands::pressKey(int scanCode) {
    keys.push_back(scanCode << 8);
}

void PlayerHands::handOver(PlayerHands& to) {
    to.samples.insert(to.samples.end(), samples.begin(), samples.end());
    to.keys.insert(to.keys.end(), keys.begin(), keys.end());
    samples.clear();
    keys.clear();
}
