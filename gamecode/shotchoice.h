// gamecode/shotchoice.h: where a player shoots and how the carrier finishes, whether he shoots at
// all, and the long kick along a direction that never goes between the posts.
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"

// The aim of the last shot or long kick, 5 units behind the goal line for a shot.
inline int16_t (&ShotTarget)[2] = Match.shotTarget;

// Mode 0: aims and decides the carrier's finish (square pass, cut-back, curled shot, first-time
// shot at a bouncing ball, round the keeper or a shot by the keeper's distance); mode 1 aims only;
// mode 2 aims only, with the penalty-style error. Always writes ShotTarget.
void Person_ChooseShotTarget(int32_t shooter, int32_t mode);
// 1 when the carrier should shoot, else 0.
int32_t Person_ShouldShoot(int32_t person);
// A long kick along the direction, turned off the goal mouth: ShotTarget 1000 along it, the kick
// action by run speed (52 when turned), kick style 1, the long-kick counter raised.
void Person_LongKickAlong(int32_t kicker, int32_t direction);
// A side's team setting (0-3) as the match reads it: a value above 200 counts as 100.
int32_t Match_TeamSetting(int32_t side, int32_t setting);
