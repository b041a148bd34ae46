// gamecode/goalframe.h: the ball against the stadium wall, the corner flags, the lines, the posts,
// the crossbar and the net: which restart follows a ball that went out, when a goal is scored, the
// shot statistics and the commentary on frame hits and near misses.
#pragma once

#include "gamecode/matchstate.h"

// Checks `ball` at its walk cell (walkX, walkY) and adds to its stop flag wherever it changed the
// ball's course there. In open play a ball over a touchline gives phase 3, over a goal line phase
// 4 or 5 by who touched it last, unless it is inside the goal and its net, where the frame decides;
// every cell near a goal line goes to Ball_HitGoalFrame.
void Ball_CheckOutOfPlay(BallState& ball);
// The posts, the crossbar and the net at the walk cell; a ball crossing the line between the posts
// at whole height 12 or less in play is a goal (phase 9). Only one frame hit counts per 200 ticks.
void Ball_HitGoalFrame(BallState& ball);
