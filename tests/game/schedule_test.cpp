// tests/game/schedule_test.cpp: a generated season for every country: league pairings, dates,
// the champions' cup groups and a season played through to every cup's final.
#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "engine/random.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/tables.h"
#include "game/world.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

struct Row {
    int day, comp, home, away;
};

std::vector<Row> Rows()
{
    std::vector<Row> rows;
    for (int r = 0; r < Fixture_RowCount(); ++r) {
        rows.push_back({VTW_GetFixtureDay(r), VTW_GetFixtureCompetition(r),
                        VTW_GetFixtureHomeClub(r), VTW_GetFixtureAwayClub(r)});
    }
    return rows;
}

void ExpectTableSortedAndEmptyAtEnd()
{
    const int used = Fixture_RowCount();
    EXPECT_LE(used, FIXTURE_ROWS);
    for (int r = 1; r < FIXTURE_ROWS; ++r) {
        ASSERT_LE(VTW_GetFixtureDay(r - 1), VTW_GetFixtureDay(r)) << "row " << r;
    }
    for (int r = used; r < FIXTURE_ROWS; ++r) {
        ASSERT_EQ(VTW_GetFixtureDay(r), FIXTURE_DAY_EMPTY);
    }
}

void ExpectNoClubOnConsecutiveDays(const std::vector<Row>& rows)
{
    std::map<int, std::vector<int>> days;
    for (const Row& r : rows) {
        days[r.home].push_back(r.day);
        days[r.away].push_back(r.day);
    }
    for (auto& [club, list] : days) {
        std::sort(list.begin(), list.end());
        for (size_t k = 1; k < list.size(); ++k) {
            ASSERT_GE(list[k] - list[k - 1], 2) << "club " << club << " on day " << list[k];
        }
    }
}

void ExpectLeaguesDoubleRoundRobin(const std::vector<Row>& rows)
{
    std::set<std::pair<int, int>> pairs;
    std::map<int, std::string> venues;
    for (const Row& r : rows) {
        if (r.comp != COMP_LEAGUE) continue;
        EXPECT_GE(r.day, GameState.firstLeagueDay);
        EXPECT_LE(r.day, GameState.lastLeagueDay);
        EXPECT_EQ(VTW_FindDivisionOfTeam(r.home), VTW_FindDivisionOfTeam(r.away));
        EXPECT_TRUE(pairs.insert({r.home, r.away}).second) << r.home << " v " << r.away;
        venues[r.home] += 'H';
        venues[r.away] += 'A';
    }
    for (int division = 0; division < DIVISION_MAX; ++division) {
        const int n = VTW_GetDivisionSize(division);
        for (int a = 0; a < n; ++a) {
            for (int b = 0; b < n; ++b) {
                if (a == b) continue;
                EXPECT_TRUE(pairs.count(
                    {VTW_GetDivisionSlot(division, a), VTW_GetDivisionSlot(division, b)}))
                    << "division " << division;
            }
        }
    }
    for (const auto& [club, sequence] : venues) {
        EXPECT_EQ(sequence.find("HHH"), std::string::npos) << "club " << club;
        EXPECT_EQ(sequence.find("AAA"), std::string::npos) << "club " << club;
    }
}

void ExpectChampionsGroups(const std::vector<Row>& rows)
{
    std::set<int> members;
    for (int g = 0; g < CHAMPIONS_GROUPS; ++g) {
        for (int k = 0; k < CHAMPIONS_GROUP_SIZE; ++k) {
            const int club = VTW_GetChampionsLeagueGroupClub(g, k);
            ASSERT_GE(club, 0);
            EXPECT_TRUE(members.insert(club).second);
            EXPECT_EQ(VTW_GetChampionsLeagueGroup(club), g);
        }
    }
    std::set<int> dates;
    int groupRows = 0;
    for (const Row& r : rows) {
        if (r.comp != COMP_CHAMPIONS_GROUPS) continue;
        ++groupRows;
        dates.insert(r.day);
        EXPECT_EQ(VTW_GetChampionsLeagueGroup(r.home), VTW_GetChampionsLeagueGroup(r.away));
    }
    EXPECT_EQ(groupRows, 96);
    EXPECT_EQ(dates.size(), 6u);
    int champions[EURO_QUALIFIERS_MAX], second[EURO_QUALIFIERS_MAX], n1 = 0, n2 = 0;
    GetEuroQualifiers(champions, second, &n1, &n2);
    EXPECT_EQ(n1, World.countries[GameState.country].championsPlaces);
    for (int k = 0; k < n1; ++k) {
        EXPECT_TRUE(members.count(champions[k]));
    }
}

void ExpectSecondLegsReversed(const std::vector<Row>& rows)
{
    std::set<std::tuple<int, int, int>> firsts;
    for (const Row& r : rows) {
        if (VTW_GetCompCup(r.comp) >= 0 && !Fixture_IsSecondLeg(r.comp))
            firsts.insert({r.comp, r.home, r.away});
    }
    for (const Row& r : rows) {
        if (VTW_GetCompCup(r.comp) < 0 || !Fixture_IsSecondLeg(r.comp)) continue;
        EXPECT_TRUE(firsts.count({r.comp - COMP_SECOND_LEG, r.away, r.home})) << r.comp;
    }
}

bool IsDecidingRow(int row)
{
    const int comp = VTW_GetFixtureCompetition(row);
    if (comp == COMP_PLAYOFF_SECOND || comp == COMP_PLAYOFF_FINAL || comp == COMP_SUPER_CUP)
        return true;
    const int cup = VTW_GetCompCup(comp);
    if (cup < 0 || comp == COMP_CHAMPIONS_GROUPS) return false;
    return Fixture_IsSecondLeg(comp) || Fixture_RoundLegs(cup, VTW_GetCompRound(comp)) == 1;
}

// Writes seeded results day by day, with a shoot-out on every match that may decide a tie, and
// draws each round that finished that day.
void PlaySeason()
{
    for (int day = 0; day < GameState.holidayStart; ++day) {
        std::set<int> comps;
        for (int row = Fixture_FirstRowOfDay(day); VTW_GetFixtureDay(row) == day; ++row) {
            Fixture_SetGoals(row, Rand() % 4, Rand() % 4);
            if (IsDecidingRow(row)) Fixture_SetShootOut(row, 5, 4 + Rand() % 2 * 2);
            comps.insert(VTW_GetFixtureCompetition(row));
        }
        for (int comp : comps) {
            VTW_FindCompNextRound(comp);
        }
        if (day == GameState.lastLeagueDay) {
            Season_ClearTablesAndScan(-1);
            Season_DrawPlayOffs();
        }
    }
}

class ScheduleTest : public testing::Test {
protected:
    ScopedWorld m_world;
};

}  // namespace

TEST_F(ScheduleTest, EveryCountryGetsAConsistentSeason)
{
    for (int country = 0; country < COUNTRY_COUNT; ++country) {
        for (uint32_t seed : {7u, 1234u}) {
            SCOPED_TRACE(testing::Message() << "country " << country << " seed " << seed);
            NewGameForTest(country, seed);
            const std::vector<Row> rows = Rows();
            ExpectTableSortedAndEmptyAtEnd();
            ExpectNoClubOnConsecutiveDays(rows);
            ExpectLeaguesDoubleRoundRobin(rows);
            ExpectChampionsGroups(rows);
            ExpectSecondLegsReversed(rows);
            const long superCups = std::count_if(
                rows.begin(), rows.end(), [](const Row& r) { return r.comp == COMP_SUPER_CUP; });
            EXPECT_EQ(superCups, World.countries[country].superCup);
        }
    }
}

TEST_F(ScheduleTest, TheLargestCountryFitsTheTable)
{
    NewGameForTest(0, 5);
    int league = 0;
    for (const Row& r : Rows()) {
        league += r.comp == COMP_LEAGUE;
    }
    EXPECT_EQ(league, 2498);
    EXPECT_LT(Fixture_RowCount(), FIXTURE_ROWS);
}

TEST_F(ScheduleTest, CountryTwoPlaysItsLeagueOnSundays)
{
    NewGameForTest(2, 3);
    EXPECT_EQ(Calendar_WeekdayOfDay(GameState.firstLeagueDay), WEEKDAY_SUNDAY);
    EXPECT_EQ(Calendar_WeekdayOfDay(GameState.lastLeagueDay), WEEKDAY_SUNDAY);
    NewGameForTest(0, 3);
    EXPECT_EQ(Calendar_WeekdayOfDay(GameState.firstLeagueDay), WEEKDAY_SATURDAY);
}

TEST_F(ScheduleTest, APlayedSeasonLeadsEveryCupToOneFinalAndOneWinner)
{
    for (int country : {0, 1, 3}) {
        SCOPED_TRACE(testing::Message() << "country " << country);
        NewGameForTest(country, 42);
        PlaySeason();
        const std::vector<Row> rows = Rows();
        ExpectNoClubOnConsecutiveDays(rows);
        ExpectSecondLegsReversed(rows);
        std::vector<int> cups;
        for (int cup = 0; cup < VTW_GetCountryCupCount(); ++cup) {
            cups.push_back(cup);
        }
        cups.insert(cups.end(), {CUP_SECOND, CUP_THIRD, CUP_CHAMPIONS});
        for (int cup : cups) {
            const int final = Fixture_CupComp(cup, Cup_FinalRound(cup), 0);
            int finals = 0;
            for (int row = 0; row < Fixture_RowCount(); ++row) {
                if (VTW_GetFixtureCompetition(row) != final) continue;
                ++finals;
                EXPECT_TRUE(Fixture_IsPlayed(row));
                EXPECT_EQ(VTW_GetFixtureNeutralFlag(row), 1);
            }
            EXPECT_EQ(finals, 1) << "cup " << cup;
            EXPECT_EQ(VTW_FindCompNextRound(final), -1);
            int alive = 0;
            for (int club = 0; club < CLUB_ID_COUNT; ++club) {
                alive += CupSchedule.alive[cup][club];
            }
            EXPECT_EQ(alive, 2) << "the two finalists of cup " << cup;
        }
        int playOffFinals = 0;
        for (const Row& r : rows) {
            playOffFinals += r.comp == COMP_PLAYOFF_FINAL;
        }
        int divisions = 0;
        for (int d = 0; d < DIVISION_MAX; ++d) {
            divisions += VTW_HasDivisionEntry(d);
        }
        EXPECT_EQ(playOffFinals, divisions);
    }
}

TEST_F(ScheduleTest, TiesAreDecidedByAggregateThenAwayGoalsThenTheShootOut)
{
    NewGameForTest(1, 8);
    // Two-legged ties of the second continental cup's first round.
    const int first = VTW_GetCupFirstComp(CUP_SECOND);
    std::vector<int> firstLegs;
    for (int row = 0; row < Fixture_RowCount(); ++row) {
        if (VTW_GetFixtureCompetition(row) == first) firstLegs.push_back(row);
    }
    ASSERT_EQ(firstLegs.size(), 16u);
    const auto secondLeg = [&](int row) {
        for (int r = 0; r < Fixture_RowCount(); ++r) {
            if (VTW_GetFixtureCompetition(r) == first + COMP_SECOND_LEG
                && VTW_GetFixtureHomeClub(r) == VTW_GetFixtureAwayClub(row))
                return r;
        }
        return -1;
    };
    // Tie 0: the first-leg home side wins 3-1 on aggregate. Tie 1: 2-2, and the first-leg
    // visitor scored two away goals to one. Later ties: 1-1 twice, the second leg's visitor
    // (the first-leg home side) wins the shoot-out.
    const int results[3][4] = {{2, 0, 1, 1}, {1, 2, 0, 1}, {1, 1, 1, 1}};
    std::vector<int> expected;
    for (size_t k = 0; k < firstLegs.size(); ++k) {
        const int a = firstLegs[k];
        const int b = secondLeg(a);
        ASSERT_GE(b, 0);
        const int* g = results[std::min<size_t>(k, 2)];
        Fixture_SetGoals(a, g[0], g[1]);
        Fixture_SetGoals(b, g[2], g[3]);
        if (k >= 2) Fixture_SetShootOut(b, 3, 4);
        expected.push_back(k == 1 ? VTW_GetFixtureAwayClub(a) : VTW_GetFixtureHomeClub(a));
    }
    EXPECT_EQ(VTW_FindCompNextRound(first), first + 1);
    for (size_t k = 0; k < firstLegs.size(); ++k) {
        EXPECT_EQ(CupSchedule.alive[CUP_SECOND][expected[k]], 1) << "tie " << k;
    }
    EXPECT_EQ(VTW_FindCompNextRound(first), first + 1);  // already drawn: no second draw
    int drawn = 0;
    for (int row = 0; row < Fixture_RowCount(); ++row) {
        drawn += VTW_GetFixtureCompetition(row) == first + 1;
    }
    EXPECT_EQ(drawn, 8);
}

TEST_F(ScheduleTest, AnUnfinishedRoundDrawsNothing)
{
    NewGameForTest(5, 8);
    EXPECT_EQ(VTW_FindCompNextRound(VTW_GetCupFirstComp(0)), -1);
    EXPECT_EQ(VTW_FindCompNextRound(COMP_LEAGUE), -1);
    EXPECT_EQ(VTW_FindCompNextRound(COMP_FRIENDLY), -1);
}

TEST_F(ScheduleTest, NationalCupRoundZeroLeavesAPowerOfTwo)
{
    for (int country : {0, 1, 5}) {
        NewGameForTest(country, 2);
        const int clubs = World_LeagueClubCount(country);
        int field = 1;
        while (field * 2 < clubs) {
            field *= 2;
        }
        int matches = 0;
        for (const Row& r : Rows()) {
            matches += r.comp == VTW_GetCupFirstComp(0);
        }
        EXPECT_EQ(matches, clubs - field) << "country " << country;
    }
}

TEST_F(ScheduleTest, ALoadedGameWhoseMarksDisagreeWithItsTiesStillDrawsAnEvenField)
{
    NewGameForTest(1, 8);
    const int first = VTW_GetCupFirstComp(CUP_SECOND);
    std::vector<int> winners;
    for (int row = 0; row < Fixture_RowCount(); ++row) {
        const int comp = VTW_GetFixtureCompetition(row);
        if (comp == first) {
            Fixture_SetGoals(row, 1, 0);
            winners.push_back(VTW_GetFixtureHomeClub(row));
        }
        if (comp == first + COMP_SECOND_LEG) Fixture_SetGoals(row, 0, 0);
    }
    ASSERT_EQ(winners.size(), 16u);
    // Two marks taken, so the field stays even as the saved-game check wants: a winner's, and
    // a loser's.
    CupSchedule.alive[CUP_SECOND][winners[0]] = 0;
    for (int row = 0; row < Fixture_RowCount(); ++row) {
        if (VTW_GetFixtureCompetition(row) == first && VTW_GetFixtureHomeClub(row) == winners[1])
            CupSchedule.alive[CUP_SECOND][VTW_GetFixtureAwayClub(row)] = 0;
    }
    EXPECT_EQ(VTW_FindCompNextRound(first), first + 1);
    int alive = 0;
    for (int club = 0; club < CLUB_ID_COUNT; ++club)
        alive += CupSchedule.alive[CUP_SECOND][club];
    EXPECT_EQ(alive, 16);
    for (const int club : winners)
        EXPECT_EQ(CupSchedule.alive[CUP_SECOND][club], 1) << club;
}

// The cups a club is told it plays (the job offer lists them) are the cups its season brings it
// to: every national cup of the country and no other, the super cup for its two clubs and the
// continental cup for the qualifiers, whatever the division.
TEST_F(ScheduleTest, TheCupsAClubPlaysAreTheCupsItsSeasonBringsItTo)
{
    for (int country : {6, 0}) {
        SCOPED_TRACE(testing::Message() << "country " << country);
        NewGameForTest(country, 42);
        std::set<int> clubs;
        for (int division = 0; division < VTW_GetCountryDivisions(); ++division) {
            clubs.insert(VTW_GetDivisionSlot(division, 0));
        }
        for (const Row& r : Rows()) {
            if (r.comp == COMP_SUPER_CUP || VTW_GetCompCup(r.comp) >= CUP_NATIONAL_MAX)
                clubs.insert({r.home, r.away});
        }
        std::map<int, std::set<int>> listed;
        for (int club : clubs) {
            if (VTW_GetClubCountry(club) != country) continue;
            int texts[CUP_CLUB_CUPS_MAX];
            const int count = Cup_ClubCupTexts(club, texts);
            listed[club] = std::set<int>(texts, texts + count);
            EXPECT_EQ(listed[club].size(), static_cast<size_t>(count)) << "club " << club;
        }
        const int lowest = VTW_GetDivisionSlot(VTW_GetCountryDivisions() - 1, 0);
        const int cupNames = 2410 + 10 * country;
        if (country == 6) {
            EXPECT_EQ(listed[lowest], (std::set<int>{cupNames, cupNames + 1}));
        }
        PlaySeason();
        std::map<int, std::set<int>> played;
        for (const Row& r : Rows()) {
            int stage = -1, leg = -1;
            const int name = VTW_BuildTable668(r.comp, &stage, &leg);
            if (r.comp != COMP_SUPER_CUP && VTW_GetCompCup(r.comp) < 0) continue;
            played[r.home].insert(name);
            played[r.away].insert(name);
        }
        int continental = 0;
        for (const auto& [club, names] : listed) {
            EXPECT_EQ(names, played[club]) << "club " << club;
            continental += names.count(cupNames + CUP_CHAMPIONS);
        }
        EXPECT_GT(continental, 0);
    }
}
