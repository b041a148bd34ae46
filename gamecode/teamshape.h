// gamecode/teamshape.h: team strategy: each tick, which shape rows each side blends between, from
// where the ball is heading and the match phase; on a change, every free player's target point.
#pragma once

// Sets Match.strategy of both sides; leaves them while the ball's after-kick counter runs and in
// phases 18 and 21.
void EvaluateTeamStrategy();
// When either side's words differ from Match.strategyApplied: stores them there and gives every
// free player of line-up slots 1-10 (on the pitch, action below 16, no onside delay, not the
// keeper's distribution receiver outside open play, not the kick-off taker in phases 11 and 29)
// his blended spot of his side's shape table as target point, and sets his shape flag.
void UpdateTeamStrategy();
