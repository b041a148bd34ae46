// gamecode/restartutil.h: the small routines the restarts and the player actions share: skill
// contests, the effective skill off a player's flank, placing players and the ball around a
// restart, the free-kick aim beside the wall and the swerve of a shot.
#pragma once

#include <cstdint>

// 0 when a < 1 or b < 1; else b - Rand() % (a + 1), then one more draw that is thrown away (the
// sequence of draws counts).
int32_t Match_SkillRoll(int32_t a, int32_t b);
// The skill test: fails without a draw for s <= 0; else passes when 100 - Rand() % (s + 1) < s
// (two draws, the second thrown away), so only a skill above 50 can pass.
bool Match_SkillTest(int32_t s);
// value, or value / 3 + 1 when the home column of the player's formation slot lies on a flank
// (below 4, or above 11) that his flank flag (positionExtra 1 or 2) does not cover. Bench slots,
// which have no formation slot, keep the value.
int32_t Person_EffectiveSkill(int32_t person, int32_t value);
// Among line-up slots 1-10 of KickingSide that are on the pitch, in action 16 or below and not
// `exclude` (-1 none), the player whose target point is nearest (x, y) by |dx| + |dy|; a later
// slot wins a tie. -1 when nobody qualifies.
int32_t Team_NearestTeammateTo(int32_t x, int32_t y, int32_t exclude);
// Team_NearestTeammateTo for `side` (0 or 1).
int32_t Team_NearestTeammateOfSide(int32_t side, int32_t x, int32_t y, int32_t exclude);
// Team_NearestTeammateTo for a restart that must have a taker: when nobody qualifies, the first
// on-pitch player of the side's proximity list who is not its line-up slot 0, else slot 0.
int32_t Team_NearestTeammateOrFallback(int32_t x, int32_t y, int32_t exclude);
// Makes entry 0 of the side's proximity list its active player when it has none.
void Team_DefaultActive(int32_t side);
// Persons 0-31 on the pitch that are busy: a line-up slot-0 person not in action 122, anyone else
// in action 18 or above.
int32_t Match_CountBusyPlayers();
void Match_SetAllActions(int32_t action);
// Action 3 stored directly in persons 0-31, both keepers to 122, both active players none.
void Match_AllStand();
// Persons in action 15 or below stand (keepers idle) and lose the ball; returns how many are in a
// higher action, not counting a keeper whose action is other than 30, 31, 38 or 39. Both active
// players none.
int32_t Match_ResetForRestart();
// The person alone has the ball-control flag (person 0-31; any other index clears them all).
void Ball_GiveToPerson(int32_t person);
// 0 when the ball's whole height is at most `height` and the current person stands within `half`
// of (x, y) on both axes; else -1.
int32_t Person_IsWithinBox(int32_t x, int32_t y, int32_t half, int32_t height);
// Velocity toward the point scaled by factor (16.16 per unit), upward speed `up`.
void Ball_SetVelocityToward(int32_t x, int32_t y, int32_t up, int32_t factor);
// The swerve of a shot by `shooter` aimed at aimX (negative: no aim): velocities and 10-34 ticks.
void Ball_SetShotSwerve(int32_t shooter, int32_t aimX);
// The free-kick aim beside the wall for the taker (the current person): Match.freeKickAim. With
// nobody in the wall the aim is the goal's centre, without a draw.
void Team_WallExtent(int32_t taker);
// Moves the other players' targets at a free kick away from the flanks and, beyond a 100-unit band
// around halfway, toward RestartSpot, keeping them on the pitch.
void Team_SpreadRestartTargets(int32_t kicker);
// The ball on RestartSpot, integer and 16.16 position both.
void Ball_PlaceOnRestartSpot();
// Every restart's set-up, before it arranges the players: wherever the ball went after the award,
// it lies still on the ground on the restart's spot (x, y), nobody holds it and `side`, the side
// taking the restart, has it. The shape and the active players are then chosen around the spot.
void Ball_SetForRestart(int32_t side, int32_t x, int32_t y);
// A ball on or beyond a line is put at least a unit inside the pitch.
void Ball_KeepInsideLines();
