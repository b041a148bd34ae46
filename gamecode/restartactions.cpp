// gamecode/restartactions.cpp: the kick-off pair, the keeper's restart of play after a goal, and
// walking off.
#include "gamecode/restartactions.h"

#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/interim.h"
#include "gamecode/kickkinds.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"

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
    const int32_t aimY = r.y + (side == Match.secondOfPair ? 4 : -4);
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

void WalkOffTo(int32_t person, int32_t x, int32_t next)
{
    if (DistanceTo(x, PITCH_CENTRE_Y) > kArrived) {
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
    const bool partnerLeft = MatchPersons[Match.kickoffPartner].x < PITCH_CENTRE_X;
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

void Action_WalkOff(int32_t person) { WalkOffTo(person, PITCH_EXIT_X, 31); }

void Action_WalkOffTunnel(int32_t person) { WalkOffTo(person, PITCH_TUNNEL_X, -1); }
