// tests/support/recount.cpp: a season's figures counted again from the fixture table's rows.
#include "tests/support/recount.h"

#include <algorithm>
#include <tuple>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "game/calendar.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/season.h"
#include "game/tables.h"
#include "gamecode/matchrun.h"

namespace {

uint32_t Bits(uint32_t word, int32_t first, int32_t count)
{
    return (word >> first) & ((1u << count) - 1);
}

PlayedRow Unpack(int32_t index, const FixtureRow& stored)
{
    PlayedRow row{};
    row.index = index;
    row.day = static_cast<int32_t>(Bits(stored.head, 0, 9));
    row.competition = static_cast<int32_t>(Bits(stored.head, 9, 7));
    row.clubs[0] = static_cast<int32_t>(Bits(stored.head, 16, 8));
    row.clubs[1] = static_cast<int32_t>(Bits(stored.head, 24, 8));
    row.goals[0] = static_cast<int32_t>(Bits(stored.result, 0, 4));
    row.goals[1] = static_cast<int32_t>(Bits(stored.result, 4, 4));
    row.penalties = Bits(stored.result, 10, 1) != 0;
    row.awayWonShootOut = Bits(stored.result, 11, 1) != 0;
    row.attendance = static_cast<int32_t>(Bits(stored.crowd, 0, 24));
    std::copy(&stored.players[0][0], &stored.players[0][0] + 2 * FIXTURE_SIDE_PLAYERS,
              &row.players[0][0]);
    return row;
}

bool StartedInGoal(const FixturePlayerRow& p) { return (p.role & 0x0F) == 0 && (p.role & 0x10); }
bool TakenOff(const FixturePlayerRow& p) { return (p.role & 0x40) != 0; }

// Each side's players as `visit(row, side, player row)`, those who played only.
template <typename Visit>
void EachPlayer(const PlayedRows& rows, Visit visit)
{
    for (const PlayedRow& row : rows) {
        if (!row.Played()) continue;
        for (int32_t side = 0; side < 2; ++side) {
            for (const FixturePlayerRow& p : row.players[side]) {
                if (p.player >= 0) visit(row, side, p);
            }
        }
    }
}

std::vector<int32_t> DivisionMembers()
{
    std::vector<int32_t> members;
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division)
        members.push_back(VTW_GetDivisionSlot(division, 0));
    return members;
}

}  // namespace

void DriveOneDay()
{
    VTW_FindHumanNextFixture();
    int32_t row = 0;
    while (VTW_PlayMatchDay(&row) != 0) {
    }
    VTW_AdvanceDay();
}

bool PlayedRow::Competitive() const
{
    return competition != COMP_FRIENDLY && competition != COMP_INTERNATIONAL;
}

int32_t PlayedRow::SideOf(int32_t club) const
{
    return clubs[0] == club ? 0 : clubs[1] == club ? 1 : -1;
}

int32_t PlayedRow::Winner() const
{
    if (goals[0] != goals[1]) return goals[0] > goals[1] ? 0 : 1;
    if (penalties) return awayWonShootOut ? 1 : 0;
    return -1;
}

PlayedRows TakePlayedRows()
{
    PlayedRows rows;
    for (int32_t k = 0; k < FIXTURE_ROWS; ++k) {
        const PlayedRow row = Unpack(k, FixtureTable[k]);
        if (row.day < FIXTURE_DAY_LIMIT) rows.push_back(row);
    }
    return rows;
}

int32_t MarkedGoals(const FixturePlayerRow& p) { return p.marks & 0x0F; }
// A man booked and then sent off carries both bits: he counts as sent off.
int32_t MarkedCards(const FixturePlayerRow& p)
{
    return (p.marks & 0x20) != 0 ? 2 : (p.marks & 0x10) != 0 ? 1 : 0;
}
bool MarkedManOfTheMatch(const FixturePlayerRow& p) { return (p.marks & 0x80) != 0; }

PlayerTally TallyPlayer(const PlayedRows& rows, int32_t player, int32_t club)
{
    PlayerTally t;
    EachPlayer(rows, [&](const PlayedRow& row, int32_t side, const FixturePlayerRow& p) {
        if (p.player != player || !row.Competitive()) return;
        if (club != CLUB_ANY && row.clubs[side] != club) return;
        ++t.apps;
        t.goals += MarkedGoals(p);
        t.ratingSum += p.rating;
        if (StartedInGoal(p) && !TakenOff(p) && MarkedCards(p) != 2 && row.goals[1 - side] == 0)
            ++t.cleanSheets;
    });
    return t;
}

std::set<int32_t> ClubsPlayedFor(const PlayedRows& rows, int32_t player)
{
    std::set<int32_t> clubs;
    EachPlayer(rows, [&](const PlayedRow& row, int32_t side, const FixturePlayerRow& p) {
        if (p.player == player && row.Competitive()) clubs.insert(row.clubs[side]);
    });
    return clubs;
}

std::set<int32_t> EveryPlayerWhoPlayed(const PlayedRows& rows)
{
    std::set<int32_t> players;
    EachPlayer(rows, [&](const PlayedRow& row, int32_t, const FixturePlayerRow& p) {
        if (row.Competitive()) players.insert(p.player);
    });
    return players;
}

int32_t LeagueTally::Difference() const
{
    return goalsFor[0] + goalsFor[1] - goalsAgainst[0] - goalsAgainst[1];
}

bool LeagueTally::RanksAbove(const LeagueTally& o) const
{
    return std::make_tuple(points, Difference(), goalsFor[0] + goalsFor[1])
           > std::make_tuple(o.points, o.Difference(), o.goalsFor[0] + o.goalsFor[1]);
}

bool LeagueTally::RanksLevel(const LeagueTally& o) const
{
    return !RanksAbove(o) && !o.RanksAbove(*this);
}

LeagueTally TallyLeague(const PlayedRows& rows, int32_t club)
{
    LeagueTally t;
    for (const PlayedRow& row : rows) {
        const int32_t side = row.SideOf(club);
        if (row.competition != COMP_LEAGUE || !row.Played() || side < 0) continue;
        const int32_t scored = row.goals[side];
        const int32_t conceded = row.goals[1 - side];
        ++t.played;
        t.goalsFor[side] += scored;
        t.goalsAgainst[side] += conceded;
        if (scored > conceded) {
            ++t.won[side];
            t.points += 3;
        } else if (scored == conceded) {
            ++t.drawn[side];
            t.points += 1;
        } else {
            ++t.lost[side];
        }
    }
    return t;
}

std::set<int32_t> LeagueOf(const PlayedRows& rows, int32_t club)
{
    std::set<int32_t> met = {club};
    for (size_t before = 0; before != met.size();) {
        before = met.size();
        for (const PlayedRow& row : rows) {
            if (row.competition == COMP_LEAGUE
                && (met.count(row.clubs[0]) || met.count(row.clubs[1])))
                met.insert({row.clubs[0], row.clubs[1]});
        }
    }
    return met;
}

int32_t TallyDispoints(const PlayedRows& rows, int32_t club)
{
    int32_t points = 0;
    EachPlayer(rows, [&](const PlayedRow& row, int32_t side, const FixturePlayerRow& p) {
        if (row.clubs[side] != club) return;
        const int32_t cards = MarkedCards(p);
        points += cards == 2 ? 3 : cards;
    });
    return points;
}

void PlayFixtureThroughTheEngine(int32_t row, uint32_t seed)
{
    Calendar_SetDay(VTW_GetFixtureDay(row));
    GameHooks.PostMatchSequence = [] {};
    MatchEngine_Start();
    ChosenViewMode = VIEW_NONE;
    SRand(seed);
    Season_PlayMatchDay(row);
    MatchEngine_Stop();
}

void PlayMatchesOfEveryIncident(int32_t row, const std::function<void(uint32_t seed)>& check)
{
    constexpr uint8_t SENT_OFF = 3, MISSED_PENALTY = 4;
    bool seen[3] = {false, false, false};  // sent off, own goal, missed penalty
    uint32_t seed = 1;
    for (; seed <= 80 && !(seen[0] && seen[1] && seen[2]); ++seed) {
        PlayFixtureThroughTheEngine(row, seed);
        const MatchDataBlock& d = *GetMatchDataBlock();
        bool holds[3] = {false, false, false};
        for (int32_t e = 0; e < std::min<int32_t>(d.eventCount, MATCH_EVENT_MAX); ++e) {
            holds[0] = holds[0] || d.events[e].kind == SENT_OFF;
            holds[2] = holds[2] || d.events[e].kind == MISSED_PENALTY;
        }
        for (const MatchSideStats& side : d.sides) {
            for (const MatchGoalEntry& goal : side.goals)
                holds[1] = holds[1] || (goal.player != -1 && goal.kind == MATCH_GOAL_OWN);
        }
        bool fresh = seed == 1;
        for (int32_t k = 0; k < 3; ++k) {
            fresh = fresh || (holds[k] && !seen[k]);
            seen[k] = seen[k] || holds[k];
        }
        if (fresh) check(seed);
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]) << "no such match up to seed " << seed - 1;
}

ScopedRecountedSeason::ScopedRecountedSeason(SeasonMoment moment)
    : m_screen(std::make_unique<ScopedScreenRedraw>())
{
    m_firstSeason = GameState.seasonCounter;
    AutoRunMode = 1;
    while (DayNo < GameState.lastLeagueDay + 1)
        DriveOneDay();
    if (moment == SeasonMoment::NextSeason) {
        while (GameState.seasonCounter == m_firstSeason) {
            m_rows = TakePlayedRows();
            m_divisionMembers = DivisionMembers();
            m_persons.assign(DbPersons, DbPersons + PERSON_MAX);
            DriveOneDay();
        }
    } else {
        m_rows = TakePlayedRows();
        m_divisionMembers = DivisionMembers();
        m_persons.assign(DbPersons, DbPersons + PERSON_MAX);
    }
    AutoRunMode = 0;
}

ScopedRecountedSeason::~ScopedRecountedSeason() { AutoRunMode = 0; }

bool ScopedRecountedSeason::SamePersonAsInRows(int32_t id) const
{
    const PersonRecord& then = m_persons.at(id);
    const PersonRecord& now = DbPersons[id];
    return then.nameIndex == now.nameIndex && then.initial == now.initial
           && then.birthYear == now.birthYear && !(then.flags & PERSON_FREE)
           && !(now.flags & PERSON_FREE);
}
