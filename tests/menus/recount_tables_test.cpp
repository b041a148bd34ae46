// tests/menus/recount_tables_test.cpp: the league tables, the discipline list and the roll of
// honour, after a season the simulation played, held against the standings, cards and finals
// counted again from the fixture table's rows.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/honours.h"
#include "menus/leaguetable.h"
#include "tests/support/recount.h"

namespace {

int32_t NameOfClub(int32_t club) { return VTW_ClubNameTextNo(VTW_GetTeam(club)); }

// Every place of a division as the screen shows it, page by page.
std::vector<LeagueTableRow> DivisionShown(int32_t division)
{
    LeagueTable_ChooseDivision(division);
    std::vector<LeagueTableRow> places;
    const int32_t size = VTW_GetDivisionSize(division);
    while (static_cast<int32_t>(places.size()) < size) {
        LeagueTable_Build(false);
        for (int32_t r = 0; r < LeagueTableScreen.shown; ++r) {
            const LeagueTableRow& row = LeagueTableScreen.rows[r];
            if (row.position > static_cast<int32_t>(places.size())) places.push_back(row);
        }
        LeagueTable_PageDown(nullptr);
    }
    return places;
}

void ExpectRowIsTheCount(const LeagueTableRow& row, const LeagueTally& t)
{
    EXPECT_EQ(row.name, NameOfClub(row.club));
    EXPECT_EQ(row.played, t.played);
    for (int32_t venue = 0; venue < 2; ++venue) {
        const int16_t* shown = venue == 0 ? row.home : row.away;
        EXPECT_EQ(shown[0], t.won[venue]) << venue;
        EXPECT_EQ(shown[1], t.drawn[venue]) << venue;
        EXPECT_EQ(shown[2], t.lost[venue]) << venue;
    }
    EXPECT_EQ(row.goalsFor, t.goalsFor[0] + t.goalsFor[1]);
    EXPECT_EQ(row.goalsAgainst, t.goalsAgainst[0] + t.goalsAgainst[1]);
    EXPECT_EQ(row.difference, t.Difference());
    EXPECT_EQ(row.points, t.points);
}

// The clubs of a league by their count, best first; equal counts in any order.
std::vector<int32_t> Standings(const PlayedRows& rows, int32_t member)
{
    const std::set<int32_t> league = LeagueOf(rows, member);
    std::vector<int32_t> clubs(league.begin(), league.end());
    std::stable_sort(clubs.begin(), clubs.end(), [&](int32_t a, int32_t b) {
        return TallyLeague(rows, a).RanksAbove(TallyLeague(rows, b));
    });
    return clubs;
}

// The club at a place, or -1 when its count is level with a neighbour's and no rule parts them.
int32_t ClearlyAt(const PlayedRows& rows, const std::vector<int32_t>& standings, size_t place)
{
    const LeagueTally t = TallyLeague(rows, standings[place]);
    for (const size_t other : {place - 1, place + 1}) {
        if (other < standings.size() && t.RanksLevel(TallyLeague(rows, standings[other])))
            return -1;
    }
    return standings[place];
}

// The final of the first national cup: its latest played row.
const PlayedRow* NationalCupFinal(const PlayedRows& rows)
{
    const PlayedRow* final = nullptr;
    for (const PlayedRow& row : rows) {
        const bool firstCup =
            row.competition >= COMP_CUP_BASE && row.competition < COMP_CUP_BASE + COMP_CUP_STRIDE;
        if (firstCup && row.Played() && (final == nullptr || row.day >= final->day)) final = &row;
    }
    return final;
}

}  // namespace

// As the league ends, every division's table, page by page: the division's clubs are those its
// league rows bring together; each row's games, home and away results, goals and points are the
// club's league rows counted; the places go down by points, goal difference and goals for.
TEST(RecountTables, EveryDivisionsTableIsItsLeagueRowsCounted)
{
    ScopedRecountedSeason season(SeasonMoment::LeagueOver);
    const PlayedRows& rows = season.Rows();
    ASSERT_GE(VTW_GetCountryDivisions(), 2);
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        SCOPED_TRACE(division);
        const std::vector<LeagueTableRow> places = DivisionShown(division);
        ASSERT_FALSE(places.empty());
        std::set<int32_t> shown;
        for (size_t place = 0; place < places.size(); ++place) {
            const LeagueTableRow& row = places[place];
            SCOPED_TRACE(row.club);
            EXPECT_EQ(row.position, static_cast<int32_t>(place) + 1);
            const LeagueTally t = TallyLeague(rows, row.club);
            ExpectRowIsTheCount(row, t);
            EXPECT_GT(t.played, 0);
            if (place > 0) {
                EXPECT_FALSE(t.RanksAbove(TallyLeague(rows, places[place - 1].club)));
            }
            shown.insert(row.club);
        }
        EXPECT_EQ(shown, LeagueOf(rows, places[0].club));
    }
}

// As the league ends, the discipline list: each club's figure is three times the points of the
// bookings (1) and sendings-off (3) its players' rows carry, the list going down by them.
TEST(RecountTables, TheDisciplineListIsTheCardsOfEachClubsRows)
{
    ScopedRecountedSeason season(SeasonMoment::LeagueOver);
    const PlayedRows& rows = season.Rows();
    RankedLists_Collect(RANKED_DISCIPLINE);
    ASSERT_GT(RankedLists.count, RANKED_ROWS);
    int32_t previous = INT32_MAX, carded = 0;
    for (RankedLists.first = 0; RankedLists.first < RankedLists.count;
         RankedLists.first += RANKED_ROWS) {
        RankedLists_FillRows();
        for (int32_t r = 0; r < RANKED_ROWS && RankedLists.first + r < RankedLists.count; ++r) {
            const int32_t club = RankedLists.entries[RankedLists.first + r];
            SCOPED_TRACE(club);
            const RankedRow& row = RankedLists.rows[r];
            EXPECT_EQ(row.name, NameOfClub(club));
            const int32_t points = TallyDispoints(rows, club);
            const char* figure = std::strrchr(row.second, ' ');
            ASSERT_NE(figure, nullptr) << row.second;
            EXPECT_EQ(std::atoi(figure), 3 * points) << row.second;
            EXPECT_LE(points, previous);
            previous = points;
            carded += points > 0;
        }
    }
    EXPECT_GT(carded, 3);
}

// In the next season, the roll of honour: each division's champion and runner-up are the first
// two of its league rows counted (where no rule parts two clubs, neither is held to a place),
// and the top division's cup winner is the side that won the cup's final.
TEST(RecountTables, TheRollOfHonourIsTheStandingsAndTheFinalPlayed)
{
    ScopedRecountedSeason season(SeasonMoment::NextSeason);
    const PlayedRows& rows = season.Rows();
    int32_t held = 0;
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        SCOPED_TRACE(division);
        const std::vector<int32_t> standings = Standings(rows, season.DivisionMember(division));
        RollOfHonour_Build(division);
        for (size_t place = 0; place < 2; ++place) {
            const int32_t club = ClearlyAt(rows, standings, place);
            if (club < 0) continue;
            EXPECT_EQ(RollOfHonour.rows[place].clubName, NameOfClub(club)) << place;
            ++held;
        }
    }
    EXPECT_GE(held, 2 * VTW_GetCountryDivisions() - 2);

    const PlayedRow* final = NationalCupFinal(rows);
    ASSERT_NE(final, nullptr);
    ASSERT_GE(final->Winner(), 0);
    RollOfHonour_Build(0);
    EXPECT_EQ(RollOfHonour.rows[2].clubName, NameOfClub(final->clubs[final->Winner()]));
}
