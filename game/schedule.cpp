// game/schedule.cpp: a whole season's fixtures: the reserved dates of every cup round, the
// league rounds around them, the super cup and the continental cups' entrants and groups.
#include <algorithm>
#include <array>
#include <cstring>

#include "engine/fatal.h"
#include "engine/random.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/tables.h"
#include "game/world.h"

namespace {

constexpr int32_t CONTINENTAL_SECOND_SIZE = 32;
constexpr int32_t CONTINENTAL_THIRD_SIZE = 16;
constexpr int32_t CHAMPIONS_SIZE = CHAMPIONS_GROUPS * CHAMPIONS_GROUP_SIZE;
constexpr int32_t ROUND_ROBIN_MAX = DIVISION_LIST_SIZE;
constexpr int32_t WEEK = 7;
constexpr int32_t FORTNIGHT = 14;
// National cup finals after the last league day, clear of the play-off days (+4, +7, +14).
constexpr std::array<int32_t, CUP_NATIONAL_MAX> NATIONAL_FINAL_OFFSET = {10, 12, 16, 18};

struct Pending {
    int16_t day;
    int16_t comp;
    int16_t home;
    int16_t away;
};

struct ScheduleState {
    bool closed[DIVISION_MAX][CALENDAR_DAYS_MAX + 1];  // no league round that day
    bool continentalWeek[CALENDAR_DAYS_MAX + 1];       // by the week's Wednesday
    Pending pending[FIXTURE_ROWS];
    int32_t pendingCount;
    uint8_t entered[CLUB_ID_COUNT];  // 1 + the continental cup the club plays in, 0 none
};

ScheduleState s_schedule;

void Close(int32_t day, const bool divisions[DIVISION_MAX])
{
    for (int32_t d = 0; d < DIVISION_MAX; ++d) {
        if (!divisions[d]) continue;
        for (int32_t k = std::max(0, day - 1); k <= std::min(CALENDAR_DAYS_MAX, day + 1); ++k) {
            s_schedule.closed[d][k] = true;
        }
    }
}

void AddPending(int32_t day, int32_t comp, int32_t home, int32_t away)
{
    if (s_schedule.pendingCount == FIXTURE_ROWS) FatalError("InsertFixture(): fixture table full");
    s_schedule.pending[s_schedule.pendingCount++] = {
        static_cast<int16_t>(day), static_cast<int16_t>(comp), static_cast<int16_t>(home),
        static_cast<int16_t>(away)};
}

void Shuffle(int16_t* clubs, int32_t count)
{
    for (int32_t i = count - 1; i > 0; --i) {
        std::swap(clubs[i], clubs[Rand() % (i + 1)]);
    }
}

// The circle method: round r of a single round-robin of n clubs (a bye where n is odd); the
// second half mirrors the first, starting from its second round, which keeps every club to at
// most two home or two away matches in a row.
int32_t RoundRobinPairs(int32_t n, int32_t round, int16_t pairs[][2])
{
    const int32_t m = n % 2 == 0 ? n : n + 1;
    const int32_t half = m - 1;
    const bool mirrored = round >= half;
    const int32_t r = mirrored ? (round - half + 1) % half : round;
    int32_t count = 0;
    const auto add = [&](int32_t home, int32_t away) {
        if (home >= n || away >= n) return;
        pairs[count][0] = static_cast<int16_t>(mirrored ? away : home);
        pairs[count][1] = static_cast<int16_t>(mirrored ? home : away);
        ++count;
    };
    const int32_t fixed = m - 1;
    if (r % 2 == 0) {
        add(r % half, fixed);
    } else {
        add(fixed, r % half);
    }
    for (int32_t i = 1; i < m / 2; ++i) {
        const int32_t a = (r + i) % half;
        const int32_t b = (r + m - 1 - i) % half;
        if (i % 2 == 1) {
            add(a, b);
        } else {
            add(b, a);
        }
    }
    return count;
}

int32_t RoundRobinRounds(int32_t n) { return 2 * (n % 2 == 0 ? n - 1 : n); }

// `count` indices spread evenly over 0 .. available - 1, the first and the last included.
int32_t SpreadIndex(int32_t k, int32_t count, int32_t available)
{
    return count == 1 ? available - 1 : k * (available - 1) / (count - 1);
}

void CollectDays(int32_t division, int32_t weekday, int32_t* days, int32_t* count)
{
    *count = 0;
    for (int32_t day = GameState.firstLeagueDay; day <= GameState.lastLeagueDay; ++day) {
        if (Calendar_WeekdayOfDay(day) == weekday && !s_schedule.closed[division][day])
            days[(*count)++] = day;
    }
}

// The closing days, spread evenly when there are more than rounds, else every closing day and
// as many free Tuesdays, spread evenly.
void PickLeagueDays(int32_t division, int32_t rounds, int32_t days[CALENDAR_DAYS_MAX])
{
    int32_t closing[CALENDAR_DAYS_MAX];
    int32_t tuesdays[CALENDAR_DAYS_MAX];
    int32_t closingCount = 0;
    int32_t tuesdayCount = 0;
    CollectDays(division, Calendar_ClosingWeekday(), closing, &closingCount);
    CollectDays(division, WEEKDAY_TUESDAY, tuesdays, &tuesdayCount);
    if (rounds <= closingCount) {
        for (int32_t k = 0; k < rounds; ++k) {
            days[k] = closing[SpreadIndex(k, rounds, closingCount)];
        }
        return;
    }
    const int32_t extra = rounds - closingCount;
    if (extra > tuesdayCount)
        FatalError("Season_GenerateFixtures(): cannot place %s round %d", "league",
                   closingCount + tuesdayCount);
    std::copy(closing, closing + closingCount, days);
    for (int32_t k = 0; k < extra; ++k) {
        days[closingCount + k] = tuesdays[(2 * k + 1) * tuesdayCount / (2 * extra)];
    }
    std::sort(days, days + rounds);
}

void ScheduleLeague(int32_t division)
{
    const int32_t n = VTW_GetDivisionSize(division);
    if (n < 2) return;
    const int32_t rounds = RoundRobinRounds(n);
    int32_t days[CALENDAR_DAYS_MAX];
    PickLeagueDays(division, rounds, days);
    int16_t pairs[ROUND_ROBIN_MAX][2];
    for (int32_t round = 0; round < rounds; ++round) {
        const int32_t count = RoundRobinPairs(n, round, pairs);
        for (int32_t k = 0; k < count; ++k) {
            AddPending(days[round], COMP_LEAGUE, DivisionLists[division][pairs[k][0]],
                       DivisionLists[division][pairs[k][1]]);
        }
    }
}

// Continental dates: group Wednesdays and Thursday legs from September, knockouts from February,
// finals in the week of the last league day.
void ReserveContinentalDates()
{
    const int32_t autumn = Calendar_NextWeekday(CALENDAR_SEPTEMBER_1, WEEKDAY_WEDNESDAY);
    const int32_t spring = Calendar_NextWeekday(CALENDAR_FEBRUARY_1, WEEKDAY_WEDNESDAY);
    const int32_t last = GameState.lastLeagueDay;
    const int32_t final = last - (Calendar_WeekdayOfDay(last) - WEEKDAY_WEDNESDAY + WEEK) % WEEK;
    auto& days = CupSchedule.roundDay;
    const auto legs = [](int16_t* leg, int32_t first) {
        leg[0] = static_cast<int16_t>(first);
        leg[1] = static_cast<int16_t>(first + FORTNIGHT);
    };
    days[CUP_CHAMPIONS][0][0] = static_cast<int16_t>(autumn);
    for (int32_t round = 1; round <= 3; ++round) {
        legs(days[CUP_CHAMPIONS][round], spring + 2 * FORTNIGHT * (round - 1));
    }
    days[CUP_CHAMPIONS][Cup_FinalRound(CUP_CHAMPIONS)][0] = static_cast<int16_t>(final);
    const int32_t thursdays[4] = {autumn + 8, autumn + 50, spring + 8, spring + 36};
    for (int32_t round = 1; round <= 4; ++round) {
        legs(days[CUP_SECOND][round], thursdays[round - 1]);
        if (round <= 3) legs(days[CUP_THIRD][round], thursdays[round - 1]);
    }
    days[CUP_SECOND][Cup_FinalRound(CUP_SECOND)][0] = static_cast<int16_t>(final + 1);
    days[CUP_THIRD][Cup_FinalRound(CUP_THIRD)][0] = static_cast<int16_t>(final + 1);
    for (int32_t cup = CUP_SECOND; cup < CUP_COUNT; ++cup) {
        CupSchedule.finalRound[cup] = static_cast<int8_t>(Cup_FinalRound(cup));
    }
    for (int32_t g = 0; g < CHAMPIONS_MATCHDAYS; ++g) {
        s_schedule.continentalWeek[autumn + FORTNIGHT * g] = true;
    }
    for (int32_t cup = CUP_SECOND; cup < CUP_COUNT; ++cup) {
        for (const auto& round : days[cup]) {
            for (int16_t day : round) {
                if (day >= 0) s_schedule.continentalWeek[day - (day - autumn + WEEK) % WEEK] = true;
            }
        }
    }
}

int32_t ContinentalDay(int32_t cup, int32_t round, int32_t leg)
{
    return CupSchedule.roundDay[cup][round][leg];
}

void CloseContinental(int32_t cup)
{
    bool divisions[DIVISION_MAX] = {};
    for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
        const int32_t division = VTW_FindDivisionOfTeam(club);
        if (division >= 0 && s_schedule.entered[club] == cup + 1) divisions[division] = true;
    }
    const int32_t autumn = ContinentalDay(CUP_CHAMPIONS, 0, 0);
    for (int32_t g = 0; cup == CUP_CHAMPIONS && g < CHAMPIONS_MATCHDAYS; ++g) {
        Close(autumn + FORTNIGHT * g, divisions);
    }
    for (const auto& round : CupSchedule.roundDay[cup]) {
        for (int16_t day : round) {
            if (day >= 0) Close(day, divisions);
        }
    }
}

const char* NationalCupLabel(int32_t cup)
{
    constexpr std::array<const char*, CUP_NATIONAL_MAX> LABELS = {
        "national cup 1", "national cup 2", "national cup 3", "national cup 4"};
    return LABELS[cup];
}

// National rounds on the Wednesdays of weeks without continental matches, round by round across
// the cups so that each round falls before the next; finals after the league.
void ReserveNationalDates()
{
    const int32_t cups = VTW_GetCountryCupCount();
    const int32_t finalRound = Cup_FinalRound(0);
    if (finalRound >= CUP_ROUND_COUNT)
        FatalError("Season_GenerateFixtures(): cannot place %s round %d", NationalCupLabel(0),
                   finalRound);
    bool all[DIVISION_MAX];
    std::fill(std::begin(all), std::end(all), true);
    int32_t week = Calendar_NextWeekday(GameState.firstLeagueDay, WEEKDAY_WEDNESDAY);
    const auto nextFreeWeek = [&](int32_t cup, int32_t round) {
        while (week < GameState.lastLeagueDay && s_schedule.continentalWeek[week]) {
            week += WEEK;
        }
        if (week >= GameState.lastLeagueDay)
            FatalError("Season_GenerateFixtures(): cannot place %s round %d", NationalCupLabel(cup),
                       round);
        const int32_t day = week;
        week += WEEK;
        return day;
    };
    for (int32_t cup = 0; cup < cups; ++cup) {
        CupSchedule.finalRound[cup] = static_cast<int8_t>(finalRound);
        const int32_t final = GameState.lastLeagueDay + NATIONAL_FINAL_OFFSET[cup];
        CupSchedule.roundDay[cup][finalRound][0] = static_cast<int16_t>(final);
        Close(final, all);
    }
    for (int32_t round = 0; round < finalRound; ++round) {
        for (int32_t cup = 0; cup < cups; ++cup) {
            for (int32_t leg = 0; leg < Fixture_RoundLegs(cup, round); ++leg) {
                const int32_t day = nextFreeWeek(cup, round);
                CupSchedule.roundDay[cup][round][leg] = static_cast<int16_t>(day);
                Close(day, all);
            }
        }
    }
}

// Round 0 brings the field to a power of two: the lowest-placed clubs play, the others wait.
void DrawNationalRoundZero(int32_t cup, int32_t leagueClubs)
{
    int16_t order[CLUB_FULL_MAX];
    int32_t count = 0;
    for (int32_t division = 0; division < DIVISION_MAX; ++division) {
        for (int32_t place = 0; place < DIVISION_LIST_SIZE; ++place) {
            const int32_t club = VTW_GetDivisionSlot(division, place);
            if (club < 0) continue;
            order[count++] = static_cast<int16_t>(club);
            CupSchedule.alive[cup][club] = 1;
        }
    }
    const int32_t playing = 2 * (leagueClubs - (1 << Cup_FinalRound(cup)));
    Cup_DrawClubs(cup, 0, order + count - playing, playing);
}

bool IsForeign(int32_t club) { return VTW_GetClubCountry(club) != GameState.country; }

void Enter(int32_t cup, int32_t club, int16_t* field, int32_t* count)
{
    if (club < 0 || s_schedule.entered[club]) return;
    s_schedule.entered[club] = static_cast<uint8_t>(cup + 1);
    field[(*count)++] = static_cast<int16_t>(club);
}

// Own qualifiers, a foreign title holder, then foreign clubs by reputation (random tie-break).
int32_t ChooseEntrants(int32_t cup, const int16_t* own, int32_t ownCount,
                       const int16_t* foreignOrder, int16_t* field, int32_t size)
{
    int32_t count = 0;
    for (int32_t k = 0; k < ownCount && count < size; ++k) {
        Enter(cup, own[k], field, &count);
    }
    const int32_t holder = Honours_ClubOfTeam(VTW_GetHonoursEntry(1, cup, nullptr));
    if (holder >= 0 && IsForeign(holder) && count < size) Enter(cup, holder, field, &count);
    for (int32_t k = 0; k < CLUB_ID_COUNT && count < size; ++k) {
        if (foreignOrder[k] >= 0) Enter(cup, foreignOrder[k], field, &count);
    }
    if (count < size)
        FatalError("Season_GenerateFixtures(): cannot place %s round %d", "continental cup", 0);
    return count;
}

void ForeignByReputation(int16_t order[CLUB_ID_COUNT])
{
    int32_t key[CLUB_ID_COUNT];
    for (int32_t club = 0; club < CLUB_ID_COUNT; ++club) {
        order[club] = static_cast<int16_t>(IsForeign(club) ? club : -1);
        key[club] = VTW_GetClubReputation(club) * RAND_LIMIT + Rand();
    }
    std::stable_sort(order, order + CLUB_ID_COUNT, [&](int16_t a, int16_t b) {
        if ((a < 0) != (b < 0)) return b < 0;
        return a >= 0 && key[a] > key[b];
    });
}

bool SharesCountry(int32_t group, int32_t club)
{
    for (int16_t member : CupSchedule.groups[group]) {
        if (member >= 0 && VTW_GetClubCountry(member) == VTW_GetClubCountry(club)) return true;
    }
    return false;
}

// Four pots by reputation, one club of each per group; two clubs of one country share a group
// only when nothing else is left.
void DrawGroups(int16_t field[CHAMPIONS_SIZE])
{
    std::stable_sort(field, field + CHAMPIONS_SIZE, [](int16_t a, int16_t b) {
        return VTW_GetClubReputation(a) > VTW_GetClubReputation(b);
    });
    for (int32_t pot = 0; pot < CHAMPIONS_GROUP_SIZE; ++pot) {
        int16_t* clubs = field + pot * CHAMPIONS_GROUPS;
        Shuffle(clubs, CHAMPIONS_GROUPS);
        for (int32_t k = 0; k < CHAMPIONS_GROUPS; ++k) {
            int32_t open[CHAMPIONS_GROUPS];
            int32_t openCount = 0;
            for (int32_t pass = 0; pass < 2 && openCount == 0; ++pass) {
                for (int32_t g = 0; g < CHAMPIONS_GROUPS; ++g) {
                    if (CupSchedule.groups[g][pot] < 0
                        && (pass == 1 || !SharesCountry(g, clubs[k])))
                        open[openCount++] = g;
                }
            }
            CupSchedule.groups[open[Rand() % openCount]][pot] = clubs[k];
            CupSchedule.alive[CUP_CHAMPIONS][clubs[k]] = 1;
        }
    }
}

void ScheduleGroupMatches()
{
    const int32_t first = ContinentalDay(CUP_CHAMPIONS, 0, 0);
    int16_t pairs[CHAMPIONS_GROUP_SIZE][2];
    for (const auto& group : CupSchedule.groups) {
        for (int32_t matchday = 0; matchday < CHAMPIONS_MATCHDAYS; ++matchday) {
            const int32_t count = RoundRobinPairs(CHAMPIONS_GROUP_SIZE, matchday, pairs);
            for (int32_t k = 0; k < count; ++k) {
                AddPending(first + FORTNIGHT * matchday, COMP_CHAMPIONS_GROUPS, group[pairs[k][0]],
                           group[pairs[k][1]]);
            }
        }
    }
}

void EnterContinentalCups()
{
    int16_t foreign[CLUB_ID_COUNT];
    ForeignByReputation(foreign);
    const EuroQualifierRecord& q = EuroQualifiers;
    int16_t champions[CHAMPIONS_SIZE];
    int16_t second[CONTINENTAL_SECOND_SIZE];
    int16_t third[CONTINENTAL_THIRD_SIZE];
    ChooseEntrants(CUP_CHAMPIONS, q.champions, q.counts[0], foreign, champions, CHAMPIONS_SIZE);
    ChooseEntrants(CUP_SECOND, q.second, q.counts[1], foreign, second, CONTINENTAL_SECOND_SIZE);
    ChooseEntrants(CUP_THIRD, q.third, q.counts[2], foreign, third, CONTINENTAL_THIRD_SIZE);
    DrawGroups(champions);
    for (int16_t club : second) {
        CupSchedule.alive[CUP_SECOND][club] = 1;
    }
    for (int16_t club : third) {
        CupSchedule.alive[CUP_THIRD][club] = 1;
    }
    for (int32_t cup = CUP_SECOND; cup < CUP_COUNT; ++cup) {
        CloseContinental(cup);
    }
}

// Last champion v cup winner (the runner-up when they are the same club); in the first season
// the two clubs of highest reputation.
void ScheduleSuperCup()
{
    if (!World_Country(GameState.country).superCup) return;
    int32_t runnerUp = -1;
    int32_t home = Honours_ClubOfTeam(VTW_GetHonoursEntry(1, HONOURS_DIVISION_FIRST, nullptr));
    int32_t away = Honours_ClubOfTeam(VTW_GetHonoursEntry(1, 0, &runnerUp));
    if (away == home) away = Honours_ClubOfTeam(runnerUp);
    if (home < 0 || away < 0 || home == away) {
        home = away = -1;
        for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
            if (VTW_FindDivisionOfTeam(club) < 0) continue;
            if (home < 0 || VTW_GetClubReputation(club) > VTW_GetClubReputation(home)) {
                away = home;
                home = club;
            } else if (away < 0 || VTW_GetClubReputation(club) > VTW_GetClubReputation(away)) {
                away = club;
            }
        }
    }
    const int32_t day = Calendar_NextWeekday(0, Calendar_ClosingWeekday());
    CupSchedule.superCupDay = static_cast<int16_t>(day);
    AddPending(day, COMP_SUPER_CUP, home, away);
}

void InsertPending()
{
    Pending* begin = s_schedule.pending;
    std::stable_sort(begin, begin + s_schedule.pendingCount,
                     [](const Pending& a, const Pending& b) { return a.day < b.day; });
    for (int32_t k = 0; k < s_schedule.pendingCount; ++k) {
        const Pending& p = s_schedule.pending[k];
        Fixture_InsertScheduled(p.day, p.comp, p.home, p.away, 0);
    }
}

}  // namespace

void Season_GenerateFixtures()
{
    std::memset(&s_schedule, 0, sizeof s_schedule);
    Fixtures_Clear();
    Calendar_PlanSeason();
    const int32_t leagueClubs = World_LeagueClubCount(GameState.country);
    ReserveContinentalDates();
    ReserveNationalDates();
    EnterContinentalCups();
    for (int32_t division = 0; division < DIVISION_MAX; ++division) {
        ScheduleLeague(division);
    }
    ScheduleSuperCup();
    ScheduleGroupMatches();
    InsertPending();
    for (int32_t cup = 0; cup < VTW_GetCountryCupCount(); ++cup) {
        DrawNationalRoundZero(cup, leagueClubs);
    }
    for (int32_t cup : {CUP_SECOND, CUP_THIRD}) {
        Cup_DrawField(cup, 1);
    }
}
