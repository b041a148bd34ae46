// tests/menus/shortlistscreen_test.cpp: the shortlist screen's order, clicks, ticks, paging and
// bids on a seeded career, and its frame.
#include "menus/shortlistscreen.h"

#include <vector>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/market.h"
#include "game/records.h"
#include "game/squad.h"
#include "game/tables.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/screen_redraw.h"

namespace {

class ShortlistScreenTest : public ::testing::Test {
protected:
    // The first n players of the clubs after the human's, in squad order.
    std::vector<int32_t> OtherPlayers(int32_t n)
    {
        std::vector<int32_t> players;
        for (int32_t k = 1; static_cast<int32_t>(players.size()) < n; ++k) {
            VTW_RefreshSquadCount(DivisionLists[0][k]);
            for (int32_t i = 0; i < SquadList.count && static_cast<int32_t>(players.size()) < n;
                 ++i) {
                players.push_back(SquadList.players[i]);
            }
        }
        return players;
    }
    // A shortlist of n players, sorted as the screen shows it.
    std::vector<int32_t> Shortlisted(int32_t n)
    {
        ShortList_Clear();
        ShortList2_Clear();
        ShortlistScreenInit();
        const std::vector<int32_t> players = OtherPlayers(n);
        for (const int32_t p : players) {
            ShortList_Add_Player(p);
        }
        Shortlist_Init();
        return players;
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(ShortlistScreenTest, PlayersShowByLineThenByValueFromTheHighest)
{
    Shortlisted(SHORTLIST_SIZE);
    ASSERT_EQ(ShortlistScreen.count, SHORTLIST_SIZE);
    for (int32_t i = 1; i < ShortlistScreen.count; ++i) {
        const int32_t a = ShortlistScreen.order[i - 1], b = ShortlistScreen.order[i];
        ASSERT_LE(VTW_GetPositionType(a), VTW_GetPositionType(b)) << i;
        if (VTW_GetPositionType(a) == VTW_GetPositionType(b)) {
            EXPECT_GE(VTW_GetPlayerValue(a), VTW_GetPlayerValue(b)) << i;
        }
    }
    EXPECT_EQ(VTW_GetPositionType(ShortlistScreen.order[0]), 0);
}

TEST_F(ShortlistScreenTest, PagesStayWithinTheList)
{
    struct Case {
        int32_t players;
        std::vector<int32_t> downs;  // the first row after each page down
        std::vector<int32_t> ups;    // then after each page up
    };
    const Case cases[] = {
        {5, {0, 0}, {0}},
        {15, {0}, {0}},
        {20, {5, 5}, {0, 0}},
        {40, {15, 25, 25}, {10, 0}},
    };
    for (const Case& c : cases) {
        Shortlisted(c.players);
        for (const int32_t first : c.downs) {
            Shortlist_PageDown();
            EXPECT_EQ(ShortlistScreen.first, first) << c.players;
        }
        for (const int32_t first : c.ups) {
            Shortlist_PageUp();
            EXPECT_EQ(ShortlistScreen.first, first) << c.players;
        }
        EXPECT_EQ(Shortlist_PageUp(), 1) << c.players;
        EXPECT_EQ(Shortlist_PageDown() == 1, c.players <= SHORTLIST_SCREEN_ROWS) << c.players;
    }
}

TEST_F(ShortlistScreenTest, ARowClickOpensTheCardOrInDeleteModeRemovesOnceAndEmptyRowsDoNothing)
{
    Shortlisted(3);
    const int32_t second = ShortlistScreen.order[1];
    MenuOption = MENU_OPTION_OFFICE;
    EXPECT_EQ(Shortlist_Click(3), 1);
    EXPECT_EQ(Shortlist_Tick(14), 1);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);

    EXPECT_EQ(Shortlist_Click(1), EXM_CODE_LEAVE);
    EXPECT_EQ(CurrentPlayer, second);
    EXPECT_EQ(CardReturnOption, OPTION_SHORTLIST);
    EXPECT_EQ(MenuOption, MENU_OPTION_PLAYER_CARD);

    ShortlistScreen.deleteMode = 1;
    EXPECT_EQ(Shortlist_Click(1), EXM_CODE_REDRAW);
    EXPECT_EQ(ShortList_Contains(second), 0);
    EXPECT_EQ(ShortlistScreen.count, 2);
    EXPECT_EQ(ShortlistScreen.deleteMode, 0u);
    EXPECT_EQ(ShortlistScreen.order[2], -1);
}

TEST_F(ShortlistScreenTest, ATickTogglesTheMarkAndAFreshEntryClearsEveryMark)
{
    Shortlisted(4);
    const int32_t player = ShortlistScreen.order[2];
    EXPECT_EQ(Shortlist_Tick(2), EXM_CODE_REDRAW);
    EXPECT_EQ(ShortList2_Contains(player), 1);
    Shortlist_Tick(2);
    EXPECT_EQ(ShortList2_Contains(player), 0);
    Shortlist_Tick(2);
    m_screen.Run(Shortlist_Table(), [&] { EXPECT_EQ(ShortList2_Contains(player), 0); });
}

TEST_F(ShortlistScreenTest, TheHumansBidShowsInPlaceOfTheValue)
{
    const std::vector<int32_t> players = Shortlisted(2);
    EXPECT_EQ(Shortlist_HumanBid(players[0]), -1);
    const int32_t price = 54321;
    DbClubs[m_screen.HumanClub()].bids[2] = {
        static_cast<int16_t>(players[0]), 0, 0, price, BID_TRANSFER, BID_PLACED, 0};
    EXPECT_EQ(Shortlist_HumanBid(players[0]), price);
    EXPECT_EQ(Shortlist_HumanBid(players[1]), -1);
}

TEST_F(ShortlistScreenTest, ThreePlayersMatchTheGolden)
{
    Shortlisted(3);
    uint32_t hash = 0;
    m_screen.Run(Shortlist_Table(), [&] { hash = WorkScreenHash(); });
    ExpectGoldenHash("menus/shortlist_three", hash);
}
