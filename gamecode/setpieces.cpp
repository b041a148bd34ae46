// gamecode/setpieces.cpp: the wall, the defenders at the posts and the short runner.
#include "gamecode/setpieces.h"

#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/basicactions.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"

namespace {

constexpr int32_t kHoldTicks = 32;
constexpr int32_t kRunnerSpeed = 140;

bool AtTarget(const MatchPerson& p)
{
    return Person_TouchDistance(CurrentPersonPos.x, CurrentPersonPos.y, p.targetX, p.targetY, 1000)
           == 0;
}

}  // namespace

void Action_HoldSpot(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (!AtTarget(p)) {
        Person_RunToward(person, p.targetX, p.targetY);
        ++PlayersNotInPlace;
        return;
    }
    if (MatchPhase != PHASE_OPEN_PLAY) {
        p.facing = p.dirToBall;
        p.actionWord = kHoldTicks;
        Person_LoopAnim(person, 0, 1, 0);
        return;
    }
    if (p.actionWord > 0) {
        --p.actionWord;
        p.targetX = CurrentPersonPos.x;
        p.targetY = CurrentPersonPos.y;
    }
    // Straight to standing: his frame runs on.
    if (p.actionWord == 0) Person_StoreAction(person, ACT_STAND);
}

void Action_NearPost(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (AtTarget(p)) {
        if (MatchPhase == PHASE_OPEN_PLAY) {
            Person_SetAction(person, ACT_STAND);
        } else {
            Person_TurnToward(person, p.dirToBall);
        }
        return;
    }
    Action_WalkToTarget(person);
    p.action = ACT_NEAR_POST;
}

void Action_FreeKickRunner(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (AtTarget(p)) {
        Person_TurnToward(person, p.dirToBall);
    } else {
        p.facing = static_cast<uint16_t>(
            Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, p.targetX, p.targetY));
        Person_LoopAnim(person, 12, 1, 0);
        Person_RunStepBoosted(person, kRunnerSpeed, 1);
    }
    if (MatchPhase == PHASE_OPEN_PLAY) Person_SetAction(person, ACT_WALK_TO_TARGET);
}
