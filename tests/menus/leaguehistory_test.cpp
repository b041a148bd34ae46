// tests/menus/leaguehistory_test.cpp: the league history chart over hand-set history rows: no
// season in the first one, a club promoted and relegated across the division bands, a season
// outside the divisions breaking the place line, read back as pixels of the drawn chart.
#include "menus/leaguehistory.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/tables.h"
#include "tests/support/frame_probe.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

const uint32_t kWhite = FrameRgbOf565(LEAGUE_HISTORY_PLACE_COLOUR);
const uint32_t kRed = FrameRgbOf565(LEAGUE_HISTORY_CROWD_COLOUR);

class LeagueHistoryTest : public ::testing::Test {
protected:
    // Rows newest first: {pyramid place + 1, average crowd}.
    void Run(int32_t counter, const std::vector<ClubHistoryRow>& rows, bool golden = false)
    {
        GameState.seasonCounter = static_cast<uint16_t>(counter);
        ClubRecord* r = VTW_GetClubRecordPtr(m_screen.HumanClub());
        for (size_t k = 0; k < rows.size(); ++k) {
            r->history[k] = rows[k];
        }
        GameState.currentClub = static_cast<int16_t>(m_screen.HumanClub());
        m_screen.Run(LeagueHistory_Table(), [&] {
            m_pixels.clear();
            for (int32_t y = LEAGUE_HISTORY_TOP + 1; y < LEAGUE_HISTORY_TOP + LEAGUE_HISTORY_HEIGHT;
                 ++y) {
                for (int32_t x = LEAGUE_HISTORY_LEFT + 1;
                     x < LEAGUE_HISTORY_LEFT + LEAGUE_HISTORY_WIDTH; ++x) {
                    m_pixels.push_back(FrameRgbOf(WorkPixel(x, y)));
                }
            }
            if (!golden) return;  // one test writes the picture: side by side they would clash
            m_hash = WorkScreenHash();
            WriteFrameToTestOutput("league_history.png");
        });
    }
    uint32_t At(int32_t x, int32_t y) const
    {
        return m_pixels[(y - LEAGUE_HISTORY_TOP - 1) * (LEAGUE_HISTORY_WIDTH - 1)
                        + (x - LEAGUE_HISTORY_LEFT - 1)];
    }
    int32_t Count(uint32_t colour) const
    {
        return static_cast<int32_t>(std::count(m_pixels.begin(), m_pixels.end(), colour));
    }

    ScopedScreenRedraw m_screen;
    std::vector<uint32_t> m_pixels;  // 0xRRGGBB inside the chart's axes
    uint32_t m_hash = 0;
};

}  // namespace

TEST_F(LeagueHistoryTest, TheFirstSeasonShowsNoSeason)
{
    Run(0, {{5, {0, 0, 0}, 30000}});
    EXPECT_EQ(LeagueHistory.seasons, 0);
    EXPECT_EQ(Count(kWhite), 0);
    EXPECT_EQ(Count(kRed), 0);
}

TEST_F(LeagueHistoryTest, PlacesAndCrowdsStandAtTheirSeasonsAcrossTheBands)
{
    const int32_t top = VTW_GetDivisionSize(0);
    // Relegated last season, champions the one before, promoted from division 1 before that.
    Run(3,
        {{static_cast<uint8_t>(top + 4), {0, 0, 0}, 12400},
         {1, {0, 0, 0}, 31000},
         {static_cast<uint8_t>(top + 1), {0, 0, 0}, 8000}},
        true);
    ASSERT_EQ(LeagueHistory.seasons, 3);
    EXPECT_EQ(LeagueHistory.crowdTop, 35);  // 31,000 rounded up to a multiple of 5,000
    int32_t total = 0;
    for (int32_t d = 0; d < VTW_GetCountryDivisions(); ++d) {
        total += VTW_GetDivisionSize(d);
    }
    EXPECT_EQ(LeagueHistory.totalClubs, total);
    const int32_t band = LEAGUE_HISTORY_TOP + top * LEAGUE_HISTORY_HEIGHT / total;
    const int16_t places[] = {static_cast<int16_t>(top + 4), 1, static_cast<int16_t>(top + 1)};
    const int16_t crowds[] = {12, 31, 8};
    for (int32_t row = 0; row < 3; ++row) {
        const int32_t x = LeagueHistory_SeasonX(row);
        EXPECT_EQ(LeagueHistory.places[row], places[row]);
        EXPECT_EQ(LeagueHistory.crowds[row], crowds[row]);
        EXPECT_EQ(LeagueHistory_PlaceY(places[row]) > band, row != 1) << row;
        EXPECT_EQ(At(x, LeagueHistory_PlaceY(places[row])), kWhite) << row;
        EXPECT_EQ(At(x, LeagueHistory_CrowdY(crowds[row])), kRed) << row;
    }
    EXPECT_LT(LeagueHistory_SeasonX(2), LeagueHistory_SeasonX(1));  // the oldest at the left
    EXPECT_EQ(LeagueHistory_SeasonX(2), LEAGUE_HISTORY_LEFT + LEAGUE_HISTORY_WIDTH / 6);
    ExpectGoldenHash("menus/league_history", m_hash);
}

TEST_F(LeagueHistoryTest, ASeasonOutsideTheDivisionsBreaksThePlaceLine)
{
    Run(3, {{3, {0, 0, 0}, 6000}, {0, {0, 0, 0}, 6000}, {3, {0, 0, 0}, 6000}});
    const int32_t y = LeagueHistory_PlaceY(3);
    int32_t white = 0;
    for (int32_t x = LeagueHistory_SeasonX(2) + 2; x < LeagueHistory_SeasonX(0) - 1; ++x) {
        white += At(x, y) == kWhite;
    }
    EXPECT_EQ(white, 0);
    EXPECT_EQ(At(LeagueHistory_SeasonX(2), y), kWhite);
    EXPECT_EQ(At(LeagueHistory_SeasonX(0), y), kWhite);
    // The crowds of the three seasons stay joined: a level red line from the first to the last.
    const int32_t crowdY = LeagueHistory_CrowdY(6);
    for (int32_t x = LeagueHistory_SeasonX(2); x <= LeagueHistory_SeasonX(0); x += 20) {
        EXPECT_EQ(At(x, crowdY), kRed) << x;
    }
}
