// tests/menus/playercard_test.cpp: the player card's actions and their refusals, the card's
// frame, and the career history's paging and way out.
#include "menus/playercard.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

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
#include "game/textmess.h"
#include "menus/careerhistory.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/menupc.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
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

TEST_F(PlayerCardTest, EachBuyConditionGivesItsTextAndOnlyAnAcceptedTryIsPushedOnTheRecentList)
{
    const int32_t human = Human();
    ClubRecord& record = *Club_GetRecordAddress(human);
    record.wageLimit = 1000000;
    const int32_t third = DivisionLists[0][2];
    VTW_RefreshSquadCount(third);
    const std::vector<int16_t> loaned(SquadList.players, SquadList.players + 10);
    struct Case {
        const char* name;
        std::function<void()> spoil;
        int32_t expected;
        std::function<void()> mend;
    };
    const Case cases[] = {
        {"closed period", [] { Calendar_SetDay(GameState.closedTransfer[0][0]); }, TEXT_CARD_NO_BID,
         [] { Calendar_SetDay(OpenDay()); }},
        {"player-manager", [&] { Rec(m_other).flags |= PLAYER_MANAGER; }, TEXT_CARD_NO_BID,
         [&] { Rec(m_other).flags &= ~PLAYER_MANAGER; }},
        {"squad of 32",
         [&] {
             for (const int16_t p : loaned)
                 VTW_SetPlayerClub(p, human);
         },
         TEXT_CARD_NO_BID,
         [&] {
             for (const int16_t p : loaned)
                 VTW_SetPlayerClub(p, third);
         }},
        {"wage above the offer", [&] { record.wageLimit = VTW_GetPlayerWage(m_other) - 1; },
         TEXT_CARD_NO_BID, [&] { record.wageLimit = 1000000; }},
        {"full recent list",
         [&] {
             for (int32_t p = 100; p < 100 + RECENT_ROWS; ++p)
                 VTW_PushHumanRecent(p);
         },
         TEXT_CARD_NO_BID, [] { VTW_ClearHumanRecentList(); }},
        {"five bidders",
         [&] {
             for (int32_t k = 3; k < 8; ++k) {
                 ASSERT_GE(VTW_PlaceBid(DivisionLists[0][k], m_other, 0, 1, 0), 0) << k;
             }
         },
         TEXT_CARD_TOO_MANY, [] { VTW_ClearHumanRecentList(); }},
    };
    for (const Case& c : cases) {
        c.spoil();
        EXPECT_EQ(ClickingBoxesAway([&] { return Card_TryBuy(m_other); }), c.expected) << c.name;
        EXPECT_EQ(VTW_IsNotInHumanRecent(m_other), c.expected == TEXT_CARD_NO_BID) << c.name;
        c.mend();
    }
    EXPECT_EQ(Card_TryBuy(m_own), TEXT_CARD_NO_BID);
}

TEST_F(PlayerCardTest, BuyingLeadsToTalksOrBidsAtOnceAndANewSquadOfSixteenKeepsItsPlayers)
{
    Club_GetRecordAddress(Human())->wageLimit = 1000000;
    // Without interest his sales entry goes.
    Market_AddHumanSale(m_other, m_seller, 0, 5000);
    const uint8_t reputation = Club_GetRecordAddress(Human())->reputation;
    Club_GetRecordAddress(Human())->reputation = 0;  // far below his: he will not come
    Rec(m_other).reputation = 40;
    EXPECT_EQ(Card_TryBuy(m_other), TEXT_CARD_NO_INTEREST);
    EXPECT_EQ(VTW_GetSaleAskingPrice(m_other), -1);
    VTW_ClearHumanRecentList();
    Club_GetRecordAddress(Human())->reputation = reputation;
    Rec(m_other).reputation = 0;
    // A player with a value: the negotiations.
    EXPECT_EQ(Card_TryBuy(m_other), CARD_LEAVES);
    EXPECT_EQ(MenuOption, 10);
    // An unattached player: a bid of 0 with its information row, at once.
    Market_Release(m_other);
    VTW_ClearHumanRecentList();
    EXPECT_EQ(Card_TryBuy(m_other), 0);
    EXPECT_EQ(VTW_GetClubBidPlayer(Human(), 0), m_other);
    EXPECT_EQ(VTW_GetClubBidPrice(Human(), 0), 0);
    EXPECT_GE(VTW_FindBidInfo(m_other), 0);
    // A seller down to 16 keeps them.
    VTW_RefreshSquadCount(m_seller);
    const int32_t target = SquadList.players[0];
    const std::vector<int16_t> leaving(SquadList.players + 16, SquadList.players + SquadList.count);
    for (const int16_t p : leaving) {
        Market_Release(p);
    }
    ASSERT_EQ(VTW_GetClubSquadCount(m_seller), 16);
    EXPECT_EQ(Card_TryBuy(target), TEXT_CARD_NO_BID);
}

TEST_F(PlayerCardTest, ContractTalksNeedEveryConditionElse1158)
{
    const int32_t human = Human();
    ClubRecord& record = *Club_GetRecordAddress(human);
    record.wageLimit = 1000000;
    record.contractClause = 1;
    Rec(m_own).contractMonths = 12;
    EXPECT_EQ(Card_TryContractTalks(m_own), CARD_LEAVES);
    EXPECT_EQ(MenuOption, 14);
    struct Case {
        const char* name;
        std::function<void()> spoil, mend;
    };
    const Case cases[] = {
        {"contract of 24 months", [&] { Rec(m_own).contractMonths = 24; },
         [&] { Rec(m_own).contractMonths = 12; }},
        {"no clause", [&] { record.contractClause = 0; }, [&] { record.contractClause = 1; }},
        {"wage above the offer", [&] { record.wageLimit = VTW_GetPlayerWage(m_own) - 1; },
         [&] { record.wageLimit = 1000000; }},
        {"player-manager", [&] { Rec(m_own).flags |= PLAYER_MANAGER; },
         [&] { Rec(m_own).flags &= ~PLAYER_MANAGER; }},
        {"computer club", [&] { VTW_SetClubControl(human, MANAGER_COMPUTER); },
         [&] { VTW_SetClubControl(human, MANAGER_HUMAN); }},
    };
    for (const Case& c : cases) {
        c.spoil();
        EXPECT_EQ(Card_TryContractTalks(m_own), TEXT_CARD_NO_TALKS) << c.name;
        c.mend();
        EXPECT_EQ(Card_TryContractTalks(m_own), CARD_LEAVES) << c.name;
    }
}

TEST_F(PlayerCardTest, BorrowingNeedsALoanListedPlayerAndItsLoanBidBorrowsHimFromAComputerClub)
{
    Club_GetRecordAddress(Human())->wageLimit = 1000000;
    EXPECT_EQ(Card_TryBorrow(m_other), TEXT_CARD_NO_BORROW);  // not loan-listed
    VTW_SetPlayerLoanList(m_other, 1);
    for (int32_t k = 3; k < 8; ++k) {
        ASSERT_GE(VTW_PlaceBid(DivisionLists[0][k], m_other, 0, 1, 0), 0) << k;
    }
    EXPECT_EQ(Card_TryBorrow(m_other), TEXT_CARD_LOAN_TOO_MANY);
    EXPECT_EQ(Card_TryBorrow(m_other), TEXT_CARD_NO_BORROW);  // now on the recent list

    // A computer club lends a loan-listed player on the loan bid at once.
    VTW_RefreshSquadCount(m_seller);
    const int32_t loanee = VTW_GetPlayerByShirt(9);
    VTW_SetPlayerLoanList(loanee, 1);
    EXPECT_EQ(Card_TryBorrow(loanee), 0);
    EXPECT_EQ(VTW_GetPlayerOnLoan(loanee), 1);
    EXPECT_EQ(VTW_GetPlayerLoanSlot(loanee), Human());
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
    Club_GetRecordAddress(Human())->playerManagerClause = 1;
    VTW_AddNewPlayer(Human());
    CurrentPlayer = PERSON_HUMAN;
    EXPECT_EQ(Card_CaseOf(PERSON_HUMAN), CARD_PLAYER_MANAGER);
    EXPECT_EQ(Act(Card_Retire, false), LIST_CODE_REDRAW);
    EXPECT_EQ(VTW_GetPlayerManagerFlag(PERSON_HUMAN), 1);
    EXPECT_EQ(Act(Card_Retire, true), LIST_CODE_LEAVE);
    EXPECT_EQ(MenuOption, MENU_OPTION_CAREER);
    EXPECT_EQ(VTW_GetPlayerManagerFlag(PERSON_HUMAN), 0);
    EXPECT_EQ(Club_GetRecordAddress(Human())->playerManagerClause, 0);
    MenuOption = MENU_OPTION_PLAYER_CARD;
    EXPECT_EQ(Act(Card_Retire), LIST_CODE_REDRAW);  // 1121: he plays no more
    EXPECT_EQ(MenuOption, MENU_OPTION_PLAYER_CARD);
    // His history's OK leads to his reputation as a manager.
    EXPECT_EQ(CareerHistory_Done(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, OPTION_MANAGER_REPUTATION);

    EXPECT_EQ(Card_CaseOf(PERSON_HUMAN), CARD_NOT_AVAILABLE);
    EXPECT_EQ(Card_CaseOf(m_own), CARD_OWN_PLAYER);
    EXPECT_EQ(Card_CaseOf(m_other), CARD_OTHER_PLAYER);
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

// A keeper's history heads its goals column "G. Invaincu", wider than the column in the heading
// font: it must not run into "Perf. moy".
TEST_F(PlayerCardTest, AKeepersHistoryMatchesItsGolden)
{
    VTW_RefreshSquadCount(Human());
    CurrentPlayer = static_cast<int16_t>(VTW_GetPlayerByShirt(1));
    uint32_t hash = 0;
    m_screen.Run(CareerHistory_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("history_keeper.png");
    });
    ExpectGoldenHash("menus/history_keeper", hash);
}

// A career older than the game has no rows in the log: his season so far at his club is the
// newest row, after what the log holds, and counts the matches since the log's row of his move
// only; a player without a club has none.
TEST_F(PlayerCardTest, TheHistoryEndsWithTheSeasonSoFarAtHisClub)
{
    CurrentPlayer = static_cast<int16_t>(m_own);
    Rec(m_own).seasonApps = 3;
    Rec(m_own).seasonGoals = 1;
    VTW_AddClubLog(m_own, m_seller, CAREERLOG_LOAN);
    Rec(m_own).seasonApps = 5;
    Rec(m_own).seasonGoals = 2;
    CareerLogRow logged[CAREERLOG_COPY_MAX];
    const int32_t inLog = VTW_CopyPlayerLogRows(m_own, logged, CAREERLOG_COPY_MAX);
    m_screen.Run(CareerHistory_Table(), [] {});
    ASSERT_EQ(CareerHistory.count, inLog + 1);
    EXPECT_EQ(CareerHistory.rows[inLog - 1].kind, CAREERLOG_LOAN);
    const CareerLogRow& now = CareerHistory.rows[inLog];
    EXPECT_EQ(now.kind, CAREERLOG_SEASON);
    EXPECT_EQ(now.season, GameState.seasonCounter);
    EXPECT_EQ(now.team, VTW_GetTeam(Human()));
    EXPECT_EQ(now.division, VTW_GetClubDivision(Human()));
    EXPECT_EQ(now.apps, 2);
    EXPECT_EQ(now.goals, 1);
    EXPECT_EQ(VTW_CopyPlayerLogRows(m_own, logged, CAREERLOG_COPY_MAX), inLog);  // nothing logged

    VTW_SetPlayerClub(m_own, CLUB_NONE);
    m_screen.Run(CareerHistory_Table(), [] {});
    EXPECT_EQ(CareerHistory.count, inLog);

    // Neither an id of the spare pool, though its record names a club, nor a light player.
    VTW_SetPlayerClub(m_own, Human());
    DbPersons[m_own].flags |= PERSON_FREE;
    CareerLogRow row{};
    EXPECT_FALSE(CareerLog_SeasonSoFar(m_own, &row));
    ASSERT_LT(FullPlayerCount, DbPersonCount);
    EXPECT_FALSE(CareerLog_SeasonSoFar(FullPlayerCount, &row));
    EXPECT_EQ(row.player, 0);  // untouched
}

// Every row names its club: a spell without one, from a release to the signing that ends it,
// reads "Joueur sans engagement" as the transfer list names it, and a player signed from abroad
// came from his club there, as the transfer list says.
TEST_F(PlayerCardTest, EveryHistoryRowNamesItsClubOrTheSpellWithoutOne)
{
    int32_t abroad = FullPlayerCount;
    while (DbLightPlayers[abroad - FullPlayerCount].club != CLUB_ORIGIN
           || (DbPersons[abroad].flags & PERSON_FREE)) {
        ++abroad;
    }
    const int32_t team = DbLightPlayers[abroad - FullPlayerCount].originWord;
    abroad = Market_MovePlayer(abroad, Human(), 0, false, 500, 12);
    ASSERT_GE(abroad, 0);
    Market_Release(m_own);
    ASSERT_GE(Market_MovePlayer(m_own, m_seller, 0, false, 500, 12), 0);
    // The rows show newest first, from y 100 in steps of 20, the club's name at x 200.
    const auto clubShown = [&](int32_t player, int32_t row, const std::string& club) {
        CurrentPlayer = static_cast<int16_t>(player);
        bool shown = false;
        m_screen.Run(CareerHistory_Table(), [&] {
            const CareerLogRow& logged = CareerHistory.rows[CareerHistory.count - 1 - row];
            EXPECT_NE(logged.kind, CAREERLOG_SEASON);
            shown = TextDrawnAt(club, 200, 110 + 20 * row, 0, MENU_ALIGN_ML);
        });
        return shown;
    };
    // His season so far at the buyer, the signing that ended his spell without a club, then the
    // release from the human's club.
    EXPECT_TRUE(clubShown(m_own, 1, GetMessageText(789)));
    EXPECT_TRUE(clubShown(m_own, 2, VTW_FormatClubName(VTW_GetTeam(Human()))));
    EXPECT_TRUE(clubShown(abroad, 1, VTW_FormatClubName(team)));
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
