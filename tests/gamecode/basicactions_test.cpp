// tests/gamecode/basicactions_test.cpp: running and turning with the ball and the receiver going
// to his meeting spot.
#include "gamecode/basicactions.h"

#include <cstdlib>
#include <string>

#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/phases.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

// Side 0 attacks toward y 2042 and has the ball, which lies still at (700, 700).
class BasicActions : public testing::Test {
protected:
    void SetUp() override
    {
        MatchEngine_Init();
        PlaceBallAlone(700, 700);
        Match.secondOfPair = 0;
        Ball.possession = 0;
    }
    // One tick of the person's action, as the dispatcher runs it.
    static void Run(int32_t person)
    {
        MatchPerson& p = MatchPersons[person];
        CurrentPersonPos = {p.x, p.y, p.x16, p.y16};
        ActionTable[p.action].run(person);
    }
    // Person 3 at (700, 704) facing the far goal, the ball at his feet, in `action`.
    static MatchPerson& Carrier(int16_t action)
    {
        MatchPerson& p = MatchPersons[3];
        Person_PlaceAt(3, 700, 704);
        p.facing = 128;
        p.action = action;
        p.hasBall = 1;
        return p;
    }
    ScopedMatch match;
};

TEST_F(BasicActions, CarrierWhoLostTheBallWalksBackAtOnce)
{
    for (const int16_t action : {int16_t{5}, int16_t{6}}) {
        MatchPerson& p = Carrier(action);
        p.hasBall = 0;
        Run(3);
        EXPECT_EQ(p.action, 3) << action;
    }
}

TEST_F(BasicActions, RunningWithTheBallHeLooksForAPassOnlyWhenPressedOrAfterTwoHundredTicks)
{
    for (const int16_t ticks : {int16_t{10}, int16_t{201}}) {
        SetUp();
        MatchPerson& p = Carrier(5);
        p.frame = 60;  // striding, past the frame where he decides
        p.actionWord = ticks;
        p.actionFlag = 1;
        Person_PlaceAt(5, 700, 900);  // a free team-mate ahead
        Run(3);
        // After 200 ticks he plays the ball on (the choosers decide how), never before.
        if (ticks > 200) {
            EXPECT_GE(p.action, ACT_GO_TO_MEETING_SPOT) << ticks;
        } else {
            EXPECT_EQ(p.action, ACT_RUN_WITH_BALL) << ticks;
        }
    }
}

TEST_F(BasicActions, ReceiverGoesForASlowBallOrOneRunningAwayAndWaitsForOneComingAtHim)
{
    struct Case {
        int32_t velY;  // the ball lies straight ahead of him, toward smaller y
        int32_t action;
    };
    for (const Case c :
         {Case{0, 17}, Case{3 * 65536, 4}, Case{8 * 65536, 17}, Case{-8 * 65536, 4}}) {
        SetUp();
        MatchPerson& p = MatchPersons[5];
        Person_PlaceAt(5, 700, 800);
        p.action = 17;
        p.dirToBall = 0;
        p.receivePoint[0] = 700;
        p.receivePoint[1] = 800;
        Ball.velY = c.velY;
        Ball_UpdateSpeedDir();
        Run(5);
        EXPECT_EQ(p.action, c.action) << c.velY;
        EXPECT_EQ(ActivePlayer[0], c.action == 4 ? 5 : MATCH_NONE);
    }
}

// A dribbler whose way to goal runs off the pitch, turned to the first way that stays on it,
// shields the ball and turns at either end: his aim and his facing lie a quarter turn apart
// whether or not they lie either side of direction 0.
TEST_F(BasicActions, ADribblerShieldsTheBallAlikeAtEitherEnd)
{
    struct Case {
        uint8_t secondOfPair;
        int32_t y;        // 40 short of the goal line he attacks, on the centre line
        uint16_t facing;  // the first way open, a quarter turn from his aim
    };
    for (const Case c : {Case{0, 2002, 64}, Case{1, 162, 192}}) {
        SetUp();
        Match.secondOfPair = c.secondOfPair;
        for (int32_t p = 16; p < 32; ++p) {
            Person_PlaceAt(p, 200 + 40 * (p - 16), 1082);
        }
        MatchPerson& p = Carrier(5);
        Person_PlaceAt(3, 796, c.y);
        Person_PlaceAt(MATCH_BALL, 796, c.y);
        p.facing = c.facing;
        p.frame = 60;
        p.actionWord = 10;
        p.actionFlag = 1;
        Run(3);
        EXPECT_EQ(p.action, ACT_SHIELD_AND_TURN) << c.y;
    }
}

TEST_F(BasicActions, TurningWithTheBallMovesTheFacingOneStepTowardTheAim)
{
    struct Case {
        int16_t action;
        int16_t aim;
        uint16_t facing;
    };
    for (const Case c : {Case{113, 20, 11}, Case{112, 0, 9}, Case{112, 10, 10}}) {
        MatchPerson& p = Carrier(c.action);
        p.facing = 10;
        p.aimDirection = c.aim;
        Run(3);
        EXPECT_EQ(p.facing, c.facing) << c.action;
    }
}

// While play is stopped, or a keeper holds the ball, his side's man for the ball walks to his
// place like any other player and stands there; a keeper caught in that action goes back to idle,
// so no stoppage waits for him.
TEST_F(BasicActions, ActivePlayerAtAStoppageStandsOnHisPlaceAndAKeeperGoesIdle)
{
    struct Case {
        const char* what;
        int32_t phase;
        int16_t holder;
        int32_t person;
        int16_t x, y;  // where he stands; his place is 60 units further up
        int16_t settled;
    };
    const Case cases[] = {
        {"foul", PHASE_FOUL, 0, 3, 700, 704, ACT_STAND},
        {"throw-in", PHASE_THROW_IN_AWARDED, 0, 3, 700, 704, ACT_STAND},
        {"keeper's ball", PHASE_OPEN_PLAY, 17, 3, 700, 704, ACT_STAND},
        {"kick-off", PHASE_KICKOFF_AFTER_GOAL, 0, 0, 796, 400, ACT_KEEPER_IDLE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        MatchPhase = static_cast<int16_t>(c.phase);
        Ball.holder = c.holder;
        MatchPerson& p = MatchPersons[c.person];
        Person_PlaceAt(c.person, c.x, c.y);
        p.targetX = c.x;
        p.targetY = static_cast<int16_t>(c.y - 60);
        Person_SetAction(c.person, ACT_ACTIVE);
        for (int32_t tick = 0; tick < 300 && p.action != c.settled; ++tick) {
            RunPersonAction(c.person);
        }
        EXPECT_EQ(p.action, c.settled);
        EXPECT_LE(std::abs(p.x - p.targetX) + std::abs(p.y - p.targetY), 5);
    }
}

// Walking to his place: a place close behind him he backs into, facing on the way he faced and
// never turning; one further off, or not quite behind him, he turns and walks to. Either way he
// comes to stand on it.
TEST_F(BasicActions, APlaceCloseBehindHimHeBacksIntoAndOneFurtherOffHeTurnsAndWalksTo)
{
    struct Case {
        int16_t behind;  // how far his place lies behind him, along y
        uint16_t facing;
        bool backwards;
    } const cases[] = {
        {100, 128, true},  {123, 128, true},  {100, 120, true},  {100, 136, true},
        {124, 128, false}, {100, 137, false}, {100, 119, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.behind) + " facing " + std::to_string(c.facing));
        SetUp();
        MatchPerson& p = MatchPersons[3];
        Person_PlaceAt(3, 700, 900);
        p.facing = c.facing;
        p.targetX = 700;
        p.targetY = static_cast<int16_t>(900 - c.behind);
        Person_SetAction(3, ACT_WALK_TO_TARGET);
        PlayersNotInPlace = 0;
        RunPersonAction(3);
        EXPECT_EQ(PlayersNotInPlace, 1);
        EXPECT_EQ(p.animation == 14, c.backwards);
        if (c.backwards) {
            EXPECT_EQ(p.facing, 128);
            EXPECT_LT(p.y, 900);  // already on his way
        } else {
            // Turning first: his facing comes round toward the place, direction 0.
            EXPECT_LT(Person_FoldedDifference(p.facing, 0), Person_FoldedDifference(c.facing, 0));
        }
        for (int32_t tick = 0; tick < 300 && p.action == ACT_WALK_TO_TARGET; ++tick) {
            RunPersonAction(3);
            if (c.backwards) {
                ASSERT_EQ(p.facing, 128) << "tick " << tick;
            }
        }
        EXPECT_EQ(p.action, ACT_STAND);
        EXPECT_LE(std::abs(p.x - 700) + std::abs(p.y - p.targetY), 5);
    }
}

// A player leaving the pitch walks to the tunnel's mouth at (-4, 1082), counted among those not
// yet in place on the way, and there goes down the tunnel.
TEST_F(BasicActions, APlayerWalkingOffGoesToTheTunnelAndDownIt)
{
    for (const int16_t y : {int16_t{300}, int16_t{1082}, int16_t{1900}}) {
        SCOPED_TRACE(y);
        SetUp();
        MatchPerson& p = MatchPersons[3];
        Person_PlaceAt(3, 1200, y);
        Person_SetAction(3, ACT_WALK_OFF);
        int32_t counted = 0;
        int32_t ticks = 0;
        for (; ticks < 3000 && p.action == ACT_WALK_OFF; ++ticks) {
            PlayersNotInPlace = 0;
            RunPersonAction(3);
            counted += PlayersNotInPlace;
        }
        EXPECT_EQ(p.action, ACT_WALK_OFF_TUNNEL);
        EXPECT_LE(std::abs(p.x + 4) + std::abs(p.y - 1082), 10);
        EXPECT_EQ(counted, ticks - 1);  // every tick but the last, spent at the mouth
    }
}

}  // namespace
