// tests/gamecode/motion_test.cpp: directions, turns, runs, animations, heads, the blocker ahead,
// the keeper's dive, the shoot-out taker and the motion frame counts.
#include "gamecode/motion.h"

#include <array>
#include <cmath>
#include <numbers>

#include "engine/convert.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/motionframes.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

// Puts the person at a point as the dispatcher would before running his action.
void Stand(int32_t person, int32_t x, int32_t y, int32_t facing = 0)
{
    Person_PlaceAt(person, x, y);
    MatchPersons[person].facing = static_cast<uint16_t>(facing);
    CurrentPersonPos = {static_cast<int16_t>(x), static_cast<int16_t>(y), x * 65536, y * 65536};
}

TEST(Motion, DirectionsRoundToTheNearestStepOnEveryHalfOfTheTurn)
{
    struct Case {
        int32_t x2, y2, n, expected;
    };
    const Case cases[] = {
        {0, -50, 256, 0},     {50, 0, 256, 64},    {0, 50, 256, 128},
        {-50, 0, 256, 192},   {30, 40, 256, 102},  // 101.78 steps
        {-30, -40, 256, 230},                      // 229.78: the left half rounds like the right
        {-10, -3, 256, 204},                       // 203.875
        {10, -3, 256, 52},                         // 52.12
        {50, 0, 16, 4},       {-50, 0, 1024, 768}, {100000, 100000, 1024, 384},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Person_DirectionToN(0, 0, c.x2, c.y2, c.n), c.expected) << c.x2 << "," << c.y2;
    }
    EXPECT_EQ(Person_DirectionTo(100, 100, 100, 50), 0);
}

// The direction as the arc tangent gives it, rounded to the nearest of n steps: what the
// boundary table must answer for every difference it serves.
int32_t DirectionByArcTangent(int32_t right, int32_t up, int32_t n)
{
    double steps = std::atan2(static_cast<double>(right), static_cast<double>(up)) * n
                   / (2.0 * std::numbers::pi);
    if (steps < 0) steps += n;
    return ChopToInt(steps + 0.5) & (n - 1);
}

// Every difference of the first quarter within the table's reach, and the other quarters on a
// grid, take the arc tangent's step on both the 256- and the 1,024-step turns; beyond the reach
// the arc tangent itself answers.
TEST(Motion, DirectionsFromTheBoundaryTableAreTheArcTangentsOverTheWholeReach)
{
    constexpr int32_t kReach = 2560;
    // The sanitizer build walks the first quarter's columns seven apart.
#ifdef PELLORAN_SOAK_PERIOD_MINUTES
    constexpr int32_t kColumnStride = 7;
#else
    constexpr int32_t kColumnStride = 1;
#endif
    int64_t wrong = 0;
    for (const int32_t n : {256, 1024}) {
        for (int32_t right = 0; right < kReach; right += kColumnStride) {
            for (int32_t up = 0; up < kReach; ++up) {
                wrong +=
                    Person_DirectionToN(0, 0, right, -up, n) != DirectionByArcTangent(right, up, n);
            }
        }
        for (int32_t right = 1 - kReach; right < kReach; right += 3) {
            for (int32_t up = 1 - kReach; up < kReach; up += 3) {
                wrong += Person_DirectionToN(7, 9, 7 + right, 9 - up, n)
                         != DirectionByArcTangent(right, up, n);
            }
        }
        for (const int32_t far : {kReach, 40000, -1000000}) {
            EXPECT_EQ(Person_DirectionToN(0, 0, far, -3, n), DirectionByArcTangent(far, 3, n));
        }
    }
    EXPECT_EQ(wrong, 0);
}

// A man on the ball's own point keeps the direction he had to it, whichever goal he attacks;
// anywhere else it is the direction to the ball.
TEST(Motion, OnTheBallsPointTheDirectionToItIsTheOneHeHad)
{
    ScopedMatch match;
    Person_PlaceAt(MATCH_BALL, 700, 900);
    struct Case {
        int32_t x, y;
        uint16_t had;
        int32_t expected;
    };
    const Case cases[] = {
        {700, 900, 37, 37},  {700, 900, 165, 165}, {700, 950, 37, 0},
        {700, 850, 37, 128}, {650, 900, 200, 64},  {750, 900, 0, 192},
    };
    for (const Case& c : cases) {
        MatchPersons[3].dirToBall = c.had;
        EXPECT_EQ(Person_DirectionToBallFrom(3, c.x, c.y), c.expected) << c.x << "," << c.y;
    }
}

TEST(Motion, VectorFromAngleLeavesTheStepInFront)
{
    ScopedMatch match;
    Person_VectorFromAngle(64, 10, 256);
    EXPECT_EQ(StepX, 10);
    EXPECT_EQ(StepY, 0);
    Person_VectorFromAngle(512, 10, 1024);
    EXPECT_EQ(StepX, 0);
    EXPECT_EQ(StepY, -10);  // in front of a person facing larger y lies y - (-10)
    Person_VectorFromAngle(32, 10, 256);
    EXPECT_EQ(StepX, 7);
    EXPECT_EQ(StepY, 7);
}

// The step vectors come from a table of the turn's 256 steps; every angle of every turn size and
// length must still give exactly what the formula gives, or matches would change.
TEST(Motion, StepVectorsEqualTheFormulaForEveryAngle)
{
    ScopedMatch match;
    for (int32_t n : {256, 1024}) {
        for (int32_t angle = -n; angle < 2 * n; ++angle) {
            for (int32_t length : {-5, 1, 7, 190, 4000}) {
                const double a = angle * 2.0 * std::numbers::pi / n;
                Person_VectorFromAngle(angle, length, n);
                ASSERT_EQ(StepX, ChopToInt(length * std::sin(a))) << angle << "/" << n;
                ASSERT_EQ(StepY, ChopToInt(length * std::cos(a))) << angle << "/" << n;
            }
        }
    }
}

TEST(Motion, TouchAndRangeDistancesHonourTheBallHeight)
{
    ScopedMatch match;
    EXPECT_EQ(Person_TouchDistance(0, 0, 3, 2, 100), 0);
    EXPECT_EQ(Person_TouchDistance(0, 0, 3, 3, 100), 7);
    Ball.height = 100;
    EXPECT_EQ(Person_TouchDistance(0, 0, 3, 2, 100), 6);
    EXPECT_EQ(Person_TouchDistance(0, 0, 3, 2, 101), 0);
    Ball.height = 0;
    // Direction 102; sin 0.5957, cos -0.8032: 17 + 32.
    EXPECT_EQ(Person_RangeCheck(0, 0, 30, 40, 49, 10), 0);
    EXPECT_EQ(StepX, 23);
    EXPECT_EQ(StepY, -32);
    EXPECT_EQ(Person_RangeCheck(0, 0, 30, 40, 48, 10), 50);
}

TEST(Motion, TurnStepTakesTheShortWayAndAgilityBoundsTheSteps)
{
    ScopedMatch match;
    struct Case {
        int32_t facing, target, agility, expected;
    };
    const Case cases[] = {
        {250, 5, 99, 0},                                         // six steps up through 255
        {250, 5, 90, 0},   {5, 250, 0, 2},                       // three steps down through 0
        {0, 128, 0, 253},                                        // a half turn turns down
        {0, 128, 29, 253}, {0, 128, 30, 252}, {10, 12, 99, 12},  // stops on the target
    };
    for (const Case& c : cases) {
        MatchPersons[3].facing = static_cast<uint16_t>(c.facing);
        MatchPersons[3].skills[SKILL_AGILITY] = static_cast<uint8_t>(c.agility);
        Person_TurnStep(3, c.target);
        EXPECT_EQ(MatchPersons[3].facing, c.expected) << c.facing << " to " << c.target;
    }
}

TEST(Motion, TurnTowardStandsAndTurnsAHalfTurnDownFromEitherSide)
{
    ScopedMatch match;
    MatchPerson& p = MatchPersons[3];
    p.runSpeed = 120;
    p.frame = static_cast<int16_t>(MotionFrameCounts[0] - 1);
    p.facing = 0;
    Person_TurnToward(3, 128);
    EXPECT_EQ(p.facing, 255);
    EXPECT_EQ(p.drawnDirection, 64);  // taken before the step
    EXPECT_EQ(p.runSpeed, 0);
    EXPECT_EQ(p.animation, 0);
    EXPECT_EQ(p.frame, 0);
    p.facing = 128;
    Person_TurnToward(3, 0);
    EXPECT_EQ(p.facing, 127);
    p.facing = 200;
    Person_TurnToward(3, 71);
    EXPECT_EQ(p.facing, 201);  // short of a half turn: the short way
}

TEST(Motion, RunStepAcceleratesFromSixtyFourAndNeverPassesTheTarget)
{
    ScopedMatch match;
    MatchPerson& p = MatchPersons[3];
    p.skills[SKILL_PACE] = 50;
    Stand(3, 500, 500);
    MatchPhase = PHASE_GOAL;
    Person_RunStep(3, 140, 64, 3);
    EXPECT_EQ(p.runSpeed, 67);
    p.runSpeed = 100;
    Person_RunStep(3, 98, 64, 5);
    EXPECT_EQ(p.runSpeed, 98);
    p.runSpeed = 64;
    Stand(3, 500, 500);
    Person_RunStep(3, 64, 64, 1);
    EXPECT_EQ(CurrentPersonPos.x16, 500 * 65536 + 58666);  // 64 x 1000 x 550 / 600
    EXPECT_EQ(CurrentPersonPos.y16, 500 * 65536);
    MatchPhase = PHASE_OPEN_PLAY;
    p.runSpeed = 160;
    Person_RunStep(3, 140, 64, 5);
    EXPECT_EQ(p.runSpeed, 158);  // 140 + 50 / 8 + 12
}

TEST(Motion, RunStepBoostedAddsPressureUpToTwentyAlongTheFacing)
{
    ScopedMatch match;
    MatchPhase = PHASE_GOAL;
    TeamPressure[1] = 35;
    Stand(20, 500, 500, 128);
    MatchPersons[20].runSpeed = 100;
    Person_RunStepBoosted(20, 140, 200);
    EXPECT_EQ(MatchPersons[20].runSpeed, 160);
    EXPECT_GT(CurrentPersonPos.y16, 500 * 65536);
    EXPECT_EQ(CurrentPersonPos.x16, 500 * 65536);
}

class RunToward : public testing::Test {
protected:
    void SetUp() override
    {
        Ball.possession = 1;
        Ball.speed = 10;
        Person_PlaceAt(20, 500, 350);
        Stand(3, 500, 500, 128);
    }
    ScopedMatch match;
};

TEST_F(RunToward, SprintsOnlyWhenTheOtherActivePlayerIsNearerTheFarPoint)
{
    ActivePlayer[1] = 20;
    Person_RunToward(3, 500, 600);  // r1 100, r2 250
    EXPECT_EQ(MatchPersons[3].animation, 12);
    EXPECT_EQ(MatchPersons[3].runSpeed, 65);
    Person_PlaceAt(20, 500, 650);
    Person_RunToward(3, 500, 600);  // r2 50
    EXPECT_EQ(MatchPersons[3].animation, 13);
    Person_PlaceAt(20, 500, 560);
    Stand(3, 500, 500, 128);
    Person_RunToward(3, 500, 540);  // r2 20 < r1, but r1 only 40
    EXPECT_EQ(MatchPersons[3].animation, 12);
}

TEST_F(RunToward, ArrivingChaserStopsUnlessHeKeepsGoal)
{
    ActivePlayer[1] = 20;
    Person_RunToward(3, 500, 505);
    EXPECT_EQ(MatchPersons[3].action, 108);
    Stand(0, 500, 500, 128);
    Person_RunToward(0, 500, 505);
    EXPECT_NE(MatchPersons[0].action, 108);
    EXPECT_EQ(MatchPersons[0].animation, 12);
}

TEST_F(RunToward, RestartsJogWithTheirLoopFrameAndTheWallRuns)
{
    MatchPhase = PHASE_THROW_IN_TAKEN;
    MatchPersons[3].frame = static_cast<int16_t>(MotionFrameCounts[10] - 1);
    Person_RunToward(3, 500, 900);
    EXPECT_EQ(MatchPersons[3].animation, 10);
    EXPECT_EQ(MatchPersons[3].frame, 31);
    Stand(3, 500, 500, 128);
    MatchPersons[3].action = 58;
    Person_RunToward(3, 500, 900);
    EXPECT_EQ(MatchPersons[3].animation, 12);
}

TEST_F(RunToward, PersonAfterSetUpFacesHisRunAtOnce)
{
    MatchPersons[3].frame = -1;
    Stand(3, 500, 500, 0);
    Person_RunToward(3, 900, 500);
    EXPECT_EQ(MatchPersons[3].facing, 64);
}

TEST_F(RunToward, TwentyBlockedTicksMakeHimStand)
{
    Person_PlaceAt(4, 500, 507);  // on the point 7 units ahead of player 3
    for (int32_t tick = 0; tick < 19; ++tick) {
        CurrentPersonPos = {500, 500, 500 * 65536, 500 * 65536};
        Person_RunToward(3, 500, 900);
    }
    EXPECT_EQ(MatchPersons[3].animation, 12);
    EXPECT_EQ(CurrentPersonPos.y16, 500 * 65536);  // blocked: not a unit moved
    Person_RunToward(3, 500, 900);
    EXPECT_EQ(MatchPersons[3].blockedTicks, 20);
    EXPECT_EQ(MatchPersons[3].animation, 0);
    Ball.possession = 0;  // his own side's ball: nobody blocks him
    Person_RunToward(3, 500, 900);
    EXPECT_EQ(MatchPersons[3].blockedTicks, 0);
    EXPECT_GT(CurrentPersonPos.y16, 500 * 65536);
}

TEST(Motion, BlockerAheadIsWithinSevenOfThePointAheadAndStandsUp)
{
    ScopedMatch match;
    Stand(3, 500, 500, 64);  // the point ahead is (507, 500)
    Person_PlaceAt(5, 514, 507);
    EXPECT_EQ(Person_FindBlockerAhead(3), 6);
    Person_PlaceAt(5, 515, 500);
    EXPECT_EQ(Person_FindBlockerAhead(3), 0);
    Person_PlaceAt(5, 507, 508);
    EXPECT_EQ(Person_FindBlockerAhead(3), 0);
    Person_PlaceAt(5, 507, 500);
    MatchPersons[5].action = 33;  // on the ground
    EXPECT_EQ(Person_FindBlockerAhead(3), 0);
    MatchPersons[5].action = 3;
    MatchPhase = PHASE_FOUL;
    EXPECT_EQ(Person_FindBlockerAhead(3), 0);
}

TEST(Motion, ShuffleFacesTheBallAndPicksItsStepByTheAngle)
{
    ScopedMatch match;
    struct Case {
        int32_t x, y, animation, facing;
    };
    const Case cases[] = {
        {500, 600, 14, 0},  // behind him: backward
        {600, 500, 96, 0},  // beside him, a quarter turn up: sideways
        {400, 500, 96, 0},  // a quarter turn down: the same side-step
        {580, 440, 96, 0},  // ahead and aside, past an eighth of a turn up: still sideways
        {420, 440, 96, 0},  // and past an eighth down
        {500, 400, 10, 0},  // ahead: forward
        {502, 502, 0, 70},  // there: he stands, turning 3 + 3 + 1 steps toward the ball
    };
    for (const Case& c : cases) {
        Stand(3, 500, 500, 77);
        MatchPersons[3].dirToBall = 0;
        Person_ShuffleTo(3, c.x, c.y);
        EXPECT_EQ(MatchPersons[3].animation, c.animation) << c.x << "," << c.y;
        EXPECT_EQ(MatchPersons[3].facing, c.facing) << c.x << "," << c.y;
    }
}

TEST(Motion, AnimationsEndAtTheirFrameCountOrAtZeroGoingBack)
{
    ScopedMatch match;
    MatchPerson& p = MatchPersons[3];
    p.action = 30;
    p.frame = static_cast<int16_t>(MotionFrameCounts[24] - 2);
    EXPECT_EQ(Person_RunAnim(3, 24, 1, 0), 1);
    EXPECT_EQ(p.drawnFrame, MotionFrameCounts[24] - 1);
    EXPECT_EQ(Person_RunAnim(3, 24, 1, 5), 0);
    EXPECT_EQ(p.action, 5);
    p.frame = 1;
    EXPECT_EQ(Person_RunAnim(3, 24, -1, 7), 0);
    EXPECT_EQ(p.action, 7);
}

TEST(Motion, HeadTurnsAreBoundedByTheStepAndNeverPassForty)
{
    ScopedMatch match;
    MatchPerson& p = MatchPersons[3];
    p.drawnDirection = 64;  // facing 0
    Person_TurnHeadBy(3, 100, 255);
    EXPECT_EQ(p.headAngle, 40);
    p.headAngle = 0;
    Person_TurnHeadBy(3, 156, 255);  // -100
    EXPECT_EQ(p.headAngle, -40);
    p.headAngle = 0;
    Person_TurnHeadToward(3, 30, 16);
    EXPECT_EQ(p.headAngle, 16);
    Person_TurnHeadToward(3, 30, 16);
    EXPECT_EQ(p.headAngle, 30);
    Stand(3, 500, 500);
    Person_LookAtPoint(3, 400, 500, 255);  // due left of a body facing 0
    EXPECT_EQ(p.headAngle, -40);
}

TEST(Motion, SpinGrowsWithTheMovementAndTakesTheCarriersHeading)
{
    ScopedMatch match;
    static std::array<float, 3> s_angles;
    MatchPresentationOps.Ball_SetSpinAngles = [](float a, float b, float c) {
        s_angles = {a, b, c};
    };
    Ball.lastToucher = 5;
    MatchPersons[5].hasBall = 1;
    MatchPersons[5].action = 15;
    MatchPersons[5].facing = 77;
    Ball.x16 = 131072;
    Ball.y16 = 65536;
    Ball_UpdateSpin();
    EXPECT_EQ(Ball.spinHeading, 77);
    EXPECT_EQ(s_angles[0], 0.0f);
    EXPECT_GT(s_angles[1], 0.0f);
    EXPECT_LT(s_angles[2], 0.0f);
    EXPECT_GT(s_angles[1], -s_angles[2]);  // twice the movement along x
    MatchPersons[5].facing = 90;
    Ball_UpdateSpin();
    EXPECT_EQ(Ball.spinHeading, 77);
}

TEST(Motion, KeeperDiveTakesItsSideFromTheWatchedPoint)
{
    ScopedMatch match;
    struct Case {
        int32_t watchX, secondOfPair, side;
    };
    // Keeper 0 at x 796: diving toward smaller x is side 0 while he defends y 2042.
    const Case cases[] = {{700, 1, 0}, {900, 1, 1}, {796, 1, 1},
                          {900, 0, 0}, {700, 0, 1}, {796, 0, 1}};
    for (const Case& c : cases) {
        Stand(0, 796, 150);
        MatchPersons[0].dirToBall = 40;
        Match.secondOfPair = static_cast<uint8_t>(c.secondOfPair);
        KeeperWatchPoint[0] = static_cast<int16_t>(c.watchX);
        Keeper_StartDive(0);
        EXPECT_EQ(MatchPersons[0].passKind, c.side) << c.watchX << " " << c.secondOfPair;
    }
    EXPECT_EQ(MatchPersons[0].action, 145);
    EXPECT_EQ(MatchPersons[0].runSpeed, 80);
    EXPECT_EQ(MatchPersons[0].stats.dives, 6);
    EXPECT_EQ(KeeperDiveDirection, 40);
    EXPECT_EQ(match.Record().commentaryGroups.back(), 123);
}

TEST(Motion, ShootOutTakerSkipsUnusableEntriesAndWrapsRound)
{
    ScopedMatch match;
    KickingSide = 0;
    for (int16_t& entry : PenaltyOrder[0]) {
        entry = -1;
    }
    PenaltyOrder[0][0] = 9;
    PenaltyOrder[0][1] = 4;
    PenaltyOrder[0][2] = 7;
    MatchPersons[4].offPitch = 1;
    const std::array<int32_t, 4> expected = {9, 7, 9, 7};
    for (int32_t round = 0; round < 4; ++round) {
        Match.shootoutKicks = static_cast<int8_t>(2 * round);
        EXPECT_EQ(ShootOut_PickTaker(), expected[round]) << round;
    }
    // Long sudden death past the ten entries.
    Match.shootoutKicks = 44;
    EXPECT_EQ(ShootOut_PickTaker(), 9);
    for (int16_t& entry : PenaltyOrder[0]) {
        entry = -1;
    }
    Match.shootoutKicks = 2;
    EXPECT_EQ(ShootOut_PickTaker(), 9);  // line-up slot 10, then 9
    PenaltyOrder[0][0] = 0;
    EXPECT_EQ(ShootOut_PickTaker(), 0);  // person 0 is a taker like any other
}

// The latest frame each clip's action waits for; the counts leave ten frames past it, at least 60.
TEST(MotionFrames, EveryClipOutlastsTheWindowsItsActionsWaitFor)
{
    std::array<int32_t, MOTION_CLIP_COUNT> minimum{};
    const std::array<std::array<int32_t, 3>, 62> listed = {{
        {1, 1, 31},      {7, 7, 43},     {9, 9, 58},     {10, 10, 32},    {12, 13, 32},
        {16, 16, 9},     {17, 18, 23},   {19, 20, 38},   {21, 21, 33},    {22, 22, 9},
        {23, 23, 27},    {24, 24, 93},   {26, 26, 64},   {27, 27, 64},    {28, 28, 27},
        {29, 29, 50},    {30, 30, 23},   {31, 31, 39},   {32, 32, 35},    {33, 33, 33},
        {34, 34, 45},    {35, 36, 63},   {37, 38, 58},   {39, 40, 45},    {42, 42, 61},
        {43, 43, 40},    {44, 44, 47},   {45, 45, 36},   {46, 46, 43},    {47, 47, 80},
        {48, 48, 99},    {49, 49, 26},   {50, 50, 72},   {51, 51, 116},   {54, 54, 26},
        {55, 55, 41},    {56, 56, 51},   {68, 68, 42},   {69, 69, 39},    {70, 70, 55},
        {71, 71, 50},    {72, 72, 41},   {73, 73, 48},   {74, 74, 33},    {76, 76, 25},
        {82, 82, 22},    {87, 87, 55},   {88, 88, 41},   {89, 89, 51},    {96, 96, 34},
        {97, 97, 81},    {98, 98, 94},   {99, 99, 77},   {106, 106, 201}, {109, 109, 281},
        {110, 110, 371}, {118, 129, 60}, {138, 149, 60}, {130, 131, 31},  {150, 151, 31},
        {133, 133, 93},  {158, 158, 41},
    }};
    for (const auto& row : listed) {
        for (int32_t clip = row[0]; clip <= row[1]; ++clip) {
            minimum[clip] = row[2];
        }
    }
    ASSERT_EQ(MotionFrameCounts.size(), 159u);
    for (int32_t clip = 0; clip < MOTION_CLIP_COUNT; ++clip) {
        EXPECT_GE(MotionFrameCounts[clip], minimum[clip] + 10) << clip;
        EXPECT_GE(MotionFrameCounts[clip], 60) << clip;
        EXPECT_EQ(MotionFrames_Count(clip), MotionFrameCounts[clip]);
    }
    // A pass receiver holds frame 30 at most: clip 1 must not end under him.
    EXPECT_GT(MotionFrameCounts[1], 31);
}

TEST(MotionFramesDeathTest, ClipOutsideTheTableIsFatal)
{
    EXPECT_FATAL(MotionFrames_Count(159), "MotionFrames_Count(): no motion clip 159");
    EXPECT_FATAL(MotionFrames_Count(-1), "MotionFrames_Count(): no motion clip -1");
}

}  // namespace
