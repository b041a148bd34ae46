// tests/menus/goalstats_test.cpp: the attendance statistics over a synthetic season of the human
// club's division: its rows, play order, ranking and scales, its buttons, and its frame.
#include "menus/goalstats.h"

#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/tables.h"
#include "menus/frontend.h"
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
    const std::pair<int32_t, int32_t> cases[] = {{235, 29}, {415, 31}, {570, 3}};
    for (const auto& [x, option] : cases) {
        MenuOption = 0;
        MenuInputs inputs;
        AddClick(&inputs, 400, x, 452);
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
