// menus/goalstats.cpp: the goal and the attendance statistics.
#include "menus/goalstats.h"

#include <algorithm>
#include <cmath>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/goalcharts.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/statservices.h"

AttendanceStatsState AttendanceStats;

namespace {

constexpr int32_t TEXT_GOALS_LEGEND[2] = {1434, 1405};  // "Buts marqués", "Buts encaissés"
constexpr int32_t GOAL_LOG_ROWS = 127;

// The kinds chart's rows: by where (inside, outside the area), then by the log's kind.
enum KindRow : int32_t {
    ROW_INSIDE,
    ROW_HEADER,
    ROW_CLOSE,
    ROW_VOLLEY,
    ROW_OUTSIDE,
    ROW_PENALTY,
    ROW_FREE_KICK,
    ROW_OWN_GOAL
};

int32_t KindRowOf(int32_t kind)
{
    switch (kind) {
        case GOAL_CLASS_HEADER: return ROW_HEADER;
        case GOAL_CLASS_CLOSE: return ROW_CLOSE;
        case GOAL_CLASS_VOLLEY: return ROW_VOLLEY;
        case GOAL_CLASS_PENALTY: return ROW_PENALTY;
        case GOAL_CLASS_FREE_KICK: return ROW_FREE_KICK;
        case GOAL_CLASS_OWN_GOAL: return ROW_OWN_GOAL;
        default: return -1;
    }
}

// A scored goal's row of the squad's slots: league or cup goals by its competition; a goal of a
// friendly or an international, or of a man who left the squad, counts in no slot.
void CountScorer(GoalListEntry slots[GOAL_LIST_MAX], int32_t count, const GoalLogEntry& e)
{
    const bool league = e.competition < COMP_SUPER_CUP;
    const bool cup =
        !league && e.competition != COMP_FRIENDLY && e.competition != COMP_INTERNATIONAL;
    for (int32_t k = 0; k < count; ++k) {
        if (slots[k].player != e.player) continue;
        if (league) ++slots[k].league;
        if (cup) ++slots[k].cup;
        return;
    }
}

// How, when and (league goals) where, for one side of the log: 0 scored, 1 conceded.
void CountGoal(const GoalLogEntry& e, int32_t which, int32_t venueGoals[GOAL_VENUES][2])
{
    GoalChartsState& g = GoalCharts;
    ++g.kinds[GoalLog_Where(e) == 0 ? ROW_INSIDE : ROW_OUTSIDE][which];
    const int32_t row = KindRowOf(GoalLog_Kind(e));
    if (row >= 0) ++g.kinds[row][which];
    ++g.periods[StatsMinuteBucket(e.minute)][which];
    if (e.competition == COMP_LEAGUE) ++venueGoals[GoalLog_Away(e) ? 1 : 0][which];
}

// The squad's scorers, most goals first, then most league goals.
void ListScorers(const GoalListEntry slots[GOAL_LIST_MAX], int32_t count)
{
    GoalChartsState& g = GoalCharts;
    for (int32_t k = 0; k < count; ++k) {
        if (slots[k].league + slots[k].cup > 0) g.list[g.count++] = slots[k];
    }
    std::stable_sort(g.list, g.list + g.count, [](const GoalListEntry& a, const GoalListEntry& b) {
        const int32_t totalA = a.league + a.cup, totalB = b.league + b.cup;
        return totalA != totalB ? totalA > totalB : a.league > b.league;
    });
}

void ScaleCharts()
{
    GoalChartsState& g = GoalCharts;
    int32_t top = 0, kinds = 0, periods = 0, averages = 0;
    for (int32_t k = 0; k < g.count; ++k)
        top = std::max(top, g.list[k].league + g.list[k].cup);
    for (int32_t w = 0; w < 2; ++w) {
        for (const auto& row : g.kinds)
            kinds = std::max(kinds, row[w]);
        for (const auto& row : g.periods)
            periods = std::max(periods, row[w]);
        for (const auto& row : g.averages)
            averages = std::max(averages, row[w]);
    }
    g.listScale = StatsScale_Above(top, 10, 10);
    g.kindsScale = StatsScale_Above(kinds, 10, 10);
    g.periodsScale = StatsScale_Above(periods, 5, 5);
    g.averagesScale =
        100 * StatsScale_Above(static_cast<int32_t>(std::lrint(averages / 100.0)), 4, 4);
}

constexpr int32_t OPTION_GOALS = 29;
// The OK icon stands below the panels' lower right corner, clear of the charts' figures.
constexpr int16_t OK_X = 590;
constexpr int16_t OK_Y = 446;
constexpr int32_t OPTION_OTHER_STATISTICS = 31;
constexpr int32_t TEXT_ATTENDANCE = 2115;  // "Statistiques d'affluence"
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

int32_t ToGoals(MenuHotspot*) { return StatsScreen_Open(OPTION_GOALS); }
int32_t ToOtherStatistics(MenuHotspot*) { return StatsScreen_Open(OPTION_OTHER_STATISTICS); }
int32_t Done(MenuHotspot*) { return StatsScreen_Back(); }

void Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) AttendanceStats_Fill(GameState.currentClub);
}

void BuildGoals()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) GoalStats_Fill(GameState.currentClub);
}

void DrawGoals(int32_t, int32_t, int32_t, int32_t, int32_t) { GoalCharts_Draw(); }
int32_t ScrollUp(MenuHotspot*) { return GoalCharts_ScrollUp(); }
int32_t ScrollDown(MenuHotspot*) { return GoalCharts_ScrollDown(); }
int32_t ToAttendance(MenuHotspot*) { return GoalCharts_ToAttendance(); }

}  // namespace

void GoalStats_Fill(int32_t club)
{
    GoalChartsInit();
    GoalChartsState& g = GoalCharts;
    g.legend[0] = static_cast<int16_t>(TEXT_GOALS_LEGEND[0]);
    g.legend[1] = static_cast<int16_t>(TEXT_GOALS_LEGEND[1]);
    GoalListEntry slots[GOAL_LIST_MAX] = {};
    const int32_t squad = std::min(GOAL_LIST_MAX, VTW_RefreshSquadCount(club));
    for (int32_t k = 0; k < squad; ++k)
        slots[k].player = static_cast<int16_t>(VTW_GetSquadPlayer(k));
    int32_t venueGoals[GOAL_VENUES][2] = {};
    if (const ClubRecord* record = VTW_GetClubRecordPtr(club)) {
        for (int32_t which = 0; which < 2; ++which) {
            for (int32_t r = 0; r < GOAL_LOG_ROWS && record->goals[r][which].player != -1; ++r) {
                const GoalLogEntry& e = record->goals[r][which];
                if (which == 0) CountScorer(slots, squad, e);
                CountGoal(e, which, venueGoals);
            }
        }
    }
    ListScorers(slots, squad);
    int32_t matches[GOAL_VENUES] = {};
    StatsLeagueMatches(club, matches);
    for (int32_t v = 0; v < GOAL_VENUES; ++v) {
        for (int32_t w = 0; w < 2; ++w)
            g.averages[v][w] = StatsAverageHundredths(venueGoals[v][w], matches[v]);
    }
    ScaleCharts();
}

const MenuItem* GoalStats_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(BuildGoals), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_GOALS), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // The scorers the arrows scroll through are drawn past the marker, so that their redraw
        // shows them.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawGoals), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 150, 440, 170, 30, MenuTextNo(TEXT_ATTENDANCE), ToAttendance},
        {0x200c, 330, 440, 170, 30, MenuTextNo(TEXT_OTHER_STATISTICS), ToOtherStatistics},
        {0x03, OK_X, OK_Y, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Done},
        {0x1f, GOAL_SCROLL_X, GOAL_SCROLL_Y, 30, 15, MenuNumber(-1), ScrollUp},
        {0x1f, GOAL_SCROLL_X, GOAL_SCROLL_Y + 18, 30, 15, MenuNumber(-1), ScrollDown},
        MenuEndItem(nullptr, StatsScreen_Back),
    };
    return table;
}

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
    return StatsScale_Above(largest, ATTENDANCE_SCALE_FIRST, ATTENDANCE_SCALE_STEP);
}

const MenuItem* AttendanceStats_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_ATTENDANCE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // The marker keeps this screen's own clean screen, which the emblem is drawn over.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(Draw), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 150, 440, 170, 30, MenuTextNo(TEXT_GOALS), ToGoals},
        {0x200c, 330, 440, 170, 30, MenuTextNo(TEXT_OTHER_STATISTICS), ToOtherStatistics},
        {0x03, OK_X, OK_Y, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Done},
        MenuEndItem(nullptr, StatsScreen_Back),
    };
    return table;
}
