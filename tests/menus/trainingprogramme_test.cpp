// tests/menus/trainingprogramme_test.cpp: the training programme screen's brush, presets,
// retraining, paging and sorting on a seeded career, and its frame.
#include "menus/trainingprogramme.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/records.h"
#include "game/season.h"
#include "game/squad.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "tests/support/screen_redraw.h"

namespace {

class TrainingProgrammeTest : public ::testing::Test {
protected:
    // The screen built once and left: its squad copy and the buffer stay for the handlers.
    void Build()
    {
        TrainingProgrammeInit();
        m_screen.Run(TrainingProgramme_Table(), [] {});
    }
    uint16_t* WeekOfRow(int32_t row)
    {
        const int32_t player = TrainingProgramme.squad[TrainingProgramme.firstRow + row];
        return TrainingBuffer.programme[FindInTrainingBuffer(player)];
    }
    // Sets the age and position code of the player of the row.
    int32_t Shape(int32_t row, int32_t age, int32_t position)
    {
        const int32_t player = TrainingProgramme.squad[TrainingProgramme.firstRow + row];
        DbPersons[player].birthYear =
            static_cast<uint8_t>(VTW_GetPlayerAge(player) + DbPersons[player].birthYear - age);
        DbPlayers[player].position = static_cast<uint8_t>(position);
        return player;
    }

    ScopedScreenRedraw m_screen;
};

TEST_F(TrainingProgrammeTest, TheBrushPaintsACellAndTurnsACellThatHeldItIntoRest)
{
    Build();
    struct Case {
        int32_t row;  // -1 the bottom row, preset 0
        uint16_t brush, before, after;
    };
    const Case cases[] = {
        {0, TRAIN_TEAM, TRAIN_PHYSICAL, TRAIN_TEAM},
        {0, TRAIN_TEAM, TRAIN_TEAM, TRAIN_REST},
        {3, TRAIN_REST, TRAIN_REST, TRAIN_REST},
        {-1, TRAIN_TECHNICAL, TRAIN_REST, 0},
        {-1, TRAIN_TECHNICAL, TRAIN_TECHNICAL, TRAIN_REST},
    };
    for (const Case& c : cases) {
        uint16_t* week = c.row < 0 ? TrainingBuffer.presets[0] : WeekOfRow(c.row);
        week[5] = c.before;
        TrainingProgramme.brush = c.brush;
        EXPECT_EQ(TrainingProgramme_ClickDay(c.row, 5), EXM_CODE_REDRAW);
        EXPECT_EQ(week[5], c.after) << c.row << " " << c.brush << " " << c.before;
    }
}

TEST_F(TrainingProgrammeTest, APresetCopiedShowsItsMarkerAndLeavingSortsEveryWeek)
{
    Build();
    // Preset 1 is every newcomer's: the marker reads "2".
    EXPECT_EQ(TrainingProgramme_PresetMarker(FindInTrainingBuffer(TrainingProgramme.squad[0])), 2);
    TrainingProgramme.popupPlayer = TrainingProgramme.squad[1];
    EXPECT_EQ(TrainingProgramme_CopyPreset(3), LIST_CODE_REDRAW);
    const int32_t slot = FindInTrainingBuffer(TrainingProgramme.squad[1]);
    EXPECT_EQ(TrainingProgramme_PresetMarker(slot), 4);
    std::fill_n(TrainingBuffer.programme[slot], TRAIN_PERIODS, TRAIN_TECHNICAL);
    EXPECT_EQ(TrainingProgramme_PresetMarker(slot), -1);  // matches only the hidden presets

    const uint16_t mixed[TRAIN_PERIODS] = {TRAIN_REST, TRAIN_TEAM,      TRAIN_PHYSICAL, TRAIN_REST,
                                           TRAIN_TEAM, TRAIN_TECHNICAL, TRAIN_PHYSICAL};
    std::copy_n(mixed, TRAIN_PERIODS, TrainingBuffer.programme[slot]);
    std::copy_n(mixed, TRAIN_PERIODS, TrainingBuffer.presets[0]);
    m_screen.Run(TrainingProgramme_Table(), [] { MenuOption = MENU_OPTION_OFFICE; });
    for (const uint16_t* week : {TrainingBuffer.programme[slot], TrainingBuffer.presets[0]}) {
        EXPECT_TRUE(std::is_sorted(week, week + TRAIN_PERIODS));
        EXPECT_EQ(std::accumulate(week, week + TRAIN_PERIODS, 0),
                  std::accumulate(mixed, mixed + TRAIN_PERIODS, 0));
    }
}

TEST_F(TrainingProgrammeTest, ANameClickOpensTheCardOrIndividualTrainingOrAsksAboutRetraining)
{
    Build();
    const int32_t first = TrainingProgramme.squad[0];
    EXPECT_EQ(TrainingProgramme_ClickPlayer(0), EXM_CODE_LEAVE);
    EXPECT_EQ(CurrentPlayer, first);
    EXPECT_EQ(MenuOption, MENU_OPTION_PLAYER_CARD);
    EXPECT_EQ(CardReturnOption, OPTION_TRAINING_PROGRAMME);
    TrainingProgramme.individual = 1;
    EXPECT_EQ(TrainingProgramme_ClickPlayer(1), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, 78);
    TrainingProgramme.individual = 0;
    EXPECT_EQ(TrainingProgramme_ClickPlayer(TRAINING_ROWS), 1);

    EXPECT_EQ(TrainingProgramme_ChooseTarget(3), EXM_CODE_REDRAW);
    EXPECT_EQ(TrainingProgramme_ChooseTarget(3), EXM_CODE_REDRAW);
    EXPECT_EQ(TrainingProgramme.chosenTarget, TRAINING_NO_TARGET);

    struct Case {
        int32_t age, position, target;
        bool box, yes;
        int32_t retrainTarget, periods;
    };
    const Case cases[] = {
        {20, 2, 1, false, false, TRAIN_NO_RETRAIN, 0},  // already a defender: nothing starts
        {33, 2, 0, true, true, TRAIN_NO_RETRAIN, 0},    // 55 periods: refused
        {20, 2, 3, true, false, TRAIN_NO_RETRAIN, 0},   // "Non"
        {20, 2, 3, true, true, 3, 16},                  // "Oui"
    };
    for (const Case& c : cases) {
        const int32_t player = Shape(2, c.age, c.position);
        const int32_t slot = FindInTrainingBuffer(player);
        TrainingProgramme_ChooseTarget(c.target);
        const auto click = [] { return TrainingProgramme_ClickPlayer(2); };
        const int32_t code = c.box ? ClickingBoxesAway(click, c.yes) : click();
        EXPECT_EQ(code, EXM_CODE_REDRAW);
        EXPECT_EQ(TrainingProgramme.chosenTarget, TRAINING_NO_TARGET);
        EXPECT_EQ(TrainingBuffer.retrainTarget[slot], c.retrainTarget) << c.age << c.yes;
        EXPECT_EQ(TrainingBuffer.retrainRemaining[slot], c.periods) << c.age << c.yes;
        EXPECT_EQ(TrainingBuffer.retrainTotal[slot], c.periods) << c.age << c.yes;
    }
}

TEST_F(TrainingProgrammeTest, ThirtyTwoPlayersPageByTenAndStopAtTwentyTwo)
{
    Build();
    TrainingProgramme.squadLength = SQUAD_MAX;
    for (const int32_t first : {10, 20, 22, 22}) {
        EXPECT_EQ(TrainingProgramme_PageDown(), EXM_CODE_REDRAW);
        EXPECT_EQ(TrainingProgramme.firstRow, first);
    }
    for (const int32_t first : {12, 2, 0}) {
        EXPECT_EQ(TrainingProgramme_PageUp(), EXM_CODE_REDRAW);
        EXPECT_EQ(TrainingProgramme.firstRow, first);
    }
    EXPECT_EQ(TrainingProgramme_PageUp(), 1);
}

// "Entr. Individuel" shows its mode by its label's colour alone: colour 1 while on.
TEST_F(TrainingProgrammeTest, TheIndividualButtonTogglesTheModeAndItsLabelsColour)
{
    std::vector<int32_t> modes;
    std::vector<uint32_t> frames;
    const auto look = [&] {
        modes.push_back(TrainingProgramme.individual * 10 + TrainingProgramme.individualColour);
        frames.push_back(WorkScreenHash());
    };
    MenuInputs inputs;
    AddClick(&inputs, 250, 480, 455);
    inputs.push_back({300, MenuInput::CALL, 0, 0, look});
    AddClick(&inputs, 350, 480, 455);
    inputs.push_back({400, MenuInput::CALL, 0, 0, look});
    m_screen.Run(TrainingProgramme_Table(), look, inputs);
    EXPECT_EQ(modes, (std::vector<int32_t>{0, 11, 0}));
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_NE(frames[1], frames[2]);  // the pointer over the button both times: only the label
}

TEST_F(TrainingProgrammeTest, TheProgrammeOfASeededCareerMatchesTheGolden)
{
    uint32_t hash = 0;
    m_screen.Run(TrainingProgramme_Table(), [&] { hash = WorkScreenHash(); });
    ExpectGoldenHash("menus/training_programme", hash);
}

// The curves run over his ages: at 26 they read his abilities of today; they rise with the years
// (abilities grow to 30) and stay level from 30 on.
TEST_F(TrainingProgrammeTest, TheProgressCurvesPassThroughTodaysAbilitiesAtHisAgeAndLevelFrom30)
{
    Build();
    const int32_t player = Shape(3, 26, 6);
    int32_t curves[PROGRESS_POINTS][8];
    PlayerAttributes_Curves(player, curves);
    constexpr int32_t today = (26 - PROGRESS_FIRST_AGE) / PROGRESS_AGE_STEP;
    constexpr int32_t at30 = (30 - PROGRESS_FIRST_AGE) / PROGRESS_AGE_STEP;
    for (int32_t k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(curves[today][k], VTW_GetAbilityStat(player, k));
        for (int32_t point = 1; point < PROGRESS_POINTS; ++point)
            EXPECT_GE(curves[point][k], curves[point - 1][k]) << point;
        EXPECT_EQ(curves[at30][k], curves[PROGRESS_POINTS - 1][k]);
    }
    EXPECT_GT(curves[at30][4], curves[0][4]);  // "Tirs" of a midfielder: above the floor of 10
}

TEST_F(TrainingProgrammeTest, TheProgressCurvesOfAFixedPlayerMatchTheGoldenAndOkGoesToTheCard)
{
    Build();
    CurrentPlayer = TrainingProgramme.squad[3];
    uint32_t hash = 0;
    MenuOption = MENU_OPTION_OFFICE;
    MenuInputs inputs;
    AddClick(&inputs, 200, 570, 436);
    m_screen.Run(
        PlayerAttributes_Table(), [&] { hash = WorkScreenHash(); }, inputs);
    ExpectGoldenHash("menus/player_progress", hash);
    EXPECT_EQ(MenuOption, MENU_OPTION_PLAYER_CARD);
}

}  // namespace
