// tests/menus/kept_match_test.cpp: the human's match played on its match day, then its report and
// analysis table shown after the day's other fixtures and again after the game is saved and
// loaded: the same frames each time.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/savegame.h"
#include "menus/matchanalysis.h"
#include "menus/matchstats.h"
#include "menus/performance.h"
#include "menus/reportscreen.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"
#include "tests/support/support.h"

namespace {

struct Frames {
    uint32_t report = 0;
    uint32_t table = 0;
};

Frames Shown(ScopedScreenRedraw& screen)
{
    Frames frames;
    MatchReportFlags = 0;
    screen.Run(MatchReport_Table(), [&] { frames.report = WorkScreenHash(); });
    MatchReportFlags = 0;
    screen.Run(MatchAnalysis_Table(), [&] { frames.table = WorkScreenHash(); });
    return frames;
}

}  // namespace

TEST(KeptMatch, TheReportAndTheTableShowTheSameFramesAfterASaveAndALoad)
{
    TempHome home;
    ScopedScreenRedraw screen;
    Calendar_SetDay(VTW_GetFixtureDay(screen.HumanFixture()));
    ASSERT_EQ(VTW_PutHumanFixtureLast(), 1);
    const int32_t humanRow = VTW_FindHumanNextFixture();
    FixedScore = {1, 3, 1};  // a score the report shows, whatever the draw
    int32_t played = 0, last = -1;
    for (int32_t r = -1; VTW_PlayMatchDay(&r); ++played)
        last = r;
    ASSERT_GT(played, 1);
    ASSERT_NE(last, humanRow);  // the blocks now hold another fixture
    ASSERT_EQ(ReportFixture, humanRow);

    const Frames before = Shown(screen);
    EXPECT_NE(std::strstr(MatchReportScreen.score, " 3 - 1 "), nullptr);
    EXPECT_GE(MatchAnalysis.rows[0].player, 0);
    ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
    MatchBlocks_ResetCareer();  // the kept match forgotten, as in another career
    EXPECT_NE(Shown(screen).table, before.table);
    ASSERT_EQ(LoadGame(1), SAVEGAME_OK);
    ASSERT_EQ(ReportFixture, humanRow);
    const Frames after = Shown(screen);
    EXPECT_EQ(after.report, before.report);
    EXPECT_EQ(after.table, before.table);
}

// The human's match left to the simulation (the unattended run), then looked at the day after,
// outside the post-match sequence: the statistics show its zones, the performance screen its
// set pieces and the passing lines of a midfielder.
TEST(KeptMatch, ASimulatedMatchShowsItsZonesSetPiecesAndPassingLines)
{
    TempHome home;
    ScopedScreenRedraw screen;
    Calendar_SetDay(VTW_GetFixtureDay(screen.HumanFixture()));
    ASSERT_EQ(VTW_PutHumanFixtureLast(), 1);
    const int32_t humanRow = VTW_FindHumanNextFixture();
    AutoRunMode = 1;
    SRand(5);
    for (int32_t r = -1; VTW_PlayMatchDay(&r);) {
    }
    AutoRunMode = 0;
    ASSERT_EQ(ReportFixture, humanRow);
    Calendar_SetDay(VTW_GetFixtureDay(humanRow) + 1);
    MatchReportFlags = 0;

    uint32_t stats = 0, setPieces = 0, passes = 0;
    screen.Run(MatchStats_Table(), [&] {
        stats = WorkScreenHash();
        WriteFrameToTestOutput("simulated_match_stats.png");
    });
    EXPECT_TRUE(MatchStats.figures);
    int32_t zoneSum = 0;
    for (const char* zone : MatchStats.zones)
        zoneSum += std::atoi(zone);
    EXPECT_EQ(zoneSum, 100);

    PerformanceInit();
    Performance.mode = 3;  // set pieces
    screen.Run(Performance_Table(), [&] {
        setPieces = WorkScreenHash();
        WriteFrameToTestOutput("simulated_match_set_pieces.png");
    });
    int32_t takers = 0;
    for (const char* text : Performance.texts)
        takers += text[0] != '\0' && std::strcmp(text, "0-0-0-0-0-0") != 0;
    EXPECT_GT(takers, 0);

    PerformanceInit();
    Performance.mode = PERFORMANCE_MODE_DISTRIBUTION;
    Performance.selected = 6;
    screen.Run(Performance_Table(), [&] {
        passes = WorkScreenHash();
        WriteFrameToTestOutput("simulated_match_passes.png");
    });
    EXPECT_STRNE(Performance.texts[6], "0-0");  // a team-mate of the midfielder
    ExpectGoldenHash("menus/simulated_match_stats", stats);
    ExpectGoldenHash("menus/simulated_match_set_pieces", setPieces);
    ExpectGoldenHash("menus/simulated_match_passes", passes);
}
