// tests/gamecode/celebrations_test.cpp: the scorer's celebration styles and their points, the
// team-mates who join him at distances of their own, the moves that hold still, and a goal's
// celebration through the engine.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/kickoffs.h"
#include "gamecode/matchstate.h"
#include "gamecode/minormoves.h"
#include "gamecode/motion.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "tests/gamecode/harness/harness.h"

namespace {

constexpr int32_t kScorer = 9;
constexpr int32_t kGoalMouthLeftX = 714;
constexpr int32_t kGoalMouthRightX = 878;

bool InGoalMouth(int32_t x) { return x > kGoalMouthLeftX && x < kGoalMouthRightX; }

class Celebration : public testing::Test {
protected:
    void SetUp() override
    {
        SetMatchPhysics();
        SetBareScene();
        MatchPhase = PHASE_GOAL_CELEBRATION;
        Match.celebratingPlayer = kScorer;
        Match.celebrationActive = 1;
        Match.followedObject = MATCH_BALL;
    }
    // The person, facing down the pitch, in `action` at (x, y).
    static void Place(int32_t person, int32_t action, int32_t x, int32_t y)
    {
        Person_PlaceAt(person, x, y);
        MatchPersons[person].offPitch = 0;
        Person_SetAction(person, action);
        MatchPersons[person].facing = 128;
    }
    ScopedMatch match;
};

}  // namespace

// Each style with a point runs there (out of the goal mouth sideways first, never across it),
// says its group on arrival and plays its animation; 0 and 1 play theirs on the spot. The scorer
// clears the celebration flag as his animation ends and sets off for his target.
TEST_F(Celebration, EachStyleRunsToItsPointSaysItsGroupAndPlaysItsAnimation)
{
    struct Case {
        int16_t style;
        int16_t x, y;
        int16_t pointX, pointY;  // where he celebrates; his own spot for 0 and 1
        int32_t group;           // said on arrival, 0 none
        int16_t animation;
        bool alongHisLineInTheMouth;  // styles 2 and 4 step out sideways; 6 runs straight
    };
    const Case cases[] = {
        {0, 800, 300, 800, 300, 0, 103, true},       {1, 500, 1800, 500, 1800, 0, 104, true},
        {2, 800, 300, 956, 142, 267, 106, true},     {4, 760, 1900, 636, 2022, 268, 108, true},
        {4, 1200, 600, 956, 142, 268, 108, true},    {3, 400, 1900, 236, 2022, 270, 110, true},
        {5, 1000, 1900, 1356, 2022, 270, 110, true}, {6, 1200, 500, 1386, 142, 269, 109, true},
        {6, 790, 300, 206, 142, 269, 109, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " from " << c.x << "," << c.y);
        SetUp();
        Place(kScorer, ACT_CELEBRATE, c.x, c.y);
        MatchPersons[kScorer].passKind = c.style;
        MatchPersons[kScorer].targetX = 400;
        MatchPersons[kScorer].targetY = 1082;
        match.Record().commentaryGroups.clear();
        const MatchPerson& p = MatchPersons[kScorer];
        bool leftTheMouthAlongHisLine = true;
        int32_t arrivedAt = -1;
        int32_t tick = 0;
        for (; tick < 3000 && p.action == ACT_CELEBRATE; ++tick) {
            const int32_t y = p.y;
            RunPersonAction(kScorer);
            if (InGoalMouth(p.x) && p.y != y) leftTheMouthAlongHisLine = false;
            if (arrivedAt < 0 && (p.kicked != 0 || c.group == 0)) {
                arrivedAt = tick;
                EXPECT_LE(std::abs(p.x - c.pointX) + std::abs(p.y - c.pointY), 5);
            }
            if (arrivedAt >= 0 && tick > arrivedAt && p.action == ACT_CELEBRATE) {
                EXPECT_EQ(p.animation, c.animation);
            }
            EXPECT_EQ(Match.followedObject, kScorer);
            if (p.action == ACT_CELEBRATE) {
                EXPECT_EQ(Match.celebrationActive, 1);
            }
        }
        EXPECT_EQ(leftTheMouthAlongHisLine, c.alongHisLineInTheMouth);
        EXPECT_GE(arrivedAt, 0);
        EXPECT_EQ(p.action, ACT_STAND);
        EXPECT_EQ(Match.celebrationActive, 0);
        EXPECT_EQ(p.animation, 12);  // running to his target
        const std::vector<int32_t>& groups = match.Record().commentaryGroups;
        EXPECT_EQ(groups, c.group == 0 ? std::vector<int32_t>{} : std::vector<int32_t>{c.group});
    }
}

// After the celebration the kick-off waits for both keepers to be idle: one still in a save, or
// caught upfield in an outfield action (his side's man for the ball, or stumbling), finishes it,
// walks back to his goal and turns idle by himself, and the kick-off follows.
TEST_F(Celebration, TheKickOffWaitsForAKeeperCaughtElsewhereUntilHeIsBackAndIdle)
{
    for (const int32_t elsewhere : {ACT_ACTIVE, ACT_STUMBLE, ACT_KEEPER_HIGH_SAVE}) {
        SCOPED_TRACE(elsewhere);
        SetUp();
        Match.celebrationActive = 0;
        const int32_t keeper = LineUp[0][0];
        Place(keeper, elsewhere, 300, 500);
        MatchPersons[keeper].targetX = PITCH_CENTRE_X;
        MatchPersons[keeper].targetY = 170;
        Place(LineUp[1][0], ACT_KEEPER_IDLE, 796, 2000);
        Person_PlaceAt(MATCH_BALL, 796, 130);
        int32_t ticks = 0;
        for (; ticks < 2000 && MatchPhase == PHASE_GOAL_CELEBRATION; ++ticks) {
            Phase_GoalCelebration();
            RunPersonAction(keeper);
        }
        EXPECT_EQ(MatchPhase, PHASE_GOAL_RESTART);
        EXPECT_GT(ticks, 1);
        EXPECT_LT(ticks, 2000);
    }
}

// Only the scorer ends the celebration; in the goal phase itself the camera keeps its focus.
TEST_F(Celebration, ATeamMateEndsNoCelebrationAndPhaseNineKeepsTheFocus)
{
    MatchPhase = PHASE_GOAL;
    Place(3, ACT_CELEBRATE, 600, 900);
    MatchPersons[3].passKind = 0;
    for (int32_t tick = 0; tick < 3000 && MatchPersons[3].action == ACT_CELEBRATE; ++tick) {
        RunPersonAction(3);
    }
    EXPECT_EQ(MatchPersons[3].action, ACT_STAND);
    EXPECT_EQ(Match.celebrationActive, 1);
    EXPECT_EQ(Match.followedObject, MATCH_BALL);
}

// Team-mates stop at 48 - 2 x (person & 15) units from the scorer, counted as not in place while
// they run, then celebrate in style 0 or 1; one in the goal mouth with the scorer beyond the goal
// line steps out of it sideways before he runs to him.
TEST_F(Celebration, TeamMatesJoinTheScorerEachAtHisOwnDistance)
{
    struct Case {
        int32_t mate;
        int32_t reach;
        int16_t x, y;
        int16_t scorerX, scorerY;
    };
    const Case cases[] = {
        {0, 48, 800, 1400, 800, 1000},  {16, 48, 300, 1000, 800, 1000},
        {15, 18, 1300, 600, 800, 1000}, {31, 18, 800, 700, 800, 1000},
        {7, 34, 800, 400, 600, 110},    {23, 34, 850, 1800, 900, 2060},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "person " << c.mate);
        SetUp();
        Match.celebratingPlayer = kScorer;
        Place(kScorer, ACT_STAND, c.scorerX, c.scorerY);
        Place(c.mate, ACT_RUN_TO_SCORER, c.x, c.y);
        const MatchPerson& p = MatchPersons[c.mate];
        bool counted = true;
        bool crossedTheMouth = false;
        for (int32_t tick = 0; tick < 2000 && p.action == ACT_RUN_TO_SCORER; ++tick) {
            PlayersNotInPlace = 0;
            const int32_t y = p.y;
            RunPersonAction(c.mate);
            if (p.action == ACT_RUN_TO_SCORER && PlayersNotInPlace != 1) counted = false;
            if (InGoalMouth(p.x) && p.y != y) crossedTheMouth = true;
        }
        ASSERT_EQ(p.action, ACT_CELEBRATE);
        EXPECT_TRUE(counted);
        const bool scorerBeyondGoalLine =
            c.scorerY < PITCH_NEAR_GOAL_LINE_Y || c.scorerY > PITCH_FAR_GOAL_LINE_Y;
        if (scorerBeyondGoalLine) {
            EXPECT_FALSE(crossedTheMouth);
        }
        EXPECT_TRUE(p.passKind == 0 || p.passKind == 1) << p.passKind;
        const int32_t distance = Person_StraightDistance(p.x, p.y, c.scorerX, c.scorerY);
        EXPECT_LE(distance, c.reach);
        EXPECT_GT(distance, c.reach - 8);
    }
}

// The moves that do nothing keep the player's position, facing and animation.
TEST_F(Celebration, TheStillMovesKeepPositionFacingAndAnimation)
{
    for (const int32_t action : {ACT_MINOR_STILL_62, ACT_MINOR_STILL_64, ACT_MINOR_STILL_65,
                                 ACT_MINOR_STILL_74, ACT_MINOR_STILL_101, ACT_MINOR_STILL_104}) {
        Place(4, action, 612, 877);
        MatchPerson& p = MatchPersons[4];
        p.facing = 37;
        p.animation = 21;
        p.frame = 7;
        p.runSpeed = 120;
        for (int32_t tick = 0; tick < 20; ++tick) {
            RunPersonAction(4);
        }
        EXPECT_EQ(p.action, action);
        EXPECT_EQ(p.x, 612);
        EXPECT_EQ(p.y, 877);
        EXPECT_EQ(p.facing, 37);
        EXPECT_EQ(p.animation, 21);
        EXPECT_EQ(p.frame, 7);
    }
}
