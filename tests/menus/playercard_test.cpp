// tests/menus/playercard_test.cpp: the player card's actions and their refusals, the card's
// frame, and the career history's paging and way out.
#include "menus/playercard.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/careerlog.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/records.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/tables.h"
#include "menus/careerhistory.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "tests/support/screen_redraw.h"

namespace {

class PlayerCardTest : public ::testing::Test {
protected:
    PlayerCardTest()
    {
        VTW_RefreshSquadCount(Human());
        m_own = VTW_GetPlayerByShirt(8);
        m_seller = DivisionLists[0][1];
        VTW_RefreshSquadCount(m_seller);
        m_other = VTW_GetPlayerByShirt(8);
        Calendar_SetDay(OpenDay());
    }
    int32_t Human() const { return m_screen.HumanClub(); }
    static int32_t OpenDay()
    {
        for (int32_t day = 0; day < 366; ++day) {
            Calendar_SetDay(day);
            if (Market_WindowOpen()) return day;
        }
        return 0;
    }
    static int32_t Act(int32_t (*action)(MenuListEntry*), bool yes = true)
    {
        return ClickingBoxesAway([action] { return action(nullptr); }, yes);
    }
    static PlayerRecord& Rec(int32_t player) { return *Player_RefForSet(player, "test").full; }

    ScopedScreenRedraw m_screen;
    int32_t m_own = -1, m_other = -1, m_seller = -1;
};

}  // namespace

TEST_F(PlayerCardTest, ReleasingPaysWageTimesMonthsTimesFourToTheOutsideAndListsHim)
{
    CurrentPlayer = static_cast<int16_t>(m_own);
    Rec(m_own).wage = 1000;
    Rec(m_own).contractMonths = 10;
    Club_SetBalance(Human(), 100000000);  // a budget well above the cost
    const int64_t club = VTW_GetClubBalance(Human());
    const int64_t outside = Club_GetOutsideBalance();
    EXPECT_EQ(Act(Card_Release), LIST_CODE_LEAVE);
    EXPECT_EQ(MenuOption, MENU_OPTION_SQUAD);
    EXPECT_EQ(VTW_GetClubBalance(Human()), club - 40000);
    EXPECT_EQ(Club_GetOutsideBalance(), outside + 40000);
    EXPECT_EQ(VTW_GetPlayerClub(m_own), CLUB_NONE);
    EXPECT_EQ(VTW_GetPlayerTxList(m_own), 1);
    EXPECT_EQ(VTW_GetPlayerWage(m_own), 1);
    CareerLogRow rows[CAREERLOG_COPY_MAX];
    const int32_t count = VTW_CopyPlayerLogRows(m_own, rows, CAREERLOG_COPY_MAX);
    ASSERT_GE(count, 1);
    EXPECT_EQ(rows[count - 1].kind, CAREERLOG_RELEASED);
}

TEST_F(PlayerCardTest, OwnPlayerActionsAreRefusedWithTheirTexts)
{
    CurrentPlayer = static_cast<int16_t>(m_own);
    // Above the budget: nothing moves.
    Rec(m_own).wage = 1000000;
    Rec(m_own).contractMonths = 30;
    EXPECT_EQ(Act(Card_Release), LIST_CODE_REDRAW);
    EXPECT_EQ(VTW_GetPlayerClub(m_own), Human());
    // On loan away: nothing changes on either list.
    Rec(m_own).flags |= PLAYER_ON_LOAN;
    Rec(m_own).loanClub = static_cast<int16_t>(m_seller);
    for (auto action : {Card_Release, Card_ToggleTransferList, Card_ToggleLoanList}) {
        EXPECT_EQ(Act(action), LIST_CODE_REDRAW);
    }
    EXPECT_EQ(VTW_GetPlayerClub(m_own), Human());
    EXPECT_EQ(VTW_GetPlayerTxList(m_own), 0);
    EXPECT_EQ(VTW_GetPlayerLoanList(m_own), 0);
    Rec(m_own).flags &= ~PLAYER_ON_LOAN;
    Rec(m_own).loanClub = -1;
    // Without a contract he cannot be listed; with one the toggle flips.
    Rec(m_own).contractMonths = 0;
    EXPECT_EQ(Act(Card_ToggleTransferList), LIST_CODE_REDRAW);
    EXPECT_EQ(VTW_GetPlayerTxList(m_own), 0);
    Rec(m_own).contractMonths = 12;
    Card_ToggleTransferList(nullptr);
    EXPECT_EQ(VTW_GetPlayerTxList(m_own), 1);
    Card_ToggleTransferList(nullptr);
    EXPECT_EQ(VTW_GetPlayerTxList(m_own), 0);
    // Contract talks: too long a contract is refused and nothing opens.
    MenuOption = MENU_OPTION_PLAYER_CARD;
    Rec(m_own).contractMonths = 30;
    EXPECT_EQ(Act(Card_ContractTalks), LIST_CODE_REDRAW);
    EXPECT_EQ(MenuOption, MENU_OPTION_PLAYER_CARD);
}

TEST_F(PlayerCardTest, EachBuyConditionRefusesWith1143AndAFreePlayerIsBidForAtOnce)
{
    CurrentPlayer = static_cast<int16_t>(m_other);
    struct Case {
        const char* name;
        void (*spoil)(int32_t player, int32_t human);
        void (*mend)(int32_t player, int32_t human);
    };
    const Case cases[] = {
        {"closed period", [](int32_t, int32_t) { Calendar_SetDay(GameState.closedTransfer[0][0]); },
         [](int32_t, int32_t) { Calendar_SetDay(OpenDay()); }},
        {"player-manager", [](int32_t p, int32_t) { Rec(p).flags |= PLAYER_MANAGER; },
         [](int32_t p, int32_t) { Rec(p).flags &= ~PLAYER_MANAGER; }},
        {"wage above the offer", [](int32_t p, int32_t) { Rec(p).wage = 10000000; },
         [](int32_t p, int32_t) { Rec(p).wage = 500; }},
        {"recent list", [](int32_t p, int32_t) { VTW_PushHumanRecent(p); },
         [](int32_t, int32_t) { VTW_ClearHumanRecentList(); }},
    };
    for (const Case& c : cases) {
        c.spoil(m_other, Human());
        const int32_t bids = VTW_CountClubBidsForPlayer(m_other);
        EXPECT_EQ(Act(Card_Buy), LIST_CODE_REDRAW) << c.name;
        EXPECT_EQ(VTW_CountClubBidsForPlayer(m_other), bids) << c.name;
        c.mend(m_other, Human());
    }
    // His own player cannot be bought.
    CurrentPlayer = static_cast<int16_t>(m_own);
    EXPECT_EQ(Act(Card_Buy), LIST_CODE_REDRAW);
    // An unattached player: a bid of 0 with its information row, at once.
    Market_Release(m_other);
    CurrentPlayer = static_cast<int16_t>(m_other);
    VTW_ClearHumanRecentList();
    Rec(m_other).wage = 0;
    const int32_t result = Act(Card_Buy);
    if (VTW_CountClubBidsForPlayer(m_other) == 1) {
        EXPECT_EQ(result, LIST_CODE_REDRAW);
        EXPECT_GE(VTW_FindBidInfo(m_other), 0);
        EXPECT_EQ(VTW_GetClubBidPrice(Human(), 0), 0);
        EXPECT_EQ(VTW_IsNotInHumanRecent(m_other), 0);  // pushed
    }
}

TEST_F(PlayerCardTest, BorrowingNeedsALoanListedPlayerAndBidsOneHundred)
{
    CurrentPlayer = static_cast<int16_t>(m_other);
    EXPECT_EQ(Act(Card_Borrow), LIST_CODE_REDRAW);
    EXPECT_EQ(VTW_CountClubBidsForPlayer(m_other), 0);
    VTW_SetPlayerLoanList(m_other, 1);
    Rec(m_other).wage = 100;
    EXPECT_EQ(Act(Card_Borrow), LIST_CODE_REDRAW);
    bool loanBid = false;
    for (int32_t slot = 0; slot < BID_SLOTS; ++slot) {
        loanBid = loanBid
                  || (VTW_GetClubBidPlayer(Human(), slot) == m_other
                      && VTW_GetClubBidPrice(Human(), slot) == LOAN_BID_AMOUNT);
    }
    EXPECT_TRUE(loanBid || VTW_GetPlayerOnLoan(m_other) != 0);
}

TEST_F(PlayerCardTest, TheShortlistEntryAddsAndRemovesOnlyOnYes)
{
    CurrentPlayer = static_cast<int16_t>(m_other);
    EXPECT_EQ(Act(Card_Shortlist), LIST_CODE_REDRAW);
    EXPECT_EQ(ShortList_Contains(m_other), 1);
    Act(Card_Shortlist, false);
    EXPECT_EQ(ShortList_Contains(m_other), 1);
    Act(Card_Shortlist, true);
    EXPECT_EQ(ShortList_Contains(m_other), 0);
}

TEST_F(PlayerCardTest, RetiringEndsThePlayingCareerOnceAndOpensTheHistory)
{
    CurrentPlayer = PERSON_HUMAN;
    EXPECT_EQ(Act(Card_Retire), LIST_CODE_REDRAW);  // 1121: he plays no more
    EXPECT_EQ(Card_CaseOf(m_own), CARD_OWN_PLAYER);
    EXPECT_EQ(Card_CaseOf(m_other), CARD_OTHER_PLAYER);
    EXPECT_EQ(Card_CaseOf(PERSON_HUMAN), CARD_NOT_AVAILABLE);
    VTW_SetClubControl(Human(), MANAGER_COMPUTER);
    EXPECT_EQ(Card_CaseOf(m_own), CARD_NOT_AVAILABLE);
}

TEST_F(PlayerCardTest, TheCardOfShirtOneAtDayZeroMatchesItsGolden)
{
    VTW_RefreshSquadCount(Human());
    CurrentPlayer = static_cast<int16_t>(VTW_GetPlayerByShirt(1));
    uint32_t hash = 0;
    m_screen.Run(PlayerCard_Table(), [&] { hash = WorkScreenHash(); });
    ExpectGoldenHash("menus/card_day0", hash);
}

TEST_F(PlayerCardTest, TheHistoryPagesWithinItsRowsAndLeavesToTheCardThenTheOffice)
{
    CurrentPlayer = static_cast<int16_t>(m_own);
    struct Case {
        int16_t count;
        int16_t lastFirst;  // the first row after paging down far enough
    };
    for (const Case c : {Case{10, 0}, Case{30, 14}}) {
        CareerHistory.count = c.count;
        CareerHistory.first = 0;
        CareerHistory_Up(nullptr);
        EXPECT_EQ(CareerHistory.first, 0);
        for (int32_t i = 0; i < 40; ++i) {
            CareerHistory_Down(nullptr);
        }
        EXPECT_EQ(CareerHistory.first, c.lastFirst);
    }
    CardReturnOption = MENU_OPTION_SQUAD;
    EXPECT_EQ(CareerHistory_Done(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, MENU_OPTION_PLAYER_CARD);
    EXPECT_EQ(CardReturnOption, MENU_OPTION_OFFICE);
    VTW_RefreshSquadCount(Human());
    EXPECT_EQ(CareerHistory_GoalsHeader(VTW_GetPlayerByShirt(1)), 1830);
    EXPECT_EQ(CareerHistory_GoalsHeader(VTW_GetPlayerByShirt(9)), 64);
}
