#include "sim/Strategy.h"

#include "app/Numbers.h"
#include "app/SavedFile.h"
#include "towers/TowerKinds.h"

#include <sstream>

namespace {

// A newcomer takes a few seconds; a minute is already no player at all.
constexpr double kLongestReaction = 60.0;

bool readNumber(std::istringstream& in, double low, double high, double& value) {
    std::string word;
    return in >> word && parseReal(word, low, high, value);
}

bool readInt(std::istringstream& in, int low, int high, int& value) {
    std::string word;
    long long v = 0;
    if (!(in >> word) || !parseWholeNumber(word, low, high, v))
        return false;
    value = static_cast<int>(v);
    return true;
}

// A tower's x, or "under" (where the invaders are) where allowed.
bool readPlace(std::istringstream& in, bool underAllowed, int& x) {
    if (underAllowed) {
        const std::streampos at = in.tellg();
        std::string word;
        if (in >> word && word == "under")
            return x = StrategyOrder::kUnder, true;
        in.clear();
        in.seekg(at);
    }
    return readInt(in, 0, 319, x);
}

bool parseLine(const std::string& line, StrategyOrder& order, std::string& why) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (word == "start") {
        order.when = StrategyOrder::kStart;
    } else if (word == "wave") {
        int wave = 0;
        if (!readInt(in, 1, 1000000, wave))
            return why = "\"wave\" needs a wave number", false;
        order.when = StrategyOrder::kWave;
        order.at = wave;
    } else if (word == "time") {
        if (!readNumber(in, 0.0, 1e9, order.at))
            return why = "\"time\" needs seconds", false;
        order.when = StrategyOrder::kTime;
    } else {
        return why = "a line starts with start, wave N or time S", false;
    }

    if (!(in >> word))
        return why = "an order is missing", false;
    if (word == "build") {
        order.kind = StrategyOrder::kBuild;
        std::string type;
        in >> type;
        order.type = towerTypeNamed(type);
        if (order.type < 0)
            return why = "build " + towerTypeNames(), false;
        if (!readPlace(in, true, order.x))
            return why = "build needs the tower's x, 0 to 319, or under", false;
    } else if (word == "upgrade") {
        order.kind = StrategyOrder::kUpgrade;
        if (!readPlace(in, true, order.x) || !readInt(in, 1, 100, order.upgrade))
            return why = "upgrade X N [LEVEL]: x 0 to 319 or under, upgrade from 1", false;
        --order.upgrade;
        if (in >> std::ws && !in.eof() && !readInt(in, 1, 1000, order.level))
            return why = "the level is a number from 1", false;
    } else if (word == "sell") {
        order.kind = StrategyOrder::kSell;
        if (!readInt(in, 0, 319, order.x))
            return why = "sell needs the tower's x, 0 to 319", false;
    } else if (word == "repair") {
        order.kind = StrategyOrder::kRepairBelow;
        if (!(in >> word) || word != "below" || !readInt(in, 0, 100, order.percent))
            return why = "repair below PERCENT, 0 to 100", false;
    } else if (word == "early") {
        order.kind = StrategyOrder::kCallEarly;
        if (in >> word) {
            if (word != "off")
                return why = "early, or early off", false;
            order.on = false;
        }
    } else if (word == "react") {
        order.kind = StrategyOrder::kReact;
        if (!readNumber(in, 0.0, kLongestReaction, order.seconds))
            return why =
                       "react SECONDS, 0 to " + std::to_string(static_cast<int>(kLongestReaction)),
                   false;
    } else {
        return why = "unknown order \"" + word + "\"", false;
    }
    if (in >> word)
        return why = "unexpected \"" + word + "\"", false;
    return true;
}

std::string lasersText() {
    // Middle first, then halving the gaps: every turret added covers the widest stretch left.
    // Twenty pixels apart leaves room for a turret's sprite on either side.
    std::string text = "# lasers: laser turrets spread along the ground line as money allows\n";
    const int xs[] = {160, 80, 240, 40, 120, 200, 280, 20, 60, 100, 140, 180, 220, 260, 300};
    for (int x : xs)
        text += "start build laser " + std::to_string(x) + "\n";
    return text;
}

const char* const kMixedText =
    R"(# mixed: a row of laser turrets first, tesla coils among them, missile turrets at the ends;
# rapid fire for the lasers, then the coils' and launchers' upgrades; repairs throughout
start repair below 60
start build laser 160
start build laser 80
start build laser 240
start build laser 120
start build laser 200
wave 2 build tesla 140
wave 2 build laser 40
wave 2 build laser 280
wave 3 build laser 100
wave 3 build laser 220
wave 3 build tesla 180
wave 4 build laser 60
wave 4 build laser 260
wave 4 upgrade 160 1
wave 5 build missile 20
wave 5 build missile 300
wave 5 upgrade 120 1
wave 5 upgrade 200 1
wave 6 upgrade 80 1
wave 6 upgrade 240 1
wave 6 upgrade 100 1
wave 6 upgrade 220 1
wave 7 upgrade 140 1
wave 7 upgrade 180 1
wave 7 upgrade 60 1
wave 7 upgrade 260 1
wave 8 upgrade 40 1
wave 8 upgrade 280 1
wave 8 upgrade 20 1
wave 8 upgrade 300 1
wave 11 upgrade 160 2
wave 11 upgrade 120 2
wave 11 upgrade 200 2
wave 11 upgrade 20 2
wave 11 upgrade 300 2
wave 12 upgrade 20 3
wave 12 upgrade 300 3
wave 12 upgrade 80 2
wave 12 upgrade 240 2
wave 13 upgrade 100 2
wave 13 upgrade 220 2
wave 13 upgrade 60 2
wave 13 upgrade 260 2
)";

// A newcomer: sees what to do a few seconds late, puts a laser under the invaders whenever the
// money is there, buys an upgrade now and then, and mends a tower only once it is nearly lost.
const char* const kNoviceText =
    R"(# novice: a newcomer, a few seconds late; lasers under the invaders as money comes,
# an upgrade now and then, repairs only for a tower nearly lost
start react 3
start repair below 30
wave 4 upgrade under 1 1
wave 7 upgrade under 1 1
wave 9 upgrade under 1 1
start build laser under
)";

} // namespace

bool parseStrategy(const std::string& text, Strategy& strategy, std::string& error) {
    strategy.orders.clear();
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        if (++number > kMaxStrategyLines) {
            error = "line " + std::to_string(number) + ": a strategy has at most " +
                    std::to_string(kMaxStrategyLines) + " lines";
            return false;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        StrategyOrder order;
        order.line = number;
        std::string why;
        if (!parseLine(line, order, why)) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
        strategy.orders.push_back(order);
    }
    return true;
}

// The mixed defence, calling every wave as soon as the one before is beaten.
std::string hastyText() {
    std::string text = kMixedText;
    text.replace(0, text.find('\n'),
                 "# hasty: the mixed defence, calling every next wave at once;");
    return text + "start early\n";
}

const char* towerTypeName(int type) {
    const TowerKind* kind = towerKind(type);
    return kind ? kind->name : "";
}

std::string placeName(int x) {
    return x == StrategyOrder::kUnder ? "under" : std::to_string(x);
}

std::string formatStrategy(const Strategy& strategy) {
    std::ostringstream out;
    for (const StrategyOrder& order : strategy.orders) {
        if (order.when == StrategyOrder::kStart)
            out << "start";
        else
            out << (order.when == StrategyOrder::kWave ? "wave " : "time ") << order.at;
        switch (order.kind) {
        case StrategyOrder::kBuild:
            out << " build " << towerTypeName(order.type) << ' ' << placeName(order.x);
            break;
        case StrategyOrder::kUpgrade:
            out << " upgrade " << placeName(order.x) << ' ' << order.upgrade + 1;
            if (order.level > 0)
                out << ' ' << order.level;
            break;
        case StrategyOrder::kSell:
            out << " sell " << order.x;
            break;
        case StrategyOrder::kRepairBelow:
            out << " repair below " << order.percent;
            break;
        case StrategyOrder::kCallEarly:
            out << (order.on ? " early" : " early off");
            break;
        case StrategyOrder::kReact:
            out << " react " << order.seconds;
            break;
        }
        out << '\n';
    }
    return out.str();
}

std::vector<std::string> builtinStrategyNames() {
    return {"idle", "lasers", "mixed", "hasty", "novice"};
}

std::string builtinStrategyText(const std::string& name) {
    if (name == "idle")
        return "# idle: builds nothing\n";
    if (name == "lasers")
        return lasersText();
    if (name == "mixed")
        return kMixedText;
    if (name == "hasty")
        return hastyText();
    if (name == "novice")
        return kNoviceText;
    return "";
}

bool loadStrategy(const std::string& nameOrPath, Strategy& strategy, std::string& error) {
    std::string text = builtinStrategyText(nameOrPath);
    if (text.empty()) {
        std::string why;
        switch (readSmallFile(nameOrPath, text, why, kMaxStrategyBytes)) {
        case ReadStatus::Read:
            break;
        case ReadStatus::Missing:
            error = "no strategy " + nameOrPath +
                    " (built in: idle, lasers, mixed, hasty, novice; or a file)";
            return false;
        case ReadStatus::Failed:
            error = "cannot read strategy " + nameOrPath + ": " + why;
            return false;
        }
    }
    strategy.name = nameOrPath;
    if (!parseStrategy(text, strategy, error)) {
        error = nameOrPath + " " + error;
        return false;
    }
    return true;
}
