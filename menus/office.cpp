// menus/office.cpp: the manager's office stand-in.
#include "menus/office.h"

#include <cstdio>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/numbers.h"

namespace {

constexpr int32_t FIGURE_BYTES = 80;
constexpr int32_t ALIGN_LEFT_MIDDLE = 9;
constexpr int32_t ALIGN_RIGHT_MIDDLE = 11;
constexpr int32_t ALIGN_RIGHT_TOP = 7;

struct OfficeTexts {
    int16_t clubName;
    char manager[FIGURE_BYTES];
    char place[FIGURE_BYTES];
    char balance[FIGURE_BYTES];
};
OfficeTexts s_office;

void Office_Init()
{
    const int32_t club = GameState.currentClub;
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    s_office.clubName = static_cast<int16_t>(VTW_ClubNameTextNo(VTW_GetTeam(club)));
    std::snprintf(s_office.manager, FIGURE_BYTES, "%s", GameState.managerName);
    std::snprintf(s_office.place, FIGURE_BYTES, "%s %s",
                  GetMessageText(VTW_GetDivisionTextNo(VTW_FindDivisionOfTeam(club))),
                  Ordinal2Str(VTW_GetTeamDivisionSlot(club) + 1));
    std::snprintf(s_office.balance, FIGURE_BYTES, "%s", Price2str(VTW_GetClubBalance(club)));
}

}  // namespace

const MenuItem* Office_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Office_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(OFFICE_BACKGROUND), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x10, 80, 36, ALIGN_LEFT_MIDDLE, 0, MenuVariable(&s_office.clubName), nullptr},
        {0x0f, 480, 36, ALIGN_RIGHT_MIDDLE, 0, MenuTextNo(700), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x0f, 394, 84, MENU_ALIGN_TL, 0, MenuTextNo(30), nullptr},
        {0x0f, 394, 102, MENU_ALIGN_TL, 0, MenuTextNo(136), nullptr},
        {0x0f, 394, 120, MENU_ALIGN_TL, 0, MenuTextNo(259), nullptr},
        {0x11, 598, 84, ALIGN_RIGHT_TOP, 0, MenuString(s_office.manager), nullptr},
        {0x11, 598, 102, ALIGN_RIGHT_TOP, 0, MenuString(s_office.place), nullptr},
        {0x11, 598, 120, ALIGN_RIGHT_TOP, 0, MenuString(s_office.balance), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
