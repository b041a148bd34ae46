// gamecode/stoppageactions.cpp: the throw-in's run-up and release, the corner taker's back-off
// and restart kick, and walking off.
#include "gamecode/stoppageactions.h"

#include <algorithm>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/ballpredict.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/incidents.h"
#include "gamecode/keeperball.h"
#include "gamecode/kickbook.h"
#include "gamecode/motion.h"
#include "gamecode/motionframes.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"

namespace {

constexpr int32_t kArrived = 5;
constexpr int32_t kRunUp = 65;
constexpr int32_t kRunUpSpeed = 64;
constexpr int32_t kAccel = 8;
constexpr int32_t kThrowFrame = 115;
constexpr int32_t kStandingThrowFrame = 71;
constexpr int16_t kThrowHeight = 16;
constexpr int32_t kHalfFlightPerUp = 4000;  // a throw stays up 2 x velZ / 4000 ticks
constexpr int32_t kGroupRunUp = 240;
constexpr int32_t kGroupStandingThrow = 241;

void Say(int32_t group, int32_t person) { Comm_Say(group, Person_Side(person), person, -1, 0); }

// The ball stays in the thrower's hands where he stands.
void HoldForThrow(int32_t thrower)
{
    Ball_StopAtCurrentPerson();
    Ball.secondHolder = static_cast<int16_t>(thrower + 1);
}

// The ball leaves from at least a unit inside the lines, 16 high, toward the pass target point,
// which it reaches as it comes down.
void Throw(int32_t thrower, int32_t up)
{
    const MatchPerson& t = MatchPersons[thrower];
    Ball_StopAtCurrentPerson();
    Ball_KeepInsideLines();
    const int32_t x = MatchPersons[MATCH_BALL].x;
    const int32_t y = MatchPersons[MATCH_BALL].y;
    Ball.height = kThrowHeight;
    Ball.height16 = kThrowHeight * 65536;
    const int32_t flight = std::max(2 * up / kHalfFlightPerUp, 1);
    const int32_t length =
        Person_StraightDistance(x, y, Match.kickTargetPoint[0], Match.kickTargetPoint[1]);
    Person_VectorFromAngle(t.passKind, length, 256);
    Ball.velX = StepX * 65536 / flight;
    Ball.velY = -StepY * 65536 / flight;
    Ball.velZ = up;
    Ball.secondHolder = 0;
    KickBook_Strike(thrower, KICK_KIND_OTHER);
}

constexpr int32_t kBackOff = 60;
constexpr int32_t kBackOffSpeed = 64;
constexpr int16_t kMarkerPlaced = 12;
constexpr int16_t kMarkerBackingOff = 13;
constexpr int32_t kBendAnimation = 5;
constexpr int32_t kShortKickReach = 240;
constexpr int32_t kSkillAccuracy = 3;
constexpr int32_t kSpread = 64;
constexpr int32_t kCrossSpin = 6000;
constexpr int16_t kCrossSpinTicks = 20;
constexpr int16_t kCornerCreditTicks = 70;
constexpr int32_t kGroupShortCorner = 244;
constexpr int32_t kGroupRestartKick = 245;
constexpr int32_t kSfxKick = 6;

struct RestartKick {
    int16_t animation;
    int16_t strikeFrame;
};
constexpr RestartKick kLofted{26, 38};  // kind 0, a cross
constexpr RestartKick kShort{44, 19};   // kind 1, along the ground

struct Target {
    int32_t x;
    int32_t y;
};

// The restart kick's target: the receiver's spot, or the marker without one.
Target RestartKickTarget()
{
    if (Match.restartReceiver >= 0) return {Match.kickTargetPoint[0], Match.kickTargetPoint[1]};
    const MatchPerson& marker = MatchPersons[MATCH_MARKER];
    return {marker.x, marker.y};
}

// A cross (kind 0) swerves and credits the taker if it leads to a goal; a short one (kind 1) is a
// pass along the ground. The taker's team-mate nearest where it comes down goes to meet it.
void StrikeRestartKick(int32_t taker, bool lofted)
{
    const MatchPerson& t = MatchPersons[taker];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    Say(kGroupRestartKick, taker);
    Target aim = RestartKickTarget();
    const int32_t accuracy = Person_Skill(t, kSkillAccuracy);
    if (Match_SkillRoll(accuracy, 100) >= accuracy) {
        aim.x += Rand() % (2 * kSpread + 1) - kSpread;
        aim.y += Rand() % (2 * kSpread + 1) - kSpread;
    }
    const int32_t length = std::abs(aim.x - ball.x) + std::abs(aim.y - ball.y);
    Ball.swerveX = Ball.swerveY = Ball.swerveZ = 0;
    if (lofted) {
        const int32_t s = std::min(length, 1200);
        Ball_SetVelocityToward(aim.x, aim.y, 100 * s + 147456, 1600 - s);
        Ball.swerveX = Rand() % 2 == 0 ? kCrossSpin : -kCrossSpin;
        Ball.swerveTicks = kCrossSpinTicks;
    } else {
        const int32_t s = std::min(length, 1000);
        Ball_SetVelocityToward(aim.x, aim.y, 120 * s + 16384, 2400 - 2 * s);
    }
    KickBook_Strike(taker, lofted ? KICK_KIND_LOFTED : KICK_KIND_ALONG_GROUND);
    Ball_PredictLanding(0);
    const int32_t receiver =
        Team_NearestTeammateOfSide(Person_Side(taker), LandingPoint[0], LandingPoint[1], taker);
    KickBook_Pass(taker, receiver, LandingPoint[0], LandingPoint[1],
                  lofted ? PASS_BOOK_CROSS : PASS_BOOK_GROUND);
    if (lofted) Ball.cornerTimer = kCornerCreditTicks;
    MatchPresentationOps.PlayMatchSfx(kSfxKick, 0);
}

void WalkOffTo(int32_t person, int32_t x, int32_t next)
{
    if (std::abs(x - CurrentPersonPos.x) + std::abs(PITCH_CENTRE_Y - CurrentPersonPos.y)
        > kArrived) {
        Person_RunToward(person, x, PITCH_CENTRE_Y);
        ++PlayersNotInPlace;
        return;
    }
    if (next >= 0) {
        Person_SetAction(person, next);
    } else {
        MatchPersons[person].frame = -1;
    }
}

}  // namespace

void Action_ThrowInRunUp(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t receiver = Match.kickTargetPerson;
    if (receiver >= 0 && receiver < MATCH_PLAYER_COUNT
        && MatchPersons[receiver].action != ACT_ACTIVE) {
        Person_SetAction(receiver, ACT_ACTIVE);
        ActivePlayer[Person_Side(person)] = static_cast<uint8_t>(receiver);
    }
    p.facing = static_cast<uint16_t>(p.passKind);
    Person_LoopAnim(person, 9, 1, 57);
    Person_RunStep(person, kRunUpSpeed, p.facing, kAccel);
    HoldForThrow(person);
    const int32_t gone = std::abs(CurrentPersonPos.x - Match.throwInSpot[0])
                         + std::abs(CurrentPersonPos.y - Match.throwInSpot[1]);
    if (gone <= kRunUp) return;
    const int16_t aim = p.passKind;
    Person_SetAction(person, ACT_THROW_IN_RELEASE);
    p.passKind = aim;
    Say(kGroupRunUp, person);
}

void Action_ThrowInRelease(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.facing = static_cast<uint16_t>(p.passKind);
    if (Person_RunAnim(person, 51, 1, ACT_WALK_TO_TARGET) == 0) return;
    if (p.drawnFrame < kThrowFrame) {
        Person_RunStep(person, kRunUpSpeed, p.facing, kAccel);
        HoldForThrow(person);
        return;
    }
    if (p.kicked != 0) return;
    Throw(person, Match.throwStrength * 1024 + 32768);
    const int32_t receiver = Match.kickTargetPerson;
    if (receiver >= 0 && receiver < MATCH_PLAYER_COUNT)
        KickBook_Pass(person, receiver, Match.kickTargetPoint[0], Match.kickTargetPoint[1],
                      PASS_BOOK_GROUND);
}

void Action_StandingThrow(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.facing = static_cast<uint16_t>(p.passKind);
    if (Person_RunAnim(person, 50, 1, ACT_WALK_TO_TARGET) == 0) return;
    if (p.drawnFrame < kStandingThrowFrame) {
        HoldForThrow(person);
        return;
    }
    if (p.kicked != 0) return;
    Throw(person, Match.throwStrength * 1536 + 32768);
    Say(kGroupStandingThrow, person);
}

void Action_WalkOff(int32_t person) { WalkOffTo(person, PITCH_EXIT_X, ACT_WALK_OFF_TUNNEL); }

void Action_WalkOffTunnel(int32_t person) { WalkOffTo(person, PITCH_TUNNEL_X, -1); }

void Action_BackOffForRunUp(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    MatchPerson& marker = MatchPersons[MATCH_MARKER];
    if (marker.frame == kMarkerPlaced) {
        marker.frame = kMarkerBackingOff;
        Match.followedObject = MATCH_BALL;
        Ball_KeepInsideLines();
    }
    p.facing = static_cast<uint16_t>(Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y,
                                                        PITCH_CENTRE_X, CurrentPersonPos.y));
    Person_LoopAnim(person, 7, 1, 42);
    Person_RunStep(person, kBackOffSpeed, (p.facing + 128) & 255, 1);
    const int32_t gone = std::abs(CurrentPersonPos.x - Match.cornerSpot[0])
                         + std::abs(CurrentPersonPos.y - Match.cornerSpot[1]);
    if (gone <= kBackOff) return;
    if (Rand() % 3 == 0) {
        Person_SetAction(person, ACT_BEND_AND_RISE);
        p.savedAction = ACT_BEFORE_RESTART_KICK;
    } else {
        Person_SetAction(person, ACT_BEFORE_RESTART_KICK);
    }
}

void Action_BendAndRise(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (p.savedAction == ACT_BEND_AND_RISE) {
        Person_SetAction(person, ACT_BEFORE_RESTART_KICK);
        return;
    }
    // Down to the animation's last frame, then back up to its first.
    if (p.actionWord == 0 && p.frame + 1 >= MotionFrames_Count(kBendAnimation)) p.actionWord = 1;
    Person_RunAnim(person, kBendAnimation, p.actionWord == 0 ? 1 : -1, p.savedAction);
}

void Action_BeforeRestartKick(int32_t person)
{
    Person_SetAction(person, ACT_RESTART_KICK);
    Say(kGroupShortCorner, person);
}

void Action_RestartKick(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (p.actionWord == 0) {
        p.actionWord = 1;
        Ball.holder = 0;
        const int32_t receiver = Match.restartReceiver;
        const MatchPerson& ball = MatchPersons[MATCH_BALL];
        const bool near = receiver >= 0
                          && std::abs(MatchPersons[receiver].x - ball.x)
                                     + std::abs(MatchPersons[receiver].y - ball.y)
                                 <= kShortKickReach;
        p.passKind = near ? 1 : 0;
    }
    const Target aim = RestartKickTarget();
    p.facing = static_cast<uint16_t>(
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, aim.x, aim.y));
    const RestartKick& kick = p.passKind == 0 ? kLofted : kShort;
    if (Person_RunAnim(person, kick.animation, 1, ACT_SET_PIECE_WAIT) == 0) return;
    if (p.drawnFrame >= kick.strikeFrame && p.kicked == 0)
        StrikeRestartKick(person, p.passKind == 0);
}

namespace {

constexpr int32_t kTackleRun = 96;
constexpr int32_t kTackleFrame = 24;
constexpr int32_t kTackleReach = 16;
constexpr int32_t kTackleHeight = 8;
constexpr int32_t kGroupTackle = 238;
constexpr int32_t kGroupGroundPass = 239;
constexpr int32_t kSfxPass = 4;
constexpr int32_t kPassReach = 9;
constexpr int32_t kPassHeight = 16;
constexpr int32_t kPassFirstFrame = 26;
constexpr int32_t kPassLastFrame = 34;
constexpr int32_t kBurstSpeed = 180;
constexpr int32_t kBurstEndFrame = 31;
constexpr int32_t kBackedOff = 52;

// What each of the twin back-offs before a set-piece kick waits for and leads to.
struct BackOff {
    int16_t id;
    int16_t standTicks;
    int16_t group;
    int16_t next;
};
constexpr BackOff kBackOffForShot{ACT_BACK_OFF_FOR_SHOT, 20, 242, ACT_DIRECT_FREE_KICK};
constexpr BackOff kBackOffForPass{ACT_BACK_OFF_FOR_PASS, 30, 243, ACT_SET_PIECE_PASS};

bool KeeperHoldsBall() { return Ball.holder != 0; }

}  // namespace

void Action_StandingTackle(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (p.drawnFrame < kTackleFrame && Person_FindBlockerAhead(person) == 0)
        Person_RunStepBoosted(person, kTackleRun, 2);
    if (Person_RunAnim(person, 76, 2 + p.kicked, ACT_ACTIVE) == 0) return;
    if (KeeperHoldsBall() || p.ballDistance >= kTackleReach || p.kicked != 0
        || Ball.height >= kTackleHeight)
        return;
    Person_VectorFromAngle(p.facing, Person_Skill(p, 17) * 2048, 256);
    Ball.velX += StepX;
    Ball.velY -= StepY;
    Ball.velZ = 65536;
    p.kicked = 1;
    const int32_t loser = Ball.lastToucher;
    if (MatchPhase == PHASE_OPEN_PLAY && loser >= 0 && loser < MATCH_PLAYER_COUNT
        && loser != person) {
        ++p.stats.tackles;
        Person_CountBoxEntry(person);
        Person_SetAction(loser, ACT_STUMBLE);
        Comm_Say(kGroupTackle, Person_Side(person), person, loser, 0);
    }
    p.touchCooldown1 = 16;
    if (loser >= 0 && loser < MATCH_PLAYER_COUNT) MatchPersons[loser].hasBall = 0;
    Ball.afterKick = 16;
    Match_OnBallTouch(person);
    Ball.possession = static_cast<uint8_t>(Person_Side(person));
    Ball.lastToucher = static_cast<int16_t>(person);
}

void Action_KnockedDown(int32_t person) { Person_RunAnim(person, 85, 1, ACT_ACTIVE); }

void Action_SlideToStop(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    if (Match.groundMarkFlag == 0) {
        MatchPresentationOps.AddGroundMark(CurrentPersonPos.x, CurrentPersonPos.y, 1.0, p.facing,
                                           0);
        Match.groundMarkFlag = 1;
    }
    Person_RunStepBoosted(person, 0, 2);
    if (Person_RunAnim(person, 86, 1, ACT_ACTIVE) == 0) Match.groundMarkFlag = 0;
}

void Action_Burst(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    Person_RunStepBoosted(person, kBurstSpeed, 1);
    // A carrier who rides a tackle at the goal line would otherwise burst on past the stands.
    Person_KeepNearPitch();
    const int32_t step = Rand() % 100 < Person_Skill(p, SKILL_AGILITY) ? 2 : 1;
    if (Person_RunAnim(person, 75, step, ACT_ACTIVE) != 0) return;
    p.frame = kBurstEndFrame;
    ActivePlayer[Person_Side(person)] = static_cast<uint8_t>(person);
}

void Action_GroundPass(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t x = Match.kickTargetPoint[0];
    const int32_t y = Match.kickTargetPoint[1];
    p.facing =
        static_cast<uint16_t>(Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y));
    if (KeeperHoldsBall()) {
        Person_SetAction(person, ACT_WALK_TO_TARGET);
        return;
    }
    if (Person_RunAnim(person, 32, 1, ACT_ACTIVE) == 0) {
        p.runSpeed = 64;
        return;
    }
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const bool atFeet = Person_RangeCheck(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y,
                                          kPassReach, kPassHeight)
                        == 0;
    if (p.drawnFrame < kPassFirstFrame || p.drawnFrame > kPassLastFrame || !atFeet || p.kicked != 0)
        return;
    const int32_t strength = std::min(std::abs(x - ball.x) + std::abs(y - ball.y), 1000);
    Ball_SetVelocityToward(x, y, 120 * strength + 16384, 2400 - 2 * strength);
    KickBook_Strike(person, KICK_KIND_ALONG_GROUND);
    KickBook_Pass(person, Match.kickTargetPerson, x, y, PASS_BOOK_GROUND);
    Say(kGroupGroundPass, person);
    MatchPresentationOps.PlayMatchSfx(kSfxPass, 0);
}

void Action_BackOffForKick(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const BackOff& row = p.action == ACT_BACK_OFF_FOR_SHOT ? kBackOffForShot : kBackOffForPass;
    if (p.actionFlag == 0) {
        p.actionFlag = 1;
        p.actionWord = 0;
        Match.followedObject = MATCH_BALL;
        Ball_KeepInsideLines();
    }
    if (p.actionWord == 0) {
        const bool shot = row.id == ACT_BACK_OFF_FOR_SHOT;
        const int32_t x = shot ? ShotTarget[0] : Match.kickTargetPoint[0];
        const int32_t y = shot ? ShotTarget[1] : Match.kickTargetPoint[1];
        p.facing =
            static_cast<uint16_t>(Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y));
        Person_LoopAnim(person, 7, 1, 42);
        Person_RunStep(person, kBackOffSpeed, (p.facing + 128) & 255, 1);
        const MatchPerson& ball = MatchPersons[MATCH_BALL];
        if (Person_DistanceAlong(p.facing, ball.x, ball.y, CurrentPersonPos.x, CurrentPersonPos.y)
            > kBackedOff)
            p.actionWord = 1;
        return;
    }
    Person_LoopAnim(person, 0, 1, 0);
    if (++p.actionWord < row.standTicks) return;
    Say(row.group, person);
    Person_SetAction(person, row.next);
}
