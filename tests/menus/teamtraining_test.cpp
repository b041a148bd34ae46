// tests/menus/teamtraining_test.cpp: the team training screen's painting, brush, level bars and
// programme shares on a seeded career, and its frame.
#include "menus/teamtraining.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "game/season.h"
#include "menus/exm.h"
#include "tests/support/screen_redraw.h"

namespace {

class TeamTrainingTest : public ::testing::Test {
protected:
    ScopedScreenRedraw m_screen;
};

TEST_F(TeamTrainingTest, AClickPaintsEvenTheSameSubjectAndTheBrushSurvivesLeaving)
{
    TeamTrainingInit();
    TeamTraining_SetBrush(TRAIN_GROUP_CORNERS);
    for (const int32_t group : {0, 2, 2, 14}) {
        EXPECT_EQ(TeamTraining_ClickSlot(group), EXM_CODE_REDRAW);
        EXPECT_EQ(TrainingBuffer.groups[group], TRAIN_GROUP_CORNERS) << group;
    }
    EXPECT_EQ(TeamTraining_ClickSlot(TRAIN_GROUPS), 1);
    EXPECT_EQ(TrainingBuffer.groups[1], TRAIN_GROUP_FREE_KICKS);
    m_screen.Run(TeamTraining_Table(), [] {});
    EXPECT_EQ(TeamTraining.brush, TRAIN_GROUP_CORNERS);
}

TEST_F(TeamTrainingTest, LevelsFillTheTrackAndSharesCountTheFiveWeeklyPeriods)
{
    struct Level {
        int32_t level, pixels;
    };
    for (const Level c : {Level{0, 0}, Level{30, 179}, Level{59, 350}, Level{60, 358}})
        EXPECT_EQ(TeamTraining_LevelLength(c.level), c.pixels) << c.level;

    std::fill(std::begin(TrainingBuffer.slotPlayer), std::end(TrainingBuffer.slotPlayer), -1);
    TrainingShares shares = TeamTraining_Shares();
    EXPECT_EQ(shares.team + shares.physical + shares.other, 0);
    // Two players: team x2 and physical x1 in the week, and their extra periods all team.
    const uint16_t weeks[2][TRAIN_PERIODS] = {
        {TRAIN_TEAM, TRAIN_TEAM, TRAIN_PHYSICAL, TRAIN_REST, TRAIN_TECHNICAL, TRAIN_TEAM,
         TRAIN_TEAM},
        {TRAIN_REST, TRAIN_REST, TRAIN_REST, TRAIN_REST, TRAIN_REST, TRAIN_TEAM, TRAIN_TEAM}};
    for (int32_t k = 0; k < 2; ++k) {
        TrainingBuffer.slotPlayer[k * 5] = static_cast<int16_t>(100 + k);
        std::copy_n(weeks[k], TRAIN_PERIODS, TrainingBuffer.programme[k * 5]);
    }
    shares = TeamTraining_Shares();
    EXPECT_EQ(shares.team, 20);
    EXPECT_EQ(shares.physical, 10);
    EXPECT_EQ(shares.other, 70);
}

TEST_F(TeamTrainingTest, TheScreenOfASeededCareerMatchesTheGolden)
{
    uint32_t hash = 0;
    m_screen.Run(TeamTraining_Table(), [&] { hash = WorkScreenHash(); });
    ExpectGoldenHash("menus/team_training", hash);
}

}  // namespace
