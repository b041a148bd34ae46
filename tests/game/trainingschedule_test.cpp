// tests/game/trainingschedule_test.cpp: the training schedule's defaults, its compact form and
// the slider rule that keeps each group's total.
#include "game/trainingschedule.h"

#include <algorithm>
#include <utility>
#include <vector>

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

// A click's target, from the defaults (75 x 4; 67, 67, 66; extra 50) with the cursor at its
// start: the partners give or take in turn, a locked one never, and a group that cannot move
// stops the slider where it stands.
TEST(Training, ASliderMovesTowardItsTargetKeepingTheGroupsTotal)
{
    struct Case {
        const char* name;
        int32_t locked;  // an entry locked first, -1 none
        int32_t locked2;
        int32_t entry;
        int32_t target;
        int32_t result;
        std::vector<std::pair<int32_t, int32_t>> values;  // entry, value afterwards
    };
    const Case cases[] = {
        {"up, partners in turn", -1, -1, 4, 100, 2, {{4, 100}, {5, 50}, {6, 50}}},
        {"down, a partner full", -1, -1, 4, 0, 2, {{4, 0}, {5, 100}, {6, 100}}},
        {"one partner locked", 6, -1, 4, 100, 2, {{4, 100}, {5, 34}, {6, 66}}},
        {"both partners locked", 5, 6, 4, 100, 1, {{4, 67}, {5, 67}, {6, 66}}},
        {"four in a group", -1, -1, 0, 90, 2, {{0, 90}, {1, 70}, {2, 70}, {3, 70}}},
        {"the same value", -1, -1, 0, 75, 1, {{0, 75}, {1, 75}}},
        {"extra, alone", -1, -1, TRAINING_EXTRA, 80, 2, {{TRAINING_EXTRA, 80}}},
        {"a target past 100", -1, -1, TRAINING_EXTRA, 150, 2, {{TRAINING_EXTRA, 100}}},
        {"a target below 0", -1, -1, 8, -5, 2, {{8, 0}, {7, 100}, {9, 100}}},
    };
    ScopedCore core;
    Training_Init();
    for (const Case& c : cases) {
        Training_ResetCareer();
        for (const int32_t locked : {c.locked, c.locked2}) {
            if (locked >= 0) {
                EXPECT_EQ(Training_ToggleLock(locked), 2);
            }
        }
        const uint16_t start = TrainingSchedule[c.entry].value;
        EXPECT_EQ(Training_MoveToward(c.entry, c.target), c.result) << c.name;
        for (const auto& [entry, value] : c.values) {
            EXPECT_EQ(TrainingSchedule[entry].value, value) << c.name << " " << entry;
        }
        if (c.result == 2) {
            EXPECT_EQ(TrainingSchedule[c.entry].before, start) << c.name;
        }
        EXPECT_EQ(GroupTotal(0, 4) + GroupTotal(4, 3) + GroupTotal(7, 3) + GroupTotal(10, 3), 900)
            << c.name;
    }

    // One cursor for every group: a step in G2 moves it on, so G1's next giver is its third.
    Training_ResetCareer();
    Training_MoveToward(4, 68);
    Training_MoveToward(0, 76);
    EXPECT_EQ(TrainingSchedule[1].value, 75);
    EXPECT_EQ(TrainingSchedule[2].value, 74);

    // A lock toggles back and keeps the group's size in the other bits.
    EXPECT_EQ(Training_ToggleLock(5), 2);
    EXPECT_EQ(Training_ToggleLock(5), 2);
    EXPECT_EQ(TrainingSchedule[5].flags, 3 << 1);
}

TEST(Training, TheNineExtraButtonsSetTheirValuesOnce)
{
    ScopedCore core;
    Training_Init();
    const uint16_t values[] = {100, 84, 67, 50, 40, 30, 20, 10, 0};
    EXPECT_EQ(Training_SetExtra(3), 1);  // 50, the default
    for (int32_t button = 0; button < TRAINING_EXTRA_BUTTONS; ++button) {
        EXPECT_EQ(Training_SetExtra(button), 2) << button;
        EXPECT_EQ(TrainingSchedule[TRAINING_EXTRA].value, values[button]) << button;
        EXPECT_EQ(Training_SetExtra(button), 1) << button;
    }
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

namespace {

std::vector<int16_t> GridValues(int32_t player)
{
    const TrainingTableRow* row = TrainingGrid_Row(player);
    if (row == nullptr) return {};
    return {row->settings, row->settings + TRAINING_GRID_ROWS};
}

}  // namespace

TEST(Training, TheGridsRowsFollowTheSquadAndItsFiveSlidersKeepTheirTotal)
{
    ScopedCore core;
    Training_Init();
    const int16_t squad[] = {100, 101, 102};
    TrainingGrid_Sync(squad, 3);
    EXPECT_EQ(GridValues(101), (std::vector<int16_t>{20, 20, 20, 20, 20}));
    EXPECT_EQ(TrainingGrid_Row(101)->settings[TRAINING_GRID_LOCKS], 0);
    TrainingGrid_MoveToward(101, 0, 60);
    const int16_t after[] = {102, 103};  // 100 and 101 left, 103 came
    TrainingGrid_Sync(after, 2);
    EXPECT_EQ(TrainingGrid_Row(100), nullptr);
    EXPECT_EQ(TrainingGrid_Row(101), nullptr);
    EXPECT_EQ(GridValues(103), (std::vector<int16_t>{20, 20, 20, 20, 20}));
    TrainingGrid_Sync(squad + 1, 2);  // 101 back: a fresh row
    EXPECT_EQ(GridValues(101), (std::vector<int16_t>{20, 20, 20, 20, 20}));

    struct Case {
        std::vector<int32_t> locked;
        int32_t slider, target, result;
        std::vector<int16_t> values;
    };
    // Partners give (or take) in turn from the shared cursor, a locked one never; a slider stops
    // where nobody can give or take any more.
    const Case cases[] = {
        {{}, 0, 60, 2, {60, 10, 10, 10, 10}},
        {{}, 2, 0, 2, {25, 25, 0, 25, 25}},
        {{1, 2}, 0, 100, 2, {60, 20, 20, 0, 0}},
        {{1, 2, 3, 4}, 0, 90, 1, {20, 20, 20, 20, 20}},
        {{0}, 0, 90, 2, {90, 2, 2, 3, 3}},  // 70 steps, partners 1 and 2 first; its own lock
                                            // does not hold a dragged slider
        {{}, 0, 20, 1, {20, 20, 20, 20, 20}},
        {{}, 5, 50, 1, {20, 20, 20, 20, 20}},
        {{}, -1, 50, 1, {20, 20, 20, 20, 20}},
    };
    for (const Case& c : cases) {
        Training_ResetCareer();  // the cursor back at 0
        TrainingGrid_Sync(squad, 3);
        for (const int32_t slider : c.locked)
            EXPECT_EQ(TrainingGrid_ToggleLock(102, slider), 2);
        EXPECT_EQ(TrainingGrid_MoveToward(102, c.slider, c.target), c.result) << c.slider;
        EXPECT_EQ(GridValues(102), c.values) << c.slider << " to " << c.target;
    }
    EXPECT_EQ(TrainingGrid_MoveToward(999, 0, 50), 1);
    EXPECT_EQ(TrainingGrid_ToggleLock(999, 0), 1);
    EXPECT_EQ(TrainingGrid_ToggleLock(102, TRAINING_GRID_ROWS), 1);
    EXPECT_EQ(TrainingGrid_ToggleLock(102, -1), 1);
    EXPECT_EQ(TrainingGrid_Row(102)->settings[TRAINING_GRID_LOCKS], 0);
}

TEST(Training, TheGridsSavedTableIsCheckedRowByRow)
{
    struct Case {
        int16_t player, values[5], locks;
        bool valid;
    };
    const Case cases[] = {
        {7, {20, 20, 20, 20, 20}, 0, true},
        {7, {100, 0, 0, 0, 0}, 31, true},
        {-1, {9, 9, 9, 9, 9}, 99, true},
        {7, {20, 20, 20, 20, 19}, 0, false},
        {7, {101, -1, 0, 0, 0}, 0, false},
        {7, {20, 20, 20, 20, 20}, 32, false},
        {7, {20, 20, 20, 20, 20}, -1, false},
        {-2, {20, 20, 20, 20, 20}, 0, false},
        {PERSON_MAX, {20, 20, 20, 20, 20}, 0, false},
    };
    for (const Case& c : cases) {
        TrainingTableRow rows[TRAINING_TABLE_ROWS];
        for (TrainingTableRow& row : rows)
            row = {-1, {}};
        rows[3].player = c.player;
        std::copy_n(c.values, TRAINING_GRID_ROWS, rows[3].settings);
        rows[3].settings[TRAINING_GRID_LOCKS] = c.locks;
        EXPECT_EQ(TrainingGrid_CheckSaved(rows), c.valid) << c.player << " " << c.locks;
    }
    TrainingTableRow twice[TRAINING_TABLE_ROWS];
    for (TrainingTableRow& row : twice)
        row = {8, {100, 0, 0, 0, 0, 0}};
    EXPECT_FALSE(TrainingGrid_CheckSaved(twice));
}
