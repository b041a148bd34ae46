// gamecode/carrierruns.h: what a player with the ball does once the carrier decision chose it: run
// or sprint after the ball he knocked ahead, cross or hit a long ball, kick it along the ground,
// or shoot. The kick style is his passKind; the target KickTargetPoint and KickTargetPerson, or
// ShotTarget for the shot.
#pragma once

#include <cstdint>

// Actions 15 (run) and 16 (sprint): run on along his facing, speeding up to pace / 4 + 140 (16:
// + 190), and say once per run the zone he is in while no zone line was said since the last
// recorded touch. At the animation's end: 4, frame 31.
void Action_CarryRun(int32_t person);
// Actions 18 and 75: a cross or long ball in kick style 0-2, struck once in the style's window;
// plain, or curled by a skill roll. The receiver runs to meet it.
void Action_LoftedBall(int32_t person);
// Action 29: a ground kick in style 0-3, sent as a pass of that style; the receiver is dropped
// only when the target lies behind the kicker.
void Action_GroundKick(int32_t person);
// Action 52: the shot (or long kick) toward ShotTarget in style 0 or 1, counted from 35 yards or
// nearer.
void Action_Shot(int32_t person);
