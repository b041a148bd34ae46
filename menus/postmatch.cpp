// menus/postmatch.cpp: the post-match sequence.
#include "menus/postmatch.h"

#include "game/matchblocks.h"
#include "menus/analysistext.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/matchanalysis.h"
#include "menus/matchgraphs.h"
#include "menus/matchstats.h"
#include "menus/performance.h"
#include "menus/reportscreen.h"
#include "menus/timeanalysis.h"

namespace {

constexpr uint16_t PAGE_ANALYSIS_TABLE = 0;
constexpr uint16_t PAGE_GRAPHS = 1;
constexpr uint16_t PAGE_REPORT = 2;

struct PostMatchScreen {
    int32_t shown;  // PostMatch_ShownScreen's answer
    const MenuItem* (*table)();
};

int32_t s_shown;

PostMatchScreen AnalysisScreen(uint16_t word)
{
    switch (word) {
        case MATCH_WORD_PERFORMANCE: return {77, Performance_Table};
        case MATCH_WORD_TIME_ANALYSIS: return {POST_MATCH_TIME_ANALYSIS, TimeAnalysis_Table};
        case MATCH_WORD_WRITTEN_ANALYSIS: return {74, AnalysisText_Table};
        default: return {81, MatchStats_Table};
    }
}

PostMatchScreen ReportScreen(uint16_t page)
{
    if (page == PAGE_ANALYSIS_TABLE) return {60, MatchAnalysis_Table};
    if (page == PAGE_GRAPHS) return {61, MatchGraphs_Table};
    return {62, MatchReport_Table};
}

bool GoesOn()
{
    return (MatchReportFlags & MATCH_REPORT_DONE) == 0 && MenuOption != MENU_OPTION_QUIT;
}

template <typename Choose>
void RunPart(Choose choose, const uint16_t& selector)
{
    MatchReportFlags &= static_cast<uint8_t>(~MATCH_REPORT_DONE);
    while (GoesOn()) {
        const PostMatchScreen screen = choose(selector);
        s_shown = screen.shown;
        EXM_PushAndRun(screen.table());
        s_shown = 0;
    }
}

}  // namespace

int32_t PostMatch_ShownScreen() { return s_shown; }

void PostMatch_RunSequence()
{
    MatchReportWord = MATCH_WORD_STATISTICS;
    RunPart(AnalysisScreen, MatchReportWord);
    if (MenuOption == MENU_OPTION_QUIT) return;
    MatchReportPage = PAGE_REPORT;
    RunPart(ReportScreen, MatchReportPage);
}

void PostMatch_RunAnalysisPages()
{
    MatchReportPage = PAGE_ANALYSIS_TABLE;
    RunPart(ReportScreen, MatchReportPage);
}
