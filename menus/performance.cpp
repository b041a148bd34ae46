// menus/performance.cpp: the performance screen.
#include "menus/performance.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "game/funcs.h"
#include "game/tactics.h"
#include "game/textformat.h"
#include "gamecode/matchdata.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/matchstats.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

PerformanceState Performance;

namespace {

constexpr int32_t TEXT_MODES_BUTTON = 1684;  // "Analyse du match"
constexpr int32_t TEXT_STATISTICS = 1836;    // "Action sur le terrain"
constexpr int32_t TEXT_TIME_ANALYSIS = 1835;
constexpr int32_t TEXT_PERFORMANCE = 243;
constexpr int32_t TEXT_WRITTEN_ANALYSIS = 2203;  // "Analyse écrite"
constexpr int32_t OPTION_WRITTEN_ANALYSIS = 74;
constexpr int32_t BACKGROUND = 15;
constexpr int32_t DISC_ICON = 1211;  // + the player's line
constexpr int32_t ICON_BOOKED = 1209;
constexpr int32_t ICON_SENT_OFF = 1208;
constexpr int32_t ICON_INJURED = 1210;
constexpr int32_t CELL_W = 30;
constexpr int32_t CELL_H = 19;
constexpr int32_t PITCH_X = 47;
constexpr int32_t PITCH_Y = 41;
constexpr int32_t MARKER_X = 62;  // a player's marker: column x 30 + 62, row x 19 + 50
constexpr int32_t MARKER_Y = 50;
constexpr int32_t INFO_Y = 370;
constexpr uint16_t COVERAGE_RED = 0xF800;
constexpr int32_t COVERAGE_FAINTEST = 6;  // of 15
constexpr int32_t GOALKEEPER_LINE = 0;
constexpr uint16_t PASS_LINE_COLOUR = 0xFFE0;  // yellow on the pitch's green

// What a mode's label shows: a column of the figure table by its header, one of these, or a
// match figure by Figure().
enum : int16_t {
    NOT_KEPT = 0,  // a figure nobody counts: 0
    SUPPORT = -1,
    MINUTES = -2,
    BOOKINGS = -3,
    SENDINGS_OFF = -4,
};
constexpr int32_t FIRST_MATCH_FIGURE = -1000;
constexpr int16_t Figure(int32_t figure)
{
    return static_cast<int16_t>(FIRST_MATCH_FIGURE - figure);
}
struct ModeLabel {
    int16_t text;
    int16_t figure;  // a header of the figure table, or one of the words above
};
// Per mode the top row's three labels, then the bottom row's.
constexpr ModeLabel MODE_LABELS[6][PERFORMANCE_FIGURES] = {
    {{1415, 664}, {935, 667}, {1437, 685}, {1416, 665}, {936, 668}, {911, 686}},
    {{1417, 671}, {959, 689}, {958, 688}, {1422, 674}, {956, SUPPORT}, {1425, 675}},
    {{1592, 669}, {1413, 676}, {1430, 679}, {1421, 670}, {1414, 672}, {954, 680}},
    {{1435, Figure(PMS_PENALTIES_TAKEN)},
     {1426, Figure(PMS_FREE_KICKS_TAKEN)},
     {925, Figure(PMS_CORNERS_TAKEN)},
     {1438, Figure(PMS_PENALTIES_SCORED)},
     {1406, Figure(PMS_FREE_KICKS_SCORED)},
     {1407, Figure(PMS_CORNERS_SCORED)}},
    {{1432, 681}, {1434, 683}, {1428, 678}, {1433, 682}, {1642, 677}, {911, 686}},
    {{243, 692}, {64, 683}, {956, SUPPORT}, {963, MINUTES}, {1411, BOOKINGS}, {1410, SENDINGS_OFF}},
};
constexpr ModeLabel KEEPER_LABELS[PERFORMANCE_FIGURES] = {
    {1409, 659}, {1412, 661}, {1405, 666}, {936, 668}, {-1, NOT_KEPT}, {-1, NOT_KEPT},
};
constexpr int32_t KEEPER_TEXT_HEADERS[5] = {692, 659, 661, 666, 668};

// The drop-down's rows and their modes.
constexpr int32_t ROW_TEXTS[] = {1305, 970, 1683, 48, 610, 243, 1687, TEXT_WRITTEN_ANALYSIS};
constexpr int32_t ROW_MODES[] = {0, 1, 2, 3, 4, 5, 7, PERFORMANCE_MODE_WRITTEN};
constexpr int32_t MODE_ROWS = static_cast<int32_t>(std::size(ROW_MODES));

PerformanceState& P() { return Performance; }

// The card bits: one booking 1/0, two bookings 2/1, a straight red 0/1.
int32_t Bookings(int32_t bits) { return bits == 3 ? 0 : bits; }
int32_t SendingsOff(int32_t bits) { return bits >= 2 ? 1 : 0; }

int32_t FigureOf(const PlayerMatchRecord& r, int16_t figure, int32_t minutes)
{
    switch (figure) {
        case NOT_KEPT: return 0;
        case SUPPORT: return PlayerMatchRecord_Get(r, 7);
        case MINUTES: return minutes;
        case BOOKINGS: return Bookings(PlayerMatchRecord_Get(r, PMR_BOOKINGS));
        case SENDINGS_OFF: return SendingsOff(PlayerMatchRecord_Get(r, PMR_BOOKINGS));
        default:
            if (figure <= FIRST_MATCH_FIGURE)
                return Football_GetMatchFigure(r, FIRST_MATCH_FIGURE - figure);
            return MatchFigures_Value(r, figure);
    }
}

const PlayerMatchRecord& RecordOf(int32_t player)
{
    return LastMatchCopy.stats[P().side].players[player - 1];
}

int32_t MinutesOf(int32_t player)
{
    return LastMatchCopy_MinutesPlayed(LastMatchCopy, P().side, player - 1,
                                       MatchStats_MatchLength(ReportFixture));
}

int32_t PlayerIdOf(int32_t player) { return LastMatchCopy.sides[P().side].playerIds[player - 1]; }

bool IsGoalkeeper(int32_t player)
{
    const int32_t id = PlayerIdOf(player);
    return player == 1 || (id != 0xFFFF && VTW_GetPositionType(id) == GOALKEEPER_LINE);
}

// "top 1, bottom 1, top 2, ..." of the six; a keeper's rating, saves, shots missed, goals
// conceded and clearances.
void FormatText(int32_t player)
{
    char* text = P().texts[player - 1];
    text[0] = '\0';
    const PlayerMatchRecord& r = RecordOf(player);
    if (P().mode == PERFORMANCE_MODE_WRITTEN || P().mode == PERFORMANCE_MODE_COVERAGE) return;
    if (P().mode == PERFORMANCE_MODE_DISTRIBUTION && player != P().selected) {
        const PerformancePasses passes = Performance_PassesTo(RecordOf(P().selected), player);
        std::snprintf(text, PERFORMANCE_TEXT_BYTES, "%d-%d", passes.made, passes.completed);
        return;
    }
    if (IsGoalkeeper(player)) {
        int32_t v[5];
        for (int32_t k = 0; k < 5; ++k)
            v[k] = MatchFigures_Value(r, KEEPER_TEXT_HEADERS[k]);
        std::snprintf(text, PERFORMANCE_TEXT_BYTES, "%d-%d-%d-%d-%d", v[0], v[1], v[2], v[3], v[4]);
        return;
    }
    const PerformanceFigures f = Performance_Figures(r, P().mode, false, MinutesOf(player));
    std::snprintf(text, PERFORMANCE_TEXT_BYTES, "%d-%d-%d-%d-%d-%d", f.values[0], f.values[3],
                  f.values[1], f.values[4], f.values[2], f.values[5]);
}

// The engine counts every map from one end of the pitch for the whole match. A side's map is
// turned so that its own goal is on the left, as its formation is drawn: the end where its
// keeper's counts lie tells.
bool OwnGoalOnRight(int32_t side)
{
    const int32_t keeper = side * MATCH_SHIRT_COUNT;
    uint64_t left = 0, right = 0;
    for (int32_t r = 0; r < TACTIC_GRID_ROWS; ++r) {
        for (int32_t c = 0; c < TACTIC_GRID_COLUMNS; ++c)
            (c < TACTIC_GRID_COLUMNS / 2 ? left : right) +=
                GetMatchDataBlock()->heatMaps[keeper][r][c];
    }
    return right > left;
}

// Cells of one shade are drawn together: each shade's blend table is then looked up once a
// redraw, not once a cell.
void DrawCoverage()
{
    // The data block is packed: its counts are copied out, never read through a pointer.
    const int32_t entity = P().side * MATCH_SHIRT_COUNT + P().selected - 1;
    uint32_t map[TACTIC_GRID_ROWS][TACTIC_GRID_COLUMNS];
    std::memcpy(map, GetMatchDataBlock()->heatMaps[entity], sizeof map);
    uint32_t largest = 0;
    for (const auto& row : map)
        largest = std::max(largest, *std::max_element(std::begin(row), std::end(row)));
    const bool turned = OwnGoalOnRight(P().side);
    int32_t shades[TACTIC_GRID_ROWS][TACTIC_GRID_COLUMNS];
    bool used[101] = {};
    for (int32_t r = 0; r < TACTIC_GRID_ROWS; ++r) {
        for (int32_t c = 0; c < TACTIC_GRID_COLUMNS; ++c) {
            const int32_t shownR = turned ? TACTIC_GRID_ROWS - 1 - r : r;
            const int32_t shownC = turned ? TACTIC_GRID_COLUMNS - 1 - c : c;
            shades[shownR][shownC] = Performance_CoverageShade(map[r][c], largest);
            used[shades[shownR][shownC]] = true;
        }
    }
    SetDrawAttribute(2, COVERAGE_RED);
    for (int32_t shade = 1; shade <= 100; ++shade) {
        if (!used[shade]) continue;
        for (int32_t r = 0; r < TACTIC_GRID_ROWS; ++r) {
            for (int32_t c = 0; c < TACTIC_GRID_COLUMNS; ++c) {
                if (shades[r][c] == shade)
                    DoShadedBox(PITCH_X + c * CELL_W, PITCH_Y + r * CELL_H, CELL_W, CELL_H, shade);
            }
        }
    }
}

void DrawPlayer(int32_t player, int32_t x, int32_t y)
{
    const int32_t id = PlayerIdOf(player);
    if (id == 0xFFFF) return;
    const bool selected = player == P().selected;
    DoIcon(x, y, DISC_ICON + std::clamp(VTW_GetPositionType(id), 0, 3), MENU_ALIGN_CENTRE);
    SetMenuFont(0);
    SetDrawAttribute(1, selected ? 8 : 0);
    DrawMenuNumber(x, y, player, MENU_ALIGN_CENTRE);
    DrawMenuString(x, y + 12, FitMenuText(VTW_FormatPersonName(id), 2 * CELL_W), MENU_ALIGN_CENTRE);
    DrawMenuString(x, y - 16, P().texts[player - 1], MENU_ALIGN_CENTRE);
    SetDrawAttribute(1, 0);
}

// The marker of the player's formation cell; false for a player off the grid.
bool MarkerOf(int32_t player, int32_t* x, int32_t* y)
{
    for (int32_t r = 0; r < TACTIC_GRID_ROWS; ++r) {
        for (int32_t c = 0; c < TACTIC_GRID_COLUMNS; ++c) {
            if (P().grid[r][c] != player) continue;
            *x = c * CELL_W + MARKER_X;
            *y = r * CELL_H + MARKER_Y;
            return true;
        }
    }
    return false;
}

// A line from the selected player to each team-mate on the grid he passed to.
void DrawPassLines()
{
    int32_t fromX = 0, fromY = 0;
    if (!MarkerOf(P().selected, &fromX, &fromY)) return;
    const PlayerMatchRecord& from = RecordOf(P().selected);
    SetDrawAttribute(2, PASS_LINE_COLOUR);
    for (int32_t player = 1; player <= MATCH_SHIRT_COUNT; ++player) {
        int32_t x = 0, y = 0;
        if (player == P().selected || Performance_PassesTo(from, player).made == 0
            || !MarkerOf(player, &x, &y))
            continue;
        DrawVLine(fromX, fromY, x - fromX, y - fromY);
    }
}

void DrawPlayers()
{
    if (P().mode == PERFORMANCE_MODE_DISTRIBUTION) DrawPassLines();
    for (int32_t r = 0; r < TACTIC_GRID_ROWS; ++r) {
        for (int32_t c = 0; c < TACTIC_GRID_COLUMNS; ++c) {
            const int32_t player = P().grid[r][c];
            if (player != PERFORMANCE_EMPTY_CELL)
                DrawPlayer(player, c * CELL_W + MARKER_X, r * CELL_H + MARKER_Y);
        }
    }
}

void DrawInfoBox()
{
    SetDrawAttribute(2, 0);
    DoShadedBox(30, INFO_Y, 580, 20, 50);
    DoShadedBox(30, INFO_Y + 20, 580, 40, 25);
    const int32_t id = PlayerIdOf(P().selected);
    if (id == 0xFFFF) return;
    const PlayerMatchRecord& r = RecordOf(P().selected);
    SetMenuFont(0);
    DrawMenuString(40, INFO_Y + 10, VTW_FormatPersonName(id), MENU_ALIGN_ML);
    DrawMenuMessage(233, INFO_Y + 10, TEXT_PERFORMANCE, MENU_ALIGN_ML);
    DrawMenuNumber(406, INFO_Y + 10, PlayerMatchRecord_Get(r, PMR_RATING), MENU_ALIGN_MR);
    const int32_t goals = PlayerMatchRecord_Get(r, PMR_GOALS);
    if (goals > 0) {
        char text[16];
        std::snprintf(text, sizeof text, "(%d)", goals);
        DrawMenuString(426, INFO_Y + 10, text, MENU_ALIGN_ML);
    }
    const int32_t cards = PlayerMatchRecord_Get(r, PMR_BOOKINGS);
    if (cards != 0)
        DoIcon(466, INFO_Y + 10, cards == 3 ? ICON_SENT_OFF : ICON_BOOKED, MENU_ALIGN_ML);
    if (cards == 2) DoIcon(469, INFO_Y + 10, ICON_SENT_OFF, MENU_ALIGN_ML);
    if (PlayerMatchRecord_Get(r, PMR_HURT) != 0)
        DoIcon(481, INFO_Y + 10, ICON_INJURED, MENU_ALIGN_ML);
    constexpr int32_t LABEL_X[3] = {40, 233, 426};
    for (int32_t k = 0; k < PERFORMANCE_FIGURES; ++k) {
        if (P().shown.labels[k] < 0) continue;
        const int32_t x = LABEL_X[k % 3];
        const int32_t y = INFO_Y + 30 + (k / 3) * 20;
        DrawMenuMessage(x, y, P().shown.labels[k], MENU_ALIGN_ML);
        DrawMenuNumber(x + 173, y, P().shown.values[k], MENU_ALIGN_MR);
    }
}

void DrawScreen(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderTitle(320, 30, P().title, 1);
    SetMenuFont(1);
    if (P().mode == PERFORMANCE_MODE_COVERAGE) DrawCoverage();
    DrawPlayers();
    DrawInfoBox();
    for (int32_t n = 0; n < P().substituteCount; ++n) {
        const int32_t player = P().substitutes[n];
        const int32_t x = 20 + n * 185;
        SetDrawAttribute(2, 0);
        DoShadedBox(x, 344, 180, 20, player == P().selected ? 50 : 25);
        char text[64];
        std::snprintf(text, sizeof text, "%d %s", player, VTW_FormatPersonName(PlayerIdOf(player)));
        DrawMenuString(x + 6, 354, FitMenuText(text, 168), MENU_ALIGN_ML);
    }
}

int32_t PitchClick(MenuHotspot*)
{
    if (EXM_GetClickState() != 1) return EXM_CODE_NONE;
    const int32_t scale = std::max<int32_t>(1, MenuScreen.scale);
    return Performance_SelectAt(PointerX() / scale, PointerY() / scale);
}

int32_t Substitute(MenuHotspot* hotspot)
{
    return Performance_SelectSubstitute((hotspot->x - 20) / 185);
}
int32_t Statistics(MenuHotspot*) { return MatchStats_Statistics(); }
int32_t TimeAnalysis(MenuHotspot*) { return MatchStats_TimeAnalysis(); }
int32_t Back(MenuHotspot*) { return MatchStats_Back(); }
int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

int32_t ModeEntry(MenuListEntry* entry)
{
    return Performance_ChooseRow(static_cast<int32_t>(entry - Performance_ModePopup() - 1));
}

void PrepareModes(MenuListRecord*)
{
    MatchStats_TickRow(Performance_ModePopup(), ROW_MODES, MODE_ROWS, P().mode);
}

}  // namespace

void PerformanceInit()
{
    Performance = {};
    Performance.mode = PERFORMANCE_MODE_FIRST;
    Performance.selected = 1;
}
void PerformanceUninit() { PerformanceInit(); }

PerformanceFigures Performance_Figures(const PlayerMatchRecord& record, int32_t mode,
                                       bool goalkeeper, int32_t minutes)
{
    PerformanceFigures f{};
    std::fill(std::begin(f.labels), std::end(f.labels), int16_t{-1});
    if (mode < 0 || mode == PERFORMANCE_MODE_WRITTEN || mode >= PERFORMANCE_MODE_COVERAGE) return f;
    const ModeLabel* labels = goalkeeper ? KEEPER_LABELS : MODE_LABELS[mode];
    for (int32_t k = 0; k < PERFORMANCE_FIGURES; ++k) {
        f.labels[k] = labels[k].text;
        f.values[k] = labels[k].text < 0 ? 0 : FigureOf(record, labels[k].figure, minutes);
    }
    return f;
}

PerformancePasses Performance_PassesTo(const PlayerMatchRecord& from, int32_t player)
{
    if (player < 1 || player > MATCH_SHIRT_COUNT) return {};
    return {Football_GetMatchFigure(from, PMS_PASSES_TO + player - 1),
            Football_GetMatchFigure(from, PMS_COMPLETED_TO + player - 1)};
}

void Performance_FillGrid(const TacticsRecord& tactic)
{
    for (auto& row : P().grid)
        std::fill(std::begin(row), std::end(row), PERFORMANCE_EMPTY_CELL);
    for (int32_t slot = 0; slot < TACTIC_SLOT_COUNT; ++slot) {
        const TacticsSlot& s = tactic.slots[slot];
        if (s.row < 0 || s.row >= TACTIC_GRID_ROWS || s.column < 0
            || s.column >= TACTIC_GRID_COLUMNS)
            continue;
        P().grid[s.row][s.column] = static_cast<int16_t>(slot + 1);
    }
}

void Performance_FindSubstitutes(const LastMatchCopyRecord& copy, int32_t side)
{
    P().substituteCount = 0;
    for (int32_t k = MATCH_STARTERS; k < MATCH_SHIRT_COUNT; ++k) {
        if (P().substituteCount == PERFORMANCE_SUBSTITUTES) break;
        if (copy.sides[side].playerIds[k] == 0xFFFF) continue;
        if (PlayerMatchRecord_Get(copy.stats[side].players[k], PMR_RATING) > 0)
            P().substitutes[P().substituteCount++] = k + 1;
    }
}

int32_t Performance_CoverageShade(uint32_t count, uint32_t largest)
{
    if (count == 0 || largest == 0) return 0;
    // At least the faintest shade for any visit: a cell visited a little more must not show
    // fainter than one visited once.
    const int32_t strength = std::max<int32_t>(
        COVERAGE_FAINTEST, static_cast<int32_t>(uint64_t{count} * 100 / largest * 15 / 100));
    return strength * 100 / 15;
}

void Performance_Build()
{
    MenuCont_FormatTitle(MatchStats_InSequence() ? HEADER_RESTRICTED : HEADER_CLUB | HEADER_DATE);
    const int32_t row = ReportFixture;
    if (EXM_GetRebuildFlag() != 0) {
        P().side = MatchStats_HumanSide(row);
        MatchStats_FormatScoreLine(row, P().title, sizeof P().title);
        const int32_t tactic = LastMatchCopy.sides[P().side].tactic;
        Performance_FillGrid(*GetTactic(tactic >= 0 ? tactic : CurrentTactic));
        Performance_FindSubstitutes(LastMatchCopy, P().side);
    }
    for (int32_t player = 1; player <= MATCH_SHIRT_COUNT; ++player)
        FormatText(player);
    P().shown = Performance_Figures(RecordOf(P().selected), P().mode, IsGoalkeeper(P().selected),
                                    MinutesOf(P().selected));
}

int32_t Performance_SelectAt(int32_t x, int32_t y)
{
    for (int32_t r = 0; r < TACTIC_GRID_ROWS; ++r) {
        for (int32_t c = 0; c < TACTIC_GRID_COLUMNS; ++c) {
            const int32_t player = P().grid[r][c];
            if (player == PERFORMANCE_EMPTY_CELL) continue;
            if (std::abs(x - (c * CELL_W + PITCH_X)) >= CELL_W
                || std::abs(y - (r * CELL_H + PITCH_Y)) >= CELL_H)
                continue;
            P().selected = player;
            return EXM_CODE_REDRAW;
        }
    }
    return EXM_CODE_NONE;
}

int32_t Performance_SelectSubstitute(int32_t n)
{
    if (n < 0 || n >= P().substituteCount) return EXM_CODE_NONE;
    P().selected = P().substitutes[n];
    return EXM_CODE_REDRAW;
}

int32_t Performance_ChooseRow(int32_t row)
{
    if (row < 0 || row >= MODE_ROWS) return LIST_CODE_CLOSE;
    if (ROW_MODES[row] != PERFORMANCE_MODE_WRITTEN) {
        P().mode = ROW_MODES[row];
        P().selected = 1;
        return LIST_CODE_REDRAW;
    }
    if (MatchStats_InSequence()) return MatchStats_ShowNext(MATCH_WORD_WRITTEN_ANALYSIS);
    MenuOption = OPTION_WRITTEN_ANALYSIS;
    return LIST_CODE_LEAVE;
}

MenuListEntry* Performance_ModePopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_MODES_BUTTON, PrepareModes), MenuList_Entry(ROW_TEXTS[0], ModeEntry),
        MenuList_Entry(ROW_TEXTS[1], ModeEntry),         MenuList_Entry(ROW_TEXTS[2], ModeEntry),
        MenuList_Entry(ROW_TEXTS[3], ModeEntry),         MenuList_Entry(ROW_TEXTS[4], ModeEntry),
        MenuList_Entry(ROW_TEXTS[5], ModeEntry),         MenuList_Entry(ROW_TEXTS[6], ModeEntry),
        MenuList_Entry(ROW_TEXTS[7], ModeEntry),         MenuList_End(),
    };
    static_assert(std::size(popup) == MODE_ROWS + 2);
    return popup;
}

const MenuItem* Performance_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Performance_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(BACKGROUND), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawScreen), nullptr},
        {0x1f, PITCH_X, PITCH_Y, 540, 285, MenuNumber(-1), PitchClick},
        {0x1f, 20, 344, 180, 20, MenuNumber(-1), Substitute},
        {0x1f, 205, 344, 180, 20, MenuNumber(-1), Substitute},
        {0x1f, 390, 344, 180, 20, MenuNumber(-1), Substitute},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), Back},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200c, 208, 440, 173, 30, MenuTextNo(TEXT_STATISTICS), Statistics},
        {0x200c, 386, 440, 173, 30, MenuTextNo(TEXT_TIME_ANALYSIS), TimeAnalysis},
        {0x200c, 30, 440, 173, 30, MenuTextNo(TEXT_MODES_BUTTON), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(Performance_ModePopup()), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
