// tests/gamecode/shots_test.cpp: the strikes at goal and the carrier's kicks: their windows, the
// ball's velocity worked out by hand, and the shot books, on a shooter of side 0 who attacks the
// goal at y 122.
#include "gamecode/shots.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/ballcontacts.h"
#include "gamecode/carrierruns.h"
#include "gamecode/goalframe.h"
#include "gamecode/incidents.h"
#include "gamecode/kickbook.h"
#include "gamecode/matchdata.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/restartutil.h"
#include "gamecode/shotchoice.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kShooter = 5;
constexpr int32_t kMate = 7;

class Shots : public testing::Test {
protected:
    void SetUp() override
    {
        MatchEngine_Init();
        PlaceBallAlone(796, 996);
        Match.secondOfPair = 1;
        for (const int32_t person : {kShooter, kMate}) {
            MatchPerson& p = MatchPersons[person];
            std::memset(p.skills, 50, sizeof p.skills);
            p.positionExtra[1] = 1;  // both flanks: his skills count in full anywhere
            p.positionExtra[2] = 1;
            p.offPitch = 0;
            p.action = ACT_WALK_TO_TARGET;
        }
        Person_PlaceAt(kMate, 796, 700);
        MatchPersons[kMate].positionExtra[0] = 8;
        Place(796, 1000);
        ShotTarget[0] = 796;
        ShotTarget[1] = 117;
    }
    // The shooter at (x, y) with the ball at his feet.
    static void Place(int32_t x, int32_t y)
    {
        Person_PlaceAt(kShooter, x, y);
        Person_PlaceAt(MATCH_BALL, x, y - 4);
        Ball.x16 = x * 65536;
        Ball.y16 = (y - 4) * 65536;
        Ball_GiveToPerson(kShooter);
    }
    static MatchPerson& Start(int16_t action, int16_t style)
    {
        MatchPerson& p = MatchPersons[kShooter];
        Person_SetAction(kShooter, action);
        p.passKind = style;
        p.facing = 0;
        return p;
    }
    static void Run() { RunPersonAction(kShooter); }
    static std::vector<int32_t> StrikeFrames(int16_t action)
    {
        return StrikeFramesOf(kShooter, action, 300);
    }
    ScopedMatch match;
};

TEST_F(Shots, EveryKickStrikesOnceInsideItsWindowAndNeverWhileAKeeperHoldsTheBall)
{
    struct Case {
        int16_t action;
        int16_t style;
        int16_t animation;
        int32_t first;  // the window, in drawn frames
        int32_t last;
        int16_t kind;   // Match.lastKickKind
        int32_t group;  // -1 none: a shot from 55 yards is not commented
        int32_t sound;
    };
    for (const Case c : {
             Case{ACT_DRIBBLE_SHOT_78, 0, 45, 27, 35, 6, -1, 6},
             Case{ACT_DRIBBLE_SHOT_78, 1, 46, 34, 42, 6, -1, 6},
             Case{ACT_DRIBBLE_SHOT_81, 0, 43, 31, 39, 6, -1, 6},
             Case{ACT_DRIBBLE_SHOT_81, 1, 44, 38, 46, 6, -1, 6},
             Case{ACT_LIFTED_SHOT, 0, 28, 18, 26, 6, 338, 6},
             Case{ACT_LIFTED_SHOT, 1, 29, 41, 49, 6, 338, 6},
             Case{ACT_LIFTED_SHOT_STANDING, 0, 26, 19, 27, 6, 338, 6},
             Case{ACT_LIFTED_SHOT_STANDING, 1, 27, 55, 63, 6, 338, 6},
             Case{ACT_CURLED_SHOT, 0, 29, 41, 49, 6, 171, 6},
             Case{ACT_CURLED_SHOT_STANDING, 1, 27, 55, 63, 6, 171, 6},
             Case{ACT_SHOT, 0, 42, 51, 59, 6, 217, 6},
             Case{ACT_SHOT, 1, 42, 52, 60, 6, 217, 6},
             Case{ACT_LOFTED_BALL_18, 0, 35, 54, 62, 2, 231, 6},
             Case{ACT_LOFTED_BALL_75, 1, 38, 49, 57, 2, 232, 6},
             Case{ACT_LOFTED_BALL_18, 2, 39, 36, 44, 2, 231, 6},
             Case{ACT_GROUND_KICK, 0, 26, 19, 27, 1, 230, 4},
             Case{ACT_GROUND_KICK, 2, 26, 55, 63, 2, 230, 4},
             Case{ACT_GROUND_KICK, 3, 26, 19, 27, 2, 230, 4},
         }) {
        SetUp();
        MatchPersons[kShooter].skills[3] = 0;  // crosses never curl
        Match.kickTargetPerson = kMate;
        Match.kickTargetPoint[0] = 796;
        Match.kickTargetPoint[1] = 700;
        Start(c.action, c.style);
        match.Record().commentaryGroups.clear();
        match.Record().sounds.clear();
        const std::string what = std::to_string(c.action) + " style " + std::to_string(c.style);
        Run();
        EXPECT_EQ(MatchPersons[kShooter].animation, c.animation) << what;
        const std::vector<int32_t> frames = StrikeFrames(c.action);
        ASSERT_EQ(frames.size(), 1u) << what;
        // With the ball at his feet all along he strikes at the window's first shown frame (the
        // next one when his animation steps by two).
        EXPECT_GE(frames[0], c.first) << what;
        EXPECT_LE(frames[0], c.first + 1) << what;
        EXPECT_LE(frames[0], c.last) << what;
        EXPECT_EQ(Match.lastKickKind, c.kind) << what;
        EXPECT_EQ(Ball.lastToucher, kShooter) << what;
        EXPECT_EQ(Ball.afterKick, 16) << what;
        EXPECT_EQ(LastKicker[0], kShooter) << what;
        EXPECT_EQ(MatchPersons[kShooter].hasBall, 0) << what;
        EXPECT_EQ(MatchPersons[kShooter].action, ACT_WALK_TO_TARGET) << what;
        EXPECT_LT(Ball.velY, 0) << what;  // toward the goal he attacks
        EXPECT_EQ(match.Record().commentaryGroups,
                  c.group < 0 ? std::vector<int32_t>{} : std::vector<int32_t>{c.group})
            << what;
        EXPECT_EQ(match.Record().sounds, std::vector<int32_t>{c.sound}) << what;
    }
    for (const int16_t action : {ACT_DRIBBLE_SHOT_78, ACT_SHOT, ACT_LOFTED_BALL_18}) {
        SetUp();
        Start(action, 0);
        Ball.holder = 1;
        Run();
        EXPECT_EQ(MatchPersons[kShooter].action, ACT_WALK_TO_TARGET) << action;
        EXPECT_EQ(MatchPersons[kShooter].kicked, 0) << action;
    }
}

// Velocity of a shot at (796, 117): straight up the pitch, so velX is 0 and velY is minus the
// length x 4096 (skill 17 of 60: length 30 + the row's). Skill 12 is 50 and skill 1 is 0, so no
// finishing roll ever passes.
TEST_F(Shots, ADribblerWhoseBallWentOutOfPlayLetsItGoUnstruck)
{
    // In the net, and over a line.
    for (const uint8_t deadBall : {1, 2}) {
        SetUp();
        MatchPerson& p = Start(ACT_DRIBBLE_SHOT_78, 0);
        p.runSpeed = 180;
        DeadBallFlag = deadBall;
        const int32_t ballY = MatchPersons[MATCH_BALL].y;
        EXPECT_TRUE(StrikeFrames(ACT_DRIBBLE_SHOT_78).empty());
        EXPECT_EQ(p.action, ACT_WALK_TO_TARGET);
        EXPECT_EQ(p.hasBall, 0);
        EXPECT_EQ(MatchPersons[MATCH_BALL].y, ballY);
    }
}

TEST_F(Shots, TheShotsRiseByTheirMemberAndStyle)
{
    struct Case {
        int16_t action;
        int16_t style;
        int32_t shooterY;
        int32_t velY;
        int32_t velZ;  // 0: a draw, checked against its bound below
    };
    for (const Case c : {
             // 78/81 style 0: (25 + 25) x 256 + 45056.
             Case{ACT_DRIBBLE_SHOT_78, 0, 1000, -250 * 4096, 57856},
             // 106/107 style 0: effective skill 12 (50) x 256 + 45056, lengths 30 + 120 and 140.
             Case{ACT_LIFTED_SHOT_STANDING, 0, 1000, -150 * 4096, 57856},
             Case{ACT_LIFTED_SHOT, 0, 1000, -170 * 4096, 57856},
             // Style 1 without the finishing roll: 114688 - 50 x 1280.
             Case{ACT_LIFTED_SHOT_STANDING, 1, 1000, -150 * 4096, 50688},
             // Curled from 10 yards: 114688 - (400 - 160) x 50.
             Case{ACT_CURLED_SHOT_STANDING, 0, 282, -170 * 4096, 102688},
             // From beyond 40 yards 81 style 1 is cut to 60 % and rises above 110592.
             Case{ACT_DRIBBLE_SHOT_81, 1, 1000, -250 * 4096 * 60 / 100, 0},
             // 52 style 0: effective skill 12 x 256 + 32768, length 30 + 220.
             Case{ACT_SHOT, 0, 1000, -250 * 4096, 45568},
             // 52 style 1 from beyond 640 without the roll: cut to 60 %, 118784 + (50 + a draw)
             // x 256.
             Case{ACT_SHOT, 1, 1000, -250 * 4096 * 60 / 100, 0},
         }) {
        SetUp();
        MatchPersons[kShooter].skills[17] = 60;
        MatchPersons[kShooter].skills[1] = 0;
        Place(796, c.shooterY);
        Start(c.action, c.style);
        StrikeFrames(c.action);
        const std::string what = std::to_string(c.action) + " style " + std::to_string(c.style);
        EXPECT_EQ(Ball.velX, 0) << what;
        EXPECT_EQ(Ball.velY, c.velY) << what;
        if (c.velZ != 0) {
            EXPECT_EQ(Ball.velZ, c.velZ) << what;
        } else {
            const int32_t base = c.action == ACT_SHOT ? 118784 + 50 * 256 : 110592 + 50 * 256;
            EXPECT_GE(Ball.velZ, base) << what;
            EXPECT_LT(Ball.velZ, base + 100 * 256) << what;
        }
        if (c.action == ACT_CURLED_SHOT_STANDING) {
            EXPECT_EQ(Ball.swerveX, 8000) << what;  // the shooter stands at the centre line
            EXPECT_EQ(Ball.swerveTicks, 30) << what;
        }
    }
}

TEST_F(Shots, ADribbleShotCountsAndSaysItsDistanceOnlyFrom35YardsOrNearer)
{
    struct Case {
        int16_t action;
        int32_t distance;  // from the goal he attacks
        int32_t group;     // -1: neither counted nor said
    };
    for (const Case c : {
             Case{ACT_DRIBBLE_SHOT_78, 575, 280},
             Case{ACT_DRIBBLE_SHOT_81, 576, -1},
             Case{ACT_DRIBBLE_SHOT_78, 79, 276},
             Case{ACT_DRIBBLE_SHOT_81, 80, 277},
             Case{ACT_DRIBBLE_SHOT_78, 319, 279},
             Case{ACT_SHOT, 575, 217},
             Case{ACT_SHOT, 576, 217},
         }) {
        SetUp();
        Place(796, 122 + c.distance);
        // Outside open play he does not creep forward while he shapes to shoot.
        MatchPhase = PHASE_DECISION_PENDING;
        Start(c.action, 0);
        match.Record().commentaryGroups.clear();
        const std::string what = std::to_string(c.action) + " from " + std::to_string(c.distance);
        EXPECT_EQ(StrikeFrames(c.action).size(), 1u) << what;
        const bool counted = c.action == ACT_SHOT ? c.distance <= 575 : c.group >= 0;
        EXPECT_EQ(MatchPersons[kShooter].stats.shots, counted ? 1 : 0) << what;
        EXPECT_EQ(Match.teamStats[0].shots, counted ? 1 : 0) << what;
        EXPECT_EQ(Match.shooter, counted ? kShooter : -1) << what;
        EXPECT_EQ(match.Record().commentaryGroups,
                  c.group < 0 ? std::vector<int32_t>{} : std::vector<int32_t>{c.group})
            << what;
    }
}

TEST_F(Shots, AFirstTimeShotWaitsForTheBallToComeDownAndStrikesAfterItsHold)
{
    struct Case {
        int16_t action;
        int32_t hold;
        int32_t maxHeight;
        int32_t group;
    };
    for (const Case c : {
             Case{ACT_FIRST_TIME_SHOT_84, 17, 16, 296},
             Case{ACT_FIRST_TIME_SHOT_83, 90, 16, 295},
             Case{ACT_FIRST_TIME_SHOT_80, 71, 12, 294},
         }) {
        for (const bool high : {true, false}) {
            SetUp();
            Ball_GiveToPerson(-1);
            MatchPerson& p = Start(c.action, 0);
            p.receivePoint[0] = 796;
            p.receivePoint[1] = 1000;
            // A ball just above his reach in height waits the whole window out.
            Ball.height = static_cast<uint16_t>(high ? c.maxHeight + 1 : c.maxHeight - 1);
            match.Record().commentaryGroups.clear();
            const std::vector<int32_t> frames = StrikeFrames(c.action);
            const std::string what = std::to_string(c.action) + (high ? " high" : " low");
            if (high) {
                EXPECT_TRUE(frames.empty()) << what;
                continue;
            }
            ASSERT_EQ(frames.size(), 1u) << what;
            EXPECT_GT(frames[0], c.hold) << what;
            EXPECT_LE(frames[0], c.hold + 8) << what;
            EXPECT_EQ(Match.teamStats[0].shots, 1) << what;
            EXPECT_EQ(Match.lastKickKind, 6) << what;
            EXPECT_EQ(match.Record().commentaryGroups, std::vector<int32_t>{c.group}) << what;
        }
    }
}

TEST_F(Shots, APenaltySwervesAgainstItsAimAndMovesTheAimBeforeTheDirection)
{
    // S = 3 x 100 = 300: swerve 150 x 120 = 18000, so the aim moves by the ticks x 1.
    for (const int32_t aimX : {760, 796, 830}) {
        SetUp();
        std::memset(MatchPersons[kShooter].skills, 100, sizeof MatchPersons[kShooter].skills);
        Place(796, 314);
        ShotTarget[0] = static_cast<int16_t>(aimX);
        MatchPhase = PHASE_PENALTY_KICK;
        Start(ACT_PENALTY_KICK, 0);
        StrikeFrames(ACT_PENALTY_KICK);
        const std::string what = "aim " + std::to_string(aimX);
        EXPECT_EQ(Ball.swerveX, aimX < 796 ? 18000 : -18000) << what;
        EXPECT_GE(Ball.swerveTicks, 10) << what;
        EXPECT_LE(Ball.swerveTicks, 10 + 300 / 8) << what;
        EXPECT_EQ(ShotTarget[0], aimX - Ball.swerveTicks * (aimX < 796 ? 1 : -1)) << what;
        EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY) << what;
        EXPECT_EQ(Match.firstShotRecord, 1) << what;
        EXPECT_EQ(Match.shotRecordPlayer[0], kShooter) << what;
        EXPECT_EQ(MatchPersons[kShooter].stats.penaltiesTaken, 1) << what;
        EXPECT_EQ(Match.teamStats[0].shots, 1) << what;
        // The ball goes toward the moved aim: left of centre when the aim is.
        if (ShotTarget[0] != 796) {
            EXPECT_EQ(Ball.velX < 0, ShotTarget[0] < 796) << what;
        }
    }
}

TEST_F(Shots, ADirectFreeKickTakesOneOfItsThreeLiftsAndDrawsNothingWhenLevel)
{
    // The taker 200 in front of the aim: r < 200; he is centred at 796 in half the cases.
    int32_t seen[3] = {0, 0, 0};
    int32_t unswerved = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        SetUp();
        SRand(seed);
        const bool central = seed % 2 == 0;
        ShotTarget[0] = static_cast<int16_t>(central ? 796 : 700);
        Place(796, 317);
        // His run-up goes across, so he stays 200 in front of the aim.
        Start(ACT_DIRECT_FREE_KICK, 0).dirToBall = 64;
        ASSERT_EQ(StrikeFrames(ACT_DIRECT_FREE_KICK).size(), 1u);
        const std::string what = "seed " + std::to_string(seed);
        const int32_t z = Ball.velZ;
        const int32_t lift = z >= 98304 ? 0 : z >= 65536 ? 1 : 2;
        EXPECT_LT(z, (lift == 0 ? 98304 : lift == 1 ? 65536 : 32768) + 200 * 384) << what;
        // At the centre a free kick is never driven.
        if (central) {
            EXPECT_NE(lift, 1) << what;
        }
        ++seen[lift];
        // S = 100: 10 + 6 + a draw of 0-6 swerve ticks, or none at the centre one time in four.
        if (Ball.swerveTicks == 0) {
            EXPECT_TRUE(central) << what;
            ++unswerved;
        } else {
            EXPECT_GE(Ball.swerveTicks, 16) << what;
            EXPECT_LE(Ball.swerveTicks, 22) << what;
        }
        // The dipping kick drops 1,024 more; a low or driven one only by the skill's dip.
        const bool dips = Ball.swerveZ == -1024 || Ball.swerveZ == -3024;
        EXPECT_EQ(dips, lift == 0) << what << " " << Ball.swerveZ;
        EXPECT_EQ(Match.secondShotRecord, 1) << what;
        EXPECT_EQ(Match.firstShotRecord, 0) << what;
        EXPECT_EQ(MatchPersons[kShooter].stats.freeKicksTaken, 1) << what;
    }
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    EXPECT_GT(seen[2], 0);
    EXPECT_GT(unswerved, 0);
    // Level with the aim the height draw would divide by zero: r is 0.
    SetUp();
    ShotTarget[1] = 1000;
    Start(ACT_DIRECT_FREE_KICK, 0).dirToBall = 64;
    ASSERT_EQ(StrikeFrames(ACT_DIRECT_FREE_KICK).size(), 1u);
    EXPECT_TRUE(Ball.velZ == 98304 || Ball.velZ == 65536 || Ball.velZ == 32768) << Ball.velZ;
}

// Aimed at the centre, a direct free kick bends toward the same hand of the taker at either end:
// its twin turned about the centre spot, with the same draws, bends and flies the turned way.
TEST_F(Shots, ADirectFreeKickAtTheCentreBendsAlikeAtEitherEnd)
{
    int32_t swerve[2];
    int32_t velX[2];
    for (const int32_t turned : {0, 1}) {
        SetUp();
        SRand(7);
        Match.secondOfPair = static_cast<uint8_t>(turned != 0 ? 0 : 1);
        const int32_t y = turned != 0 ? 2 * PITCH_CENTRE_Y - 317 : 317;
        const int32_t ahead = turned != 0 ? 4 : -4;
        Person_PlaceAt(kShooter, 796, y);
        Person_PlaceAt(MATCH_BALL, 796, y + ahead);
        Ball.x16 = 796 * 65536;
        Ball.y16 = (y + ahead) * 65536;
        Ball_GiveToPerson(kShooter);
        ShotTarget[1] = static_cast<int16_t>(turned != 0 ? 2047 : 117);
        MatchPerson& p = Start(ACT_DIRECT_FREE_KICK, 0);
        p.facing = static_cast<uint16_t>(turned != 0 ? 128 : 0);
        p.dirToBall = static_cast<uint16_t>(turned != 0 ? 192 : 64);
        ASSERT_EQ(StrikeFrames(ACT_DIRECT_FREE_KICK).size(), 1u);
        swerve[turned] = Ball.swerveX;
        velX[turned] = Ball.velX;
    }
    EXPECT_NE(swerve[0], 0);
    EXPECT_EQ(swerve[1], -swerve[0]);
    EXPECT_EQ(velX[1], -velX[0]);
}

TEST_F(Shots, TheCarriersKicksSendTheBallWhereTheirRulesSay)
{
    // 52 aimed straight right (facing 64) goes toward larger x, not a quarter turn off.
    Start(ACT_SHOT, 0);
    ShotTarget[0] = 1400;
    ShotTarget[1] = 1000;
    StrikeFrames(ACT_SHOT);
    EXPECT_EQ(Ball.velX, 245 * 4096);  // skill 17 of 50: length 25 + 220
    EXPECT_EQ(Ball.velY, 0);
    EXPECT_EQ(Match.lastKickKind, KICK_KIND_CLEARANCE);
    EXPECT_EQ(MatchPersons[kShooter].stats.clearances, 1);
    // Style 1 from beyond 640 without the finishing roll: the same aim at 60 %.
    SetUp();
    MatchPersons[kShooter].skills[1] = 0;
    Start(ACT_SHOT, 1);
    ShotTarget[0] = 1400;
    ShotTarget[1] = 1000;
    StrikeFrames(ACT_SHOT);
    EXPECT_EQ(Ball.velX, 245 * 4096 * 60 / 100);
    // Every strike forgets the shot records.
    SetUp();
    Match.thirdShotRecord = 1;
    Match.firstShotRecord = 1;
    Start(ACT_SHOT, 0);
    StrikeFrames(ACT_SHOT);
    EXPECT_EQ(Match.firstShotRecord + Match.secondShotRecord + Match.thirdShotRecord, 0);

    // A cross near the goal line curls at most half its distance from it; a plain long ball
    // between the areas lands 150-224 further from halfway.
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        SetUp();
        SRand(seed);
        Place(300, 142);  // 20 from the goal line
        Match.kickTargetPerson = -1;
        Match.kickTargetPoint[0] = 796;
        Match.kickTargetPoint[1] = 200;
        Start(ACT_LOFTED_BALL_18, 2);
        StrikeFrames(ACT_LOFTED_BALL_18);
        EXPECT_LE(Ball.swerveTicks, 10) << seed;
        // A curled ball (skill 3 of 100 always curls) standing still 100 from the point: side
        // spin 6000 facing up the pitch or straight across it toward smaller x, -6000 straight
        // across toward larger x; curl 20, the target moved by 3 x 20 along the spin's sign.
        for (const uint16_t facing : {uint16_t{0}, uint16_t{64}, uint16_t{192}}) {
            SetUp();
            SRand(seed);
            MatchPersons[kShooter].skills[3] = 100;
            MatchPhase = PHASE_DECISION_PENDING;
            Match.kickTargetPerson = -1;
            Match.kickTargetPoint[0] = 796;
            Match.kickTargetPoint[1] = 900;
            Start(ACT_LOFTED_BALL_75, 1).facing = facing;
            StrikeFrames(ACT_LOFTED_BALL_75);
            const int32_t spin = facing == 64 ? -6000 : 6000;
            EXPECT_EQ(Ball.swerveX, spin) << seed;
            EXPECT_EQ(Ball.swerveTicks, 20) << seed;
            const int32_t ballY = facing == 0 ? 996 : 1000;  // at his feet, 4 in front of him
            EXPECT_EQ(Ball.velY, (900 + spin / 2000 * 20 - ballY) * 1500) << seed;
            EXPECT_LE(Ball.velZ, 100 * 100 + 147456) << seed;
            EXPECT_GT(Ball.velZ, 100 * 100 + 147456 - 50 * 512) << seed;
        }
        SetUp();
        SRand(seed);
        MatchPersons[kShooter].skills[3] = 0;  // never curled
        MatchPhase = PHASE_DECISION_PENDING;   // he stands still: 100 from the point
        Match.kickTargetPerson = -1;
        Match.kickTargetPoint[0] = 796;
        Match.kickTargetPoint[1] = 900;
        Start(ACT_LOFTED_BALL_75, 1);
        StrikeFrames(ACT_LOFTED_BALL_75);
        EXPECT_EQ(Ball.swerveTicks, 0) << seed;
        EXPECT_EQ(Ball.velZ, 100 * 100 + 147456) << seed;
        // Sent from the ball at y 996 with the factor 1600 - 100.
        ASSERT_EQ(Ball.velY % 1500, 0) << seed;
        const int32_t landsAt = 996 + Ball.velY / 1500;
        EXPECT_LE(landsAt, 900 - 150) << seed;
        EXPECT_GE(landsAt, 900 - 224) << seed;
    }
    // 29 keeps its receiver unless the target lies behind him.
    for (const int32_t targetY : {700, 1300}) {
        SetUp();
        MatchPhase = PHASE_FREE_KICK;  // struck while the free kick is taken: open play again
        Match.kickTargetPerson = kMate;
        Match.kickTargetPoint[0] = 796;
        Match.kickTargetPoint[1] = static_cast<int16_t>(targetY);
        Start(ACT_GROUND_KICK, 0);
        StrikeFrames(ACT_GROUND_KICK);
        const bool behind = targetY > 1000;
        EXPECT_EQ(PassReceiver, behind ? -1 : kMate) << targetY;
        EXPECT_EQ(MatchPersons[kMate].action, behind ? ACT_WALK_TO_TARGET : ACT_GO_TO_MEETING_SPOT)
            << targetY;
        EXPECT_EQ(MatchPersons[kShooter].passCounters[0], 1) << targetY;
        EXPECT_EQ(MatchPhase, PHASE_OPEN_PLAY) << targetY;
    }
}

TEST_F(Shots, ARunWithTheBallSpeedsUpToItsTopAndSaysOneZoneLinePerRun)
{
    struct Case {
        int16_t action;
        int32_t top;  // pace 50 / 4 + the row's
        int32_t firstGroup;
    };
    for (const Case c : {Case{ACT_CARRY_RUN, 152, 206}, Case{ACT_CARRY_SPRINT, 202, 255}}) {
        for (const int16_t said : {0, 1}) {
            SetUp();
            LastDefenderLine[1] = 1500;
            Place(1300, 1000);
            Match.carrierCommentCount = said;
            MatchPerson& p = Start(c.action, 0);
            Ball.lastToucher = static_cast<int16_t>(kShooter);  // he knocked the ball ahead
            p.facing = 128;
            match.Record().commentaryGroups.clear();
            int32_t fastest = 0;
            for (int32_t tick = 0; tick < 40 && p.action == c.action; ++tick) {
                Run();
                fastest = std::max<int32_t>(fastest, p.runSpeed);
            }
            const std::string what = std::to_string(c.action) + " said " + std::to_string(said);
            EXPECT_LE(fastest, c.top + 20) << what;  // the run step's own pressure boost
            EXPECT_GE(fastest, c.top) << what;
            // Beyond the last defender on the right of side 0 (which attacks toward y 122).
            EXPECT_EQ(match.Record().commentaryGroups,
                      said != 0 ? std::vector<int32_t>{} : std::vector<int32_t>{c.firstGroup})
                << what;
        }
    }
}

// A run onto a knocked ball ends when there is nothing left to run onto: another touched the
// ball, or it went out of play (a sprint round the keeper that knocks it over the goal line ran
// on for sixty frames, over a hundred units behind the line).
TEST_F(Shots, ARunWithTheBallEndsOnceTheBallIsNoLongerHisToReach)
{
    struct Case {
        int16_t action;
        int16_t lastToucher;
        int16_t phase;
        int16_t after;  // his action after one tick
    };
    for (const Case c : {Case{ACT_CARRY_SPRINT, kShooter, PHASE_OPEN_PLAY, ACT_CARRY_SPRINT},
                         Case{ACT_CARRY_SPRINT, kMate, PHASE_OPEN_PLAY, ACT_ACTIVE},
                         Case{ACT_CARRY_SPRINT, kShooter, PHASE_GOAL_KICK_AWARDED, ACT_ACTIVE},
                         Case{ACT_CARRY_RUN, kShooter, PHASE_CORNER_AWARDED, ACT_ACTIVE},
                         Case{ACT_CARRY_RUN, kShooter, PHASE_OPEN_PLAY, ACT_CARRY_RUN}}) {
        SetUp();
        Place(796, 200);
        MatchPerson& p = Start(c.action, 0);
        Ball_GiveToPerson(-1);
        Ball.lastToucher = c.lastToucher;
        MatchPhase = c.phase;
        Run();
        EXPECT_EQ(p.action, c.after)
            << c.action << " touched by " << c.lastToucher << " in phase " << c.phase;
    }
}

// A passes to B, B's touch completes it and B shoots straight in: A's assist, B's shot on
// target; a cross to C and C's goal credits the crosser twice; a penalty that goes wide for a
// goal kick is a penalty missed.
TEST_F(Shots, APassAndAShotStraightInKeepTheBooksOfTheGoal)
{
    // The pass after a restart hand-over: the kicker is not the last recorded toucher.
    Ball.lastToucher = 20;
    Person_PlaceAt(kMate, 796, 1000);
    Place(796, 1200);
    Match.kickTargetPerson = kMate;
    Match.kickTargetPoint[0] = 796;
    Match.kickTargetPoint[1] = 1000;
    Start(ACT_PASS_77, 0);
    StrikeFrames(ACT_PASS_77);
    Ball_GiveToPerson(-1);
    Match_OnBallTouch(kMate);
    EXPECT_EQ(MatchPersons[kShooter].stats.passesCompleted, 1);
    EXPECT_EQ(MatchPersons[kMate].stats.passesReceived, 1);

    // The receiver shoots: the pass provider is the passer.
    Person_PlaceAt(kMate, 796, 400);
    Person_PlaceAt(MATCH_BALL, 796, 396);
    Ball_GiveToPerson(kMate);
    Person_SetAction(kMate, ACT_DRIBBLE_SHOT_78);
    for (int32_t tick = 0; tick < 100 && MatchPersons[kMate].kicked == 0; ++tick) {
        MatchPerson& m = MatchPersons[kMate];
        CurrentPersonPos = {m.x, m.y, m.x16, m.y16};
        ActionTable[m.action].run(kMate);
    }
    EXPECT_EQ(Match.passProvider, kShooter);
    EXPECT_EQ(Match.shooter, kMate);
    KickBook_ShotOnTarget();
    EXPECT_EQ(MatchPersons[kMate].stats.shotsOnTarget, 1);
    EXPECT_EQ(Match.teamStats[0].shotsOnTarget, 1);
    EXPECT_EQ(Match.shooter, -1);

    // A penalty that goes wide: a penalty missed for its taker.
    SetUp();
    Place(796, 314);
    MatchPhase = PHASE_PENALTY_KICK;
    Start(ACT_PENALTY_KICK, 0);
    StrikeFrames(ACT_PENALTY_KICK);
    KickBook_ShotMissed();
    EXPECT_EQ(MatchPersons[kShooter].stats.missedShots, 1);
    EXPECT_EQ(MatchPersons[kShooter].stats.penaltiesMissed, 1);
    PlayerMatchRecord record{};
    Football_FillPlayerMatchRecord(&record, 0, kShooter);
    EXPECT_EQ(PlayerMatchRecord_Get(record, PMR_PENALTIES_MISSED), 1);
    EXPECT_EQ(PlayerMatchRecord_Get(record, PMR_SHOTS_OFF_TARGET), 1);
    EXPECT_EQ(Football_GetMatchFigure(record, PMS_MISSED_SHOTS), 1);
}

// The ball in side 0's net: a pending shot of side 0 was on target; without one, side 0's last
// toucher struck a shot on target, unless it was the shoot-out or an own goal.
TEST_F(Shots, AGoalIsAShotOnTargetOfTheScoringSideAndAnOwnGoalNone)
{
    constexpr int32_t kOpponent = 20;
    struct Case {
        int32_t shooter;  // pending, -1 none
        int32_t toucher;
        int32_t period;
        int32_t shooterShots, shooterOnTarget, toucherShots, toucherOnTarget, sideShots,
            sideOnTarget;
    };
    const Case cases[] = {
        {kShooter, kMate, 0, 0, 1, 0, 0, 0, 1},                 // the shot, tapped in
        {-1, kMate, 1, 0, 0, 1, 1, 1, 1},                       // a header that went in
        {kOpponent, kMate, 0, 0, 0, 1, 1, 1, 1},                // the other side's shot
        {-1, kOpponent, 0, 0, 0, 0, 0, 0, 0},                   // an own goal
        {-1, kMate, MATCH_PERIOD_SHOOT_OUT, 0, 0, 0, 0, 0, 0},  // no match figure
        {kShooter, kShooter, MATCH_PERIOD_SHOOT_OUT, 0, 1, 0, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        Match.period = static_cast<uint8_t>(c.period);
        Match.shooter = static_cast<int8_t>(c.shooter);
        KickBook_GoalShot(0, c.toucher);
        const std::string what = std::to_string(c.shooter) + " " + std::to_string(c.toucher)
                                 + " period " + std::to_string(c.period);
        EXPECT_EQ(Match.shooter, -1) << what;
        EXPECT_EQ(MatchPersons[kShooter].stats.shots, c.shooterShots) << what;
        EXPECT_EQ(MatchPersons[kShooter].stats.shotsOnTarget, c.shooterOnTarget) << what;
        EXPECT_EQ(MatchPersons[kMate].stats.shots, c.toucherShots) << what;
        EXPECT_EQ(MatchPersons[kMate].stats.shotsOnTarget, c.toucherOnTarget) << what;
        EXPECT_EQ(MatchPersons[kOpponent].stats.shotsOnTarget, 0) << what;
        EXPECT_EQ(Match.teamStats[0].shots, c.sideShots) << what;
        EXPECT_EQ(Match.teamStats[0].shotsOnTarget, c.sideOnTarget) << what;
        EXPECT_EQ(Match.teamStats[1].shotsOnTarget, 0) << what;
    }
}

// A cross waits in the second pass record: its receiver's touch completes it (dangerous inside
// the area the crosser attacks), an opponent's cuts it out; the record's fields say so.
TEST_F(Shots, ACrossIsCompletedDangerouslyInTheAreaOrCutOut)
{
    constexpr int32_t kOpponent = 20;
    struct Case {
        int32_t toucher;
        int32_t targetY;  // the area side 0 attacks ends at y 410
        bool dangerous;
    };
    for (const Case c :
         {Case{kMate, 300, true}, Case{kMate, 600, false}, Case{kOpponent, 300, false}}) {
        SetUp();
        MatchPersons[kShooter].skills[3] = 0;  // a plain ball
        MatchPersons[kOpponent].offPitch = 0;
        Place(300, 500);
        Person_PlaceAt(kMate, 796, c.targetY);
        Person_PlaceAt(kOpponent, 796, c.targetY);
        Match.kickTargetPerson = kMate;
        Match.kickTargetPoint[0] = 796;
        Match.kickTargetPoint[1] = static_cast<int16_t>(c.targetY);
        Start(ACT_LOFTED_BALL_18, 0);
        StrikeFrames(ACT_LOFTED_BALL_18);
        EXPECT_EQ(Match.passRecord[1][0], kShooter);
        EXPECT_EQ(Match.passRecord[0][0], -1);  // a cross is no pass of the first kind
        EXPECT_EQ(Match.secondProvider, kShooter);
        Ball_GiveToPerson(-1);
        Match_OnBallTouch(c.toucher);
        const std::string what = std::to_string(c.toucher) + " at " + std::to_string(c.targetY);
        const bool completed = c.toucher == kMate;
        PlayerMatchRecord record{};
        Football_FillPlayerMatchRecord(&record, 0, kShooter);
        EXPECT_EQ(Football_GetMatchFigure(record, PMS_CROSSES_COMPLETED), completed ? 1 : 0)
            << what;
        EXPECT_EQ(PlayerMatchRecord_Get(record, 35), completed ? 0 : 1) << what;
        EXPECT_EQ(Football_GetMatchFigure(record, PMS_MISSED_CROSSES), completed ? 0 : 1) << what;
        EXPECT_EQ(Football_GetMatchFigure(record, PMS_DANGEROUS_CROSSES), c.dangerous ? 1 : 0)
            << what;
        EXPECT_EQ(MatchPersons[kShooter].passCounters[0], 0) << what;
    }
}

}  // namespace
