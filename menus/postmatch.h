// menus/postmatch.h: the post-match sequence, the screens the human sees after his match: the
// match statistics, the performance screen, the time analysis and the written analysis as
// MatchReportWord selects them, then the match report and the analysis table as MatchReportPage
// selects them.
#pragma once

#include <cstdint>

// Which post-match screen is on top, for scripts: 81, 77, 74, 62 or 60, 1 for the time analysis,
// 0 when none.
constexpr int32_t POST_MATCH_TIME_ANALYSIS = 1;
int32_t PostMatch_ShownScreen();

// The match day's hook (GameHooks.PostMatchSequence): runs until the human is done with each part
// or quits the game.
void PostMatch_RunSequence();
// After a match outside the match day (the friendly between two exported teams): the analysis
// table and the pages its buttons lead to, until the human is done or quits.
void PostMatch_RunAnalysisPages();
