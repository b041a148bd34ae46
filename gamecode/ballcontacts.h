// gamecode/ballcontacts.h: what the ball does when it meets a player (dead stop, cushion, trap or
// rebound), touches and possession, the ball at a player's feet and the change of a side's active
// player.
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"

inline int16_t& ReboundCooldown = Match.reboundCooldown;
inline int16_t& LastDeflector = Match.lastDeflector;
inline int8_t& PassReceiver = Match.passReceiver;
inline int8_t& AssistCandidate = Match.assistCandidate;
inline int16_t& AssistTimer = Match.assistTimer;
inline uint8_t& ActingSide = Match.actingSide;
inline int8_t (&LastPossessor)[2] = Match.lastPossessor;

// Once per tick from the ball tick, after the ball moved: the assist, after-kick and rebound
// timers, then the players of the side drawn first this tick (Match.firstSide), then the other's,
// each in order, so that of two men reaching the ball at once neither side's always has it: touch
// cool-downs; a player within 9 units of the ball on both axes, not in a keeper action, with the
// ball at height 16 or below and no rebound cool-down, stops, cushions, traps or deflects it by its
// speed and height, and takes possession (one touch a tick; in open play the touch bookkeeping, a
// clearance under challenge in his own box, the ball kept in front of a running carrier, the side
// in possession). A player whose touch leaves a ball at height 8 or below without horizontal speed
// controls it (has-ball flag); a rebound or a cushion leaves it controlled by nobody.
void Ball_ResolveContacts();
// The ball, stopped where it is, 4 units in front of the person along his facing; in actions 5,
// 112 and 113 it instead steps one unit on each axis toward the point 10 units away at
// (facing + 40) & 255. Reads the person's position from his record.
void Ball_PlaceAtFeet(int32_t person);
// The side's other players in action 4 stand back (3); `person` becomes active (in open play
// action 4 when he was in 3 or below) unless the old active player is playing the ball (action
// 15 or above).
void Team_OnActiveChanged(int32_t side, int32_t person);
// 73 (the ball comes at his front) when (ballDirection - facing) & 255 lies in 64-192, else 33.
int32_t Person_HitReaction(int32_t facing, int32_t ballDirection);
