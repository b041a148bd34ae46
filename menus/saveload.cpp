// menus/saveload.cpp: the save and load screen.
#include "menus/saveload.h"

#include <cstdio>
#include <cstring>

#include "game/savegame.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/textinput.h"

SaveLoadServices SaveLoadHooks;
SaveLoadState SaveLoad;

namespace {

constexpr int32_t TEXT_LOADING_TITLE = 863;
constexpr int32_t TEXT_SAVING_TITLE = 864;
constexpr int32_t TEXT_SAVING = 865;
constexpr int32_t TEXT_LOADING = 866;
constexpr int32_t TEXT_LOAD_AUTOSAVE = 428;
constexpr int32_t ROW_PITCH = 36;
constexpr int32_t NAME_FIELD_WIDTH = 512;

void ShowMessage(int32_t textNo) { DoMessageBox(GetMessageText(textNo), 0); }
int32_t AskQuestion(int32_t textNo)
{
    return DoQuestionBox(GetMessageText(textNo), 0, MenuYesNoButtons);
}

// A saved career keeps no club or person names: they come from the installed world and names
// files, which a new career reads and a program that starts by loading has not read yet.
int32_t LoadCareer(int32_t slot)
{
    World_Load();
    Names_Load();
    return LoadGame(slot);
}

constexpr SaveLoadServices REAL_SERVICES = {SaveIndex_SaveSlot, LoadCareer, ShowMessage,
                                            AskQuestion};

void ShowProgress(int32_t x, int32_t width, int32_t textNo)
{
    SetDrawAttribute(2, 0);
    DoShadedBox(x, 440, width, 30, 50);
    SetMenuFont(1);
    DrawMenuMessage(x + width / 2, 455, textNo, MENU_ALIGN_CENTRE);
    PresentMenuScreen();
    WaitMenuTick();
}

const MenuItem* AutoSaveTable()
{
    static const MenuItem table[] = {
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200f, 32, 440, 266, 30, MenuVariable(&SaveLoad.autoSaveLabel), SaveLoad_LoadAutoSave},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

const MenuItem* EmptyTable()
{
    static const MenuItem table[] = {MenuEndItem(nullptr, nullptr)};
    return table;
}

void ListSlots()
{
    for (int32_t slot = 0; slot < SAVEINDEX_SLOTS; ++slot) {
        const bool used = SaveIndex[slot].used != 0;
        SaveLoad.shown[slot] = used ? 1 : 0;
        if (slot >= SAVEINDEX_ROWS) continue;
        SaveLoad.rowName[slot] = used ? SaveIndex[slot].name : GetMessageText(TEXT_EMPTY_SLOT);
        SaveLoad.rowDescription[slot] = used ? SaveIndex[slot].description : "";
    }
}

}  // namespace

void SaveLoadInit()
{
    SaveLoadHooks = REAL_SERVICES;
    SaveLoad = {};
    SaveLoad.savingSlot = -1;
    SaveLoad.autoSaveTable = EmptyTable();
}

void SaveLoadUninit() { SaveLoadInit(); }

void SaveLoad_SetMode(int32_t loading) { SaveLoad.loading = loading != 0 ? 1 : 0; }

void SaveLoad_Init()
{
    if (EXM_GetRebuildFlag() != 0)
        MenuCont_FormatTitle(SaveLoad.loading != 0 ? HEADER_RESTRICTED : 0);
    if (!SaveIndex_Refresh()) SaveLoadHooks.message(TEXT_INDEX_UNREADABLE);
    ListSlots();
    SaveLoad.title =
        static_cast<int16_t>(SaveLoad.loading != 0 ? TEXT_LOADING_TITLE : TEXT_SAVING_TITLE);
    SaveLoad.autoSaveLabel = TEXT_LOAD_AUTOSAVE;
    // Only a whole pair: a killed automatic save must not be offered.
    const bool offerAutoSave = SaveLoad.loading != 0 && SaveLoad.shown[SAVEINDEX_AUTOSAVE_SLOT] != 0
                               && SaveGame_SlotIsWhole(SAVEINDEX_AUTOSAVE_SLOT);
    SaveLoad.autoSaveTable = offerAutoSave ? AutoSaveTable() : EmptyTable();
}

int32_t SaveLoad_LoadSlot(int32_t slot)
{
    if (SaveIndex[slot].used == 0) return EXM_CODE_REDRAW;
    ShowProgress(300, 266, TEXT_LOADING);
    SetBusyPointer(1);
    const int32_t result = SaveLoadHooks.loadGame(slot);
    SetBusyPointer(0);
    if (result < 0) {
        SaveLoadHooks.message(result == SAVEGAME_NO_FOLDER ? TEXT_SAVE_FOLDER_FAILED
                                                           : TEXT_LOAD_FAILED);
        return EXM_CODE_REDRAW;
    }
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

int32_t SaveLoad_SlotClicked(MenuHotspot* hotspot)
{
    const int32_t slot = hotspot->row;
    if (SaveLoad.loading != 0) return SaveLoad_LoadSlot(slot);
    SaveLoad.savingSlot = static_cast<int16_t>(slot);
    if (SaveLoad.shown[slot] != 0 && SaveLoadHooks.question(TEXT_OVERWRITE) != 0)
        return EXM_CODE_REDRAW;
    SaveLoad.previous = SaveIndex[slot];
    // The field always starts 49 characters wide: starting from a shorter present name would
    // make the field that short, and every overwrite would lose room.
    const char* present = SaveLoad.shown[slot] != 0 ? SaveIndex[slot].name : "";
    std::snprintf(SaveLoad.field, sizeof SaveLoad.field, "%-*.*s", SAVELOAD_NAME_FIELD,
                  SAVELOAD_NAME_FIELD, present);
    InitTextInput(64, 80 + ROW_PITCH * slot, NAME_FIELD_WIDTH, MENU_ALIGN_TL, SaveLoad.field,
                  SaveIndex[slot].name, nullptr, SaveLoad_NameEntered);
    return EXM_CODE_NONE;
}

int32_t SaveLoad_NameEntered(int32_t code)
{
    if (code != TEXTINPUT_ENTERED) return EXM_CODE_REDRAW;
    const int32_t slot = SaveLoad.savingSlot;
    ShowProgress(220, 200, TEXT_SAVING);
    SaveIndex_Describe(slot);
    SetBusyPointer(1);
    SaveIndex[slot].used = 1;
    // The index is written with the game, in one transaction: on failure both are as before.
    if (SaveLoadHooks.saveGame(slot) >= 0) {
        MenuOption = MENU_OPTION_OFFICE;
        SetBusyPointer(0);
        return EXM_CODE_LEAVE;
    }
    SaveIndex[slot] = SaveLoad.previous;
    SetBusyPointer(0);
    SaveLoadHooks.message(TEXT_SAVE_FAILED);
    return EXM_CODE_REDRAW;
}

int32_t SaveLoad_LoadAutoSave(MenuHotspot*) { return SaveLoad_LoadSlot(SAVEINDEX_AUTOSAVE_SLOT); }

int32_t SaveLoad_Back(MenuHotspot*)
{
    MenuOption = SaveLoad.loading != 0 ? MENU_OPTION_TITLE : MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

const MenuItem* SaveLoad_Table()
{
    constexpr int16_t POINTER_STRIDE = sizeof(const char*);
    static const MenuItem row[] = {
        {0x200d, 32, 78, 576, 34, 0, nullptr},
        {0x1f, 32, 78, 576, 34, MenuNumber(-1), SaveLoad_SlotClicked},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x12, 64, 80, MENU_ALIGN_TL, POINTER_STRIDE, MenuVariable(&SaveLoad.rowName[0]), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x12, 64, 95, MENU_ALIGN_TL, POINTER_STRIDE, MenuVariable(&SaveLoad.rowDescription[0]),
         nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(SaveLoad_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(SAVELOAD_BACKGROUND), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x10, 320, 36, MENU_ALIGN_CENTRE, 0, MenuVariable(&SaveLoad.title), nullptr},
        {0x21, 0, 0, SAVEINDEX_ROWS, ROW_PITCH, MenuAddress(row), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 570, 440, 40, 40, MenuTextNo(31), SaveLoad_Back},
        {0x22, 0, 0, 1, 0, MenuVariable(&SaveLoad.autoSaveTable), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
