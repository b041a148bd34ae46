// menus/saveindex.h: the index of saved careers, "SaveData\index.dat": per slot the name the
// human gave it, whether it holds a game and a one-line description, so the save and load screens
// list the slots without opening the games; and the automatic save into slot 10.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "game/savegame.h"

constexpr int32_t SAVEINDEX_SLOTS = 11;  // 0-9 named by the human, 10 the automatic save
constexpr int32_t SAVEINDEX_ROWS = 10;   // the slots the screens list as rows
constexpr int32_t SAVEINDEX_AUTOSAVE_SLOT = 10;
constexpr int32_t SAVEINDEX_NAME_BYTES = 50;
constexpr int32_t SAVEINDEX_DESCRIPTION_BYTES = 120;  // of which the file keeps the first 100
constexpr int32_t SAVEINDEX_STORED_DESCRIPTION = 100;
constexpr int32_t SAVEINDEX_FILE_BYTES = 1694;  // the 11 records
// The records and their check: the form every index is written in.
constexpr int32_t SAVEINDEX_CHECKED_FILE_BYTES = SAVEINDEX_FILE_BYTES + 8;
constexpr size_t SAVEINDEX_FILE_MAX_BYTES = SAVEINDEX_FILE_BYTES * 3 / 2;  // larger: refused unread
constexpr const char* SAVEINDEX_FILE = SAVEGAME_INDEX_FILE;
constexpr const char* SAVEINDEX_DAMAGED_FILE = "SaveData\\index.bad";

// One slot as the file stores it, 11 in slot order and nothing else.
#pragma pack(push, 1)
struct SaveIndexFileRecord {
    char name[SAVEINDEX_NAME_BYTES];  // NUL-terminated, the rest as the text field left it
    uint32_t used;                    // 1 holds a game, 0 empty
    char description[SAVEINDEX_STORED_DESCRIPTION];
};
#pragma pack(pop)

static_assert(sizeof(SaveIndexFileRecord) == 154);
static_assert(offsetof(SaveIndexFileRecord, used) == 50);
static_assert(offsetof(SaveIndexFileRecord, description) == 54);
static_assert(std::is_trivially_copyable_v<SaveIndexFileRecord>);
static_assert(SAVEINDEX_SLOTS * sizeof(SaveIndexFileRecord) == SAVEINDEX_FILE_BYTES);

// After the records: "SIX1" and the CRC-32 of the records, so that damage is seen. An index of
// the records alone (from before the check) reads as it stands and gains it at the next write.
#pragma pack(push, 1)
struct SaveIndexFileCheck {
    char magic[4];
    uint32_t crc;
};
#pragma pack(pop)

static_assert(sizeof(SaveIndexFileCheck) == SAVEINDEX_CHECKED_FILE_BYTES - SAVEINDEX_FILE_BYTES);
static_assert(std::is_trivially_copyable_v<SaveIndexFileCheck>);

struct SaveIndexSlot {
    char name[SAVEINDEX_NAME_BYTES];
    uint32_t used;
    char description[SAVEINDEX_DESCRIPTION_BYTES];
};
extern SaveIndexSlot SaveIndex[SAVEINDEX_SLOTS];  // owned by SaveIndex; the save screen edits names

void SaveIndexInit();    // every slot empty
void SaveIndexUninit();  // the same; safe twice

// Results of LoadIndexFile: 0 read; 1 no file (every slot empty: a new installation has none);
// -1, -2, -3 a name, flag or description could not be read (the file is cut short); -4 the file
// cannot be read, is larger than SAVEINDEX_FILE_MAX_BYTES or is not a regular file; -5 its check
// fails (a byte changed, or a size that is neither form's). On a negative
// result every slot is empty and the damaged file has been renamed to SAVEINDEX_DAMAGED_FILE, so
// the next save does not destroy the names it still holds. Names and descriptions are always
// terminated, whatever the file holds.
int16_t LoadIndexFile();
// Writes the 11 records and their check through UserFile_Write, creating "SaveData" under the
// user folder.
// 0 written; -1 the file could not be written, and the previous file stays whole.
int16_t SaveIndexFile();
// Finishes or undoes interrupted saves (SaveGame_Recover), loads the index and makes it match
// the slots on disk: an entry whose slot lost a file for good goes, a slot with files gets an
// entry described from them, under the name its game file keeps (the club's for a file saved
// before slots kept their name). A missing, damaged or unreadable index is rebuilt that way and
// written, with a line on the "file" channel. False only when a damaged index could not be
// rewritten and no slot could be listed from the files either.
bool SaveIndex_Refresh();
int32_t SaveIndex_CountUsed();  // refreshes the index; the used slots 0-10
// Saves the running game to the slot with the index as it stands in memory, as one transaction
// (SaveGame_WithCompanion), the slot's name kept in its game file too: SaveGame's result.
int32_t SaveIndex_SaveSlot(int32_t slot);
// Refreshes the index, names slot 10 "AutoSave" (description too) and saves the game and the
// index to slot 10 as one transaction: SaveGame's result; on failure the entry is as before.
int16_t AutoSave();
// "Saison : 1999/2000 Date : ... Entraîneur : ... Club : ..." of the running career into the
// slot's description, cut to the 100 bytes the file keeps.
void SaveIndex_Describe(int32_t slot);
