// game/dailyclub.cpp: the daily processing of the clubs and their players: recovery, injuries,
// missing players, training, the weekly morale drift and the monthly contracts.
#include <algorithm>
#include <array>

#include "engine/poll.h"
#include "engine/random.h"
#include "game/calendar.h"
#include "game/careerlog.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/records.h"
#include "game/season.h"
#include "game/squad.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "game/world.h"

namespace {

constexpr int32_t DAILY_FITNESS = 3;
constexpr int32_t DAILY_FATIGUE = 8;
constexpr int32_t REST_PERIOD_FATIGUE = 16;
constexpr int32_t MISSING_CHANCE = 2000;  // one club in this many per day
constexpr int32_t MORALE_SETTLES_AT = 60;
constexpr int32_t MORALE_DRIFT = 2;
constexpr int32_t RENEWAL_MONTHS = 6;
constexpr int32_t CLUBS_PER_POLL = 16;

constexpr int32_t MSG_INJURY_CURED = 4;
constexpr int32_t MSG_RELEASED = 6;
constexpr int32_t MSG_MISSING = 24;

bool IsHumans(int32_t club) { return club >= 0 && club == GameState.humanClub; }

// The weekday's training period 0-6 (Monday .. Sunday).
int32_t PeriodOfWeekday(int32_t weekday) { return (weekday + WEEKDAY_COUNT - 2) % WEEKDAY_COUNT; }

bool TrainsToday(int32_t club, int32_t period)
{
    // The extra periods only on a weekend day without a fixture, and nobody trains on holiday.
    if (DayNo >= GameState.holidayStart) return false;
    return period < 5 || VTW_FindFixtureOfClubOnDay(club, DayNo) < 0;
}

void Recover(int32_t id, PlayerRecord* p, bool restPeriod)
{
    p->fitness = static_cast<uint8_t>(std::min(100, p->fitness + DAILY_FITNESS));
    const int32_t rest = restPeriod ? REST_PERIOD_FATIGUE : DAILY_FATIGUE;
    p->fatigue = static_cast<uint8_t>(std::max(0, p->fatigue - rest));
    if (p->injuryDays > 0 && --p->injuryDays == 0) {
        p->flags &= ~PLAYER_INJURED;
        if (IsHumans(p->club)) PlayerLife_TellHuman(MSG_INJURY_CURED, id, 0);
    }
    if (p->missingDays > 0 && --p->missingDays == 0) p->flags &= ~PLAYER_MISSING;
}

void MaybeGoMissing(int32_t club)
{
    if (Rand() % MISSING_CHANCE != 0) return;
    const int32_t count = VTW_RefreshSquadCount(club);
    if (count == 0) return;
    const int32_t player = SquadList.players[Rand() % count];
    PlayerRecord* p = Player_RefForSet(player, "Missing").full;
    if (p == nullptr) return;
    p->missingDays = static_cast<uint8_t>(3 + Rand() % 8);
    p->flags |= PLAYER_MISSING;
    GameHooks.NewsPlayerMissing(club, player);
    if (IsHumans(club)) PlayerLife_TellHuman(MSG_MISSING, player, p->missingDays);
}

void DriftMorale(PlayerRecord* p)
{
    if (p->morale > MORALE_SETTLES_AT) {
        p->morale = static_cast<uint8_t>(std::max(MORALE_SETTLES_AT, p->morale - MORALE_DRIFT));
    } else {
        p->morale = static_cast<uint8_t>(std::min(MORALE_SETTLES_AT, p->morale + MORALE_DRIFT));
    }
}

// The median ability of each full club's squad, for this month's renewals.
void SquadMedians(int32_t clubs, std::array<uint8_t, CLUB_FULL_MAX>* medians)
{
    for (int32_t club = 0; club < clubs; ++club) {
        const int32_t count = VTW_RefreshSquadCount(club);
        std::array<uint8_t, SQUAD_MAX> abilities{};
        for (int32_t k = 0; k < count; ++k) {
            abilities[k] = static_cast<uint8_t>(VTW_GetPlayerAbilityCurve(SquadList.players[k]));
        }
        std::sort(abilities.begin(), abilities.begin() + count);
        (*medians)[club] = count > 0 ? abilities[count / 2] : 0;
    }
}

bool ClubWantsHim(const PlayerRecord& p, int32_t id, uint8_t median)
{
    return p.ability >= median || (VTW_GetPlayerAge(id) <= 23 && p.potential > p.ability);
}

void Release(int32_t id, PlayerRecord* p)
{
    const int32_t club = p->club;
    VTW_AddClubLog(id, CareerLog_ClubPlayedFor(id), CAREERLOG_RELEASED);
    p->club = CLUB_NONE;
    p->shirt = 0;
    p->wage = 0;
    p->flags &= ~PLAYER_CLUB_FLAGS;
    Records_MemberMoved(id);
    if (IsHumans(club)) PlayerLife_TellHuman(MSG_RELEASED, id, 0);
    Market_PlayerLeft(club);
}

void MonthlyContract(int32_t id, PlayerRecord* p, const std::array<uint8_t, CLUB_FULL_MAX>& medians)
{
    const int32_t club = p->club;
    if (club < 0 || club >= CLUB_FULL_MAX || p->contractMonths == 0 || p->loanClub >= 0) return;
    if ((p->flags & PLAYER_MANAGER) != 0) return;  // the player-manager's contract is his post's
    --p->contractMonths;
    const bool computerDecides = !IsHumans(club) || AutoRunMode != 0;
    if (computerDecides && p->contractMonths <= RENEWAL_MONTHS)
        Contract_ComputerRenew(id, ClubWantsHim(*p, id, medians[club]));
    if (p->contractMonths == 0) Release(id, p);
}

// The clubs' business after the players' day: the market every day, money, staff and boards on
// their own rhythm.
void ClubBusiness(bool weekly, bool monthly)
{
    Market_DailyStage();
    Managers_DailyStage();
    if (weekly) {
        Finance_WeeklyStage();
        Staff_WeeklyStage();
        Managers_WeeklyStage();
    }
    if (monthly) {
        Finance_MonthlyStage();
        Staff_MonthlyStage();
    }
}

}  // namespace

void DailyClubProcessing()
{
    const int32_t clubs = World_LeagueClubCount(GameState.country);
    const int32_t period = PeriodOfWeekday(GameState.weekday);
    const bool weekly = GameState.weekday == (Calendar_ClosingWeekday() + 1) % WEEKDAY_COUNT;
    const bool monthly = GameState.dayOfMonth == 1;
    const bool restPeriod = DayNo >= GameState.holidayStart;
    for (int32_t club = 0; club < clubs; ++club) {
        MaybeGoMissing(club);
        DailyTraining_ClubDay(club);
        if ((club + 1) % CLUBS_PER_POLL == 0) Poll();
    }
    std::array<uint8_t, CLUB_FULL_MAX> medians{};
    if (monthly) SquadMedians(clubs, &medians);
    std::array<int8_t, CLUB_FULL_MAX> trains{};
    for (int32_t club = 0; club < clubs; ++club) {
        trains[club] = TrainsToday(club, period) ? 1 : 0;
    }
    for (int32_t id = PERSON_HUMAN; id < FullPlayerCount; ++id) {
        if (!PlayerLife_IsActivePlayer(id)) continue;
        PlayerRecord* p = &DbPlayers[id];
        Recover(id, p, restPeriod);
        const int32_t club = p->loanClub >= 0 ? p->loanClub : p->club;
        if (club >= 0 && club < clubs && trains[club]) DailyTraining_PlayerPeriod(id, club, period);
        if (weekly) DriftMorale(p);
        if (monthly) MonthlyContract(id, p, medians);
    }
    ClubBusiness(weekly, monthly);
}
