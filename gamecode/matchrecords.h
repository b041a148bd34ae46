// gamecode/matchrecords.h: what a goal and a card leave behind (the remarks, the goal and card
// records the result summary reads) and two placing routines of the restarts.
#pragma once

#include <cstdint>

// Says the remarks on a goal for `side` (the side credited) by `scorer` (-1 nobody): the group that
// fits the minute and the new score, the own-goal line, the outshot line, the away-goals lines
// and the brace or hat-trick line; then the last scoring side is `side`.
void Goal_SayRemarks(int32_t side, int32_t scorer);

// Appends goal `goalIndex` (below 0 counts as 0; from 20 on nothing is written) to the side's goal
// list: the match minute capped to its period, the scorer (`fallbackScorer` when `scorer` is -1)
// and the kind and detail by the scorer's action and the shot's `distance` in yards, the assist
// (-1 none) and the list kind (a penalty when the first shot record holds the scorer). `arg1`
// names the own-goal player (-1 none); `arg2` is not read.
void Match_RecordGoal(int32_t side, int32_t goalIndex, int32_t fallbackScorer, int32_t scorer,
                      int32_t arg1, int32_t arg2, int32_t distance, int32_t assist);

// Appends one record for the card `person` (0-31) was just shown, after his card words changed:
// kind 1 for a first booking, 3 for a sending-off. A side keeps at most 20 records.
void Match_RecordCard(int32_t person);

// The minute a goal or card is recorded at: the match minute, 0 as 1, stoppage time as the
// period's last minute (46, 91, 106, 121).
int32_t Match_RecordMinute();

// Sends a throw-in's taker and receiver (actions 76) to points 12-24 yards infield of
// RestartSpot: the receiver's, and the taker's 32 units beside it. Two draws.
void Restart_PlaceThrowReceiver(int32_t taker, int32_t receiver);

// Twice: the timers and the team steps of one tick, then every on-pitch player but the two
// line-up slot-0 keepers put on his target point.
void Team_SnapToTargets();
