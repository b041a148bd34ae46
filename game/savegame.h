// game/savegame.h: saved games: the career in "SaveData\save%d" (a "SAV0" container) and its
// permanent archives in "SaveData\perm%d" ("PRM0"), written atomically and tied together.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t SAVEGAME_VERSION = 1;
constexpr int32_t SAVEGAME_AUTOSAVE_SLOT = 10;  // "AutoSave"
constexpr int32_t SAVEGAME_REGISTERED_MAX = 24;
// The largest files a slot may hold. Every saved block is a fixed array, so every career's files
// have one size (today 2,082,348 bytes for SAV0 and 818,056 for PRM0, whatever the world); these
// are half as much again, so that a later version's longer files still load. A larger file is
// refused unread.
constexpr size_t SAVEGAME_SAVE_MAX_BYTES = 2082348 * 3 / 2;
constexpr size_t SAVEGAME_PERM_MAX_BYTES = 818056 * 3 / 2;

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
void SaveGame_RegisterBlock(const char* tag, void* data, uint32_t size);
void SaveGame_RegisterPermBlock(const char* tag, void* data, uint32_t size);

// Writes both files of slot n (any number from 0; 10 is the autosave) through temporary files;
// both carry the CRC-32 of the saved game's blocks, so a pair that is not from one save is refused.
int32_t SaveGame(int32_t n);
// Reads and checks both files completely before anything is taken; then rebuilds the derived
// state (squad list, calendar words). 0 on success, else a SAVEGAME_ result.
int32_t LoadGame(int32_t n);

// The CRC-32 of every saved block of both files, in file order: equal for equal careers.
uint32_t SaveGame_StateHash();
// "SaveData\save%d" and "SaveData\perm%d"; one static buffer each, valid until the next call.
const char* SaveGame_SaveName(int32_t n);
const char* SaveGame_PermName(int32_t n);
