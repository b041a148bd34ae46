// tests/menus/traininggrid_test.cpp: the team-training grid on a seeded career: its way in from
// the debug screen, the first build ever, the sliders, locks, arrows and extra buttons as
// clicked, the compact form every build stores, and the drawn frame.
#include "menus/traininggrid.h"

#include <string>

#include <gtest/gtest.h>

#include "engine/debug.h"
#include "game/trainingschedule.h"
#include "menus/debugscreen.h"
#include "menus/frontend.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"

namespace {

int32_t Total(int32_t first, int32_t size)
{
    int32_t total = 0;
    for (int32_t entry = first; entry < first + size; ++entry)
        total += TrainingSchedule[entry].value;
    return total;
}

}  // namespace

TEST(TrainingGrid, TargetsMeasureFromEachBarsStart)
{
    Training_SetDefaults();
    struct Case {
        int32_t entry, x, y, target;
    };
    const Case cases[] = {
        {4, 295, 180, 0},      {4, 395, 180, 50},    {4, 495, 180, 100}, {4, 600, 180, 152},
        {13, 345, 370, 25},    {0, 80, 160, 0},      {0, 80, 130, 50},   {0, 80, 100, 100},
        {3, 80, 382 + 15, 75}, {3, 80, 382 + 60, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrainingGrid_Target(c.entry, c.x, c.y), c.target) << c.entry << " " << c.y;
}

TEST(TrainingGrid, OpenedFromTheDebugScreenItsClicksKeepTheTotalsAndMatchTheGolden)
{
    ScopedScreenRedraw career;
    MenuInputs inputs;
    AddClick(&inputs, 220, 500, 265);  // "Entraînement Collectif"
    career.Run(
        DebugScreen_Table(), [] {}, inputs);
    ASSERT_EQ(MenuOption, OPTION_TRAINING_GRID);

    // The first build ever: the defaults, then the compact form where its groups add up.
    const uint8_t compact[TRAINING_COMPACT_BYTES] = {80,  80, 70, 69, 60, 70, 70,
                                                     100, 50, 50, 67, 67, 66, 40};
    std::copy(compact, compact + TRAINING_COMPACT_BYTES, TrainingCompact);
    TrainingFirstTime = true;
    DebugSetLevel(DBG_GENERAL, 0);
    uint32_t hash = 0;
    inputs.clear();
    AddClick(&inputs, 220, 395, 181);  // G2's first bar at its middle: 50
    AddClick(&inputs, 240, 275, 201);  // G2's second lock
    AddClick(&inputs, 260, 305, 346);  // the first extra button: 100
    AddClick(&inputs, 280, 80, 130);   // G1's first bar half way up: 50
    AddClick(&inputs, 300, 519, 87);   // G4's first "+"
    AddClick(&inputs, 320, 570, 436);  // OK
    testing::internal::CaptureStdout();
    career.Run(
        TrainingGrid_Table(),
        [&] {
            hash = WorkScreenHash();
            WriteFrameToTestOutput("training_grid.png");
        },
        inputs);
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("Firsttime ever\n"), std::string::npos) << said;
    EXPECT_FALSE(TrainingFirstTime);
    ExpectGoldenHash("menus/training_grid", hash);
    EXPECT_EQ(MenuOption, OPTION_DEBUG_SCREEN);

    EXPECT_EQ(TrainingSchedule[0].value, 50);  // G1 was 299: the defaults, then dragged
    EXPECT_EQ(Total(0, 4), 300);
    EXPECT_EQ(TrainingSchedule[4].value, 50);  // G2 taken as 70, 70, 60... then dragged
    EXPECT_EQ(Total(4, 3), 200);
    EXPECT_NE(TrainingSchedule[5].flags & TRAINING_LOCKED, 0);
    EXPECT_EQ(TrainingSchedule[10].value, 61);  // G4 was 60, 70, 70; one step up
    EXPECT_EQ(Total(10, 3), 200);
    EXPECT_EQ(TrainingSchedule[TRAINING_EXTRA].value, 100);
    // Every build stores the compact form: the last one holds every click.
    EXPECT_EQ(TrainingCompact[0], 50);
    EXPECT_EQ(TrainingCompact[4], 61);
    EXPECT_EQ(TrainingCompact[7], 50);
    EXPECT_EQ(TrainingCompact[13], 100);
}
