// game/shortlist.h: the manager's shortlist, the larger working list of the player screens, the
// five sort keys and the table of player comparators that a sort runs through.
#pragma once

#include <cstdint>

#include "game/ids.h"

constexpr int32_t SHORTLIST_SIZE = 40;
constexpr int32_t SHORTLIST2_SIZE = 72;
constexpr uint16_t SHORTLIST_FREE = 0xFFFF;
constexpr int32_t PICKLIST_KEYS = 5;
constexpr int32_t PLAYER_COMPARATORS = 40;
constexpr uint16_t PICKLIST_NO_KEY = 39;  // the comparator that finds every pair equal

extern uint16_t ShortList[SHORTLIST_SIZE];     // saved with the game; SHORTLIST_FREE marks a gap
bool ShortList_CheckSaved(const void* block);  // the saved block's range check (SaveGameCheck)
extern uint16_t ShortList2[SHORTLIST2_SIZE];   // not saved; emptied by the shortlist screen
extern uint16_t PickList5[PICKLIST_KEYS];      // comparator slots in priority order
extern int32_t PlayerSearchScore[PERSON_MAX];  // by player id; zero until a search scores them

using PlayerComparator = int32_t (*)(int32_t a, int32_t b);
// -1 when a sorts before b, 1 after, 0 equal on that key. Slot 39 finds every pair equal.
extern const PlayerComparator PlayerCompareTable[PLAYER_COMPARATORS];
// The player search's two keys, slots 1 and 3: the higher PlayerSearchScore, and the higher
// value, sorts first.
int32_t CompareSearchScore(int32_t a, int32_t b);
int32_t CompareValue(int32_t a, int32_t b);

// Both lists empty, no sort key, every search score 0; the shortlist is registered with the saved
// game as block "SHRT" (80 bytes).
void ShortList_Init();
void ShortList_Uninit();       // the same without the registration; safe twice
void ShortList_ResetCareer();  // every list and score cleared: a career's start

// Adds: 0 for a negative id (logged), an id already listed, or a full list (nothing is written
// outside the list); else the id goes into the highest-numbered free slot and 1 is answered.
int32_t ShortList_Add_Player(int32_t player);
int32_t ShortList_Remove(int32_t player);  // frees the first slot holding it: 1, else 0
int32_t ShortList_Contains(int32_t player);
void ShortList_Clear();
int32_t ShortList2_Add_Player(int32_t player);
int32_t ShortList2_Remove(int32_t player);
int32_t ShortList2_Contains(int32_t player);
void ShortList2_Clear();

// Key 39 answers 1 and changes nothing; a key already present or no free slot answers 0; else
// the key takes the lowest free slot and 1 is answered. A key outside 0-39 is fatal.
int32_t PickList5_Add(int32_t key);
int32_t PickList5_Remove(int32_t key);  // the first slot holding it back to 39: 1, else 0
// Every slot to 39, then the five keys added in order up to the first refused: 1 when all
// five were accepted.
int32_t PickList5_Set(int32_t k1, int32_t k2, int32_t k3, int32_t k4, int32_t k5);

// For a sort over i16 player ids: -1 entries sort last; else the first non-zero answer of the
// five keys' comparators, 0 when none decides.
int32_t PlayerList_Compare(const void* a, const void* b);
// The same as a strict ordering for std::sort.
bool PlayerList_Before(int16_t a, int16_t b);
