// tests/game/market_test.cpp: bids and fees, contracts, the transfer records, staff and jobs on a
// seeded new game.
#include "game/market.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/memory.h"
#include "engine/random.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/hooks.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/squad.h"
#include "game/statmodel.h"
#include "game/textmess.h"
#include "game/transfers.h"
#include "game/world.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t kHuman = 3;

class Market : public testing::Test {
protected:
    void SetUp() override
    {
        MemoryInit();
        SaveGame_Init();
        MatchBlocks_Init();
        Season_Init();
        NewGameForTest(0, 4242);
        VTW_SetClubControl(kHuman, MANAGER_HUMAN);
        GameState.humanClub = kHuman;
    }
    void TearDown() override
    {
        Season_Uninit();
        MatchBlocks_Uninit();
    }

    ScopedWorld m_world;
};

// The first few players of a club, in id order.
std::vector<int32_t> PlayersOf(int32_t club, int32_t n)
{
    std::vector<int32_t> out;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount && int32_t(out.size()) < n;
         ++id) {
        if (Squad_IsMember(id, club)) out.push_back(id);
    }
    return out;
}

// The keepers on the club's books.
int32_t KeepersOf(int32_t club)
{
    int32_t n = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        n += !(DbPersons[id].flags & PERSON_FREE) && DbPlayers[id].club == club
             && DbPlayers[id].position == 0;
    }
    return n;
}

// All the club's keepers but one join the unattached players.
void LeaveOneKeeper(int32_t club)
{
    bool kept = false;
    for (const int32_t id : PlayersOf(club, SQUAD_MAX)) {
        if (VTW_GetPositionLine(id) != 0) continue;
        if (kept) Market_Release(id);
        kept = true;
    }
}

TEST_F(Market, FeesAndOffersStayWithinTheirBoundsAtEveryTurn)
{
    for (const int32_t player : PlayersOf(10, 12)) {
        for (int32_t listed = 0; listed < 2; ++listed) {
            VTW_PutPlayerOnTxList(player, listed);
            for (int32_t clause = 0; clause < 2; ++clause) {
                int32_t previous = MARKET_MONEY_MAX;
                for (int32_t turn = 0; turn <= 6; ++turn) {
                    int32_t interest = -1;
                    const int32_t demand =
                        VTW_ComputeTransferFee(player, turn, 1, &interest, clause);
                    EXPECT_GE(demand, 0);
                    EXPECT_LE(demand, previous);  // the seller comes down as the talks go on
                    previous = demand;
                    EXPECT_GE(interest, 0);
                    EXPECT_LE(interest, 100);
                    const int32_t offer =
                        VTW_ComputeBidForPlayer(player, demand, turn, 1, clause, 0, &interest);
                    EXPECT_GE(offer, 0);
                    EXPECT_LE(offer, demand);
                    EXPECT_GE(interest, 0);
                    EXPECT_LE(interest, 100);
                }
            }
        }
    }
}

// The fees asked follow what the league's clubs can spend beyond their wage reserves: twice that
// asks twice the fee, and a league with nothing to spend asks half a new career's fees.
TEST_F(Market, FeesFollowWhatTheLeaguesClubsCanSpend)
{
    const int32_t clubs = World_LeagueClubCount(0);
    const int32_t player = PlayersOf(10, 1)[0];
    const int32_t fee = VTW_ComputeTransferFee(player, 0, 1, nullptr, 0);
    ASSERT_GT(fee, 0);
    std::vector<int32_t> budgets(clubs);
    for (int32_t club = 0; club < clubs; ++club) {
        budgets[club] = Club_GetTransferBudget(club);
        DbClubs[club].balance += budgets[club] * 4 / 3;  // the budget is 3/4 of the money beyond
    }
    for (int32_t club = 0; club < clubs; ++club) {
        EXPECT_NEAR(Club_GetTransferBudget(club), 2 * budgets[club], 2) << "club " << club;
    }
    EXPECT_NEAR(VTW_ComputeTransferFee(player, 0, 1, nullptr, 0), 2 * fee, fee / 20);
    for (int32_t club = 0; club < clubs; ++club) {
        DbClubs[club].balance = 0;
    }
    EXPECT_NEAR(2 * VTW_ComputeTransferFee(player, 0, 1, nullptr, 0), fee, fee / 10);
}

TEST_F(Market, AcceptingWagesFormOneIntervalFromTheDemandUp)
{
    for (const int32_t player : PlayersOf(20, 8)) {
        for (const int32_t months : {12, 24, 36}) {
            const int32_t demand = Contract_Demand(player, months, 1, 0, 0);
            int32_t interest = 0;
            bool accepted = false;
            for (int32_t wage = 0; wage <= 2 * demand + 100; wage += 25) {
                const bool now =
                    VTW_EvaluateContractOffer(player, months, 1, 0, &interest, wage, 0);
                EXPECT_TRUE(now || !accepted) << "player " << player << " wage " << wage;
                accepted = now;
            }
            EXPECT_TRUE(accepted);
        }
    }
}

TEST_F(Market, ContractsOfMoreThanFiveYearsOrTooSmallAClubAreRefused)
{
    const int32_t player = PlayersOf(kHuman, 1)[0];
    int32_t interest = 1;
    EXPECT_EQ(VTW_EvaluateContractOffer(player, 72, 1, 0, &interest, MARKET_MONEY_MAX, 0), 0);
    EXPECT_EQ(interest, 0);
    // His years left count for the human's own player.
    DbPlayers[player].contractMonths = 24;
    EXPECT_EQ(VTW_EvaluateContractOffer(player, 48, kHuman, 0, &interest, MARKET_MONEY_MAX, 0), 0);
    EXPECT_EQ(VTW_RenewContracts(player, 48, kHuman, 0, &interest, MARKET_MONEY_MAX, 0), 0);
    EXPECT_EQ(DbPlayers[player].contractMonths, 24);
    DbPlayers[player].reputation = 50;
    DbClubs[1].reputation = 24;
    EXPECT_EQ(VTW_EvaluateContractOffer(player, 12, 1, 0, &interest, MARKET_MONEY_MAX, 0), 0);
    DbClubs[1].reputation = 25;
    EXPECT_EQ(VTW_EvaluateContractOffer(player, 12, 1, 0, &interest, MARKET_MONEY_MAX, 0), 1);
}

TEST_F(Market, BidInformationRefusesAFailedSearchAndAUsedRow)
{
    EXPECT_EQ(VTW_AddBidInfo(100, -1), -1);
    const int32_t slot = VTW_FindFreeBidInfo();
    EXPECT_EQ(VTW_AddBidInfo(100, slot), slot);
    EXPECT_EQ(VTW_AddBidInfo(101, slot), -1);
    EXPECT_EQ(VTW_FindBidInfo(100), slot);
    EXPECT_EQ(VTW_FindBidInfo(101), -1);
}

TEST_F(Market, BidsAreRefusedForOwnPlayersAboveTheBudgetAndFromASixthClub)
{
    const int32_t player = PlayersOf(30, 1)[0];
    EXPECT_EQ(VTW_PlaceBid(30, player, 0, BIDPOS_DEFENDER, 0), -1);
    DbClubs[1].balance = 0;
    EXPECT_EQ(VTW_PlaceBid(1, player, 1000, BIDPOS_DEFENDER, 0), -1);
    for (int32_t club = 2; club < 2 + BIDDERS_MAX; ++club) {
        DbClubs[club].balance = BALANCE_MAX;
        EXPECT_GE(VTW_PlaceBid(club, player, 1000, BIDPOS_DEFENDER, 0), 0);
    }
    DbClubs[10].balance = BALANCE_MAX;
    EXPECT_EQ(VTW_PlaceBid(10, player, 1000, BIDPOS_DEFENDER, 0), -1);
    EXPECT_EQ(VTW_CountClubBidsForPlayer(player), BIDDERS_MAX);
}

TEST_F(Market, TheHumansAcceptedBidBecomesAMoveWithItsRecordAndMoney)
{
    DbClubs[kHuman].balance = BALANCE_MAX / 2;
    int32_t player = -1;
    for (const int32_t id : PlayersOf(60, 30)) {
        if (VTW_GetPlayerShirt(id) > 11 && !Market_LineAtMinimum(60, VTW_GetPositionLine(id)))
            player = id;
    }
    ASSERT_GE(player, 0);
    const int32_t fee = VTW_ComputeTransferFee(player, 0, kHuman, nullptr, 0);
    const int32_t buyerBefore = DbClubs[kHuman].balance;
    ASSERT_GE(VTW_PlaceBid(kHuman, player, fee, BIDPOS_DEFENDER, 0), 0);
    Calendar_SetDay(DayNo + 1);
    Market_DailyStage();
    ASSERT_EQ(VTW_GetHumanContracts(), player);
    const int32_t demand = Contract_Demand(player, 24, kHuman, 0, 0);
    int32_t interest = 0;
    DbClubs[kHuman].reputation = 63;
    ASSERT_EQ(VTW_RenewContracts(player, 24, kHuman, 0, &interest, demand, 0), 1);
    VTW_CompleteHumanBid();
    EXPECT_EQ(VTW_GetPlayerClub(player), kHuman);
    EXPECT_EQ(DbClubs[kHuman].balance, buyerBefore - fee);
    EXPECT_GE(VTW_GetClubSales(60), fee);
    // The computer clubs trade in the same window: the human's deal is the newest row.
    const TransferRecordRow* row = VTW_GetTransferRecord(Transfers_Count() - 1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->seller, 60);
    EXPECT_EQ(row->buyer, kHuman);
    EXPECT_EQ(row->player, player);
    EXPECT_EQ(row->fee, fee);
    EXPECT_EQ(VTW_HasHumanContracts(), 0);
}

// The human's bid slot for the player, -1 none.
int32_t HumansBidSlot(int32_t player)
{
    for (int32_t slot = 0; slot < BID_SLOTS; ++slot) {
        if (VTW_GetClubBidPlayer(kHuman, slot) == player) return slot;
    }
    return -1;
}

// The inbox lines from `first` on that name the player.
std::vector<std::string> LinesNaming(int32_t player, int32_t first)
{
    const std::string name = GetMessageText(TEXT_PERSON_BASE + player);
    std::vector<std::string> lines;
    for (int32_t k = first; k < TextMessNews.count; ++k) {
        const std::string line = TextMess_InboxLine(k);
        if (line.find(name) != std::string::npos) lines.push_back(line);
    }
    return lines;
}

// A purchase the human agreed that falls through is told the day it does, with the seller, the
// fee and why: a budget that no longer covers the fee names both sums, a seller that no longer
// lets him go names none. A deal that stands goes to contract talks without a word, and one that
// finds every row of talks in use waits in its slot for the next day's row: no agreed deal
// disappears without a line.
TEST_F(Market, AnAgreedPurchaseThatFallsThroughIsToldTheDayItDoesAndWhy)
{
    ASSERT_TRUE(
        TextMess_LoadImage(GeneratedMessagesImage().data(), GeneratedMessagesImage().size()));
    AutoRunMode = 0;
    constexpr int32_t seller = 60;
    struct Row {
        const char* deal;
        bool unpaid, sellerAtLimit, talksInUse;
        int32_t lines;  // told today
        bool feeTold;
    };
    const Row rows[] = {
        {"stands", false, false, false, 0, false},
        {"unpaid", true, false, false, 1, true},
        {"seller keeps him", false, true, false, 1, false},
        {"no row of talks", false, false, true, 0, false},
    };
    // Reserves the seller can spare: neither its best of a line nor one of a line at its minimum.
    const std::vector<int32_t> squad = PlayersOf(seller, 30);
    const auto spared = [&](int32_t id) {
        const int32_t line = VTW_GetPositionLine(id);
        return VTW_GetPlayerShirt(id) > 11 && !Market_LineAtMinimum(seller, line)
               && std::any_of(squad.begin(), squad.end(), [&](int32_t other) {
                      return VTW_GetPositionLine(other) == line
                             && VTW_GetPlayerAbilityCurve(other) > VTW_GetPlayerAbilityCurve(id);
                  });
    };
    std::vector<int32_t> reserves;
    std::copy_if(squad.begin(), squad.end(), std::back_inserter(reserves), spared);
    ASSERT_GE(reserves.size(), std::size(rows));
    for (size_t r = 0; r < std::size(rows); ++r) {
        const Row& row = rows[r];
        const int32_t player = reserves[r];
        VTW_ClearHumanLists();
        DbClubs[kHuman].balance = BALANCE_MAX / 2;
        DbClubs[seller].balance = 0;
        const int32_t fee = VTW_ComputeTransferFee(player, 0, kHuman, nullptr, 0);
        ASSERT_GE(VTW_PlaceBid(kHuman, player, fee, BIDPOS_DEFENDER, 0), 0) << row.deal;
        ASSERT_GE(Market_AgreeBidInfo(player), 0) << row.deal;
        // Half the fee left to spend: the budget is three quarters of the balance above the
        // wages it keeps back.
        if (row.unpaid)
            DbClubs[kHuman].balance -= (Club_GetTransferBudget(kHuman) - fee / 2) * 4 / 3;
        if (row.sellerAtLimit) DbClubs[seller].balance = BALANCE_MAX;
        if (row.talksInUse) {
            for (int32_t k = 0; k < TALKS_ROWS; ++k) {
                Market_AddHumanContract(PlayersOf(kHuman, TALKS_ROWS)[k], kHuman, TALK_RENEWAL);
            }
        }
        const std::string feeText = GameHooks.FormatMoney(fee);
        const int32_t budget = Club_GetTransferBudget(kHuman);
        ASSERT_EQ(budget < fee, row.unpaid) << row.deal;
        ASSERT_GT(budget, 0) << row.deal;
        const std::string budgetText = GameHooks.FormatMoney(budget);
        const int32_t inbox = TextMessNews.count;
        Calendar_SetDay(DayNo + 1);
        Market_DailyStage();

        const std::vector<std::string> told = LinesNaming(player, inbox);
        ASSERT_EQ(int32_t(told.size()), row.lines) << row.deal << (told.empty() ? "" : told[0]);
        const bool kept = HumansBidSlot(player) >= 0;
        EXPECT_NE(kept, row.lines == 1) << row.deal;
        EXPECT_EQ(VTW_GetPlayerClub(player), seller) << row.deal;
        if (row.lines == 1) {
            EXPECT_NE(told[0].find(VTW_FormatClubName(VTW_GetTeam(seller))), std::string::npos)
                << told[0];
            EXPECT_EQ(told[0].find(feeText) != std::string::npos, row.feeTold) << told[0];
            EXPECT_EQ(told[0].find(budgetText) != std::string::npos, row.feeTold) << told[0];
        }
        EXPECT_EQ(VTW_GetHumanContracts() == player, row.deal == rows[0].deal) << row.deal;
        if (row.lines == 0 && !row.talksInUse) {
            // A seller that can no longer take the fee when the talks end keeps him, and says so.
            DbClubs[seller].balance = BALANCE_MAX;
            VTW_CompleteHumanBid();
            EXPECT_EQ(LinesNaming(player, inbox).size(), 1u);
            EXPECT_LT(HumansBidSlot(player), 0);
            EXPECT_EQ(VTW_GetPlayerClub(player), seller);
        }
        if (row.talksInUse) {
            VTW_ClearHumanLists();
            Calendar_SetDay(DayNo + 1);
            Market_DailyStage();
            EXPECT_EQ(VTW_GetHumanContracts(), player);
        }
        Market_WithdrawBid(kHuman, player);
    }
    // The human's own agreed sale that his squad minimum stops has its own message box, and is
    // not told as a purchase that fell through.
    const std::vector<int32_t> own = PlayersOf(kHuman, SQUAD_MAX);
    for (size_t k = SELLER_KEEPS; k < own.size(); ++k) {
        Market_Release(own[k]);
    }
    ASSERT_EQ(VTW_GetClubSquadCount(kHuman), SELLER_KEEPS);
    const int32_t sold = own[0];
    constexpr int32_t buyer = 50;
    DbClubs[buyer].balance = BALANCE_MAX / 2;
    ASSERT_GE(VTW_PlaceBid(buyer, sold, VTW_GetPlayerValue(sold), BIDPOS_DEFENDER, 0), 0);
    ASSERT_GE(Market_AgreeBidInfo(sold), 0);
    const int32_t inbox = TextMessNews.count;
    Calendar_SetDay(DayNo + 1);
    Market_DailyStage();
    EXPECT_EQ(VTW_GetPlayerClub(sold), kHuman);
    EXPECT_TRUE(LinesNaming(sold, inbox).empty());
}

// Two purchases that fit the budget alone and not together never both go through: the second
// offer of the day is refused at once, the first one's fee held back from what the human is
// shown; two offers made while both fitted, before the budget shrank, are answered in turn, the
// second falling through with its line. Whatever happens, the human spends no more than his
// budget of the first day.
TEST_F(Market, TwoPurchasesThatFitAloneButNotTogetherNeverBothGoThrough)
{
    ASSERT_TRUE(
        TextMess_LoadImage(GeneratedMessagesImage().data(), GeneratedMessagesImage().size()));
    AutoRunMode = 0;
    DbClubs[kHuman].reputation = 63;
    // A reserve of each seller: neither its best of a line nor one of a line at its minimum.
    std::vector<int32_t> targets;
    for (const int32_t seller : {60, 61}) {
        DbClubs[seller].balance = 0;
        const std::vector<int32_t> squad = PlayersOf(seller, 30);
        const auto reserve = std::find_if(squad.begin(), squad.end(), [&](int32_t id) {
            const int32_t line = VTW_GetPositionLine(id);
            return !Market_LineAtMinimum(seller, line)
                   && std::any_of(squad.begin(), squad.end(), [&](int32_t other) {
                          return VTW_GetPositionLine(other) == line
                                 && VTW_GetPlayerAbilityCurve(other)
                                        > VTW_GetPlayerAbilityCurve(id);
                      });
        });
        ASSERT_NE(reserve, squad.end());
        targets.push_back(*reserve);
    }
    for (const bool budgetShrinks : {false, true}) {
        SCOPED_TRACE(budgetShrinks ? "the budget shrinks after both offers" : "offers of one day");
        DbClubs[kHuman].balance = BALANCE_MAX / 2;
        const int32_t budget = Club_GetTransferBudget(kHuman);
        const int32_t price = budget / 5 * 3;  // each fits, both do not
        // A bigger balance on the day of the offers, for both to fit then.
        if (budgetShrinks) DbClubs[kHuman].balance = BALANCE_MAX;
        ASSERT_GE(VTW_PlaceBid(kHuman, targets[0], price, BIDPOS_DEFENDER, 0), 0);
        ASSERT_GE(Market_AgreeBidInfo(targets[0]), 0);
        EXPECT_EQ(VTW_GetClubTransferBudget(kHuman), Club_GetTransferBudget(kHuman) - price);
        const int32_t second = VTW_PlaceBid(kHuman, targets[1], price, BIDPOS_DEFENDER, 0);
        EXPECT_EQ(second >= 0, budgetShrinks);
        if (second >= 0) {
            ASSERT_GE(Market_AgreeBidInfo(targets[1]), 0);
        }
        DbClubs[kHuman].balance = BALANCE_MAX / 2;
        const int32_t balanceBefore = DbClubs[kHuman].balance;
        const int32_t inbox = TextMessNews.count;
        // Each deal that stands goes to contract talks, which the human ends by signing him.
        for (int32_t day = 0; day < 3; ++day) {
            VTW_ClearHumanLists();
            Calendar_SetDay(DayNo + 1);
            Market_DailyStage();
            for (int32_t player = VTW_GetHumanContracts(); player >= 0;
                 player = VTW_GetHumanContracts()) {
                int32_t interest = 0;
                const int32_t wage = Contract_Demand(player, 24, kHuman, 0, 0);
                if (VTW_GetPlayerClub(player) == kHuman
                    || VTW_RenewContracts(player, 24, kHuman, 0, &interest, wage, 0) != 1) {
                    VTW_RemoveHumanContract(player);
                    continue;
                }
                VTW_CompleteHumanBid();
            }
        }
        EXPECT_EQ(VTW_GetPlayerClub(targets[0]), kHuman);
        EXPECT_NE(VTW_GetPlayerClub(targets[1]), kHuman);
        EXPECT_GE(int64_t(DbClubs[kHuman].balance), int64_t(balanceBefore) - budget);
        EXPECT_EQ(LinesNaming(targets[1], inbox).size(), budgetShrinks ? 1u : 0u);
        EXPECT_EQ(Market_FeesBidFor(kHuman), 0);
        // The sellers take their players back for the next round.
        for (size_t k = 0; k < targets.size(); ++k) {
            if (VTW_GetPlayerClub(targets[k]) != kHuman) continue;
            Market_MovePlayer(targets[k], 60 + int32_t(k), 0, false, 1000, 12);
        }
    }
}

// A seller whose balance cannot take the whole fee does not sell: a cut fee would destroy the
// buyer's money. One unit of room decides it, for a direct move and for a bid.
TEST_F(Market, ASellerAtItsBalanceLimitSellsOnlyWhatItCanHold)
{
    constexpr int32_t seller = 60;
    constexpr int32_t buyer = 50;
    int32_t player = -1;
    for (const int32_t id : PlayersOf(seller, 30)) {
        if (VTW_GetPlayerShirt(id) > 11 && !Market_LineAtMinimum(seller, VTW_GetPositionLine(id)))
            player = id;
    }
    ASSERT_GE(player, 0);
    const int32_t fee = VTW_ComputeTransferFee(player, 0, buyer, nullptr, 0);
    const auto worldMoney = [] {
        int64_t sum = Club_GetOutsideBalance();
        for (int32_t club = 0; club < World_LeagueClubCount(0); ++club) {
            sum += DbClubs[club].balance;
        }
        return sum;
    };
    DbClubs[buyer].balance = BALANCE_MAX / 2;
    DbClubs[seller].balance = BALANCE_MAX - fee + 1;
    const int32_t rows = Transfers_Count();
    EXPECT_EQ(Market_MovePlayer(player, buyer, fee, false, 1000, 12), -1);
    EXPECT_EQ(VTW_GetPlayerClub(player), seller);
    EXPECT_EQ(Transfers_Count(), rows);
    EXPECT_EQ(DbClubs[buyer].balance, BALANCE_MAX / 2);
    // At the limit nothing is sold, whatever the fee the market would ask.
    DbClubs[seller].balance = BALANCE_MAX;
    const int64_t before = worldMoney();
    ASSERT_GE(VTW_PlaceBid(buyer, player, fee, BIDPOS_DEFENDER, 0), 0);
    Calendar_SetDay(DayNo + 1);
    Market_DailyStage();
    EXPECT_EQ(VTW_GetPlayerClub(player), seller);
    EXPECT_EQ(worldMoney(), before);
    DbClubs[seller].balance = BALANCE_MAX - fee;
    const int32_t buyerBefore = DbClubs[buyer].balance;
    EXPECT_EQ(Market_MovePlayer(player, buyer, fee, false, 1000, 12), player);
    EXPECT_EQ(DbClubs[seller].balance, BALANCE_MAX);
    EXPECT_EQ(DbClubs[buyer].balance, buyerBefore - fee);
}

// The light players of a club outside the league, its manager aside.
std::vector<int32_t> OutsideSquadOf(int32_t club)
{
    std::vector<int32_t> squad;
    for (int32_t id = FullPlayerCount; id < DbPersonCount; ++id) {
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        if (!(DbPersons[id].flags & PERSON_FREE) && p.club == club
            && p.position != POSITION_MANAGER)
            squad.push_back(id);
    }
    return squad;
}

// A squad of the world outside sells only while it keeps a side of eleven with a keeper: it plays
// cup ties, and once fielded ten men and no keeper for months after the league bought from it.
TEST_F(Market, AClubOutsideTheLeagueSellsOnlyAboveItsMinimum)
{
    struct Row {
        int32_t squad, keepers;
        bool keeperSold, sells;
    };
    constexpr Row kRows[] = {
        {12, 1, false, true}, {11, 1, false, false}, {14, 2, true, true}, {14, 1, true, false}};
    constexpr int32_t buyer = 50;
    for (const Row& row : kRows) {
        SCOPED_TRACE("squad " + std::to_string(row.squad) + " keepers "
                     + std::to_string(row.keepers) + (row.keeperSold ? " keeper" : " outfield"));
        NewGameForTest(0, 4242);
        int32_t club = World_LeagueClubCount(0);
        const auto keepersIn = [](const std::vector<int32_t>& squad) {
            return std::count_if(squad.begin(), squad.end(),
                                 [](int32_t id) { return VTW_GetPositionLine(id) == 0; });
        };
        while (club < CLUB_ID_COUNT
               && (OutsideSquadOf(club).size() < 20 || keepersIn(OutsideSquadOf(club)) < 3)) {
            ++club;
        }
        ASSERT_LT(club, CLUB_ID_COUNT);
        std::vector<int32_t> squad = OutsideSquadOf(club);
        const auto sold = std::find_if(squad.begin(), squad.end(), [&row](int32_t id) {
            return (VTW_GetPositionLine(id) == 0) == row.keeperSold;
        });
        const int32_t player = *sold;
        // The others leave, keepers first, until the squad is the row's.
        std::stable_partition(squad.begin(), squad.end(),
                              [](int32_t id) { return VTW_GetPositionLine(id) == 0; });
        int32_t size = static_cast<int32_t>(squad.size());
        int32_t keepers = static_cast<int32_t>(keepersIn(squad));
        for (const int32_t id : squad) {
            const bool keeper = VTW_GetPositionLine(id) == 0;
            if (id == player || (keeper ? keepers <= row.keepers : size <= row.squad)) continue;
            DbPersons[id].flags = PERSON_FREE;
            --size;
            keepers -= keeper;
        }
        Records_MembershipChanged();
        ASSERT_EQ(size, row.squad);
        ASSERT_EQ(keepers, row.keepers);
        DbClubs[buyer].balance = BALANCE_MAX / 2;
        const int32_t fee = VTW_ComputeTransferFee(player, 0, buyer, nullptr, 0);
        ASSERT_GE(VTW_PlaceBid(buyer, player, fee, Market_BidLineCode(player), 0), 0);
        Calendar_SetDay(DayNo + 1);
        Market_DailyStage();
        const bool gone = (DbPersons[player].flags & PERSON_FREE) != 0;
        EXPECT_EQ(gone, row.sells);
        EXPECT_EQ(OutsideSquadOf(club).size(), size_t(row.squad - (row.sells ? 1 : 0)));
        // His transfer's record names the club he left, not "no club".
        bool recorded = false;
        for (int32_t n = 0; n < Transfers_Count(); ++n) {
            const TransferRecordRow* r = VTW_GetTransferRecord(n);
            recorded = recorded || (r->seller == club && r->buyer == buyer);
        }
        EXPECT_EQ(recorded, row.sells);
    }
}

// A club outside the league, like one inside it, sells to the computer clubs only when they
// stand above it: the world's big clubs once sold their stars to any club of the league, which
// lifted its mean ability 5 % for a dozen seasons.
TEST_F(Market, TheComputerClubsSignFromClubsOutsideOnlyWhenTheyStandAboveThem)
{
    using Person = std::tuple<uint16_t, uint8_t, uint8_t, uint16_t>;
    const auto person = [](int32_t id) {
        const PersonRecord& r = DbPersons[id];
        return Person{r.nameIndex, r.birthYear, r.initial, r.bits};
    };
    std::map<Person, int32_t> outsideReputation;
    for (int32_t id = FullPlayerCount; id < DbPersonCount; ++id) {
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        if (DbPersons[id].flags & PERSON_FREE) continue;
        if (p.club >= 0 && p.club < CLUB_ID_COUNT)
            outsideReputation[person(id)] = VTW_GetClubReputation(p.club);
        else if (p.club == CLUB_ORIGIN)
            outsideReputation[person(id)] = World.clubs[p.originWord].reputation;
    }
    const int32_t firstClosed = GameState.closedTransfer[0][0];
    for (int32_t day = 1; day < firstClosed; ++day) {
        Calendar_SetDay(day);
        Market_DailyStage();
    }
    int32_t signed_ = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        const int32_t club = DbPlayers[id].club;
        const auto from = outsideReputation.find(person(id));
        if ((DbPersons[id].flags & PERSON_FREE) || club < 0 || club >= World_LeagueClubCount(0)
            || from == outsideReputation.end())
            continue;
        EXPECT_LT(from->second, VTW_GetClubReputation(club)) << "player " << id;
        ++signed_;
    }
    EXPECT_GE(signed_, 20);
}

TEST_F(Market, ALoanBidForALoanListedPlayerIsCarriedOutAtOnce)
{
    const int32_t player = PlayersOf(40, 1)[0];
    VTW_SetPlayerLoanList(player, 1);
    ASSERT_GE(VTW_PlaceBid(50, player, LOAN_BID_AMOUNT, BIDPOS_DEFENDER, 0), 0);
    EXPECT_EQ(VTW_GetPlayerClub(player), 40);
    EXPECT_EQ(DbPlayers[player].loanClub, 50);
    EXPECT_TRUE(Squad_IsMember(player, 50));
    ASSERT_EQ(Transfers_Count(), 1);
    EXPECT_TRUE(VTW_GetTransferRecord(0)->flags & TRANSFER_LOAN);
}

TEST_F(Market, AFullTransferListDropsItsOldestRowsAndStaysInOrder)
{
    for (int32_t n = 0; n < TRANSFER_ROWS + 1; ++n) {
        Transfers_Add(1, 2, n % 20000, 0, n);
    }
    EXPECT_EQ(Transfers_Count(), TRANSFER_ROWS - TRANSFER_DROP_WHEN_FULL + 1);
    EXPECT_EQ(VTW_GetTransferRecord(0)->fee, TRANSFER_DROP_WHEN_FULL);
    EXPECT_EQ(VTW_GetTransferRecord(Transfers_Count() - 1)->fee, TRANSFER_ROWS);
    int32_t paid = 0, received = 0, bought = 0, sold = 0;
    VTW_SumClubTransfers(2, &paid, &received, &bought, &sold);
    EXPECT_EQ(bought, Transfers_Count());
    EXPECT_EQ(sold, 0);
}

// The club abroad a row names survives the save's bytes both ways, and a loaded row naming a
// team past the last is refused: the past-transfers screen would look its name up.
TEST_F(Market, ASavedTransferRowKeepsItsClubAbroadWithinTheTeams)
{
    struct Case {
        int32_t abroadTeam;  // as given to Transfers_Add
        int32_t stored;      // the two bytes as a save holds them, low first
        int32_t read;
    };
    const Case cases[] = {
        {-1, 0, -1},  // none, as in a save made before they were kept
        {0, 1, 0},
        {TEAM_COUNT - 1, TEAM_COUNT, TEAM_COUNT - 1},
        {TEAM_COUNT, 0, -1},  // no such team: none
    };
    for (const Case& c : cases) {
        VTW_ClearTransferRecords();
        Transfers_Add(CLUB_ORIGIN, 2, 100, 0, 1000, c.abroadTeam);
        const TransferRecordRow& row = *VTW_GetTransferRecord(0);
        EXPECT_EQ(row.abroadLow | row.abroadHigh << 8, c.stored) << c.abroadTeam;
        EXPECT_EQ(Transfers_AbroadTeam(row), c.read) << c.abroadTeam;
        EXPECT_TRUE(Transfers_CheckSaved(TransferRecords)) << c.abroadTeam;
    }
    TransferRecords[0].abroadLow = (TEAM_COUNT + 1) & 0xFF;
    TransferRecords[0].abroadHigh = (TEAM_COUNT + 1) >> 8;
    EXPECT_FALSE(Transfers_CheckSaved(TransferRecords));
}

TEST_F(Market, StaffCostsFollowTheWageAndTheMonthsLeft)
{
    int32_t wage = 0;
    EXPECT_EQ(VTW_GetStaffCost(50, 10, &wage), Staff_WageForRating(50) * 10 * 4);
    EXPECT_EQ(wage, Staff_WageForRating(50));
    EXPECT_EQ(VTW_GetStaffCost(50, 0, &wage), 0);
}

TEST_F(Market, ExpiringStaffStayOnlyAtComputerClubsThatRateThemAndTheHumanIsTold)
{
    AutoRunMode = 0;
    constexpr int32_t club = 20;
    DbClubs[club].balance = 0;  // no hire fills the post it frees
    for (int32_t role = 0; role < STAFF_ROLE_COUNT; ++role) {
        Staff_SetContract(kHuman, role, 12);
    }
    Staff_Set(kHuman, STAFF_PHYSIO, 90, 500);
    Staff_Set(club, STAFF_PHYSIO, Staff_BandTop(club), 500);
    Staff_Set(club, STAFF_COACH, 1, 100);
    for (const int32_t c : {kHuman, club}) {
        Staff_SetContract(c, STAFF_PHYSIO, 1);
    }
    Staff_SetContract(club, STAFF_COACH, 1);
    const int32_t inbox = TextMessNews.count;
    Staff_MonthlyStage();
    EXPECT_EQ(Staff_GetRating(kHuman, STAFF_PHYSIO), 0);
    EXPECT_EQ(TextMessNews.count, inbox + 1);
    EXPECT_EQ(Staff_GetRating(club, STAFF_PHYSIO), Staff_BandTop(club));
    EXPECT_GT(Staff_GetContract(club, STAFF_PHYSIO), 0);
    EXPECT_EQ(Staff_GetRating(club, STAFF_COACH), 0);
}

TEST_F(Market, ComputerHiringFillsTheVacanciesItCanPayFor)
{
    for (int32_t role = 0; role < STAFF_ROLE_COUNT; ++role) {
        Staff_Set(20, role, 0, 0);
        Staff_Set(21, role, 0, 0);
    }
    DbClubs[20].balance = BALANCE_MAX / 2;
    DbClubs[21].balance = 0;
    EXPECT_EQ(VTW_AIHireStaff(20), STAFF_ROLE_COUNT);
    EXPECT_EQ(VTW_AIHireStaff(21), 0);
    for (int32_t role = 0; role < STAFF_ROLE_COUNT; ++role) {
        EXPECT_GT(Staff_GetRating(20, role), 0);
        EXPECT_LE(Staff_GetRating(20, role), Staff_BandTop(20));
    }
}

TEST_F(Market, ConsideringEveryClubChangesNothingAndDrawsNoNumber)
{
    DbClubs[5].manager = -1;
    DbClubs[5].reputation = 30;
    DbPlayers[PERSON_HUMAN].reputation = 40;
    const uint32_t draws = RandDrawCount();
    MarketStateRecord before;
    std::memcpy(&before, &MarketState, sizeof before);
    int32_t answers = 0;
    for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
        answers += Job_Consider(club, 0) != 0;
    }
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(RandDrawCount(), draws);
    EXPECT_EQ(std::memcmp(&before, &MarketState, sizeof before), 0);
}

TEST_F(Market, AnUndecidedApplicationIsFiledForItsDay)
{
    DbClubs[5].manager = -1;
    DbClubs[5].reputation = 40;
    DbPlayers[PERSON_HUMAN].reputation = 35;
    EXPECT_EQ(VTW_ApplyForJob(5, 0), 2);
    EXPECT_EQ(VTW_GetHumanOfferClub(), 5);
    EXPECT_GE(VTW_GetHumanOfferB(), DayNo + 3);
    EXPECT_LE(VTW_GetHumanOfferB(), DayNo + 7);
    DbPlayers[PERSON_HUMAN].reputation = 45;
    EXPECT_EQ(Job_Consider(5, 0), 1);
    DbPlayers[PERSON_HUMAN].reputation = 20;
    EXPECT_EQ(Job_Consider(5, 0), 0);
}

TEST_F(Market, AWindowsLastDayStillTradesAndTheFirstClosedDayDoesNot)
{
    constexpr int32_t club = 20;
    const int32_t firstClosed = GameState.closedTransfer[0][0];
    Calendar_SetDay(firstClosed - 1);
    LeaveOneKeeper(club);
    Market_DailyStage();
    EXPECT_GE(KeepersOf(club), 2);  // a line under its minimum is filled the same day
    LeaveOneKeeper(club);
    Calendar_SetDay(firstClosed);
    const int32_t rows = Transfers_Count();
    Market_DailyStage();
    EXPECT_EQ(Transfers_Count(), rows);
    EXPECT_EQ(KeepersOf(club), 1);
}

// Released players of reputations about the league's most reputed club's: a player signs for a
// club at most 25 below his name, so the first is beyond every club of the league. Out of the
// windows, so that no club signs them meanwhile: the day before a month's first they all wait on,
// and on the first only the one nobody could sign leaves the game (the pool is under its ceiling).
TEST_F(Market, AnUnattachedPlayerNoLeagueClubCouldSignLeavesOnTheFirstOfAMonth)
{
    int32_t top = 0;
    for (int32_t club = 0; club < World_LeagueClubCount(GameState.country); ++club) {
        top = std::max(top, VTW_GetClubReputation(club));
    }
    const int32_t above[] = {26, 25, -20};
    const std::vector<int32_t> players = PlayersOf(20, 3);
    for (size_t k = 0; k < players.size(); ++k) {
        Market_Release(players[k]);
        DbPlayers[players[k]].reputation = static_cast<uint8_t>(top + above[k]);
    }
    const auto closedFirst = [](int32_t day) {
        Calendar_SetDay(day - 1);
        const bool closedBefore = !Market_WindowOpen();
        Calendar_SetDay(day);
        return closedBefore && !Market_WindowOpen() && GameState.dayOfMonth == 1;
    };
    int32_t first = 1;
    while (!closedFirst(first)) {
        ++first;
    }
    for (const int32_t day : {first - 1, first}) {
        Calendar_SetDay(day);
        Market_DailyStage();
        for (size_t k = 0; k < players.size(); ++k) {
            const bool gone = DbPersons[players[k]].flags & PERSON_RETIRED;
            EXPECT_EQ(gone, day == first && k == 0) << "day " << day << ", " << above[k];
            EXPECT_EQ(VTW_GetPlayerClub(players[k]), CLUB_NONE);
        }
    }
}

TEST_F(Market, AFullSquadShortOfAKeeperMakesRoomForOneAtTheNewSeason)
{
    constexpr int32_t club = 20;
    LeaveOneKeeper(club);
    for (int32_t id = PERSON_FIRST_ORDINARY;
         id < FullPlayerCount && VTW_GetClubSquadCount(club) < SQUAD_MAX; ++id) {
        if (Squad_IsMember(id, 30 + id % 20) && VTW_GetPositionLine(id) != 0)
            Market_MovePlayer(id, club, 0, false, 1000, 12);
    }
    ASSERT_EQ(VTW_GetClubSquadCount(club), SQUAD_MAX);
    Market_NewSeason();
    EXPECT_GE(KeepersOf(club), 2);
    EXPECT_LE(VTW_GetClubSquadCount(club), SQUAD_MAX);
}

// The club's keepers become `n` keepers of other clubs, each with `months` to run.
std::vector<int32_t> GiveKeepers(int32_t club, int32_t n, int32_t months)
{
    for (const int32_t id : PlayersOf(club, SQUAD_MAX)) {
        if (VTW_GetPositionLine(id) == 0) Market_Release(id);
    }
    std::vector<int32_t> keepers;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount && int32_t(keepers.size()) < n;
         ++id) {
        const int32_t from = VTW_GetPlayerClub(id);
        if (from < 30 || from >= 60 || !Squad_IsMember(id, from) || VTW_GetPositionLine(id) != 0)
            continue;
        keepers.push_back(Market_MovePlayer(id, club, 0, false, 1000, months));
    }
    return keepers;
}

// The keepers still there after the contract round, counting only contracts that outlast it.
int32_t KeepersStaying(int32_t club, int32_t months)
{
    int32_t n = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        n += !(DbPersons[id].flags & PERSON_FREE) && DbPlayers[id].club == club
             && DbPlayers[id].position == 0 && DbPlayers[id].contractMonths > months;
    }
    return n;
}

// Four keepers whose contracts end together: the round keeps two of them even unwanted; two who
// refuse the club are replaced while the window is open, before they leave.
TEST_F(Market, ALinesExpiriesAreJudgedTogetherAndARefusalIsReplacedInTime)
{
    constexpr int32_t club = 20;
    constexpr int32_t months = 6;
    Calendar_SetDay(GameState.closedTransfer[0][0] - 1);
    std::vector<int32_t> keepers = GiveKeepers(club, 4, months);
    ASSERT_EQ(keepers.size(), 4u);
    DbClubs[club].reputation = 63;
    int32_t renewed = 0;
    for (const int32_t id : keepers) {
        renewed += Contract_ComputerRenew(id, 0);
    }
    EXPECT_EQ(renewed, 2);
    EXPECT_EQ(KeepersStaying(club, months), 2);

    keepers = GiveKeepers(club, 2, months);
    DbClubs[club].reputation = 0;
    for (const int32_t id : keepers) {
        DbPlayers[id].reputation = 63;
    }
    const int32_t rows = Transfers_Count();
    for (const int32_t id : keepers) {
        EXPECT_EQ(Contract_ComputerRenew(id, 1), 0);
    }
    EXPECT_EQ(KeepersStaying(club, months), 2);
    EXPECT_EQ(Transfers_Count(), rows + 2);
    for (int32_t n = rows; n < Transfers_Count(); ++n) {
        const int32_t signing = VTW_GetTransferRecord(n)->player;
        EXPECT_EQ(VTW_GetPlayerClub(signing), club);
        EXPECT_EQ(VTW_EvaluateContractOffer(signing, 12, club, 0, nullptr, MARKET_MONEY_MAX, 0), 1);
    }
}

// The first non-keeper of each club: one of the division's second club and one of its third.
int32_t OutfieldPlayerOf(int32_t club)
{
    for (const int32_t id : PlayersOf(club, SQUAD_MAX)) {
        if (VTW_GetPositionLine(id) != 0) return id;
    }
    return -1;
}

// At the season's turn a player below the top division as good as its regulars asks to move up,
// even the best of his line, and only a club of a higher division may buy him; one who fell back
// and the human's own player do not ask.
TEST_F(Market, APlayerGoodEnoughForTheTopAsksToMoveUpAndGoesOnlyUpwards)
{
    constexpr int32_t kSecond = 30, kThird = 50, kHumanBelow = 31;
    ASSERT_EQ(VTW_GetClubDivision(kSecond), 1);
    ASSERT_EQ(VTW_GetClubDivision(kThird), 2);
    ASSERT_EQ(VTW_GetClubDivision(kHumanBelow), 1);
    const int32_t star = OutfieldPlayerOf(kThird);
    const int32_t fallen = OutfieldPlayerOf(kSecond);
    const int32_t humans = OutfieldPlayerOf(kHumanBelow);
    DbPlayers[star].ability = 90;
    DbPlayers[humans].ability = 90;
    DbPlayers[fallen].ability = 20;
    DbPlayers[fallen].flags |= PLAYER_ASKED_TRANSFER | PLAYER_TRANSFER_LISTED;
    VTW_SetClubControl(kHumanBelow, MANAGER_HUMAN);
    GameState.humanClub = kHumanBelow;
    // Only the clubs of his division and below may spend: none of them signs him, at the turn
    // or later.
    const auto setHigherBalances = [](int32_t balance) {
        for (int32_t club = 0; club < World_LeagueClubCount(0); ++club) {
            if (VTW_GetClubDivision(club) < 2) DbClubs[club].balance = balance;
        }
    };
    setHigherBalances(0);
    Market_NewSeason();
    EXPECT_TRUE(VTW_GetPlayerAskedTransfer(star) && VTW_GetPlayerTxList(star));
    EXPECT_FALSE(VTW_GetPlayerAskedTransfer(fallen) || VTW_GetPlayerTxList(fallen));
    EXPECT_FALSE(VTW_GetPlayerAskedTransfer(humans));
    for (int32_t day = 0; day < 30; ++day) {
        Market_DailyStage();
    }
    EXPECT_EQ(VTW_GetPlayerClub(star), kThird);
    // With the higher divisions' money back, he moves up.
    setHigherBalances(BALANCE_MAX / 2);
    for (int32_t day = 0; day < 30 && VTW_GetPlayerClub(star) == kThird; ++day) {
        Market_DailyStage();
    }
    EXPECT_LT(VTW_GetClubDivision(VTW_GetPlayerClub(star)), 2);
    EXPECT_FALSE(VTW_GetPlayerAskedTransfer(star));
}

// A player who asked to move up and was released asks no more. One without a league club who
// still asks, as a career saved before held them, is none of the turn's signings from below
// (whose squad shapes hold the league clubs alone) and withdraws.
TEST_F(Market, APlayerWithoutALeagueClubIsNotSignedFromBelowAtTheTurn)
{
    constexpr int32_t kThird = 50;
    const int32_t released = OutfieldPlayerOf(kThird);
    DbPlayers[released].flags |= PLAYER_ASKED_TRANSFER | PLAYER_TRANSFER_LISTED;
    Market_Release(released);
    EXPECT_FALSE(VTW_GetPlayerAskedTransfer(released) || VTW_GetPlayerTxList(released));
    DbPlayers[released].flags |= PLAYER_ASKED_TRANSFER;
    DbPlayers[released].ability = 99;
    for (int32_t club = 0; club < World_LeagueClubCount(0); ++club) {
        if (VTW_GetClubDivision(club) == 0) DbClubs[club].balance = BALANCE_MAX / 2;
    }
    Market_NewSeason();
    EXPECT_EQ(VTW_GetPlayerClub(released), CLUB_NONE);
    EXPECT_FALSE(VTW_GetPlayerAskedTransfer(released));
}

// At the season's turn the one top club with money signs the best player who asked to move up
// and gives the seller its weakest of his line for part of the fee: both squads keep their size,
// and the two fees are all the money that moves between them.
TEST_F(Market, AtTheTurnATopClubSignsTheBestFromBelowWithItsWeakestInPartExchange)
{
    constexpr int32_t kTop = 5, kThird = 50;
    ASSERT_EQ(VTW_GetClubDivision(kTop), 0);
    ASSERT_EQ(VTW_GetClubDivision(kThird), 2);
    for (int32_t club = 0; club < World_LeagueClubCount(0); ++club) {
        if (VTW_GetClubDivision(club) == 0) DbClubs[club].balance = 0;
    }
    const int32_t star = OutfieldPlayerOf(kThird);
    const int32_t line = VTW_GetPositionLine(star);
    DbPlayers[star].ability = 99;
    int32_t part = -1;
    for (const int32_t id : PlayersOf(kTop, SQUAD_MAX)) {
        if (part < 0 && VTW_GetPositionLine(id) == line) part = id;
    }
    ASSERT_GE(part, 0);
    DbPlayers[part].ability = 1;
    DbPlayers[part].reputation = 0;
    const int32_t partValue = VTW_ComputeTransferFee(part, 0, -1, nullptr, 0);
    // Its board spends all beyond a season's wages (52 weeks): exactly the fee, which asking to
    // move up lists him at, less the part exchange.
    VTW_PutPlayerOnTxList(star, 1);
    const int32_t starValue = VTW_ComputeTransferFee(star, 0, -1, nullptr, 0);
    const int32_t topBalance =
        static_cast<int32_t>(Club_WagesReserved(kTop) / 125 * 52 + starValue - partValue);
    DbClubs[kTop].balance = topBalance;
    const int32_t topSquad = VTW_GetClubSquadCount(kTop);
    const int32_t thirdSquad = VTW_GetClubSquadCount(kThird);
    const int64_t thirdBalance = DbClubs[kThird].balance;
    const int32_t transfersBefore = Transfers_Count();
    Market_NewSeason();
    EXPECT_EQ(VTW_GetPlayerClub(star), kTop);
    EXPECT_EQ(VTW_GetPlayerClub(part), kThird);
    EXPECT_FALSE(VTW_GetPlayerAskedTransfer(star) || VTW_GetPlayerTxList(star));
    EXPECT_EQ(DbPlayers[star].cupTied | DbPlayers[part].cupTied, 0);
    // The rows of the turn, club by club: players in less players out, fees in less fees out.
    std::map<int32_t, std::pair<int32_t, int64_t>> moved;
    int64_t starFee = -1, partFee = -1;
    for (int32_t k = transfersBefore; k < Transfers_Count(); ++k) {
        const TransferRecordRow& row = *VTW_GetTransferRecord(k);
        if (row.player == star) starFee = row.fee;
        if (row.player == part) partFee = row.fee;
        moved[row.buyer].first += 1;
        moved[row.buyer].second -= row.fee;
        moved[row.seller].first -= 1;
        moved[row.seller].second += row.fee;
    }
    EXPECT_EQ(starFee, starValue);
    EXPECT_GT(starFee, partFee);
    EXPECT_EQ(partFee, partValue);
    EXPECT_EQ(moved[kThird].first, 0);
    EXPECT_EQ(DbClubs[kThird].balance - thirdBalance, moved[kThird].second);
    EXPECT_EQ(VTW_GetClubSquadCount(kThird), thirdSquad);
    EXPECT_EQ(VTW_GetClubSquadCount(kTop), topSquad + moved[kTop].first);
    EXPECT_EQ(DbClubs[kTop].balance, topBalance + moved[kTop].second);
}

// The best from below go where the money is: to the top club with the most to spend beyond a
// season's wages, not to the one weakest in his line (which evened the top division out).
TEST_F(Market, AtTheTurnTheBestFromBelowGoesToTheTopClubWithTheMostToSpend)
{
    constexpr int32_t kStrong = 5, kWeak = 6, kThird = 50;
    ASSERT_EQ(VTW_GetClubDivision(kStrong), 0);
    ASSERT_EQ(VTW_GetClubDivision(kWeak), 0);
    for (const int32_t richer : {kStrong, kWeak}) {
        SCOPED_TRACE("richer " + std::to_string(richer));
        NewGameForTest(0, 4242);
        for (int32_t club = 0; club < World_LeagueClubCount(0); ++club) {
            if (VTW_GetClubDivision(club) == 0) DbClubs[club].balance = 0;
        }
        const int32_t star = OutfieldPlayerOf(kThird);
        DbPlayers[star].ability = 99;
        for (const int32_t id : PlayersOf(kWeak, SQUAD_MAX)) {
            if (VTW_GetPositionLine(id) == VTW_GetPositionLine(star)) DbPlayers[id].ability = 30;
        }
        VTW_PutPlayerOnTxList(star, 1);
        const int64_t fee = VTW_ComputeTransferFee(star, 0, -1, nullptr, 0);
        for (const int32_t club : {kStrong, kWeak}) {
            DbClubs[club].balance = static_cast<int32_t>(Club_WagesReserved(club) / 125 * 52
                                                         + (club == richer ? 3 : 2) * fee);
        }
        Market_NewSeason();
        EXPECT_EQ(VTW_GetPlayerClub(star), richer);
    }
}

// A light player of a club outside the league whose ability lies within [low, high]; -1 none.
int32_t ForeignPlayer(int32_t low, int32_t high)
{
    for (int32_t id = FullPlayerCount; id < DbPersonCount; ++id) {
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        if (!(DbPersons[id].flags & PERSON_FREE) && p.club >= World_LeagueClubCount(0)
            && p.club < CLUB_ID_COUNT && p.position != POSITION_MANAGER && p.ability >= low
            && p.ability <= high)
            return id;
    }
    return -1;
}

// Whether a light player of the club other than `except` is within 5 of the ability.
bool HasPlayerNear(int32_t club, int32_t ability, int32_t except)
{
    for (int32_t id = FullPlayerCount; id < DbPersonCount; ++id) {
        const LightPlayerRecord& p = DbLightPlayers[id - FullPlayerCount];
        if (id != except && !(DbPersons[id].flags & PERSON_FREE) && p.club == club
            && std::abs(p.ability - ability) <= 5)
            return true;
    }
    return false;
}

// At the turn the computer clubs take their players off the list, so that a listing lasts a season:
// all but those who asked to move, and none while the club is in the red; the human decides his
// own listings.
TEST_F(Market, AtTheTurnTheComputerClubsWithdrawTheirListings)
{
    constexpr int32_t kInCredit = 5, kInTheRed = 6;
    DbClubs[kInCredit].balance = 0;
    DbClubs[kInTheRed].balance = -1;
    struct Case {
        int32_t club;
        bool asked;
        bool stillListed;
    };
    const Case cases[] = {
        {kInCredit, false, false},
        {kInCredit, true, true},
        {kInTheRed, false, true},
        {kHuman, false, true},
    };
    std::vector<int32_t> players;
    for (const Case& c : cases) {
        const std::vector<int32_t> squad = PlayersOf(c.club, SQUAD_MAX);
        const int32_t player = squad[static_cast<size_t>(c.asked) + 1];
        VTW_PutPlayerOnTxList(player, 1);
        if (c.asked) DbPlayers[player].flags |= PLAYER_ASKED_TRANSFER;
        players.push_back(player);
    }
    Market_SellToTheWorldOutside();  // nobody came from abroad: nobody goes
    for (size_t k = 0; k < players.size(); ++k) {
        EXPECT_EQ(VTW_GetPlayerTxList(players[k]) != 0, cases[k].stillListed)
            << "club " << cases[k].club << (cases[k].asked ? ", asked to move" : "");
        EXPECT_EQ(VTW_GetPlayerClub(players[k]), cases[k].club);
    }
}

// Two players signed from abroad over the season: at the turn the world outside buys two back,
// the two the computer clubs listed and miss least (not the human's), each a light player of a club
// of his level there, and the fees move from the world outside to the seller and nowhere else; the
// world outside spends no more than it holds.
TEST_F(Market, AtTheTurnTheWorldOutsideBuysBackAsManyListedPlayersAsItSold)
{
    constexpr int32_t kTop = 5, kImporter = 60;
    ASSERT_EQ(VTW_GetClubDivision(kTop), 0);
    for (int32_t club = 0; club < World_LeagueClubCount(0); ++club) {
        DbClubs[club].balance = 0;  // nobody signs from below at this turn
    }
    for (int32_t k = 0; k < 2; ++k) {
        const int32_t foreign = ForeignPlayer(40, 70);
        ASSERT_GE(foreign, 0);
        ASSERT_GE(Market_MovePlayer(foreign, kImporter, 1000, false, 500, 12), 0);
    }
    const int32_t unattached = PlayersOf(kImporter, 1)[0];
    Market_Release(unattached);
    ASSERT_EQ(Market_MovePlayer(unattached, kImporter, 0, false, 500, 12), unattached);
    EXPECT_EQ(MarketState.signedFromOutside, 2);  // a free signing is no import
    // Five outfield players of the top club, each below his line's best, listed: four of 25 at
    // 60, 54, 58 and 56, one of 38 at 57, whom age makes the one the club misses least.
    std::vector<int32_t> listed;
    for (const int32_t id : PlayersOf(kTop, SQUAD_MAX)) {
        if (VTW_GetPositionLine(id) != 0 && listed.size() < 5) listed.push_back(id);
    }
    ASSERT_EQ(listed.size(), 5u);
    const std::array<int32_t, 5> abilities = {60, 54, 58, 56, 57};
    const auto setAge = [](int32_t id, int32_t age) {
        DbPersons[id].birthYear =
            static_cast<uint8_t>(GAME_FIRST_YEAR + GameState.seasonCounter - age - 1950);
    };
    for (size_t k = 0; k < listed.size(); ++k) {
        DbPlayers[listed[k]].ability = static_cast<uint8_t>(abilities[k]);
        setAge(listed[k], k < 4 ? 25 : 38);
        VTW_PutPlayerOnTxList(listed[k], 1);
    }
    ASSERT_EQ(VTW_GetPlayerAge(listed[0]), 25);
    ASSERT_EQ(VTW_GetPlayerAge(listed[4]), 38);
    for (const int32_t id : listed) {
        bool better = false;
        for (const int32_t mate : PlayersOf(kTop, SQUAD_MAX)) {
            better |= VTW_GetPositionLine(mate) == VTW_GetPositionLine(id)
                      && VTW_GetPlayerAbilityCurve(mate) > VTW_GetPlayerAbilityCurve(id);
        }
        ASSERT_TRUE(better) << "player " << id;
    }
    // The human's listed player, 55 at 36, would go first: he decides his sales himself.
    const int32_t humans = OutfieldPlayerOf(kHuman);
    DbPlayers[humans].ability = 55;
    setAge(humans, 36);
    VTW_PutPlayerOnTxList(humans, 1);
    const std::array<int32_t, 2> sold = {listed[4], listed[1]};  // 57 at 38, then 54
    std::array<uint16_t, 2> names{};
    std::array<int32_t, 2> fees{};
    for (size_t k = 0; k < sold.size(); ++k) {
        names[k] = DbPersons[sold[k]].nameIndex;
        fees[k] = VTW_ComputeTransferFee(sold[k], 0, -1, nullptr, 0);
    }
    const int32_t squad = VTW_GetClubSquadCount(kTop);
    // It pays with what the league paid it: here exactly the two fees.
    DbOutsideBalance = fees[0] + fees[1];
    const int32_t rows = Transfers_Count();
    Market_NewSeason();
    Market_SellToTheWorldOutside();
    EXPECT_EQ(MarketState.signedFromOutside, 0);
    std::vector<const TransferRecordRow*> abroad;
    for (int32_t k = rows; k < Transfers_Count(); ++k) {
        const TransferRecordRow* row = VTW_GetTransferRecord(k);
        if (row->buyer >= World_LeagueClubCount(0)) abroad.push_back(row);
    }
    ASSERT_EQ(abroad.size(), 2u);
    for (size_t k = 0; k < abroad.size(); ++k) {
        const TransferRecordRow& row = *abroad[k];
        EXPECT_EQ(row.seller, kTop);
        EXPECT_LT(row.buyer, CLUB_ID_COUNT);
        EXPECT_EQ(row.fee, fees[k]);
        EXPECT_TRUE(DbPersons[sold[k]].flags & PERSON_FREE);
        ASSERT_GE(row.player, FullPlayerCount);
        const LightPlayerRecord& light = DbLightPlayers[row.player - FullPlayerCount];
        EXPECT_EQ(DbPersons[row.player].nameIndex, names[k]);
        EXPECT_EQ(light.club, row.buyer);
        EXPECT_EQ(light.ability, abilities[k == 0 ? 4 : 1]);
        EXPECT_TRUE(HasPlayerNear(row.buyer, light.ability, row.player));
    }
    EXPECT_EQ(DbClubs[kTop].balance, fees[0] + fees[1]);
    EXPECT_EQ(Club_GetOutsideBalance(), 0);
    EXPECT_EQ(VTW_GetClubSquadCount(kTop), squad - 2);
    for (const int32_t kept : {listed[0], listed[2], listed[3]}) {
        EXPECT_EQ(VTW_GetPlayerClub(kept), kTop);
    }
    EXPECT_EQ(VTW_GetPlayerClub(humans), kHuman);
}

// At the turn a computer club with more than its wage reserve pays a third of the surplus as its
// players' season bonus, booked with their wages; a club without a surplus and the human's club
// pay nothing.
TEST_F(Market, AtTheTurnAClubBeyondItsWageReservePaysAThirdOfTheSurplusAsBonuses)
{
    struct Row {
        int32_t club;
        int32_t surplus;
        int32_t bonus;
    };
    constexpr int32_t kHumanBelow = 34;
    VTW_SetClubControl(kHumanBelow, MANAGER_HUMAN);
    GameState.humanClub = kHumanBelow;
    const Row rows[] = {{30, 1000000, 330000}, {31, 1001, 330},          {32, 3, 0}, {33, 0, 0},
                        {35, -500000, 0},      {kHumanBelow, 1000000, 0}};
    std::map<int32_t, int32_t> bonusesBefore;
    for (const Row& row : rows) {
        DbClubs[row.club].balance =
            static_cast<int32_t>(Club_WagesReserved(row.club) + row.surplus);
        bonusesBefore[row.club] = DbClubs[row.club].figures[CLUB_FIG_PLAYER_WAGES];
    }
    Finance_SeasonBonuses();
    for (const Row& row : rows) {
        EXPECT_EQ(DbClubs[row.club].balance, Club_WagesReserved(row.club) + row.surplus - row.bonus)
            << "club " << row.club;
        EXPECT_EQ(DbClubs[row.club].figures[CLUB_FIG_PLAYER_WAGES] - bonusesBefore[row.club],
                  row.bonus)
            << "club " << row.club;
    }
}

// A keeper whose contract ran out: while the windows are shut the club calls up a youth keeper,
// no transfer; inside a window it signs one the same day.
TEST_F(Market, ALineLeftShortIsCoveredTheSameDayInOrOutOfAWindow)
{
    constexpr int32_t club = 20;
    const int32_t firstClosed = GameState.closedTransfer[0][0];
    LeaveOneKeeper(club);
    Calendar_SetDay(firstClosed - 1);
    int32_t rows = Transfers_Count();
    Market_CoverShortLines(club);
    EXPECT_EQ(KeepersOf(club), 2);
    EXPECT_EQ(Transfers_Count(), rows + 1);
    LeaveOneKeeper(club);
    Calendar_SetDay(firstClosed);
    rows = Transfers_Count();
    Market_CoverShortLines(club);
    EXPECT_EQ(KeepersOf(club), 2);
    EXPECT_EQ(Transfers_Count(), rows);
    int32_t youngest = 99;
    for (const int32_t id : PlayersOf(club, SQUAD_MAX)) {
        if (VTW_GetPositionLine(id) == 0) youngest = std::min(youngest, VTW_GetPlayerAge(id));
    }
    EXPECT_LE(youngest, 18);
}

// The first of a month inside a window, a club's second keeper comes to the end of his contract
// and refuses to stay; no keeper anywhere would sign for the club. By the day's end he has gone
// and a youth keeps the club at two keepers.
TEST_F(Market, AKeeperWhoseContractEndsInAWindowIsCoveredTheSameDay)
{
    constexpr int32_t club = 20;
    for (int32_t day = GameState.closedTransfer[0][1] + 1; day < 365; ++day) {
        Calendar_SetDay(day);
        if (GameState.dayOfMonth == 1 && Market_WindowOpen()) break;
    }
    ASSERT_TRUE(GameState.dayOfMonth == 1 && Market_WindowOpen());
    const std::vector<int32_t> keepers = GiveKeepers(club, 2, 24);
    ASSERT_EQ(keepers.size(), 2u);
    DbPlayers[keepers[1]].contractMonths = 1;
    DbClubs[club].reputation = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (VTW_GetPositionLine(id) == 0) DbPlayers[id].reputation = 63;
    }
    DailyClubProcessing();
    EXPECT_NE(VTW_GetPlayerClub(keepers[1]), club);
    EXPECT_EQ(VTW_GetPlayerClub(keepers[0]), club);
    EXPECT_EQ(KeepersOf(club), 2);
}

// The keepers who play for the club, its own and those lent to it.
int32_t KeepersPlayingFor(int32_t club)
{
    int32_t n = 0;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        n += Squad_IsMember(id, club) && VTW_GetPositionLine(id) == 0;
    }
    return n;
}

// A club of the world outside with a light player's id free for a sale abroad.
int32_t ClubAbroadWithRoom()
{
    const auto abroadClub = [](int32_t id) {
        const int32_t club = DbLightPlayers[id - FullPlayerCount].club;
        return !(DbPersons[id].flags & PERSON_FREE) && club >= World_LeagueClubCount(0)
               && club < CLUB_ID_COUNT;
    };
    int32_t outside = FullPlayerCount;
    while (!abroadClub(outside)) {
        ++outside;
    }
    const int32_t abroad = DbLightPlayers[outside - FullPlayerCount].club;
    Market_MovePlayer(outside, 0, 0, false, 500, 12);  // he leaves the light id the sale needs
    return abroad;
}

// Every way a keeper leaves a club of two keepers, on the first day of a month in a window, with
// no keeper willing to sign for it: the club plays with two keepers again that same day.
TEST_F(Market, EveryWayAKeeperLeavesIsCoveredTheSameDay)
{
    struct Case {
        const char* way;
        void (*leave)(int32_t keeper);
    };
    const Case cases[] = {
        {"his contract ends",
         [](int32_t keeper) {
             DbPlayers[keeper].contractMonths = 1;
             DailyClubProcessing();
         }},
        {"he retires at the season's turn",
         [](int32_t keeper) {
             DbPersons[keeper].birthYear =
                 static_cast<uint8_t>(GAME_FIRST_YEAR + GameState.seasonCounter - 1950 - 40);
             const int32_t club = DbPlayers[keeper].club;
             PlayerLife_NewSeason();
             // The turn's market covers what its retirements left short (the seed-410 soak plays
             // the whole turn); the rows after this one need none of its other moves.
             Market_CoverShortLines(club);
         }},
        {"he is sold", [](int32_t keeper) { Market_MovePlayer(keeper, 1, 1000, false, 1000, 24); }},
        {"he is lent", [](int32_t keeper) { Market_MovePlayer(keeper, 1, 0, true, 0, 0); }},
        {"he is sold abroad",
         [](int32_t keeper) { Market_SellAbroad(keeper, ClubAbroadWithRoom(), 1000); }},
    };
    for (int32_t day = GameState.closedTransfer[0][1] + 1; day < 365; ++day) {
        Calendar_SetDay(day);
        if (GameState.dayOfMonth == 1 && Market_WindowOpen()) break;
    }
    ASSERT_TRUE(GameState.dayOfMonth == 1 && Market_WindowOpen());
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        if (VTW_GetPositionLine(id) == 0) DbPlayers[id].reputation = 63;
    }
    int32_t club = 20;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        DbClubs[club].reputation = 0;  // every keeper looks down on it
        const std::vector<int32_t> keepers = GiveKeepers(club, 2, 24);
        ASSERT_EQ(keepers.size(), 2u);
        ASSERT_EQ(KeepersPlayingFor(club), 2);
        c.leave(keepers[1]);
        EXPECT_FALSE(Squad_IsMember(keepers[1], club));
        EXPECT_EQ(KeepersPlayingFor(club), 2);
        ++club;
    }
}

TEST_F(Market, AComputerClubAfterTheHumansPlayerAsksHimInsteadOfBuying)
{
    AutoRunMode = 0;
    DbClubs[kHuman].reputation = 0;  // every buyer looks down on the human's club
    const std::vector<int32_t> squad = PlayersOf(kHuman, SQUAD_MAX);
    for (const int32_t id : squad) {
        VTW_PutPlayerOnTxList(id, 1);
    }
    const int32_t firstClosed = GameState.closedTransfer[0][0];
    for (int32_t day = firstClosed - 20; day < firstClosed && !VTW_HasHumanSales(); ++day) {
        Calendar_SetDay(day);
        Market_DailyStage();
    }
    ASSERT_EQ(VTW_HasHumanSales(), 1);
    const int32_t player = VTW_FindHumanSales();
    EXPECT_EQ(VTW_GetPlayerClub(player), kHuman);
    EXPECT_NE(VTW_FindHumanSalesTeam(), kHuman);
    EXPECT_GT(VTW_GetSaleAskingPrice(player), 0);
    EXPECT_EQ(PlayersOf(kHuman, SQUAD_MAX), squad);
}

// The first window day by day as the season runs it, the human's lists emptied before every
// day and his whole squad listed; the first player the computer clubs trade among themselves.
struct WindowDeals {
    std::vector<std::tuple<int32_t, int32_t, int32_t>> asks;  // club, player, price
    int32_t traded = -1;
    int32_t tradedFrom = -1;
};

WindowDeals PlayTheFirstWindow()
{
    AutoRunMode = 0;
    DbClubs[kHuman].reputation = 0;  // every buyer looks down on the human's club
    for (const int32_t id : PlayersOf(kHuman, SQUAD_MAX)) {
        VTW_PutPlayerOnTxList(id, 1);
    }
    WindowDeals deals;
    const int32_t firstClosed = GameState.closedTransfer[0][0];
    for (int32_t day = 2; day < firstClosed; ++day) {
        Calendar_SetDay(day);
        VTW_ClearHumanLists();
        const int32_t rows = Transfers_Count();
        Market_DailyStage();
        for (const SaleRequestRow& row : MarketState.sales) {
            if (row.player >= 0) deals.asks.emplace_back(row.club, row.player, row.price);
        }
        for (int32_t n = rows; n < Transfers_Count() && deals.traded < 0; ++n) {
            const TransferRecordRow& r = *VTW_GetTransferRecord(n);
            const bool between = r.seller < World_LeagueClubCount(0) && r.seller != kHuman
                                 && !(r.flags & TRANSFER_LOAN);
            if (between) deals.traded = r.player, deals.tradedFrom = r.seller;
        }
    }
    return deals;
}

// Each deal once: a club asks the human for one player a window, so never the same sum for him
// twice; and the player whose sale to the human is agreed waits for his talks while the
// computer clubs trade around him.
TEST_F(Market, AWindowAsksTheHumanOnceAClubAndLeavesAnAgreedSaleAlone)
{
    const WindowDeals first = PlayTheFirstWindow();
    ASSERT_GE(first.traded, 0);
    std::set<std::tuple<int32_t, int32_t, int32_t>> seen;
    std::set<int32_t> askers;
    for (const auto& ask : first.asks) {
        EXPECT_TRUE(seen.insert(ask).second) << "club " << std::get<0>(ask) << " asked again";
        askers.insert(std::get<0>(ask));
    }
    EXPECT_EQ(askers.size(), first.asks.size());
    EXPECT_GE(first.asks.size(), 3u);

    // The same career again, with the human's agreed purchase of the first player traded.
    NewGameForTest(0, 4242);
    VTW_SetClubControl(kHuman, MANAGER_HUMAN);
    GameState.humanClub = kHuman;
    DbClubs[kHuman].balance = BALANCE_MAX / 2;
    Calendar_SetDay(1);
    const int32_t fee = VTW_ComputeTransferFee(first.traded, 0, kHuman, nullptr, 0);
    ASSERT_GE(VTW_PlaceBid(kHuman, first.traded, fee, BIDPOS_DEFENDER, 0), 0);
    ASSERT_GE(Market_AgreeBidInfo(first.traded), 0);
    PlayTheFirstWindow();
    EXPECT_EQ(VTW_GetPlayerClub(first.traded), first.tradedFrom);
}

// Each deal once: as the first window's month runs day by day, no player changes club twice, so
// a club's signing is neither sold on nor lent nor let go to another club within the month. A
// player is known by his person, which keeps no id across a move to or from the world outside.
TEST_F(Market, APlayerChangesClubAtMostOnceInAWindowsMonth)
{
    AutoRunMode = 0;
    std::map<std::tuple<uint16_t, uint8_t, uint8_t, uint16_t, uint8_t>, int32_t> moves;
    for (int32_t day = 1; day < GameState.closedTransfer[0][0]; ++day) {
        Calendar_SetDay(day);
        VTW_ClearHumanLists();
        const int32_t rows = Transfers_Count();
        Market_DailyStage();
        for (int32_t n = rows; n < Transfers_Count(); ++n) {
            const PersonRecord& p = DbPersons[VTW_GetTransferRecord(n)->player];
            const int32_t changes =
                ++moves[{p.nameIndex, p.initial, p.nationality, p.bits, p.birthYear}];
            EXPECT_EQ(changes, 1) << "day " << day << " player "
                                  << VTW_GetTransferRecord(n)->player;
        }
    }
    EXPECT_GE(moves.size(), 200u);  // a busy month all the same
}

TEST_F(Market, AWaitingLoanRequestCountsAsALoanListing)
{
    const int32_t player = PlayersOf(kHuman, 1)[0];
    EXPECT_EQ(VTW_GetPlayerLoanList(player), 0);
    ASSERT_EQ(Market_AddHumanSale(player, 40, 1, 0), 1);
    EXPECT_EQ(VTW_GetPlayerLoanList(player), 1);
    VTW_RemoveHumanSale(player);
    EXPECT_EQ(VTW_GetPlayerLoanList(player), 0);
}

TEST_F(Market, ASackedManagersPostIsOfferedToAHumanOfGoodName)
{
    AutoRunMode = 0;
    DbPlayers[PERSON_HUMAN].reputation = 63;
    DbClubs[30].boardPatience = 0;
    Managers_DailyStage();
    EXPECT_TRUE(DbClubs[30].caretaker);
    Managers_WeeklyStage();
    EXPECT_EQ(VTW_GetJobOfferClub(), 30);
    for (int32_t day = 0; day < 12; ++day) {
        Managers_DailyStage();
    }
    EXPECT_TRUE(DbClubs[30].caretaker);  // the post is kept for the human while he decides
}

TEST_F(Market, TheHumansFixtureOfTheDayFillsHisMatchSlot)
{
    int32_t row = 0;
    while (VTW_GetFixtureHomeClub(row) != kHuman && VTW_GetFixtureAwayClub(row) != kHuman) {
        ++row;
    }
    Calendar_SetDay(VTW_GetFixtureDay(row));
    ASSERT_EQ(VTW_FindHumanNextFixture(), row);
    const int32_t home = VTW_GetFixtureHomeClub(row);
    EXPECT_EQ(MarketState.matchSlot[0], row);
    EXPECT_EQ(MarketState.matchSlot[1], home == kHuman ? VTW_GetFixtureAwayClub(row) : home);
    EXPECT_EQ(MarketState.matchSlot[2], VTW_GetFixtureCompetition(row));
    VTW_ClearMatchSlot();
    EXPECT_EQ(MarketState.matchSlot[0], 0xFFFF);
}

}  // namespace

// Every transfer goes through Market_MovePlayer: only a paid move beats a club's records.
TEST_F(Market, APaidTransferAboveTheRecordsBecomesTheBuyersBuyAndTheSellersSale)
{
    const int32_t seller = 1;
    const int32_t buyer = 2;
    struct Case {
        int32_t fee;
        bool loan;
        int32_t buyRecord, saleRecord;  // after the move
    };
    const Case cases[] = {
        {500000, false, 500000, 500000}, {900000, true, 500000, 500000},  // a loan
        {0, false, 500000, 500000},                                       // a free transfer
        {400000, false, 500000, 500000},                                  // below both records
        {700000, false, 700000, 700000},
    };
    DbClubs[seller].balance = 0;
    DbClubs[buyer].balance = BALANCE_MAX / 2;
    const std::vector<int32_t> players = PlayersOf(seller, 5);
    ASSERT_EQ(players.size(), 5U);
    for (size_t k = 0; k < std::size(cases); ++k) {
        const Case& c = cases[k];
        ASSERT_EQ(Market_MovePlayer(players[k], buyer, c.fee, c.loan, 1000, 12), players[k]);
        const ClubRecordEntry& buy = DbClubs[buyer].records[CLUB_REC_BUY];
        const ClubRecordEntry& sale = DbClubs[seller].records[CLUB_REC_SALE];
        EXPECT_EQ(buy.value, c.buyRecord) << k;
        EXPECT_EQ(sale.value, c.saleRecord) << k;
        const int32_t recordPlayer = c.buyRecord == 500000 ? players[0] : players[4];
        EXPECT_EQ(+buy.player, recordPlayer) << k;
        EXPECT_EQ(+sale.player, recordPlayer) << k;
        EXPECT_EQ(+buy.opponent, seller) << k;
        EXPECT_EQ(+sale.opponent, buyer) << k;
        EXPECT_EQ(+buy.day, VTW_GetDayOfMonth()) << k;
        EXPECT_EQ(+sale.month, VTW_GetMonth()) << k;
        EXPECT_EQ(+buy.year, VTW_GetYear() % 100) << k;
        EXPECT_EQ(DbClubs[buyer].records[CLUB_REC_SALE].value, 0) << k;
        EXPECT_EQ(DbClubs[seller].records[CLUB_REC_BUY].value, 0) << k;
    }
}
