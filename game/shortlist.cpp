// game/shortlist.cpp: the shortlists, the sort keys and the player comparators.
#include "game/shortlist.h"

#include <algorithm>
#include <iterator>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "game/funcs.h"
#include "game/ids.h"
#include "game/matchday.h"
#include "game/savegame.h"

uint16_t ShortList[SHORTLIST_SIZE];
uint16_t ShortList2[SHORTLIST2_SIZE];
uint16_t PickList5[PICKLIST_KEYS];
int32_t PlayerSearchScore[PERSON_MAX];

namespace {

constexpr int32_t SHIRT_LAST = 200;  // the shirt sort's value of the unnumbered and the loaned out
constexpr int32_t KEEPER_GOALS = -1;

int32_t Add(uint16_t* list, int32_t size, int32_t player, const char* caller)
{
    if (player < 0) {
        DebugPrintf(DBG_GENERAL, 1, "%s(): Passed a negative player number\n", caller);
        return 0;
    }
    if (std::find(list, list + size, static_cast<uint16_t>(player)) != list + size) return 0;
    for (int32_t slot = size - 1; slot >= 0; --slot) {
        if (list[slot] != SHORTLIST_FREE) continue;
        list[slot] = static_cast<uint16_t>(player);
        return 1;
    }
    return 0;
}

int32_t Remove(uint16_t* list, int32_t size, int32_t player)
{
    uint16_t* const at = std::find(list, list + size, static_cast<uint16_t>(player));
    if (player < 0 || at == list + size) return 0;
    *at = SHORTLIST_FREE;
    return 1;
}

int32_t Contains(const uint16_t* list, int32_t size, int32_t player)
{
    if (player < 0) return 0;
    return std::find(list, list + size, static_cast<uint16_t>(player)) != list + size ? 1 : 0;
}

// Largest first: the first player sorts before when his value is larger.
int32_t Descending(int32_t a, int32_t b) { return a > b ? -1 : a < b ? 1 : 0; }
int32_t Descending16(int32_t a, int32_t b)
{
    return Descending(static_cast<int16_t>(a), static_cast<int16_t>(b));
}
int32_t Ascending16(int32_t a, int32_t b) { return -Descending16(a, b); }

template <int32_t (*Get)(int32_t)>
int32_t Largest(int32_t a, int32_t b)
{
    return Descending16(Get(a), Get(b));
}

template <int32_t (*Get)(int32_t)>
int32_t Largest32(int32_t a, int32_t b)
{
    return Descending(Get(a), Get(b));
}

template <int32_t (*Get)(int32_t)>
int32_t Smallest(int32_t a, int32_t b)
{
    return Ascending16(Get(a), Get(b));
}

template <int32_t (*Get)(int32_t, int32_t), int32_t STAT>
int32_t LargestStat(int32_t a, int32_t b)
{
    return Descending16(Get(a, STAT), Get(b, STAT));
}

int32_t PlayerId(int32_t player) { return player; }

int32_t ShirtKey(int32_t player)
{
    const bool loanedOut = VTW_GetPlayerOnLoan(player) != 0
                           && VTW_GetPlayerLoanSlot(player) != VTW_GetClubOfManager(MANAGER_HUMAN);
    const int32_t shirt = VTW_GetPlayerShirt(player);
    return loanedOut || shirt == 0 ? SHIRT_LAST : shirt;
}

int32_t ClubKey(int32_t player)
{
    const int32_t club = VTW_GetPlayerClub(player);
    return club == CLUB_ORIGIN ? VTW_GetPlayerOriginWord(player) : club;
}

int32_t GoalsKey(int32_t player)
{
    return VTW_GetPositionType(player) == 0 ? KEEPER_GOALS : VTW_GetPlayerGoals(player);
}

int32_t NoKey(int32_t, int32_t) { return 0; }

}  // namespace

int32_t CompareSearchScore(int32_t a, int32_t b)
{
    return Descending(PlayerSearchScore[a], PlayerSearchScore[b]);
}

int32_t CompareValue(int32_t a, int32_t b)
{
    return Descending(VTW_GetPlayerValue(a), VTW_GetPlayerValue(b));
}

// clang-format off
const PlayerComparator PlayerCompareTable[PLAYER_COMPARATORS] = {
    Largest<PlayerId>,                      CompareSearchScore,
    Largest<VTW_GetPlayerAge>,              CompareValue,
    Largest32<VTW_GetPlayerValue>,          Largest<VTW_GetPlayerSide>,
    Smallest<VTW_GetPositionType>,
    // Ability statistics 0-7.
    LargestStat<VTW_GetAbilityStat, 0>,     LargestStat<VTW_GetAbilityStat, 1>,
    LargestStat<VTW_GetAbilityStat, 2>,     LargestStat<VTW_GetAbilityStat, 3>,
    LargestStat<VTW_GetAbilityStat, 4>,     LargestStat<VTW_GetAbilityStat, 5>,
    LargestStat<VTW_GetAbilityStat, 6>,     LargestStat<VTW_GetAbilityStat, 7>,
    // Physical statistics 8-14.
    LargestStat<VTW_GetPhysicalStat, 8>,    LargestStat<VTW_GetPhysicalStat, 9>,
    LargestStat<VTW_GetPhysicalStat, 10>,   LargestStat<VTW_GetPhysicalStat, 11>,
    LargestStat<VTW_GetPhysicalStat, 12>,   LargestStat<VTW_GetPhysicalStat, 13>,
    LargestStat<VTW_GetPhysicalStat, 14>,
    // Personality statistics 15, 19 and 20.
    LargestStat<VTW_GetPersonalityStat, 15>, LargestStat<VTW_GetPersonalityStat, 19>,
    LargestStat<VTW_GetPersonalityStat, 20>,
    // Squad order, club and contract.
    Smallest<ShirtKey>,                     Smallest<ClubKey>,
    Largest32<VTW_GetPlayerWage>,           Largest<VTW_GetPlayerContract>,
    // The season.
    Largest<VTW_GetPlayerPerf>,             Largest<VTW_GetPlayerApps>,
    Largest<GoalsKey>,                      Largest<VTW_GetPlayerMoralePercent>,
    Largest<VTW_GetPlayerFitnessPercent>,   Largest<VTW_GetPlayerFatiguePercent>,
    Largest<VTW_GetPlayerDisciplinePoints>, Largest<VTW_GetPlayerExperiencePercent>,
    Largest<VTW_GetPlayerAssists>,          Largest<VTW_GetPlayerMatchRating>,
    NoKey,
};
// clang-format on

void ShortList_Init()
{
    ShortList_Uninit();
    SaveGame_RegisterBlock("SHRT", ShortList, sizeof ShortList, ShortList_CheckSaved);
}

void ShortList_Uninit() { ShortList_ResetCareer(); }

void ShortList_ResetCareer()
{
    ShortList_Clear();
    ShortList2_Clear();
    std::fill(std::begin(PickList5), std::end(PickList5), PICKLIST_NO_KEY);
    std::fill(std::begin(PlayerSearchScore), std::end(PlayerSearchScore), 0);
}

int32_t ShortList_Add_Player(int32_t player)
{
    return Add(ShortList, SHORTLIST_SIZE, player, "ShortList_Add_Player");
}
int32_t ShortList_Remove(int32_t player) { return Remove(ShortList, SHORTLIST_SIZE, player); }
int32_t ShortList_Contains(int32_t player) { return Contains(ShortList, SHORTLIST_SIZE, player); }
void ShortList_Clear() { std::fill(std::begin(ShortList), std::end(ShortList), SHORTLIST_FREE); }

int32_t ShortList2_Add_Player(int32_t player)
{
    return Add(ShortList2, SHORTLIST2_SIZE, player, "ShortList2_Add_Player");
}
int32_t ShortList2_Remove(int32_t player) { return Remove(ShortList2, SHORTLIST2_SIZE, player); }
int32_t ShortList2_Contains(int32_t player)
{
    return Contains(ShortList2, SHORTLIST2_SIZE, player);
}
void ShortList2_Clear() { std::fill(std::begin(ShortList2), std::end(ShortList2), SHORTLIST_FREE); }

int32_t PickList5_Add(int32_t key)
{
    if (key < 0 || key >= PLAYER_COMPARATORS) FatalError("PickList5_Add(): bad key %d", key);
    if (key == PICKLIST_NO_KEY) return 1;
    if (std::find(std::begin(PickList5), std::end(PickList5), key) != std::end(PickList5)) return 0;
    uint16_t* const free = std::find(std::begin(PickList5), std::end(PickList5), PICKLIST_NO_KEY);
    if (free == std::end(PickList5)) return 0;
    *free = static_cast<uint16_t>(key);
    return 1;
}

int32_t PickList5_Remove(int32_t key)
{
    if (key == PICKLIST_NO_KEY) return 0;
    uint16_t* const at = std::find(std::begin(PickList5), std::end(PickList5), key);
    if (at == std::end(PickList5)) return 0;
    *at = PICKLIST_NO_KEY;
    return 1;
}

int32_t PickList5_Set(int32_t k1, int32_t k2, int32_t k3, int32_t k4, int32_t k5)
{
    std::fill(std::begin(PickList5), std::end(PickList5), PICKLIST_NO_KEY);
    for (const int32_t key : {k1, k2, k3, k4, k5}) {
        if (PickList5_Add(key) == 0) return 0;
    }
    return 1;
}

int32_t PlayerList_Compare(const void* a, const void* b)
{
    const int16_t first = *static_cast<const int16_t*>(a);
    const int16_t second = *static_cast<const int16_t*>(b);
    if (first == -1 || second == -1) return (first == -1) - (second == -1);
    for (const uint16_t key : PickList5) {
        const int32_t order = PlayerCompareTable[key](first, second);
        if (order != 0) return order;
    }
    return 0;
}

bool PlayerList_Before(int16_t a, int16_t b) { return PlayerList_Compare(&a, &b) < 0; }

bool ShortList_CheckSaved(const void* block)
{
    const auto* ids = static_cast<const uint16_t*>(block);
    for (int32_t k = 0; k < SHORTLIST_SIZE; ++k) {
        if (ids[k] != SHORTLIST_FREE && ids[k] >= PERSON_MAX) return false;
    }
    return true;
}
