// game/trainingschedule.cpp: the team-training schedule and the individual-training table.
#include "game/trainingschedule.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "engine/fatal.h"
#include "game/funcs.h"
#include "game/savegame.h"
#include "game/statmodel.h"

TrainingEntry TrainingSchedule[TRAINING_ENTRIES];
uint8_t TrainingCompact[TRAINING_COMPACT_BYTES];
TrainingTableRow TrainingTable[TRAINING_TABLE_ROWS];
bool TrainingFirstTime;

// clang-format off
const TrainingEmphasis TrainingEmphases[LINE_COUNT][TRAINING_EMPHASES] = {
    {{1826, 0},  {1823, 10}, {1635, 9}},   // "Maniement" saves, "Aérien" power, "Réactions"
    {{1636, 2},  {84, 14},   {935, 13}},   // "Timing" tackles, "Marquage" mental, "Interceptions"
    {{958, 11},  {1683, 3},  {1637, 14}},  // "Niv. d'engagement" stamina, "Distribution" passes
    {{1638, 4},  {1639, 8},  {1675, 5}},   // "Finition" shots, "Mouvement" speed, "Créativité"
};
// clang-format on

namespace {

constexpr int32_t SHARE_NEUTRAL = 33;  // the share that moves its stat by nothing
constexpr int32_t SHARE_PER_POINT = 10;

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

int32_t RowOf(int32_t player)
{
    for (int32_t row = 0; row < TRAINING_TABLE_ROWS; ++row) {
        if (TrainingTable[row].player == player) return row;
    }
    return -1;
}

bool SharesValid(const int16_t* shares)
{
    const auto inRange = [](int16_t share) { return share >= 0 && share <= 100; };
    return std::all_of(shares, shares + TRAINING_EMPHASES, inRange)
           && std::accumulate(shares, shares + TRAINING_EMPHASES, 0) == 100;
}

void Training_Init()
{
    SaveGame_RegisterBlock("TRNI", TrainingTable, sizeof TrainingTable, TrainingTable_CheckSaved);
    Training_ResetCareer();
}

void Training_Uninit() { Training_ResetCareer(); }

void Training_ResetCareer()
{
    s_training = {};
    Training_SetDefaults();
    Training_StoreSchedule();
    TrainingTable_Clear();
    TrainingFirstTime = true;
}

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

int32_t Training_MoveToward(int32_t entry, int32_t target)
{
    target = std::clamp(target, 0, TRAINING_MAX);
    TrainingEntry& e = TrainingSchedule[entry];
    const uint16_t start = e.value;
    for (uint16_t last = UINT16_MAX; e.value != target && e.value != last;) {
        last = e.value;
        Step(entry, e.value < target);
    }
    if (e.value == start) return 1;
    e.before = start;
    return 2;
}

int32_t Training_ToggleLock(int32_t entry)
{
    GroupOf(entry);  // a bad entry is fatal, as for a step
    TrainingSchedule[entry].flags ^= TRAINING_LOCKED;
    return 2;
}

int32_t Training_SetExtra(int32_t button)
{
    if (button < 0 || button >= TRAINING_EXTRA_BUTTONS)
        FatalError("Training_SetExtra(): bad button %d", button);
    TrainingEntry& e = TrainingSchedule[TRAINING_EXTRA];
    if (e.value == TRAINING_EXTRA_VALUES[button]) return 1;
    e.before = e.value;
    e.value = TRAINING_EXTRA_VALUES[button];
    return 2;
}

void TrainingTable_Sync(const int16_t* squad, int32_t count)
{
    const int16_t* end = squad + count;
    for (TrainingTableRow& row : TrainingTable) {
        if (row.player >= 0 && std::find(squad, end, row.player) == end) row.player = -1;
    }
    for (const int16_t* player = squad; player != end; ++player) {
        if (RowOf(*player) >= 0) continue;
        const int32_t row = RowOf(-1);
        if (row < 0) FatalError("TrainingTable_Sync(): table full");
        TrainingTable[row] = {};
        TrainingTable[row].player = *player;
        std::copy_n(TRAINING_DEFAULT_SHARES, TRAINING_EMPHASES, TrainingTable[row].settings);
    }
}

void TrainingTable_GetShares(int32_t player, int16_t shares[TRAINING_EMPHASES])
{
    const int32_t row = player >= 0 ? RowOf(player) : -1;
    const int16_t* from = row >= 0 ? TrainingTable[row].settings : TRAINING_DEFAULT_SHARES;
    std::copy_n(from, TRAINING_EMPHASES, shares);
}

void TrainingTable_SetShares(int32_t player, const int16_t shares[TRAINING_EMPHASES])
{
    const int32_t row = player >= 0 ? RowOf(player) : -1;
    if (row < 0 || !SharesValid(shares)) return;
    std::copy_n(shares, TRAINING_EMPHASES, TrainingTable[row].settings);
}

bool TrainingTable_CheckSaved(const void* block)
{
    const auto* rows = static_cast<const TrainingTableRow*>(block);
    for (int32_t k = 0; k < TRAINING_TABLE_ROWS; ++k) {
        const TrainingTableRow& row = rows[k];
        if (row.player == -1) continue;
        if (!SaveCheck_InRange(row.player, 0, PERSON_MAX - 1) || !SharesValid(row.settings))
            return false;
        for (int32_t other = 0; other < k; ++other) {
            if (rows[other].player == row.player) return false;
        }
    }
    return true;
}

void Training_ApplyEmphases(int32_t player, int32_t stats[])
{
    const int32_t row = player >= 0 ? RowOf(player) : -1;
    const int32_t line = row >= 0 ? VTW_GetPositionLine(player) : LINE_COUNT;
    if (line >= LINE_COUNT) return;
    for (int32_t k = 0; k < TRAINING_EMPHASES; ++k) {
        int32_t& stat = stats[TrainingEmphases[line][k].stat];
        const int32_t shift = (TrainingTable[row].settings[k] - SHARE_NEUTRAL) / SHARE_PER_POINT;
        stat = std::clamp(stat + shift, STAT_MIN, STAT_MAX);
    }
}
