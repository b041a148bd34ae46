// game/fixtures.cpp: the fixture table (every match of the season, sorted by day) and the
// competition numbers.
#include "game/fixtures.h"

#include <cstring>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "game/gamestate.h"
#include "game/savegame.h"

FixtureRow FixtureTable[FIXTURE_ROWS];
CupScheduleRecord CupSchedule;

namespace {

constexpr uint32_t DAY_MASK = 0x1FF;
constexpr uint32_t PENALTIES_BIT = 1u << 10;
constexpr uint32_t SHOOT_OUT_AWAY_BIT = 1u << 11;
constexpr uint32_t EXTRA_TIME_BIT = 1u << 20;
constexpr uint32_t NEUTRAL_BIT = 1u << 24;
constexpr uint32_t ATTENDANCE_MASK = 0xFFFFFF;

bool RowOk(int32_t row) { return row >= 0 && row < FIXTURE_ROWS; }

uint32_t Bits(uint32_t word, int32_t shift, uint32_t mask) { return (word >> shift) & mask; }

void PutBits(uint32_t* word, int32_t shift, uint32_t mask, uint32_t value)
{
    *word = (*word & ~(mask << shift)) | ((value & mask) << shift);
}

int32_t DayOf(int32_t row) { return static_cast<int32_t>(FixtureTable[row].head & DAY_MASK); }

FixturePlayerRow EmptyPlayer() { return {-1, 0, 0, 0, 0}; }

bool PlaysIn(int32_t row, int32_t club)
{
    return VTW_GetFixtureHomeClub(row) == club || VTW_GetFixtureAwayClub(row) == club;
}

bool Refuse(const char* why, int32_t day, int32_t comp, int32_t home, int32_t away)
{
    DebugPrintf(DBG_GENERAL, 0,
                "Warning: VTW_InsertFixture(): %s (day %d, competition %d, %d v %d)\n", why, day,
                comp, home, away);
    return false;
}

bool InsertAllowed(int32_t day, int32_t comp, int32_t home, int32_t away)
{
    if (day < 0 || day >= GameState.daysInSeason)
        return Refuse("day outside the season", day, comp, home, away);
    if (comp < 0 || comp >= COMP_COUNT) return Refuse("unknown competition", day, comp, home, away);
    if (home < 0 || home >= CLUB_ID_COUNT || away < 0 || away >= CLUB_ID_COUNT || home == away)
        return Refuse("invalid clubs", day, comp, home, away);
    if (VTW_FindFixtureOfClubOnDay(home, day) >= 0 || VTW_FindFixtureOfClubOnDay(away, day) >= 0)
        return Refuse("a club already plays that day", day, comp, home, away);
    if (Fixture_RowCount() >= FIXTURE_ROWS) return Refuse("table full", day, comp, home, away);
    return true;
}

}  // namespace

void Fixtures_Init() { Fixtures_Clear(); }

void Fixtures_Uninit() {}

void Fixtures_Clear()
{
    for (int32_t row = 0; row < FIXTURE_ROWS; ++row) {
        FixtureTable[row].head = FIXTURE_DAY_EMPTY;
        Fixture_ClearResult(row);
    }
    std::memset(&CupSchedule, 0, sizeof CupSchedule);
    std::memset(CupSchedule.roundDay, 0xFF, sizeof CupSchedule.roundDay);
    std::memset(CupSchedule.finalRound, 0xFF, sizeof CupSchedule.finalRound);
    std::memset(CupSchedule.groups, 0xFF, sizeof CupSchedule.groups);
    CupSchedule.superCupDay = -1;
}

int32_t VTW_GetFixtureDay(int32_t row) { return RowOk(row) ? DayOf(row) : 0; }

int32_t VTW_GetFixtureCompetition(int32_t row)
{
    return RowOk(row) ? static_cast<int32_t>(Bits(FixtureTable[row].head, 9, 0x7F)) : 0;
}

int32_t VTW_GetFixtureHomeClub(int32_t row)
{
    return RowOk(row) ? static_cast<int32_t>(Bits(FixtureTable[row].head, 16, 0xFF)) : 0;
}

int32_t VTW_GetFixtureAwayClub(int32_t row)
{
    return RowOk(row) ? static_cast<int32_t>(Bits(FixtureTable[row].head, 24, 0xFF)) : 0;
}

int32_t VTW_GetFixtureHomeGoals(int32_t row)
{
    return RowOk(row) ? static_cast<int32_t>(Bits(FixtureTable[row].result, 0, 0xF)) : 0;
}

int32_t VTW_GetFixtureAwayGoals(int32_t row)
{
    return RowOk(row) ? static_cast<int32_t>(Bits(FixtureTable[row].result, 4, 0xF)) : 0;
}

int32_t VTW_GetFixtureNeutralFlag(int32_t row)
{
    return RowOk(row) && (FixtureTable[row].crowd & NEUTRAL_BIT) ? 1 : 0;
}

int32_t VTW_GetTeamRecByte6(int32_t row) { return VTW_GetFixtureHomeClub(row); }
int32_t VTW_GetTeamRecByte7(int32_t row) { return VTW_GetFixtureAwayClub(row); }

int32_t Fixture_IsPlayed(int32_t row)
{
    return RowOk(row) && VTW_GetFixtureHomeGoals(row) != FIXTURE_NOT_PLAYED ? 1 : 0;
}

int32_t Fixture_GetPenalties(int32_t row)
{
    return RowOk(row) && (FixtureTable[row].result & PENALTIES_BIT) ? 1 : 0;
}

int32_t Fixture_GetShootOutAwayWon(int32_t row)
{
    return RowOk(row) && (FixtureTable[row].result & SHOOT_OUT_AWAY_BIT) ? 1 : 0;
}

int32_t Fixture_GetShootOutGoals(int32_t row, int32_t away)
{
    return RowOk(row) ? static_cast<int32_t>(Bits(FixtureTable[row].result, away ? 16 : 12, 0xF))
                      : 0;
}

int32_t Fixture_GetExtraTime(int32_t row)
{
    return RowOk(row) && (FixtureTable[row].result & EXTRA_TIME_BIT) ? 1 : 0;
}

int32_t Fixture_GetAttendance(int32_t row)
{
    return RowOk(row) ? static_cast<int32_t>(FixtureTable[row].crowd & ATTENDANCE_MASK) : 0;
}

FixturePlayerRow Fixture_GetPlayerRow(int32_t row, int32_t away, int32_t index)
{
    if (!RowOk(row) || index < 0 || index >= FIXTURE_SIDE_PLAYERS) return EmptyPlayer();
    return FixtureTable[row].players[away ? 1 : 0][index];
}

void Fixture_SetGoals(int32_t row, int32_t home, int32_t away)
{
    if (!RowOk(row)) return;
    const auto clamp = [](int32_t goals) {
        return static_cast<uint32_t>(goals < 0                   ? 0
                                     : goals > FIXTURE_GOALS_MAX ? FIXTURE_GOALS_MAX
                                                                 : goals);
    };
    PutBits(&FixtureTable[row].result, 0, 0xF, clamp(home));
    PutBits(&FixtureTable[row].result, 4, 0xF, clamp(away));
}

void Fixture_ClearResult(int32_t row)
{
    if (!RowOk(row)) return;
    FixtureRow& r = FixtureTable[row];
    r.result = FIXTURE_NOT_PLAYED | FIXTURE_NOT_PLAYED << 4;
    r.crowd = 0;
    for (auto& side : r.players) {
        for (FixturePlayerRow& p : side) {
            p = EmptyPlayer();
        }
    }
}

void Fixture_SetShootOut(int32_t row, int32_t homeGoals, int32_t awayGoals)
{
    if (!RowOk(row) || homeGoals == awayGoals) return;
    uint32_t& word = FixtureTable[row].result;
    word |= PENALTIES_BIT;
    word = awayGoals > homeGoals ? word | SHOOT_OUT_AWAY_BIT : word & ~SHOOT_OUT_AWAY_BIT;
    PutBits(&word, 12, 0xF, static_cast<uint32_t>(homeGoals < 0 ? 0 : homeGoals));
    PutBits(&word, 16, 0xF, static_cast<uint32_t>(awayGoals < 0 ? 0 : awayGoals));
}

void Fixture_SetExtraTime(int32_t row, int32_t played)
{
    if (!RowOk(row)) return;
    PutBits(&FixtureTable[row].result, 20, 1, played ? 1 : 0);
}

void Fixture_SetAttendance(int32_t row, int32_t attendance)
{
    if (!RowOk(row)) return;
    const uint32_t value = attendance < 0 ? 0
                           : static_cast<uint32_t>(attendance) > ATTENDANCE_MASK
                               ? ATTENDANCE_MASK
                               : static_cast<uint32_t>(attendance);
    PutBits(&FixtureTable[row].crowd, 0, ATTENDANCE_MASK, value);
}

void Fixture_SetNeutral(int32_t row, int32_t neutral)
{
    if (!RowOk(row)) return;
    PutBits(&FixtureTable[row].crowd, 24, 1, neutral ? 1 : 0);
}

void Fixture_SetPlayerRow(int32_t row, int32_t away, int32_t index, const FixturePlayerRow& p)
{
    if (!RowOk(row) || index < 0 || index >= FIXTURE_SIDE_PLAYERS) return;
    FixtureTable[row].players[away ? 1 : 0][index] = p;
}

int32_t Fixture_FirstRowOfDay(int32_t day)
{
    int32_t low = 0;
    int32_t high = FIXTURE_ROWS;
    while (low < high) {
        const int32_t mid = (low + high) / 2;
        if (DayOf(mid) < day) {
            low = mid + 1;
        } else {
            high = mid;
        }
    }
    return low;
}

int32_t Fixture_RowCount() { return Fixture_FirstRowOfDay(FIXTURE_DAY_EMPTY); }

void Fixtures_VisitPlayers(PersonIdVisit visit, void* context)
{
    const int32_t rows = Fixture_RowCount();
    for (int32_t row = 0; row < rows; ++row) {
        for (auto& side : FixtureTable[row].players) {
            for (FixturePlayerRow& p : side) {
                VisitPackedPersonId(&p.player, visit, context);
            }
        }
    }
}

int32_t VTW_InsertFixture(int32_t day, int32_t competition, int32_t home, int32_t away)
{
    if (!InsertAllowed(day, competition, home, away)) return -1;
    const int32_t row = Fixture_FirstRowOfDay(day + 1);
    const int32_t used = Fixture_RowCount();
    std::memmove(&FixtureTable[row + 1], &FixtureTable[row], sizeof(FixtureRow) * (used - row));
    FixtureTable[row].head = static_cast<uint32_t>(day) | static_cast<uint32_t>(competition) << 9
                             | static_cast<uint32_t>(home) << 16
                             | static_cast<uint32_t>(away) << 24;
    Fixture_ClearResult(row);
    return row;
}

int32_t VTW_FindFixtureOfClubOnDay(int32_t club, int32_t day)
{
    if (day < 0 || day >= FIXTURE_DAY_EMPTY) return -1;
    for (int32_t row = Fixture_FirstRowOfDay(day); row < FIXTURE_ROWS && DayOf(row) == day; ++row) {
        if (PlaysIn(row, club)) return row;
    }
    return -1;
}

int32_t VTW_FindHumanFixtureOnDay(int32_t day)
{
    return GameState.humanClub < 0 ? -1 : VTW_FindFixtureOfClubOnDay(GameState.humanClub, day);
}

// A club plays at most once a day, so its one row of the day decides both searches.
int32_t VTW_FindCompetitiveFixtureOnDay(int32_t club, int32_t day)
{
    const int32_t row = VTW_FindFixtureOfClubOnDay(club, day);
    return row >= 0 && VTW_GetFixtureCompetition(row) != COMP_FRIENDLY ? row : -1;
}

int32_t VTW_FindFriendlyOnDay(int32_t club, int32_t day)
{
    const int32_t row = VTW_FindFixtureOfClubOnDay(club, day);
    return row >= 0 && VTW_GetFixtureCompetition(row) == COMP_FRIENDLY ? row : -1;
}

int32_t VTW_GetNextOpponent(int32_t club)
{
    const int32_t used = Fixture_RowCount();
    for (int32_t row = Fixture_FirstRowOfDay(DayNo); row < used; ++row) {
        if (VTW_GetFixtureHomeClub(row) == club) return VTW_GetFixtureAwayClub(row);
        if (VTW_GetFixtureAwayClub(row) == club) return VTW_GetFixtureHomeClub(row);
    }
    return -1;
}

int32_t VTW_GetPlayedFixtures(int32_t club) { return Fixture_PlayedRowOfClub(club, -1).count; }

PlayedFixtureSearch Fixture_PlayedRowOfClub(int32_t club, int32_t index)
{
    PlayedFixtureSearch found{0, -1};
    const int32_t end = Fixture_FirstRowOfDay(DayNo);
    for (int32_t row = 0; row < end; ++row) {
        const int32_t comp = VTW_GetFixtureCompetition(row);
        if (comp == COMP_FRIENDLY || comp == COMP_INTERNATIONAL || !PlaysIn(row, club)) continue;
        if (found.count++ == index) found.row = row;
    }
    return found;
}

int32_t VTW_GetLastLeagueDay() { return GameState.lastLeagueDay; }
int32_t VTW_GetSeasonEndDay() { return GameState.firstLeagueDay; }

int32_t VTW_GetCupIndexOfComp(int32_t comp)
{
    const int32_t cup = VTW_GetCompCup(comp);
    return cup == CUP_THIRD ? CUP_CHAMPIONS : cup;
}

int32_t VTW_GetCompCup(int32_t comp)
{
    if (comp < COMP_CUP_BASE || comp > COMP_CUP_LAST) return -2;
    return (comp - COMP_CUP_BASE) / COMP_CUP_STRIDE;
}

int32_t VTW_GetCompRound(int32_t comp)
{
    if (comp < COMP_CUP_BASE || comp > COMP_CUP_LAST) return -2;
    return (comp - COMP_CUP_BASE) % COMP_SECOND_LEG;
}

int32_t Fixture_IsSecondLeg(int32_t comp)
{
    if (comp < COMP_CUP_BASE || comp > COMP_CUP_LAST) return comp == COMP_PLAYOFF_SECOND ? 1 : 0;
    return (comp - COMP_CUP_BASE) % COMP_CUP_STRIDE >= COMP_SECOND_LEG ? 1 : 0;
}

int32_t Fixture_CupComp(int32_t cup, int32_t round, int32_t secondLeg)
{
    return COMP_CUP_BASE + COMP_CUP_STRIDE * cup + round + (secondLeg ? COMP_SECOND_LEG : 0);
}

int32_t VTW_GetCupFirstComp(int32_t cup)
{
    if (cup < 0 || cup >= CUP_COUNT) FatalError("VTW_GetCupFirstComp(): bad cup %d", cup);
    // The second and third continental cups have no round 0.
    return Fixture_CupComp(cup, cup == CUP_SECOND || cup == CUP_THIRD ? 1 : 0, 0);
}

int32_t VTW_GetChampionsLeagueGroup(int32_t club)
{
    for (int32_t group = 0; group < CHAMPIONS_GROUPS; ++group) {
        for (int16_t member : CupSchedule.groups[group]) {
            if (member == club) return group;
        }
    }
    FatalError("VTW_GetChampionsLeagueGroup(): Team Not In Champions League (club %d)", club);
}

int32_t VTW_GetChampionsLeagueGroupClub(int32_t group, int32_t place)
{
    if (group < 0 || group >= CHAMPIONS_GROUPS || place < 0 || place >= CHAMPIONS_GROUP_SIZE)
        return -1;
    return CupSchedule.groups[group][place];
}

int32_t VTW_GetTextNoFromTable(int32_t n)
{
    // "Groupe A" to "Groupe G" run on from 1550, but 1557 is another text: "Groupe H" has its own.
    static constexpr int32_t GROUP_TEXTS[CHAMPIONS_GROUPS] = {1550, 1551, 1552, 1553,
                                                              1554, 1555, 1556, 2190};
    if (n < 0 || n >= CHAMPIONS_GROUPS) FatalError("VTW_GetTextNoFromTable(): no group %d", n);
    return GROUP_TEXTS[n];
}

namespace {

constexpr int32_t LAST_SEASON_DAY = 365;

bool IsDayOrNone(int32_t day) { return SaveCheck_InRange(day, -1, LAST_SEASON_DAY); }

bool RowIsValid(const FixtureRow& row)
{
    const uint32_t competition = (row.head >> 9) & 0x7F;
    const uint32_t home = (row.head >> 16) & 0xFF;
    const uint32_t away = row.head >> 24;
    if (competition >= COMP_COUNT || home >= CLUB_ID_COUNT || away >= CLUB_ID_COUNT) return false;
    for (const auto& side : row.players) {
        for (const FixturePlayerRow& player : side) {
            if (!SaveCheck_InRange(player.player, -1, PERSON_ID_END - 1)
                || (player.role & 0x0F) >= POSITION_COUNT)
                return false;
        }
    }
    return true;
}

}  // namespace

bool Fixtures_CheckTable(const void* block)
{
    const auto* rows = static_cast<const FixtureRow*>(block);
    uint32_t previousDay = 0;
    for (int32_t k = 0; k < FIXTURE_ROWS; ++k) {
        const uint32_t day = rows[k].head & 0x1FF;
        if (day < previousDay) return false;
        previousDay = day;
        if (day == FIXTURE_DAY_EMPTY) continue;
        if (day > LAST_SEASON_DAY || !RowIsValid(rows[k])) return false;
    }
    return true;
}

bool Fixtures_CheckCupSchedule(const void* block)
{
    const auto& schedule = *static_cast<const CupScheduleRecord*>(block);
    bool valid = IsDayOrNone(schedule.superCupDay);
    for (int32_t cup = 0; cup < CUP_COUNT; ++cup) {
        valid = valid && SaveCheck_InRange(schedule.finalRound[cup], -1, CUP_ROUND_COUNT - 1);
        for (const auto& legs : schedule.roundDay[cup]) {
            valid = valid && IsDayOrNone(legs[0]) && IsDayOrNone(legs[1]);
        }
        // A cup's field is drawn in pairs: its clubs still in are an even number, or its winner.
        int32_t field = 0;
        for (const uint8_t alive : schedule.alive[cup]) {
            valid = valid && alive <= 1;
            field += alive;
        }
        valid = valid && (field % 2 == 0 || field == 1);
    }
    for (const auto& group : schedule.groups) {
        for (const int16_t club : group) {
            valid = valid && SaveCheck_InRange(club, -1, CLUB_ID_COUNT - 1);
        }
    }
    return valid;
}
