// gamecode/stoppageactions.h: what players do while play stands or restarts: the throw-in's
// run-up and release, the corner taker's back-off and kick, and walking off at the end of a
// period.
#pragma once

#include <cstdint>

// Action 41: the thrower steps forward along his aim (passKind) with the ball; 65 units from the
// throw-in point he throws (35).
void Action_ThrowInRunUp(int32_t person);
// Action 35: the throw after the run-up, released once at drawn frame 115 toward the pass target
// point; the receiver runs to meet it (17).
void Action_ThrowInRelease(int32_t person);
// Action 42: the standing throw, released once at drawn frame 71; nobody is sent to meet it.
void Action_StandingThrow(int32_t person);
// Action 45: the corner taker walks backward from the ball across the pitch; 60 units off he
// bends down first (67, one time in three) or goes straight to his kick (68).
void Action_BackOffForRunUp(int32_t person);
// Action 67: bends down and up (animation 5 there and back), then the saved action.
void Action_BendAndRise(int32_t person);
// Action 68: a commentary line, then the restart kick (36).
void Action_BeforeRestartKick(int32_t person);
// Action 36: the restart kick: a cross (struck at frame 38) or, to a receiver within 240, along
// the ground (frame 19); the team-mate nearest where it lands runs to meet it (17).
void Action_RestartKick(int32_t person);
// Action 32: the standing tackle: he steps in and, once, pokes the ball on along his facing
// (never from a keeper who holds it); in open play the player who had it falls (93) and the
// tackle counts.
void Action_StandingTackle(int32_t person);
// Action 33: knocked down by the ball, he gets up (animation 85), then chases it (4).
void Action_KnockedDown(int32_t person);
// Action 73: the ball took his legs: he slides to a stop, marking the ground once.
void Action_SlideToStop(int32_t person);
// Action 37: a burst of speed; he is his side's active player after it (4).
void Action_Burst(int32_t person);
// Action 34: the pass along the ground to KickTargetPoint, struck in frames 26-34 with the ball
// at his feet; a keeper holding the ball sends him back (3).
void Action_GroundPass(int32_t person);
// Actions 43 and 44: the set-piece taker walks backward from the ball (52 units off), stands 20
// (43) or 30 (44) ticks and runs up for the shot (71) or the pass (94).
void Action_BackOffForKick(int32_t person);
// Actions 30 and 31: walking off by (-4, 1082) to (-164, 1082), counted in PlayersNotInPlace.
void Action_WalkOff(int32_t person);
void Action_WalkOffTunnel(int32_t person);
