// menus/goalstats.cpp: the attendance statistics.
#include "menus/goalstats.h"

#include <algorithm>
#include <cmath>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/tables.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/goalcharts.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

AttendanceStatsState AttendanceStats;

namespace {

constexpr int32_t OPTION_GOALS = 29;
constexpr int32_t OPTION_OTHER_STATISTICS = 31;
constexpr int32_t TEXT_TITLE = 2115;  // "Statistiques d'affluence"
constexpr int32_t TEXT_GOALS = 2116;
constexpr int32_t TEXT_OTHER_STATISTICS = 2117;
constexpr int32_t TEXT_PANEL_TITLES[2] = {927, 928};
constexpr int32_t PANEL_X[2] = {24, 324};
constexpr int32_t PANEL_Y = 74;
constexpr int32_t PANEL_W = 294;
constexpr int32_t PANEL_H = 348;
constexpr int32_t CHART_X[2] = {170, 471};
constexpr int32_t CHART_Y = 117;
constexpr int32_t CHART_W = 117;
constexpr int32_t CHART_H = 291;
constexpr int32_t AXIS_X[2] = {168, 469};
constexpr int32_t TICK_PITCH = 60;
constexpr int32_t ROW_PITCH = 12;
constexpr int32_t BAR_THICKNESS = 8;
constexpr int32_t NAME_ROOM = 116;
constexpr int32_t STYLE_MARKED = 8;  // the font colour of the club's own row
constexpr uint16_t BAR_COLOUR = 0xFA20;
constexpr uint16_t OWN_BAR_COLOUR = 0xFFE0;

AttendanceStatsState& A() { return AttendanceStats; }

void FillRows(int32_t division)
{
    for (int32_t club = 0; club < CLUB_FULL_MAX && A().count < ATTENDANCE_ROWS; ++club) {
        if (VTW_FindDivisionOfTeam(club) != division) continue;
        A().rows[A().count++] = {club, 0, ATTENDANCE_NOT_PLAYED, Club_GetAvgAttendance(club)};
    }
}

void FillCrowds()
{
    int32_t order = 0;
    const int32_t end = Fixture_FirstRowOfDay(VTW_GetCurrentDay());
    for (int32_t row = 0; row < end; ++row) {
        if (VTW_GetFixtureCompetition(row) != COMP_LEAGUE || !Fixture_IsPlayed(row)
            || VTW_GetFixtureHomeClub(row) != A().club)
            continue;
        const int32_t opponent = VTW_GetFixtureAwayClub(row);
        for (int32_t k = 0; k < A().count; ++k) {
            AttendanceRow& r = A().rows[k];
            if (r.club != opponent || r.order != ATTENDANCE_NOT_PLAYED) continue;
            r.crowd = Fixture_GetAttendance(row);
            r.order = ++order;
            break;
        }
    }
}

void Rank()
{
    std::copy(A().rows, A().rows + A().count, A().ranked);
    std::stable_sort(
        A().ranked, A().ranked + A().count,
        [](const AttendanceRow& a, const AttendanceRow& b) { return a.average > b.average; });
    int32_t crowd = 0;
    int32_t average = 0;
    for (int32_t k = 0; k < A().count; ++k) {
        crowd = std::max(crowd, A().rows[k].crowd);
        average = std::max(average, A().rows[k].average);
    }
    A().crowdScale = AttendanceStats_Scale(crowd);
    A().averageScale = AttendanceStats_Scale(average);
}

int32_t BarLength(int32_t value, int32_t scale)
{
    return std::min(ATTENDANCE_BAR_FULL,
                    static_cast<int32_t>(std::lrint(value * double(ATTENDANCE_BAR_FULL) / scale)));
}

void DrawAxis(int32_t panel, int32_t scale)
{
    SetDrawAttribute(2, 0xFFFF);
    for (int32_t i = 0; i < 3; ++i) {
        const int32_t x = AXIS_X[panel] + i * TICK_PITCH;
        DrawHLine(x, CHART_Y + CHART_H, 1, 4);
        DrawMenuString(x, CHART_Y + CHART_H + 8, VTW_FormatThousands(scale * i / 2),
                       MENU_ALIGN_CENTRE);
    }
}

// One row: its name left of the chart, its bar across it.
void DrawRow(int32_t panel, int32_t n, const AttendanceRow& r, int32_t value, int32_t scale)
{
    const int32_t y = CHART_Y + 2 + n * ROW_PITCH;
    const bool own = r.club == A().club;
    SetDrawAttribute(1, own ? STYLE_MARKED : 0);
    DrawMenuString(PANEL_X[panel] + 6, y + ROW_PITCH / 2,
                   FitMenuText(VTW_FormatClubName(VTW_GetTeam(r.club)), NAME_ROOM), MENU_ALIGN_ML);
    SetDrawAttribute(1, 0);
    if (value > 0)
        GoalCharts_DrawBar(AXIS_X[panel], y + 1, BAR_THICKNESS, BarLength(value, scale),
                           own ? OWN_BAR_COLOUR : BAR_COLOUR, false, false, true);
}

void DrawCrowds()
{
    int32_t n = 0;
    for (int32_t k = 0; k < A().count; ++k) {
        const AttendanceRow& r = A().rows[k];
        if (r.club == A().club) continue;  // never its own opponent
        if (r.order != ATTENDANCE_NOT_PLAYED)
            DrawMenuNumber(CHART_X[0] - 4, CHART_Y + 2 + n * ROW_PITCH + ROW_PITCH / 2, r.order,
                           MENU_ALIGN_MR);
        DrawRow(0, n++, r, r.order != ATTENDANCE_NOT_PLAYED ? r.crowd : 0, A().crowdScale);
    }
}

void DrawAverages()
{
    for (int32_t k = 0; k < A().count; ++k)
        DrawRow(1, k, A().ranked[k], A().ranked[k].average, A().averageScale);
}

void Draw(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    for (int32_t p = 0; p < 2; ++p) {
        GoalCharts_DrawPanel(PANEL_X[p], PANEL_Y, PANEL_W, PANEL_H, false);
        GoalCharts_DrawPanel(CHART_X[p], CHART_Y, CHART_W, CHART_H, true);
        DrawMenuString(PANEL_X[p] + PANEL_W / 2, PANEL_Y + 12,
                       FitMenuText(GetMessageText(TEXT_PANEL_TITLES[p]), PANEL_W - 6),
                       MENU_ALIGN_CENTRE);
        if (A().count > 0) DrawAxis(p, p == 0 ? A().crowdScale : A().averageScale);
    }
    DrawCrowds();
    DrawAverages();
}

int32_t Leave(int16_t option)
{
    MenuOption = option;
    return EXM_CODE_LEAVE;
}

int32_t ToGoals(MenuHotspot*) { return Leave(OPTION_GOALS); }
int32_t ToOtherStatistics(MenuHotspot*) { return Leave(OPTION_OTHER_STATISTICS); }
int32_t Done(MenuHotspot*) { return Leave(MENU_OPTION_OFFICE); }

void Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) AttendanceStats_Fill(GameState.currentClub);
}

}  // namespace

void AttendanceStatsInit() { AttendanceStats = {}; }
void AttendanceStatsUninit() { AttendanceStatsInit(); }

void AttendanceStats_Fill(int32_t club)
{
    A() = {};
    A().club = club;
    const int32_t division = VTW_FindDivisionOfTeam(club);
    if (division >= 0) FillRows(division);
    FillCrowds();
    Rank();
}

int32_t AttendanceStats_Scale(int32_t largest)
{
    int32_t scale = ATTENDANCE_SCALE_FIRST;
    while (scale <= largest)
        scale += ATTENDANCE_SCALE_STEP;
    return scale;
}

const MenuItem* AttendanceStats_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(Draw), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 150, 440, 170, 30, MenuTextNo(TEXT_GOALS), ToGoals},
        {0x200c, 330, 440, 170, 30, MenuTextNo(TEXT_OTHER_STATISTICS), ToOtherStatistics},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Done},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
