// tests/gamecode/restartutil_test.cpp: skill contests, the effective skill off a flank, the
// nearest team-mate, busy counts, standing everyone, giving the ball, the box test, the shot's
// swerve, the free-kick aim beside the wall, the spread of targets, and every restart's ball set on
// its spot.
#include "gamecode/restartutil.h"

#include <cstdlib>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/phases.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

class RestartUtil : public testing::Test {
protected:
    void SetUp() override
    {
        for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
            Person_PlaceAt(p, 400, 400);
            MatchPersons[p].targetX = 2000;
            MatchPersons[p].targetY = 2000;
            MatchPersons[p].action = 3;
        }
        SRand(7);
    }
    ScopedMatch match;
};

TEST_F(RestartUtil, SkillRollStaysInRangeAndAlwaysDrawsTwice)
{
    for (int32_t i = 0; i < 200; ++i) {
        const uint32_t before = RandDrawCount();
        const int32_t roll = Match_SkillRoll(10, 5);
        EXPECT_GE(roll, -5);
        EXPECT_LE(roll, 5);
        EXPECT_EQ(RandDrawCount() - before, 2u);
    }
    const uint32_t before = RandDrawCount();
    EXPECT_EQ(Match_SkillRoll(0, 50), 0);
    EXPECT_EQ(Match_SkillRoll(50, 0), 0);
    EXPECT_EQ(RandDrawCount(), before);
}

TEST_F(RestartUtil, EffectiveSkillDropsOffAnUncoveredFlank)
{
    MatchPerson& p = MatchPersons[3];
    TeamShape[0].slots[3].row = 2;
    p.positionExtra[1] = 0;
    EXPECT_EQ(Person_EffectiveSkill(3, 60), 21);
    p.positionExtra[1] = 1;
    EXPECT_EQ(Person_EffectiveSkill(3, 60), 60);
    TeamShape[0].slots[3].row = 7;
    p.positionExtra[1] = 0;
    EXPECT_EQ(Person_EffectiveSkill(3, 60), 60);
    TeamShape[0].slots[3].row = 12;
    p.positionExtra[2] = 0;
    EXPECT_EQ(Person_EffectiveSkill(3, 60), 21);
    EXPECT_EQ(Person_EffectiveSkill(13, 60), 60);  // a bench slot has no formation slot
}

TEST_F(RestartUtil, NearestTeammateTakesTheLaterSlotOnATieAndNoneWhenAllAreBusy)
{
    KickingSide = 1;
    MatchPersons[18].targetX = 500;
    MatchPersons[18].targetY = 500;
    MatchPersons[20].targetX = 500;
    MatchPersons[20].targetY = 500;
    EXPECT_EQ(Team_NearestTeammateTo(500, 500, -1), 20);
    EXPECT_EQ(Team_NearestTeammateTo(500, 500, 20), 18);
    MatchPersons[18].action = 17;
    MatchPersons[20].offPitch = 1;
    EXPECT_NE(Team_NearestTeammateTo(500, 500, -1), 18);
    for (int32_t slot = 1; slot <= 10; ++slot) {
        MatchPersons[16 + slot].action = 40;
    }
    EXPECT_EQ(Team_NearestTeammateTo(500, 500, -1), -1);
    EXPECT_EQ(Team_NearestTeammateOrFallback(500, 500, -1), Match.proximity[1][1]);
    for (int32_t slot = 1; slot < 16; ++slot) {
        MatchPersons[16 + slot].offPitch = 1;
    }
    EXPECT_EQ(Team_NearestTeammateOrFallback(500, 500, -1), 16);
}

TEST_F(RestartUtil, BusyCountsKeepersOutOfIdleAndOthersInLongActions)
{
    MatchPersons[0].action = 122;
    MatchPersons[16].action = 122;
    EXPECT_EQ(Match_CountBusyPlayers(), 0);
    MatchPersons[0].action = 3;  // a keeper counts once he leaves his idle action
    MatchPersons[5].action = 18;
    MatchPersons[6].action = 17;
    EXPECT_EQ(Match_CountBusyPlayers(), 2);
    // Nobody waits for a player gone off: a keeper sent off or hurt off, a substitute.
    MatchPersons[0].offPitch = 1;
    MatchPersons[5].offPitch = 1;
    EXPECT_EQ(Match_CountBusyPlayers(), 0);
}

TEST_F(RestartUtil, AllStandKeepsActionWordsAndIdlesTheKeepers)
{
    MatchPersons[5].action = 40;
    MatchPersons[5].actionWord = 9;
    ActivePlayer[0] = 5;
    Match_AllStand();
    EXPECT_EQ(MatchPersons[5].action, 3);
    EXPECT_EQ(MatchPersons[5].actionWord, 9);
    EXPECT_EQ(MatchPersons[0].action, 122);
    EXPECT_EQ(MatchPersons[16].action, 122);
    EXPECT_EQ(ActivePlayer[0], MATCH_NONE);
}

TEST_F(RestartUtil, ResetForRestartCountsLongActionsAndKeepersWalkingOrAside)
{
    MatchPersons[4].action = 15;
    MatchPersons[4].hasBall = 1;
    MatchPersons[5].action = 40;
    MatchPersons[16].action = 150;  // a keeper's own move: not counted
    MatchPersons[0].action = 38;    // a keeper standing aside: counted
    EXPECT_EQ(Match_ResetForRestart(), 2);
    EXPECT_EQ(MatchPersons[4].action, 3);
    EXPECT_EQ(MatchPersons[4].hasBall, 0);
    EXPECT_EQ(MatchPersons[5].action, 40);
    for (const int16_t aside : {30, 31, 39}) {
        MatchPersons[0].action = aside;
        EXPECT_EQ(Match_ResetForRestart(), 2);
    }
    MatchPersons[16].action = 3;
    Match_ResetForRestart();
    EXPECT_EQ(MatchPersons[16].action, 122);
}

TEST_F(RestartUtil, BallGoesToOnePersonAndTheBoxTestNeedsALowBall)
{
    MatchPersons[2].hasBall = 1;
    Ball_GiveToPerson(9);
    EXPECT_EQ(MatchPersons[2].hasBall, 0);
    EXPECT_EQ(MatchPersons[9].hasBall, 1);
    CurrentPersonPos = {505, 495, 505 * 65536, 495 * 65536};
    Ball.height = 4;
    EXPECT_EQ(Person_IsWithinBox(500, 500, 5, 4), 0);
    EXPECT_EQ(Person_IsWithinBox(500, 500, 4, 4), -1);
    EXPECT_EQ(Person_IsWithinBox(500, 500, 5, 3), -1);
}

TEST_F(RestartUtil, ShotFromFortyYardsCurlsByEightThousandTwoHundredAndFifty)
{
    MatchPerson& shooter = MatchPersons[3];
    Person_PlaceAt(3, 796, 2042 - 640);  // side 0 attacks the bottom goal
    shooter.skills[1] = shooter.skills[12] = shooter.skills[21] = 100;
    bool curled = false;
    for (uint32_t seed = 1; seed < 40 && !curled; ++seed) {
        SRand(seed);
        Ball_SetShotSwerve(3, 700);
        curled = Ball.swerveX == 8250 && Ball.swerveY == 0 && Ball.swerveZ == 0;
        EXPECT_GE(Ball.swerveTicks, 10);
        EXPECT_LE(Ball.swerveTicks, 34);
    }
    EXPECT_TRUE(curled);
    shooter.skills[1] = shooter.skills[12] = shooter.skills[21] = 0;
    for (uint32_t seed = 1; seed < 40; ++seed) {
        SRand(seed);
        Ball_SetShotSwerve(3, -1);  // no aim: never curled, any bend within the band
        EXPECT_GE(Ball.swerveX, -8250);
        EXPECT_LT(Ball.swerveX, 8250);
        EXPECT_GE(Ball.swerveY, -4000);
        EXPECT_LT(Ball.swerveY, 4000);
    }
}

TEST_F(RestartUtil, WallExtentAimsThroughTheWiderGapOrAtTheCentreWithoutAWall)
{
    KickingSide = 0;  // attacks the bottom goal
    CurrentPersonPos = {796, 1600, 796 * 65536, 1600 * 65536};
    const uint32_t before = RandDrawCount();
    Team_WallExtent(3);
    EXPECT_EQ(Match.freeKickAim[0], 796);
    EXPECT_EQ(Match.freeKickAim[1], 2047);
    EXPECT_EQ(RandDrawCount(), before);
    // The wider gap between the wall's end and its post decides which post the kick goes beside,
    // at either end (the twin turned about the centre spot, the taker attacking y 122).
    struct Case {
        int32_t left, right;  // the wall's ends
        bool besideLeft;
    } const cases[] = {{770, 800, false}, {790, 822, true}};
    for (const bool turned : {false, true}) {
        Match.secondOfPair = turned ? 1 : 0;
        const int32_t y = turned ? 2 * PITCH_CENTRE_Y - 1600 : 1600;
        CurrentPersonPos = {796, static_cast<int16_t>(y), 796 * 65536, y * 65536};
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.left << "-" << c.right << " turned " << turned);
            for (const int32_t p : {20, 21}) {
                MatchPersons[p].action = 58;
                MatchPersons[p].targetY =
                    static_cast<int16_t>(turned ? 2 * PITCH_CENTRE_Y - 1700 : 1700);
            }
            MatchPersons[20].targetX =
                static_cast<int16_t>(turned ? 2 * PITCH_CENTRE_X - c.right : c.left);
            MatchPersons[21].targetX =
                static_cast<int16_t>(turned ? 2 * PITCH_CENTRE_X - c.left : c.right);
            Team_WallExtent(3);
            const int32_t aim =
                turned ? 2 * PITCH_CENTRE_X - Match.freeKickAim[0] : Match.freeKickAim[0];
            if (c.besideLeft) {
                EXPECT_GE(aim, 711);
                EXPECT_LE(aim, 730);
            } else {
                EXPECT_GE(aim, 862);
                EXPECT_LE(aim, 881);
            }
        }
    }
}

TEST_F(RestartUtil, SpreadMovesTargetsOffTheFlanksAndTowardTheSpotKeepingThemOnThePitch)
{
    RestartSpot[1] = 1900;
    auto target = [](int32_t p, int32_t x, int32_t y) {
        MatchPersons[p].targetX = static_cast<int16_t>(x);
        MatchPersons[p].targetY = static_cast<int16_t>(y);
    };
    target(4, 1100, 1300);  // beyond the band, short of the spot
    target(5, 500, 1100);   // inside the band around halfway
    target(6, 800, 1950);   // past the spot
    target(7, 800, 2030);
    target(0, 1100, 1300);  // keepers and the kicker keep theirs
    target(8, 1100, 1300);
    MatchPersons[9].action = 58;
    target(9, 1100, 1300);
    target(10, 800, 1850);
    Team_SpreadRestartTargets(8);
    EXPECT_EQ(MatchPersons[4].targetX, 1000);
    EXPECT_EQ(MatchPersons[4].targetY, 1400);
    EXPECT_EQ(MatchPersons[5].targetX, 600);
    EXPECT_EQ(MatchPersons[5].targetY, 1100);
    EXPECT_EQ(MatchPersons[6].targetY, 1950);
    EXPECT_EQ(MatchPersons[10].targetY, 1950);
    EXPECT_EQ(MatchPersons[0].targetX, 1100);
    EXPECT_EQ(MatchPersons[8].targetY, 1300);
    EXPECT_EQ(MatchPersons[9].targetY, 1300);
    RestartSpot[1] = 2100;
    Team_SpreadRestartTargets(8);
    EXPECT_EQ(MatchPersons[7].targetY, 1978);  // pushed past the goal line, brought back
}

// Each kind of restart as the play awards it in SetOpenPlayScene's match (side 0 attacks y 2042,
// side 1 stands at y 1300): the ball goes over a line, or a tackle writes a foul.
void BallGoesOver(int32_t x, int32_t y, int32_t velX, int32_t velY, int32_t lastToucher)
{
    Person_PlaceAt(MATCH_BALL, x, y);
    Ball.velX = velX * 65536;
    Ball.velY = velY * 65536;
    Ball.lastToucher = static_cast<int16_t>(lastToucher);
    RunTicks(1);
}

void FoulBySide1At(int32_t x, int32_t y)
{
    MatchPhase = PHASE_FOUL;
    PhaseTimer = 0;
    FoulingSide = 1;
    FouledPlayer = 9;
    Offender = 20;
    RestartSpot[0] = static_cast<int16_t>(x);
    RestartSpot[1] = static_cast<int16_t>(y);
    RefereeDecision = 0;
}

// Whatever the ball did between the award and the set-up, the restart is taken by its side from
// its own spot. Here it is carried off among the players of the side that takes the restart, who
// lead by one, while the other side had it: a side without the ball sends a second man to chase
// it, and at a corner the set-up's shape once sent the taker, who never reached the spot.
TEST(RestartSetUp, EveryRestartIsTakenFromItsSpotWhereverTheBallWentAfterTheAward)
{
    struct Row {
        const char* kind;
        void (*award)();
        int32_t side;       // takes the restart
        int16_t spot[2];    // where it is taken
        int16_t ballTo[2];  // where the ball went after the award
    };
    const Row rows[] = {
        {"corner", [] { BallGoesOver(500, 130, 0, -20, 5); }, 1, {160, 126}, {670, 1330}},
        {"goal kick", [] { BallGoesOver(500, 130, 0, -20, 20); }, 0, {636, 218}, {670, 800}},
        {"throw-in", [] { BallGoesOver(170, 700, -20, 0, 3); }, 1, {156, 700}, {670, 1330}},
        {"free kick", [] { FoulBySide1At(796, 1000); }, 0, {796, 1000}, {670, 800}},
        {"penalty", [] { FoulBySide1At(796, 1900); }, 0, {796, 1850}, {670, 800}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        ScopedMatch match;
        SetOpenPlayScene();
        Match.takers[1][TAKER_CORNER] = 22;
        Match.score[row.side] = 1;
        row.award();
        Ball.possession = static_cast<uint8_t>(row.side ^ 1);
        Person_PlaceAt(MATCH_BALL, row.ballTo[0], row.ballTo[1]);
        if (!RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000)) {
            ADD_FAILURE() << "not taken in 3,000 ticks";
            continue;
        }
        const MatchPerson& ball = MatchPersons[MATCH_BALL];
        EXPECT_LE(std::abs(ball.x - row.spot[0]) + std::abs(ball.y - row.spot[1]), 2);
        ASSERT_GE(Ball.lastToucher, 0);
        EXPECT_EQ(Person_Side(Ball.lastToucher), row.side);
    }
}

}  // namespace
