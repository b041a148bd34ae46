// game/squad.h: the squad list of one club at a time, its order, captain and set-piece takers,
// and the counts the squad screens show.
#pragma once

#include <cstdint>

#include "game/ids.h"

struct SquadListRecord {
    int16_t players[SQUAD_MAX];  // -1 empty
    int16_t count;
    int16_t club;     // the club last refreshed, -1 none
    int16_t captain;  // the club's words, -1 none
    int16_t freeKickTaker;
    int16_t cornerTaker;
    int16_t penaltyTaker;
};
extern SquadListRecord SquadList;  // owned by Squad

void Squad_Init();  // an empty list of no club
void Squad_Uninit();

// A player belongs to the squad of the club he plays for: his own club unless he is on loan, the
// loan club when he is. Managers (position 13) and free persons belong to none.
bool Squad_IsMember(int32_t player, int32_t club);

// Rebuilds SquadList for the club: shirts 1-32 in order, then shirtless players by line and
// ability; at most 32. Returns the count.
int32_t VTW_RefreshSquadCount(int32_t club);
int32_t VTW_GetClubSquadCount(int32_t club);  // counts without touching SquadList
int32_t VTW_GetSquadSize();
int32_t VTW_GetSquadPlayer(int32_t index);    // -1 outside the list
int32_t VTW_GetPlayerByShirt(int32_t shirt);  // of the current list, -1 none
int32_t VTW_GetPlayerShirt2(int32_t shirt);   // the same query
// Mode 5 orders by shirt, mode 0 by line; `player`, when in the squad and not 0, comes first.
// Another mode is fatal.
int32_t VTW_RebuildSquad(int32_t club, int32_t mode, int32_t player);
// The players of club 252 whose origin word is the club's team number.
int32_t VTW_BuildOriginSquad(int32_t club);

// Takes every captain mark from the club's players, and the club's captain word with flag 1.
void VTW_ClearSquadCaptains(int32_t club, int32_t clearClubWord);
void VTW_SetClubCaptain(int32_t player);      // of the club he plays for
int32_t VTW_CountTeamCaptains(int32_t club);  // among shirts 1-11
void VTW_SetClubFreeKickTaker(int32_t club, int32_t player);
void VTW_SetClubCornerTaker(int32_t club, int32_t player);
void VTW_SetClubPenaltyTaker(int32_t club, int32_t player);
// The two players of the club exchange shirt numbers. No set-piece taker ever wears shirt 1, so
// when one of them takes it, every role he holds passes to the other.
void Squad_ExchangeShirts(int32_t club, int32_t a, int32_t b);

// Per line 0-3: out[kind x 4 + line] with kinds all, loaned out, loaned in, transfer-listed.
void VTW_CountClubSquadLines(int32_t club, int32_t out[16]);
// Per line 0-3: out[line x 4 + kind] with kinds players, suspended, injured, away with the
// national team (always 0: no internationals are played).
void VTW_CountSquadAvailability(int32_t club, int32_t out[16]);

// Squad list, wage limit at least the highest wage, and the missing takers: the best at set
// pieces for kicks, the captain by charisma and experience. A human's club has its empty match
// shirts worn again first, each by the next of the squad in shirt order (a goalkeeper in shirt
// 1), and its captain comes from the eleven.
void VTW_UpdateTeam(int32_t club);

void VTW_FillSquadTable(int32_t club, int32_t n);  // forwarded to GameHooks
