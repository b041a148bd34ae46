// menus/matchgraphs.cpp: the match graphs.
#include "menus/matchgraphs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/textmess.h"
#include "gamecode/matchdata.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/goalcharts.h"
#include "menus/matchanalysis.h"
#include "menus/matchstats.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/statservices.h"

MatchGraphsState MatchGraphs;

namespace {

constexpr int32_t N = GRAPH_NO_FIGURE;
// clang-format off
constexpr GraphDefinition DEFENCE[] = {
    {43, 20, GRAPH_SUM, 11, 940, 0, {{37, 941}, {38, 968}, {N, 0}, {N, 0}}},
    {964, 10, GRAPH_SUM, N, 0, 0,
     {{PMS_FOULS_CYNICAL, 960}, {PMS_FOULS_UNFAIR, 961}, {PMS_FOULS_NEEDLESS, 962}, {39, 0}}},
    {935, 5, GRAPH_SUM, 12, 942, 0, {{31, 0}, {N, 0}, {N, 0}, {N, 0}}},
    {936, 5, GRAPH_SUM, N, 0, 0, {{13, 943}, {PMS_GOOD_CLEARANCES, 973}, {54, 957}, {N, 0}}},
};
constexpr GraphDefinition POSSESSION[] = {
    {44, 20, GRAPH_SUM, 8, 944, 0, {{29, 945}, {30, 969}, {N, 0}, {N, 0}}},
    {46, 20, GRAPH_LARGER, N, 0, 0, {{9, 946}, {PMS_PROGRESSIVE_RUNS, 972}, {N, 0}, {N, 0}}},
    {1422, 10, GRAPH_LARGER, N, 0, 0,
     {{14, 948}, {PMS_TIMES_TACKLED, 949}, {PMS_POSSESSION_LOST, 950}, {N, 0}}},
};
constexpr GraphDefinition ATTACK[] = {
    {938, 5, GRAPH_SUM, N, 0, 0,
     {{18, 951}, {PMS_SET_PIECE_CROSSES_RECEIVED, 952}, {N, 0}, {N, 0}}},
    {939, 5, GRAPH_SUM, 10, 953, 0, {{PMS_DANGEROUS_CROSSES, 954}, {35, 966}, {N, 0}, {N, 0}}},
    {45, 5, GRAPH_SUM, N, 0, 0, {{22, 955}, {23, 967}, {N, 0}, {N, 0}}},
    {64, 5, GRAPH_SUM, N, 0, 0, {{26, 64}, {7, 956}, {N, 0}, {N, 0}}},
};
constexpr GraphDefinition OTHERS[] = {
    {963, 120, GRAPH_SUM, N, 0, 0, {{61, 0}, {N, 0}, {N, 0}, {N, 0}}},
    {965, 100, GRAPH_LARGER, N, 0, 100, {{3, 958}, {4, 959}, {N, 0}, {N, 0}}},
    {243, 100, GRAPH_POSITIVE, N, 0, 100, {{5, 0}, {N, 0}, {N, 0}, {N, 0}}},
};
// clang-format on

struct SetRow {
    const GraphDefinition* graphs;
    int32_t count;
    int32_t category;  // of the analysis table
    int32_t button;    // its text
};
constexpr SetRow SETS[GRAPH_SETS] = {
    {DEFENCE, 4, 1, 608}, {POSSESSION, 3, 5, 970}, {ATTACK, 4, 3, 610}, {OTHERS, 3, 4, 654}};

constexpr int32_t TIME_TITLE = 963;  // its axis runs to 88 pixels, labelled in minutes
constexpr int32_t TIME_LABELS[] = {0, 45, 90, 120};
constexpr int32_t OPTION_ANALYSIS = 60;
constexpr int32_t GRAPH_X[2][GRAPH_MAX] = {{193, 343, 493, 0}, {193, 305, 417, 529}};
constexpr int32_t GRAPH_PITCH[2] = {150, 112};
constexpr int32_t TITLES_Y = 88;
constexpr int32_t GRID_Y = 105;
constexpr int32_t ROWS_Y = 104;
constexpr int32_t ROW_PITCH = 16;
constexpr int32_t BAR_HEIGHT = 12;
constexpr int32_t BAR_FULL = 90;
constexpr int32_t TIME_FULL = 88;
constexpr int32_t LEGEND_Y = 376;
constexpr int32_t NAME_ROOM = 118;
constexpr int32_t HOME_NAME_X = 240;  // the header's names, either side of the score
constexpr int32_t AWAY_NAME_X = 320;
constexpr int32_t LIVE_BENCH_MAX = 5;
constexpr uint16_t PART_COLOURS[GRAPH_PARTS] = {0xFA20, 0xCE79, 0x04FF, 0x8C51};
constexpr uint16_t KEY_COLOUR = 0xFFE0;

MatchGraphsState& G() { return MatchGraphs; }

int32_t Figure(const PlayerMatchRecord& r, int32_t figure)
{
    return Football_GetMatchFigure(r, figure);
}

int32_t PartsCount(const GraphDefinition& g)
{
    int32_t n = 0;
    while (n < GRAPH_PARTS && g.parts[n].figure != N)
        ++n;
    return n;
}

const SetRow& Set() { return SETS[std::clamp(G().set, 0, GRAPH_SETS - 1)]; }

int32_t FullOf(const GraphDefinition& g) { return g.title == TIME_TITLE ? TIME_FULL : BAR_FULL; }

int32_t Length(int32_t value, int32_t scale, int32_t full)
{
    return std::clamp(static_cast<int32_t>(std::lrint(value * double(full) / scale)), 0, full);
}

const MatchSideStats& SideStats(int32_t side)
{
    return G().live ? GetMatchDataBlock()->sides[side] : LastMatchCopy.stats[side];
}

void FillTitle()
{
    const int32_t row = G().fixture;
    for (int32_t n = 0; n < 2; ++n) {
        const char* name = G().live   ? GetMatchSidesBlock()->sides[n].teamName
                           : row >= 0 ? MatchStats_ClubName(n == 0 ? VTW_GetFixtureHomeClub(row)
                                                                   : VTW_GetFixtureAwayClub(row))
                                      : "";
        std::snprintf(G().names[n], sizeof G().names[n], "%s", name);
    }
    G().goals[0] = G().live ? SideStats(0).score : row >= 0 ? VTW_GetFixtureHomeGoals(row) : -1;
    G().goals[1] = G().live ? SideStats(1).score : row >= 0 ? VTW_GetFixtureAwayGoals(row) : -1;
}

// The side's players: live the team sheet's starters and at most five of the bench, else the
// kept match's whole line-up; none for a fixture other than the kept one.
void FillRows()
{
    std::fill(std::begin(G().players), std::end(G().players), -1);
    const bool kept = G().live || (G().fixture >= 0 && G().fixture == ReportFixture);
    if (!kept) {
        G().rowCount = 0;
        return;
    }
    const int32_t bench = MatchDay_GetBenchSize(*GetMatchSidesBlock());
    G().rowCount =
        G().live ? MATCH_STARTERS + std::clamp(bench, 0, LIVE_BENCH_MAX) : MATCH_SHIRT_COUNT;
    for (int32_t k = 0; k < G().rowCount; ++k) {
        const uint16_t id = LastMatchCopy.sides[G().side].playerIds[k];
        const PlayerMatchRecord* r = StatsRow_Select(G().side, k);
        if (id == 0xFFFF || r == nullptr) continue;
        G().players[k] = id;
        G().bookings[k] = PlayerMatchRecord_Get(*r, PMR_BOOKINGS);
        G().injured[k] = PlayerMatchRecord_Get(*r, PMR_HURT) != 0;
    }
}

void FillScales()
{
    for (int32_t g = 0; g < Set().count; ++g) {
        int32_t largest = 0;
        for (int32_t k = 0; k < G().rowCount; ++k) {
            if (G().players[k] >= 0)
                largest = std::max(
                    largest, MatchGraphs_Value(Set().graphs[g], *StatsRow_Select(G().side, k)));
        }
        G().scales[g] = MatchGraphs_Scale(Set().graphs[g], largest);
    }
}

// The bar of one player in one graph, its parts stacked, or the first part and the others' sum
// one behind the other (the larger behind); the key count marked inside the bar.
void DrawBar(const GraphDefinition& g, const PlayerMatchRecord& r, int32_t x, int32_t y,
             int32_t scale)
{
    const int32_t full = FullOf(g);
    const int32_t parts = PartsCount(g);
    const auto stack = [&](int32_t from, int32_t to) {
        int32_t at = 0;
        for (int32_t k = from; k < to; ++k) {
            const int32_t length =
                std::min(Length(Figure(r, g.parts[k].figure), scale, full), full - at);
            GoalCharts_DrawBar(x + at, y, BAR_HEIGHT, length, PART_COLOURS[k], false, false, true);
            at += length;
        }
    };
    if (g.rule == GRAPH_POSITIVE) {
        if (Figure(r, g.parts[0].figure) > 0) stack(0, 1);
    } else if (g.rule == GRAPH_LARGER) {
        int32_t rest = 0;
        for (int32_t k = 1; k < parts; ++k)
            rest += Figure(r, g.parts[k].figure);
        const bool firstBehind = Figure(r, g.parts[0].figure) >= rest;
        if (firstBehind) stack(0, 1);
        stack(1, parts);
        if (!firstBehind) stack(0, 1);
    } else {
        stack(0, parts);
    }
    if (g.key != N) {
        SetDrawAttribute(2, KEY_COLOUR);
        DrawHLine(x, y + BAR_HEIGHT / 2 - 1, Length(Figure(r, g.key), scale, full), 3);
    }
}

void DrawAxis(const GraphDefinition& g, int32_t x, int32_t scale)
{
    const bool time = g.title == TIME_TITLE;
    const int32_t rows = ROW_PITCH * std::max(1, G().rowCount);
    GoalCharts_DrawGrid(x, GRID_Y, time ? 88 : 90, rows, time ? 9 : 6, true);
    if (time) {
        for (const int32_t minutes : TIME_LABELS)
            DrawMenuNumber(x + minutes * TIME_FULL / scale, GRID_Y - 6, minutes, MENU_ALIGN_CENTRE);
        return;
    }
    // At the six grid lines: a seventh, past the longest bar, would run into the next graph.
    for (int32_t i = 0; i <= 5; ++i)
        DrawMenuNumber(x + i * BAR_FULL / 5, GRID_Y - 6, scale * i / 5, MENU_ALIGN_CENTRE);
}

void DrawLegends(const GraphDefinition& g, int32_t x, int32_t room)
{
    int32_t line = 0;
    const auto legend = [&](uint16_t colour, int32_t text) {
        GoalCharts_DrawBar(x, LEGEND_Y + 10 * line - 3, 7, 7, colour, false, false, true);
        DrawMenuString(x + 10, LEGEND_Y + 10 * line, FitMenuText(GetMessageText(text), room - 12),
                       MENU_ALIGN_ML);
        ++line;
    };
    if (g.keyLegend != 0) legend(KEY_COLOUR, g.keyLegend);
    for (int32_t k = 0; k < PartsCount(g); ++k) {
        if (g.parts[k].legend != 0) legend(PART_COLOURS[k], g.parts[k].legend);
    }
}

void DrawRow(int32_t n)
{
    const int32_t y = ROWS_Y + n * ROW_PITCH;
    const int32_t middle = y + ROW_PITCH / 2;
    const int32_t player = G().players[n];
    DrawMenuNumber(22, middle, n + 1, MENU_ALIGN_CENTRE);
    DrawMenuString(32, middle, FitMenuText(VTW_FormatPersonName(player), NAME_ROOM), MENU_ALIGN_ML);
    const int32_t best = SideStats(G().side).manOfTheMatch;
    MatchAnalysis_DrawMarks(152, middle, G().bookings[n], G().injured[n], player == best);
    const int32_t layout = Set().count == GRAPH_MAX ? 1 : 0;
    for (int32_t g = 0; g < Set().count; ++g) {
        DrawBar(Set().graphs[g], *StatsRow_Select(G().side, n), GRAPH_X[layout][g], y + 2,
                G().scales[g]);
    }
}

void Draw(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetDrawAttribute(2, 0);
    DoShadedBox(6, 72, 628, 338, 25);
    for (int32_t n = 1; n < GRAPH_ROWS; n += 2) {
        MenuCont_ShadedBox(14, ROWS_Y + n * ROW_PITCH, 610, ROW_PITCH, true);
    }
    // Each name in the header's room on its side of the score.
    DrawMenuStringInRoom(HOME_NAME_X, 36, G().names[0], MENU_ALIGN_MR,
                         HOME_NAME_X - HEADER_TEXT_LEFT, 2, 0);
    DrawMenuStringInRoom(AWAY_NAME_X, 36, G().names[1], MENU_ALIGN_ML,
                         HEADER_TEXT_RIGHT - AWAY_NAME_X, 2, 0);
    SetMenuFont(2);
    if (G().goals[0] >= 0) {
        DrawMenuNumber(270, 36, G().goals[0], MENU_ALIGN_CENTRE);
        DrawMenuNumber(290, 36, G().goals[1], MENU_ALIGN_CENTRE);
    }
    SetMenuFont(0);
    const int32_t layout = Set().count == GRAPH_MAX ? 1 : 0;
    for (int32_t g = 0; g < Set().count; ++g) {
        const GraphDefinition& graph = Set().graphs[g];
        const int32_t x = GRAPH_X[layout][g];
        DrawMenuString(x + 46, TITLES_Y,
                       FitMenuText(GetMessageText(graph.title), GRAPH_PITCH[layout] - 4),
                       MENU_ALIGN_CENTRE);
        DrawAxis(graph, x, G().scales[g]);
        DrawLegends(graph, x, GRAPH_PITCH[layout]);
    }
    for (int32_t n = 0; n < G().rowCount; ++n) {
        if (G().players[n] >= 0) DrawRow(n);
    }
    const int32_t chosen = G().set;
    SetDrawAttribute(2, 0xFFFF);
    DrawBoxOutline(130 + 110 * chosen - 1, 419, 102, 24);
}

int32_t Stops(MenuHotspot*) { return EXM_CODE_NONE; }
int32_t ChooseDefence(MenuHotspot*) { return MatchGraphs_ChooseSet(GRAPHS_DEFENCE); }
int32_t ChoosePossession(MenuHotspot*) { return MatchGraphs_ChooseSet(GRAPHS_POSSESSION); }
int32_t ChooseAttack(MenuHotspot*) { return MatchGraphs_ChooseSet(GRAPHS_ATTACK); }
int32_t ChooseOthers(MenuHotspot*) { return MatchGraphs_ChooseSet(GRAPHS_OTHERS); }
int32_t ShowStats(MenuHotspot*) { return MatchGraphs_ShowStats(); }
int32_t Done(MenuHotspot*) { return MatchGraphs_Done(); }

}  // namespace

const GraphDefinition* MatchGraphs_Set(int32_t set, int32_t* count)
{
    const bool known = set >= 0 && set < GRAPH_SETS;
    *count = known ? SETS[set].count : 0;
    return known ? SETS[set].graphs : nullptr;
}

int32_t MatchGraphs_SetOfCategory(int32_t category)
{
    if (category == 2) return GRAPHS_POSSESSION;  // passing
    for (int32_t s = 0; s < GRAPH_SETS; ++s) {
        if (SETS[s].category == category) return s;
    }
    return GRAPHS_ATTACK;
}

int32_t MatchGraphs_Value(const GraphDefinition& graph, const PlayerMatchRecord& record)
{
    const int32_t first = Figure(record, graph.parts[0].figure);
    if (graph.rule == GRAPH_POSITIVE) return std::max(0, first);
    int32_t rest = 0;
    for (int32_t k = 1; k < PartsCount(graph); ++k)
        rest += Figure(record, graph.parts[k].figure);
    return std::max(0, graph.rule == GRAPH_LARGER ? std::max(first, rest) : first + rest);
}

int32_t MatchGraphs_Scale(const GraphDefinition& graph, int32_t largest)
{
    if (graph.fixedScale != 0) return graph.fixedScale;
    int32_t scale = graph.floor;
    while (scale < largest)
        scale += 5;
    return scale;
}

int32_t MatchGraphs_ChooseFixture(int32_t club, int32_t today, bool live)
{
    const int32_t after = Fixture_FirstRowOfDay(live ? today + 1 : today);
    for (int32_t row = after - 1; row >= 0; --row) {
        const int32_t comp = VTW_GetFixtureCompetition(row);
        if (comp == COMP_FRIENDLY || comp == COMP_INTERNATIONAL) continue;
        if (VTW_GetFixtureHomeClub(row) == club || VTW_GetFixtureAwayClub(row) == club) return row;
    }
    return -1;
}

void MatchGraphsInit() { MatchGraphs = {}; }
void MatchGraphsUninit() { MatchGraphsInit(); }

void MatchGraphs_Build()
{
    G().live = MatchStats_InSequence();
    MenuCont_FormatTitle(G().live ? HEADER_RESTRICTED : HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) {
        MatchReportFlags &= static_cast<uint8_t>(~MATCH_REPORT_DONE);
        const int32_t human = GameState.humanClub;
        G().fixture = MatchGraphs_ChooseFixture(human, VTW_GetCurrentDay(), G().live);
        if ((MatchReportFlags & MATCH_REPORT_SIDE_CHOSEN) == 0) {
            MatchAnalysis.side = G().fixture >= 0 && VTW_GetFixtureAwayClub(G().fixture) == human;
            MatchAnalysis_SetCategory(SETS[GRAPHS_ATTACK].category);
            MatchReportFlags |= MATCH_REPORT_SIDE_CHOSEN;
        }
    }
    G().side = MatchAnalysis.side & 1;
    G().set = MatchGraphs_SetOfCategory(MatchAnalysis_Category());
    FillTitle();
    FillRows();
    FillScales();
}

int32_t MatchGraphs_ChooseSet(int32_t set)
{
    MatchAnalysis_SetCategory(SETS[std::clamp(set, 0, GRAPH_SETS - 1)].category);
    return EXM_CODE_REBUILD;
}

int32_t MatchGraphs_ShowStats()
{
    if (MatchStats_InSequence()) {
        MatchReportPage = 0;
        return EXM_CODE_LEAVE;
    }
    MenuOption = OPTION_ANALYSIS;
    MatchReportFlags = 0;
    return EXM_CODE_LEAVE;
}

int32_t MatchGraphs_Done()
{
    MatchReportFlags |= MATCH_REPORT_DONE;
    if (!MatchStats_InSequence()) {
        MenuOption = MENU_OPTION_OFFICE;
        MatchReportFlags &= static_cast<uint8_t>(~MATCH_REPORT_SIDE_CHOSEN);
    }
    return EXM_CODE_LEAVE;
}

const MenuItem* MatchGraphs_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(MatchGraphs_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // The marker keeps this screen's own clean screen, which the emblem is drawn over.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(Draw), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 20, 420, 100, 22, MenuTextNo(41), Stops},
        {0x200c, 130, 420, 100, 22, MenuTextNo(SETS[GRAPHS_DEFENCE].button), ChooseDefence},
        {0x200c, 240, 420, 100, 22, MenuTextNo(SETS[GRAPHS_POSSESSION].button), ChoosePossession},
        {0x200c, 350, 420, 100, 22, MenuTextNo(SETS[GRAPHS_ATTACK].button), ChooseAttack},
        {0x200c, 460, 420, 100, 22, MenuTextNo(SETS[GRAPHS_OTHERS].button), ChooseOthers},
        {0x200c, 145, 450, 320, 22, MenuTextNo(934), ShowStats},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Done},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
