// tests/menus/finances_test.cpp: the finances screen's figures and totals, its stadium-works text,
// and its door on the developer's debug screen, which runs it and comes back.
#include "menus/finances.h"

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/season.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/debugscreen.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/numbers.h"
#include "menus/office.h"
#include "tests/support/screen_redraw.h"

namespace {

// "Finances" in the office's "Données de clubs", found by its label; the list end when absent.
MenuListEntry* FinancesEntry()
{
    MenuListEntry* e = Office_ClubDataPopup();
    while (e->type != LIST_END && MenuList_LabelTextNo(*e) != 253) {
        ++e;
    }
    return e;
}

// The amount booked on each season figure: figure k gets 1000 * (k + 1) + 7.
int32_t Booked(int32_t figure) { return 1000 * (figure + 1) + 7; }

class FinancesTest : public ::testing::Test {
protected:
    FinancesTest()
        : m_screen([this] {
              const int32_t club = VTW_GetClubOfManager(MANAGER_HUMAN);
              for (int32_t f = 0; f < CLUB_FIG_COUNT; ++f) {
                  Club_Book(club, static_cast<ClubFigure>(f), Booked(f));
              }
              VTW_GetClubRecordPtr(club)->works.kind = -1;
          })
    {
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(FinancesTest, BookedFiguresShowWithTheirTotalsAndNoWorksShowTheText)
{
    m_screen.Run(Finances_Table(), [] {
        // A fresh career has booked nothing yet, so each figure is what the test booked.
        int32_t income = 0;
        for (int32_t f = 0; f < FINANCES_INCOME_ROWS; ++f) {
            EXPECT_EQ(Finances.income[f], Booked(f)) << f;
            income += Booked(f);
        }
        int32_t spending = 0;
        for (int32_t f = 0; f < FINANCES_SPENDING_ROWS; ++f) {
            EXPECT_EQ(Finances.spending[f], Booked(FINANCES_INCOME_ROWS + f)) << f;
            spending += Booked(FINANCES_INCOME_ROWS + f);
        }
        EXPECT_EQ(Finances.incomeTotal, 28049);  // 1007 + 2007 + ... + 7007
        EXPECT_EQ(Finances.incomeTotal, income);
        EXPECT_EQ(Finances.spendingTotal, spending);
        EXPECT_EQ(Finances.balance, VTW_GetClubBalance(Finances.club));
        EXPECT_STREQ(Finances_StadiumWorksText(), GetMessageText(TEXT_NO_STADIUM_WORKS));
        ExpectGoldenHash("menus/finances_booked", WorkScreenHash());
        Finances.stadiumWorks = 250000;
        const std::string shown = Finances_StadiumWorksText();
        EXPECT_EQ(shown, Price2str(250000));
    });
}

// No option of the office leads to the finances: the developer's debug screen runs them over
// itself. Escape comes back to it; "Menu préc." or an option chosen inside leaves it too.
TEST_F(FinancesTest, TheDebugScreenRunsThemAndTheOfficeListHasNoEntryForThem)
{
    EXPECT_EQ(FinancesEntry()->type, LIST_END);
    struct Case {
        bool escape;           // else "Menu préc."
        int16_t optionChosen;  // inside the finances, as the bar would
        int16_t after;
    };
    const Case cases[] = {{false, OPTION_DEBUG_SCREEN, MENU_OPTION_OFFICE},
                          {true, OPTION_DEBUG_SCREEN, OPTION_DEBUG_SCREEN},
                          {true, 21, 21}};
    for (const Case& c : cases) {
        MenuInputs inputs;
        AddClick(&inputs, 260, 160, 245);
        int32_t depthInside = -1;
        inputs.push_back({460, MenuInput::CALL, 0, 0, [&] {
                              depthInside = EXM_Depth();
                              MenuOption = c.optionChosen;
                          }});
        DebugScreenReturn after;
        AddLeaveToDebugScreen(&inputs, 500, c.escape ? -1 : 585, 451, &after);
        MenuOption = OPTION_DEBUG_SCREEN;
        Finances.club = -1;
        m_screen.Run(
            DebugScreen_Table(), [] {}, inputs);
        const bool stays = c.after == OPTION_DEBUG_SCREEN;
        SCOPED_TRACE(c.optionChosen);
        EXPECT_EQ(Finances.club, m_screen.HumanClub());
        EXPECT_EQ(depthInside, 1);
        EXPECT_EQ(after.depth, stays ? 0 : -2);  // the debug screen again, or left with no loop
        EXPECT_EQ(stays ? after.option : MenuOption, c.after);
    }
}

// A season played day by day: on every day the screen's carried-forward balance plus its income
// less its spending is the bank balance it shows, win bonuses counted among the income.
TEST(FinancesSeason, TheTotalsAddUpToTheBalanceOnEveryDayOfASeason)
{
    ScopedScreenRedraw screen;
    const int32_t club = screen.HumanClub();
    int32_t days = 0;
    while (DayNo + 1 < GameState.daysInSeason) {
        VTW_FindHumanNextFixture();
        int32_t row = 0;
        while (VTW_PlayMatchDay(&row) != 0) {
        }
        VTW_AdvanceDay();
        screen.Run(Finances_Table(), [&] {
            EXPECT_EQ(Finances.carriedForward + int64_t(Finances.incomeTotal)
                          - Finances.spendingTotal,
                      Finances.balance)
                << "day " << DayNo;
        });
        ++days;
    }
    EXPECT_GT(days, 50);
    EXPECT_GT(VTW_GetClubWinBonuses(club), 0);
}
