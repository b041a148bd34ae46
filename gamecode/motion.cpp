// gamecode/motion.cpp: the person motion primitives.
#include "gamecode/motion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "engine/convert.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"

namespace {

constexpr int32_t kHeadLimit = 40;
constexpr int32_t kPressureCap = 20;
constexpr int32_t kBlockedTicksToStand = 20;
constexpr int32_t kPivotReach = 16;
constexpr int32_t kSlowBall = 2;  // speed bytes 0-2
constexpr int32_t kAheadUnits = 7;

// Actions of a player on the ground or in a challenge, who blocks nobody's way.
constexpr auto kNotBlocking =
    std::to_array<int16_t>({33, 50, 51, 56, 57, 72, 73, 89, 90, 105, 116});

double Radians(int32_t angle, int32_t n) { return angle * 2.0 * std::numbers::pi / n; }

struct Turn {
    double sin;
    double cos;
};

// Every step of a 256-step turn, computed once as the formulas compute it, so a product with
// these is bit for bit the formula's: computed afresh they took a third of a match's time.
const std::array<Turn, 256> kTurn256 = [] {
    std::array<Turn, 256> turn{};
    for (int32_t angle = 0; angle < 256; ++angle) {
        const double a = Radians(angle, 256);
        turn[angle] = {std::sin(a), std::cos(a)};
    }
    return turn;
}();

// The steps of a quarter turn at which the nearest step changes, (2j + 1) / 2 steps from
// straight ahead, for the 256- and 1,024-step turns: { sin, cos } of each.
template <int32_t N>
const std::array<Turn, N / 4> kStepBoundaries = [] {
    std::array<Turn, N / 4> boundary{};
    for (int32_t j = 0; j < N / 4; ++j) {
        const double a = (2 * j + 1) * std::numbers::pi / N;
        boundary[j] = {std::sin(a), std::cos(a)};
    }
    return boundary;
}();

// Differences below this many units on each axis, all that persons on and around the pitch can
// have, take the boundary table; larger ones the formula.
constexpr int64_t kTabledReach = 2560;

// The nearest of the N steps in the quarter turn from straight ahead (0, b) round to (a, 0), a
// and b at least 0: the boundaries the direction has passed. No boundary's tangent is a ratio of
// whole numbers, so no direction lies on one, and within the tabled reach none lies so near one
// that the products below could misplace it.
template <int32_t N>
int32_t NearestStepInQuarter(int64_t a, int64_t b)
{
    const std::array<Turn, N / 4>& boundary = kStepBoundaries<N>;
    const auto passed = [&](int32_t j) {
        return static_cast<double>(a) * boundary[j].cos > static_cast<double>(b) * boundary[j].sin;
    };
    // A rough arc tangent (within a quarter of a 1,024-step) guesses the step; the boundaries
    // either side then settle it exactly.
    const double lesser = static_cast<double>(std::min(a, b));
    const double greater = static_cast<double>(std::max<int64_t>(std::max(a, b), 1));
    const double t = lesser / greater;
    const double rough = std::numbers::pi / 4 * t - t * (t - 1) * (0.2447 + 0.0663 * t);
    const double angle = a > b ? std::numbers::pi / 2 - rough : rough;
    int32_t k = std::clamp(ChopToInt(angle * N / (2 * std::numbers::pi) + 0.5), 0, N / 4);
    while (k < N / 4 && passed(k)) {
        ++k;
    }
    while (k > 0 && !passed(k - 1)) {
        --k;
    }
    return k;
}

// Person_DirectionToN's answer for a difference within the tabled reach: the nearest step of
// the quarter, turned into the difference's quarter. No direction lies half-way between two
// steps, so the mirrored quarters round exactly as the first.
template <int32_t N>
int32_t NearestStep(int64_t right, int64_t up)
{
    const int32_t k = NearestStepInQuarter<N>(std::abs(right), std::abs(up));
    if (right >= 0) return (up >= 0 ? k : N / 2 - k) & (N - 1);
    return (up >= 0 ? N - k : N / 2 + k) & (N - 1);
}

Turn TurnOf(int32_t angle, int32_t n)
{
    if (n == 256 && angle >= 0 && angle < 256) return kTurn256[angle];
    const double a = Radians(angle, n);
    return {std::sin(a), std::cos(a)};
}

int32_t FrameCount(int32_t animation)
{
    return MatchPresentationOps.GetMotionFrameCount(animation);
}

int32_t FoldedDifference(int32_t a, int32_t b)
{
    const int32_t d = std::abs(a - b);
    return d > 128 ? 256 - d : d;
}

void ShowFrame(MatchPerson& p)
{
    p.drawnDirection = static_cast<int16_t>((p.facing + 64) & 255);
    p.drawnFrame = p.frame;
}

void AddHeadTurn(MatchPerson& p, int32_t delta, int32_t maxStep)
{
    delta = std::clamp(delta, -maxStep, maxStep);
    p.headAngle = static_cast<int16_t>(std::clamp(p.headAngle + delta, -kHeadLimit, kHeadLimit));
}

bool IsBusyOnTheGround(const MatchPerson& p)
{
    return std::find(kNotBlocking.begin(), kNotBlocking.end(), p.action) != kNotBlocking.end();
}

struct Run {
    int32_t animation;
    int32_t targetSpeed;
    int32_t loopFrame;
};

// The run toward a point; animation -1 when the chaser has arrived and stopped running.
Run ChooseRun(int32_t person, int32_t x, int32_t y)
{
    const MatchPerson& p = MatchPersons[person];
    if (MatchPhase >= PHASE_THROW_IN_TAKEN) {
        if (p.action == ACT_HOLD_SPOT) return {12, 140, 0};
        return {10, 64, 31};
    }
    const int32_t side = Person_Side(person);
    // Officials have no side: they never chase an active player.
    if (person >= MATCH_PLAYER_COUNT || Ball.possession == side
        || ActivePlayer[side ^ 1] == MATCH_NONE)
        return {12, 140, 0};
    const MatchPerson& rival = MatchPersons[ActivePlayer[side ^ 1]];
    const int32_t r1 = Person_StraightDistance(CurrentPersonPos.x, CurrentPersonPos.y, x, y);
    const int32_t r2 = Person_StraightDistance(x, y, rival.x, rival.y);
    if (r1 < 8 && LineUp[side][0] != person) {
        Person_SetAction(person, ACT_JOCKEY);
        Match.jockeyTarget[0] = static_cast<int16_t>(x);
        Match.jockeyTarget[1] = static_cast<int16_t>(y);
        return {-1, 0, 0};
    }
    if (r2 < r1 && r1 > 50) return {13, 190, 0};
    return {12, 140, 0};
}

// Entry k, wrapping round, of the entries that name a player on the pitch; -1 when none does.
template <typename Entries>
int32_t PickWrapped(const Entries& entries, int32_t k)
{
    int32_t usable = 0;
    for (int32_t person : entries) {
        usable += person >= 0 && MatchPersons[person].offPitch == 0 ? 1 : 0;
    }
    if (usable == 0) return -1;
    int32_t wanted = k % usable;
    for (int32_t person : entries) {
        if (person < 0 || MatchPersons[person].offPitch != 0) continue;
        if (wanted-- == 0) return person;
    }
    return -1;
}

}  // namespace

int32_t Person_DirectionTo(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    return Person_DirectionToN(x1, y1, x2, y2, 256);
}

int32_t Person_DirectionToN(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t n)
{
    const int64_t right = static_cast<int64_t>(x2) - x1;
    const int64_t up = static_cast<int64_t>(y1) - y2;
    if (std::abs(right) < kTabledReach && std::abs(up) < kTabledReach) {
        if (n == 256) return NearestStep<256>(right, up);
        if (n == 1024) return NearestStep<1024>(right, up);
    }
    double steps = std::atan2(static_cast<double>(x2) - x1, static_cast<double>(y1) - y2) * n
                   / (2.0 * std::numbers::pi);
    // Truncating a negative angle would round the whole left half one step clockwise; taken
    // as a part of the full turn first, every direction rounds to its nearest step.
    if (steps < 0) steps += n;
    return ChopToInt(steps + 0.5) & (n - 1);
}

bool Person_TurnsUp(int32_t direction, int32_t facing)
{
    return direction > facing ? direction - facing < 128 : facing - direction > 128;
}

int32_t Person_DirectionToBallFrom(int32_t person, int32_t x, int32_t y)
{
    const MatchPerson& ball = MatchPersons[MATCH_BALL];
    if (x == ball.x && y == ball.y) return MatchPersons[person].dirToBall;
    return Person_DirectionTo(x, y, ball.x, ball.y);
}

void Person_VectorFromAngle(int32_t angle, int32_t length, int32_t n)
{
    const Turn t = TurnOf(angle, n);
    StepY = ChopToInt(length * t.cos);
    StepX = ChopToInt(length * t.sin);
}

int32_t Person_TouchDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t maxHeight)
{
    const int32_t sum = std::abs(x1 - x2) + std::abs(y1 - y2);
    if (sum <= 5 && Ball.height < maxHeight) return 0;
    return sum + 1;
}

int32_t Person_StraightDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const Turn t = TurnOf(Person_DirectionToN(x1, y1, x2, y2, 256), 256);
    const int32_t dx = std::abs(x1 - x2);
    const int32_t dy = std::abs(y1 - y2);
    StepX = ChopToInt(dy * t.sin);
    StepY = ChopToInt(dy * t.cos);
    return static_cast<int16_t>(std::abs(ChopToInt(dx * t.sin)) + std::abs(ChopToInt(dy * t.cos)));
}

int32_t Person_RangeCheck(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t reach,
                          int32_t maxHeight)
{
    const int32_t r = Person_StraightDistance(x1, y1, x2, y2);
    if (r <= reach && Ball.height < maxHeight) return 0;
    return r + 1;
}

void Person_TurnStep(int32_t person, int32_t direction)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t d = direction & 255;
    int32_t f = p.facing & 255;
    if (d == f) return;
    const bool up = Person_TurnsUp(d, f);
    const int32_t steps = Person_Skill(p, SKILL_AGILITY) / 30 + 3;
    for (int32_t n = 0; n < steps && f != d; ++n) {
        f = (f + (up ? 1 : -1)) & 255;
    }
    p.facing = static_cast<uint16_t>(f);
}

void Person_TurnTowardTwiceIfSlow(int32_t person, int32_t direction)
{
    Person_TurnStep(person, direction);
    if (Ball.speed <= kSlowBall) Person_TurnStep(person, direction);
}

void Person_TurnToward(int32_t person, int32_t direction)
{
    MatchPerson& p = MatchPersons[person];
    p.runSpeed = 0;
    p.animation = 0;
    ++p.frame;
    if (p.frame >= FrameCount(0)) p.frame = 0;
    p.drawnDirection = static_cast<int16_t>((p.facing + 64) & 255);
    const int32_t d = direction & 255;
    const int32_t f = p.facing & 255;
    const int32_t turn = d == f ? 0 : (Person_TurnsUp(d, f) ? 1 : -1);
    p.facing = static_cast<uint16_t>((f + turn) & 255);
    p.drawnFrame = p.frame;
}

void Person_RunStep(int32_t person, int32_t targetSpeed, int32_t direction, int32_t accel)
{
    MatchPerson& p = MatchPersons[person];
    const int32_t pace = Person_Skill(p, SKILL_PACE);
    if (MatchPhase == PHASE_OPEN_PLAY) targetSpeed += pace / 8 + 12;
    int32_t speed = p.runSpeed;
    if (targetSpeed > speed) {
        speed = std::min(std::max(speed, 64) + accel, targetSpeed);
    } else if (targetSpeed < speed) {
        speed = std::max(speed - accel, targetSpeed);
    }
    p.runSpeed = static_cast<int16_t>(speed);
    const Turn t = TurnOf(direction, 256);
    StepX = ChopToInt(t.sin * speed);
    StepY = ChopToInt(t.cos * speed);
    CurrentPersonPos.x16 += StepX * 1000 * (pace + 500) / 600;
    CurrentPersonPos.y16 -= StepY * 1000 * (pace + 500) / 600;
}

void Person_RunStepBoosted(int32_t person, int32_t targetSpeed, int32_t accel)
{
    if (person < MATCH_PLAYER_COUNT)
        targetSpeed += std::min<int32_t>(TeamPressure[Person_Side(person)], kPressureCap);
    Person_RunStep(person, targetSpeed, MatchPersons[person].facing, accel);
}

void Person_RunToward(int32_t person, int32_t x, int32_t y)
{
    MatchPerson& p = MatchPersons[person];
    // On the point itself there is no direction to it: he keeps his facing. A fixed direction
    // would send him toward the goal at y 122 whichever goal he attacks.
    const bool onThePoint = x == CurrentPersonPos.x && y == CurrentPersonPos.y;
    const int32_t d =
        onThePoint ? p.facing : Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y);
    const int32_t apart = std::abs(p.facing - d);
    // A runner at full speed turns too widely to reach a point right beside him and would circle
    // it for ever: that close he pivots to it at once.
    const bool beside =
        Person_StraightDistance(CurrentPersonPos.x, CurrentPersonPos.y, x, y) < kPivotReach;
    if (apart > 248 || apart < 8 || p.frame == -1 || beside) p.facing = static_cast<uint16_t>(d);
    Person_TurnTowardTwiceIfSlow(person, d);
    const Run run = ChooseRun(person, x, y);
    if (run.animation < 0) return;
    if (Person_FindBlockerAhead(person) != 0 && Ball.possession != Person_Side(person)
        && MatchPhase == PHASE_OPEN_PLAY) {
        p.blockedTicks = static_cast<uint8_t>(std::min(p.blockedTicks + 1, kBlockedTicksToStand));
    } else {
        Person_RunStepBoosted(person, run.targetSpeed, 1);
        p.blockedTicks = 0;
    }
    if (p.blockedTicks < kBlockedTicksToStand) {
        Person_LoopAnim(person, run.animation, 1, run.loopFrame);
    } else {
        Person_TurnToward(person, p.facing);
    }
}

void Person_ShuffleTo(int32_t person, int32_t x, int32_t y)
{
    MatchPerson& p = MatchPersons[person];
    if (Person_TouchDistance(CurrentPersonPos.x, CurrentPersonPos.y, x, y, 1000) == 0) {
        Person_TurnTowardTwiceIfSlow(person, p.dirToBall);
        Person_TurnToward(person, p.dirToBall);
        return;
    }
    p.facing = p.dirToBall;
    const int32_t d = Person_DirectionTo(CurrentPersonPos.x, CurrentPersonPos.y, x, y);
    const int32_t a = FoldedDifference(d, p.facing);
    if (a > 96) {
        p.facing = static_cast<uint16_t>((d + 128) & 255);
        Person_LoopAnim(person, 14, 1, 0);
        Person_RunStep(person, 100, d, 1);
    } else if (a > 32) {
        // Either way: the views draw a step to his right with the clip's mirror.
        Person_LoopAnim(person, 96, 1, 33);
        Person_RunStep(person, 64, d, 1);
    } else {
        Person_LoopAnim(person, 10, 1, 31);
        Person_RunStep(person, 64, d, 1);
    }
}

int32_t Person_FindBlockerAhead(int32_t person)
{
    if (MatchPhase != PHASE_OPEN_PLAY) return 0;
    const MatchPerson& p = MatchPersons[person];
    const Turn t = TurnOf(p.facing, 256);
    const int32_t aheadX = p.x + ChopToInt(kAheadUnits * t.sin);
    const int32_t aheadY = p.y - ChopToInt(kAheadUnits * t.cos);
    for (int32_t other = 0; other < MATCH_PLAYER_COUNT; ++other) {
        const MatchPerson& o = MatchPersons[other];
        if (other == person || IsBusyOnTheGround(o)) continue;
        if (std::abs(o.x - aheadX) <= kAheadUnits && std::abs(o.y - aheadY) <= kAheadUnits)
            return other + 1;
    }
    return 0;
}

int32_t Person_RunAnim(int32_t person, int32_t animation, int32_t step, int32_t nextAction)
{
    MatchPerson& p = MatchPersons[person];
    p.animation = static_cast<int16_t>(animation);
    const int32_t next = p.frame + step;
    if (next >= FrameCount(animation) || next <= 0) {
        Person_SetAction(person, nextAction);
        return 0;
    }
    p.frame = static_cast<int16_t>(next);
    ShowFrame(p);
    return 1;
}

void Person_LoopAnim(int32_t person, int32_t animation, int32_t step, int32_t loopFrame)
{
    MatchPerson& p = MatchPersons[person];
    p.animation = static_cast<int16_t>(animation);
    p.frame = static_cast<int16_t>(p.frame + step);
    if (p.frame >= FrameCount(animation)) p.frame = static_cast<int16_t>(loopFrame);
    ShowFrame(p);
}

void Person_TurnHeadToward(int32_t person, int32_t direction, int32_t maxStep)
{
    MatchPerson& p = MatchPersons[person];
    AddHeadTurn(p, static_cast<int8_t>(direction - (p.drawnDirection - 64) - p.headAngle), maxStep);
}

void Person_TurnHeadBy(int32_t person, int32_t relDirection, int32_t maxStep)
{
    MatchPerson& p = MatchPersons[person];
    AddHeadTurn(p, static_cast<int8_t>(relDirection - p.headAngle), maxStep);
}

void Person_LookAt(int32_t person, int32_t other, int32_t maxStep)
{
    const MatchPerson& p = MatchPersons[person];
    const MatchPerson& o = MatchPersons[other];
    Person_TurnHeadToward(person, Person_DirectionTo(p.x, p.y, o.x, o.y), maxStep);
}

void Person_LookAtPoint(int32_t person, int32_t x, int32_t y, int32_t maxStep)
{
    const MatchPerson& p = MatchPersons[person];
    Person_TurnHeadBy(person, (Person_DirectionTo(p.x, p.y, x, y) - (p.drawnDirection - 64)) & 255,
                      maxStep);
}

void Keeper_StartDive(int32_t keeper)
{
    MatchPerson& p = MatchPersons[keeper];
    KeeperDiveDirection = static_cast<int16_t>(p.dirToBall);
    ++p.stats.dives;
    Person_SetAction(keeper, ACT_KEEPER_SMOTHER);
    const int32_t side = Person_Side(keeper);
    Comm_Say(123, side, keeper, -1, 0);
    const int32_t ballX = KeeperWatchPoint[0];
    const bool attacksUp = AttacksUp(side);
    const bool left = (ballX < p.x && !attacksUp) || (ballX > p.x && attacksUp);
    p.passKind = left ? 0 : 1;
    p.runSpeed = 80;
}

int32_t ShootOut_PickTaker()
{
    const int32_t side = KickingSide & 1;
    const int32_t k = Match.shootoutKicks / 2;
    // Long sudden death runs past the ten entries, and a list may lose takers to red cards:
    // the order wraps round what is usable, and an empty order falls back to the line-up.
    const int32_t taker = PickWrapped(PenaltyOrder[side], k);
    if (taker >= 0) return taker;
    std::array<int16_t, 11> lineUp{};
    for (int32_t slot = 10; slot >= 0; --slot) {
        lineUp[10 - slot] = LineUp[side][slot];
    }
    const int32_t fallback = PickWrapped(lineUp, k);
    return fallback >= 0 ? fallback : LineUp[side][0];
}
