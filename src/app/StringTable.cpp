#include "app/StringTable.h"

#include "app/Numbers.h"
#include "app/SavedFile.h"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

bool StringTable::load(const std::string& path, std::string* why) {
    std::string text, error;
    const ReadStatus status = readSmallFile(path, text, error, kMaxStringsBytes);
    if (status != ReadStatus::Read) {
        if (why)
            *why = status == ReadStatus::Missing ? "no such file" : error;
        return false;
    }
    std::istringstream in(text);
    read(in);
    return true;
}

void StringTable::read(std::istream& in) {
    std::string line;
    std::vector<std::string> pieces;
    while (std::getline(in, line)) {
        // The file may have been saved with Windows line ends; the CR is not part of the value.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        boost::algorithm::split(pieces, line, boost::algorithm::is_any_of("="));
        if (pieces.size() >= 2)
            entries[pieces[0]] = Entry{pieces[1]};
    }
    restamp();
}

void StringTable::restamp() {
    static std::uint64_t last = 0;
    stampNow = ++last;
}

StringTable::Entry& StringTable::entry(std::string_view key) {
    auto found = entries.find(key);
    if (found == entries.end())
        found = entries.emplace(std::string(key), Entry{}).first;
    return found->second;
}

const std::string& StringTable::get(std::string_view key) {
    return entry(key).text;
}

// atoi, except that a number beyond the int range, whose atoi is undefined, reads as the
// nearest int.
int StringTable::getInt(std::string_view key) {
    const long value = std::strtol(get(key).c_str(), nullptr, 10);
    return clampToInt(value);
}

double StringTable::getReal(std::string_view key) {
    Entry& e = entry(key);
    if (!e.realRead) {
        e.real = std::atof(e.text.c_str());
        e.realRead = true;
    }
    return e.real;
}

double StringTable::getReal(std::string_view key, double low, double high) {
    return clampReal(getReal(key), low, high);
}

std::vector<std::string> StringTable::keys() const {
    std::vector<std::string> all;
    all.reserve(entries.size());
    for (const auto& entry : entries)
        all.push_back(entry.first);
    return all;
}

std::string StringTable::key(const char* format, int a, int b, int c) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}
