// game/tables.cpp: the league tables and the division lists in table order.
#include "game/tables.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/fatal.h"
#include "game/fixtures.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/savegame.h"
#include "game/world.h"

uint16_t LeagueTable[CLUB_FULL_MAX][LEAGUE_COLUMNS];
int16_t DivisionLists[DIVISION_MAX][DIVISION_LIST_SIZE];
int16_t LeagueCountedDay[CLUB_FULL_MAX];

namespace {

constexpr int32_t TEXT_FIRST_PLACE = 336;

bool IsLeagueClub(int32_t club)
{
    return club >= 0 && club < CLUB_FULL_MAX && Club_GetSlot(club) >= 0;
}

int32_t GoalDifference(int32_t club)
{
    const uint16_t* r = LeagueTable[club];
    return r[LEAGUE_HOME_WON + 3] + r[LEAGUE_AWAY_WON + 3] - r[LEAGUE_HOME_WON + 4]
           - r[LEAGUE_AWAY_WON + 4];
}

int32_t GoalsFor(int32_t club)
{
    return LeagueTable[club][LEAGUE_HOME_WON + 3] + LeagueTable[club][LEAGUE_AWAY_WON + 3];
}

bool RanksAbove(int16_t a, int16_t b)
{
    if (LeagueTable[a][LEAGUE_POINTS] != LeagueTable[b][LEAGUE_POINTS])
        return LeagueTable[a][LEAGUE_POINTS] > LeagueTable[b][LEAGUE_POINTS];
    if (GoalDifference(a) != GoalDifference(b)) return GoalDifference(a) > GoalDifference(b);
    return GoalsFor(a) > GoalsFor(b);
}

int32_t ListLength(int32_t division)
{
    int32_t n = 0;
    while (n < DIVISION_LIST_SIZE && DivisionLists[division][n] >= 0) {
        ++n;
    }
    return n;
}

// One side of a result into the club's home or away columns.
void Count(int32_t club, int32_t firstColumn, int32_t scored, int32_t conceded)
{
    uint16_t* r = LeagueTable[club];
    ++r[LEAGUE_PLAYED];
    const int32_t outcome = scored > conceded ? 0 : scored == conceded ? 1 : 2;
    ++r[firstColumn + outcome];
    r[firstColumn + 3] = static_cast<uint16_t>(r[firstColumn + 3] + scored);
    r[firstColumn + 4] = static_cast<uint16_t>(r[firstColumn + 4] + conceded);
    r[LEAGUE_POINTS] = static_cast<uint16_t>(r[LEAGUE_POINTS] + (outcome == 0 ? 3 : outcome == 1));
}

void ClearRows(int32_t division)
{
    for (int32_t k = 0; k < ListLength(division); ++k) {
        uint16_t* r = LeagueTable[DivisionLists[division][k]];
        std::fill(r, r + LEAGUE_PLACE, 0);
    }
}

// Counts every played league row of the chosen divisions; the latest league day of each club.
void ScanResults(const std::array<bool, DIVISION_MAX>& chosen, int16_t latest[CLUB_FULL_MAX])
{
    const int32_t used = Fixture_RowCount();
    for (int32_t row = 0; row < used; ++row) {
        if (VTW_GetFixtureCompetition(row) != COMP_LEAGUE || !Fixture_IsPlayed(row)) continue;
        const int32_t home = VTW_GetFixtureHomeClub(row);
        const int32_t away = VTW_GetFixtureAwayClub(row);
        const int32_t division = VTW_FindDivisionOfTeam(home);
        if (division < 0 || !chosen[division] || !IsLeagueClub(away)) continue;
        const int32_t h = VTW_GetFixtureHomeGoals(row);
        const int32_t a = VTW_GetFixtureAwayGoals(row);
        Count(home, LEAGUE_HOME_WON, h, a);
        Count(away, LEAGUE_AWAY_WON, a, h);
        latest[home] = latest[away] = static_cast<int16_t>(VTW_GetFixtureDay(row));
    }
}

void OrderDivision(int32_t division, const int16_t latest[CLUB_FULL_MAX])
{
    int16_t* list = DivisionLists[division];
    const int32_t n = ListLength(division);
    std::stable_sort(list, list + n, RanksAbove);
    for (int32_t place = 0; place < n; ++place) {
        const int32_t club = list[place];
        ClubRecord& record = DbClubs[club];
        if (latest[club] > LeagueCountedDay[club]) {
            record.previousPlace = static_cast<uint8_t>(LeagueTable[club][LEAGUE_PLACE]);
            LeagueCountedDay[club] = latest[club];
        }
        LeagueTable[club][LEAGUE_PLACE] = static_cast<uint16_t>(place);
        record.movement = static_cast<int8_t>(place == record.previousPlace  ? LEAGUE_UNCHANGED
                                              : place < record.previousPlace ? LEAGUE_CLIMBED
                                                                             : LEAGUE_FELL);
    }
}

void GetSide(int32_t club, int32_t firstColumn, int32_t out[5])
{
    for (int32_t k = 0; k < LEAGUE_SIDE_COLUMNS; ++k) {
        out[k] = IsLeagueClub(club) ? LeagueTable[club][firstColumn + k] : 0;
    }
}

}  // namespace

void Tables_Init()
{
    std::memset(LeagueTable, 0, sizeof LeagueTable);
    std::memset(DivisionLists, 0xFF, sizeof DivisionLists);
    std::memset(LeagueCountedDay, 0xFF, sizeof LeagueCountedDay);
}

void Tables_Uninit() {}

void VTW_GetLeaguePlace()
{
    Tables_Init();
    const int32_t clubs = World_LeagueClubCount(GameState.country);
    for (int32_t division = 0; division < DIVISION_MAX; ++division) {
        int32_t n = 0;
        for (int32_t club = 0; club < clubs; ++club) {
            if (DbClubs[club].division != division) continue;
            if (n == DIVISION_LIST_SIZE)
                FatalError("VTW_GetLeaguePlace(): division %d holds more than 24 clubs", division);
            DivisionLists[division][n++] = static_cast<int16_t>(club);
        }
        int16_t* list = DivisionLists[division];
        std::stable_sort(list, list + n, [](int16_t a, int16_t b) {
            return DbClubs[a].reputation > DbClubs[b].reputation;
        });
        for (int32_t place = 0; place < n; ++place) {
            LeagueTable[list[place]][LEAGUE_PLACE] = static_cast<uint16_t>(place);
            DbClubs[list[place]].previousPlace = static_cast<uint8_t>(place);
            DbClubs[list[place]].movement = LEAGUE_UNCHANGED;
        }
    }
}

void Season_ClearTablesAndScan(int32_t club)
{
    std::array<bool, DIVISION_MAX> chosen{};
    const int32_t only = club < 0 ? -1 : VTW_FindDivisionOfTeam(club);
    if (club >= 0 && only < 0) return;
    for (int32_t division = 0; division < DIVISION_MAX; ++division) {
        chosen[division] = only < 0 || division == only;
        if (chosen[division]) ClearRows(division);
    }
    int16_t latest[CLUB_FULL_MAX];
    std::fill(std::begin(latest), std::end(latest), -1);
    ScanResults(chosen, latest);
    for (int32_t division = 0; division < DIVISION_MAX; ++division) {
        if (chosen[division]) OrderDivision(division, latest);
    }
}

int32_t VTW_GetDivisionSlot(int32_t division, int32_t place)
{
    if (division < 0 || division >= DIVISION_MAX || place < 0 || place >= DIVISION_LIST_SIZE)
        return -1;
    return DivisionLists[division][place];
}

int32_t VTW_GetTeamDivisionSlot(int32_t club)
{
    const int32_t division = VTW_FindDivisionOfTeam(club);
    return division < 0 ? -1 : LeagueTable[club][LEAGUE_PLACE];
}

int32_t VTW_FindDivisionOfTeam(int32_t club)
{
    if (!IsLeagueClub(club)) return -1;
    const int32_t division = DbClubs[club].division;
    if (division >= DIVISION_MAX) return -1;
    for (int16_t member : DivisionLists[division]) {
        if (member == club) return division;
    }
    return -1;
}

int32_t VTW_FindDivisionOfSlot(int32_t slot)
{
    return slot >= 0 && slot < CLUB_SLOT_SMALL ? VTW_FindDivisionOfTeam(slot) : -1;
}

void VTW_GetLeagueRowTotals(int32_t club, int32_t out[3])
{
    const bool listed = VTW_FindDivisionOfTeam(club) >= 0;
    out[0] = listed ? LeagueTable[club][LEAGUE_PLAYED] : 0;
    out[1] = listed ? LeagueTable[club][LEAGUE_POINTS] : 0;
    out[2] = listed ? LeagueTable[club][LEAGUE_PLACE] + 1 : 0;
}

void VTW_GetLeagueRowHome(int32_t club, int32_t out[5]) { GetSide(club, LEAGUE_HOME_WON, out); }
void VTW_GetLeagueRowAway(int32_t club, int32_t out[5]) { GetSide(club, LEAGUE_AWAY_WON, out); }

int32_t Tables_GetMovement(int32_t club) { return IsLeagueClub(club) ? DbClubs[club].movement : 0; }

int32_t VTW_GetLeaguePosTextForTeam(int32_t club, int32_t division)
{
    if (division < 0 || division >= DIVISION_MAX || VTW_FindDivisionOfTeam(club) != division)
        FatalError("VTW_GetLeaguePosTextForTeam(): club %d is not in division %d", club, division);
    return TEXT_FIRST_PLACE + LeagueTable[club][LEAGUE_PLACE];
}

bool Tables_CheckDivisionLists(const void* block)
{
    const auto* lists = static_cast<const int16_t(*)[DIVISION_LIST_SIZE]>(block);
    std::array<bool, CLUB_FULL_MAX> listed{};
    for (int32_t division = 0; division < DIVISION_MAX; ++division) {
        for (int32_t k = 0; k < DIVISION_LIST_SIZE; ++k) {
            const int16_t club = lists[division][k];
            if (club == -1) continue;
            if (!SaveCheck_InRange(club, 0, CLUB_FULL_MAX - 1) || listed[club]) return false;
            listed[club] = true;
        }
    }
    return true;
}

bool Tables_CheckCountedDays(const void* block)
{
    const auto* days = static_cast<const int16_t*>(block);
    for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
        if (!SaveCheck_InRange(days[club], -1, 365)) return false;
    }
    return true;
}

bool Tables_CheckLeagueRows(const void* block)
{
    constexpr int32_t kMostPlayed = 2 * (DIVISION_LIST_SIZE - 1);
    const auto* rows = static_cast<const uint16_t(*)[LEAGUE_COLUMNS]>(block);
    for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
        const uint16_t* r = rows[club];
        const int32_t home = r[LEAGUE_HOME_WON] + r[LEAGUE_HOME_WON + 1] + r[LEAGUE_HOME_WON + 2];
        const int32_t away = r[LEAGUE_AWAY_WON] + r[LEAGUE_AWAY_WON + 1] + r[LEAGUE_AWAY_WON + 2];
        if (r[LEAGUE_PLACE] >= DIVISION_LIST_SIZE || r[LEAGUE_PLAYED] > kMostPlayed
            || home + away != r[LEAGUE_PLAYED] || r[LEAGUE_POINTS] > 3 * r[LEAGUE_PLAYED])
            return false;
    }
    return true;
}
