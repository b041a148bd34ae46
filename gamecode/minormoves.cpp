// gamecode/minormoves.cpp: the small moves a player makes between his real actions.
#include "gamecode/minormoves.h"

#include "gamecode/actionids.h"
#include "gamecode/motion.h"

void Action_SlowToStop(int32_t person)
{
    constexpr int32_t kSlowing = 3;
    constexpr int32_t kStumbleAnimation = 84;
    Person_RunStepBoosted(person, 0, kSlowing);
    Person_RunAnim(person, kStumbleAnimation, 2, ACT_ACTIVE);
}
