// gamecode/ball.h: the ball's flight, once per tick: swerve, drag, gravity, bounce and a
// unit-by-unit walk that lets the frame, the net and the lines stop it; its speed, direction,
// spin and the look-ahead points the players read. Kicks only set the velocity and the swerve.
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"

// The middle look-ahead point, where the keepers and the team shape watch the play.
inline int16_t (&KeeperWatchPoint)[2] = Ball.lookAhead[1];

// The per-tick step: timers, the object's position taken back (other code may have moved it),
// spin, flight, the check at the final spot, speed and direction, contacts, look-ahead points
// (phases 0-2 only), and the object's position written again.
void Ball_Tick();

// Checks the ball at its walk cell (ball.walkX, ball.walkY) and sets ball.stopFlag when the
// cell changed its course there.
using BallCellCheck = void (*)(BallState& ball);
// One flight step of `ball`, which starts at its whole position (wholeX, wholeY). Besides the
// ball physics words of Match it touches only the landing marker (parked at the first bounce), so
// the landing prediction can fly a copy; `check` runs at every unit cell of the walk, and the walk
// ends on the cell where it leaves the stop flag; a null `check` skips the walk (the look-ahead's
// copies fly through nothing). True when the ball bounced this step.
bool Ball_Integrate(BallState& ball, BallCellCheck check);

// Speed byte and direction from the velocity; kicks call it so that the same tick sees them.
void Ball_UpdateSpeedDir();
void Ball_Stop();
void Ball_PlaceOnCentreSpot();
// Starts the 50-tick effect cool-down unless it runs or the ball is still.
void Ball_StartEffectCooldown();
// Keeps the drawn rotation of the ball and hands it to the presentation.
void Ball_UpdateSpin();
