// menus/goalcharts.cpp: the goal statistics' panels, bars, charts and buttons.
#include "menus/goalcharts.h"

#include <algorithm>

#include "game/funcs.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/statservices.h"

GoalChartsState GoalCharts;

namespace {

constexpr int32_t OPTION_ATTENDANCE = 30;
constexpr int32_t OPTION_OTHER_STATISTICS = 31;
constexpr uint16_t PANEL_COLOUR = 0x2124;
constexpr uint16_t CHART_COLOUR = 0x632C;
constexpr uint16_t GRID_COLOUR = 0x4A69;
constexpr uint16_t OUTLINE_COLOUR = 0xFFFF;
constexpr uint16_t BAR_COLOURS[2] = {0xFA20, 0xCE79};  // orange-red, light
constexpr int32_t TEXT_TITLES[4] = {918, 915, 919, 920};
constexpr int32_t KIND_TEXTS[GOAL_KINDS] = {909, 911, 912, 913, 910, 613, 612, 914};
constexpr int32_t PERIOD_TEXT_FIRST = 1500;               // "0-15" .. "76-90", "Pr."
constexpr int32_t SCORER_LEGENDS[2] = {2111, 2050};       // "Championnat", "Coupes"
constexpr int32_t VENUE_TEXTS[GOAL_VENUES] = {150, 151};  // "Domicile", "Extérieur"

struct Rect {
    int32_t x, y, w, h;
};
// The panels, then the chart areas inside them: scorers, kinds, periods, averages.
constexpr Rect PANELS[4] = {
    {24, 74, 294, 348}, {324, 74, 294, 170}, {324, 252, 145, 170}, {473, 252, 145, 170}};
// The periods' and the averages' charts stand far enough in for a two-figure scale to end
// inside their panels.
constexpr Rect CHARTS[4] = {
    {144, 96, 160, 316}, {444, 92, 160, 130}, {340, 318, 124, 82}, {489, 318, 117, 82}};
constexpr int32_t SCROLL_ICON = 1319;
constexpr int32_t SCORER_PITCH = 26;
constexpr int32_t KIND_PITCH = 16;
constexpr int32_t PERIOD_PITCH = 18;
constexpr int32_t VENUE_PITCH = 60;

GoalChartsState& G() { return GoalCharts; }

void DrawGrid(const Rect& r, int32_t count, bool vertical)
{
    GoalCharts_DrawGrid(r.x, r.y, r.w, r.h, count, vertical);
}

void DrawAxis(const Rect& r, int32_t count, int32_t scale, bool vertical, int32_t divisor = 1)
{
    GoalCharts_DrawAxis(r.x, r.y, r.w, r.h, count, scale, vertical, divisor);
}

// A swatch of the first or second bar's colour, then its text.
void DrawLegend(int32_t x, int32_t middle, int32_t bar, int32_t textNo)
{
    GoalCharts_DrawLegend(x, middle, BAR_COLOURS[bar], bar == 1, textNo);
}

// A row's scored and conceded bars, side by side.
void DrawPair(int32_t x, int32_t y, int32_t thickness, const int32_t figures[2], int32_t scale,
              int32_t full, bool vertical)
{
    for (int32_t k = 0; k < 2; ++k) {
        const int32_t at = k * (thickness + 1);
        GoalCharts_DrawBar(vertical ? x + at : x, vertical ? y : y + at, thickness,
                           GoalCharts_BarLength(figures[k], scale, full), BAR_COLOURS[k], vertical,
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

int32_t GoalCharts_ToAttendance() { return StatsScreen_Open(OPTION_ATTENDANCE); }
int32_t GoalCharts_ToOtherStatistics() { return StatsScreen_Open(OPTION_OTHER_STATISTICS); }

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

void GoalCharts_DrawGrid(int32_t x, int32_t y, int32_t w, int32_t h, int32_t count, bool vertical)
{
    SetDrawAttribute(2, GRID_COLOUR);
    for (int32_t i = 0; i < count; ++i) {
        if (vertical) {
            DrawHLine(x + i * w / std::max(1, count - 1), y, 1, h);
        } else {
            DrawHLine(x, y + h - i * h / std::max(1, count - 1), w, 1);
        }
    }
}

void GoalCharts_DrawAxis(int32_t x, int32_t y, int32_t w, int32_t h, int32_t count, int32_t scale,
                         bool vertical, int32_t divisor)
{
    for (int32_t i = 0; i < count; ++i) {
        const int32_t value = scale * i / (count - 1) / divisor;
        if (vertical) {
            DrawMenuNumber(x - 2, y + h - i * h / (count - 1), value, MENU_ALIGN_MR);
        } else {
            DrawMenuNumber(x + i * w / (count - 1), y + h + 6, value, MENU_ALIGN_CENTRE);
        }
    }
}

void GoalCharts_DrawLegend(int32_t x, int32_t middle, uint16_t colour, bool shaded, int32_t textNo)
{
    GoalCharts_DrawBar(x, middle - 3, 7, 7, colour, false, shaded, true);
    DrawMenuMessage(x + 10, middle, textNo, MENU_ALIGN_ML);
}

void GoalCharts_DrawFrame()
{
    for (const Rect& panel : PANELS)
        GoalCharts_DrawPanel(panel.x, panel.y, panel.w, panel.h, false);
    for (const Rect& chart : CHARTS)
        GoalCharts_DrawPanel(chart.x, chart.y, chart.w, chart.h, true);
    DrawGrid(CHARTS[0], 11, true);
    DrawGrid(CHARTS[1], 11, true);
    DrawGrid(CHARTS[2], 6, false);
    DrawGrid(CHARTS[2], 8, true);
    DrawGrid(CHARTS[3], 5, false);
    DrawGrid(CHARTS[3], 5, true);
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
    DrawAxis(CHARTS[0], 11, G().listScale, false);
    if (G().count > GOAL_LIST_SHOWN)
        DoIcon(GOAL_SCROLL_X, GOAL_SCROLL_Y, SCROLL_ICON, MENU_ALIGN_TL);
    DrawLegend(PANELS[0].x + 6, PANELS[0].y + 10, 0, SCORER_LEGENDS[0]);
    DrawLegend(PANELS[0].x + PANELS[0].w - 66, PANELS[0].y + 10, 1, SCORER_LEGENDS[1]);
    const int32_t shown = std::min(GOAL_LIST_SHOWN, G().count - G().first);
    for (int32_t n = 0; n < shown; ++n) {
        const GoalListEntry& e = G().list[G().first + n];
        if (e.player < 0) continue;
        const int32_t y = CHARTS[0].y + 4 + n * SCORER_PITCH;
        DrawMenuString(PANELS[0].x + 6, y + 9, FitMenuText(VTW_FormatPersonName(e.player), 112),
                       MENU_ALIGN_ML);
        const int32_t figures[2] = {e.league, e.cup};
        DrawPair(CHARTS[0].x, y, 9, figures, G().listScale, GOAL_BAR_FULL, false);
    }
}

void GoalCharts_DrawKinds()
{
    SetMenuFont(0);
    DrawAxis(CHARTS[1], 11, G().kindsScale, false);
    for (int32_t k = 0; k < GOAL_KINDS; ++k) {
        const int32_t y = CHARTS[1].y + 2 + k * KIND_PITCH;
        DrawMenuMessage(PANELS[1].x + 6, y + 7, KIND_TEXTS[k], MENU_ALIGN_ML);
        DrawPair(CHARTS[1].x, y, 7, G().kinds[k], G().kindsScale, GOAL_BAR_FULL, false);
    }
    for (int32_t n = 0; n < 2; ++n) {
        if (G().legend[n] > 0)
            DrawLegend(PANELS[1].x + 6 + n * 147, PANELS[1].y + PANELS[1].h - 6, n, G().legend[n]);
    }
}

void GoalCharts_DrawPeriods()
{
    SetMenuFont(0);
    const int32_t bottom = CHARTS[2].y + CHARTS[2].h;
    DrawAxis(CHARTS[2], 6, G().periodsScale, true);
    for (int32_t p = 0; p < GOAL_PERIODS; ++p) {
        const int32_t x = CHARTS[2].x + 2 + p * PERIOD_PITCH;
        DrawPair(x, bottom, 7, G().periods[p], G().periodsScale, GOAL_COLUMN_FULL, true);
        DrawMenuMessage(x + 8, bottom + 8 + (p & 1) * 10, PERIOD_TEXT_FIRST + p, MENU_ALIGN_CENTRE);
    }
}

void GoalCharts_DrawAverages()
{
    const int32_t bottom = CHARTS[3].y + CHARTS[3].h;
    SetMenuFont(0);
    DrawAxis(CHARTS[3], 5, G().averagesScale, true, 100);
    for (int32_t v = 0; v < GOAL_VENUES; ++v) {
        const int32_t x = CHARTS[3].x + 14 + v * VENUE_PITCH;
        DrawPair(x, bottom, 16, G().averages[v], G().averagesScale, GOAL_COLUMN_FULL, true);
        DrawMenuMessage(x + 16, bottom + 8, VENUE_TEXTS[v], MENU_ALIGN_CENTRE);
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
