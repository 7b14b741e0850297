#pragma once

struct SAMPLE;

// Plays a sample once at the game's standard volume, pan and pitch. A sample that failed to
// load is skipped: Allegro crashes on a null sample.
void playSample(SAMPLE* sample);
