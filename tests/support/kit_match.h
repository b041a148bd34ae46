// tests/support/kit_match.h: a match-day block for the people's kits and looks, shared by the
// kit texture tests, the contact sheet and the benchmark.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/records.h"

// Clears the match-day block, selects the 3D view and fills both sides' 16 entries: shirts 1-16
// and a spread of looks (person 4 and person 20 look like person 0; person 1 is White, Short,
// black), with the first kit the test kits' home and away.
void KitMatch_SetUpBlock();
void KitMatch_SetKits(const KitDesign& home, const KitDesign& away);
// A kit of these designs: shirt pattern, shirt top, arms, shorts, shins; colours red, white,
// blue and black.
KitDesign KitMatch_Design(int32_t shirt, int32_t shirtTop, int32_t armLeft, int32_t armRight,
                          int32_t shorts, int32_t shins);

struct KitMatchKits {
    KitDesign home;        // the home club's home kit
    KitDesign away;        // what GetTeamDesign dresses the away side in
    KitDesign homeOfAway;  // the away club's own home kit, which clashes
};
// From the generated world (a new game, seeded): the first two clubs whose home kits clash.
// Computed once; needs no module running and leaves none.
const KitMatchKits& KitMatch_ClashingClubs();

// The generated data's two archives mounted over fresh memory, with the kit block set up; all
// put back on leaving.
class ScopedGeneratedArt {
public:
    ScopedGeneratedArt();
    ~ScopedGeneratedArt();
    ScopedGeneratedArt(const ScopedGeneratedArt&) = delete;
    ScopedGeneratedArt& operator=(const ScopedGeneratedArt&) = delete;
};
// A whole file of the mounted archives.
std::vector<uint8_t> ScopedGeneratedArt_Load(const std::string& name);
