#include "app/Sound.h"

#include <allegro.h>

void playSample(SAMPLE* sample) {
    if (sample)
        play_sample(sample, 128, 128, 1000, 0);
}
