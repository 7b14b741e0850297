#pragma once

struct SAMPLE;

// Plays a sample once at the game's standard volume, pan and pitch. A sample that failed to
// load is skipped: Allegro crashes on a null sample.
void playSample(SAMPLE* sample);

// Sees every sample the game asks to play, loaded or not: tests check the game's sounds
// through it.
class SoundObserver {
  public:
    virtual ~SoundObserver() = default;
    virtual void played(SAMPLE* sample) = 0;
};

// Installs the observer (null for none); returns the one it replaces.
SoundObserver* setSoundObserver(SoundObserver* observer);
SoundObserver* soundObserver();
