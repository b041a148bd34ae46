// gamecode/restartactions.h: the restart takers' actions built so far: the kick-off pair, the
// keeper who starts the kick-off after a goal, and the thrower and the corner taker fetching the
// ball and choosing a receiver.
#pragma once

#include <cstdint>

// Action 23: the conceding keeper goes idle (122) and the kick-off after the goal starts (phase
// 27, 100 ticks).
void Action_KickoffAfterGoal(int32_t person);
// Action 24: the kick-off taker walks to his target point (straight onto the pitch first when he
// stands at x -4 or less) and stands there; the ball waits on the centre spot.
void Action_KickoffWalk(int32_t person);
// Action 25: stands 8 units beside the centre spot, away from the partner, facing the ball.
void Action_KickoffAtBall(int32_t person);
// Action 26: the kick-off partner walks to 80 units beside the centre spot and places the taker's
// target on the other side; 10 ticks after arriving in phase 29 the whistle phase (11) starts.
void Action_KickoffPartner(int32_t person);
// Action 27: the taker goes to his spot, then to the ball, and from his 10th tick on, with both
// keepers at x below 862, passes to the partner: play opens.
void Action_KickoffTaker(int32_t person);
// Action 53: the free-kick taker runs to the ball; there, in phase 17 or 18, the wall point is
// walked 188 units toward the goal and the wall is built (two men at an indirect kick within 40
// yards of goal, which becomes phase 21; three and a chaser at a direct kick), then he takes the
// kick (55) or arranges it (59). In phase 19 he walks to the penalty spot (85).
void Action_FreeKickTaker(int32_t person);
// Action 54: a defender within 10 yards of the free kick runs back toward his goal; beyond it, or
// on a goal line, he stands (0).
void Action_FreeKickDefender(int32_t person);
// Action 55: the taker waits for the runners, the wall and the retreating defenders (at most 400
// looks), clearing players off the ball, then passes to a team-mate within 30 yards or shoots.
void Action_FreeKickAtBall(int32_t person);
// Action 22: the corner taker runs to the ball on its spot; within 9 units he takes it (20).
void Action_FetchPlacedBall(int32_t person);
// Action 20: the corner taker looks for a receiver within 45 yards outside the band between the
// two areas, waits 80-129 ticks and plays it short (68) to a receiver within 240, else backs off
// for his run-up (45).
void Action_PlacedBallChoose(int32_t person);
// Action 21: the thrower runs to the throw-in point; there he takes the ball (19).
void Action_FetchThrowIn(int32_t person);
// Action 19: the thrower holds the ball until the team-mates sent infield have arrived (at most
// 600 ticks; not at all when his side trails), looks for a receiver within 30 yards (50 along his
// aim), waits 10-59 ticks (less when behind) and throws: standing (42) below strength 50, else
// after a run-up (41).
void Action_ThrowerChoose(int32_t person);
