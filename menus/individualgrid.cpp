// menus/individualgrid.cpp: the individual-training grid.
#include "menus/individualgrid.h"

#include <algorithm>
#include <cstdint>

#include "game/funcs.h"
#include "game/ids.h"
#include "game/squad.h"
#include "game/trainingschedule.h"
#include "menus/debugscreen.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/individualtraining.h"
#include "menus/machine.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/playerevolution.h"

IndividualGridState IndividualGrid;

namespace {

constexpr int32_t TEXT_TITLE = 600;                           // "Entraînement Individuel"
constexpr int32_t TEXT_EVALUATIONS = 1495;                    // "Evaluations"
constexpr int32_t SCALE_TEXTS[] = {848, 850, 851, 852, 853};  // "20%" to "100%"
constexpr int32_t SCALE_Y = 408;
constexpr int32_t LIST_X = 52;
constexpr int32_t LIST_Y = 108;
constexpr int32_t LIST_PITCH = 18;
constexpr int32_t LIST_W = 230;
constexpr int32_t EVALUATION_X = 340;
constexpr int32_t EVALUATION_Y = 108;
constexpr int32_t EVALUATION_PITCH = 18;
constexpr int32_t BAR_H = 16;
constexpr int32_t VALUE_X = 640 - 16;
constexpr int32_t COLOUR_SELECTED = 8;
constexpr uint16_t FILL_COLOUR = 51200;
constexpr uint16_t LOCK_COLOUR = 0xF800;

struct Squad {
    int16_t players[SQUAD_MAX];
    int32_t count;
};
Squad s_squad;

int32_t ShownPlayer() { return PlayerEvolution_Player(); }

void TakeSquad()
{
    s_squad = {};
    const int32_t club = VTW_GetClubOfManager(MANAGER_HUMAN);
    if (club < 0) return;
    s_squad.count = VTW_RefreshSquadCount(club);
    std::copy_n(SquadList.players, s_squad.count, s_squad.players);
}

int32_t LastFirstRow() { return std::max(0, s_squad.count - INDIVIDUAL_GRID_LIST_ROWS); }

int32_t SliderAt(int32_t y)
{
    const int32_t slider = (y - INDIVIDUAL_GRID_BAR_Y) / INDIVIDUAL_GRID_ROW_H;
    return y >= INDIVIDUAL_GRID_BAR_Y && slider < TRAINING_GRID_ROWS ? slider : -1;
}

int32_t ClickPlayer(MenuHotspot* h)
{
    CurrentPlayer = static_cast<int16_t>(h->value);
    return EXM_CODE_REDRAW;
}

int32_t ClickBar(MenuHotspot*) { return IndividualGrid_ClickBars(PointerX(), PointerY()); }

int32_t ClickLock(MenuHotspot* h)
{
    return TrainingGrid_ToggleLock(ShownPlayer(), static_cast<int32_t>(h->value));
}

void AddClick(int32_t x, int32_t y, int32_t w, int32_t h, std::intptr_t value, ClickFn click)
{
    EXM_AddHotspot(x, y, w, h, -1, MENU_ALIGN_TL, -1, 0, 0, value, click, 0, 0);
}

void DrawList(int32_t shown)
{
    MenuCont_ShadedBox(LIST_X - 8, LIST_Y - 6, LIST_W + 16,
                       INDIVIDUAL_GRID_LIST_ROWS * LIST_PITCH + 12, 0);
    const int32_t last =
        std::min(s_squad.count, IndividualGrid.firstRow + INDIVIDUAL_GRID_LIST_ROWS);
    for (int32_t k = IndividualGrid.firstRow; k < last; ++k) {
        const int32_t player = s_squad.players[k];
        const int32_t y = LIST_Y + LIST_PITCH * (k - IndividualGrid.firstRow);
        SetDrawAttribute(1, player == shown ? COLOUR_SELECTED : 0);
        DrawMenuString(LIST_X, y, VTW_FormatPersonName(player), MENU_ALIGN_TL);
        AddClick(LIST_X, y, LIST_W, LIST_PITCH, player, ClickPlayer);
    }
    SetDrawAttribute(1, 0);
}

void DrawEvaluations(int32_t player)
{
    DrawMenuMessage(EVALUATION_X, EVALUATION_Y - 22, TEXT_EVALUATIONS, MENU_ALIGN_TL);
    Evaluation evaluations[EVALUATIONS_SHOWN];
    const int32_t count = IndividualTraining_Evaluate(player, evaluations);
    for (int32_t k = 0; k < count; ++k) {
        const int32_t y = EVALUATION_Y + EVALUATION_PITCH * k;
        DrawMenuMessage(EVALUATION_X, y, evaluations[k].textNo, MENU_ALIGN_TL);
        DrawMenuNumber(EVALUATION_X + 200, y, evaluations[k].value, MENU_ALIGN_TR);
    }
}

void DrawSliders(const TrainingTableRow& row)
{
    for (int32_t slider = 0; slider < TRAINING_GRID_ROWS; ++slider) {
        const int32_t y = INDIVIDUAL_GRID_BAR_Y + INDIVIDUAL_GRID_ROW_H * slider;
        const bool locked = (row.settings[TRAINING_GRID_LOCKS] >> slider & 1) != 0;
        SetDrawAttribute(2, locked ? LOCK_COLOUR : 0);
        DoShadedBox(INDIVIDUAL_GRID_LOCK_X + 1, y + 1, INDIVIDUAL_GRID_ROW_H - 2,
                    INDIVIDUAL_GRID_ROW_H - 2, locked ? 100 : 50);
        AddClick(INDIVIDUAL_GRID_LOCK_X, y, INDIVIDUAL_GRID_ROW_H, INDIVIDUAL_GRID_ROW_H, slider,
                 ClickLock);
        SetDrawAttribute(2, 0);
        DoShadedBox(INDIVIDUAL_GRID_BAR_X, y + 2, INDIVIDUAL_GRID_BAR_W, BAR_H, 75);
        SetDrawAttribute(2, FILL_COLOUR);
        DoShadedBox(INDIVIDUAL_GRID_BAR_X, y + 2,
                    row.settings[slider] * INDIVIDUAL_GRID_BAR_W / 100, BAR_H, 100);
        SetDrawAttribute(2, 0);
        DrawMenuNumber(VALUE_X, y + 2, row.settings[slider], MENU_ALIGN_TR);
    }
    AddClick(INDIVIDUAL_GRID_BAR_X, INDIVIDUAL_GRID_BAR_Y, INDIVIDUAL_GRID_BAR_W,
             INDIVIDUAL_GRID_ROW_H * TRAINING_GRID_ROWS, 0, ClickBar);
    for (int32_t k = 0; k < static_cast<int32_t>(std::size(SCALE_TEXTS)); ++k) {
        const int32_t x = INDIVIDUAL_GRID_BAR_X + INDIVIDUAL_GRID_BAR_W * (k + 1) / 5;
        DrawMenuMessage(x, SCALE_Y, SCALE_TEXTS[k], MENU_ALIGN_TC);
    }
}

int32_t ScrollUp(MenuHotspot*)
{
    return MenuCont_TurnPage(&IndividualGrid.firstRow, s_squad.count, INDIVIDUAL_GRID_LIST_ROWS,
                             -1);
}

int32_t ScrollDown(MenuHotspot*)
{
    return MenuCont_TurnPage(&IndividualGrid.firstRow, s_squad.count, INDIVIDUAL_GRID_LIST_ROWS, 1);
}

void DrawScroll()
{
    constexpr int32_t y = LIST_Y + INDIVIDUAL_GRID_LIST_ROWS * LIST_PITCH + 12;
    DrawMenuString(LIST_X + 8, y, "-", MENU_ALIGN_TC);
    DrawMenuString(LIST_X + 40, y, "+", MENU_ALIGN_TC);
    AddClick(LIST_X, y, 16, 16, 0, ScrollUp);
    AddClick(LIST_X + 32, y, 16, 16, 0, ScrollDown);
}

void DrawGrid(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(2);
    DrawMenuMessage(320, 36, TEXT_TITLE, MENU_ALIGN_CENTRE);
    SetMenuFont(0);
    const int32_t player = ShownPlayer();
    DrawList(player);
    if (s_squad.count > INDIVIDUAL_GRID_LIST_ROWS) DrawScroll();
    const TrainingTableRow* row = TrainingGrid_Row(player);
    if (row == nullptr) return;
    DrawMenuString(EVALUATION_X, 60, VTW_FormatPersonName(player), MENU_ALIGN_TL);
    DrawEvaluations(player);
    DrawSliders(*row);
}

int32_t Back(MenuHotspot*)
{
    MenuOption = OPTION_DEBUG_SCREEN;
    return EXM_CODE_LEAVE;
}

}  // namespace

void IndividualGridInit() { IndividualGrid = {}; }
void IndividualGridUninit() { IndividualGridInit(); }

void IndividualGrid_Init()
{
    if (EXM_GetRebuildFlag() != 0) MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    TakeSquad();
    TrainingGrid_Sync(s_squad.players, s_squad.count);
    IndividualGrid.firstRow =
        static_cast<int16_t>(std::clamp<int32_t>(IndividualGrid.firstRow, 0, LastFirstRow()));
}

int32_t IndividualGrid_ClickBars(int32_t x, int32_t y)
{
    const int32_t slider = SliderAt(y);
    if (slider < 0) return 1;
    const int32_t target = (x - INDIVIDUAL_GRID_BAR_X) * 100 / INDIVIDUAL_GRID_BAR_W;
    return TrainingGrid_MoveToward(ShownPlayer(), slider, target);
}

const MenuItem* IndividualGrid_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(IndividualGrid_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawGrid), nullptr},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Back},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
