// gamecode/tackles.h: the defender's actions against the carrier.
#pragma once

#include <cstdint>

// Action 108: he jockeys the carrier, turned toward the point his run aimed at, while he stands
// in the carrier's path and no nearer the ball than the carrier; else he chases (4) again.
void Action_Jockey(int32_t person);
