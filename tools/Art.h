#pragma once

#include "Image.h"
#include "Sheet.h"

// Every picture of the game, each drawn by code. Sizes the game relies on are noted where the
// function is declared; the tuning in data/strings.txt must agree with them.

// Sky and ground (ArtSky.cpp).
constexpr int kGroundLine = 212; // TowerBaseline: towers stand on it, the ground starts here
constexpr int kHudTop = 220;     // the HUD and buttons own y 220-239
Image makeBackground();          // 320 x 240
Image makeCloud(int index);      // cloud1..cloud5 for index 0..4, masked

// HUD pieces (ArtHud.cpp).
Image makeRedBar();       // fill at (1, 1) 50 x 7, frame at (0, 10) 53 x 10, frame hollow
Image makeSlots();        // four 19 x 19 button looks: usable, hover, unusable, pressed
Image makeTowerIcons();   // 16 x 16, tower t at x = 16 t + 16, greyed at y = 16
Image makeUpgradeIcons(); // 16 x 16 columns (see UpgradeIcon), greyed at y = 16
Image makeSelector();     // four 7 x 7 corners in a 14 x 14 square

// Columns of upgrade_icons.mz named by the Icon keys of data/strings.txt.
enum UpgradeIcon {
    kIconDemolish = 0,
    kIconRepair = 1,
    kIconRapidFire1 = 2, // 2..4: laser fire-rate levels 1-3
    kIconMissilePod = 5,
    kIconReload1 = 6, // 6..7: missile reload levels 1-2
    kIconBlast1 = 8,  // 8..9: missile blast levels 1-2
    kIconTwin = 10,
    kIconOvercharge1 = 11, // 11..13: tesla damage levels 1-3
    kIconChain1 = 14,      // 14..15: tesla chain levels 1-2
    kUpgradeIconCount = 16
};

// Towers (ArtTowers.cpp): row 0 standing, row 1 where it may not stand.
Sheet makeLaserTurret();   // 16 x 20 frames; row 2 firing
Sheet makeMissileTurret(); // 18 x 20; rows 0/2 facing left/right, 3/4 launching left/right
Sheet makeTeslaCoil();     // 14 x 24; row 0 crackles; the tip is 20 px above the ground

// Icon pictures of the towers, shared by the build bar.
Image drawLaserTurretIcon();
Image drawMissileTurretIcon();
Image drawTeslaCoilIcon();

// Invaders (ArtInvaders.cpp).
Sheet makeSquibble();  // 14 x 12; rows: healthy loop, healthy hit, wounded loop, wounded hit
Image makeOrbBody();   // orb1: 46 x 46 sphere, hit radius 24
Image makeOrbBand();   // orb2: the turning armour band, drawn over the body
Image makeOrbEye();    // orb3: the eye, drawn last
Sheet makeSatellite(); // orb4: 8 x 8, row 0 animated

// The kinds that join the squibble's formation (ArtKinds.cpp), each with the squibble's four
// rows; Invader<N>.Size in strings.txt is their hit radius.
Sheet makePlated();   // 14 x 12
Sheet makeDiver();    // 14 x 12
Sheet makeSplitter(); // 14 x 12
Sheet makeMite();     // 8 x 8, a splitter's half
Sheet makeGlance();   // 7 x 7 spark of a hit glancing off a plate, row 0 plays once

// Shots (ArtShots.cpp).
Image makeLaserBolt();   // 3 x 8
Sheet makeMissile();     // 16 rows of one 9 x 9 frame, row r pointing at r * 22.5 degrees
Sheet makeAlienBullet(); // 6 x 6, row 0 looping
Sheet makeOrbBomb();     // 16 x 16, row 0 looping

// Effects (ArtEffects.cpp): row 0 plays once.
Sheet makePoof();           // 16 x 16 burst of an invader or a bullet
Sheet makeExplosionSmall(); // 20 x 20 fireball
Sheet makePuff1();          // 13 x 13 smoke
Sheet makePuff2();          // 9 x 9 trail smoke
Image makeDebris();         // a row of 8 x 8 tiles

// Shared painting helpers (Paint.cpp).
// A 4 x 4 ordered-dither threshold in [0, 1).
double bayer(int x, int y);
// A gradient colour with ordered dithering between `steps` levels, to avoid banding.
Colour ditherMix(Colour a, Colour b, double t, int x, int y, int steps = 12);
// Smooth value noise in [0, 1] on a lattice of `cell` pixels, from a seed.
double valueNoise(double x, double y, double cell, unsigned seed);
// The picture a tower shows where it may not stand.
Image forbiddenTint(const Image& frame);
// The visibly disabled form of an icon.
Image greyed(const Image& icon);
// Shades a flat shape as lit from the upper left: bright top and left edges, dark right and
// bottom edges, a gentle vertical gradient inside. Every drawn pixel of `shape` counts.
Image shaded(const Image& shape, Colour base);
