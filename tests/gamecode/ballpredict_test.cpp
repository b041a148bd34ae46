// tests/gamecode/ballpredict_test.cpp: the look-ahead against the real flight, the landing and
// who runs to it, the three meeting modes on crafted straight flights, and the two position
// helpers.
#include "gamecode/ballpredict.h"

#include <cstdlib>
#include <vector>

#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kUnit = 65536;

class BallPredict : public testing::Test {
protected:
    void SetUp() override
    {
        Match.ballDrag = 992;
        Match.ballGravity = 4000;
        Match.ballThird = 100;
        Match.ballCoefficients[0] = 0.52f;
        Match.ballCoefficients[1] = 0.94f;
        for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
            MatchPersons[person].offPitch = 1;
        }
    }
    // The ball at a whole point and height, moving by whole units per tick.
    static void Launch(int32_t x, int32_t y, int32_t height, int32_t vx, int32_t vy, int32_t vz)
    {
        Person_PlaceAt(MATCH_BALL, x, y);
        Ball.wholeX = static_cast<int16_t>(x);
        Ball.wholeY = static_cast<int16_t>(y);
        Ball.x16 = x * kUnit;
        Ball.y16 = y * kUnit;
        Ball.height16 = height * kUnit;
        Ball.height = static_cast<uint16_t>(height);
        Ball.velX = vx * kUnit;
        Ball.velY = vy * kUnit;
        Ball.velZ = vz * kUnit;
        Ball_UpdateSpeedDir();
    }
    // Straight flights at constant speed: no drag, no gravity.
    static void Weightless()
    {
        Match.ballDrag = 1000;
        Match.ballGravity = 0;
    }
    struct Seen {
        int32_t x, y, x16, y16, height, velZ;
    };
    // The real ball's whole and exact positions over the next ticks; the ball is put back
    // afterwards.
    static std::vector<Seen> RealFlight(int32_t ticks)
    {
        const BallState start = Ball;
        const MatchPerson object = MatchPersons[MATCH_BALL];
        std::vector<Seen> seen;
        for (int32_t tick = 0; tick < ticks; ++tick) {
            Ball_Tick();
            seen.push_back({Ball.wholeX, Ball.wholeY, Ball.x16, Ball.y16, Ball.height, Ball.velZ});
        }
        Ball = start;
        MatchPersons[MATCH_BALL] = object;
        return seen;
    }
    ScopedMatch match;
};

// The keeper's mode aimed at the point the real ball reaches after k ticks finds it exactly
// there, k - 1 steps ahead, at its real height: the copy flies as the ball does, swerve and all
// (a ground kick's swerve ends at the ground once the kick's 16 ticks are over; the rolling ball
// is followed while it still moves on every tick).
TEST_F(BallPredict, CopiedFlightPassesTheRealBallsPoints)
{
    struct Case {
        int32_t vz, swerveZ, ticks;
    } const cases[] = {{3, 500, 60}, {0, 0, 30}};
    for (const Case& c : cases) {
        Launch(400, 300, 0, 3, 9, c.vz);
        Ball.afterKick = 16;
        Ball.swerveTicks = 40;
        Ball.swerveX = 3000;
        Ball.swerveZ = c.swerveZ;
        const std::vector<Seen> real = RealFlight(c.ticks);
        for (int32_t k = 1; k <= c.ticks; ++k) {
            const Seen& at = real[k - 1];
            Ball_PredictMeeting(k, at.x16, at.y16, 0, MEETING_KEEPER);
            ASSERT_EQ(Match.meetingDistance, 0) << k;
            ASSERT_EQ(Match.meetingTick, k - 1) << k;
            ASSERT_EQ(Match.meetingHeight, at.height) << k;
        }
        EXPECT_EQ(Ball.wholeX, 400);
        EXPECT_EQ(Ball.swerveTicks, 40);
    }
}

TEST_F(BallPredict, LandingIsWhereTheRealBallFirstFallsToSixteenAndTheBounceClearsTheMarker)
{
    Launch(500, 400, 0, 2, 12, 2);  // up to about 32 units
    const std::vector<Seen> real = RealFlight(200);
    Ball_PredictLanding(0);
    size_t fall = 0;
    while (fall + 1 < real.size() && !(real[fall].velZ < 0 && real[fall].height <= 16))
        ++fall;
    ASSERT_GT(real[fall].height, 0);
    EXPECT_EQ(LandingPoint[0], real[fall].x);
    EXPECT_EQ(LandingPoint[1], real[fall].y);
    EXPECT_EQ(Ball.firstBounce, 1);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].x, real[fall].x);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].y, real[fall].y);
    while (Ball.firstBounce != 0 && Ball.wholeY < 2000) {
        Ball_Tick();
    }
    EXPECT_EQ(Ball.firstBounce, 0);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].y, PITCH_PARKED_Y);
}

// A ball rolling on the ground bounces in place in the copy and never falls to land: the run
// still ends, where the real ball comes to rest.
TEST_F(BallPredict, RollingBallLandsWhereItComesToRest)
{
    Launch(700, 900, 0, -4, 6, 0);
    Ball_PredictLanding(0);
    for (int32_t tick = 0; tick < 500 && (Ball.velX != 0 || Ball.velY != 0); ++tick) {
        Ball_Tick();
    }
    ASSERT_EQ(Ball.velY, 0);
    EXPECT_EQ(LandingPoint[0], Ball.wholeX);
    EXPECT_EQ(LandingPoint[1], Ball.wholeY);
}

TEST_F(BallPredict, LandingSendsFreeTeamMatesWithinReach)
{
    Weightless();
    Match.ballGravity = 65536;
    Launch(800, 1000, 20, 0, 10, 0);  // falls 1, 2, 3, ... : 19, 17, 14 after three ticks
    CurrentSide = 0;
    struct Case {
        int32_t person, dx, dy, action, offPitch;
        bool sent;
    } const cases[] = {
        {1, 99, 0, ACT_ACTIVE, 0, true},
        {2, 100, 0, ACT_ACTIVE, 0, false},  // exactly at reach
        {3, 0, -60, ACT_CARRY_SPRINT, 0, true},
        {4, 0, -60, ACT_GO_TO_MEETING_SPOT, 0, false},
        {5, 10, 10, ACT_STAND, 1, false},
        {17, 10, 10, ACT_STAND, 0, false},  // the other side
    };
    for (const Case& c : cases) {
        Person_PlaceAt(c.person, 800 + c.dx, 1030 + c.dy);
        MatchPersons[c.person].action = static_cast<int16_t>(c.action);
        MatchPersons[c.person].offPitch = static_cast<uint8_t>(c.offPitch);
    }
    Ball_PredictLanding(100);
    EXPECT_EQ(LandingPoint[0], 800);
    EXPECT_EQ(LandingPoint[1], 1030);
    for (const Case& c : cases) {
        const MatchPerson& p = MatchPersons[c.person];
        EXPECT_EQ(p.action, c.sent ? ACT_WAIT_FOR_HIGH_BALL : c.action) << c.person;
        EXPECT_EQ(p.runSpeed, c.sent ? 140 : 0) << c.person;
    }
}

TEST_F(BallPredict, LandingAtTheOriginSendsNobody)
{
    Launch(0, 0, 0, 0, 0, 0);
    CurrentSide = 0;
    Person_PlaceAt(1, 5, 5);
    MatchPersons[1].offPitch = 0;
    Ball_PredictLanding(100);
    EXPECT_EQ(LandingPoint[0], 0);
    EXPECT_EQ(LandingPoint[1], 0);
    EXPECT_EQ(MatchPersons[1].action, ACT_STAND);
}

// Straight flights from (500, 500), 10 units a tick and `fall` units lower each tick, met by
// player 0 (jump skill as given) standing at (px, py).
TEST_F(BallPredict, MeetingModesOnStraightFlights)
{
    Weightless();
    struct Case {
        const char* what;
        int32_t mode, limit, vx, vy, height, fall, jump, px, py;
        int32_t tick, distance, meetX, meetY, meetHeight;
    } const cases[] = {
        {"no look-ahead", MEETING_FEET, 0, 0, 10, 10, 0, 50, 500, 600, 0, 10000, 0, 0, 0},
        {"foot height: nearest point", MEETING_FEET, 40, 0, 10, 10, 0, 50, 500, 600, 9, 0, 500, 600,
         10},
        {"dropping into the jump", MEETING_FEET, 40, 0, 10, 40, 2, 80, 500, 800, 11, 180, 500, 620,
         16},
        {"chest after a low flight", MEETING_FEET, 40, 0, 10, 26, 3, 0, 500, 800, 3, 260, 500, 540,
         14},
        {"too high for the chest", MEETING_FEET, 40, 0, 10, 38, 3, 0, 500, 800, 0, 10000, 0, 0, 0},
        {"nothing past the bounce", MEETING_FEET, 40, 0, 10, 2, 3, 0, 500, 800, 0, 10000, 0, 0, 0},
        {"header along", MEETING_HEADER, 40, 0, 10, 30, 0, 0, 505, 703, 19, 8, 500, 700, 30},
        {"header across", MEETING_HEADER, 40, 10, 0, 10, 0, 0, 700, 520, 19, 20, 700, 500, 10},
        {"header across too high", MEETING_HEADER, 40, 10, 0, 22, 0, 0, 700, 520, 0, 10000, 0, 0,
         0},
        {"keeper: passes 30 wide", MEETING_KEEPER, 40, 0, 10, 40, 1, 0, 530, 700, 19, 30, 500, 700,
         20},
        {"keeper: moving away", MEETING_KEEPER, 40, 0, 10, 10, 0, 0, 530, 480, 0, 60, 500, 510, 10},
        {"keeper: 150 wide", MEETING_KEEPER, 40, 0, 10, 10, 0, 0, 650, 700, 0, 10000, 0, 0, 0},
        {"keeper: beyond the horizon", MEETING_KEEPER, 5, 0, 10, 10, 0, 0, 530, 700, 0, 10000, 0, 0,
         0},
    };
    for (const Case& c : cases) {
        Launch(500, 500, c.height, c.vx, c.vy, -c.fall);
        MatchPersons[0].skills[4] = static_cast<uint8_t>(c.jump);
        MeetingPoint[0] = MeetingPoint[1] = 0;
        Ball_PredictMeeting(c.limit, c.px * 65536, c.py * 65536, 0, c.mode);
        EXPECT_EQ(Match.meetingTick, c.tick) << c.what;
        EXPECT_EQ(Match.meetingDistance, c.distance) << c.what;
        EXPECT_EQ(MeetingPoint[0], c.meetX) << c.what;
        EXPECT_EQ(MeetingPoint[1], c.meetY) << c.what;
        EXPECT_EQ(Match.meetingHeight, c.meetHeight) << c.what;
    }
}

// A flight and its twin turned about the centre spot meet the player at the turned point alike:
// the same tick, distance and height, the meeting point turned to within the unit its whole
// part floors. The flights move by fractions of a unit, so that the ball is seldom on a whole one.
TEST_F(BallPredict, ATurnedFlightMeetsThePlayerAlike)
{
    Weightless();
    struct Case {
        int32_t mode, startX, startY, height, velX16, velY16, px, py;
    } const cases[] = {
        {MEETING_KEEPER, 900, 300, 10, -150001, -170003, 790, 140},
        {MEETING_KEEPER, 700, 300, 20, 200003, -90001, 820, 150},
        {MEETING_KEEPER, 1000, 250, 5, -250007, -30011, 860, 141},
        {MEETING_FEET, 600, 600, 2, 110005, 130007, 640, 650},
        {MEETING_HEADER, 500, 500, 12, 3001, 190009, 503, 560},
        {MEETING_HEADER, 500, 500, 12, 190009, 3001, 560, 505},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "mode " << c.mode << " from " << c.startX << "," << c.startY);
        int32_t meeting[2][5];
        for (const bool turn : {false, true}) {
            const int32_t x = turn ? 2 * PITCH_CENTRE_X - c.startX : c.startX;
            const int32_t y = turn ? 2 * PITCH_CENTRE_Y - c.startY : c.startY;
            Launch(x, y, c.height, 0, 0, 0);
            Ball.velX = turn ? -c.velX16 : c.velX16;
            Ball.velY = turn ? -c.velY16 : c.velY16;
            Ball_UpdateSpeedDir();
            const int32_t px = turn ? 2 * PITCH_CENTRE_X - c.px : c.px;
            const int32_t py = turn ? 2 * PITCH_CENTRE_Y - c.py : c.py;
            Ball_PredictMeeting(40, px * kUnit, py * kUnit, 0, c.mode);
            const int32_t meetX = turn ? 2 * PITCH_CENTRE_X - MeetingPoint[0] : MeetingPoint[0];
            const int32_t meetY = turn ? 2 * PITCH_CENTRE_Y - MeetingPoint[1] : MeetingPoint[1];
            meeting[turn][0] = Match.meetingTick;
            meeting[turn][1] = Match.meetingDistance;
            meeting[turn][2] = Match.meetingHeight;
            meeting[turn][3] = meetX;
            meeting[turn][4] = meetY;
        }
        EXPECT_NE(meeting[0][1], MEETING_NONE);
        EXPECT_EQ(meeting[0][0], meeting[1][0]);
        EXPECT_EQ(meeting[0][1], meeting[1][1]);
        EXPECT_EQ(meeting[0][2], meeting[1][2]);
        EXPECT_LE(std::abs(meeting[0][3] - meeting[1][3]), 1);
        EXPECT_LE(std::abs(meeting[0][4] - meeting[1][4]), 1);
    }
}

// Each row's twin, the point turned round the centre spot, is pulled back to the turned point: a
// runner goes as far past one touchline as past the other.
TEST_F(BallPredict, KeepNearPitchAndTheRestartDistance)
{
    struct Case {
        int32_t x, y, wantX, wantY;
        int32_t fraction;  // kept unless the point is pulled back
    } const cases[] = {
        {100, 50, 146, 112, 0},        {1492, 2114, 1446, 2052, 0},   {146, 112, 146, 112, 300},
        {1446, 2052, 1446, 2052, 300}, {145, 2053, 146, 2052, 0},     {1447, 111, 1446, 112, 0},
        {153, 1082, 153, 1082, 300},   {1439, 1082, 1439, 1082, 300},
    };
    for (const Case& c : cases) {
        CurrentPersonPos.x = static_cast<int16_t>(c.x);
        CurrentPersonPos.y = static_cast<int16_t>(c.y);
        CurrentPersonPos.x16 = c.x * kUnit + 300;
        CurrentPersonPos.y16 = c.y * kUnit + 300;
        Person_KeepNearPitch();
        EXPECT_EQ(CurrentPersonPos.x, c.wantX) << c.x;
        EXPECT_EQ(CurrentPersonPos.y, c.wantY) << c.y;
        EXPECT_EQ(CurrentPersonPos.x16, c.wantX * kUnit + c.fraction) << c.x;
    }
    Person_PlaceAt(0, 0, 0);
    CurrentPersonPos = {300, 400, 300 * kUnit, 400 * kUnit};
    RestartSpot[0] = 300;
    RestartSpot[1] = 650;
    Person_DistanceToRestartSpot();
    EXPECT_EQ(Match.restartDistance, 250);
}

}  // namespace
