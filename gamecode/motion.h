// gamecode/motion.h: how persons move: directions and distances, turning the body and the head,
// running with acceleration, shuffling, stepping animations, and the blocker ahead of a runner.
// Positions of the person being run are read and moved through CurrentPersonPos (actions.h).
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"

// The step vector the direction helpers leave for their callers.
inline int32_t& StepX = Match.stepX;
inline int32_t& StepY = Match.stepY;

// Direction from point 1 to point 2 in 256 steps, rounded to the nearest: 0 toward smaller y,
// 64 toward larger x, 128 toward larger y, 192 toward smaller x.
int32_t Person_DirectionTo(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The same in n steps (n a power of two), result 0 to n - 1.
int32_t Person_DirectionToN(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t n);
// The direction from (x, y), where `person` stands, to the ball. On the ball's own point there is
// none: he keeps the one he had (a fixed direction would turn him toward y 122 at either end).
int32_t Person_DirectionToBallFrom(int32_t person, int32_t x, int32_t y);
// Whether the short way round from `facing` to `direction` (both 0-255) counts up, that is
// clockwise; false when they are equal. A half turn counts down from either side: which way a man
// turns must not hang on whether he faces one goal or the other.
bool Person_TurnsUp(int32_t direction, int32_t facing);
// True for a facing in the half turn toward smaller y. Of the two facings straight across the
// pitch 192 counts in and 64 not, so that a facing and its opposite always fall on either side.
inline bool Person_FacesTowardSmallerY(int32_t facing) { return facing < 64 || facing >= 192; }
// StepX = trunc(length x sin), StepY = trunc(length x cos) of angle / n of a turn; the point
// "in front" along the angle is (x + StepX, y - StepY).
void Person_VectorFromAngle(int32_t angle, int32_t length, int32_t n);
// 0 when |dx| + |dy| <= 5 and the ball's whole height is below maxHeight; else |dx| + |dy| + 1.
int32_t Person_TouchDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t maxHeight);
// The straight distance without a square root, measured along the direction between the points.
// Leaves StepX and StepY from the y difference, as callers expect.
int32_t Person_StraightDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// 0 when the straight distance is at most reach and the ball's whole height is below maxHeight;
// else the distance + 1. Leaves the step vector as Person_StraightDistance.
int32_t Person_RangeCheck(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t reach,
                          int32_t maxHeight);

// Turns the facing toward the direction by up to agility / 30 + 3 single steps, the short way
// round (a half turn turns down).
void Person_TurnStep(int32_t person, int32_t direction);
// Person_TurnStep, twice when the ball is slow (speed 0-2).
void Person_TurnTowardTwiceIfSlow(int32_t person, int32_t direction);
// Stands (runSpeed 0, animation 0 stepped) and turns one step toward the direction.
void Person_TurnToward(int32_t person, int32_t direction);

// Accelerates toward targetSpeed (a run from below 64 starts at 64 + accel; the speed never
// passes the target) and moves the working position along the direction. In open play the
// target gains pace / 8 + 12.
void Person_RunStep(int32_t person, int32_t targetSpeed, int32_t direction, int32_t accel);
// Person_RunStep along the facing, the target first raised by his side's pressure (at most 20).
void Person_RunStepBoosted(int32_t person, int32_t targetSpeed, int32_t accel);
// Turns toward the point and runs there: a sprint when chasing an opponent's active player who
// is nearer the point, a jog in the restarts; action 108 when a player not in goal arrives
// (within 8) while chasing; stands after 20 ticks blocked.
void Person_RunToward(int32_t person, int32_t x, int32_t y);
// Moves to the point while facing the ball: backward, sideways or forward by the angle between.
void Person_ShuffleTo(int32_t person, int32_t x, int32_t y);
// Non-zero while the person is blocked: the first person 0-31 (+1) within 7 units on both axes
// of the point 7 units ahead of him; players on the ground or in a challenge do not block.
// Always 0 outside open play.
int32_t Person_FindBlockerAhead(int32_t person);

// Steps the animation: 1 while it lasts; at its end (the frame count, or frame 0 going back)
// Person_SetAction(person, nextAction) and 0.
int32_t Person_RunAnim(int32_t person, int32_t animation, int32_t step, int32_t nextAction);
// Steps an animation that restarts at loopFrame once it passes its frame count.
void Person_LoopAnim(int32_t person, int32_t animation, int32_t step, int32_t loopFrame);

// Head turns, relative to the body, never past -40..40 and at most maxStep per call.
void Person_TurnHeadToward(int32_t person, int32_t direction, int32_t maxStep);
void Person_TurnHeadBy(int32_t person, int32_t relDirection, int32_t maxStep);
void Person_LookAt(int32_t person, int32_t other, int32_t maxStep);
void Person_LookAtPoint(int32_t person, int32_t x, int32_t y, int32_t maxStep);

// Starts a keeper's dive (action 145, runSpeed 80): the dive direction is his direction to the
// ball, the side (passKind) is 0 when the watched ball point lies to his left as he faces the
// field, else 1 (equal x too); counts the dive and says commentary group 123.
void Keeper_StartDive(int32_t keeper);
inline int16_t& KeeperDiveDirection = Match.keeperDiveDirection;
// The person who takes the next shoot-out kick of KickingSide: entry k (kicks / 2) of the usable
// entries of the side's penalty order, wrapping round; without one, of its players on the pitch
// from line-up slot 10 down to 0.
int32_t ShootOut_PickTaker();
