#pragma once

#include <climits>
#include <cmath>
#include <string>
#include <type_traits>

// The number rules the whole game shares, so each is written once.

constexpr double kPi = 3.14159265358979323846;

// The nearest int to any number: beyond the range reads as the range's end, a real is cut
// towards zero, and a real that is not a number (broken tuning) reads as 0.
template <typename T> int clampToInt(T value) {
    if constexpr (std::is_floating_point_v<T>) {
        if (std::isnan(value))
            return 0;
        if (value <= static_cast<T>(INT_MIN))
            return INT_MIN;
        return value < static_cast<T>(INT_MAX) ? static_cast<int>(value) : INT_MAX;
    } else {
        const long long v = static_cast<long long>(value);
        return static_cast<int>(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v);
    }
}

// A real held to [low, high], with the same rule for a real that is not a number: it reads as 0
// (then held to the range).
inline double clampReal(double value, double low, double high) {
    if (std::isnan(value))
        value = 0.0;
    return value < low ? low : value > high ? high : value;
}

// A whole decimal number in [low, high] that is all of text: no empty text, no fraction, no
// trailing characters, nothing beyond the range. A leading sign is allowed.
bool parseWholeNumber(const std::string& text, long long low, long long high, long long& value);

// A decimal real in [low, high] that is all of text ("2.5", "1e3"); not a number never is.
bool parseReal(const std::string& text, double low, double high, double& value);
