// gamecode/headers.cpp: the players who go up for a high ball.
#include "gamecode/headers.h"

#include "gamecode/actionids.h"
#include "gamecode/ball.h"
#include "gamecode/ballpredict.h"
#include "gamecode/interim.h"
#include "gamecode/motion.h"

namespace {

constexpr int32_t kComeDown = 16;

}  // namespace

void Action_WaitForHighBall(int32_t person)
{
    Person_InterimTryVolley(person);
    if (MatchPersons[person].action != ACT_WAIT_FOR_HIGH_BALL) return;
    if (Ball.height < kComeDown && Ball.velZ < 0) {
        Person_SetAction(person, ACT_WALK_TO_TARGET);
        LandingPoint[0] = 0;
        LandingPoint[1] = 0;
        return;
    }
    if (LandingPoint[0] != 0) Person_RunToward(person, LandingPoint[0], LandingPoint[1]);
}
