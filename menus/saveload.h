// menus/saveload.h: the one screen that saves a career into a named slot or loads one back,
// listing the ten slots of the save index and, when loading, the automatic save.
#pragma once

#include <cstdint>

#include "menus/saveindex.h"

struct MenuItem;
struct MenuHotspot;

constexpr int32_t SAVELOAD_BACKGROUND = 0;
constexpr int32_t SAVELOAD_NAME_FIELD = SAVEINDEX_NAME_BYTES - 1;  // blanks a name starts from
constexpr int32_t TEXT_EMPTY_SLOT = 1660;
constexpr int32_t TEXT_SAVE_FAILED = 1661;
constexpr int32_t TEXT_LOAD_FAILED = 1662;
constexpr int32_t TEXT_INDEX_UNREADABLE = 1663;
constexpr int32_t TEXT_SAVE_FOLDER_FAILED = 1664;
constexpr int32_t TEXT_OVERWRITE = 1999;

// What the screen asks of the rest of the program; SaveLoadInit puts the real ones back, and a
// test replaces rows to see the boxes or make a save fail.
struct SaveLoadServices {
    int32_t (*saveGame)(int32_t slot);  // the game and the index as they stand, in one go
    int32_t (*loadGame)(int32_t slot);
    void (*message)(int32_t textNo);      // a message box
    int32_t (*question)(int32_t textNo);  // a yes/no box: 0 "Oui", 1 "Non"
};
extern SaveLoadServices SaveLoadHooks;

struct SaveLoadState {
    uint16_t loading;                 // 1 loads (option 49), 0 saves (option 50)
    int16_t savingSlot;               // the slot whose name is being typed
    uint16_t shown[SAVEINDEX_SLOTS];  // 1 when the slot is listed as used
    const char* rowName[SAVEINDEX_ROWS];
    const char* rowDescription[SAVEINDEX_ROWS];
    int16_t title;
    int16_t autoSaveLabel;
    const MenuItem* autoSaveTable;  // the automatic-save button, or an empty table
    SaveIndexSlot previous;         // the entry a failed save puts back
    char field[SAVEINDEX_NAME_BYTES];
};
extern SaveLoadState SaveLoad;  // owned by SaveLoad

void SaveLoadInit();
void SaveLoadUninit();

void SaveLoad_SetMode(int32_t loading);
void SaveLoad_Init();  // the screen's init: the index read, the rows and the buttons chosen
int32_t SaveLoad_SlotClicked(MenuHotspot* hotspot);
int32_t SaveLoad_NameEntered(int32_t code);
int32_t SaveLoad_LoadAutoSave(MenuHotspot* hotspot);
int32_t SaveLoad_Back(MenuHotspot* hotspot);
int32_t SaveLoad_LoadSlot(int32_t slot);  // the load branch of a click, for any slot

const MenuItem* SaveLoad_Table();
