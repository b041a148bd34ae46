// gamecode/restarts.h: the stoppages after the ball left the pitch over a goal line, and the
// keeper's ball after a catch: the wait, then the set-up that hands the ball to the taker.
#pragma once

// Phase 4: the side whose goal line the ball crossed waits 90 ticks (11 when it trails), then
// its keeper walks to the goal-area corner on the ball's side (157) and the goal kick is taken
// (phase 7).
void Phase_GoalKick();
// Phase 12: the keeper holds his catch 90 ticks (11 when his side trails); walking out of his
// area meanwhile is a handling offence (a free kick, phase 1). Then he distributes it (123,
// phase 13).
void Phase_KeeperBall();
