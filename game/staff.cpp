// game/staff.cpp: the staff market, the staff's contracts and the computer clubs' hiring.
#include <algorithm>
#include <iterator>

#include "engine/random.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/statmodel.h"
#include "game/textmess.h"
#include "game/world.h"

namespace {

constexpr int32_t CANDIDATES_REFRESHED = 2;  // per role and week
constexpr int32_t BAND_BELOW = 10;           // a holder this far under the band's base renews
constexpr int32_t BAND_ABOVE = 30;
constexpr int32_t WAGE_WEEKS_AFFORDED = 26;  // a hire needs half a year's wage in the bank
constexpr int32_t RELEASE_WEEKS_PER_MONTH = 4;

StaffCandidate DrawCandidate()
{
    const int32_t rating = 10 + Rand() % 85;
    const WorldStaffName& name = World.staffNames[Rand() % WORLD_STAFF_NAMES];
    return {static_cast<uint8_t>(rating), static_cast<uint8_t>(12 + Rand() % 37), name.nameIndex,
            Staff_WageForRating(rating)};
}

bool ValidChoice(int32_t role, int32_t k)
{
    return role >= 0 && role < STAFF_ROLE_COUNT && k >= 0 && k < STAFF_CANDIDATES;
}

int32_t BandBase(int32_t club) { return 10 + VTW_GetClubReputation(club); }

bool IsComputerRun(int32_t club) { return club != GameState.humanClub || AutoRunMode != 0; }

void TellHumanStaffLeft(int32_t role)
{
    TextMessParams params = TextMess_NoParams();
    params.number[0] = role;
    TextMess_SetParams(params);
    TextMess_PickRandom(MSG_STAFF_LEFT);
    TextMess_ShowForHumans();
}

void ExpireHolder(int32_t club, int32_t role)
{
    const int32_t rating = Staff_GetRating(club, role);
    if (IsComputerRun(club) && rating >= BandBase(club) - BAND_BELOW) {
        Staff_SetContract(club, role, 12 + Rand() % 25);
        return;
    }
    Staff_Set(club, role, 0, 0);
    if (!IsComputerRun(club)) TellHumanStaffLeft(role);
}

}  // namespace

void Staff_DrawMarket()
{
    for (auto& role : MarketState.staff) {
        for (StaffCandidate& candidate : role) {
            candidate = DrawCandidate();
        }
    }
}

int32_t VTW_GetStaffCost(int32_t rating, int32_t months, int32_t* wage)
{
    const int32_t weekly = Staff_WageForRating(std::clamp(rating, 0, 99));
    if (wage != nullptr) *wage = weekly;
    return static_cast<int32_t>(std::min<int64_t>(
        int64_t(weekly) * std::max(0, months) * RELEASE_WEEKS_PER_MONTH, MARKET_MONEY_MAX));
}

int32_t VTW_GetStaffChoiceRating(int32_t role, int32_t k)
{
    return ValidChoice(role, k) ? MarketState.staff[role][k].rating : 0;
}

int32_t VTW_GetStaffChoiceTerm(int32_t role, int32_t k)
{
    return ValidChoice(role, k) ? MarketState.staff[role][k].termMonths : 0;
}

void Staff_ReplaceCandidate(int32_t role, int32_t k)
{
    if (ValidChoice(role, k)) MarketState.staff[role][k] = DrawCandidate();
}

int32_t Staff_BandTop(int32_t club) { return std::min(99, BandBase(club) + BAND_ABOVE); }

int32_t VTW_AIHireStaff(int32_t club)
{
    if (VTW_GetClubRecordPtr(club) == nullptr) return 0;
    int32_t hired = 0;
    for (int32_t role = 0; role < STAFF_ROLE_COUNT; ++role) {
        if (Staff_GetRating(club, role) != 0) continue;
        int32_t best = -1;
        for (int32_t k = 0; k < STAFF_CANDIDATES; ++k) {
            const StaffCandidate& c = MarketState.staff[role][k];
            const bool affordable =
                int64_t(c.wage) * WAGE_WEEKS_AFFORDED <= VTW_GetClubBalance(club);
            if (c.rating > Staff_BandTop(club) || !affordable) continue;
            if (best < 0 || c.rating > MarketState.staff[role][best].rating) best = k;
        }
        if (best < 0) continue;
        const StaffCandidate& chosen = MarketState.staff[role][best];
        Staff_Set(club, role, chosen.rating, chosen.wage);
        Staff_SetContract(club, role, chosen.termMonths);
        Staff_ReplaceCandidate(role, best);
        ++hired;
    }
    return hired;
}

void Staff_WeeklyStage()
{
    for (auto& role : MarketState.staff) {
        for (int32_t n = 0; n < CANDIDATES_REFRESHED; ++n) {
            role[Rand() % STAFF_CANDIDATES] = DrawCandidate();
        }
    }
}

void Staff_MonthlyStage()
{
    const int32_t clubs = World_LeagueClubCount(GameState.country);
    for (int32_t club = 0; club < clubs; ++club) {
        for (int32_t role = 0; role < STAFF_ROLE_COUNT; ++role) {
            if (Staff_GetRating(club, role) == 0) continue;
            const int32_t months = Staff_GetContract(club, role) - 1;
            Staff_SetContract(club, role, std::max(0, months));
            if (months <= 0) ExpireHolder(club, role);
        }
        if (IsComputerRun(club)) VTW_AIHireStaff(club);
    }
}
