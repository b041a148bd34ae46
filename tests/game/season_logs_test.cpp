// tests/game/season_logs_test.cpp: a whole league season played in process: every club's goal
// log, season counters and crowd average agree with its league row and with its opponents'
// records, and the simulation's goals fall into their classes in the chosen shares.
#include <utility>

#include <gtest/gtest.h>

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/season.h"
#include "game/tables.h"
#include "tests/support/played_season.h"

namespace {

class SeasonLogs : public testing::Test {
protected:
    ScopedPlayedSeason m_season{PlayedSeasonMoment::LeagueOver};
};

// Each club in a league, with its record and its league row at home and away; the count.
template <typename Visit>
int32_t ForEachLeagueClub(Visit visit)
{
    int32_t clubs = 0;
    for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
        const ClubRecord* r = VTW_GetClubRecordPtr(club);
        if (r == nullptr || VTW_FindDivisionOfTeam(club) < 0) continue;
        ++clubs;
        int32_t home[LEAGUE_SIDE_COLUMNS], away[LEAGUE_SIDE_COLUMNS];
        VTW_GetLeagueRowHome(club, home);
        VTW_GetLeagueRowAway(club, away);
        visit(club, *r, home, away);
    }
    return clubs;
}

// The league entries of one side of the club's log (0 scored, 1 conceded); -1 when the log is
// full, so that some goals may be missing.
int32_t LeagueGoalsLogged(const ClubRecord& r, int32_t which)
{
    int32_t goals = 0;
    for (const auto& pair : r.goals) {
        if (pair[which].player == -1) return goals;
        if (pair[which].competition == COMP_LEAGUE) ++goals;
    }
    return -1;
}

}  // namespace

TEST_F(SeasonLogs, EveryClubsRecordsAgreeWithItsLeagueRowAndItsOpponents)
{
    int64_t sums[2][2][SEASON_COUNTERS] = {};
    int32_t classes[16] = {};
    const int32_t clubs = ForEachLeagueClub(
        [&](int32_t club, const ClubRecord& r, const int32_t* home, const int32_t* away) {
            const int32_t scored = LeagueGoalsLogged(r, 0);
            const int32_t conceded = LeagueGoalsLogged(r, 1);
            if (scored >= 0) {
                EXPECT_EQ(scored, home[3] + away[3]) << club;
            }
            if (conceded >= 0) {
                EXPECT_EQ(conceded, home[4] + away[4]) << club;
            }
            EXPECT_EQ(r.attendanceCount, home[0] + home[1] + home[2]) << club;
            if (r.attendanceCount > 0) {
                EXPECT_EQ(Club_GetAvgAttendance(club), r.attendanceSum / r.attendanceCount) << club;
            }
            for (int32_t g = 0; g < 2; ++g) {
                for (int32_t v = 0; v < 2; ++v) {
                    for (int32_t c = 0; c < SEASON_COUNTERS; ++c)
                        sums[g][v][c] += r.seasonCounters[g][v][c];
                }
            }
            for (const auto& pair : r.goals) {
                if (pair[0].player == -1) break;
                ++classes[GoalLog_Kind(pair[0])];
                EXPECT_EQ(GoalLog_Where(pair[0]) == 1,
                          GoalLog_Kind(pair[0]) == GOAL_CLASS_LONG_SHOT
                              || GoalLog_Kind(pair[0]) == GOAL_CLASS_FREE_KICK);
            }
        });
    ASSERT_GT(clubs, 40);
    // A league match counts the home side's figures for it at home and against its opponent
    // away, and the other way round.
    for (int32_t c = 0; c < SEASON_COUNTERS; ++c) {
        EXPECT_EQ(sums[SEASON_FOR][0][c], sums[SEASON_AGAINST][1][c]) << c;
        EXPECT_EQ(sums[SEASON_FOR][1][c], sums[SEASON_AGAINST][0][c]) << c;
        EXPECT_GT(sums[SEASON_FOR][0][c], 0) << c;
    }
    const int32_t openPlay = classes[GOAL_CLASS_HEADER] + classes[GOAL_CLASS_VOLLEY]
                             + classes[GOAL_CLASS_LONG_SHOT] + classes[GOAL_CLASS_FREE_KICK]
                             + classes[GOAL_CLASS_CLOSE];
    ASSERT_GT(openPlay, 1000);
    const std::pair<int32_t, int32_t> shares[] = {{GOAL_CLASS_HEADER, 22},
                                                  {GOAL_CLASS_VOLLEY, 8},
                                                  {GOAL_CLASS_LONG_SHOT, 14},
                                                  {GOAL_CLASS_FREE_KICK, 4},
                                                  {GOAL_CLASS_CLOSE, 52}};
    for (const auto& [goalClass, percent] : shares)
        EXPECT_NEAR(100.0 * classes[goalClass] / openPlay, percent, 3.0) << goalClass;
    EXPECT_GT(classes[GOAL_CLASS_PENALTY], 0);
    EXPECT_GT(classes[GOAL_CLASS_OWN_GOAL], 0);
}

// The second season starts from the image with the first one behind it: one season on, every
// league row empty again, and the clubs' goal logs cleared for the new season.
TEST(PlayedSeason, TheNextSeasonImageStartsASeasonAfresh)
{
    int32_t firstSeason = 0;
    {
        ScopedPlayedSeason leagueOver(PlayedSeasonMoment::LeagueOver);
        firstSeason = GameState.seasonCounter;
    }
    ScopedPlayedSeason next(PlayedSeasonMoment::NextSeason);
    EXPECT_EQ(GameState.seasonCounter, firstSeason + 1);
    const int32_t clubs = ForEachLeagueClub(
        [](int32_t club, const ClubRecord& r, const int32_t* home, const int32_t* away) {
            EXPECT_EQ(home[0] + home[1] + home[2] + away[0] + away[1] + away[2], 0) << club;
            EXPECT_EQ(r.goals[0][0].player, -1) << club;
        });
    EXPECT_GT(clubs, 40);
}
