#pragma once

#include <vector>

constexpr int kSampleRate = 22050;

// The game's sounds, synthesised from oscillators, envelopes and seeded noise. Each comes
// back normalised to a peak well below full scale, so nothing clips when several play at once.
std::vector<float> soundBip();       // menu open or select: a soft rising blip
std::vector<float> soundBip2();      // close or cancel: a lower, falling blip
std::vector<float> soundZoop();      // the laser's zap
std::vector<float> soundLaserHit();  // a bolt striking: a short tick
std::vector<float> soundBoom();      // a heavy explosion
std::vector<float> soundPlace();     // a tower set down: a thunk
std::vector<float> soundDeath();     // a squibble popping
std::vector<float> soundUpgrade();   // a rising chime
std::vector<float> soundMissile();   // a missile's whoosh
std::vector<float> soundBounce();    // the boss bomb bouncing
std::vector<float> soundAlarm();     // invaders near the ground: two falling horn blasts
std::vector<float> soundTowerLost(); // a tower destroyed: a sinking three-note fall over a crash
