// gamecode/matchrun.h: the match engine's single entry: the periods the rules and the score
// call for, each set up afresh, the half-time menus, and the result summary.
#pragma once

#include <cstdint>

// Plays the fixture of GetMatchSidesBlock() and leaves the result in GetMatchDataBlock().
// Returns without playing or writing when the session cannot start (a saved replay that fails to
// load).
void PlayMatch3D();
// The engine's game-module row: from MatchEngine_Start on, the match day plays a human side's
// fixture through PlayMatch3D; MatchEngine_Stop gives it back the hook it had before.
void MatchEngine_Start();
void MatchEngine_Stop();
// 1, or 0 when the watched replay cannot be loaded (the replay buffer is freed again).
int32_t StartMatchSession();
void ShutdownMatchView();
void Match_RunPeriod();
int32_t Match_SetupPeriod();  // the period set-up without the loop; returns 1
void SetupPeriod();
void InitSides();
void WriteMatchSummary();
// Each side's shoot-out order: its penalty taker when on the pitch, then its other players on
// the pitch from line-up slot 10 down to 1, then the keeper; at most ten, -1 after the last.
// The presentation's penalty order entry until the in-match menus put theirs in.
void Match_FillPenaltyOrder();
