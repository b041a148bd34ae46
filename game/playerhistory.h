// game/playerhistory.h: each full player's progress history (his eight abilities recorded at a
// career's start and at every season's turn, the last few kept) and the skill values read from
// it or from the player as he stands.
#pragma once

#include <cstdint>

#include "game/ids.h"

constexpr int32_t PLAYER_HISTORY_POINTS = 6;  // season turns kept, oldest dropped first
constexpr int32_t PLAYER_HISTORY_SKILLS = 8;  // skills 1-8: the abilities
// Skills 1-8 are the abilities (stats 0-7), 9-15 the physical stats (8-14); only 1-8 have a
// history.
constexpr int32_t PLAYER_SKILL_FIRST = 1;
constexpr int32_t PLAYER_SKILL_LAST = 15;
constexpr int16_t PLAYER_HISTORY_NO_VALUE = -1;  // no such skill, or no such point

// One player's history. The id of a player who left is given to a youth later, so each row
// remembers whose it is; a row that names another person is no history of the present one.
struct PlayerHistoryRow {
    uint16_t nameIndex;  // the person's, at his first point
    uint8_t birthYear;
    uint8_t count;  // points held, 0-6; point 0 is the oldest
    uint8_t skills[PLAYER_HISTORY_POINTS][PLAYER_HISTORY_SKILLS];
};
extern PlayerHistoryRow PlayerHistory[PLAYER_FULL_MAX];  // by player id

// Registers the saved block and empties the history; Uninit empties it again.
void PlayerHistory_Init();
void PlayerHistory_Uninit();
void PlayerHistory_ResetCareer();           // every row empty
void PlayerHistory_Forget(int32_t player);  // his row empty: a full id freed or given again
// A point for every active full player (a new row for a new person), the oldest point of a full
// row dropped: at a new career's start and at each season's turn.
void PlayerHistory_RecordPoint();
// The saved block's check: counts 0-6, and every held skill 10-99.
bool PlayerHistory_CheckSaved(const void* block);

// The player's value of skill 1-15: with a history index of 0 or more his value at that point
// of his history (skills 1-8 only; PLAYER_HISTORY_NO_VALUE beyond the points he has), with -1 as
// he stands now. Any other skill logs "GiveMeValuefor(): Passing an invalid skill\n" and gives
// PLAYER_HISTORY_NO_VALUE. The search's criterion form of the same name is in
// game/playersearch.h.
int16_t GiveMeValuefor(int32_t player, int32_t skill, int32_t historyIndex);
