// gamecode/basicactions.cpp: standing at and walking to the target point.
#include "gamecode/basicactions.h"

#include <cstdlib>

#include "gamecode/actions.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"

namespace {

constexpr int32_t kArrived = 5;
constexpr int32_t kKeeperIdle = 122;
constexpr int32_t kBackwardsReach = 125;
constexpr int32_t kBackwardsAngle = 8;
constexpr int32_t kRunDistance = 100;
constexpr int32_t kJogDistance = 30;
constexpr int32_t kRunSpeed = 140;
constexpr int32_t kJogSpeed = 64;
constexpr int32_t kBackwardsSpeed = 100;

// |dx| + |dy| + 1 to the target point, 0 within 5 units.
int32_t DistanceToTarget(const MatchPerson& p)
{
    const int32_t d =
        std::abs(p.targetX - CurrentPersonPos.x) + std::abs(p.targetY - CurrentPersonPos.y);
    return d <= kArrived ? 0 : d + 1;
}

// The angle between two directions the short way round, 0-128.
int32_t ShortAngle(int32_t a, int32_t b)
{
    const int32_t d = (a - b) & 255;
    return d > 128 ? 256 - d : d;
}

bool IsKeeper(int32_t person) { return person == LineUp[0][0] || person == LineUp[1][0]; }

// Runs on toward the facing with the animation of the distance left; the speed falls over the
// last 30 units so that he does not overshoot.
void RunByDistance(int32_t person, int32_t d)
{
    MatchPerson& p = MatchPersons[person];
    if (d > kRunDistance) {
        if (p.runSpeed >= 64 && p.frame < 0) p.frame = 0;
        Person_LoopAnim(person, 12, 1, 0);
        Person_RunStepBoosted(person, kRunSpeed, 1);
        return;
    }
    if (p.runSpeed >= 64 && p.frame < 31) p.frame = 31;
    Person_LoopAnim(person, 10, 1, 31);
    const int32_t speed = d > kJogDistance ? kJogSpeed : (d * 100 / kJogDistance) * kJogSpeed / 100;
    Person_RunStepBoosted(person, speed, 1);
}

}  // namespace

void Action_Stand(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.runSpeed = 0;
    if (IsKeeper(person) && MatchPhase != PHASE_DECISION_PENDING) {
        Person_SetAction(person, kKeeperIdle);
        return;
    }
    if (DistanceToTarget(p) != 0) {
        Person_SetAction(person, 3);
    } else {
        const int32_t apart = (p.facing - p.dirToBall) & 255;
        if (apart >= 16 && apart <= 240 && ShortAngle(p.facing, p.dirToBall) > 40)
            Person_TurnTowardTwiceIfSlow(person, p.dirToBall);
    }
    Person_LoopAnim(person, 0, 1, 0);
}

void Action_WalkToTarget(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t d = DistanceToTarget(p);
    if (d == 0) {
        Person_SetAction(person, 0);
        return;
    }
    ++PlayersNotInPlace;
    const int32_t dir =
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, p.targetX, p.targetY);
    const int32_t back = (dir + 128) & 255;
    if (ShortAngle(p.facing, back) <= kBackwardsAngle && d < kBackwardsReach) {
        // Facing away and close: he steps backwards into place.
        p.facing = static_cast<uint16_t>(back);
        Person_LoopAnim(person, 14, 1, 0);
        Person_RunStep(person, kBackwardsSpeed, dir, 1);
        return;
    }
    Person_TurnStep(person, dir);
    RunByDistance(person, d);
}
