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
TrainingTableRow TrainingGridTable[TRAINING_TABLE_ROWS];
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

// A group of sliders as the rule sees it: values that keep their total, some locked.
struct Sliders {
    int32_t size;
    int32_t value[TRAINING_GRID_ROWS];
    bool locked[TRAINING_GRID_ROWS];
};
static_assert(TRAINING_GRID_ROWS >= 4);  // the schedule's largest group

// The next unlocked partner of slider i that can still give (up) or take (down) a point, from the
// shared cursor on; -1 when there is none.
int32_t NextPartner(const Sliders& g, int32_t i, bool up)
{
    for (int32_t tried = 0; tried < g.size; ++tried) {
        s_training.cursor = (s_training.cursor + 1) % g.size;
        const int32_t partner = s_training.cursor;
        if (partner == i || g.locked[partner]) continue;
        if (up ? g.value[partner] > 0 : g.value[partner] < TRAINING_MAX) return partner;
    }
    return -1;
}

void StepIn(Sliders& g, int32_t i, bool up)
{
    if (up ? g.value[i] >= TRAINING_MAX : g.value[i] == 0) return;
    if (g.size > 1) {
        const int32_t partner = NextPartner(g, i, up);
        if (partner < 0) return;
        g.value[partner] += up ? -1 : 1;
    }
    g.value[i] += up ? 1 : -1;
}

// Slider i steps one point at a time toward the target (clamped to 0-100), stopping early when
// a step changes nothing; true when it moved.
bool MoveIn(Sliders& g, int32_t i, int32_t target)
{
    target = std::clamp(target, 0, TRAINING_MAX);
    const int32_t start = g.value[i];
    for (int32_t last = -1; g.value[i] != target && g.value[i] != last;) {
        last = g.value[i];
        StepIn(g, i, g.value[i] < target);
    }
    return g.value[i] != start;
}

Sliders ScheduleSliders(const TrainingGroup& group)
{
    Sliders g{group.size, {}, {}};
    for (int32_t i = 0; i < group.size; ++i) {
        const TrainingEntry& e = TrainingSchedule[group.first + i];
        g.value[i] = e.value;
        g.locked[i] = (e.flags & TRAINING_LOCKED) != 0;
    }
    return g;
}

void StoreScheduleSliders(const TrainingGroup& group, const Sliders& g)
{
    for (int32_t i = 0; i < group.size; ++i)
        TrainingSchedule[group.first + i].value = static_cast<uint16_t>(g.value[i]);
}

void Step(int32_t entry, bool up)
{
    const TrainingGroup& group = GroupOf(entry);
    Sliders g = ScheduleSliders(group);
    StepIn(g, entry - group.first, up);
    StoreScheduleSliders(group, g);
}

int32_t RowOf(const TrainingTableRow* rows, int32_t player)
{
    for (int32_t row = 0; row < TRAINING_TABLE_ROWS; ++row) {
        if (rows[row].player == player) return row;
    }
    return -1;
}

bool SumsTo100(const int16_t* values, int32_t n)
{
    const auto inRange = [](int16_t v) { return v >= 0 && v <= TRAINING_MAX; };
    return std::all_of(values, values + n, inRange)
           && std::accumulate(values, values + n, 0) == 100;
}

bool SharesValid(const int16_t* shares) { return SumsTo100(shares, TRAINING_EMPHASES); }

// Frees the rows of players who are not among the `count` squad players and gives each squad
// player without a row the first free one, starting from `defaults`.
void SyncRows(TrainingTableRow* rows, const int16_t* squad, int32_t count,
              const int16_t (&defaults)[6], const char* who)
{
    const int16_t* end = squad + count;
    for (int32_t row = 0; row < TRAINING_TABLE_ROWS; ++row) {
        if (rows[row].player >= 0 && std::find(squad, end, rows[row].player) == end)
            rows[row].player = -1;
    }
    for (const int16_t* player = squad; player != end; ++player) {
        if (RowOf(rows, *player) >= 0) continue;
        const int32_t row = RowOf(rows, -1);
        if (row < 0) FatalError("%s: table full", who);
        rows[row].player = *player;
        std::copy(std::begin(defaults), std::end(defaults), rows[row].settings);
    }
}

// A saved table: player ids -1 or a person, none twice, every used row accepted by `valid`.
bool RowsValid(const TrainingTableRow* rows, bool (*valid)(const TrainingTableRow&))
{
    for (int32_t k = 0; k < TRAINING_TABLE_ROWS; ++k) {
        const TrainingTableRow& row = rows[k];
        if (row.player == -1) continue;
        if (!SaveCheck_InRange(row.player, 0, PERSON_MAX - 1) || !valid(row)) return false;
        for (int32_t other = 0; other < k; ++other) {
            if (rows[other].player == row.player) return false;
        }
    }
    return true;
}

int32_t GridRowOf(int32_t player) { return player >= 0 ? RowOf(TrainingGridTable, player) : -1; }

Sliders GridSliders(const TrainingTableRow& row)
{
    Sliders g{TRAINING_GRID_ROWS, {}, {}};
    for (int32_t i = 0; i < TRAINING_GRID_ROWS; ++i) {
        g.value[i] = row.settings[i];
        g.locked[i] = (row.settings[TRAINING_GRID_LOCKS] >> i & 1) != 0;
    }
    return g;
}

}  // namespace

void Training_Init()
{
    SaveGame_RegisterBlock("TRNI", TrainingTable, sizeof TrainingTable, TrainingTable_CheckSaved);
    SaveGame_RegisterLateBlock("TRNG", TrainingGridTable, sizeof TrainingGridTable,
                               TrainingGrid_CheckSaved);
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
    for (TrainingTableRow& row : TrainingTable)
        row.player = -1;
    for (TrainingTableRow& row : TrainingGridTable)
        row.player = -1;
}

void Training_StepUp(int32_t entry) { Step(entry, true); }
void Training_StepDown(int32_t entry) { Step(entry, false); }

int32_t Training_MoveToward(int32_t entry, int32_t target)
{
    const TrainingGroup& group = GroupOf(entry);
    Sliders g = ScheduleSliders(group);
    const uint16_t start = TrainingSchedule[entry].value;
    if (!MoveIn(g, entry - group.first, target)) return 1;
    StoreScheduleSliders(group, g);
    TrainingSchedule[entry].before = start;
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
    static constexpr int16_t DEFAULTS[6] = {TRAINING_DEFAULT_SHARES[0], TRAINING_DEFAULT_SHARES[1],
                                            TRAINING_DEFAULT_SHARES[2]};
    SyncRows(TrainingTable, squad, count, DEFAULTS, "TrainingTable_Sync()");
}

int32_t TrainingTable_RowOf(int32_t player)
{
    return player >= 0 ? RowOf(TrainingTable, player) : -1;
}

void TrainingTable_GetShares(int32_t player, int16_t shares[TRAINING_EMPHASES])
{
    const int32_t row = TrainingTable_RowOf(player);
    const int16_t* from = row >= 0 ? TrainingTable[row].settings : TRAINING_DEFAULT_SHARES;
    std::copy_n(from, TRAINING_EMPHASES, shares);
}

void TrainingTable_SetShares(int32_t player, const int16_t shares[TRAINING_EMPHASES])
{
    const int32_t row = TrainingTable_RowOf(player);
    if (row < 0 || !SharesValid(shares)) return;
    std::copy_n(shares, TRAINING_EMPHASES, TrainingTable[row].settings);
}

bool TrainingTable_CheckSaved(const void* block)
{
    return RowsValid(static_cast<const TrainingTableRow*>(block),
                     [](const TrainingTableRow& row) { return SharesValid(row.settings); });
}

void Training_ApplyEmphases(int32_t player, int32_t row, int32_t stats[])
{
    const int32_t line = row >= 0 ? VTW_GetPositionLine(player) : LINE_COUNT;
    if (line >= LINE_COUNT) return;
    for (int32_t k = 0; k < TRAINING_EMPHASES; ++k) {
        int32_t& stat = stats[TrainingEmphases[line][k].stat];
        const int32_t shift = (TrainingTable[row].settings[k] - SHARE_NEUTRAL) / SHARE_PER_POINT;
        stat = std::clamp(stat + shift, STAT_MIN, STAT_MAX);
    }
}

void TrainingGrid_Sync(const int16_t* squad, int32_t count)
{
    static constexpr int16_t DEFAULTS[6] = {20, 20, 20, 20, 20, 0};
    SyncRows(TrainingGridTable, squad, count, DEFAULTS, "TrainingGrid_Sync()");
}

const TrainingTableRow* TrainingGrid_Row(int32_t player)
{
    const int32_t row = GridRowOf(player);
    return row >= 0 ? &TrainingGridTable[row] : nullptr;
}

int32_t TrainingGrid_MoveToward(int32_t player, int32_t slider, int32_t target)
{
    const int32_t row = GridRowOf(player);
    if (row < 0 || slider < 0 || slider >= TRAINING_GRID_ROWS) return 1;
    Sliders g = GridSliders(TrainingGridTable[row]);
    if (!MoveIn(g, slider, target)) return 1;
    for (int32_t i = 0; i < TRAINING_GRID_ROWS; ++i)
        TrainingGridTable[row].settings[i] = static_cast<int16_t>(g.value[i]);
    return 2;
}

int32_t TrainingGrid_ToggleLock(int32_t player, int32_t slider)
{
    const int32_t row = GridRowOf(player);
    if (row < 0 || slider < 0 || slider >= TRAINING_GRID_ROWS) return 1;
    TrainingGridTable[row].settings[TRAINING_GRID_LOCKS] ^= static_cast<int16_t>(1 << slider);
    return 2;
}

bool TrainingGrid_CheckSaved(const void* block)
{
    return RowsValid(static_cast<const TrainingTableRow*>(block), [](const TrainingTableRow& row) {
        return SumsTo100(row.settings, TRAINING_GRID_ROWS)
               && SaveCheck_InRange(row.settings[TRAINING_GRID_LOCKS], 0,
                                    (1 << TRAINING_GRID_ROWS) - 1);
    });
}
