// game/humanlists.cpp: the human's waiting business: computer clubs' requests for his players,
// contract talks, the players recently approached, and his own person at a club.
#include <algorithm>
#include <iterator>

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/season.h"

namespace {

template <typename Row, std::size_t N>
Row* FindRow(Row (&rows)[N], int32_t player)
{
    for (Row& row : rows) {
        if (player >= 0 && row.player == player) return &row;
    }
    return nullptr;
}

template <typename Row, std::size_t N>
const Row* FirstRow(const Row (&rows)[N])
{
    for (const Row& row : rows) {
        if (row.player >= 0) return &row;
    }
    return nullptr;
}

}  // namespace

int32_t VTW_HasHumanSales() { return FirstRow(MarketState.sales) ? 1 : 0; }

int32_t VTW_FindHumanSales()
{
    const SaleRequestRow* row = FirstRow(MarketState.sales);
    return row ? row->player : -1;
}

int32_t VTW_FindHumanSalesTeam()
{
    const SaleRequestRow* row = FirstRow(MarketState.sales);
    return row ? row->club : -1;
}

void VTW_RemoveHumanSale(int32_t player)
{
    while (SaleRequestRow* row = FindRow(MarketState.sales, player)) {
        row->player = -1;
    }
}

void VTW_ClearHumanSales()
{
    for (SaleRequestRow& row : MarketState.sales) {
        row.player = -1;
    }
}

int32_t Market_AddHumanSale(int32_t player, int32_t club, int32_t loan, int32_t price)
{
    if (FindRow(MarketState.sales, player) != nullptr) return 0;
    for (SaleRequestRow& row : MarketState.sales) {
        if (row.player >= 0) continue;
        row = {static_cast<int16_t>(player),
               static_cast<int16_t>(club),
               static_cast<uint8_t>(loan ? 1 : 0),
               {},
               std::clamp(price, 0, MARKET_MONEY_MAX)};
        return 1;
    }
    return 0;
}

int32_t Market_IsLoanRequest(int32_t player)
{
    const SaleRequestRow* row = FindRow(MarketState.sales, player);
    return row != nullptr && row->loan ? 1 : 0;
}

int32_t VTW_HasHumanContracts() { return FirstRow(MarketState.talks) ? 1 : 0; }

int32_t VTW_GetHumanContracts()
{
    const ContractTalkRow* row = FirstRow(MarketState.talks);
    return row ? row->player : -1;
}

int32_t Market_GetHumanContractClub()
{
    const ContractTalkRow* row = FirstRow(MarketState.talks);
    return row ? row->club : -1;
}

void VTW_RemoveHumanContract(int32_t player)
{
    if (ContractTalkRow* row = FindRow(MarketState.talks, player)) row->player = -1;
}

void VTW_ClearHumanContracts()
{
    for (ContractTalkRow& row : MarketState.talks) {
        row.player = -1;
    }
}

int32_t Market_AddHumanContract(int32_t player, int32_t club, int32_t kind)
{
    if (FindRow(MarketState.talks, player) != nullptr) return 1;
    for (ContractTalkRow& row : MarketState.talks) {
        if (row.player >= 0) continue;
        row = {static_cast<int16_t>(player),
               static_cast<int16_t>(club),
               static_cast<uint8_t>(kind),
               {}};
        return 1;
    }
    return 0;
}

void Market_ForgetHumanBusiness(int32_t player)
{
    VTW_RemoveHumanSale(player);
    VTW_RemoveHumanContract(player);
    std::replace(std::begin(MarketState.recent), std::end(MarketState.recent),
                 static_cast<int16_t>(player), int16_t{-1});
}

int32_t VTW_IsNotInHumanRecent(int32_t player)
{
    return std::find(std::begin(MarketState.recent), std::end(MarketState.recent), player)
                   == std::end(MarketState.recent)
               ? 1
               : 0;
}

int32_t VTW_PushHumanRecent(int32_t player)
{
    int16_t* free = std::find(std::begin(MarketState.recent), std::end(MarketState.recent), -1);
    if (free == std::end(MarketState.recent)) return 0;
    *free = static_cast<int16_t>(player);
    return 1;
}

void VTW_ClearHumanRecentList()
{
    std::fill(std::begin(MarketState.recent), std::end(MarketState.recent), int16_t(-1));
}

void VTW_ClearHumanLists()
{
    VTW_ClearHumanSales();
    VTW_ClearHumanContracts();
    VTW_ClearHumanRecentList();
}

void VTW_AddNewPlayer(int32_t club)
{
    const ClubRecord* r = Club_RefForGet(club, "AddNewPlayer").full;
    PlayerRecord& human = DbPlayers[PERSON_HUMAN];
    human.club = static_cast<int16_t>(club);
    human.loanClub = -1;
    if (r != nullptr && r->playerManagerClause) {
        PlayerLife_HumanTakesTheField(club);
    } else {
        PlayerLife_HumanManagesOnly();
    }
}

void VTW_ClearMatchSlot()
{
    std::fill(std::begin(MarketState.matchSlot), std::end(MarketState.matchSlot), 0xFFFF);
}

void Market_SetMatchSlot(int32_t row)
{
    if (row < 0) {
        VTW_ClearMatchSlot();
        return;
    }
    const int32_t home = VTW_GetFixtureHomeClub(row);
    const int32_t opponent = home == GameState.humanClub ? VTW_GetFixtureAwayClub(row) : home;
    MarketState.matchSlot[0] = static_cast<uint16_t>(row);
    MarketState.matchSlot[1] = static_cast<uint16_t>(opponent);
    MarketState.matchSlot[2] = static_cast<uint16_t>(VTW_GetFixtureCompetition(row));
}
