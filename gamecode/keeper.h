// gamecode/keeper.h: the goalkeeper's save decision: the look-ahead of the ball's path from where
// he stands, read through his judgement, turned into one of the saves or into no save at all.
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"

inline int16_t& ShotWindow = Match.timers[TIMER_SHOT_WINDOW];  // runs while a penalty flies
inline int16_t (&SavePoint)[2] = Match.savePoint;

// The save for keeper `person` (the person being run, at CurrentPersonPos) reading the ball's
// path from (pointX, pointY) over anticipation / 2 ticks: ACT_KEEPER_IDLE when none is needed.
// Leaves the perturbed intercept words and KeeperDiveDirection; a save also sets his
// receivePoint and SavePoint to the intercept point.
int32_t Keeper_ChooseSave(int32_t pointX, int32_t pointY, int32_t person);
// The same from intercept words already filled by the look-ahead: the guess while a penalty
// flies, the misreading rolls and the save tables.
int32_t Keeper_JudgeLookAhead(int32_t person);
