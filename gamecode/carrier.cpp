// gamecode/carrier.cpp: the carrier decision, in the engine's fixed order of tests, and the
// closing down of the carrier.
#include "gamecode/carrier.h"

#include <algorithm>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/challenge.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/keycounts.h"
#include "gamecode/kickkinds.h"
#include "gamecode/motion.h"
#include "gamecode/offside.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"

namespace {

constexpr int32_t kOpenReach = 260;
constexpr int32_t kClearReach = 340;
constexpr int32_t kClearerReach = 400;
constexpr int32_t kTrickNear = 32;
constexpr int32_t kTrickRange = 400;
constexpr int32_t kShotRange = 160;
constexpr int32_t kLongBallFrom = 1400;
constexpr int32_t kClearanceFrom = 1600;
constexpr int32_t kLongBallReach = 960;
constexpr int32_t kOpponentClose = 26;
constexpr int32_t kOpponentNotClose = 54;
constexpr int32_t kReceiverCone = 64;
constexpr int32_t kTouchWidth = 250;
constexpr int32_t kStopScore = 128;
constexpr int32_t kSlowRun = 30;
constexpr int32_t kProbeAhead = 100;
constexpr int32_t kTouchStraight = 10;
constexpr int32_t kBackHeelLength = 50;
constexpr int32_t kRunOnSpeed = 100;
constexpr int32_t kTouchLift = 20480;
constexpr int32_t kZoneBand = 32;
constexpr int32_t kZoneWing = 100;
constexpr int32_t kGroupLongBall = 0;
constexpr int32_t kGroupIntoTouch = 1;
constexpr int32_t kGroupBackHeel = 2;
constexpr int32_t kGroupOwnWing = 3;
constexpr int32_t kGroupOtherWing = 4;
constexpr int32_t kGroupEdgeOfBox = 5;
constexpr int32_t kGroupHalfway = 6;
constexpr int32_t kShadeFacingLow = 32;
constexpr int32_t kShadeFacingHigh = 224;
constexpr int32_t kShadeCone = 48;
constexpr int32_t kShade = 64;

// The state of one decision as its steps hand it on.
struct Carrier {
    int32_t person;
    int32_t side;
    int32_t dirT;  // where he would carry the ball
    int32_t goal;  // G, his distance to the goal he attacks
    int32_t extra;
    int32_t open;
    int32_t clear;  // 0-2: how far ahead the open direction stays clear
    int32_t score;
    int32_t wanted;  // the open direction, or his facing when blocked
    int32_t e;       // the turn from his facing to the wanted direction
};

MatchPerson& Me(const Carrier& c) { return MatchPersons[c.person]; }
int32_t NearestOpponentDistance(int32_t side)
{
    return MatchPersons[ProximityList[side ^ 1][0]].ballDistance;
}

void Say(int32_t group, int32_t side) { Comm_Say(group, side, -1, -1, 0); }

void DirectedKick(const Carrier& c, int32_t direction, int32_t group)
{
    Person_LongKickAlong(c.person, direction & 255);
    Say(group, c.side);
}

void KickIntoTouch(const Carrier& c, int32_t group)
{
    const MatchPerson& p = Me(c);
    const int32_t tx = p.x < PITCH_CENTRE_X ? PITCH_LEFT_TOUCHLINE_X : PITCH_RIGHT_TOUCHLINE_X;
    const int32_t ty = Person_FacesTowardSmallerY(p.facing) ? p.y - Rand() % kTouchWidth
                                                            : p.y + Rand() % kTouchWidth;
    DirectedKick(c, Person_DirectionToN(p.x, p.y, tx, ty, 256), group);
}

void StopBall(const Carrier& c)
{
    Ball_Stop();
    Person_SetAction(c.person, Me(c).runSpeed < kSlowRun ? ACT_RUN_WITH_BALL : ACT_TAKE_ON_THE_RUN);
}

// The distance to a point along `open`; with no open direction along 255.
int32_t AlongOpen(const Carrier& c, int32_t x, int32_t y)
{
    const MatchPerson& p = Me(c);
    return Person_DistanceAlong(c.open < 0 ? 255 : c.open, p.x, p.y, x, y);
}

// A lead pass to the receiver (or the cell) when within 60 yards, else a long ball when nobody is
// on him; true when a lead pass was set up.
void LongBallTo(const Carrier& c, int32_t code, int32_t x, int32_t y, int32_t direction)
{
    if (AlongOpen(c, x, y) < kLongBallReach) {
        if (Rand() % 100 < 50) {
            Person_AimLeadPass2(c.person, code);
        } else {
            Person_AimLeadPass(c.person, code);
        }
    } else if (NearestOpponentDistance(c.side) > kOpponentNotClose) {
        DirectedKick(c, direction, kGroupLongBall);
    }
}

// Steps 6.2 and 6.3; false when the decision ends.
bool InstructedLongBall(Carrier& c)
{
    MatchPerson& p = Me(c);
    if (p.preferredReceiver > 0) {
        const int32_t run = Person_DirectionToTarget(c.person, 1, c.side);
        int32_t q = Person_PreferredReceiver(c.person);
        if (q >= 0) {
            const MatchPerson& r = MatchPersons[q];
            if (r.offPitch != 0
                || Person_FoldedDifference(Person_DirectionToN(p.x, p.y, r.x, r.y, 256), run)
                       > kReceiverCone)
                q = -1;
        }
        if (q >= 0) {
            LongBallTo(c, q, MatchPersons[q].x, MatchPersons[q].y, run);
        } else if (NearestOpponentDistance(c.side) <= kOpponentClose) {
            DirectedKick(c, p.facing, kGroupLongBall);
        }
    }
    int32_t x = 0;
    int32_t y = 0;
    if (!Person_TargetCellPoint(c.person, x, y)) {
        DirectedKick(c, Person_DirectionToTarget(c.person, 1, c.side), kGroupLongBall);
        return false;
    }
    CellTarget[0] = static_cast<int16_t>(x);
    CellTarget[1] = static_cast<int16_t>(y);
    c.dirT = Person_DirectionToTarget(c.person, 1, c.side);
    if (Person_FoldedDifference(Person_DirectionToN(p.x, p.y, x, y, 256), c.dirT)
        <= kReceiverCone) {
        LongBallTo(c, KICK_TO_CELL, x, y, c.dirT);
    } else if (NearestOpponentDistance(c.side) <= kOpponentClose) {
        DirectedKick(c, p.facing, kGroupIntoTouch);
    }
    return true;
}

bool Shoots(const Carrier& c)
{
    if (Person_ShouldShoot(c.person) == 0) return false;
    Person_ChooseShotTarget(c.person, 0);
    return true;
}

// A chooser and its set-up; true when a kick was set up.
bool FinalBall(const Carrier& c)
{
    const int32_t r = Person_PickFinalBall(c.person);
    if (r == KICK_NOBODY) return false;
    const MatchPerson& q = MatchPersons[std::max(r, 0)];
    Person_AimCrossOrShot(c.person, r, r >= 0 ? q.x : 0, r >= 0 ? q.y : 0);
    return true;
}

bool KickAt(const Carrier& c, int32_t r)
{
    if (r == KICK_NOBODY) return false;
    const MatchPerson& q = MatchPersons[std::max(r, 0)];
    Person_AimKickAt(c.person, r, r >= 0 ? q.x : 0, r >= 0 ? q.y : 0);
    return true;
}

bool Pass(const Carrier& c, int32_t r, void (*aim)(int32_t, int32_t))
{
    if (r == KICK_NOBODY) return false;
    aim(c.person, r);
    return true;
}

bool ShortPass(const Carrier& c) { return KickAt(c, Person_PickShortPass(c.person)); }
bool FacingPass(const Carrier& c, int32_t free)
{
    return KickAt(c, Person_PickFacingPass(c.person, free));
}
bool ThroughBall(const Carrier& c)
{
    return Pass(c, Person_PickThroughBall(c.person), Person_AimLongLeadPass);
}
bool MediumPass(const Carrier& c)
{
    return Pass(c, Person_PickMediumPass(c.person, 0), Person_AimLeadPass2);
}
bool LongLeadPass(const Carrier& c)
{
    return Pass(c, Person_PickLongLeadPass(c.person), Person_AimLeadPass);
}
bool LongPass(const Carrier& c)
{
    return Pass(c, Person_PickLongPass(c.person), Person_AimPassToFeet);
}

// Step 9: true when the decision ends; else the road of the facing with score 0.
bool Blocked(Carrier& c)
{
    MatchPerson& p = Me(c);
    if (Shoots(c) || FinalBall(c)) return true;
    if (TeamPressure[c.side] > TeamPressure[c.side ^ 1]) {
        if (MediumPass(c) || FacingPass(c, 1)) return true;
    } else if (FacingPass(c, 1) || MediumPass(c)) {
        return true;
    }
    if (LongPass(c) || LongLeadPass(c)) return true;
    if (c.goal > kClearanceFrom && Person_Skill(p, 8) < 5) {
        if (NearestOpponentDistance(c.side) <= kOpponentClose) {
            DirectedKick(c, p.facing, kGroupIntoTouch);
        } else {
            DirectedKick(c, c.dirT, kGroupLongBall);
        }
        return true;
    }
    if (Match_SkillTest(Person_Skill(p, 5))) c.clear = 2;
    c.wanted = p.facing;
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    Person_VectorFromAngle(p.facing, kProbeAhead, 256);
    if (!InsidePitch(ball.x + StepX, ball.y - StepY)) {
        StopBall(c);
        return true;
    }
    c.score = 0;
    return false;
}

// Step 10: true when a pass was set up.
bool PassOrCarry(const Carrier& c)
{
    const MatchPerson& p = Me(c);
    const int32_t w = c.wanted;
    const int32_t line = LastDefenderLine[c.side ^ 1];
    const bool forward =
        (AttacksUp(c.side) ? p.y < line : p.y > line) || (w > 40 && w < 88) || (w > 168 && w < 216);
    const int32_t skill5 = Person_Skill(p, 5);
    const int32_t skill3 = Person_Skill(p, 3);
    const int32_t skill20 = Person_Skill(p, 20);
    if (Rand() % (skill5 + 1) > c.score) {
        if (!forward) return false;
        if (FinalBall(c)) return true;
        if (p.thirdInstruction != 0 && Rand() % (skill5 + 1) <= c.score) return false;
        if (Match_SkillTest(skill3) && ShortPass(c)) return true;
        if (Match_SkillTest(skill20) && ThroughBall(c)) return true;
        if (Rand() % 200 < skill20 && (MediumPass(c) || LongLeadPass(c))) return true;
        return FacingPass(c, 0) || LongPass(c);
    }
    if (!forward || 100 - skill3 >= Rand() % 50 + c.score) return false;
    if (Match_SkillTest(skill3) && ShortPass(c)) return true;
    if (FinalBall(c)) return true;
    if (Rand() % 200 < skill20 && ThroughBall(c)) return true;
    if (Rand() % 100 < skill20 && (MediumPass(c) || LongLeadPass(c))) return true;
    return FacingPass(c, 0) || LongPass(c);
}

struct TurnRow {
    int32_t below;  // e below this
    int16_t rising;
    int16_t falling;
    int16_t probe;
};

constexpr TurnRow kTurns[] = {
    {48, ACT_AIMED_KICK_7, ACT_AIMED_KICK_11, 8},
    {80, ACT_AIMED_KICK_8, ACT_AIMED_KICK_12, 17},
    {112, ACT_AIMED_KICK_9, ACT_AIMED_KICK_13, 37},
    {256, ACT_AIMED_KICK_10, ACT_AIMED_KICK_10, 32},
};

// Step 12: true when the decision ends in a turn action; false to run on.
bool Turn(Carrier& c)
{
    MatchPerson& p = Me(c);
    c.e = Person_FoldedDifference(c.wanted, p.facing);
    const bool rising = ((c.wanted - p.facing) & 255) >= 1 && ((c.wanted - p.facing) & 255) <= 127;
    const int32_t agility = Person_Skill(p, SKILL_AGILITY);
    if (c.e >= 112 && Match_SkillRoll(agility, 100) > agility) {
        p.facing = static_cast<uint16_t>((p.facing + (rising ? 1 : -1)) & 255);
        return false;
    }
    p.aimDirection = static_cast<int16_t>(c.wanted);
    if (c.e < 32) {
        p.facing = static_cast<uint16_t>((p.facing + (rising ? 1 : -1)) & 255);
        return false;
    }
    if (p.runSpeed < kSlowRun && c.score != 0) {
        Person_SetAction(c.person, ACT_RUN_WITH_BALL);
        return true;
    }
    const TurnRow* row = kTurns;
    while (c.e >= row->below)
        ++row;
    Person_VectorFromAngle(p.facing, 2, 256);
    if (InsidePitch(p.x + StepX * row->probe, p.y - StepY * row->probe)) {
        Person_SetAction(c.person, rising ? row->rising : row->falling);
        return true;
    }
    Person_SetAction(c.person, ACT_GROUND_PASS);
    Match.kickTargetPerson = -1;
    Person_VectorFromAngle((p.facing + 128) & 255, kBackHeelLength, 256);
    Match.kickTargetPoint[0] = static_cast<int16_t>(p.x + StepX);
    Match.kickTargetPoint[1] = static_cast<int16_t>(p.y - StepY);
    Say(kGroupBackHeel, c.side);
    return true;
}

// The zone lines after a short touch, once between two recorded touches.
void SayZone(const Carrier& c)
{
    if (Match.carrierCommentCount != 0) return;
    const MatchPerson& p = Me(c);
    const bool up = AttacksUp(c.side);
    const bool nearLeft = p.x < PITCH_LEFT_TOUCHLINE_X + kZoneWing;
    const bool nearRight = p.x > PITCH_RIGHT_TOUCHLINE_X - kZoneWing;
    const int32_t box = up ? PITCH_BOX_FAR_Y : PITCH_BOX_NEAR_Y;
    const bool shortOfBox =
        up ? p.y > box - kZoneBand && p.y < box : p.y > box && p.y < box + kZoneBand;
    const bool shortOfHalfway =
        up ? p.y > PITCH_HALFWAY_LINE_Y - kZoneBand && p.y < PITCH_HALFWAY_LINE_Y
           : p.y > PITCH_HALFWAY_LINE_Y && p.y < PITCH_HALFWAY_LINE_Y + kZoneBand;
    int32_t group = -1;
    if (up ? nearLeft : nearRight) {
        group = kGroupOwnWing;
    } else if (up ? nearRight : nearLeft) {
        group = kGroupOtherWing;
    } else if (p.x > PITCH_BOX_LEFT_X && p.x < PITCH_BOX_RIGHT_X && shortOfBox) {
        group = kGroupEdgeOfBox;
    } else if (shortOfHalfway) {
        group = kGroupHalfway;
    }
    if (group < 0) return;
    Say(group, c.side);
    ++Match.carrierCommentCount;
}

struct TouchRow {
    int16_t base;  // length = base - skill 5 / 2
    int16_t cooldown;
    int16_t action;  // -1 none
};

constexpr TouchRow kTouches[] = {
    {90, 16, -1},
    {110, 32, ACT_CARRY_RUN},
    {130, 32, ACT_CARRY_SPRINT},
};

// Step 14: he runs on; a free carrier touches the ball ahead along his wanted direction.
void RunOn(const Carrier& c, bool decided)
{
    MatchPerson& p = Me(c);
    Person_RunStepBoosted(c.person, kRunOnSpeed, 1);
    Person_LoopAnim(c.person, 15, 1, 0);
    if (decided && p.touchCooldown1 == 0 && p.hasBall != 0) {
        p.x16 = CurrentPersonPos.x16;
        p.y16 = CurrentPersonPos.y16;
        p.x = Fixed_ToUnits(p.x16);
        p.y = Fixed_ToUnits(p.y16);
        if (c.e >= kTouchStraight) {
            Ball_PlaceAtFeet(c.person);
        } else {
            p.facing = static_cast<uint16_t>(c.wanted & 255);
            const TouchRow& row = kTouches[c.clear];
            const int32_t skill5 = Person_Skill(p, 5);
            Person_VectorFromAngle(p.facing, row.base - skill5 / 2, 256);
            Ball.velX = StepX * 4096;
            Ball.velY = -StepY * 4096;
            Ball.velZ = kTouchLift;
            Ball_UpdateSpeedDir();
            Ball_GiveToPerson(-1);
            p.kicked = 1;
            p.touchCooldown1 = row.cooldown;
            if (c.clear == 2) {
                if (Rand() % 400 < skill5) ++p.stats.rareLongRuns;
                ++p.stats.longRuns;
                KeyCounts_Run(c.person, p.y, Ball.velY);
            }
            Match_MarkOffsidePositions(c.person);
            if (row.action >= 0) {
                Person_SetAction(c.person, row.action);
            } else {
                SayZone(c);
            }
        }
    }
    if (p.touchCooldown1 == 1) p.frame = 31;
}

// Steps 3-13; true when the decision ended before running on.
bool Decide(Carrier& c)
{
    MatchPerson& p = Me(c);
    const int32_t reach = c.extra;
    c.open = Person_FindOpenDirection(c.person, c.dirT, reach + kOpenReach);
    c.clear = 0;
    if (c.open != -1 && Person_FindOpenDirection(c.person, c.dirT, reach + kClearReach) == c.open) {
        c.clear = 1;
        if (Person_FindOpenDirection(c.person, c.dirT, reach + kClearerReach) == c.open)
            c.clear = 2;
    }
    const int32_t rival = ActivePlayer[c.side ^ 1];
    if (Rand() % (Person_Skill(p, 14) + 101) == 0 && rival != MATCH_NONE
        && MatchPersons[rival].ballDistance < kTrickNear && c.goal < kTrickRange) {
        Person_SetAction(c.person, ACT_DIVE_FOR_FOUL);
        return true;
    }
    if (c.goal < kShotRange && Shoots(c)) return true;
    if (p.secondInstruction != 0 && c.goal > kLongBallFrom) {
        if (SubstitutionRequest[c.side] != 0) {
            KickIntoTouch(c, kGroupIntoTouch);
            return true;
        }
        if (!InstructedLongBall(c)) return true;
    }
    if (c.open == -1) {
        if (Blocked(c)) return true;
    } else {
        if (SubstitutionRequest[c.side] != 0 && c.goal > kLongBallFrom) {
            KickIntoTouch(c, kGroupLongBall);
            return true;
        }
        c.wanted = c.open;
        c.score = (Person_FoldedDifference(c.open, c.dirT) + c.extra / 2) * (3 - c.clear);
        if (Shoots(c)) return true;
    }
    if (PassOrCarry(c)) return true;
    if (c.score > kStopScore && p.touchCooldown1 == 0 && Team_NoOpponentNear(c.person) != 0) {
        StopBall(c);
        return true;
    }
    return Turn(c);
}

}  // namespace

void Team_CarrierDecision(int32_t person)
{
    Carrier c{};
    c.person = person;
    c.side = Person_Side(person);
    c.dirT = Person_DirectionToTarget(person, 0, c.side);
    c.goal = DistanceResult;
    c.extra = std::max(0, c.goal / 5 - 200);
    c.e = 255;
    if (MatchPersons[person].hasBall == 0) {
        RunOn(c, false);
        return;
    }
    if (Decide(c)) return;
    RunOn(c, true);
}

void Team_CloseDownCarrier(int32_t defender)
{
    const int32_t side = Ball.possession;
    if (ActivePlayer[side] == MATCH_NONE)
        ActivePlayer[side] = static_cast<uint8_t>(ProximityList[side][0]);
    const int32_t carrier = ActivePlayer[side];
    if (Person_Side(carrier) == Person_Side(defender)) {
        Person_RunToward(defender, Ball.lookAhead[0][0], Ball.lookAhead[0][1]);
        return;
    }
    const MatchPerson& a = MatchPersons[carrier];
    const MatchPerson& d = MatchPersons[defender];
    const int32_t run = Person_DirectionToTarget(carrier, 1, side);
    const int32_t skill2 = Person_Skill(d, 2);
    // A defender with no skill 2 would divide by zero: he leads by the most.
    const int32_t lead =
        (DistanceResult / 30 + 16 + d.ballDistance / 4) * 100 / std::max(1, skill2);
    Person_VectorFromAngle(run, lead, 256);
    int32_t x = a.x + StepX;
    int32_t y = a.y - StepY;
    const bool deep =
        (a.hasBall == 0 && a.touchCooldown1 == 0 && a.ballDistance >= 32)
        || d.ballDistance <= Person_EffectiveSkill(defender, Person_Skill(d, 11) / 2) + 48
        || Ball.speed <= 1;
    if (deep && d.ballDistance <= 3 * skill2) {
        x = Ball.lookAhead[0][0];
        y = Ball.lookAhead[0][1];
    } else if ((a.facing >= 97 && a.facing <= 159) || a.facing > kShadeFacingHigh
               || a.facing < kShadeFacingLow) {
        const int32_t toPoint = Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y);
        if (Person_FoldedDifference(toPoint, a.facing) < kShadeCone) {
            if (d.x < PITCH_CENTRE_X) x += kShade;
            if (d.x > PITCH_CENTRE_X) x -= kShade;
        }
    }
    // A tired defender's lead grows long: near his goal line it would run him off the map.
    y = std::clamp(y, PITCH_NEAR_GOAL_LINE_Y, PITCH_FAR_GOAL_LINE_Y);
    Person_RunToward(defender, x, y);
    Person_ChooseTackle(defender, carrier);
}
