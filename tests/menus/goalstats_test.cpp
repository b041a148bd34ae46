// tests/menus/goalstats_test.cpp: the goal statistics over a hand-filled goal log (slots,
// competitions, how, when, averages, scales, buttons, frame), and the attendance statistics over a
// synthetic season of the human club's division: its rows, play order, ranking and scales, its
// buttons, and its frame.
#include "menus/goalstats.h"

#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/records.h"
#include "game/squad.h"
#include "game/tables.h"
#include "menus/frontend.h"
#include "menus/goalcharts.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t FIRST_DAY = 20;

class AttendanceStatsTest : public ::testing::Test {
protected:
    // The division's clubs by id.
    std::vector<int32_t> Clubs() const
    {
        std::vector<int32_t> clubs;
        const int32_t division = VTW_FindDivisionOfTeam(m_screen.HumanClub());
        for (int32_t club = 0; club < CLUB_FULL_MAX; ++club) {
            if (VTW_FindDivisionOfTeam(club) == division) clubs.push_back(club);
        }
        return clubs;
    }

    // Home league matches of the human club against the division's clubs of the given indexes,
    // in that order, each with its crowd, played when before `today`; an away match and a home
    // cup tie between them, which no row shows; each club's average crowd 1000 x its index.
    void InsertSeason(const std::vector<std::pair<int32_t, int32_t>>& matches, int32_t today)
    {
        const int32_t human = m_screen.HumanClub();
        const std::vector<int32_t> clubs = Clubs();
        Fixtures_Clear();
        int32_t day = FIRST_DAY;
        for (const auto& [index, crowd] : matches) {
            const int32_t home = VTW_InsertFixture(day, COMP_LEAGUE, human, clubs[index]);
            const int32_t away = VTW_InsertFixture(day + 1, COMP_LEAGUE, clubs[index], human);
            const int32_t cup = VTW_InsertFixture(day + 2, COMP_CUP_BASE, human, clubs[index]);
            ASSERT_TRUE(home >= 0 && away >= 0 && cup >= 0);
            if (day < today) {
                for (const int32_t row : {home, away, cup}) {
                    Fixture_SetGoals(row, 1, 0);
                    Fixture_SetAttendance(row, row == home ? crowd : 99000);
                }
            }
            day += 4;
        }
        for (size_t k = 0; k < clubs.size(); ++k) {
            ClubRecord& r = *VTW_GetClubRecordPtr(clubs[k]);
            r.attendanceSum = static_cast<int32_t>(3000 * k);
            r.attendanceCount = 3;
        }
        Calendar_SetDay(today);
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST(AttendanceScale, StartsAt4000AndStepsBy2000AboveTheLargest)
{
    const std::pair<int32_t, int32_t> cases[] = {{0, 4000},    {3999, 4000}, {4000, 6000},
                                                 {5999, 6000}, {6000, 8000}, {45678, 46000}};
    for (const auto& [largest, scale] : cases)
        EXPECT_EQ(AttendanceStats_Scale(largest), scale) << largest;
}

TEST_F(AttendanceStatsTest, RowsFollowTheClubsIdsWithTheirHomeCrowdsInPlayOrder)
{
    // Club 5 at home first, then 2, then 7 still to come.
    InsertSeason({{5, 21000}, {2, 17500}, {7, 30000}}, FIRST_DAY + 8);
    AttendanceStats_Fill(m_screen.HumanClub());
    const std::vector<int32_t> clubs = Clubs();
    ASSERT_EQ(AttendanceStats.count, static_cast<int32_t>(clubs.size()));
    for (int32_t k = 0; k < AttendanceStats.count; ++k) {
        const AttendanceRow& r = AttendanceStats.rows[k];
        EXPECT_EQ(r.club, clubs[k]);
        EXPECT_EQ(r.average, 1000 * k);
        const int32_t order = k == 5 ? 1 : k == 2 ? 2 : ATTENDANCE_NOT_PLAYED;
        EXPECT_EQ(r.order, order) << k;
        EXPECT_EQ(r.crowd, k == 5 ? 21000 : k == 2 ? 17500 : 0) << k;
        EXPECT_EQ(AttendanceStats.ranked[k].average, 1000 * (AttendanceStats.count - 1 - k));
    }
    EXPECT_EQ(AttendanceStats.crowdScale, 22000);
    EXPECT_EQ(AttendanceStats.averageScale, AttendanceStats_Scale(1000 * (clubs.size() - 1)));
}

TEST_F(AttendanceStatsTest, NoHomeMatchYetOrNoDivisionShowNoBars)
{
    InsertSeason({{3, 25000}}, FIRST_DAY);
    AttendanceStats_Fill(m_screen.HumanClub());
    EXPECT_EQ(AttendanceStats.crowdScale, 4000);
    for (int32_t k = 0; k < AttendanceStats.count; ++k)
        EXPECT_EQ(AttendanceStats.rows[k].order, ATTENDANCE_NOT_PLAYED);
    AttendanceStats_Fill(CLUB_FULL_MAX + 1);  // a small club, in no division
    EXPECT_EQ(AttendanceStats.count, 0);
}

TEST_F(AttendanceStatsTest, TheButtonsLeadToTheOtherClubStatistics)
{
    // x -1: no click, and Escape leaves as the OK icon does.
    const std::pair<int32_t, int32_t> cases[] = {{235, 29}, {415, 31}, {570, 3}, {-1, 3}};
    for (const auto& [x, option] : cases) {
        MenuOption = 0;
        MenuInputs inputs;
        if (x >= 0) AddClick(&inputs, 400, x, 452);
        m_screen.Run(
            AttendanceStats_Table(), [] {}, inputs);
        EXPECT_EQ(MenuOption, option) << x;
    }
}

TEST_F(AttendanceStatsTest, ASeasonHalfPlayedMatchesTheGolden)
{
    InsertSeason({{5, 21000}, {2, 17500}, {9, 8250}, {4, 30000}, {7, 12000}}, FIRST_DAY + 14);
    uint32_t hash = 0;
    m_screen.Run(AttendanceStats_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("attendance_stats.png");
    });
    ExpectGoldenHash("menus/attendance_stats", hash);
}

namespace {

// A logged goal: by squad index (-1 a man of another club), competition, minute, kind, where, away.
struct LogRow {
    int32_t squadIndex, competition, minute, kind, where;
    bool away;
};

class GoalStatsTest : public ::testing::Test {
protected:
    int32_t SquadPlayer(int32_t index) const
    {
        VTW_RefreshSquadCount(m_screen.HumanClub());
        return VTW_GetSquadPlayer(index);
    }

    void FillLog(const std::vector<LogRow>& scored, const std::vector<LogRow>& conceded)
    {
        ClubRecord& r = *VTW_GetClubRecordPtr(m_screen.HumanClub());
        VTW_RefreshSquadCount(m_screen.HumanClub() + 1);
        const int32_t outsider = VTW_GetSquadPlayer(0);
        for (int32_t which = 0; which < 2; ++which) {
            const std::vector<LogRow>& rows = which == 0 ? scored : conceded;
            for (auto& pair : r.goals)
                pair[which].player = -1;
            for (size_t k = 0; k < rows.size(); ++k) {
                const LogRow& g = rows[k];
                const int32_t player = g.squadIndex >= 0 ? SquadPlayer(g.squadIndex) : outsider;
                r.goals[k][which] = {static_cast<int16_t>(player),
                                     static_cast<uint8_t>(g.minute),
                                     GoalLog_Pack(g.kind, g.where, g.away),
                                     static_cast<uint8_t>(g.competition),
                                     {0, 0, 0}};
            }
        }
    }

    // `home` league matches played at home and one still to come away.
    void PlayLeagueAtHome(int32_t home)
    {
        const int32_t human = m_screen.HumanClub();
        Fixtures_Clear();
        for (int32_t k = 0; k < home; ++k)
            Fixture_SetGoals(VTW_InsertFixture(FIRST_DAY + k, COMP_LEAGUE, human, human + 1 + k), 1,
                             1);
        VTW_InsertFixture(FIRST_DAY + 10, COMP_LEAGUE, human + 1, human);
        Calendar_SetDay(FIRST_DAY + 5);
    }

    ScopedScreenRedraw m_screen;
};

// Ten goals scored and two conceded, each row chosen for a boundary of the rules.
const std::vector<LogRow> kScored = {
    {0, COMP_LEAGUE, 15, GOAL_CLASS_HEADER, 0, false},
    {0, COMP_PLAYOFF_FINAL, 16, GOAL_CLASS_LONG_SHOT, 1, true},
    {1, COMP_SUPER_CUP, 30, GOAL_CLASS_PENALTY, 0, false},
    {1, COMP_CUP_BASE, 31, GOAL_CLASS_FREE_KICK, 1, false},
    {1, COMP_CUP_LAST, 90, GOAL_CLASS_VOLLEY, 0, false},
    {2, COMP_FRIENDLY, 91, GOAL_CLASS_CLOSE, 0, false},
    {2, COMP_INTERNATIONAL, 45, GOAL_CLASS_OPEN, 0, false},
    {3, COMP_INTERNATIONAL + 1, 60, GOAL_CLASS_OWN_GOAL, 0, true},
    {-1, COMP_LEAGUE, 61, GOAL_CLASS_HEADER, 0, false},  // a man who left: no scorer row
    {3, COMP_LEAGUE, 76, GOAL_CLASS_CLOSE, 0, true},
};
const std::vector<LogRow> kConceded = {
    {4, COMP_LEAGUE, 5, GOAL_CLASS_OWN_GOAL, 0, true},
    {5, COMP_LEAGUE, 100, GOAL_CLASS_LONG_SHOT, 1, false},
};

}  // namespace

TEST_F(GoalStatsTest, TheLogCountsBySlotCompetitionHowWhenAndVenue)
{
    FillLog(kScored, kConceded);
    PlayLeagueAtHome(3);
    m_screen.Run(GoalStats_Table(), [] {});
    // Squad 1: three cup goals; squad 0: two league; squad 3: one of each; squad 2 none that count.
    const std::tuple<int32_t, int32_t, int32_t> list[] = {{1, 0, 3}, {0, 2, 0}, {3, 1, 1}};
    ASSERT_EQ(GoalCharts.count, 3);
    for (int32_t k = 0; k < 3; ++k) {
        const auto& [index, league, cup] = list[k];
        EXPECT_EQ(GoalCharts.list[k].player, SquadPlayer(index)) << k;
        EXPECT_EQ(GoalCharts.list[k].league, league) << k;
        EXPECT_EQ(GoalCharts.list[k].cup, cup) << k;
    }
    // Inside, headers, close range, volleys, outside, penalties, free kicks, own goals.
    const int32_t kinds[GOAL_KINDS][2] = {{8, 1}, {2, 0}, {2, 0}, {1, 0},
                                          {2, 1}, {1, 0}, {1, 0}, {1, 1}};
    const int32_t periods[GOAL_PERIODS][2] = {{1, 1}, {2, 0}, {2, 0}, {1, 0},
                                              {1, 0}, {2, 0}, {1, 1}};
    for (int32_t w = 0; w < 2; ++w) {
        for (int32_t k = 0; k < GOAL_KINDS; ++k)
            EXPECT_EQ(GoalCharts.kinds[k][w], kinds[k][w]) << k << " " << w;
        for (int32_t p = 0; p < GOAL_PERIODS; ++p)
            EXPECT_EQ(GoalCharts.periods[p][w], periods[p][w]) << p << " " << w;
    }
    // League goals only: at home 2 scored and 1 conceded over 3 matches; away, with no match
    // played there, the counts themselves.
    const int32_t averages[GOAL_VENUES][2] = {{67, 33}, {100, 100}};
    for (int32_t v = 0; v < GOAL_VENUES; ++v) {
        for (int32_t w = 0; w < 2; ++w)
            EXPECT_EQ(GoalCharts.averages[v][w], averages[v][w]) << v << " " << w;
    }
    EXPECT_EQ(GoalCharts.listScale, 10);
    EXPECT_EQ(GoalCharts.kindsScale, 10);
    EXPECT_EQ(GoalCharts.periodsScale, 5);
    EXPECT_EQ(GoalCharts.averagesScale, 400);
}

TEST_F(GoalStatsTest, ScalesStepAboveTheLargestFigures)
{
    // League goals by one man, all headers at home in the first quarter hour.
    std::vector<LogRow> scored;
    struct Case {
        int32_t goals, home;
        int32_t listScale, kindsScale, periodsScale, averagesScale;
    };
    const Case cases[] = {
        {10, 2, 20, 20, 15, 800},  // average 5.00: 8 goals a match
        {10, 3, 20, 20, 15, 400},  // 3.33 rounds to 3: 4
        {11, 3, 20, 20, 15, 800},  // 3.67 rounds to 4, which is not above 4
        {9, 3, 10, 10, 10, 400},  {4, 1, 10, 10, 5, 800},
    };
    for (const Case& c : cases) {
        scored.assign(c.goals, LogRow{0, COMP_LEAGUE, 10, GOAL_CLASS_HEADER, 0, false});
        FillLog(scored, {});
        PlayLeagueAtHome(c.home);
        GoalStats_Fill(m_screen.HumanClub());
        EXPECT_EQ(GoalCharts.listScale, c.listScale) << c.goals;
        EXPECT_EQ(GoalCharts.kindsScale, c.kindsScale) << c.goals;
        EXPECT_EQ(GoalCharts.periodsScale, c.periodsScale) << c.goals;
        EXPECT_EQ(GoalCharts.averagesScale, c.averagesScale) << c.goals;
    }
}

TEST_F(GoalStatsTest, TheButtonsLeadToTheOtherClubStatisticsAndTheListScrollsPastTwelve)
{
    // x -1: no click, and Escape leaves as the OK icon does.
    const std::pair<int32_t, int32_t> cases[] = {{235, 30}, {415, 31}, {570, 3}, {-1, 3}};
    for (const auto& [x, option] : cases) {
        MenuOption = 0;
        MenuInputs inputs;
        if (x >= 0) AddClick(&inputs, 400, x, 452);
        m_screen.Run(
            GoalStats_Table(), [] {}, inputs);
        EXPECT_EQ(MenuOption, option) << x;
    }
    for (const int32_t scorers : {12, 13}) {
        std::vector<LogRow> scored;
        for (int32_t k = 0; k < scorers; ++k)
            scored.push_back({k, COMP_LEAGUE, 20 + k, GOAL_CLASS_CLOSE, 0, false});
        FillLog(scored, {});
        MenuInputs inputs;
        AddClick(&inputs, 400, GOAL_SCROLL_X + 10, GOAL_SCROLL_Y + 25);  // down
        m_screen.Run(
            GoalStats_Table(), [] {}, inputs);
        EXPECT_EQ(GoalCharts.first, scorers - 12) << scorers;
    }
}

TEST_F(GoalStatsTest, AHandFilledLogMatchesTheGolden)
{
    std::vector<LogRow> scored = kScored;
    for (int32_t k = 0; k < 14; ++k) {
        for (int32_t n = 0; n <= k % 4; ++n)
            scored.push_back({k, n == 0 ? COMP_CUP_BASE : COMP_LEAGUE, 7 * k + 3 * n, k % 9,
                              k % 3 == 0 ? 1 : 0, n % 2 == 1});
    }
    FillLog(scored, kConceded);
    PlayLeagueAtHome(4);
    uint32_t hash = 0;
    m_screen.Run(GoalStats_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("goal_stats.png");
    });
    ExpectGoldenHash("menus/goal_stats", hash);
}
