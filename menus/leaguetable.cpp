// menus/leaguetable.cpp: the league table screen.
#include "menus/leaguetable.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

LeagueTableState LeagueTableScreen;

namespace {

constexpr int32_t BACKGROUND = 0;
constexpr int32_t FRAME_X = 30;
constexpr int32_t FRAME_Y = 98;
constexpr int32_t FRAME_W = 596;
constexpr int32_t ROWS_Y = 100;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t TEXT_Y = ROW_PITCH / 2;
constexpr int32_t ROW_FONT = 1;
constexpr int16_t NAME_X = 60;
constexpr int16_t ARROW_X = 231;  // the movement arrow, centred
constexpr int32_t ARROW_HALF = 8;
constexpr int32_t NAME_ROOM = ARROW_X - ARROW_HALF - 4 - NAME_X;
constexpr int32_t BUTTON_H = 30;
constexpr int32_t MIN_DIVISIONS = 2;
constexpr int32_t MAX_BUTTONS = 6;

LeagueTableState& S() { return LeagueTableScreen; }

int32_t DivisionSize() { return VTW_GetDivisionSize(S().division); }

void BlankRows()
{
    for (LeagueTableRow& row : S().rows) {
        row = {-1,
               0,
               -1,
               ROW_FONT,
               LEAGUE_TABLE_BLANK,
               LEAGUE_TABLE_BLANK,
               {LEAGUE_TABLE_BLANK, LEAGUE_TABLE_BLANK, LEAGUE_TABLE_BLANK},
               {LEAGUE_TABLE_BLANK, LEAGUE_TABLE_BLANK, LEAGUE_TABLE_BLANK},
               LEAGUE_TABLE_BLANK,
               LEAGUE_TABLE_BLANK,
               LEAGUE_TABLE_BLANK,
               LEAGUE_TABLE_BLANK,
               LEAGUE_TABLE_NO_ICON};
    }
}

int16_t Word(int32_t n) { return static_cast<int16_t>(n); }

void FillRow(LeagueTableRow& row, int32_t club)
{
    int32_t totals[3], home[5], away[5];
    VTW_GetLeagueRowTotals(club, totals);
    VTW_GetLeagueRowHome(club, home);
    VTW_GetLeagueRowAway(club, away);
    row.club = Word(club);
    row.name = Word(VTW_ClubNameTextNo(VTW_GetTeam(club)));
    row.nameFont = Word(FitMenuFont(GetMessageText(row.name), NAME_ROOM, ROW_FONT, 0));
    row.played = Word(totals[0]);
    row.points = Word(totals[1]);
    row.position = Word(totals[2]);
    for (int32_t k = 0; k < 3; ++k) {
        row.home[k] = Word(home[k]);
        row.away[k] = Word(away[k]);
    }
    row.goalsFor = Word(home[3] + away[3]);
    row.goalsAgainst = Word(home[4] + away[4]);
    row.difference = Word(row.goalsFor - row.goalsAgainst);
    row.movementIcon = Word(LEAGUE_TABLE_STEADY_ICON + Tables_GetMovement(club));
    row.highlight = VTW_GetClubController(club) > 0 ? LEAGUE_TABLE_HIGHLIGHT : int16_t{0};
}

void Init_LeagueTable() { LeagueTable_Build(EXM_GetRebuildFlag() != 0); }

// Shaded bands by row parity, then one outline around the rows shown.
void DrawFrame(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    for (int32_t i = 0; i < S().shown; ++i) {
        MenuCont_ShadedBox(FRAME_X, FRAME_Y + ROW_PITCH * i, FRAME_W, ROW_PITCH, i);
    }
    if (S().shown > 0) MenuCont_OutlineBox(FRAME_X, FRAME_Y, FRAME_W, ROW_PITCH * S().shown);
}

template <int32_t Division>
int32_t ChooseDivision(MenuHotspot*)
{
    return LeagueTable_ChooseDivision(Division);
}

constexpr std::array<ClickFn, MAX_BUTTONS> kChooseDivision = {ChooseDivision<0>, ChooseDivision<1>,
                                                              ChooseDivision<2>, ChooseDivision<3>,
                                                              ChooseDivision<4>, ChooseDivision<5>};

DivisionButtonSet s_buttons = {LeagueTableScreen.divisionHighlights,
                               LeagueTableScreen.divisionTexts,
                               kChooseDivision.data(),
                               {}};

struct ButtonPlace {
    int16_t x;
    int16_t y;
};
struct ButtonRow {
    int16_t width;
    ButtonPlace places[MAX_BUTTONS];
};

// By the number of divisions, from 2; six divisions take two lines.
// clang-format off
constexpr ButtonRow kButtonRows[] = {
    {244, {{74, 440}, {320, 440}}},
    {164, {{74, 440}, {240, 440}, {406, 440}}},
    {120, {{74, 440}, {196, 440}, {318, 440}, {440, 440}}},
    {96,  {{74, 440}, {172, 440}, {270, 440}, {368, 440}, {466, 440}}},
    {164, {{74, 408}, {240, 408}, {406, 408}, {74, 440}, {240, 440}, {406, 440}}},
};
// clang-format on

// The division's name, in the header's room.
void DrawTitle(int32_t x, int32_t y, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderTitle(x, y, GetMessageText(LeagueTableScreen.title));
}

}  // namespace

void LeagueTableInit() { LeagueTableScreen = {}; }

void LeagueTableUninit() { LeagueTableInit(); }

void LeagueTable_Build(bool entering)
{
    if (entering) {
        MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
        const int32_t human = VTW_GetClubOfManager(MANAGER_HUMAN);
        S().division = Word(std::max(human >= 0 ? VTW_FindDivisionOfTeam(human) : 0, 0));
        S().first = 0;
    }
    Season_ClearTablesAndScan(-1);
    BlankRows();
    S().divisionButtons = DivisionButtons_Fill(&s_buttons, S().division);
    S().title = Word(VTW_GetDivisionLongNameTextNo(S().division));
    S().shown = Word(std::min(DivisionSize(), LEAGUE_TABLE_ROWS));
    for (int32_t r = 0; r < S().shown; ++r) {
        const int32_t club = VTW_GetDivisionSlot(S().division, S().first + r);
        if (club >= 0) FillRow(S().rows[r], club);
    }
    EXM_SetRowCount(S().shown);
}

const MenuItem* LeagueTable_DivisionButtons(int32_t divisions)
{
    return DivisionButtons_Table(&s_buttons, divisions);
}

const MenuItem* DivisionButtons_Table(DivisionButtonSet* set, int32_t divisions)
{
    if (divisions < MIN_DIVISIONS || divisions > MAX_BUTTONS) divisions = MIN_DIVISIONS;
    MenuItem* table = set->tables[divisions - MIN_DIVISIONS];
    if (table[0].kind != 0) return table;
    const ButtonRow& buttons = kButtonRows[divisions - MIN_DIVISIONS];
    for (int32_t k = 0; k < divisions; ++k) {
        const ButtonPlace& at = buttons.places[k];
        table[2 * k] = {0x31, 0, 0, 0, 0, MenuVariable(&set->highlights[k]), nullptr};
        table[2 * k + 1] = {0x200f,        at.x,     at.y,
                            buttons.width, BUTTON_H, MenuVariable(&set->texts[k]),
                            set->choose[k]};
    }
    table[2 * divisions] = {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr};
    table[2 * divisions + 1] = MenuEndItem(nullptr, nullptr);
    return table;
}

const MenuItem* DivisionButtons_Fill(DivisionButtonSet* set, int32_t shown)
{
    const int32_t divisions = VTW_GetCountryDivisions();
    for (int32_t k = 0; k < DIVISION_MAX; ++k) {
        set->texts[k] = Word(k < divisions ? VTW_GetDivisionTextNo(k) : -1);
        set->highlights[k] = k == shown ? LEAGUE_TABLE_HIGHLIGHT : int16_t{0};
    }
    return DivisionButtons_Table(set, divisions);
}

void LeagueTable_DrawSeparators(int32_t x, int32_t y, int32_t w, int32_t, int32_t row)
{
    const int32_t country = VTW_GetCountry();
    const int32_t division = S().division;
    const int32_t place = S().first + row;
    const int32_t promoted = PromotionCounts(country, division, 0);
    const int32_t relegated = PromotionCounts(country, division, 1);
    const int32_t playOff = promoted + PromotionCounts(country, division, 2);
    const int32_t lineY = y - LEAGUE_TABLE_SEPARATOR_ABOVE;
    SetDrawAttribute(2, LEAGUE_TABLE_SEPARATOR_COLOUR);
    if ((promoted != 0 && place == promoted)
        || (relegated != 0 && place == DivisionSize() - relegated))
        DrawHLine(x, lineY, w, 1);
    if (playOff != 0 && place == playOff) {
        for (int32_t dx = 0; dx < w; dx += 2 * LEAGUE_TABLE_DASH) {
            DrawHLine(x + dx, lineY, std::min(LEAGUE_TABLE_DASH, w - dx), 1);
        }
    }
}

int32_t LeagueTable_ChooseDivision(int32_t division)
{
    S().first = 0;
    S().division = Word(division);
    return EXM_CODE_REDRAW;
}

int32_t LeagueTable_Row(MenuHotspot* hotspot)
{
    if (hotspot->row >= LEAGUE_TABLE_ROWS || S().rows[hotspot->row].club < 0) return EXM_CODE_NONE;
    GameState.currentClub = Word(VTW_GetDivisionSlot(S().division, S().first + hotspot->row));
    MenuOption = MENU_OPTION_TO_SQUAD;
    return EXM_CODE_LEAVE;
}

// A division has at most 24 clubs, so one page up always reaches the top.
int32_t LeagueTable_PageUp(MenuHotspot*)
{
    S().first = 0;
    return EXM_CODE_REDRAW;
}

int32_t LeagueTable_PageDown(MenuHotspot*)
{
    const int32_t size = DivisionSize();
    if (S().first + LEAGUE_TABLE_ROWS < size - LEAGUE_TABLE_ROWS)
        S().first = Word(S().first + LEAGUE_TABLE_ROWS);
    else
        S().first = Word(size >= LEAGUE_TABLE_ROWS ? size - LEAGUE_TABLE_ROWS : 0);
    return EXM_CODE_REDRAW;
}

int32_t LeagueTable_Back(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

const MenuItem* LeagueTable_Table()
{
    constexpr int16_t STRIDE = sizeof(LeagueTableRow);
    const LeagueTableRow* r = &LeagueTableScreen.rows[0];
    auto number = [&](int16_t x, const int16_t* value) {
        return MenuItem{0x16, x, TEXT_Y, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(value), nullptr};
    };
    static const MenuItem row[] = {
        {0x24, FRAME_X, 0, FRAME_W, ROW_PITCH, MenuCallback(LeagueTable_DrawSeparators), nullptr},
        {0x31, 0, 0, 0, STRIDE, MenuVariable(&r->highlight), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        number(45, &r->position),
        {0x0e, 0, 0, 0, STRIDE, MenuVariable(&r->nameFont), nullptr},
        {0x10, NAME_X, TEXT_Y, MENU_ALIGN_ML, STRIDE, MenuVariable(&r->name), nullptr},
        {0x04, ARROW_X, TEXT_Y, MENU_ALIGN_CENTRE, STRIDE, MenuVariable(&r->movementIcon), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        number(260, &r->played),
        number(295, &r->home[0]),
        number(330, &r->home[1]),
        number(365, &r->home[2]),
        number(400, &r->away[0]),
        number(435, &r->away[1]),
        number(470, &r->away[2]),
        number(505, &r->goalsFor),
        number(540, &r->goalsAgainst),
        {0x31, 0, 0, 0, STRIDE, MenuVariable(&r->highlight), nullptr},
        number(575, &r->difference),
        number(610, &r->points),
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x1f, FRAME_X, -2, FRAME_W, ROW_PITCH, MenuNumber(-1), LeagueTable_Row},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Init_LeagueTable), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(BACKGROUND), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0f, 330, 64, MENU_ALIGN_CENTRE, 0, MenuTextNo(150), nullptr},
        {0x0f, 435, 64, MENU_ALIGN_CENTRE, 0, MenuTextNo(151), nullptr},
        {0x0f, 260, 80, MENU_ALIGN_CENTRE, 0, MenuTextNo(137), nullptr},
        {0x0f, 295, 80, MENU_ALIGN_CENTRE, 0, MenuTextNo(138), nullptr},
        {0x0f, 330, 80, MENU_ALIGN_CENTRE, 0, MenuTextNo(139), nullptr},
        {0x0f, 365, 80, MENU_ALIGN_CENTRE, 0, MenuTextNo(140), nullptr},
        {0x0f, 400, 80, MENU_ALIGN_CENTRE, 0, MenuTextNo(138), nullptr},
        {0x0f, 435, 80, MENU_ALIGN_CENTRE, 0, MenuTextNo(139), nullptr},
        {0x0f, 470, 80, MENU_ALIGN_CENTRE, 0, MenuTextNo(140), nullptr},
        {0x0f, 505, 80, MENU_ALIGN_CENTRE, 0, MenuTextNo(141), nullptr},
        {0x0f, 540, 80, MENU_ALIGN_CENTRE, 0, MenuTextNo(142), nullptr},
        {0x0f, 575, 80, MENU_ALIGN_CENTRE, 0, MenuTextNo(144), nullptr},
        {0x0f, 610, 80, MENU_ALIGN_CENTRE, 0, MenuTextNo(143), nullptr},
        {0x03, 24, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_ARROWS), nullptr},
        {0x03, 570, 435, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 320, 36, 0, 0, MenuCallback(DrawTitle), nullptr},
        {0x24, FRAME_X, FRAME_Y, FRAME_W, ROW_PITCH * LEAGUE_TABLE_ROWS, MenuCallback(DrawFrame),
         nullptr},
        {0x21, 0, ROWS_Y, 0, ROW_PITCH, MenuAddress(row), nullptr},
        {0x1f, 24, 435, 40, 20, MenuNumber(-1), LeagueTable_PageUp},
        {0x1f, 24, 457, 40, 20, MenuNumber(-1), LeagueTable_PageDown},
        {0x1f, 570, 435, 40, 40, MenuNumber(-1), LeagueTable_Back},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x22, 0, 0, 1, 0, MenuVariable(&LeagueTableScreen.divisionButtons), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
