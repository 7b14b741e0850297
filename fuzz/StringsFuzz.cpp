// strings.txt: the string table read from any text, then the tower and invader definitions built
// from it as start-up does.

#include "FuzzSupport.h"

#include "app/Definitions.h"
#include "app/StringTable.h"
#include "invaders/InvaderKinds.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    StringTable strings;
    strings.read(in);
    for (int type = 0; type < kTowerTypeCount; ++type) {
        TowerDef def = readTowerDef(strings, type);
        require(def.entryCount >= kFirstUpgradeEntry, "the two fixed entries");
        require(static_cast<int>(def.entries.size()) == def.entryCount, "one entry per count");
    }
    for (int kind = 0; kind < kInvaderKindCount; ++kind) {
        const InvaderKind* row = invaderKind(kind);
        readInvaderDef(strings, row->prefix, row->placed);
    }
    strings.getReal("TimestepThreshold");
    strings.getInt("StartingMoney");
    return 0;
}
