// menus/goalcharts.h: the drawing and the buttons of the goal statistics ("Statistiques de buts"):
// four panels, the bar they are drawn with, and four charts: the scorers (league and cup goals,
// twelve at a time, scrolled), the goals scored and conceded by how they were scored, by period of
// the match and the averages per match at home and away, each with its axis labels. The screen
// that shows them fills GoalCharts.
#pragma once

#include <cstdint>

constexpr int32_t GOAL_LIST_MAX = 32;
constexpr int32_t GOAL_LIST_SHOWN = 12;
constexpr int32_t GOAL_KINDS = 8;         // inside and outside the area, headers, ..., own goals
constexpr int32_t GOAL_PERIODS = 7;       // 0-15, ..., 76-90, later
constexpr int32_t GOAL_VENUES = 2;        // home, away
constexpr int32_t GOAL_BAR_FULL = 160;    // the longest bar of the scorers' and the kinds' charts
constexpr int32_t GOAL_COLUMN_FULL = 80;  // the tallest of the periods' and averages' charts
constexpr int32_t GOAL_SCROLL_X = 40;     // the scorers' scroll arrows, up then down
constexpr int32_t GOAL_SCROLL_Y = 428;

struct GoalListEntry {
    int16_t player;  // -1 an empty entry
    uint8_t league;  // the first bar
    uint8_t cup;     // the second
};

// Every chart's figures but the scorers': [row][0] scored, [row][1] conceded; a scale is the figure
// a full bar shows (at least 1).
struct GoalChartsState {
    GoalListEntry list[GOAL_LIST_MAX];
    int32_t count;  // entries in use
    int32_t first;  // the first shown
    int32_t listScale;
    int32_t kinds[GOAL_KINDS][2];
    int32_t kindsScale;
    int32_t periods[GOAL_PERIODS][2];
    int32_t periodsScale;
    int32_t averages[GOAL_VENUES][2];  // hundredths of a goal per match
    int32_t averagesScale;             // hundredths
    int16_t legend[2];                 // the kinds' chart's two legend texts
};
extern GoalChartsState GoalCharts;  // owned by GoalCharts

void GoalChartsInit();
void GoalChartsUninit();

// The scorers' list moves by one within its bounds, only when it holds 13 entries or more: 2,
// else 1.
int32_t GoalCharts_ScrollUp();
int32_t GoalCharts_ScrollDown();
// The attendance statistics (option 30) and the other statistics (option 31): 6.
int32_t GoalCharts_ToAttendance();
int32_t GoalCharts_ToOtherStatistics();

// A bar of `length` pixels and `thickness` across: from (x, y) to the right, or up from it when
// vertical; 70 percent translucent when shaded, else solid; its outline when asked and when it
// has a length.
void GoalCharts_DrawBar(int32_t x, int32_t y, int32_t thickness, int32_t length, uint16_t colour,
                        bool vertical, bool shaded, bool outline);
// A figure's bar length on a chart whose full bar is `full` pixels: held to 0 .. full.
int32_t GoalCharts_BarLength(int32_t value, int32_t scale, int32_t full);

// A panel of the club statistics screens, outlined: 68 percent of the panel colour, or 50 percent
// of the chart colour for the chart area inside it.
void GoalCharts_DrawPanel(int32_t x, int32_t y, int32_t w, int32_t h, bool chart);
// `count` grid lines across the chart area at even steps, upright when `vertical`.
void GoalCharts_DrawGrid(int32_t x, int32_t y, int32_t w, int32_t h, int32_t count, bool vertical);
// The values at the grid lines, from 0 up to scale / divisor: under the area for bars drawn across
// it (`vertical` false), left of it, bottom up, for columns.
void GoalCharts_DrawAxis(int32_t x, int32_t y, int32_t w, int32_t h, int32_t count, int32_t scale,
                         bool vertical, int32_t divisor);
// A 7-pixel swatch of a bar's colour (shaded as the bar), its text to the right of it.
void GoalCharts_DrawLegend(int32_t x, int32_t middle, uint16_t colour, bool shaded, int32_t textNo);
void GoalCharts_DrawFrame();  // the four panels and their grid lines
void GoalCharts_DrawScorers();
void GoalCharts_DrawKinds();
void GoalCharts_DrawPeriods();
void GoalCharts_DrawAverages();
void GoalCharts_Draw();  // the frame and the four charts
