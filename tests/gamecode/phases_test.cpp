// tests/gamecode/phases_test.cpp: the phase table, the restart flow every stoppage shares (waits,
// the trailing side, set-up, the taker), the pauses of phases 15 and 22, and the pending
// substitution requests.
#include "gamecode/phases.h"

#include <set>

#include "engine/random.h"
#include "gamecode/actions.h"
#include "gamecode/ball.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t kUnit = 65536;

// Open play with everyone on the pitch, side 0 attacking the bottom goal.
class Restarts : public testing::Test {
protected:
    void SetUp() override
    {
        MatchEngine_Init();
        MatchDayBuilder{}.Write();
        SetMatchPhysics();
        SpreadTheElevensOverTheMiddle();
        for (int32_t side = 0; side < 2; ++side) {
            Match.takers[side][TAKER_CORNER] = static_cast<int16_t>(side * 16 + 7);
        }
        Person_PlaceAt(MATCH_BALL, 700, 1000);
        MatchPhase = PHASE_OPEN_PLAY;
        MatchShared.ratingMode = 0;
    }
    // A ball over the left touchline, last touched by person 3 of side 0.
    static void ThrowInAwardedToSide1()
    {
        Person_PlaceAt(MATCH_BALL, 170, 700);
        Ball.velX = -20 * kUnit;
        Ball.lastToucher = 3;
        RunTicks(1);
        ASSERT_EQ(MatchPhase, PHASE_THROW_IN_AWARDED);
    }
    ScopedMatch match;
};

TEST(MatchPhases, TableNamesThirtyPhasesInOrder)
{
    std::set<std::string> names;
    for (int32_t phase = 0; phase < PHASE_COUNT; ++phase) {
        names.insert(MatchPhase_Name(phase));
    }
    EXPECT_EQ(names.size(), 30u);
    EXPECT_EQ(names.count("?"), 0u);
    EXPECT_STREQ(MatchPhase_Name(PHASE_COUNT), "?");
}

TEST(MatchPhasesDeathTest, APhaseOutsideTheTableIsFatal)
{
    ScopedMatch match;
    MatchPhase = PHASE_COUNT;
    EXPECT_FATAL(MatchPhase_Dispatch(), "MatchPhase_Dispatch(): bad phase 30");
}

TEST(MatchPhases, ReservedAndOpenPhasesDispatchHarmlessly)
{
    ScopedMatch match;
    for (const int16_t phase : {0, 16, 23, 24, 26}) {
        MatchPhase = phase;
        PhaseTimer = 7;
        MatchPhase_Dispatch();
        EXPECT_EQ(MatchPhase, phase);
        EXPECT_EQ(PhaseTimer, 7);
    }
}

TEST_F(Restarts, ThrowInToTheLeadingSideIsSetUpNinetyTicksLaterAndThrownInfield)
{
    Match.score[1] = 1;
    ThrowInAwardedToSide1();
    EXPECT_EQ(Ball.possession, 1);
    EXPECT_EQ(TeamMomentum[1], 1000);
    EXPECT_EQ(TeamMomentum[0], 0);
    RunTicks(89);
    EXPECT_EQ(MatchPhase, PHASE_THROW_IN_AWARDED);
    RunTicks(1);
    ASSERT_EQ(MatchPhase, PHASE_THROW_IN_TAKEN);
    const int32_t taker = ActivePlayer[1];
    ASSERT_GE(taker, 16);
    EXPECT_EQ(MatchPersons[taker].action, 21);
    EXPECT_EQ(MatchPersons[taker].x, 156);
    EXPECT_EQ(Ball.velX, 0);
    EXPECT_EQ(Match.keeperPendingAction, -1);
    EXPECT_EQ(MatchPersons[LineUp[0][0]].action, 122);
    EXPECT_EQ(MatchPersons[LineUp[1][0]].action, 122);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].x, 156 + 160);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].y, 700);
    EXPECT_EQ(MatchPersons[MATCH_MARKER].frame, 12);
    EXPECT_EQ(LastIncidentMark, 35);
    RunTicks(1);
    EXPECT_EQ(MatchPersons[taker].action, 19);
    EXPECT_EQ(MatchPersons[MATCH_BALL].x, 156);
    EXPECT_EQ(Ball.secondHolder, taker + 1);
    EXPECT_EQ(MatchPersons[taker].hasBall, 1);
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 900));
    EXPECT_EQ(DeadBallFlag, 0);
    EXPECT_EQ(Ball.lastToucher, taker);
    EXPECT_EQ(LastKicker[1], taker);
    EXPECT_EQ(Ball.secondHolder, 0);
    EXPECT_GT(Ball.velX, 0);  // toward a team-mate inside the pitch
}

TEST_F(Restarts, TrailingSideThrowsInAfterAFractionOfTheWait)
{
    std::set<int32_t> waits;
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        SetUp();
        Match.score[0] = 1;
        SRand(seed);
        ThrowInAwardedToSide1();
        waits.insert(PhaseTimer);
    }
    for (const int32_t wait : waits) {
        EXPECT_TRUE(wait == 90 || wait == 45 || wait == 30 || wait == 22) << wait;
    }
    EXPECT_GE(waits.size(), 2u);
}

TEST_F(Restarts, TrailingKeeperRestartsWaitElevenTicksAndCornersRaiseTheCount)
{
    Match.score[1] = 1;
    Person_PlaceAt(LineUp[0][0], 700, 200);
    Person_PlaceAt(MATCH_BALL, 500, 130);  // side 1 wide of the top goal: a goal kick for side 0
    Ball.velY = -20 * kUnit;
    Ball.lastToucher = 20;
    RunTicks(1);
    ASSERT_EQ(MatchPhase, PHASE_GOAL_KICK_AWARDED);
    EXPECT_EQ(PhaseTimer, 11);
    RunTicks(11);
    EXPECT_EQ(MatchPhase, PHASE_GOAL_KICK_TAKEN);
    EXPECT_EQ(MatchPersons[LineUp[0][0]].action, 157);
    EXPECT_EQ(Match.goalKickSpot[1], 218);
    EXPECT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 600));

    SetUp();
    Person_PlaceAt(MATCH_BALL, 500, 130);
    Ball.velY = -20 * kUnit;
    Ball.lastToucher = 5;  // the defenders: a corner for side 1
    RunTicks(1);
    ASSERT_EQ(MatchPhase, PHASE_CORNER_AWARDED);
    RunTicks(90);
    EXPECT_EQ(MatchPhase, PHASE_CORNER_TAKEN);
    EXPECT_EQ(Match.teamStats[1].corners, 1);
    EXPECT_EQ(match.Record().sounds.back(), 24);
    EXPECT_EQ(MatchPersons[23].action, 22);  // the corner taker of side 1
    EXPECT_EQ(MatchPersons[23].x, 160);
    EXPECT_EQ(MatchPersons[23].y, 126);
}

TEST_F(Restarts, FoulAndOffsideGiveTheOtherSideTheBallAndTheFreeKick)
{
    struct Case {
        int16_t phase;
        uint8_t offender;
        int32_t wait;
    };
    for (const Case c : {Case{PHASE_FOUL, 0, 30}, Case{PHASE_OFFSIDE, 1, 60}}) {
        SetUp();
        FoulingSide = c.offender;
        OffsideSide = c.offender;
        RestartSpot[0] = 600;
        RestartSpot[1] = 900;
        MatchPhase = c.phase;
        PhaseTimer = 0;
        RunTicks(1);
        EXPECT_EQ(PhaseTimer, c.wait);
        EXPECT_EQ(Ball.possession, c.offender ^ 1);
        EXPECT_EQ(TeamMomentum[c.offender ^ 1], 1000);
        RunTicks(c.wait);
        EXPECT_EQ(MatchPhase, PHASE_FREE_KICK);
        RunTicks(1);  // the taker's first tick puts the ball on the spot
        EXPECT_EQ(MatchPersons[MATCH_BALL].x, 600);
        EXPECT_EQ(MatchPersons[MATCH_BALL].y, 900);
        EXPECT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 300));
    }
}

TEST_F(Restarts, DecisionPendingAddsStoppageTimeThenSetsTheFreeKickUpOnItsReturn)
{
    FoulingSide = 0;
    RestartSpot[0] = 600;
    RestartSpot[1] = 900;
    MatchPhase = PHASE_FOUL;
    RefereeDecision = 8;
    MatchPhase_Dispatch();
    PhaseTimer = 1;
    MatchPhase_Dispatch();
    ASSERT_EQ(MatchPhase, PHASE_DECISION_PENDING);
    for (int32_t tick = 0; tick < 20; ++tick) {
        const int32_t before = StoppageTicks;
        MatchPhase_Dispatch();
        EXPECT_TRUE(StoppageTicks == before + 1 || StoppageTicks == before + 2);
    }
    RefereeDecision = 0;
    MatchPhase_Dispatch();
    EXPECT_EQ(MatchPhase, PHASE_FOUL);
    EXPECT_EQ(PhaseTimer, 1);
    MatchPhase_Dispatch();
    EXPECT_EQ(MatchPhase, PHASE_FREE_KICK);
}

TEST_F(Restarts, SubstitutionPauseWaitsForTheWalkersThenRestoresTheWaitingPlayers)
{
    MatchPhase = PHASE_SUBSTITUTION_PAUSE;
    SavedPhase = PHASE_FOUL;
    MatchPersons[4].action = 38;
    MatchPersons[9].action = 40;
    MatchPersons[9].savedAction = 17;
    MatchPhase_Dispatch();
    EXPECT_EQ(MatchPhase, PHASE_SUBSTITUTION_PAUSE);
    EXPECT_EQ(MatchPersons[9].action, 40);
    MatchPersons[4].action = 3;
    MatchPhase_Dispatch();
    EXPECT_EQ(MatchPhase, PHASE_FOUL);
    EXPECT_EQ(MatchPersons[9].action, 17);
    EXPECT_EQ(LastIncidentMark, 35);
}

TEST_F(Restarts, PlacedKickPhasesWatchTheGoalAndClearTheDeadBall)
{
    Person_PlaceAt(MATCH_BALL, 600, 1800);
    for (const int16_t phase : {18, 19, 21}) {
        MatchPhase = phase;
        DeadBallFlag = 2;
        Ball.holder = 4;
        MatchPhase_Dispatch();
        EXPECT_EQ(KeeperWatchPoint[0], 796);
        EXPECT_EQ(KeeperWatchPoint[1], 2042);
        EXPECT_EQ(DeadBallFlag, 0);
        EXPECT_EQ(Ball.holder, 0);
    }
    MatchPhase = PHASE_FREE_KICK;
    Ball.possession = 0;  // side 0 attacks the bottom goal: 30 yards on, kept on the pitch
    MatchPhase_Dispatch();
    EXPECT_EQ(KeeperWatchPoint[1], 2042);
    Ball.possession = 1;
    MatchPhase_Dispatch();
    EXPECT_EQ(KeeperWatchPoint[1], 1800 - 480);
}

TEST_F(Restarts, SubstitutionRequestsRunForEachSideOnceAtAThrowIn)
{
    GetMatchSidesBlock()->sides[0].human = 1;
    SubstitutionRequest[0] = 1;
    SubstitutionRequest[1] = 1;
    TeamPressure[0] = 10;
    TeamPressure[1] = 3;
    MatchPersons[LineUp[1][0]].offPitch = 1;  // side 1 has lost its keeper
    MatchPersons[LineUp[1][6]].skills[0] = 99;
    ThrowInAwardedToSide1();
    RunTicks(90);
    EXPECT_EQ(match.Record().Count("HalfTime0"), 1);
    EXPECT_EQ(match.Record().Count("HalfTime1"), 0);  // a computer side picks no menu
    EXPECT_EQ(TeamPressure[0], 10 + 4 - 8);
    EXPECT_EQ(TeamPressure[1], 0 + 4);
    EXPECT_EQ(SubstitutionRequest[0], 0);
    EXPECT_EQ(SubstitutionRequest[1], 0);
    EXPECT_EQ(StoppageSubstituted[0], 1);
    EXPECT_EQ(StoppageSubstituted[1], 1);
    EXPECT_EQ(LineUp[1][0], 22);
    EXPECT_EQ(LineUp[1][6], 16);
}

TEST_F(Restarts, GoalCountsAtOnceAndTheConcedingSideKicksOffAfterTheCelebration)
{
    Person_PlaceAt(MATCH_BALL, 796, 130);
    Ball.velY = -20 * kUnit;
    Ball.lastToucher = 20;
    RunTicks(1);
    ASSERT_EQ(MatchPhase, PHASE_GOAL);
    RunTicks(1);
    EXPECT_EQ(Match.score[1], 1);
    EXPECT_EQ(Match.scorerRecord, 20);
    EXPECT_EQ(MatchPersons[20].action, 69);
    RunTicks(49);
    EXPECT_EQ(MatchPhase, PHASE_GOAL_CELEBRATION);
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_GOAL_RESTART; }, 800));
    EXPECT_EQ(Match.kickOffSide, 0);
    EXPECT_EQ(MatchPersons[LineUp[0][0]].action, 23);
    EXPECT_EQ(MatchPersons[MATCH_BALL].x, 796);
    EXPECT_EQ(MatchPersons[MATCH_BALL].y, 1082);
    RunTicks(1);
    EXPECT_EQ(MatchPersons[LineUp[0][0]].action, 122);
    EXPECT_EQ(MatchPhase, PHASE_KICKOFF_TAKING);  // everyone was put in place at once
    EXPECT_EQ(DeadBallFlag, 0);
}

}  // namespace
