// game/formerplayers.h: the names of the players who left the game's ids behind them. The records
// of a career (transfers, club records, season bests, goal logs, fixtures, the last match) name
// players by id, and a freed id is given to a new man: before it is, every row naming the man who
// left is made to name his former-player id instead, which keeps his name and nothing else.
#pragma once

#include <cstdint>
#include <vector>

#include "game/ids.h"
#include "game/records.h"

// Former-player ids follow the person ids and fill the rest of the rows' 16-bit range. A record
// naming one reads his name and no other figure: the player accessors give no record for it.
constexpr int32_t FORMER_PLAYER_FIRST = PERSON_MAX;
constexpr int32_t FORMER_PLAYER_COUNT = PERSON_ID_END - PERSON_MAX;

struct FormerPlayerName {
    uint16_t nameIndex;
    uint8_t initial;
    uint8_t kept;  // 1 while a record may name the id, 0 free
};
static_assert(sizeof(FormerPlayerName) == 4);

// Owned by FormerPlayers, saved with the game (a save made before it has none).
extern FormerPlayerName FormerPlayers[FORMER_PLAYER_COUNT];

// Registers the saved block and empties the names; Uninit empties them again.
void FormerPlayers_Init();
void FormerPlayers_Uninit();
// Every name free; the records are then taken to name freed ids, as a loaded game's may.
void FormerPlayers_ResetCareer();

// A full or a light id was freed: the records may name it until the next settling.
enum FormerPool : int32_t { FORMER_POOL_FULL, FORMER_POOL_LIGHT };
void FormerPlayers_IdFreed(int32_t pool);

// Before a freed id of the pool is given to a new man: every record row naming a freed id names
// the former-player id of his name instead. Nothing is read when no id of the pool was freed
// since the last settling.
void FormerPlayers_Settle(int32_t pool);

// A person about to be made a new man in place, without his id being freed first.
struct ReplacedPerson {
    int16_t id;
    PersonRecord before;
};
// The rows naming these persons, or a freed id, name their former-player ids from now on.
void FormerPlayers_SettleReplaced(const std::vector<ReplacedPerson>& replaced);

// A former-player id's name; false for any other id and for a free one.
bool FormerPlayers_Name(int32_t id, int32_t* initial, int32_t* nameIndex);
// How many names are kept.
int32_t FormerPlayers_KeptCount();

// The saved block's check: every kept name's index and initial in range.
bool FormerPlayers_CheckSaved(const void* block);
