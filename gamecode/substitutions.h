// gamecode/substitutions.h: a computer side's own substitutions: whom to take off at a stoppage,
// which bench player suits his position best, the change itself, and a field player sent into
// goal when the side has lost its keeper. The planned player is Match.substitutionPlan[side][0]
// (255 none); the side's request word is SubstitutionRequest.
#pragma once

#include <cstdint>

constexpr int32_t POSITION_CODE_COUNT = 13;  // 0 keeper, 1-4 defenders, 5-9 midfield, 10-12 up

// How well a player of position code `on` stands in for one of code `off`, 1-13; 0 for a code
// outside 0-12.
int32_t Substitution_Suitability(int32_t off, int32_t on);

// Plans nothing at the side's limit or while blocked. Otherwise refreshes the on-pitch outfield
// players' matchRating from their rating so far, and asks (request 1, plannedOut) for: the tired,
// else the weak, player when a field player keeps goal and a bench keeper is free; else an
// injured player (resultByteB) in period 0 too; else, after period 0 with two substitutions left,
// the weakest player when Rand() % 50 is his person index; else, after period 0, the most tired
// (resultByteA above 40).
void Team_PlanSubstitution(int32_t side);
// The free bench player (matchRating 0, off the pitch, started on the bench) with the best
// (skill 1 + pace + skill 3 + skill 2) x suitability for the outgoing person's position, a later
// one winning a tie; -1 when there is none or `outgoing` is not a person of the side.
int32_t Team_PickSubstitute(int32_t side, int32_t outgoing);
// Below the limit, not blocked and outside phase 15, with plannedOut an on-pitch person of the
// side: brings the best substitute on (Football_Substitute) and refills the line-ups. With no
// substitute the side's request and plan are dropped, so its players stop putting the ball out
// for a change that cannot come.
void Team_MakeSubstitution(int32_t side);
// The on-pitch player of slots 1-10 with the largest skill 0 + agility (a later slot winning a
// tie) swaps line-up places with slot 0; nothing with nobody on the pitch.
void Team_PickStandInKeeper(int32_t side);
