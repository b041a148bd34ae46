// menus/kits.h: the kit-clash test and the choice of the kit each side of a fixture wears.
#pragma once

#include <array>
#include <cstdint>

#include "game/records.h"

constexpr int32_t KIT_SPARES = 4;
constexpr int32_t KIT_CANDIDATES = 2 + KIT_SPARES;  // the club's home and away kits, the spares

// The four spare kits every club may wear away: red, light blue, yellow and white.
extern const KitDesign KitSpareDesigns[KIT_SPARES];

constexpr int32_t KIT_SLOTS_COUNTED = 3;
// The colour slots 1-3 (of colour group 0) a shirt pattern shows, ended early by 0: the colours
// the clash test counts, and the bands the pattern's textures are drawn in.
using KitPatternSlots = std::array<uint8_t, KIT_SLOTS_COUNTED>;
// A pattern outside 0-115 is fatal.
const KitPatternSlots& Kit_PatternSlots(int32_t pattern);

// How many pairs of counting colours (one of each kit, by the patterns' colour slots) lie within
// the clash distance: 0-9. A pattern outside 0-115 or naming a slot outside 1-3 is fatal.
int32_t DesignsClash(const KitDesign& a, const KitDesign& b);
// The kit a side wears: the home club's home kit for the home side (isAway 0); for the away side
// the first of its home kit, its away kit and the spares 1-4 that clashes least with it.
void GetTeamDesign(int32_t home, int32_t away, int32_t isAway, KitDesign* out);
// The candidate index (0 home, 1 away, 2-5 spares) GetTeamDesign picks among these six kits.
int32_t Kit_ChooseAway(const KitDesign& homeKit, const KitDesign* const candidates[KIT_CANDIDATES]);
// The away side's kit against the home kit: the least clashing of its own two and the spares.
KitDesign Kit_AwayDesign(const KitDesign& homeKit, const KitDesign& ownHome,
                         const KitDesign& ownAway);
// GetTeamDesign for teams outside a career, by world team numbers: the home side wears its
// team's home kit; the away side chooses among the home kit of `awayHomeTeam` and the away kit of
// `awayAwayTeam` (an exported team's two kit words) and the spares. Numbers are 0-1045.
void GetTeamDesignOfTeams(int32_t homeTeam, int32_t awayHomeTeam, int32_t awayAwayTeam,
                          int32_t isAway, KitDesign* out);
