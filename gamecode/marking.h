// gamecode/marking.h: marking and the offside line: man-markers goal-side of their opponents,
// free defenders picking up unmarked attackers, attackers stepping back onside. They move target
// points only; the players' actions then run to them.
#pragma once

// Both sides: each on-pitch marker of line-up slots 1-10 (action 17 or below) whose opponent is
// on the pitch stands 32 units from him toward the centre of the marker's own goal; in phases 0-2
// always, in 6, 7, 8, 13, 17, 18 and 21 while the opponent's action is 17 or below.
void Team_SetMarkingTargets();
// Open play only, the side in possession: a player of slots 1-10 beyond the other side's offside
// line waits (100 - effective skill 12) / 2 + 1 ticks in his onside delay, then takes a target y
// one yard inside the line, refreshed while he stays beyond it.
void Team_StepBackOnside();
// Phases 0, 6, 8, 17, 18 and 21: the defending side's onside delays are zeroed, then each
// attacker in its proximity order who is in his attacking half and near the ball gets the nearest
// free defender (not a keeper, not a marker whose man is on the pitch, never two attackers one
// defender) sent to a guard point between him and the goal.
void Team_PickUpAttackers();
