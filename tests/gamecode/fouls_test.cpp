// tests/gamecode/fouls_test.cpp: fouls entered by hand as the tackles write them: the kind of
// kick by the spot at both ends, its taker, the waits for the hurt and the busy, the care of an
// injured player of a human and of a computer side, and the offside's free kick.
#include "gamecode/fouls.h"

#include <algorithm>
#include <vector>

#include "engine/random.h"
#include "game/matchblocks.h"
#include "gamecode/actions.h"
#include "gamecode/matchdata.h"
#include "gamecode/phases.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"

namespace {

// Open play, the elevens spread over the middle: side 0 attacks y 2042 from y 800, side 1 the
// other way from y 1300. Shirts 9 and 10 of each side take its free kicks and penalties.
class Fouls : public testing::Test {
protected:
    void SetUp() override
    {
        SetOpenPlayScene();
        for (int32_t side = 0; side < 2; ++side) {
            Match.takers[side][TAKER_FREE_KICK] = static_cast<int16_t>(side * 16 + 9);
            Match.takers[side][TAKER_PENALTY] = static_cast<int16_t>(side * 16 + 10);
        }
        Match.substitutesAllowed = 3;
    }
    // The foul record as a tackle writes it.
    static void Foul(int32_t offender, int32_t fouled, int32_t x, int32_t y)
    {
        MatchPhase = PHASE_FOUL;
        PhaseTimer = 0;
        FoulingSide = static_cast<uint8_t>(offender / 16);
        FouledPlayer = static_cast<int8_t>(fouled);
        Offender = static_cast<int16_t>(offender);
        RestartSpot[0] = static_cast<int16_t>(x);
        RestartSpot[1] = static_cast<int16_t>(y);
        RefereeDecision = 0;
        Match.keeperPendingAction = 5;  // the set-up forgets a keeper's pending action
    }
    // Passes of the phase handler alone until the foul is set up; how many after the wait.
    static int32_t PassesAfterTheWait()
    {
        MatchPhase_Dispatch();
        PhaseTimer = 1;
        int32_t passes = 0;
        while (MatchPhase == PHASE_FOUL && passes < 5000) {
            MatchPhase_Dispatch();
            ++passes;
        }
        return passes;
    }
    ScopedMatch match;
};

TEST_F(Fouls, TheSpotDecidesPenaltyDirectOrOrdinaryFreeKickAtBothEnds)
{
    struct Case {
        int32_t offender;  // side 1 fouls near y 2042, side 0 near y 122
        int16_t x, y;
        int16_t phase;
        int32_t taker;
        int32_t benched = -1;  // a designated taker off the pitch
    } const cases[] = {
        {20, 476, 1754, PHASE_PENALTY_KICK, 10},   // the area's corner
        {20, 1116, 2030, PHASE_PENALTY_KICK, 10},  // its other side, by the goal line
        {20, 475, 1754, PHASE_DIRECT_FREE_KICK, 9},
        {20, 796, 1753, PHASE_DIRECT_FREE_KICK, 9},
        {20, 796, 2042 - 592, PHASE_DIRECT_FREE_KICK, 9},  // 37 yards straight out
        {20, 796, 2042 - 608, PHASE_DIRECT_FREE_KICK, 9},  // 38 yards is not beyond them
        {20, 796, 2042 - 624, PHASE_FREE_KICK, 9},         // 39 yards
        {20, 796 - 592, 2042, PHASE_FREE_KICK, 9},         // 37 yards square to the goal
        {20, 396, 1842, PHASE_FREE_KICK, 9},               // a wide angle, 28 yards
        {20, 1196, 1842, PHASE_FREE_KICK, 9},
        {20, 496, 1742, PHASE_DIRECT_FREE_KICK, 9},  // 45 degrees
        {20, 796, 1000, PHASE_FREE_KICK, 8},         // beyond 50 yards: the nearest team-mate
        {4, 796, 410, PHASE_PENALTY_KICK, 26},
        {4, 1116, 122, PHASE_PENALTY_KICK, 26},
        {4, 796, 411, PHASE_DIRECT_FREE_KICK, 25},
        {4, 796, 122 + 592, PHASE_DIRECT_FREE_KICK, 25},
        {4, 796, 122 + 624, PHASE_FREE_KICK, 25},
        {4, 796 + 592, 122, PHASE_FREE_KICK, 25},
        // Without the designated taker: the first of proximity entries 1-3 on the pitch.
        {20, 796, 1900, PHASE_PENALTY_KICK, 1, 10},
        {20, 796, 1700, PHASE_DIRECT_FREE_KICK, 1, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        SetUp();
        const int32_t side = c.offender / 16 ^ 1;
        if (c.benched >= 0) MatchPersons[c.benched].offPitch = 1;
        Foul(c.offender, side * 16 + 3, c.x, c.y);
        match.Record().commentaryGroups.clear();
        PassesAfterTheWait();
        ASSERT_EQ(MatchPhase, c.phase);
        EXPECT_EQ(ActivePlayer[side], c.taker);
        EXPECT_EQ(KickingSide, side);
        EXPECT_EQ(Match.teamStats[side ^ 1].fouls, 1);
        EXPECT_EQ(Match.teamStats[side].fouls, 0);
        EXPECT_EQ(MatchPersons[c.offender].stats.foulsGivenAgainst, 1);
        EXPECT_EQ(MatchPersons[MATCH_REFEREE].action, OFFICIAL_REFEREE_WHISTLE);
        EXPECT_EQ(Match.refereeSignal, 1);
        EXPECT_EQ(Match.keeperPendingAction, -1);
        const MatchPerson& taker = MatchPersons[c.taker];
        const bool farEnd = side == 0;
        if (c.phase == PHASE_PENALTY_KICK) {
            EXPECT_EQ(RestartSpot[0], 796);
            EXPECT_EQ(RestartSpot[1], farEnd ? 1850 : 314);
            EXPECT_EQ(match.Record().commentaryGroups, std::vector<int32_t>{104});
            EXPECT_EQ(taker.action, ACT_PENALTY_WALK_TO_SPOT);  // his 53 ran at once
            EXPECT_EQ(taker.y, farEnd ? 1840 : 324);
            EXPECT_EQ(MatchPersons[LineUp[side][0]].stats.penaltiesAwarded, 1);
            EXPECT_EQ(MatchPersons[LineUp[0][0]].action, ACT_KEEPER_IDLE);
            EXPECT_EQ(MatchPersons[LineUp[1][0]].action, ACT_KEEPER_IDLE);
        } else {
            EXPECT_EQ(taker.action, ACT_FREE_KICK_TAKER);
            EXPECT_EQ(taker.x, c.x);
            EXPECT_EQ(taker.y, c.y);
            EXPECT_EQ(MatchPersons[MATCH_BALL].x, c.x);
        }
        // At most one runner beside the taker: neither the taker nor the fouled player, a step
        // toward the middle.
        int32_t runners = 0;
        for (int32_t p = side * 16; p < side * 16 + 16; ++p) {
            const MatchPerson& r = MatchPersons[p];
            if (r.action != ACT_FREE_KICK_RUNNER) continue;
            ++runners;
            EXPECT_NE(p, c.taker);
            EXPECT_NE(p, side * 16 + 3);
            EXPECT_EQ(r.targetX, c.x < 796 ? c.x + 64 : c.x - 64);
            EXPECT_EQ(r.targetY, c.y);
        }
        EXPECT_LE(runners, c.phase == PHASE_PENALTY_KICK ? 0 : 1);
        if (c.phase == PHASE_DIRECT_FREE_KICK) {
            EXPECT_EQ(MatchPersons[MATCH_MARKER].x, 796);
            EXPECT_EQ(MatchPersons[MATCH_MARKER].y, farEnd ? 2042 : 122);
        }
        const bool stoppage = c.phase != PHASE_FREE_KICK;
        EXPECT_EQ(StoppageTicks >= 30 && StoppageTicks < 60, stoppage) << StoppageTicks;
        EXPECT_EQ(StoppageTicks == 0, !stoppage);
        EXPECT_EQ(FoulWaitTicks, 0);
    }
}

TEST_F(Fouls, TheWaitIsThirtyTicksOrAFractionForATrailingSideAndADecisionGoesThroughPhase22)
{
    Foul(20, 3, 700, 1300);
    RunTicks(1);
    EXPECT_EQ(PhaseTimer, 30);
    EXPECT_EQ(Ball.possession, 0);
    EXPECT_EQ(TeamMomentum[0], 1000);
    EXPECT_EQ(TeamMomentum[1], 0);
    EXPECT_EQ(Match.refereeSignal, 2);
    EXPECT_EQ(Match.refereeReturnState, 1);
    std::vector<int32_t> waits;
    for (uint32_t seed = 1; seed <= 16; ++seed) {
        SetUp();
        Match.score[1] = 1;
        SRand(seed);
        Foul(20, 3, 700, 1300);
        MatchPhase_Dispatch();
        waits.push_back(PhaseTimer);
    }
    for (const int32_t wait : {30, 15, 10, 7}) {
        EXPECT_NE(std::find(waits.begin(), waits.end(), wait), waits.end()) << wait;
    }
    EXPECT_EQ(std::count_if(waits.begin(), waits.end(),
                            [](int32_t w) { return w != 30 && w != 15 && w != 10 && w != 7; }),
              0);

    SetUp();
    Foul(20, 3, 700, 1300);
    RefereeDecision = 8;
    MatchPhase_Dispatch();
    EXPECT_EQ(Match.refereeReturnState, 8);
    PhaseTimer = 1;
    MatchPhase_Dispatch();
    EXPECT_EQ(MatchPhase, PHASE_DECISION_PENDING);
    RefereeDecision = 0;
    MatchPhase_Dispatch();
    EXPECT_EQ(MatchPhase, PHASE_FOUL);
    EXPECT_EQ(PhaseTimer, 1);
    MatchPhase_Dispatch();
    EXPECT_EQ(MatchPhase, PHASE_FREE_KICK);
    EXPECT_EQ(Match.teamStats[1].fouls, 1);  // once, though the phase ran twice
    EXPECT_EQ(MatchPersons[20].stats.foulsGivenAgainst, 1);
}

TEST_F(Fouls, AHurtPlayerStillDownOrABusyPlayerHoldsTheKickAThousandTicksAtMost)
{
    struct Case {
        int32_t hurt;    // the fouled player's knock
        int16_t action;  // his action while the phase waits
        int32_t busy;    // a player who stays in action 20, -1 none
        int32_t passes;
    } const cases[] = {
        {0, 3, -1, 1},     {1, 3, -1, 1},   {1, 33, -1, 1001}, {1, 145, -1, 1001},
        {0, 33, -1, 1001}, {0, 3, 7, 1001}, {1, 33, 7, 1001},  {2, 33, -1, 1001},
    };
    for (const Case& c : cases) {
        SetUp();
        Foul(20, 3, 700, 1300);
        MatchPersons[3].resultByteB = static_cast<int8_t>(c.hurt);
        MatchPhase_Dispatch();
        MatchPersons[3].action = c.action;  // 33 on the ground, 145 a keeper's smother
        if (c.busy >= 0) MatchPersons[c.busy].action = 20;
        PhaseTimer = 1;
        int32_t passes = 0;
        while (MatchPhase == PHASE_FOUL && passes < 5000) {
            MatchPhase_Dispatch();
            ++passes;
        }
        EXPECT_EQ(passes, c.passes) << c.hurt << " " << c.action << " " << c.busy;
        EXPECT_EQ(MatchPhase, PHASE_FREE_KICK);
    }
}

TEST_F(Fouls, AnInjuredPlayerLeavesForTheMenuOrASubstituteOrStaysWithNoneLeft)
{
    struct Case {
        bool human;
        int32_t injured;
        int16_t substitutionsUsed;
        bool leaves;
        bool menu;
        bool substituted;  // a computer side's bench player came on for him
        bool keeperMoved;  // someone else is in line-up slot 0 now
    } const cases[] = {
        {true, 5, 0, true, true, false, false},
        {true, 5, 3, true, false, false, false},
        {false, 5, 0, true, false, true, false},
        {false, 5, 3, false, false, false, false},
        {false, 0, 0, true, false, true, true},
        // A computer side's hurt keeper with no substitute left gives up his place in goal.
        {false, 0, 3, false, false, false, true},
        {true, 0, 0, true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.human << " " << c.injured << " " << c.substitutionsUsed);
        SetUp();
        for (int32_t bench = 11; bench < 16; ++bench) {
            MatchPersons[bench].startedOnBench = 1;
        }
        GetMatchSidesBlock()->sides[0].human = c.human ? 1 : 0;
        Match.substitutionCount[0] = c.substitutionsUsed;
        Match.periodLength = 15000;
        Match.periodTicks = 4000;  // 12:00
        Foul(20, c.injured, 700, 1000);
        MatchPersons[c.injured].resultByteB = 1;
        MatchPersons[7].resultByteB = 1;  // a knock nobody handles is forgotten too
        match.Record().calls.clear();
        PassesAfterTheWait();
        const MatchPerson& p = MatchPersons[c.injured];
        // He played the twelve minutes before he left; one who stays plays on.
        Match.periodTicks = 6700;  // 20:06
        EXPECT_EQ(Football_MinutesOnPitch(c.injured), c.leaves ? 12 : 20);
        EXPECT_EQ(p.offPitch, c.leaves ? 1 : 0);
        EXPECT_EQ(p.animation == -1, c.leaves);
        EXPECT_EQ(p.x == 0 && p.y == 0, c.leaves && !c.substituted);
        EXPECT_EQ(p.resultByteB, c.leaves ? 2 : 0);
        EXPECT_EQ(MatchPersons[7].resultByteB, 0);
        EXPECT_EQ(match.Record().Count("HalfTime0"), c.menu ? 1 : 0);
        EXPECT_EQ(SubstitutionRequest[0], 0);  // the request ran at this stoppage
        EXPECT_EQ(Match.substitutionCount[0], c.substitutionsUsed + (c.substituted ? 1 : 0));
        EXPECT_GE(p.stats.injuryTotal, 0);
        EXPECT_LT(p.stats.injuryTotal, 10);
        EXPECT_LT(p.stats.injuryLength, 30);
        if (!c.menu && !c.substituted) {
            EXPECT_EQ(p.stats.injuryTotal + p.stats.injuryLength, 0);
        }
        // A keeper who left is replaced in goal by an outfield player still on the pitch, even
        // when the human's menu put nobody there: the side's restarts wait on its keeper.
        EXPECT_EQ(LineUp[0][0] != 0, c.keeperMoved);
        EXPECT_EQ(MatchPersons[LineUp[0][0]].offPitch, 0);
        EXPECT_EQ(MatchPhase, PHASE_FREE_KICK);
    }
    // The injury's length is held at 60 however long it already was.
    std::vector<int32_t> lengths;
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        SetUp();
        SRand(seed);
        GetMatchSidesBlock()->sides[0].human = 1;
        Foul(20, 5, 700, 1000);
        MatchPersons[5].resultByteB = 1;
        MatchPersons[5].stats.injuryLength = 45;
        PassesAfterTheWait();
        lengths.push_back(MatchPersons[5].stats.injuryLength);
    }
    EXPECT_EQ(*std::max_element(lengths.begin(), lengths.end()), 60);
    EXPECT_GE(*std::min_element(lengths.begin(), lengths.end()), 45);
}

TEST_F(Fouls, AComputerSideThatLostItsKeeperPutsItsBestOutfieldKeeperInGoal)
{
    MatchPersons[16].offPitch = 1;
    MatchPersons[22].skills[0] = 70;
    MatchPersons[25].skills[0] = 70;  // with the same agility a tie goes to the later slot
    Foul(20, 3, 700, 1000);
    PassesAfterTheWait();
    EXPECT_EQ(LineUp[1][0], 25);
    EXPECT_EQ(LineUp[1][9], 16);
    EXPECT_EQ(MatchPersons[25].action, ACT_KEEPER_IDLE);
    EXPECT_EQ(MatchPersons[25].x, 796);
    EXPECT_EQ(MatchPersons[25].y, 1000);

    SetUp();
    GetMatchSidesBlock()->sides[1].human = 1;
    MatchPersons[16].offPitch = 1;
    Foul(20, 3, 700, 1000);
    PassesAfterTheWait();
    EXPECT_EQ(LineUp[1][0], 16);  // a human picks his own
}

TEST_F(Fouls, OffsideGivesAFreeKickAtTheOffsidePositionAfterSixtyTicks)
{
    OffsideSide = 1;
    RestartSpot[0] = 900;
    RestartSpot[1] = 700;
    MatchPhase = PHASE_OFFSIDE;
    PhaseTimer = 0;
    MatchPhase_Dispatch();
    EXPECT_EQ(PhaseTimer, 60);
    EXPECT_EQ(Ball.possession, 0);
    PhaseTimer = 1;
    MatchPhase_Dispatch();
    ASSERT_EQ(MatchPhase, PHASE_FREE_KICK);
    ASSERT_EQ(match.Record().infoBars.size(), 1u);
    EXPECT_EQ(match.Record().infoBars[0][0], 2);
    EXPECT_EQ(Match.teamStats[1].offsides, 1);
    EXPECT_EQ(Match.teamStats[0].offsides, 0);
    EXPECT_EQ(KickingSide, 0);
    int32_t taker = -1;
    for (int32_t p = 0; p < 16; ++p) {
        if (MatchPersons[p].action == ACT_FREE_KICK_TAKER) taker = p;
    }
    ASSERT_EQ(taker, 7);  // his target (720, 800) is the nearest to the ball at (700, 1000)
    EXPECT_EQ(MatchPersons[taker].x, 900);
    EXPECT_EQ(MatchPersons[taker].y, 700);
    EXPECT_EQ(MatchPersons[MATCH_REFEREE].action, OFFICIAL_REFEREE_WHISTLE);
    EXPECT_EQ(LastIncidentMark, 35);
}

// A free kick that follows another with no restart between, the wait for the busy cut off while
// the taker's own keeper still rises with a loose ball he fell on after the whistle: the keeper
// lets the ball go, the taker waits for a receiver of his own rather than playing at once to the
// last kick's, and strikes the kick from its spot.
TEST_F(Fouls, AFreeKickIsStruckFromItsSpotWhateverTheLastKickAndTheKeeperLeft)
{
    for (const bool keeperOnTheBall : {false, true}) {
        SCOPED_TRACE(keeperOnTheBall ? "keeper on the ball" : "keeper in goal");
        SetUp();
        Foul(20, 9, 796, 1000);
        Match.restartTimer = 1;  // where the last free kick's taker left it
        Match.restartReceiver = 5;
        const int32_t keeper = LineUp[0][0];
        const auto upToTheSetUp = [&] {
            if (MatchPhase != PHASE_FOUL || PhaseTimer != 1) return false;
            if (keeperOnTheBall) {
                Match.score[1] = 1;  // a trailing taker waits half as long
                FoulWaitTicks = FOUL_WAIT_LIMIT;
                Person_PlaceAt(keeper, 900, 300);
                Person_PlaceAt(MATCH_BALL, 900, 300);
                Person_SetAction(keeper, ACT_KEEPER_RISE_FROM_SMOTHER);
                MatchPersons[keeper].frame = 40;  // past the frame he holds it from
                Person_SetAction(LineUp[1][0], ACT_KEEPER_RISE_FROM_SMOTHER);  // the other too
            }
            return true;
        };
        ASSERT_TRUE(RunUntil(upToTheSetUp, 100));
        ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_FREE_KICK; }, 10));
        // The ball is the taker's alone.
        EXPECT_EQ(MatchPersons[keeper].action, ACT_KEEPER_IDLE);
        EXPECT_EQ(MatchPersons[LineUp[1][0]].action, ACT_KEEPER_IDLE);
        const int32_t taker = ActivePlayer[0];
        int32_t ticks = 0;
        ASSERT_TRUE(RunUntil(
            [&] {
                ++ticks;
                return MatchPhase == PHASE_OPEN_PLAY;
            },
            3000));
        EXPECT_GE(ticks, 15);  // the shortest wait for a receiver, a trailing side's
        EXPECT_EQ(Ball.lastToucher, taker);
        EXPECT_LE(std::abs(MatchPersons[taker].x - 796) + std::abs(MatchPersons[taker].y - 1000),
                  48);
    }
}

// A keeper named to take the side's free kicks or penalties takes them like anyone else.
TEST_F(Fouls, AKeeperNamedTakerTakesTheFreeKickOrThePenalty)
{
    for (const int32_t y : {1300, 1800}) {  // a free kick, a penalty
        SCOPED_TRACE(y);
        SetUp();
        const int32_t keeper = LineUp[0][0];
        Match.takers[0][TAKER_FREE_KICK] = static_cast<int16_t>(keeper);
        Match.takers[0][TAKER_PENALTY] = static_cast<int16_t>(keeper);
        Foul(20, 9, 796, y);
        ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000));
        EXPECT_EQ(Ball.lastToucher, keeper);
    }
}

}  // namespace

// A foul in the area is a penalty walked up to, run up to and struck; one just outside it a
// direct free kick shot or passed short; one far out an ordinary free kick. Each is played on
// the whole engine until the taker has struck it, and the penalty until it is scored or saved.
TEST_F(Fouls, AScriptedFoulIsPlayedThroughItsSetPieceToTheKick)
{
    struct Case {
        const char* name;
        int16_t y;
        std::vector<int32_t> chain;  // the taker's side enters each of them once
        std::vector<int32_t> kicks;  // and one of these strikes the ball
    } const cases[] = {
        {"in the area",
         1800,
         {ACT_FREE_KICK_TAKER, ACT_PENALTY_WALK_TO_SPOT, ACT_PENALTY_RUN_UP},
         {ACT_PENALTY_KICK}},
        {"just outside it",
         1740,
         {ACT_FREE_KICK_TAKER, ACT_FREE_KICK_ARRANGE},
         {ACT_DIRECT_FREE_KICK, ACT_SET_PIECE_PASS}},
        {"far out", 1000, {ACT_FREE_KICK_TAKER}, {ACT_FREE_KICK_AT_BALL}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Foul(20, 9, 796, c.y);
        const ActionTally before = match.Actions();
        const auto entered = [&](int32_t action) {
            return match.Actions().Of(0, action) - before.Of(0, action);
        };
        const auto struck = [&] {
            int32_t n = 0;
            for (const int32_t kick : c.kicks)
                n += entered(kick);
            return n;
        };
        ASSERT_TRUE(RunUntil([&] { return struck() > 0 && MatchPhase == PHASE_OPEN_PLAY; }, 3000));
        for (const int32_t action : c.chain)
            EXPECT_EQ(entered(action), 1) << action;
        EXPECT_EQ(struck(), 1);
        if (entered(ACT_DIRECT_FREE_KICK) == 1) {
            EXPECT_EQ(entered(ACT_BACK_OFF_FOR_SHOT), 1);
        }
        if (c.kicks[0] != ACT_PENALTY_KICK) continue;
        const int32_t keeper = LineUp[1][0];
        const int32_t score = Match.score[0];
        ASSERT_TRUE(RunUntil(
            [&] {
                return Match.score[0] != score || Ball.lastToucher == keeper
                       || MatchPhase != PHASE_OPEN_PLAY;
            },
            300));
        EXPECT_TRUE(Match.score[0] == score + 1 || Ball.lastToucher == keeper)
            << "phase " << MatchPhase;
    }
}
