// gamecode/ball.cpp: the ball's flight.
#include "gamecode/ball.h"

#include <array>
#include <cstdlib>

#include "engine/convert.h"
#include "gamecode/actionids.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/goalframe.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"

namespace {

constexpr int32_t kSnapBelow = 4095;  // a horizontal speed inside this stops dead
constexpr int32_t kCooldownTicks = 50;
constexpr double kSpinPerUnit = 1.530573199663274e-06;
constexpr auto kLookAheadDivisor = std::to_array<int32_t>({10000, 3000, 750});  // near, middle, far

// The whole part in the high 16 bits, the old fraction kept.
int32_t WithFraction(int32_t whole, int32_t fixed16)
{
    return static_cast<int32_t>((static_cast<uint32_t>(whole) << 16)
                                | (static_cast<uint32_t>(fixed16) & 0xFFFFu));
}

int32_t Scaled(int32_t value, int32_t numerator, int32_t denominator)
{
    return static_cast<int32_t>(static_cast<int64_t>(value) * numerator / denominator);
}

int32_t Kept(int32_t velocity, float keep)
{
    return ChopToInt(static_cast<double>(velocity) * static_cast<double>(keep));
}

void Snap(int32_t& velocity)
{
    if (velocity > -kSnapBelow && velocity < kSnapBelow) velocity = 0;
}

// The ground contact ends a swerve once the kick's first ticks are over; a restart taker's
// hold ends it at once.
void CancelSwerve(BallState& b)
{
    if ((b.height == 0 && b.afterKick == 0 && b.swerveTicks != 0) || b.secondHolder != 0) {
        b.swerveX = b.swerveY = b.swerveZ = 0;
        b.swerveTicks = 0;
    }
}

void Bounce(BallState& b, int32_t& vx, int32_t& vy, int32_t& vz, int32_t& newHeight)
{
    if (b.firstBounce != 0) {
        b.firstBounce = 0;
        Person_PlaceAt(MATCH_MARKER, PITCH_PARKED_Y, PITCH_PARKED_Y);
    }
    vz = -vz;
    newHeight += vz;  // back to the height before this step
    vx = Kept(vx, Match.ballCoefficients[1]);
    vy = Kept(vy, Match.ballCoefficients[1]);
    vz = Kept(vz, Match.ballCoefficients[0]);
}

int32_t UnitToward(int32_t difference) { return difference >= 1 ? 1 : -1; }

// Walks the whole units from the ball's position to (toX, toY), long axis first at each unit and
// the short axis spread evenly, so every cell checked lies on the straight path. Returns true
// when a check stopped the ball; the walk cell is then where it stands.
bool WalkLine(BallState& b, int32_t toX, int32_t toY, BallCellCheck check)
{
    const int32_t dx = toX - b.wholeX;
    const int32_t dy = toY - b.wholeY;
    const bool longIsX = std::abs(dx) > std::abs(dy);
    const int32_t longSteps = std::abs(longIsX ? dx : dy);
    const int32_t shortSteps = std::abs(longIsX ? dy : dx);
    int16_t& longCell = longIsX ? b.walkX : b.walkY;
    int16_t& shortCell = longIsX ? b.walkY : b.walkX;
    const int32_t longUnit = UnitToward(longIsX ? dx : dy);
    const int32_t shortUnit = UnitToward(longIsX ? dy : dx);
    auto stepAndCheck = [&](int16_t& cell, int32_t unit) {
        cell = static_cast<int16_t>(cell + unit);
        b.stopFlag = 0;
        check(b);
        return b.stopFlag != 0;
    };
    b.walkX = b.wholeX;
    b.walkY = b.wholeY;
    for (int32_t i = 0; i < longSteps; ++i) {
        if (stepAndCheck(longCell, longUnit)) return true;
        const bool shortDue = (i + 1) * shortSteps / longSteps > i * shortSteps / longSteps;
        if (shortDue && stepAndCheck(shortCell, shortUnit)) return true;
    }
    return false;
}

void StoreLookAhead()
{
    const MatchPerson& object = MatchPersons[MATCH_BALL];
    for (size_t k = 0; k < kLookAheadDivisor.size(); ++k) {
        Ball.lookAhead[k][0] = static_cast<int16_t>(object.x + Ball.velX / kLookAheadDivisor[k]);
        Ball.lookAhead[k][1] = static_cast<int16_t>(object.y + Ball.velY / kLookAheadDivisor[k]);
    }
}

void CountDown(int16_t& timer)
{
    if (timer > 0) --timer;
}

}  // namespace

void Ball_Tick()
{
    CountDown(Ball.cornerTimer);
    CountDown(Ball.netTimer);
    CountDown(Ball.effectCooldown);
    MatchPerson& object = MatchPersons[MATCH_BALL];
    Ball.wholeX = object.x;
    Ball.wholeY = object.y;
    Ball_UpdateSpin();
    Ball_Integrate(Ball, Ball_CheckOutOfPlay);
    Ball.walkX = Ball.wholeX;
    Ball.walkY = Ball.wholeY;
    Ball_CheckOutOfPlay(Ball);
    Ball_UpdateSpeedDir();
    Ball_ResolveContacts();
    if (MatchPhase < PHASE_THROW_IN_AWARDED) StoreLookAhead();
    if (Ball.holder != 0) Ball.height = 0;
    object.x = Ball.wholeX;
    object.y = Ball.wholeY;
    object.x16 = Ball.x16;
    object.y16 = Ball.y16;
}

bool Ball_Integrate(BallState& b, BallCellCheck check)
{
    const int32_t x16 = WithFraction(b.wholeX, b.x16);
    const int32_t y16 = WithFraction(b.wholeY, b.y16);
    const int32_t height16 = WithFraction(b.height, b.height16);
    int32_t vx = b.velX;
    int32_t vy = b.velY;
    int32_t vz = b.velZ;
    CancelSwerve(b);
    if (b.swerveTicks != 0) {
        vx += b.swerveX;
        vy += b.swerveY;
        vz += b.swerveZ;
        --b.swerveTicks;
    }
    vx = Scaled(vx, Match.ballDrag, 1000);
    vy = Scaled(vy, Match.ballDrag, 1000);
    vz -= Match.ballGravity;
    int32_t newHeight = height16 + vz;
    const bool bounced = newHeight < 0;
    if (bounced) Bounce(b, vx, vy, vz, newHeight);
    int32_t newX = x16 + Scaled(vx, Match.ballThird, 100);
    int32_t newY = y16 + Scaled(vy, Match.ballThird, 100);
    Snap(vx);
    Snap(vy);
    b.velX = vx;
    b.velY = vy;
    b.velZ = vz;
    b.height = static_cast<uint16_t>(newHeight / 65536);
    if (check != nullptr && WalkLine(b, Fixed_ToUnits(newX), Fixed_ToUnits(newY), check)) {
        newX = b.walkX * 65536;
        newY = b.walkY * 65536;
    }
    b.wholeX = Fixed_ToUnits(newX);
    b.wholeY = Fixed_ToUnits(newY);
    b.x16 = newX;
    b.y16 = newY;
    b.height16 = newHeight;
    return bounced;
}

void Ball_UpdateSpeedDir()
{
    if (Ball.velX == 0 && Ball.velY == 0) {
        Ball.speed = 0;
        Ball.direction = BALL_STILL;
        return;
    }
    Ball.direction = static_cast<uint16_t>(Person_DirectionTo(
        0, 0, static_cast<int16_t>(Ball.velX / 4096), static_cast<int16_t>(Ball.velY / 4096)));
    Ball.speed =
        static_cast<uint8_t>((std::llabs(Ball.velX) >> 16) + (std::llabs(Ball.velY) >> 16));
}

void Ball_Stop()
{
    Ball.velX = 0;
    Ball.velY = 0;
    Ball.velZ = 0;
}

void Ball_PlaceOnCentreSpot()
{
    Person_PlaceAt(MATCH_BALL, PITCH_CENTRE_X, PITCH_CENTRE_Y);
    Ball.height = 0;
    Ball_Stop();
}

void Ball_StartEffectCooldown()
{
    if (Ball.effectCooldown <= 0 && Ball.speed != 0) Ball.effectCooldown = kCooldownTicks;
}

void Ball_UpdateSpin()
{
    if (Ball.spinHeading == BALL_SPIN_UNSET && Ball.lastToucher >= 0
        && Ball.lastToucher < MATCH_OBJECT_COUNT) {
        const MatchPerson& toucher = MatchPersons[Ball.lastToucher];
        if (toucher.hasBall != 0 && toucher.action == ACT_CARRY_RUN)
            Ball.spinHeading = static_cast<int16_t>(toucher.facing);
    }
    const int32_t dx = Ball.x16 - Ball.spinLastX16;
    const int32_t dy = Ball.y16 - Ball.spinLastY16;
    Match.ballSpin[0] = static_cast<float>(Match.ballSpin[0] + dy * kSpinPerUnit);
    Match.ballSpin[1] = static_cast<float>(Match.ballSpin[1] + dx * kSpinPerUnit);
    Ball.spinLastX16 = Ball.x16;
    Ball.spinLastY16 = Ball.y16;
    MatchPresentationOps.Ball_SetSpinAngles(0.0f, Match.ballSpin[1], -Match.ballSpin[0]);
}
