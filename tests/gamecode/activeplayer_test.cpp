// tests/gamecode/activeplayer_test.cpp: the proximity list and its keys, the choice of the active
// player and his support, and the geometry the carrier and the actions share.
#include "gamecode/activeplayer.h"

#include <cstdlib>

#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/motion.h"
#include "gamecode/pitch.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

// Side 0 sorts this tick; the ball lies still at (700, 700) and side 1 has it.
class Proximity : public testing::Test {
protected:
    void SetUp() override
    {
        PlaceBallAlone(700, 700);
        Match.tickSide = 0;
        Match.secondOfPair = 0;
        Ball.possession = 1;
        for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
            MatchPersons[person].offPitch = 1;
        }
    }
    static void At(int32_t person, int32_t x, int32_t y, int16_t action = 0)
    {
        MatchPerson& p = MatchPersons[person];
        Person_PlaceAt(person, x, y);
        p.offPitch = 0;
        p.action = action;
        p.dirToBall = static_cast<uint16_t>(Person_DirectionTo(x, y, 700, 700));
    }
    ScopedMatch match;
};

TEST_F(Proximity, BadEntriesAreRepairedWithTheHighestMissingPersons)
{
    ProximityList[0][3] = 40;
    ProximityList[0][5] = 33;  // persons 3 and 5 are missing
    Team_SortAndPickActive();
    EXPECT_EQ(ProximityList[0][3], 5);
    EXPECT_EQ(ProximityList[0][5], 3);
    EXPECT_EQ(MatchPersons[7].sortKey, 30000);
}

TEST_F(Proximity, KeyWeighsBusyPlayersAndDefendersOnTheFarSideOfAMovingBall)
{
    At(1, 700, 600);      // between the ball and the goal side 0 defends (y 122)
    At(2, 700, 800);      // on the far side of the ball
    At(3, 700, 800, 20);  // busy
    At(4, 700, 800, 37);  // action 37 counts as free
    Team_SortAndPickActive();
    EXPECT_EQ(MatchPersons[1].sortKey, 100);  // a still ball leaves the distance
    EXPECT_EQ(MatchPersons[2].sortKey, 100);
    EXPECT_EQ(MatchPersons[3].sortKey, 1100);
    EXPECT_EQ(MatchPersons[4].sortKey, 100);
    EXPECT_EQ(MatchPersons[2].ballDistance, 100);

    Ball.velY = 10 * 65536;
    Ball_UpdateSpeedDir();
    Team_SortAndPickActive();
    EXPECT_LT(MatchPersons[1].sortKey, 200);
    EXPECT_GT(MatchPersons[2].sortKey, 800);
    Ball.possession = 0;  // his own side's ball: no weighting
    Team_SortAndPickActive();
    EXPECT_EQ(MatchPersons[2].sortKey, 100);
}

TEST_F(Proximity, SidesFirstPersonSinksButNeverRises)
{
    At(0, 700, 710);
    At(1, 700, 900);
    for (int16_t k = 0; k < MATCH_PERSONS_PER_SIDE; ++k) {
        ProximityList[0][k] = static_cast<int16_t>((k + 1) % MATCH_PERSONS_PER_SIDE);
    }
    // Persons 1, 2, ... 15, 0: person 0 is nearest but stays last.
    Team_SortAndPickActive();
    EXPECT_EQ(ProximityList[0][15], 0);
    for (int16_t k = 0; k < MATCH_PERSONS_PER_SIDE; ++k) {
        ProximityList[0][k] = k;
    }
    At(0, 700, 1500);  // now farther than person 1: he sinks one place
    Team_SortAndPickActive();
    EXPECT_EQ(ProximityList[0][0], 1);
    EXPECT_EQ(ProximityList[0][1], 0);
}

TEST_F(Proximity, FirstFreeOfTheFirstThreeBecomesActiveAndACounterPartSupports)
{
    At(1, 700, 690, 20);  // busy
    At(2, 690, 700);      // comes from the left
    At(3, 712, 700);      // and from the right
    ProximityList[0][0] = 1;
    ProximityList[0][1] = 2;
    ProximityList[0][2] = 3;
    ActivePlayer[0] = 1;
    Match.score[0] = 1;  // one up, the head of the list gets support too
    Team_SortAndPickActive();
    EXPECT_EQ(ActivePlayer[0], 2);
    EXPECT_EQ(MatchPersons[2].action, 4);
    EXPECT_EQ(MatchPersons[3].action, 4);  // side 1 has the ball: he closes in too
    EXPECT_EQ(MatchPersons[2].stats.involvement, 1);
}

TEST_F(Proximity, AllThreeBusyKeepsTheActivePlayerAndCountsHisInvolvement)
{
    At(1, 700, 690, 20);
    At(2, 690, 700, 30);
    At(3, 712, 700, 40);
    ProximityList[0][0] = 1;
    ProximityList[0][1] = 2;
    ProximityList[0][2] = 3;
    ActivePlayer[0] = 9;
    Team_SortAndPickActive();
    EXPECT_EQ(ActivePlayer[0], 9);
    EXPECT_EQ(MatchPersons[9].stats.involvement, 1);
}

TEST_F(Proximity, OpponentIsNearWithinThreeHundredLessHisSkill)
{
    At(3, 700, 710);
    At(20, 700, 960);
    MatchPersons[20].ballDistance = 250;
    MatchPersons[20].positionExtra[1] = 1;  // his own flank: his skill counts in full
    MatchPersons[20].skills[21] = 40;       // near below 260
    EXPECT_EQ(Team_NoOpponentNear(3), 0);
    MatchPersons[20].skills[21] = 60;  // near below 240
    EXPECT_EQ(Team_NoOpponentNear(3), 1);
    MatchPersons[20].skills[21] = 40;
    MatchPersons[20].offPitch = 1;
    EXPECT_EQ(Team_NoOpponentNear(3), 1);
}

TEST_F(Proximity, CarrierTakesTheWingRunsOnOrAimsAtTheGoalCentre)
{
    LastDefenderLine[1] = 2000;  // nobody has passed side 1's last man
    struct Case {
        int32_t x;
        uint8_t third;
        int32_t mode;
        int32_t targetX;
    };
    for (const Case c : {Case{200, 0, 0, 200}, Case{400, 0, 0, 400}, Case{400, 1, 0, 206},
                         Case{700, 1, 0, 700}, Case{1100, 1, 0, 1386}, Case{400, 0, 1, 796}}) {
        At(5, c.x, 1000);
        MatchPersons[5].thirdInstruction = c.third;
        DistanceResult = -1;
        EXPECT_EQ(Person_DirectionToTarget(5, c.mode, 0),
                  Person_DirectionToN(c.x, 1000, c.targetX, 2042, 256))
            << c.x << " " << +c.third;
        EXPECT_GT(DistanceResult, 1000);
    }
    DistanceResult = -1;
    Person_DirectionToTarget(5, 2, 0);
    EXPECT_EQ(DistanceResult, -1);
    At(5, 796, 1000);
    Person_DistanceToGoal(5, 0);
    EXPECT_EQ(DistanceResult, 1042);
}

// A carrier by either touchline runs on down his wing alike at either end: side 0's carrier
// attacking y 2042 and side 1's on the spot turned round the centre, attacking y 122, run in
// turned directions. With pace 40 and crossing 60 the wing is 200 units wide by either line.
TEST_F(Proximity, TheWingRunIsAsWideByEitherTouchlineAtEitherEnd)
{
    LastDefenderLine[1] = 2000;  // nobody has passed either side's last man
    LastDefenderLine[0] = 150;
    for (const int32_t x : {200, 340, 355, 357, 1080, 1237, 1240, 1300}) {
        SCOPED_TRACE(x);
        const int32_t turnedX = 2 * PITCH_CENTRE_X - x;
        At(5, x, 1740);
        At(21, turnedX, 2 * PITCH_CENTRE_Y - 1740);
        for (const int32_t person : {5, 21}) {
            MatchPerson& p = MatchPersons[person];
            p.skills[1] = 0;
            p.skills[5] = 40;
            p.skills[11] = 60;
            p.skills[12] = 0;
            p.thirdInstruction = 0;
        }
        const int32_t up = Person_DirectionToTarget(5, 0, 0);
        EXPECT_EQ(Person_DirectionToTarget(21, 0, 1), (up + 128) & 255);
        const bool wing = x < 356 || x > 1236;
        EXPECT_EQ(up, Person_DirectionToN(x, 1740, wing ? x : PITCH_CENTRE_X, 2042, 256));
    }
}

TEST_F(Proximity, OpenDirectionGoesRoundAnOpponentAheadAndFailsOffThePitch)
{
    At(5, 700, 1000);
    MatchPersons[5].facing = 0;
    MatchPersons[5].skills[5] = 80;
    EXPECT_EQ(Person_FindOpenDirection(5, 0, 260), 0);
    At(20, 700, 960);  // right in his way, not running his way
    MatchPersons[20].dirToBall = 128;
    const int32_t around = Person_FindOpenDirection(5, 0, 260);
    ASSERT_GE(around, 0);
    EXPECT_GE(std::abs(((around + 128) & 255) - 128), 32);
    MatchPersons[5].runSpeed = 140;  // a sprinter needs less room
    const int32_t sprinting = Person_FindOpenDirection(5, 0, 260);
    EXPECT_LE(std::abs(((sprinting + 128) & 255) - 128), std::abs(((around + 128) & 255) - 128));
    At(5, -600, 1000);
    EXPECT_EQ(Person_FindOpenDirection(5, 0, 260), -1);
}

// The search is the same at either end: each scene turned through half a turn about the centre
// spot (the carrier and the opponent ahead of him with their facings) finds the way turned with
// it, whichever side of direction 0 the carrier faces.
TEST_F(Proximity, OpenDirectionIsTheSameSearchAtEitherEnd)
{
    struct Scene {
        int32_t facing, wanted, opponentX, opponentY;
    };
    const Scene scenes[] = {
        {250, 0, 700, 960}, {6, 0, 700, 960},   {240, 252, 690, 965},  {14, 4, 712, 962},
        {248, 8, 716, 968}, {2, 244, 684, 966}, {128, 128, 700, 1040},
    };
    const auto search = [](const Scene& s, bool turned) {
        const auto x = [turned](int32_t v) { return turned ? 2 * PITCH_CENTRE_X - v : v; };
        const auto y = [turned](int32_t v) { return turned ? 2 * PITCH_CENTRE_Y - v : v; };
        const auto d = [turned](int32_t v) { return turned ? (v + 128) & 255 : v; };
        At(5, x(700), y(1000));
        MatchPersons[5].facing = static_cast<uint16_t>(d(s.facing));
        MatchPersons[5].skills[5] = 40;
        At(20, x(s.opponentX), y(s.opponentY));
        MatchPersons[20].dirToBall = static_cast<uint16_t>(d(64));
        MatchPersons[20].facing = static_cast<uint16_t>(d(64));
        const int32_t open = Person_FindOpenDirection(5, d(s.wanted), 260);
        return open < 0 || !turned ? open : (open + 128) & 255;
    };
    for (const Scene& s : scenes) {
        SCOPED_TRACE(testing::Message() << "facing " << s.facing << ", wanted " << s.wanted);
        const int32_t open = search(s, false);
        EXPECT_NE(open, s.wanted);  // the opponent stands in the wanted way
        EXPECT_EQ(search(s, true), open);
    }
}

TEST_F(Proximity, StepAndKicksMoveOneUnitAndSetTheBallGoing)
{
    At(5, 700, 1000);
    MatchPersons[5].x16 += 100;
    Person_StepToward(5, 800, 900);
    EXPECT_EQ(MatchPersons[5].x16, 701 * 65536 + 100);
    EXPECT_EQ(MatchPersons[5].y, 999);

    Ball_PushAlongAngle(64, 5);
    EXPECT_EQ(Ball.velX, 30 * 4096);
    EXPECT_EQ(Ball.velY, 0);
    EXPECT_EQ(Ball.velZ, 20480);
    EXPECT_EQ(MatchPersons[5].runSpeed, 64);
    EXPECT_EQ(MatchPersons[5].touchCooldown1, 16);
    EXPECT_EQ(MatchPersons[5].kicked, 1);
    Ball_KickAlongAngle(0, 41, 5);
    EXPECT_EQ(Ball.velY, -70 * 4096);
}

}  // namespace
