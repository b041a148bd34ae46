// tests/menus/transfer_routing_test.cpp: the routing of sale requests, loans and contract talks
// through the real market, and agreed deals answered the next day, on a seeded career.
#include <functional>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/records.h"
#include "game/squad.h"
#include "game/tables.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/negotiation.h"
#include "tests/support/screen_redraw.h"

namespace {

class TransferRouting : public ::testing::Test {
protected:
    TransferRouting()
    {
        Calendar_SetDay(0);
        Club_SetBalance(Human(), 100000000);
        m_buyer = DivisionLists[0][1];
        Club_SetBalance(m_buyer, 100000000);
        VTW_RefreshSquadCount(Human());
        m_own = VTW_GetPlayerByShirt(14);
        VTW_RefreshSquadCount(m_buyer);
        m_other = VTW_GetPlayerByShirt(14);
    }
    int32_t Human() const { return m_screen.HumanClub(); }

    // The routing from the office, its boxes answered "Oui" or "Non".
    static void Route(bool yes = true)
    {
        MenuOption = MENU_OPTION_OFFICE;
        ClickingBoxesAway(
            [] {
                RouteGameEvents();
                return 0;
            },
            yes);
    }
    static int32_t BidSlot(int32_t club, int32_t player)
    {
        for (int32_t slot = 0; slot < BID_SLOTS; ++slot) {
            if (VTW_GetClubBidPlayer(club, slot) == player) return slot;
        }
        return -1;
    }
    static void NextDay()
    {
        VTW_ClearHumanLists();
        Calendar_SetDay(VTW_GetCurrentDay() + 1);
        Market_DailyStage();
    }

    ScopedScreenRedraw m_screen;
    int32_t m_buyer = -1, m_own = -1, m_other = -1;
};

}  // namespace

TEST_F(TransferRouting, ARequestBelowFortyPercentIsDroppedAndOneAtFortyIsNegotiated)
{
    // His value at the league's price level, at which the clubs bid.
    const int64_t value =
        int64_t(VTW_ComputePlayerValueWithPotential(m_own)) * Market_PriceLevelPercent() / 100;
    struct Case {
        int32_t percent;
        int16_t option;
        uint16_t salesEvent;
    };
    for (const Case c : {Case{39, MENU_OPTION_OFFICE, 0}, Case{40, 10, 1}}) {
        VTW_ClearHumanSales();
        SalesEventFlag = 0;
        // Below his value at 70 %, the asking club bids the whole price.
        const int32_t price = static_cast<int32_t>((value * c.percent + 99) / 100);
        Market_AddHumanSale(m_own, m_buyer, 0, price);
        ASSERT_EQ(FrontEndRoutes.bidForPlayer(m_own, m_buyer), price);
        Route();
        EXPECT_EQ(MenuOption, c.option) << c.percent;
        EXPECT_EQ(SalesEventFlag, c.salesEvent);
        EXPECT_EQ(VTW_HasHumanSales(), c.salesEvent);
        EXPECT_EQ(CurrentPlayer, m_own);
        EXPECT_EQ(RouteClub, m_buyer);
    }
}

TEST_F(TransferRouting, ALoanRequestIsBookedOnYesAndDroppedOnNo)
{
    VTW_SetPlayerLoanList(m_own, 1);
    for (const bool yes : {false, true}) {
        Market_AddHumanSale(m_own, m_buyer, 1, 0);
        Route(yes);
        EXPECT_EQ(MenuOption, 59);
        EXPECT_EQ(VTW_HasHumanSales(), 0);
        const int32_t slot = BidSlot(m_buyer, m_own);
        EXPECT_EQ(slot >= 0, yes);
        EXPECT_EQ(VTW_FindBidInfo(m_own) >= 0, yes);
        EXPECT_EQ(VTW_GetClubBidPrice(m_buyer, slot), yes ? LOAN_BID_AMOUNT : 0);
    }
    // The loan the human agreed stands at the answer, though the list no longer names him.
    VTW_SetPlayerLoanList(m_own, 0);
    NextDay();
    EXPECT_EQ(VTW_GetPlayerOnLoan(m_own), 1);
    EXPECT_EQ(VTW_GetPlayerLoanSlot(m_own), m_buyer);
}

TEST_F(TransferRouting, PendingTalksOpenTheContractTalksForTheirPlayer)
{
    Market_AddHumanContract(m_own, Human(), TALK_RENEWAL);
    Route();
    EXPECT_EQ(MenuOption, 14);
    EXPECT_EQ(CurrentPlayer, m_own);
}

TEST_F(TransferRouting, AnAgreedPurchaseKeepsItsTalksUntilDecided)
{
    const int32_t fee = VTW_ComputeTransferFee(m_other, 3, Human(), nullptr, 0);
    ASSERT_GE(VTW_PlaceBid(Human(), m_other, fee, 0, 0), 0);
    ASSERT_GE(Market_AgreeBidInfo(m_other), 0);
    NextDay();  // an agreed fee below the first turn's demand is accepted
    Route();
    EXPECT_EQ(MenuOption, 14);
    EXPECT_EQ(CurrentPlayer, m_other);
    NextDay();  // the talks were left through the menu bar: filed again
    EXPECT_EQ(VTW_GetHumanContracts(), m_other);
}

TEST_F(TransferRouting, ARefusedBidFreesItsRowAndThePlayerCanBeAgreedAgain)
{
    ASSERT_GE(VTW_PlaceBid(Human(), m_other, 1000, 0, 0), 0);
    // A bid far below the demand and not agreed: refused, its row freed.
    const int32_t row = VTW_AddBidInfo(m_other, VTW_FindFreeBidInfo());
    MarketState.bidInfo[row].state = BID_PLACED;
    NextDay();
    EXPECT_EQ(BidSlot(Human(), m_other), -1);
    EXPECT_EQ(VTW_FindBidInfo(m_other), -1);
    // A row left behind from a refused deal is marked agreed again by the next deal.
    const int32_t left = VTW_AddBidInfo(m_other, VTW_FindFreeBidInfo());
    MarketState.bidInfo[left].state = BID_REFUSED;
    EXPECT_EQ(Market_AgreeBidInfo(m_other), left);
    EXPECT_EQ(MarketState.bidInfo[left].state, BID_AGREED);
    EXPECT_EQ(MarketState.bidInfo[left].day, VTW_GetCurrentDay());
}

TEST_F(TransferRouting, AnAgreedSaleGoesThroughThoughHeIsTheBestOfHisLineButNotBelowSixteen)
{
    VTW_RefreshSquadCount(Human());
    const int32_t best = VTW_GetPlayerByShirt(1);  // the first-choice keeper
    ASSERT_GE(VTW_PlaceBid(m_buyer, best, 500000, 0, 0), 0);
    ASSERT_GE(Market_AgreeBidInfo(best), 0);
    NextDay();
    EXPECT_EQ(VTW_GetPlayerClub(best), m_buyer);

    // At sixteen players the agreed sale is refused.
    ReleaseDownTo(Human(), SELLER_KEEPS, m_own);
    ASSERT_EQ(VTW_GetClubSquadCount(Human()), SELLER_KEEPS);
    ASSERT_GE(VTW_PlaceBid(m_buyer, m_own, 1000, 0, 0), 0);
    ASSERT_GE(Market_AgreeBidInfo(m_own), 0);
    NextDay();
    EXPECT_EQ(VTW_GetPlayerClub(m_own), Human());
    EXPECT_EQ(BidSlot(m_buyer, m_own), -1);
}

TEST_F(TransferRouting, AComputerClubAsksTheHumansAskingPrice)
{
    constexpr int32_t kAsking = 1234000;
    const int32_t count = VTW_RefreshSquadCount(Human());
    for (int32_t k = 0; k < count; ++k) {
        VTW_SetPlayerManPrice(SquadList.players[k], kAsking);
        VTW_PutPlayerOnTxList(SquadList.players[k], 1);
    }
    for (int32_t day = 0; day < 120 && VTW_HasHumanSales() == 0; ++day) {
        NextDay();
    }
    ASSERT_EQ(VTW_HasHumanSales(), 1);
    EXPECT_EQ(VTW_GetSaleAskingPrice(VTW_FindHumanSales()), kAsking);
}
