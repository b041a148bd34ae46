// game/savegame.h: saved games: the career in "SaveData\save%d" (a "SAV0" container) and its
// permanent archives in "SaveData\perm%d" ("PRM0"), written atomically and tied together.
#pragma once

#include <cstddef>
#include <cstdint>

#include "game/gamestate.h"

constexpr uint32_t SAVEGAME_VERSION = 1;
constexpr int32_t SAVEGAME_AUTOSAVE_SLOT = 10;  // "AutoSave"
constexpr int32_t SAVEGAME_REGISTERED_MAX = 24;
// Every saved block is a fixed array, so every career's files have one size, whatever the world:
// these, with the blocks the program registers (a whole-program run checks them against its
// files). A slot's files may be half as much again, so that a later version's longer files still
// load; a larger file is refused unread.
constexpr size_t SAVEGAME_SAVE_BYTES = 2595200;
constexpr size_t SAVEGAME_PERM_BYTES = 818056;
constexpr size_t SAVEGAME_SAVE_MAX_BYTES = SAVEGAME_SAVE_BYTES * 3 / 2;
constexpr size_t SAVEGAME_PERM_MAX_BYTES = SAVEGAME_PERM_BYTES * 3 / 2;

// Results: 0 success; the others leave the running game and the previous files untouched.
constexpr int32_t SAVEGAME_OK = 0;
constexpr int32_t SAVEGAME_MISSING = -1;        // a file of the slot is missing
constexpr int32_t SAVEGAME_WRONG_KIND = -2;     // wrong magic, type or version
constexpr int32_t SAVEGAME_DAMAGED = -3;        // wrong size, checksum or pair stamp
constexpr int32_t SAVEGAME_BLOCK_MISSING = -4;  // a block missing or of the wrong size
constexpr int32_t SAVEGAME_WRITE_FAILED = -5;
constexpr int32_t SAVEGAME_NO_FOLDER = -20;  // "SaveData" cannot be read

// Forgets the registered blocks; the modules that own saved state register it at their Init,
// after this one.
void SaveGame_Init();
void SaveGame_Uninit();

// Other modules' saved state, in registration order after the database's own blocks. A tag
// registered again replaces its block in place; a 25th block or a tag not four characters long is
// fatal.
// A block's range check: true when every value the game later uses as an index or a count lies
// in its range. A load runs every block's check on the staged bytes before it applies anything,
// and refuses the slot as damaged when one fails. Each lives beside its record's definition.
using SaveGameCheck = bool (*)(const void* block);
void SaveGame_RegisterBlock(const char* tag, void* data, uint32_t size,
                            SaveGameCheck check = nullptr);
// A block added after saves without it were made: such a save loads, and the block keeps what
// the career reset left in it. A block of the wrong size is still refused.
void SaveGame_RegisterLateBlock(const char* tag, void* data, uint32_t size,
                                SaveGameCheck check = nullptr);
void SaveGame_RegisterPermBlock(const char* tag, void* data, uint32_t size,
                                SaveGameCheck check = nullptr);

// Helpers for the checks.
constexpr bool SaveCheck_InRange(int64_t value, int64_t low, int64_t high)
{
    return value >= low && value <= high;
}
// A club id, or one of the words that stand for no club (none, released, a world club).
bool SaveCheck_ClubOrWord(int32_t club);

// Writes both files of slot n (any number from 0; 10 is the autosave) as one transaction: both
// carry the CRC-32 of the saved game's blocks (the pair stamp), both are written whole beside the
// old pair, a commit record "SaveData\commit<n>" makes them the slot's game, then they are renamed
// into place. SAVEGAME_OK once committed (a rename left undone is finished by SaveGame_Recover or
// the slot's next load); SAVEGAME_WRITE_FAILED only when the previous game is what remains.
int32_t SaveGame(int32_t n);
// A file replaced in the same transaction as the pair (the save index, whose entry describes the
// new game): written whole as "<gameName>.new" before the commit and renamed after the pair.
// The index is the one companion there is: a commit record naming any other file is damaged
// (removed, the slot's previous game kept), and a save given another is fatal.
constexpr const char* SAVEGAME_INDEX_FILE = "SaveData\\index.dat";
struct SaveGameCompanion {
    const char* gameName;
    const void* data;
    size_t size;
};
int32_t SaveGame_WithCompanion(int32_t n, const SaveGameCompanion* companion);
// Finishes every save that stopped after its commit and removes what saves that stopped before
// it left behind, so that each slot holds its old game or its new one, whole.
void SaveGame_Recover();
// Both files of slot n present, passing every check and stamped as one pair.
bool SaveGame_SlotIsWhole(int32_t n);
// Something stands at the names of both files of slot n, whatever it is or holds (an unreadable
// file, a dangling link): false when one is gone for good, so a slot whose files are only out of
// reach for a while is not forgotten.
bool SaveGame_SlotHasFiles(int32_t n);
// The name the human gave a slot, kept in the game file itself ("SNAM") so that a save index
// rebuilt from the slots finds it again: the next saves carry this name, NUL-terminated within
// SAVEGAME_SLOT_NAME_BYTES (a longer one is cut); a load sets it to the loaded file's.
constexpr int32_t SAVEGAME_SLOT_NAME_BYTES = 50;
void SaveGame_SetSlotName(const char* name);
// What the save index says of a slot, read from a whole pair without applying it: the saved
// game-state block, the human club's team number (-1 when the game has no human club) and the
// slot's name ("" from a file saved before slots carried their name).
struct SaveGameSummary {
    GameStateBlock state;
    int32_t humanTeam;
    char slotName[SAVEGAME_SLOT_NAME_BYTES];
};
bool SaveGame_ReadSummary(int32_t n, SaveGameSummary* summary);

// The steps of a save in order; a test's hook (null in the game) may fail any of them as a
// failing disk call would, or stop the save there as a kill would.
constexpr int32_t SAVEGAME_STEP_WRITE_SAVE = 0;
constexpr int32_t SAVEGAME_STEP_WRITE_PERM = 1;
constexpr int32_t SAVEGAME_STEP_WRITE_COMPANION = 2;
constexpr int32_t SAVEGAME_STEP_COMMIT = 3;
constexpr int32_t SAVEGAME_STEP_RENAME_PERM = 4;
constexpr int32_t SAVEGAME_STEP_RENAME_SAVE = 5;
constexpr int32_t SAVEGAME_STEP_RENAME_COMPANION = 6;
constexpr int32_t SAVEGAME_STEP_END_COMMIT = 7;
constexpr int32_t SAVEGAME_STEP_COUNT = 8;
constexpr int32_t SAVEGAME_STEP_GO = 0;
constexpr int32_t SAVEGAME_STEP_FAIL = 1;
constexpr int32_t SAVEGAME_STEP_STOP = 2;
void SaveGame_SetStepHook(int32_t (*hook)(int32_t step));
// Finishes a committed save of the slot, then reads and checks both files completely before
// anything is taken; then rebuilds the derived
// state (squad list, calendar words). 0 on success, else a SAVEGAME_ result.
int32_t LoadGame(int32_t n);

// The CRC-32 of every saved block of both files, in file order: equal for equal careers.
uint32_t SaveGame_StateHash();
// "SaveData\save%d" and "SaveData\perm%d"; one static buffer each, valid until the next call.
const char* SaveGame_SaveName(int32_t n);
const char* SaveGame_PermName(int32_t n);
