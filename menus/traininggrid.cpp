// menus/traininggrid.cpp: the team-training grid.
#include "menus/traininggrid.h"

#include <cstdint>

#include "engine/debug.h"
#include "game/trainingschedule.h"
#include "menus/debugscreen.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/individualgrid.h"
#include "menus/machine.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/playerevolution.h"

namespace {

constexpr int32_t TEXT_TITLE = 809;        // "Entraînement Collectif"
constexpr int32_t TEXT_EXTRA = 498;        // "Ent. Sup"
constexpr int32_t TEXT_STAFF_CHOICE = 79;  // "Choix des entraîneurs"
constexpr int32_t TEXT_EVOLUTION = 840;    // "Evolution joueur"
constexpr int32_t TEXT_INDIVIDUAL = 600;   // "Entraînement Individuel"
constexpr int16_t OPTION_STAFF_CHOICE = 13;
constexpr int32_t FIRST_GROUP_SIZE = 4;  // the vertical sliders
constexpr int32_t FIRST_VALUE_X = 92;
constexpr int32_t FIRST_VALUE_ABOVE = 33;  // the values at y 67, 161, 255, 349
constexpr int32_t LOCK_X = 281;
constexpr int32_t LOCK_SIDE = 12;
constexpr int32_t ARROWS_X = 495;
constexpr int32_t ARROW_W = 16;
constexpr int32_t VALUE_X = 560;
constexpr int32_t EXTRA_BUTTONS_Y = 338;
constexpr int32_t EXTRA_BUTTON_PITCH = 22;
constexpr uint16_t FILL_COLOUR = 51200;
constexpr uint16_t LOCK_COLOUR = 0xF800;

bool IsVertical(int32_t entry) { return entry < FIRST_GROUP_SIZE; }
bool HasLock(int32_t entry) { return !IsVertical(entry) && entry != TRAINING_EXTRA; }

void AddClick(int32_t x, int32_t y, int32_t w, int32_t h, std::intptr_t value, ClickFn click)
{
    EXM_AddHotspot(x, y, w, h, -1, MENU_ALIGN_TL, -1, 0, 0, value, click, 0, 0);
}

int32_t Entry(const MenuHotspot* h) { return static_cast<int32_t>(h->value); }

int32_t ClickBar(MenuHotspot* h)
{
    const int32_t entry = Entry(h);
    return Training_MoveToward(entry, TrainingGrid_Target(entry, PointerX(), PointerY()));
}

int32_t ClickLock(MenuHotspot* h) { return Training_ToggleLock(Entry(h)); }

int32_t ClickDown(MenuHotspot* h)
{
    Training_StepDown(Entry(h));
    return EXM_CODE_REDRAW;
}

int32_t ClickUp(MenuHotspot* h)
{
    Training_StepUp(Entry(h));
    return EXM_CODE_REDRAW;
}

int32_t ClickExtra(MenuHotspot* h) { return Training_SetExtra(Entry(h)); }

void DrawValue(int32_t x, int32_t y, int32_t value) { DrawMenuNumber(x, y, value, MENU_ALIGN_TL); }

void DrawVerticalBar(int32_t entry)
{
    const TrainingEntry& e = TrainingSchedule[entry];
    const int32_t x = e.x - TRAINING_GRID_THICK / 2;
    const int32_t filled = e.value * TRAINING_GRID_VBAR / 100;
    DoShadedBox(x, e.y, TRAINING_GRID_THICK, TRAINING_GRID_VBAR, 75);
    SetDrawAttribute(2, FILL_COLOUR);
    DoShadedBox(x, e.y + TRAINING_GRID_VBAR - filled, TRAINING_GRID_THICK, filled, 100);
    SetDrawAttribute(2, 0);
    DrawValue(FIRST_VALUE_X, e.y - FIRST_VALUE_ABOVE, e.value);
    AddClick(x, e.y, TRAINING_GRID_THICK, TRAINING_GRID_VBAR, entry, ClickBar);
}

void DrawHorizontalBar(int32_t entry)
{
    const TrainingEntry& e = TrainingSchedule[entry];
    DoShadedBox(e.x, e.y, TRAINING_GRID_BAR, TRAINING_GRID_THICK, 75);
    SetDrawAttribute(2, FILL_COLOUR);
    DoShadedBox(e.x, e.y, e.value * TRAINING_GRID_BAR / 100, TRAINING_GRID_THICK, 100);
    SetDrawAttribute(2, 0);
    AddClick(e.x, e.y, TRAINING_GRID_BAR, TRAINING_GRID_THICK, entry, ClickBar);
    DrawValue(VALUE_X, e.y, e.value);
    if (entry == TRAINING_EXTRA) return;
    DrawMenuString(ARROWS_X + ARROW_W / 2, e.y, "-", MENU_ALIGN_TC);
    DrawMenuString(ARROWS_X + ARROW_W * 3 / 2, e.y, "+", MENU_ALIGN_TC);
    AddClick(ARROWS_X, e.y, ARROW_W, TRAINING_GRID_THICK, entry, ClickDown);
    AddClick(ARROWS_X + ARROW_W, e.y, ARROW_W, TRAINING_GRID_THICK, entry, ClickUp);
}

void DrawLock(int32_t entry)
{
    const TrainingEntry& e = TrainingSchedule[entry];
    const bool locked = (e.flags & TRAINING_LOCKED) != 0;
    SetDrawAttribute(2, locked ? LOCK_COLOUR : 0);
    DoShadedBox(LOCK_X - LOCK_SIDE, e.y + 1, LOCK_SIDE, LOCK_SIDE, locked ? 100 : 50);
    SetDrawAttribute(2, 0);
    AddClick(LOCK_X - LOCK_SIDE, e.y + 1, LOCK_SIDE, LOCK_SIDE, entry, ClickLock);
}

void DrawExtraButtons()
{
    const TrainingEntry& extra = TrainingSchedule[TRAINING_EXTRA];
    DrawMenuMessage(LOCK_X - LOCK_SIDE, extra.y, TEXT_EXTRA, MENU_ALIGN_TR);
    for (int32_t button = 0; button < TRAINING_EXTRA_BUTTONS; ++button) {
        const int32_t x = extra.x + EXTRA_BUTTON_PITCH * button;
        const bool set = extra.value == TRAINING_EXTRA_VALUES[button];
        DoShadedBox(x, EXTRA_BUTTONS_Y, EXTRA_BUTTON_PITCH - 2, 18, set ? 100 : 50);
        DrawMenuNumber(x + EXTRA_BUTTON_PITCH / 2 - 1, EXTRA_BUTTONS_Y + 2,
                       TRAINING_EXTRA_VALUES[button], MENU_ALIGN_TC);
        AddClick(x, EXTRA_BUTTONS_Y, EXTRA_BUTTON_PITCH - 2, 18, button, ClickExtra);
    }
}

void DrawGrid(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(2);
    DrawMenuMessage(320, 36, TEXT_TITLE, MENU_ALIGN_CENTRE);
    SetMenuFont(0);
    SetDrawAttribute(2, 0);  // the bars' empty part in black
    for (int32_t entry = 0; entry < TRAINING_ENTRIES; ++entry) {
        if (IsVertical(entry)) {
            DrawVerticalBar(entry);
            continue;
        }
        DrawHorizontalBar(entry);
        if (HasLock(entry)) DrawLock(entry);
    }
    DrawExtraButtons();
    Training_StoreSchedule();
}

int32_t Leave(int16_t option)
{
    MenuOption = option;
    return EXM_CODE_LEAVE;
}

int32_t ToStaffChoice(MenuHotspot*) { return Leave(OPTION_STAFF_CHOICE); }
int32_t ToEvolution(MenuHotspot*) { return Leave(OPTION_PLAYER_EVOLUTION); }
int32_t ToIndividual(MenuHotspot*) { return Leave(OPTION_INDIVIDUAL_GRID); }
int32_t Back(MenuHotspot*) { return Leave(OPTION_DEBUG_SCREEN); }

}  // namespace

void TrainingGrid_Init()
{
    if (EXM_GetRebuildFlag() == 0) return;
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (TrainingFirstTime) {
        DebugPrintf(DBG_GENERAL, 0, "Firsttime ever\n");
        Training_SetDefaults();
    }
    Training_LoadSchedule();
}

int32_t TrainingGrid_Target(int32_t entry, int32_t x, int32_t y)
{
    const TrainingEntry& e = TrainingSchedule[entry];
    if (IsVertical(entry)) return (e.y + TRAINING_GRID_VBAR - y) * 100 / TRAINING_GRID_VBAR;
    return (x - e.x) * 100 / TRAINING_GRID_BAR;
}

const MenuItem* TrainingGrid_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(TrainingGrid_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawGrid), nullptr},
        // The buttons stand right of the last vertical slider, which reaches down beside them.
        {0x200c, 100, 420, 145, 30, MenuTextNo(TEXT_INDIVIDUAL), ToIndividual},
        {0x200c, 250, 420, 145, 30, MenuTextNo(TEXT_STAFF_CHOICE), ToStaffChoice},
        {0x200c, 400, 420, 145, 30, MenuTextNo(TEXT_EVOLUTION), ToEvolution},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Back},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
