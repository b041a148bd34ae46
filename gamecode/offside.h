// gamecode/offside.h: offside marks and the restart flags kept with them.
#pragma once

#include <cstdint>

// Clears every player's offside mark, and outside open play his offside-recovery counter too.
void Match_ClearPlayerFlags();
// Marks the team-mates of `passer` who stand beyond the opponents' last defender as he plays the
// ball forward.
void Match_MarkOffsidePositions(int32_t passer);
// Gives the offside against `player`, a marked player who is the next to play the ball.
void Match_CallOffside(int32_t player);
