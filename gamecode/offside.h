// gamecode/offside.h: offside marks, the linesman's call and the restart flags kept with them.
#pragma once

#include <cstdint>

// In open play, when `passer` (0-31) plays the ball: every outfield team-mate (line-up slots
// 1-10) loses his mark, and the one standing off the pitch's halfway line beyond the opponents'
// LastDefenderLine while the ball travels toward the goal his side attacks is marked (never the
// passer). A newly marked player with no offside-recovery count gets (100 - e) / 2 + 1, e his
// effective skill 12.
void Match_MarkOffsidePositions(int32_t passer);
// In open play, when `player` (0-31) plays the ball: a marked player still beyond the line in
// the half his side attacks, with the ball in that half, is judged. Within a yard of the line
// a roll above the linesman's accuracy misses it; otherwise the offside is given: RestartSpot
// (the ball), OffsideSide, his offsides count, phase 2 and a linesman's flag.
void Match_CallOffside(int32_t player);
// Clears every player's offside mark, and outside open play his offside-recovery counter too.
void Match_ClearPlayerFlags();
