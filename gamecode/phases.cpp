// gamecode/phases.cpp: the phase table, its dispatcher, the steps of the restart flow the
// stoppages share, the substitution requests at a stoppage, and the phases that only keep words.
#include "gamecode/phases.h"

#include <algorithm>
#include <array>

#include "engine/fatal.h"
#include "engine/random.h"
#include "game/matchblocks.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/fouls.h"
#include "gamecode/kickoffs.h"
#include "gamecode/offside.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/restarts.h"
#include "gamecode/restartutil.h"
#include "gamecode/substitutions.h"

namespace {

constexpr int32_t kMomentumFull = 1000;
constexpr int32_t kWatchAhead = 480;  // 30 yards

void NoHandler() {}

void Phase_ClearDeadBall() { DeadBallFlag = 0; }

void Phase_DrawAndClearDeadBall()
{
    SideDraw[0] = static_cast<int16_t>(Rand() % 60);
    SideDraw[1] = static_cast<int16_t>(Rand() % 60);
    DeadBallFlag = 0;
}

void ClearForPlacedKick()
{
    DeadBallFlag = 0;
    Ball.holder = 0;
}

// The keepers watch a point 30 yards from the ball toward the goal the kick is played at.
void Phase_FreeKick()
{
    const int32_t ahead = Ball.possession != Match.secondOfPair ? -kWatchAhead : kWatchAhead;
    KeeperWatchPoint[0] = PITCH_CENTRE_X;
    KeeperWatchPoint[1] = static_cast<int16_t>(std::clamp(
        MatchPersons[MATCH_BALL].y + ahead, PITCH_NEAR_GOAL_LINE_Y, PITCH_FAR_GOAL_LINE_Y));
    ClearForPlacedKick();
}

// Direct free kicks and penalties: the keepers watch their goal.
void Phase_KickAtGoal()
{
    KeeperWatchPoint[0] = PITCH_CENTRE_X;
    KeeperWatchPoint[1] =
        static_cast<int16_t>(MatchPersons[MATCH_BALL].y < PITCH_CENTRE_Y ? PITCH_NEAR_GOAL_LINE_Y
                                                                         : PITCH_FAR_GOAL_LINE_Y);
    ClearForPlacedKick();
}

// The end-of-period wait; then the loop ends the period with everyone on his spot.
void Phase_PeriodOver()
{
    if (PhaseTimer == 0) {
        PhaseTimer = Match.period == MATCH_PERIOD_SHOOT_OUT ? 60 : 180;
        return;
    }
    if (--PhaseTimer != 0) return;
    LastIncidentMark = MATCH_BALL;
    MatchEndFlag = 1;
    Ball.holder = 0;
    Ball.secondHolder = 0;
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        if (MatchPersons[p].offPitch == 0)
            Person_PlaceAt(p, MatchPersons[p].targetX, MatchPersons[p].targetY);
    }
}

bool AnyPlayerIn(int32_t first, int32_t last)
{
    return std::any_of(MatchPersons, MatchPersons + MATCH_PLAYER_COUNT,
                       [&](const MatchPerson& p) { return p.action >= first && p.action <= last; });
}

void Phase_SubstitutionPause()
{
    if (AnyPlayerIn(38, 39)) return;
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        if (MatchPersons[p].action == ACT_STILL_40)
            Person_SetAction(p, MatchPersons[p].savedAction);
    }
    LastIncidentMark = MATCH_BALL;
    MatchPhase = SavedPhase;
}

void Phase_DecisionPending()
{
    ++StoppageTicks;
    if (Rand() % 2 == 1) ++StoppageTicks;
    if (RefereeDecision != 0) return;
    PhaseTimer = 1;
    MatchPhase = SavedPhase;
}

struct PhaseRow {
    int16_t phase;
    void (*run)();
    const char* name;
};

// clang-format off
constexpr auto kPhases = std::to_array<PhaseRow>({
    {PHASE_OPEN_PLAY,           NoHandler,                  "OpenPlay"},
    // Stoppages awarded and taken.
    {PHASE_FOUL,                Phase_Foul,                 "Foul"},
    {PHASE_OFFSIDE,             Phase_Offside,              "Offside"},
    {PHASE_THROW_IN_AWARDED,    Phase_ThrowIn,              "ThrowInAwarded"},
    {PHASE_GOAL_KICK_AWARDED,   Phase_GoalKick,             "GoalKickAwarded"},
    {PHASE_CORNER_AWARDED,      Phase_Corner,               "CornerAwarded"},
    {PHASE_THROW_IN_TAKEN,      Phase_ClearDeadBall,        "ThrowInTaken"},
    {PHASE_GOAL_KICK_TAKEN,     Phase_ClearDeadBall,        "GoalKickTaken"},
    {PHASE_CORNER_TAKEN,        Phase_ClearDeadBall,        "CornerTaken"},
    {PHASE_GOAL,                Phase_Goal,                 "Goal"},
    {PHASE_GOAL_RESTART,        Phase_DrawAndClearDeadBall, "GoalRestart"},
    {PHASE_KICKOFF_READY,       Phase_KickoffWhistle,       "KickoffReady"},
    {PHASE_KEEPER_HOLDS,        Phase_KeeperBall,           "KeeperHolds"},
    {PHASE_KEEPER_CLEARANCE,    Phase_DrawAndClearDeadBall, "KeeperClearance"},
    // The end of a period and the pauses.
    {PHASE_PERIOD_OVER,         Phase_PeriodOver,           "PeriodOver"},
    {PHASE_SUBSTITUTION_PAUSE,  Phase_SubstitutionPause,    "SubstitutionPause"},
    {PHASE_RESERVED_16,         NoHandler,                  "Reserved16"},
    // Free kicks and penalties.
    {PHASE_FREE_KICK,           Phase_FreeKick,             "FreeKick"},
    {PHASE_DIRECT_FREE_KICK,    Phase_KickAtGoal,           "DirectFreeKick"},
    {PHASE_PENALTY_KICK,        Phase_KickAtGoal,           "PenaltyKick"},
    {PHASE_SHOOTOUT_NEXT_KICK,  Phase_ShootoutNextKick,     "ShootoutNextKick"},
    {PHASE_FREE_KICK_READY,     Phase_KickAtGoal,           "FreeKickReady"},
    {PHASE_DECISION_PENDING,    Phase_DecisionPending,      "DecisionPending"},
    {PHASE_RESERVED_23,         NoHandler,                  "Reserved23"},
    {PHASE_RESERVED_24,         NoHandler,                  "Reserved24"},
    // Kick-offs and the goal.
    {PHASE_KICKOFF_PERIOD,      Phase_Kickoff,              "KickoffPeriod"},
    {PHASE_RESERVED_26,         NoHandler,                  "Reserved26"},
    {PHASE_KICKOFF_AFTER_GOAL,  Phase_Kickoff,              "KickoffAfterGoal"},
    {PHASE_GOAL_CELEBRATION,    Phase_GoalCelebration,      "GoalCelebration"},
    {PHASE_KICKOFF_TAKING,      Phase_DrawAndClearDeadBall, "KickoffTaking"},
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

bool Match_SideIsHuman(int32_t side) { return GetMatchSidesBlock()->sides[side].human != 0; }

void Restart_GiveBall(int32_t side)
{
    Ball.possession = static_cast<uint8_t>(side);
    TeamMomentum[side] = kMomentumFull;
    TeamMomentum[side ^ 1] = 0;
}

void Restart_Award(int32_t side, int32_t wait)
{
    Restart_GiveBall(side);
    if (Match.score[side] < Match.score[side ^ 1]) wait /= Rand() % 4 + 1;
    PhaseTimer = static_cast<int16_t>(wait);
}

bool Phase_IsPlacedKick(int32_t phase)
{
    return phase == PHASE_FREE_KICK || phase == PHASE_DIRECT_FREE_KICK
           || phase == PHASE_PENALTY_KICK || phase == PHASE_FREE_KICK_READY;
}

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

namespace {

// The pending request's own rule: when the side's keeper is off the pitch, its on-pitch outfield
// player with the highest skill 0 (the first on a tie) takes line-up slot 0.
void PutBestKeeperInGoal(int32_t side)
{
    if (MatchPersons[LineUp[side][0]].offPitch == 0) return;
    int32_t best = -1;
    int32_t bestSkill = -1;
    for (int32_t slot = 1; slot <= 10; ++slot) {
        const MatchPerson& p = MatchPersons[LineUp[side][slot]];
        if (p.offPitch != 0 || Person_Skill(p, 0) <= bestSkill) continue;
        best = slot;
        bestSkill = Person_Skill(p, 0);
    }
    if (best >= 0) std::swap(LineUp[side][0], LineUp[side][best]);
}

}  // namespace

void Match_RunStoppageSubstitutions()
{
    for (int32_t side = 0; side < 2; ++side) {
        if (Match_SideIsHuman(side) || StoppageSubstituted[side] != 0
            || Match.substitutionCount[side] >= Match.substitutesAllowed
            || MatchPhase == PHASE_SUBSTITUTION_PAUSE)
            continue;
        Team_PlanSubstitution(side);
        Team_MakeSubstitution(side);
        StoppageSubstituted[side] = 0;
    }
    Match_RunPendingSubstitutions();
}

void Match_RunPendingSubstitutions()
{
    for (int32_t side = 0; side < 2; ++side) {
        if (SubstitutionRequest[side] == 0) continue;
        // Only a human picks substitutes in the menu; a computer side's request is settled here.
        if (Match_SideIsHuman(side)) MatchPresentationOps.InGameMenusLoopAt(side);
        TeamPressure[side] = static_cast<int16_t>(TeamPressure[side] + 4);
        SubstitutionRequest[side] = 0;
        TeamPressure[side ^ 1] = static_cast<int16_t>(std::max(TeamPressure[side ^ 1] - 8, 0));
        ++StoppageSubstituted[side];
        // A side left without a keeper on the pitch, the human's too when the menu put nobody in
        // goal, has its best outfield keeper take the place: a restart waits on the keeper.
        PutBestKeeperInGoal(side);
    }
}

bool ShootOut_IsDecided(int32_t k, int32_t g0, int32_t g1)
{
    if (k == 10 && g0 != g1) return true;
    if (k > 10 && k % 2 == 0 && g0 != g1) return true;
    if (k < 10 && g0 - g1 > 5 - k / 2) return true;
    return k < 10 && g1 - g0 > 5 - (k + 1) / 2;
}
