// tests/menus/playerevolution_test.cpp: the player-evolution screen on a seeded career: its way
// in from the debug screen, the chart's columns, the squad steps and the drawn frame.
#include "menus/playerevolution.h"

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/squad.h"
#include "menus/debugscreen.h"
#include "menus/frontend.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

// Three more points for the squad's first player, his ability raised by 10 at each.
int32_t GiveHistory(int32_t club)
{
    VTW_RefreshSquadCount(club);
    const int32_t player = VTW_GetSquadPlayer(0);
    for (int32_t k = 0; k < 3; ++k) {
        DbPlayers[player].ability = static_cast<uint8_t>(30 + 10 * k);
        PlayerHistory_RecordPoint();
    }
    DbPlayers[player].ability = 70;
    return player;
}

}  // namespace

TEST(PlayerEvolution, TheChartHoldsEachKeptPointThenTodayWithTheirYears)
{
    ScopedScreenRedraw career;
    const int32_t player = GiveHistory(career.HumanClub());
    const EvolutionChart chart = PlayerEvolution_Chart(player);
    ASSERT_EQ(chart.columns, 5);  // the new career's point, three more, today
    const int32_t year = GAME_FIRST_YEAR + GameState.seasonCounter;
    const int32_t years[] = {year - 3, year - 2, year - 1, year, 0};
    for (int32_t column = 0; column < chart.columns; ++column) {
        EXPECT_EQ(chart.years[column], years[column]) << column;
        for (int32_t skill = 1; skill <= PLAYER_HISTORY_SKILLS; ++skill) {
            EXPECT_EQ(chart.values[column][skill - 1],
                      GiveMeValuefor(player, skill, column == 4 ? -1 : column))
                << column << " " << skill;
        }
    }
    EXPECT_LT(chart.values[1][1], chart.values[3][1]);  // the ability rose between the points
}

TEST(PlayerEvolution, OpenedFromTheDebugScreenItStepsThroughTheSquadAndMatchesTheGolden)
{
    ScopedScreenRedraw career;
    const int32_t first = GiveHistory(career.HumanClub());
    const int32_t count = VTW_RefreshSquadCount(career.HumanClub());
    const int32_t second = VTW_GetSquadPlayer(1);
    const int32_t last = VTW_GetSquadPlayer(count - 1);

    MenuInputs inputs;
    AddClick(&inputs, 220, 500, 305);  // "Evolution joueur"
    career.Run(
        DebugScreen_Table(), [] {}, inputs);
    ASSERT_EQ(MenuOption, OPTION_PLAYER_EVOLUTION);

    CurrentPlayer = -1;  // no player chosen: the squad's first
    uint32_t hash = 0;
    inputs.clear();
    AddClick(&inputs, 220, 300, 435);  // "Joueur suivant"
    inputs.push_back({250, MenuInput::CALL, 0, 0, [&] { EXPECT_EQ(CurrentPlayer, second); }});
    AddClick(&inputs, 270, 120, 435);  // "Joueur précédent", twice: round to the squad's last
    AddClick(&inputs, 300, 120, 435);
    inputs.push_back({330, MenuInput::CALL, 0, 0, [&] { EXPECT_EQ(CurrentPlayer, last); }});
    AddClick(&inputs, 340, 570, 436);  // OK
    career.Run(
        PlayerEvolution_Table(),
        [&] {
            EXPECT_EQ(PlayerEvolution_Player(), first);
            hash = WorkScreenHash();
            WriteFrameToTestOutput("player_evolution.png");
        },
        inputs);
    ExpectGoldenHash("menus/player_evolution", hash);
    EXPECT_EQ(MenuOption, OPTION_DEBUG_SCREEN);
}
