// gamecode/minormoves.h: the small moves a player makes between his real actions.
#pragma once

#include <cstdint>

// Action 102: a player knocked off his stride slows to a stop (animation 84), then chases the
// ball again (4).
void Action_SlowToStop(int32_t person);
// Action 76: at a throw-in he runs to his receiving point (receivePoint) and waits there facing
// the ball, counting his wait in `kicked`; a marker (passKind his man) waits until his man has
// arrived. He chases the ball (4) once it is loose.
void Action_MoveToLooseBall(int32_t person);
// Action 100: one gesture (animation 4), then the action saved for after it.
void Action_GestureAndReturn(int32_t person);
