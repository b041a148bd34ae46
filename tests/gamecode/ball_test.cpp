// tests/gamecode/ball_test.cpp: drag, gravity, bounce, swerve, the line walk, speed and
// direction, and the look-ahead points, with values worked out from the flight rules.
#include "gamecode/ball.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "gamecode/phases.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

// The ball at (500, 500) with the physics words of a period in play.
class BallFlight : public testing::Test {
protected:
    void SetUp() override
    {
        Match.ballDrag = 992;
        Match.ballGravity = 4000;
        Match.ballThird = 100;
        Match.ballCoefficients[0] = 0.52f;
        Match.ballCoefficients[1] = 0.94f;
        PlaceBall();
    }
    static void PlaceBall()
    {
        Person_PlaceAt(MATCH_BALL, 500, 500);
        Ball.wholeX = 500;
        Ball.wholeY = 500;
        Ball.x16 = 500 * 65536;
        Ball.y16 = 500 * 65536;
    }
    // Lifts the ball to an exact height, whole part and fraction.
    static void SetHeight(int32_t height16)
    {
        Ball.height16 = height16;
        Ball.height = static_cast<uint16_t>(height16 / 65536);
    }
    // One flight step; the contact pass would count the after-kick ticks down.
    static void Fly()
    {
        Ball_Integrate(Ball, [](BallState&) {});
        if (Ball.afterKick > 0) --Ball.afterKick;
    }
    ScopedMatch match;
};

std::vector<std::pair<int32_t, int32_t>> s_cells;
int32_t s_stopAt = 0;

void RecordCell(BallState& b)
{
    s_cells.emplace_back(b.walkX, b.walkY);
    if (static_cast<int32_t>(s_cells.size()) == s_stopAt) b.stopFlag = 1;
}

TEST_F(BallFlight, DragKeepsNineNinetyTwoPerMilleOfTheHorizontalSpeed)
{
    SetHeight(60000);  // on the ground, high enough in its unit not to bounce this tick
    Ball.velX = 655360;
    Fly();
    EXPECT_EQ(Ball.velX, 650117);
    EXPECT_EQ(Ball.x16, 500 * 65536 + 650117);
    EXPECT_EQ(Ball.velZ, -4000);
    EXPECT_EQ(Ball.height16, 56000);
}

TEST_F(BallFlight, SpeedInsideTheSnapStopsDeadAfterMovingThatTick)
{
    SetHeight(20 * 65536);
    Ball.velX = 4100;  // 4067 after drag
    Ball.velY = -65536;
    Fly();
    EXPECT_EQ(Ball.velX, 0);
    EXPECT_EQ(Ball.x16, 500 * 65536 + 4067);
    EXPECT_EQ(Ball.velY, -65011);
}

TEST_F(BallFlight, BounceKeepsFiftyTwoHundredthsAndTheHeightBeforeTheStep)
{
    SetHeight(10000);
    Ball.velZ = -20001;  // -24001 after gravity
    Ball.velX = 100100;  // 99299 after drag
    Ball.firstBounce = 1;
    Fly();
    EXPECT_EQ(Ball.velZ, 12480);  // 24001 x 0.52
    EXPECT_EQ(Ball.velX, 93341);  // 99299 x 0.94
    EXPECT_EQ(Ball.height16, 10000);
    EXPECT_EQ(Ball.firstBounce, 0);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].x, 3042);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].y, 3042);
}

TEST_F(BallFlight, DroppedBallNeverRestsBelowTheGround)
{
    SetHeight(30 * 65536);
    for (int32_t tick = 0; tick < 400; ++tick) {
        Fly();
        ASSERT_GE(Ball.height16, 0) << tick;
        ASSERT_LE(Ball.height, 30) << tick;
    }
    EXPECT_EQ(Ball.height, 0);
}

TEST_F(BallFlight, GroundSwerveLastsTheSixteenTicksAfterTheKick)
{
    Ball.afterKick = 16;
    Ball.swerveTicks = 30;
    Ball.swerveX = 1000;
    for (int32_t tick = 0; tick < 16; ++tick) {
        Fly();
    }
    EXPECT_EQ(Ball.swerveTicks, 14);
    EXPECT_EQ(Ball.height, 0);
    Fly();
    EXPECT_EQ(Ball.swerveTicks, 0);
    EXPECT_EQ(Ball.swerveX, 0);
}

TEST_F(BallFlight, RestartTakersHoldEndsTheSwerveAtOnce)
{
    SetHeight(20 * 65536);
    Ball.afterKick = 16;
    Ball.swerveTicks = 30;
    Ball.swerveY = 500;
    Ball.secondHolder = 4;
    Fly();
    EXPECT_EQ(Ball.swerveTicks, 0);
    EXPECT_EQ(Ball.velY, 0);
}

TEST_F(BallFlight, LineWalkSpreadsTheShortStepsEvenly)
{
    Match.ballDrag = 1000;
    Match.ballGravity = 0;
    struct Case {
        int32_t dx, dy;
        std::vector<int32_t> shortAfter;  // long steps i after which the short axis moves
    };
    const Case cases[] = {{10, 3, {3, 6, 9}}, {12, 3, {3, 7, 11}}, {-4, -4, {0, 1, 2, 3}}};
    for (const Case& c : cases) {
        PlaceBall();
        s_cells.clear();
        s_stopAt = 0;
        Ball.velX = c.dx * 65536;
        Ball.velY = c.dy * 65536;
        Ball_Integrate(Ball, RecordCell);
        // Equal axes walk y as the long one.
        const bool longIsX = std::abs(c.dx) > std::abs(c.dy);
        int32_t cell[2] = {500, 500};
        const int32_t longAxis = longIsX ? 0 : 1;
        const int32_t unit[2] = {c.dx > 0 ? 1 : -1, c.dy > 0 ? 1 : -1};
        std::vector<std::pair<int32_t, int32_t>> expected;
        for (int32_t i = 0; i < std::max(std::abs(c.dx), std::abs(c.dy)); ++i) {
            cell[longAxis] += unit[longAxis];
            expected.emplace_back(cell[0], cell[1]);
            for (int32_t s : c.shortAfter) {
                if (s != i) continue;
                cell[1 - longAxis] += unit[1 - longAxis];
                expected.emplace_back(cell[0], cell[1]);
            }
        }
        EXPECT_EQ(s_cells, expected) << c.dx << " x " << c.dy;
        EXPECT_EQ(Ball.wholeX, 500 + c.dx);
        EXPECT_EQ(Ball.wholeY, 500 + c.dy);
    }
}

TEST_F(BallFlight, StoppedWalkLeavesTheBallOnItsCellWithoutFractions)
{
    Match.ballDrag = 1000;
    Match.ballGravity = 0;
    Ball.x16 = 500 * 65536 + 1234;
    Ball.velX = 10 * 65536;
    Ball.velY = 3 * 65536;
    s_cells.clear();
    s_stopAt = 4;
    Ball_Integrate(Ball, RecordCell);
    EXPECT_EQ(s_cells.size(), 4u);
    EXPECT_EQ(Ball.wholeX, 504);
    EXPECT_EQ(Ball.wholeY, 500);
    EXPECT_EQ(Ball.x16, 504 * 65536);
    EXPECT_EQ(Ball.y16, 500 * 65536);
}

TEST_F(BallFlight, SpeedAndDirectionOfTheHorizontalVelocity)
{
    Ball_UpdateSpeedDir();
    EXPECT_EQ(Ball.speed, 0);
    EXPECT_EQ(Ball.direction, 256);
    Ball.velX = 30000;
    Ball.velY = 30000;
    Ball_UpdateSpeedDir();
    EXPECT_EQ(Ball.speed, 0);
    EXPECT_EQ(Ball.direction, 96);  // from (0, 0) to (7, 7)
    Ball.velX = 3 * 65536 + 5;
    Ball.velY = -2 * 65536;
    Ball_UpdateSpeedDir();
    EXPECT_EQ(Ball.speed, 5);
    EXPECT_EQ(Ball.direction, 40);  // (48, -32): 40.04 steps
}

TEST_F(BallFlight, LookAheadPointsFollowTheVelocityOnlyInOpenPlayPhases)
{
    Match.ballDrag = 1000;
    Match.ballGravity = 0;
    SetHeight(20 * 65536);
    Ball.velX = 300000;
    Ball.velY = -60000;
    Ball_Tick();
    EXPECT_EQ(Ball.lookAhead[0][0], 530);
    EXPECT_EQ(Ball.lookAhead[0][1], 494);
    EXPECT_EQ(KeeperWatchPoint[0], 600);
    EXPECT_EQ(KeeperWatchPoint[1], 480);
    EXPECT_EQ(Ball.lookAhead[2][0], 900);
    EXPECT_EQ(Ball.lookAhead[2][1], 420);
    MatchPhase = PHASE_THROW_IN_AWARDED;
    Ball_Tick();
    EXPECT_EQ(KeeperWatchPoint[0], 600);
    MatchPhase = PHASE_OFFSIDE;
    Ball_Stop();
    Ball_Tick();
    const MatchPerson& object = MatchPersons[MATCH_BALL];
    for (int32_t k = 0; k < 3; ++k) {
        EXPECT_EQ(Ball.lookAhead[k][0], object.x);
        EXPECT_EQ(Ball.lookAhead[k][1], object.y);
    }
}

TEST_F(BallFlight, TickMovesTheObjectAndTakesItBackFromOtherCode)
{
    Match.ballDrag = 1000;
    Match.ballGravity = 0;
    Ball.velX = 2 * 65536;
    Ball_Tick();
    const MatchPerson& object = MatchPersons[MATCH_BALL];
    EXPECT_EQ(object.x, 502);
    EXPECT_EQ(object.x16, Ball.x16);
    Person_PlaceAt(MATCH_BALL, 700, 800);
    Ball_Stop();
    Ball_Tick();
    EXPECT_EQ(object.x, 700);
    EXPECT_EQ(object.y, 800);
    EXPECT_EQ(Ball.wholeX, 700);
}

TEST_F(BallFlight, HeldBallHasWholeHeightZeroAfterTheTick)
{
    SetHeight(20 * 65536);
    Ball.holder = 5;
    Ball_Tick();
    EXPECT_EQ(Ball.height, 0);
}

TEST_F(BallFlight, EffectCooldownStartsOnlyOnAMovingBallWithoutOne)
{
    Ball_StartEffectCooldown();
    EXPECT_EQ(Ball.effectCooldown, 0);
    Ball.speed = 3;
    Ball.effectCooldown = 10;
    Ball_StartEffectCooldown();
    EXPECT_EQ(Ball.effectCooldown, 10);
    Ball.effectCooldown = 0;
    Ball_StartEffectCooldown();
    EXPECT_EQ(Ball.effectCooldown, 50);
    Ball_Tick();
    EXPECT_EQ(Ball.effectCooldown, 49);
}

}  // namespace
