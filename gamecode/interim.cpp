// gamecode/interim.cpp: stand-ins that keep a match correct while the engine's full rules are
// still to come. Each comment names what replaces the body.
#include "gamecode/interim.h"

#include "engine/random.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"

namespace {

struct CommentaryState {
    CommentaryListener listener;
    int32_t context[5];
};

CommentaryState s_commentary;

}  // namespace

// Replaced by the team shape and marking rules.
void EvaluateTeamStrategy() {}
void UpdateTeamStrategy() {}
void Team_PickUpAttackers() {}
void Team_StepBackOnside() {}
void Team_SetMarkingTargets() {}
// Replaced by proximity and the active player.
void Team_SortAndPickActive() {}
// Replaced by the line-up refill and reshaping.
void Team_RefillLineup(int32_t) {}
// Replaced by the formation positions.
void CopySquadStatusToPlayers(int32_t) {}
void SetupFormations(int32_t) {}
// Replaced by the goal frame, the net and out of play.
void Ball_CheckOutOfPlay(BallState&) {}
// Replaced by the ball contacts and possession.
void Ball_ResolveContacts() {}
// Replaced, id by id, by the handlers of the player actions.
void Action_Hold(int32_t) {}
// Replaced by the officials.
void Officials_Update() {}
// Replaced by the fatigue bookkeeping.
void Match_Fatigue() {}

// Replaced by the kick-off routine: with nobody to kick off, play opens when the wait is over.
void Phase_Kickoff()
{
    if (PhaseTimer > 0) --PhaseTimer;
    if (PhaseTimer != 0) return;
    Match.clockRunning = 1;
    MatchPhase = PHASE_OPEN_PLAY;
}

// Replaced by the shoot-out kick cycle: each kick scores three times in four.
void Phase_ShootoutNextKick()
{
    if (ShootOut_IsDecided(Match.shootoutKicks, Match.shootOutGoals[0], Match.shootOutGoals[1])) {
        MatchPhase = PHASE_PERIOD_OVER;
        PhaseTimer = 0;
        return;
    }
    KickingSide = static_cast<uint8_t>(Match.shootoutKicks & 1);
    if (Rand() % 4 != 0) ++Match.shootOutGoals[KickingSide];
    ++Match.shootoutKicks;
}

// Replaced by the commentary: the draw of the template stays, no line is written yet.
void Comm_Say(int32_t group, int32_t side, int32_t player, int32_t player2, int32_t number)
{
    s_commentary.context[0] = group;
    s_commentary.context[1] = side;
    s_commentary.context[2] = player;
    s_commentary.context[3] = player2;
    s_commentary.context[4] = number;
    static_cast<void>(Rand() % 5);
    if (s_commentary.listener != nullptr)
        s_commentary.listener(group, side, player, player2, number);
}

void Comm_SetListener(CommentaryListener listener) { s_commentary.listener = listener; }

// Replaced by the match-data accessors and ratings.
int32_t Match_PlayerRowRating(int32_t person)
{
    return MatchPersons[person].matchRating == 50 ? 50 : 0;
}

// Replaced by the player of the match.
int32_t Match_PickPlayerOfMatch() { return -1; }
