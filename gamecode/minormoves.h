// gamecode/minormoves.h: the small moves a player makes between his real actions.
#pragma once

#include <cstdint>

// Action 102: a player knocked off his stride slows to a stop (animation 84), then chases the
// ball again (4).
void Action_SlowToStop(int32_t person);
