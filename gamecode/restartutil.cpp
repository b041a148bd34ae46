// gamecode/restartutil.cpp: the routines the restarts and the player actions share.
#include "gamecode/restartutil.h"

#include <algorithm>
#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/matchstate.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"

namespace {

constexpr int32_t kBand = 100;
constexpr int32_t kTargetMargin = 64;

int16_t KeptOnPitchY(int32_t y)
{
    if (y < PITCH_NEAR_GOAL_LINE_Y) return PITCH_NEAR_GOAL_LINE_Y + kTargetMargin;
    if (y > PITCH_FAR_GOAL_LINE_Y) return PITCH_FAR_GOAL_LINE_Y - kTargetMargin;
    return static_cast<int16_t>(y);
}

}  // namespace

int32_t Match_SkillRoll(int32_t a, int32_t b)
{
    if (a < 1 || b < 1) return 0;
    const int32_t roll = b - Rand() % (a + 1);
    static_cast<void>(Rand());
    return roll;
}

bool Match_SkillTest(int32_t s) { return s > 0 && Match_SkillRoll(s, 100) < s; }

int32_t Person_EffectiveSkill(int32_t person, int32_t value)
{
    const int32_t side = Person_Side(person);
    const int32_t slot =
        LineUp[side][person % MATCH_PERSONS_PER_SIDE] - side * MATCH_PERSONS_PER_SIDE;
    if (slot < 0 || slot >= TACTIC_SLOT_COUNT) return value;
    // The slot's first position word is its home column across the pitch.
    const int32_t column = TeamShape[side].slots[slot].row;
    const MatchPerson& p = MatchPersons[person];
    const bool offOneFlank = column < 4 && p.positionExtra[1] != 1;
    const bool offOtherFlank = column > 11 && p.positionExtra[2] != 1;
    return offOneFlank || offOtherFlank ? value / 3 + 1 : value;
}

int32_t Team_NearestTeammateTo(int32_t x, int32_t y, int32_t exclude)
{
    return Team_NearestTeammateOfSide(KickingSide & 1, x, y, exclude);
}

int32_t Team_NearestTeammateOfSide(int32_t side, int32_t x, int32_t y, int32_t exclude)
{
    int32_t best = -1;
    int32_t bestDistance = 32767;
    for (int32_t slot = 1; slot <= 10; ++slot) {
        const int32_t person = LineUp[side][slot];
        const MatchPerson& p = MatchPersons[person];
        if (person == exclude || p.action > ACT_CARRY_SPRINT || p.offPitch != 0) continue;
        const int32_t distance = std::abs(x - p.targetX) + std::abs(y - p.targetY);
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = person;
        }
    }
    return best;
}

int32_t Team_NearestTeammateOrFallback(int32_t x, int32_t y, int32_t exclude)
{
    const int32_t nearest = Team_NearestTeammateTo(x, y, exclude);
    if (nearest >= 0) return nearest;
    const int32_t side = KickingSide & 1;
    for (int16_t person : Match.proximity[side]) {
        if (person != KeeperOf(side) && MatchPersons[person].offPitch == 0) return person;
    }
    return KeeperOf(side);
}

void Team_DefaultActive(int32_t side)
{
    if (ActivePlayer[side] == MATCH_NONE)
        ActivePlayer[side] = static_cast<uint8_t>(Match.proximity[side][0]);
}

int32_t Match_CountBusyPlayers()
{
    int32_t busy = 0;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        // A keeper sent off or hurt off keeps his line-up slot until he is replaced.
        if (MatchPersons[person].offPitch != 0) continue;
        const int32_t action = MatchPersons[person].action;
        if (IsKeeper(person) ? action != ACT_KEEPER_IDLE : action >= ACT_LOFTED_BALL_18) ++busy;
    }
    return busy;
}

void Match_SetAllActions(int32_t action)
{
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        Person_SetAction(person, action);
    }
}

void Match_AllStand()
{
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        Person_StoreAction(person, ACT_WALK_TO_TARGET);
    }
    Person_SetAction(KeeperOf(0), ACT_KEEPER_IDLE);
    Person_SetAction(KeeperOf(1), ACT_KEEPER_IDLE);
    ActivePlayer[0] = MATCH_NONE;
    ActivePlayer[1] = MATCH_NONE;
}

int32_t Match_ResetForRestart()
{
    int32_t busy = 0;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        MatchPerson& p = MatchPersons[person];
        if (p.action <= ACT_CARRY_RUN) {
            Person_SetAction(person, ACT_WALK_TO_TARGET);
            p.hasBall = 0;
            if (IsKeeper(person)) Person_SetAction(person, ACT_KEEPER_IDLE);
            continue;
        }
        // A keeper still walking off or standing aside counts; his other moves do not.
        const bool keeperAside = p.action == ACT_WALK_OFF || p.action == ACT_WALK_OFF_TUNNEL
                                 || p.action == ACT_STILL_38 || p.action == ACT_STILL_39;
        if (!IsKeeper(person) || keeperAside) ++busy;
    }
    ActivePlayer[0] = MATCH_NONE;
    ActivePlayer[1] = MATCH_NONE;
    return busy;
}

void Ball_GiveToPerson(int32_t person)
{
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        MatchPersons[p].hasBall = 0;
    }
    if (person >= 0 && person < MATCH_PLAYER_COUNT) MatchPersons[person].hasBall = 1;
}

int32_t Person_IsWithinBox(int32_t x, int32_t y, int32_t half, int32_t height)
{
    const bool low = Ball.height <= height;
    const bool inside =
        std::abs(CurrentPersonPos.x - x) <= half && std::abs(CurrentPersonPos.y - y) <= half;
    return low && inside ? 0 : -1;
}

void Ball_SetVelocityToward(int32_t x, int32_t y, int32_t up, int32_t factor)
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    Ball.velX = (x - ball.x) * factor;
    Ball.velY = (y - ball.y) * factor;
    Ball.velZ = up;
}

void Ball_SetShotSwerve(int32_t shooter, int32_t aimX)
{
    Ball.swerveX = Ball.swerveY = Ball.swerveZ = 0;
    const MatchPerson& p = MatchPersons[shooter];
    const int32_t d =
        Person_StraightDistance(p.x, p.y, PITCH_CENTRE_X, AttackedGoalY(Person_Side(shooter)));
    const int32_t m = std::max(30 - (d / 16 - 20), 1) * 125;
    const int32_t bend = m + 7000;
    const int32_t s = Person_Skill(p, 1) + Person_Skill(p, 12) + Person_Skill(p, 21);
    if (Rand() % 300 < s && aimX >= 0) {
        Ball.swerveX = aimX < PITCH_CENTRE_X ? bend : -bend;
    } else {
        const int32_t r = Rand() % 3;
        if (r == 0 && aimX >= 0) Ball.swerveX = aimX < PITCH_CENTRE_X ? -bend : bend;
        if (r == 1) Ball.swerveX = Rand() % (2 * bend) - bend;
        Ball.swerveY = Rand() % 8000 - 4000;
        Ball.swerveZ = Rand() % 4000 - 2000;
    }
    Ball.swerveTicks = static_cast<int16_t>(Rand() % 25 + 10);
}

void Team_WallExtent(int32_t)
{
    const int32_t goalY =
        AttacksUp(KickingSide) ? PITCH_FAR_GOAL_LINE_Y + 5 : PITCH_NEAR_GOAL_LINE_Y - 5;
    Match.freeKickAim[1] = static_cast<int16_t>(goalY);
    int32_t leftX = 10000;
    int32_t leftY = 0;
    int32_t rightX = 0;
    int32_t rightY = 0;
    bool wall = false;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        const MatchPerson& p = MatchPersons[person];
        if (p.action != ACT_HOLD_SPOT) continue;
        wall = true;
        if (p.targetX < leftX) {
            leftX = p.targetX;
            leftY = p.targetY;
        }
        if (p.targetX > rightX) {
            rightX = p.targetX;
            rightY = p.targetY;
        }
    }
    if (!wall) {
        Match.freeKickAim[0] = PITCH_CENTRE_X;
        return;
    }
    const int32_t x = CurrentPersonPos.x;
    const int32_t y = CurrentPersonPos.y;
    const int32_t a1 = Person_DirectionTo(x, y, PITCH_LEFT_POST_X - 5, goalY);
    const int32_t a2 = Person_DirectionTo(x, y, PITCH_RIGHT_POST_X + 5, goalY);
    const int32_t a3 = Person_DirectionTo(x, y, leftX, leftY);
    const int32_t a4 = Person_DirectionTo(x, y, rightX, rightY);
    // Each gap is how far the wall's end stands inside its post, seen from the taker: shooting
    // toward y 2042 he turns from a post to the wall the other way round. A tie goes to the post
    // on the same hand of his at either end.
    const bool up = AttacksUp(KickingSide);
    const auto leftGap = static_cast<int16_t>(up ? a1 - a3 : a3 - a1);
    const auto rightGap = static_cast<int16_t>(up ? a4 - a2 : a2 - a4);
    const bool leftWider = up ? leftGap >= rightGap : leftGap > rightGap;
    int32_t aimX = PITCH_CENTRE_X;
    if (leftGap >= 0 || rightGap >= 0)
        aimX = leftWider ? PITCH_LEFT_POST_X - Rand() % 20 : PITCH_RIGHT_POST_X + Rand() % 20;
    Match.freeKickAim[0] = static_cast<int16_t>(aimX);
}

void Team_SpreadRestartTargets(int32_t kicker)
{
    const int32_t spotY = RestartSpot[1];
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        MatchPerson& p = MatchPersons[person];
        if (IsKeeper(person) || person == kicker || p.offPitch != 0 || p.action == ACT_HOLD_SPOT)
            continue;
        if (p.targetX > PITCH_BOX_RIGHT_X - kBand)
            p.targetX = static_cast<int16_t>(p.targetX - kBand);
        if (p.targetX < PITCH_BOX_LEFT_X + kBand)
            p.targetX = static_cast<int16_t>(p.targetX + kBand);
        if (spotY > PITCH_CENTRE_Y) {
            if (p.targetY < PITCH_CENTRE_Y + kBand) continue;
            if (p.targetY < spotY) p.targetY = static_cast<int16_t>(p.targetY + kBand);
        } else {
            if (p.targetY > PITCH_CENTRE_Y - kBand) continue;
            if (p.targetY > spotY) p.targetY = static_cast<int16_t>(p.targetY - kBand);
        }
        p.targetY = KeptOnPitchY(p.targetY);
    }
}

void Ball_PlaceOnRestartSpot()
{
    Person_PlaceAt(MATCH_BALL, RestartSpot[0], RestartSpot[1]);
    Ball.x16 = RestartSpot[0] * 65536;
    Ball.y16 = RestartSpot[1] * 65536;
}

void Ball_SetForRestart(int32_t side, int32_t x, int32_t y)
{
    Ball_GiveToPerson(-1);
    Ball.holder = 0;
    Ball.secondHolder = 0;
    Person_PlaceAt(MATCH_BALL, x, y);
    Ball.x16 = x * 65536;
    Ball.y16 = y * 65536;
    Ball_Stop();
    Ball.swerveTicks = 0;
    Ball.height = 0;
    Ball.height16 = 0;
    // Before the set-up picks anyone: a side without the ball sends a second man to chase it,
    // and the taker on his way to the spot could be that man.
    Ball.possession = static_cast<uint8_t>(side);
}

void Ball_KeepInsideLines()
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    const int32_t x =
        std::clamp<int32_t>(ball.x, PITCH_LEFT_TOUCHLINE_X + 1, PITCH_RIGHT_TOUCHLINE_X - 1);
    const int32_t y =
        std::clamp<int32_t>(ball.y, PITCH_NEAR_GOAL_LINE_Y + 1, PITCH_FAR_GOAL_LINE_Y - 1);
    if (x == ball.x && y == ball.y) return;
    Person_PlaceAt(MATCH_BALL, x, y);
    Ball.x16 = x * 65536;
    Ball.y16 = y * 65536;
}
