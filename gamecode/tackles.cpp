// gamecode/tackles.cpp: the defender's actions against the carrier.
#include "gamecode/tackles.h"

#include <algorithm>
#include <cstdlib>

#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"

namespace {

constexpr int32_t kJockeyFrameMax = 30;
constexpr int32_t kInPathBelow = 16;
constexpr int32_t kInPathAbove = 240;
constexpr int32_t kChaseSpeed = 100;

}  // namespace

void Action_Jockey(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t side = Person_Side(person);
    Person_TurnStep(person, Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y,
                                               Match.jockeyTarget[0], Match.jockeyTarget[1]));
    Person_RunAnim(person, 1, 1, ACT_ACTIVE);
    p.frame = static_cast<int16_t>(std::min<int32_t>(p.frame, kJockeyFrameMax));
    if (MatchPhase >= PHASE_THROW_IN_TAKEN || ActivePlayer[side ^ 1] == MATCH_NONE
        || Ball.possession == side) {
        Person_SetAction(person, ACT_WALK_TO_TARGET);
        return;
    }
    const int32_t carrier = ActivePlayer[side ^ 1];
    const MatchPerson& o = MatchPersons[carrier];
    const int32_t run = Person_DirectionToTarget(carrier, 1, side ^ 1);
    const int32_t toMe = Person_DirectionTo(o.x, o.y, CurrentPersonPos.x, CurrentPersonPos.y);
    const int32_t apart = std::abs(toMe - run);
    const bool inPath = apart >= kInPathAbove || apart <= kInPathBelow;
    if (inPath && p.ballDistance * 75 / 100 >= o.ballDistance) return;
    p.runSpeed = kChaseSpeed;
    Person_SetAction(person, ACT_ACTIVE);
}
