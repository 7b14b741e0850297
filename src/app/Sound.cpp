#include "app/Sound.h"

#include <allegro.h>

namespace {

SoundObserver* observer = nullptr;

} // namespace

void playSample(SAMPLE* sample) {
    if (observer)
        observer->played(sample);
    if (sample)
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
