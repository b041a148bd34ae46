// tests/menus/finances_test.cpp: the finances screen's figures and totals, its stadium-works text,
// and its door in the office's "Données de clubs", which runs it and comes back.
#include "menus/finances.h"

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/numbers.h"
#include "menus/office.h"
#include "tests/support/screen_redraw.h"

namespace {

// "Finances" in "Données de clubs", found by its label as the office finds it.
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

TEST_F(FinancesTest, TheOfficeOpensItForTheHumansClubOnlyAndComesBackToItself)
{
    MenuListEntry* entry = FinancesEntry();
    ASSERT_NE(entry->type, LIST_END);
    GameState.currentClub = static_cast<int16_t>(DivisionLists[0][1]);
    Office_PreparePopup(Office_ClubDataPopup());
    EXPECT_EQ(entry->flags & LIST_ENABLED, 0);
    EXPECT_EQ(entry->handler(entry), LIST_CODE_CLOSE);
    GameState.currentClub = static_cast<int16_t>(m_screen.HumanClub());

    // "Données de clubs" (78, 440, 160 x 30) opens its list above itself; Finances is its last row.
    int32_t rows = 0;
    while (Office_ClubDataPopup()[rows + 1].type != LIST_END) {
        ++rows;
    }
    const int32_t listTop = 440 - (rows * MENUBAR_ROW_HEIGHT + 4);
    const int32_t financesY =
        listTop + 2 + (rows - 1) * MENUBAR_ROW_HEIGHT + MENUBAR_ROW_HEIGHT / 2;
    struct Case {
        bool escape;           // else "Menu préc."
        int16_t optionChosen;  // inside the finances, as the bar would; the office leaves too
    };
    const Case cases[] = {{false, MENU_OPTION_OFFICE}, {true, MENU_OPTION_OFFICE}, {true, 21}};
    for (const Case& c : cases) {
        MenuInputs inputs;
        AddClick(&inputs, 260, 158, 455);
        AddClick(&inputs, 320, 158, financesY);
        int32_t depthInside = -1, depthAfter = -1;
        inputs.push_back({560, MenuInput::CALL, 0, 0, [&] {
                              depthInside = EXM_Depth();
                              MenuOption = c.optionChosen;
                          }});
        if (c.escape) {
            AddKey(&inputs, 600, EXM_ESCAPE_KEY);
        } else {
            AddClick(&inputs, 600, 585, 451);  // "Menu préc."
        }
        inputs.push_back({800, MenuInput::CALL, 0, 0, [&] { depthAfter = EXM_Depth(); }});
        MenuOption = MENU_OPTION_OFFICE;
        Finances.club = -1;
        m_screen.Run(
            Office_Table(), [] {}, inputs);
        const bool stays = c.optionChosen == MENU_OPTION_OFFICE;
        EXPECT_EQ(Finances.club, m_screen.HumanClub()) << c.optionChosen;
        EXPECT_EQ(depthInside, 1) << c.optionChosen;              // on the office
        EXPECT_EQ(depthAfter, stays ? 0 : -1) << c.optionChosen;  // the office again, or left
        EXPECT_EQ(MenuOption, stays ? MENU_OPTION_OFFICE : c.optionChosen);
    }
}
