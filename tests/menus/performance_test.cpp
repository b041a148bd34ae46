// tests/menus/performance_test.cpp: the performance screen's figures by mode from a hand-filled
// record, its grid, selection and substitutes, the coverage's shades, and its drop-down inside and
// outside the post-match sequence.
#include "menus/performance.h"

#include <array>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/squad.h"
#include "gamecode/matchdata.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/matchstats.h"
#include "menus/menubar.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

void Set(PlayerMatchRecord* r, int32_t figure, int32_t value)
{
    if (figure < PMR_FIELD_COUNT)
        PlayerMatchRecord_Set(r, figure, value);
    else
        r->unread[figure - PMR_FIELD_COUNT] = static_cast<uint8_t>(value);
}

// The human's fixture kept, played by his squad on tactic 0: the starters and the substitute of
// index `cameOn` (-1 none) rated 60 + their index. His side.
int32_t KeepTheHumansMatch(const ScopedScreenRedraw& screen, int32_t cameOn)
{
    VTW_RefreshSquadCount(screen.HumanClub());
    ReportFixture = static_cast<int16_t>(screen.HumanFixture());
    const int32_t side = MatchStats_HumanSide(ReportFixture);
    LastMatchCopyRecord& copy = LastMatchCopy;
    copy = {};
    copy.sides[side].tactic = 0;
    for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
        copy.sides[side].playerIds[k] = static_cast<uint16_t>(VTW_GetSquadPlayer(k));
        if (k < MATCH_STARTERS || k == cameOn)
            PlayerMatchRecord_Set(&copy.stats[side].players[k], PMR_RATING, 60 + k);
    }
    return side;
}

}  // namespace

TEST(Performance, EachModesSixLabelsAndFiguresFromTheFigureTable)
{
    PlayerMatchRecord r{};
    const int32_t figures[][2] = {
        {37, 4},
        {38, 3},  // a foul counter, no part of the tackles tried
        {PMS_TACKLES_TRIED, 7},
        {31, 5},
        {54, 2},
        {52, 6},
        {PMS_HEADERS, 3},
        {PMS_TIMES_TACKLED, 1},
        {4, 70},
        {3, 40},
        {PMS_PASSES_RECEIVED, 12},
        {7, 9},
        {PMS_POSSESSION_LOST, 8},
        {29, 20},
        {30, 5},
        {PMS_THROUGH_PASSES, 4},
        {PMS_GOOD_PASSES, 2},
        {PMS_CROSSES_COMPLETED, 3},
        {35, 1},
        {PMS_DANGEROUS_CROSSES, 1},
        {22, 6},
        {23, 2},
        {26, 2},
        {18, 3},
        {PMS_OFFSIDES, 1},
        {5, 71},
        {PMR_BOOKINGS, 2},
        {43, 2},
        {44, 1},
        {49, 3},
        {PMS_SHOTS_WIDE_FACED, 4},  // the keeper's shots faced that went wide
        {PMS_FREE_KICKS_TAKEN, 2},
        {PMS_CORNERS_TAKEN, 5},
        {PMS_PENALTIES_TAKEN, 3},
        {PMS_PENALTIES_SCORED, 2},
        {PMS_FREE_KICKS_SCORED, 1},
        {PMS_CORNERS_SCORED, 4},
        {PMS_PASSES_TO + 3, 9},  // passes to a team-mate count in no mode's figure
        {PMS_COMPLETED_TO + 3, 6},
    };
    for (const auto& f : figures)
        Set(&r, f[0], f[1]);
    struct Case {
        int32_t mode;
        int16_t labels[PERFORMANCE_FIGURES];
        int32_t values[PERFORMANCE_FIGURES];
    };
    const Case cases[] = {
        {0, {1415, 935, 1437, 1416, 936, 911}, {7, 5, 2, 4, 6, 3}},
        {1, {1417, 959, 958, 1422, 956, 1425}, {1, 70, 40, 12, 9, 8}},
        {2, {1592, 1413, 1430, 1421, 1414, 954}, {25, 4, 4, 20, 2, 1}},
        {3, {1435, 1426, 925, 1438, 1406, 1407}, {3, 2, 5, 2, 1, 4}},
        {4, {1432, 1434, 1428, 1433, 1642, 911}, {8, 2, 3, 6, 1, 3}},
        {5, {243, 64, 956, 963, 1411, 1410}, {71, 2, 9, 77, 2, 1}},  // two bookings: 2 and 1
    };
    for (const Case& c : cases) {
        const PerformanceFigures f = Performance_Figures(r, c.mode, false, 77);
        for (int32_t k = 0; k < PERFORMANCE_FIGURES; ++k) {
            EXPECT_EQ(f.labels[k], c.labels[k]) << c.mode << " " << k;
            EXPECT_EQ(f.values[k], c.values[k]) << c.mode << " " << k;
        }
        const PerformanceFigures keeper = Performance_Figures(r, c.mode, true, 77);
        const int16_t keeperLabels[] = {1409, 1412, 1405, 936, -1, -1};
        const int32_t keeperValues[] = {3, 4, 3, 6, 0, 0};
        for (int32_t k = 0; k < PERFORMANCE_FIGURES; ++k) {
            EXPECT_EQ(keeper.labels[k], keeperLabels[k]) << c.mode << " " << k;
            EXPECT_EQ(keeper.values[k], keeperValues[k]) << c.mode << " " << k;
        }
    }
    Set(&r, PMR_BOOKINGS, 3);  // a straight red
    EXPECT_EQ(Performance_Figures(r, 5, false, 10).values[4], 0);
    EXPECT_EQ(Performance_Figures(r, 5, false, 10).values[5], 1);
    for (const int32_t blank : {PERFORMANCE_MODE_WRITTEN, PERFORMANCE_MODE_COVERAGE}) {
        for (const bool keeper : {false, true}) {
            const PerformanceFigures f = Performance_Figures(r, blank, keeper, 90);
            for (int32_t k = 0; k < PERFORMANCE_FIGURES; ++k)
                EXPECT_EQ(f.labels[k], -1) << blank << " " << k;
        }
    }
}

TEST(Performance, TheGridTheSubstitutesWhoCameOnAndAClickOnThePitch)
{
    PerformanceInit();
    TacticsRecord tactic{};
    for (int32_t slot = 0; slot < TACTIC_SLOT_COUNT; ++slot) {
        tactic.slots[slot].row = static_cast<int16_t>(slot);
        tactic.slots[slot].column = static_cast<int16_t>(slot + 1);
    }
    tactic.slots[10].column = TACTIC_GRID_COLUMNS;  // off the grid: left off
    Performance_FillGrid(tactic);
    int32_t placed = 0;
    for (const auto& row : Performance.grid) {
        for (const int16_t cell : row)
            placed += cell != PERFORMANCE_EMPTY_CELL;
    }
    EXPECT_EQ(placed, 10);
    EXPECT_EQ(Performance.grid[3][4], 4);
    // Player 4's cell (column 4, row 3) is centred at (167, 98): within a cell of it, him.
    EXPECT_EQ(Performance_SelectAt(167 + 29, 98 - 18), EXM_CODE_REDRAW);
    EXPECT_EQ(Performance.selected, 4);
    EXPECT_EQ(Performance_SelectAt(600, 300), EXM_CODE_NONE);
    EXPECT_EQ(Performance.selected, 4);

    LastMatchCopyRecord copy{};
    for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k) {
        copy.sides[1].playerIds[k] = static_cast<uint16_t>(100 + k);
        const bool cameOn = k == 11 || k == 13 || k == 14 || k == 15;
        if (k < MATCH_STARTERS || cameOn)
            PlayerMatchRecord_Set(&copy.stats[1].players[k], PMR_RATING, 60);
    }
    copy.sides[1].playerIds[13] = 0xFFFF;  // an empty shirt
    Performance_FindSubstitutes(copy, 1);
    ASSERT_EQ(Performance.substituteCount, 3);
    EXPECT_EQ(Performance.substitutes[0], 12);
    EXPECT_EQ(Performance.substitutes[1], 15);
    EXPECT_EQ(Performance.substitutes[2], 16);
    EXPECT_EQ(Performance_SelectSubstitute(1), EXM_CODE_REDRAW);
    EXPECT_EQ(Performance.selected, 15);
    EXPECT_EQ(Performance_SelectSubstitute(3), EXM_CODE_NONE);
}

TEST(Performance, TheCoverageShadesEachCellByItsShareOfTheLargest)
{
    struct Case {
        uint32_t count, largest;
        int32_t shade;
    };
    const Case cases[] = {
        {0, 50, 0},
        {50, 50, 100},
        {25, 50, 46},  // 50 x 15 / 100 = 7, x 100 / 15
        {1, 1000, 40},
        {3, 0, 0},  // 0 becomes 6
        {4000000000u, 4000000000u, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Performance_CoverageShade(c.count, c.largest), c.shade) << c.count;
}

TEST(Performance, TheDropDownSetsTheModeAndTheWrittenAnalysisComesNext)
{
    PerformanceInit();
    Performance.selected = 9;
    EXPECT_EQ(Performance_ChooseRow(6), LIST_CODE_REDRAW);  // "Terrain Couvert"
    EXPECT_EQ(Performance.mode, PERFORMANCE_MODE_COVERAGE);
    EXPECT_EQ(Performance.selected, 1);
    MenuOption = 77;
    MatchReportFlags = MATCH_REPORT_IN_SEQUENCE | MATCH_REPORT_DONE;
    MatchReportWord = MATCH_WORD_PERFORMANCE;
    EXPECT_EQ(Performance_ChooseRow(7), EXM_CODE_LEAVE);
    EXPECT_EQ(MatchReportWord, MATCH_WORD_WRITTEN_ANALYSIS);
    EXPECT_EQ(MatchReportFlags, MATCH_REPORT_IN_SEQUENCE);
    EXPECT_EQ(MenuOption, 77);
    MatchReportFlags = 0;
    EXPECT_EQ(Performance_ChooseRow(7), LIST_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 74);
    EXPECT_EQ(Performance.mode, PERFORMANCE_MODE_COVERAGE);
}

// The human's side of a kept match on the pitch in the performance mode, then the keeper's ground
// covered: the texts above the players, the substitute who came on, and both frames.
TEST(PerformanceScreen, TheHumansSideThenTheKeepersCoverageMatchTheGoldens)
{
    ScopedScreenRedraw screen;
    const int32_t side = KeepTheHumansMatch(screen, 12);
    LastMatchCopyRecord& copy = LastMatchCopy;
    PlayerMatchRecord_Set(&copy.stats[side].players[9], PMR_GOALS, 2);
    PlayerMatchRecord_Set(&copy.stats[side].players[4], PMR_BOOKINGS, 1);
    PlayerMatchRecord_Set(&copy.stats[side].players[6], PMR_HURT, 1);
    copy.eventCount = 1;
    copy.events[0] = {1,
                      1,
                      70,
                      static_cast<int16_t>(side),
                      static_cast<int16_t>(copy.sides[side].playerIds[8]),
                      static_cast<int16_t>(copy.sides[side].playerIds[12])};
    for (int32_t r = 5; r < 10; ++r) {
        for (int32_t c = 0; c < 3; ++c)
            GetMatchDataBlock()->heatMaps[side * MATCH_SHIRT_COUNT][r][c] =
                static_cast<uint32_t>(10 * (3 - c) + r);
    }
    PerformanceInit();
    uint32_t performance = 0, coverage = 0;
    screen.Run(Performance_Table(), [&] { performance = WorkScreenHash(); });
    ASSERT_EQ(Performance.substituteCount, 1);
    EXPECT_EQ(Performance.substitutes[0], 13);
    EXPECT_STREQ(Performance.texts[0], "60-0-0-0-0");      // the keeper's own five
    EXPECT_STREQ(Performance.texts[8], "68-70-0-0-0-0");   // taken off at 70
    EXPECT_STREQ(Performance.texts[9], "69-90-2-0-0-0");   // rating, minutes, goals, ...
    EXPECT_STREQ(Performance.texts[4], "64-90-0-1-0-0");   // booked once
    EXPECT_STREQ(Performance.texts[12], "72-20-0-0-0-0");  // on at 70
    EXPECT_EQ(Performance.shown.labels[0], 1409);          // the keeper selected
    ExpectGoldenHash("menus/performance", performance);
    Performance.mode = PERFORMANCE_MODE_COVERAGE;
    screen.Run(Performance_Table(), [&] { coverage = WorkScreenHash(); });
    EXPECT_STREQ(Performance.texts[9], "");
    ExpectGoldenHash("menus/performance_coverage", coverage);
}

// The distribution mode with player 10 selected: a line from him to each team-mate on the pitch he
// passed to (none lies over another player's way), and above every other player the passes made
// to him and completed.
TEST(PerformanceScreen, TheDistributionModeDrawsTheSelectedPlayersPassingLines)
{
    ScopedScreenRedraw screen;
    const int32_t side = KeepTheHumansMatch(screen, -1);
    constexpr int32_t kPasser = 10;
    PlayerMatchRecord& passer = LastMatchCopy.stats[side].players[kPasser - 1];
    // Player, made, completed.
    const int32_t passes[][3] = {{1, 1, 1}, {4, 4, 3}, {11, 2, 0}, {14, 5, 5}};
    for (const auto& p : passes) {
        Set(&passer, PMS_PASSES_TO + p[0] - 1, p[1]);
        Set(&passer, PMS_COMPLETED_TO + p[0] - 1, p[2]);
    }
    PerformanceInit();
    Performance.mode = PERFORMANCE_MODE_DISTRIBUTION;
    Performance.selected = kPasser;
    uint32_t hash = 0;
    std::vector<std::pair<int32_t, bool>> lines;  // player, a line a third of the way to him
    const auto yellowNear = [](int32_t x, int32_t y) {
        for (int32_t dy = -1; dy <= 1; ++dy) {
            for (int32_t dx = -1; dx <= 1; ++dx) {
                const uint32_t rgb = FrameRgbOf(WorkPixel(x + dx, y + dy));
                if (rgb >> 16 >= 0xE0 && (rgb >> 8 & 0xFF) >= 0xE0 && (rgb & 0xFF) < 0x40)
                    return true;
            }
        }
        return false;
    };
    screen.Run(Performance_Table(), [&] {
        hash = WorkScreenHash();
        std::array<int32_t, 2> from = {-1, -1};
        std::vector<std::array<int32_t, 3>> markers;
        for (int32_t r = 0; r < TACTIC_GRID_ROWS; ++r) {
            for (int32_t c = 0; c < TACTIC_GRID_COLUMNS; ++c) {
                const int32_t player = Performance.grid[r][c];
                if (player == kPasser) from = {c * 30 + 62, r * 19 + 50};
                if (player != kPasser && player != PERFORMANCE_EMPTY_CELL)
                    markers.push_back({player, c * 30 + 62, r * 19 + 50});
            }
        }
        ASSERT_GE(from[0], 0);
        for (const auto& m : markers)
            lines.emplace_back(
                m[0], yellowNear(from[0] + (m[1] - from[0]) / 3, from[1] + (m[2] - from[1]) / 3));
    });
    EXPECT_STREQ(Performance.texts[0], "1-1");  // the keeper receives too
    EXPECT_STREQ(Performance.texts[3], "4-3");
    EXPECT_STREQ(Performance.texts[10], "2-0");
    EXPECT_STREQ(Performance.texts[6], "0-0");
    EXPECT_STREQ(Performance.texts[13], "5-5");  // on the bench: a text, no marker
    EXPECT_STREQ(Performance.texts[kPasser - 1], "0-0-0-0-0-0");
    ASSERT_EQ(lines.size(), 10u);
    for (const auto& [player, line] : lines)
        EXPECT_EQ(line, player == 1 || player == 4 || player == 11) << player;
    ExpectGoldenHash("menus/performance_distribution", hash);
}
