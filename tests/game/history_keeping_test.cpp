// tests/game/history_keeping_test.cpp: what a played season leaves for the history screens:
// every league club's history row (its final place in the pyramid and its average crowd), the
// honours of the season gone, and its five best regulars, with the rows no season wrote yet
// naming nobody.
#include <map>
#include <set>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/honours.h"
#include "game/records.h"
#include "game/tables.h"
#include "tests/support/played_season.h"

namespace {

struct FinalStanding {
    int32_t pyramidPlace;  // 0 the top club of the top division
    int32_t crowd;
};

// A regular as the league season ends: his name and his average performance. The ids of those who
// retire at the turn go to new players, so the best regulars' rows are told by the names they show.
using Regular = std::pair<std::string, int32_t>;

// Every league club's final standing, and its regulars (`regulars`), read as the league season
// ends.
std::map<int32_t, FinalStanding> FinalStandings(std::set<Regular>* regulars)
{
    ScopedPlayedSeason over(PlayedSeasonMoment::LeagueOver);
    for (int32_t player = PERSON_FIRST_ORDINARY; player < FullPlayerCount; ++player) {
        if (VTW_IsRegularPlayer(player))
            regulars->insert({VTW_FormatPersonName(player), VTW_GetPlayerPerf(player)});
    }
    std::map<int32_t, FinalStanding> standings;
    int32_t above = 0;
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        for (int32_t place = 0; place < VTW_GetDivisionSize(division); ++place) {
            const int32_t club = VTW_GetDivisionSlot(division, place);
            standings[club] = {above + place, Club_GetAvgAttendance(club)};
        }
        above += VTW_GetDivisionSize(division);
    }
    return standings;
}

// The champions and runners-up of each division as the league season ends: team numbers.
std::map<int32_t, std::pair<int32_t, int32_t>> FinalPodiums()
{
    ScopedPlayedSeason over(PlayedSeasonMoment::LeagueOver);
    std::map<int32_t, std::pair<int32_t, int32_t>> podiums;
    for (int32_t division = 0; division < VTW_GetCountryDivisions(); ++division) {
        podiums[division] = {VTW_GetTeam(VTW_GetDivisionSlot(division, 0)),
                             VTW_GetTeam(VTW_GetDivisionSlot(division, 1))};
    }
    return podiums;
}

}  // namespace

TEST(HistoryKeeping, TheNextSeasonKeepsEveryClubsPlaceCrowdAndBestRegulars)
{
    std::set<Regular> regulars;
    const std::map<int32_t, FinalStanding> standings = FinalStandings(&regulars);
    ScopedPlayedSeason next(PlayedSeasonMoment::NextSeason);
    ASSERT_GT(standings.size(), 40U);
    for (const auto& [club, standing] : standings) {
        const ClubRecord& r = *VTW_GetClubRecordPtr(club);
        EXPECT_EQ(r.history[0].place, standing.pyramidPlace + 1) << club;
        EXPECT_EQ(static_cast<int32_t>(r.history[0].averageAttendance), standing.crowd) << club;
        EXPECT_GT(standing.crowd, 0) << club;
        EXPECT_EQ(r.history[1].place, 0) << club;  // before the career: no season
        // The season gone: regulars in falling performance. The rows of seasons to come: none.
        const ClubBestPlayer* best = r.seasonBest[0];
        EXPECT_GE(best[0].player, PERSON_FIRST_ORDINARY) << club;
        for (int32_t rank = 0; rank < SEASON_BEST_PLAYERS && best[rank].player >= 0; ++rank) {
            const Regular regular{VTW_FormatPersonName(best[rank].player), best[rank].value};
            EXPECT_TRUE(regulars.count(regular)) << club << " " << rank;
            if (rank > 0) {
                EXPECT_GE(best[rank - 1].value, best[rank].value) << club << " " << rank;
            }
        }
        for (int32_t season = 1; season < SEASON_BEST_ROWS; ++season) {
            for (const ClubBestPlayer& unwritten : r.seasonBest[season]) {
                EXPECT_EQ(unwritten.player, -1) << club << " " << season;
            }
        }
    }
}

TEST(HistoryKeeping, LastSeasonsHonoursMoveToRowOne)
{
    const std::map<int32_t, std::pair<int32_t, int32_t>> podiums = FinalPodiums();
    ScopedPlayedSeason next(PlayedSeasonMoment::NextSeason);
    for (const auto& [division, podium] : podiums) {
        int32_t runnerUp = -1;
        EXPECT_EQ(VTW_GetHonoursEntry(1, HONOURS_DIVISION_FIRST + division, &runnerUp),
                  podium.first)
            << division;
        EXPECT_EQ(runnerUp, podium.second) << division;
        EXPECT_EQ(VTW_GetHonoursEntry(0, HONOURS_DIVISION_FIRST + division, &runnerUp), -1);
    }
    for (int32_t cup = 0; cup < VTW_GetCountryCupCount(); ++cup) {
        int32_t runnerUp = -1;
        const int32_t winner = VTW_GetHonoursEntry(1, cup, &runnerUp);
        EXPECT_GE(winner, 0) << cup;
        EXPECT_GE(runnerUp, 0) << cup;
        EXPECT_NE(winner, runnerUp) << cup;
    }
}
