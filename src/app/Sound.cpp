#include "app/Sound.h"

#include <allegro.h>

namespace {

SoundObserver* observer = nullptr;

} // namespace

void playSample(SAMPLE* sample) {
    if (observer)
        observer->played(sample);
    // Without a sound driver (headless runs, the simulator) there is no voice to find, and
    // looking through them all for one is a cost every shot and blast would pay.
    if (sample && digi_driver && digi_driver->id != DIGI_NONE)
        play_sample(sample, 128, 128, 1000, 0);
}

SoundObserver* soundObserver() {
    return observer;
}

SoundObserver* setSoundObserver(SoundObserver* next) {
    SoundObserver* previous = observer;
    observer = next;
    return previous;
}
