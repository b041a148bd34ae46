// gamecode/kickkinds.cpp: the receiver choosers, their lane checks and the kick set-ups, each
// family one body driven by a row per member.
#include "gamecode/kickkinds.h"

#include <algorithm>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/motion.h"
#include "gamecode/pitch.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"

namespace {

constexpr int32_t kCellRowHeight = PITCH_LENGTH / 18;
constexpr int32_t kCellColumnWidth = PITCH_WIDTH / 15;
constexpr int32_t kCellNearest = 480;
constexpr int32_t kCellFarthest = 960;
constexpr int32_t kCellCone = 42;
constexpr int32_t kLeadLength = 140;
constexpr int32_t kThroughLeadLength = 280;
constexpr int32_t kThroughShortNearGoal = 720;
constexpr int32_t kLaneKeyGap = 200;
constexpr int32_t kLaneLeadAhead = 280;
constexpr int32_t kLaneSlack = 128;
constexpr int32_t kLaneMargin = 16;
constexpr int32_t kThroughFromGoal = 480;
constexpr int32_t kThroughNearLine = 160;
constexpr int32_t kSkillTestSlack = 28;
constexpr int32_t kNoScore = 256;
constexpr int32_t kListFirst = 1;
constexpr int32_t kListLast = 10;
constexpr int32_t kOpponentsTested = 11;
constexpr int32_t kBehindNear = 160;
constexpr int32_t kFinalBallCone = 76;
constexpr int32_t kFinalBallFlank = 352;
constexpr int32_t kFinalBallReach = 480;
constexpr int32_t kFinalBallMinReach = 80;
constexpr int32_t kFinalBallAngle = 42;
constexpr int32_t kFinalBallShootNear = 100;
constexpr int32_t kShotDepth = 140;
constexpr int32_t kCrossProbe = 54;

const ChooserRow& RowOf(ChooserKind kind) { return ChooserTable[static_cast<int32_t>(kind)]; }
const LaneCheckRow& LaneOf(LaneKind kind) { return LaneCheckTable[static_cast<int32_t>(kind) - 1]; }
const KickSetUpRow& SetUpOf(KickSetUp kind) { return KickSetUpTable[static_cast<int32_t>(kind)]; }

int32_t DirectionBetween(int32_t from, int32_t x, int32_t y)
{
    const MatchPerson& p = MatchPersons[from];
    return Person_DirectionToN(p.x, p.y, x, y, 256);
}

// The point `length` along the receiver's own run toward goal.
void LeadPoint(int32_t receiver, int32_t length, int32_t& x, int32_t& y)
{
    const MatchPerson& q = MatchPersons[receiver];
    Person_VectorFromAngle(Person_DirectionToTarget(receiver, 2, Person_Side(receiver)), length,
                           256);
    x = q.x + StepX;
    y = q.y - StepY;
}

int32_t LaneKey(const MatchPerson& p)
{
    return p.ballDistance + 2 * Person_FoldedDifference(p.dirToBall, p.facing);
}

bool Tested(LaneFilter filter, const MatchPerson& q, const MatchPerson& o)
{
    switch (filter) {
        case LaneFilter::KeyGap: return std::abs(LaneKey(q) - LaneKey(o)) >= kLaneKeyGap;
        case LaneFilter::LeadGap:
            return std::abs(q.ballDistance + kLaneLeadAhead - o.ballDistance) >= kLaneKeyGap;
        case LaneFilter::NearerThanLead: return o.ballDistance <= q.ballDistance + kLaneLeadAhead;
        case LaneFilter::KeySlack: return LaneKey(o) - kLaneSlack <= LaneKey(q);
        case LaneFilter::None: return false;
    }
    return false;
}

int32_t OffsideEyeSkill(OffsideEye eye, int32_t carrier)
{
    const MatchPerson& p = MatchPersons[carrier];
    switch (eye) {
        case OffsideEye::EffectiveSkill21:
            return Person_EffectiveSkill(carrier, Person_Skill(p, 21));
        case OffsideEye::EffectiveSkill12:
            return Person_EffectiveSkill(carrier, Person_Skill(p, 12));
        case OffsideEye::RawSkill21: return Person_Skill(p, 21);
    }
    return 0;
}

bool BeyondOffsideLine(int32_t receiver)
{
    const int32_t side = Person_Side(receiver);
    const int32_t line = LastDefenderLine[side ^ 1];
    return AttacksUp(side) ? MatchPersons[receiver].y > line : MatchPersons[receiver].y < line;
}

// A through ball runs only to a receiver well short of goal and close to the offside line, as
// close at either end.
bool ThroughBallFits(int32_t receiver)
{
    const int32_t side = Person_Side(receiver);
    const MatchPerson& q = MatchPersons[receiver];
    return std::abs(AttackedGoalY(side) - q.y) > kThroughFromGoal
           && std::abs(q.y - LastDefenderLine[side ^ 1]) <= kThroughNearLine;
}

// An opponent within w + 16 steps of the lane, seen from the ball.
bool BlocksLane(const LaneCheckRow& row, int32_t dir, const MatchPerson& o)
{
    const int32_t width = std::max(0, row.widthBase - o.ballDistance / 10) + kLaneMargin;
    const int32_t e = std::abs(dir - ((o.dirToBall + 128) & 255));
    return e > 256 - width || e < width;
}

// Writes CellTarget and offers the cell (score 0) when it lies 30 to 60 yards away near ref.
void OfferCell(int32_t carrier, int32_t ref, int32_t& best, int32_t& bestScore)
{
    CellTarget[0] = 0;
    CellTarget[1] = 0;
    int32_t x = 0;
    int32_t y = 0;
    if (!Person_TargetCellPoint(carrier, x, y)) return;
    CellTarget[0] = static_cast<int16_t>(x);
    CellTarget[1] = static_cast<int16_t>(y);
    const MatchPerson& p = MatchPersons[carrier];
    const int32_t distance = std::abs(p.x - x) + std::abs(p.y - y);
    if (distance > kCellNearest && distance < kCellFarthest
        && Person_FoldedDifference(DirectionBetween(carrier, x, y), ref) < kCellCone) {
        best = KICK_TO_CELL;
        bestScore = 0;
    }
}

bool Eligible(const ChooserRow& row, int32_t carrier, int32_t q, int32_t range, int32_t free)
{
    const int32_t side = Person_Side(carrier);
    if (q == carrier || q == LineUp[side][0] || q < 0 || q >= MATCH_PLAYER_COUNT) return false;
    const MatchPerson& m = MatchPersons[q];
    const int32_t minimum = free != 0 ? row.minBallDistanceFree : row.minBallDistance;
    return m.ballDistance <= range && m.ballDistance >= minimum && m.offPitch == 0
           && m.action <= row.actionLimit;
}

int32_t Range(const ChooserRow& row, const MatchPerson& p)
{
    const int32_t skill = row.rangeSkill >= 0 ? Person_Skill(p, row.rangeSkill) : 0;
    return row.rangeFactor * skill + row.rangeBase;
}

int32_t WeighAngle(const ChooserRow& row, const MatchPerson& p, int32_t a)
{
    if (p.thirdInstruction == 1) a *= row.crossFactor;
    if (static_cast<int8_t>(p.firstInstruction) == 2) a = a * row.shootFactor / row.shootDivisor;
    return a;
}

bool InCone(const ChooserRow& row, const MatchPerson& p, int32_t a, int32_t free)
{
    if (row.skillTest >= 0 && a - kSkillTestSlack > Person_Skill(p, row.skillTest)) return false;
    if (row.coneBase == 0 || (free != 0 && row.freeSkipsCone)) return true;
    const int32_t limit = row.coneBase - (row.coneUsesSkill9 ? Person_Skill(p, 9) / 4 : 0);
    return a < limit;
}

void Keep(int32_t q, int32_t a, int32_t preferred, int32_t& best, int32_t& bestScore)
{
    if (q == preferred) {
        best = q;
        bestScore = 0;
    } else if (a < bestScore) {
        best = q;
        bestScore = a;
    }
}

void SetKickAction(int32_t kicker, bool behind)
{
    const int32_t speed = MatchPersons[kicker].runSpeed;
    const int32_t action = speed < 100   ? (behind ? ACT_GROUND_PASS : ACT_GROUND_KICK)
                           : speed < 140 ? (behind ? ACT_BACK_HEEL_110 : ACT_PASS_109)
                                         : (behind ? ACT_BACK_HEEL_66 : ACT_PASS_77);
    Person_SetAction(kicker, action);
}

void ExpectBall(int32_t receiver, int32_t x, int32_t y, bool waits)
{
    if (receiver < 0 || receiver >= MATCH_PLAYER_COUNT) return;
    if (waits) Person_SetAction(receiver, ACT_GO_TO_MEETING_SPOT);
    MatchPersons[receiver].receivePoint[0] = static_cast<int16_t>(x);
    MatchPersons[receiver].receivePoint[1] = static_cast<int16_t>(y);
}

// The y distance from the kicker to the goal line on the half that holds y.
int32_t GoalLineDepth(const MatchPerson& p, int32_t y)
{
    return y < PITCH_HALFWAY_LINE_Y ? p.y - PITCH_NEAR_GOAL_LINE_Y : PITCH_FAR_GOAL_LINE_Y - p.y;
}

}  // namespace

const LaneCheckRow LaneCheckTable[5] = {
    {LaneKind::Clear, false, OffsideEye::EffectiveSkill21, false, LaneFilter::KeyGap, 32},
    {LaneKind::Lead, true, OffsideEye::EffectiveSkill21, false, LaneFilter::LeadGap, 32},
    {LaneKind::NearLead, true, OffsideEye::EffectiveSkill21, false, LaneFilter::NearerThanLead, 32},
    {LaneKind::Short, false, OffsideEye::EffectiveSkill12, true, LaneFilter::KeySlack, 24},
    {LaneKind::ThroughBall, false, OffsideEye::RawSkill21, false, LaneFilter::None, 0},
};

// kind, range skill/factor/base, min distance (free), action limit, lane, free skips lane,
// factors, skill test, cone, cone uses skill 9, free skips cone, ref facing, cell, preferred.
const ChooserRow ChooserTable[9] = {
    {ChooserKind::LongPass, 20, 3, 1000, 600, 600, 16, LaneKind::Clear, false, 8, 8, 1, 3, 64, true,
     false, false, true, true},
    {ChooserKind::LongLeadPass, 20, 3, 1600, 1000, 1000, 16, LaneKind::Lead, false, 8, 8, 1, 3, 64,
     true, false, false, true, true},
    {ChooserKind::MediumPass, 20, 3, 600, 200, 200, 16, LaneKind::NearLead, true, 8, 8, 1, 3, 72,
     true, false, false, true, true},
    {ChooserKind::ShortPass, 20, 3, 150, 120, 120, 4, LaneKind::Short, false, 8, 4, 1, 3, 32, false,
     false, false, true, true},
    {ChooserKind::FacingPass, 20, 3, 150, 120, 60, 4, LaneKind::Short, false, 8, 1, 4, 3, 72, true,
     true, true, true, true},
    {ChooserKind::ThroughBall, 20, 3, 1600, 120, 120, 4, LaneKind::ThroughBall, false, 8, 8, 1, 3,
     0, false, false, false, true, true},
    {ChooserKind::QuickPass, 4, 2, 150, 60, 60, 4, LaneKind::None, false, 1, 1, 1, 18, 0, false,
     false, false, false, true},
    {ChooserKind::FinalBall, 20, 3, 600, 300, 300, 4, LaneKind::None, false, 1, 1, 1, -1, 0, false,
     false, false, true, true},
    {ChooserKind::LayOff, -1, 0, 250, 60, 60, 4, LaneKind::Short, false, 1, 1, 1, -1, 0, false,
     false, true, false, false},
};

const KickSetUpRow KickSetUpTable[5] = {
    {KickAim::Feet, false, false, 2},      {KickAim::Lead, true, false, 2},
    {KickAim::Lead, true, false, 1},       {KickAim::ThroughLead, true, false, 3},
    {KickAim::GivenPoint, false, true, 0},
};

int32_t Person_PreferredReceiver(int32_t carrier)
{
    const int32_t slot = MatchPersons[carrier].preferredReceiver;
    if (slot < 1 || slot >= MATCH_PERSONS_PER_SIDE) return -1;
    return Person_Side(carrier) * MATCH_PERSONS_PER_SIDE + slot;
}

bool Person_TargetCellPoint(int32_t carrier, int32_t& x, int32_t& y)
{
    const MatchPerson& p = MatchPersons[carrier];
    if (p.targetCellRow < 0) return false;
    y = kCellRowHeight * p.targetCellRow;
    x = kCellColumnWidth * p.targetCellColumn;
    if (!AttacksUp(Person_Side(carrier))) {
        y = PITCH_LENGTH - y;
        x = PITCH_WIDTH - x;
    }
    y += PITCH_NEAR_GOAL_LINE_Y;
    x += PITCH_LEFT_TOUCHLINE_X;
    return true;
}

int32_t Pass_CheckLane(const LaneCheckRow& row, int32_t carrier, int32_t receiver)
{
    const MatchPerson& q = MatchPersons[receiver];
    int32_t x = q.x;
    int32_t y = q.y;
    if (row.aimsAtLeadPoint) LeadPoint(receiver, kLeadLength, x, y);
    const int32_t dir = DirectionBetween(carrier, x, y);
    if (Rand() % 100 < OffsideEyeSkill(row.eye, carrier) && q.offsideMark != 0) return -1;
    if (row.refusesBeyondOffsideLine && BeyondOffsideLine(receiver)) return -1;
    if (row.kind == LaneKind::ThroughBall) return ThroughBallFits(receiver) ? dir : -1;
    const int32_t other = Person_Side(carrier) ^ 1;
    for (int32_t i = 0; i < kOpponentsTested; ++i) {
        const int32_t o = ProximityList[other][i];
        if (o < 0 || o >= MATCH_PLAYER_COUNT) continue;
        const MatchPerson& opponent = MatchPersons[o];
        if (opponent.offPitch != 0 || !Tested(row.filter, q, opponent)) continue;
        if (BlocksLane(row, dir, opponent)) return -1;
    }
    return dir;
}

int32_t Person_PickReceiver(const ChooserRow& row, int32_t carrier, int32_t free)
{
    const MatchPerson& p = MatchPersons[carrier];
    const int32_t side = Person_Side(carrier);
    const int32_t ref = row.refIsFacing ? p.facing : Person_DirectionToTarget(carrier, 1, side);
    const int32_t range = Range(row, p);
    const int32_t preferred = row.usesPreferred ? Person_PreferredReceiver(carrier) : -1;
    int32_t best = KICK_NOBODY;
    int32_t bestScore = kNoScore;
    if (row.usesCell) OfferCell(carrier, ref, best, bestScore);
    for (int32_t i = kListFirst; i <= kListLast; ++i) {
        const int32_t q = ProximityList[side][i];
        if (!Eligible(row, carrier, q, range, free)) continue;
        int32_t dir = 0;
        if (row.lane == LaneKind::None) {
            dir = DirectionBetween(carrier, MatchPersons[q].x, MatchPersons[q].y);
        } else if (free == 0 || !row.freeSkipsLane) {
            dir = Pass_CheckLane(LaneOf(row.lane), carrier, q);
            if (dir == -1) continue;
        } else {
            // Unchecked, the pass weighs as one struck straight at the goal line he attacks: a
            // fixed direction 0 would stand half a turn off the run of the side attacking y 2042.
            dir = AttacksUp(side) ? 128 : 0;
        }
        const int32_t a = WeighAngle(row, p, Person_FoldedDifference(dir, ref));
        if (!InCone(row, p, a, free)) continue;
        Keep(q, a, preferred, best, bestScore);
    }
    return best;
}

int32_t Person_PickLongPass(int32_t c)
{
    return Person_PickReceiver(RowOf(ChooserKind::LongPass), c, 0);
}
int32_t Person_PickLongLeadPass(int32_t c)
{
    return Person_PickReceiver(RowOf(ChooserKind::LongLeadPass), c, 0);
}
int32_t Person_PickMediumPass(int32_t c, int32_t free)
{
    return Person_PickReceiver(RowOf(ChooserKind::MediumPass), c, free);
}
int32_t Person_PickShortPass(int32_t c)
{
    return Person_PickReceiver(RowOf(ChooserKind::ShortPass), c, 0);
}
int32_t Person_PickFacingPass(int32_t c, int32_t free)
{
    return Person_PickReceiver(RowOf(ChooserKind::FacingPass), c, free);
}
int32_t Person_PickThroughBall(int32_t c)
{
    return Person_PickReceiver(RowOf(ChooserKind::ThroughBall), c, 0);
}
int32_t Person_PickQuickPass(int32_t c)
{
    return Person_PickReceiver(RowOf(ChooserKind::QuickPass), c, 0);
}
int32_t Person_PickLayOff(int32_t c)
{
    return Person_PickReceiver(RowOf(ChooserKind::LayOff), c, 0);
}

int32_t Pass_LaneClear(int32_t c, int32_t q)
{
    return Pass_CheckLane(LaneOf(LaneKind::Clear), c, q);
}
int32_t Pass_LeadLaneClear(int32_t c, int32_t q)
{
    return Pass_CheckLane(LaneOf(LaneKind::Lead), c, q);
}
int32_t Pass_NearLeadLaneClear(int32_t c, int32_t q)
{
    return Pass_CheckLane(LaneOf(LaneKind::NearLead), c, q);
}
int32_t Pass_ShortLaneClear(int32_t c, int32_t q)
{
    return Pass_CheckLane(LaneOf(LaneKind::Short), c, q);
}
int32_t Pass_ThroughBallCheck(int32_t c, int32_t q)
{
    return Pass_CheckLane(LaneOf(LaneKind::ThroughBall), c, q);
}

int32_t Person_PickFinalBall(int32_t carrier)
{
    const ChooserRow& row = RowOf(ChooserKind::FinalBall);
    MatchPerson& p = MatchPersons[carrier];
    const int32_t side = Person_Side(carrier);
    const int32_t ref = Person_DirectionToTarget(carrier, 1, side);
    int32_t reach = kFinalBallReach - 3 * Person_Skill(p, 12);
    if (p.thirdInstruction == 1) {
        reach /= 2;
    } else if (p.thirdInstruction == 2) {
        reach = kFinalBallReach;
    }
    reach = std::max(reach, kFinalBallMinReach);
    const bool centreStrip = p.x > PITCH_LEFT_TOUCHLINE_X + kFinalBallFlank
                             && p.x < PITCH_RIGHT_TOUCHLINE_X - kFinalBallFlank;
    const bool farFromGoals =
        p.y - PITCH_NEAR_GOAL_LINE_Y > reach && PITCH_FAR_GOAL_LINE_Y - p.y > reach;
    const bool ownHalf = AttacksUp(side) ? p.y < PITCH_HALFWAY_LINE_Y : p.y >= PITCH_HALFWAY_LINE_Y;
    if (Person_FoldedDifference(p.facing, ref) > kFinalBallCone || centreStrip || farFromGoals
        || ownHalf)
        return KICK_NOBODY;
    const int32_t dGoal = std::abs(AttackedGoalY(side) - p.y);
    const int32_t range = Range(row, p);
    const int32_t preferred = Person_PreferredReceiver(carrier);
    int32_t best = KICK_NOBODY;
    int32_t bestScore = kNoScore;
    OfferCell(carrier, ref, best, bestScore);
    for (int32_t i = kListFirst; i <= kListLast; ++i) {
        const int32_t q = ProximityList[side][i];
        if (!Eligible(row, carrier, q, range, 0)) continue;
        const int32_t a = Person_FoldedDifference((MatchPersons[q].dirToBall + 128) & 255, ref);
        if (a < kFinalBallAngle) Keep(q, a, preferred, best, bestScore);
    }
    ++p.stats.finalBallDecisions;
    const int32_t skill3 = Person_Skill(p, 3);
    const int32_t roll = skill3 > 0 ? Match_SkillRoll(skill3, 100) : 0;
    if ((roll > skill3 || dGoal < kFinalBallShootNear) && best == KICK_NOBODY) {
        ++p.stats.finalBallShots;
        return KICK_SHOOT;
    }
    ++p.stats.finalBallPasses;
    return best;
}

void Person_SetUpKick(const KickSetUpRow& row, int32_t kicker, int32_t code, int32_t x, int32_t y)
{
    MatchPerson& p = MatchPersons[kicker];
    Match.kickTargetPerson = static_cast<int16_t>(code);
    if (code < 0) {
        x = CellTarget[0];
        y = CellTarget[1];
    } else if (row.aim != KickAim::GivenPoint) {
        const MatchPerson& q = MatchPersons[code];
        x = q.x;
        y = q.y;
        if (row.aim != KickAim::Feet) {
            const bool nearGoal =
                std::abs(AttackedGoalY(Person_Side(code)) - q.y) < kThroughShortNearGoal;
            const int32_t length =
                row.aim == KickAim::ThroughLead && !nearGoal ? kThroughLeadLength : kLeadLength;
            LeadPoint(code, length, x, y);
        }
    }
    Match.kickTargetPoint[0] = static_cast<int16_t>(x);
    Match.kickTargetPoint[1] = static_cast<int16_t>(y);
    if (code >= 0) ExpectBall(code, x, y, row.receiverWaits);
    const int32_t dir = DirectionBetween(kicker, x, y);
    Person_VectorFromAngle(dir, 1, 256);  // the step vector is left as the routines leave it
    bool behind = false;
    if (row.behindRule) {
        const int32_t apart = std::abs(dir - static_cast<int32_t>(p.facing));
        behind =
            apart > 112 && apart < 144 && Person_DistanceAlong(dir, p.x, p.y, x, y) < kBehindNear;
    }
    SetKickAction(kicker, behind);
    p.passKind = row.style;
}

void Person_AimPassToFeet(int32_t k, int32_t c)
{
    Person_SetUpKick(SetUpOf(KickSetUp::PassToFeet), k, c, 0, 0);
}
void Person_AimLeadPass(int32_t k, int32_t c)
{
    Person_SetUpKick(SetUpOf(KickSetUp::LeadPass), k, c, 0, 0);
}
void Person_AimLeadPass2(int32_t k, int32_t c)
{
    Person_SetUpKick(SetUpOf(KickSetUp::LeadPass2), k, c, 0, 0);
}
void Person_AimLongLeadPass(int32_t k, int32_t c)
{
    Person_SetUpKick(SetUpOf(KickSetUp::LongLeadPass), k, c, 0, 0);
}
void Person_AimKickAt(int32_t k, int32_t c, int32_t x, int32_t y)
{
    Person_SetUpKick(SetUpOf(KickSetUp::KickAt), k, c, x, y);
}

void Person_AimCrossOrShot(int32_t kicker, int32_t code, int32_t x, int32_t y)
{
    MatchPerson& p = MatchPersons[kicker];
    int32_t dGoal = 0;
    if (code == KICK_SHOOT) {
        Person_ChooseShotTarget(kicker, 0);
        x = ShotTarget[0];
        y = ShotTarget[1];
        int32_t depth = Rand() % kShotDepth;
        if (y < PITCH_HALFWAY_LINE_Y) {
            if (y + depth < PITCH_NEAR_GOAL_LINE_Y) depth = 0;
            y += depth;
            dGoal = p.y - PITCH_NEAR_GOAL_LINE_Y;
        } else {
            if (y - depth > PITCH_FAR_GOAL_LINE_Y) depth = 0;
            y -= depth;
            dGoal = PITCH_FAR_GOAL_LINE_Y - p.y;
        }
    } else {
        if (code == KICK_TO_CELL) {
            x = CellTarget[0];
            y = CellTarget[1];
        }
        dGoal = GoalLineDepth(p, y);
        if (code >= 0) ExpectBall(code, x, y, true);
    }
    Match.kickTargetPerson = static_cast<int16_t>(code);
    Match.kickTargetPoint[0] = static_cast<int16_t>(x);
    Match.kickTargetPoint[1] = static_cast<int16_t>(y);
    const int32_t dir = DirectionBetween(kicker, x, y);
    Person_VectorFromAngle(p.facing, 2, 256);
    if (!InsidePitch(p.x + kCrossProbe * StepX, p.y - kCrossProbe * StepY)) dGoal = 0;
    Person_SetAction(kicker,
                     Person_TurnsUp(dir, p.facing) ? ACT_LOFTED_BALL_75 : ACT_LOFTED_BALL_18);
    p.passKind = p.runSpeed > 140 && dGoal > 145 ? 2 : p.runSpeed > 100 && dGoal > 120 ? 1 : 0;
}
