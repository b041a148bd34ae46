// menus/playerevolution.cpp: the player-evolution screen.
#include "menus/playerevolution.h"

#include <cstdio>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/squad.h"
#include "menus/debugscreen.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

namespace {

constexpr int32_t TEXT_TITLE = 840;         // "Evolution joueur"
constexpr int32_t TEXT_FIRST_ABILITY = 41;  // the abilities' names, in stat order
constexpr int32_t TEXT_TODAY = 2830;        // "Aujourd'hui"
constexpr int32_t TEXT_PREVIOUS = 2831;     // "Joueur précédent"
constexpr int32_t TEXT_NEXT = 2832;         // "Joueur suivant"

// The chart: values 0-100 upwards over CHART_H, the columns spread over CHART_W.
constexpr int32_t CHART_X = 90;
constexpr int32_t CHART_Y = 84;
constexpr int32_t CHART_W = 480;
constexpr int32_t CHART_H = 240;
constexpr int32_t MARK = 4;  // the side of a point's square
constexpr int32_t LEGEND_Y = 356;
constexpr int32_t LEGEND_PITCH_X = 140;
constexpr int32_t LEGEND_PITCH_Y = 22;
constexpr uint16_t LINE_COLOURS[PLAYER_HISTORY_SKILLS] = {0xF800, 0x07E0, 0x001F, 0xFFE0,
                                                          0xF81F, 0x07FF, 0xFD20, 0xFFFF};

int32_t HumanClub() { return VTW_GetClubOfManager(MANAGER_HUMAN); }

int32_t ColumnX(int32_t column, int32_t columns)
{
    return columns < 2 ? CHART_X + CHART_W / 2 : CHART_X + column * CHART_W / (columns - 1);
}

int32_t ValueY(int32_t value) { return CHART_Y + CHART_H - value * CHART_H / 100; }

void DrawAxes(const EvolutionChart& chart)
{
    MenuCont_ShadedBox(CHART_X - 20, CHART_Y - 10, CHART_W + 40, CHART_H + 40, 0);
    for (const int32_t value : {0, 50, 100})
        DrawMenuNumber(CHART_X - 24, ValueY(value), value, MENU_ALIGN_MR);
    char year[12];
    for (int32_t column = 0; column < chart.columns; ++column) {
        const int32_t x = ColumnX(column, chart.columns);
        if (chart.years[column] == 0) {
            DrawMenuMessage(x, CHART_Y + CHART_H + 16, TEXT_TODAY, MENU_ALIGN_CENTRE);
            continue;
        }
        std::snprintf(year, sizeof year, "%d", chart.years[column]);
        DrawMenuString(x, CHART_Y + CHART_H + 16, year, MENU_ALIGN_CENTRE);
    }
}

void DrawLine(const EvolutionChart& chart, int32_t skill)
{
    SetDrawAttribute(2, LINE_COLOURS[skill]);
    for (int32_t column = 0; column < chart.columns; ++column) {
        const int32_t x = ColumnX(column, chart.columns);
        const int32_t y = ValueY(chart.values[column][skill]);
        DoShadedBox(x - MARK / 2, y - MARK / 2, MARK, MARK, 100);
        if (column == 0) continue;
        const int32_t x0 = ColumnX(column - 1, chart.columns);
        const int32_t y0 = ValueY(chart.values[column - 1][skill]);
        DrawVLine(x0, y0, x - x0, y - y0);
    }
}

void DrawLegend()
{
    for (int32_t skill = 0; skill < PLAYER_HISTORY_SKILLS; ++skill) {
        const int32_t x = 60 + LEGEND_PITCH_X * (skill % 4);
        const int32_t y = LEGEND_Y + LEGEND_PITCH_Y * (skill / 4);
        SetDrawAttribute(2, LINE_COLOURS[skill]);
        DoShadedBox(x, y + 3, 12, 12, 100);
        DrawMenuMessage(x + 18, y, TEXT_FIRST_ABILITY + skill, MENU_ALIGN_TL);
    }
    SetDrawAttribute(2, 0);
}

void DrawEvolution(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    const int32_t player = PlayerEvolution_Player();
    SetMenuFont(2);
    DrawMenuMessage(320, 36, TEXT_TITLE, MENU_ALIGN_CENTRE);
    SetMenuFont(0);
    if (player < 0) return;
    DrawMenuString(320, 60, VTW_FormatPersonName(player), MENU_ALIGN_CENTRE);
    const EvolutionChart chart = PlayerEvolution_Chart(player);
    DrawAxes(chart);
    for (int32_t skill = 0; skill < PLAYER_HISTORY_SKILLS; ++skill)
        DrawLine(chart, skill);
    DrawLegend();
}

void PlayerEvolution_Init()
{
    if (EXM_GetRebuildFlag() != 0) MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
}

int32_t Previous(MenuHotspot*) { return PlayerEvolution_Step(-1); }
int32_t Next(MenuHotspot*) { return PlayerEvolution_Step(1); }

int32_t Back(MenuHotspot*)
{
    MenuOption = OPTION_DEBUG_SCREEN;
    return EXM_CODE_LEAVE;
}

}  // namespace

EvolutionChart PlayerEvolution_Chart(int32_t player)
{
    EvolutionChart chart{};
    for (int32_t point = 0; point < PLAYER_HISTORY_POINTS; ++point) {
        if (GiveMeValuefor(player, 1, point) == PLAYER_HISTORY_NO_VALUE) break;
        chart.columns = point + 1;
    }
    for (int32_t column = 0; column <= chart.columns; ++column) {
        const bool today = column == chart.columns;
        for (int32_t skill = 1; skill <= PLAYER_HISTORY_SKILLS; ++skill)
            chart.values[column][skill - 1] = GiveMeValuefor(player, skill, today ? -1 : column);
        // The last point opened this season, each one before it the season before.
        chart.years[column] =
            today ? 0 : GAME_FIRST_YEAR + GameState.seasonCounter - (chart.columns - 1 - column);
    }
    ++chart.columns;
    return chart;
}

int32_t PlayerEvolution_Player()
{
    const int32_t club = HumanClub();
    if (club < 0) return -1;
    if (CurrentPlayer >= 0 && VTW_GetPlayerClub(CurrentPlayer) == club) return CurrentPlayer;
    VTW_RefreshSquadCount(club);
    return VTW_GetSquadPlayer(0);
}

int32_t PlayerEvolution_Step(int32_t direction)
{
    const int32_t club = HumanClub();
    const int32_t player = PlayerEvolution_Player();
    if (player < 0) return EXM_CODE_NONE;
    const int32_t count = VTW_RefreshSquadCount(club);
    int32_t index = 0;
    while (index < count && VTW_GetSquadPlayer(index) != player)
        ++index;
    CurrentPlayer = static_cast<int16_t>(VTW_GetSquadPlayer((index + direction + count) % count));
    return EXM_CODE_REDRAW;
}

const MenuItem* PlayerEvolution_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(PlayerEvolution_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawEvolution), nullptr},
        {0x200c, 40, 420, 160, 30, MenuTextNo(TEXT_PREVIOUS), Previous},
        {0x200c, 220, 420, 160, 30, MenuTextNo(TEXT_NEXT), Next},
        {0x03, 570, 436, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Back},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
