// gamecode/interim.h: engine operations whose full rules are still to come; their stand-in
// bodies live in interim.cpp, and each moves to its owner's header when it is built.
#pragma once

#include <cstdint>

// Team shape, marking, offside line, proximity and the active player.
void EvaluateTeamStrategy();
void UpdateTeamStrategy();
void Team_PickUpAttackers();
void Team_StepBackOnside();
void Team_SetMarkingTargets();
void Team_SortAndPickActive();
void Team_RefillLineup(int32_t side);
void CopySquadStatusToPlayers(int32_t side);
void SetupFormations(int32_t side);

void Officials_Update();
void Match_Fatigue();

// Contacts between the ball and the players, touches and possession.
void Ball_ResolveContacts();
// The handler of every action whose rules are still to come: the player keeps his position,
// facing and animation.
void Action_Hold(int32_t person);

// The phases that start play and decide a shoot-out.
void Phase_Kickoff();
void Phase_ShootoutNextKick();
// The goal: after 50 ticks the scoring side scores and the conceding side kicks off (phase 27, 100
// ticks); in the shoot-out the next kick follows (phase 20).
void Phase_InterimGoal();

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

// Says a line of commentary group `group` (person arguments -1 for none). The listener hears
// every call; it is a test seam and null in production.
using CommentaryListener = void (*)(int32_t group, int32_t side, int32_t player, int32_t player2,
                                    int32_t number);
void Comm_Say(int32_t group, int32_t side, int32_t player, int32_t player2, int32_t number);
void Comm_SetListener(CommentaryListener listener);

// The rating a player's row of the data block gets.
int32_t Match_PlayerRowRating(int32_t person);
// The person picked as player of the match, -1 nobody.
int32_t Match_PickPlayerOfMatch();
