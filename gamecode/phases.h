// gamecode/phases.h: the match phase word's values, the table that runs the handler of the
// current phase once per tick, the restart flow every stoppage shares and the substitution
// requests run at a stoppage.
#pragma once

#include <cstdint>

#include "gamecode/matchstate.h"

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

// The restart words under the names the engine uses. Enter a stoppage by storing its phase and
// PhaseTimer 0; set FoulingSide, FouledPlayer and RestartSpot before phase 1, OffsideSide and
// RestartSpot (the offside position) before phase 2.
inline uint8_t& DeadBallFlag = Match.deadBallFlag;  // 0 in play, 1 in the net, 2 gone out
inline int16_t& SavedPhase = Match.savedPhase;
inline int16_t (&RestartSpot)[2] = Match.restartSpot;
inline uint8_t& FoulingSide = Match.foulingSide;
inline int8_t& FouledPlayer = Match.fouledPlayer;
inline uint8_t& OffsideSide = Match.offsideSide;
inline int16_t (&SideDraw)[2] = Match.sideDraw;
inline uint8_t (&StoppageSubstituted)[2] = Match.stoppageSubstituted;
inline int8_t (&LastKicker)[2] = Match.lastKicker;
inline uint8_t& LastIncidentMark = Match.lastIncidentMark;
inline int16_t& FoulWaitTicks = Match.foulWaitTicks;

// 1 when a human manages the side (its MatchSide's human flag), else 0.
bool Match_SideIsHuman(int32_t side);

// A stoppage awarded to `side`: the ball's possession and full momentum are its, none the
// other's.
void Restart_GiveBall(int32_t side);
// The first pass of a stoppage's wait: Restart_GiveBall, and PhaseTimer = wait, divided by
// Rand() % 4 + 1 when the side has fewer goals.
void Restart_Award(int32_t side, int32_t wait);

// True in the phases of a free kick or a penalty waiting on its taker's strike.
bool Phase_IsPlacedKick(int32_t phase);

// Runs the handler of MatchPhase; a phase outside 0-29 is fatal "MatchPhase_Dispatch(): bad phase
// %d".
void MatchPhase_Dispatch();
const char* MatchPhase_Name(int32_t phase);

// For side 0 then side 1 with a SubstitutionRequest: the substitution menu when a human runs the
// side, its pressure + 4 and the other's - 8 (not below 0), the request cleared,
// StoppageSubstituted + 1; a computer side whose keeper is off the pitch puts its on-pitch
// outfield player with the highest skill 0 in line-up slot 0.
void Match_RunPendingSubstitutions();
// The substitutions of a stoppage: each computer side with StoppageSubstituted 0 and changes left,
// outside phase 15, plans and makes one (the make refills the line-ups); then the pending
// requests above.
void Match_RunStoppageSubstitutions();

// The shoot-out is decided after k kicks with g0 and g1 scored: ten kicks uneven, an even number
// past ten uneven, or a lead the other side can no longer catch.
bool ShootOut_IsDecided(int32_t k, int32_t g0, int32_t g1);
