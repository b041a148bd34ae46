// gamecode/interim.h: engine operations whose full rules are still to come; their stand-in
// bodies live in interim.cpp. Each name carries "Interim" until the real operation, under the
// name without it, takes its place in its owner's header.
#pragma once

#include <cstdint>

// The line-up refill.
void Team_InterimRefillLineup(int32_t side);
// The substitute `side` brings on for `outgoing` (a person), -1 none: there is none yet.
int32_t Team_InterimPickSubstitute(int32_t side, int32_t outgoing);
// When the person in the side's line-up slot 0 is off the pitch, its on-pitch outfield player
// (slots 1-10) with the highest skill 0 takes slot 0 (the first on a tie); a keeper still on the
// pitch stays in goal however hurt.
void Team_InterimPickStandInKeeper(int32_t side);

void Match_InterimFatigue();

// Actions 69 and 70: 150 ticks of celebration; then the scorer (69) ends the celebration and both
// walk back (3).
void Action_InterimCelebrate(int32_t person);
// The handler of every action whose rules are still to come: the player keeps his position,
// facing and animation.
void Action_InterimHold(int32_t person);

// The person picked as player of the match, -1 nobody.
int32_t Match_InterimPickPlayerOfMatch();
