// tests/gamecode/goalframe_test.cpp: the wall, the corner flags, the lines and the restarts they
// award, the posts, the crossbar, the net, goals and shot statistics, and the shoot-out ends.
#include "gamecode/goalframe.h"

#include <algorithm>
#include <vector>

#include "gamecode/ball.h"
#include "gamecode/matchview.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t kUnit = 65536;

// Open play with the ball at (x, y), side 0 attacking the bottom goal.
class GoalFrame : public testing::Test {
protected:
    void SetUp() override
    {
        MatchEngine_Init();
        MatchDayBuilder{}.Write();
        SetMatchPhysics();
        for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
            Person_PlaceAt(p, 300 + 30 * (p % 16), p < 16 ? 800 : 1300);
        }
        MatchPhase = PHASE_OPEN_PLAY;
    }
    static void PutBall(int32_t x, int32_t y, int32_t vx, int32_t vy, int32_t height = 0)
    {
        Person_PlaceAt(MATCH_BALL, x, y);
        Ball.wholeX = static_cast<int16_t>(x);
        Ball.wholeY = static_cast<int16_t>(y);
        Ball.x16 = x * kUnit;
        Ball.y16 = y * kUnit;
        Ball.velX = vx;
        Ball.velY = vy;
        Ball.height = static_cast<uint16_t>(height);
        Ball.height16 = height * kUnit + 40000;  // clear of the next unit down after gravity
        Ball_UpdateSpeedDir();
    }
    // The check at one walk cell, as the line walk runs it.
    static void CheckCell(int32_t x, int32_t y)
    {
        Ball.walkX = static_cast<int16_t>(x);
        Ball.walkY = static_cast<int16_t>(y);
        Ball.stopFlag = 0;
        Ball_CheckOutOfPlay(Ball);
    }
    std::vector<int32_t>& Groups() { return match.Record().commentaryGroups; }
    bool Said(int32_t group)
    {
        return std::find(Groups().begin(), Groups().end(), group) != Groups().end();
    }
    ScopedMatch match;
};

TEST_F(GoalFrame, BallOverEachTouchlineGivesTheOtherSideAThrowIn)
{
    struct Case {
        int32_t x, vx, spotX, linesman, state;
    };
    for (const Case c :
         {Case{170, -20, 156, MATCH_LINESMAN_1, 12}, Case{1420, 20, 1436, MATCH_LINESMAN_2, 13}}) {
        SetUp();
        PutBall(c.x, 700, c.vx * kUnit, 0);
        Ball.lastToucher = 3;
        RunTicks(1);
        EXPECT_EQ(MatchPhase, PHASE_THROW_IN_AWARDED);
        EXPECT_EQ(Match.throwInSpot[0], c.spotX);
        EXPECT_EQ(Match.throwInSpot[1], 700);
        EXPECT_EQ(DeadBallFlag, 2);
        EXPECT_EQ(MatchPersons[c.linesman].action, c.state);
        EXPECT_EQ(Ball.possession, 1);
        EXPECT_EQ(Match.putOutBy[0], 3);
        EXPECT_EQ(Groups().back(), 158);  // a fast ball
    }
}

TEST_F(GoalFrame, ThrowInSpotFromBeyondACornerLiesInsideTheGoalLine)
{
    PutBall(158, 121, -5 * kUnit, 0);
    Ball.lastToucher = 20;
    CheckCell(155, 121);
    EXPECT_EQ(MatchPhase, PHASE_THROW_IN_AWARDED);
    EXPECT_EQ(Match.throwInSpot[1], 123);
    EXPECT_EQ(Ball.possession, 0);
    EXPECT_EQ(Groups().back(), 159);  // a slow ball
}

TEST_F(GoalFrame, TwoUnitsOverTheGoalLineIsInPlayAndThreeIsOut)
{
    PutBall(400, 125, 0, -3 * kUnit);
    Ball.lastToucher = 20;  // side 1 attacks the top goal
    CheckCell(400, 120);
    EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY);
    CheckCell(400, 119);
    EXPECT_EQ(MatchPhase, PHASE_GOAL_KICK_AWARDED);
}

// A walk cell y holds the ball from y to y + 1, so the cell y at the top goal turned round is the
// cell 2163 - y at the bottom one: each goal line puts the ball out, and each goal's posts are met,
// in the twin cell of the other's. Side 0 attacks the bottom goal; the attacker touched last.
TEST_F(GoalFrame, EachGoalLineActsInTheTwinCellOfTheOther)
{
    struct Case {
        int32_t x, y, toucher, phase, netTimer;
    };
    for (const Case c :
         {Case{400, 120, 20, PHASE_OPEN_PLAY, 0}, Case{1191, 2043, 5, PHASE_OPEN_PLAY, 0},
          Case{400, 119, 20, PHASE_GOAL_KICK_AWARDED, 0},
          Case{1191, 2044, 5, PHASE_GOAL_KICK_AWARDED, 0}, Case{730, 123, 20, PHASE_OPEN_PLAY, 200},
          Case{861, 2040, 5, PHASE_OPEN_PLAY, 200}, Case{730, 124, 20, PHASE_OPEN_PLAY, 0},
          Case{861, 2039, 5, PHASE_OPEN_PLAY, 0}}) {
        SetUp();
        const int32_t towardLine = c.y < PITCH_CENTRE_Y ? -kUnit : kUnit;
        PutBall(c.x, c.y - towardLine / kUnit, 0, towardLine);
        Ball.lastToucher = static_cast<int16_t>(c.toucher);
        CheckCell(c.x, c.y);
        EXPECT_EQ(MatchPhase, c.phase) << c.x << ", " << c.y;
        EXPECT_EQ(Ball.netTimer, c.netTimer) << c.x << ", " << c.y;
    }
}

TEST_F(GoalFrame, GoalLineGivesGoalKickToDefendersOrCornerToAttackersAtBothEnds)
{
    struct Case {
        uint8_t secondOfPair;
        int32_t y, vy, toucher, phase, possession;
    };
    // Side secondOfPair attacks the bottom goal (y 2042).
    for (const Case c : {Case{0, 130, -20, 20, PHASE_GOAL_KICK_AWARDED, 0},
                         Case{0, 130, -20, 5, PHASE_CORNER_AWARDED, 1},
                         Case{0, 2030, 20, 5, PHASE_GOAL_KICK_AWARDED, 1},
                         Case{0, 2030, 20, 20, PHASE_CORNER_AWARDED, 0},
                         Case{1, 130, -20, 5, PHASE_GOAL_KICK_AWARDED, 1},
                         Case{1, 130, -20, 20, PHASE_CORNER_AWARDED, 0},
                         Case{1, 2030, 20, 20, PHASE_GOAL_KICK_AWARDED, 0},
                         Case{1, 2030, 20, 5, PHASE_CORNER_AWARDED, 1}}) {
        SetUp();
        Groups().clear();
        Match.secondOfPair = c.secondOfPair;
        PutBall(400, c.y, 0, c.vy * kUnit);
        Ball.lastToucher = static_cast<int16_t>(c.toucher);
        RunTicks(1);
        EXPECT_EQ(MatchPhase, c.phase) << int(c.secondOfPair) << " " << c.y << " " << c.toucher;
        EXPECT_EQ(Ball.possession, c.possession);
        EXPECT_EQ(DeadBallFlag, 2);
        if (c.phase == PHASE_CORNER_AWARDED) {
            EXPECT_TRUE(Said(173));
            EXPECT_EQ(Match.putOutBy[1], c.toucher);
        } else {
            EXPECT_TRUE(Said(160));  // a fast, low ball with no shot to measure
            EXPECT_EQ(Match.putOutBy[2], c.toucher);
        }
    }
}

TEST_F(GoalFrame, ACornerAreaExitCountsAsAGoalLineExit)
{
    PutBall(150, 119, -kUnit, -kUnit);
    Ball.lastToucher = 5;
    CheckCell(150, 119);
    EXPECT_EQ(MatchPhase, PHASE_CORNER_AWARDED);
}

TEST_F(GoalFrame, CloseMissIsMeasuredOnceThenThePlainLine)
{
    PutBall(725, 125, 0, -20 * kUnit);
    Ball.lastToucher = 20;
    Match.shooter = 20;
    CheckCell(725, 119);
    EXPECT_EQ(match.Record().sounds.back(), 25);
    EXPECT_TRUE(Said(164));  // wide of the commentary's left post at the top goal
    EXPECT_TRUE(Said(88));   // level in the first minutes: the missed-chance line follows
    EXPECT_EQ(Match.shooter, -1);
    EXPECT_GT(TeamPressure[1], 0);  // the near miss raised the attackers' pressure
    SetUp();
    Groups().clear();
    PutBall(725, 125, 0, -20 * kUnit);
    Ball.lastToucher = 20;
    CheckCell(725, 119);
    EXPECT_EQ(Groups().front(), 160);
    SetUp();
    Groups().clear();
    PutBall(867, 2030, 0, 20 * kUnit);
    Ball.lastToucher = 5;
    Match.shooter = 5;
    CheckCell(867, 2045);
    EXPECT_EQ(Groups().front(), 164);  // x 862 is the commentary's left post at the bottom
    SetUp();
    Groups().clear();
    PutBall(796, 125, 0, -2 * kUnit, 18);
    Ball.lastToucher = 20;
    Match.shooter = 20;
    CheckCell(796, 119);
    EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY);  // between the posts: the frame decides
    CheckCell(600, 119);
    EXPECT_EQ(Groups().back(), 163);  // wide by more than 9: the plain line of a slow high ball
}

TEST_F(GoalFrame, WallTakesASixthOfTheSpeedBackAndFlagsBounceLowBallsOnly)
{
    MatchPhase = PHASE_THROW_IN_TAKEN;  // no line test: the wall alone
    PutBall(500, 60, 0, -60000);
    CheckCell(500, 58);
    EXPECT_EQ(Ball.velY, 10000);
    EXPECT_EQ(Ball.velZ, 10000);
    EXPECT_EQ(Ball.stopFlag, 1);
    EXPECT_EQ(match.Record().sounds.back(), 2);
    PutBall(1498, 500, 60000, 0);
    CheckCell(1500, 500);
    EXPECT_EQ(Ball.velX, -10000);
    PutBall(160, 125, -60000, -60000, 11);
    CheckCell(157, 121);
    EXPECT_EQ(Ball.velX, 10000);
    EXPECT_EQ(Ball.velY, 10000);
    PutBall(160, 125, -60000, -60000, 12);
    CheckCell(157, 121);
    EXPECT_EQ(Ball.velX, -60000);
}

// A ball at rest against each wall, its last speed toward the wall too small to keep, slips no
// cell past it: the speed is cut after the step, so nothing would turn it back.
TEST_F(GoalFrame, ABallAtRestAgainstTheWallStaysInside)
{
    MatchPhase = PHASE_THROW_IN_TAKEN;  // no line test: the wall alone
    struct Case {
        int32_t x, y, vx, vy;
    };
    for (const Case& c : {Case{500, 58, 0, -4000}, Case{500, 2106, 0, 4000},
                          Case{92, 500, -4000, 0}, Case{1500, 500, 4000, 0}}) {
        SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
        PutBall(c.x, c.y, c.vx, c.vy);
        Ball.height16 = 20 * kUnit;
        Ball_Integrate(Ball, Ball_CheckOutOfPlay);
        EXPECT_EQ(Ball.wholeX, c.x);
        EXPECT_EQ(Ball.wholeY, c.y);
    }
}

TEST_F(GoalFrame, LowBallBetweenThePostsIsAGoalWithItsShotMeasured)
{
    Match.tickCount = 100;
    Match.shotStartTick = 80;
    Match.shotStart[0] = 796;
    Match.shotStart[1] = 439;
    Match.excludedPerson = 20;
    MatchPersons[20].action = 52;
    MatchShared.highlightOption[0] = 1;
    PutBall(796, 125, 0, -20 * kUnit, 12);
    Ball.lastToucher = 20;
    CheckCell(796, 119);
    EXPECT_EQ(MatchPhase, PHASE_GOAL);
    EXPECT_EQ(DeadBallFlag, 1);
    EXPECT_EQ(Match.shotDistance, 20);
    EXPECT_EQ(Match.shotSpeed, 20 * 1000 / 20 / 9);
    EXPECT_EQ(Groups().back(), 174 + 3 * 1 + 2);  // fast, above 11, away from the posts
    EXPECT_EQ(HighLight_PendingType(), 0);
    EXPECT_EQ(HighLight_Timer(), 200);
    Match.shotStartTick = -1;
    MatchPhase = PHASE_OPEN_PLAY;
    DeadBallFlag = 0;
    CheckCell(796, 119);
    EXPECT_EQ(Match.shotDistance, -1);
    EXPECT_EQ(Match.shotSpeed, -1);
}

TEST_F(GoalFrame, ShotStartIsForgottenOnceTheBallStandsStillUnlessTheShooterStillKicks)
{
    Match.shotStartTick = 5;
    Match.excludedPerson = 4;
    MatchPersons[4].action = 78;
    PutBall(500, 500, 0, 0);
    CheckCell(500, 500);
    EXPECT_EQ(Match.shotStartTick, 5);
    MatchPersons[4].action = 3;
    CheckCell(500, 500);
    EXPECT_EQ(Match.shotStartTick, -1);
}

TEST_F(GoalFrame, BarTakesTheBallFromHeightThirteen)
{
    PutBall(796, 125, 0, -20 * kUnit, 13);
    Ball.velZ = -30000;
    Ball.lastToucher = 20;
    CheckCell(796, 119);
    EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY);
    EXPECT_EQ(Ball.netTimer, 200);
    EXPECT_EQ(match.Record().sounds.back(), 0);
    EXPECT_EQ(Groups().back(), 196);
    EXPECT_EQ(Ball.velZ, -393216 / 2);  // the speed above 6 units is capped
}

TEST_F(GoalFrame, EachPostDepthHasItsOwnRebound)
{
    struct Case {
        int32_t x, vx, vy;
    };
    const int32_t vx = 30000;
    const int32_t vy = -90000;
    // The top goal: a glancing hit turns (vx, vy) into (vy, -vx).
    for (const Case c : {Case{732, vy, -vx}, Case{731, -(vx / 2), vy}, Case{730, vx, -(vy / 2)},
                         Case{729, -(vx / 2), vy}, Case{728, vy, -vx}, Case{727, vy, -vx},
                         Case{860, vy, -vx}, Case{862, vx, -(vy / 2)}}) {
        SetUp();
        PutBall(c.x, 125, vx, vy);
        Ball.netTimer = 0;
        CheckCell(c.x, 121);
        EXPECT_EQ(Ball.velX, c.vx) << c.x;
        EXPECT_EQ(Ball.velY, c.vy) << c.x;
        EXPECT_EQ(Groups().back(), 194);
        EXPECT_EQ(Ball.netTimer, 200);
        EXPECT_GT(TeamPressure[1], 0);
    }
    const size_t sounds = match.Record().sounds.size();
    PutBall(730, 125, vx, vy);
    CheckCell(730, 121);  // within 200 ticks of the last hit: the ball passes unchanged
    EXPECT_EQ(Ball.velX, vx);
    EXPECT_EQ(Ball.velY, vy);
    EXPECT_EQ(Ball.stopFlag, 0);
    EXPECT_EQ(match.Record().sounds.size(), sounds);
}

// The bottom goal is the top one turned round the centre spot: a ball that meets a post there
// leaves as the turned ball leaves the top goal's post, at every depth of the band.
TEST_F(GoalFrame, APostAtTheBottomGoalReboundsAsTheTopGoalsTurnedRound)
{
    const int32_t vx = 30000;
    const int32_t vy = -90000;
    for (const int32_t x : {732, 731, 730, 729, 728, 727, 860, 862}) {
        SetUp();
        PutBall(x, 125, vx, vy);
        Ball.netTimer = 0;
        CheckCell(x, 121);
        const int32_t topX = Ball.velX;
        const int32_t topY = Ball.velY;
        SetUp();
        const int32_t turnedX = 2 * PITCH_CENTRE_X - x;
        PutBall(turnedX, 2 * PITCH_CENTRE_Y - 125, -vx, -vy);
        Ball.netTimer = 0;
        CheckCell(turnedX, 2 * PITCH_CENTRE_Y - 121);
        EXPECT_EQ(Ball.velX, -topX) << x;
        EXPECT_EQ(Ball.velY, -topY) << x;
    }
}

TEST_F(GoalFrame, NetHoldsABallInsideAndKeepsOneFromOutsideOut)
{
    DeadBallFlag = 1;
    MatchPhase = PHASE_GOAL;
    PutBall(740, 100, -kUnit, -kUnit, 25);
    CheckCell(731, 80);
    EXPECT_EQ(Ball.walkX, 733);
    EXPECT_EQ(Ball.walkY, 87);
    EXPECT_EQ(Ball.height, 19);
    EXPECT_GE(Ball.stopFlag, 1);
    DeadBallFlag = 2;
    MatchPhase = PHASE_GOAL_KICK_AWARDED;
    PutBall(720, 100, kUnit, 0, 5);
    CheckCell(730, 100);
    EXPECT_EQ(Ball.walkX, 727);
    EXPECT_EQ(Ball.velX, 0);
    PutBall(796, 80, 0, kUnit, 15);
    CheckCell(796, 100);
    EXPECT_EQ(Ball.height, 19);  // over the net from behind: on the roof
}

TEST_F(GoalFrame, BallThroughTheBarWhileTheNetTimerRunsIsGivenOutBehindTheNet)
{
    PutBall(796, 125, 0, -2 * kUnit, 18);
    Ball.netTimer = 200;  // the bar was hit a moment ago: this pass goes through it
    Ball.lastToucher = 20;
    const bool out = RunUntil([] { return MatchPhase != PHASE_OPEN_PLAY; }, 300);
    ASSERT_TRUE(out) << "ball at rest at " << Ball.wholeX << "," << Ball.wholeY;
    EXPECT_EQ(MatchPhase, PHASE_GOAL_KICK_AWARDED);
    EXPECT_EQ(Ball.possession, 0);
    EXPECT_LT(Match.goalKickSpot[1], 87);
}

TEST_F(GoalFrame, ShootOutGoalCountsForTheKickerAndAMissEndsTheKick)
{
    Match.period = MATCH_PERIOD_SHOOT_OUT;
    Match.secondOfPair = 0;
    PutBall(796, 125, 0, -20 * kUnit, 3);
    CheckCell(796, 119);
    EXPECT_EQ(MatchPhase, PHASE_GOAL);
    EXPECT_EQ(Match.shootOutGoals[1], 1);
    EXPECT_EQ(Match.shootoutPause, 100);
    EXPECT_EQ(match.Record().sounds.back(), 14);
    for (const int32_t vy : {kUnit, 0}) {
        SetUp();
        Match.period = MATCH_PERIOD_SHOOT_OUT;
        PutBall(796, 300, 0, vy);
        CheckCell(796, 300);
        EXPECT_EQ(MatchPhase, PHASE_SHOOTOUT_NEXT_KICK);  // turned back, or stopped short
    }
    SetUp();
    Match.period = MATCH_PERIOD_SHOOT_OUT;
    PutBall(600, 125, 0, -20 * kUnit);
    CheckCell(600, 119);
    EXPECT_EQ(MatchPhase, PHASE_SHOOTOUT_NEXT_KICK);  // wide: no goal kick in a shoot-out
}

}  // namespace
