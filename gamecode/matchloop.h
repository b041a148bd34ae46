// gamecode/matchloop.h: the loop that drives one period, the engine tick in its fixed order, the
// match clock with its stoppage time, the engine timers, momentum and the heat maps.
#pragma once

#include <cstdint>

// Runs the period until the end flag is set and no replay plays, then writes each side's score,
// shoot-out goals and player rows into the data block. Menu requests outside 1-5 are fatal
// "ERROR: default case hit %d".
void MatchLoop();
// Each side's score, shoot-out goals and player rows (in team-sheet order) into the data block.
void WritePeriodResults();
// One engine tick: team AI, ball, timers, head-follow, officials, actions, phase, clock; then
// the replay record and the view's step.
void EngineTick();
// The side whose men move, and meet the ball, first in tick `tick` (Match.firstSide): either side
// as often over any run of ticks, and over every k-th tick alike.
uint8_t Match_FirstSideOfTick(uint32_t tick);
void Match_ClockTick();
void Match_TickTimers();
void Match_RecordHeatMap();  // open play of periods 0-3; players mirrored in periods 0 and 2
void Match_SetPeriodLength(int32_t seconds);
// The engine seconds `period` lasts: the match day's period minutes, of 60 seconds for a half
// and of 20 for extra time and the shoot-out.
int32_t Match_PeriodSeconds(int32_t period);
// The clock of `period` (0-4) over the period ticks in place: the period and its length, nothing
// else. A saved replay watched from the title runs no period of its own: its frames show the
// clock of the period they were recorded in.
void Match_ShowPeriodClock(int32_t period);
// The whistle, the commentary of the period's end, everyone to action 30, the leaders'
// celebration after the second half or extra time, and the clock stopped.
void Match_EndPeriod();
void Match_FillRenderList();

// The displayed match time in seconds: 2,700 at the end of the first half, 0 in the shoot-out.
uint32_t GetMatchClockSeconds();
// The same at `periodTicks` of the current period: the live match's time while a replay shows
// an earlier frame.
uint32_t Match_ClockSecondsAt(uint32_t periodTicks);
int32_t Match_GetMinute();
// The minute a player's time on the pitch runs to: the clock's minute, and 120 through the
// shoot-out, whose clock reads 0.
int32_t Match_PlayedMinute();
