#include "DataSet.h"

#include "AppIcon.h"
#include "Art.h"
#include "Sounds.h"

#include <string>

PixelFont makeMainFont() {
    return PixelFont(kMainGlyphs, mainFontLook(), kMainFontSpacing);
}
PixelFont makeMainRedFont() {
    return PixelFont(kMainGlyphs, redFontLook(), kMainFontSpacing);
}
PixelFont makeSmallFont() {
    return PixelFont(kSmallGlyphs, mainFontLook(), kSmallFontSpacing);
}
PixelFont makeSmallRedFont() {
    return PixelFont(kSmallGlyphs, redFontLook(), kSmallFontSpacing);
}

DataSet makeDataSet() {
    DataSet d;
    d.images = {
        {"font_main.mz", makeMainFont().fontImage()},
        {"font_main_red.mz", makeMainRedFont().fontImage()},
        {"font_small.mz", makeSmallFont().fontImage()},
        {"font_small_red.mz", makeSmallRedFont().fontImage()},
        {"bg.mz", makeBackground()},
        {"redbar.mz", makeRedBar()},
        {"slots.mz", makeSlots()},
        {"icons.mz", makeTowerIcons()},
        {"upgrade_icons.mz", makeUpgradeIcons()},
        {"laser_small.mz", makeLaserBolt()},
        {"cloud1.mz", makeCloud(0)},
        {"cloud2.mz", makeCloud(1)},
        {"cloud3.mz", makeCloud(2)},
        {"cloud4.mz", makeCloud(3)},
        {"cloud5.mz", makeCloud(4)},
        {"selector.mz", makeSelector()},
        {"debris.mz", makeDebris()},
        {"orb1.mz", makeOrbBody()},
        {"orb2.mz", makeOrbBand()},
        {"orb3.mz", makeOrbEye()},
    };
    d.sheets = {
        {"tower_laser.sz", makeLaserTurret()},
        {"tower_missile.sz", makeMissileTurret()},
        {"tower_tesla.sz", makeTeslaCoil()},
        {"squibble.sz", makeSquibble()},
        {"poof.sz", makePoof()},
        {"explosion_small.sz", makeExplosionSmall()},
        {"puff1.sz", makePuff1()},
        {"puff2.sz", makePuff2()},
        {"missile.sz", makeMissile()},
        {"orb4.sz", makeSatellite()},
        {"alienbullet.sz", makeAlienBullet()},
        {"orbbomb.sz", makeOrbBomb()},
        {"plated.sz", makePlated()},
        {"diver.sz", makeDiver()},
        {"splitter.sz", makeSplitter()},
        {"mite.sz", makeMite()},
        {"glance.sz", makeGlance()},
    };
    d.sounds = {
        {"bip.wav", soundBip()},
        {"bip2.wav", soundBip2()},
        {"zoop.wav", soundZoop()},
        {"laserhit.wav", soundLaserHit()},
        {"boom1.wav", soundBoom()},
        {"place.wav", soundPlace()},
        {"death.wav", soundDeath()},
        {"upgrade.wav", soundUpgrade()},
        {"missile.wav", soundMissile()},
        {"bounce.wav", soundBounce()},
        {"alarm.wav", soundAlarm()},
        {"towerlost.wav", soundTowerLost()},
        {"plated_hit.wav", soundPlatedHit()},
        {"plated_death.wav", soundPlatedDeath()},
        {"diver_hit.wav", soundDiverHit()},
        {"diver_death.wav", soundDiverDeath()},
        {"splitter_hit.wav", soundSplitterHit()},
        {"splitter_death.wav", soundSplitterDeath()},
        {"mite_hit.wav", soundMiteHit()},
        {"mite_death.wav", soundMiteDeath()},
    };
    for (int size : kAppIconSizes)
        d.icons.push_back({"icons/groundline-" + std::to_string(size) + ".png", makeAppIcon(size)});
    return d;
}
