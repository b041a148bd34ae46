// game/playerhistory.cpp: the players' progress history and the skill values read from it.
#include "game/playerhistory.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/debug.h"
#include "game/funcs.h"
#include "game/records.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/statmodel.h"

PlayerHistoryRow PlayerHistory[PLAYER_FULL_MAX];

namespace {

struct SkillSource {
    int32_t (*getter)(int32_t player, int32_t stat);
    int32_t stat;
};

// Skill number - 1 to the getter of his present value; the first eight are the ones a history
// holds, in its order.
// clang-format off
constexpr auto SKILL_SOURCES = std::to_array<SkillSource>({
    {VTW_GetAbilityStat, 0},  {VTW_GetAbilityStat, 1},  {VTW_GetAbilityStat, 2},
    {VTW_GetAbilityStat, 3},  {VTW_GetAbilityStat, 4},  {VTW_GetAbilityStat, 5},
    {VTW_GetAbilityStat, 6},  {VTW_GetAbilityStat, 7},
    {VTW_GetPhysicalStat, 8}, {VTW_GetPhysicalStat, 9}, {VTW_GetPhysicalStat, 10},
    {VTW_GetPhysicalStat, 11}, {VTW_GetPhysicalStat, 12}, {VTW_GetPhysicalStat, 13},
    {VTW_GetPhysicalStat, 14},
});
// clang-format on
static_assert(SKILL_SOURCES.size() == PLAYER_SKILL_LAST - PLAYER_SKILL_FIRST + 1);

bool IsRowOf(const PlayerHistoryRow& row, int32_t player)
{
    const PersonRecord& person = DbPersons[player];
    return row.count > 0 && row.nameIndex == person.nameIndex && row.birthYear == person.birthYear;
}

void RecordPlayer(int32_t player)
{
    PlayerHistoryRow& row = PlayerHistory[player];
    if (!IsRowOf(row, player)) {
        row = {};
        row.nameIndex = DbPersons[player].nameIndex;
        row.birthYear = DbPersons[player].birthYear;
    }
    if (row.count == PLAYER_HISTORY_POINTS) {
        std::memmove(row.skills[0], row.skills[1], sizeof row.skills - sizeof row.skills[0]);
        --row.count;
    }
    int32_t stats[STAT_COUNT];
    Player_GetStats(player, stats);
    for (int32_t s = 0; s < PLAYER_HISTORY_SKILLS; ++s) {
        row.skills[row.count][s] = static_cast<uint8_t>(stats[s]);
    }
    ++row.count;
}

bool RowIsValid(const PlayerHistoryRow& row)
{
    if (row.count > PLAYER_HISTORY_POINTS) return false;
    for (int32_t point = 0; point < row.count; ++point) {
        for (const uint8_t value : row.skills[point]) {
            if (!SaveCheck_InRange(value, STAT_MIN, STAT_MAX)) return false;
        }
    }
    return true;
}

}  // namespace

void PlayerHistory_Init()
{
    SaveGame_RegisterLateBlock("PHIS", PlayerHistory, sizeof PlayerHistory,
                               PlayerHistory_CheckSaved);
    PlayerHistory_ResetCareer();
}

void PlayerHistory_Uninit() { PlayerHistory_ResetCareer(); }

void PlayerHistory_ResetCareer()
{
    std::fill(std::begin(PlayerHistory), std::end(PlayerHistory), PlayerHistoryRow{});
}

void PlayerHistory_Forget(int32_t player)
{
    if (player >= 0 && player < PLAYER_FULL_MAX) PlayerHistory[player] = {};
}

void PlayerHistory_RecordPoint()
{
    for (int32_t player = 0; player < FullPlayerCount; ++player) {
        if (PlayerLife_IsActivePlayer(player)) RecordPlayer(player);
    }
}

bool PlayerHistory_CheckSaved(const void* block)
{
    const auto* rows = static_cast<const PlayerHistoryRow*>(block);
    return std::all_of(rows, rows + PLAYER_FULL_MAX, RowIsValid);
}

int16_t GiveMeValuefor(int32_t player, int32_t skill, int32_t historyIndex)
{
    if (skill < PLAYER_SKILL_FIRST || skill > PLAYER_SKILL_LAST) {
        DebugPrintf(DBG_GENERAL, 0, "GiveMeValuefor(): Passing an invalid skill\n");
        return PLAYER_HISTORY_NO_VALUE;
    }
    if (historyIndex < 0) {
        const SkillSource& source = SKILL_SOURCES[skill - PLAYER_SKILL_FIRST];
        return static_cast<int16_t>(source.getter(player, source.stat));
    }
    if (skill > PLAYER_HISTORY_SKILLS || player < 0 || player >= FullPlayerCount)
        return PLAYER_HISTORY_NO_VALUE;
    const PlayerHistoryRow& row = PlayerHistory[player];
    if (!IsRowOf(row, player) || historyIndex >= row.count) return PLAYER_HISTORY_NO_VALUE;
    return row.skills[historyIndex][skill - 1];
}
