// tests/game/training_buffer_test.cpp: the human's training plan: slots that follow his squad
// through transfers, the presets a newcomer starts on, and the length of a retraining.
#include <algorithm>

#include <gtest/gtest.h>

#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/market.h"
#include "game/records.h"
#include "game/season.h"
#include "game/squad.h"
#include "game/world.h"
#include "tests/support/game_world.h"

namespace {

constexpr int32_t HUMAN_CLUB = 5;

class TrainingBufferTest : public testing::Test {
protected:
    void SetUp() override
    {
        NewGameForTest(0, 21);
        VTW_SetClubControl(HUMAN_CLUB, MANAGER_HUMAN);
        GameState.humanClub = HUMAN_CLUB;
        VTW_InitTrainingBuffer();
    }
    ScopedWorld m_world;
    ScopedSeason m_season;
};

int32_t SlotsTaken()
{
    int32_t taken = 0;
    for (const int16_t player : TrainingBuffer.slotPlayer)
        taken += player >= 0;
    return taken;
}

int32_t FirstPlayerOf(int32_t club)
{
    VTW_RefreshSquadCount(club);
    return SquadList.players[0];
}

TEST_F(TrainingBufferTest, ANewCareerGivesEverySquadPlayerPresetOneAndFollowsTransfers)
{
    const int32_t count = VTW_RefreshSquadCount(HUMAN_CLUB);
    ASSERT_GT(count, 10);
    EXPECT_EQ(SlotsTaken(), count);
    const uint16_t preseason[TRAIN_PERIODS] = {TRAIN_PHYSICAL, TRAIN_PHYSICAL,  TRAIN_PHYSICAL,
                                               TRAIN_PHYSICAL, TRAIN_TECHNICAL, TRAIN_TEAM,
                                               TRAIN_TEAM};
    for (int32_t k = 0; k < count; ++k) {
        const int32_t player = SquadList.players[k];
        const int32_t slot = FindInTrainingBuffer(player);
        EXPECT_EQ(TrainingBuffer.trainingAtEntry[slot], VTW_GetPlayerTraining(player));
        EXPECT_EQ(TrainingBuffer.retrainTarget[slot], TRAIN_NO_RETRAIN);
        for (int32_t period = 0; period < TRAIN_PERIODS; ++period)
            EXPECT_EQ(TrainingBuffer.programme[slot][period], preseason[period]);
    }
    EXPECT_EQ(TrainingBuffer.presets[3][6], TRAIN_PHYSICAL);
    EXPECT_EQ(TrainingBuffer.presets[0][0], TRAIN_REST);

    // One leaves, one arrives: the market syncs the buffer both times.
    const int32_t leaving = SquadList.players[0];
    TrainingBuffer.retrainTarget[FindInTrainingBuffer(leaving)] = 3;
    Market_Release(leaving);
    const int32_t newcomer = FirstPlayerOf(HUMAN_CLUB + 1);
    const int32_t moved = Market_MovePlayer(newcomer, HUMAN_CLUB, 0, false, 100, 12);
    ASSERT_GE(moved, 0);
    // The market syncs while it works on another club's list: that list stays.
    VTW_RefreshSquadCount(HUMAN_CLUB + 1);
    VTW_SyncTrainingBuffer();
    EXPECT_EQ(SquadList.club, HUMAN_CLUB + 1);
    EXPECT_EQ(SlotsTaken(), VTW_RefreshSquadCount(HUMAN_CLUB));
    const int32_t slot = FindInTrainingBuffer(moved);
    EXPECT_EQ(TrainingBuffer.programme[slot][0], TRAIN_PHYSICAL);
    EXPECT_EQ(TrainingBuffer.retrainTarget[slot], TRAIN_NO_RETRAIN);
    EXPECT_DEATH(FindInTrainingBuffer(leaving), "player not in training buffer \\(After init\\)");
}

TEST_F(TrainingBufferTest, WithoutAPostTheBufferStaysEmpty)
{
    VTW_SetClubControl(HUMAN_CLUB, MANAGER_COMPUTER);
    GameState.humanClub = -1;
    VTW_InitTrainingBuffer();
    VTW_SyncTrainingBuffer();
    EXPECT_EQ(SlotsTaken(), 0);
    EXPECT_EQ(TrainingBuffer.presets[1][0], TRAIN_PHYSICAL);
}

TEST_F(TrainingBufferTest, RetrainDurationGrowsWithAgeAndDistanceAndIsAtLeastOne)
{
    struct Case {
        int32_t age, position, target, periods;
    };
    const Case cases[] = {
        {33, 2, 0, 55},                   // defender to goalkeeper: 5k, k = 11, refused above 52
        {20, 2, 3, 16},                   // defender to forward: 4k, k = 4
        {20, 2, 2, 8},                    // defender to midfield: 2k
        {20, 2, 1, 4},                    // his own line: k
        {20, 7, 3, 8},                    // midfielder to forward: 2k
        {20, 11, 1, 16},                  // forward to defender: 4k
        {20, 0, 3, 20},                   // a goalkeeper anywhere: 5k
        {20, 0, 5, 20},  {20, 11, 6, 4},  // a wing: k
        {24, 7, 0, 30},                   // k = 6
        {12, 2, 3, 1},                    // k = 0 still takes one period
        {11, 0, 0, 1},
    };
    const int32_t player = FirstPlayerOf(HUMAN_CLUB);
    for (const Case& c : cases) {
        DbPersons[player].birthYear =
            static_cast<uint8_t>(GAME_FIRST_YEAR + GameState.seasonCounter - 1950 - c.age);
        DbPlayers[player].position = static_cast<uint8_t>(c.position);
        EXPECT_EQ(RetrainDuration(player, c.target), c.periods)
            << "age " << c.age << " position " << c.position << " target " << c.target;
    }
}

}  // namespace
