// gamecode/activeplayer.h: who has the ball and who acts for each side: the proximity lists, the
// active player and his support runner, and the geometry the carrier and the actions share.
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"

// The first of persons 0-31 whose has-ball flag is set, -1 none; kept by Ball_FindHolder.
inline int16_t& BallHolder = Match.ballHolder;
// What Person_DistanceToGoal leaves for its caller to read right after the call.
inline int16_t& DistanceResult = Match.distanceResult;
inline int16_t (&ProximityList)[2][MATCH_PERSONS_PER_SIDE] = Match.proximity;

void Ball_FindHolder();

// The angle between two directions (256 steps) the short way round, 0-128.
int32_t Person_FoldedDifference(int32_t a, int32_t b);
// |trunc(sin a x |dx|)| + |trunc(cos a x |dy|)| from (x1, y1) to (x2, y2), a in 256 steps: the
// straight distance when a is the direction between the points. Leaves StepX and StepY.
int32_t Person_DistanceAlong(int32_t angle, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// For the side of this tick (Match.tickSide): every list entry's ball distance and proximity key
// (30000 off the pitch, + 1000 busy, weighted by the ball's speed against a defender on the far
// side of the ball), one bubble pass in which the side's first person never rises, the active
// player chosen among the first three free entries (Team_OnActiveChanged), a support runner
// started when the side defends, and the active player's involvement counted. An entry that is
// not one of the side's persons is replaced by the highest missing one.
void Team_SortAndPickActive();
// A person leaving the pitch is no longer his side's active player: it has none until the next
// choice.
void Team_ForgetActive(int32_t person);
// 1 when no on-pitch opponent of `person` has a ball distance below 300 - his effective skill 21.
int32_t Team_NoOpponentNear(int32_t person);
// DistanceResult = the straight distance from the person to the centre of the goal `side`
// attacks.
void Person_DistanceToGoal(int32_t person, int32_t side);
// The direction (0-255) in which carrier `person` of `side` runs: mode 0 lets him take the wing or
// run straight on, any other mode aims at the goal centre; unless the mode is 2 DistanceResult is
// refreshed too.
int32_t Person_DirectionToTarget(int32_t person, int32_t mode, int32_t side);
// The first of d, d - 16, d + 16, ... d + 112 that no opponent within `reach` blocks and whose
// point at half the reach stays on the pitch; -1 when all 15 are blocked.
int32_t Person_FindOpenDirection(int32_t person, int32_t direction, int32_t reach);
// Moves object `person` one whole unit toward (x, y) on each axis (16.16 and whole position).
void Person_StepToward(int32_t person, int32_t x, int32_t y);
// Kicks the ball along `angle` with length 30 (x 4096 per tick), upward 20480; the kicker's touch
// cool-down 16, kicked 1 and run speed 64.
void Ball_PushAlongAngle(int32_t angle, int32_t kicker);
// The same with length 90 - power / 2, the run speed kept.
void Ball_KickAlongAngle(int32_t angle, int32_t power, int32_t kicker);
