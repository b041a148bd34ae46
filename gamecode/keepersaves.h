// gamecode/keepersaves.h: the saves keeper idle starts: the dives at three heights, the high
// and close saves, the punch and the palm, and the quick low blocks. A dive touches the ball at
// most once and deflects, parries or catches it by the keeper's hands and agility.
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"

inline int16_t& SaveLockout = Match.timers[TIMER_SAVE_LOCKOUT];  // runs after a palm

// What a dive's contact test accepts (Match.diveKind).
enum DiveKind : int16_t { DIVE_MIDDLE, DIVE_LOW, DIVE_HIGH };

// The eighteen dives (126, 127, 129, 130, 136, 137, 141, 152, 153, 165-173): the animation of
// his side (passKind) while he runs to his receivePoint; the dives test the ball, their catch
// forms hold it and end in 120.
void Action_KeeperDive(int32_t person);
// The contact test of a dive: a ball inside his hands' box at a height his dive suits, in play
// and untouched this dive, is deflected, parried (always with `forceParry`) or, in open play,
// caught into the dive's catch form.
void Keeper_SaveContact(int32_t person, int32_t forceParry);
// The fingertip at the edge of his hands: the ball goes on toward larger x, slowed.
void Keeper_TipAway(int32_t person);

// Action 125: the high save close to him; any contact counts a catch, then parries or holds.
void Action_KeeperHighSave(int32_t person);
// Action 134: the jump that punches a ball crossing the goal away along his facing.
void Action_KeeperPunch(int32_t person);
// Action 135: a high ball straight at him palmed over; it starts the save lockout.
void Action_KeeperPalmOver(int32_t person);
// Action 140: a low ball close to him collected into 150.
void Action_KeeperCollectLow(int32_t person);
// Action 143: a middle-height ball close to him parried or caught into 149.
void Action_KeeperSaveMidClose(int32_t person);
// Actions 154 and 155: a fast low ball at his feet blocked up into the air.
void Action_KeeperQuickBlock(int32_t person);
