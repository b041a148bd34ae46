// gamecode/interim.h: engine operations whose full rules are still to come; their stand-in
// bodies live in interim.cpp. Each name carries "Interim" until the real operation, under the
// name without it, takes its place in its owner's header.
#pragma once

#include <cstdint>

// Actions 69 and 70: 150 ticks of celebration; then the scorer (69) ends the celebration and both
// walk back (3).
void Action_InterimCelebrate(int32_t person);
// The handler of every action whose rules are still to come: the player keeps his position,
// facing and animation.
void Action_InterimHold(int32_t person);

// The person picked as player of the match, -1 nobody.
int32_t Match_InterimPickPlayerOfMatch();
