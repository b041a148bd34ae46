// tests/game/trainingschedule_test.cpp: the training schedule's defaults, its compact form and
// the slider rule that keeps each group's total.
#include "game/trainingschedule.h"

#include "tests/support/support.h"

namespace {

int32_t GroupTotal(int32_t first, int32_t size)
{
    int32_t total = 0;
    for (int32_t i = first; i < first + size; ++i) {
        total += TrainingSchedule[i].value;
    }
    return total;
}

}  // namespace

TEST(Training, DefaultsFillEveryGroupAndTheCompactForm)
{
    ScopedCore core;
    Training_Init();
    const uint8_t expected[TRAINING_COMPACT_BYTES] = {75, 75, 75, 75, 67, 67, 66,
                                                      67, 67, 66, 67, 67, 66, 50};
    for (int32_t i = 0; i < TRAINING_COMPACT_BYTES; ++i) {
        EXPECT_EQ(TrainingCompact[i], expected[i]) << i;
    }
    EXPECT_EQ(TrainingSchedule[4].flags, 3 << 1);
    EXPECT_EQ(TrainingSchedule[TRAINING_EXTRA].x, 295);
    EXPECT_EQ(TrainingSchedule[TRAINING_EXTRA].y, 362);
    EXPECT_TRUE(TrainingFirstTime);
    Training_SetDefaults();
    EXPECT_FALSE(TrainingFirstTime);
}

TEST(Training, ACompactGroupThatMissesItsTotalLoadsAsItsDefaults)
{
    ScopedCore core;
    Training_Init();
    const uint8_t stored[TRAINING_COMPACT_BYTES] = {80, 80, 70, 69, 100, 50,  50,
                                                    10, 10, 10, 0,  0,   200, 40};
    std::copy(std::begin(stored), std::end(stored), TrainingCompact);
    Training_LoadSchedule();
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(TrainingSchedule[i].value, 75) << i;  // 299 is not 300
    }
    // G4 (bytes 4-6) and G3 (bytes 10-12) add up to 200 and are taken; G2 (7-9) is not.
    EXPECT_EQ(TrainingSchedule[10].value, 100);
    EXPECT_EQ(TrainingSchedule[12].value, 50);
    EXPECT_EQ(TrainingSchedule[9].value, 200);
    EXPECT_EQ(TrainingSchedule[4].value, 67);
    EXPECT_EQ(TrainingSchedule[6].value, 66);
    EXPECT_EQ(TrainingSchedule[TRAINING_EXTRA].value, 40);
}

TEST(Training, StepsKeepEveryGroupTotalAndStopWhenNoPartnerCanGive)
{
    ScopedCore core;
    Training_Init();
    for (int32_t n = 0; n < 500; ++n) {
        Training_StepUp(n % 13);
        Training_StepDown((n * 7) % 13);
        ASSERT_EQ(GroupTotal(0, 4), 300);
        ASSERT_EQ(GroupTotal(4, 3), 200);
        ASSERT_EQ(GroupTotal(7, 3), 200);
        ASSERT_EQ(GroupTotal(10, 3), 200);
    }
    Training_SetDefaults();
    TrainingSchedule[5].flags |= TRAINING_LOCKED;
    TrainingSchedule[6].flags |= TRAINING_LOCKED;
    Training_StepUp(4);
    EXPECT_EQ(TrainingSchedule[4].value, 67);
    TrainingSchedule[6].flags &= static_cast<uint8_t>(~TRAINING_LOCKED);
    TrainingSchedule[6].value = 0;  // the one unlocked partner has nothing to give
    Training_StepUp(4);
    EXPECT_EQ(TrainingSchedule[4].value, 67);
    EXPECT_EQ(TrainingSchedule[5].value, 67);
    Training_StepUp(TRAINING_EXTRA);
    EXPECT_EQ(TrainingSchedule[TRAINING_EXTRA].value, 51);
}

TEST(Training, ClearingTheTableFreesAllThirtyTwoRows)
{
    ScopedCore core;
    Training_Init();
    TrainingTable[31].player = 12;
    TrainingTable_Clear();
    for (const TrainingTableRow& row : TrainingTable) {
        EXPECT_EQ(row.player, -1);
    }
}
