// menus/clubmatches.cpp: the club's matches screen.
#include "menus/clubmatches.h"

#include <algorithm>
#include <cstdio>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

ClubMatchesState ClubMatches;

namespace {

constexpr int32_t TEXT_TITLE = 2120;  // "Composition de l'équipe", the office entry that opens it
constexpr int32_t TEXT_HOME = 102;
constexpr int32_t TEXT_AWAY = 103;
constexpr int32_t ICON_BOOKED = 1209;
constexpr int32_t ICON_SENT_OFF = 1208;
constexpr int32_t ICON_MAN_OF_THE_MATCH = 1248;
constexpr int32_t PAGE_ARROWS_ICON = 1297;
constexpr int32_t HEADING_BYTES = 64;  // each of the competition's two lines
constexpr int32_t COLUMN_X[CLUB_MATCHES_COLUMNS] = {31, 231, 431};
constexpr int32_t COLUMN_W = 198;
constexpr int32_t HEADER_Y = 73;
constexpr int32_t HEADER_H = 60;
constexpr int32_t HEADER_LINE = 15;
constexpr int32_t ROWS_Y = 135;
constexpr int32_t ROW_PITCH = 18;
constexpr int32_t NUMBER_X = 6;
constexpr int32_t NUMBER_W = 23;
constexpr int32_t SIDE_W = COLUMN_W / 2;  // the club's line-up left, the opponent's right
constexpr int32_t NAME_ROOM = 64;

ClubMatchesState& M() { return ClubMatches; }

int32_t LastFirst() { return std::max(0, M().count - CLUB_MATCHES_COLUMNS); }

void FormatDate(int32_t day, char (&out)[16])
{
    int32_t dayOfMonth = 0, month = 0, weekday = 0;
    VTW_SeasonDayToDate(day, &dayOfMonth, &month, &weekday);
    std::snprintf(out, sizeof out, "%02d/%02d", dayOfMonth, month);
}

void FillColumn(ClubMatchesColumn& column, int32_t index)
{
    column = {};
    column.row = index < M().count ? Fixture_PlayedRowOfClub(M().club, index).row : -1;
    if (column.row < 0) return;
    const int32_t row = column.row;
    column.away = VTW_GetFixtureAwayClub(row) == M().club ? 1 : 0;
    column.venueText = column.away != 0 ? TEXT_AWAY : TEXT_HOME;
    const int32_t opponent =
        column.away != 0 ? VTW_GetFixtureHomeClub(row) : VTW_GetFixtureAwayClub(row);
    column.opponentText = VTW_ClubNameTextNo(VTW_GetTeam(opponent));
    const int32_t home = VTW_GetFixtureHomeGoals(row);
    const int32_t away = VTW_GetFixtureAwayGoals(row);
    column.goals[0] = column.away != 0 ? away : home;
    column.goals[1] = column.away != 0 ? home : away;
    FormatDate(VTW_GetFixtureDay(row), column.date);
    std::snprintf(column.crowd, sizeof column.crowd, "%s",
                  VTW_FormatThousands(Fixture_GetAttendance(row)));
    char name[HEADING_BYTES] = {};
    char round[HEADING_BYTES] = {};
    VTW_FormatFixtureCompText(row, name, round);
    std::snprintf(column.competition, sizeof column.competition, "%s %s", name, round);
}

void FillColumns()
{
    for (int32_t c = 0; c < CLUB_MATCHES_COLUMNS; ++c)
        FillColumn(M().columns[c], M().first + c);
}

void DrawPlayer(int32_t x, int32_t middle, const FixturePlayerRow& p)
{
    if (p.player < 0) return;
    DrawMenuString(x + 2, middle, FitMenuText(VTW_FormatPersonName(p.player), NAME_ROOM),
                   MENU_ALIGN_ML);
    const int32_t goals = p.marks & 0x0F;
    if (goals != 0) DrawMenuNumber(x + NAME_ROOM + 6, middle, goals, MENU_ALIGN_MR);
    // A man booked and then sent off shows the yellow card, the red one just over it.
    const bool booked = FixturePlayerRow_Booked(p);
    if (booked) DoIcon(x + NAME_ROOM + 10, middle, ICON_BOOKED, MENU_ALIGN_ML);
    if (FixturePlayerRow_SentOff(p))
        DoIcon(x + NAME_ROOM + (booked ? 12 : 10), middle, ICON_SENT_OFF, MENU_ALIGN_ML);
    if ((p.marks & 0x80) != 0)
        DoIcon(x + NAME_ROOM + 22, middle, ICON_MAN_OF_THE_MATCH, MENU_ALIGN_ML);
}

void DrawHeader(int32_t x, const ClubMatchesColumn& column)
{
    const int32_t top = HEADER_Y + HEADER_LINE / 2;
    DrawMenuString(x + 4, top, column.date, MENU_ALIGN_ML);
    DrawMenuMessage(x + COLUMN_W - 4, top, column.venueText, MENU_ALIGN_MR);
    DrawMenuString(x + 4, top + HEADER_LINE, FitMenuText(GetMessageText(column.opponentText), 150),
                   MENU_ALIGN_ML);
    char score[16];
    std::snprintf(score, sizeof score, "%d - %d", column.goals[0], column.goals[1]);
    DrawMenuString(x + COLUMN_W - 4, top + HEADER_LINE, score, MENU_ALIGN_MR);
    DrawMenuString(x + 4, top + 2 * HEADER_LINE, column.crowd, MENU_ALIGN_ML);
    DrawMenuString(x + 4, top + 3 * HEADER_LINE, FitMenuText(column.competition, COLUMN_W - 8),
                   MENU_ALIGN_ML);
}

void DrawColumn(int32_t x, const ClubMatchesColumn& column)
{
    if (column.row < 0) return;
    DrawHeader(x, column);
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t away = side == 0 ? column.away : 1 - column.away;
        for (int32_t n = 0; n < FIXTURE_SIDE_PLAYERS; ++n) {
            DrawPlayer(x + side * SIDE_W, ROWS_Y + n * ROW_PITCH + ROW_PITCH / 2,
                       Fixture_GetPlayerRow(column.row, away, n));
        }
    }
}

void DrawFrame(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    for (const int32_t x : COLUMN_X)
        MenuCont_ShadedBox(x, HEADER_Y, COLUMN_W, HEADER_H, 1);
    for (int32_t n = 0; n < FIXTURE_SIDE_PLAYERS; ++n) {
        const int32_t y = ROWS_Y + n * ROW_PITCH;
        MenuCont_ShadedBox(NUMBER_X, y, NUMBER_W, ROW_PITCH, n & 1);
        for (const int32_t x : COLUMN_X)
            MenuCont_ShadedBox(x, y, COLUMN_W, ROW_PITCH, n & 1);
    }
    SetMenuFont(0);
    for (int32_t n = 0; n < FIXTURE_SIDE_PLAYERS; ++n) {
        DrawMenuNumber(NUMBER_X + NUMBER_W / 2, ROWS_Y + n * ROW_PITCH + ROW_PITCH / 2, n + 1,
                       MENU_ALIGN_CENTRE);
    }
    for (int32_t c = 0; c < CLUB_MATCHES_COLUMNS; ++c)
        DrawColumn(COLUMN_X[c], M().columns[c]);
}

int32_t Earlier(MenuHotspot*) { return ClubMatches_Earlier(); }
int32_t Later(MenuHotspot*) { return ClubMatches_Later(); }

int32_t Done(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

}  // namespace

void ClubMatchesInit() { ClubMatches = {}; }
void ClubMatchesUninit() { ClubMatchesInit(); }

void ClubMatches_Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() == 0) return;
    M().club = GameState.currentClub;
    M().count = VTW_GetPlayedFixtures(M().club);
    M().first = static_cast<int16_t>(LastFirst());
    FillColumns();
}

int32_t ClubMatches_Earlier()
{
    if (M().first <= 0) return 1;
    --M().first;
    FillColumns();
    return EXM_CODE_REDRAW;
}

int32_t ClubMatches_Later()
{
    if (M().first >= LastFirst()) return 1;
    ++M().first;
    FillColumns();
    return EXM_CODE_REDRAW;
}

const MenuItem* ClubMatches_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(ClubMatches_Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // The matches the arrows page through are drawn past the marker, so that their redraw
        // shows them.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawFrame), nullptr},
        {0x03, 48, 458, MENU_ALIGN_CENTRE, 0, MenuNumber(PAGE_ARROWS_ICON), nullptr},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Done},
        {0x1f, 32, 442, 13, 30, MenuNumber(-1), Earlier},
        {0x1f, 53, 442, 13, 30, MenuNumber(-1), Later},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
