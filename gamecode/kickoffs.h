// gamecode/kickoffs.h: the phases that start and stop play: the kick-off of a period and after a
// goal, the goal with its crediting and celebration, and the penalty shoot-out's kick cycle.
#pragma once

#include <cstdint>

// The shoot-out position of player 0-31: its offset from (centre x, first goal line).
struct ShootOutPosition {
    int16_t dx;
    int16_t dy;
};
ShootOutPosition ShootOut_Position(int32_t player);

// Phases 25 and 27: the players are put in place and each side kept in its half; then the kick-off
// pair is named (taker action 24, partner action 26), the team shape settled and phase 29 entered.
void Phase_Kickoff();
// Phase 11: 30 ticks after the info bar's kick-off event the taker gets action 27 and the clock
// starts; the phase then idles until his kick opens play.
void Phase_KickoffWhistle();
// Phase 9: the score, the scorer's credit (his shot records included), the assists, the records
// and remarks, the celebration; after 50 ticks phase 28, or phase 20 in the shoot-out, where the
// kicker's goal counts as one from the first shot record.
void Phase_Goal();
// Phase 28: waits for the celebration (at most 500 ticks) and both keepers idle, then sets up the
// conceding side's kick-off (phase 10, its keeper in action 23).
void Phase_GoalCelebration();
// Phase 20: once the ball is still and the goal pause over, ends a decided shoot-out (phase 14)
// or sets up the next kick (phase 19).
void Phase_ShootoutNextKick();
