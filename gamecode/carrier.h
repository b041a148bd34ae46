// gamecode/carrier.h: the brain of the chase (action 4): the carrier with the ball chooses a
// trick, a shot, an instructed long ball, a kick into touch, a pass, a turn, a stop or running on;
// a defender going at the carrier closes him down toward a point in his path.
#pragma once

#include <cstdint>

// The carrier `person` (the current person) for this tick: a new action, a kick set up, or one
// step with the ball.
void Team_CarrierDecision(int32_t person);
// Defender `defender` runs toward a point in the carrier's path, then tries his tackle.
void Team_CloseDownCarrier(int32_t defender);
