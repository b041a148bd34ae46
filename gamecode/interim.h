// gamecode/interim.h: engine operations whose full rules are still to come; their stand-in
// bodies live in interim.cpp. Each name carries "Interim" until the real operation, under the
// name without it, takes its place in its owner's header.
#pragma once

#include <cstdint>

// No volley or header yet: the person keeps his action.
void Person_InterimTryVolley(int32_t person);
// Actions 69 and 70: 150 ticks of celebration; then the scorer (69) ends the celebration and both
// walk back (3).
void Action_InterimCelebrate(int32_t person);
// The volley 51 strikes the ball once, when it lies within 9 units at a height of 16 or less and
// no keeper holds it, toward ShotTarget (a counted shot when behind the goal line attacked, else
// a long ball); then he walks back (3).
void Action_InterimStrike(int32_t person);
// The handler of every action whose rules are still to come: the player keeps his position,
// facing and animation.
void Action_InterimHold(int32_t person);

// The handler of the direct free kick's arrangement (59) and the penalty taker's walk (85): he
// holds the ball on the spot facing his aim and plays it on the 30th tick, which returns the match
// to open play.
void Action_InterimTaker(int32_t person);

// No offside marks yet: nobody is marked.
void Match_InterimMarkOffsidePositions(int32_t person);

// The person picked as player of the match, -1 nobody.
int32_t Match_InterimPickPlayerOfMatch();
