// gamecode/officials.cpp: the referee's rules that the player actions consult.
#include "gamecode/officials.h"

#include "engine/random.h"
#include "gamecode/actions.h"

int32_t Match_RollChance30()
{
    constexpr int32_t kLenientChance = 30;
    return CurrentSide + 1 == Match.official[2] && Rand() % 100 < kLenientChance ? 1 : 0;
}
