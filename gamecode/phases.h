// gamecode/phases.h: the match phase word's values and the table that runs the handler of the
// current phase once per tick.
#pragma once

#include <cstdint>

enum MatchPhaseValue : int16_t {
    PHASE_OPEN_PLAY,
    PHASE_FOUL,
    PHASE_OFFSIDE,
    PHASE_THROW_IN_AWARDED,
    PHASE_GOAL_KICK_AWARDED,
    PHASE_CORNER_AWARDED,
    PHASE_THROW_IN_TAKEN,
    PHASE_GOAL_KICK_TAKEN,
    PHASE_CORNER_TAKEN,
    PHASE_GOAL,
    PHASE_GOAL_RESTART,
    PHASE_KICKOFF_READY,
    PHASE_KEEPER_HOLDS,
    PHASE_KEEPER_CLEARANCE,
    PHASE_PERIOD_OVER,
    PHASE_SUBSTITUTION_PAUSE,
    PHASE_RESERVED_16,
    PHASE_FREE_KICK,
    PHASE_DIRECT_FREE_KICK,
    PHASE_PENALTY_KICK,
    PHASE_SHOOTOUT_NEXT_KICK,
    PHASE_FREE_KICK_READY,
    PHASE_DECISION_PENDING,
    PHASE_RESERVED_23,
    PHASE_RESERVED_24,
    PHASE_KICKOFF_PERIOD,
    PHASE_RESERVED_26,
    PHASE_KICKOFF_AFTER_GOAL,
    PHASE_GOAL_CELEBRATION,
    PHASE_KICKOFF_TAKING,
    PHASE_COUNT
};

// Runs the handler of MatchPhase; a phase outside 0-29 is fatal.
void MatchPhase_Dispatch();
const char* MatchPhase_Name(int32_t phase);

// The shoot-out is decided after k kicks with g0 and g1 scored: ten kicks uneven, an even number
// past ten uneven, or a lead the other side can no longer catch.
bool ShootOut_IsDecided(int32_t k, int32_t g0, int32_t g1);
