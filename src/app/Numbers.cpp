#include "app/Numbers.h"

#include <cerrno>
#include <cstdlib>

bool parseWholeNumber(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < low || v > high)
        return false;
    value = v;
    return true;
}

bool parseReal(const std::string& text, double low, double high, double& value) {
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || end == text.c_str() || *end != '\0' || !(v >= low && v <= high))
        return false;
    value = v;
    return true;
}
