// tests/menus/contracttalks_test.cpp: contract talks on a seeded career: the opening offer, the
// demand and its refusals, signing a renewal and a purchase, and withdrawing from the talks.
#include "menus/contracttalks.h"

#include <functional>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/records.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textformat.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t LEFT = 1, RIGHT = 2;
constexpr int32_t OFFER_X = 171, OFFER_Y = 380;

class ContractTalksTest : public ::testing::Test {
protected:
    ContractTalksTest()
    {
        Club_SetBalance(Human(), 100000000);
        VTW_RefreshSquadCount(Human());
        m_own = VTW_GetPlayerByShirt(14);
        m_seller = DivisionLists[0][1];
        VTW_RefreshSquadCount(m_seller);
        m_other = VTW_GetPlayerByShirt(14);
        Rec(m_own).contractMonths = 10;
    }
    int32_t Human() const { return m_screen.HumanClub(); }
    static PlayerRecord& Rec(int32_t player) { return *Player_RefForSet(player, "test").full; }

    // The talks with `player`, `settled` once the first build shows, then the inputs.
    void Open(
        int32_t player, const std::function<void()>& settled = [] {}, MenuInputs inputs = {})
    {
        CurrentPlayer = static_cast<int16_t>(player);
        m_screen.Run(ContractTalks_Table(), settled, inputs);
    }
    static int32_t Quietly(const std::function<int32_t()>& fn) { return ClickingBoxesAway(fn); }

    ScopedScreenRedraw m_screen;
    int32_t m_own = -1, m_other = -1, m_seller = -1;
};

}  // namespace

TEST_F(ContractTalksTest, TheOpeningOfferIsThePresentWageRoundedTo25)
{
    for (const auto& [wage, expected] : {std::pair{1012, 1000}, std::pair{1013, 1025}}) {
        Rec(m_own).wage = wage;
        Open(m_own, [&] {
            ASSERT_GT(ContractTalks.demand, 1100);  // the demand does not lower the offer
            EXPECT_EQ(ContractTalks.wageOffer, expected);
            EXPECT_EQ(ContractTalks.years, TALKS_YEARS_DEFAULT);
        });
    }
}

TEST_F(ContractTalksTest, TheDemandIsTheFirstWageThePlayerSignsFor)
{
    Open(m_own, [&] {
        const ContractTalksState t = ContractTalks;
        EXPECT_EQ(t.wouldSign, 1);
        EXPECT_EQ(t.demand % 25, 0);
        EXPECT_NE(VTW_EvaluateContractOffer(m_own, 24, Human(), 0, nullptr, t.demand, 0), 0);
        EXPECT_EQ(VTW_EvaluateContractOffer(m_own, 24, Human(), 0, nullptr,
                                            t.demand - TALKS_DEMAND_RISE, 0),
                  0);
        // Both clauses lower what he asks, and the rise still ends.
        ContractTalks_ToggleRelegation(nullptr);
        ContractTalks_ToggleBigClub(nullptr);
        ContractTalks_ComputeDemand();
        EXPECT_EQ(ContractTalks.wouldSign, 1);
        EXPECT_LE(ContractTalks.demand, t.demand);
    });
}

// The talks start from their own scale, far below what a top club's player earns, and the
// player's evaluation raises the demand to the wage the world pays him: every national player
// of the human's club asks within a rise of that wage, and no less than he earns now.
TEST_F(ContractTalksTest, TheDemandStartsOnTheTalksScaleAndRisesToTheWageHeIsPaid)
{
    const int32_t division = VTW_GetClubDivision(Human());
    const int32_t scaleTop[] = {800, 380, 190};  // per mille, ability + training / 2 <= 150
    ASSERT_LT(division, 3);
    int32_t checked = 0;
    for (int32_t shirt = 1; shirt <= 30; ++shirt) {
        const int32_t player = VTW_GetPlayerByShirt(shirt);
        if (player < 0 || VTW_GetPlayerNationality(player) != VTW_GetClubCountry(Human())) continue;
        Rec(player).contractMonths = 10;
        EXPECT_LE(ContractTalks_BaseDemand(player, Human(), 2),
                  scaleTop[division] * 150 / 100 * 140 / 100);
        Open(player, [&] {
            const int32_t world = Contract_Demand(player, 24, Human(), 0, 0);
            EXPECT_EQ(ContractTalks.wouldSign, 1) << shirt;
            EXPECT_GE(ContractTalks.demand, world) << shirt;
            EXPECT_LT(ContractTalks.demand, world + TALKS_DEMAND_RISE) << shirt;
            // The new game paid him the world's wage for two years: he asks about the same.
            EXPECT_GE(ContractTalks.demand, VTW_GetPlayerWage(player)) << shirt;
            EXPECT_LT(ContractTalks.demand, VTW_GetPlayerWage(player) + TALKS_DEMAND_RISE) << shirt;
        });
        ++checked;
    }
    EXPECT_GE(checked, 5);
}

TEST_F(ContractTalksTest, FourYearsLeftAllowOnlyOneMoreAndSixAreRefusedWithNothingWritten)
{
    Rec(m_own).contractMonths = 48;
    const int32_t wage = VTW_GetPlayerWage(m_own);
    MenuInputs inputs;
    AddClick(&inputs, 220, OFFER_X, OFFER_Y);
    Open(
        m_own,
        [&] {
            EXPECT_EQ(ContractTalks.wouldSign, 0);  // 2 + 4 years
            ContractTalks.wageOffer = 50000;
        },
        inputs);
    EXPECT_EQ(Rec(m_own).contractMonths, 48);
    EXPECT_EQ(VTW_GetPlayerWage(m_own), wage);
    ContractTalks.years = 1;
    ContractTalks_Years(LEFT);  // 1 + 4 reaches five: undone
    EXPECT_EQ(ContractTalks.years, 1);
    ContractTalks_ComputeDemand();
    EXPECT_EQ(ContractTalks.wouldSign, 1);
    ContractTalks_Years(RIGHT);
    EXPECT_EQ(ContractTalks.years, 1);
    // Another club's player may be offered up to five years, never more.
    CurrentPlayer = static_cast<int16_t>(m_other);
    ContractTalks.years = 4;
    ContractTalks_Years(LEFT);
    ContractTalks_Years(LEFT);
    EXPECT_EQ(ContractTalks.years, CONTRACT_YEARS_MAX);
}

TEST_F(ContractTalksTest, TheWageStaysWithinZeroAndTheHighestOffer)
{
    const int32_t top = VTW_GetClubMaxWageOffer(Human());
    ContractTalks.wageOffer = top - 10;
    Quietly([] { return ContractTalks_Step(10000, LEFT); });
    EXPECT_EQ(ContractTalks.wageOffer, VTW_RoundTo25(top));
    ContractTalks.wageOffer = 50;
    ContractTalks_Step(100, RIGHT);
    EXPECT_EQ(ContractTalks.wageOffer, 0);
    ContractTalks_Step(25, LEFT);
    EXPECT_EQ(ContractTalks.wageOffer, 25);
}

TEST_F(ContractTalksTest, AnOfferAtTheDemandRenewsHisContract)
{
    MenuInputs inputs;
    inputs.push_back(
        {210, MenuInput::CALL, 0, 0, [] { ContractTalks.wageOffer = ContractTalks.demand; }});
    AddClick(&inputs, 220, OFFER_X, OFFER_Y);
    AddClick(&inputs, 300, 320, 280);  // the signing's message box
    int32_t demand = 0;
    Open(
        m_own, [&] { demand = ContractTalks.demand; }, inputs);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    EXPECT_EQ(Rec(m_own).contractMonths, 24);
    EXPECT_EQ(VTW_GetPlayerWage(m_own), demand);
}

TEST_F(ContractTalksTest, AnAgreedPurchaseIsAnsweredNextDayAndSignedAtTheDemand)
{
    Calendar_SetDay(0);
    ShortList_Add_Player(m_other);
    const int32_t fee = VTW_ComputeTransferFee(m_other, 0, Human(), nullptr, 0);
    ASSERT_GE(VTW_PlaceBid(Human(), m_other, fee, 0, 0), 0);
    ASSERT_GE(Market_AgreeBidInfo(m_other), 0);
    const int64_t balance = VTW_GetClubBalance(Human());
    Calendar_SetDay(1);
    Market_DailyStage();
    ASSERT_EQ(VTW_GetHumanContracts(), m_other);
    MenuInputs inputs;
    inputs.push_back(
        {210, MenuInput::CALL, 0, 0, [] { ContractTalks.wageOffer = ContractTalks.demand; }});
    AddClick(&inputs, 220, OFFER_X, OFFER_Y);
    Open(
        m_other, [] {}, inputs);
    EXPECT_EQ(VTW_GetPlayerClub(m_other), Human());
    EXPECT_EQ(VTW_GetClubBalance(Human()), balance - fee);
    EXPECT_EQ(ShortList_Contains(m_other), 0);
    EXPECT_EQ(VTW_HasHumanContracts(), 0);
}

TEST_F(ContractTalksTest, QuittingASigningWithdrawsTheBidAndItsInformation)
{
    Calendar_SetDay(0);
    ASSERT_GE(VTW_PlaceBid(Human(), m_other, 1000, 0, 0), 0);
    ASSERT_GE(Market_AgreeBidInfo(m_other), 0);
    Market_AddHumanContract(m_other, Human(), TALK_SIGNING);
    CurrentPlayer = static_cast<int16_t>(m_other);
    EXPECT_EQ(ContractTalks_Quit(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, MENU_OPTION_PLAYER_CARD);
    EXPECT_EQ(CardReturnOption, MENU_OPTION_OFFICE);
    EXPECT_EQ(VTW_CountClubBidsForPlayer(m_other), 0);
    EXPECT_EQ(VTW_FindBidInfo(m_other), -1);
    EXPECT_EQ(VTW_HasHumanContracts(), 0);
    // Without a bid nothing is withdrawn, and nothing else is touched.
    Club_SetBalance(DivisionLists[0][2], 100000000);
    ASSERT_GE(VTW_PlaceBid(DivisionLists[0][2], m_other, 1000, 0, 0), 0);
    EXPECT_EQ(ContractTalks_Quit(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(VTW_CountClubBidsForPlayer(m_other), 1);
}

TEST_F(ContractTalksTest, TheRenewalTalksAtDayZeroMatchTheirGolden)
{
    uint32_t hash = 0;
    Open(m_own, [&] { hash = WorkScreenHash(); });
    ExpectGoldenHash("menus/contract_talks_day0", hash);
}
