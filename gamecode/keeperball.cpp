// gamecode/keeperball.cpp: the keeper with the ball, and his distribution and goal kick.
#include "gamecode/keeperball.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "engine/fatal.h"
#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/ballpredict.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/incidents.h"
#include "gamecode/keeper.h"
#include "gamecode/kickbook.h"
#include "gamecode/motion.h"
#include "gamecode/officials.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kKickingSkill = 17;
constexpr int32_t kAnticipationSkill = 12;
constexpr int32_t kAgility = 18;
constexpr int32_t kToughness = 19;
constexpr int16_t kHandsHeight = 8;
constexpr int32_t kSlideTicks = 30;  // he slides, and the smother's touch is spent, past it
constexpr int32_t kSlideAccel = 8;
constexpr int32_t kSmotherHeight = 4;
constexpr int32_t kSmotherReach = 9;
constexpr int32_t kHoldFrame = 30;  // rising from a smother, the ball is in his hands past it
constexpr int32_t kClearReach = 12;
constexpr int32_t kClearHeight = 8;
constexpr int32_t kClearRun = 64;
constexpr int32_t kClearFrame = 38;
constexpr int32_t kSendingsOffLimit = 4;  // a side with this many sent off gets no more cards
constexpr int32_t kInfoBarFoul = 15;
constexpr int32_t kSfxSmother = 11;
constexpr int32_t kDecisionWarning = 7;
constexpr int32_t kDecisionBooking = 8;

void Say(int32_t group, int32_t person) { Comm_Say(group, Person_Side(person), person, -1, 0); }

}  // namespace

void Ball_StopAtCurrentPerson()
{
    Person_PlaceAt(MATCH_BALL, CurrentPersonPos.x, CurrentPersonPos.y);
    Ball.x16 = CurrentPersonPos.x16;
    Ball.y16 = CurrentPersonPos.y16;
    Ball_Stop();
    Ball.height = 0;
    Ball.height16 = 0;
}

void Keeper_BallInHands(int32_t person)
{
    Ball_StopAtCurrentPerson();
    Ball.holder = static_cast<int16_t>(person + 1);
    Ball.lastToucher = static_cast<int16_t>(person);
}

void Keeper_TakeBall(int32_t person)
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    Person_PlaceAt(MATCH_BALL, CurrentPersonPos.x, CurrentPersonPos.y);
    Ball.x16 = CurrentPersonPos.x16;
    Ball.y16 = CurrentPersonPos.y16;
    const bool shootOut = Match.period == MATCH_PERIOD_SHOOT_OUT;
    if (shootOut && MatchPhase < PHASE_PENALTY_KICK) {
        Ball_Stop();
        MatchPhase = PHASE_SHOOTOUT_NEXT_KICK;
        PhaseTimer = 0;
        return;
    }
    // After a whistle for a foul or an offside the ball he gathers is the restart's, not his.
    const bool whistled = MatchPhase == PHASE_FOUL || MatchPhase == PHASE_OFFSIDE
                          || MatchPhase == PHASE_DECISION_PENDING;
    if (shootOut || DeadBallFlag != 0 || whistled) {
        Ball.holder = 0;
        Person_SetAction(person, ACT_KEEPER_IDLE);
        return;
    }
    Ball_Stop();
    Ball.lastToucher = static_cast<int16_t>(person);
    Person_SetAction(person, ACT_KEEPER_HOLD_AT_FEET);
    Ball.holder = static_cast<int16_t>(person + 1);
    Match.goalKickSpot[0] = RestartSpot[0] = ball.x;
    Match.goalKickSpot[1] = RestartSpot[1] = ball.y;
    MatchPhase = PHASE_KEEPER_HOLDS;
    PhaseTimer = 0;
    Ball.possession = static_cast<uint8_t>(Person_Side(person));
}

void Action_KeeperTakeBall(int32_t person)
{
    Ball.height = kHandsHeight;
    Ball.height16 = kHandsHeight * 65536;
    Keeper_TakeBall(person);
}

void Action_KeeperHoldAtFeet(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    p.facing = MatchPersons[MATCH_BALL].y < PITCH_CENTRE_Y ? 128 : 0;
    Ball_StopAtCurrentPerson();
    KeeperWatchPoint[0] = PITCH_CENTRE_X;
    KeeperWatchPoint[1] = PITCH_CENTRE_Y;
    Ball.lastToucher = static_cast<int16_t>(person);
}

namespace {

struct GatherRow {
    int16_t id;
    int16_t animation;
    int16_t step;
    int16_t group;  // said once the ball is gathered
};
constexpr auto kGathers = std::to_array<GatherRow>({
    {ACT_KEEPER_PICK_UP, 133, 1, 139},
    {ACT_KEEPER_GATHER_MID, 114, 2, 154},
    {ACT_KEEPER_GATHER_LOW, 113, 2, 155},
});

const GatherRow& GatherOf(int32_t action)
{
    for (const GatherRow& row : kGathers) {
        if (row.id == action) return row;
    }
    FatalError("Action_KeeperGather(): action %d gathers nothing", action);
}

}  // namespace

void Action_KeeperGather(int32_t person)
{
    const GatherRow& row = GatherOf(MatchPersons[person].action);
    Keeper_BallInHands(person);
    Ball_GiveToPerson(person);
    if (Person_RunAnim(person, row.animation, row.step, ACT_KEEPER_IDLE) != 0) return;
    Say(row.group, person);
    Ball.height = kHandsHeight;
    Keeper_TakeBall(person);
}

void Action_KeeperRiseFromSmother(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    Ball_StopAtCurrentPerson();
    Ball.lastToucher = static_cast<int16_t>(person);
    const int32_t animation = p.passKind == 0 ? 130 : 150;
    if (Person_RunAnim(person, animation, 2, ACT_KEEPER_IDLE) != 0) {
        if (p.drawnFrame <= kHoldFrame) return;
        Ball.holder = static_cast<int16_t>(person + 1);
        Ball.height = kHandsHeight;
        return;
    }
    if (MatchPhase == PHASE_OPEN_PLAY) {
        Keeper_TakeBall(person);
        return;
    }
    Ball.holder = 0;
    p.hasBall = 0;
}

namespace {

// Phase 1 at the keeper's feet: `offender` gave away a free kick by fouling `fouled`.
void StartFoul(int32_t fouled, int32_t offender)
{
    const int32_t offendingSide = Person_Side(offender);
    Offender = static_cast<int16_t>(offender);
    MatchPhase = PHASE_FOUL;
    PhaseTimer = 0;
    RestartSpot[0] = CurrentPersonPos.x;
    RestartSpot[1] = CurrentPersonPos.y;
    FouledPlayer = static_cast<int8_t>(fouled);
    FoulingSide = static_cast<uint8_t>(offendingSide);
}

bool CardsLeft(int32_t side) { return Match.dismissals[side] < kSendingsOffLimit; }

// The referee's word with the offender: group `first`, then a booking (first + 1) or a warning
// (first + 2) by one draw.
void Caution(int32_t offender, int32_t first)
{
    Say(first, offender);
    const int32_t r = Rand() % 300;
    if (r < Match.official[1]) {
        Say(first + 1, offender);
        RefereeDecision = kDecisionBooking;
    } else if ((r & 3) == 0) {
        Say(first + 2, offender);
        RefereeDecision = kDecisionWarning;
        ++MatchPersons[offender].warnings;
    }
}

bool KeeperHurt(const MatchPerson& keeper, int32_t attackerSide)
{
    return Rand() % 100 > Person_Skill(keeper, kToughness) && Rand() % 20 < 10
           && CardsLeft(attackerSide);
}

// The attacker lunged in (a clearing slide or a block tackle): a foul on the keeper when the
// referee sees it, and perhaps a hurt keeper either way.
void AttackerLungedIn(int32_t keeper, int32_t attacker)
{
    MatchPerson& k = MatchPersons[keeper];
    const int32_t attackerSide = Person_Side(attacker);
    if (Rand() % 200 < Match.official[0] && Match_RollChance30() == 0) {
        MatchPresentationOps.InfoBar(kInfoBarFoul, attacker, keeper);
        StartFoul(keeper, attacker);
        ++MatchPersons[attacker].stats.foulsPenalised;
        Say(148, attacker);
        if (CardsLeft(attackerSide)) Caution(attacker, 150);
    }
    if (KeeperHurt(k, attackerSide)) {
        Say(153, keeper);
        k.resultByteB = 1;
    }
    ++k.stats.tackles;
}

// Nine of the attacker's skills fall by f percent, his fatigue rises by it.
void MaybeInjure(int32_t attacker)
{
    constexpr std::array<int32_t, 9> kHurtSkills = {1, 2, 3, 4, 5, 15, 16, 17, 18};
    MatchPerson& a = MatchPersons[attacker];
    if (Rand() % 100 <= Person_Skill(a, kToughness)) return;
    const int32_t f = Rand() % 10 + 100;
    for (int32_t skill : kHurtSkills) {
        a.skills[skill] = static_cast<uint8_t>(Person_Skill(a, skill) * 100 / f);
    }
    Person_TireByPercent(attacker, f);
    a.stats.injuryTotal = static_cast<int16_t>(a.stats.injuryTotal + f - 100);
}

// The keeper and the attacker on the ball collide: he falls, a foul either way or a clean
// smother, perhaps an injury.
void Collide(int32_t keeper, int32_t attacker)
{
    MatchPerson& k = MatchPersons[keeper];
    const int32_t keeperSide = Person_Side(keeper);
    const int32_t attackerSide = Person_Side(attacker);
    Person_SetAction(attacker, ACT_SLOW_TO_STOP);
    if (Rand() % 100 > Person_Skill(k, kAgility) && Rand() % 3 == 0) {
        MatchPresentationOps.InfoBar(kInfoBarFoul, keeper, attacker);
        ++k.stats.foulsPenalised;
        StartFoul(attacker, keeper);
        Say(144, keeper);
        if (CardsLeft(keeperSide)) Caution(keeper, 145);
    } else if (KeeperHurt(k, attackerSide)) {
        MatchPresentationOps.InfoBar(kInfoBarFoul, attacker, keeper);
        k.resultByteB = 1;
        StartFoul(keeper, attacker);
        ++MatchPersons[attacker].stats.fouls;
        Say(148, attacker);
        ++k.stats.tackles;
    } else {
        Say(149, keeper);
        ++k.stats.tackles;
    }
    MaybeInjure(attacker);
    MatchPresentationOps.PlayMatchSfx(kSfxSmother, 0);
}

// The keeper has the ball at an attacker's feet: the other side's active player's part.
void SmotherOutcome(int32_t keeper)
{
    const int32_t otherSide = 1 - Person_Side(keeper);
    // Read no attacker before the side has one: a side without an active player names nobody.
    Team_DefaultActive(otherSide);
    const int32_t attacker = ActivePlayer[otherSide];
    MatchPerson& k = MatchPersons[keeper];
    if (attacker >= MATCH_PLAYER_COUNT) {
        Say(149, keeper);
        ++k.stats.tackles;
        return;
    }
    const MatchPerson& a = MatchPersons[attacker];
    // A smother finished after the whistle is clean: a foul is given only in open play.
    if (MatchPhase != PHASE_OPEN_PLAY) {
        ++k.stats.tackles;
        return;
    }
    if (a.action == ACT_CLEARING_SLIDE || a.action == ACT_BLOCK_TACKLE) {
        AttackerLungedIn(keeper, attacker);
        return;
    }
    if (a.hasBall == 0 && a.touchCooldown1 == 0) {
        Say(149, keeper);
        ++k.stats.tackles;
        return;
    }
    Collide(keeper, attacker);
}

}  // namespace

void Action_KeeperSmother(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    if (ball.x != CurrentPersonPos.x || ball.y != CurrentPersonPos.y)
        p.facing = static_cast<uint16_t>(
            Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y));
    Keeper_MeasureBall(person);
    const bool top = Keeper_GuardsTop(Person_Side(person));
    const bool inBoxDepth = top ? ball.y < PITCH_BOX_NEAR_Y : ball.y > PITCH_BOX_FAR_Y;
    if (inBoxDepth && p.frame < kSlideTicks) Person_RunStepBoosted(person, 0, kSlideAccel);
    const int32_t animation = p.passKind == 0 ? 131 : 151;
    if (Person_RunAnim(person, animation, 2 + p.kicked, ACT_KEEPER_IDLE) == 0) return;
    if (p.drawnFrame > kSlideTicks) p.kicked = 1;
    if (Ball.height > kSmotherHeight || p.ballDistance > kSmotherReach) return;
    Ball_StopAtCurrentPerson();
    const int16_t side = p.passKind;
    const int16_t frame = p.drawnFrame;
    Person_SetAction(person, ACT_KEEPER_RISE_FROM_SMOTHER);
    p.passKind = side;
    p.frame = frame;
    SmotherOutcome(person);
}

void Action_KeeperClearance(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    Person_TurnStep(person,
                    Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y));
    const bool within = Person_RangeCheck(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y,
                                          kClearReach, kClearHeight)
                        == 0;
    Person_RunStepBoosted(person, kClearRun, kSlideAccel);
    if (Person_RunAnim(person, 44, 1 + p.kicked, ACT_KEEPER_IDLE) == 0 || !within) return;
    if (p.drawnFrame < kClearFrame) {
        Ball_StopAtCurrentPerson();
        return;
    }
    if (p.kicked != 0) return;
    Say(141, person);
    Ball_SetShotSwerve(person, -1);
    const int32_t length = 2 * Person_Skill(p, kKickingSkill) + 120;
    Person_VectorFromAngle(p.facing, length, 256);
    Ball.velX = StepX * 4096;
    Ball.velY = -StepY * 4096;
    Ball.velZ = 147456 - Person_Skill(p, kAnticipationSkill) * 512;
    KickBook_Strike(person, KICK_KIND_CLEARANCE);
}

namespace {

constexpr int16_t kMarkerWindingUp = 13;  // the marker's frame once a wind-up has started
constexpr int16_t kMarkerSteppingBack = 12;
constexpr int32_t kScanEntries = 10;
constexpr int32_t kYard = PITCH_UNITS_PER_YARD;
constexpr int32_t kReceiverLeftX = 456;
constexpr int32_t kReceiverRightX = 1136;
constexpr int32_t kNearLeftTouchlineX = 556;
constexpr int32_t kNearRightTouchlineX = 1036;
constexpr int32_t kMaxPower = 100;
constexpr int32_t kThrowBelowNeeded = 120;
constexpr int32_t kThrowFreeOf = 256;  // the nearest opponent stands farther from the target
constexpr int32_t kThrowAhead = 200;
constexpr int32_t kThrowLength = 458752 * 6 / 5;  // all keeper's kicks speed up by a fifth
constexpr int32_t kKickBase = 589824;
constexpr int32_t kThrowFrame = 76;
constexpr int32_t kKickFrame = 93;
constexpr int32_t kGoalKickFrame = 80;
constexpr int32_t kKickReach = 9;
constexpr int32_t kBoxRun = 64;
constexpr int32_t kGoalKickRun = 84;
constexpr int32_t kRunAccel = 8;
constexpr int32_t kBehindBall = 64;
constexpr int32_t kOnSpot = 5;
constexpr int32_t kRunUp = 70;
constexpr int32_t kLandingReach = 120;
constexpr int32_t kSfxKick = 6;

// Which receivers a scan takes: Rand() % 5 + `fewest` candidates, ballDistance from `nearest`
// to `farthest`; a trailing side's keeper also looks 5 yards nearer and near the touchlines.
struct ReceiverRule {
    int32_t fewest;
    int32_t nearest;
    int32_t farthest;
    bool widensWhenBehind;
};
constexpr ReceiverRule kFromHands{5, 20 * kYard, 70 * kYard, true};
constexpr ReceiverRule kGoalKick{2, 640, 1200, false};

bool BehindOnAggregate(int32_t side)
{
    return Match.score[side] + Match.firstLegGoals[side]
           < Match.score[side ^ 1] + Match.firstLegGoals[side ^ 1];
}

// The distribution starts afresh once per possession.
void StartWindUpOnce()
{
    MatchPerson& marker = MatchPersons[MATCH_MARKER];
    if (marker.frame == kMarkerWindingUp) return;
    marker.frame = kMarkerWindingUp;
    Match.distPower = 0;
    Match.distScan = -1;
    Match.distWait = 0;
}

bool Qualifies(int32_t candidate, int32_t keeper, const ReceiverRule& rule, bool behind)
{
    const MatchPerson& c = MatchPersons[candidate];
    const bool wide = rule.widensWhenBehind && behind;
    const int32_t nearest = wide ? rule.nearest - 5 * kYard : rule.nearest;
    if (c.ballDistance < nearest || c.ballDistance > rule.farthest) return false;
    if (c.y < PITCH_NEAR_GOAL_LINE_Y || c.y > PITCH_FAR_GOAL_LINE_Y) return false;
    if (!wide && (c.x < kReceiverLeftX || c.x > kReceiverRightX)) return false;
    return c.offPitch == 0 && candidate != keeper;
}

// Walks on through the keeper's proximity list; a receiver near a touchline halves the
// candidates still to look at.
void ScanForReceiver(int32_t keeper, const ReceiverRule& rule, bool behind)
{
    const int32_t side = Person_Side(keeper);
    int32_t left = Rand() % 5 + rule.fewest;
    bool lastQualified = false;
    while (left > 0) {
        --left;
        Match.distScan = static_cast<int16_t>((Match.distScan + 1) % kScanEntries);
        const int32_t candidate = Match.proximity[side][Match.distScan];
        lastQualified = Qualifies(candidate, keeper, rule, behind);
        if (!lastQualified) continue;
        Match.distReceiver = static_cast<int16_t>(candidate);
        const int32_t x = MatchPersons[candidate].x;
        if (x > kNearRightTouchlineX || x < kNearLeftTouchlineX) left /= 2;
    }
    if (!lastQualified) Match.distScan = -1;
}

void FaceMarker(int32_t keeper)
{
    const MatchPerson& marker = MatchPersons[MATCH_MARKER];
    MatchPersons[keeper].facing = static_cast<uint16_t>(
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, marker.x, marker.y));
}

// The receiver's target point goes on the marker (without one the marker keeps its place) and
// the wind-up the kick needs follows from its distance.
void ChooseTarget(int32_t keeper, const ReceiverRule& rule, bool behind)
{
    ScanForReceiver(keeper, rule, behind);
    const int32_t wait = Rand() % 50 + 10;
    Match.distWait = static_cast<int16_t>(behind ? wait / 4 + 1 : wait);
    if (Match.distReceiver >= 0) {
        const MatchPerson& r = MatchPersons[Match.distReceiver];
        Person_PlaceAt(MATCH_MARKER, r.targetX, r.targetY);
    }
    const MatchPerson& marker = MatchPersons[MATCH_MARKER];
    Match.distNeeded = static_cast<int16_t>(
        (std::abs(marker.x - CurrentPersonPos.x) + std::abs(marker.y - CurrentPersonPos.y)) / 8);
    FaceMarker(keeper);
}

// One tick of the wind-up, true when the ball goes: a trailing keeper is wound up at once, and
// the wait runs down only once he is.
bool WoundUp(bool behind)
{
    if (behind) {
        Match.distPower = Match.distNeeded;
    } else if (Match.distPower < Match.distNeeded) {
        ++Match.distPower;
    }
    if (Match.distPower != Match.distNeeded) return false;
    return --Match.distWait <= 1;
}

void SetPendingKick(int32_t direction, int32_t length, int32_t up)
{
    Person_VectorFromAngle(direction, length, 256);
    Match.pendingKick[0] = StepX;
    Match.pendingKick[1] = -StepY;
    Match.pendingKick[2] = up;
}

int32_t KickLength(const MatchPerson& keeper)
{
    return (Person_Skill(keeper, kKickingSkill) * 2048 + kKickBase) * 6 / 5;
}

// Whether the other side's player nearest the target stands off it.
bool TargetFree(int32_t keeperSide, int32_t x, int32_t y)
{
    const int32_t other = Team_NearestTeammateOfSide(keeperSide ^ 1, x, y, -1);
    if (other < 0) return true;
    const MatchPerson& o = MatchPersons[other];
    return Person_StraightDistance(o.x, o.y, x, y) > kThrowFreeOf;
}

// The wind-up is full: he throws to a free receiver within reach, else kicks from his hands.
void ReleaseFromHands(int32_t keeper)
{
    MatchPerson& k = MatchPersons[keeper];
    const int32_t side = Person_Side(keeper);
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const MatchPerson& target = MatchPersons[MATCH_MARKER];
    Match.distPower = std::min(Match.distPower, kMaxPower);
    const int32_t receiver = Match.distReceiver;
    if (Match.distNeeded < kThrowBelowNeeded && receiver >= 0
        && TargetFree(side, target.x, target.y)) {
        const int32_t ahead = ball.y < PITCH_CENTRE_Y ? kThrowAhead : -kThrowAhead;
        const int32_t aim = Person_DirectionTo(ball.x, ball.y, target.x, target.y + ahead);
        Match.throwReceiver = static_cast<int16_t>(receiver);
        Match.kickTargetPoint[0] = MatchPersons[receiver].x;
        Match.kickTargetPoint[1] = static_cast<int16_t>(MatchPersons[receiver].y + ahead);
        Person_SetAction(keeper, ACT_KEEPER_THROW);
        k.passKind = static_cast<int16_t>(aim);
        SetPendingKick(aim, kThrowLength,
                       (Person_Skill(k, kKickingSkill) + Match.distPower) * 640 + 53248);
    } else {
        Person_SetAction(keeper, ACT_KEEPER_KICK_FROM_HANDS);
        SetPendingKick(Person_DirectionTo(ball.x, ball.y, target.x, target.y), KickLength(k),
                       Match.distPower * 2048 + 65536);
    }
    k.touchCooldown1 = 0;
    k.runSpeed = 0;
    Keeper_BallInHands(keeper);
    LastKicker[side] = static_cast<int8_t>(keeper);
    PhaseTimer = 0;
    Match.followedObject = MATCH_BALL;
    if (receiver >= 0) {
        Person_SetAction(receiver, ACT_ACTIVE);
        ActivePlayer[side] = static_cast<uint8_t>(receiver);
    }
    Match.distReceiver = -1;
    Match.distPower = -1;
}

// The goal kick's wind-up is full: the kick waits while he steps back for his run-up.
void ReleaseGoalKick(int32_t keeper)
{
    MatchPerson& k = MatchPersons[keeper];
    const MatchPerson& target = MatchPersons[MATCH_MARKER];
    Match.distPower = std::min(Match.distPower, kMaxPower);
    SetPendingKick(Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, target.x, target.y),
                   KickLength(k), Match.distPower * 1792 + 65536);
    Ball_Stop();
    Person_SetAction(keeper, ACT_KEEPER_GOAL_KICK_STEP_BACK);
    PhaseTimer = 0;
    Match.distReceiver = -1;
    k.touchCooldown1 = 0;
    Ball.lastToucher = static_cast<int16_t>(keeper);
    LastKicker[Person_Side(keeper)] = static_cast<int8_t>(keeper);
    Match.distPower = -1;
}

bool BallInOwnBoxDepth()
{
    const int32_t ballY = MatchPersons[MATCH_BALL].y;
    return CurrentPersonPos.y < PITCH_CENTRE_Y ? ballY < PITCH_BOX_NEAR_Y : ballY > PITCH_BOX_FAR_Y;
}

void LookAtCentre()
{
    KeeperWatchPoint[0] = PITCH_CENTRE_X;
    KeeperWatchPoint[1] = PITCH_CENTRE_Y;
}

// The pending kick leaves: the match plays on and his team-mates run to where it comes down.
void StrikePendingKick(int32_t keeper, int32_t group)
{
    const int32_t side = Person_Side(keeper);
    Ball.velX = Match.pendingKick[0];
    Ball.velY = Match.pendingKick[1];
    Ball.velZ = Match.pendingKick[2];
    Say(group, keeper);
    Ball_SetShotSwerve(keeper, -1);
    KickBook_Strike(keeper, KICK_KIND_KEEPER);
    Ball.possession = static_cast<uint8_t>(side);
    PhaseTimer = 0;
    Ball_PredictLanding(kLandingReach);
}

void KickFromTheGround(int32_t keeper, int32_t group)
{
    StrikePendingKick(keeper, group);
    MatchPresentationOps.PlayMatchSfx(kSfxKick, 0);
}

}  // namespace

void Action_KeeperDistribute(int32_t person)
{
    const int32_t side = Person_Side(person);
    Ball.possession = static_cast<uint8_t>(side);
    const bool behind = BehindOnAggregate(side);
    StartWindUpOnce();
    LookAtCentre();
    if (Match.distWait == 0) {
        ChooseTarget(person, kFromHands, behind);
        return;
    }
    if (WoundUp(behind)) ReleaseFromHands(person);
}

void Action_KeeperThrow(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    LookAtCentre();
    Person_TurnStep(person, p.passKind);
    if (Person_RunAnim(person, 99, 1 + p.kicked, ACT_KEEPER_IDLE) == 0) return;
    if (p.drawnFrame >= 21 && p.drawnFrame < kThrowFrame) {
        if (BallInOwnBoxDepth()) Person_RunStep(person, kBoxRun, p.passKind, kRunAccel);
        Ball_StopAtCurrentPerson();
    }
    if (p.drawnFrame < kThrowFrame || p.kicked != 0) return;
    Ball.height = 16;
    Ball.height16 = 16 * 65536;
    StrikePendingKick(person, 156);
    const int32_t receiver = Match.throwReceiver;
    KickBook_Pass(person, receiver, LandingPoint[0], LandingPoint[1], PASS_BOOK_GROUND);
    if (receiver >= 0 && receiver < MATCH_PLAYER_COUNT) MatchPersons[receiver].runSpeed = kBoxRun;
}

void Action_KeeperKickFromHands(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    LookAtCentre();
    p.facing = Match.pendingKick[1] < 0 ? 0 : 128;
    if (Person_RunAnim(person, 98, 1 + p.kicked, ACT_KEEPER_IDLE) == 0) {
        // A kick that never left: the ball is let go and play goes on.
        if (MatchPhase == PHASE_KEEPER_CLEARANCE) {
            Ball.holder = 0;
            MatchPhase = PHASE_OPEN_PLAY;
        }
        return;
    }
    if (p.drawnFrame >= 11 && p.drawnFrame < kKickFrame && BallInOwnBoxDepth()) {
        Person_RunStep(person, kBoxRun, p.facing, kRunAccel);
        Ball_StopAtCurrentPerson();
    }
    Keeper_MeasureBall(person);
    if (p.drawnFrame >= kKickFrame && p.kicked == 0 && p.ballDistance < kKickReach)
        KickFromTheGround(person, 125);
}

void Action_KeeperGoalKick(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    LookAtCentre();
    p.facing = static_cast<uint16_t>(
        Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y));
    if (Person_RunAnim(person, 97, 1 + p.kicked, ACT_KEEPER_IDLE) == 0) return;
    if (p.drawnFrame >= 21 && p.drawnFrame < kGoalKickFrame)
        Person_RunStep(person, kGoalKickRun, p.facing, kRunAccel);
    if (p.drawnFrame >= kGoalKickFrame && p.kicked == 0) KickFromTheGround(person, 122);
}

void Action_KeeperWalkToGoalKick(int32_t person)
{
    const int32_t x = Match.goalKickSpot[0];
    const int32_t y = Match.goalKickSpot[1];
    Person_PlaceAt(MATCH_BALL, x, y);
    Ball.x16 = x * 65536;
    Ball.y16 = y * 65536;
    Ball_Stop();
    Ball.height = 0;
    Ball.height16 = 0;
    // Nobody else plays the ball on the spot before his kick.
    Ball.holder = static_cast<int16_t>(person + 1);
    const int32_t behindY = y < PITCH_CENTRE_Y ? y - kBehindBall : y + kBehindBall;
    Person_RunToward(person, x, behindY);
    if (std::abs(CurrentPersonPos.x - x) + std::abs(CurrentPersonPos.y - behindY) <= kOnSpot)
        Person_SetAction(person, ACT_KEEPER_AIM_GOAL_KICK);
}

void Action_KeeperAimGoalKick(int32_t person)
{
    const int32_t side = Person_Side(person);
    Ball_Stop();
    Ball.height = 0;
    Ball.height16 = 0;
    Ball.possession = static_cast<uint8_t>(side);
    const bool behind = BehindOnAggregate(side);
    StartWindUpOnce();
    LookAtCentre();
    if (Match.distWait == 0) {
        ChooseTarget(person, kGoalKick, behind);
        return;
    }
    FaceMarker(person);
    if (WoundUp(behind)) ReleaseGoalKick(person);
}

void Action_KeeperGoalKickStepBack(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    Ball_Stop();
    Ball.height = 0;
    Ball.height16 = 0;
    MatchPerson& marker = MatchPersons[MATCH_MARKER];
    if (marker.frame != kMarkerSteppingBack) {
        marker.frame = kMarkerSteppingBack;
        Match.followedObject = MATCH_BALL;
        Ball.holder = 0;
    }
    p.facing = ball.y < PITCH_CENTRE_Y ? 128 : 0;
    Person_LoopAnim(person, 7, 1, 42);
    Person_RunStep(person, kBoxRun,
                   Person_DirectionTo(ball.x, ball.y, CurrentPersonPos.x, CurrentPersonPos.y),
                   kRunAccel);
    if (Person_StraightDistance(CurrentPersonPos.x, CurrentPersonPos.y, ball.x, ball.y) <= kRunUp)
        return;
    Person_SetAction(person, ACT_KEEPER_GOAL_KICK);
    p.runSpeed = kBoxRun;
}

void Action_KeeperGesture(int32_t person)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t animation = p.action == ACT_KEEPER_GESTURE_160 ? 101 : 102;
    Person_RunAnim(person, animation, 1, p.savedAction);
}
