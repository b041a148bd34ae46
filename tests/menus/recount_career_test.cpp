// tests/menus/recount_career_test.cpp: the career history's rows and the statistics screen's
// season columns, after a season the simulation played, held against the same figures counted
// again from the fixture table's rows.
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/tables.h"
#include "menus/careerhistory.h"
#include "menus/frontend.h"
#include "menus/playerstats.h"
#include "tests/support/recount.h"

namespace {

constexpr int32_t GENERAL_APPS = 62;
constexpr int32_t GENERAL_GOALS = 64;
constexpr int32_t GENERAL_PERFORMANCE = 243;

bool IsKeeper(int32_t player) { return VTW_GetPositionType(player) == 0; }

std::vector<int32_t> SquadOf(int32_t club)
{
    const int16_t* members = nullptr;
    const int32_t count = Records_ClubMembers(club, &members);
    return {members, members + count};
}

// The career history's rows of a player as the screen builds them, oldest first.
std::vector<CareerLogRow> HistoryShown(ScopedScreenRedraw& screen, int32_t player)
{
    CurrentPlayer = static_cast<int16_t>(player);
    std::vector<CareerLogRow> rows;
    screen.Run(CareerHistory_Table(),
               [&] { rows.assign(CareerHistory.rows, CareerHistory.rows + CareerHistory.count); });
    return rows;
}

// A row's appearances and average against the count; its goals column too unless `goals` is
// false (a keeper's, whose column counts clean sheets).
// A keeper's goals column holds his clean sheets.
void ExpectRowFigures(const CareerLogRow& row, const PlayerTally& count, bool keeper)
{
    EXPECT_EQ(row.apps, count.apps);
    EXPECT_EQ(row.performance, count.Performance());
    EXPECT_EQ(row.goals, keeper ? count.cleanSheets : count.goals);
}

// The rows a season left, oldest first.
std::vector<CareerLogRow> RowsOfSeason(const std::vector<CareerLogRow>& rows, int32_t season)
{
    std::vector<CareerLogRow> kept;
    for (const CareerLogRow& row : rows) {
        if (row.season == season) kept.push_back(row);
    }
    return kept;
}

}  // namespace

// As the league season ends: each player of the human's squad who played for it alone shows his
// season so far as the newest history row, at his club and in its division; the statistics
// screen's appearances, goals and average performance are those of every competitive match he
// played this season.
TEST(RecountCareer, TheSeasonSoFarAndTheStatisticsColumnsAreTheMatchesPlayed)
{
    ScopedRecountedSeason season(SeasonMoment::LeagueOver);
    const PlayedRows& rows = season.Rows();
    const int32_t human = season.HumanClub();
    int32_t players = 0, scorers = 0;
    for (const int32_t player : SquadOf(human)) {
        SCOPED_TRACE(player);
        const std::set<int32_t> clubs = ClubsPlayedFor(rows, player);
        if (clubs.size() > 1 || (clubs.size() == 1 && *clubs.begin() != human)) continue;
        const PlayerTally count = TallyPlayer(rows, player, human);
        const std::vector<CareerLogRow> shown = HistoryShown(season.Screen(), player);
        ASSERT_FALSE(shown.empty());
        const CareerLogRow& soFar = shown.back();
        EXPECT_EQ(soFar.kind, CAREERLOG_SEASON);
        EXPECT_EQ(soFar.season, GameState.seasonCounter);
        EXPECT_EQ(soFar.team, VTW_GetTeam(human));
        EXPECT_EQ(soFar.division, VTW_GetClubDivision(human));
        ExpectRowFigures(soFar, count, IsKeeper(player));
        ++players;
        scorers += count.goals > 0;
    }
    EXPECT_GE(players, 16);
    EXPECT_GT(scorers, 3);

    season.Screen().Run(StatsScreen_Table(), [] {});
    ASSERT_GT(StatsScreen.length, 16);
    for (int32_t k = 0; k < StatsScreen.length; ++k) {
        const int32_t player = StatsScreen.list[k];
        SCOPED_TRACE(player);
        const PlayerTally count = TallyPlayer(rows, player, CLUB_ANY);
        EXPECT_EQ(DisplaySort(player, GENERAL_APPS), count.apps);
        EXPECT_EQ(DisplaySort(player, GENERAL_GOALS),
                  IsKeeper(player) ? STATS_NO_VALUE : count.goals);
        EXPECT_EQ(DisplaySort(player, GENERAL_PERFORMANCE), count.Performance());
    }
}

// The season gone, read in the next one: each player of the human's squad then has the season's
// row at the club he played it for, and the figures of his matches there; a youth given the id
// of a player who retired has none of it.
TEST(RecountCareer, TheSeasonGoneIsARowAtTheClubItWasPlayedFor)
{
    ScopedRecountedSeason season(SeasonMoment::NextSeason);
    const PlayedRows& rows = season.Rows();
    int32_t checked = 0, newcomers = 0;
    for (const int32_t player : SquadOf(season.HumanClub())) {
        SCOPED_TRACE(player);
        const std::set<int32_t> clubs = ClubsPlayedFor(rows, player);
        if (!season.SamePersonAsInRows(player)) {
            // A youth on the id of a player who retired: none of the id's rows are his.
            EXPECT_TRUE(
                RowsOfSeason(HistoryShown(season.Screen(), player), season.FirstSeason()).empty());
            ++newcomers;
            continue;
        }
        if (clubs.size() != 1) continue;
        const int32_t club = *clubs.begin();
        std::vector<CareerLogRow> closing;
        for (const CareerLogRow& row :
             RowsOfSeason(HistoryShown(season.Screen(), player), season.FirstSeason())) {
            if (row.kind == CAREERLOG_SEASON) closing.push_back(row);
        }
        ASSERT_EQ(closing.size(), 1u);
        EXPECT_EQ(closing[0].team, VTW_GetTeam(club));
        ExpectRowFigures(closing[0], TallyPlayer(rows, player, club), IsKeeper(player));
        ++checked;
    }
    EXPECT_GE(checked, 11);
    EXPECT_GT(newcomers, 0);
}

// A keeper's goals column, in the season's closing row, counts the matches he started in goal and
// finished without his side conceding.
TEST(RecountCareer, AKeepersGoalsColumnCountsHisCleanSheets)
{
    ScopedRecountedSeason season(SeasonMoment::NextSeason);
    const PlayedRows& rows = season.Rows();
    int32_t sheets = 0;
    for (const int32_t player : SquadOf(season.HumanClub())) {
        const std::set<int32_t> clubs = ClubsPlayedFor(rows, player);
        if (!IsKeeper(player) || clubs.size() != 1 || !season.SamePersonAsInRows(player)) continue;
        SCOPED_TRACE(player);
        const int32_t count = TallyPlayer(rows, player, *clubs.begin()).cleanSheets;
        for (const CareerLogRow& row :
             RowsOfSeason(HistoryShown(season.Screen(), player), season.FirstSeason())) {
            if (row.kind == CAREERLOG_SEASON) {
                EXPECT_EQ(row.goals, count);
            }
        }
        sheets += count;
    }
    EXPECT_GT(sheets, 0);
}

// For everyone who played the season for more than one club,
// the season's rows naming each club hold the matches he played there, and only those.
TEST(RecountCareer, EachClubOfASeasonOfMovesHasTheMatchesPlayedThere)
{
    ScopedRecountedSeason season(SeasonMoment::NextSeason);
    const PlayedRows& rows = season.Rows();
    int32_t movers = 0;
    for (const int32_t player : EveryPlayerWhoPlayed(rows)) {
        const std::set<int32_t> clubs = ClubsPlayedFor(rows, player);
        if (clubs.size() < 2 || !season.SamePersonAsInRows(player)) continue;
        SCOPED_TRACE(player);
        const std::vector<CareerLogRow> shown =
            RowsOfSeason(HistoryShown(season.Screen(), player), season.FirstSeason());
        for (const int32_t club : clubs) {
            SCOPED_TRACE(club);
            const PlayerTally count = TallyPlayer(rows, player, club);
            PlayerTally named;
            for (const CareerLogRow& row : shown) {
                if (row.team != VTW_GetTeam(club) || row.apps == 0) continue;
                named.apps += row.apps;
                named.goals += row.goals;
                EXPECT_EQ(row.performance, count.Performance());
            }
            EXPECT_EQ(named.apps, count.apps);
            EXPECT_EQ(named.goals, IsKeeper(player) ? count.cleanSheets : count.goals);
        }
        ++movers;
    }
    EXPECT_GT(movers, 0);
}
