// menus/devscreens.cpp: the developer's club-check screens and the frame they share.
#include "menus/devscreens.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/matchblocks.h"
#include "game/records.h"
#include "game/season.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/transfers.h"
#include "game/world.h"
#include "menus/devsoak.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"
#include "menus/results.h"

int16_t DevSavedOption;
int16_t DevSavedClub;

namespace {

constexpr int16_t OPTION_SQUAD_SCREEN = 7;
constexpr int16_t OPTION_CALENDAR = 8;
constexpr int32_t CLICK_RIGHT = 2;
constexpr int32_t TEXT_THOUSANDS = 438;  // "K"
constexpr int32_t TEXT_CANCEL = 1366;    // "Annuler"
constexpr int32_t TEXT_TEAM = 453;       // "Equipe"
constexpr int32_t SCROLL_ICON = 1319;
constexpr int32_t PANEL_STRENGTH = 50;
constexpr int32_t GREYED_ARROWS_STRENGTH = 70;  // a shade dark enough to read as "nothing to do"
constexpr int32_t ROW_H = 18;
constexpr int32_t GROUPS = DIVISION_MAX + 1;  // the divisions, then every club outside them
constexpr int32_t OUTSIDE_GROUP = DIVISION_MAX;

// Developer texts (29304 + k).
enum DevTextNo : int32_t {
    DEV_MONEY,
    DEV_SQUADS,
    DEV_PICK_TEAM,
    DEV_SOAK,
    DEV_SOAK_OFF,
    DEV_SOAK_ON,
    DEV_DEFICIENT,
    DEV_SET_MAXIMUM,
    DEV_NO_PLAYERS_OF_A_TYPE,
    DEV_OPTIONS,
    DEV_UNCONDITIONAL,
    DEV_CHECK_SQUADS,
    DEV_BALANCE,
    DEV_AV_WAGE,
    DEV_AV_BUDGET,
    DEV_BUDGET,
    DEV_LINE_FIRST,
    DEV_ABSENCE_FIRST = 20,
    DEV_SQUAD_SIZE = 23,
    DEV_AVAILABLE,
    DEV_BOUGHT,
    DEV_SOLD,
    DEV_FEES_PAID,
    DEV_FEES_RECEIVED,
    DEV_WAGE_BILL,
    DEV_INCOME,
    DEV_EXPENDITURE,
    DEV_PROFIT,
    DEV_OTHER_CLUBS = 50,
};

constexpr int32_t ABSENCES = 3;  // suspended, injured, away with the national team

struct MoneyGroup {
    int64_t balance;
    int64_t wage;
    int64_t budget;
    int32_t clubs;
};

struct DevScreensState {
    std::array<MoneyGroup, GROUPS> money;
    int16_t budgetClubs[CLUB_ID_COUNT];
    int16_t budgetCount;
    int16_t budgetFirst;
    uint32_t maxBudget;  // units of money, edited in thousands
    int16_t deficient[CLUB_ID_COUNT];
    int16_t deficientCount;
    int16_t deficientFirst;
    int16_t emptyLines[CLUB_ID_COUNT * LINE_COUNT];  // club x 4 + line
    int16_t emptyLineCount;
    int16_t emptyLineFirst;
    int16_t pickDivision;
    int16_t pickFirst;
    int16_t outsideFirst;
    int16_t pickReturn;  // the tab screen that opened "Pick Team"
};
DevScreensState s_dev;

constexpr uint32_t MAX_BUDGET_START = 1000 * 1000;
constexpr int32_t MAX_BUDGET_DIGITS = 7;
constexpr int32_t BUDGET_ROWS = 8;
constexpr int32_t SQUAD_ROWS = 6;
constexpr int32_t PICK_ROWS = 18;
constexpr int32_t SQUAD_MINIMUM = 16;  // fewer available players: a deficient squad

int32_t ScrollBy(int16_t* first, int32_t step, int32_t count, int32_t rows)
{
    const int32_t last = std::max(count - rows, 0);
    const int32_t next = std::clamp(*first + step, 0, last);
    if (next == *first) return EXM_CODE_NONE;
    *first = static_cast<int16_t>(next);
    return EXM_CODE_REDRAW;
}

bool ClubInUse(int32_t club)
{
    const ClubRef ref = Club_RefForGet(club, "DevScreens");
    return ref.full != nullptr || ref.small != nullptr;
}

const char* ClubName(int32_t club) { return VTW_FormatClubName(VTW_GetTeam(club)); }

// Thousands and more as "12K".
const char* Amount(int64_t value)
{
    static char text[32];
    if (value >= 1000 || value <= -1000) {
        std::snprintf(text, sizeof text, "%lld%s", static_cast<long long>(value / 1000),
                      GetMessageText(TEXT_THOUSANDS));
    } else {
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    }
    return text;
}

void DrawText(int32_t x, int32_t y, const char* text, int32_t alignment = MENU_ALIGN_TL)
{
    DrawMenuString(x, y, text, alignment);
}

void AddClick(int32_t x, int32_t y, int32_t w, int32_t h, std::intptr_t value, ClickFn click)
{
    EXM_AddHotspot(x, y, w, h, -1, MENU_ALIGN_TL, -1, 0, 0, value, click, 0, 0);
}

// What a list's arrows show while all its rows fit.
enum class WhenAllFit { HIDDEN, GREYED };

// One-row scroll arrows beside a list: the scroll icon, while all the rows fit hidden or greyed
// (whose clicks then do nothing).
void DrawArrows(int32_t x, int32_t y, int32_t count, int32_t rows, ClickFn up, ClickFn down,
                WhenAllFit whenAllFit = WhenAllFit::HIDDEN)
{
    const bool allFit = count <= rows;
    if (allFit && whenAllFit == WhenAllFit::HIDDEN) return;
    DoIcon(x, y, SCROLL_ICON, MENU_ALIGN_TL);
    if (allFit) {
        int32_t w = 0, h = 0;
        GetScaledIconSize(SCROLL_ICON, &w, &h);
        DrawDarkPanel(x, y, w, h, GREYED_ARROWS_STRENGTH);
    }
    AddClick(x, y, 30, 15, 0, up);
    AddClick(x, y + 18, 30, 15, 0, down);
}

// ---- The frame.

int32_t ToggleOption(MenuListEntry* entry)
{
    AutoRunTarget.options ^= static_cast<uint16_t>(entry->spare[0]);
    return LIST_CODE_REDRAW;
}

MenuListEntry* OptionsPopup();

void PrepareOptions(MenuListRecord*)
{
    for (MenuListEntry* e = OptionsPopup() + 1; e->type != LIST_END; ++e) {
        const bool on = (AutoRunTarget.options & e->spare[0]) != 0;
        e->flags = static_cast<uint16_t>((e->flags & ~LIST_CHECKED) | (on ? LIST_CHECKED : 0));
    }
}

MenuListEntry* OptionsPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_DEV_BASE + DEV_OPTIONS, PrepareOptions),
        MenuList_Entry(TEXT_DEV_BASE + DEV_UNCONDITIONAL, ToggleOption, AUTORUN_UNCONDITIONAL),
        MenuList_Entry(TEXT_DEV_BASE + DEV_CHECK_SQUADS, ToggleOption, AUTORUN_CHECK_SQUADS),
        MenuList_Entry(TEXT_DEV_BASE + DEV_TEXT_CHECK_BALANCES, ToggleOption,
                       AUTORUN_CHECK_BALANCES),
        MenuList_End(),
    };
    return popup;
}

int16_t s_runStatus;  // the text number of "Soak is Off" or "Soak is On"

void DrawFrame(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    DoButton(20, 442, 20, 20);
    s_runStatus =
        static_cast<int16_t>(TEXT_DEV_BASE + (AutoRunMode != 0 ? DEV_SOAK_ON : DEV_SOAK_OFF));
}

int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }
int32_t ToMoney(MenuHotspot*) { return DevScreens_Tab(OPTION_DEV_MONEY); }
int32_t ToSquads(MenuHotspot*) { return DevScreens_Tab(OPTION_DEV_SQUADS); }
int32_t ToPickTeam(MenuHotspot*) { return DevScreens_Tab(OPTION_DEV_PICK_TEAM); }
int32_t ToSoak(MenuHotspot*) { return DevScreens_Tab(OPTION_DEV_SOAK); }

// ---- "Money".

}  // namespace

void DevMoney_Count()
{
    s_dev.money = {};
    s_dev.budgetCount = 0;
    for (int32_t club = 0; club < DbClubCount && club < CLUB_ID_COUNT; ++club) {
        if (!ClubInUse(club)) continue;
        const int32_t division = VTW_GetClubDivision(club);
        MoneyGroup& g =
            s_dev.money[division >= 0 && division < DIVISION_MAX ? division : OUTSIDE_GROUP];
        g.balance += VTW_GetClubBalance(club);
        g.wage += VTW_GetClubWageTotal(club, nullptr);
        g.budget += VTW_GetClubTransferBudget(club);
        ++g.clubs;
    }
    for (MoneyGroup& g : s_dev.money) {
        if (g.clubs == 0) continue;
        g.wage /= g.clubs;
        g.budget /= g.clubs;
    }
}

namespace {

void ListLowBudgets()
{
    s_dev.budgetCount = 0;
    for (int32_t club = 0; club < DbClubCount && club < CLUB_ID_COUNT; ++club) {
        if (ClubInUse(club)
            && static_cast<uint32_t>(std::max(VTW_GetClubTransferBudget(club), 0))
                   <= s_dev.maxBudget)
            s_dev.budgetClubs[s_dev.budgetCount++] = static_cast<int16_t>(club);
    }
    s_dev.budgetFirst = static_cast<int16_t>(
        std::clamp<int32_t>(s_dev.budgetFirst, 0, std::max(s_dev.budgetCount - BUDGET_ROWS, 0)));
}

uint32_t DigitWeight(int32_t digit)
{
    uint32_t weight = 1000;
    for (int32_t k = digit + 1; k < MAX_BUDGET_DIGITS; ++k)
        weight *= 10;
    return weight;
}

int32_t DigitClick(MenuHotspot* h)
{
    return DevMoney_StepDigit(static_cast<int32_t>(h->value), DevScreens_StepsUp());
}
int32_t BudgetUp(MenuHotspot*)
{
    return ScrollBy(&s_dev.budgetFirst, -1, s_dev.budgetCount, BUDGET_ROWS);
}
int32_t BudgetDown(MenuHotspot*)
{
    return ScrollBy(&s_dev.budgetFirst, 1, s_dev.budgetCount, BUDGET_ROWS);
}

void DrawMoneyTable()
{
    DrawDarkPanel(20, 20, 600, 150, PANEL_STRENGTH);
    DrawText(240, 26, DevText(DEV_BALANCE), MENU_ALIGN_TR);
    DrawText(400, 26, DevText(DEV_AV_WAGE), MENU_ALIGN_TR);
    DrawText(560, 26, DevText(DEV_AV_BUDGET), MENU_ALIGN_TR);
    int32_t y = 46;
    for (int32_t group = 0; group < GROUPS; ++group) {
        const MoneyGroup& g = s_dev.money[group];
        if (group != OUTSIDE_GROUP && g.clubs == 0) continue;
        DrawText(30, y,
                 group == OUTSIDE_GROUP ? DevText(DEV_OTHER_CLUBS)
                                        : GetMessageText(VTW_GetDivisionTextNo(group)));
        DrawText(240, y, Amount(g.balance), MENU_ALIGN_TR);
        DrawText(400, y, Amount(g.wage), MENU_ALIGN_TR);
        DrawText(560, y, Amount(g.budget), MENU_ALIGN_TR);
        y += ROW_H;
    }
}

void DrawBudgetList()
{
    DrawDarkPanel(20, 180, 600, 190, PANEL_STRENGTH);
    DrawText(30, 186, DevText(DEV_SET_MAXIMUM));
    for (int32_t digit = 0; digit < MAX_BUDGET_DIGITS; ++digit) {
        const int32_t x = 250 + 16 * digit;
        char text[2] = {static_cast<char>('0' + s_dev.maxBudget / DigitWeight(digit) % 10), 0};
        DrawText(x, 186, text);
        AddClick(x - 2, 184, 14, ROW_H, digit, DigitClick);
    }
    DrawText(380, 186, GetMessageText(TEXT_THOUSANDS));
    DrawText(400, 186, DevText(DEV_BALANCE));
    DrawText(520, 186, DevText(DEV_BUDGET));
    for (int32_t row = 0; row < BUDGET_ROWS && s_dev.budgetFirst + row < s_dev.budgetCount; ++row) {
        const int32_t club = s_dev.budgetClubs[s_dev.budgetFirst + row];
        const int32_t y = 210 + row * ROW_H;
        DrawText(30, y, ClubName(club));
        DrawText(480, y, Amount(VTW_GetClubBalance(club)), MENU_ALIGN_TR);
        DrawText(600, y, Amount(VTW_GetClubTransferBudget(club)), MENU_ALIGN_TR);
    }
    // Right of the budgets, which end at 600.
    DrawArrows(604, 332, s_dev.budgetCount, BUDGET_ROWS, BudgetUp, BudgetDown);
}

void DrawMoney(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    DrawMoneyTable();
    DrawBudgetList();
}

// ---- "Squads".

// A club's squad as "Squads" shows it: players per line, absences per kind, and the totals.
struct SquadAbsences {
    int32_t lines[LINE_COUNT];
    int32_t absences[ABSENCES];
    int32_t size;
    int32_t available;
};

SquadAbsences CountAbsences(int32_t club)
{
    int32_t counts[16];
    VTW_CountSquadAvailability(club, counts);
    SquadAbsences a{};
    for (int32_t line = 0; line < LINE_COUNT; ++line) {
        a.lines[line] = counts[line * 4];
        a.size += counts[line * 4];
        for (int32_t kind = 1; kind <= ABSENCES; ++kind)
            a.absences[kind - 1] += counts[line * 4 + kind];
    }
    a.available = a.size;
    for (const int32_t absent : a.absences)
        a.available -= absent;
    return a;
}

}  // namespace

void DevSquads_Count()
{
    s_dev.deficientCount = 0;
    s_dev.emptyLineCount = 0;
    for (int32_t club = 0; club < DbClubCount && club < CLUB_ID_COUNT; ++club) {
        if (!ClubInUse(club)) continue;
        const SquadAbsences a = CountAbsences(club);
        for (int32_t line = 0; line < LINE_COUNT; ++line) {
            if (a.lines[line] == 0)
                s_dev.emptyLines[s_dev.emptyLineCount++] = static_cast<int16_t>(club * 4 + line);
        }
        if (a.available < SQUAD_MINIMUM)
            s_dev.deficient[s_dev.deficientCount++] = static_cast<int16_t>(club);
    }
}

namespace {

int32_t DeficientClick(MenuHotspot* h)
{
    return DevSquads_OpenClub(static_cast<int32_t>(h->value));
}
int32_t DeficientUp(MenuHotspot*)
{
    return ScrollBy(&s_dev.deficientFirst, -1, s_dev.deficientCount, SQUAD_ROWS);
}
int32_t DeficientDown(MenuHotspot*)
{
    return ScrollBy(&s_dev.deficientFirst, 1, s_dev.deficientCount, SQUAD_ROWS);
}
int32_t EmptyUp(MenuHotspot*)
{
    return ScrollBy(&s_dev.emptyLineFirst, -1, s_dev.emptyLineCount, SQUAD_ROWS);
}
int32_t EmptyDown(MenuHotspot*)
{
    return ScrollBy(&s_dev.emptyLineFirst, 1, s_dev.emptyLineCount, SQUAD_ROWS);
}

void DrawDeficient()
{
    DrawDarkPanel(20, 20, 600, 160, PANEL_STRENGTH);
    DrawText(30, 24, DevText(DEV_DEFICIENT));
    DrawText(250, 44, DevText(DEV_SQUAD_SIZE), MENU_ALIGN_TR);
    DrawText(320, 44, DevText(DEV_AVAILABLE), MENU_ALIGN_TR);
    for (int32_t k = 0; k < LINE_COUNT; ++k)
        DrawText(360 + 36 * k, 44, DevText(DEV_LINE_FIRST + k), MENU_ALIGN_TR);
    for (int32_t k = 0; k < ABSENCES; ++k)
        DrawText(520 + 32 * k, 44, DevText(DEV_ABSENCE_FIRST + k), MENU_ALIGN_TR);
    for (int32_t row = 0; row < SQUAD_ROWS && s_dev.deficientFirst + row < s_dev.deficientCount;
         ++row) {
        const int32_t club = s_dev.deficient[s_dev.deficientFirst + row];
        const int32_t y = 64 + row * ROW_H;
        const SquadAbsences a = CountAbsences(club);
        for (int32_t line = 0; line < LINE_COUNT; ++line)
            DrawText(360 + 36 * line, y, Number2Str(a.lines[line]), MENU_ALIGN_TR);
        DrawText(30, y, ClubName(club));
        DrawText(250, y, Number2Str(a.size), MENU_ALIGN_TR);
        DrawText(320, y, Number2Str(a.available), MENU_ALIGN_TR);
        for (int32_t k = 0; k < ABSENCES; ++k)
            DrawText(520 + 32 * k, y, Number2Str(a.absences[k]), MENU_ALIGN_TR);
        AddClick(30, y, 200, ROW_H, club, DeficientClick);
    }
    DrawArrows(586, 140, s_dev.deficientCount, SQUAD_ROWS, DeficientUp, DeficientDown,
               WhenAllFit::GREYED);
}

void DrawEmptyLines()
{
    DrawDarkPanel(20, 190, 600, 150, PANEL_STRENGTH);
    DrawText(30, 194, DevText(DEV_NO_PLAYERS_OF_A_TYPE));
    for (int32_t row = 0; row < SQUAD_ROWS && s_dev.emptyLineFirst + row < s_dev.emptyLineCount;
         ++row) {
        const int32_t entry = s_dev.emptyLines[s_dev.emptyLineFirst + row];
        const int32_t y = 216 + row * ROW_H;
        DrawText(30, y, ClubName(entry / 4));
        DrawText(300, y, DevText(DEV_LINE_FIRST + entry % 4));
    }
    DrawArrows(586, 300, s_dev.emptyLineCount, SQUAD_ROWS, EmptyUp, EmptyDown, WhenAllFit::GREYED);
}

void DrawSquads(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    DrawDeficient();
    DrawEmptyLines();
}

// ---- "Pick Team".

int32_t LeagueClubs() { return World_LeagueClubCount(GameState.country); }

int32_t DivisionClubCount(int32_t division)
{
    int32_t count = 0;
    while (count < DIVISION_LIST_SIZE && DivisionLists[division][count] >= 0)
        ++count;
    return count;
}

int32_t OutsideClubCount()
{
    int32_t count = 0;
    for (int32_t club = LeagueClubs(); club < DbClubCount && club < CLUB_ID_COUNT; ++club)
        count += ClubInUse(club) ? 1 : 0;
    return count;
}

int32_t OutsideClub(int32_t n)
{
    for (int32_t club = LeagueClubs(); club < DbClubCount && club < CLUB_ID_COUNT; ++club) {
        if (ClubInUse(club) && n-- == 0) return club;
    }
    return -1;
}

int32_t PickClick(MenuHotspot* h) { return DevPickTeam_Pick(static_cast<int32_t>(h->value)); }
int32_t PickUp(MenuHotspot*)
{
    return ScrollBy(&s_dev.pickFirst, -1, DivisionClubCount(s_dev.pickDivision), PICK_ROWS);
}
int32_t PickDown(MenuHotspot*)
{
    return ScrollBy(&s_dev.pickFirst, 1, DivisionClubCount(s_dev.pickDivision), PICK_ROWS);
}
int32_t OutsideUp(MenuHotspot*) { return DevPickTeam_ScrollOutside(false); }
int32_t OutsideDown(MenuHotspot*) { return DevPickTeam_ScrollOutside(true); }
int32_t CancelPick()
{
    MenuOption = s_dev.pickReturn;
    return EXM_CODE_LEAVE;
}
int32_t Cancel(MenuHotspot*) { return CancelPick(); }

int32_t ChooseDivision(MenuListEntry* entry)
{
    s_dev.pickDivision = entry->spare[0];
    s_dev.pickFirst = 0;
    return LIST_CODE_REDRAW;
}

int16_t s_divisionLabel;  // the chosen division's name

MenuListEntry* DivisionPopup()
{
    static MenuListEntry popup[DIVISION_MAX + 2];
    popup[0] = MenuList_Title(TEXT_DEV_BASE + DEV_PICK_TEAM);
    for (int32_t d = 0; d < DIVISION_MAX; ++d)
        popup[d + 1] =
            MenuList_Entry(VTW_GetDivisionTextNo(d), ChooseDivision, static_cast<int16_t>(d));
    popup[DIVISION_MAX + 1] = MenuList_End();
    return popup;
}

void DrawPickColumn(int32_t x, int32_t first, int32_t count, int32_t (*clubAt)(int32_t))
{
    for (int32_t row = 0; row < PICK_ROWS && first + row < count; ++row) {
        const int32_t club = clubAt(first + row);
        const int32_t y = 60 + row * ROW_H;
        DrawText(x, y, ClubName(club));
        AddClick(x, y, 180, ROW_H, club, PickClick);
    }
}

int32_t DivisionClub(int32_t n) { return DivisionLists[s_dev.pickDivision][n]; }
int32_t SecondHalfClub(int32_t n) { return OutsideClub(DevPickTeam_OutsideColumn(0) + n); }

void DrawPickTeam(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    s_divisionLabel = static_cast<int16_t>(VTW_GetDivisionTextNo(s_dev.pickDivision));
    DrawDarkPanel(20, 54, 600, PICK_ROWS * ROW_H + 12, PANEL_STRENGTH);
    const int32_t inDivision = DivisionClubCount(s_dev.pickDivision);
    DrawPickColumn(30, s_dev.pickFirst, inDivision, DivisionClub);
    DrawArrows(200, 20, inDivision, PICK_ROWS, PickUp, PickDown);
    const int32_t firstHalf = DevPickTeam_OutsideColumn(0);
    DrawPickColumn(230, s_dev.outsideFirst, firstHalf, OutsideClub);
    DrawPickColumn(430, s_dev.outsideFirst, DevPickTeam_OutsideColumn(1), SecondHalfClub);
    DrawArrows(590, 20, firstHalf, PICK_ROWS, OutsideUp, OutsideDown);
}

// ---- The club sheet.

}  // namespace

DevSheetTransfers DevClubSheet_Transfers(int32_t club)
{
    DevSheetTransfers f{};
    for (int32_t n = 0; const TransferRecordRow* row = VTW_GetTransferRecord(n); ++n) {
        const bool bought = row->buyer == club, sold = row->seller == club;
        if (!bought && !sold) continue;
        const int32_t line = std::clamp(VTW_GetPositionLine(row->player), 0, LINE_COUNT - 1);
        const int64_t fee = (row->flags & TRANSFER_LOAN) != 0 ? 0 : row->fee;
        if (bought) {
            ++f.bought[line];
            f.paid += fee;
        }
        if (sold) {
            ++f.sold[line];
            f.received += fee;
        }
    }
    return f;
}

namespace {

void DrawSheetLabel(int32_t y, int32_t text, int64_t value)
{
    DrawText(30, y, DevText(text));
    DrawText(400, y, Amount(value), MENU_ALIGN_TR);
}

void DrawClubSheet(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    const int32_t club = GameState.currentClub;
    if (club < 0) return;
    SetMenuFont(1);
    DrawText(30, 24, ClubName(club));
    const int32_t division = VTW_GetClubDivision(club);
    if (division >= 0 && division < DIVISION_MAX)
        DrawMenuMessage(610, 24, VTW_GetDivisionTextNo(division), MENU_ALIGN_TR);
    SetMenuFont(0);
    DrawDarkPanel(20, 50, 600, 150, PANEL_STRENGTH);
    int32_t counts[16];
    VTW_CountSquadAvailability(club, counts);
    const DevSheetTransfers f = DevClubSheet_Transfers(club);
    for (int32_t line = 0; line < LINE_COUNT; ++line)
        DrawText(200 + 70 * line, 56, DevText(DEV_LINE_FIRST + line), MENU_ALIGN_TR);
    const int32_t labels[] = {DEV_ABSENCE_FIRST, DEV_ABSENCE_FIRST + 1, DEV_ABSENCE_FIRST + 2,
                              DEV_BOUGHT, DEV_SOLD};
    for (int32_t k = 0; k < 5; ++k) {
        const int32_t y = 76 + k * ROW_H;
        DrawText(30, y, DevText(labels[k]));
        for (int32_t line = 0; line < LINE_COUNT; ++line) {
            const int32_t value =
                k < ABSENCES ? counts[line * 4 + k + 1] : (k == ABSENCES ? f.bought : f.sold)[line];
            DrawText(200 + 70 * line, y, Number2Str(value), MENU_ALIGN_TR);
        }
    }
    DrawDarkPanel(20, 210, 600, 130, PANEL_STRENGTH);
    int64_t income = 0, spending = 0;
    DevClubSheet_SeasonMoney(club, &income, &spending);
    DrawSheetLabel(216, DEV_FEES_PAID, f.paid);
    DrawSheetLabel(216 + ROW_H, DEV_FEES_RECEIVED, f.received);
    DrawSheetLabel(216 + 2 * ROW_H, DEV_WAGE_BILL, VTW_GetClubWageTotal(club, nullptr));
    DrawSheetLabel(216 + 3 * ROW_H, DEV_INCOME, income);
    DrawSheetLabel(216 + 4 * ROW_H, DEV_EXPENDITURE, spending);
    DrawSheetLabel(216 + 5 * ROW_H, DEV_PROFIT, income - spending);
}

int32_t SheetTeam(MenuHotspot*)
{
    MenuOption = MENU_OPTION_TO_SQUAD;
    return EXM_CODE_LEAVE;
}

}  // namespace

// ---- Shared.

const char* DevText(int32_t k) { return GetMessageText(TEXT_DEV_BASE + k); }

bool DevScreens_StepsUp() { return (EXM_GetClickButtons() & CLICK_RIGHT) == 0; }

void DevScreensInit()
{
    s_dev = {};
    s_dev.maxBudget = MAX_BUDGET_START;
    s_dev.pickReturn = OPTION_DEV_MONEY;
    DevSavedOption = -1;
    DevSavedClub = -1;
}

void DevScreensUninit() { DevScreensInit(); }

void DevScreens_Enter()
{
    const int16_t from = FrontEnd_CameFrom();
    if ((from >= OPTION_DEV_MONEY && from <= OPTION_DEV_SOAK) || from == OPTION_SQUAD_SCREEN)
        return;
    DevSavedOption = from;
    DevSavedClub = GameState.currentClub;
}

void DevScreens_PutSavedBack()
{
    if (DevSavedClub >= 0) GameState.currentClub = DevSavedClub;
}

int32_t DevScreens_Tab(int16_t option)
{
    if (MenuOption == OPTION_DEV_SQUADS || MenuOption == OPTION_DEV_CLUB_SHEET)
        DevScreens_PutSavedBack();
    if (option == OPTION_DEV_PICK_TEAM) s_dev.pickReturn = MenuOption;
    MenuOption = option;
    return EXM_CODE_LEAVE;
}

int32_t DevScreens_Done(MenuHotspot*)
{
    DevSoak_Commit();
    DevScreens_PutSavedBack();
    MenuOption = DevSavedOption == OPTION_CALENDAR ? OPTION_CALENDAR : MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

int32_t DevScreens_Escape() { return DevScreens_Done(nullptr); }

int32_t DevScreens_ToggleRun(MenuHotspot*)
{
    AutoRunMode = AutoRunMode != 0 ? 0 : 1;
    return EXM_CODE_REBUILD;
}

const MenuItem* DevScreens_FrameTable()
{
    static const MenuItem table[] = {
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 12, 380, 120, 24, MenuTextNo(TEXT_DEV_BASE + DEV_MONEY), ToMoney},
        {0x200c, 134, 380, 120, 24, MenuTextNo(TEXT_DEV_BASE + DEV_SQUADS), ToSquads},
        {0x200c, 256, 380, 120, 24, MenuTextNo(TEXT_DEV_BASE + DEV_PICK_TEAM), ToPickTeam},
        {0x200c, 378, 380, 120, 24, MenuTextNo(TEXT_DEV_BASE + DEV_SOAK), ToSoak},
        {0x200c, 500, 380, 100, 24, MenuTextNo(TEXT_DEV_BASE + DEV_OPTIONS), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(OptionsPopup()), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawFrame), nullptr},
        {0x1f, 20, 442, 20, 20, MenuNumber(-1), DevScreens_ToggleRun},
        {0x10, 48, 446, MENU_ALIGN_TL, 0, MenuVariable(&s_runStatus), nullptr},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), DevScreens_Done},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

// ---- The screens.

void DevMoney_Init()
{
    if (EXM_GetRebuildFlag() != 0) {
        DevScreens_Enter();
        DevMoney_Count();
    }
    ListLowBudgets();
}

int32_t DevMoney_StepDigit(int32_t digit, bool up)
{
    const uint32_t weight = DigitWeight(digit);
    const uint32_t value = s_dev.maxBudget / weight % 10;
    const uint32_t next = up ? (value + 1) % 10 : (value + 9) % 10;
    const uint64_t budget =
        uint64_t(s_dev.maxBudget) - uint64_t(value) * weight + uint64_t(next) * weight;
    if (budget > UINT32_MAX) return EXM_CODE_NONE;
    s_dev.maxBudget = static_cast<uint32_t>(budget);
    return EXM_CODE_REDRAW;
}

uint32_t DevMoney_MaxBudget() { return s_dev.maxBudget; }
int32_t DevMoney_ListedCount() { return s_dev.budgetCount; }
int64_t DevMoney_GroupBalance(int32_t group) { return s_dev.money[group].balance; }
int64_t DevMoney_GroupAverage(int32_t group, bool budget)
{
    return budget ? s_dev.money[group].budget : s_dev.money[group].wage;
}
const char* DevMoney_Amount(int64_t value) { return Amount(value); }

void DevSquads_Init()
{
    if (EXM_GetRebuildFlag() != 0) {
        DevScreens_Enter();
        DevSquads_Count();
    }
}

int32_t DevSquads_DeficientCount() { return s_dev.deficientCount; }
int32_t DevSquads_DeficientClub(int32_t n) { return s_dev.deficient[n]; }
int32_t DevSquads_EmptyLineCount() { return s_dev.emptyLineCount; }
int32_t DevSquads_EmptyLine(int32_t n) { return s_dev.emptyLines[n]; }

int32_t DevSquads_OpenClub(int32_t club)
{
    GameState.currentClub = static_cast<int16_t>(club);
    MenuOption = MENU_OPTION_TO_SQUAD;
    return EXM_CODE_LEAVE;
}

void DevPickTeam_Init()
{
    if (EXM_GetRebuildFlag() != 0) DevScreens_Enter();
}

int32_t DevPickTeam_Pick(int32_t club)
{
    GameState.currentClub = static_cast<int16_t>(club);
    MenuOption = OPTION_DEV_CLUB_SHEET;
    return EXM_CODE_LEAVE;
}

void DevClubSheet_SeasonMoney(int32_t club, int64_t* income, int64_t* spending)
{
    *income = *spending = 0;
    const ClubRecord* record = VTW_GetClubRecordPtr(club);
    for (int32_t figure = 0; record != nullptr && figure < CLUB_FIG_COUNT; ++figure)
        *(figure < CLUB_FIG_FIRST_SPENDING ? income : spending) += record->figures[figure];
}

int32_t DevPickTeam_OutsideColumn(int32_t column)
{
    const int32_t outside = OutsideClubCount(), firstHalf = (outside + 1) / 2;
    return column == 0 ? firstHalf : outside - firstHalf;
}

int32_t DevPickTeam_ScrollOutside(bool down)
{
    return ScrollBy(&s_dev.outsideFirst, down ? PICK_ROWS : -PICK_ROWS,
                    DevPickTeam_OutsideColumn(0), PICK_ROWS);
}

void DevClubSheet_Init()
{
    if (EXM_GetRebuildFlag() != 0) DevScreens_Enter();
}

const MenuItem* DevMoney_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(DevMoney_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawMoney), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(DevScreens_FrameTable()), nullptr},
        MenuEndItem(nullptr, DevScreens_Escape),
    };
    return table;
}

const MenuItem* DevSquads_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(DevSquads_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawSquads), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(DevScreens_FrameTable()), nullptr},
        MenuEndItem(nullptr, DevScreens_Escape),
    };
    return table;
}

const MenuItem* DevPickTeam_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(DevPickTeam_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawPickTeam), nullptr},
        {0x200f, 20, 20, 170, 24, MenuVariable(&s_divisionLabel), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(DivisionPopup()), nullptr},
        {0x200c, 500, 408, 100, 24, MenuTextNo(TEXT_CANCEL), Cancel},
        MenuEndItem(nullptr, CancelPick),
    };
    return table;
}

const MenuItem* DevClubSheet_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(DevClubSheet_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawClubSheet), nullptr},
        {0x200c, 20, 346, 120, 24, MenuTextNo(TEXT_TEAM), SheetTeam},
        {0x21, 0, 0, 1, 0, MenuAddress(DevScreens_FrameTable()), nullptr},
        MenuEndItem(nullptr, DevScreens_Escape),
    };
    return table;
}
