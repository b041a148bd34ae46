// tests/menus/individualgrid_test.cpp: the individual-training grid on a seeded career: its way
// in from the debug screen, a player chosen from the list, his sliders dragged and locked by the
// slider rule, the rows kept through a save, and the drawn frame.
#include "menus/individualgrid.h"

#include <vector>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/ids.h"
#include "game/savegame.h"
#include "game/squad.h"
#include "game/trainingschedule.h"
#include "menus/debugscreen.h"
#include "menus/frontend.h"
#include "menus/traininggrid.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"
#include "tests/support/support.h"

namespace {

std::vector<int16_t> Values(int32_t player)
{
    const TrainingTableRow* row = TrainingGrid_Row(player);
    if (row == nullptr) return {};
    return {row->settings, row->settings + TRAINING_GRID_ROWS};
}

constexpr int32_t BarY(int32_t slider) { return INDIVIDUAL_GRID_BAR_Y + 20 * slider + 8; }

}  // namespace

TEST(IndividualGrid, OpenedFromTheDebugScreenItsClicksFollowTheSliderRuleAndMatchTheGolden)
{
    TempHome home;
    ScopedScreenRedraw career;
    Training_Init();  // its saved blocks: the tests' day loop leaves them to the module's start
    MenuInputs inputs;
    AddClick(&inputs, 220, 500, 225);  // "Entraînement Individuel"
    career.Run(
        DebugScreen_Table(), [] {}, inputs);
    ASSERT_EQ(MenuOption, OPTION_INDIVIDUAL_GRID);

    CurrentPlayer = -1;  // the first of the squad is shown
    const int32_t count = VTW_RefreshSquadCount(career.HumanClub());
    ASSERT_GT(count, INDIVIDUAL_GRID_LIST_ROWS);  // the list pages
    const int16_t second = SquadList.players[1];
    const int16_t firstOfPageTwo = SquadList.players[count - INDIVIDUAL_GRID_LIST_ROWS];
    uint32_t hash = 0;
    inputs.clear();
    AddClick(&inputs, 220, 100, 108 + 18 + 5);                     // the list's second player
    AddClick(&inputs, 240, 400 + 120, BarY(0));                    // slider 0 to 60 %
    AddClick(&inputs, 260, INDIVIDUAL_GRID_LOCK_X + 10, BarY(1));  // slider 1 locked
    AddClick(&inputs, 280, 400, BarY(2));                          // slider 2 to 0
    AddClick(&inputs, 300, 400 + 100, BarY(5));                    // below the bars: nothing
    AddClick(&inputs, 320, 52 + 40 + 4, 108 + 18 * 16 + 16);       // "+": the list's next page
    AddClick(&inputs, 340, 100, 108 + 5);                          // its first row
    AddClick(&inputs, 360, 570, 436);                              // OK
    career.Run(
        IndividualGrid_Table(),
        [&] {
            hash = WorkScreenHash();
            WriteFrameToTestOutput("individual_grid.png");
        },
        inputs);
    ExpectGoldenHash("menus/individual_grid", hash);

    EXPECT_EQ(MenuOption, OPTION_DEBUG_SCREEN);
    EXPECT_EQ(CurrentPlayer, firstOfPageTwo);
    EXPECT_EQ(IndividualGrid.firstRow, count - INDIVIDUAL_GRID_LIST_ROWS);
    // 40 steps up from partners 1-4 in turn, then 10 down to partners 0, 3, 4 in turn from the
    // cursor where it stopped, slider 1 locked.
    EXPECT_EQ(Values(second), (std::vector<int16_t>{64, 10, 0, 13, 13}));
    EXPECT_EQ(TrainingGrid_Row(second)->settings[TRAINING_GRID_LOCKS], 1 << 1);
    // Every squad player got a row, kept with the saved game.
    EXPECT_EQ(Values(SquadList.players[count - 1]), (std::vector<int16_t>{20, 20, 20, 20, 20}));
    ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
    TrainingTable_Clear();
    ASSERT_EQ(LoadGame(1), SAVEGAME_OK);
    EXPECT_EQ(Values(second), (std::vector<int16_t>{64, 10, 0, 13, 13}));
    EXPECT_EQ(TrainingGrid_Row(second)->settings[TRAINING_GRID_LOCKS], 1 << 1);
}

TEST(IndividualGrid, TheTeamGridOpensIt)
{
    ScopedScreenRedraw career;
    MenuInputs inputs;
    AddClick(&inputs, 220, 100, 435);  // "Entraînement Individuel"
    career.Run(
        TrainingGrid_Table(), [] {}, inputs);
    EXPECT_EQ(MenuOption, OPTION_INDIVIDUAL_GRID);
}
