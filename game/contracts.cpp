// game/contracts.cpp: what a player asks for a contract, whether he signs, and the computer
// clubs' renewals.
#include <algorithm>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/textformat.h"

namespace {

constexpr int32_t AMBITION_GAP = 10;  // reputation points a player gives a club for free
constexpr int32_t REPUTATION_REFUSAL = 25;
constexpr int32_t CLAUSE_PERCENT = 5;

int32_t YearsOf(int32_t months)
{
    return std::clamp((months + 11) / 12, 0, CONTRACT_YEARS_MAX + 1);
}

// The years already running count for the human's own player, so talks cannot stack contracts.
int32_t TotalYears(int32_t player, int32_t months, int32_t club)
{
    int32_t years = YearsOf(months);
    if (club >= 0 && club == GameState.humanClub && VTW_GetPlayerClub(player) == club)
        years += VTW_GetPlayerContract(player) / 12;
    return years;
}

bool WouldSign(int32_t player, int32_t months, int32_t club)
{
    return TotalYears(player, months, club) <= CONTRACT_YEARS_MAX
           && VTW_GetClubReputation(club) + REPUTATION_REFUSAL >= VTW_GetPlayerReputation(player);
}

}  // namespace

int32_t Contract_Demand(int32_t player, int32_t months, int32_t club, int32_t bigClub,
                        int32_t relegation)
{
    const int32_t years = std::min(YearsOf(months), CONTRACT_YEARS_MAX);
    const int64_t base = Contract_WorldWage(player, club, years);
    const int32_t above =
        VTW_GetPlayerReputation(player) - (VTW_GetClubReputation(club) + AMBITION_GAP);
    const int32_t percent =
        100 + 2 * std::max(0, above) - CLAUSE_PERCENT * ((bigClub ? 1 : 0) + (relegation ? 1 : 0));
    const int64_t demand = std::clamp<int64_t>(base * percent / 100, 0, MARKET_MONEY_MAX);
    return VTW_RoundTo25(static_cast<int32_t>(demand));
}

int32_t VTW_EvaluateContractOffer(int32_t player, int32_t months, int32_t club, int32_t bigClub,
                                  int32_t* interest, int32_t wage, int32_t relegation)
{
    if (!WouldSign(player, months, club)) {
        if (interest != nullptr) *interest = 0;
        return 0;
    }
    const int32_t demand = std::max(1, Contract_Demand(player, months, club, bigClub, relegation));
    if (interest != nullptr)
        *interest = static_cast<int32_t>(std::clamp<int64_t>(int64_t(wage) * 100 / demand, 0, 100));
    return wage >= demand ? 1 : 0;
}

int32_t VTW_RenewContracts(int32_t player, int32_t months, int32_t club, int32_t bigClub,
                           int32_t* interest, int32_t wage, int32_t relegation)
{
    PlayerRecord* p = Player_RefForSet(player, "RenewContracts").full;
    if (p == nullptr
        || !VTW_EvaluateContractOffer(player, months, club, bigClub, interest, wage, relegation))
        return 0;
    p->wage = VTW_RoundTo25(wage);
    p->contractMonths = static_cast<uint8_t>(std::clamp(months, 1, 12 * CONTRACT_YEARS_MAX));
    p->flags &= ~(PLAYER_BIG_CLUB_CLAUSE | PLAYER_RELEGATION_CLAUSE);
    if (bigClub) p->flags |= PLAYER_BIG_CLUB_CLAUSE;
    if (relegation) p->flags |= PLAYER_RELEGATION_CLAUSE;
    return 1;
}

int32_t Contract_ComputerRenew(int32_t player, int32_t wanted)
{
    const int32_t club = VTW_GetPlayerClub(player);
    // A line that would fall below its minimum keeps its man whatever he asks, or replaces him
    // while a window is open: the next one may come after he has gone.
    const int32_t line = VTW_GetPositionLine(player);
    const bool needed = Market_LineNeedsHim(player);
    if (!wanted && !needed) return 0;
    const int32_t age = VTW_GetPlayerAge(player);
    const int32_t months = 12 * (age <= 24 ? 3 : age <= 29 ? 2 : 1);
    const int32_t demand = Contract_Demand(player, months, club, 0, 0);
    if (!needed && demand > VTW_GetClubMaxWageOffer(club)) return 0;
    int32_t interest = 0;
    if (VTW_RenewContracts(player, months, club, 0, &interest, demand, 0)) return 1;
    if (needed) Market_SignReplacement(club, line);
    return 0;
}
