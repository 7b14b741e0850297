#include "towers/UpgradeChange.h"

#include <cstdio>

namespace {

// Between the number now and the number after the purchase.
constexpr const char* kArrow = " \x7f ";

std::string formatted(const char* format, double value) {
    char text[48];
    // A huge value is cut rather than spilled: snprintf never writes past the buffer.
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::string secondsText(double seconds) {
    return formatted("%.2f s", seconds);
}

std::string pixelsText(double pixels) {
    return formatted("%.0f px", pixels);
}

std::string countText(long long count) {
    return std::to_string(count);
}

std::string describeChange(const UpgradeChange& change, bool more) {
    if (change.label.empty())
        return "";
    if (!more)
        return change.label + " " + change.now;
    return change.label + " " + change.now + kArrow + change.after;
}
