// gamecode/setpieces.cpp: the wall, the defenders at the posts and the short runner; the direct
// free kick's taker, the penalty taker and the players of a shoot-out.
#include "gamecode/setpieces.h"

#include <algorithm>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/basicactions.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/keeper.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"

namespace {

constexpr int32_t kHoldTicks = 32;
constexpr int32_t kRunnerSpeed = 140;

bool AtTarget(const MatchPerson& p)
{
    return Person_TouchDistance(CurrentPersonPos.x, CurrentPersonPos.y, p.targetX, p.targetY, 1000)
           == 0;
}

constexpr int32_t kTenYards = 10 * PITCH_UNITS_PER_YARD;
constexpr int32_t kInsideMargin = 10;
constexpr int32_t kStepAway = 4;
constexpr int32_t kSpreadTicks = 10;
constexpr int32_t kWaitLimit = 1000;
constexpr int32_t kRunnerChance = 3;
constexpr int32_t kShootOutKeeperOut = 106;
constexpr int32_t kKeeperOnLine = 20;
constexpr int32_t kApproachBehind = 20;
constexpr int32_t kAreaExitY = PITCH_PENALTY_SPOT_NEAR_Y + 20 + kTenYards;
constexpr int32_t kFarAreaExitY = PITCH_PENALTY_SPOT_FAR_Y - 20 - kTenYards;
constexpr int32_t kWalkSpeed = 140;
constexpr int32_t kMarkerFrame = 12;
constexpr int32_t kBackOffSpeed = 64;
constexpr int32_t kBackedOff = 52;
constexpr int32_t kRunUpStandTicks = 30;
constexpr int32_t kShotModePenalty = 2;
constexpr int32_t kPenaltyFlightTicks = 50;
constexpr int32_t kGroupPenaltyRunUp = 266;
constexpr int32_t kWatchBehindNearY = 490;
constexpr int32_t kWatchBehindFarY = 1674;
constexpr int32_t kWatchPointX = 696;
constexpr int32_t kWatchSpread = 200;

bool InsidePitchBy(const MatchPerson& p, int32_t margin)
{
    return p.x >= PITCH_LEFT_TOUCHLINE_X + margin && p.x <= PITCH_RIGHT_TOUCHLINE_X - margin
           && p.y >= PITCH_NEAR_GOAL_LINE_Y + margin && p.y <= PITCH_FAR_GOAL_LINE_Y - margin;
}

// Players within 10 yards of the free kick step their targets 4 units away from the ball; the
// number of them. A tired player walks slower than his target moves, so near a line the target
// would run on off the pitch and lead him off the map: it stops at the lines.
int32_t StepAwayFromBall(int32_t taker)
{
    int32_t moved = 0;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        MatchPerson& p = MatchPersons[person];
        if (person == taker || p.ballDistance > kTenYards || !InsidePitchBy(p, kInsideMargin)
            || p.action == ACT_HOLD_SPOT || p.action == ACT_FREE_KICK_RUNNER)
            continue;
        Person_VectorFromAngle((p.dirToBall + 128) & 255, kStepAway, 256);
        p.targetX = static_cast<int16_t>(
            std::clamp(p.targetX + StepX, PITCH_LEFT_TOUCHLINE_X, PITCH_RIGHT_TOUCHLINE_X));
        p.targetY = static_cast<int16_t>(
            std::clamp(p.targetY - StepY, PITCH_NEAR_GOAL_LINE_Y, PITCH_FAR_GOAL_LINE_Y));
        ++moved;
    }
    return moved;
}

// The wall men (58) still on their way to their places.
int32_t WallStillWalking()
{
    int32_t walking = 0;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        const MatchPerson& p = MatchPersons[person];
        if (p.action == ACT_HOLD_SPOT && Person_TouchDistance(p.x, p.y, p.targetX, p.targetY, 1000))
            ++walking;
    }
    return walking;
}

// The shot, or one time in three per short runner the pass to him (a later runner wins).
void TakeDirectFreeKick(int32_t taker)
{
    Team_WallExtent(taker);
    // He shoots at the aim beside the wall, not at whatever the last shot or long kick aimed at,
    // which may lie behind his own goal.
    ShotTarget[0] = Match.freeKickAim[0];
    ShotTarget[1] = Match.freeKickAim[1];
    Person_SetAction(taker, ACT_BACK_OFF_FOR_SHOT);
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        const MatchPerson& runner = MatchPersons[person];
        if (runner.action != ACT_FREE_KICK_RUNNER || Rand() % kRunnerChance != 0) continue;
        Person_SetAction(taker, ACT_SET_PIECE_PASS);
        MatchPersons[taker].passKind = 1;
        Match.kickTargetPoint[0] = runner.x;
        Match.kickTargetPoint[1] = runner.y;
    }
    Match.followedObject = MATCH_BALL;
}

bool KeeperOnHisLine(int32_t keeper, int32_t shootingSide)
{
    const int32_t y = MatchPersons[keeper].y;
    return AttacksUp(shootingSide) ? y >= PITCH_FAR_GOAL_LINE_Y - kKeeperOnLine
                                   : y <= PITCH_NEAR_GOAL_LINE_Y + kKeeperOnLine;
}

bool InTheWay(const MatchPerson& p)
{
    const auto inArea = [](int32_t y) { return y <= PITCH_BOX_NEAR_Y || y >= PITCH_BOX_FAR_Y; };
    return p.offPitch == 0 && p.x > PITCH_LEFT_TOUCHLINE_X && p.x < PITCH_RIGHT_TOUCHLINE_X
           && (inArea(p.y) || inArea(p.targetY) || p.ballDistance <= kTenYards);
}

// Sends everyone in the way out of the areas once the keeper stands on his line; true while the
// taker must wait.
bool ClearTheAreas(int32_t taker)
{
    const int32_t side = Person_Side(taker);
    const int32_t keeper = KeeperOf(side ^ 1);
    const bool nearGoal = MatchPersons[MATCH_BALL].y < PITCH_CENTRE_Y;
    bool waiting = false;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        MatchPerson& p = MatchPersons[person];
        if (person == taker || person == KeeperOf(0) || person == KeeperOf(1) || !InTheWay(p))
            continue;
        waiting = true;
        if (!KeeperOnHisLine(keeper, side)) return true;
        ++PlayersNotInPlace;
        p.targetY = static_cast<int16_t>(nearGoal ? kAreaExitY : kFarAreaExitY);
    }
    return waiting;
}

void ReadyForRunUp(int32_t taker)
{
    MatchPerson& p = MatchPersons[taker];
    const bool nearGoal = MatchPersons[MATCH_BALL].y < PITCH_CENTRE_Y;
    p.facing = static_cast<uint16_t>(
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, RestartSpot[0], RestartSpot[1]));
    Person_StoreAction(taker, ACT_PENALTY_RUN_UP);
    const int32_t keeper = KeeperOf(Person_Side(taker) ^ 1);
    Person_TurnToward(keeper, MatchPersons[keeper].dirToBall);
    Person_PlaceAt(MATCH_MARKER, PITCH_CENTRE_X,
                   nearGoal ? PITCH_NEAR_GOAL_LINE_Y : PITCH_FAR_GOAL_LINE_Y);
    MatchPersons[MATCH_MARKER].frame = kMarkerFrame;
}

}  // namespace

void Action_HoldSpot(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (!AtTarget(p)) {
        Person_RunToward(person, p.targetX, p.targetY);
        ++PlayersNotInPlace;
        return;
    }
    if (MatchPhase != PHASE_OPEN_PLAY) {
        p.facing = p.dirToBall;
        p.actionWord = kHoldTicks;
        Person_LoopAnim(person, 0, 1, 0);
        return;
    }
    if (p.actionWord > 0) {
        --p.actionWord;
        p.targetX = CurrentPersonPos.x;
        p.targetY = CurrentPersonPos.y;
    }
    // Straight to standing: his frame runs on.
    if (p.actionWord == 0) Person_StoreAction(person, ACT_STAND);
}

void Action_NearPost(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (AtTarget(p)) {
        if (MatchPhase == PHASE_OPEN_PLAY) {
            Person_SetAction(person, ACT_STAND);
        } else {
            Person_TurnToward(person, p.dirToBall);
        }
        return;
    }
    Action_WalkToTarget(person);
    p.action = ACT_NEAR_POST;
}

void Action_FreeKickRunner(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (AtTarget(p)) {
        Person_TurnToward(person, p.dirToBall);
    } else {
        p.facing = static_cast<uint16_t>(
            Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, p.targetX, p.targetY));
        Person_LoopAnim(person, 12, 1, 0);
        Person_RunStepBoosted(person, kRunnerSpeed, 1);
    }
    if (MatchPhase == PHASE_OPEN_PLAY) Person_SetAction(person, ACT_WALK_TO_TARGET);
}

void Action_FreeKickArrange(int32_t person)
{
    Ball_PlaceOnRestartSpot();
    Ball_Stop();
    Ball.possession = CurrentSide;
    Ball.height = 0;
    int32_t counted = StepAwayFromBall(person);
    if (Match.restartWaits < kSpreadTicks) Team_SpreadRestartTargets(person);
    ++Match.restartWaits;
    counted += WallStillWalking();
    PlayersNotInPlace = static_cast<uint8_t>(PlayersNotInPlace + counted);
    if (counted == 0 || Match.restartWaits >= kWaitLimit) TakeDirectFreeKick(person);
}

void Action_PenaltyWalkToSpot(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t keeper = KeeperOf(Person_Side(person) ^ 1);
    const bool keeperBehindLine =
        Match.period == MATCH_PERIOD_SHOOT_OUT && MatchPersons[keeper].y < kShootOutKeeperOut;
    const bool waiting = keeperBehindLine || ClearTheAreas(person);
    // A player who never leaves the area would hold the penalty, and the match, for good.
    if (waiting && ++Match.restartWaits < kWaitLimit) return;
    const int32_t behind =
        MatchPersons[MATCH_BALL].y < PITCH_CENTRE_Y ? kApproachBehind : -kApproachBehind;
    const int32_t x = RestartSpot[0];
    const int32_t y = RestartSpot[1] + behind;
    if (Person_TouchDistance(CurrentPersonPos.x, CurrentPersonPos.y, x, y, 1000) == 0) {
        ReadyForRunUp(person);
        return;
    }
    p.facing =
        static_cast<uint16_t>(Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y));
    Person_RunStepBoosted(person, kWalkSpeed, 1);
    Person_LoopAnim(person, 10, 1, 0);
}

void Action_PenaltyRunUp(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    Ball_PlaceOnRestartSpot();
    if (p.kicked == 0) {
        p.actionWord = 0;
        Match.followedObject = MATCH_BALL;
        p.kicked = 1;
        Ball_KeepInsideLines();
    }
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    if (p.actionWord == 0) {
        p.facing = static_cast<uint16_t>(
            Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y));
        Person_LoopAnim(person, 7, 1, 42);
        Person_RunStep(person, kBackOffSpeed, (p.facing + 128) & 255, 1);
        if (Person_DistanceAlong(p.facing, ball.x, ball.y, CurrentPersonPos.x, CurrentPersonPos.y)
            > kBackedOff)
            p.actionWord = 1;
        return;
    }
    if (++p.actionWord < kRunUpStandTicks) {
        Person_LoopAnim(person, 0, 1, 0);
        return;
    }
    ++Match.restartWaits;
    if (PlayersNotInPlace != 0 && Match.restartWaits < kWaitLimit) return;
    Person_ChooseShotTarget(person, kShotModePenalty);
    Person_SetAction(person, ACT_PENALTY_KICK);
    ShotWindow = kPenaltyFlightTicks;
    Comm_Say(kGroupPenaltyRunUp, Person_Side(person), person, -1, 0);
}

void Action_ShootOutFaceCentre(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t roll = Rand() % kWatchSpread;
    const bool behindArea =
        CurrentPersonPos.y < kWatchBehindNearY || CurrentPersonPos.y > kWatchBehindFarY;
    if (behindArea && CurrentPersonPos.x < PITCH_RIGHT_TOUCHLINE_X) {
        p.facing = static_cast<uint16_t>(Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y,
                                                            kWatchPointX + roll, PITCH_CENTRE_Y));
        return;
    }
    if (Match.period == MATCH_PERIOD_SHOOT_OUT) {
        Person_StoreAction(person, ACT_SHOOTOUT_WATCH);
        return;
    }
    Person_StoreAction(person, ACT_STAND);
    p.actionWord = 0;
}

void Action_ShootOutWatch(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (CurrentPersonPos.x > PITCH_EXIT_X) {
        Person_TurnToward(person, p.dirToBall);
    } else {
        p.frame = -1;
    }
}
