// menus/timeanalysis.cpp: the time analysis of the human's last match.
#include "menus/timeanalysis.h"

#include <algorithm>
#include <cstdio>

#include "game/funcs.h"
#include "game/kitcolours.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/matchstats.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

TimeAnalysisState TimeAnalysis;

namespace {

constexpr int32_t TEXT_MATCH_ANALYSIS = 1684;
constexpr int32_t TEXT_STATISTICS = 1836;  // "Action sur le terrain"
constexpr int32_t TEXT_MINUTE = 1448;      // "Min"
constexpr int32_t TEXT_GOAL = 633;         // "But"
constexpr int32_t TEXT_OWN_GOAL = 698;     // "csc"
constexpr int32_t NO_VALUE = 255;
constexpr int32_t KEEP_PERCENT = 20;
constexpr int32_t LABEL_LEVELS = 4;
constexpr int32_t LABEL_PITCH = 12;
constexpr int32_t HOME_LABELS_Y = 70;
constexpr int32_t AWAY_LABELS_Y = 372;
constexpr int32_t MINUTE_LABELS_Y = 358;
constexpr uint8_t GOAL_EVENT = 0;

TimeAnalysisState& T() { return TimeAnalysis; }

int32_t PixelsPerMinute() { return TIME_ANALYSIS_CHART_WIDTH / std::max(1, T().length); }

int32_t ValueY(int32_t value)
{
    return TIME_ANALYSIS_CHART_BOTTOM - value * TIME_ANALYSIS_CHART_HEIGHT / 100;
}

void DrawAxes()
{
    const int32_t top = ValueY(100);
    const int32_t right = TIME_ANALYSIS_CHART_X + PixelsPerMinute() * T().length;
    MenuCont_ShadedBox(TIME_ANALYSIS_CHART_X, top, right - TIME_ANALYSIS_CHART_X,
                       TIME_ANALYSIS_CHART_HEIGHT, 0);
    MenuCont_OutlineBox(TIME_ANALYSIS_CHART_X, top, right - TIME_ANALYSIS_CHART_X,
                        TIME_ANALYSIS_CHART_HEIGHT);
    SetMenuFont(0);
    for (int32_t value = 100; value > 0; value -= 25)
        DrawMenuNumber(TIME_ANALYSIS_CHART_X - 2, ValueY(value), value, MENU_ALIGN_MR);
    for (int32_t minute = 15; minute <= T().length; minute += 15) {
        DrawMenuNumber(TIME_ANALYSIS_CHART_X + minute * PixelsPerMinute(), MINUTE_LABELS_Y, minute,
                       MENU_ALIGN_CENTRE);
    }
}

// Each minute's column: the away colour above the smoothed value, the home colour below it.
void DrawColumns()
{
    const int32_t width = PixelsPerMinute();
    for (int32_t m = 0; m < T().length; ++m) {
        const int32_t x = TIME_ANALYSIS_CHART_X + m * width;
        const int32_t split = ValueY(T().smoothed[m]);
        if (split > ValueY(100))
            DoGradientBar(x, ValueY(100), width, split - ValueY(100), T().colours[1], 0);
        if (split < TIME_ANALYSIS_CHART_BOTTOM)
            DoGradientBar(x, split, width, TIME_ANALYSIS_CHART_BOTTOM - split, T().colours[0], 0);
    }
}

void DrawChart(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderTitle(320, 36, T().title);
    DrawAxes();
    DrawColumns();
    SetMenuFont(0);
    for (int32_t g = 0; g < T().goalCount; ++g)
        DrawMenuString(T().goals[g].x, T().goals[g].y, T().goals[g].label, MENU_ALIGN_ML);
}

int32_t MatchAnalysis(MenuHotspot*) { return MatchStats_MatchAnalysis(); }
int32_t Statistics(MenuHotspot*) { return MatchStats_Statistics(); }
int32_t Back(MenuHotspot*) { return MatchStats_Back(); }

}  // namespace

void TimeAnalysisInit() { TimeAnalysis = {}; }
void TimeAnalysisUninit() { TimeAnalysisInit(); }

void TimeAnalysis_Smooth(const uint8_t* series, int32_t length, int32_t* smoothed)
{
    for (int32_t m = 0; m < length; ++m) {
        const int32_t value = series[m] == NO_VALUE ? 50 : series[m];
        if (m == 0) {
            smoothed[m] = value;
            continue;
        }
        const int32_t previous = smoothed[m - 1];
        smoothed[m] = previous - (previous - value) * KEEP_PERCENT / 100;
    }
}

void TimeAnalysis_PlaceGoals(const LastMatchCopyRecord& copy, int32_t pixelsPerMinute)
{
    T().goalCount = 0;
    int32_t placed[2] = {};
    for (int32_t e = 0; e < copy.eventCount && T().goalCount < TIME_ANALYSIS_GOALS; ++e) {
        const MatchEventRow& event = copy.events[e];
        if (event.kind != GOAL_EVENT || event.minute >= TIME_ANALYSIS_MINUTES) continue;
        const int32_t side = event.a == 0 ? 0 : 1;
        TimeAnalysisGoal& goal = T().goals[T().goalCount++];
        const bool ownGoal = MatchSideStats_IsOwnGoal(copy.stats[side], event.b, event.minute);
        std::snprintf(goal.label, sizeof goal.label, " %d%s %s %s%s%s", event.minute,
                      GetMessageText(TEXT_MINUTE), GetMessageText(TEXT_GOAL),
                      event.b >= 0 ? VTW_FormatPersonName(event.b) : "", ownGoal ? " " : "",
                      ownGoal ? GetMessageText(TEXT_OWN_GOAL) : "");
        const int32_t level = placed[side]++ % LABEL_LEVELS;
        goal.y = (side == 0 ? HOME_LABELS_Y : AWAY_LABELS_Y) + level * LABEL_PITCH;
        SetMenuFont(0);
        int32_t width = 0, height = 0;
        MeasureMenuText(goal.label, &width, &height);
        goal.x = std::min(TIME_ANALYSIS_CHART_X + event.minute * pixelsPerMinute,
                          TIME_ANALYSIS_LABEL_END - 1 - width);
    }
}

void TimeAnalysis_Build()
{
    MenuCont_FormatTitle(HEADER_RESTRICTED);
    if (EXM_GetRebuildFlag() == 0) return;
    TimeAnalysis = {};
    const int32_t row = ReportFixture;
    if (row < 0) return;
    MatchStats_FormatScoreLine(row, T().title, sizeof T().title);
    for (int32_t side = 0; side < 2; ++side)
        T().colours[side] =
            MatchStats_PackColour(KitColourTable[LastMatchCopy.sides[side].kitColour]);
    T().length = MatchStats_MatchLength(row);
    TimeAnalysis_Smooth(GetMatchDataBlock()->territory, T().length, T().smoothed);
    TimeAnalysis_PlaceGoals(LastMatchCopy, PixelsPerMinute());
}

const MenuItem* TimeAnalysis_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(TimeAnalysis_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawChart), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), Back},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 60, 440, 244, 30, MenuTextNo(TEXT_MATCH_ANALYSIS), MatchAnalysis},
        {0x200c, 304, 440, 244, 30, MenuTextNo(TEXT_STATISTICS), Statistics},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
