// menus/timeanalysis.h: "Analyse temporelle", the human's last match minute by minute: which side
// had the territory, smoothed, in both sides' colours, with the goals labelled above (home) and
// below (away). Only the post-match sequence shows it.
#pragma once

#include <cstdint>

#include "game/matchblocks.h"

struct MenuItem;

constexpr int32_t TIME_ANALYSIS_MINUTES = 120;  // the minutes read
constexpr int32_t TIME_ANALYSIS_GOALS = 30;
constexpr int32_t TIME_ANALYSIS_LABEL_BYTES = 64;
constexpr int32_t TIME_ANALYSIS_CHART_X = 70;
constexpr int32_t TIME_ANALYSIS_CHART_BOTTOM = 350;
constexpr int32_t TIME_ANALYSIS_CHART_HEIGHT = 220;
constexpr int32_t TIME_ANALYSIS_CHART_WIDTH = 530;
constexpr int32_t TIME_ANALYSIS_LABEL_END = 608;  // labels end before it

struct TimeAnalysisGoal {
    int32_t x, y;  // the label's left end and middle
    char label[TIME_ANALYSIS_LABEL_BYTES];
};

struct TimeAnalysisState {
    char title[96];
    uint16_t colours[2];  // 5:6:5, home then away
    int32_t length;       // minutes: 90, or 120 after extra time
    int32_t smoothed[TIME_ANALYSIS_MINUTES];
    TimeAnalysisGoal goals[TIME_ANALYSIS_GOALS];
    int32_t goalCount;
};
extern TimeAnalysisState TimeAnalysis;  // owned by TimeAnalysis

void TimeAnalysisInit();
void TimeAnalysisUninit();

// The minute series smoothed: a minute without a value (255) counts as 50; the first is kept,
// each later one moves a fifth of the way from the previous smoothed value to its own.
void TimeAnalysis_Smooth(const uint8_t* series, int32_t length, int32_t* smoothed);
// The goal labels of the kept match's events, at most 30: " <minute>Min But <scorer>", at their
// minute's column, home goals in four levels above the chart and away goals below, moved left to
// end before x 608. `pixelsPerMinute` from the match length.
void TimeAnalysis_PlaceGoals(const LastMatchCopyRecord& copy, int32_t pixelsPerMinute);
void TimeAnalysis_Build();

const MenuItem* TimeAnalysis_Table();
