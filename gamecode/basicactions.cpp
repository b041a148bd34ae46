// gamecode/basicactions.cpp: standing, walking to the target point, the active player, running
// and turning with the ball, and going to the meeting spot of a pass.
#include "gamecode/basicactions.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/carrier.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/kickkinds.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"
#include "gamecode/volleys.h"

namespace {

constexpr int32_t kArrived = 5;
constexpr int32_t kBackwardsReach = 125;
constexpr int32_t kBackwardsAngle = 8;
constexpr int32_t kRunDistance = 100;
constexpr int32_t kJogDistance = 30;
constexpr int32_t kRunSpeed = 140;
constexpr int32_t kSprintSpeed = 190;
constexpr int32_t kJogSpeed = 64;
constexpr int32_t kBackwardsSpeed = 100;
constexpr int32_t kPaceSteps = 5;
constexpr int32_t kOpponentAtBall = 32;
constexpr int32_t kOpponentOnStillBall = 9;
constexpr int32_t kOpenReach = 260;
constexpr int32_t kPassAfterTicks = 200;
constexpr int32_t kDribbleTicks = 50;
constexpr int32_t kLongKickDistance = 1600;
constexpr int32_t kLongKickClasses = 5;
constexpr int32_t kDribbleLimit = 60;
constexpr int32_t kBallAtFeetFrame = 31;
constexpr int32_t kDecideFrame = 51;
constexpr int32_t kStrideBack = 5;
constexpr int32_t kStrideFrame = 50;
constexpr int32_t kTakeOnFeetFrame = 26;
constexpr int32_t kPushFrame = 92;
constexpr int32_t kTurnTimerTicks = 50;
constexpr int32_t kAimRecountTicks = 30;
constexpr int32_t kTurnSteps = 6;
constexpr int32_t kWaitFrameMax = 30;
constexpr int32_t kWaitSpeed = 100;
constexpr int32_t kGroupClears = 0;
constexpr int32_t kGroupLongBall = 1;

// |dx| + |dy| + 1 to the point, 0 within 5 units.
int32_t DistanceTo(int32_t x, int32_t y)
{
    const int32_t d = std::abs(x - CurrentPersonPos.x) + std::abs(y - CurrentPersonPos.y);
    return d <= kArrived ? 0 : d + 1;
}

// The speed that falls over the last 30 units so that he does not overshoot.
int32_t ArrivalSpeed(int32_t d)
{
    return d > kJogDistance ? kJogSpeed : (d * 100 / kJogDistance) * kJogSpeed / 100;
}

// Runs on toward the facing with the animation of the distance left.
void RunByDistance(int32_t person, int32_t d)
{
    MatchPerson& p = MatchPersons[person];
    if (d > kRunDistance) {
        if (p.runSpeed >= 64 && p.frame < 0) p.frame = 0;
        Person_LoopAnim(person, 12, 1, 0);
        Person_RunStepBoosted(person, kRunSpeed, 1);
        return;
    }
    if (p.runSpeed >= 64 && p.frame < 31) p.frame = 31;
    Person_LoopAnim(person, 10, 1, 31);
    Person_RunStepBoosted(person, ArrivalSpeed(d), 1);
}

void TurnSteps(int32_t person, int32_t direction)
{
    for (int32_t step = 0; step < kTurnSteps; ++step) {
        Person_TurnStep(person, direction);
    }
}

void BecomeActive(int32_t person)
{
    Person_SetAction(person, ACT_ACTIVE);
    ActivePlayer[Person_Side(person)] = static_cast<uint8_t>(person);
}

// The long ball toward the goal he attacks, with its line.
void KickTowardGoal(int32_t person, int32_t group)
{
    const int32_t side = Person_Side(person);
    Person_LongKickAlong(person, Person_DirectionToTarget(person, 1, side));
    Comm_Say(group, side, person, -1, 0);
}

// The pass kinds in the order he looks for them; true when one was played.
bool TryPasses(int32_t person)
{
    const int32_t facing = Person_PickFacingPass(person, 1);
    if (facing >= 0) {
        const MatchPerson& r = MatchPersons[facing];
        Person_AimKickAt(person, facing, r.x, r.y);
        return true;
    }
    if (facing == KICK_TO_CELL) {
        Person_AimKickAt(person, KICK_TO_CELL, 0, 0);
        return true;
    }
    struct PassKind {
        int32_t (*pick)(int32_t carrier);
        void (*aim)(int32_t kicker, int32_t receiver);
    };
    static constexpr PassKind kKinds[] = {
        {[](int32_t c) { return Person_PickMediumPass(c, 0); }, Person_AimLeadPass2},
        {Person_PickLongPass, Person_AimPassToFeet},
        {Person_PickLongLeadPass, Person_AimLeadPass},
    };
    for (const PassKind& kind : kKinds) {
        const int32_t receiver = kind.pick(person);
        if (receiver == KICK_NOBODY) continue;
        kind.aim(person, receiver);
        return true;
    }
    return false;
}

void Dribble(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (p.actionFlag == 0) {
        p.actionFlag = 1;
        ++Match.dribbleCounter;
        ++p.stats.dribbles;
    }
    if (Match.dribbleCounter > kDribbleLimit || p.actionWord > kPassAfterTicks) {
        KickTowardGoal(person, kGroupClears);
        return;
    }
    const int32_t open = Person_FindOpenDirection(person, p.aimDirection, kOpenReach);
    if (open == p.facing) {
        // Folded, as the aim of the side attacking toward y 122 lies either side of direction 0.
        if (Person_FoldedDifference(p.aimDirection, open) < 128) {
            Person_SetAction(person, ACT_SHIELD_AND_TURN);
            p.frame = kStrideFrame;
        }
    } else {
        Person_TurnStep(person, p.aimDirection);
    }
}

void DecideWithBall(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if ((Team_NoOpponentNear(person) == 0 || p.actionWord > kPassAfterTicks) && TryPasses(person))
        return;
    const int32_t open = Person_FindOpenDirection(person, p.aimDirection, kOpenReach);
    if (open >= 0 && p.actionWord <= kDribbleTicks) {
        Dribble(person);
        return;
    }
    if (DistanceResult > kLongKickDistance && p.positionClass < kLongKickClasses) {
        KickTowardGoal(person, kGroupLongBall);
        return;
    }
    const int32_t skill = Person_Skill(p, 12);
    const int32_t effective = Person_EffectiveSkill(person, skill);
    if (Match_SkillRoll(skill, 100) >= effective && Match.dribbleCounter == 0) {
        Dribble(person);
    } else if (Match_SkillRoll(skill, 100) < effective) {
        Person_AimCrossOrShot(person, KICK_SHOOT, 0, 0);
    } else {
        KickTowardGoal(person, kGroupClears);
    }
}

// Goes for the ball or waits: a ball still before its kick keeps him at his spot, a slow one he
// fetches, a fast one only when it runs away from him.
bool GoesForBall(const MatchPerson& p, int32_t side)
{
    if (p.hasBall != 0 || side != Ball.possession) return true;
    if (Ball.speed == 0) return false;
    if (Ball.speed <= 4) return true;
    const int32_t apart = (p.dirToBall - Ball.direction) & 255;
    return apart > 224 || apart < 32;
}

void RunToMeetingSpot(int32_t person, int32_t d)
{
    MatchPerson& p = MatchPersons[person];
    ++PlayersNotInPlace;
    p.actionFlag = 1;
    int32_t dir = Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, p.receivePoint[0],
                                     p.receivePoint[1]);
    if (Person_WalkBackwardsInto(person, dir, d)) return;
    if (Ball.direction != BALL_STILL && Person_FoldedDifference(Ball.direction, dir) < 32)
        dir = Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, Ball.lookAhead[0][0],
                                 Ball.lookAhead[0][1]);
    TurnSteps(person, dir);
    const int32_t apart = Person_FoldedDifference(dir, p.facing);
    if (d > kRunDistance && apart < 32) {
        Person_LoopAnim(person, 13, 1, 0);
        Person_RunStepBoosted(person, kSprintSpeed, 8);
    } else if (d > kJogDistance && apart < 48) {
        Person_LoopAnim(person, 12, 1, 0);
        Person_RunStepBoosted(person, kRunSpeed, 4);
    } else {
        TurnSteps(person, dir);
        Person_LoopAnim(person, 10, 1, 31);
        Person_RunStepBoosted(person, ArrivalSpeed(d), 1);
    }
}

void WaitAtMeetingSpot(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    TurnSteps(person, p.dirToBall);
    if (p.actionFlag == 1) {
        p.frame = 0;
        p.actionFlag = 0;
    }
    if (Person_RunAnim(person, 1, 1, ACT_ACTIVE) == 0) {
        ActivePlayer[Person_Side(person)] = static_cast<uint8_t>(person);
        return;
    }
    p.frame = static_cast<int16_t>(std::min<int32_t>(p.frame, kWaitFrameMax));
    p.runSpeed = kWaitSpeed;
}

}  // namespace

bool Person_WalkBackwardsInto(int32_t person, int32_t dir, int32_t d)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t back = (dir + 128) & 255;
    if (Person_FoldedDifference(p.facing, back) > kBackwardsAngle || d >= kBackwardsReach)
        return false;
    p.facing = static_cast<uint16_t>(back);
    Person_LoopAnim(person, 14, 1, 0);
    Person_RunStep(person, kBackwardsSpeed, dir, 1);
    return true;
}

void Action_Stand(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.runSpeed = 0;
    if (IsKeeper(person) && MatchPhase != PHASE_DECISION_PENDING) {
        Person_SetAction(person, ACT_KEEPER_IDLE);
        return;
    }
    if (DistanceTo(p.targetX, p.targetY) != 0) {
        Person_SetAction(person, ACT_WALK_TO_TARGET);
    } else {
        const int32_t apart = (p.facing - p.dirToBall) & 255;
        if (apart >= 16 && apart <= 240 && Person_FoldedDifference(p.facing, p.dirToBall) > 40)
            Person_TurnTowardTwiceIfSlow(person, p.dirToBall);
    }
    Person_LoopAnim(person, 0, 1, 0);
}

void Action_WalkToTarget(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t d = DistanceTo(p.targetX, p.targetY);
    if (d == 0) {
        Person_SetAction(person, ACT_STAND);
        return;
    }
    ++PlayersNotInPlace;
    const int32_t dir =
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, p.targetX, p.targetY);
    if (Person_WalkBackwardsInto(person, dir, d)) return;
    Person_TurnStep(person, dir);
    RunByDistance(person, d);
}

void Action_Active(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t side = Person_Side(person);
    if (Ball.holder != 0 || MatchPhase == PHASE_FOUL || MatchPhase > PHASE_OFFSIDE) {
        // He walks to his place; there he stands like any other walker (a keeper turns idle).
        Action_WalkToTarget(person);
        return;
    }
    const int32_t pace = Person_Skill(p, SKILL_PACE);
    for (int32_t step = 0; step < kPaceSteps && p.runSpeed < pace; ++step) {
        ++p.runSpeed;
    }
    ++p.stats.activeTicks;
    if (p.hasBall != 0 || (p.touchCooldown1 > 0 && side == Ball.possession)) {
        Team_CarrierDecision(person);
        return;
    }
    Person_TryVolley(person);
    if (p.action != ACT_ACTIVE) return;
    const int32_t rival = ActivePlayer[side ^ 1];
    const int32_t rivalDistance =
        rival == MATCH_NONE ? INT16_MAX : MatchPersons[rival].ballDistance;
    if (side == Ball.possession || rivalDistance > kOpponentAtBall
        || (Ball.direction == BALL_STILL && rivalDistance > kOpponentOnStillBall)) {
        Person_RunToward(person, Ball.lookAhead[0][0], Ball.lookAhead[0][1]);
        return;
    }
    Team_CloseDownCarrier(person);
    ++p.stats.closingDownTicks;
}

void Action_RunWithBall(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (p.actionFlag == 0) Match.dribbleCounter = 0;
    p.aimDirection = static_cast<int16_t>(Person_DirectionToTarget(person, 0, Person_Side(person)));
    ++p.actionWord;
    if (p.hasBall == 0) {
        Person_SetAction(person, ACT_WALK_TO_TARGET);
        return;
    }
    if (Person_RunAnim(person, 24, 5, ACT_ACTIVE) == 0) return;
    if (p.drawnFrame >= kBallAtFeetFrame) Person_KeepBallAtFeet(person);
    if (p.drawnFrame < kDecideFrame) return;
    // He keeps striding while he decides.
    p.frame = static_cast<int16_t>(p.frame - kStrideBack);
    DecideWithBall(person);
}

void Action_TakeOnTheRun(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.aimDirection = static_cast<int16_t>(Person_DirectionToTarget(person, 0, Person_Side(person)));
    if (p.hasBall == 0) {
        Person_SetAction(person, ACT_WALK_TO_TARGET);
        return;
    }
    const int32_t running = Person_RunAnim(person, 23, 5, ACT_RUN_WITH_BALL);
    if (p.drawnFrame >= kTakeOnFeetFrame) Person_KeepBallAtFeet(person);
    if (running == 0) p.frame = kStrideFrame;
}

void Action_TurnWithBall(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    Person_KeepBallAtFeet(person);
    const int32_t step = p.action == ACT_TURN_WITH_BALL_DOWN ? -1 : 1;
    if (Person_RunAnim(person, 25, 1, ACT_RUN_WITH_BALL) == 0) {
        p.frame = kStrideFrame;
    }
    if (p.facing != (p.aimDirection & 255))
        p.facing = static_cast<uint16_t>((p.facing + step) & 255);
}

void Action_ShieldAndTurn(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (p.actionWord++ == 0) Match.turnTimer = 0;
    ++Match.turnTimer;
    p.frame = static_cast<int16_t>(std::max<int32_t>(p.frame, kStrideFrame));
    if (p.actionFlag == 0) {
        const int32_t open = Person_FindOpenDirection(person, p.aimDirection, kOpenReach);
        if (open >= 0) p.aimDirection = static_cast<int16_t>(open);
    } else if (++p.actionFlag > kAimRecountTicks) {
        p.actionFlag = 0;
    }
    if (p.facing == p.aimDirection || p.touchCooldown1 > 0) {
        if (p.hasBall != 0 || p.touchCooldown1 > 0) {
            const int32_t running = Person_RunAnim(person, 24, 5, ACT_ACTIVE);
            if (running != 0 && p.drawnFrame >= kPushFrame && p.actionFlag == 0 && p.kicked == 0)
                Ball_PushAlongAngle(p.facing, person);
            p.touchCooldown1 = 2;
        } else {
            Person_SetAction(person, ACT_WALK_TO_TARGET);
        }
    } else {
        Person_TurnStep(person, p.aimDirection);
        if (Person_Side(person) != Ball.possession || p.hasBall == 0)
            Person_SetAction(person, ACT_WALK_TO_TARGET);
    }
    if (Match.turnTimer > kTurnTimerTicks) Person_SetAction(person, ACT_WALK_TO_TARGET);
}

void Action_GoToMeetingSpot(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    Person_TryVolley(person);
    if (MatchPhase > PHASE_OFFSIDE) {
        Person_SetAction(person, ACT_WALK_TO_TARGET);
        return;
    }
    if (p.action != ACT_GO_TO_MEETING_SPOT) return;
    if (GoesForBall(p, Person_Side(person))) {
        BecomeActive(person);
        return;
    }
    const int32_t d = DistanceTo(p.receivePoint[0], p.receivePoint[1]);
    if (d != 0) {
        RunToMeetingSpot(person, d);
    } else {
        WaitAtMeetingSpot(person);
    }
}

void Person_KeepBallAtFeet(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.x16 = CurrentPersonPos.x16;
    p.y16 = CurrentPersonPos.y16;
    p.x = Fixed_ToUnits(p.x16);
    p.y = Fixed_ToUnits(p.y16);
    Ball_PlaceAtFeet(person);
}
