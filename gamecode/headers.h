// gamecode/headers.h: the players who go up for a high ball.
#pragma once

#include <cstdint>

// Action 14: he runs to where the lofted ball comes down, trying a volley or header each tick,
// and walks back (3) once it has fallen below 16 (the landing point is then forgotten).
void Action_WaitForHighBall(int32_t person);
