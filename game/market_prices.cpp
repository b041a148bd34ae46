// game/market_prices.cpp: the fees asked and offered, at the league's price level.
#include <algorithm>
#include <cstdint>

#include "game/funcs.h"
#include "game/market.h"
#include "game/market_internal.h"
#include "game/textformat.h"

namespace {

constexpr int32_t PRICE_LEVEL_MIN = 50;  // percent of the fees a new career's money pays
constexpr int32_t PRICE_LEVEL_MAX = 800;

}  // namespace

// The fees asked and offered follow what the league's clubs can spend against what a new career
// gave them to spend: with fixed fees, a country whose clubs' money doubled could afford four
// times the signings, and its market ran at 11 transfers a club a season. A new career's balance
// is its spending money and the wages its budget holds back, so its first budgets are the
// spending money's. In percent.
int32_t Market_PriceLevelPercent()
{
    int64_t now = 0;
    int64_t start = 0;
    for (int32_t club = 0; club < Market_LeagueClubs(); ++club) {
        now += Club_GetTransferBudget(club);
        const int64_t money =
            NewGame_SpendingMoney(VTW_GetClubReputation(club), VTW_GetClubDivision(club));
        start += Club_TransferBudgetOf(Market_ClampMoney(money), 0);
    }
    if (start <= 0) return 100;
    return static_cast<int32_t>(
        std::clamp<int64_t>(now * 100 / start, PRICE_LEVEL_MIN, PRICE_LEVEL_MAX));
}

// The seller's demand at a price level.
int32_t Market_DemandAt(int32_t player, int32_t turn, int32_t clause, int32_t levelPercent,
                        int32_t* interest)
{
    const bool listed = VTW_GetPlayerTxList(player) != 0;
    const int32_t shirt = VTW_GetPlayerShirt(player);
    int64_t demand = int64_t(VTW_ComputePlayerValueWithPotential(player)) * levelPercent / 100;
    demand = demand * (130 - 8 * std::clamp(turn, 0, 5)) / 100;
    if (shirt >= 1 && shirt <= 11) demand = demand * 150 / 100;
    if (listed) demand = demand * 90 / 100;
    if (clause) demand = demand * 92 / 100;
    if (interest != nullptr) *interest = std::clamp(100 - 12 * turn - (listed ? 0 : 20), 0, 100);
    return Market_ClampMoney(VTW_RoundMoneyNice(Market_ClampMoney(demand)));
}

int32_t VTW_ComputeTransferFee(int32_t player, int32_t turn, int32_t buyer, int32_t* interest,
                               int32_t clause)
{
    (void)buyer;
    return Market_DemandAt(player, turn, clause, Market_PriceLevelPercent(), interest);
}

int32_t VTW_ComputeBidForPlayer(int32_t player, int32_t demand, int32_t turn, int32_t buyer,
                                int32_t clause, int32_t spare, int32_t* interest)
{
    (void)spare;
    const int32_t level = Market_PriceLevelPercent();
    const int64_t value = int64_t(VTW_GetPlayerValue(player)) * level / 100;
    int64_t offer = value * (70 + 10 * std::max(0, turn)) / 100;
    offer = std::min<int64_t>(offer, int64_t(VTW_ComputePlayerValueWithPotential(player)) * level
                                         / 100 * 115 / 100);
    offer = std::min<int64_t>(offer, VTW_GetClubTransferBudget(buyer));
    if (clause) offer = offer * 95 / 100;
    offer = std::clamp<int64_t>(offer, 0, std::max(0, demand));
    if (interest != nullptr)
        *interest = demand > 0
                        ? static_cast<int32_t>(std::clamp<int64_t>(offer * 100 / demand, 0, 100))
                        : 100;
    return Market_ClampMoney(offer);
}
