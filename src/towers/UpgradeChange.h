#pragma once

#include <string>

// What one more level of an upgrade changes, in the player's words and numbers: the tool tip
// shows "Bolt every 0.70 s → 0.58 s" (the fonts draw the arrow at code 127). The upgrade's row
// works both numbers out with the same data key and the same arithmetic its purchase applies, so
// changed data shows changed numbers.
struct UpgradeChange {
    std::string label; // empty: the upgrade changes nothing a number could tell
    std::string now;
    std::string after;
};

// "0.70 s", "12 px", "3": the numbers as the tool tips show them.
std::string secondsText(double seconds);
std::string pixelsText(double pixels);
std::string countText(long long count);

// "Bolt every 0.70 s → 0.58 s"; with more false (the last level is bought) only what holds
// now: "Bolt every 0.34 s". Empty for a change without a label.
std::string describeChange(const UpgradeChange& change, bool more);
