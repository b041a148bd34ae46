// menus/matchanalysis.cpp: the match analysis table.
#include "menus/matchanalysis.h"

#include <algorithm>
#include <cstdio>

#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/textformat.h"
#include "gamecode/matchdata.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/matchstats.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

MatchAnalysisState MatchAnalysis;

namespace {

constexpr int32_t TEXT_CATEGORY_BUTTON = 1684;  // "Analyse du match"
constexpr int32_t TEXT_NO_PART = 125;           // "-"
constexpr int32_t TEXT_TO_REPORT = 2201;        // "Rapport du match"
constexpr int32_t TEXT_OTHER_SIDE = 2202;       // "Autre équipe"
constexpr int32_t HEADER_MINUTES = 684;
constexpr int32_t ICON_INJURED = 1210;
constexpr int32_t ICON_BOOKED = 1209;
constexpr int32_t ICON_SENT_OFF = 1208;
constexpr int32_t ICON_MAN_OF_THE_MATCH = 1248;
constexpr int32_t STYLE_NOTHING = 10;      // the font colour of a figure below 1
constexpr int32_t TEXT_SHOW_GRAPHS = 933;  // "Montrer graphes"
constexpr int32_t OPTION_REPORT = 62;
constexpr int32_t OPTION_GRAPHS = 61;
constexpr uint16_t PAGE_GRAPHS = 1;
constexpr int32_t MINUTES_STEP = 30;
constexpr int32_t ROWS_X = 22;
constexpr int32_t ROWS_Y = 112;
constexpr int32_t ROWS_W = 596;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t VALUES_X = 240;
constexpr int32_t VALUES_PITCH = 60;
constexpr int32_t HEADS_Y = 96;
constexpr int32_t NAME_ROOM = 108;
constexpr uint8_t CATEGORY_SHIFT = 1;

// The drop-down's rows in order, and the category each chooses; the graphs' row comes last.
constexpr int32_t ROW_TEXTS[MATCH_FIGURE_CATEGORIES] = {41, 1305, 970, 1683, 610, 654};
constexpr int32_t ROW_CATEGORIES[MATCH_FIGURE_CATEGORIES] = {0, 1, 5, 2, 3, 4};
constexpr int32_t ROW_GRAPHS = MATCH_FIGURE_CATEGORIES;

MatchAnalysisState& A() { return MatchAnalysis; }

constexpr MatchAnalysisRow EMPTY_ROW{-1, 0, false, {}, 0, false, false};

bool Played(const PlayerMatchRecord& r) { return PlayerMatchRecord_Get(r, PMR_RATING) > 0; }

// The general category's minutes: held to the bound, and a minute less for a substitute who came
// on and played less than the bound.
int32_t Minutes(int32_t played, int32_t position, int32_t bound)
{
    const int32_t minutes = std::min(played, bound);
    const bool cameOn = position >= MATCH_STARTERS;
    return minutes < bound && minutes > 1 && cameOn ? minutes - 1 : minutes;
}

MatchAnalysisRow FillRow(const LastMatchCopyRecord& copy, int32_t side, int32_t position,
                         int32_t category, int32_t length, int32_t bound)
{
    const int32_t player = copy.sides[side].playerIds[position];
    if (player == 0xFFFF) return EMPTY_ROW;
    MatchAnalysisRow row{};
    row.player = player;
    const PlayerMatchRecord& r = copy.stats[side].players[position];
    row.number = position + 1;
    row.tookPart = Played(r);
    for (int32_t c = 0; c < ANALYSIS_COLUMNS; ++c) {
        const int32_t header = MatchFigures_Header(category, c);
        row.values[c] = header == 0 ? ANALYSIS_NO_VALUE
                        : header == HEADER_MINUTES
                            ? Minutes(LastMatchCopy_MinutesPlayed(copy, side, position, length),
                                      position, bound)
                            : MatchFigures_Value(r, header);
    }
    row.bookings = PlayerMatchRecord_Get(r, PMR_BOOKINGS);
    row.injured = PlayerMatchRecord_Get(r, PMR_HURT) != 0;
    row.manOfTheMatch =
        row.player == copy.stats[0].manOfTheMatch || row.player == copy.stats[1].manOfTheMatch;
    return row;
}

void ChooseSide()
{
    if ((MatchReportFlags & MATCH_REPORT_SIDE_CHOSEN) != 0) return;
    A().side = MatchStats_HumanSide(ReportFixture);
    MatchReportFlags |= MATCH_REPORT_SIDE_CHOSEN;
}

// Inside the sequence the copy holds the match just played, a friendly between exported teams
// included, which has no fixture row.
bool HasMatch() { return ReportFixture >= 0 || MatchStats_InSequence(); }

void FillHeads()
{
    const bool match = HasMatch();
    for (int32_t n = 0; n < 2; ++n) {
        std::snprintf(A().names[n], sizeof A().names[n], "%s",
                      match ? LastMatchCopy.sides[n].teamName : "");
        A().goals[n] = match ? LastMatchCopy.stats[n].score : -1;
    }
    for (int32_t c = 0; c < ANALYSIS_COLUMNS; ++c)
        A().heads[c] = static_cast<int16_t>(MatchFigures_Header(A().category, c));
    A().sideButton =
        static_cast<int16_t>(MatchStats_InSequence() ? TEXT_OTHER_SIDE : TEXT_TO_REPORT);
}

void DrawValues(const MatchAnalysisRow& row, int32_t middle)
{
    for (int32_t c = 0; c < ANALYSIS_COLUMNS; ++c) {
        const int32_t x = VALUES_X + c * VALUES_PITCH;
        if (!row.tookPart) {
            DrawMenuMessage(x - 2, middle, TEXT_NO_PART, MENU_ALIGN_CENTRE);
            continue;
        }
        if (row.values[c] == ANALYSIS_NO_VALUE) continue;
        SetDrawAttribute(1, row.values[c] < 1 ? STYLE_NOTHING : 0);
        DrawMenuNumber(x, middle, row.values[c], MENU_ALIGN_CENTRE);
    }
    SetDrawAttribute(1, 0);
}

// A match without a fixture row is a friendly between exported teams, whose players are persons
// of other careers: the team sheet still in the match blocks names them.
const char* RowName(const MatchAnalysisRow& row, int32_t position)
{
    if (ReportFixture >= 0) return VTW_FormatPersonName(row.player);
    return GetMatchPlayerEntry(A().side, position).name;
}

void DrawRows()
{
    SetMenuFont(0);
    for (int32_t n = 0; n < ANALYSIS_ROWS; ++n) {
        const int32_t y = ROWS_Y + n * ROW_PITCH;
        const int32_t middle = y + ROW_PITCH / 2;
        MenuCont_ShadedBox(ROWS_X, y, ROWS_W, ROW_PITCH, n & 1);
        const MatchAnalysisRow& row = A().rows[n];
        if (row.player < 0) continue;
        DrawMenuNumber(ROWS_X + 11, middle, row.number, MENU_ALIGN_CENTRE);
        DrawMenuString(ROWS_X + 20, middle, FitMenuText(RowName(row, n), NAME_ROOM), MENU_ALIGN_ML);
        MatchAnalysis_DrawMarks(ROWS_X + 132, middle, row.bookings, row.injured, row.manOfTheMatch);
        DrawValues(row, middle);
    }
    MenuCont_OutlineBox(ROWS_X, ROWS_Y, ROWS_W, ANALYSIS_ROWS * ROW_PITCH);
}

void DrawTable(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(2);
    DrawMenuString(VALUES_X, 36, A().names[0], MENU_ALIGN_MR);
    DrawMenuString(VALUES_X + 80, 36, A().names[1], MENU_ALIGN_ML);
    if (A().goals[0] >= 0) {
        DrawMenuNumber(VALUES_X + 30, 36, A().goals[0], MENU_ALIGN_CENTRE);
        DrawMenuNumber(VALUES_X + 50, 36, A().goals[1], MENU_ALIGN_CENTRE);
    }
    SetMenuFont(1);
    DrawMenuString(ROWS_X, 80, A().names[A().side], MENU_ALIGN_ML);
    for (int32_t c = 0; c < ANALYSIS_COLUMNS; ++c) {
        if (A().heads[c] != 0)
            DrawMenuMessage(VALUES_X + c * VALUES_PITCH, HEADS_Y, A().heads[c], MENU_ALIGN_CENTRE);
    }
    DrawRows();
}

int32_t SideButton(MenuHotspot*) { return MatchAnalysis_SideButton(); }
int32_t Back(MenuHotspot*) { return MatchStats_Back(); }
int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

int32_t CategoryEntry(MenuListEntry* entry)
{
    return MatchAnalysis_ChooseRow(static_cast<int32_t>(entry - MatchAnalysis_CategoryPopup() - 1));
}

void PrepareCategories(MenuListRecord*)
{
    MatchStats_TickRow(MatchAnalysis_CategoryPopup(), ROW_CATEGORIES, MATCH_FIGURE_CATEGORIES,
                       MatchAnalysis_Category());
}

}  // namespace

void MatchAnalysisInit() { MatchAnalysis = {}; }
void MatchAnalysisUninit() { MatchAnalysisInit(); }

int32_t MatchAnalysis_Category()
{
    const int32_t stored = (MatchReportFlags & MATCH_REPORT_CATEGORY) >> CATEGORY_SHIFT;
    return stored - 1;
}

void MatchAnalysis_SetCategory(int32_t category)
{
    const int32_t stored = std::clamp(category, 0, MATCH_FIGURE_CATEGORIES - 1) + 1;
    MatchReportFlags = static_cast<uint8_t>((MatchReportFlags & ~MATCH_REPORT_CATEGORY)
                                            | stored << CATEGORY_SHIFT);
}

void MatchAnalysis_DrawMarks(int32_t x, int32_t middle, int32_t bookings, bool injured,
                             bool manOfTheMatch)
{
    if (injured) DoIcon(x, middle, ICON_INJURED, MENU_ALIGN_ML);
    if (bookings == 1 || bookings == 2) DoIcon(x + 12, middle, ICON_BOOKED, MENU_ALIGN_ML);
    if (bookings >= 2) DoIcon(x + 14, middle, ICON_SENT_OFF, MENU_ALIGN_ML);
    if (manOfTheMatch) DoIcon(x + 22, middle, ICON_MAN_OF_THE_MATCH, MENU_ALIGN_ML);
}

int32_t MatchAnalysis_MinutesBound(const LastMatchCopyRecord& copy, int32_t side, int32_t length)
{
    int32_t longest = 0;
    for (int32_t k = 0; k < MATCH_SHIRT_COUNT; ++k)
        longest = std::max(longest, LastMatchCopy_MinutesPlayed(copy, side, k, length));
    return longest / MINUTES_STEP * MINUTES_STEP;
}

void MatchAnalysis_FillRows(const LastMatchCopyRecord& copy, int32_t side, int32_t category)
{
    const int32_t length = MatchStats_MatchLength(copy.fixtureRow);
    const int32_t bound = MatchAnalysis_MinutesBound(copy, side, length);
    for (int32_t k = 0; k < ANALYSIS_ROWS; ++k)
        A().rows[k] = FillRow(copy, side, k, category, length, bound);
}

void MatchAnalysis_Build()
{
    MenuCont_FormatTitle(MatchStats_InSequence() ? HEADER_RESTRICTED : HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) {
        MatchReportFlags &= static_cast<uint8_t>(~MATCH_REPORT_DONE);
        ChooseSide();
        if (MatchAnalysis_Category() < 0) MatchAnalysis_SetCategory(ANALYSIS_CATEGORY_GENERAL);
    }
    A().category = MatchAnalysis_Category();
    FillHeads();
    if (HasMatch()) {
        MatchAnalysis_FillRows(LastMatchCopy, A().side, A().category);
    } else {
        std::fill(std::begin(A().rows), std::end(A().rows), EMPTY_ROW);
    }
}

int32_t MatchAnalysis_SideButton()
{
    if (!MatchStats_InSequence()) {
        MenuOption = OPTION_REPORT;
        return EXM_CODE_LEAVE;
    }
    A().side ^= 1;
    return EXM_CODE_REDRAW;
}

int32_t MatchAnalysis_ChooseRow(int32_t row)
{
    if (row == ROW_GRAPHS) return MatchAnalysis_ShowGraphs();
    if (row < 0 || row >= MATCH_FIGURE_CATEGORIES) return LIST_CODE_CLOSE;
    if (ROW_CATEGORIES[row] == MatchAnalysis_Category()) return LIST_CODE_KEEP;
    MatchAnalysis_SetCategory(ROW_CATEGORIES[row]);
    return LIST_CODE_REDRAW;
}

int32_t MatchAnalysis_ShowGraphs()
{
    if (MatchAnalysis_Category() < 0) return LIST_CODE_CLOSE;
    MatchReportPage = PAGE_GRAPHS;
    if (!MatchStats_InSequence()) MenuOption = OPTION_GRAPHS;
    return LIST_CODE_LEAVE;
}

MenuListEntry* MatchAnalysis_CategoryPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_CATEGORY_BUTTON, PrepareCategories),
        MenuList_Entry(ROW_TEXTS[0], CategoryEntry),
        MenuList_Entry(ROW_TEXTS[1], CategoryEntry),
        MenuList_Entry(ROW_TEXTS[2], CategoryEntry),
        MenuList_Entry(ROW_TEXTS[3], CategoryEntry),
        MenuList_Entry(ROW_TEXTS[4], CategoryEntry),
        MenuList_Entry(ROW_TEXTS[5], CategoryEntry),
        MenuList_Entry(TEXT_SHOW_GRAPHS, CategoryEntry),
        MenuList_End(),
    };
    return popup;
}

const MenuItem* MatchAnalysis_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(MatchAnalysis_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawTable), nullptr},
        {0x1f, 570, 436, 40, 40, MenuNumber(-1), Back},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x200f, 322, 440, 240, 30, MenuVariable(&MatchAnalysis.sideButton), SideButton},
        {0x200c, 32, 440, 244, 30, MenuTextNo(TEXT_CATEGORY_BUTTON), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(MatchAnalysis_CategoryPopup()), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
