// tests/menus/devsoak_test.cpp: "Fixtures/Soak": the target's editors and counters, the fixed
// score and "Terminer", on a seeded career.
#include "menus/devsoak.h"

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/season.h"
#include "menus/devscreens.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "tests/support/screen_redraw.h"

namespace {

struct Target {
    int16_t day, month, year, weeks;
};

void ExpectTarget(const Target& expected, const char* step)
{
    EXPECT_EQ(DevSoak.day, expected.day) << step;
    EXPECT_EQ(DevSoak.month, expected.month) << step;
    EXPECT_EQ(DevSoak.year, expected.year) << step;
    EXPECT_EQ(DevSoak.weeks, expected.weeks) << step;
}

// The human club's fixture days from today (days of the season).
std::vector<int32_t> HumanFixtureDays()
{
    std::vector<int32_t> days;
    for (int32_t row = Fixture_FirstRowOfDay(DayNo); row < Fixture_RowCount(); ++row) {
        if (VTW_GetFixtureHomeClub(row) == GameState.humanClub
            || VTW_GetFixtureAwayClub(row) == GameState.humanClub)
            days.push_back(VTW_GetFixtureDay(row));
    }
    return days;
}

// Days from 1 August of the current season to a date of August to December.
int32_t SeasonDayOf(int32_t day, int32_t month)
{
    int32_t days = day - 1;
    for (int32_t m = 7; m < month; ++m)
        days += Calendar_MonthDays(m, GameState.year);
    return days;
}

class DevSoakTest : public ::testing::Test {
protected:
    // Runs the screen's first build, then `steps` in its loop, then leaves through "Terminer".
    void Run(const std::function<void()>& steps)
    {
        m_screen.Run(DevSoak_Table(), [&] {
            steps();
            DevScreens_Done(nullptr);
        });
    }
    ScopedScreenRedraw m_screen;
};

}  // namespace

// Today is Sunday 1 August 1999. Each editor step leaves the date and the week count describing
// one target.
TEST_F(DevSoakTest, EveryEditorStepLeavesTheCountersDescribingTheSameTarget)
{
    ASSERT_EQ(GameState.dayOfMonth, 1);
    ASSERT_EQ(GameState.month, 7);
    const std::vector<int32_t> fixtures = HumanFixtureDays();
    ASSERT_GE(fixtures.size(), 3u);
    Run([&] {
        ExpectTarget({3, 7, 1999, 0}, "first build: today + 2");
        DevSoak_StepWeeks(true);
        ExpectTarget({10, 7, 1999, 1}, "a week on");
        DevSoak_StepWeeks(true);
        ExpectTarget({17, 7, 1999, 2}, "two weeks on");
        DevSoak_StepWeeks(false);
        ExpectTarget({10, 7, 1999, 1}, "a week back");
        DevSoak_StepWeeks(false);
        ExpectTarget({8, 7, 1999, 1}, "never under a week");
        DevSoak_StepDate(SOAK_FIELD_DAY, false);
        ExpectTarget({7, 7, 1999, 0}, "a day back");
        DevSoak_StepDate(SOAK_FIELD_MONTH, true);
        DevSoak_StepDate(SOAK_FIELD_MONTH, true);
        ExpectTarget({7, 9, 1999, 9}, "7 October: 67 days");
        DevSoak_StepDate(SOAK_FIELD_DAY, true);
        EXPECT_EQ(DevSoak.kind, SOAK_UNTIL);
        // "2 matches": the day of the human club's second fixture from today.
        DevSoak.matches = 1;
        DevSoak_StepMatches(true);
        EXPECT_EQ(DevSoak_TargetSeasonDay(), fixtures[1]);
        EXPECT_EQ(DevSoak.matches, 2);
        EXPECT_EQ(DevSoak.weeks, fixtures[1] / 7);
        DevSoak_StepMatches(false);
        DevSoak_StepMatches(false);
        EXPECT_EQ(DevSoak_TargetSeasonDay(), fixtures[0]) << "never under one match";
        DevSoak_ToMatchDay();
        EXPECT_EQ(DevSoak_TargetSeasonDay(), fixtures[0]) << "the next fixture from today + 2";
        EXPECT_EQ(DevSoak.kind, SOAK_MATCH_DAY);
        EXPECT_EQ(DevSoak.matches, 1);
    });
}

// The week step and the date editor around the turn of the year and a leap year's February.
TEST_F(DevSoakTest, WeeksCrossTheYearAndTheTwentyNinthOfFebruaryComesWithLeapYearsOnly)
{
    Run([&] {
        // 28 December 1999 (day 149 of the season) and a week on.
        for (int32_t k = 0; k < 4; ++k)
            DevSoak_StepDate(SOAK_FIELD_MONTH, true);
        for (int32_t k = 0; k < 25; ++k)
            DevSoak_StepDate(SOAK_FIELD_DAY, true);
        ExpectTarget({28, 11, 1999, 21}, "28 December");
        EXPECT_EQ(DevSoak_TargetSeasonDay(), SeasonDayOf(28, 11));
        DevSoak_StepWeeks(true);
        ExpectTarget({4, 0, 2000, 22}, "a week on: January");
        EXPECT_EQ(DevSoak_TargetSeason(), 0);
        EXPECT_EQ(DevSoak_TargetSeasonDay(), SeasonDayOf(28, 11) + 7);
        // February 2000 has 29 days, February 2001 28: the day wraps within the month.
        DevSoak_StepDate(SOAK_FIELD_MONTH, true);
        for (int32_t k = 0; k < 25; ++k)
            DevSoak_StepDate(SOAK_FIELD_DAY, true);
        EXPECT_EQ(DevSoak.day, 29);
        DevSoak_StepDate(SOAK_FIELD_YEAR, true);
        EXPECT_EQ(DevSoak.day, 28);
        EXPECT_EQ(DevSoak_TargetSeason(), 1);
        DevSoak_StepDate(SOAK_FIELD_DAY, true);
        EXPECT_EQ(DevSoak.day, 1);
        DevSoak_StepDate(SOAK_FIELD_YEAR, false);
        DevSoak_StepDate(SOAK_FIELD_YEAR, false);
        DevSoak_StepDate(SOAK_FIELD_YEAR, false);
        EXPECT_EQ(DevSoak.year, 1999) << "never before this year";
    });
}

TEST_F(DevSoakTest, FixingCyclesItsValuesAndTerminerWritesTheRunsStopDay)
{
    AutoRunTarget = {};
    AutoRunMode = 1;
    DevSavedOption = -1;
    Run([&] {
        EXPECT_EQ(FixedScore.on, 0);
        EXPECT_EQ(FixedScore.home, -1);
        EXPECT_EQ(FixedScore.away, -1);
        DevSoak_StepFixed(false, true);
        EXPECT_EQ(FixedScore.on, 1);
        EXPECT_EQ(FixedScore.home, 0) << "-1 becomes 0 once fixing is on";
        EXPECT_EQ(FixedScore.away, 0);
        DevSoak_StepFixed(false, false);
        EXPECT_EQ(FixedScore.home, 2) << "down from 0 wraps to 2";
        DevSoak_StepFixed(true, true);
        DevSoak_StepFixed(true, true);
        DevSoak_StepFixed(true, true);
        EXPECT_EQ(FixedScore.away, 0) << "0, 1, 2, 0";
        DevSoak_ToggleFixing();
        EXPECT_EQ(FixedScore.on, 0);
        EXPECT_EQ(FixedScore.home, -1);
        DevSoak_ToggleFixing();
        EXPECT_EQ(FixedScore.on, 1);
        EXPECT_EQ(FixedScore.home, 0);
        DevSoak_StepWeeks(true);
        DevSoak_StepWeeks(true);
    });
    EXPECT_EQ(AutoRunTarget.stopSeason, 0);
    EXPECT_EQ(AutoRunTarget.stopDay, 16);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    AutoRunMode = 0;
}
