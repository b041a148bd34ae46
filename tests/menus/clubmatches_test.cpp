// tests/menus/clubmatches_test.cpp: the club's matches screen over a synthetic season: which
// matches it lists and from where, its arrows at both ends, what a column shows, and its frame.
#include "menus/clubmatches.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t FIRST_DAY = 20;
constexpr int32_t CUP_TIE = COMP_CUP_BASE + 2;  // the first cup's third round

class ClubMatchesTest : public ::testing::Test {
protected:
    int32_t Opponent(int32_t i) const { return DivisionLists[0][1 + i % 15]; }

    // `played` competitive matches of the human club every other day, home and away in turn,
    // the fourth a cup tie, each with a friendly the day after, and one match still to play;
    // the day is the one after the last played.
    void InsertSeason(int32_t played)
    {
        const int32_t club = m_screen.HumanClub();
        Fixtures_Clear();
        for (int32_t i = 0; i <= played; ++i) {
            const int32_t day = FIRST_DAY + 2 * i;
            const bool home = i % 2 == 0;
            const int32_t row =
                VTW_InsertFixture(day, i == 3 ? CUP_TIE : COMP_LEAGUE, home ? club : Opponent(i),
                                  home ? Opponent(i) : club);
            ASSERT_GE(row, 0) << i;
            Fixture_SetGoals(row, i % 3, 1);
            Fixture_SetAttendance(row, 12345 + i);
            for (int32_t side = 0; side < 2; ++side) {
                for (int32_t n = 0; n < FIXTURE_SIDE_PLAYERS; ++n) {
                    const uint8_t marks = static_cast<uint8_t>(
                        (n == 9 ? 2 : 0) | (n == 4 ? 0x10 : 0) | (n == 5 ? 0x20 : 0)
                        | (n == 7 && side == home ? 0x80 : 0));
                    Fixture_SetPlayerRow(
                        row, side, n,
                        {static_cast<int16_t>(n < 14 ? 100 + 40 * side + n : -1), 0, 70, marks, 0});
                }
            }
            ASSERT_GE(VTW_InsertFixture(day + 1, COMP_FRIENDLY, Opponent(i), club), 0);
        }
        Calendar_SetDay(FIRST_DAY + 2 * played);
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(ClubMatchesTest, TheLastThreeShowFirstAndTheArrowsStopAtBothEnds)
{
    struct Case {
        int32_t played;
        int32_t first;     // on entry
        int32_t earliest;  // after stepping back as far as it goes
    };
    const Case cases[] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {20, 17, 0}};
    for (const Case& c : cases) {
        InsertSeason(c.played);
        m_screen.Run(ClubMatches_Table(), [] {});
        EXPECT_EQ(ClubMatches.count, c.played);
        EXPECT_EQ(ClubMatches.first, c.first) << c.played;
        EXPECT_EQ(ClubMatches_Later(), 1) << c.played;
        while (ClubMatches.first > 0)
            ClubMatches_Earlier();
        EXPECT_EQ(ClubMatches_Earlier(), 1) << c.played;
        EXPECT_EQ(ClubMatches.first, c.earliest);
        for (int32_t column = 0; column < CLUB_MATCHES_COLUMNS; ++column) {
            EXPECT_EQ(ClubMatches.columns[column].row >= 0, column < c.played)
                << c.played << " " << column;
        }
        if (c.played > CLUB_MATCHES_COLUMNS) {
            EXPECT_EQ(ClubMatches_Later(), EXM_CODE_REDRAW);
            EXPECT_EQ(ClubMatches.first, 1);
        }
    }
}

TEST_F(ClubMatchesTest, AColumnShowsTheMatchFromTheClubsSide)
{
    InsertSeason(5);
    m_screen.Run(ClubMatches_Table(), [] {});
    ASSERT_EQ(ClubMatches.first, 2);
    // Matches 2 (home, league, 2-1), 3 (away, cup, 0-1 so the club won 1-0) and 4 (home).
    const ClubMatchesColumn& home = ClubMatches.columns[0];
    const ClubMatchesColumn& away = ClubMatches.columns[1];
    EXPECT_EQ(home.venueText, 102);
    EXPECT_EQ(away.venueText, 103);
    EXPECT_EQ(home.goals[0], 2);
    EXPECT_EQ(home.goals[1], 1);
    EXPECT_EQ(away.goals[0], 1);
    EXPECT_EQ(away.goals[1], 0);
    EXPECT_EQ(away.opponentText, VTW_ClubNameTextNo(VTW_GetTeam(Opponent(3))));
    EXPECT_STREQ(home.crowd, "12,347");
    int32_t dayOfMonth = 0, month = 0, weekday = 0;
    VTW_SeasonDayToDate(FIRST_DAY + 6, &dayOfMonth, &month, &weekday);
    char date[16];
    std::snprintf(date, sizeof date, "%02d/%02d", dayOfMonth, month);
    EXPECT_STREQ(away.date, date);
    int32_t name = -1, stage = -1, leg = -1;
    VTW_GetCompetitionTexts(CUP_TIE, &name, &stage, &leg);
    EXPECT_EQ(std::string(away.competition).rfind(GetMessageText(name), 0), 0u) << away.competition;
    EXPECT_NE(std::string(away.competition).find(GetMessageText(stage)), std::string::npos)
        << away.competition;
}

TEST_F(ClubMatchesTest, TheArrowsAnswerClicks)
{
    InsertSeason(6);
    MenuInputs inputs;
    AddClick(&inputs, 400, 38, 455);
    AddClick(&inputs, 500, 38, 455);
    AddClick(&inputs, 600, 58, 455);
    m_screen.Run(
        ClubMatches_Table(), [] {}, inputs);
    EXPECT_EQ(ClubMatches.first, 2);
}

TEST_F(ClubMatchesTest, FiveMatchesMatchTheGolden)
{
    InsertSeason(5);
    uint32_t hash = 0;
    m_screen.Run(ClubMatches_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("club_matches_five.png");
    });
    ExpectGoldenHash("menus/club_matches_five", hash);
}
