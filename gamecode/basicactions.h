// gamecode/basicactions.h: the players' basic states: standing at the target point and walking to
// it, the active player, running and turning with the ball, and going to the meeting spot of a
// pass.
#pragma once

#include <cstdint>

// Action 0: stands at his target point and keeps the ball in view; a line-up slot-0 keeper goes
// to 122 (outside phase 22), a player off his point to action 3.
void Action_Stand(int32_t person);
// Facing away (within 8 steps) from a point in direction `dir` that he is nearer than 125 to
// (`d`), he steps backwards toward it (animation 14) and true; else false.
bool Person_WalkBackwardsInto(int32_t person, int32_t dir, int32_t d);
// Action 3: walks, jogs or runs to his target point (backwards when facing away and near), slows
// as he arrives, counts in PlayersNotInPlace on the way and stands (action 0) there.
void Action_WalkToTarget(int32_t person);
// Action 4, his side's man for the ball: while a keeper holds the ball or play is stopped he
// walks to his place as action 3 does (the action stays 4 until he arrives, then he stands); else
// gains up to 5 run speed toward his pace and, with the ball (or just after touching it while his
// side keeps it), makes the carrier decision; without it he runs to the ball's near look-ahead
// point, or closes the carrier down when the opponents' active player is at the ball.
void Action_Active(int32_t person);
// Action 5: strides with the ball at his feet (animation 24) and from its frame 51 decides: a
// pass when pressed or after 200 ticks, a dribble into open space, a long ball from far out, or
// a roll of skill 12 between a dribble, a shot and a kick toward goal. Without the ball: 3.
void Action_RunWithBall(int32_t person);
// Action 6: takes the ball on the run (animation 23), then runs with it (5, frame 50).
void Action_TakeOnTheRun(int32_t person);
// Actions 112 (turning down) and 113 (up): one facing step a tick toward his aim with the ball at
// his feet, then 5 with frame 50.
void Action_TurnWithBall(int32_t person);
// Action 111: shields the ball turning toward open space; pushes it along his facing once at
// drawn frame 92; back to 3 after 50 ticks or when he turns without it.
void Action_ShieldAndTurn(int32_t person);
// Action 17, the receiver of a pass, throw or kick-off: goes for the ball (action 4, active) when
// he has it, his side lost it, or the ball is slow or running away from him; else runs to his
// meeting spot (receivePoint) and waits there facing the ball.
void Action_GoToMeetingSpot(int32_t person);
// The ball at his feet where he now stands: his record takes the working position first.
void Person_KeepBallAtFeet(int32_t person);
