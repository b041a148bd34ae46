// tests/menus/postmatch_test.cpp: the post-match sequence over the real menu loop: the screens
// its words and selectors choose, in order, what each screen's buttons lead to, and "Quitter"
// ending it.
#include "menus/postmatch.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "menus/analysistext.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/matchanalysis.h"
#include "menus/matchgraphs.h"
#include "menus/matchstats.h"
#include "menus/performance.h"
#include "menus/reportscreen.h"
#include "tests/support/menu_loop.h"
#include "tests/support/screen_redraw.h"

namespace {

// What the player does on a screen the sequence shows: the handler his click there runs.
struct Visit {
    int32_t screen;
    std::function<int32_t()> act;
};

// Runs the sequence after the human's match; every 250 ticks the screen shown is noted and, when
// it is the next visit's, that visit's handler runs and Escape leaves the screen as the handler's
// code would (no screen of the sequence has an Escape of its own). A sequence still running after
// the plan is ended, so that a failing run cannot hold the test.
std::vector<int32_t> RunSequence(const std::vector<Visit>& plan)
{
    std::vector<int32_t> shown;
    size_t next = 0;
    MenuInputs inputs;
    const uint32_t end = 250 * static_cast<uint32_t>(plan.size() + 2);
    for (uint32_t tick = 250; tick < end; tick += 250) {
        inputs.push_back({tick, MenuInput::CALL, 0, 0, [&] {
                              const int32_t screen = PostMatch_ShownScreen();
                              if (screen == 0) return;
                              shown.push_back(screen);
                              if (next == plan.size() || plan[next].screen != screen) return;
                              EXPECT_EQ(plan[next++].act(), EXM_CODE_LEAVE) << screen;
                              HostOnKey(EXM_ESCAPE_KEY, true, false);
                          }});
    }
    inputs.push_back({end, MenuInput::CALL, 0, 0, [] { MatchReportFlags |= MATCH_REPORT_DONE; }});
    ScopedMenuScript script(inputs, 20);
    MatchReportFlags = MATCH_REPORT_IN_SEQUENCE;
    PostMatch_RunSequence();
    return shown;
}

}  // namespace

TEST(PostMatch, TheSequenceShowsTheScreensItsButtonsChooseAndQuitterEndsIt)
{
    ScopedScreenRedraw screen;
    ReportFixture = static_cast<int16_t>(screen.HumanFixture());
    MenuOption = MENU_OPTION_OFFICE;
    const std::vector<Visit> tour = {
        {81, MatchStats_TimeAnalysis},
        {POST_MATCH_TIME_ANALYSIS, MatchStats_MatchAnalysis},
        {77, [] { return Performance_ChooseRow(7); }},  // "Analyse écrite"
        {74, AnalysisText_Ok},
        {77, MatchStats_Back},
        {62, MatchReport_ShowStats},
        {60, MatchAnalysis_ShowGraphs},
        {61, MatchGraphs_ShowStats},
        {60, MatchStats_Back},
    };
    std::vector<int32_t> expected;
    for (const Visit& v : tour)
        expected.push_back(v.screen);
    EXPECT_EQ(RunSequence(tour), expected);
    // No screen of the sequence chose an option: the day goes on where it was.
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    EXPECT_NE(MatchReportFlags & MATCH_REPORT_DONE, 0);
    EXPECT_EQ(PostMatch_ShownScreen(), 0);

    // "Quitter" answered "Oui" on the first screen: neither the rest nor the report shows.
    const std::vector<Visit> quit = {{81, [] {
                                          MenuOption = MENU_OPTION_QUIT;
                                          return EXM_CODE_LEAVE;
                                      }}};
    EXPECT_EQ(RunSequence(quit), std::vector<int32_t>{81});
    EXPECT_EQ(MenuOption, MENU_OPTION_QUIT);
    MenuOption = MENU_OPTION_OFFICE;
    MatchReportFlags = 0;
}
