// game/simmatch.h: the statistical simulation: a fixture played from the team sheets of the
// match-day block into the match data block, without the match engine.
#pragma once

#include <cstdint>

#include "game/matchblocks.h"

// Plays the fixture of `block` into *data (cleared first): 90 minutes, then, when the header asks
// for a decided tie and the tie is level (first-leg goals and away goals counted), 30 minutes of
// extra time and a shoot-out. Integer arithmetic and Rand() % n only, drawn in a fixed order, so
// a seed gives the same match. Event rows: a = side 0-1, b = player id, c = the second player (the
// assist of a goal, the man coming on for a substitution), -1 none; period 0-1 the halves, 2-3
// extra time. Goal-list kinds: 0 open play, 1 penalty, 2 own goal (player of the other side).
void SimMatch_Play(const MatchDayBlock& block, MatchDataBlock* data);

// A result decided in advance: the goals as given, unattributed; every starter plays the 90
// minutes with a rating of 60, so the appearances count.
void SimMatch_FixedResult(const MatchDayBlock& block, int32_t homeGoals, int32_t awayGoals,
                          MatchDataBlock* data);

// True when the fixture needs a winner and the sides are level after `score` (home, away): the
// aggregate with the first-leg goals, then, in a second leg, the goals scored away.
bool SimMatch_TieIsLevel(const MatchDayBlock& block, int32_t homeGoals, int32_t awayGoals);

// Expected goals of side s in hundredths, from both team sheets (the first step of the match).
int32_t SimMatch_ExpectedGoals(const MatchDayBlock& block, int32_t side);

// Zero statistics, every list ended, man of the match -1, territory 255: a match not yet played.
void SimMatch_ClearData(MatchDataBlock* data);
