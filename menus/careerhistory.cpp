// menus/careerhistory.cpp: the career history screen.
#include "menus/careerhistory.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "game/calendar.h"
#include "game/funcs.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

CareerHistoryState CareerHistory;

namespace {

constexpr int32_t TEXT_TITLE = 1035;
constexpr int32_t TEXT_GOALS = 64;
constexpr int32_t TEXT_CLEAN_SHEETS = 1830;
constexpr int32_t TEXT_NO_CLUB = 789;  // "Joueur sans engagement", as the transfer list says
constexpr int32_t MOVE_ICON = 1319;
constexpr int32_t ROWS_TOP = 100;
constexpr int32_t ROW_PITCH = 20;

struct HistoryTexts {
    char name[64];
    int16_t goalsHeader;
};
HistoryTexts s_texts;

bool IsMove(uint8_t kind) { return kind >= CAREERLOG_RELEASED && kind <= CAREERLOG_RETIRED; }

void DrawRow(int32_t y, const CareerLogRow& row)
{
    const int32_t middle = y + ROW_PITCH / 2;
    if (IsMove(row.kind)) DoIcon(60, middle, MOVE_ICON, MENU_ALIGN_CENTRE);
    int32_t first = 0, second = 0;
    VTW_GetYearPair(row.season, &first, &second);
    char season[16];
    std::snprintf(season, sizeof season, "%d/%02d", first, second % 100);
    DrawMenuString(80, middle, season, MENU_ALIGN_ML);
    // A row without a team closes a spell without a club: a free agent's signing.
    const char* club = row.team >= 0 ? VTW_FormatClubName(row.team) : GetMessageText(TEXT_NO_CLUB);
    DrawMenuString(200, middle, club, MENU_ALIGN_ML);
    DrawMenuNumber(340, middle, row.apps, MENU_ALIGN_ML);
    DrawMenuNumber(400, middle, row.goals, MENU_ALIGN_ML);
    DrawMenuNumber(460, middle, row.performance, MENU_ALIGN_ML);
    if (row.division < DIVISION_OUTSIDE)
        DrawMenuMessage(510, middle, VTW_GetDivisionTextNo(row.division), MENU_ALIGN_ML);
}

void DrawHistory(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    constexpr int32_t HEADING_GAP = 6;
    constexpr int32_t RIGHT_EDGE = 595;
    const int32_t headers[5][2] = {
        {80, 554}, {200, 173}, {340, 1067}, {400, s_texts.goalsHeader}, {460, 537}};
    for (size_t i = 0; i < std::size(headers); ++i) {
        const int32_t next = i + 1 < std::size(headers) ? headers[i + 1][0] : RIGHT_EDGE;
        // A heading wider than its column ("G. Invaincu" before "Perf. moy") takes the rows' font.
        DrawMenuStringInRoom(headers[i][0], 80, GetMessageText(headers[i][1]), MENU_ALIGN_ML,
                             next - headers[i][0] - HEADING_GAP, 1, 0);
    }
    MenuCont_ShadedBox(45, 96, 550, 320, 0);
    SetMenuFont(0);
    const CareerHistoryState& h = CareerHistory;
    const int32_t shown = std::min<int32_t>(CAREER_HISTORY_ROWS, h.count - h.first);
    for (int32_t i = 0; i < shown; ++i) {
        DrawRow(ROWS_TOP + i * ROW_PITCH, h.rows[h.count - 1 - (h.first + i)]);
    }
    DoIcon(34, 434, MENU_ICON_ARROWS, MENU_ALIGN_TL);
}

// The player's name left of the title, in the header's room.
void DrawHeaderName(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderName(s_texts.name, TEXT_TITLE);
}

}  // namespace

void CareerHistoryInit()
{
    CareerHistory = {};
    s_texts = {};
}

void CareerHistoryUninit() { CareerHistoryInit(); }

int32_t CareerHistory_GoalsHeader(int32_t player)
{
    return VTW_GetPositionType(player) == 0 ? TEXT_CLEAN_SHEETS : TEXT_GOALS;
}

void CareerHistory_Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() == 0) return;
    const int32_t player = CurrentPlayer;
    int32_t count = VTW_CopyPlayerLogRows(player, CareerHistory.rows, CAREERLOG_COPY_MAX);
    // The log starts with the game's first season: without his season so far, the history of a
    // player with years behind him would read empty until the first season's turn.
    if (CareerLog_SeasonSoFar(player, &CareerHistory.rows[count])) ++count;
    CareerHistory.count = static_cast<int16_t>(count);
    CareerHistory.first = 0;
    std::snprintf(s_texts.name, sizeof s_texts.name, "%s", VTW_FormatPersonName(player));
    s_texts.goalsHeader = static_cast<int16_t>(CareerHistory_GoalsHeader(player));
}

int32_t CareerHistory_Up(MenuHotspot*)
{
    if (CareerHistory.first > 0) --CareerHistory.first;
    return EXM_CODE_REDRAW;
}

int32_t CareerHistory_Down(MenuHotspot*)
{
    if (CareerHistory.first < CareerHistory.count - CAREER_HISTORY_ROWS) ++CareerHistory.first;
    return EXM_CODE_REDRAW;
}

int32_t CareerHistory_Done(MenuHotspot*)
{
    const int32_t player = CurrentPlayer;
    if (VTW_GetPlayerManager(player) != 0 && VTW_GetPlayerManagerFlag(player) == 0) {
        MenuOption = OPTION_MANAGER_REPUTATION;
    } else {
        CardReturnOption = MENU_OPTION_OFFICE;
        MenuOption = MENU_OPTION_PLAYER_CARD;
    }
    return EXM_CODE_LEAVE;
}

const MenuItem* CareerHistory_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(CareerHistory_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 80, 36, 0, 0, MenuCallback(DrawHeaderName), nullptr},
        {0x0f, 480, 36, MENU_ALIGN_MR, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawHistory), nullptr},
        {0x1f, 40, 440, 30, 15, MenuNumber(-1), CareerHistory_Up},
        {0x1f, 40, 455, 30, 15, MenuNumber(-1), CareerHistory_Down},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), CareerHistory_Done},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
