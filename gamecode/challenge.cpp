// gamecode/challenge.cpp: the tackle choice of a defender closing down and the outcome of a
// tackle that meets the carrier.
#include "gamecode/challenge.h"

#include <algorithm>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/incidents.h"
#include "gamecode/motion.h"
#include "gamecode/presentation.h"
#include "gamecode/restartutil.h"

namespace {

constexpr int32_t kHighestTackledBall = 6;
constexpr int32_t kTackleCategory = 8;
constexpr int32_t kRideCategory = 3;
constexpr int32_t kSkillTackling = 4;
constexpr int32_t kSkillBalance = 5;
constexpr int32_t kSkillSliding = 8;
constexpr int32_t kSkillAnticipation = 12;
constexpr int32_t kSkillStamina = 16;
constexpr int32_t kSkillToughness = 19;
constexpr int32_t kSendingsOffLimit = 4;
constexpr int32_t kSfxFelled = 11;
constexpr int32_t kCooldown = 16;

// Groups of the tackle lines and the ride.
constexpr int32_t kGroupStanding = 9;
constexpr int32_t kGroupLunge = 10;
constexpr int32_t kGroupSlide = 11;
constexpr int32_t kGroupBlock = 12;
constexpr int32_t kGroupRide = 13;
constexpr int32_t kGroupHurt = 14;

struct Approach {
    int32_t carrierDistance;
    int32_t defenderDistance;
    int32_t apart;   // how far round the ball the two stand from each other, 0-128
    int32_t turned;  // how far the defender faces away from the ball, 0-128
    bool behind() const { return defenderDistance > carrierDistance; }
};

// One tackle line at a time: a second is not said straight after one.
void SayTackle(int32_t group, int32_t defender, int32_t second)
{
    if (Match.lastCommentCategory == kTackleCategory) return;
    Comm_Say(group, Person_Side(defender), defender, second, 0);
    Match.lastCommentCategory = kTackleCategory;
}

// Every how many ticks he may tackle: rarer the further the carrier is from goal and the better
// the defender reads the game.
int32_t TackleInterval(int32_t defender, int32_t carrier, const Approach& a)
{
    const MatchPerson& p = MatchPersons[defender];
    const int32_t tackling = Person_Skill(p, kSkillTackling);
    Person_DirectionToTarget(carrier, 1, Person_Side(carrier));
    // Both skills 0 would divide by zero: such a defender waits the longest.
    const int32_t reading = std::max(1, tackling + Person_Skill(p, kSkillAnticipation));
    int32_t k = ((DistanceResult + 16) / reading) / 2 + 1;
    if (p.bookings > 0) k *= 3;
    if (Ball.direction == BALL_STILL) k /= 8;
    k = std::max(k, 1);
    // In the area he defends he holds back, at either end alike, unless he stands behind the
    // carrier across the ball: then he may tackle at once.
    const MatchPerson& c = MatchPersons[carrier];
    if (InsideBoxDefendedBy(Person_Side(defender), c.x, c.y)) {
        k += 3 * tackling;
        if (a.behind() && a.apart > 96 && a.turned < 32) k = 1;
    }
    return k;
}

void FaceBall(int32_t defender, int32_t x, int32_t y)
{
    MatchPersons[defender].facing =
        static_cast<uint16_t>(Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y));
}

void StartTackle(int32_t defender, int32_t action)
{
    ++MatchPersons[defender].stats.tacklesMade;
    Person_SetAction(defender, action);
}

// The carrier rides the tackle: he bursts on, and a ball at his feet runs on along his facing.
void Ride(int32_t carrier, int32_t tackler)
{
    MatchPerson& p = MatchPersons[carrier];
    MatchPerson& q = MatchPersons[tackler];
    ++p.stats.challengesRidden;
    Person_SetAction(carrier, ACT_BURST);
    p.kicked = 1;
    q.kicked = 1;
    Comm_Say(kGroupRide, Person_Side(carrier), carrier, tackler, 0);
    Match.lastCommentCategory = kRideCategory;
    if (p.hasBall == 0 && p.ballDistance > 5) return;
    const int32_t balance = Person_Skill(p, kSkillBalance);
    Person_VectorFromAngle(p.facing, 130 - balance / 2, 256);
    Ball.velX = StepX * 4096;
    Ball.velY = -StepY * 4096;
    Ball.velZ = 20480;
    p.touchCooldown1 = 2 * kCooldown;
    p.kicked = 1;
    if (Rand() % 200 < balance) q.touchCooldown1 = kCooldown;
}

// A slide that brings him down may hurt him: skills 15 and 16 and his condition fall by f
// percent, half the rise counts in his injury total.
void MaybeHurt(int32_t carrier, bool slide)
{
    MatchPerson& p = MatchPersons[carrier];
    if (Rand() % 100 <= Person_Skill(p, kSkillToughness) - 25 * (slide ? 1 : 0)) return;
    if (Rand() % (slide ? 20 : 50) < 10
        && Match.dismissals[Person_Side(carrier)] < kSendingsOffLimit) {
        p.resultByteB = 1;
        Comm_Say(kGroupHurt, Person_Side(carrier), carrier, -1, 0);
    }
    const int32_t f = 100 + Rand() % 10 + (slide ? 10 : 0);
    for (const int32_t skill : {SKILL_PACE, kSkillStamina}) {
        p.skills[skill] = static_cast<uint8_t>(std::max(10, Person_Skill(p, skill) * 100 / f));
    }
    Person_TireByPercent(carrier, f);
    p.stats.injuryTotal = static_cast<int16_t>(p.stats.injuryTotal + (f - 100) / 2);
}

void BringDown(int32_t carrier, int32_t tackler)
{
    MatchPerson& p = MatchPersons[carrier];
    MatchPerson& q = MatchPersons[tackler];
    Person_SetAction(carrier, Person_HitReaction(p.facing, q.facing));
    p.kicked = 1;
    q.kicked = 1;
    p.hasBall = 0;
    p.touchCooldown1 = kCooldown;
}

bool IsSlide(int32_t action)
{
    return action == ACT_BLOCK_TACKLE || action == ACT_HEADER_TO_MATE || action == ACT_LUNGE;
}

}  // namespace

void Person_ChooseTackle(int32_t defender, int32_t carrier)
{
    if (Ball.height > kHighestTackledBall) return;
    const MatchPerson& p = MatchPersons[defender];
    const MatchPerson& c = MatchPersons[carrier];
    const Approach a{c.ballDistance, p.ballDistance,
                     Person_FoldedDifference(c.dirToBall, p.dirToBall),
                     Person_FoldedDifference(p.facing, p.dirToBall)};
    const int32_t k = TackleInterval(defender, carrier, a);
    const int32_t tackling = Person_Skill(p, kSkillTackling);
    const int32_t m = std::max(1, (100 - tackling) / 4);
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    if (a.behind() && a.apart < 48 && a.turned < 48 && a.defenderDistance < 50
        && Match.tickCount % k == 0) {
        const bool onTick = Match.matchTicks % m == 0;
        if (Rand() % 100 > tackling && a.defenderDistance < 32 && onTick) {
            Person_SetAction(defender, ACT_SHOULDER_CHARGE);
        } else if (onTick) {
            StartTackle(defender, ACT_SLIDING_TACKLE_89);
            SayTackle(kGroupStanding, defender, carrier);
        }
        FaceBall(defender, ball.x, ball.y);
        return;
    }
    if (Rand() % m != 0 && Rand() % k != 0) return;
    const int32_t sliding = Person_Skill(p, kSkillSliding);
    const int32_t n = std::max(1, 200 - sliding);
    if (a.behind() && a.apart >= 48 && a.apart <= 96 && a.turned < 96 && a.defenderDistance < 70) {
        if (Rand() % (n + sliding) == 0) {
            StartTackle(defender, ACT_LUNGE);
            SayTackle(kGroupLunge, defender, -1);
        } else {
            StartTackle(defender, ACT_BLOCK_TACKLE);
            SayTackle(kGroupSlide, defender, carrier);
        }
        FaceBall(defender, Ball.lookAhead[1][0], Ball.lookAhead[1][1]);
    } else if (a.behind() && a.apart > 96 && a.turned < 32 && a.defenderDistance < 32) {
        StartTackle(defender, ACT_STANDING_TACKLE);
        SayTackle(kGroupBlock, defender, carrier);
        FaceBall(defender, ball.x, ball.y);
    }
}

int32_t Person_ResolveChallenge(int32_t carrier, int32_t tackler)
{
    MatchPerson& p = MatchPersons[carrier];
    MatchPerson& q = MatchPersons[tackler];
    if (p.kicked != 0 || q.kicked != 0) return 1;
    const bool slide = q.action == ACT_LUNGE;
    const int32_t a = Person_Skill(p, kSkillBalance);
    const int32_t b = Person_Skill(q, kSkillTackling);
    const int32_t agility = Person_Skill(p, SKILL_AGILITY);
    const bool kicking = p.action >= ACT_AIMED_KICK_7 && p.action <= ACT_AIMED_KICK_13;
    bool ride = false;
    if (a >= b) {
        // Skills stay within 0-100, so the modulus is at least 1.
        ride = Rand() % (101 - (a - b)) < agility;
        if (ride && kicking) q.touchCooldown1 = kCooldown;
    } else {
        ride = Rand() % ((b - a) + 80) < agility;
        if (kicking) q.touchCooldown1 = kCooldown;
    }
    if (IsSlide(q.action)) {
        if (ride && !slide) {
            Ride(carrier, tackler);
            return 1;
        }
        BringDown(carrier, tackler);
        MaybeHurt(carrier, slide);
        MatchPresentationOps.PlayMatchSfx(kSfxFelled, 0);
        return 0;
    }
    if (ride) {
        Ride(carrier, tackler);
        // Within skills 0-100 the roll never beats his balance; its draws still count.
        if (Match_SkillRoll(a, 200) < a) q.touchCooldown1 = kCooldown;
        return 1;
    }
    BringDown(carrier, tackler);
    return 0;
}
