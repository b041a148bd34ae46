// tests/menus/miscstats_test.cpp: the miscellaneous statistics over hand-filled season counters
// and card logs: averages with and without league matches at a venue, the scales at their
// boundaries, the card periods, the buttons and the frame.
#include "menus/miscstats.h"

#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "menus/frontend.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

constexpr int32_t FIRST_DAY = 20;

class MiscStatsTest : public ::testing::Test {
protected:
    ClubRecord& Record() const { return *VTW_GetClubRecordPtr(m_screen.HumanClub()); }

    // `home` and `away` league matches played, a cup tie at home played, one league match to come.
    void PlayLeague(int32_t home, int32_t away)
    {
        const int32_t human = m_screen.HumanClub();
        Fixtures_Clear();
        int32_t day = FIRST_DAY;
        for (int32_t k = 0; k < home + away; ++k) {
            const int32_t other = human + 1 + k;
            const int32_t row = k < home ? VTW_InsertFixture(day++, COMP_LEAGUE, human, other)
                                         : VTW_InsertFixture(day++, COMP_LEAGUE, other, human);
            Fixture_SetGoals(row, 0, 0);
        }
        Fixture_SetGoals(VTW_InsertFixture(day++, COMP_CUP_BASE, human, human + 1), 2, 0);
        VTW_InsertFixture(day + 5, COMP_LEAGUE, human, human + 2);
        Calendar_SetDay(day);
    }

    void LogCards(const std::vector<std::pair<int32_t, int32_t>>& cards)
    {
        for (CardLogEntry& c : Record().cards)
            c.minute = -1;
        for (size_t k = 0; k < cards.size(); ++k)
            Record().cards[k] = {static_cast<int8_t>(cards[k].first),
                                 static_cast<uint8_t>(cards[k].second)};
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(MiscStatsTest, CountersAreDividedByTheLeagueMatchesAtTheirVenueAndScaled)
{
    struct Case {
        int32_t group, venue, home, away;
        int16_t counters[SEASON_COUNTERS];
        int32_t averages[SEASON_COUNTERS];
        int32_t shots, corners, cards;
    };
    const Case cases[] = {
        {SEASON_FOR, 0, 2, 0, {12, 8, 10, 3, 1}, {600, 400, 500, 150, 50}, 20, 10, 4},
        // No away match: the counts themselves.
        {SEASON_FOR, 1, 2, 0, {3, 2, 4, 1, 0}, {300, 200, 400, 100, 0}, 10, 5, 2},
        {SEASON_AGAINST, 1, 1, 4, {37, 0, 19, 5, 2}, {925, 0, 475, 125, 50}, 10, 10, 4},
        {SEASON_AGAINST, 0, 3, 1, {30, 0, 14, 2, 1}, {1000, 0, 467, 67, 33}, 20, 10, 2},
        {SEASON_FOR, 0, 3, 0, {20, 9, 15, 5, 1}, {667, 300, 500, 167, 33}, 20, 10, 4},
    };
    for (const Case& c : cases) {
        std::fill_n(&Record().seasonCounters[0][0][0], 2 * 2 * SEASON_COUNTERS, int16_t{0});
        std::copy_n(c.counters, SEASON_COUNTERS, Record().seasonCounters[c.group][c.venue]);
        PlayLeague(c.home, c.away);
        MiscStats_Fill(m_screen.HumanClub());
        for (int32_t k = 0; k < SEASON_COUNTERS; ++k)
            EXPECT_EQ(MiscStats.averages[c.group][c.venue][k], c.averages[k])
                << c.counters[0] << " " << k;
        EXPECT_EQ(MiscStats.averages[1 - c.group][c.venue][0], 0);
        EXPECT_EQ(MiscStats.shotsScale, c.shots) << c.counters[0];
        EXPECT_EQ(MiscStats.cornersScale, c.corners) << c.counters[0];
        EXPECT_EQ(MiscStats.cardsScale, c.cards) << c.counters[0];
    }
}

TEST_F(MiscStatsTest, CardsFallInTheirPeriodByKindAndScaleByThePeriodsTotal)
{
    LogCards({{15, 1}, {5, 1}, {16, 1}, {30, 2}, {31, 1}, {90, 1}, {91, 2}, {91, 1}});
    MiscStats_Fill(m_screen.HumanClub());
    const int32_t expected[STATS_MINUTE_BUCKETS][2] = {{2, 0}, {1, 1}, {1, 0}, {0, 0},
                                                       {0, 0}, {1, 0}, {1, 1}};
    for (int32_t p = 0; p < STATS_MINUTE_BUCKETS; ++p) {
        for (int32_t k = 0; k < 2; ++k)
            EXPECT_EQ(MiscStats.cardPeriods[p][k], expected[p][k]) << p << " " << k;
    }
    EXPECT_EQ(MiscStats.cardPeriodsScale, 10);
    LogCards(std::vector<std::pair<int32_t, int32_t>>(10, {46, 1}));
    MiscStats_Fill(m_screen.HumanClub());
    EXPECT_EQ(MiscStats.cardPeriods[3][MISC_BOOKINGS], 10);
    EXPECT_EQ(MiscStats.cardPeriodsScale, 20);
}

TEST_F(MiscStatsTest, TheButtonsLeadToTheOtherClubStatistics)
{
    // x -1: no click, and Escape leaves as the OK icon does.
    const std::pair<int32_t, int32_t> cases[] = {{235, 29}, {415, 30}, {570, 3}, {-1, 3}};
    for (const auto& [x, option] : cases) {
        MenuOption = 0;
        MenuInputs inputs;
        if (x >= 0) AddClick(&inputs, 400, x, 452);
        m_screen.Run(
            MiscStats_Table(), [] {}, inputs);
        EXPECT_EQ(MenuOption, option) << x;
    }
}

TEST_F(MiscStatsTest, AHalfSeasonMatchesTheGolden)
{
    const int16_t counters[2][2][SEASON_COUNTERS] = {{{40, 35, 50, 9, 1}, {28, 30, 33, 12, 2}},
                                                     {{25, 33, 31, 14, 0}, {45, 41, 52, 8, 1}}};
    std::copy_n(&counters[0][0][0], 2 * 2 * SEASON_COUNTERS, &Record().seasonCounters[0][0][0]);
    LogCards({{3, 1},
              {22, 1},
              {28, 1},
              {40, 2},
              {52, 1},
              {58, 1},
              {63, 1},
              {70, 1},
              {88, 1},
              {89, 2},
              {90, 1}});
    PlayLeague(7, 6);
    uint32_t hash = 0;
    m_screen.Run(MiscStats_Table(), [&] {
        hash = WorkScreenHash();
        WriteFrameToTestOutput("misc_stats.png");
    });
    ExpectGoldenHash("menus/misc_stats", hash);
}
