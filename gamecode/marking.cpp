// gamecode/marking.cpp: marking and the offside line.
#include "gamecode/marking.h"

#include <cstdint>
#include <cstdlib>

#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kMarkingDistance = 32;
constexpr int32_t kOnsideMargin = 16;  // one yard inside the line
constexpr int32_t kSkillOnside = 12;
constexpr int32_t kSkillPickUp = 2;
constexpr int32_t kGuardBase = 24;
constexpr int32_t kReachOpenPlay = 200;
constexpr int32_t kReachRestart = 300;
constexpr int32_t kNearBall = 160;
constexpr int32_t kNoDistance = 10000;

struct Point {
    int32_t x;
    int32_t y;
};

bool OnPitch(int32_t person) { return MatchPersons[person].offPitch == 0; }

// The point `length` units from (x, y) toward the middle of the goal line `goalY`.
Point TowardGoal(int32_t x, int32_t y, int32_t goalY, int32_t length)
{
    Person_VectorFromAngle(Person_DirectionTo(x, y, PITCH_CENTRE_X, goalY), length, 256);
    return {x + StepX, y - StepY};
}

// The opponent a marker's slot names, -1 when it names nobody in the line-up.
int32_t MarkedOpponent(int32_t side, const MatchPerson& marker)
{
    const int32_t slot = marker.markingSlot;
    if (slot < 0 || slot >= MATCH_PERSONS_PER_SIDE) return -1;
    return LineUp[side ^ 1][slot];
}

bool MarksInThisPhase(const MatchPerson& opponent)
{
    switch (MatchPhase) {
        case PHASE_OPEN_PLAY:
        case PHASE_FOUL:
        case PHASE_OFFSIDE: return true;
        case PHASE_THROW_IN_TAKEN:
        case PHASE_GOAL_KICK_TAKEN:
        case PHASE_CORNER_TAKEN:
        case PHASE_KEEPER_CLEARANCE:
        case PHASE_FREE_KICK:
        case PHASE_DIRECT_FREE_KICK:
        case PHASE_FREE_KICK_READY: return opponent.action <= ACT_GO_TO_MEETING_SPOT;
        default: return false;
    }
}

void StandGoalSideOf(int32_t side, MatchPerson& marker)
{
    const int32_t opponent = MarkedOpponent(side, marker);
    if (opponent < 0 || !OnPitch(opponent)) return;
    const MatchPerson& m = MatchPersons[opponent];
    if (!MarksInThisPhase(m)) return;
    const int32_t ownGoalY = AttacksUp(side) ? PITCH_NEAR_GOAL_LINE_Y : PITCH_FAR_GOAL_LINE_Y;
    const Point spot = TowardGoal(m.x, m.y, ownGoalY, kMarkingDistance);
    marker.targetX = static_cast<int16_t>(spot.x);
    marker.targetY = static_cast<int16_t>(spot.y);
}

bool Beyond(bool attacksUp, int32_t y, int32_t line) { return attacksUp ? y > line : y < line; }

bool PickUpPhase()
{
    switch (MatchPhase) {
        case PHASE_OPEN_PLAY:
        case PHASE_THROW_IN_TAKEN:
        case PHASE_CORNER_TAKEN:
        case PHASE_FREE_KICK:
        case PHASE_DIRECT_FREE_KICK:
        case PHASE_FREE_KICK_READY: return true;
        default: return false;
    }
}

bool SetPiecePhase()
{
    return MatchPhase == PHASE_CORNER_TAKEN || MatchPhase == PHASE_FREE_KICK
           || MatchPhase == PHASE_DIRECT_FREE_KICK || MatchPhase == PHASE_FREE_KICK_READY;
}

bool NeedsPickingUp(int32_t side, int32_t attacker)
{
    const MatchPerson& a = MatchPersons[attacker];
    const bool openPlay = MatchPhase == PHASE_OPEN_PLAY;
    if (attacker == LineUp[side][0] || a.offPitch != 0 || a.action == ACT_ACTIVE
        || a.action == ACT_FREE_KICK_RUNNER)
        return false;
    if (!openPlay && (attacker == ActivePlayer[side] || a.action > ACT_CARRY_RUN)) return false;
    if (SetPiecePhase() && a.ballDistance < kNearBall) return false;
    const int32_t reach = openPlay ? kReachOpenPlay : kReachRestart;
    const int32_t ballY = MatchPersons[MATCH_BALL].y;
    if (AttacksUp(side)) return a.y >= PITCH_CENTRE_Y && ballY - a.y <= reach;
    return a.y <= PITCH_CENTRE_Y && a.y - ballY <= reach;
}

// Between the attacker and the goal he attacks: 24 units plus a thirty-second of his distance
// from its goal line.
Point GuardPoint(int32_t side, const MatchPerson& a)
{
    const int32_t goalY = AttackedGoalY(side);
    const int32_t toGoalLine = AttacksUp(side) ? goalY - a.y : a.y - goalY;
    return TowardGoal(a.x, a.y, goalY, toGoalLine / 32 + kGuardBase);
}

bool FreeToPickUp(int32_t defender, const bool picked[MATCH_PLAYER_COUNT])
{
    const int32_t side = Person_Side(defender);
    const MatchPerson& d = MatchPersons[defender];
    if (d.offPitch != 0 || picked[defender] || defender == LineUp[side][0]) return false;
    if (d.action == ACT_ACTIVE || d.action == ACT_HOLD_SPOT || d.action == ACT_NEAR_POST)
        return false;
    const int32_t man = MarkedOpponent(side, d);
    return man < 0 || !OnPitch(man);  // a marker keeps his man
}

// A quarter of the way from where he stands toward where he is heading, taken about the centre
// spot so that the truncation rounds alike at both ends.
int32_t QuarterToward(int32_t from, int32_t to, int32_t centre)
{
    return centre + (3 * (from - centre) + (to - centre)) / 4;
}

// Measured along the direction between the points, as the players judge distances.
int32_t GuardDistance(Point q, const MatchPerson& d)
{
    const Point heading{QuarterToward(d.x, d.targetX, PITCH_CENTRE_X),
                        QuarterToward(d.y, d.targetY, PITCH_CENTRE_Y)};
    const int32_t e = Person_DirectionTo(q.x, q.y, heading.x, heading.y);
    Person_VectorFromAngle(e, std::abs(q.x - heading.x), 256);
    const int32_t across = std::abs(StepX);
    Person_VectorFromAngle(e, std::abs(q.y - heading.y), 256);
    return across + std::abs(StepY);
}

int32_t ChooseDefender(int32_t defendingSide, Point guard, const bool picked[MATCH_PLAYER_COUNT])
{
    int32_t best = kNoDistance;
    int32_t chosen = -1;
    const int32_t first = defendingSide * MATCH_PERSONS_PER_SIDE;
    for (int32_t defender = first; defender < first + MATCH_PERSONS_PER_SIDE; ++defender) {
        if (!FreeToPickUp(defender, picked)) continue;
        const MatchPerson& d = MatchPersons[defender];
        const int32_t dist = GuardDistance(guard, d);
        const bool inReach = dist < 3 * Person_Skill(d, kSkillPickUp) + 120;
        if (dist < best && (inReach || MatchPhase != PHASE_OPEN_PLAY)) {
            best = dist;
            chosen = defender;
        }
    }
    return chosen;
}

}  // namespace

void Team_SetMarkingTargets()
{
    for (int32_t side = 0; side < 2; ++side) {
        CurrentSide = static_cast<uint8_t>(side);
        for (int32_t slot = 1; slot <= 10; ++slot) {
            MatchPerson& p = MatchPersons[LineUp[side][slot]];
            if (p.offPitch != 0 || p.action > ACT_GO_TO_MEETING_SPOT) continue;
            StandGoalSideOf(side, p);
        }
    }
}

void Team_StepBackOnside()
{
    if (MatchPhase != PHASE_OPEN_PLAY) return;
    const int32_t side = Ball.possession;
    const bool up = AttacksUp(side);
    const int32_t line = LastDefenderLine[side ^ 1];
    for (int32_t slot = 1; slot <= 10; ++slot) {
        const int32_t person = LineUp[side][slot];
        MatchPerson& p = MatchPersons[person];
        if (p.offsideRecovery != 0) --p.offsideRecovery;
        const bool beyond = Beyond(up, p.y, line);
        if (p.offsideRecovery == 0 && beyond) {
            const int32_t skill = Person_EffectiveSkill(person, Person_Skill(p, kSkillOnside));
            p.offsideRecovery = static_cast<int16_t>((100 - skill) / 2 + 1);
        }
        if (p.offsideRecovery == 1 && beyond) {
            p.offsideRecovery = 2;
            p.targetY = static_cast<int16_t>(up ? line - kOnsideMargin : line + kOnsideMargin);
        }
    }
}

void Team_PickUpAttackers()
{
    if (!PickUpPhase()) return;
    const int32_t side = Ball.possession;
    const int32_t defendingSide = side ^ 1;
    for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
        MatchPersons[defendingSide * MATCH_PERSONS_PER_SIDE + slot].offsideRecovery = 0;
    }
    bool picked[MATCH_PLAYER_COUNT] = {};
    for (int32_t entry = 0; entry < MATCH_PERSONS_PER_SIDE; ++entry) {
        const int32_t attacker = Match.proximity[side][entry];
        if (!NeedsPickingUp(side, attacker)) continue;
        const Point guard = GuardPoint(side, MatchPersons[attacker]);
        const int32_t chosen = ChooseDefender(defendingSide, guard, picked);
        if (chosen < 0) continue;
        MatchPersons[chosen].targetX = static_cast<int16_t>(guard.x);
        MatchPersons[chosen].targetY = static_cast<int16_t>(guard.y);
        picked[chosen] = true;
    }
}
