// gamecode/interim.cpp: stand-ins that keep a match correct while the engine's full rules are
// still to come. Each comment names what replaces the body.
#include "gamecode/interim.h"

#include <algorithm>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/basicactions.h"
#include "gamecode/keeperball.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kTakerKickTick = 30;
constexpr int32_t kAfterKickTicks = 16;
// A penalty reaches the goal line in 12 ticks without drag: slower, the rolling ball stopped
// short of it and nearly every kick of a shoot-out failed.
constexpr int32_t kPenaltyFactor = 65536 / 12;
constexpr int32_t kPassFactor = 65536 / 100;

struct Point {
    int32_t x;
    int32_t y;
};

// The team-mate of slots 1-10 nearest the taker, or the halfway spot when he has none.
Point NearestTeamMatePoint(int32_t taker)
{
    const MatchPerson& me = MatchPersons[taker];
    Point best{PITCH_CENTRE_X, PITCH_CENTRE_Y};
    int32_t bestDistance = -1;
    for (int32_t slot = 1; slot <= 10; ++slot) {
        const int32_t mate = LineUp[Person_Side(taker)][slot];
        const MatchPerson& p = MatchPersons[mate];
        if (mate == taker || p.offPitch != 0) continue;
        const int32_t distance = std::abs(p.x - me.x) + std::abs(p.y - me.y);
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = {p.x, p.y};
        }
    }
    return best;
}

int32_t AttackedGoalY(int32_t side)
{
    return side == Match.secondOfPair ? PITCH_FAR_GOAL_LINE_Y : PITCH_NEAR_GOAL_LINE_Y;
}

void PlayRestartBall(int32_t person, Point aim)
{
    MatchPerson& p = MatchPersons[person];
    if (MatchPhase == PHASE_PENALTY_KICK) {
        const int32_t up = (Rand() % 30) * 2000;
        Ball_SetVelocityToward(742 + Rand() % 109, aim.y, up, kPenaltyFactor);
    } else {
        Ball_SetVelocityToward(aim.x, aim.y, 0, kPassFactor);
    }
    Ball.holder = 0;
    Ball.secondHolder = 0;
    p.hasBall = 0;
    Ball_UpdateSpeedDir();
    Ball.lastToucher = static_cast<int16_t>(person);
    LastKicker[Person_Side(person)] = static_cast<int8_t>(person);
    Match.excludedPerson = static_cast<int16_t>(person);
    Ball.afterKick = kAfterKickTicks;
    Person_SetAction(person, ACT_WALK_TO_TARGET);
    p.touchCooldown1 = kAfterKickTicks;
    p.kicked = 1;
    MatchPhase = PHASE_OPEN_PLAY;
    PhaseTimer = 0;
}

constexpr int32_t kBallAhead = 4;
constexpr int32_t kShootDistance = 400;
constexpr int32_t kLongShotDistance = 800;
constexpr int32_t kPressedDistance = 48;
constexpr int32_t kReceiverAhead = 32;
constexpr int32_t kReceiverReach = 480;
constexpr int32_t kLongKickLength = 480;
constexpr int32_t kNoReceiver = -3;
constexpr int32_t kCelebrationTicks = 150;
constexpr int32_t kSfxKick = 6;
constexpr int32_t kStrikeReach = 9;
constexpr int32_t kStrikeHeight = 16;

// The kick every interim kick shares: the ball leaves at once toward (x, y) and reaches it in
// 65536 / factor ticks without drag.
void KickBall(int32_t kicker, Point aim, int32_t up, int32_t factor, int32_t sound)
{
    MatchPerson& p = MatchPersons[kicker];
    const int32_t side = Person_Side(kicker);
    Ball_SetVelocityToward(aim.x, aim.y, up, factor);
    Ball_UpdateSpeedDir();
    Ball.holder = 0;
    Ball.secondHolder = 0;
    Ball_GiveToPerson(-1);
    Ball.lastToucher = static_cast<int16_t>(kicker);
    LastKicker[side] = static_cast<int8_t>(kicker);
    Match.excludedPerson = static_cast<int16_t>(kicker);
    Ball.afterKick = kAfterKickTicks;
    p.touchCooldown1 = kAfterKickTicks;
    p.kicked = 1;
    Ball.possession = static_cast<uint8_t>(side);
    Match.kickTargetPerson = -1;
    Match.kickTargetPoint[0] = static_cast<int16_t>(aim.x);
    Match.kickTargetPoint[1] = static_cast<int16_t>(aim.y);
    Person_SetAction(kicker, ACT_WALK_TO_TARGET);
    MatchPresentationOps.PlayMatchSfx(sound, 0);
}

// A shot at (x, aim.y) with the interim shot's lift and pace.
void KickShot(int32_t shooter, Point aim)
{
    KickBall(shooter, aim, (Rand() % 45) * 2000, 65536 / 40, kSfxKick);
    Match.lastKickKind = KICK_KIND_SHOT;
    KickBook_Shot(shooter);
}

void KickLongAlong(int32_t kicker, int32_t direction)
{
    const MatchPerson& p = MatchPersons[kicker];
    Person_VectorFromAngle(direction, kLongKickLength, 256);
    KickBall(kicker, {p.x + StepX, p.y - StepY}, 120000, 65536 / 60, kSfxKick);
}

}  // namespace

// Replaced, id by id, by the handlers of the player actions.
void Action_InterimHold(int32_t) {}

// Replaced by the player of the match.
int32_t Match_InterimPickPlayerOfMatch() { return -1; }

// Replaced by the direct free kick's arrangement and the penalty's walk and run-up.
void Action_InterimTaker(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const bool penalty = MatchPhase == PHASE_PENALTY_KICK;
    if (penalty) {
        CurrentPersonPos = {RestartSpot[0], RestartSpot[1], RestartSpot[0] * 65536,
                            RestartSpot[1] * 65536};
    }
    Ball_StopAtCurrentPerson();
    const Point aim = penalty ? Point{PITCH_CENTRE_X, AttackedGoalY(Person_Side(person))}
                              : NearestTeamMatePoint(person);
    p.facing = static_cast<uint16_t>(
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, aim.x, aim.y));
    if (++p.actionWord == kTakerKickTick) PlayRestartBall(person, aim);
}

// Replaced by the volley 51.
void Action_InterimStrike(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const bool atFeet = std::abs(ball.x - CurrentPersonPos.x) <= kStrikeReach
                        && std::abs(ball.y - CurrentPersonPos.y) <= kStrikeReach && Ball.holder == 0
                        && Ball.height <= kStrikeHeight;
    if (atFeet) {
        const Point aim{Match.shotTarget[0], Match.shotTarget[1]};
        const bool up = Person_Side(person) == Match.secondOfPair;
        if (up ? aim.y > PITCH_FAR_GOAL_LINE_Y : aim.y < PITCH_NEAR_GOAL_LINE_Y) {
            KickShot(person, aim);
        } else {
            KickLongAlong(person,
                          Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, aim.x, aim.y));
        }
    }
    // A ball that rolled beyond his reach is no longer his: he walks off without it.
    if (p.hasBall != 0) Ball_GiveToPerson(-1);
    Person_SetAction(person, ACT_WALK_TO_TARGET);
}

// Replaced by the offside marks.
void Match_InterimMarkOffsidePositions(int32_t) {}

// Replaced by the volleys and headers.
void Person_InterimTryVolley(int32_t) {}

// Replaced by the celebrations.
void Action_InterimCelebrate(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.runSpeed = 0;
    if (++p.actionWord < kCelebrationTicks) return;
    if (p.action == ACT_CELEBRATE) Match.celebrationActive = 0;
    Person_SetAction(person, ACT_WALK_TO_TARGET);
}
