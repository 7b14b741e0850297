#include "invaders/InvaderKinds.h"

#include "app/GameApp.h"
#include "app/Random.h"
#include "invaders/Diver.h"
#include "invaders/Plated.h"
#include "invaders/Splitter.h"
#include "invaders/Squibble.h"

#include <cmath>
#include <iterator>

namespace {

template <class Kind> Invader* make() {
    return new Kind();
}

constexpr InvaderKind kKinds[] = {
    {kSquibbleKind, "squibble", "Invader1", false, &make<Squibble>},
    {kPlatedKind, "plated", "Invader2", true, &make<Plated>},
    {kDiverKind, "diver", "Invader3", true, &make<Diver>},
    {kSplitterKind, "splitter", "Invader4", true, &make<Splitter>},
    {kMiteKind, "mite", "Invader5", false, &make<Mite>},
};

constexpr bool rowsInKindOrder() {
    for (int i = 0; i < static_cast<int>(std::size(kKinds)); ++i)
        if (kKinds[i].id != i)
            return false;
    return true;
}
static_assert(std::size(kKinds) == kInvaderKindCount, "one row per invader kind");
static_assert(rowsInKindOrder(), "row i describes kind i");

} // namespace

const InvaderKind* invaderKind(int kind) {
    return kind >= 0 && kind < kInvaderKindCount ? &kKinds[kind] : nullptr;
}

Invader* createInvader(int kind) {
    const InvaderKind* row = invaderKind(kind);
    return row ? row->create() : nullptr;
}

double formationShare(const InvaderDef& def, int waveNumber) {
    if (def.firstWave < 1 || waveNumber < def.firstWave)
        return 0.0;
    const double grown = def.share + (waveNumber - def.firstWave) * def.shareGrowth;
    return std::min(grown, def.shareMax);
}

std::vector<int> formationCounts(int count, int waveNumber) {
    const GameApp* app = GameApp::instance();
    std::vector<int> counts(kInvaderKindCount, 0);
    int left = std::max(count, 0);
    // The squibble fills what the others leave.
    for (int kind = kSquibbleKind + 1; kind < kInvaderKindCount; ++kind) {
        if (!kKinds[kind].placed)
            continue;
        const double share = formationShare(app->invaderDefs[kind], waveNumber);
        const int n = std::min(left, static_cast<int>(std::floor(share * count + 0.5)));
        counts[kind] = n;
        left -= n;
    }
    counts[kSquibbleKind] = left;
    return counts;
}

std::vector<int> drawFormation(int count, int waveNumber) {
    std::vector<int> kinds(std::max(count, 0), kSquibbleKind);
    const std::vector<int> counts = formationCounts(count, waveNumber);
    // The squibble places still free, drawn from without repeats: each draw takes one and moves
    // the last free place into its slot.
    std::vector<int> free(kinds.size());
    for (std::size_t i = 0; i < free.size(); ++i)
        free[i] = static_cast<int>(i);
    for (int kind = kSquibbleKind + 1; kind < kInvaderKindCount; ++kind)
        for (int n = 0; n < counts[kind]; ++n) {
            const std::size_t pick = static_cast<std::size_t>(randomInt()) % free.size();
            kinds[free[pick]] = kind;
            free[pick] = free.back();
            free.pop_back();
        }
    return kinds;
}
