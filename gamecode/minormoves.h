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
// Action 69: the celebration, in style passKind: 0 and 1 on the spot, 2 and 4 at a point 20 inside
// the nearer goal line and 160 beside the centre (out of the goal mouth sideways first), 3 and 5
// and 6 by the touchline; each ends in action 0. The scorer (Match.celebratingPlayer) is the focus
// person outside phase 9 and, once his animation has ended, clears Match.celebrationActive and
// sets off for his target point.
void Action_Celebrate(int32_t person);
// Action 70: a team-mate runs to the scorer, out of the goal mouth sideways first when the scorer
// stands beyond a goal line, counted in PlayersNotInPlace, and celebrates (69, style 0 or 1) once
// within 48 - 2 x (person & 15) units of him. Without a scorer he celebrates where he is.
void Action_RunToScorer(int32_t person);
// Actions 62, 64, 65, 74, 101 and 104: the player keeps his position, facing and animation until
// other code sets a new action.
void Action_MinorStill(int32_t person);
