// tests/menus/clubmatches_test.cpp: the club's matches screen over a synthetic season: which
// matches it lists and from where, its arrows at both ends, what a column shows, and its frame.
#include "menus/clubmatches.h"

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

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

// A player's cards as the row keeps them: the yellow alone, the red alone, and for a man booked
// and then sent off the yellow with the red over it, two pixels on, so that both show. Each
// row is compared with itself drawn without cards.
TEST_F(ClubMatchesTest, AManBookedThenSentOffShowsTheYellowAndTheRed)
{
    InsertSeason(1);
    const int32_t row = Fixture_PlayedRowOfClub(m_screen.HumanClub(), 0).row;
    ASSERT_GE(row, 0);
    const int32_t booked = 4, sentOff = 6, both = 8;
    const std::pair<int32_t, uint8_t> marks[] = {
        {booked, FIXTURE_MARK_BOOKED},
        {sentOff, FIXTURE_MARK_SENT_OFF},
        {both, FIXTURE_MARK_BOOKED | FIXTURE_MARK_SENT_OFF}};
    constexpr int32_t kIconX = 31 + 64 + 10;  // the first column's club side, after the name
    constexpr int32_t kWidth = 24;            // up to the man of the match's place
    constexpr int32_t kHeight = 16;
    // By card state (0 none, 1 shown) and row: the pixels from the icons' place on.
    std::map<int32_t, std::vector<uint32_t>> strips[2];
    for (int32_t shown = 0; shown < 2; ++shown) {
        for (const auto& [n, mark] : marks) {
            Fixture_SetPlayerRow(row, 0, n,
                                 {static_cast<int16_t>(300 + n), 0, 70,
                                  static_cast<uint8_t>(shown != 0 ? mark : 0), 0});
        }
        m_screen.Run(ClubMatches_Table(), [&] {
            for (const auto& [n, mark] : marks) {
                for (int32_t dy = 0; dy < kHeight; ++dy) {
                    for (int32_t dx = 0; dx < kWidth; ++dx)
                        strips[shown][n].push_back(WorkPixel(kIconX + dx, 135 + n * 18 + 1 + dy));
                }
            }
        });
    }
    const auto at = [&](int32_t shown, int32_t n, int32_t dx, int32_t dy) {
        return strips[shown][n][dy * kWidth + dx];
    };
    const auto drawn = [&](int32_t n, int32_t dx, int32_t dy) {
        return at(1, n, dx, dy) != at(0, n, dx, dy);
    };
    int32_t yellow = 0, red = 0, bothDrawn = 0;
    for (int32_t dy = 0; dy < kHeight; ++dy) {
        for (int32_t dx = 0; dx < kWidth; ++dx) {
            yellow += drawn(booked, dx, dy);
            red += drawn(sentOff, dx, dy);
            bothDrawn += drawn(both, dx, dy);
            // The yellow's first two columns, then the red as it lies alone, two pixels on.
            if (dx < 2 && drawn(booked, dx, dy)) {
                EXPECT_EQ(at(1, both, dx, dy), at(1, booked, dx, dy)) << dx << ", " << dy;
            } else if (dx >= 2 && drawn(sentOff, dx - 2, dy)) {
                EXPECT_EQ(at(1, both, dx, dy), at(1, sentOff, dx - 2, dy)) << dx << ", " << dy;
            }
        }
    }
    EXPECT_GT(yellow, 0);
    EXPECT_GT(red, 0);
    EXPECT_GT(bothDrawn, red);  // the yellow's edge shows beside the red
}
