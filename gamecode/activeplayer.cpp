// gamecode/activeplayer.cpp: who has the ball and who acts for each side.
#include "gamecode/activeplayer.h"

#include <algorithm>
#include <cstdlib>

#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kOffPitchKey = 30000;
constexpr int32_t kBusyKey = 1000;
constexpr int32_t kSpeedWeightBase = 150;
constexpr int32_t kNearOpponentBase = 300;
constexpr int32_t kOpenTrials = 15;
constexpr int32_t kOpenTrialStep = 16;
constexpr int32_t kFarOpponent = 10000;
constexpr int32_t kProjectBeyond = 75;
constexpr int32_t kProjectLength = 37;
constexpr int32_t kSprintSpeed = 140;
constexpr int32_t kKickCooldown = 16;
constexpr int32_t kKickUp = 20480;
constexpr int32_t kKickScale = 4096;

int32_t DistanceToPoint(int32_t angle, const MatchPerson& p, int32_t x, int32_t y)
{
    return Person_DistanceAlong(angle, p.x, p.y, x, y);
}

bool IsSidePerson(int32_t side, int32_t person)
{
    return person >= side * MATCH_PERSONS_PER_SIDE && person < (side + 1) * MATCH_PERSONS_PER_SIDE;
}

// The highest of the side's persons missing from its list, or the entry unchanged when none is.
void RepairEntry(int32_t side, int32_t slot)
{
    int16_t(&list)[MATCH_PERSONS_PER_SIDE] = ProximityList[side];
    for (int32_t k = 0; k < MATCH_PERSONS_PER_SIDE; ++k) {
        const int32_t person = side * MATCH_PERSONS_PER_SIDE + k;
        if (std::find(std::begin(list), std::end(list), person) == std::end(list))
            list[slot] = static_cast<int16_t>(person);
    }
}

int32_t ProximityKey(int32_t side, const MatchPerson& p, int32_t goalDir)
{
    if (p.offPitch != 0) return kOffPitchKey;
    int32_t key = DistanceToPoint(p.dirToBall, p, Ball.lookAhead[0][0], Ball.lookAhead[0][1]);
    if (p.action > ACT_CARRY_SPRINT && p.action != ACT_BURST) key += kBusyKey;
    if (side != Ball.possession) {
        // A defender between the ball and his goal keeps his distance; one on the far side of
        // the ball is penalised, the more so the faster it moves.
        const int32_t apart = Person_FoldedDifference((p.dirToBall + 128) & 255, goalDir);
        const int32_t weight = static_cast<int16_t>(apart * Ball.speed + kSpeedWeightBase);
        key = static_cast<int16_t>(weight * static_cast<int16_t>(key) / kSpeedWeightBase);
    }
    return key;
}

void RefreshKeys(int32_t side)
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const int32_t goalY = AttackedGoalY(Ball.possession);
    const int32_t goalDir = Person_DirectionToN(ball.x, ball.y, PITCH_CENTRE_X, goalY, 256);
    for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
        if (!IsSidePerson(side, ProximityList[side][slot])) RepairEntry(side, slot);
        MatchPerson& p = MatchPersons[ProximityList[side][slot]];
        p.ballDistance = static_cast<int16_t>(DistanceToPoint(p.dirToBall, p, ball.x, ball.y));
        p.sortKey = static_cast<int16_t>(ProximityKey(side, p, goalDir));
    }
}

// A single pass, so the list follows the keys loosely; the side's first person (in goal at the
// start) may sink but never rises by a swap.
void BubblePass(int32_t side)
{
    int16_t(&list)[MATCH_PERSONS_PER_SIDE] = ProximityList[side];
    for (int32_t i = 0; i + 1 < MATCH_PERSONS_PER_SIDE; ++i) {
        const int32_t a = list[i];
        const int32_t b = list[i + 1];
        if (MatchPersons[a].sortKey > MatchPersons[b].sortKey && b != side * MATCH_PERSONS_PER_SIDE)
            std::swap(list[i], list[i + 1]);
    }
}

bool IsFree(int32_t person) { return MatchPersons[person].action <= ACT_CARRY_SPRINT; }

void StartSupport(int32_t side, int32_t chosenSlot, bool leadByOne)
{
    const int32_t chosen = ProximityList[side][chosenSlot];
    const int32_t helper = ProximityList[side][chosenSlot + 1];
    const MatchPerson& h = MatchPersons[helper];
    if (h.action == ACT_ACTIVE || side == Ball.possession) return;
    if (chosenSlot == 0 && !leadByOne) return;
    // They come at the ball from different sides.
    if (Person_FoldedDifference(h.dirToBall, MatchPersons[chosen].dirToBall) <= 64) return;
    Person_SetAction(helper, ACT_ACTIVE);
}

void ChooseActive(int32_t side)
{
    const bool leadByOne = Match.score[side] - Match.score[side ^ 1] == 1;
    if (ActivePlayer[side] == MATCH_NONE)
        ActivePlayer[side] = static_cast<uint8_t>(ProximityList[side][0]);
    for (int32_t slot = 0; slot < 3; ++slot) {
        const int32_t c = ProximityList[side][slot];
        if (!IsFree(c)) continue;
        const bool inPossession = side == Ball.possession;
        const bool changed = c != ActivePlayer[side];
        if (changed || (inPossession && (slot == 0 || leadByOne))) Team_OnActiveChanged(side, c);
        ActivePlayer[side] = static_cast<uint8_t>(c);
        StartSupport(side, slot, leadByOne);
        break;
    }
    ++MatchPersons[ActivePlayer[side]].stats.involvement;
}

bool OffPitchPoint(int32_t x, int32_t y)
{
    return x < PITCH_LEFT_TOUCHLINE_X || x > PITCH_RIGHT_TOUCHLINE_X || y < PITCH_NEAR_GOAL_LINE_Y
           || y > PITCH_FAR_GOAL_LINE_Y;
}

struct OpponentView {
    int32_t distance;
    int32_t direction;
};

OpponentView ViewOpponent(const MatchPerson& p, int32_t opponent, int32_t wanted, int32_t reach)
{
    const MatchPerson& o = MatchPersons[opponent];
    if (o.offPitch != 0) return {kFarOpponent, 0};
    OpponentView view{std::abs(p.x - o.x) + std::abs(p.y - o.y),
                      Person_DirectionTo(p.x, p.y, o.x, o.y)};
    if (Person_FoldedDifference(o.dirToBall, wanted) < 32) {
        // He runs the same way as the carrier wants to go.
        view.distance += reach;
    } else if (view.distance > kProjectBeyond) {
        Person_VectorFromAngle(o.facing, kProjectLength, 256);
        const int32_t x = o.x + StepX;
        const int32_t y = o.y - StepY;
        view = {std::abs(p.x - x) + std::abs(p.y - y), Person_DirectionTo(p.x, p.y, x, y)};
    }
    if (opponent == LineUp[0][0] || opponent == LineUp[1][0]) view.distance *= 10;
    return view;
}

int32_t Tolerance(const MatchPerson& p, int32_t apart, int32_t reach, int32_t distance)
{
    int32_t t = apart / 5 + 50 - Person_Skill(p, 5) / 2 + (reach - (distance - kProjectBeyond)) / 5;
    if (p.runSpeed >= kSprintSpeed) t /= 2;
    if (p.firstInstruction != 0) t /= 2;
    if (p.stats.goals == 2) t /= 2;
    return std::max(t, 0);
}

void KickAlong(int32_t angle, int32_t length, int32_t kicker)
{
    Person_VectorFromAngle(angle, length, 256);
    Ball.velX = StepX * kKickScale;
    Ball.velY = -StepY * kKickScale;
    Ball.velZ = kKickUp;
    MatchPersons[kicker].touchCooldown1 = kKickCooldown;
    MatchPersons[kicker].kicked = 1;
}

}  // namespace

void Ball_FindHolder()
{
    BallHolder = -1;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        if (MatchPersons[person].hasBall != 0) {
            BallHolder = static_cast<int16_t>(person);
            return;
        }
    }
}

int32_t Person_FoldedDifference(int32_t a, int32_t b)
{
    const int32_t d = std::abs(a - b);
    return d > 128 ? 256 - d : d;
}

int32_t Person_DistanceAlong(int32_t angle, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    Person_VectorFromAngle(angle, std::abs(y2 - y1), 256);
    const int32_t alongY = std::abs(StepY);
    Person_VectorFromAngle(angle, std::abs(x2 - x1), 256);
    return std::abs(StepX) + alongY;
}

void Team_SortAndPickActive()
{
    const int32_t side = Match.tickSide & 1;
    RefreshKeys(side);
    BubblePass(side);
    // At a free kick or a penalty the kicking side's active player is its taker until he strikes:
    // the ball on the spot is his alone, and a free mate near it must not take his place.
    if (Phase_IsPlacedKick(MatchPhase) && side == KickingSide) return;
    ChooseActive(side);
}

void Team_ForgetActive(int32_t person)
{
    const int32_t side = Person_Side(person);
    if (ActivePlayer[side] == person) ActivePlayer[side] = MATCH_NONE;
}

int32_t Team_NoOpponentNear(int32_t person)
{
    const int32_t other = Person_Side(person) ^ 1;
    for (int32_t k = 0; k < MATCH_PERSONS_PER_SIDE; ++k) {
        const int32_t opponent = other * MATCH_PERSONS_PER_SIDE + k;
        const MatchPerson& o = MatchPersons[opponent];
        if (o.offPitch != 0) continue;
        if (o.ballDistance
            < kNearOpponentBase - Person_EffectiveSkill(opponent, Person_Skill(o, 21)))
            return 0;
    }
    return 1;
}

void Person_DistanceToGoal(int32_t person, int32_t side)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t goalY = AttackedGoalY(side);
    const int32_t angle = Person_DirectionToN(p.x, p.y, PITCH_CENTRE_X, goalY, 256);
    DistanceResult = static_cast<int16_t>(DistanceToPoint(angle, p, PITCH_CENTRE_X, goalY));
}

int32_t Person_DirectionToTarget(int32_t person, int32_t mode, int32_t side)
{
    const MatchPerson& p = MatchPersons[person];
    const bool attacksUp = AttacksUp(side);
    const int32_t goalY = AttackedGoalY(side);
    const int32_t s1 = Person_Skill(p, 1);
    const int32_t s5 = Person_Skill(p, 5);
    const int32_t s11 = Person_Skill(p, 11);
    const int32_t s12 = Person_Skill(p, 12);
    const int32_t deficit = std::max(0, Match.score[side ^ 1] - Match.score[side])
                            + (p.firstInstruction != 0 ? 2 : 0) + p.stats.goals;
    const int32_t offsideLine = LastDefenderLine[side ^ 1];
    const bool beforeLine = attacksUp ? p.y <= offsideLine : p.y >= offsideLine;
    int32_t targetX = PITCH_CENTRE_X;
    if (beforeLine && mode == 0 && (deficit == 0 || p.thirdInstruction == 0)) {
        // As wide by either touchline, so that neither wing depends on the goal attacked.
        const int32_t wingBand = s5 + s11 + 100;
        const bool wing =
            p.x < PITCH_LEFT_TOUCHLINE_X + wingBand || p.x > PITCH_RIGHT_TOUCHLINE_X - wingBand;
        const bool shortOfBox = attacksUp ? p.y < PITCH_BOX_FAR_Y - (s12 + s1 + s5)
                                          : p.y > PITCH_BOX_NEAR_Y + (s12 + s1 + s5);
        if (wing) {
            targetX = p.x;
        } else if (p.thirdInstruction != 0) {
            // An instructed runner takes the nearer wing, or runs straight on from the middle.
            targetX = p.x < 556    ? PITCH_LEFT_TOUCHLINE_X + 50
                      : p.x > 1036 ? PITCH_RIGHT_TOUCHLINE_X - 50
                                   : p.x;
        } else if (shortOfBox) {
            targetX = p.x;
        }
    }
    if (mode != 2) Person_DistanceToGoal(person, side);
    return Person_DirectionToN(p.x, p.y, targetX, goalY, 256);
}

int32_t Person_FindOpenDirection(int32_t person, int32_t direction, int32_t reach)
{
    const MatchPerson& p = MatchPersons[person];
    const int32_t other = Person_Side(person) ^ 1;
    OpponentView views[MATCH_PERSONS_PER_SIDE];
    for (int32_t k = 0; k < MATCH_PERSONS_PER_SIDE; ++k) {
        views[k] = ViewOpponent(p, other * MATCH_PERSONS_PER_SIDE + k, direction, reach);
    }
    int32_t apart = Person_FoldedDifference(direction, p.facing);
    for (int32_t trialIndex = 1; trialIndex <= kOpenTrials; ++trialIndex) {
        const int32_t offset = (trialIndex / 2) * kOpenTrialStep * (trialIndex % 2 == 0 ? -1 : 1);
        const int32_t trial = (direction + offset) & 255;
        Person_VectorFromAngle(trial, reach / 2, 256);
        int32_t blocked = OffPitchPoint(p.x + StepX, p.y - StepY) ? 1 : 0;
        for (const OpponentView& view : views) {
            if (blocked != 0) break;
            if (view.distance > reach) continue;
            const int32_t t = Tolerance(p, apart, reach, view.distance);
            const int32_t e = std::abs(view.direction - trial);
            if (e > 256 - t || e < t) ++blocked;
        }
        // Folded like the first: a facing just one side of direction 0 and a trial just the
        // other side would otherwise lie nearly a whole turn apart, and only the side attacking
        // toward y 122 runs about direction 0.
        apart = Person_FoldedDifference(trial, p.facing);
        if (blocked == 0) return trial;
    }
    return -1;
}

void Person_StepToward(int32_t person, int32_t x, int32_t y)
{
    MatchPerson& p = MatchPersons[person];
    if (p.x < x) p.x16 += 65536;
    if (p.x > x) p.x16 -= 65536;
    if (p.y < y) p.y16 += 65536;
    if (p.y > y) p.y16 -= 65536;
    p.x = Fixed_ToUnits(p.x16);
    p.y = Fixed_ToUnits(p.y16);
}

void Ball_PushAlongAngle(int32_t angle, int32_t kicker)
{
    KickAlong(angle, 30, kicker);
    MatchPersons[kicker].runSpeed = 64;
}

void Ball_KickAlongAngle(int32_t angle, int32_t power, int32_t kicker)
{
    KickAlong(angle, 90 - power / 2, kicker);
}
