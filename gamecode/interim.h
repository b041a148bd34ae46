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

// The ball against the frame, the net, the flags and the lines at its walk cell; sets the stop
// flag when it changed the ball's course there.
struct BallState;
void Ball_CheckOutOfPlay(BallState& ball);
// Contacts between the ball and the players, touches and possession.
void Ball_ResolveContacts();
// The handler of every action whose rules are still to come: the player keeps his position,
// facing and animation.
void Action_Hold(int32_t person);

// The phases that start play and decide a shoot-out.
void Phase_Kickoff();
void Phase_ShootoutNextKick();

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
