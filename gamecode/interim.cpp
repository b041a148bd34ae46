// gamecode/interim.cpp: stand-ins that keep a match correct while the engine's full rules are
// still to come. Each comment names what replaces the body.
#include "gamecode/interim.h"

#include <algorithm>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/basicactions.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/offside.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kCelebrationTicks = 150;

}  // namespace

// Replaced by the line-up refill and reshaping.
void Team_InterimRefillLineup(int32_t) {}

// Replaced by the substitute choice of the line-up refill, substitutions, event rows and fatigue.
int32_t Team_InterimPickSubstitute(int32_t, int32_t) { return -1; }

// Replaced by the stand-in keeper of the line-up refill, substitutions, event rows and fatigue.
void Team_InterimPickStandInKeeper(int32_t side)
{
    if (MatchPersons[LineUp[side][0]].offPitch == 0) return;
    int32_t best = -1;
    int32_t bestSkill = -1;
    for (int32_t slot = 1; slot <= 10; ++slot) {
        const MatchPerson& p = MatchPersons[LineUp[side][slot]];
        if (p.offPitch != 0 || Person_Skill(p, 0) <= bestSkill) continue;
        best = slot;
        bestSkill = Person_Skill(p, 0);
    }
    if (best >= 0) std::swap(LineUp[side][0], LineUp[side][best]);
}
// Replaced, id by id, by the handlers of the player actions.
void Action_InterimHold(int32_t) {}
// Replaced by the fatigue bookkeeping.
void Match_InterimFatigue() {}

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
