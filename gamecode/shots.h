// gamecode/shots.h: the strikes at goal: the shots from a dribble in two kick styles, the lifted
// and curled shots, the first-time shots at an arriving ball, the direct free kick and the
// penalty kick. Person_ChooseShotTarget has aimed them (ShotTarget).
#pragma once

#include <cstdint>

// Actions 78, 81, 97, 98, 106 and 107: turn toward ShotTarget, play the row's animation by kick
// style (passKind 0 or 1) and strike the ball once inside the row's window of drawn frames, with
// the row's length and lift; 78, 81, 98 and 107 keep the ball at their feet until the window.
// 78 and 81 count and say their shot only from 35 yards or nearer. A ball a keeper holds sends
// the shooter back (3), and so does the animation's end.
void Action_Shoot(int32_t person);
// Actions 80, 83 and 84: turn toward the attacked goal, run to receivePoint and strike the
// arriving ball first time when it has come down within reach, in the eight shown frames after
// the row's hold count; then 0.
void Action_FirstTimeShot(int32_t person);
// Actions 71 (direct free kick) and 95 (penalty kick): run up facing ShotTarget and strike once
// from shown frame 38 with the set-piece power of the side; then 57.
void Action_SetPieceShot(int32_t person);
