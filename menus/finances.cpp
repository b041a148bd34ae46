// menus/finances.cpp: the finances screen.
#include "menus/finances.h"

#include "game/funcs.h"
#include "game/ids.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"
#include "menus/results.h"

FinancesState Finances;

namespace {

constexpr int32_t TEXT_TITLE = 253;
constexpr int32_t TEXT_BALANCE = 259;
constexpr int32_t TEXT_BACK = 31;
constexpr int32_t TEXT_INCOME_FIRST = 2220;    // seven labels, then the total
constexpr int32_t TEXT_SPENDING_FIRST = 2228;  // six labels, then the total
constexpr int32_t TEXT_CARRIED_FORWARD = 2235;
constexpr int32_t TEXT_STADIUM_WORKS = 2236;

constexpr int32_t PANEL_TOP = 76;
constexpr int32_t PANEL_WIDTH = 280;
constexpr int32_t PANEL_HEIGHT = 220;
constexpr int32_t INCOME_X = 32;
constexpr int32_t SPENDING_X = 328;
constexpr int32_t ROW_PITCH = 22;
constexpr int32_t INSET = 8;
constexpr int32_t FOOT_TOP = PANEL_TOP + PANEL_HEIGHT + 24;
constexpr uint16_t TOTAL_LINE_COLOUR = 0xffff;

using ClubFigureGetter = int32_t (*)(int32_t club);

constexpr ClubFigureGetter INCOME_GETTERS[FINANCES_INCOME_ROWS] = {
    VTW_GetClubGateReceipts,  VTW_GetClubSales,  VTW_GetClubSponsorship, VTW_GetClubTVIncome,
    VTW_GetClubMerchandising, VTW_GetClubMiscIn, VTW_GetClubWinBonuses,
};
constexpr ClubFigureGetter SPENDING_GETTERS[FINANCES_SPENDING_ROWS] = {
    VTW_GetClubPlayerWages,      VTW_GetClubSignings,           VTW_GetClubCoachingStaffWages,
    VTW_GetClubGroundStaffWages, VTW_GetClubStadiumMaintenance, VTW_GetClubMiscOut,
};

// Fills the figures and returns their sum, in 64 bits so that a season of clamped figures
// cannot wrap into a wrong sign.
int32_t ReadFigures(const ClubFigureGetter* getters, int32_t count, int32_t* figures)
{
    int64_t sum = 0;
    for (int32_t i = 0; i < count; ++i) {
        figures[i] = getters[i](Finances.club);
        sum += figures[i];
    }
    if (sum > INT32_MAX) return INT32_MAX;
    if (sum < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(sum);
}

void DrawRow(int32_t x, int32_t middle, int32_t textNo, const char* money)
{
    DrawMenuMessage(x + INSET, middle, textNo, MENU_ALIGN_ML);
    DrawMenuString(x + PANEL_WIDTH - INSET, middle, money, MENU_ALIGN_MR);
}

int32_t RowMiddle(int32_t row) { return PANEL_TOP + INSET + ROW_PITCH * row + ROW_PITCH / 2; }

// Both totals stand on one line, under the longer list.
void DrawPanel(int32_t x, int32_t firstText, const int32_t* figures, int32_t count, int32_t total)
{
    DrawDarkPanel(x, PANEL_TOP, PANEL_WIDTH, PANEL_HEIGHT, 50);
    DrawBoxOutline(x, PANEL_TOP, PANEL_WIDTH, PANEL_HEIGHT);
    for (int32_t i = 0; i < count; ++i) {
        DrawRow(x, RowMiddle(i), firstText + i, Price2str(figures[i]));
    }
    const int32_t lineY = RowMiddle(FINANCES_INCOME_ROWS) - ROW_PITCH / 2 + 2;
    DrawMenuLine(x + INSET, lineY, x + PANEL_WIDTH - INSET, lineY, TOTAL_LINE_COLOUR);
    DrawRow(x, RowMiddle(FINANCES_INCOME_ROWS) + 6, firstText + count, Price2str(total));
}

void DrawFootRow(int32_t row, int32_t textNo, const char* text)
{
    const int32_t middle = FOOT_TOP + ROW_PITCH * row;
    DrawMenuMessage(INCOME_X + INSET, middle, textNo, MENU_ALIGN_ML);
    DrawMenuString(SPENDING_X + PANEL_WIDTH - INSET, middle, text, MENU_ALIGN_MR);
}

void DrawFigures(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    DrawPanel(INCOME_X, TEXT_INCOME_FIRST, Finances.income, FINANCES_INCOME_ROWS,
              Finances.incomeTotal);
    DrawPanel(SPENDING_X, TEXT_SPENDING_FIRST, Finances.spending, FINANCES_SPENDING_ROWS,
              Finances.spendingTotal);
    DrawFootRow(0, TEXT_CARRIED_FORWARD, Price2str(Finances.carriedForward));
    DrawFootRow(1, TEXT_BALANCE, Price2str(Finances.balance));
    DrawFootRow(2, TEXT_STADIUM_WORKS, Finances_StadiumWorksText());
}

int32_t Finances_Back(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

}  // namespace

void FinancesInit() { Finances = {}; }
void FinancesUninit() { FinancesInit(); }

void Finances_Init()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() == 0) return;
    Finances.club = VTW_GetClubOfManager(MANAGER_HUMAN);
    Finances.incomeTotal = ReadFigures(INCOME_GETTERS, FINANCES_INCOME_ROWS, Finances.income);
    Finances.spendingTotal =
        ReadFigures(SPENDING_GETTERS, FINANCES_SPENDING_ROWS, Finances.spending);
    Finances.carriedForward = VTW_GetClubBalanceCarriedForward(Finances.club);
    Finances.balance = VTW_GetClubBalance(Finances.club);
    Finances.stadiumWorks = VTW_SumStadiumWorks(Finances.club);
}

const char* Finances_StadiumWorksText()
{
    if (Finances.stadiumWorks == -1) return GetMessageText(TEXT_NO_STADIUM_WORKS);
    return Price2str(Finances.stadiumWorks);
}

const MenuItem* Finances_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Finances_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawFigures), nullptr},
        {0x200c, 540, 436, 90, 30, MenuTextNo(TEXT_BACK), Finances_Back},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
