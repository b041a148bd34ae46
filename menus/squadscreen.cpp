// menus/squadscreen.cpp: the squad screen and the squad value table.
#include "menus/squadscreen.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "engine/debug.h"
#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/jobcentre.h"
#include "menus/machine.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"

SquadScreenState SquadScreen;
uint16_t SquadValueTable[SQUAD_MAX][3];

namespace {

constexpr int16_t OPTION_STATISTICS = 80;
constexpr int16_t OPTION_ANALYSIS = 21;
constexpr int32_t HOLIDAY_END = 366;
constexpr int32_t TEXT_SQUAD = 453;
constexpr int32_t TEXT_STATISTICS = 167;
constexpr int32_t TEXT_ANALYSIS = 497;
constexpr int32_t TEXT_ROLES = 1815;
constexpr int32_t TEXT_CATEGORY = 439;
constexpr int32_t TEXT_SORT = 535;
constexpr int32_t TEXT_TRANSFER_LISTED = 40;
constexpr int32_t TEXT_ASKED_TRANSFER = 1171;
constexpr int32_t TEXT_LOAN_LISTED = 39;
constexpr int32_t TEXT_SHORT_CONTRACT = 718;
constexpr int32_t SHORT_CONTRACT_MONTHS = 12;
constexpr int32_t LINE_ICON_BASE = 89;  // keeper, defender, midfielder, forward
constexpr int32_t CAPTAIN_ICON = 101;
constexpr int32_t PENALTY_ICON = 1427;
constexpr int32_t CORNER_ICON = 1428;
constexpr int32_t FREE_KICK_ICON = 1429;
constexpr int32_t SHIRT_ONE = 1;
constexpr int32_t ROWS_TOP = 107;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t ROW_X = 32;
constexpr int32_t ROW_W = 576;
constexpr int32_t HALF_X[2] = {40, 328};
// The captain's icon, then the three set-piece icons beside it (a player may hold all four), then
// the name, cut short a space's width before the side column, so that a cut name never reads as
// one word with the foot ("G. WhittingmoreD").
constexpr int32_t CAPTAIN_X = 58;
constexpr int32_t CAPTAIN_W = 24;
constexpr int32_t SET_PIECE_W = 14;
constexpr int32_t ICON_FIELD_W = CAPTAIN_X + CAPTAIN_W + 3 * SET_PIECE_W;
constexpr int32_t NAME_X = ICON_FIELD_W + 4;
constexpr int32_t HALF_W = 260;
// Money, shown short and without its sign, takes up to 40 pixels: the value column ends far
// enough right to clear the side and list texts.
constexpr int32_t SIDE_X = 208;
constexpr int32_t NAME_GAP = 6;
constexpr int32_t NAME_W = SIDE_X - NAME_GAP - NAME_X;
constexpr int32_t LIST_X = 230;
constexpr int32_t VALUE_X = 276;

// Row colours: font colours.
constexpr int32_t COLOUR_NORMAL = 0;
constexpr int32_t COLOUR_UNAVAILABLE = 4;
constexpr int32_t COLOUR_LOANED_IN = 7;
constexpr int32_t COLOUR_SELECTED = 8;
constexpr int32_t COLOUR_LIGHT = 9;

// The value column's statistics: the popup's text, the code, the column heading.
struct DisplayRow {
    int32_t entryText;
    uint16_t code;
    int16_t headerText;
};
constexpr DisplayRow kDisplays[] = {
    {62, SQUAD_CODE_APPS, 62},      {64, SQUAD_CODE_GOALS, 64},
    {239, SQUAD_CODE_CONTRACT, 63}, {59, SQUAD_CODE_WAGE, 240},
    {241, SQUAD_CODE_VALUE, 241},   {243, SQUAD_CODE_PERFORMANCE, 243},
    {244, SQUAD_CODE_MORALE, 244},  {245, SQUAD_CODE_FITNESS, 245},
    {246, SQUAD_CODE_FATIGUE, 246}, {198, SQUAD_CODE_DISCIPLINE, 247},
    {61, SQUAD_CODE_AGE, 61},       {1092, SQUAD_CODE_EXPERIENCE, 1092},
    {956, SQUAD_CODE_ASSISTS, 956}, {1575, SQUAD_CODE_LAST_RATING, 1575},
};
constexpr int32_t DISPLAY_COUNT = static_cast<int32_t>(std::size(kDisplays));
constexpr int32_t STATS_FIRST_DISPLAY = 3;  // title, "Catégorie", "Trier", then the displays

// What the build leaves for the drawing.
struct SquadTexts {
    int16_t clubName;
    int16_t headerText;
};
SquadTexts s_texts;

int32_t HumanClub() { return VTW_GetClubOfManager(MANAGER_HUMAN); }
int32_t ShownClub() { return GameState.currentClub; }

const DisplayRow* FindDisplay(uint16_t code)
{
    for (const DisplayRow& row : kDisplays) {
        if (row.code == code) return &row;
    }
    return nullptr;
}

bool OnHoliday()
{
    const int32_t today = VTW_GetCurrentDay();
    return today >= GameState.holidayStart && today <= HOLIDAY_END;
}

// ---------------------------------------------------------------------------------------------
// The build.

void TakeSquad()
{
    SquadScreen.selection = -1;
    SquadScreen.pendingRoles = 0;
    SquadScreen.sorted = false;
    if (ClubChangedFlag == 1) {
        VTW_BuildOriginSquad(ShownClub());
    } else {
        VTW_RefreshSquadCount(ShownClub());
    }
    std::fill(std::begin(SquadScreen.order), std::end(SquadScreen.order), int16_t{-1});
    std::copy_n(SquadList.players, SquadList.count, SquadScreen.order);
}

void SortOrder()
{
    const uint16_t code = SquadScreen.displayCode;
    if (!SquadScreen.sorted) {
        if (SquadScreen.byCategory) {
            PickList5_Set(SQUAD_CODE_LINE, SQUAD_CODE_SHIRT, PICKLIST_NO_KEY, PICKLIST_NO_KEY,
                          PICKLIST_NO_KEY);
        } else {
            PickList5_Set(SQUAD_CODE_SHIRT, PICKLIST_NO_KEY, PICKLIST_NO_KEY, PICKLIST_NO_KEY,
                          PICKLIST_NO_KEY);
        }
    } else if (SquadScreen.byCategory) {
        PickList5_Set(SQUAD_CODE_LINE, code, 0, PICKLIST_NO_KEY, PICKLIST_NO_KEY);
    } else {
        PickList5_Set(code, 0, PICKLIST_NO_KEY, PICKLIST_NO_KEY, PICKLIST_NO_KEY);
    }
    std::stable_sort(std::begin(SquadScreen.order), std::end(SquadScreen.order), PlayerList_Before);
}

int32_t ColumnValue(int32_t player, uint16_t code)
{
    switch (code) {
        case SQUAD_CODE_APPS: return VTW_GetPlayerApps(player);
        case SQUAD_CODE_GOALS: return VTW_GetPlayerGoals(player);
        case SQUAD_CODE_CONTRACT: return VTW_GetPlayerContract(player);
        case SQUAD_CODE_WAGE: return VTW_GetPlayerWage(player);
        case SQUAD_CODE_VALUE: {
            const int32_t asking = VTW_GetSaleAskingPrice(player);
            return asking >= 0 ? asking : VTW_GetPlayerValue(player);
        }
        case SQUAD_CODE_PERFORMANCE: return VTW_GetPlayerPerf(player);
        case SQUAD_CODE_MORALE: return VTW_GetPlayerMoralePercent(player);
        case SQUAD_CODE_FITNESS: return VTW_GetPlayerFitnessPercent(player);
        case SQUAD_CODE_FATIGUE: return VTW_GetPlayerFatiguePercent(player);
        case SQUAD_CODE_DISCIPLINE: return VTW_GetPlayerDisciplinePoints(player);
        case SQUAD_CODE_AGE: return VTW_GetPlayerAge(player);
        case SQUAD_CODE_EXPERIENCE: return VTW_GetPlayerExperiencePercent(player);
        case SQUAD_CODE_ASSISTS: return VTW_GetPlayerAssists(player);
        case SQUAD_CODE_LAST_RATING: return VTW_GetPlayerMatchRating(player);
        default:
            DebugPrintf(DBG_GENERAL, 1, "M_MN7 - what am I sorting by - Cos I dont know\n");
            return 0;
    }
}

// The value column, filled after the sort so that each place shows its own player's figure.
void DisplaySort()
{
    for (int32_t place = 0; place < SQUAD_MAX; ++place) {
        const int32_t player = SquadScreen.order[place];
        SquadScreen.values[place] = player < 0 ? 0 : ColumnValue(player, SquadScreen.displayCode);
    }
}

// ---------------------------------------------------------------------------------------------
// The rows.

int32_t RowColour(int32_t player)
{
    if (player == SquadScreen.selection) return COLOUR_SELECTED;
    if (player >= FullPlayerCount) return COLOUR_LIGHT;
    const int32_t availability = VTW_GetPlayerAvailability(player);
    if (availability == 4) return COLOUR_UNAVAILABLE;
    if (availability == 7) return COLOUR_LOANED_IN;
    return COLOUR_NORMAL;
}

int32_t ListText(int32_t player)
{
    if (VTW_GetPlayerTxList(player) != 0) return TEXT_TRANSFER_LISTED;
    if (VTW_GetPlayerAskedTransfer(player) != 0) return TEXT_ASKED_TRANSFER;
    if (VTW_GetPlayerLoanList(player) != 0) return TEXT_LOAN_LISTED;
    if (VTW_GetPlayerContract(player) < SHORT_CONTRACT_MONTHS) return TEXT_SHORT_CONTRACT;
    return -1;
}

int32_t SideText(int32_t player)
{
    const int32_t side = VTW_GetPlayerSide(player);
    if (side == 0) return -1;
    if (side > 3) {
        DebugPrintf(DBG_GENERAL, 1, "invalid case in m_mn2.c for VTW_GetSide()\n");
        return -1;
    }
    return 35 + side;  // 36 "G", 37 "D", 38 "G/D"
}

int32_t LineIcon(int32_t player)
{
    const int32_t line = VTW_GetPositionType(player);
    if (line < LINE_COUNT) return LINE_ICON_BASE + line;
    DebugPrintf(DBG_GENERAL, 1, "M_MN7 trying too get invalid player position\n");
    return 0;
}

// The club record's set-piece words; a club without a full record has no takers.
int32_t RoleHolder(int32_t club, int32_t role)
{
    const ClubRecord* record = Club_GetRecordAddress(club);
    if (record == nullptr) return -1;
    switch (role) {
        case SQUAD_ROLE_PENALTY: return record->penaltyTaker;
        case SQUAD_ROLE_FREE_KICK: return record->freeKickTaker;
        default: return record->cornerTaker;
    }
}

bool IsMoney(uint16_t code) { return code == SQUAD_CODE_VALUE || code == SQUAD_CODE_WAGE; }

void DrawRoleIcons(int32_t x0, int32_t middle, int32_t player)
{
    const int32_t club = ShownClub();
    if (VTW_GetPlayerCaptain(player) != 0)
        DoIcon(x0 + CAPTAIN_X, middle, CAPTAIN_ICON, MENU_ALIGN_ML);
    const int32_t setPieces[3][2] = {
        {RoleHolder(club, SQUAD_ROLE_PENALTY) == player, PENALTY_ICON},
        {RoleHolder(club, SQUAD_ROLE_FREE_KICK) == player, FREE_KICK_ICON},
        {RoleHolder(club, SQUAD_ROLE_CORNER) == player, CORNER_ICON},
    };
    for (int32_t i = 0; i < 3; ++i) {
        if (setPieces[i][0] != 0)
            DoIcon(x0 + CAPTAIN_X + CAPTAIN_W + SET_PIECE_W * i, middle, setPieces[i][1],
                   MENU_ALIGN_ML);
    }
}

void DrawPlayer(int32_t half, int32_t row, int32_t player)
{
    const int32_t place = half * SQUAD_SCREEN_ROWS + row;
    const int32_t x0 = HALF_X[half];
    const int32_t middle = ROWS_TOP + row * ROW_PITCH + ROW_PITCH / 2;
    if (const int32_t icon = LineIcon(player); icon != 0) DoIcon(x0, middle, icon, MENU_ALIGN_ML);
    if (const int32_t status = VTW_GetPlayerStatusText(player); status != 0)
        DoIcon(x0 + 18, middle, status, MENU_ALIGN_ML);
    SetMenuFont(0);
    SetDrawAttribute(1, RowColour(player));
    const int32_t shirt = VTW_GetPlayerShirt(player);
    if (shirt != 0 && Squad_IsMember(player, ShownClub()))
        DrawMenuNumber(x0 + 52, middle, shirt, MENU_ALIGN_MR);
    DrawRoleIcons(x0, middle, player);
    DrawMenuString(x0 + NAME_X, middle, FitMenuText(VTW_FormatPersonName(player), NAME_W),
                   MENU_ALIGN_ML);
    if (const int32_t side = SideText(player); side >= 0)
        DrawMenuMessage(x0 + SIDE_X, middle, side, MENU_ALIGN_ML);
    if (const int32_t list = ListText(player); list >= 0)
        DrawMenuMessage(x0 + LIST_X, middle, list, MENU_ALIGN_ML);
    const int32_t value = SquadScreen.values[place];
    DrawMenuString(x0 + VALUE_X, middle,
                   IsMoney(SquadScreen.displayCode) ? Price2strShort(value) : Number2Str(value),
                   MENU_ALIGN_MR);
    SetDrawAttribute(1, COLOUR_NORMAL);
}

int32_t ClickIconField(MenuHotspot* hotspot)
{
    return Squad_ClickPlayer(static_cast<int32_t>(hotspot->value));
}

// While a role waits for its player, the whole row chooses him: the name and the columns after
// it take the choice instead of opening the card or doing nothing.
int32_t ClickName(MenuHotspot* hotspot)
{
    if (SquadScreen.pendingRoles != 0) return ClickIconField(hotspot);
    CurrentPlayer = SquadScreen.order[hotspot->value];
    CardReturnOption = MENU_OPTION_SQUAD;
    MenuOption = MENU_OPTION_PLAYER_CARD;
    return EXM_CODE_LEAVE;
}

int32_t ClickRowRest(MenuHotspot* hotspot)
{
    return SquadScreen.pendingRoles != 0 ? ClickIconField(hotspot) : EXM_CODE_NONE;
}

void DrawRows(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    for (int32_t row = 0; row < SQUAD_SCREEN_ROWS; ++row) {
        const int32_t y = ROWS_TOP + row * ROW_PITCH;
        MenuCont_ShadedBox(ROW_X, y, ROW_W, ROW_PITCH, row & 1);
        for (int32_t half = 0; half < 2; ++half) {
            const int32_t index = half * SQUAD_SCREEN_ROWS + row;
            const int32_t player = SquadScreen.order[index];
            if (player < 0) continue;
            DrawPlayer(half, row, player);
            const int32_t x0 = HALF_X[half];
            EXM_AddHotspot(x0, y, ICON_FIELD_W, ROW_PITCH, -1, MENU_ALIGN_TL, -1, index, index,
                           index, ClickIconField, 0, HOTSPOT_PLAIN);
            constexpr int32_t nameEnd = NAME_X + NAME_W;
            EXM_AddHotspot(x0 + ICON_FIELD_W, y, nameEnd - ICON_FIELD_W, ROW_PITCH, -1,
                           MENU_ALIGN_TL, -1, index, index, index, ClickName, 0, HOTSPOT_PLAIN);
            EXM_AddHotspot(x0 + nameEnd, y, HALF_W - nameEnd, ROW_PITCH, -1, MENU_ALIGN_TL, -1,
                           index, index, index, ClickRowRest, 0, HOTSPOT_PLAIN);
        }
    }
}

void DrawHeading(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_ShadedBox(ROW_X, 70, ROW_W, 28, 0);
    SetMenuFont(0);
    for (const int32_t x0 : HALF_X) {
        DrawMenuMessage(x0 + VALUE_X, 84, s_texts.headerText, MENU_ALIGN_MR);
    }
}

// ---------------------------------------------------------------------------------------------
// The roles.

// Gives the clicked player each pending role; false when none was pending.
bool GivePendingRoles(int32_t club, int32_t player)
{
    uint8_t& pending = SquadScreen.pendingRoles;
    if (pending == 0) return false;
    if ((pending & SQUAD_ROLE_FREE_KICK) != 0) VTW_SetClubFreeKickTaker(club, player);
    if ((pending & SQUAD_ROLE_CORNER) != 0) VTW_SetClubCornerTaker(club, player);
    uint8_t kept = 0;
    if ((pending & SQUAD_ROLE_PENALTY) != 0) {
        // The keeper in shirt 1 is never the penalty taker: the choice waits for another player.
        if (VTW_GetPlayerShirt(player) == SHIRT_ONE) {
            kept = SQUAD_ROLE_PENALTY;
        } else {
            VTW_SetClubPenaltyTaker(club, player);
        }
    }
    if ((pending & SQUAD_ROLE_CAPTAIN) != 0) {
        VTW_ClearSquadCaptains(club, 1);
        VTW_SetClubCaptain(player);
    }
    const bool given = pending != kept;
    pending = kept;
    return given;
}

// ---------------------------------------------------------------------------------------------
// The popups.

int32_t ToStatistics(MenuHotspot*)
{
    MenuOption = OPTION_STATISTICS;
    return EXM_CODE_LEAVE;
}
int32_t ToAnalysis(MenuHotspot*)
{
    MenuOption = OPTION_ANALYSIS;
    return EXM_CODE_LEAVE;
}
int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

int32_t ToggleCategory(MenuListEntry*)
{
    SquadScreen.byCategory = !SquadScreen.byCategory;
    return LIST_CODE_REDRAW;
}

int32_t ToggleSort(MenuListEntry*)
{
    SquadScreen.sorted = !SquadScreen.sorted;
    return LIST_CODE_REDRAW;
}

int32_t ChooseDisplayEntry(MenuListEntry* entry)
{
    const int32_t refusal = Squad_ChooseDisplay(static_cast<uint16_t>(entry->spare[0]));
    if (refusal != 0) DoMessageBox(GetMessageText(refusal), 0);
    return LIST_CODE_REDRAW;
}

int32_t ToggleRole(MenuListEntry* entry)
{
    SquadScreen.pendingRoles ^= static_cast<uint8_t>(entry->spare[0]);
    return LIST_CODE_REDRAW;
}

void Tick(MenuListEntry* entry, bool on)
{
    entry->flags = static_cast<uint16_t>((entry->flags & ~LIST_CHECKED) | (on ? LIST_CHECKED : 0));
}

void PrepareStats(MenuListRecord*)
{
    MenuListEntry* popup = Squad_StatsPopup();
    Tick(&popup[1], SquadScreen.byCategory);
    Tick(&popup[2], SquadScreen.sorted);
    for (int32_t i = 0; i < DISPLAY_COUNT; ++i) {
        Tick(&popup[STATS_FIRST_DISPLAY + i], kDisplays[i].code == SquadScreen.displayCode);
    }
}

void PrepareRoles(MenuListRecord*)
{
    MenuListEntry* popup = Squad_RolesPopup();
    for (int32_t i = 1; i <= 4; ++i) {
        Tick(&popup[i], (SquadScreen.pendingRoles & popup[i].spare[0]) != 0);
    }
}

MenuListEntry DisplayEntry(int32_t i)
{
    return MenuList_Entry(kDisplays[i].entryText, ChooseDisplayEntry,
                          static_cast<int16_t>(kDisplays[i].code));
}

// The club's name left of the title, in the header's room.
void DrawHeaderName(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderName(GetMessageText(s_texts.clubName), TEXT_SQUAD);
}

}  // namespace

void SquadScreenInit()
{
    SquadScreen = {};
    std::fill(std::begin(SquadScreen.order), std::end(SquadScreen.order), int16_t{-1});
    SquadScreen.selection = -1;
    SquadScreen.displayCode = SQUAD_CODE_VALUE;
    s_texts = {};
}

void SquadScreenUninit() { SquadScreenInit(); }

void Init_M_MN7()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) TakeSquad();
    const int32_t club = ShownClub();
    s_texts.clubName = static_cast<int16_t>(VTW_ClubNameTextNo(VTW_GetTeam(club)));
    const DisplayRow* display = FindDisplay(SquadScreen.displayCode);
    s_texts.headerText = display != nullptr ? display->headerText : -1;
    SortOrder();
    DisplaySort();
}

int32_t Squad_ChooseDisplay(uint16_t code)
{
    const bool holidayCode =
        code == SQUAD_CODE_MORALE || code == SQUAD_CODE_FITNESS || code == SQUAD_CODE_FATIGUE;
    if (holidayCode && OnHoliday()) return TEXT_ON_HOLIDAY_NO_DATA;
    SquadScreen.displayCode = code;
    return 0;
}

int32_t Squad_ClickPlayer(int32_t index)
{
    const int32_t club = ShownClub();
    if (index < 0 || index >= SQUAD_MAX) return EXM_CODE_NONE;
    const int32_t player = SquadScreen.order[index];
    if (VTW_GetClubController(club) < MANAGER_HUMAN || player < 0) return EXM_CODE_NONE;
    if (VTW_GetPlayerOnLoan(player) != 0 && VTW_GetPlayerLoanSlot(player) != HumanClub()) {
        DoMessageBox(GetMessageText(TEXT_PLAYER_ON_LOAN), 0);
        return EXM_CODE_NONE;
    }
    if (GivePendingRoles(club, player)) return EXM_CODE_REDRAW;
    if (SquadScreen.selection < 0) {
        SquadScreen.selection = static_cast<int16_t>(player);
        return EXM_CODE_REDRAW;
    }
    Squad_ExchangeShirts(club, SquadScreen.selection, player);
    SquadScreen.selection = -1;
    return EXM_CODE_REDRAW;
}

int32_t Squad_Done(MenuHotspot*)
{
    if (JobCentreViewFlag == 1) {
        JobCentreViewFlag = 0;
        MenuOption = OPTION_JOB_CENTRE;
        return EXM_CODE_LEAVE;
    }
    const int16_t from = FrontEnd_CameFrom();
    const bool back = from == 64 || from == 66 || from == 11;
    MenuOption = back ? from : MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

MenuListEntry* Squad_StatsPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_STATISTICS, PrepareStats),
        MenuList_Entry(TEXT_CATEGORY, ToggleCategory),
        MenuList_Entry(TEXT_SORT, ToggleSort),
        DisplayEntry(0),
        DisplayEntry(1),
        DisplayEntry(2),
        DisplayEntry(3),
        DisplayEntry(4),
        DisplayEntry(5),
        DisplayEntry(6),
        DisplayEntry(7),
        DisplayEntry(8),
        DisplayEntry(9),
        DisplayEntry(10),
        DisplayEntry(11),
        DisplayEntry(12),
        DisplayEntry(13),
        MenuList_End(),
    };
    static_assert(std::size(popup) == STATS_FIRST_DISPLAY + DISPLAY_COUNT + 1);
    return popup;
}

MenuListEntry* Squad_RolesPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_ROLES, PrepareRoles),
        MenuList_Entry(579, ToggleRole, SQUAD_ROLE_CAPTAIN),
        MenuList_Entry(582, ToggleRole, SQUAD_ROLE_FREE_KICK),
        MenuList_Entry(580, ToggleRole, SQUAD_ROLE_CORNER),
        MenuList_Entry(581, ToggleRole, SQUAD_ROLE_PENALTY),
        MenuList_End(),
    };
    return popup;
}

void Squad_PreparePopup(MenuListEntry* popup)
{
    MenuListRecord record{1, 0, 0};
    if (popup[0].prepare != nullptr) popup[0].prepare(&record);
}

void FillSquadTable(int32_t club, int32_t)
{
    VTW_RefreshSquadCount(club);
    for (int32_t place = 0; place < SQUAD_MAX; ++place) {
        const int32_t player = SquadList.players[place];
        if (place >= SquadList.count || player < 0) continue;
        SquadValueTable[place][0] = static_cast<uint16_t>(player);
        SquadValueTable[place][1] = static_cast<uint16_t>(VTW_GetPlayerCareerApps(player));
        SquadValueTable[place][2] = static_cast<uint16_t>(VTW_GetPlayerTraining(player));
    }
}

const MenuItem* Squad_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Init_M_MN7), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 80, 36, 0, 0, MenuCallback(DrawHeaderName), nullptr},
        {0x0f, 480, 36, MENU_ALIGN_MR, 0, MenuTextNo(TEXT_SQUAD), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawHeading), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawRows), nullptr},
        {0x200c, 32, 440, 132, 30, MenuTextNo(TEXT_STATISTICS), ToStatistics},
        {0x200c, 166, 440, 132, 30, MenuTextNo(TEXT_ANALYSIS), ToAnalysis},
        {0x200f, 300, 440, 132, 30, MenuVariable(&s_texts.headerText), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(Squad_StatsPopup()), nullptr},
        {0x200c, 434, 440, 132, 30, MenuTextNo(TEXT_ROLES), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(Squad_RolesPopup()), nullptr},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Squad_Done},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
