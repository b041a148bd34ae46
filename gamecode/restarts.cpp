// gamecode/restarts.cpp: the goal kick and the keeper's ball, from the wait to the set-up.
#include "gamecode/restarts.h"

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/matchrecords.h"
#include "gamecode/officials.h"
#include "gamecode/offside.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kWait = 90;
constexpr int32_t kTrailingWait = 11;
constexpr int32_t kMarkerFrame = 12;
constexpr int32_t kYards70 = 70 * PITCH_UNITS_PER_YARD;
constexpr int32_t kInfoBarGoalKick = 10;
constexpr int32_t kInfoBarHandling = 13;
constexpr int32_t kGroupHandling = 323;
constexpr int32_t kGroupHandlingKeeper = 324;
constexpr int16_t kDecisionSendingOff = 9;

// The side defending the goal line nearer the stored out point (the catch point for a keeper).
int32_t SideDefendingOutPoint()
{
    const bool highEnd = Match.goalKickSpot[1] > PITCH_CENTRE_Y;
    return highEnd ? Match.secondOfPair ^ 1 : Match.secondOfPair;
}

// The first pass of a wait: 90 ticks, 11 for a side that trails.
void StartWait(int32_t side)
{
    PhaseTimer = static_cast<int16_t>(Trails(side) ? kTrailingWait : kWait);
}

// Everybody stands, and the other side's nearest player (action 4) is its active player.
void StandForTheTaker(int32_t takingSide)
{
    Match.keeperPendingAction = -1;
    Match_ClearPlayerFlags();
    Match_AllStand();
    Restart_ResetTaker();
    const int32_t other = takingSide ^ 1;
    const int32_t chaser = Match.proximity[other][0];
    Person_SetAction(chaser, ACT_ACTIVE);
    ActivePlayer[other] = static_cast<uint8_t>(chaser);
}

// The referee whistles the restart taken in `phase`.
void WhistleFor(int32_t phase)
{
    Referee_Whistle(1, OFFICIAL_REFEREE_FOLLOW);
    MatchPhase = static_cast<int16_t>(phase);
    PhaseTimer = 0;
}

void PlaceMarker(int32_t x, int32_t y)
{
    Person_PlaceAt(MATCH_MARKER, x, y);
    MatchPersons[MATCH_MARKER].frame = kMarkerFrame;
}

void SetUpGoalKick(int32_t side)
{
    MatchPresentationOps.InfoBar(kInfoBarGoalKick, -1, -1);
    WhistleFor(PHASE_GOAL_KICK_TAKEN);
    const bool highEnd = Match.goalKickSpot[1] > PITCH_CENTRE_Y;
    const int32_t spotY = highEnd ? PITCH_GOAL_AREA_FAR_Y : PITCH_GOAL_AREA_NEAR_Y;
    const int32_t aimY = highEnd ? spotY - kYards70 : spotY + kYards70;
    const int32_t aimX =
        Match.goalKickSpot[0] < PITCH_CENTRE_X ? PITCH_GOAL_AREA_LEFT_X : PITCH_GOAL_AREA_RIGHT_X;
    Match.goalKickSpot[0] = static_cast<int16_t>(aimX);
    Match.goalKickSpot[1] = static_cast<int16_t>(spotY);
    Ball_SetForRestart(side, aimX, spotY);
    StandForTheTaker(side);
    // A keeper replaced now is not the one sent to take the kick.
    Match_RunStoppageSubstitutions();
    const int32_t keeper = LineUp[side][0];
    Person_SetAction(keeper, ACT_KEEPER_WALK_TO_GOAL_KICK);
    MatchPersons[keeper].touchCooldown1 = 0;
    PlaceMarker(aimX, aimY);
}

bool OutsideHisArea(const MatchPerson& keeper)
{
    return (keeper.y > PITCH_BOX_NEAR_Y && keeper.y < PITCH_BOX_FAR_Y)
           || keeper.x > PITCH_BOX_RIGHT_X || keeper.x < PITCH_BOX_LEFT_X;
}

// He carried the ball out of his area: a free kick against his side, and the referee's
// sending-off decision.
void HandlingOffence(int32_t keeper)
{
    const int32_t side = Person_Side(keeper);
    const MatchPerson& k = MatchPersons[keeper];
    Comm_Say(kGroupHandling, side, keeper, -1, 0);
    MatchPresentationOps.InfoBar(kInfoBarHandling, keeper, -1);
    Comm_Say(kGroupHandlingKeeper, side, keeper, -1, 0);
    FouledPlayer = static_cast<int8_t>(Ball.lastToucher);
    RefereeDecision = kDecisionSendingOff;
    RestartSpot[0] = k.x;
    RestartSpot[1] = k.y;
    FoulingSide = static_cast<uint8_t>(side);
    Offender = static_cast<int16_t>(keeper);
    MatchPhase = PHASE_FOUL;
    PhaseTimer = 0;
}

void SetUpKeeperBall(int32_t keeper)
{
    MatchPhase = PHASE_KEEPER_CLEARANCE;
    // The ball stays in his hands, where he caught it.
    Ball_Stop();
    Ball.height = 0;
    Ball.height16 = 0;
    StandForTheTaker(Person_Side(keeper));
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const bool highEnd = Match.goalKickSpot[1] > PITCH_CENTRE_Y;
    PlaceMarker(ball.x, highEnd ? ball.y - kYards70 : ball.y + kYards70);
    Person_SetAction(keeper, ACT_KEEPER_DISTRIBUTE);
    LastIncidentMark = MATCH_BALL;
}

constexpr int32_t kThrowerEntries = 4;  // the last of the five is taken without a look
constexpr int32_t kInfoBarThrowIn = 1;
constexpr int32_t kMarkerInfield = 10 * PITCH_UNITS_PER_YARD;

// The throwing side is the one that did not touch the ball last.
void StartThrowInWait()
{
    const int32_t side = Ball.lastToucher < MATCH_PERSONS_PER_SIDE ? 1 : 0;
    KickingSide = static_cast<uint8_t>(side);
    Restart_Award(side, kWait);
}

int32_t ThrowerEntry(int32_t side)
{
    for (int32_t entry = 0; entry < kThrowerEntries; ++entry) {
        if (MatchPersons[Match.proximity[side][entry]].offPitch == 0) return entry;
    }
    return kThrowerEntries;
}

// A receiver of the throwing side and his marker go infield; a keeper among them stays in his
// goal, and the pair with him.
void SendReceiverPair(int32_t side, int32_t markerEntry, int32_t receiverEntry)
{
    const int32_t marker = Match.proximity[side ^ 1][markerEntry];
    const int32_t receiver = Match.proximity[side][receiverEntry];
    if (marker == LineUp[side ^ 1][0] || receiver == LineUp[side][0]) return;
    Restart_PlaceThrowReceiver(marker, receiver);
}

void SetUpThrowIn(int32_t side)
{
    MatchPresentationOps.InfoBar(kInfoBarThrowIn, -1, -1);
    const int32_t x = Match.throwInSpot[0];
    const int32_t y = Match.throwInSpot[1];
    Ball_SetForRestart(side, x, y);
    Match.keeperPendingAction = -1;
    MatchPhase = PHASE_THROW_IN_TAKEN;
    PhaseTimer = 0;
    Match_ClearPlayerFlags();
    Match_AllStand();
    Restart_ResetTaker();
    const int32_t other = side ^ 1;
    const int32_t entry = ThrowerEntry(side);
    const int32_t thrower = Match.proximity[side][entry];
    ActivePlayer[side] = static_cast<uint8_t>(thrower);
    ActivePlayer[other] = static_cast<uint8_t>(Match.proximity[other][0]);
    Person_SetAction(thrower, ACT_FETCH_THROW_IN);
    RestartSpot[0] = static_cast<int16_t>(x);
    RestartSpot[1] = static_cast<int16_t>(y);
    SendReceiverPair(side, 0, entry + 1);
    if (Rand() % 10 < 8) SendReceiverPair(side, 1, entry + 2);
    if (Rand() % 10 < 4) SendReceiverPair(side, 2, entry + 3);
    PlaceMarker(x < PITCH_CENTRE_X ? x + kMarkerInfield : x - kMarkerInfield, y);
    Person_PlaceAt(thrower, x, y);
    LastIncidentMark = MATCH_BALL;
    Match_RunStoppageSubstitutions();
}

constexpr int32_t kCornerInside = 4;
constexpr int32_t kInfoBarCorner = 0;
constexpr int32_t kSfxCorner = 24;
constexpr int32_t kPostInside = 10;
constexpr int32_t kEdgeInside = 3 * PITCH_UNITS_PER_YARD;
constexpr int32_t kEdgeWide = 5 * PITCH_UNITS_PER_YARD;
constexpr int32_t kShortRunnerInside = 32;
constexpr int32_t kShortRunnerUp = 96;
constexpr int32_t kShortRunnerBelow = 200;  // skills 1 + 4 of the weakest crosser counted

bool HighEnd(int16_t y) { return y > PITCH_CENTRE_Y; }

// `inside` units from the goal line at the corner's end toward halfway.
int32_t InsideGoalLine(int32_t inside)
{
    return HighEnd(Match.cornerSpot[1]) ? PITCH_FAR_GOAL_LINE_Y - inside
                                        : PITCH_NEAR_GOAL_LINE_Y + inside;
}

void SendTo(int32_t person, int32_t action, int32_t x, int32_t y)
{
    Person_SetAction(person, action);
    MatchPersons[person].targetX = static_cast<int16_t>(x);
    MatchPersons[person].targetY = static_cast<int16_t>(y);
}

void SetUpCorner()
{
    MatchPresentationOps.PlayMatchSfx(kSfxCorner, 0);
    MatchPresentationOps.InfoBar(kInfoBarCorner, -1, -1);
    WhistleFor(PHASE_CORNER_TAKEN);
    const bool highEnd = HighEnd(Match.cornerSpot[1]);
    const int32_t y =
        highEnd ? PITCH_FAR_GOAL_LINE_Y - kCornerInside : PITCH_NEAR_GOAL_LINE_Y + kCornerInside;
    const int32_t aimY = highEnd ? PITCH_GOAL_AREA_FAR_Y : PITCH_GOAL_AREA_NEAR_Y;
    const int32_t x = Match.cornerSpot[0] < PITCH_CENTRE_X
                          ? PITCH_LEFT_TOUCHLINE_X + kCornerInside
                          : PITCH_RIGHT_TOUCHLINE_X - kCornerInside;
    const int32_t side = (highEnd ? Match.secondOfPair == 0 : Match.secondOfPair == 1) ? 0 : 1;
    KickingSide = static_cast<uint8_t>(side);
    StandForTheTaker(side);
    const int32_t configured = Match.takers[side][TAKER_CORNER];
    const int32_t taker =
        configured >= 0 && configured < MATCH_PLAYER_COUNT && MatchPersons[configured].offPitch == 0
            ? configured
            : Team_NearestTeammateOrFallback(MatchPersons[MATCH_BALL].x, MatchPersons[MATCH_BALL].y,
                                             -1);
    Ball_SetForRestart(side, x, y);
    ++Match.teamStats[side].corners;
    Match.cornerSpot[0] = static_cast<int16_t>(x);
    Match.cornerSpot[1] = static_cast<int16_t>(y);
    SendTo(taker, ACT_FETCH_PLACED_BALL, x, y);
    MatchPersons[taker].touchCooldown1 = 0;
    Corner_DefendPosts(side ^ 1);
    Corner_PickShortRunner(taker);
    Person_PlaceAt(taker, x, y);
    LastIncidentMark = MATCH_BALL;
    Team_SnapToTargets();
    ActivePlayer[side] = static_cast<uint8_t>(taker);
    ActivePlayer[side ^ 1] = static_cast<uint8_t>(Match.proximity[side ^ 1][0]);
    Match_RunPendingSubstitutions();
    PlaceMarker(PITCH_CENTRE_X, aimY);
}

}  // namespace

void Corner_DefendPosts(int32_t side)
{
    KickingSide = static_cast<uint8_t>(side);
    const int32_t line = InsideGoalLine(0);
    // The post on the corner's side is the near post at either end, and is manned first.
    const bool leftCorner = Match.cornerSpot[0] < PITCH_CENTRE_X;
    const int32_t nearPostX = leftCorner ? PITCH_LEFT_POST_X : PITCH_RIGHT_POST_X;
    const int32_t farPostX = leftCorner ? PITCH_RIGHT_POST_X : PITCH_LEFT_POST_X;
    const int32_t edgeX = leftCorner ? PITCH_BOX_LEFT_X : PITCH_BOX_RIGHT_X;
    const int32_t edgeTargetX = edgeX < PITCH_CENTRE_X ? edgeX - kEdgeWide : edgeX + kEdgeWide;
    struct Duty {
        int32_t searchX;
        int32_t targetX;
        int32_t inside;
    };
    const Duty duties[] = {{nearPostX, nearPostX, kPostInside},
                           {farPostX, farPostX, kPostInside},
                           {edgeX, edgeTargetX, kEdgeInside}};
    for (const Duty& duty : duties) {
        // Nobody free: the duty stays empty.
        const int32_t defender = Team_NearestTeammateTo(duty.searchX, line, -1);
        if (defender >= 0)
            SendTo(defender, ACT_NEAR_POST, duty.targetX, InsideGoalLine(duty.inside));
    }
}

void Corner_PickShortRunner(int32_t taker)
{
    const int32_t side = Person_Side(taker);
    int32_t runner = -1;
    int32_t weakest = kShortRunnerBelow;
    for (int32_t entry = 0; entry < 10; ++entry) {
        const int32_t mate = Match.proximity[side][entry];
        const MatchPerson& m = MatchPersons[mate];
        if (m.offPitch != 0 || mate == taker || mate == LineUp[side][0]) continue;
        const int32_t crossing = Person_Skill(m, 1) + Person_Skill(m, 4);
        if (crossing < weakest) {
            weakest = crossing;
            runner = mate;
        }
    }
    if (runner < 0) return;
    const int32_t x = Match.cornerSpot[0] < PITCH_CENTRE_X
                          ? PITCH_LEFT_TOUCHLINE_X + kShortRunnerInside
                          : PITCH_RIGHT_TOUCHLINE_X - kShortRunnerInside;
    SendTo(runner, ACT_FREE_KICK_RUNNER, x, InsideGoalLine(kShortRunnerUp));
}

void Phase_Corner()
{
    if (PhaseTimer == 0) {
        PhaseTimer = kWait;
        return;
    }
    if (--PhaseTimer == 0) SetUpCorner();
}

void Restart_ResetTaker()
{
    Match.restartKind = -1;
    Match.restartReceiver = -1;
    Match.restartTimer = 0;
    Match.restartWaits = 0;
}

void Phase_ThrowIn()
{
    if (PhaseTimer == 0) {
        StartThrowInWait();
        return;
    }
    if (--PhaseTimer == 0) SetUpThrowIn(KickingSide & 1);
}

void Phase_GoalKick()
{
    SideDraw[0] = static_cast<int16_t>(Rand() % 60);
    SideDraw[1] = static_cast<int16_t>(Rand() % 60);
    const int32_t side = SideDefendingOutPoint();
    KickingSide = static_cast<uint8_t>(side);
    if (PhaseTimer == 0) {
        StartWait(side);
        return;
    }
    if (--PhaseTimer == 0) SetUpGoalKick(side);
}

void Phase_KeeperBall()
{
    const int32_t side = SideDefendingOutPoint();
    KickingSide = static_cast<uint8_t>(side);
    const int32_t keeper = LineUp[side][0];
    if (PhaseTimer == 0) {
        StartWait(side);
        return;
    }
    --PhaseTimer;
    if (OutsideHisArea(MatchPersons[keeper])) {
        HandlingOffence(keeper);
        return;
    }
    if (PhaseTimer == 0) SetUpKeeperBall(keeper);
}
