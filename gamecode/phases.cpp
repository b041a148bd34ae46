// gamecode/phases.cpp: the phase table, its dispatcher, and the end of a period.
#include "gamecode/phases.h"

#include <array>

#include "engine/fatal.h"
#include "gamecode/interim.h"
#include "gamecode/matchstate.h"

namespace {

void NoHandler() {}

// The end-of-period wait; then the loop ends the period with everyone on his spot.
void Phase_PeriodOver()
{
    if (PhaseTimer == 0) {
        PhaseTimer = Match.period == MATCH_PERIOD_SHOOT_OUT ? 60 : 180;
        return;
    }
    if (--PhaseTimer != 0) return;
    Match.lastIncidentMark = MATCH_BALL;
    MatchEndFlag = 1;
    Ball.holder = 0;
    Ball.secondHolder = 0;
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        if (MatchPersons[p].offPitch == 0)
            Person_PlaceAt(p, MatchPersons[p].targetX, MatchPersons[p].targetY);
    }
}

struct PhaseRow {
    int16_t phase;
    void (*run)();
    const char* name;
};

// clang-format off
constexpr auto kPhases = std::to_array<PhaseRow>({
    {PHASE_OPEN_PLAY,           NoHandler,              "OpenPlay"},
    // Stoppages awarded and taken.
    {PHASE_FOUL,                NoHandler,              "Foul"},
    {PHASE_OFFSIDE,             NoHandler,              "Offside"},
    {PHASE_THROW_IN_AWARDED,    NoHandler,              "ThrowInAwarded"},
    {PHASE_GOAL_KICK_AWARDED,   NoHandler,              "GoalKickAwarded"},
    {PHASE_CORNER_AWARDED,      NoHandler,              "CornerAwarded"},
    {PHASE_THROW_IN_TAKEN,      NoHandler,              "ThrowInTaken"},
    {PHASE_GOAL_KICK_TAKEN,     NoHandler,              "GoalKickTaken"},
    {PHASE_CORNER_TAKEN,        NoHandler,              "CornerTaken"},
    {PHASE_GOAL,                NoHandler,              "Goal"},
    {PHASE_GOAL_RESTART,        NoHandler,              "GoalRestart"},
    {PHASE_KICKOFF_READY,       NoHandler,              "KickoffReady"},
    {PHASE_KEEPER_HOLDS,        NoHandler,              "KeeperHolds"},
    {PHASE_KEEPER_CLEARANCE,    NoHandler,              "KeeperClearance"},
    // The end of a period.
    {PHASE_PERIOD_OVER,         Phase_PeriodOver,       "PeriodOver"},
    {PHASE_SUBSTITUTION_PAUSE,  NoHandler,              "SubstitutionPause"},
    {PHASE_RESERVED_16,         NoHandler,              "Reserved16"},
    // Free kicks and penalties.
    {PHASE_FREE_KICK,           NoHandler,              "FreeKick"},
    {PHASE_DIRECT_FREE_KICK,    NoHandler,              "DirectFreeKick"},
    {PHASE_PENALTY_KICK,        NoHandler,              "PenaltyKick"},
    {PHASE_SHOOTOUT_NEXT_KICK,  Phase_ShootoutNextKick, "ShootoutNextKick"},
    {PHASE_FREE_KICK_READY,     NoHandler,              "FreeKickReady"},
    {PHASE_DECISION_PENDING,    NoHandler,              "DecisionPending"},
    {PHASE_RESERVED_23,         NoHandler,              "Reserved23"},
    {PHASE_RESERVED_24,         NoHandler,              "Reserved24"},
    // Kick-offs and the goal.
    {PHASE_KICKOFF_PERIOD,      Phase_Kickoff,          "KickoffPeriod"},
    {PHASE_RESERVED_26,         NoHandler,              "Reserved26"},
    {PHASE_KICKOFF_AFTER_GOAL,  Phase_Kickoff,          "KickoffAfterGoal"},
    {PHASE_GOAL_CELEBRATION,    NoHandler,              "GoalCelebration"},
    {PHASE_KICKOFF_TAKING,      NoHandler,              "KickoffTaking"},
});
// clang-format on

static_assert(kPhases.size() == PHASE_COUNT, "one row per phase");

consteval bool EveryRowInPlace()
{
    for (std::size_t i = 0; i < kPhases.size(); ++i) {
        if (kPhases[i].phase != static_cast<int16_t>(i)) return false;
    }
    return true;
}
static_assert(EveryRowInPlace(), "a row is out of order");

}  // namespace

void MatchPhase_Dispatch()
{
    if (MatchPhase < 0 || MatchPhase >= PHASE_COUNT)
        FatalError("MatchPhase_Dispatch(): bad phase %d", MatchPhase);
    kPhases[MatchPhase].run();
}

const char* MatchPhase_Name(int32_t phase)
{
    return phase >= 0 && phase < PHASE_COUNT ? kPhases[phase].name : "?";
}

bool ShootOut_IsDecided(int32_t k, int32_t g0, int32_t g1)
{
    if (k == 10 && g0 != g1) return true;
    if (k > 10 && k % 2 == 0 && g0 != g1) return true;
    if (k < 10 && g0 - g1 > 5 - k / 2) return true;
    return k < 10 && g1 - g0 > 5 - (k + 1) / 2;
}
