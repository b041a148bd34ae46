// menus/leaguehistory.cpp: the league history chart.
#include "menus/leaguehistory.h"

#include <algorithm>

#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

LeagueHistoryState LeagueHistory;

namespace {

constexpr int32_t TEXT_TITLE = 1201;
constexpr int32_t TEXT_PLACES = 1482;
constexpr int32_t TEXT_CROWDS = 1483;
constexpr int32_t CROWD_STEP = 5;  // thousands
constexpr int32_t BOTTOM = LEAGUE_HISTORY_TOP + LEAGUE_HISTORY_HEIGHT;
constexpr int32_t RIGHT = LEAGUE_HISTORY_LEFT + LEAGUE_HISTORY_WIDTH;
constexpr uint16_t BAND_COLOUR = 0x7BEF;  // grey

int16_t Word(int32_t n) { return static_cast<int16_t>(n); }

int32_t PyramidY(int32_t clubsAbove)
{
    return LEAGUE_HISTORY_TOP + clubsAbove * LEAGUE_HISTORY_HEIGHT / LeagueHistory.totalClubs;
}

void DrawBands()
{
    if (LeagueHistory.totalClubs == 0) return;
    SetMenuFont(0);
    int32_t above = 0;
    for (int32_t d = 0; d < VTW_GetCountryDivisions(); ++d) {
        const int32_t firstPlace = above + 1;
        const int32_t top = PyramidY(above);
        above += VTW_GetDivisionSize(d);
        const int32_t bottom = PyramidY(above);
        if (bottom < BOTTOM) DrawMenuLine(LEAGUE_HISTORY_LEFT, bottom, RIGHT, bottom, BAND_COLOUR);
        DrawMenuMessage(30, (top + bottom) / 2, VTW_GetDivisionTextNo(d), MENU_ALIGN_CENTRE);
        DrawMenuNumber(55, top + 6, firstPlace, MENU_ALIGN_MR);
    }
}

void DrawFrame(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_ShadedBox(LEAGUE_HISTORY_LEFT, LEAGUE_HISTORY_TOP, LEAGUE_HISTORY_WIDTH,
                       LEAGUE_HISTORY_HEIGHT, 0);
    DrawBands();
    DrawMenuLine(LEAGUE_HISTORY_LEFT, LEAGUE_HISTORY_TOP, LEAGUE_HISTORY_LEFT, BOTTOM,
                 LEAGUE_HISTORY_PLACE_COLOUR);
    DrawMenuLine(RIGHT, LEAGUE_HISTORY_TOP, RIGHT, BOTTOM, LEAGUE_HISTORY_CROWD_COLOUR);
    SetMenuFont(0);
    for (int32_t k = 0; k <= 2; ++k) {
        const int32_t thousands = LeagueHistory.crowdTop * k / 2;
        DrawMenuNumber(RIGHT + 5, LeagueHistory_CrowdY(thousands), thousands, MENU_ALIGN_ML);
    }
}

// A point of each season, joined to the season after it when both have one.
void DrawSeries(const int16_t* values, bool (*has)(int32_t), int32_t (*y)(int32_t), uint16_t colour)
{
    for (int32_t row = LeagueHistory.seasons - 1; row >= 0; --row) {
        if (!has(values[row])) continue;
        const int32_t x = LeagueHistory_SeasonX(row);
        const int32_t at = y(values[row]);
        DrawMenuLine(x - 1, at, x + 1, at, colour);
        DrawMenuLine(x, at - 1, x, at + 1, colour);
        if (row > 0 && has(values[row - 1]))
            DrawMenuLine(x, at, LeagueHistory_SeasonX(row - 1), y(values[row - 1]), colour);
    }
}

bool HasPlace(int32_t place) { return place > 0 && LeagueHistory.totalClubs > 0; }
bool HasCrowd(int32_t) { return true; }

void DrawLines(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    DrawSeries(LeagueHistory.places, HasPlace, LeagueHistory_PlaceY, LEAGUE_HISTORY_PLACE_COLOUR);
    DrawSeries(LeagueHistory.crowds, HasCrowd, LeagueHistory_CrowdY, LEAGUE_HISTORY_CROWD_COLOUR);
}

void DrawLegend(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    DrawMenuLine(200, 420, 215, 420, LEAGUE_HISTORY_PLACE_COLOUR);
    DrawMenuMessage(220, 420, TEXT_PLACES, MENU_ALIGN_ML);
    DrawMenuLine(200, 435, 215, 435, LEAGUE_HISTORY_CROWD_COLOUR);
    DrawMenuMessage(220, 435, TEXT_CROWDS, MENU_ALIGN_ML);
}

void Build()
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    LeagueHistory_Build(GameState.currentClub);
}

}  // namespace

void LeagueHistoryInit() { LeagueHistory = {}; }
void LeagueHistoryUninit() { LeagueHistoryInit(); }

void LeagueHistory_Build(int32_t club)
{
    LeagueHistory = {};
    LeagueHistory.club = Word(club);
    LeagueHistory.seasons = Word(std::clamp(VTW_GetSeasonCounter(), 0, LEAGUE_HISTORY_SEASONS));
    int32_t total = 0;
    for (int32_t d = 0; d < VTW_GetCountryDivisions(); ++d) {
        total += VTW_GetDivisionSize(d);
    }
    LeagueHistory.totalClubs = Word(total);
    int32_t highest = 0;
    for (int32_t row = 0; row < LeagueHistory.seasons; ++row) {
        LeagueHistory.places[row] = Word(VTW_GetClubHistoryPlace(club, row));
        LeagueHistory.crowds[row] = Word(VTW_GetClubHistoryDword(club, row) / 1000);
        highest = std::max(highest, VTW_GetClubHistoryDword(club, row));
    }
    const int32_t step = CROWD_STEP * 1000;
    LeagueHistory.crowdTop = Word(std::max(1, (highest + step - 1) / step) * CROWD_STEP);
}

int32_t LeagueHistory_SeasonX(int32_t row)
{
    const int32_t n = std::max<int32_t>(LeagueHistory.seasons, 1);
    const int32_t fromOldest = n - 1 - row;
    return LEAGUE_HISTORY_LEFT + (2 * fromOldest + 1) * LEAGUE_HISTORY_WIDTH / (2 * n);
}

int32_t LeagueHistory_PlaceY(int32_t place)
{
    return LEAGUE_HISTORY_TOP
           + (2 * place - 1) * LEAGUE_HISTORY_HEIGHT
                 / (2 * std::max<int32_t>(LeagueHistory.totalClubs, 1));
}

int32_t LeagueHistory_CrowdY(int32_t thousands)
{
    return BOTTOM
           - thousands * LEAGUE_HISTORY_HEIGHT / std::max<int32_t>(LeagueHistory.crowdTop, 1);
}

const MenuItem* LeagueHistory_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Build), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        // The marker keeps this screen's own clean screen, which the emblem is drawn over.
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawFrame), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawLines), nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawLegend), nullptr},
        {0x03, 570, 436, MENU_ALIGN_TL, 0, MenuNumber(MENU_ICON_OK), nullptr},
        {0x1f, 570, 436, 30, 30, MenuNumber(-1), MenuCont_ToOffice},
        MenuEndItem(nullptr, MenuCont_EscapeToOffice),
    };
    return table;
}
