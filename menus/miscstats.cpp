// menus/miscstats.cpp: the miscellaneous statistics.
#include "menus/miscstats.h"

#include <algorithm>
#include <cmath>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/goalcharts.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

MiscStatsState MiscStats;

namespace {

constexpr int32_t OPTION_GOALS = 29;
constexpr int32_t OPTION_ATTENDANCE = 30;
constexpr int32_t TEXT_TITLE = 2117;  // "Statistiques diverses"
constexpr int32_t TEXT_GOALS = 2116;
constexpr int32_t TEXT_ATTENDANCE = 2115;
constexpr int32_t TEXT_SHOTS = 991;  // "Moyenne de tirs par match"
constexpr int32_t TEXT_CARDS = 992;
constexpr int32_t TEXT_CORNERS = 993;
constexpr int32_t TEXT_CARD_PERIODS = 2264;           // "Cartons par période"
constexpr int32_t TEXT_OFF_TARGET = 967;              // "Non cadré"
constexpr int32_t TEXT_ON_TARGET = 955;               // "Cadré"
constexpr int32_t TEXT_GROUPS[2] = {2260, 2261};      // "Pour", "Contre"
constexpr int32_t TEXT_VENUES[2] = {102, 103};        // "D", "E"
constexpr int32_t TEXT_CARD_KINDS[2] = {2262, 2263};  // "Avertissements", "Expulsions"
constexpr int32_t PERIOD_TEXT_FIRST = 1500;           // "0-15" .. "76-90", "Pr."
constexpr uint16_t COLOURS[2] = {0xFA20, 0xCE79};     // the lower and the upper part
constexpr int32_t CARD_LOG_ROWS = 200;
constexpr int32_t SHOTS_FULL = 125;
constexpr int32_t CORNERS_FULL = 125;
constexpr int32_t CARDS_FULL = 112;
constexpr int32_t PERIODS_FULL = 110;

struct Rect {
    int32_t x, y, w, h;
};
// The panels: shots, corners, cards, card periods; then the chart areas inside them.
constexpr Rect PANELS[4] = {
    {24, 74, 294, 170}, {324, 74, 294, 170}, {24, 252, 294, 170}, {324, 252, 294, 170}};
constexpr Rect CHARTS[4] = {{84, 96, 150, SHOTS_FULL},
                            {384, 96, 150, CORNERS_FULL},
                            {84, 274, 150, CARDS_FULL},
                            {384, 274, 224, PERIODS_FULL}};
constexpr int32_t COLUMN_PITCH = 36;
constexpr int32_t COLUMN_WIDTH = 20;
constexpr int32_t PERIOD_PITCH = 32;
constexpr int32_t PERIOD_WIDTH = 16;

MiscStatsState& M() { return MiscStats; }

int32_t Rounded(int32_t hundredths) { return static_cast<int32_t>(std::lrint(hundredths / 100.0)); }

// The sum of counters `a` and `b` (the same for one counter) of a group and venue, hundredths.
int32_t Sum(int32_t group, int32_t venue, int32_t a, int32_t b)
{
    const int32_t* figures = M().averages[group][venue];
    return figures[a] + (b != a ? figures[b] : 0);
}

// From `first` in steps of `first`, above the largest rounded sum over the groups and venues.
int32_t ScaleOfSums(int32_t a, int32_t b, int32_t first)
{
    int32_t largest = 0;
    for (int32_t g = 0; g < 2; ++g) {
        for (int32_t v = 0; v < 2; ++v)
            largest = std::max(largest, Rounded(Sum(g, v, a, b)));
    }
    return StatsScale_Above(largest, first, first);
}

void FillCardPeriods(const ClubRecord& record)
{
    int32_t largest = 0;
    for (int32_t k = 0; k < CARD_LOG_ROWS && record.cards[k].minute != -1; ++k) {
        const CardLogEntry& c = record.cards[k];
        int32_t* pair = M().cardPeriods[StatsMinuteBucket(c.minute)];
        ++pair[c.kind == 1 ? MISC_BOOKINGS : MISC_SENDINGS_OFF];
        largest = std::max(largest, pair[0] + pair[1]);
    }
    M().cardPeriodsScale = StatsScale_Above(largest, 10, 10);
}

int32_t Length(int32_t value, int32_t scale, int32_t full)
{
    return std::min(full, static_cast<int32_t>(std::lrint(value * double(full) / scale)));
}

// A column of two parts, the first at the bottom; values in hundredths of the scale's unit.
void DrawStacked(int32_t x, int32_t bottom, int32_t width, const int32_t parts[2], int32_t scale,
                 int32_t full)
{
    int32_t y = bottom;
    for (int32_t k = 0; k < 2; ++k) {
        const int32_t length = std::min(Length(parts[k], scale * 100, full), y - (bottom - full));
        GoalCharts_DrawBar(x, y, width, length, COLOURS[k], true, k == 1, true);
        y -= length;
    }
}

// The four columns of a chart: for and against, each at home and away, labelled under it.
void DrawVenueColumns(const Rect& r, int32_t a, int32_t b, int32_t scale)
{
    const int32_t bottom = r.y + r.h;
    for (int32_t g = 0; g < 2; ++g) {
        for (int32_t v = 0; v < 2; ++v) {
            const int32_t x = r.x + 10 + (2 * g + v) * COLUMN_PITCH;
            const int32_t parts[2] = {M().averages[g][v][a], b != a ? M().averages[g][v][b] : 0};
            DrawStacked(x, bottom, COLUMN_WIDTH, parts, scale, r.h);
            DrawMenuMessage(x + COLUMN_WIDTH / 2, bottom + 7, TEXT_VENUES[v], MENU_ALIGN_CENTRE);
        }
        DrawMenuMessage(r.x + 10 + (2 * g + 1) * COLUMN_PITCH - (COLUMN_PITCH - COLUMN_WIDTH) / 2,
                        bottom + 17, TEXT_GROUPS[g], MENU_ALIGN_CENTRE);
    }
}

void DrawChartFrame(int32_t p, int32_t titleNo, int32_t labels, int32_t scale)
{
    const Rect& panel = PANELS[p];
    const Rect& chart = CHARTS[p];
    GoalCharts_DrawPanel(panel.x, panel.y, panel.w, panel.h, false);
    GoalCharts_DrawPanel(chart.x, chart.y, chart.w, chart.h, true);
    GoalCharts_DrawGrid(chart.x, chart.y, chart.w, chart.h, labels, false);
    DrawMenuString(panel.x + panel.w / 2, panel.y + 10,
                   FitMenuText(GetMessageText(titleNo), panel.w - 6), MENU_ALIGN_CENTRE);
    GoalCharts_DrawAxis(chart.x, chart.y, chart.w, chart.h, labels, scale, true, 1);
}

void DrawCardPeriods()
{
    const Rect& r = CHARTS[3];
    const int32_t bottom = r.y + r.h;
    for (int32_t p = 0; p < STATS_MINUTE_BUCKETS; ++p) {
        const int32_t x = r.x + 8 + p * PERIOD_PITCH;
        const int32_t* pair = M().cardPeriods[p];
        const int32_t parts[2] = {100 * pair[0], 100 * pair[1]};
        DrawStacked(x, bottom, PERIOD_WIDTH, parts, M().cardPeriodsScale, r.h);
        const int32_t total = pair[0] + pair[1];
        if (total > 0) {
            const int32_t top = bottom - Length(total, M().cardPeriodsScale, r.h);
            DrawMenuNumber(x + PERIOD_WIDTH / 2, top - 6, total, MENU_ALIGN_CENTRE);
        }
        DrawMenuMessage(x + PERIOD_WIDTH / 2, bottom + 7 + (p & 1) * 10, PERIOD_TEXT_FIRST + p,
                        MENU_ALIGN_CENTRE);
    }
}

void Draw(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    DrawChartFrame(0, TEXT_SHOTS, 6, M().shotsScale);
    DrawVenueColumns(CHARTS[0], SEASON_SHOTS_ON, SEASON_SHOTS_OFF, M().shotsScale);
    GoalCharts_DrawLegend(244, 98, COLOURS[1], true, TEXT_OFF_TARGET);
    GoalCharts_DrawLegend(244, 108, COLOURS[0], false, TEXT_ON_TARGET);
    DrawChartFrame(1, TEXT_CORNERS, 6, M().cornersScale);
    DrawVenueColumns(CHARTS[1], SEASON_CORNERS, SEASON_CORNERS, M().cornersScale);
    DrawChartFrame(2, TEXT_CARDS, 3, M().cardsScale);
    DrawVenueColumns(CHARTS[2], SEASON_BOOKINGS, SEASON_SENDINGS_OFF, M().cardsScale);
    for (int32_t k = 0; k < 2; ++k) {
        GoalCharts_DrawLegend(PANELS[2].x + 6 + 140 * k, PANELS[2].y + PANELS[2].h - 7, COLOURS[k],
                              k == 1, TEXT_CARD_KINDS[k]);
    }
    DrawChartFrame(3, TEXT_CARD_PERIODS, 11, M().cardPeriodsScale);
    DrawCardPeriods();
}

int32_t ToGoals(MenuHotspot*) { return StatsScreen_Open(OPTION_GOALS); }
int32_t ToAttendance(MenuHotspot*) { return StatsScreen_Open(OPTION_ATTENDANCE); }
int32_t Done(MenuHotspot*) { return StatsScreen_Back(); }

void Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) MiscStats_Fill(GameState.currentClub);
}

}  // namespace

void MiscStatsInit() { MiscStats = {}; }
void MiscStatsUninit() { MiscStatsInit(); }

void MiscStats_Fill(int32_t club)
{
    M() = {};
    M().club = club;
    const ClubRecord* record = VTW_GetClubRecordPtr(club);
    if (record != nullptr) {
        int32_t matches[2] = {};
        StatsLeagueMatches(club, matches);
        for (int32_t g = 0; g < 2; ++g) {
            for (int32_t v = 0; v < 2; ++v) {
                for (int32_t c = 0; c < SEASON_COUNTERS; ++c) {
                    M().averages[g][v][c] =
                        StatsAverageHundredths(record->seasonCounters[g][v][c], matches[v]);
                }
            }
        }
        FillCardPeriods(*record);
    } else {
        M().cardPeriodsScale = StatsScale_Above(0, 10, 10);
    }
    M().shotsScale = ScaleOfSums(SEASON_SHOTS_ON, SEASON_SHOTS_OFF, 10);
    M().cornersScale = ScaleOfSums(SEASON_CORNERS, SEASON_CORNERS, 5);
    M().cardsScale = ScaleOfSums(SEASON_BOOKINGS, SEASON_SENDINGS_OFF, 2);
}

const MenuItem* MiscStats_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // The marker keeps this screen's own clean screen, which the emblem is drawn over.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(Draw), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 150, 440, 170, 30, MenuTextNo(TEXT_GOALS), ToGoals},
        {0x200c, 330, 440, 170, 30, MenuTextNo(TEXT_ATTENDANCE), ToAttendance},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Done},
        MenuEndItem(nullptr, StatsScreen_Back),
    };
    return table;
}
