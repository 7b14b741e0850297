#pragma once

#include "towers/UpgradeChange.h"

#include <algorithm>
#include <limits>
#include <type_traits>

class Building;

// How a tower's number reads in a tool tip: "0.70 s", "12 px", "3".
enum class NumberUnit { kSeconds, kPixels, kCount };

// A number of one tower kind that an upgrade adds to or quotes, reached through the kind's class
// (made by towerNumber below). Null functions: the row quotes no number.
struct TowerNumber {
    double (*read)(const Building&) = nullptr;
    // What the number would be with the step added, worked out as the adding works it out.
    double (*plus)(const Building&, double step) = nullptr;
    void (*add)(Building&, double step) = nullptr;
    NumberUnit unit = NumberUnit::kCount;
    bool whole = false; // steps to it are whole numbers
};

// A part of one tower kind that an upgrade fits, as a flag of the kind's class (towerPart).
struct TowerPart {
    bool (*fitted)(const Building&) = nullptr;
    void (*fit)(Building&) = nullptr;
};

// One upgrade of a tower kind. The data gives its name, description, levels, prices and icons
// (Tower<n>.Upgrade<m>.*); the row says what buying a level changes and how the tool tip tells
// it. Every purchase (the menu's, and so the scripted player's) and every tool tip go through
// the row, so a new upgrade is a row plus its keys.
struct UpgradeRow {
    const char* name = ""; // as the shipped data names it; the menu shows the data's Name
    // Every level adds the step this key holds to `number`. The key is read at each purchase, so
    // each level adds the same step. Null: the first level fits `part` instead.
    const char* stepKey = nullptr;
    double stepLimit = 0.0; // the step is held within ±stepLimit; 0 reads it as written
    TowerNumber number;     // added to; or, for a part, quoted once it is fitted
    TowerPart part;
    const char* label = "";   // "Bolt every 0.70 s → 0.58 s" starts with it
    const char* without = ""; // a part's tip before it is fitted: "Missiles none"
    const char* with = "";    // and once fitted, before the quoted number: "one every 2.50 s"
};

// Buys one level of the row for the tower (its counter is the caller's). A level bought again
// past the data's last adds the step times scale (UpgradeRepeatStepShare to the power of the
// repeat); every level the data gives adds it whole.
void applyUpgrade(const UpgradeRow& row, Building& tower, double scale = 1.0);
// What one more level of the row would change for the tower, now and after.
UpgradeChange upgradeChange(const UpgradeRow& row, const Building& tower, double scale = 1.0);
// Whether a level bought again with the step times scale would still do something: only a
// step can be bought again (a part is fitted once), and never so far that a number that was
// above zero (a period, a radius) reaches zero or below, nor when the scaled step rounds away.
bool repeatChanges(const UpgradeRow& row, const Building& tower, double scale);

// Every level adds the step at stepKey to the number: "Rapid Fire".
constexpr UpgradeRow addsStep(const char* name, const char* stepKey, TowerNumber number,
                              const char* label, double stepLimit = 0.0) {
    UpgradeRow row;
    row.name = name;
    row.stepKey = stepKey;
    row.stepLimit = stepLimit;
    row.number = number;
    row.label = label;
    return row;
}

// The first level fits a part; once fitted the tip says `with` and the quoted number, if any.
constexpr UpgradeRow fitsPart(const char* name, TowerPart part, const char* label,
                              const char* without, const char* with, TowerNumber quoted = {}) {
    UpgradeRow row;
    row.name = name;
    row.part = part;
    row.number = quoted;
    row.label = label;
    row.without = without;
    row.with = with;
    return row;
}

namespace upgrade_detail {

template <class M> struct Member;
template <class C, class T> struct Member<T C::*> {
    using Class = C;
    using Type = T;
};

// The number with the step added in the number's own type: a period kept in single precision
// stays in it. A whole number is added in 64 bits and held within its type.
template <class T> T added(T number, double step) {
    if constexpr (std::is_integral_v<T>) {
        const long long sum = static_cast<long long>(number) + static_cast<long long>(step);
        return static_cast<T>(std::clamp<long long>(sum, std::numeric_limits<T>::min(),
                                                    std::numeric_limits<T>::max()));
    } else {
        return number + static_cast<T>(step);
    }
}

} // namespace upgrade_detail

// towerNumber<&LaserTurret::firePeriod>(NumberUnit::kSeconds)
template <auto M> constexpr TowerNumber towerNumber(NumberUnit unit) {
    using Tower = typename upgrade_detail::Member<decltype(M)>::Class;
    TowerNumber number;
    number.read = [](const Building& b) {
        return static_cast<double>(static_cast<const Tower&>(b).*M);
    };
    number.plus = [](const Building& b, double step) {
        return static_cast<double>(upgrade_detail::added(static_cast<const Tower&>(b).*M, step));
    };
    number.add = [](Building& b, double step) {
        auto& n = static_cast<Tower&>(b).*M;
        n = upgrade_detail::added(n, step);
    };
    number.unit = unit;
    number.whole = std::is_integral_v<typename upgrade_detail::Member<decltype(M)>::Type>;
    return number;
}

// towerPart<&LaserTurret::podFitted>()
template <auto M> constexpr TowerPart towerPart() {
    using Tower = typename upgrade_detail::Member<decltype(M)>::Class;
    TowerPart part;
    part.fitted = [](const Building& b) { return static_cast<const Tower&>(b).*M; };
    part.fit = [](Building& b) { static_cast<Tower&>(b).*M = true; };
    return part;
}
