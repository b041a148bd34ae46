// tests/menus/devscreens_test.cpp: "Money" and "Squads" against direct scans of a seeded world,
// the maximum's digit editor, and the way back the developer screens keep.
#include "menus/devscreens.h"

#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/transfers.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

std::vector<int32_t> MembersOf(int32_t club)
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    std::vector<int32_t> players;
    for (int32_t k = 0; k < count; ++k) {
        if (members[k] < FullPlayerCount) players.push_back(members[k]);
    }
    return players;
}

// The red, green and blue summed over the scroll arrows beside a list of "Squads" whose top is
// at `y`, and how many of their pixels differ from the one above them: the icon's edges.
constexpr int32_t kEmptyLinesArrowsY = 300;
struct ArrowsPicture {
    int32_t brightness = 0;
    int32_t edges = 0;
};
ArrowsPicture SquadArrowsAt(int32_t y)
{
    ArrowsPicture picture;
    for (int32_t row = y; row < y + 33; ++row) {
        for (int32_t x = 586; x < 616; ++x) {
            const uint32_t rgb = FrameRgbOf(WorkPixel(x, row));
            picture.brightness +=
                static_cast<int32_t>((rgb >> 16) + (rgb >> 8 & 0xFF) + (rgb & 0xFF));
            picture.edges += WorkPixel(x, row) != WorkPixel(x, row - 1) ? 1 : 0;
        }
    }
    return picture;
}

class DevScreensTest : public ::testing::Test {
protected:
    ScopedScreenRedraw m_screen;
};

}  // namespace

// The top division's balances raised past what 32 bits hold: the sums and averages still agree
// with a 64-bit scan, and the budget list holds exactly the clubs at or under the maximum.
TEST_F(DevScreensTest, MoneySumsInSixtyFourBitsAndListsTheClubsUnderTheMaximum)
{
    for (int32_t k = 0; k < DIVISION_LIST_SIZE && DivisionLists[0][k] >= 0; ++k)
        Club_SetBalance(DivisionLists[0][k], 200'000'000);
    std::array<int64_t, DIVISION_MAX + 1> balance{}, wage{}, budget{}, clubs{};
    for (int32_t club = 0; club < DbClubCount; ++club) {
        const int32_t division = VTW_GetClubDivision(club);
        const int32_t group = division >= 0 && division < DIVISION_MAX ? division : DIVISION_MAX;
        balance[group] += VTW_GetClubBalance(club);
        wage[group] += VTW_GetClubWageTotal(club, nullptr);
        budget[group] += VTW_GetClubTransferBudget(club);
        ++clubs[group];
    }
    ASSERT_GT(balance[0], int64_t{INT32_MAX});
    m_screen.Run(DevMoney_Table(), [&] {
        for (int32_t group = 0; group <= DIVISION_MAX; ++group) {
            EXPECT_EQ(DevMoney_GroupBalance(group), balance[group]) << group;
            if (clubs[group] == 0) continue;
            EXPECT_EQ(DevMoney_GroupAverage(group, false), wage[group] / clubs[group]) << group;
            EXPECT_EQ(DevMoney_GroupAverage(group, true), budget[group] / clubs[group]) << group;
        }
        // Thousands: digit 3 raised from 1 to 2 makes the maximum 2,000 thousands.
        EXPECT_EQ(DevMoney_MaxBudget(), 1'000'000u);
        DevMoney_StepDigit(3, true);
        EXPECT_EQ(DevMoney_MaxBudget(), 2'000'000u);
        EXPECT_EQ(DevMoney_StepDigit(3, false), EXM_CODE_REDRAW);
        EXPECT_EQ(DevMoney_StepDigit(3, false), EXM_CODE_REDRAW);
        EXPECT_EQ(DevMoney_MaxBudget(), 0u) << "1 down to 0";
        DevMoney_StepDigit(6, false);
        EXPECT_EQ(DevMoney_MaxBudget(), 9'000u) << "0 down wraps to 9";
        for (int32_t k = 0; k < 4; ++k)
            DevMoney_StepDigit(0, true);
        EXPECT_EQ(DevMoney_MaxBudget(), 4'000'009'000u);
        EXPECT_EQ(DevMoney_StepDigit(0, true), EXM_CODE_NONE) << "5,000 million is past 32 bits";
        EXPECT_EQ(DevMoney_MaxBudget(), 4'000'009'000u);
        DevMoney_StepDigit(6, true);
        EXPECT_EQ(DevMoney_MaxBudget(), 4'000'000'000u) << "a raise from 9 wraps to 0";
        for (int32_t k = 0; k < 4; ++k)
            DevMoney_StepDigit(0, false);
        DevMoney_StepDigit(3, true);
        EXPECT_EQ(DevMoney_MaxBudget(), 1'000'000u);
    });
    // The list follows the maximum at every build.
    m_screen.Run(DevMoney_Table(), [&] {
        int32_t expected = 0;
        for (int32_t club = 0; club < DbClubCount; ++club)
            expected += VTW_GetClubTransferBudget(club) <= 1'000'000 ? 1 : 0;
        EXPECT_EQ(DevMoney_ListedCount(), expected);
        EXPECT_GT(expected, 0);
        EXPECT_LT(expected, DbClubCount);
    });
    EXPECT_STREQ(DevMoney_Amount(999), "999");
    EXPECT_STREQ(DevMoney_Amount(1'000), "1K");
    EXPECT_STREQ(DevMoney_Amount(-2'500'000), "-2500K");
    EXPECT_STREQ(DevMoney_Amount(-999), "-999");
    EXPECT_STREQ(DevMoney_Amount(-1'000), "-1K");
}

// A world where every club fields sixteen lists no deficient squad and greys the arrows of both
// lists; three absences put one club in the list, and a club without keepers shows under its
// line.
TEST_F(DevScreensTest, SquadsListsTheClubsShortOfPlayersAndTheLinesWithNone)
{
    std::vector<int32_t> short16;
    ArrowsPicture greyed;
    m_screen.Run(DevSquads_Table(), [&] {
        for (int32_t n = 0; n < DevSquads_DeficientCount(); ++n)
            short16.push_back(DevSquads_DeficientClub(n));
        greyed = SquadArrowsAt(kEmptyLinesArrowsY);
        EXPECT_EQ(DevSquads_EmptyLineCount(), 0);
    });
    EXPECT_TRUE(short16.empty());

    const int32_t shortClub = DivisionLists[1][2], keeperless = DivisionLists[1][3];
    const std::vector<int32_t> squad = MembersOf(shortClub);
    const int32_t absent = static_cast<int32_t>(squad.size()) - 15;
    ASSERT_GE(absent, 2);
    for (int32_t k = 0; k < absent; ++k) {
        PlayerRecord& p = DbPlayers[squad[k]];
        if (k == 0) {
            p.suspension = 2;
        } else {
            p.flags |= PLAYER_INJURED;
            p.injuryDays = 20;
        }
    }
    for (const int32_t player : MembersOf(keeperless)) {
        if (VTW_GetPositionLine(player) == 0) VTW_SetPlayerClub(player, 255);
    }
    m_screen.Run(DevSquads_Table(), [&] {
        ASSERT_EQ(DevSquads_DeficientCount(), 1);
        EXPECT_EQ(DevSquads_DeficientClub(0), shortClub);
        int32_t counts[16];
        VTW_CountSquadAvailability(shortClub, counts);
        int32_t suspended = 0, injured = 0;
        for (int32_t line = 0; line < 4; ++line) {
            suspended += counts[line * 4 + 1];
            injured += counts[line * 4 + 2];
        }
        EXPECT_EQ(suspended, 1);
        EXPECT_EQ(injured, absent - 1);
        ASSERT_EQ(DevSquads_EmptyLineCount(), 1);
        EXPECT_EQ(DevSquads_EmptyLine(0), keeperless * 4);
        // A click on the club opens its squad as the current club.
        EXPECT_EQ(DevSquads_OpenClub(shortClub), EXM_CODE_LEAVE);
        EXPECT_EQ(MenuOption, MENU_OPTION_TO_SQUAD);
        EXPECT_EQ(GameState.currentClub, shortClub);
    });

    // Six more clubs without keepers: seven lines, one more than the list shows, and its arrows
    // lit; the greyed ones showed the same icon, darker.
    for (int32_t k = 4; k < 10; ++k) {
        for (const int32_t player : MembersOf(DivisionLists[1][k])) {
            if (VTW_GetPositionLine(player) == 0) VTW_SetPlayerClub(player, 255);
        }
    }
    m_screen.Run(DevSquads_Table(), [&] {
        ASSERT_EQ(DevSquads_EmptyLineCount(), 7);
        const ArrowsPicture lit = SquadArrowsAt(kEmptyLinesArrowsY);
        EXPECT_LT(greyed.brightness, lit.brightness * 9 / 10);
        EXPECT_GE(greyed.edges * 20, lit.edges * 19);
    });
}

// Entering from the calendar keeps the way back through a move to "Squads" and a visit to the
// squad screen it opened; "Terminer" goes back to the calendar with the club that was current.
TEST_F(DevScreensTest, TheWayBackSurvivesMovesBetweenTheScreensAndTheSquadScreen)
{
    const int16_t human = GameState.currentClub;
    DevSavedOption = -1;
    FrontEnd_NoteDispatch(8);
    FrontEnd_NoteDispatch(63);
    m_screen.Run(DevMoney_Table(), [] {});
    EXPECT_EQ(DevSavedOption, 8);
    EXPECT_EQ(DevSavedClub, human);
    FrontEnd_NoteDispatch(64);
    m_screen.Run(DevSquads_Table(), [] { DevSquads_OpenClub(DivisionLists[2][0]); });
    FrontEnd_NoteDispatch(7);
    FrontEnd_NoteDispatch(64);
    m_screen.Run(DevSquads_Table(), [] {});
    EXPECT_EQ(DevSavedOption, 8);
    EXPECT_EQ(DevSavedClub, human);
    MenuOption = 64;
    EXPECT_EQ(DevScreens_Done(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 8);
    EXPECT_EQ(GameState.currentClub, human);
    DevSavedOption = 3;
    DevScreens_Done(nullptr);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE) << "from anywhere but the calendar: the office";
}

// The sheet's one walk over the transfer records agrees with the records' own sums; a loan counts
// a player but no fee. "Pick Team" gives the odd club outside the league to its first column.
TEST_F(DevScreensTest, TheSheetsTransfersAgreeWithTheRecordsAndPickTeamSplitsTheOthers)
{
    const int32_t buyer = DivisionLists[0][4], seller = DivisionLists[0][5];
    const std::vector<int32_t> sold = MembersOf(seller);
    ASSERT_GE(sold.size(), 3u);
    Transfers_Add(seller, buyer, sold[0], 0, 1'500'000);
    Transfers_Add(seller, buyer, sold[1], 0, 2'500'000);
    Transfers_Add(seller, buyer, sold[2], TRANSFER_LOAN, 0);
    for (const int32_t club : {buyer, seller, int32_t{DivisionLists[1][0]}}) {
        const DevSheetTransfers f = DevClubSheet_Transfers(club);
        int32_t paid = 0, received = 0, bought = 0, soldCount = 0;
        VTW_SumClubTransfers(club, &paid, &received, &bought, &soldCount);
        EXPECT_EQ(f.paid, paid) << club;
        EXPECT_EQ(f.received, received) << club;
        int32_t boughtLines = 0, soldLines = 0;
        for (int32_t line = 0; line < 4; ++line) {
            boughtLines += f.bought[line];
            soldLines += f.sold[line];
        }
        EXPECT_EQ(boughtLines, club == buyer ? 3 : 0) << club;
        EXPECT_EQ(soldLines, club == seller ? 3 : 0) << club;
    }
    EXPECT_EQ(DevClubSheet_Transfers(buyer).paid, 4'000'000);
    EXPECT_EQ(DevClubSheet_Transfers(buyer).bought[VTW_GetPositionLine(sold[0])] > 0, true);

    // The season's money: every income figure on one side, every spending figure on the other.
    int64_t incomeBefore = 0, spendingBefore = 0, income = 0, spending = 0;
    DevClubSheet_SeasonMoney(buyer, &incomeBefore, &spendingBefore);
    Club_Book(buyer, CLUB_FIG_MISC_IN, 70'000);
    Club_Book(buyer, CLUB_FIG_WIN_BONUSES, 30'000);
    Club_Book(buyer, CLUB_FIG_MISC_OUT, 5'000);
    DevClubSheet_SeasonMoney(buyer, &income, &spending);
    EXPECT_EQ(income - incomeBefore, 100'000);  // win bonuses are income
    EXPECT_EQ(spending - spendingBefore, 5'000);

    const int32_t first = DevPickTeam_OutsideColumn(0), second = DevPickTeam_OutsideColumn(1);
    EXPECT_GT(first + second, 0);
    EXPECT_TRUE(first == second || first == second + 1) << first << " and " << second;
}
