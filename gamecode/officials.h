// gamecode/officials.h: the referee's rules that the player actions consult.
#pragma once

#include <cstdint>

// 1 when the side being run (CurrentSide) is the lenient one (Match.official[2] = side + 1) and
// a draw % 100 is below 30: that foul goes unpunished. No draw for the other side.
int32_t Match_RollChance30();
