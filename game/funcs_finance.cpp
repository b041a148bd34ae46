// game/funcs_finance.cpp: the query layer's money: balances, season figures, budgets and wage
// bills. Every flow goes through Club_Book, so a club's figures always explain its balance.
#include <algorithm>
#include <cstdlib>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "game/funcs.h"
#include "game/market.h"
#include "game/squad.h"

namespace {

constexpr int64_t FOREIGN_BUDGET_PER_REPUTATION = 750000;
constexpr int64_t FOREIGN_BUDGET_BASE = 100000;
constexpr int64_t WAGE_WEEKS_RESERVED = 125;

int32_t ClampBalance(int32_t club, int64_t balance)
{
    const int64_t clamped = std::clamp<int64_t>(balance, BALANCE_MIN, BALANCE_MAX);
    if (clamped != balance) {
        DebugPrintf(DBG_GENERAL, 1, "Club_SetBalance(): balance %lld of club %d clamped to %lld\n",
                    static_cast<long long>(balance), club, static_cast<long long>(clamped));
    }
    return static_cast<int32_t>(clamped);
}

void AddToFigure(ClubRecord& r, ClubFigure figure, int64_t amount)
{
    r.figures[figure] =
        static_cast<int32_t>(std::clamp<int64_t>(r.figures[figure] + amount, INT32_MIN, INT32_MAX));
}

// Moves `delta` into the club's balance and books what really moved under `figure`, and what
// the ceiling took as lost.
void BookDelta(int32_t club, ClubFigure figure, int64_t delta, const char* field)
{
    if (figure < 0 || figure >= CLUB_FIG_COUNT) FatalError("Club_Book(): bad figure %d", figure);
    const ClubRef ref = Club_RefForSet(club, field);
    if (ref.full == nullptr) {
        if (club < CLUB_ID_COUNT || club == CLUB_NONE) DbOutsideBalance += delta;
        return;
    }
    ClubRecord& r = *ref.full;
    const int64_t wanted = int64_t(r.balance) + delta;
    // What the ceiling takes is booked whole and written off as spent, so that the figures
    // still explain the balance and show what was lost.
    const int64_t lost = std::max<int64_t>(0, wanted - BALANCE_MAX);
    if (lost > 0) {
        DebugPrintf(DBG_GENERAL, 1, "Club_Book(): club %d loses %lld above the balance ceiling\n",
                    club, static_cast<long long>(lost));
        AddToFigure(r, CLUB_FIG_MISC_OUT, lost);
    }
    const int32_t before = r.balance;
    r.balance = ClampBalance(club, wanted - lost);
    const int64_t moved = int64_t(r.balance) - before + lost;
    AddToFigure(r, figure, figure < CLUB_FIG_FIRST_SPENDING ? moved : -moved);
}

// The balance the season's figures explain.
int64_t BookedBalance(const ClubRecord& r)
{
    int64_t booked = r.carriedForward;
    for (int32_t f = 0; f < CLUB_FIG_COUNT; ++f) {
        booked += f < CLUB_FIG_FIRST_SPENDING ? r.figures[f] : -int64_t(r.figures[f]);
    }
    return booked;
}

int32_t Figure(int32_t club, ClubFigure figure, const char* field)
{
    const ClubRef ref = Club_RefForGet(club, field);
    return ref.full ? ref.full->figures[figure] : 0;
}

// Sum and count of the wages of the club's squad; with `ownOnly` players on loan are left out.
// A club of the game reads its members from the index rather than scanning every person.
int64_t SquadWages(int32_t club, bool ownOnly, int32_t* count)
{
    int64_t total = 0;
    *count = 0;
    const auto add = [&](int32_t id) {
        if (id < PERSON_FIRST_ORDINARY || (ownOnly && VTW_GetPlayerOnLoan(id))) return;
        total += VTW_GetPlayerWage(id);
        ++*count;
    };
    if (club >= 0 && club < CLUB_ID_COUNT) {
        const int16_t* members = nullptr;
        const int32_t n = Records_ClubMembers(club, &members);
        for (int32_t k = 0; k < n; ++k)
            add(members[k]);
        return total;
    }
    for (int32_t id = PERSON_FIRST_ORDINARY; id < DbPersonCount; ++id) {
        if (Squad_IsMember(id, club)) add(id);
    }
    return total;
}

}  // namespace

int32_t VTW_GetClubBalance(int32_t club) { return Club_GetBalance(club); }

int32_t Club_GetBalance(int32_t club)
{
    const ClubRef ref = Club_RefForGet(club, "Balance");
    if (ref.full != nullptr) return ref.full->balance;
    if (club == CLUB_NONE)
        return static_cast<int32_t>(std::clamp<int64_t>(DbOutsideBalance, INT32_MIN, INT32_MAX));
    return 0;
}

void Club_SetBalance(int32_t club, int32_t balance)
{
    const ClubRef ref = Club_RefForSet(club, "Balance");
    if (ref.full != nullptr) ref.full->balance = ClampBalance(club, balance);
    if (club == CLUB_NONE) DbOutsideBalance = balance;
}

void Club_Book(int32_t club, ClubFigure figure, int32_t amount)
{
    const int64_t delta = figure < CLUB_FIG_FIRST_SPENDING ? int64_t(amount) : -int64_t(amount);
    BookDelta(club, figure, delta, "Book");
}

void VTW_AddClubCash(int32_t club, int32_t amount)
{
    BookDelta(club, amount >= 0 ? CLUB_FIG_MISC_IN : CLUB_FIG_MISC_OUT, amount, "Cash");
}

int64_t Club_GetOutsideBalance() { return DbOutsideBalance; }

void Club_RestateSpentWinBonuses()
{
    for (ClubRecord& r : DbClubs) {
        const int64_t bonuses = r.figures[CLUB_FIG_WIN_BONUSES];
        if (bonuses == 0 || BookedBalance(r) != r.balance + 2 * bonuses) continue;
        r.figures[CLUB_FIG_WIN_BONUSES] = 0;
        AddToFigure(r, CLUB_FIG_MISC_OUT, bonuses);
    }
}

int32_t VTW_GetClubGateReceipts(int32_t club)
{
    return Figure(club, CLUB_FIG_GATE, "GateReceipts");
}
int32_t VTW_GetClubSales(int32_t club) { return Figure(club, CLUB_FIG_SALES, "Sales"); }
int32_t VTW_GetClubSponsorship(int32_t club)
{
    return Figure(club, CLUB_FIG_SPONSORSHIP, "Sponsorship");
}
int32_t VTW_GetClubTVIncome(int32_t club) { return Figure(club, CLUB_FIG_TV, "TVIncome"); }
int32_t VTW_GetClubMerchandising(int32_t club)
{
    return Figure(club, CLUB_FIG_MERCHANDISING, "Merchandising");
}
int32_t VTW_GetClubMiscIn(int32_t club) { return Figure(club, CLUB_FIG_MISC_IN, "MiscIn"); }
int32_t VTW_GetClubWinBonuses(int32_t club)
{
    return Figure(club, CLUB_FIG_WIN_BONUSES, "WinBonuses");
}
int32_t VTW_GetClubPlayerWages(int32_t club)
{
    return Figure(club, CLUB_FIG_PLAYER_WAGES, "PlayerWages");
}
int32_t VTW_GetClubSignings(int32_t club) { return Figure(club, CLUB_FIG_SIGNINGS, "Signings"); }
int32_t VTW_GetClubCoachingStaffWages(int32_t club)
{
    return Figure(club, CLUB_FIG_COACHING_WAGES, "CoachingStaffWages");
}
int32_t VTW_GetClubGroundStaffWages(int32_t club)
{
    return Figure(club, CLUB_FIG_GROUND_WAGES, "GroundStaffWages");
}
int32_t VTW_GetClubStadiumMaintenance(int32_t club)
{
    return Figure(club, CLUB_FIG_MAINTENANCE, "StadiumMaintenance");
}
int32_t VTW_GetClubMiscOut(int32_t club) { return Figure(club, CLUB_FIG_MISC_OUT, "MiscOut"); }

int32_t VTW_GetClubBalanceCarriedForward(int32_t club)
{
    const ClubRef ref = Club_RefForGet(club, "BalanceCarriedForward");
    return ref.full ? ref.full->carriedForward : 0;
}

int32_t VTW_SumStadiumWorks(int32_t club)
{
    const ClubRef ref = Club_RefForGet(club, "StadiumWorks");
    if (ref.full == nullptr) return 0;
    return ref.full->works.kind < 0 ? -1 : ref.full->works.cost;
}

int32_t VTW_GetClubMaxWageOffer(int32_t club)
{
    const ClubRef ref = Club_RefForGet(club, "MaxWageOffer");
    return ref.full ? ref.full->wageLimit : 0;
}

// The offers a club made and has not paid yet hold their fees back: deals agreed one by one
// never pass the budget together, and the human sees at once what is left to offer.
int32_t VTW_GetClubTransferBudget(int32_t club)
{
    return static_cast<int32_t>(
        std::max<int64_t>(0, Club_GetTransferBudget(club) - Market_FeesBidFor(club)));
}

int32_t Club_GetTransferBudget(int32_t club)
{
    const ClubRef ref = Club_RefForGet(club, "TransferBudget");
    if (ref.small != nullptr)
        return static_cast<int32_t>(ref.small->reputation * FOREIGN_BUDGET_PER_REPUTATION
                                    + FOREIGN_BUDGET_BASE);
    if (ref.full == nullptr) return 0;
    int32_t count = 0;
    return Club_TransferBudgetOf(ref.full->balance, SquadWages(club, true, &count));
}

int64_t Club_WagesReserved(int32_t club)
{
    int32_t count = 0;
    return WAGE_WEEKS_RESERVED * SquadWages(club, true, &count);
}

int32_t Club_TransferBudgetOf(int32_t balance, int64_t weeklyWages)
{
    const int64_t budget = (int64_t(balance) - WAGE_WEEKS_RESERVED * weeklyWages) * 75 / 100;
    return static_cast<int32_t>(std::clamp<int64_t>(budget, 0, INT32_MAX));
}

int32_t VTW_GetClubWageTotal(int32_t club, int32_t* average)
{
    const ClubRef ref = Club_RefForGet(club, "WageTotal");
    int32_t count = 0;
    const int64_t total = (ref.full || ref.small) ? SquadWages(club, false, &count) : 0;
    if (average != nullptr) *average = count ? static_cast<int32_t>(total / count) : 0;
    return static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
}

int32_t VTW_GetClubWageBill(int32_t slot)
{
    const ClubRef ref = Club_RefForGet(slot, "WageBill");
    if (ref.full == nullptr) return 0;
    int32_t count = 0;
    return static_cast<int32_t>(std::min<int64_t>(25 * SquadWages(slot, false, &count), INT32_MAX));
}

int32_t VTW_GetClubSpending(int32_t club)
{
    return VTW_GetClubPlayerWages(club) + VTW_GetClubSignings(club);
}

int32_t VTW_GetClubIncome(int32_t club)
{
    return VTW_GetClubGateReceipts(club) + VTW_GetClubSales(club);
}
