// gamecode/fouls.h: the stoppages after a foul and after an offside: the wait, the care of an
// injured player, and the free kick, direct free kick or penalty they are restarted with.
#pragma once

#include <cstdint>

constexpr int32_t FOUL_WAIT_LIMIT = 1000;  // extra ticks the foul phase waits for busy players

// Phase 1. Entered with PhaseTimer 0 after FoulingSide, FouledPlayer, RestartSpot, Offender and
// RefereeDecision were written (the fouled player's resultByteB set when he was hurt). The
// referee whistles and takes the decision; after 30 ticks (30 / 1-4 for an awarded side that
// trails) a pending decision waits in phase 22, an injured player is cared for (a human side's
// leaves the pitch and asks for a substitute, a computer side's stays on) and busy players are
// waited for, each wait at most FOUL_WAIT_LIMIT ticks. Then the kick: a penalty (19) for a spot
// inside the penalty area attacked, a direct free kick (18) within 38 yards and not at a wide
// angle, else a free kick (17); its taker gets action 53 on the spot, and the fouling side's
// fouls and the offender's fouls against him rise by one.
void Phase_Foul();

// Phase 2. Entered with PhaseTimer 0 after OffsideSide and RestartSpot (the offside position):
// after 60 ticks (fewer for an awarded side that trails) the other side's player nearest the ball
// takes a free kick (17) at RestartSpot, and the offside side's offsides rise by one.
void Phase_Offside();
