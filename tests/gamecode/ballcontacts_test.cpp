// tests/gamecode/ballcontacts_test.cpp: scripted balls against placed players: the contact
// square, the height limits, the rebound table, the hit reaction, the soft handling, who is
// ignored, possession and its side, the ball at a player's feet and the change of active player.
#include "gamecode/ballcontacts.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "gamecode/actionids.h"
#include "gamecode/ball.h"
#include "gamecode/phases.h"
#include "gamecode/restartutil.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

class Contacts : public testing::Test {
protected:
    void SetUp() override
    {
        MatchEngine_Init();
        PlaceBallAlone(700, 700);
        Ball.possession = 0;
        ReboundCooldown = 0;
        LastDeflector = -1;
        match.Record().commentaryGroups.clear();
    }
    static void Moving(int32_t velX, int32_t velY, int32_t height)
    {
        Ball.velX = velX;
        Ball.velY = velY;
        Ball.height = static_cast<uint16_t>(height);
        Ball_UpdateSpeedDir();
    }
    std::vector<int32_t>& Groups() { return match.Record().commentaryGroups; }
    ScopedMatch match;
};

TEST_F(Contacts, PlayerNineUnitsOffOnBothAxesMeetsTheBallAndTenDoesNot)
{
    struct Case {
        int32_t offset;
        bool meets;
    };
    for (const Case c : {Case{9, true}, Case{-9, true}, Case{10, false}, Case{-10, false}}) {
        SetUp();
        Person_PlaceAt(3, 700 + c.offset, 700 + c.offset);
        MatchPersons[3].action = 0;
        Ball_ResolveContacts();
        SCOPED_TRACE(c.offset);
        // Nobody near him: the ball is stopped for him to run with it.
        EXPECT_EQ(MatchPersons[3].action, c.meets ? 5 : 0);
        EXPECT_EQ(MatchPersons[3].hasBall, c.meets ? 1 : 0);
        EXPECT_EQ(Ball.lastToucher, c.meets ? 3 : -1);
        EXPECT_EQ(LastPossessor[0], c.meets ? 3 : -1);
    }
}

TEST_F(Contacts, HighBallPassesOverAndAHalfHighOneRebounds)
{
    Person_PlaceAt(19, 700, 709);
    MatchPersons[19].action = 16;  // free for a carrier decision, too busy to be knocked down
    Moving(0, 20 * 65536, 17);
    Ball_ResolveContacts();
    EXPECT_EQ(Ball.velY, 20 * 65536);
    EXPECT_EQ(Ball.lastToucher, -1);

    Moving(0, 20 * 65536, 14);
    Ball_ResolveContacts();
    EXPECT_LT(Ball.velY, 0);
    EXPECT_EQ(ReboundCooldown, 4);
    EXPECT_EQ(Ball.lastToucher, 19);
    EXPECT_EQ(Ball.possession, 1);  // possession passes in open play
    EXPECT_EQ(MatchPersons[19].action, 16);
    EXPECT_EQ(MatchPersons[19].touchedThisTick, 0);
    EXPECT_EQ(MatchPersons[19].hasBall, 0);
}

TEST_F(Contacts, ReboundTakesItsFactorsFromTheSectorTableAndSaysOneLinePerDeflector)
{
    struct Case {
        int32_t x, y;        // where the player stands
        int32_t inX, inY;    // the ball's velocity as it meets him
        int32_t velX, velY;  // after the rebound
    };
    // Sector 0, just below the ball: a ball running down comes back up. Sector 4, just above it:
    // a ball running up comes back down. Sector 3: down and right.
    for (const Case c : {Case{700, 709, 150000, 1500000, 20000, -900000},
                         Case{700, 691, 150000, -1500000, -20000, 900000},
                         Case{691, 691, 150000, 1500000, 70000, 700000}}) {
        SetUp();
        Person_PlaceAt(19, c.x, c.y);
        MatchPersons[19].action = 16;
        Moving(c.inX, c.inY, 0);
        Ball_ResolveContacts();
        EXPECT_EQ(Ball.velX, c.velX);
        EXPECT_EQ(Ball.velY, c.velY);
        EXPECT_EQ(ReboundCooldown, 4);
        EXPECT_EQ(Ball.lastToucher, 19);
        EXPECT_EQ(Groups(), (std::vector<int32_t>{204}));  // side 0 had the ball
    }
    ReboundCooldown = 0;
    Moving(150000, 1500000, 0);
    Ball_ResolveContacts();
    EXPECT_EQ(Groups(), (std::vector<int32_t>{204}));  // not again for the same man
}

// The pitch turned round, the ball running the other way onto him from the other side leaves
// him the other way at the same pace, wherever in his reach it meets him: a ball bounces off a
// man alike at either end.
TEST_F(Contacts, ABallBouncesOffAManAlikeAtEitherEnd)
{
    struct Velocity {
        int32_t x, y;
    };
    for (const Velocity v : {Velocity{150000, 1500000}, Velocity{-1200000, 300000}}) {
        for (int32_t dy = -9; dy <= 9; ++dy) {
            for (int32_t dx = -9; dx <= 9; ++dx) {
                Velocity after[2];
                for (const int32_t turned : {0, 1}) {
                    const int32_t sign = turned == 0 ? 1 : -1;
                    SetUp();
                    Person_PlaceAt(19, 700 - sign * dx, 700 - sign * dy);
                    MatchPersons[19].action = 16;
                    Moving(sign * v.x, sign * v.y, 0);
                    Ball_ResolveContacts();
                    EXPECT_EQ(ReboundCooldown, 4);
                    after[turned] = {Ball.velX, Ball.velY};
                }
                SCOPED_TRACE("ball " + std::to_string(dx) + ", " + std::to_string(dy) + " off him");
                EXPECT_EQ(after[1].x, -after[0].x);
                EXPECT_EQ(after[1].y, -after[0].y);
            }
        }
    }
    // Full on, it comes straight back.
    SetUp();
    Person_PlaceAt(19, 700, 700);
    MatchPersons[19].action = 16;
    Moving(150000, 1500000, 0);
    Ball_ResolveContacts();
    EXPECT_EQ(Ball.velX, -20000);
    EXPECT_EQ(Ball.velY, -900000);
}

// A man standing on a whole unit and a ball between units, and the same turned half a circle
// about a whole point: he meets the ball in both or in neither, along either axis, so a man
// reaches as far toward either goal.
TEST_F(Contacts, AManReachesAsFarTowardEitherEnd)
{
    constexpr int32_t kTurnAbout = 2 * 700;
    for (const int32_t fraction : {16384, 32768, 49152}) {
        for (int32_t offset = -11; offset <= 11; ++offset) {
            for (const bool alongY : {false, true}) {
                bool meets[2];
                for (const int32_t turned : {0, 1}) {
                    SetUp();
                    const int32_t ball16 = 700 * 65536 + fraction;
                    const int32_t at16 = turned == 0 ? ball16 : kTurnAbout * 65536 - ball16;
                    const int32_t man = turned == 0 ? 700 + offset : kTurnAbout - 700 - offset;
                    (alongY ? Ball.y16 : Ball.x16) = at16;
                    (alongY ? Ball.wholeY : Ball.wholeX) = static_cast<int16_t>(at16 >> 16);
                    Person_PlaceAt(3, alongY ? 700 : man, alongY ? man : 700);
                    MatchPersons[3].action = 0;
                    Ball_ResolveContacts();
                    meets[turned] = Ball.lastToucher == 3;
                }
                SCOPED_TRACE("fraction " + std::to_string(fraction) + " offset "
                             + std::to_string(offset) + (alongY ? " along y" : " along x"));
                EXPECT_EQ(meets[0], meets[1]);
                // 9.5 units either way.
                EXPECT_EQ(meets[0], std::abs(offset * 65536 - fraction) <= 9 * 65536 + 32768);
            }
        }
    }
}

// A man of each side reaches the ball on the same tick: the side drawn to go first this tick has
// it, whichever side is the home side, wherever either man stands and whether it lies still or
// rolls onto them.
TEST_F(Contacts, OfTwoMenReachingTheBallAtOnceTheSideDrawnFirstHasIt)
{
    for (const int32_t velY : {0, 3 * 65536}) {
        for (const int32_t westMan : {3, 19}) {
            for (const uint8_t first : {uint8_t{0}, uint8_t{1}}) {
                SetUp();
                const int32_t eastMan = westMan == 3 ? 19 : 3;
                Person_PlaceAt(westMan, 695, 703);
                Person_PlaceAt(eastMan, 705, 703);
                MatchPersons[westMan].action = 0;
                MatchPersons[eastMan].action = 0;
                Moving(0, velY, 0);
                Match.firstSide = first;
                Ball_ResolveContacts();
                const int32_t winner = first == 0 ? 3 : 19;
                SCOPED_TRACE(std::to_string(velY) + " west " + std::to_string(westMan) + " first "
                             + std::to_string(first));
                EXPECT_EQ(Ball.lastToucher, winner);
                EXPECT_EQ(Ball.possession, first);
                EXPECT_EQ(MatchPersons[winner].hasBall, 1);
                EXPECT_EQ(MatchPersons[winner == 3 ? 19 : 3].action, 0);  // left standing
            }
        }
    }
}

TEST_F(Contacts, FastHighBallKnocksAStandingPlayerDownByWhereItCameFrom)
{
    struct Case {
        int32_t velY;  // the player faces toward smaller y
        int32_t action;
        int32_t group;
    };
    for (const Case c : {Case{20 * 65536, 33, 201}, Case{-20 * 65536, 73, 202}}) {
        SetUp();
        Person_PlaceAt(4, 700, 700);
        MatchPersons[4].facing = 0;
        Moving(0, c.velY, 12);
        Ball_ResolveContacts();
        EXPECT_EQ(MatchPersons[4].action, c.action);
        EXPECT_EQ(Groups(), (std::vector<int32_t>{c.group}));  // no deflection line besides
    }
    EXPECT_EQ(Person_HitReaction(0, 64), 73);
    EXPECT_EQ(Person_HitReaction(0, 192), 73);
    EXPECT_EQ(Person_HitReaction(0, 63), 33);
    EXPECT_EQ(Person_HitReaction(0, 193), 33);
}

TEST_F(Contacts, SlowBallStopsDeadIsCushionedOrTrapped)
{
    Person_PlaceAt(4, 700, 706);
    MatchPersons[4].facing = 0;
    MatchPersons[4].action = 49;
    Moving(0, 5 * 65536, 10);
    Ball_ResolveContacts();
    EXPECT_EQ(Ball.velY, 0);
    EXPECT_EQ(Ball.velZ, -32768);

    SetUp();
    Person_PlaceAt(4, 700, 706);  // the point 3 in front of him lies straight below the ball
    MatchPersons[4].facing = 0;
    Moving(0, 5 * 65536, 10);
    Ball_ResolveContacts();
    EXPECT_EQ(Ball.velX, 0);
    EXPECT_EQ(Ball.velY, 196608);
    EXPECT_EQ(Ball.lastToucher, 4);

    SetUp();
    Person_PlaceAt(4, 700, 706);
    MatchPersons[4].facing = 0;
    Ball.afterKick = 5;
    Moving(0, 8 * 65536, 5);
    Ball_ResolveContacts();
    EXPECT_EQ(Ball.velY, 0);
    EXPECT_EQ(MatchPersons[MATCH_BALL].y, 702);  // at his feet, in front of him
    EXPECT_EQ(Ball.afterKick, 0);
    EXPECT_EQ(MatchPersons[4].hasBall, 1);
}

// A chest-high ball between units drops off a man toward the point in front of him, and the same
// turned half a circle about a whole point drops the turned way, however he faces and wherever
// it meets him; a ball already on that point drops the way he faces.
TEST_F(Contacts, ACushionedBallDropsAlikeAtEitherEnd)
{
    constexpr int32_t kTurnAbout = 2 * 700;
    struct Case {
        int32_t ballX16, ballY16;  // off the man
        int32_t facing;
    };
    for (const Case c :
         {Case{16384, -5 * 65536 - 16384, 0}, Case{-3 * 65536 + 49152, 32768, 64},
          Case{7 * 65536 + 16384, 2 * 65536 + 49152, 160},
          Case{-2 * 65536 - 32768, -6 * 65536 + 16384, 224}, Case{0, -3 * 65536, 0}}) {
        int32_t vel[2][2];
        for (const int32_t turned : {0, 1}) {
            SetUp();
            const int32_t sign = turned == 0 ? 1 : -1;
            const int32_t man = turned == 0 ? 700 : kTurnAbout - 700;
            Person_PlaceAt(4, man, man);
            MatchPersons[4].facing = static_cast<uint16_t>((c.facing + 128 * turned) & 255);
            Ball.x16 = man * 65536 + sign * c.ballX16;
            Ball.y16 = man * 65536 + sign * c.ballY16;
            Ball.wholeX = static_cast<int16_t>(Ball.x16 >> 16);
            Ball.wholeY = static_cast<int16_t>(Ball.y16 >> 16);
            Moving(sign * 3 * 65536, sign * 2 * 65536, 10);
            Ball_ResolveContacts();
            ASSERT_EQ(Ball.lastToucher, 4);
            vel[turned][0] = Ball.velX;
            vel[turned][1] = Ball.velY;
        }
        SCOPED_TRACE("facing " + std::to_string(c.facing));
        EXPECT_NE(vel[0][0] | vel[0][1], 0);
        EXPECT_EQ(vel[1][0], -vel[0][0]);
        EXPECT_EQ(vel[1][1], -vel[0][1]);
    }
}

TEST_F(Contacts, OnlyThePassReceiverTrapsAFastLowBall)
{
    for (const int8_t receiver : {int8_t{4}, int8_t{-1}}) {
        SetUp();
        PassReceiver = receiver;
        Person_PlaceAt(4, 700, 706);
        MatchPersons[4].action = 16;
        Moving(0, 20 * 65536, 5);
        Ball_ResolveContacts();
        EXPECT_EQ(Ball.velY, receiver == 4 ? 0 : -12 * 65536) << +receiver;
    }
}

TEST_F(Contacts, PlayersCoolingDownKeepingGoalOrInTheAirAreIgnored)
{
    struct Case {
        int16_t action;
        int16_t cooldown;
    };
    for (const Case c : {Case{0, 3}, Case{122, 0}, Case{46, 0}, Case{88, 0}}) {
        SetUp();
        Person_PlaceAt(4, 700, 700);
        MatchPersons[4].action = c.action;
        MatchPersons[4].touchCooldown1 = c.cooldown;
        Ball_ResolveContacts();
        EXPECT_EQ(MatchPersons[4].action, c.action);
        EXPECT_EQ(MatchPersons[4].touchCooldown1, std::max(c.cooldown - 1, 0));
        EXPECT_EQ(Ball.lastToucher, -1) << c.action;
    }
}

TEST_F(Contacts, FirstInIndexOrderTakesTheBallAndAHolderKeepsItFromEverybody)
{
    Person_PlaceAt(3, 702, 700);
    Person_PlaceAt(20, 698, 700);
    MatchPersons[20].ballDistance = 2;
    Ball_ResolveContacts();
    EXPECT_EQ(MatchPersons[3].action, 4);  // an opponent at the ball: no time to stop it
    EXPECT_EQ(MatchPersons[20].action, 0);
    EXPECT_EQ(Ball.possession, 0);
    EXPECT_EQ(Ball.lastToucher, 3);

    SetUp();
    Person_PlaceAt(3, 702, 700);
    Ball.holder = 8;
    Ball_ResolveContacts();
    EXPECT_EQ(MatchPersons[3].action, 0);
    EXPECT_EQ(Ball.lastToucher, -1);
}

TEST_F(Contacts, ChallengedInHisOwnBoxHeClearsTheLowBall)
{
    Match.secondOfPair = 0;  // side 0 defends the goal line y 122
    PlaceBallAlone(700, 300);
    Person_PlaceAt(3, 700, 303);
    ActivePlayer[1] = 20;
    MatchPersons[20].ballDistance = 40;
    Ball_ResolveContacts();
    // A standing man's clearance is the long kick, struck by the kick action that follows.
    EXPECT_EQ(MatchPersons[3].action, ACT_SHOT);
    EXPECT_EQ(MatchPersons[3].stats.longKicks, 1);
    EXPECT_EQ(MatchPersons[3].stats.ownBoxChallenges, 1);
    EXPECT_EQ(Groups(), (std::vector<int32_t>{0}));
}

TEST_F(Contacts, RunningCarrierKeepsTheBallFourUnitsInFront)
{
    Person_PlaceAt(4, 700, 706);
    MatchPersons[4].facing = 64;
    MatchPersons[4].action = 15;
    Ball.lastToucher = 4;
    Ball_ResolveContacts();
    EXPECT_EQ(MatchPersons[MATCH_BALL].x, 704);
    EXPECT_EQ(MatchPersons[MATCH_BALL].y, 706);
}

TEST_F(Contacts, AssistCandidateLapsesWhenItsTimerRunsOut)
{
    AssistCandidate = 5;
    AssistTimer = 2;
    Ball_ResolveContacts();
    EXPECT_EQ(AssistCandidate, 5);
    Ball_ResolveContacts();
    EXPECT_EQ(AssistCandidate, -1);
}

TEST_F(Contacts, BallAtTheFeetLiesInFrontOrIsDrawnRoundOneUnitATick)
{
    Person_PlaceAt(4, 500, 500);
    MatchPersons[4].facing = 64;
    Ball_PlaceAtFeet(4);
    EXPECT_EQ(MatchPersons[MATCH_BALL].x, 504);
    EXPECT_EQ(MatchPersons[MATCH_BALL].y, 500);

    PlaceBallAlone(500, 500);
    Person_PlaceAt(4, 500, 500);
    MatchPersons[4].facing = 0;
    MatchPersons[4].action = 5;
    Ball_PlaceAtFeet(4);  // toward (508, 495), ten units away at facing + 40
    EXPECT_EQ(MatchPersons[MATCH_BALL].x, 501);
    EXPECT_EQ(MatchPersons[MATCH_BALL].y, 499);
    EXPECT_EQ(Ball.wholeX, 501);
}

// A man between units has the ball put in front of where he really stands: the same man turned
// half a circle about a whole point has it on the turned point, however he faces, and the ball's
// object and its flight agree on where it lies.
TEST_F(Contacts, BallAtTheFeetLiesAlikeAtEitherEnd)
{
    constexpr int32_t kTurnAbout = 2 * 700;
    struct Case {
        int32_t fromX16, fromY16;  // his fractions off (700, 700)
        int32_t facing;
    };
    for (const Case c : {Case{16384, 49152, 0}, Case{32769, 3, 64}, Case{49152, 16384, 100},
                         Case{65535, 1, 200}}) {
        int32_t offset[2][2];
        for (const int32_t turned : {0, 1}) {
            SetUp();
            const int32_t sign = turned == 0 ? 1 : -1;
            MatchPerson& man = MatchPersons[4];
            man.x16 = (turned == 0 ? 700 : kTurnAbout - 700) * 65536 + sign * c.fromX16;
            man.y16 = (turned == 0 ? 700 : kTurnAbout - 700) * 65536 + sign * c.fromY16;
            man.x = static_cast<int16_t>(man.x16 / 65536);
            man.y = static_cast<int16_t>(man.y16 / 65536);
            man.facing = static_cast<uint16_t>((c.facing + 128 * turned) & 255);
            man.action = ACT_ACTIVE;
            Ball_PlaceAtFeet(4);
            const MatchPerson& ball = MatchPersons[MATCH_BALL];
            EXPECT_EQ(ball.x16, Ball.x16);
            EXPECT_EQ(ball.y16, Ball.y16);
            EXPECT_EQ(Ball.wholeX, Ball.x16 / 65536);
            EXPECT_EQ(ball.y, Ball.y16 / 65536);
            // Three to four units from him along his facing, in whole units on each axis.
            const int32_t stepX = Ball.x16 - man.x16, stepY = Ball.y16 - man.y16;
            EXPECT_EQ(stepX % 65536, 0);
            EXPECT_EQ(stepY % 65536, 0);
            const int32_t squared =
                stepX / 65536 * (stepX / 65536) + stepY / 65536 * (stepY / 65536);
            EXPECT_GE(squared, 9);
            EXPECT_LE(squared, 16);
            offset[turned][0] = Ball.x16 - 700 * 65536;
            offset[turned][1] = Ball.y16 - 700 * 65536;
        }
        SCOPED_TRACE("facing " + std::to_string(c.facing));
        EXPECT_EQ(offset[1][0], -offset[0][0]);
        EXPECT_EQ(offset[1][1], -offset[0][1]);
    }
}

// A player may stand beyond the stadium wall; the ball at his feet lies against its inside, or it
// would rest out of everyone's play.
TEST_F(Contacts, BallAtTheFeetOfAPlayerBeyondTheWallLiesAgainstItsInside)
{
    struct Case {
        int32_t x, y, facing, action;
        int32_t ballX, ballY;
    } const cases[] = {
        {1507, 1973, 64, ACT_ACTIVE, 1500, 1973},         // 4 to his right would be 1511
        {88, 60, 0, ACT_ACTIVE, 92, 58},                  // up and left of the near corner
        {700, 2108, 128, ACT_ACTIVE, 700, 2106},          // 4 below him would be 2112
        {1503, 1000, 64, ACT_RUN_WITH_BALL, 1500, 1001},  // one unit a tick, out to 1504
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
        PlaceBallAlone(c.x - 4, c.y);
        Person_PlaceAt(4, c.x, c.y);
        MatchPersons[4].facing = static_cast<uint16_t>(c.facing);
        MatchPersons[4].action = static_cast<int16_t>(c.action);
        Ball_PlaceAtFeet(4);
        EXPECT_EQ(MatchPersons[MATCH_BALL].x, c.ballX);
        EXPECT_EQ(MatchPersons[MATCH_BALL].y, c.ballY);
        EXPECT_EQ(Ball.wholeX, c.ballX);
        EXPECT_EQ(Ball.x16, c.ballX * 65536);
    }
}

// A ball gone out or into the net is stopped by a player who reaches it but is not his: he would
// walk back to his place and leave it where it lies.
TEST_F(Contacts, AStillBallOutOfPlayIsTrappedButGivenToNobody)
{
    for (const uint8_t dead : {0, 1, 2}) {
        SCOPED_TRACE(+dead);
        SetUp();
        Person_PlaceAt(4, 700, 706);
        MatchPersons[4].facing = 0;
        MatchPhase = dead == 0 ? PHASE_OPEN_PLAY : PHASE_THROW_IN_AWARDED;
        DeadBallFlag = dead;
        Moving(0, 8 * 65536, 5);
        Ball_ResolveContacts();
        EXPECT_EQ(Ball.velY, 0);
        EXPECT_EQ(MatchPersons[4].hasBall, dead == 0 ? 1 : 0);
    }
}

TEST_F(Contacts, NewActivePlayerSendsTheOthersBackUnlessTheOldOnePlaysTheBall)
{
    ActivePlayer[0] = 2;
    MatchPersons[2].action = 4;
    MatchPersons[5].action = 4;
    Team_OnActiveChanged(0, 3);
    EXPECT_EQ(MatchPersons[2].action, 3);
    EXPECT_EQ(MatchPersons[5].action, 3);
    EXPECT_EQ(MatchPersons[3].action, 4);
    EXPECT_EQ(ActivePlayer[0], 3);

    MatchPersons[6].action = 15;
    ActivePlayer[0] = 6;
    MatchPersons[7].action = 2;
    Team_OnActiveChanged(0, 7);
    EXPECT_EQ(MatchPersons[6].action, 15);
    EXPECT_EQ(MatchPersons[7].action, 4);
    EXPECT_EQ(ActivePlayer[0], 6);
}

// Player 7 touched the still ball last and keeps it at his feet, standing; team-mate 9 stands by
// it too. Lower in the order, 7 would touch it first every tick and hold it for good unless the
// active role is his.
TEST_F(Contacts, APlayerLeftStandingOnTheBallGivesItUpToTheActivePlayer)
{
    struct Case {
        int32_t active;
        int16_t action7;
        int32_t holder;
    };
    for (const Case c :
         {Case{9, ACT_STAND, 9}, Case{9, ACT_WALK_TO_TARGET, 9}, Case{7, ACT_STAND, 7},
          Case{MATCH_NONE, ACT_STAND, 7}, Case{9, ACT_RUN_WITH_BALL, 7}}) {
        SetUp();
        SCOPED_TRACE("active " + std::to_string(c.active) + ", action "
                     + std::to_string(c.action7));
        Person_PlaceAt(7, 702, 701);
        Person_PlaceAt(9, 698, 702);
        MatchPersons[7].action = c.action7;
        MatchPersons[9].action = ACT_ACTIVE;
        ActivePlayer[0] = static_cast<uint8_t>(c.active);
        Ball.lastToucher = 7;
        Ball_GiveToPerson(7);
        for (int32_t tick = 0; tick < 3; ++tick) {
            Ball_ResolveContacts();
        }
        EXPECT_EQ(MatchPersons[c.holder].hasBall, 1);
        EXPECT_EQ(MatchPersons[16 - c.holder].hasBall, 0);  // 7 and 9: the other one
        EXPECT_EQ(Ball.lastToucher, c.holder);
    }
}

}  // namespace
