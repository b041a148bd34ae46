// gamecode/interim.h: engine operations whose full rules are still to come; their stand-in
// bodies live in interim.cpp, and each moves to its owner's header when it is built.
#pragma once

#include <cstdint>

// Transitional: the engine modules that still reach Comm_Say through this header.
#include "gamecode/comments/commentary.h"

// Team shape, marking, offside line, proximity and the active player.
void EvaluateTeamStrategy();
// Each on-pitch player of line-up slots 1-10 in an action below 16 (not the named kick-off taker)
// gets his home cell of the side's team shape as target point; in open play the shape leans 1/10
// toward the ball's length and 1/4 toward its width.
void UpdateTeamStrategy();
void Team_PickUpAttackers();
void Team_StepBackOnside();
void Team_SetMarkingTargets();
// For the side of this tick: every player's ball distance (30000 off the pitch); the nearest
// on-pitch player of slots 1-10 in an action of 17 or below becomes the active player, in open
// play in action 4 when his was 3 or less; a replaced one in action 4 without the ball walks (3).
void Team_SortAndPickActive();
void Team_RefillLineup(int32_t side);
void CopySquadStatusToPlayers(int32_t side);
void SetupFormations(int32_t side);

void Officials_Update();
void Match_Fatigue();

// Contacts between the ball and the players, touches and possession: the cool-downs count down;
// in open play, with the ball at height 16 or below, the first player within 9 units on both axes
// takes a loose ball, and each one near an opponent's ball takes it with Rand() % 8 == 0.
void Ball_ResolveContacts();

// Kicks a pass from `kicker` at once at `receiver`, aimed at (x, y): the receiver goes to action
// 17 with that receive point, the kicker to 3.
void Person_AimKickAt(int32_t kicker, int32_t receiver, int32_t x, int32_t y);
// Actions 4 and 17: the active player, and the receiver of a pass. Outside open play (phases 0 and
// 2) he walks to his target point; with the ball he carries, passes or shoots; else he runs to the
// ball's near look-ahead point.
void Action_InterimActive(int32_t person);
// Keeper actions: outside open play he walks to his goal spot; in open play and at a penalty he
// keeps between the ball and the goal, saves shots that reach him (Rand() % 100 < 40 + skill 0 /
// 2) and clears a slow ball in his area.
void Action_InterimKeeper(int32_t person);
// Actions 69 and 70: 150 ticks of celebration; then the scorer (69) ends the celebration and both
// walk back (3).
void Action_InterimCelebrate(int32_t person);
// Action 108, a chaser who reached his point: he walks back to his place (3).
void Action_InterimChaseArrived(int32_t person);
// The handler of every action whose rules are still to come: the player keeps his position,
// facing and animation.
void Action_Hold(int32_t person);

// Who takes the restart awarded in `awardedPhase` (1-5 or 12) for KickingSide and where its kick
// aims: the taker and the ball are put on the restart spot, the ball stopped at his feet, the
// taker and the other side's nearest player made active and the taker given his restart action.
struct RestartPlacement {
    int32_t taker;
    int32_t aimX;
    int32_t aimY;
};
RestartPlacement Restart_InterimTaker(int32_t awardedPhase);
// The handler of the restart takers' actions (21, 22, 53, 123, 157): he holds the ball on the spot
// facing his aim and plays it on the 30th tick, which returns the match to open play.
void Action_InterimTaker(int32_t person);

// The rating a player's row of the data block gets.
int32_t Match_PlayerRowRating(int32_t person);
// The person picked as player of the match, -1 nobody.
int32_t Match_PickPlayerOfMatch();
