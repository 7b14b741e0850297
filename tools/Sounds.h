#pragma once

#include <vector>

constexpr int kSampleRate = 22050;

// The game's sounds, synthesised from oscillators, envelopes and seeded noise. Each comes
// back normalised to a peak well below full scale, so nothing clips when several play at once.
std::vector<float> soundBip();      // menu open or select: a soft rising blip
std::vector<float> soundBip2();     // close or cancel: a lower, falling blip
std::vector<float> soundZoop();     // the laser's zap
std::vector<float> soundLaserHit(); // a bolt striking: a short tick
std::vector<float> soundBoom();     // a heavy explosion
std::vector<float> soundPlace();    // a tower set down: a thunk
std::vector<float> soundDeath();    // a squibble popping
std::vector<float> soundUpgrade();  // a rising chime
std::vector<float> soundMissile();  // a missile's whoosh
std::vector<float> soundBounce();   // the boss bomb bouncing
std::vector<float> soundTowerLost(); // a tower destroyed: a sinking three-note fall over a crash
std::vector<float> soundAlarm();    // invaders near the ground: two falling horn blasts

// The hits and deaths of the invader kinds besides the squibble.
std::vector<float> soundPlatedHit();     // a bolt glancing off armour: a metal clank
std::vector<float> soundPlatedDeath();   // the armour giving way: a crunch and a falling ring
std::vector<float> soundDiverHit();      // a short high chirp
std::vector<float> soundDiverDeath();    // a falling whistle ending in a pop
std::vector<float> soundSplitterHit();   // a wobbling squelch
std::vector<float> soundSplitterDeath(); // two quick pops: the burst in two
std::vector<float> soundMiteHit();       // a tiny tick
std::vector<float> soundMiteDeath();     // a squibble's pop, small and high
