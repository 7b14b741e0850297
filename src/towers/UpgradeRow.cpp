#include "towers/UpgradeRow.h"

#include "app/GameApp.h"

#include <cmath>

namespace {

// A real step is rounded to single precision, as the towers have always read their steps:
// recorded games depend on the exact sums.
double readStep(const UpgradeRow& row, double scale) {
    StringTable& strings = GameApp::instance()->strings;
    if (row.number.whole)
        return scale == 1.0 ? strings.getInt(row.stepKey)
                            : std::round(strings.getInt(row.stepKey) * scale);
    const double step = row.stepLimit > 0.0
                            ? strings.getReal(row.stepKey, -row.stepLimit, row.stepLimit)
                            : strings.getReal(row.stepKey);
    return scale == 1.0 ? static_cast<float>(step) : static_cast<float>(step * scale);
}

std::string numberText(NumberUnit unit, double value) {
    switch (unit) {
    case NumberUnit::kSeconds:
        return secondsText(value);
    case NumberUnit::kPixels:
        return pixelsText(value);
    default:
        return countText(static_cast<long long>(value));
    }
}

} // namespace

void applyUpgrade(const UpgradeRow& row, Building& tower, double scale) {
    if (row.stepKey) {
        if (row.number.add)
            row.number.add(tower, readStep(row, scale));
    } else if (row.part.fit) {
        row.part.fit(tower);
    }
}

UpgradeChange upgradeChange(const UpgradeRow& row, const Building& tower, double scale) {
    const TowerNumber& number = row.number;
    if (row.stepKey) {
        if (!number.read || !number.plus)
            return {};
        return {row.label, numberText(number.unit, number.read(tower)),
                numberText(number.unit, number.plus(tower, readStep(row, scale)))};
    }
    std::string with = row.with;
    if (number.read)
        with += numberText(number.unit, number.read(tower));
    const bool fitted = row.part.fitted && row.part.fitted(tower);
    return {row.label, fitted ? with : row.without, with};
}

bool repeatChanges(const UpgradeRow& row, const Building& tower, double scale) {
    if (!row.stepKey || !row.number.read || !row.number.plus)
        return false;
    const double now = row.number.read(tower);
    const double after = row.number.plus(tower, readStep(row, scale));
    return std::isfinite(after) && after != now && !(now > 0.0 && after <= 0.0);
}
