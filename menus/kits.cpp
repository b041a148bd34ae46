// menus/kits.cpp: the kit-clash test and the choice of the kit each side of a fixture wears.
#include "menus/kits.h"

#include <array>

#include "engine/fatal.h"
#include "game/funcs.h"
#include "game/kitcolours.h"
#include "game/world.h"

namespace {

constexpr bool PatternIn(int32_t pattern, std::initializer_list<int32_t> patterns)
{
    for (const int32_t p : patterns) {
        if (p == pattern) return true;
    }
    return false;
}

consteval std::array<KitPatternSlots, KIT_PATTERNS> MakePatternSlots()
{
    std::array<KitPatternSlots, KIT_PATTERNS> table{};
    for (int32_t p = 0; p < KIT_PATTERNS; ++p) {
        if (PatternIn(p, {1,  2,  7,  11, 12, 16, 19, 22, 28, 30,  32, 40,
                          48, 49, 51, 54, 74, 80, 94, 95, 98, 114, 115}))
            table[p] = {1, 2, 0};
        else if (PatternIn(p, {6, 93}))
            table[p] = {1, 3, 0};
        else if (p == 55)
            table[p] = {2, 0, 0};
        else if (PatternIn(p, {56, 112}))
            table[p] = {1, 2, 3};
        else
            table[p] = {1, 0, 0};
    }
    return table;
}

constexpr auto PATTERN_SLOTS = MakePatternSlots();

constexpr KitDesign SpareDesign(int16_t colour)
{
    KitDesign kit{};
    kit.shirtTop = 2;
    kit.shirt = 2;
    for (auto& group : kit.colours) {
        for (int16_t& c : group) {
            c = colour;
        }
    }
    return kit;
}

// The colours of a kit that count for the clash test; the count written to *count.
std::array<int32_t, KIT_SLOTS_COUNTED> CountingColours(const KitDesign& kit, int32_t* count)
{
    std::array<int32_t, KIT_SLOTS_COUNTED> colours{};
    *count = 0;
    for (const uint8_t slot : Kit_PatternSlots(kit.shirt)) {
        if (slot == 0) break;
        colours[(*count)++] = kit.colours[0][slot - 1];
    }
    return colours;
}

}  // namespace

const KitPatternSlots& Kit_PatternSlots(int32_t pattern)
{
    if (pattern < 0 || pattern >= KIT_PATTERNS)
        FatalError("DesignsClash(): bad pattern %d", pattern);
    return PATTERN_SLOTS[pattern];
}

const KitDesign KitSpareDesigns[KIT_SPARES] = {SpareDesign(28), SpareDesign(4), SpareDesign(36),
                                               SpareDesign(32)};

int32_t DesignsClash(const KitDesign& a, const KitDesign& b)
{
    int32_t countA = 0;
    int32_t countB = 0;
    const auto coloursA = CountingColours(a, &countA);
    const auto coloursB = CountingColours(b, &countB);
    int32_t score = 0;
    for (int32_t i = 0; i < countA; ++i) {
        for (int32_t j = 0; j < countB; ++j) {
            if (KitColour_Distance(coloursA[i], coloursB[j]) <= KIT_CLASH_DISTANCE) ++score;
        }
    }
    return score;
}

int32_t Kit_ChooseAway(const KitDesign& homeKit, const KitDesign* const candidates[KIT_CANDIDATES])
{
    // Only a strictly lower score replaces the choice, so the away side keeps its own kit on a tie.
    int32_t chosen = 0;
    int32_t best = DesignsClash(homeKit, *candidates[0]);
    for (int32_t i = 1; i < KIT_CANDIDATES; ++i) {
        const int32_t score = DesignsClash(homeKit, *candidates[i]);
        if (score < best) {
            best = score;
            chosen = i;
        }
    }
    return chosen;
}

void GetTeamDesign(int32_t home, int32_t away, int32_t isAway, KitDesign* out)
{
    const KitDesign none{};
    const KitDesign* homeKit = Club_GetKitDesign(home, 0);
    if (homeKit == nullptr) homeKit = &none;
    if (isAway == 0) {
        *out = *homeKit;
        return;
    }
    const KitDesign* ownHome = Club_GetKitDesign(away, 0);
    const KitDesign* ownAway = Club_GetKitDesign(away, 1);
    *out = Kit_AwayDesign(*homeKit, ownHome != nullptr ? *ownHome : none,
                          ownAway != nullptr ? *ownAway : none);
}

KitDesign Kit_AwayDesign(const KitDesign& homeKit, const KitDesign& ownHome,
                         const KitDesign& ownAway)
{
    const KitDesign* const candidates[KIT_CANDIDATES] = {
        &ownHome,           &ownAway, &KitSpareDesigns[0], &KitSpareDesigns[1], &KitSpareDesigns[2],
        &KitSpareDesigns[3]};
    return *candidates[Kit_ChooseAway(homeKit, candidates)];
}

void GetTeamDesignOfTeams(int32_t homeTeam, int32_t awayHomeTeam, int32_t awayAwayTeam,
                          int32_t isAway, KitDesign* out)
{
    const KitDesign& homeKit = World.clubs[homeTeam].kits[0];
    *out = isAway == 0 ? homeKit
                       : Kit_AwayDesign(homeKit, World.clubs[awayHomeTeam].kits[0],
                                        World.clubs[awayAwayTeam].kits[1]);
}
