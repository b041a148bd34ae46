// gamecode/kickoffs.cpp: kick-offs, goals and the shoot-out kick cycle.
#include "gamecode/kickoffs.h"

#include <algorithm>
#include <array>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/incidents.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchrecords.h"
#include "gamecode/motion.h"
#include "gamecode/offside.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/refill.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kWrongHalfMargin = 20;
constexpr int32_t kSendBack = 32;
constexpr int32_t kWhistleTicks = 30;
constexpr int32_t kGoalTicks = 50;
constexpr int32_t kGoalPauseTicks = 100;
constexpr int32_t kCelebrationCountdown = 20;
constexpr int32_t kCelebrationLimit = 500;
constexpr int32_t kMaxCelebrationStyle = 6;
constexpr int32_t kWalkOff = 30;
constexpr int32_t kShootOutKeeperY = 132;
constexpr int32_t kSfxLevelGoal = 14;
constexpr int32_t kSfxGoal = 15;
constexpr int32_t kSfxCelebration = 28;
constexpr int32_t kInfoKickoff = 5;
constexpr int32_t kInfoGoal = 8;
constexpr int32_t kInfoOwnGoal = 9;
constexpr int32_t kGroupPeriodStart = 106;
constexpr int32_t kGroupKickoff = 110;
constexpr int32_t kGroupFirstKickoff = 111;
constexpr int32_t kGroupOwnGoal = 101;
constexpr int32_t kGroupScorer = 102;
constexpr int32_t kGroupSecondAssist = 103;
constexpr int32_t kGroupShootOutWon = 105;

// clang-format off
constexpr auto kShootOutDx = std::to_array<int16_t>({
    -200, -240, -170, -210, -150, -190, -230, -220, -190, -180, -160, -235, -225, -195, -185, -165,
     200,  240,  170,  210,  150,  190,  230,  220,  190,  180,  160,  225,  215,  195,  185,  165});
constexpr auto kShootOutDy = std::to_array<int16_t>({
    550, 560, 545, 535, 595, 570, 575, 540, 545, 525, 540, 570, 545, 540, 520, 545,
    550, 560, 545, 535, 595, 570, 575, 540, 545, 525, 540, 570, 545, 540, 520, 545});
// clang-format on
static_assert(kShootOutDx.size() == MATCH_PLAYER_COUNT && kShootOutDy.size() == MATCH_PLAYER_COUNT);

void DrawSides()
{
    SideDraw[0] = static_cast<int16_t>(Rand() % 60);
    SideDraw[1] = static_cast<int16_t>(Rand() % 60);
}

void RefereeSignalsRestart()
{
    Person_SetAction(MATCH_REFEREE, OFFICIAL_REFEREE_WHISTLE);
    Match.refereeReturnState = 1;
    Match.refereeSignal = 2;
}

void PlaceOnTarget(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    Person_PlaceAt(person, p.targetX, p.targetY);
}

void PlaceEveryoneForKickoff()
{
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        if (MatchPersons[person].offPitch == 0) PlaceOnTarget(person);
    }
    Person_PlaceAt(MATCH_REFEREE, PITCH_CENTRE_X - 15 * 16, PITCH_CENTRE_Y - 15 * 16);
    Person_PlaceAt(MATCH_LINESMAN_1, Pitch.leftTouchline - 32, PITCH_CENTRE_Y);
    Person_PlaceAt(MATCH_LINESMAN_2, Pitch.rightTouchline + 32, PITCH_CENTRE_Y);
}

// Sends the first player found in the other side's half back toward his own; false when every
// player stands in his half. Side secondOfPair stands at low y.
bool SendBackFirstInWrongHalf()
{
    const int32_t first = Match.secondOfPair;
    for (int32_t side : {first, first ^ 1}) {
        const bool standsLow = side == Match.secondOfPair;
        for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
            const int32_t person = side * MATCH_PERSONS_PER_SIDE + slot;
            MatchPerson& p = MatchPersons[person];
            if (p.offPitch != 0) continue;
            if (standsLow && p.targetY > PITCH_HALFWAY_LINE_Y
                && p.y > PITCH_HALFWAY_LINE_Y + kWrongHalfMargin) {
                Person_SetAction(person, ACT_WALK_TO_TARGET);
                p.targetY = static_cast<int16_t>(p.targetY - kSendBack);
                return true;
            }
            if (!standsLow && p.targetY < PITCH_HALFWAY_LINE_Y
                && p.y < PITCH_HALFWAY_LINE_Y - kWrongHalfMargin) {
                Person_SetAction(person, ACT_WALK_TO_TARGET);
                p.targetY = static_cast<int16_t>(p.targetY + kSendBack);
                return true;
            }
        }
    }
    return false;
}

void SayKickoff(int32_t taker)
{
    const bool periodOpens = Match.kickoffTaken == 0;
    if (periodOpens) Comm_Say(kGroupPeriodStart + Match.period, Match.kickOffSide, -1, -1, 0);
    const bool firstOfMatch = periodOpens && Match.period == 0;
    Comm_Say(firstOfMatch ? kGroupFirstKickoff : kGroupKickoff, Match.kickOffSide, taker, -1, 0);
}

void NameKickoffPair()
{
    KickingSide = Match.kickOffSide;
    const int32_t taker = Team_NearestTeammateOrFallback(PITCH_CENTRE_X, PITCH_CENTRE_Y, -1);
    Person_SetAction(taker, ACT_KICKOFF_WALK);
    SayKickoff(taker);
    Match.kickoffTaker = static_cast<int16_t>(taker);
    // The taker, now in action 24, no longer counts as nearest.
    const int32_t partner = Team_NearestTeammateOrFallback(PITCH_CENTRE_X, PITCH_CENTRE_Y, taker);
    Person_SetAction(partner, ACT_KICKOFF_PARTNER);
    Match.kickoffPartner = static_cast<int16_t>(partner);
    MatchPhase = PHASE_KICKOFF_TAKING;
    Ball.possession = Match.kickOffSide;
    Team_SnapToTargets();
    DeadBallFlag = 0;
}

// The side whose goal the ball is in: the one that does not attack that goal line.
int32_t ConcedingSide()
{
    const bool lowGoal = MatchPersons[MATCH_BALL].y < PITCH_CENTRE_Y;
    return lowGoal ? Match.secondOfPair : Match.secondOfPair ^ 1;
}

// The kicking actions' shot records: the first counts only when its player is the one credited.
void CountShotRecordGoals(int32_t credited)
{
    const uint8_t set[3] = {Match.firstShotRecord, Match.secondShotRecord, Match.thirdShotRecord};
    for (int32_t record = 0; record < 3; ++record) {
        const int32_t player = Match.shotRecordPlayer[record];
        if (set[record] == 0 || !IsPlayer(player)) continue;
        if (record == 0 && player != credited) continue;
        ++MatchPersons[player].stats.shotRecordGoals[record];
    }
}

// Credits the goal and returns the own-goal player, -1 for a goal the scoring side scored.
int32_t CreditGoal(int32_t scoring)
{
    const int32_t conceding = scoring ^ 1;
    const int32_t keeper = LineUp[conceding][0];
    const int32_t toucher = Ball.lastToucher;
    // A keeper's touch usually only helps the other side's shot in; with nobody of that side
    // kicking it since the period began, he put it in himself.
    const bool keeperAlone = toucher == keeper && !IsPlayer(LastKicker[scoring]);
    if (IsPlayer(toucher) && Person_Side(toucher) == conceding
        && (toucher != keeper || keeperAlone)) {
        ++MatchPersons[toucher].stats.ownGoals;
        Match.scorerRecord = static_cast<int16_t>(toucher);
        MatchPresentationOps.InfoBar(kInfoOwnGoal, toucher, -1);
        Comm_Say(kGroupOwnGoal, scoring, toucher, -1, 0);
        return toucher;
    }
    const int32_t credited = toucher == keeper ? LastKicker[scoring] : toucher;
    // A ball last touched by nobody (or by no player) credits nobody.
    if (!IsPlayer(credited)) {
        Match.scorerRecord = -1;
        return -1;
    }
    Match.scorerRecord = static_cast<int16_t>(credited);
    CountShotRecordGoals(credited);
    ++MatchPersons[credited].stats.goals;
    MatchPresentationOps.InfoBar(kInfoGoal, credited, -1);
    Comm_Say(kGroupScorer, scoring, credited, -1, 0);
    return -1;
}

void CreditAssists(int32_t scoring, int32_t scorer)
{
    const int32_t provider = Match.passProvider;
    if (IsPlayer(provider)) {
        ++MatchPersons[provider].stats.assists;
        ++Match.teamStats[Person_Side(provider)].assists;
        Match.passProvider = -1;
    }
    const int32_t second = Match.secondProvider;
    Match.secondProvider = -1;
    if (!IsPlayer(second) || Person_Side(second) != scoring || second == scorer) return;
    MatchPersonStats& stats = MatchPersons[second].stats;
    ++stats.secondKindCompletions;
    ++stats.secondAssists;
    Comm_Say(kGroupSecondAssist, scoring, second, -1, 0);
}

int32_t PlayerIdOf(int32_t person) { return IsPlayer(person) ? MatchPersons[person].playerId : -1; }

void StartCelebration(int32_t scoring, int32_t scorer)
{
    Match.celebratingPlayer = static_cast<int16_t>(scorer);
    CelebrationCountdown = kCelebrationCountdown;
    if (!IsPlayer(scorer) || scorer == LineUp[scoring][0]) {
        Match.celebrationActive = 0;
        return;
    }
    Match.celebrationActive = 1;
    Person_SetAction(scorer, ACT_CELEBRATE);
    const int32_t lead = Match.score[scoring] - Match.score[scoring ^ 1];
    if (lead < 0) return;
    if (lead <= 1) {
        const int32_t style = Person_Skill(MatchPersons[scorer], 11) / 18 + 1;
        MatchPersons[scorer].passKind = static_cast<int16_t>(std::min(style, kMaxCelebrationStyle));
    }
    for (int32_t slot = 1; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
        const int32_t mate = LineUp[scoring][slot];
        const MatchPerson& p = MatchPersons[mate];
        if (mate == scorer || p.offPitch != 0 || p.action >= ACT_CARRY_RUN) continue;
        // Far ahead, only some of the team join in.
        if (lead >= 2 && Rand() % lead != 0) continue;
        Person_SetAction(mate, ACT_RUN_TO_SCORER);
    }
}

void FirstGoalPass()
{
    PhaseTimer = kGoalTicks;
    RefereeSignalsRestart();
    GoalPause = kGoalPauseTicks;
    if (Match.period == MATCH_PERIOD_SHOOT_OUT) return;
    const bool wasLevel = Match.score[0] == Match.score[1];
    MatchPresentationOps.PlayMatchSfx(wasLevel ? kSfxLevelGoal : kSfxGoal, 0);
    const int32_t scoring = ConcedingSide() ^ 1;
    ++Match.score[scoring];
    Team_RefillLineup();
    ++MatchPersons[LineUp[scoring ^ 1][0]].stats.goalsAgainst;
    const int32_t ownGoalPlayer = CreditGoal(scoring);
    KickBook_Goal(scoring);
    const int32_t scorer = Match.scorerRecord;
    const int32_t assist = Match.passProvider;
    // Event rows name players by their id, as the season reads them; c is the assist.
    Match_LogEvent(0, scoring, PlayerIdOf(scorer), PlayerIdOf(assist));
    // The provider is credited as the assist only; the goal stays the scorer's.
    Match_RecordGoal(scoring, Match.score[scoring] - 1, scorer, scorer, ownGoalPlayer, MatchPhase,
                     Match.shotDistance, assist);
    CreditAssists(scoring, scorer);
    Goal_SayRemarks(scoring, scorer);
    if (ownGoalPlayer < 0) StartCelebration(scoring, scorer);
}

bool KeepersIdle()
{
    return MatchPersons[LineUp[0][0]].action == ACT_KEEPER_IDLE
           && MatchPersons[LineUp[1][0]].action == ACT_KEEPER_IDLE;
}

void EndShootOut(int32_t g0, int32_t g1)
{
    const int32_t winner = g1 > g0 ? 1 : 0;
    Comm_Say(kGroupShootOutWon, winner, -1, -1, 0);
    MatchPhase = PHASE_PERIOD_OVER;
    PhaseTimer = 0;
    DeadBallFlag = 0;
    Match_SetAllActions(kWalkOff);
    Match.celebrationActive = 0;
    for (int32_t slot = 1; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
        Person_SetAction(LineUp[winner][slot], ACT_CELEBRATE);
        MatchPresentationOps.PlayMatchSfx(kSfxCelebration, 0);
    }
    ActivePlayer[0] = MATCH_NONE;
    ActivePlayer[1] = MATCH_NONE;
    Match.kickoffTaken = 0;
    ++PlayersNotInPlace;
}

void SetUpShootOutKick()
{
    KickingSide = static_cast<uint8_t>(Match.shootoutKicks & 1);
    // The kicker always shoots at the goal at y 122.
    Match.secondOfPair = static_cast<uint8_t>(KickingSide ^ 1);
    const int32_t kicker = ShootOut_PickTaker();
    Ball.holder = 0;
    Ball.secondHolder = 0;
    Ball_Stop();
    Ball.height = 0;
    Ball.height16 = 0;
    MatchPhase = PHASE_PENALTY_KICK;
    RestartSpot[0] = PITCH_CENTRE_X;
    RestartSpot[1] = PITCH_PENALTY_SPOT_NEAR_Y;
    PhaseTimer = 0;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        Person_SetAction(person, ACT_SHOOTOUT_FACE_CENTRE);
        const ShootOutPosition at = ShootOut_Position(person);
        Person_PlaceAt(person, PITCH_CENTRE_X + at.dx, Pitch.firstGoalLine + at.dy);
    }
    Person_SetAction(LineUp[0][0], ACT_KEEPER_IDLE);
    Person_SetAction(LineUp[1][0], ACT_KEEPER_IDLE);
    // After the keepers: in a long sudden death the kicker may be his side's keeper.
    Person_SetAction(kicker, ACT_FREE_KICK_TAKER);
    LastKicker[KickingSide] = static_cast<int8_t>(kicker);
    Person_PlaceAt(LineUp[KickingSide ^ 1][0], PITCH_CENTRE_X, kShootOutKeeperY);
    ++Match.shootoutKicks;
    MatchPersons[MATCH_MARKER].x = PITCH_CENTRE_X;
}

}  // namespace

ShootOutPosition ShootOut_Position(int32_t player)
{
    return {kShootOutDx[player], kShootOutDy[player]};
}

void Phase_Kickoff()
{
    DrawSides();
    Match.keeperPendingAction = 0;
    Ball.holder = 0;
    Ball.secondHolder = 0;
    if (PlayersNotInPlace != 0) {
        PlaceEveryoneForKickoff();
        PlayersNotInPlace = 0;
        PhaseTimer = 1;
    }
    if (PhaseTimer > 0) {
        if (--PhaseTimer != 0) return;
        DrawSides();
        if (PlayersNotInPlace != 0 || SendBackFirstInWrongHalf()) {
            PhaseTimer = 1;
            return;
        }
    }
    NameKickoffPair();
}

void Phase_KickoffWhistle()
{
    DrawSides();
    if (PlayersNotInPlace != 0) return;
    if (PhaseTimer == 0) {
        PhaseTimer = kWhistleTicks;
        MatchPresentationOps.InfoBar(kInfoKickoff, -1, -1);
        return;
    }
    // -1: the taker is on his way to the ball; his kick opens play.
    if (PhaseTimer < 0 || --PhaseTimer != 0) return;
    const int32_t taker = Match.kickoffTaker;
    if (MatchPersons[taker].action > ACT_GESTURE_AND_RETURN) {
        PhaseTimer = 1;
        return;
    }
    RefereeSignalsRestart();
    Match_ClearPlayerFlags();
    Person_SetAction(taker, ACT_KICKOFF_TAKER);
    MatchPersons[taker].touchCooldown1 = 0;
    PhaseTimer = -1;
    Match.clockRunning = 1;
}

void Phase_Goal()
{
    if (PhaseTimer == 0) {
        FirstGoalPass();
        return;
    }
    if (--PhaseTimer != 0) return;
    if (Match.period != MATCH_PERIOD_SHOOT_OUT) {
        MatchPhase = PHASE_GOAL_CELEBRATION;
        return;
    }
    // A shoot-out kick scored counts as a goal from the first shot record.
    const int32_t kicker = LastKicker[ConcedingSide() ^ 1];
    if (IsPlayer(kicker)) ++MatchPersons[kicker].stats.shotRecordGoals[0];
    MatchPhase = PHASE_SHOOTOUT_NEXT_KICK;
}

void Phase_GoalCelebration()
{
    PhaseTimer = 0;
    if (Match.celebrationActive != 0 && ++Match.celebrationTicks > kCelebrationLimit)
        Match.celebrationActive = 0;
    if (Match.celebrationActive != 0 || !KeepersIdle()) return;
    const int32_t conceding = ConcedingSide();
    Match_AllStand();
    Ball_Stop();
    Ball.height = 0;
    Ball.height16 = 0;
    MatchPhase = PHASE_GOAL_RESTART;
    Match.celebrationTicks = 0;
    Match_ClearPlayerFlags();
    Ball_PlaceOnCentreSpot();
    Match_AllStand();
    Match.kickOffSide = static_cast<uint8_t>(conceding);
    const int32_t keeper = LineUp[conceding][0];
    Person_SetAction(keeper, ACT_KICKOFF_AFTER_GOAL);
    MatchPersons[keeper].touchCooldown1 = 0;
    Match_RunStoppageSubstitutions();
}

void Phase_ShootoutNextKick()
{
    if (Ball.speed != 0 || GoalPause != 0) return;
    const int32_t g0 = Match.shootOutGoals[0];
    const int32_t g1 = Match.shootOutGoals[1];
    if (ShootOut_IsDecided(Match.shootoutKicks, g0, g1)) {
        EndShootOut(g0, g1);
    } else {
        SetUpShootOutKick();
    }
}
