// menus/playerroles.cpp: the player-roles screen.
#include "menus/playerroles.h"

#include <algorithm>
#include <array>

#include "game/funcs.h"
#include "game/playerhistory.h"
#include "game/records.h"
#include "game/squad.h"
#include "game/textmess.h"
#include "menus/debugscreen.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/squadscreen.h"

PlayerRolesState PlayerRoles;

namespace {

constexpr int32_t TEXT_TITLE = 2070;             // "Rôles des joueurs"
constexpr int32_t TEXT_FIRST_ROLE_TAG = 2071;    // "CAP", "COR", "PEN", "CF"
constexpr int32_t TEXT_FIRST_SKILL_HEAD = 475;   // the short names of skills 1-9
constexpr int32_t TEXT_FIRST_ROLE_BUTTON = 579;  // "Choisir capitaine" ... "coup franc"
constexpr int32_t SHIRT_ONE = 1;
constexpr int32_t HEADS_Y = 84;
constexpr int32_t ROWS_Y = 108;
constexpr int32_t ROW_PITCH = 18;
constexpr int32_t SHIRT_X = 44;
constexpr int32_t NAME_X = 56;
constexpr int32_t TAGS_X = 236;
constexpr int32_t TAG_W = 30;
constexpr int32_t SKILLS_X = 360;
constexpr int32_t SKILL_W = 30;
constexpr int32_t ROW_W = SKILLS_X + SKILL_W * ROLES_SKILLS - SHIRT_X + 20;
constexpr int32_t COLOUR_SELECTED = 8;
constexpr int32_t COLOUR_SORTED = 12;
constexpr int32_t ROLES_COUNT = 4;

int16_t RoleHolder(const ClubRecord& r, int32_t role)
{
    switch (role) {
        case ROLES_CAPTAIN: return r.captain;
        case ROLES_CORNER: return r.cornerTaker;
        case ROLES_PENALTY: return r.penaltyTaker;
        default: return r.freeKickTaker;
    }
}

// A set-piece taker never wears shirt 1: such a choice is refused.
bool GiveRole(int32_t club, int32_t player, int32_t role)
{
    if (role != ROLES_CAPTAIN && VTW_GetPlayerShirt(player) == SHIRT_ONE) return false;
    switch (role) {
        case ROLES_CAPTAIN:
            VTW_ClearSquadCaptains(club, 1);
            VTW_SetClubCaptain(player);
            break;
        case ROLES_CORNER: VTW_SetClubCornerTaker(club, player); break;
        case ROLES_PENALTY: VTW_SetClubPenaltyTaker(club, player); break;
        default: VTW_SetClubFreeKickTaker(club, player); break;
    }
    return true;
}

bool Borrowed(int32_t player)
{
    return VTW_GetPlayerOnLoan(player) != 0 && VTW_GetPlayerClub(player) != PlayerRoles.club;
}

void TakeList()
{
    PlayerRolesState& s = PlayerRoles;
    s.count = s.club < 0 ? 0 : VTW_RefreshSquadCount(s.club);
    std::copy_n(SquadList.players, s.count, s.list);
    if (s.sortSkill == 0) return;
    std::stable_sort(s.list, s.list + s.count, [&s](int16_t a, int16_t b) {
        return GiveMeValuefor(a, s.sortSkill, -1) > GiveMeValuefor(b, s.sortSkill, -1);
    });
}

int32_t LastFirstRow() { return std::max(0, PlayerRoles.count - ROLES_ROWS); }

int32_t ClickRow(MenuHotspot* h) { return PlayerRoles_ClickPlayer(static_cast<int32_t>(h->value)); }
int32_t ClickHead(MenuHotspot* h) { return PlayerRoles_Sort(static_cast<int32_t>(h->value)); }

void AddClick(int32_t x, int32_t y, int32_t w, int32_t h, std::intptr_t value, ClickFn click)
{
    EXM_AddHotspot(x, y, w, h, -1, MENU_ALIGN_TL, -1, 0, 0, value, click, 0, 0);
}

void DrawHeads()
{
    for (int32_t skill = 1; skill <= ROLES_SKILLS; ++skill) {
        const int32_t x = SKILLS_X + SKILL_W * (skill - 1);
        SetDrawAttribute(1, skill == PlayerRoles.sortSkill ? COLOUR_SORTED : 0);
        DrawMenuMessage(x, HEADS_Y, TEXT_FIRST_SKILL_HEAD + skill - 1, MENU_ALIGN_TR);
        AddClick(x - SKILL_W + 2, HEADS_Y, SKILL_W - 2, ROW_PITCH, skill, ClickHead);
    }
    SetDrawAttribute(1, 0);
}

void DrawRow(const ClubRecord* r, int32_t index, int32_t y)
{
    const int32_t player = PlayerRoles.list[index];
    SetDrawAttribute(1, player == PlayerRoles.selection ? COLOUR_SELECTED : 0);
    const int32_t shirt = VTW_GetPlayerShirt(player);
    if (shirt > 0) DrawMenuNumber(SHIRT_X, y, shirt, MENU_ALIGN_TR);
    DrawMenuString(NAME_X, y, VTW_FormatPersonName(player), MENU_ALIGN_TL);
    for (int32_t role = 0; role < ROLES_COUNT && r != nullptr; ++role) {
        if (RoleHolder(*r, role) == player)
            DrawMenuMessage(TAGS_X + TAG_W * role, y, TEXT_FIRST_ROLE_TAG + role, MENU_ALIGN_TL);
    }
    for (int32_t skill = 1; skill <= ROLES_SKILLS; ++skill)
        DrawMenuNumber(SKILLS_X + SKILL_W * (skill - 1), y, GiveMeValuefor(player, skill, -1),
                       MENU_ALIGN_TR);
    AddClick(SHIRT_X - 20, y, ROW_W, ROW_PITCH, index, ClickRow);
}

int32_t ScrollUp(MenuHotspot*)
{
    return MenuCont_TurnPage(&PlayerRoles.firstRow, PlayerRoles.count, ROLES_ROWS, -1);
}

int32_t ScrollDown(MenuHotspot*)
{
    return MenuCont_TurnPage(&PlayerRoles.firstRow, PlayerRoles.count, ROLES_ROWS, 1);
}

void DrawScroll()
{
    constexpr int32_t y = ROWS_Y + ROLES_ROWS * ROW_PITCH + 4;
    DrawMenuString(SHIRT_X - 12, y, "-", MENU_ALIGN_TC);
    DrawMenuString(SHIRT_X + 20, y, "+", MENU_ALIGN_TC);
    AddClick(SHIRT_X - 20, y, 16, 16, 0, ScrollUp);
    AddClick(SHIRT_X + 12, y, 16, 16, 0, ScrollDown);
}

void DrawRoles(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(2);
    DrawMenuMessage(320, 36, TEXT_TITLE, MENU_ALIGN_CENTRE);
    SetMenuFont(0);
    MenuCont_ShadedBox(SHIRT_X - 24, HEADS_Y - 6, ROW_W + 8, (ROLES_ROWS + 1) * ROW_PITCH + 16, 0);
    DrawHeads();
    const ClubRecord* r = VTW_GetClubRecordPtr(PlayerRoles.club);
    const int32_t last = std::min(PlayerRoles.count, PlayerRoles.firstRow + ROLES_ROWS);
    for (int32_t index = PlayerRoles.firstRow; index < last; ++index)
        DrawRow(r, index, ROWS_Y + ROW_PITCH * (index - PlayerRoles.firstRow));
    SetDrawAttribute(1, 0);
    if (PlayerRoles.count > ROLES_ROWS) DrawScroll();
}

int32_t ChooseCaptain(MenuHotspot*) { return PlayerRoles_ChooseRole(ROLES_CAPTAIN); }
int32_t ChooseCorner(MenuHotspot*) { return PlayerRoles_ChooseRole(ROLES_CORNER); }
int32_t ChoosePenalty(MenuHotspot*) { return PlayerRoles_ChooseRole(ROLES_PENALTY); }
int32_t ChooseFreeKick(MenuHotspot*) { return PlayerRoles_ChooseRole(ROLES_FREE_KICK); }

int32_t Back(MenuHotspot*)
{
    MenuOption = OPTION_DEBUG_SCREEN;
    return EXM_CODE_LEAVE;
}

}  // namespace

void PlayerRolesInit()
{
    PlayerRoles = {};
    PlayerRoles.pendingRole = ROLES_NONE;
    PlayerRoles.selection = -1;
    PlayerRoles.club = -1;
}

void PlayerRolesUninit() { PlayerRolesInit(); }

void PlayerRoles_Build()
{
    if (EXM_GetRebuildFlag() != 0) {
        MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
        PlayerRoles.club = VTW_GetClubOfManager(MANAGER_HUMAN);
        PlayerRoles.pendingRole = ROLES_NONE;
        PlayerRoles.selection = -1;
    }
    TakeList();
    PlayerRoles.firstRow =
        static_cast<int16_t>(std::clamp<int32_t>(PlayerRoles.firstRow, 0, LastFirstRow()));
}

int32_t PlayerRoles_Sort(int32_t skill)
{
    PlayerRoles.sortSkill = static_cast<int8_t>(PlayerRoles.sortSkill == skill ? 0 : skill);
    return EXM_CODE_REDRAW;
}

int32_t PlayerRoles_ChooseRole(int32_t role)
{
    PlayerRoles.pendingRole =
        static_cast<int8_t>(PlayerRoles.pendingRole == role ? ROLES_NONE : role);
    PlayerRoles.selection = -1;
    return EXM_CODE_REDRAW;
}

int32_t PlayerRoles_ClickPlayer(int32_t index)
{
    PlayerRolesState& s = PlayerRoles;
    if (index < 0 || index >= s.count) return 1;
    const int32_t player = s.list[index];
    if (s.pendingRole != ROLES_NONE) {
        if (!GiveRole(s.club, player, s.pendingRole)) return 1;
        s.pendingRole = ROLES_NONE;
        return EXM_CODE_REDRAW;
    }
    if (Borrowed(player)) {
        DoMessageBox(GetMessageText(TEXT_PLAYER_ON_LOAN), 0);
        return EXM_CODE_NONE;
    }
    if (s.selection < 0) {
        s.selection = static_cast<int16_t>(player);
        return EXM_CODE_REDRAW;
    }
    if (s.selection != player) Squad_ExchangeShirts(s.club, s.selection, player);
    s.selection = -1;
    return EXM_CODE_REDRAW;
}

const MenuItem* PlayerRoles_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(PlayerRoles_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawRoles), nullptr},
        {0x200c, 20, 420, 125, 30, MenuTextNo(TEXT_FIRST_ROLE_BUTTON + ROLES_CAPTAIN),
         ChooseCaptain},
        {0x200c, 150, 420, 125, 30, MenuTextNo(TEXT_FIRST_ROLE_BUTTON + ROLES_CORNER),
         ChooseCorner},
        {0x200c, 280, 420, 125, 30, MenuTextNo(TEXT_FIRST_ROLE_BUTTON + ROLES_PENALTY),
         ChoosePenalty},
        {0x200c, 410, 420, 125, 30, MenuTextNo(TEXT_FIRST_ROLE_BUTTON + ROLES_FREE_KICK),
         ChooseFreeKick},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Back},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
