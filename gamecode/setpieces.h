// gamecode/setpieces.h: the players who take up places at a set piece: the wall, the defenders at
// the posts and the runner who comes short.
#pragma once

#include <cstdint>

// Action 58: he runs to his target point and holds it facing the ball; once play is open he
// keeps his place 32 more ticks, then stands (0).
void Action_HoldSpot(int32_t person);
// Action 96: he walks to his post and watches the ball there; in open play he stands (0).
void Action_NearPost(int32_t person);
// Action 103: he runs to his short spot and watches the ball; in open play he walks back (3).
void Action_FreeKickRunner(int32_t person);
