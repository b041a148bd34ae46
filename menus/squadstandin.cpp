// menus/squadstandin.cpp: the squad screen's stand-in.
#include "menus/squadstandin.h"

#include <algorithm>
#include <cstdio>

#include "game/funcs.h"
#include "game/matchday.h"
#include "game/squad.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

namespace {

constexpr int32_t TEXT_SQUAD = 453;
constexpr int32_t OK_ICON = 1206;
constexpr int32_t MARKER_ICON_BASE = 89;  // by line: keeper, defender, midfielder, forward
constexpr int32_t SHEET_X = 120;
constexpr int32_t SHEET_TOP = 84;
constexpr int32_t SHEET_PITCH = 18;
constexpr int32_t BUTTON_X = 220;
constexpr int32_t BUTTON_Y = 420;
constexpr int32_t BUTTON_W = 200;
constexpr int32_t BUTTON_H = 24;
constexpr uint16_t BUTTON_COLOUR = 0x000F;

int32_t HumanClub() { return VTW_GetClubOfManager(MANAGER_HUMAN); }

void StandIn_Init()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    VTW_RefreshSquadCount(HumanClub());
}

void DrawSheetRow(int32_t shirt, int32_t player, int32_t y)
{
    DoIcon(SHEET_X, y, MARKER_ICON_BASE + std::min(VTW_GetPositionType(player), 3), MENU_ALIGN_ML);
    char number[12];
    std::snprintf(number, sizeof number, "%d", shirt);
    DrawMenuString(SHEET_X + 50, y, number, MENU_ALIGN_MR);
    const char* captain = VTW_GetPlayerCaptain(player) != 0 ? " (C)" : "";
    char name[64];
    std::snprintf(name, sizeof name, "%s%s", VTW_FormatPersonName(player), captain);
    DrawMenuString(SHEET_X + 62, y, name, MENU_ALIGN_ML);
}

// The sheet in shirt order; a shirt nobody wears leaves its line empty.
void DrawSheet(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(1);
    SetDrawAttribute(1, 0);
    for (int32_t shirt = 1; shirt <= SQUAD_STANDIN_SHIRTS; ++shirt) {
        const int32_t player = VTW_GetPlayerByShirt(shirt);
        if (player >= 0) DrawSheetRow(shirt, player, SHEET_TOP + (shirt - 1) * SHEET_PITCH + 9);
    }
    SetDrawAttribute(4, 0);
    SetDrawAttribute(2, BUTTON_COLOUR);
    DoButton(BUTTON_X, BUTTON_Y, BUTTON_W, BUTTON_H);
    DrawMenuMessage(BUTTON_X + BUTTON_W / 2, BUTTON_Y + BUTTON_H / 2, TEXT_AUTO_SELECT,
                    MENU_ALIGN_CENTRE);
}

int32_t StandIn_Ok(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

}  // namespace

int32_t SquadStandIn_AutoSelect(MenuHotspot*)
{
    Club_AISelectTeam(HumanClub());
    return EXM_CODE_REDRAW;
}

const MenuItem* SquadStandIn_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(StandIn_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_SQUAD), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawSheet), nullptr},
        {0x1f, BUTTON_X, BUTTON_Y, BUTTON_W, BUTTON_H, MenuNumber(-1), SquadStandIn_AutoSelect},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(OK_ICON), StandIn_Ok},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
