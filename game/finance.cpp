// game/finance.cpp: the clubs' money week by week and month by month: wages and running costs
// out, television, sponsorship, merchandising and prize money in, and the clubs in the red.
#include <algorithm>
#include <array>
#include <iterator>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"

namespace {

// By division 0-5, whole units.
// The lower divisions' share keeps a lean squad's wages paid: their gates alone cannot.
constexpr std::array<int32_t, DIVISION_MAX> TV_MONTHLY = {250000, 160000, 75000,
                                                          65000,  55000,  50000};
constexpr std::array<int32_t, DIVISION_MAX> SPONSOR_MONTHLY = {200000, 80000, 35000,
                                                               15000,  8000,  4000};
constexpr std::array<int32_t, DIVISION_MAX> MERCH_PER_REPUTATION = {12, 6, 3, 2, 1, 1};
constexpr std::array<int32_t, DIVISION_MAX> LEAGUE_PRIZE = {2000000, 1200000, 400000,
                                                            150000,  60000,   30000};
constexpr int32_t CUP_WIN_PRIZE = 500000;
// A season's bonus: a third of the money beyond the wages the transfer budget reserves.
constexpr int64_t SEASON_BONUS_PERCENT = 33;
// Weekly, per thousand seats: a lower division's ground is kept as its means allow.
constexpr std::array<int32_t, DIVISION_MAX> GROUND_WAGE_PER_THOUSAND = {250, 250, 200,
                                                                        150, 100, 75};
constexpr std::array<int32_t, DIVISION_MAX> MAINTENANCE_PER_THOUSAND = {1000, 1000, 800,
                                                                        500,  350,  250};
constexpr int32_t WORKS_WEEKS = 52;  // works are paid off over a year
constexpr int32_t RED_WEEKS_ALARM = 8;
constexpr int32_t RED_SALE_COUNT = 2;
constexpr int32_t DAYS_PER_MONTH = 30;

int32_t LeagueClubs() { return World_LeagueClubCount(GameState.country); }

int32_t DivisionOf(int32_t club)
{
    return std::clamp(VTW_GetClubDivision(club), 0, DIVISION_MAX - 1);
}

int32_t Seats(const ClubRecord& r) { return r.stands[0] + r.stands[1] + r.stands[2] + r.stands[3]; }

void TellHumanRed(int32_t club)
{
    TextMessParams params = TextMess_NoParams();
    params.team[0] = static_cast<int16_t>(VTW_GetTeam(club));
    params.money[0] = VTW_GetClubBalance(club);
    TextMess_SetParams(params);
    TextMess_PickRandom(MSG_MONEY_WARNING);
    TextMess_ShowForHumans();
}

// The club's two most valuable players go on the transfer list.
void ListMostValuable(int32_t club)
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    std::array<int32_t, RED_SALE_COUNT> chosen{-1, -1};
    for (int32_t n = 0; n < RED_SALE_COUNT; ++n) {
        int32_t best = -1;
        int32_t bestValue = -1;
        for (int32_t k = 0; k < count; ++k) {
            const int32_t id = members[k];
            if (DbPlayers[id].club != club || id == chosen[0]) continue;
            const int32_t value = VTW_GetPlayerValue(id);
            if (value > bestValue) {
                best = id;
                bestValue = value;
            }
        }
        chosen[n] = best;
        if (best >= 0) VTW_PutPlayerOnTxList(best, 1);
    }
}

void WatchTheRed(int32_t club)
{
    uint8_t& weeks = MarketState.redWeeks[club];
    weeks = VTW_GetClubBalance(club) < 0 ? static_cast<uint8_t>(std::min(255, weeks + 1)) : 0;
    if (weeks == 0 || weeks % RED_WEEKS_ALARM != 0) return;
    const bool human = club == GameState.humanClub && AutoRunMode == 0;
    if (human) {
        TellHumanRed(club);
    } else {
        ListMostValuable(club);
    }
}

}  // namespace

void Finance_WeeklyStage()
{
    const int32_t clubs = LeagueClubs();
    std::array<int64_t, CLUB_FULL_MAX> wages{};
    for (int32_t id = PERSON_FIRST_ORDINARY; id < FullPlayerCount; ++id) {
        const PlayerRecord& p = DbPlayers[id];
        if (p.club >= 0 && p.club < clubs && !(DbPersons[id].flags & PERSON_FREE))
            wages[p.club] += p.wage;
    }
    for (int32_t club = 0; club < clubs; ++club) {
        const ClubRecord& r = DbClubs[club];
        const int32_t division = DivisionOf(club);
        int64_t staff = 0;
        for (const StaffPost& post : r.staff) {
            staff += post.wage;
        }
        const int32_t works = r.works.kind >= 0 ? r.works.cost / WORKS_WEEKS : 0;
        Club_Book(club, CLUB_FIG_PLAYER_WAGES,
                  static_cast<int32_t>(std::min<int64_t>(wages[club], MARKET_MONEY_MAX)));
        Club_Book(club, CLUB_FIG_COACHING_WAGES, static_cast<int32_t>(staff));
        Club_Book(club, CLUB_FIG_GROUND_WAGES, Seats(r) * GROUND_WAGE_PER_THOUSAND[division]);
        Club_Book(club, CLUB_FIG_MAINTENANCE,
                  Seats(r) * MAINTENANCE_PER_THOUSAND[division] + works);
        Club_Book(club, CLUB_FIG_MERCHANDISING,
                  r.reputation * r.reputation * MERCH_PER_REPUTATION[division]);
        WatchTheRed(club);
    }
}

void Finance_MonthlyStage()
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        ClubRecord& r = DbClubs[club];
        const int32_t division = DivisionOf(club);
        Club_Book(club, CLUB_FIG_TV, TV_MONTHLY[division]);
        Club_Book(
            club, CLUB_FIG_SPONSORSHIP,
            static_cast<int32_t>(int64_t(SPONSOR_MONTHLY[division]) * (50 + r.reputation) / 100));
        if (r.works.kind >= 0) {
            r.works.daysLeft = static_cast<int16_t>(std::max(0, r.works.daysLeft - DAYS_PER_MONTH));
            if (r.works.daysLeft == 0) r.works = {-1, 0, 0, 0};
        }
    }
}

void Finance_SeasonPrizes()
{
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        const int32_t size = VTW_GetDivisionSize(division);
        for (int32_t place = 0; place < size; ++place) {
            const int32_t club = VTW_GetDivisionSlot(division, place);
            if (club < 0) continue;
            Club_Book(
                club, CLUB_FIG_MISC_IN,
                static_cast<int32_t>(int64_t(LEAGUE_PRIZE[division]) * (size - place) / size));
        }
    }
}

// A computer club with more than the wages its budget keeps in reserve pays its players a third
// of the surplus as the season's bonus, so that a club's money settles near its reserve plus
// three times what it makes in a season: the richest clubs' gates and sales go out to their
// players instead of piling up towards the balance's ceiling, and the league's money stays near
// its start.
void Finance_SeasonBonuses()
{
    for (int32_t club = 0; club < LeagueClubs(); ++club) {
        const int64_t surplus = int64_t(DbClubs[club].balance) - Club_WagesReserved(club);
        const bool human = club == GameState.humanClub && AutoRunMode == 0;
        if (surplus > 0 && !human)
            Club_Book(club, CLUB_FIG_PLAYER_WAGES,
                      static_cast<int32_t>(surplus * SEASON_BONUS_PERCENT / 100));
    }
}

void Finance_CupWon(int32_t club)
{
    if (VTW_GetClubRecordPtr(club) != nullptr) Club_Book(club, CLUB_FIG_MISC_IN, CUP_WIN_PRIZE);
}
