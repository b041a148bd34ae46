// gamecode/basicactions.h: the players' basic states: standing at the target point and walking to
// it.
#pragma once

#include <cstdint>

// Action 0: stands at his target point and keeps the ball in view; a line-up slot-0 keeper goes
// to 122 (outside phase 22), a player off his point to action 3.
void Action_Stand(int32_t person);
// Action 3: walks, jogs or runs to his target point (backwards when facing away and near), slows
// as he arrives, counts in PlayersNotInPlace on the way and stands (action 0) there.
void Action_WalkToTarget(int32_t person);
