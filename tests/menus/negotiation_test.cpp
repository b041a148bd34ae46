// tests/menus/negotiation_test.cpp: the transfer negotiation on a seeded career: its starting
// amounts, steps, turns, deals and refusals, the card round trip and the ways out.
#include "menus/negotiation.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/records.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textformat.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/menu_loop.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t LEFT = 1, RIGHT = 2;
constexpr int32_t PROPOSE_X = 171, ACCEPT_Y = 370, PROPOSE_Y = 335;  // the buyer's buttons

class NegotiationTest : public ::testing::Test {
protected:
    NegotiationTest()
    {
        VTW_RefreshSquadCount(Human());
        m_own = VTW_GetPlayerByShirt(14);
        m_seller = DivisionLists[0][1];
        VTW_RefreshSquadCount(m_seller);
        m_other = VTW_GetPlayerByShirt(14);
        Club_SetBalance(Human(), 100000000);
        SalesEventFlag = 0;
    }
    int32_t Human() const { return m_screen.HumanClub(); }

    // The screen for `player`, `settled` once its first build shows, then the inputs.
    void Open(
        int32_t player, const std::function<void()>& settled = [] {}, MenuInputs inputs = {})
    {
        CurrentPlayer = static_cast<int16_t>(player);
        m_screen.Run(Negotiation_Table(), settled, inputs);
    }
    static void ClickingAway(const std::function<void()>& fn)
    {
        ClickingBoxesAway([&] {
            fn();
            return 0;
        });
    }
    // The bid of `club` for `player`, -1 none.
    static int32_t BidSlot(int32_t club, int32_t player)
    {
        for (int32_t slot = 0; slot < BID_SLOTS; ++slot) {
            if (VTW_GetClubBidPlayer(club, slot) == player) return slot;
        }
        return -1;
    }

    static int32_t FirstFreeSlotOf(int32_t club) { return BidSlot(club, -1); }

    ScopedScreenRedraw m_screen;
    int32_t m_own = -1, m_other = -1, m_seller = -1;
};

}  // namespace

TEST_F(NegotiationTest, BuyingStartsAtHisValueWithinTheBudgetAndTheSellersDemand)
{
    const int32_t value = VTW_GetPlayerValue(m_other);
    const int32_t potential = VTW_ComputePlayerValueWithPotential(m_other);
    for (const int32_t balance : {100000000, value / 2 + 3000000, -5000000}) {
        Club_SetBalance(Human(), balance);
        const int32_t budget = std::max(0, VTW_GetClubTransferBudget(Human()));
        Open(m_other, [&] {
            EXPECT_EQ(Negotiation.buying, 1);
            EXPECT_EQ(Negotiation.turn, 0);
            EXPECT_EQ(Negotiation.offer, std::min({value, budget, potential})) << balance;
            EXPECT_EQ(Negotiation.demand, VTW_ComputeTransferFee(m_other, 0, Human(), nullptr, 0));
            EXPECT_EQ(Negotiation.sellerClub, m_seller);
            EXPECT_EQ(Negotiation.buyingClub, Human());
        });
    }
}

TEST_F(NegotiationTest, SellingStartsAtTheRequestsPriceElseHisValue)
{
    RouteClub = static_cast<int16_t>(m_seller);
    for (const int32_t price : {-1, 2345000}) {
        VTW_ClearHumanSales();
        if (price != -1) Market_AddHumanSale(m_own, m_seller, 0, price);
        Open(m_own, [&] {
            EXPECT_EQ(Negotiation.buying, 0);
            EXPECT_EQ(Negotiation.demand, price != -1 ? price : VTW_GetPlayerValue(m_own));
            EXPECT_EQ(Negotiation.offer, VTW_ComputeBidForPlayer(m_own, Negotiation.demand, 0,
                                                                 m_seller, 0, 0, nullptr));
        });
    }
}

TEST_F(NegotiationTest, StepsKeepTheAmountsWithinZeroTheBudgetAndFiftyMillion)
{
    struct Case {
        uint16_t buying;
        int32_t start, step, click, expected;  // -2 for the budget
    };
    const int32_t budget = VTW_GetClubTransferBudget(Human());
    const Case cases[] = {
        {1, 500000, 100000, LEFT, 600000},   {1, 500000, 1000000, RIGHT, 0},
        {1, budget - 1000, 10000, LEFT, -2}, {0, 49990000, 10000000, LEFT, 50000000},
        {0, 2000, 10000, RIGHT, 0},          {0, 2000, 1000, LEFT, 3000},
    };
    for (const Case& c : cases) {
        Negotiation.buying = c.buying;
        int32_t& amount = c.buying != 0 ? Negotiation.offer : Negotiation.demand;
        amount = c.start;
        ClickingAway([&] { EXPECT_EQ(Negotiation_Step(c.step, c.click), EXM_CODE_REDRAW); });
        EXPECT_EQ(amount, c.expected == -2 ? budget : c.expected) << c.start << " " << c.step;
    }
}

TEST_F(NegotiationTest, ARefusedProposalAdvancesTheTurnAndAMatchingOneConcludes)
{
    Calendar_SetDay(0);
    int32_t firstDemand = 0;
    MenuInputs inputs;
    AddClick(&inputs, 220, PROPOSE_X, PROPOSE_Y);  // "Offre" at the starting offer
    inputs.push_back({300, MenuInput::CALL, 0, 0, [&] {
                          EXPECT_EQ(Negotiation.turn, 1);
                          EXPECT_EQ(BidSlot(Human(), m_other), -1);
                          // The offer at the next demand, nice-rounded, concludes.
                          Negotiation.offer =
                              VTW_ComputeTransferFee(m_other, 1, Human(), nullptr, 0);
                      }});
    AddClick(&inputs, 320, PROPOSE_X, PROPOSE_Y);
    Open(
        m_other, [&] { firstDemand = Negotiation.demand; }, inputs);
    EXPECT_EQ(MenuOption, MENU_OPTION_PLAYER_CARD);
    EXPECT_EQ(Negotiation.turn, 2);
    const int32_t slot = BidSlot(Human(), m_other);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(VTW_GetClubBidPrice(Human(), slot), Negotiation.offer);
    EXPECT_LT(Negotiation.offer, firstDemand);  // the seller came down a turn
    const int32_t info = VTW_FindBidInfo(m_other);
    ASSERT_GE(info, 0);
    EXPECT_EQ(MarketState.bidInfo[info].state, BID_AGREED);
}

TEST_F(NegotiationTest, AcceptingWithoutTheMoneyOffersTheBudgetAndStays)
{
    Open(m_other);
    Club_SetBalance(Human(), 0);
    const int32_t budget = std::max(0, VTW_GetClubTransferBudget(Human()));
    ASSERT_LT(budget, Negotiation.demand);
    ClickingAway([&] { EXPECT_EQ(Negotiation_Accept(nullptr), EXM_CODE_REDRAW); });
    EXPECT_EQ(Negotiation.offer, budget);
    EXPECT_EQ(BidSlot(Human(), m_other), -1);
}

TEST_F(NegotiationTest, TheCardRoundTripKeepsTurnAmountsAndClause)
{
    MenuInputs inputs;
    inputs.push_back({210, MenuInput::CALL, 0, 0, [] {
                          Negotiation_ToggleClause(nullptr);
                          Negotiation_Step(100000, LEFT);
                      }});
    AddClick(&inputs, 230, PROPOSE_X, PROPOSE_Y);  // refused: turn 1
    AddClick(&inputs, 300, 320, 85);               // the player line: his card
    NegotiationState before{};
    Open(
        m_other, [] {}, inputs);
    before = Negotiation;
    EXPECT_EQ(MenuOption, MENU_OPTION_PLAYER_CARD);
    EXPECT_EQ(PlayerCardOutcome, 1);
    {
        ScopedMenuScript script({}, 20);
        DispatchOption(MENU_OPTION_PLAYER_CARD);
    }
    EXPECT_EQ(MenuOption, 10);
    Open(m_other, [&] {
        EXPECT_EQ(Negotiation.turn, before.turn);
        EXPECT_EQ(Negotiation.offer, before.offer);
        EXPECT_EQ(Negotiation.demand, before.demand);
        EXPECT_EQ(Negotiation.clause, 1);
        EXPECT_EQ(PlayerCardOutcome, 0);
    });
}

TEST_F(NegotiationTest, AtMostThreeInterestedClubsAreListed)
{
    Calendar_SetDay(0);
    int32_t placed = 0;
    for (int32_t k = 2; k < 8 && placed < 4; ++k) {
        Club_SetBalance(DivisionLists[0][k], 100000000);
        placed += VTW_PlaceBid(DivisionLists[0][k], m_other, 1000, 0, k % 2) >= 0;
    }
    ASSERT_EQ(placed, 4);
    Open(m_other, [] {
        EXPECT_EQ(Negotiation.interestedCount, NEGOTIATION_INTERESTED_ROWS);
        for (const auto& row : Negotiation.interestedRows) {
            EXPECT_NE(row[0], '\0');
        }
    });
}

TEST_F(NegotiationTest, LeavingGoesWhereTheScreenWasOpenedFrom)
{
    struct Case {
        uint16_t buying, salesEvent;
        int16_t option;
        uint16_t cardReturn;
    };
    const Case cases[] = {
        {0, 1, 59, 10},
        {1, 1, 59, 10},
        {0, 0, MENU_OPTION_OFFICE, 10},
        {1, 0, MENU_OPTION_PLAYER_CARD, MENU_OPTION_SQUAD},
    };
    for (const Case& c : cases) {
        Market_AddHumanSale(m_own, m_seller, 0, -1);
        CurrentPlayer = static_cast<int16_t>(m_own);
        Negotiation.buying = c.buying;
        SalesEventFlag = c.salesEvent;
        CardReturnOption = MENU_OPTION_SQUAD;
        EXPECT_EQ(Negotiation_Quit(nullptr), EXM_CODE_LEAVE);
        EXPECT_EQ(MenuOption, c.option);
        EXPECT_EQ(CardReturnOption, c.cardReturn);
        EXPECT_EQ(SalesEventFlag, 0);
        EXPECT_EQ(VTW_HasHumanSales(), 0);  // quitting drops the request
    }
}

TEST_F(NegotiationTest, DealsThatCannotBeMadeAreRefusedAndPlaceNoBid)
{
    Calendar_SetDay(0);
    // No free information row: 1152.
    const MarketStateRecord saved = MarketState;
    for (int32_t k = 0; k < BIDINFO_ROWS; ++k) {
        MarketState.bidInfo[k].player = static_cast<int16_t>(20000 + k);
    }
    Open(m_other);
    ClickingAway([] { EXPECT_EQ(Negotiation_Accept(nullptr), EXM_CODE_REDRAW); });
    EXPECT_EQ(BidSlot(Human(), m_other), -1);
    MarketState = saved;
    // A sale that would leave the human 15 players.
    RouteClub = static_cast<int16_t>(m_seller);
    Market_AddHumanSale(m_own, m_seller, 0, -1);
    ReleaseDownTo(Human(), SELLER_KEEPS, m_own);
    ASSERT_EQ(VTW_GetClubSquadCount(Human()), SELLER_KEEPS);
    Open(m_own);
    ClickingAway([] { EXPECT_EQ(Negotiation_Accept(nullptr), EXM_CODE_REDRAW); });
    EXPECT_EQ(BidSlot(m_seller, m_own), -1);
    EXPECT_EQ(VTW_HasHumanSales(), 1);
}

// A computer club buying from the human with its four bid slots in use: "Accepter" says why
// nothing happens, and the sale stays offered.
TEST_F(NegotiationTest, ABuyerWhoseBidSlotsAreFullIsNamedAsTheReason)
{
    Calendar_SetDay(0);
    RouteClub = static_cast<int16_t>(m_seller);
    Market_AddHumanSale(m_own, m_seller, 0, -1);
    // Bids for players of another club fill the buyer's slots.
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(DivisionLists[0][5], &members);
    for (int32_t slot = 0, k = 0; slot < BID_SLOTS && k < count; ++k) {
        if (VTW_PlaceBid(m_seller, members[k], 1000, 0, 0) >= 0) ++slot;
    }
    ASSERT_EQ(FirstFreeSlotOf(m_seller), -1);
    Open(m_own);
    const uint32_t shown = BoxShownBy([] { Negotiation_Accept(nullptr); });
    EXPECT_EQ(shown, BoxOfText(TEXT_NEGOTIATION_TOO_MANY));
    EXPECT_NE(shown, 0u);
    EXPECT_EQ(BidSlot(m_seller, m_own), -1);
    EXPECT_EQ(VTW_HasHumanSales(), 1);
}

TEST_F(NegotiationTest, TheBuyingScreenAtDayZeroMatchesItsGolden)
{
    uint32_t hash = 0;
    Open(m_other, [&] { hash = WorkScreenHash(); });
    ExpectGoldenHash("menus/negotiation_day0", hash);
}
