// game/trainingschedule.cpp: the team-training schedule and the individual-training table.
#include "game/trainingschedule.h"

#include <array>

#include "engine/fatal.h"

TrainingEntry TrainingSchedule[TRAINING_ENTRIES];
uint8_t TrainingCompact[TRAINING_COMPACT_BYTES];
TrainingTableRow TrainingTable[TRAINING_TABLE_ROWS];
bool TrainingFirstTime;

namespace {

constexpr int32_t TRAINING_MAX = 100;

struct TrainingGroup {
    int32_t first;  // entry
    int32_t size;
    int32_t total;
    int32_t compactAt;  // its first byte in the compact form
    uint16_t x;
    uint16_t y;
    uint16_t yStep;
    std::array<uint16_t, 4> defaults;
};

// clang-format off
constexpr auto GROUPS = std::to_array<TrainingGroup>({
    {0,  4, 300, 0,  80,  100, 94, {75, 75, 75, 75}},
    {4,  3, 200, 7,  295, 174, 20, {67, 67, 66}},
    {7,  3, 200, 10, 295, 268, 20, {67, 67, 66}},
    {10, 3, 200, 4,  295, 80,  20, {67, 67, 66}},
    {13, 1, 0,   13, 295, 362, 0,  {50}},
});
// clang-format on

struct TrainingState {
    int32_t cursor;  // shared by all groups: where the next partner search starts
};

TrainingState s_training;

const TrainingGroup& GroupOf(int32_t entry)
{
    if (entry < 0 || entry >= TRAINING_ENTRIES) FatalError("Training_Step(): bad entry %d", entry);
    for (const TrainingGroup& group : GROUPS) {
        if (entry < group.first + group.size) return group;
    }
    return GROUPS.back();
}

bool Locked(int32_t entry) { return (TrainingSchedule[entry].flags & TRAINING_LOCKED) != 0; }

// The next unlocked partner of `entry` that can still give (up) or take (down) a point, from the
// shared cursor on; -1 when there is none.
int32_t NextPartner(const TrainingGroup& group, int32_t entry, bool up)
{
    for (int32_t tried = 0; tried < group.size; ++tried) {
        s_training.cursor = (s_training.cursor + 1) % group.size;
        const int32_t partner = group.first + s_training.cursor;
        const uint16_t value = TrainingSchedule[partner].value;
        if (partner == entry || Locked(partner)) continue;
        if (up ? value > 0 : value < TRAINING_MAX) return partner;
    }
    return -1;
}

void Step(int32_t entry, bool up)
{
    const TrainingGroup& group = GroupOf(entry);
    TrainingEntry& e = TrainingSchedule[entry];
    if (up ? e.value >= TRAINING_MAX : e.value == 0) return;
    if (group.size > 1) {
        const int32_t partner = NextPartner(group, entry, up);
        if (partner < 0) return;
        TrainingSchedule[partner].value += up ? -1 : 1;
    }
    e.value += up ? 1 : -1;
}

}  // namespace

void Training_Init()
{
    s_training = {};
    Training_SetDefaults();
    Training_StoreSchedule();
    TrainingTable_Clear();
    TrainingFirstTime = true;
}

void Training_Uninit() { Training_Init(); }

void Training_SetDefaults()
{
    for (const TrainingGroup& group : GROUPS) {
        for (int32_t i = 0; i < group.size; ++i) {
            TrainingEntry& e = TrainingSchedule[group.first + i];
            e = {};
            e.x = group.x;
            e.y = static_cast<uint16_t>(group.y + group.yStep * i);
            e.value = group.defaults[i];
            e.before = e.value;
            e.flags = static_cast<uint8_t>(group.size << 1);
        }
    }
    TrainingFirstTime = false;
}

void Training_StoreSchedule()
{
    for (const TrainingGroup& group : GROUPS) {
        for (int32_t i = 0; i < group.size; ++i) {
            TrainingCompact[group.compactAt + i] =
                static_cast<uint8_t>(TrainingSchedule[group.first + i].value);
        }
    }
}

void Training_LoadSchedule()
{
    for (const TrainingGroup& group : GROUPS) {
        int32_t sum = 0;
        for (int32_t i = 0; i < group.size; ++i) {
            sum += TrainingCompact[group.compactAt + i];
        }
        const bool taken = group.size == 1 || sum == group.total;
        for (int32_t i = 0; i < group.size; ++i) {
            TrainingSchedule[group.first + i].value =
                taken ? TrainingCompact[group.compactAt + i] : group.defaults[i];
        }
    }
}

void TrainingTable_Clear()
{
    for (TrainingTableRow& row : TrainingTable) {
        row.player = -1;
    }
}

void Training_StepUp(int32_t entry) { Step(entry, true); }
void Training_StepDown(int32_t entry) { Step(entry, false); }
