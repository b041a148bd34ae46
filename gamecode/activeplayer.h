// gamecode/activeplayer.h: who has the ball and who acts for each side.
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"

// The first of persons 0-31 whose has-ball flag is set, -1 none; kept by Ball_FindHolder.
inline int16_t& BallHolder = Match.ballHolder;

void Ball_FindHolder();
