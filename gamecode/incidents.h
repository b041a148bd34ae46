// gamecode/incidents.h: what an incident does to the sides' pressure, the event rows of the
// result, the commentary on a chance that went wide, and the bookkeeping of touches.
#pragma once

#include <cstdint>

// The side attacking the half the ball lies in gains `amount`, the other loses twice that, neither
// below 0; one draw on every call, and with Rand() % 4 = 0 and an amount other than 1, 4, 5 or 6,
// commentary group 26 for a side ahead on pressure that is level or one goal down.
void Team_AddPressure(int32_t amount);
// The lines after a shot went wide for a goal kick: the missed-chance line by score and minute,
// the shooter's line when he has scored once or twice, and each side's dominance lines at most
// once a match. Nothing after a kick of kind 9.
void Match_MissedChanceComment();

// Every 400 ticks of the running clock in open play, for each of the 32 players on the pitch:
// when Rand() % 200 > skill 16 and his tiredness (resultByteA) is below skill 15 / 3, a knock
// (resultByteB 1) clears in open play on Rand() % 200 < skill 19, an outfield player tires by 1
// on Rand() % 8 = 0, and each of skills 15, 3, 1, 2, 4, 5, 17, 18, 16 above 10 loses 1; then,
// when Rand() % 100 > his effective skill 11 / 2, his side's pressure against the other's lowers
// (skills above 30, one draw each) or raises (below 99) his skills, skills 11 and 8 the other
// way, unless the captain on the pitch steadies or holds the side.
void Match_Fatigue();
// A knock tires the player by `percent` of his tiredness (resultByteA x percent / 100), held at
// 127: repeated knocks would otherwise wrap the byte round to a fresh player.
void Person_TireByPercent(int32_t person, int32_t percent);

// Writes an event row (kind, period, minute, a, b, c; kind 0 goal, 1 substitution, 2 booking,
// 3 sending-off) while the list has room before its closing row, which stays kind 255.
void Match_LogEvent(int32_t kind, int32_t a, int32_t b, int32_t c);

// The touch bookkeeping, run on every touch: TouchCommentDelay counts down; in open play his
// possession count + 1 on every touch, and for a person who is not the last toucher and with nobody
// holding the ball: his touches + 1, the touch line (a team-mate's touch says group 23, or 19/22
// after a kick of kind 5; a touch that wins the ball from an opponent counts his ball lost and says
// group 24; each waits out the delay of 16), PreviousToucher, the pass provider forgotten unless a
// keeper or the provider touches, and the person becomes the last toucher.
void Match_OnBallTouch(int32_t person);
// 1, counting an own-box challenge for him, when the other side's active player is within 72 of
// the ball and the person stands strictly inside the penalty area he defends; else 0.
int32_t Person_InOwnBoxUnderChallenge(int32_t person);
// 1, counting a box entry for `person`, when CurrentPersonPos lies strictly inside the penalty
// area KickingSide defends; else 0.
int32_t Person_CountBoxEntry(int32_t person);
