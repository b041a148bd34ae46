// gamecode/interim.cpp: stand-ins that keep a match correct while the engine's full rules are
// still to come. Each comment names what replaces the body.
#include "gamecode/interim.h"

#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/matchstate.h"

namespace {

constexpr int32_t kCelebrationTicks = 150;

}  // namespace

// Replaced, id by id, by the handlers of the player actions.
void Action_InterimHold(int32_t) {}

// Replaced by the player of the match.
int32_t Match_InterimPickPlayerOfMatch() { return -1; }

// Replaced by the celebrations.
void Action_InterimCelebrate(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.runSpeed = 0;
    if (++p.actionWord < kCelebrationTicks) return;
    if (p.action == ACT_CELEBRATE) Match.celebrationActive = 0;
    Person_SetAction(person, ACT_WALK_TO_TARGET);
}
