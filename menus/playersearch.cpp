// menus/playersearch.cpp: the player search and squad analysis screen.
#include "menus/playersearch.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "engine/fatal.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"
#include "menus/textinput.h"

PlayerSearchScreenState PlayerSearchScreen;

namespace {

constexpr const char* kSource = "menus\\playersearch";

// Texts.
constexpr int16_t TEXT_SEARCH_TITLE = 252;
constexpr int16_t TEXT_ANALYSIS_TITLE = 497;
constexpr int16_t TEXT_MINIMUMS = 858;
constexpr int16_t TEXT_WEIGHTS = 859;
constexpr int16_t TEXT_WAGE_LIMIT = 733;
constexpr int16_t TEXT_BUDGET = 259;
constexpr int16_t TEXT_NO_CLUB = 789;
constexpr int16_t TEXT_AGE = 61;
constexpr int16_t TEXT_VALUE = 60;
constexpr int16_t TEXT_WAGE = 240;
constexpr int16_t TEXT_CONTRACT = 63;
constexpr int16_t TEXT_EXPERIENCE = 1509;
constexpr int16_t TEXT_APPS = 1067;
constexpr int16_t TEXT_AVERAGE = 67;
constexpr int16_t TEXT_GOALS = 64;
constexpr int16_t TEXT_LAST_RATING = 1870;
constexpr int16_t TEXT_SIDE = 586;
constexpr int16_t TEXT_CLUB = 173;
constexpr int16_t TEXT_DIVISION = 174;
constexpr int16_t TEXT_SORT = 535;
constexpr int16_t TEXT_CRITERIA = 2280;
constexpr int16_t TEXT_DISPLAY = 898;
constexpr int16_t TEXT_TYPE = 2286;
constexpr int16_t TEXT_SAVE_SEARCH = 2289;
constexpr int16_t TEXT_SAVE_ANALYSIS = 2290;
constexpr int16_t TEXT_RESET = 401;
constexpr int16_t TEXT_GRAPH = 2293;
constexpr int16_t TEXT_NUMBERS = 2294;
constexpr int16_t TEXT_MAXIMUM = 2295;
constexpr int16_t TEXT_SQUAD = 29;
constexpr int16_t TEXT_SAVE_LINE = 89;
constexpr int16_t TEXT_LOAD_LINE = 2850;  // "Charger"
constexpr int16_t TEXT_ROLE = 1815;
constexpr int16_t TEXT_SIDE_FIRST = 35;  // 36 "G", 37 "D"; a two-footed player shows 95 "GD"
constexpr int16_t TEXT_BOTH_SIDES = 95;

// Icons.
constexpr int32_t ICON_BAR_BACK = 2;
constexpr int32_t ICON_BAR_CLEAR = 1425;
constexpr int32_t ICON_BAR_FULL = 1426;
constexpr int32_t ICON_LINE_FIRST = 89;
constexpr int32_t ICON_SHORTLIST = 1363;
constexpr int32_t ICON_OWN_SQUAD = 1364;
constexpr int32_t ICON_CAPTAIN = 1226;
constexpr int32_t ICON_CORNER = 1227;
constexpr int32_t ICON_FREE_KICK = 1228;
constexpr int32_t ICON_PENALTY = 1229;
constexpr int32_t ICON_MARKED = 1206;
constexpr int32_t ICON_UNMARKED = 1236;
constexpr int32_t ICON_SHIRT = 10;

// Colours.
constexpr uint16_t COLOUR_BAR = 0x3646;
constexpr uint16_t COLOUR_BAR_OUTLINE = 0xCE59;
constexpr int32_t FONT_NORMAL = 0;
constexpr int32_t FONT_SELECTED = 8;

// The list.
constexpr int32_t ROWS_TOP = 96;
constexpr int32_t ROW_PITCH = 18;
constexpr int32_t ROW_X = 18;
constexpr int32_t ROW_W = 478;
constexpr int32_t MARKER_X = 20;
constexpr int32_t NAME_X = 36;
constexpr int32_t NAME_W = 100;
constexpr int32_t LINE_ICON_X = 138;
constexpr int32_t FOOT_X = 162;
constexpr int32_t HEADS_Y = 72;
constexpr int32_t HEADS_H = 20;
constexpr int32_t INFO_X[2] = {264, 320};
constexpr int32_t SIDE_X = 362;
constexpr int32_t CLUB_X = 380;
constexpr int32_t CLUB_W = 76;
constexpr int32_t DIVISION_X = 460;
constexpr int32_t ANALYSIS_INFO_X = 204;
constexpr int32_t CRITERIA_X = 232;
constexpr int16_t CRITERIA_RIGHT = 496;  // the criteria's scroll marks either side of their heads
constexpr int16_t SCROLL_MARK_W = 12;
constexpr int32_t SEARCH_CRITERIA_COLUMNS = 5;
constexpr int32_t SEARCH_COLUMN_W = 52;  // five columns in the header box of 262
constexpr int32_t CRITERIA_BOX_W = 262;
constexpr int32_t ANALYSIS_CRITERIA_COLUMNS = 4;
constexpr int32_t MATCH_TEAM_CRITERIA_COLUMNS = 2;
constexpr int32_t ANALYSIS_COLUMN_W = 64;
constexpr int32_t ROLE_ICONS_X = 424;
constexpr int32_t MATCH_TEAM_ROWS = 11;

// The formation diagram and the substitutes.
constexpr int32_t GRID_X = 202;
constexpr int32_t GRID_Y = 298;
constexpr int32_t GRID_W = 288;
constexpr int32_t GRID_H = 135;
constexpr int32_t SUBS_X = 32;
constexpr int32_t SUBS_Y = 300;
constexpr int32_t SUBS_PITCH = 18;

// The money and age boxes.
constexpr int32_t MONEY_X = 476;
constexpr int32_t MONEY_Y = 396;
constexpr int32_t MONEY_CAPTION_Y = MONEY_Y + 7;
constexpr int32_t MONEY_FIGURE_Y = MONEY_Y + 18;
constexpr int32_t DIGITS_Y = MONEY_Y + 22;  // the digits' hotspots, 16 high
constexpr int32_t DIGITS_H = 16;
constexpr int32_t DIGIT_X = 484;
constexpr int32_t DIGIT_PITCH = 14;
constexpr int32_t AGE_X = 32;
constexpr int32_t AGE_Y = 396;

constexpr uint32_t RIGHT_BUTTON = 2;
constexpr int32_t SHIRT_ONE = 1;
constexpr int32_t MONEY_ROUNDING = 1000;
constexpr int32_t PRESET_FIELD_Y = 220;
constexpr int32_t PRESET_FIELD_W = 300;

// Comparator slots of the sort choices.
constexpr uint16_t KEY_SCORE = 1;

// Where each info column's getter lives, with its short header.
struct InfoColumn {
    int16_t text;
    int16_t header;
    int32_t (*value)(int32_t player);
};
constexpr InfoColumn kInfoColumns[] = {
    {TEXT_AGE, TEXT_AGE, VTW_GetPlayerAge},
    {TEXT_VALUE, TEXT_VALUE, VTW_GetPlayerValue},
    {TEXT_WAGE, TEXT_WAGE, VTW_GetPlayerWage},
    {TEXT_CONTRACT, TEXT_CONTRACT, VTW_GetPlayerContract},
    {TEXT_EXPERIENCE, TEXT_EXPERIENCE, VTW_GetPlayerExperiencePercent},
    {TEXT_APPS, 1876, VTW_GetPlayerApps},
    {TEXT_AVERAGE, 94, VTW_GetPlayerPerf},
    {TEXT_GOALS, 683, VTW_GetPlayerGoals},
    {TEXT_LAST_RATING, 1878, VTW_GetPlayerMatchRating},
};

const InfoColumn& InfoOf(int32_t text)
{
    for (const InfoColumn& c : kInfoColumns) {
        if (c.text == text) return c;
    }
    FatalAbort(kSource, __LINE__, "PlayerSearch(): unknown info column");
}

bool Searching() { return SearchSetup.searchActive != 0; }
int32_t HumanClub() { return SearchList.humanClub; }

int16_t PlayerAt(int32_t row)
{
    if (row < 0 || row >= SEARCH_PAGE_ROWS) return -1;
    const int32_t index = SearchSetup.firstRow + row;
    return index < SearchList.count ? SearchList.players[index] : int16_t{-1};
}

int32_t WeightedCount()
{
    return static_cast<int32_t>(std::count_if(std::begin(SearchWeights), std::end(SearchWeights),
                                              [](int16_t w) { return w > 0; }));
}

int32_t CriteriaColumns()
{
    if (Searching()) return SEARCH_CRITERIA_COLUMNS;
    return SearchSetup.matchTeam != 0 ? MATCH_TEAM_CRITERIA_COLUMNS : ANALYSIS_CRITERIA_COLUMNS;
}
int32_t CriteriaColumnWidth() { return Searching() ? SEARCH_COLUMN_W : ANALYSIS_COLUMN_W; }
int32_t CriteriaLeft()
{
    return CRITERIA_X + (!Searching() && SearchSetup.matchTeam != 0 ? ANALYSIS_COLUMN_W : 0);
}
int32_t LastColumnOffset() { return std::max(0, WeightedCount() - CriteriaColumns()); }

// The bar rows shown as columns: the weighted criteria from the column offset on.
int32_t ShownCriteria(int32_t rows[SEARCH_CRITERIA])
{
    int32_t n = 0, skipped = 0;
    for (int32_t row = 0; row < SEARCH_CRITERIA && n < CriteriaColumns(); ++row) {
        if (SearchWeights[row] <= 0) continue;
        if (skipped++ < SearchSetup.columnOffset) continue;
        rows[n++] = row;
    }
    return n;
}

void MarkDirty() { SearchListDirty = 1; }

// ---------------------------------------------------------------------------------------------
// Entering the screen.

void EnterSearch()
{
    SearchSettings& s = SearchSetup;
    PlayerSearchMode = 0;
    s.searchActive = 1;
    s.displayMode = 1;
    if (s.matchTeam != 0) std::fill(s.lines, s.lines + LINE_COUNT, uint8_t{1});
    s.matchTeam = 0;
    s.graph = s.numbers = 1;
    s.infoColumns[0] = TEXT_WAGE;
    s.infoColumns[1] = TEXT_VALUE;
    s.ownClub = 0;
    for (int32_t d = 0; d < DIVISION_MAX; ++d) {
        s.divisions[d] = d < VTW_GetCountryDivisions() ? 1 : 0;
    }
    PlayerSearchScreen.title = TEXT_SEARCH_TITLE;
}

void EnterAnalysis()
{
    SearchSettings& s = SearchSetup;
    if (s.searchActive != 0) EnterSearch();  // a search's own settings back to a search's start
    PlayerSearchMode = 1;
    s.searchActive = 0;
    s.displayMode = 2;
    if (s.infoColumns[0] == TEXT_VALUE || s.infoColumns[0] == TEXT_WAGE)
        s.infoColumns[0] = TEXT_AGE;
    s.markMode = s.markedOnly = 0;
    s.ownClub = 1;
    s.sameLine = 0;
    PlayerSearchScreen.title = TEXT_ANALYSIS_TITLE;
}

// A loaded game names the presets afresh and the last one loaded comes back.
void RefreshPresets()
{
    if (!PlayerSearch_TakeCareerStart()) return;
    PlayerSearch_NameUnusedPresets();
    if (SearchLastPreset >= 0) PlayerSearch_LoadPreset(SearchLastPreset);
}

void Enter()
{
    SearchList.humanClub = VTW_GetClubOfManager(MANAGER_HUMAN);
    ShortList2_Clear();
    if (HumanClub() >= 0) VTW_RefreshSquadCount(HumanClub());
    SearchSetup.selected = -1;
    RefreshPresets();
    MarkDirty();
    if (MenuOption == OPTION_SQUAD_ANALYSIS) {
        EnterAnalysis();
    } else {
        EnterSearch();
    }
    for (int32_t d = 0; d < DIVISION_MAX; ++d) {
        PlayerSearchScreen.divisionTexts[d] = static_cast<int16_t>(
            d < VTW_GetCountryDivisions() ? VTW_GetDivisionNameTextNo(d) : TEXT_DIVISION);
    }
}

void TakeMoneyFigures()
{
    const bool value = SearchSetup.editsValue != 0;
    PlayerSearchScreen.moneyCaption = value ? TEXT_BUDGET : TEXT_WAGE_LIMIT;
    const int32_t club = HumanClub();
    PlayerSearchScreen.moneyShown = club < 0 ? 0
                                    : value  ? VTW_GetClubTransferBudget(club)
                                             : VTW_GetClubMaxWageOffer(club);
}

// ---------------------------------------------------------------------------------------------
// Shirts and roles.

bool Swappable(int32_t player)
{
    const int32_t club = VTW_GetPlayerClub(player);
    return club == HumanClub() && VTW_GetClubController(club) == MANAGER_HUMAN
           && VTW_GetPlayerOnLoan(player) == 0;
}

int32_t RoleHolder(int32_t role)
{
    const ClubRecord* record = Club_GetRecordAddress(HumanClub());
    if (record == nullptr) return -1;
    switch (role) {
        case ROLE_PENALTY: return record->penaltyTaker;
        case ROLE_FREE_KICK: return record->freeKickTaker;
        case ROLE_CORNER: return record->cornerTaker;
        default: return record->captain;
    }
}

void SetTaker(int32_t role, int32_t player)
{
    switch (role) {
        case ROLE_PENALTY: VTW_SetClubPenaltyTaker(HumanClub(), player); break;
        case ROLE_FREE_KICK: VTW_SetClubFreeKickTaker(HumanClub(), player); break;
        default: VTW_SetClubCornerTaker(HumanClub(), player); break;
    }
}

int32_t SelectOrSwap(int32_t player)
{
    if (player < 0 || !Swappable(player)) return 1;
    int16_t& selected = SearchSetup.selected;
    if (selected < 0) {
        selected = static_cast<int16_t>(player);
        return EXM_CODE_REDRAW;
    }
    if (selected != player) Squad_ExchangeShirts(HumanClub(), selected, player);
    selected = -1;
    VTW_RefreshSquadCount(HumanClub());
    MarkDirty();
    return EXM_CODE_REDRAW;
}

int32_t OpenCard(int32_t player)
{
    if (player < 0) return 1;
    CurrentPlayer = static_cast<int16_t>(player);
    CardReturnOption =
        static_cast<uint16_t>(Searching() ? OPTION_PLAYER_SEARCH : OPTION_SQUAD_ANALYSIS);
    MenuOption = MENU_OPTION_PLAYER_CARD;
    return EXM_CODE_LEAVE;
}

// ---------------------------------------------------------------------------------------------
// Drawing.

void DrawHeaderBox(int32_t x, int32_t w)
{
    SetDrawAttribute(2, 0);
    DoShadedBox(x, HEADS_Y, w, HEADS_H, 50);
    DrawBoxOutline(x, HEADS_Y, w, HEADS_H);
}

void DrawCriterionCell(int32_t x, int32_t middle, int32_t value)
{
    SetDrawAttribute(2, 0);
    DoShadedBox(x + 1, middle - 5, CriteriaColumnWidth() - 2, 10, 25);
    if (SearchSetup.graph != 0) {
        const uint16_t colour = value < 25   ? 0xC986
                                : value < 50 ? 0x9986
                                : value < 70 ? 0x9CC6
                                : value < 90 ? 0x33E6
                                             : 0x3586;
        SetDrawAttribute(2, colour);
        DoShadedBox(x, middle - 4, value * (CriteriaColumnWidth() - 4) / 100, 8, 50);
    }
    if (SearchSetup.numbers != 0) DrawMenuNumber(x + 31, middle, value, MENU_ALIGN_CENTRE);
}

void DrawCriteriaHeads()
{
    int32_t rows[SEARCH_CRITERIA];
    const int32_t n = ShownCriteria(rows);
    for (int32_t k = 0; k < n; ++k) {
        DrawMenuMessage(CriteriaLeft() + k * CriteriaColumnWidth() + CriteriaColumnWidth() / 2,
                        HEADS_Y + HEADS_H / 2, SearchCriterionText[rows[k]], MENU_ALIGN_CENTRE);
    }
}

void DrawHeads()
{
    SetMenuFont(0);
    SetDrawAttribute(1, FONT_NORMAL);
    const int32_t middle = HEADS_Y + HEADS_H / 2;
    if (Searching()) {
        DrawHeaderBox(32, 136);
        DrawHeaderBox(CRITERIA_X, CRITERIA_BOX_W);
        if (PlayerSearchScreen.pages > 0) {
            char page[16];
            std::snprintf(page, sizeof page, "%d/%d", PlayerSearchScreen.page,
                          PlayerSearchScreen.pages);
            DrawMenuString(100, middle, page, MENU_ALIGN_CENTRE);
        }
    } else {
        // Round the criteria's heads, as wide as their columns.
        DrawHeaderBox(CriteriaLeft(), CriteriaColumns() * CriteriaColumnWidth() + 2);
    }
    if (SearchSetup.displayMode == 1) {
        for (int32_t k = 0; k < 2; ++k) {
            DrawMenuMessage(INFO_X[k], middle, InfoOf(SearchSetup.infoColumns[k]).header,
                            MENU_ALIGN_CENTRE);
        }
        DrawMenuMessage(SIDE_X, middle, TEXT_SIDE, MENU_ALIGN_CENTRE);
        DrawMenuMessage(CLUB_X, middle, TEXT_CLUB, MENU_ALIGN_ML);
        DrawMenuMessage(DIVISION_X, middle, TEXT_DIVISION, MENU_ALIGN_ML);
        return;
    }
    if (!Searching())
        DrawMenuMessage(ANALYSIS_INFO_X, middle, InfoOf(SearchSetup.infoColumns[0]).header,
                        MENU_ALIGN_CENTRE);
    DrawCriteriaHeads();
}

void DrawFoot(int32_t x, int32_t middle, int32_t player)
{
    const int32_t side = VTW_GetPlayerSide(player);
    if (side == 1 || side == 2) DrawMenuMessage(x, middle, TEXT_SIDE_FIRST + side, MENU_ALIGN_ML);
    if (side == 3) DrawMenuMessage(x, middle, TEXT_BOTH_SIDES, MENU_ALIGN_ML);
}

void DrawInfoValue(int32_t x, int32_t middle, int32_t text, int32_t player)
{
    const int32_t value = InfoOf(text).value(player);
    if (text == TEXT_LAST_RATING && value == 0) return;
    if (text == TEXT_VALUE || text == TEXT_WAGE) {
        DrawMenuString(x, middle, Price2str(value), MENU_ALIGN_CENTRE);
    } else {
        DrawMenuNumber(x, middle, value, MENU_ALIGN_CENTRE);
    }
}

void DrawClub(int32_t middle, int32_t player)
{
    const int32_t club = VTW_GetPlayerClub(player);
    if (club == CLUB_NONE) {
        DrawMenuString(CLUB_X, middle, FitMenuText(GetMessageText(TEXT_NO_CLUB), CLUB_W),
                       MENU_ALIGN_ML);
        return;
    }
    const int32_t team = club == CLUB_ORIGIN    ? VTW_GetPlayerOriginWord(player)
                         : club < CLUB_ID_COUNT ? VTW_GetTeam(club)
                                                : -1;
    DrawMenuString(CLUB_X, middle, FitMenuText(VTW_FormatClubName(team), CLUB_W), MENU_ALIGN_ML);
    if (club < CLUB_ID_COUNT && VTW_GetClubCountry(club) == VTW_GetCountry()) {
        const int32_t division = VTW_FindDivisionOfTeam(club);
        if (division >= 0)
            DrawMenuMessage(DIVISION_X, middle, VTW_GetDivisionTextNo(division), MENU_ALIGN_ML);
    }
}

void DrawRoleIcons(int32_t middle, int32_t player)
{
    if (HumanClub() < 0 || VTW_GetPlayerClub(player) != HumanClub()) return;
    const int32_t icons[] = {ICON_CAPTAIN, ICON_PENALTY, ICON_FREE_KICK, ICON_CORNER};
    int32_t x = ROLE_ICONS_X;
    for (const int32_t role : {ROLE_CAPTAIN, ROLE_PENALTY, ROLE_FREE_KICK, ROLE_CORNER}) {
        const bool holds =
            role == ROLE_CAPTAIN ? VTW_GetPlayerCaptain(player) != 0 : RoleHolder(role) == player;
        if (holds) DoIcon(x, middle, icons[role], MENU_ALIGN_ML);
        x += 16;
    }
}

int32_t ClickMarker(MenuHotspot* h)
{
    return PlayerSearch_RowMarker(static_cast<int32_t>(h->value));
}
int32_t ClickName(MenuHotspot* h) { return PlayerSearch_RowName(static_cast<int32_t>(h->value)); }
int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

void DrawPlayerRow(int32_t row, int32_t y, int32_t player)
{
    const int32_t middle = y + ROW_PITCH / 2;
    const SearchSettings& s = SearchSetup;
    if (s.markMode != 0 || s.markedOnly != 0)
        DoIcon(MARKER_X, middle, ShortList2_Contains(player) != 0 ? ICON_MARKED : ICON_UNMARKED,
               MENU_ALIGN_ML);
    SetDrawAttribute(1, player == s.selected ? FONT_SELECTED : FONT_NORMAL);
    DrawMenuString(NAME_X, middle, FitMenuText(VTW_FormatPersonName(player), NAME_W),
                   MENU_ALIGN_ML);
    SetDrawAttribute(1, FONT_NORMAL);
    DoIcon(LINE_ICON_X, middle, ICON_LINE_FIRST + std::min(VTW_GetPositionType(player), 3),
           MENU_ALIGN_ML);
    DrawFoot(FOOT_X, middle, player);
    if (Searching()) {
        if (ShortList_Contains(player) != 0)
            DoIcon(NAME_X + NAME_W, middle, ICON_SHORTLIST, MENU_ALIGN_MR);
        if (VTW_GetPlayerClub(player) == HumanClub())
            DoIcon(NAME_X + NAME_W - 14, middle, ICON_OWN_SQUAD, MENU_ALIGN_MR);
    }
    if (s.displayMode == 1) {
        DrawInfoValue(INFO_X[0], middle, s.infoColumns[0], player);
        DrawInfoValue(INFO_X[1], middle, s.infoColumns[1], player);
        if (const int32_t side = VTW_GetPlayerSide(player); side != 0)
            DrawMenuMessage(SIDE_X, middle, side == 3 ? TEXT_BOTH_SIDES : TEXT_SIDE_FIRST + side,
                            MENU_ALIGN_CENTRE);
        DrawClub(middle, player);
    } else {
        if (!Searching()) DrawInfoValue(ANALYSIS_INFO_X, middle, s.infoColumns[0], player);
        int32_t rows[SEARCH_CRITERIA];
        const int32_t n = ShownCriteria(rows);
        for (int32_t k = 0; k < n; ++k) {
            DrawCriterionCell(CriteriaLeft() + k * CriteriaColumnWidth(), middle,
                              GiveMeValuefor(player, SearchCriterionText[rows[k]]));
        }
        // The set pieces' icons have their column beside the two criteria of the match team.
        if (!Searching() && s.matchTeam != 0) DrawRoleIcons(middle, player);
    }
    EXM_AddHotspot(MARKER_X, y, 14, ROW_PITCH, -1, MENU_ALIGN_TL, -1, row, row, row, ClickMarker, 0,
                   HOTSPOT_PLAIN);
    EXM_AddHotspot(NAME_X, y, NAME_W, ROW_PITCH, -1, MENU_ALIGN_TL, -1, row, row, row, ClickName, 0,
                   HOTSPOT_PLAIN);
    if (!Searching() && s.matchTeam != 0) {
        EXM_AddHotspot(ROLE_ICONS_X, y, 64, ROW_PITCH, -1, MENU_ALIGN_TL, -1, row, row, row,
                       Nothing, 0, HOTSPOT_PLAIN);
        ExmSetLastHotspotPopup(MenuAddress(PlayerSearch_RolePopup()));
    }
}

void DrawRows()
{
    const int32_t rows =
        !Searching() && SearchSetup.matchTeam != 0 ? MATCH_TEAM_ROWS : SEARCH_PAGE_ROWS;
    for (int32_t row = 0; row < rows; ++row) {
        const int32_t y = ROWS_TOP + row * ROW_PITCH;
        MenuCont_ShadedBox(ROW_X, y, ROW_W, ROW_PITCH, row & 1);
        if (const int16_t player = PlayerAt(row); player >= 0) DrawPlayerRow(row, y, player);
    }
}

void DrawBar(int32_t row)
{
    const int32_t y = SEARCH_BAR_Y + row * SEARCH_BAR_PITCH;
    const int32_t value = PlayerSearch_ShownSet()[row];
    DoIcon(SEARCH_BAR_X, y, ICON_BAR_BACK, MENU_ALIGN_TL);
    SetDrawAttribute(2, COLOUR_BAR);
    if (value > 0) DoShadedBox(SEARCH_BAR_X, y, value, SEARCH_BAR_H, 50);
    SetDrawAttribute(2, COLOUR_BAR_OUTLINE);
    DrawBoxOutline(SEARCH_BAR_X, y, SEARCH_BAR_W, SEARCH_BAR_H);
    const int32_t middle = y + SEARCH_BAR_H / 2;
    DrawMenuMessage(SEARCH_BAR_X + 2, middle, SearchCriterionText[row], MENU_ALIGN_ML);
    DrawMenuNumber(SEARCH_BAR_X + SEARCH_BAR_W - 2, middle, value, MENU_ALIGN_MR);
}

int32_t ClickBar(MenuHotspot* h)
{
    return PlayerSearch_SetBar(static_cast<int32_t>(h->value), PlayerSearch_BarValueAt(PointerX()));
}
int32_t ClickClear(MenuHotspot* h)
{
    return PlayerSearch_SetBar(static_cast<int32_t>(h->value), 0);
}
int32_t ClickFull(MenuHotspot* h)
{
    return PlayerSearch_SetBar(static_cast<int32_t>(h->value), 100);
}

void DrawBars()
{
    SetMenuFont(0);
    for (int32_t row = 0; row < SEARCH_CRITERIA; ++row) {
        DrawBar(row);
        const int32_t y = SEARCH_BAR_Y + row * SEARCH_BAR_PITCH;
        EXM_AddHotspot(SEARCH_BAR_X, y, SEARCH_BAR_W, SEARCH_BAR_H, -1, MENU_ALIGN_TL, -1, row, row,
                       row, ClickBar, 0, HOTSPOT_PLAIN);
        // The icons sit either side of the bar, whatever their size.
        int32_t w = 0, h = 0;
        GetIconSize(ICON_BAR_CLEAR, &w, &h);
        DoIcon(SEARCH_BAR_X - 1, y, ICON_BAR_CLEAR, MENU_ALIGN_TR);
        EXM_AddHotspot(SEARCH_BAR_X - 1 - w, y, w, SEARCH_BAR_H, -1, MENU_ALIGN_TL, -1, row, row,
                       row, ClickClear, 0, HOTSPOT_PLAIN);
        GetIconSize(ICON_BAR_FULL, &w, &h);
        DoIcon(SEARCH_BAR_X + SEARCH_BAR_W + 1, y, ICON_BAR_FULL, MENU_ALIGN_TL);
        EXM_AddHotspot(SEARCH_BAR_X + SEARCH_BAR_W + 1, y, w, SEARCH_BAR_H, -1, MENU_ALIGN_TL, -1,
                       row, row, row, ClickFull, 0, HOTSPOT_PLAIN);
    }
}

int32_t ClickDigit(MenuHotspot* h)
{
    const bool up = (EXM_GetClickButtons() & RIGHT_BUTTON) == 0;
    return PlayerSearch_StepDigit(static_cast<int32_t>(h->value), up);
}

int32_t ClickAge(MenuHotspot* h)
{
    // Values 0-3: the first age by 10 and by 1, then the second.
    const bool up = (EXM_GetClickButtons() & RIGHT_BUTTON) == 0;
    const int32_t which = static_cast<int32_t>(h->value) / 2;
    return PlayerSearch_StepAge(which, h->value % 2 == 0 ? 10 : 1, up);
}

void DrawMoneyBox()
{
    SetDrawAttribute(2, 0);
    DoShadedBox(MONEY_X, MONEY_Y, 132, 42, 50);
    DrawBoxOutline(MONEY_X, MONEY_Y, 132, 42);
    // "Budget pour salaires" and a wage limit take more than the box's width even in the
    // smallest font: the figure stands under its caption, above the digits.
    DrawMenuMessage(MONEY_X + 4, MONEY_CAPTION_Y, PlayerSearchScreen.moneyCaption, MENU_ALIGN_ML);
    DrawMenuString(MONEY_X + 128, MONEY_FIGURE_Y, Price2str(PlayerSearchScreen.moneyShown),
                   MENU_ALIGN_MR);
    int32_t maximum = SearchSetup.editsValue != 0 ? SearchSetup.maxValue : SearchSetup.maxWage;
    for (int32_t d = SEARCH_DIGITS - 1; d >= 0; --d) {
        const int32_t x = DIGIT_X + d * DIGIT_PITCH;
        DrawMenuNumber(x + DIGIT_PITCH / 2, DIGITS_Y + DIGITS_H / 2, maximum % 10,
                       MENU_ALIGN_CENTRE);
        maximum /= 10;
        EXM_AddHotspot(x, DIGITS_Y, DIGIT_PITCH, DIGITS_H, -1, MENU_ALIGN_TL, -1, d, d, d,
                       ClickDigit, 0, HOTSPOT_PLAIN);
    }
}

void DrawAgeBox()
{
    SetDrawAttribute(2, 0);
    DoShadedBox(AGE_X, AGE_Y, 246, 42, 50);
    DrawBoxOutline(AGE_X, AGE_Y, 246, 42);
    DrawMenuMessage(AGE_X + 8, AGE_Y + 21, TEXT_AGE, MENU_ALIGN_ML);
    for (int32_t which = 0; which < 2; ++which) {
        const int32_t age = SearchSetup.ages[which];
        const int32_t x = AGE_X + 80 + which * 90;
        DrawMenuNumber(x + 7, AGE_Y + 21, age / 10, MENU_ALIGN_CENTRE);
        DrawMenuNumber(x + 21, AGE_Y + 21, age % 10, MENU_ALIGN_CENTRE);
        for (int32_t k = 0; k < 2; ++k) {
            const int32_t value = which * 2 + k;
            EXM_AddHotspot(x + k * 14, AGE_Y + 12, 14, 18, -1, MENU_ALIGN_TL, -1, value, value,
                           value, ClickAge, 0, HOTSPOT_PLAIN);
        }
    }
}

void DrawArrow(int32_t x, int32_t fromY, int32_t toY)
{
    SetDrawAttribute(2, COLOUR_BAR_OUTLINE);
    DrawVLine(x, fromY, 0, toY - fromY);
    const int32_t head = toY > fromY ? -4 : 4;
    DrawVLine(x, toY, -3, head);
    DrawVLine(x, toY, 3, head);
    DoIcon(x, (fromY + toY) / 2, ICON_SHIRT, MENU_ALIGN_CENTRE);
}

int32_t CellX(int32_t column) { return column * GRID_W / TACTIC_GRID_COLUMNS + GRID_X; }
int32_t CellY(int32_t row) { return row * GRID_H / TACTIC_GRID_ROWS + GRID_Y; }

// Where the slot moves: its two other rows, and the row of the slot its passes go to.
void DrawMovements(const TacticsRecord& tactic, const TacticsSlot& slot, int32_t x, int32_t y)
{
    const int32_t receiver = TacticsSlot_Receiver(slot);
    const int16_t linked =
        receiver >= 0 && receiver < TACTIC_SLOT_COUNT ? tactic.slots[receiver].row : TACTIC_NONE;
    for (const int16_t target : {slot.row2, slot.row3, linked}) {
        if (target >= 0 && target < TACTIC_GRID_ROWS && target != slot.row)
            DrawArrow(x, y, CellY(target) + 4);
    }
}

void DrawFormation()
{
    SetDrawAttribute(2, 0);
    for (int32_t row = 0; row < TACTIC_GRID_ROWS; ++row) {
        for (int32_t col = row % 2; col < TACTIC_GRID_COLUMNS; col += 2) {
            DoShadedBox(CellX(col), CellY(row), 16, 9, 25);
        }
    }
    const TacticsRecord* tactic = GetTactic(SelectedTactic);
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        const TacticsSlot& t = tactic->slots[slot];
        if (t.row < 0 || t.row >= TACTIC_GRID_ROWS || t.column < 0
            || t.column >= TACTIC_GRID_COLUMNS)
            continue;
        const int16_t player = SearchList.grid[t.row][t.column];
        if (player == SEARCH_GRID_EMPTY) continue;
        const int32_t x = CellX(t.column) + 8, y = CellY(t.row) + 4;
        DrawMovements(*tactic, t, x, y);
        DoIcon(x, y, ICON_SHIRT, MENU_ALIGN_CENTRE);
        DrawMenuNumber(x, y, VTW_GetPlayerShirt(player), MENU_ALIGN_CENTRE);
    }
}

int32_t ClickSubMarker(MenuHotspot* h)
{
    return PlayerSearch_SubstituteMarker(static_cast<int32_t>(h->value));
}
int32_t ClickSubName(MenuHotspot* h)
{
    return PlayerSearch_SubstituteName(static_cast<int32_t>(h->value));
}

void DrawSubstitutes()
{
    for (int32_t k = 0; k < SEARCH_SUBSTITUTES; ++k) {
        const int32_t y = SUBS_Y + k * SUBS_PITCH;
        MenuCont_ShadedBox(SUBS_X, y, 160, SUBS_PITCH, k & 1);
        const int16_t player = SearchList.substitutes[k];
        if (player < 0) continue;
        const int32_t middle = y + SUBS_PITCH / 2;
        DrawMenuNumber(SUBS_X + 10, middle, 12 + k, MENU_ALIGN_CENTRE);
        SetDrawAttribute(1, player == SearchSetup.selected ? FONT_SELECTED : FONT_NORMAL);
        DrawMenuString(SUBS_X + 22, middle, FitMenuText(VTW_FormatPersonName(player), 94),
                       MENU_ALIGN_ML);
        SetDrawAttribute(1, FONT_NORMAL);
        DoIcon(SUBS_X + 118, middle, ICON_LINE_FIRST + std::min(VTW_GetPositionType(player), 3),
               MENU_ALIGN_ML);
        DrawFoot(SUBS_X + 140, middle, player);
        EXM_AddHotspot(SUBS_X, y, 20, SUBS_PITCH, -1, MENU_ALIGN_TL, -1, k, k, k, ClickSubMarker, 0,
                       HOTSPOT_PLAIN);
        EXM_AddHotspot(SUBS_X + 22, y, 100, SUBS_PITCH, -1, MENU_ALIGN_TL, -1, k, k, k,
                       ClickSubName, 0, HOTSPOT_PLAIN);
    }
}

void DrawScreen(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    DrawHeads();
    SetMenuFont(0);
    DrawRows();
    DrawBars();
    if (Searching()) {
        DrawMoneyBox();
        DrawAgeBox();
    } else if (SearchSetup.matchTeam != 0) {
        DrawFormation();
        DrawSubstitutes();
    }
    // The criteria scroll by the marks either side of their heads, where their clicks are: the
    // big arrows icon past the last head covered the priority panel.
    if (SearchSetup.displayMode == 2 && WeightedCount() > CriteriaColumns()) {
        SetMenuFont(0);
        DrawMenuString(CRITERIA_X - SCROLL_MARK_W / 2, HEADS_Y + HEADS_H / 2, "<",
                       MENU_ALIGN_CENTRE);
        DrawMenuString(CRITERIA_RIGHT + SCROLL_MARK_W / 2, HEADS_Y + HEADS_H / 2, ">",
                       MENU_ALIGN_CENTRE);
    }
    DoIcon(24, 436, MENU_ICON_ARROWS, MENU_ALIGN_TL);
}

// ---------------------------------------------------------------------------------------------
// Buttons.

int32_t Leave(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}
int32_t ToSquad(MenuHotspot*)
{
    MenuOption = MENU_OPTION_SQUAD;
    return EXM_CODE_LEAVE;
}
int32_t Up(MenuHotspot*) { return PlayerSearch_PageUp(); }
int32_t Down(MenuHotspot*) { return PlayerSearch_PageDown(); }
int32_t Left(MenuHotspot*) { return PlayerSearch_ColumnLeft(); }
int32_t Right(MenuHotspot*) { return PlayerSearch_ColumnRight(); }
int32_t Caption(MenuHotspot*) { return PlayerSearch_SwitchCriteria(); }
int32_t Reset(MenuHotspot*) { return PlayerSearch_ResetShown(); }
int32_t Graph(MenuHotspot*) { return PlayerSearch_ToggleDisplay(true); }
int32_t Numbers(MenuHotspot*) { return PlayerSearch_ToggleDisplay(false); }
int32_t EditWage(MenuHotspot*) { return PlayerSearch_EditMaximum(false); }
int32_t EditValue(MenuHotspot*) { return PlayerSearch_EditMaximum(true); }
int32_t Maximum(MenuHotspot*) { return PlayerSearch_TakeMaximum(); }

// ---------------------------------------------------------------------------------------------
// Drop-downs.

void Tick(MenuListEntry* entry, bool on)
{
    entry->flags = static_cast<uint16_t>((entry->flags & ~LIST_CHECKED) | (on ? LIST_CHECKED : 0));
}

// Ticks every entry of a popup whose `spare[0]` the test accepts.
template <typename Test>
void TickEntries(MenuListEntry* popup, Test on)
{
    for (MenuListEntry* e = popup + 1; e->type != LIST_END; ++e) {
        Tick(e, on(e->spare[0]));
    }
}

int32_t ChosenKeep()
{
    MarkDirty();
    return LIST_CODE_KEEP;
}

int32_t SortEntry(MenuListEntry* entry)
{
    const int16_t key = entry->spare[0];
    if (key < 0) {
        SearchSetup.grouping ^= 1;
        return ChosenKeep();
    }
    const bool again = !Searching() && SearchSetup.sortKey == key;
    SearchSetup.sortKey = again ? PICKLIST_NO_KEY : static_cast<uint16_t>(key);
    return ChosenKeep();
}

void PrepareSort(MenuListRecord* record)
{
    auto* popup = reinterpret_cast<MenuListEntry*>(record->number == 0 ? record->subject : 0);
    if (popup == nullptr)
        popup = Searching() ? PlayerSearch_SortPopup() : PlayerSearch_AnalysisSortPopup();
    TickEntries(popup, [](int16_t key) {
        return key < 0 ? SearchSetup.grouping != 0 : SearchSetup.sortKey == key;
    });
}

// The "Critères" entries in order: the three lists, the three country bits, the divisions.
constexpr int32_t CRITERIA_OWN_CLUB = 0;
constexpr int32_t CRITERIA_SAME_LINE = 1;
constexpr int32_t CRITERIA_SHORTLIST = 2;
constexpr int32_t CRITERIA_COUNTRY_FIRST = 3;
constexpr int32_t CRITERIA_DIVISION_FIRST = 6;
constexpr int32_t CRITERIA_LAST = 11;

uint8_t* CriteriaFlag(int32_t n)
{
    SearchSettings& s = SearchSetup;
    switch (n) {
        case CRITERIA_OWN_CLUB: return &s.ownClub;
        case CRITERIA_SAME_LINE: return &s.sameLine;
        case CRITERIA_SHORTLIST: return &s.shortlist;
        default: return &s.divisions[n - CRITERIA_DIVISION_FIRST];
    }
}

int32_t CriteriaEntry(MenuListEntry* entry)
{
    const int32_t n = entry->spare[0];
    if (n < 0 || n > CRITERIA_LAST)
        FatalAbort(kSource, __LINE__, "CriteriaEntry(): bad entry number");
    SearchSettings& s = SearchSetup;
    if (n >= CRITERIA_COUNTRY_FIRST && n < CRITERIA_DIVISION_FIRST) {
        s.countryMask ^= static_cast<uint8_t>(1 << (n - CRITERIA_COUNTRY_FIRST));
        return ChosenKeep();
    }
    uint8_t* flag = CriteriaFlag(n);
    *flag ^= 1;
    // "Votre équipe" and "Même Poste" exclude each other.
    if (*flag != 0 && n == CRITERIA_OWN_CLUB) s.sameLine = 0;
    if (*flag != 0 && n == CRITERIA_SAME_LINE) s.ownClub = 0;
    return ChosenKeep();
}

void PrepareCriteria(MenuListRecord*)
{
    MenuListEntry* popup = PlayerSearch_CriteriaPopup();
    for (int32_t d = 0; d < DIVISION_MAX; ++d) {
        popup[1 + CRITERIA_DIVISION_FIRST + d].type =
            d < VTW_GetCountryDivisions() ? LIST_ENTRY_TEXT_NO_VAR : 0;
    }
    TickEntries(popup, [](int16_t n) {
        if (n >= CRITERIA_COUNTRY_FIRST && n < CRITERIA_DIVISION_FIRST)
            return (SearchSetup.countryMask & (1 << (n - CRITERIA_COUNTRY_FIRST))) != 0;
        return *CriteriaFlag(n) != 0;
    });
}

int32_t DisplayEntry(MenuListEntry* entry)
{
    SearchSetup.displayMode = static_cast<uint8_t>(entry->spare[0]);
    return LIST_CODE_KEEP;
}

void PrepareDisplay(MenuListRecord*)
{
    TickEntries(PlayerSearch_DisplayPopup(),
                [](int16_t mode) { return SearchSetup.displayMode == mode; });
}

// "Type-Joueur": entries carry their text number; the lines are 564-567, the match-team
// choices 2287-2288.
constexpr int16_t TEXT_LINE_FIRST = 564;
constexpr int16_t TEXT_WHOLE_SQUAD = 2287;
constexpr int16_t TEXT_MATCH_TEAM = 2288;
constexpr int16_t TEXT_WITHOUT_CONTRACT = 1070;

bool IsFoot(int32_t text) { return (text >= FOOT_LEFT && text <= FOOT_EITHER) || text == FOOT_ANY; }
bool IsStatus(int32_t text)
{
    return text == STATUS_TRANSFER_LIST || text == STATUS_LOAN_LIST || text == STATUS_UNSETTLED
           || text == STATUS_CONTRACT_ENDING || text == STATUS_ANY;
}

int32_t TypeEntry(MenuListEntry* entry)
{
    const int32_t text = entry->spare[0];
    SearchSettings& s = SearchSetup;
    if (text >= TEXT_LINE_FIRST && text < TEXT_LINE_FIRST + LINE_COUNT) {
        s.lines[text - TEXT_LINE_FIRST] ^= 1;
    } else if (IsFoot(text)) {
        s.foot = static_cast<int16_t>(s.foot == text ? FOOT_ANY : text);
    } else if (IsStatus(text)) {
        s.status = static_cast<int16_t>(s.status == text ? STATUS_ANY : text);
    } else if (text == TEXT_WITHOUT_CONTRACT) {
        s.withoutContract ^= 1;
    } else if (text == TEXT_WHOLE_SQUAD || text == TEXT_MATCH_TEAM) {
        const bool match = text == TEXT_MATCH_TEAM;
        std::fill(s.lines, s.lines + LINE_COUNT, static_cast<uint8_t>(match ? 0 : 1));
        s.matchTeam = match ? 1 : 0;
        SearchSetup.firstRow = 0;
    } else {
        FatalAbort(kSource, __LINE__, "TypeEntry(): bad entry number");
    }
    return ChosenKeep();
}

bool TypeTicked(int16_t text)
{
    const SearchSettings& s = SearchSetup;
    if (text >= TEXT_LINE_FIRST && text < TEXT_LINE_FIRST + LINE_COUNT)
        return s.lines[text - TEXT_LINE_FIRST] != 0;
    if (IsFoot(text)) return s.foot == text;
    if (IsStatus(text)) return s.status == text;
    if (text == TEXT_WITHOUT_CONTRACT) return s.withoutContract != 0;
    if (text == TEXT_MATCH_TEAM) return s.matchTeam != 0;
    return text == TEXT_WHOLE_SQUAD && s.matchTeam == 0
           && std::all_of(s.lines, s.lines + LINE_COUNT, [](uint8_t on) { return on != 0; });
}

void PrepareType(MenuListRecord*) { TickEntries(PlayerSearch_TypePopup(), TypeTicked); }
void PrepareAnalysisType(MenuListRecord*)
{
    TickEntries(PlayerSearch_AnalysisTypePopup(), TypeTicked);
}

// "Sauvegarder": the two mark toggles (spare 100, 101), then save slots 0-7, then load slots
// 10-17.
constexpr int16_t PRESET_MARK_MODE = 100;
constexpr int16_t PRESET_MARKED_ONLY = 101;
constexpr int16_t PRESET_LOAD_FIRST = 10;
const char* s_saveLine = "";
const char* s_loadLine = "";

int32_t PresetEntry(MenuListEntry* entry)
{
    const int16_t n = entry->spare[0];
    if (n == PRESET_MARK_MODE || n == PRESET_MARKED_ONLY) {
        uint8_t& flag = n == PRESET_MARK_MODE ? SearchSetup.markMode : SearchSetup.markedOnly;
        flag ^= 1;
        if (n == PRESET_MARKED_ONLY) SearchSetup.firstRow = 0;
        return ChosenKeep();
    }
    if (n >= PRESET_LOAD_FIRST)
        return PlayerSearch_Load(n - PRESET_LOAD_FIRST) == 1 ? LIST_CODE_CLOSE : LIST_CODE_REDRAW;
    PlayerSearch_StartSave(n);
    return LIST_CODE_CLOSE;
}

void PreparePresets(MenuListEntry* popup)
{
    s_saveLine = GetMessageText(TEXT_SAVE_LINE);
    s_loadLine = GetMessageText(TEXT_LOAD_LINE);
    for (MenuListEntry* e = popup + 1; e->type != LIST_END; ++e) {
        const int16_t n = e->spare[0];
        if (n >= PRESET_LOAD_FIRST && n < PRESET_LOAD_FIRST + SEARCH_PRESETS) {
            e->type = SearchPresets[n - PRESET_LOAD_FIRST].used != 0 ? LIST_ENTRY_STRING_VAR : 0;
        }
        Tick(e, (n == PRESET_MARK_MODE && SearchSetup.markMode != 0)
                    || (n == PRESET_MARKED_ONLY && SearchSetup.markedOnly != 0));
    }
}
void PrepareSearchPresets(MenuListRecord*) { PreparePresets(PlayerSearch_PresetPopup()); }
void PrepareAnalysisPresets(MenuListRecord*) { PreparePresets(PlayerSearch_AnalysisPresetPopup()); }

constexpr int16_t kSearchColumns[] = {TEXT_AGE, TEXT_VALUE, TEXT_WAGE, TEXT_CONTRACT,
                                      TEXT_EXPERIENCE};
constexpr int16_t kAnalysisColumns[] = {TEXT_AGE,     TEXT_LAST_RATING, TEXT_APPS,
                                        TEXT_AVERAGE, TEXT_GOALS,       TEXT_EXPERIENCE};
int32_t s_popupColumn;

int32_t ColumnEntry(MenuListEntry* entry)
{
    SearchSetup.infoColumns[s_popupColumn] = entry->spare[0];
    return LIST_CODE_KEEP;
}

void PrepareColumn(MenuListRecord* record)
{
    const auto* hotspot = reinterpret_cast<const MenuHotspot*>(record->subject);
    s_popupColumn = Searching() && hotspot != nullptr && hotspot->x >= INFO_X[1] - 26 ? 1 : 0;
    MenuListEntry* popup = PlayerSearch_ColumnPopup();
    for (MenuListEntry* e = popup + 1; e->type != LIST_END && e->type != 0xFFFF; ++e) {
        const int16_t text = e->spare[0];
        const bool offered =
            Searching() ? std::find(std::begin(kSearchColumns), std::end(kSearchColumns), text)
                              != std::end(kSearchColumns)
                        : std::find(std::begin(kAnalysisColumns), std::end(kAnalysisColumns), text)
                              != std::end(kAnalysisColumns);
        e->type = offered ? LIST_ENTRY_TEXT_NO : 0;
        Tick(e, SearchSetup.infoColumns[s_popupColumn] == text);
    }
}

int32_t RoleEntry(MenuListEntry* entry)
{
    const int32_t code = PlayerSearch_TakeRole(PlayerSearchScreen.roleRow, entry->spare[0]);
    return code == 1 ? LIST_CODE_KEEP : LIST_CODE_REDRAW;
}

void PrepareRole(MenuListRecord* record)
{
    const auto* hotspot = reinterpret_cast<const MenuHotspot*>(record->subject);
    if (hotspot != nullptr) PlayerSearchScreen.roleRow = static_cast<int16_t>(hotspot->value);
}

MenuListEntry Entry(int32_t text, MenuListHandler handler)
{
    return MenuList_Entry(text, handler, static_cast<int16_t>(text));
}
MenuListEntry Numbered(int32_t text, MenuListHandler handler, int32_t n)
{
    return MenuList_Entry(text, handler, static_cast<int16_t>(n));
}

// Both "Sauvegarder" popups end with the eight save slots and the eight load slots, each group
// under its line.
template <size_t N>
std::array<MenuListEntry, N> PresetPopup(std::initializer_list<MenuListEntry> head)
{
    std::array<MenuListEntry, N> popup{};
    MenuListEntry* at = std::copy(head.begin(), head.end(), popup.begin());
    for (const auto& [line, first] :
         {std::pair{&s_saveLine, 0}, {&s_loadLine, PRESET_LOAD_FIRST}}) {
        *at++ = {LIST_LINE_STRING_VAR, 0,       {0, 0, 0, 0}, {0, 0},
                 MenuAddress(line),    nullptr, nullptr};
        for (int32_t slot = 0; slot < SEARCH_PRESETS; ++slot) {
            *at++ = MenuList_EntryString(SearchPresets[slot].name, PresetEntry,
                                         static_cast<int16_t>(first + slot));
        }
    }
    *at++ = MenuList_End();
    if (at != popup.end()) FatalAbort(kSource, __LINE__, "PresetPopup(): wrong size");
    return popup;
}

const MenuItem* s_controls = nullptr;
const MenuItem* SearchControls();
const MenuItem* AnalysisControls();
const MenuItem* InfoColumnControls();

}  // namespace

// ---------------------------------------------------------------------------------------------

void PlayerSearchScreenInit()
{
    PlayerSearchScreen = {};
    PlayerSearchScreen.title = TEXT_SEARCH_TITLE;
    PlayerSearchScreen.criteriaCaption = TEXT_MINIMUMS;
    PlayerSearchScreen.savingSlot = -1;
    s_popupColumn = 0;
}

void PlayerSearchScreenUninit() { PlayerSearchScreenInit(); }

void PlayerSearch_Init()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) Enter();
    SearchSettings& s = SearchSetup;
    const int16_t low = std::min(s.ages[0], s.ages[1]);
    s.ages[1] = std::max(s.ages[0], s.ages[1]);
    s.ages[0] = low;
    PlayerSearch_SetSortKeys();
    PlayerSearch_Build();
    PlayerSearchScreen.page = static_cast<int16_t>(s.firstRow / SEARCH_PAGE_ROWS + 1);
    PlayerSearchScreen.pages = static_cast<int16_t>((SearchList.count + 14) / SEARCH_PAGE_ROWS);
    s.columnOffset = static_cast<int16_t>(std::min<int32_t>(s.columnOffset, LastColumnOffset()));
    PlayerSearchScreen.criteriaCaption = PlayerSearchMode == 0 ? TEXT_MINIMUMS : TEXT_WEIGHTS;
    s_controls = Searching() ? SearchControls() : AnalysisControls();
    // The heads of the info columns answer clicks only while the search shows them.
    EXM_SetRowCount(Searching() && s.displayMode == 1 ? 1 : 0);
    TakeMoneyFigures();
}

int16_t* PlayerSearch_ShownSet() { return PlayerSearchMode == 0 ? SearchMinimums : SearchWeights; }

int32_t PlayerSearch_SetBar(int32_t row, int32_t value)
{
    int16_t* shown = PlayerSearch_ShownSet();
    if (shown[row] == value) return 1;
    shown[row] = static_cast<int16_t>(value);
    // A criterion that filters also ranks, unless the human weighted it himself.
    if (PlayerSearchMode == 0 && value != 0 && SearchWeights[row] == 0)
        SearchWeights[row] = static_cast<int16_t>(value);
    MarkDirty();
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_BarValueAt(int32_t pointerX)
{
    return std::clamp((pointerX - SEARCH_BAR_X) * 100 / SEARCH_BAR_W, 0, SEARCH_BAR_W - 1);
}

int32_t PlayerSearch_PageUp()
{
    if (SearchSetup.firstRow == 0) return 1;
    SearchSetup.firstRow = static_cast<int16_t>(SearchSetup.firstRow - SEARCH_PAGE_ROWS);
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_PageDown()
{
    if (SearchSetup.firstRow + SEARCH_PAGE_ROWS >= SearchList.count) return 1;
    SearchSetup.firstRow = static_cast<int16_t>(SearchSetup.firstRow + SEARCH_PAGE_ROWS);
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_ColumnLeft()
{
    if (SearchSetup.columnOffset <= 0) return 1;
    --SearchSetup.columnOffset;
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_ColumnRight()
{
    if (SearchSetup.columnOffset >= LastColumnOffset()) return 1;
    ++SearchSetup.columnOffset;
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_SwitchCriteria()
{
    if (SearchSetup.searchActive == 0) return 1;
    PlayerSearchMode = PlayerSearchMode == 0 ? 1 : 0;
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_ResetShown()
{
    int16_t* shown = PlayerSearch_ShownSet();
    std::fill(shown, shown + SEARCH_CRITERIA, int16_t{0});
    MarkDirty();
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_ToggleDisplay(bool graph)
{
    uint8_t& flag = graph ? SearchSetup.graph : SearchSetup.numbers;
    const uint8_t other = graph ? SearchSetup.numbers : SearchSetup.graph;
    if (flag != 0 && other == 0) return 1;
    flag ^= 1;
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_EditMaximum(bool value)
{
    if ((SearchSetup.editsValue != 0) == value) return 1;
    SearchSetup.editsValue = value ? 1 : 0;
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_TakeMaximum()
{
    const int32_t club = HumanClub();
    if (club < 0) return 1;
    int32_t& maximum = SearchSetup.editsValue != 0 ? SearchSetup.maxValue : SearchSetup.maxWage;
    // The budget can pass what eight digits show, and a club in debt has none to spend.
    const int32_t figure = SearchSetup.editsValue != 0
                               ? VTW_GetClubTransferBudget(club) / MONEY_ROUNDING * MONEY_ROUNDING
                               : VTW_GetClubMaxWageOffer(club);
    const int32_t taken = std::clamp(figure, 0, SEARCH_MONEY_MAX);
    if (taken == maximum) return 1;
    maximum = taken;
    MarkDirty();
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_StepDigit(int32_t digit, bool up)
{
    int32_t& maximum = SearchSetup.editsValue != 0 ? SearchSetup.maxValue : SearchSetup.maxWage;
    int32_t unit = 1;
    for (int32_t k = digit; k < SEARCH_DIGITS - 1; ++k) {
        unit *= 10;
    }
    const int32_t current = maximum / unit % 10;
    if (up) {
        maximum += current == 9 ? -9 * unit : unit;
    } else {
        maximum += current == 0 ? 9 * unit : -unit;
    }
    MarkDirty();
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_StepAge(int32_t which, int32_t step, bool up)
{
    int16_t& age = SearchSetup.ages[which];
    int32_t next = age + (up ? step : -step);
    // A step of ten that overshoots stops at the end it passed; anything further wraps round.
    if (next > SEARCH_AGE_MAX) next = step == 10 && next < 50 ? SEARCH_AGE_MAX : SEARCH_AGE_MIN;
    if (next < SEARCH_AGE_MIN) next = step == 10 && next > 6 ? SEARCH_AGE_MIN : SEARCH_AGE_MAX;
    age = static_cast<int16_t>(next);
    MarkDirty();
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_RowMarker(int32_t row)
{
    const int16_t player = PlayerAt(row);
    if (player < 0) return 1;
    if (SearchSetup.markMode != 0) {
        if (ShortList2_Contains(player) != 0) {
            ShortList2_Remove(player);
        } else {
            ShortList2_Add_Player(player);
        }
        if (SearchSetup.markedOnly != 0) MarkDirty();
        return EXM_CODE_REDRAW;
    }
    return SelectOrSwap(player);
}

int32_t PlayerSearch_RowName(int32_t row) { return OpenCard(PlayerAt(row)); }

int32_t PlayerSearch_SubstituteMarker(int32_t k) { return SelectOrSwap(SearchList.substitutes[k]); }
int32_t PlayerSearch_SubstituteName(int32_t k) { return OpenCard(SearchList.substitutes[k]); }

int32_t PlayerSearch_TakeRole(int32_t row, int32_t role)
{
    const int16_t player = PlayerAt(row);
    if (player < 0 || HumanClub() < 0) return 1;
    if (role == ROLE_CAPTAIN) {
        VTW_ClearSquadCaptains(HumanClub(), 1);
        VTW_SetClubCaptain(player);
        return EXM_CODE_REDRAW;
    }
    if (VTW_GetPlayerShirt(player) == SHIRT_ONE) return 1;
    SetTaker(role, player);
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_StartSave(int32_t slot)
{
    PlayerSearchScreen.savingSlot = static_cast<int16_t>(slot);
    std::snprintf(PlayerSearchScreen.nameField, sizeof PlayerSearchScreen.nameField, "%s",
                  SearchPresets[slot].name);
    static TextInputField field{};
    field = {};
    field.x = static_cast<int16_t>(320 - PRESET_FIELD_W / 2);
    field.y = PRESET_FIELD_Y;
    field.width = PRESET_FIELD_W;
    field.output = PlayerSearchScreen.nameField;
    field.done = PlayerSearch_NameTyped;
    field.maxLength = SEARCH_PRESET_NAME;
    field.initial = SearchPresets[slot].name;
    EXTI_InitTextInput(&field);
    return EXM_CODE_NONE;
}

int32_t PlayerSearch_NameTyped(int32_t code)
{
    const int32_t slot = PlayerSearchScreen.savingSlot;
    PlayerSearchScreen.savingSlot = -1;
    if (code == TEXTINPUT_ENTERED && slot >= 0)
        PlayerSearch_SavePreset(slot, PlayerSearchScreen.nameField);
    return EXM_CODE_REDRAW;
}

int32_t PlayerSearch_Load(int32_t slot)
{
    if (!PlayerSearch_LoadPreset(slot)) return 1;
    SearchSetup.selected = -1;  // a player picked before means nothing to the loaded search
    // The preset's mode is the one it was saved in; the screen's option decides the mode.
    if (MenuOption == OPTION_SQUAD_ANALYSIS) {
        EnterAnalysis();
    } else {
        PlayerSearchMode = 0;
        SearchSetup.searchActive = 1;
        SearchSetup.matchTeam = 0;
        PlayerSearchScreen.title = TEXT_SEARCH_TITLE;
    }
    return EXM_CODE_REDRAW;
}

MenuListEntry* PlayerSearch_SortPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_SORT, PrepareSort),
        Numbered(439, SortEntry, -1),
        Numbered(TEXT_WEIGHTS, SortEntry, KEY_SCORE),
        Numbered(TEXT_SIDE, SortEntry, 5),
        Numbered(1092, SortEntry, 36),
        Numbered(TEXT_VALUE, SortEntry, 3),
        Numbered(TEXT_AGE, SortEntry, 2),
        Numbered(TEXT_WAGE, SortEntry, 27),
        Numbered(TEXT_CONTRACT, SortEntry, 28),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* PlayerSearch_AnalysisSortPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_SORT, PrepareSort),
        Numbered(439, SortEntry, -1),
        Numbered(TEXT_WEIGHTS, SortEntry, KEY_SCORE),
        Numbered(62, SortEntry, 30),
        Numbered(TEXT_AVERAGE, SortEntry, 29),
        Numbered(1092, SortEntry, 36),
        Numbered(TEXT_AGE, SortEntry, 2),
        Numbered(TEXT_GOALS, SortEntry, 31),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* PlayerSearch_CriteriaPopup()
{
    auto division = [](int32_t d) {
        return MenuList_EntryVar(&PlayerSearchScreen.divisionTexts[d], CriteriaEntry,
                                 static_cast<int16_t>(CRITERIA_DIVISION_FIRST + d));
    };
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_CRITERIA, PrepareCriteria),
        Numbered(2281, CriteriaEntry, CRITERIA_OWN_CLUB),
        Numbered(2282, CriteriaEntry, CRITERIA_SAME_LINE),
        Numbered(423, CriteriaEntry, CRITERIA_SHORTLIST),
        Numbered(2283, CriteriaEntry, CRITERIA_COUNTRY_FIRST),
        Numbered(2284, CriteriaEntry, CRITERIA_COUNTRY_FIRST + 1),
        Numbered(857, CriteriaEntry, CRITERIA_COUNTRY_FIRST + 2),
        division(0),
        division(1),
        division(2),
        division(3),
        division(4),
        division(5),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* PlayerSearch_DisplayPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_DISPLAY, PrepareDisplay),
        Numbered(2285, DisplayEntry, 1),
        Numbered(1205, DisplayEntry, 2),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* PlayerSearch_TypePopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_TYPE, PrepareType),
        Entry(564, TypeEntry),
        Entry(565, TypeEntry),
        Entry(566, TypeEntry),
        Entry(567, TypeEntry),
        Entry(FOOT_LEFT, TypeEntry),
        Entry(FOOT_CENTRAL, TypeEntry),
        Entry(FOOT_RIGHT, TypeEntry),
        Entry(FOOT_EITHER, TypeEntry),
        Entry(FOOT_ANY, TypeEntry),
        Entry(STATUS_TRANSFER_LIST, TypeEntry),
        Entry(STATUS_LOAN_LIST, TypeEntry),
        Entry(STATUS_UNSETTLED, TypeEntry),
        Entry(STATUS_CONTRACT_ENDING, TypeEntry),
        Entry(TEXT_WITHOUT_CONTRACT, TypeEntry),
        Entry(STATUS_ANY, TypeEntry),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* PlayerSearch_AnalysisTypePopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_TYPE, PrepareAnalysisType),
        Entry(564, TypeEntry),
        Entry(565, TypeEntry),
        Entry(566, TypeEntry),
        Entry(567, TypeEntry),
        Entry(TEXT_WHOLE_SQUAD, TypeEntry),
        Entry(TEXT_MATCH_TEAM, TypeEntry),
        Entry(FOOT_LEFT, TypeEntry),
        Entry(FOOT_CENTRAL, TypeEntry),
        Entry(FOOT_RIGHT, TypeEntry),
        Entry(FOOT_EITHER, TypeEntry),
        Entry(FOOT_ANY, TypeEntry),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* PlayerSearch_PresetPopup()
{
    static auto popup = PresetPopup<4 + 2 * (1 + SEARCH_PRESETS)>({
        MenuList_Title(TEXT_SAVE_SEARCH, PrepareSearchPresets),
        Numbered(2291, PresetEntry, PRESET_MARK_MODE),
        Numbered(2292, PresetEntry, PRESET_MARKED_ONLY),
    });
    return popup.data();
}

MenuListEntry* PlayerSearch_AnalysisPresetPopup()
{
    static auto popup = PresetPopup<2 + 2 * (1 + SEARCH_PRESETS)>({
        MenuList_Title(TEXT_SAVE_ANALYSIS, PrepareAnalysisPresets),
    });
    return popup.data();
}

MenuListEntry* PlayerSearch_ColumnPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_DISPLAY, PrepareColumn),
        Entry(TEXT_AGE, ColumnEntry),
        Entry(TEXT_VALUE, ColumnEntry),
        Entry(TEXT_WAGE, ColumnEntry),
        Entry(TEXT_CONTRACT, ColumnEntry),
        Entry(TEXT_EXPERIENCE, ColumnEntry),
        Entry(TEXT_LAST_RATING, ColumnEntry),
        Entry(TEXT_APPS, ColumnEntry),
        Entry(TEXT_AVERAGE, ColumnEntry),
        Entry(TEXT_GOALS, ColumnEntry),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* PlayerSearch_RolePopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_ROLE, PrepareRole), Numbered(579, RoleEntry, ROLE_CAPTAIN),
        Numbered(581, RoleEntry, ROLE_PENALTY), Numbered(582, RoleEntry, ROLE_FREE_KICK),
        Numbered(580, RoleEntry, ROLE_CORNER),  MenuList_End(),
    };
    return popup;
}

namespace {

// The controls of each mode, below the list and beside the bars.
const MenuItem* SearchControls()
{
    static const MenuItem table[] = {
        {0x200f, 508, 86, 100, 16, MenuVariable(&PlayerSearchScreen.criteriaCaption), Caption},
        {0x200c, 60, 444, 70, 22, MenuTextNo(TEXT_SORT), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(PlayerSearch_SortPopup()), nullptr},
        {0x200c, 132, 444, 70, 22, MenuTextNo(TEXT_CRITERIA), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(PlayerSearch_CriteriaPopup()), nullptr},
        {0x200c, 204, 444, 70, 22, MenuTextNo(TEXT_DISPLAY), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(PlayerSearch_DisplayPopup()), nullptr},
        {0x200c, 276, 444, 80, 22, MenuTextNo(TEXT_TYPE), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(PlayerSearch_TypePopup()), nullptr},
        {0x200c, 358, 444, 90, 22, MenuTextNo(TEXT_SAVE_SEARCH), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(PlayerSearch_PresetPopup()), nullptr},
        {0x200c, 450, 444, 100, 22, MenuTextNo(TEXT_RESET), Reset},
        {0x200c, 286, 398, 58, 18, MenuTextNo(TEXT_WAGE), EditWage},
        {0x200c, 346, 398, 58, 18, MenuTextNo(TEXT_VALUE), EditValue},
        {0x200c, 406, 398, 64, 18, MenuTextNo(TEXT_MAXIMUM), Maximum},
        {0x200c, 286, 418, 58, 18, MenuTextNo(TEXT_GRAPH), Graph},
        {0x200c, 346, 418, 58, 18, MenuTextNo(TEXT_NUMBERS), Numbers},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

// The heads of the two info columns open their choice in display mode 1.
const MenuItem* InfoColumnControls()
{
    static const MenuItem table[] = {
        {0x1f, INFO_X[0] - 26, HEADS_Y, 52, HEADS_H, MenuNumber(-1), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(PlayerSearch_ColumnPopup()), nullptr},
        {0x1f, INFO_X[1] - 26, HEADS_Y, 52, HEADS_H, MenuNumber(-1), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(PlayerSearch_ColumnPopup()), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

const MenuItem* AnalysisControls()
{
    static const MenuItem table[] = {
        {0x200f, 508, 86, 100, 16, MenuVariable(&PlayerSearchScreen.criteriaCaption), Caption},
        {0x200c, 60, 444, 70, 22, MenuTextNo(TEXT_SORT), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(PlayerSearch_AnalysisSortPopup()), nullptr},
        {0x200c, 132, 444, 80, 22, MenuTextNo(TEXT_TYPE), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(PlayerSearch_AnalysisTypePopup()), nullptr},
        {0x200c, 214, 444, 90, 22, MenuTextNo(TEXT_SAVE_ANALYSIS), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(PlayerSearch_AnalysisPresetPopup()), nullptr},
        {0x200c, 306, 444, 70, 22, MenuTextNo(TEXT_SQUAD), ToSquad},
        {0x200c, 378, 444, 100, 22, MenuTextNo(TEXT_RESET), Reset},
        {0x200c, 508, 398, 50, 18, MenuTextNo(TEXT_GRAPH), Graph},
        {0x200c, 560, 398, 50, 18, MenuTextNo(TEXT_NUMBERS), Numbers},
        {0x1f, ANALYSIS_INFO_X - 26, HEADS_Y, 52, HEADS_H, MenuNumber(-1), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(PlayerSearch_ColumnPopup()), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

}  // namespace

const MenuItem* PlayerSearch_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(PlayerSearch_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x10, 480, 36, MENU_ALIGN_MR, 0, MenuVariable(&PlayerSearchScreen.title), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawScreen), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x22, 0, 0, 1, 0, MenuVariable(&s_controls), nullptr},
        {0x21, 0, 0, 0, 0, MenuAddress(InfoColumnControls()), nullptr},
        {0x1f, 24, 440, 30, 18, MenuNumber(-1), Up},
        {0x1f, 24, 460, 30, 18, MenuNumber(-1), Down},
        {0x1f, CRITERIA_X - SCROLL_MARK_W, HEADS_Y, SCROLL_MARK_W, HEADS_H, MenuNumber(-1), Left},
        {0x1f, CRITERIA_RIGHT, HEADS_Y, SCROLL_MARK_W, HEADS_H, MenuNumber(-1), Right},
        {0x03, 570, 440, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), Leave},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
