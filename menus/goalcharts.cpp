// menus/goalcharts.cpp: the goal statistics' panels, bars, charts and buttons.
#include "menus/goalcharts.h"

#include <algorithm>

#include "game/funcs.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

GoalChartsState GoalCharts;

namespace {

constexpr int32_t OPTION_ATTENDANCE = 30;
constexpr int32_t OPTION_OTHER_STATISTICS = 31;
constexpr uint16_t PANEL_COLOUR = 0x2124;
constexpr uint16_t CHART_COLOUR = 0x632C;
constexpr uint16_t GRID_COLOUR = 0x4A69;
constexpr uint16_t OUTLINE_COLOUR = 0xFFFF;
constexpr uint16_t SCORED_COLOUR = 0xFA20;    // orange-red
constexpr uint16_t CONCEDED_COLOUR = 0xCE79;  // light
constexpr int32_t TEXT_TITLES[4] = {918, 915, 919, 920};
constexpr int32_t KIND_TEXTS[GOAL_KINDS] = {909, 911, 912, 913, 910, 613, 612, 914};
constexpr int32_t PERIOD_TEXT_FIRST = 1500;  // "0-15" .. "76-90", "Pr."

struct Rect {
    int32_t x, y, w, h;
};
// The panels, then the chart areas inside them: scorers, kinds, periods, averages.
constexpr Rect PANELS[4] = {
    {24, 74, 294, 348}, {324, 74, 294, 170}, {324, 252, 145, 170}, {473, 252, 145, 170}};
constexpr Rect CHARTS[4] = {
    {144, 96, 160, 316}, {444, 92, 160, 130}, {336, 318, 128, 82}, {486, 318, 120, 82}};
constexpr int32_t SCORER_PITCH = 26;
constexpr int32_t KIND_PITCH = 16;
constexpr int32_t PERIOD_PITCH = 18;
constexpr int32_t VENUE_PITCH = 60;

GoalChartsState& G() { return GoalCharts; }

// `count` lines across the chart at even steps, vertical lines when `vertical`.
void DrawGridLines(const Rect& r, int32_t count, bool vertical)
{
    SetDrawAttribute(2, GRID_COLOUR);
    for (int32_t i = 0; i < count; ++i) {
        if (vertical) {
            DrawHLine(r.x + i * r.w / std::max(1, count - 1), r.y, 1, r.h);
        } else {
            DrawHLine(r.x, r.y + r.h - i * r.h / std::max(1, count - 1), r.w, 1);
        }
    }
}

// A row's scored and conceded bars, side by side.
void DrawPair(int32_t x, int32_t y, int32_t thickness, const int32_t figures[2], int32_t scale,
              int32_t full, bool vertical)
{
    const uint16_t colours[2] = {SCORED_COLOUR, CONCEDED_COLOUR};
    for (int32_t k = 0; k < 2; ++k) {
        const int32_t at = k * (thickness + 1);
        GoalCharts_DrawBar(vertical ? x + at : x, vertical ? y : y + at, thickness,
                           GoalCharts_BarLength(figures[k], scale, full), colours[k], vertical,
                           k == 1, true);
    }
}

}  // namespace

void GoalChartsInit()
{
    GoalCharts = {};
    for (GoalListEntry& e : GoalCharts.list)
        e.player = -1;
}
void GoalChartsUninit() { GoalChartsInit(); }

int32_t GoalCharts_ScrollUp()
{
    if (G().count <= GOAL_LIST_SHOWN) return EXM_CODE_NONE;
    if (G().first > 0) --G().first;
    return EXM_CODE_REDRAW;
}

int32_t GoalCharts_ScrollDown()
{
    if (G().count <= GOAL_LIST_SHOWN) return EXM_CODE_NONE;
    if (G().first + 1 <= G().count - GOAL_LIST_SHOWN) ++G().first;
    return EXM_CODE_REDRAW;
}

int32_t GoalCharts_ToAttendance()
{
    MenuOption = OPTION_ATTENDANCE;
    return EXM_CODE_LEAVE;
}

int32_t GoalCharts_ToOtherStatistics()
{
    MenuOption = OPTION_OTHER_STATISTICS;
    return EXM_CODE_LEAVE;
}

void GoalCharts_DrawBar(int32_t x, int32_t y, int32_t thickness, int32_t length, uint16_t colour,
                        bool vertical, bool shaded, bool outline)
{
    const Rect bar =
        vertical ? Rect{x, y - length, thickness, length} : Rect{x, y, length, thickness};
    SetDrawAttribute(2, colour);
    if (shaded)
        DoShadedBox(bar.x, bar.y, bar.w, bar.h, 70);
    else
        DrawHLine(bar.x, bar.y, bar.w, bar.h);
    if (!outline || length < 1) return;
    SetDrawAttribute(2, OUTLINE_COLOUR);
    DrawBoxOutline(bar.x, bar.y, bar.w, bar.h);
}

int32_t GoalCharts_BarLength(int32_t value, int32_t scale, int32_t full)
{
    return std::clamp(value * full / std::max(1, scale), 0, full);
}

void GoalCharts_DrawPanel(int32_t x, int32_t y, int32_t w, int32_t h, bool chart)
{
    SetDrawAttribute(2, chart ? CHART_COLOUR : PANEL_COLOUR);
    DoShadedBox(x, y, w, h, chart ? 50 : 68);
    SetDrawAttribute(2, OUTLINE_COLOUR);
    DrawBoxOutline(x, y, w, h);
}

void GoalCharts_DrawFrame()
{
    for (const Rect& panel : PANELS)
        GoalCharts_DrawPanel(panel.x, panel.y, panel.w, panel.h, false);
    for (const Rect& chart : CHARTS)
        GoalCharts_DrawPanel(chart.x, chart.y, chart.w, chart.h, true);
    DrawGridLines(CHARTS[0], 11, true);
    DrawGridLines(CHARTS[1], 11, true);
    DrawGridLines(CHARTS[2], 6, false);
    DrawGridLines(CHARTS[2], 8, true);
    DrawGridLines(CHARTS[3], 5, false);
    DrawGridLines(CHARTS[3], 5, true);
    SetMenuFont(0);
    for (int32_t p = 0; p < 4; ++p) {
        DrawMenuString(PANELS[p].x + PANELS[p].w / 2, PANELS[p].y + 10,
                       FitMenuText(GetMessageText(TEXT_TITLES[p]), PANELS[p].w - 6),
                       MENU_ALIGN_CENTRE);
    }
}

void GoalCharts_DrawScorers()
{
    SetMenuFont(0);
    const int32_t shown = std::min(GOAL_LIST_SHOWN, G().count - G().first);
    for (int32_t n = 0; n < shown; ++n) {
        const GoalListEntry& e = G().list[G().first + n];
        if (e.player < 0) continue;
        const int32_t y = CHARTS[0].y + 4 + n * SCORER_PITCH;
        DrawMenuString(PANELS[0].x + 6, y + 9, FitMenuText(VTW_FormatPersonName(e.player), 112),
                       MENU_ALIGN_ML);
        const int32_t figures[2] = {e.scored, e.conceded};
        DrawPair(CHARTS[0].x, y, 9, figures, G().listScale, GOAL_BAR_FULL, false);
    }
}

void GoalCharts_DrawKinds()
{
    SetMenuFont(0);
    for (int32_t k = 0; k < GOAL_KINDS; ++k) {
        const int32_t y = CHARTS[1].y + 2 + k * KIND_PITCH;
        DrawMenuMessage(PANELS[1].x + 6, y + 7, KIND_TEXTS[k], MENU_ALIGN_ML);
        DrawPair(CHARTS[1].x, y, 7, G().kinds[k], G().kindsScale, GOAL_BAR_FULL, false);
    }
    for (int32_t n = 0; n < 2; ++n) {
        if (G().legend[n] > 0)
            DrawMenuMessage(PANELS[1].x + 6 + n * 147, PANELS[1].y + PANELS[1].h - 4, G().legend[n],
                            MENU_ALIGN_BL);
    }
}

void GoalCharts_DrawPeriods()
{
    SetMenuFont(0);
    const int32_t bottom = CHARTS[2].y + CHARTS[2].h;
    for (int32_t p = 0; p < GOAL_PERIODS; ++p) {
        const int32_t x = CHARTS[2].x + 2 + p * PERIOD_PITCH;
        DrawPair(x, bottom, 7, G().periods[p], G().periodsScale, GOAL_COLUMN_FULL, true);
        DrawMenuMessage(x + 8, bottom + 8 + (p & 1) * 10, PERIOD_TEXT_FIRST + p, MENU_ALIGN_CENTRE);
    }
}

void GoalCharts_DrawAverages()
{
    const int32_t bottom = CHARTS[3].y + CHARTS[3].h;
    for (int32_t v = 0; v < GOAL_VENUES; ++v) {
        DrawPair(CHARTS[3].x + 14 + v * VENUE_PITCH, bottom, 16, G().averages[v], G().averagesScale,
                 GOAL_COLUMN_FULL, true);
    }
}

void GoalCharts_Draw()
{
    GoalCharts_DrawFrame();
    GoalCharts_DrawScorers();
    GoalCharts_DrawKinds();
    GoalCharts_DrawPeriods();
    GoalCharts_DrawAverages();
}
