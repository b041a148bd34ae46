// gamecode/minormoves.cpp: the small moves a player makes between his real actions.
#include "gamecode/minormoves.h"

#include <algorithm>

#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/basicactions.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/volleys.h"

namespace {

constexpr int32_t kAtPoint = 5;
constexpr int32_t kWaitFrames = 30;
constexpr int32_t kStandingSpeed = 100;

// At his point he watches the ball, his wait counted in `kicked` (the thrower waits for it).
void WaitAtPoint(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (p.kicked < 255) ++p.kicked;
    Person_TurnToward(person, p.dirToBall);
    if (p.actionWord == 1) {
        p.frame = 0;
        p.actionWord = 0;
    }
    Person_RunAnim(person, 1, 1, ACT_ACTIVE);
    p.frame = static_cast<int16_t>(std::min<int32_t>(p.frame, kWaitFrames));
    p.runSpeed = kStandingSpeed;
}

// Sprint, run or jog there by how far it is and how far he must still turn.
void RunToPoint(int32_t person, int32_t d, int32_t distance)
{
    MatchPerson& p = MatchPersons[person];
    Person_TurnTowardTwiceIfSlow(person, d);
    const int32_t turn = Person_FoldedDifference(d, p.facing);
    if (distance > 100 && turn < 32) {
        Person_LoopAnim(person, 13, 1, 0);
        Person_RunStepBoosted(person, 190, 1);
    } else if (distance > 30 && turn < 48) {
        Person_LoopAnim(person, 12, 1, 0);
        Person_RunStepBoosted(person, 140, 1);
    } else {
        Person_TurnStep(person, d);
        const int32_t speed = static_cast<uint16_t>(distance * 100 / 30) * 64 / 100;
        Person_LoopAnim(person, 10, 1, 31);
        Person_RunStepBoosted(person, speed, 1);
    }
}

}  // namespace

void Action_SlowToStop(int32_t person)
{
    constexpr int32_t kSlowing = 3;
    constexpr int32_t kStumbleAnimation = 84;
    Person_RunStepBoosted(person, 0, kSlowing);
    Person_RunAnim(person, kStumbleAnimation, 2, ACT_ACTIVE);
}

void Action_MoveToLooseBall(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const bool onTheGround = Ball.height == 0 && MatchPhase == PHASE_OPEN_PLAY;
    if (p.hasBall != 0 || onTheGround || Ball.speed >= 2) {
        Person_SetAction(person, ACT_ACTIVE);
        return;
    }
    const int32_t x = p.receivePoint[0];
    const int32_t y = p.receivePoint[1];
    const int32_t distance =
        Person_TouchDistance(CurrentPersonPos.x, CurrentPersonPos.y, x, y, 1000);
    const int32_t marked = p.passKind;
    if (marked >= 0 && marked < MATCH_PLAYER_COUNT) {
        const MatchPerson& m = MatchPersons[marked];
        if (Person_TouchDistance(m.x, m.y, m.receivePoint[0], m.receivePoint[1], 1000) > kAtPoint) {
            Person_TurnToward(person, p.dirToBall);
            Person_TryVolley(person);
            return;
        }
    }
    if (distance <= kAtPoint) {
        WaitAtPoint(person);
    } else {
        ++PlayersNotInPlace;
        p.actionWord = 1;
        const int32_t d = Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y);
        if (!Person_WalkBackwardsInto(person, d, distance)) RunToPoint(person, d, distance);
    }
    Person_TryVolley(person);
}

void Action_GestureAndReturn(int32_t person)
{
    const int32_t resume = MatchPersons[person].savedAction;
    // A gesture saved as its own resume would run for ever: he stands instead.
    Person_RunAnim(person, 4, 1, resume == ACT_GESTURE_AND_RETURN ? ACT_STAND : resume);
}
