#include "game/KindNotices.h"

#include "app/Definitions.h"
#include "invaders/Invader.h"
#include "invaders/Wave.h"

static_assert(kInvaderKindCount <= 32, "one bit of met per kind");

void KindNotices::reset() {
    met = 0;
    queue.clear();
    timeLeft = 0.0;
}

void KindNotices::meet(const Wave& wave) {
    unsigned present = 0;
    for (const Invader* invader : wave.invaders)
        if (invader->kind >= 0 && invader->kind < kInvaderKindCount)
            present |= 1u << invader->kind;
    // The squibble is the game's own face: every game begins with it. Kinds that come together
    // take turns in the order of the kinds table.
    for (int kind = 1; kind < kInvaderKindCount; ++kind) {
        if (!(present & (1u << kind)) || (met & (1u << kind)))
            continue;
        met |= 1u << kind;
        if (queue.empty())
            timeLeft = kSeconds;
        queue.push_back(kind);
    }
}

void KindNotices::update(double dt) {
    if (queue.empty())
        return;
    timeLeft -= dt;
    if (timeLeft > 0.0)
        return;
    queue.pop_front();
    timeLeft = queue.empty() ? 0.0 : kSeconds;
}
