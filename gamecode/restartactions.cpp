// gamecode/restartactions.cpp: the kick-off pair, the keeper's restart of play after a goal, and
// the thrower fetching the ball and choosing his receiver.
#include "gamecode/restartactions.h"

#include <algorithm>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/keeperball.h"
#include "gamecode/kickkinds.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kArrived = 5;
constexpr int32_t kKickoffWait = 100;
constexpr int32_t kPairOffset = 80;
constexpr int32_t kBesideBall = 8;
constexpr int32_t kTurnTicks = 10;
constexpr int32_t kTakerHoldTicks = 10;
constexpr int32_t kTakerRunning = 500;
constexpr int32_t kKeeperOffLineX = PITCH_RIGHT_POST_X;
constexpr int32_t kWrongHalfMargin = 20;
constexpr int32_t kGroupKickoffPass = 237;

int32_t DistanceTo(int32_t x, int32_t y)
{
    return std::abs(x - CurrentPersonPos.x) + std::abs(y - CurrentPersonPos.y);
}

void SetTarget(MatchPerson& p, int32_t x, int32_t y)
{
    p.targetX = static_cast<int16_t>(x);
    p.targetY = static_cast<int16_t>(y);
}

void FaceBall(int32_t person)
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    MatchPersons[person].facing = static_cast<uint16_t>(
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y));
}

// The centre x 80 units to the side of the centre spot that `x` lies on.
int32_t PairSpotX(int32_t x)
{
    return x < PITCH_CENTRE_X ? PITCH_CENTRE_X - kPairOffset : PITCH_CENTRE_X + kPairOffset;
}

// A player more than 20 units into the half his side does not stand in at a kick-off.
bool AnyoneInWrongHalf()
{
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        const MatchPerson& p = MatchPersons[person];
        if (p.offPitch != 0) continue;
        const bool standsLow = Person_Side(person) == Match.secondOfPair;
        if (standsLow ? p.y > PITCH_HALFWAY_LINE_Y + kWrongHalfMargin
                      : p.y < PITCH_HALFWAY_LINE_Y - kWrongHalfMargin)
            return true;
    }
    return false;
}

bool KeepersOnTheirLine()
{
    return MatchPersons[LineUp[0][0]].x < kKeeperOffLineX
           && MatchPersons[LineUp[1][0]].x < kKeeperOffLineX;
}

void KickOff(int32_t person)
{
    const int32_t receiver = Match.kickoffPartner;
    const MatchPerson& r = MatchPersons[receiver];
    const int32_t side = Person_Side(person);
    const int32_t aimY = r.y + (AttacksUp(side) ? 4 : -4);
    Ball.lastToucher = static_cast<int16_t>(person);
    Comm_Say(kGroupKickoffPass, side, receiver, -1, 0);
    ActivePlayer[side ^ 1] = static_cast<uint8_t>(Match.proximity[side ^ 1][0]);
    MatchPersons[person].actionWord = 0;
    MatchPhase = PHASE_OPEN_PLAY;
    PhaseTimer = 0;
    MatchPersons[person].facing =
        static_cast<uint16_t>(Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, r.x, r.y));
    Person_AimKickAt(person, receiver, r.x, aimY);
    Person_SetAction(receiver, ACT_GO_TO_MEETING_SPOT);
    Match.kickoffTaker = -1;
    ++Match.kickoffTaken;
    ActivePlayer[side] = static_cast<uint8_t>(receiver);
}

}  // namespace

void Action_KickoffAfterGoal(int32_t person)
{
    Person_SetAction(person, ACT_KEEPER_IDLE);
    MatchPhase = PHASE_KICKOFF_AFTER_GOAL;
    PhaseTimer = kKickoffWait;
}

void Action_KickoffWalk(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    Ball_PlaceOnCentreSpot();
    if (DistanceTo(p.targetX, p.targetY) <= kArrived) {
        Person_SetAction(person, ACT_STAND);
        return;
    }
    if (CurrentPersonPos.x <= PITCH_EXIT_X) {
        // Still beside the pitch: he comes on straight across before he heads for his point.
        p.frame = -1;
        Person_RunToward(person, p.targetX, CurrentPersonPos.y);
        return;
    }
    Person_RunToward(person, p.targetX, p.targetY);
}

void Action_KickoffAtBall(int32_t person)
{
    FaceBall(person);
    // With no partner named (-1) there is nobody to stand beside: he takes the left of the ball.
    const int32_t partner = Match.kickoffPartner;
    const bool partnerLeft =
        partner >= 0 && partner < MATCH_PLAYER_COUNT && MatchPersons[partner].x < PITCH_CENTRE_X;
    const int32_t x = partnerLeft ? PITCH_CENTRE_X + kBesideBall : PITCH_CENTRE_X - kBesideBall;
    CurrentPersonPos.x = static_cast<int16_t>(x);
    CurrentPersonPos.x16 = x * 65536;
    Ball_PlaceOnCentreSpot();
}

void Action_KickoffPartner(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t taker = Match.kickoffTaker;
    if (taker >= 0) {
        const int32_t takerX = CurrentPersonPos.x < PITCH_CENTRE_X ? PITCH_CENTRE_X + kPairOffset
                                                                   : PITCH_CENTRE_X - kPairOffset;
        SetTarget(MatchPersons[taker], takerX, PITCH_CENTRE_Y);
    }
    if (MatchPhase == PHASE_KICKOFF_READY) return;
    SetTarget(p, PairSpotX(CurrentPersonPos.x), PITCH_CENTRE_Y);
    if (DistanceTo(p.targetX, p.targetY) > kArrived) {
        Person_RunToward(person, p.targetX, p.targetY);
        return;
    }
    if (MatchPhase != PHASE_KICKOFF_TAKING) return;
    if (p.actionWord++ < kTurnTicks) {
        Person_TurnStep(person, p.dirToBall);
        return;
    }
    PhaseTimer = 0;
    p.actionWord = 0;
    MatchPhase = PHASE_KICKOFF_READY;
    for (int32_t other = 0; other < MATCH_PLAYER_COUNT; ++other) {
        if (other != person && MatchPersons[other].action == ACT_KICKOFF_PARTNER)
            Person_SetAction(other, ACT_STAND);
    }
    FaceBall(person);
}

void Action_KickoffTaker(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    // With no partner named (-1) there is nobody to kick off to: he stands.
    if (Match.kickoffPartner < 0 || Match.kickoffPartner >= MATCH_PLAYER_COUNT) {
        Person_SetAction(person, ACT_STAND);
        return;
    }
    const MatchPerson& receiver = MatchPersons[Match.kickoffPartner];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    Match.followedObject = MATCH_BALL;
    if (p.actionWord++ < kTakerHoldTicks) {
        const int32_t x = receiver.x > PITCH_CENTRE_X ? PITCH_CENTRE_X - kPairOffset
                                                      : PITCH_CENTRE_X + kPairOffset;
        SetTarget(p, x, PITCH_CENTRE_Y);
        if (DistanceTo(x, PITCH_CENTRE_Y) > kArrived) Person_RunToward(person, x, PITCH_CENTRE_Y);
        if (AnyoneInWrongHalf()) {
            SideDraw[0] = static_cast<int16_t>(Rand() % 60);
            SideDraw[1] = static_cast<int16_t>(Rand() % 60);
        }
        return;
    }
    if (!KeepersOnTheirLine()) {
        p.facing = static_cast<uint16_t>(Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y,
                                                            receiver.targetX, receiver.targetY));
        return;
    }
    if (p.actionWord < kTakerRunning) FaceBall(person);
    if (DistanceTo(ball.x, ball.y) > kArrived) {
        Person_RunToward(person, ball.x, ball.y);
        p.actionWord = kTakerRunning;
        return;
    }
    KickOff(person);
}

namespace {

constexpr int16_t kTakerStarted = 13;
constexpr int32_t kSearchEntries = 10;
constexpr int32_t kWaitLimit = 600;
constexpr int32_t kYard = PITCH_UNITS_PER_YARD;
constexpr int32_t kThrowerFar = 60 * kYard;
constexpr int32_t kThrowNear = 30 * kYard;
constexpr int32_t kThrowAlongAim = 50 * kYard;
constexpr int32_t kAimTolerance = 20;
constexpr int32_t kStrengthUnit = 66 * kYard / 100;
constexpr int32_t kMaxStrength = 80;
constexpr int32_t kStandingBelow = 50;
constexpr int32_t kNoReceiverReach = 200;

// The taker's first tick: his search starts at a random entry of his side's list.
void StartTaking(int32_t taker)
{
    if (Match.restartKind == kTakerStarted) return;
    Match.restartKind = kTakerStarted;
    Match.restartScan = static_cast<int16_t>(Rand() % kSearchEntries);
    Ball.possession = static_cast<uint8_t>(Person_Side(taker));
}

// Up to `tries` entries of the taker's proximity list, round from the last one looked at: the
// first team-mate on the pitch, neither the taker nor the keeper, who fits; -1 none.
template <typename Fits>
int32_t SearchReceiver(int32_t taker, int32_t tries, Fits fits)
{
    const int32_t side = Person_Side(taker);
    for (int32_t tried = 0; tried < tries; ++tried) {
        Match.restartScan = static_cast<int16_t>((Match.restartScan + 1) % kSearchEntries);
        const int32_t mate = Match.proximity[side][Match.restartScan];
        const MatchPerson& m = MatchPersons[mate];
        if (mate == taker || mate == LineUp[side][0] || m.offPitch != 0) continue;
        if (fits(m)) return mate;
    }
    return -1;
}

// The receiver stops for a moment (100) before he goes on with what he was doing; the pass is
// aimed where he stands.
void TakeReceiver(int32_t receiver)
{
    Match.restartReceiver = static_cast<int16_t>(receiver);
    Match.kickTargetPerson = static_cast<int16_t>(receiver);
    if (receiver < 0) return;
    MatchPerson& r = MatchPersons[receiver];
    Match.kickTargetPoint[0] = r.x;
    Match.kickTargetPoint[1] = r.y;
    if (r.action == ACT_GESTURE_AND_RETURN || r.action == ACT_FREE_KICK_RUNNER) return;
    const int16_t resume = r.action;
    Person_SetAction(receiver, ACT_GESTURE_AND_RETURN);
    r.savedAction = resume;
}

int32_t DirectionFromTaker(int32_t x, int32_t y)
{
    return Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y);
}

// The thrower's aim: his receiver, or the marker infield without one.
int32_t ThrowAim()
{
    const int32_t receiver = Match.restartReceiver;
    const MatchPerson& to = MatchPersons[receiver >= 0 ? receiver : MATCH_MARKER];
    return DirectionFromTaker(to.x, to.y);
}

bool TeamMateOnTheWay(int32_t side)
{
    for (int32_t slot = 1; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
        const MatchPerson& m = MatchPersons[LineUp[side][slot]];
        if (m.action == ACT_MOVE_TO_LOOSE_BALL && m.kicked == 0) return true;
    }
    return false;
}

void ChooseThrowReceiver(int32_t thrower)
{
    const MatchPerson& t = MatchPersons[thrower];
    int32_t receiver = -1;
    if (std::abs(t.targetX - CurrentPersonPos.x) + std::abs(t.targetY - CurrentPersonPos.y)
        > kThrowerFar)
        receiver = SearchReceiver(thrower, kSearchEntries, [](const MatchPerson& m) {
            return m.ballDistance <= kThrowNear;
        });
    if (receiver < 0) {
        const int32_t aim = ThrowAim();
        receiver = SearchReceiver(thrower, kSearchEntries, [aim](const MatchPerson& m) {
            const bool alongAim =
                Person_FoldedDifference(DirectionFromTaker(m.x, m.y), aim) <= kAimTolerance;
            return m.ballDistance <= kThrowNear || (alongAim && m.ballDistance <= kThrowAlongAim);
        });
    }
    TakeReceiver(receiver);
    const int32_t wait = 10 + Rand() % 50;
    const bool behind = Trails(Person_Side(thrower));
    Match.restartTimer = static_cast<int16_t>(behind ? wait / (1 + Rand() % 5) : wait);
}

// The strength follows the throw's length and how far he must turn; below 50 he throws standing.
void StartThrow(int32_t thrower)
{
    MatchPerson& t = MatchPersons[thrower];
    const int32_t receiver = Match.restartReceiver;
    const int32_t aim = ThrowAim();
    if (receiver < 0) {
        Person_VectorFromAngle(aim, kNoReceiverReach, 256);
        Match.kickTargetPoint[0] = static_cast<int16_t>(CurrentPersonPos.x + StepX);
        Match.kickTargetPoint[1] = static_cast<int16_t>(CurrentPersonPos.y - StepY);
    }
    const int32_t length = Person_StraightDistance(
        CurrentPersonPos.x, CurrentPersonPos.y, Match.kickTargetPoint[0], Match.kickTargetPoint[1]);
    const int32_t strength =
        length / kStrengthUnit + Person_FoldedDifference(t.facing, aim) / 3 - 24;
    // A short throw straight ahead would come out negative and be thrown into the ground.
    Match.throwStrength = static_cast<int16_t>(std::clamp(strength, 0, kMaxStrength));
    t.runSpeed = 0;
    Person_SetAction(thrower, Match.throwStrength < kStandingBelow ? ACT_STANDING_THROW
                                                                   : ACT_THROW_IN_RUN_UP);
    t.passKind = static_cast<int16_t>(aim);
}

constexpr int32_t kPlacedTries = 10;
constexpr int32_t kPlacedReach = 45 * kYard;
constexpr int32_t kShortCorner = 240;
constexpr int32_t kPlacedArrived = 9;

// A receiver for a placed ball: within 45 yards, on the pitch and outside the band between the
// two penalty areas.
bool PlacedReceiverFits(const MatchPerson& m)
{
    return m.ballDistance <= kPlacedReach && m.x >= PITCH_LEFT_TOUCHLINE_X
           && m.x <= PITCH_RIGHT_TOUCHLINE_X && m.y >= PITCH_NEAR_GOAL_LINE_Y
           && m.y <= PITCH_FAR_GOAL_LINE_Y && (m.y <= PITCH_BOX_NEAR_Y || m.y >= PITCH_BOX_FAR_Y);
}

void ChoosePlacedReceiver(int32_t taker)
{
    int32_t receiver = SearchReceiver(taker, 5 + Rand() % 5, PlacedReceiverFits);
    if (receiver < 0) receiver = SearchReceiver(taker, kPlacedTries, PlacedReceiverFits);
    TakeReceiver(receiver);
    Match.restartTimer = static_cast<int16_t>(80 + Rand() % 50);
}

// A receiver near by gets it short (68, then the restart kick); else the taker backs off for his
// run-up (45).
void StartPlacedKick(int32_t taker)
{
    const int32_t receiver = Match.restartReceiver;
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const bool shortKick =
        receiver >= 0
        && std::abs(MatchPersons[receiver].x - ball.x) + std::abs(MatchPersons[receiver].y - ball.y)
               <= kShortCorner;
    Person_SetAction(taker, shortKick ? ACT_BEFORE_RESTART_KICK : ACT_GOAL_KICK_BACK_OFF);
}

constexpr int32_t kFreeKickReach = 30 * kYard;
constexpr int32_t kNearBall = 10 * kYard;
constexpr int32_t kInsideMargin = 10;
constexpr int32_t kClearStep = 4;
constexpr int32_t kWaitCutOff = 399;
constexpr int32_t kWallSteps = kYard * 100 / 13;
constexpr int32_t kWallStep16 = 100000;  // 16.16 units a step toward the goal
constexpr int32_t kWallDistance = 40 * kYard;
constexpr int32_t kWallFreeBelow = 15;  // the actions of players free to join the wall

// The second wall man's offset from the wall point, by sector (1/16 turn) of the direction to the
// goal.
// clang-format off
constexpr int8_t kWallOffsets[16][2] = {
    {-16, 0}, {-14, -6}, {-12, -12}, {-6, -14}, {0, -16}, {6, -14}, {12, -12}, {14, -6},
    {16, 0}, {14, 6}, {12, 12}, {6, 14}, {0, 16}, {-6, 14}, {-12, 12}, {-14, 6},
};
// clang-format on

struct Spot {
    int32_t x;
    int32_t y;
};

Spot GoalAttacked(int32_t side) { return {PITCH_CENTRE_X, AttackedGoalY(side)}; }

Spot OwnGoal(int32_t side)
{
    return {PITCH_CENTRE_X,
            side == Match.secondOfPair ? PITCH_NEAR_GOAL_LINE_Y : PITCH_FAR_GOAL_LINE_Y};
}

// The marker walks from the ball toward the goal the wall point's 123 steps: it ends about 188
// units out.
Spot WalkWallPoint(Spot goal)
{
    MatchPerson& marker = MatchPersons[MATCH_MARKER];
    Person_PlaceAt(MATCH_MARKER, RestartSpot[0], RestartSpot[1]);
    for (int32_t step = 0; step < kWallSteps; ++step) {
        Person_VectorFromAngle(Person_DirectionTo(marker.x, marker.y, goal.x, goal.y), kWallStep16,
                               256);
        marker.x16 += StepX;
        marker.y16 -= StepY;
        marker.x = static_cast<int16_t>(Fixed_ToUnits(marker.x16));
        marker.y = static_cast<int16_t>(Fixed_ToUnits(marker.y16));
    }
    return {marker.x, marker.y};
}

void SendToWall(int32_t person, int32_t x, int32_t y)
{
    Person_SetAction(person, ACT_HOLD_SPOT);
    MatchPersons[person].targetX = static_cast<int16_t>(x);
    MatchPersons[person].targetY = static_cast<int16_t>(y);
}

// Up to four opponents from the back of their list: two wall men (three at a direct kick, the
// second and third on either side of the first) and, at a direct kick, one to chase.
void BuildWall(int32_t taker, Spot wall, Spot goal, bool direct)
{
    const int32_t other = Person_Side(taker) ^ 1;
    const int32_t sector =
        Person_DirectionTo(RestartSpot[0], RestartSpot[1], goal.x, goal.y) / 16 & 15;
    const int32_t dx = kWallOffsets[sector][0];
    const int32_t dy = kWallOffsets[sector][1];
    int32_t picked = 0;
    for (int32_t entry = MATCH_PERSONS_PER_SIDE - 1; entry >= 0 && picked < (direct ? 4 : 2);
         --entry) {
        const int32_t person = Match.proximity[other][entry];
        const MatchPerson& p = MatchPersons[person];
        if (p.offPitch != 0 || p.action >= kWallFreeBelow) continue;
        switch (picked++) {
            case 0: SendToWall(person, wall.x, wall.y); break;
            case 1: SendToWall(person, wall.x + dx, wall.y + dy); break;
            case 2: SendToWall(person, wall.x - dx, wall.y - dy); break;
            default:
                Person_SetAction(person, ACT_ACTIVE);
                ActivePlayer[other] = static_cast<uint8_t>(person);
        }
    }
}

void SetUpWall(int32_t taker)
{
    const int32_t side = Person_Side(taker);
    const Spot goal = GoalAttacked(side);
    MatchPersons[taker].facing = static_cast<uint16_t>(DirectionFromTaker(goal.x, goal.y));
    const Spot wall = WalkWallPoint(goal);
    MatchPersons[MATCH_MARKER].frame = 12;
    Person_DistanceToGoal(taker, side);
    const bool direct = MatchPhase == PHASE_DIRECT_FREE_KICK;
    if (direct || DistanceResult < kWallDistance) {
        BuildWall(taker, wall, goal, direct);
        if (!direct) MatchPhase = PHASE_FREE_KICK_READY;
    }
    Team_WallExtent(taker);
    Team_SpreadRestartTargets(taker);
}

bool AtTarget(const MatchPerson& p)
{
    return Person_TouchDistance(p.x, p.y, p.targetX, p.targetY, 1000) == 0;
}

// Runners and wall men still on their way, and defenders still retreating or walking back, hold
// the free kick up; the count of players looked at cuts the wait off.
bool FreeKickHeldUp(int32_t side)
{
    const bool hurried = Trails(side) && MatchPhase != PHASE_FREE_KICK_READY;
    bool held = false;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        const MatchPerson& p = MatchPersons[person];
        ++Match.restartWaits;
        if ((p.action == ACT_FREE_KICK_RUNNER || p.action == ACT_HOLD_SPOT) && !AtTarget(p))
            held = true;
        if (!hurried && (p.action == ACT_FREE_KICK_DEFENDER || p.action == ACT_WALK_TO_TARGET))
            held = true;
    }
    return held && Match.restartWaits <= kWaitCutOff;
}

// Players near the ball step their targets away from it.
void ClearTheBall(int32_t taker)
{
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        MatchPerson& p = MatchPersons[person];
        if (person == taker || person == Match.restartReceiver || p.offPitch != 0) continue;
        if (p.ballDistance > kNearBall || p.x < PITCH_LEFT_TOUCHLINE_X + kInsideMargin
            || p.x > PITCH_RIGHT_TOUCHLINE_X - kInsideMargin
            || p.y < PITCH_NEAR_GOAL_LINE_Y + kInsideMargin
            || p.y > PITCH_FAR_GOAL_LINE_Y - kInsideMargin)
            continue;
        Person_VectorFromAngle((p.dirToBall + 128) & 255, kClearStep, 256);
        p.targetX = static_cast<int16_t>(p.targetX + StepX);
        p.targetY = static_cast<int16_t>(p.targetY - StepY);
    }
}

void ChooseFreeKickReceiver(int32_t taker)
{
    TakeReceiver(SearchReceiver(taker, kSearchEntries, [](const MatchPerson& m) {
        return m.ballDistance <= kFreeKickReach && m.action != ACT_HOLD_SPOT;
    }));
    const int32_t wait = 30 + Rand() % 50;
    Match.restartTimer = static_cast<int16_t>(Trails(Person_Side(taker)) ? wait / 2 : wait);
}

// The pass to the receiver, or without one a shot, whose strike opens play.
void TakeFreeKick(int32_t taker)
{
    const int32_t receiver = Match.restartReceiver;
    if (receiver < 0) {
        Person_AimCrossOrShot(taker, KICK_SHOOT, 0, 0);
        return;
    }
    const MatchPerson& r = MatchPersons[receiver];
    Person_AimKickAt(taker, receiver, r.x, r.y);
}

}  // namespace

void Action_FreeKickTaker(int32_t person)
{
    Match.restartWaits = 0;
    Match.restartKind = -1;
    Ball_PlaceOnRestartSpot();
    if (MatchPhase == PHASE_PENALTY_KICK) {
        Person_SetAction(person, ACT_PENALTY_WALK_TO_SPOT);
        return;
    }
    if (DistanceTo(RestartSpot[0], RestartSpot[1]) > kArrived) {
        Person_RunToward(person, RestartSpot[0], RestartSpot[1]);
        return;
    }
    CurrentPersonPos = {RestartSpot[0], RestartSpot[1], RestartSpot[0] * 65536,
                        RestartSpot[1] * 65536};
    const bool direct = MatchPhase == PHASE_DIRECT_FREE_KICK;
    if (MatchPhase != PHASE_FREE_KICK && !direct) return;
    SetUpWall(person);
    Person_SetAction(person, direct ? ACT_FREE_KICK_ARRANGE : ACT_FREE_KICK_AT_BALL);
}

void Action_FreeKickDefender(int32_t person)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t away = Person_DistanceAlong(p.facing, RestartSpot[0], RestartSpot[1],
                                              CurrentPersonPos.x, CurrentPersonPos.y);
    const bool onPitch =
        CurrentPersonPos.y > PITCH_NEAR_GOAL_LINE_Y && CurrentPersonPos.y < PITCH_FAR_GOAL_LINE_Y;
    if (away >= kNearBall || !onPitch) {
        Person_SetAction(person, ACT_STAND);
        return;
    }
    const Spot goal = OwnGoal(Person_Side(person));
    Person_RunToward(person, goal.x, goal.y);
}

void Action_FreeKickAtBall(int32_t person)
{
    const int32_t side = Person_Side(person);
    Ball_PlaceOnRestartSpot();
    Ball_Stop();
    Ball.height = 0;
    Ball.height16 = 0;
    Ball.possession = static_cast<uint8_t>(side);
    if (Match.restartTimer == 0) {
        if (FreeKickHeldUp(side)) {
            ClearTheBall(person);
            return;
        }
        StartTaking(person);
        ChooseFreeKickReceiver(person);
        return;
    }
    if (--Match.restartTimer < 2) TakeFreeKick(person);
}

void Action_FetchPlacedBall(int32_t person)
{
    const int32_t x = Match.cornerSpot[0];
    const int32_t y = Match.cornerSpot[1];
    Person_PlaceAt(MATCH_BALL, x, y);
    if (std::abs(CurrentPersonPos.x - x) <= kPlacedArrived
        && std::abs(CurrentPersonPos.y - y) <= kPlacedArrived && Ball.height <= 1000) {
        Person_SetAction(person, ACT_PLACED_BALL_CHOOSE);
        return;
    }
    MatchPersons[person].facing = static_cast<uint16_t>(DirectionFromTaker(x, y));
    Person_RunToward(person, x, y);
}

void Action_PlacedBallChoose(int32_t person)
{
    Ball_StopAtCurrentPerson();
    StartTaking(person);
    if (Match.restartTimer == 0) {
        ChoosePlacedReceiver(person);
        return;
    }
    if (--Match.restartTimer < 2) StartPlacedKick(person);
}

void Action_FetchThrowIn(int32_t person)
{
    const int32_t x = Match.throwInSpot[0];
    const int32_t y = Match.throwInSpot[1];
    Person_PlaceAt(MATCH_BALL, x, y);
    Ball.height = 0;
    Ball.height16 = 0;
    Ball.possession = static_cast<uint8_t>(Person_Side(person));
    if (DistanceTo(x, y) > kArrived) {
        MatchPersons[person].facing = static_cast<uint16_t>(DirectionFromTaker(x, y));
        Person_RunToward(person, x, y);
        return;
    }
    CurrentPersonPos = {static_cast<int16_t>(x), static_cast<int16_t>(y), x * 65536, y * 65536};
    Person_SetAction(person, ACT_THROWER_CHOOSE);
    MatchPerson& marker = MatchPersons[MATCH_MARKER];
    Person_PlaceAt(MATCH_MARKER, marker.x, y);
    marker.frame = 12;
    Ball_StopAtCurrentPerson();
    Ball_GiveToPerson(person);
    Ball.secondHolder = static_cast<int16_t>(person + 1);
}

void Action_ThrowerChoose(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t side = Person_Side(person);
    Ball_StopAtCurrentPerson();
    StartTaking(person);
    p.frame = 0;
    Person_RunAnim(person, 50, 1, ACT_WALK_TO_TARGET);
    if (Match.restartTimer == 0) {
        if (Trails(side)) Match.restartWaits = kWaitLimit;
        if (Match.restartWaits < kWaitLimit && TeamMateOnTheWay(side)) {
            ++Match.restartWaits;
            return;
        }
        ChooseThrowReceiver(person);
        return;
    }
    if (--Match.restartTimer < 2) StartThrow(person);
}
