// gamecode/setpieces.h: the players who take up places at a set piece: the wall, the defenders at
// the posts and the runner who comes short; the direct free kick's taker, the penalty taker's
// walk and run-up, and the players of a shoot-out.
#pragma once

#include <cstdint>

// Action 58: he runs to his target point and holds it facing the ball; once play is open he
// keeps his place 32 more ticks, then stands (0).
void Action_HoldSpot(int32_t person);
// Action 96: he walks to his post and watches the ball there; in open play he stands (0).
void Action_NearPost(int32_t person);
// Action 103: he runs to his short spot and watches the ball; in open play he walks back (3).
void Action_FreeKickRunner(int32_t person);

// Action 59, the direct free kick's taker: keeps the ball stopped on RestartSpot, sends players
// within 10 yards of it 4 units further away and spreads the others while his wait (the shared
// restart wait counter) is short; once nobody moved and the wall stands, or after 1000 ticks, he
// backs off for the shot (43), or one time in three per short runner (103) plays that runner the
// set-piece pass (94).
void Action_FreeKickArrange(int32_t person);
// Action 85, the penalty taker: in a shoot-out he waits for the keeper to come out of his goal;
// players in either penalty area or within 10 yards of the ball are sent out of it once the keeper
// stands on his line; then he walks to 20 units behind the spot and goes on to the run-up (60).
// A player who never leaves holds him 1000 waiting ticks at most.
void Action_PenaltyWalkToSpot(int32_t person);
// Action 60: he walks backward from the ball until he is more than 52 units from it along his
// facing, stands 30 ticks, then, once every player is in place or after 1000 waits, aims (shot
// mode 2) and takes the kick (95).
void Action_PenaltyRunUp(int32_t person);
// Action 61: a player behind either penalty area's line faces a point near the centre spot
// drawn afresh each tick; otherwise he watches (63) in a shoot-out, and stands (0) elsewhere.
void Action_ShootOutFaceCentre(int32_t person);
// Action 63: he faces the ball until he has left the pitch, then is hidden (frame -1).
void Action_ShootOutWatch(int32_t person);
