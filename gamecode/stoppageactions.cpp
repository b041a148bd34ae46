// gamecode/stoppageactions.cpp: the throw-in's run-up and release, and walking off.
#include "gamecode/stoppageactions.h"

#include <algorithm>
#include <cstdlib>

#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/keeperball.h"
#include "gamecode/kickbook.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/restartutil.h"

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
    const int32_t x = std::clamp<int32_t>(CurrentPersonPos.x, PITCH_LEFT_TOUCHLINE_X + 1,
                                          PITCH_RIGHT_TOUCHLINE_X - 1);
    const int32_t y = std::clamp<int32_t>(CurrentPersonPos.y, PITCH_NEAR_GOAL_LINE_Y + 1,
                                          PITCH_FAR_GOAL_LINE_Y - 1);
    Person_PlaceAt(MATCH_BALL, x, y);
    Ball.x16 = x * 65536;
    Ball.y16 = y * 65536;
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
