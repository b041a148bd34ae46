// gamecode/highballs.h: the strikes and controls of a ball met in the air.
#pragma once

#include <cstdint>

// Actions 46-51 and 79: he turns to his aim, runs to the meeting spot while the run-up plays at
// double speed (a jump rising and falling with the animation), and at the contact frame, with
// the ball in reach, above the member's lowest height and held by no keeper, sends it along his
// facing (50 over his head) at the member's speed with its lift by the ball's height: strikes at
// goal (46-48, 50) counted as shots, the controls (49, 79) soft or hard by his first touch. The
// animation then runs at double speed; at its end he stands (0).
void Action_HighBall(int32_t person);
