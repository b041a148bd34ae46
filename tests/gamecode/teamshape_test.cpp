// tests/gamecode/teamshape_test.cpp: the rows and blends each side takes from the phase and the
// ball, and the target points the free players get from them.
#include "gamecode/teamshape.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "gamecode/actionids.h"
#include "gamecode/ball.h"
#include "gamecode/formation.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t kUp = 1;  // the side that attacks toward y 2042
constexpr int32_t kDown = 0;

struct Rows {
    int32_t target, xBase, yBase, xBlend, yBlend;
};

void ExpectRows(int32_t side, Rows want)
{
    const TeamStrategyWords& w = Match.strategy[side];
    EXPECT_EQ(w.targetRow, want.target) << "side " << side;
    EXPECT_EQ(w.xBaseRow, want.xBase) << "side " << side;
    EXPECT_EQ(w.yBaseRow, want.yBase) << "side " << side;
    EXPECT_EQ(w.xBlend, want.xBlend) << "side " << side;
    EXPECT_EQ(w.yBlend, want.yBlend) << "side " << side;
}

class TeamShapeTest : public testing::Test {
protected:
    void SetUp() override
    {
        Match.secondOfPair = kUp;
        Ball.possession = kUp;
        MatchPhase = PHASE_OPEN_PLAY;
        for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
            MatchPersons[p].action = 3;
            MatchPersons[p].targetX = MatchPersons[p].targetY = -1;
        }
    }
    void BallAt(int32_t x, int32_t y)
    {
        KeeperWatchPoint[0] = static_cast<int16_t>(x);
        KeeperWatchPoint[1] = static_cast<int16_t>(y);
    }
    ScopedMatch match;
};

TEST_F(TeamShapeTest, RestartPhasesGiveBothSidesTheirRestartRows)
{
    struct Case {
        int16_t phase;
        int32_t period, possession, kickOffSide;
        int32_t row0, row1;
    };
    const Case cases[] = {
        {PHASE_CORNER_TAKEN, 0, 1, 0, 36, 32},
        {PHASE_PENALTY_KICK, 3, 0, 1, 32, 36},
        {PHASE_KICKOFF_READY, 0, 0, 1, 64, 30},
        {PHASE_KICKOFF_AFTER_GOAL, 1, 1, 0, 30, 64},
        {PHASE_GOAL, 0, 0, 0, 30, 64},
        // The keeper's side takes the restart rows whichever side kicked off.
        {PHASE_GOAL_KICK_AWARDED, 1, 0, 0, 31, 65},
        {PHASE_GOAL_KICK_TAKEN, 0, 0, 1, 31, 65},
        {PHASE_GOAL_KICK_TAKEN, 0, 1, 1, 65, 31},
        {PHASE_KEEPER_HOLDS, 1, 1, 0, 65, 31},
        {PHASE_KEEPER_CLEARANCE, 0, 1, 0, 65, 31},
        {PHASE_KEEPER_CLEARANCE, 1, 0, 1, 31, 65},
    };
    BallAt(796, 1082);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phase);
        MatchPhase = c.phase;
        Match.period = static_cast<uint8_t>(c.period);
        Ball.possession = static_cast<uint8_t>(c.possession);
        Match.kickOffSide = static_cast<uint8_t>(c.kickOffSide);
        EvaluateTeamStrategy();
        ExpectRows(0, {c.row0, c.row0, c.row0, 100, 100});
        ExpectRows(1, {c.row1, c.row1, c.row1, 100, 100});
    }
    // The shoot-out's penalties take the open-play rows.
    MatchPhase = PHASE_PENALTY_KICK;
    Match.period = MATCH_PERIOD_SHOOT_OUT;
    EvaluateTeamStrategy();
    EXPECT_LT(Match.strategy[Ball.possession].targetRow, 30);
}

TEST_F(TeamShapeTest, ColumnsBlendBetweenTheCentresTheBallLiesBetween)
{
    // The ball at the first band's lower end: the up side's rows are its columns alone, the down
    // side's (in its attacking third) its mirrored columns at its far end, its blend's fraction
    // rounded up (100 less it cut, toward its own goal).
    struct Case {
        int32_t x, xBase, target, blend, downBlend;
    };
    const Case cases[] = {
        {100, 0, 0, 100, 100},  {284, 0, 0, 100, 100},  {285, 0, 1, 0, 1},
        {412, 0, 1, 50, 50},    {413, 0, 1, 50, 51},    {540, 0, 1, 100, 100},
        {541, 1, 2, 0, 1},      {1180, 3, 4, 50, 50},   {1308, 3, 4, 100, 100},
        {1309, 4, 4, 100, 100}, {1600, 4, 4, 100, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        BallAt(c.x, 200);
        EvaluateTeamStrategy();
        ExpectRows(kUp, {c.target, c.xBase, c.target, c.blend, 100});
        ExpectRows(kDown, {29 - c.xBase, 29 - c.target, 29 - c.xBase, c.downBlend, 100});
    }
}

TEST_F(TeamShapeTest, BandsBlendAlongThePitchAndTheSideWithoutTheBallDefends)
{
    struct Case {
        int32_t y;
        Rows up, down;  // the down side without the ball: defending unless in its attacking third
    };
    const Case cases[] = {
        {200, {0, 0, 0, 100, 100}, {29, 29, 29, 100, 100}},
        {283, {5, 5, 0, 100, 0}, {29, 29, 24, 100, 1}},
        {1722, {25, 25, 20, 100, 50}, {43, 43, 38, 100, 50}},
        {1900, {25, 25, 25, 100, 100}, {38, 38, 38, 100, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        BallAt(200, c.y);
        EvaluateTeamStrategy();
        ExpectRows(kUp, c.up);
        ExpectRows(kDown, c.down);
    }
}

// The side without the ball keeps its open-play rows while the ball is in its attacking third,
// a third of the pitch from the goal it attacks, toward either goal alike.
TEST_F(TeamShapeTest, TheSideWithoutTheBallPressesFromTheSameLineAtEitherEnd)
{
    struct Case {
        int32_t without, y;
        bool presses;
    };
    const Case cases[] = {
        {kDown, 761, true}, {kDown, 762, false}, {kDown, 300, true},
        {kUp, 1403, true},  {kUp, 1402, false},  {kUp, 1864, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << c.without << ", ball y " << c.y);
        Ball.possession = static_cast<uint8_t>(c.without ^ 1);
        BallAt(700, c.y);
        EvaluateTeamStrategy();
        EXPECT_EQ(Match.strategy[c.without].targetRow < SHAPE_SET_ROWS, c.presses);
    }
}

TEST_F(TeamShapeTest, MomentumShiftsOnlyTheSideInPossessionAndOnlyInOpenPlay)
{
    TeamMomentum[kUp] = 320;  // one band
    BallAt(200, 920);         // band 2, lower half: j = 2, w = 99; shifted j = 3
    EvaluateTeamStrategy();
    ExpectRows(kUp, {15, 15, 10, 100, 99});
    // Rows of the ball itself, the shifted blend (99.4) rounded up.
    ExpectRows(kDown, {58, 58, 53, 100, 100});

    MatchPhase = PHASE_THROW_IN_TAKEN;
    EvaluateTeamStrategy();
    ExpectRows(kUp, {10, 10, 5, 100, 99});
}

// The side without the ball blends the rows of the ball itself by the blend of the ball shifted by
// the momentum of the side on it. Each case and its twin turned about the centre spot give the same
// bands and blend (to a unit of rounding), seen from the side's own goal; shifted past the centre
// of the end band, the side stands on the row nearer its own goal (blend 0 toward the other).
TEST_F(TeamShapeTest, TheSideWithoutTheBallFallsBackAlikeAtEitherEnd)
{
    struct Case {
        int32_t ballY, momentum;
        int32_t towardTarget;  // -1: any, as long as the twins agree
    };
    const Case cases[] = {
        {500, 320, 0},   {600, 320, 0},   {290, 10, 0},   {500, 100, -1},
        {1000, 320, -1}, {1500, 200, -1}, {300, 320, -1},
    };
    struct OwnView {
        int32_t baseBand, targetBand, towardTarget;
    };
    for (const Case& c : cases) {
        OwnView views[2];
        for (const int32_t without : {kUp, kDown}) {
            const bool up = without == kUp;
            Ball.possession = static_cast<uint8_t>(without ^ 1);
            TeamMomentum[without ^ 1] = static_cast<int16_t>(c.momentum);
            BallAt(800, up ? c.ballY : 2 * PITCH_CENTRE_Y - c.ballY);
            EvaluateTeamStrategy();
            const TeamStrategyWords& w = Match.strategy[without];
            views[without] = {w.yBaseRow % 34 / 5, w.targetRow % 34 / 5,
                              up ? w.yBlend : 100 - w.yBlend};
        }
        SCOPED_TRACE(testing::Message() << "ball y " << c.ballY << ", momentum " << c.momentum);
        EXPECT_EQ(views[kUp].baseBand, views[kDown].baseBand);
        EXPECT_EQ(views[kUp].targetBand, views[kDown].targetBand);
        EXPECT_LE(std::abs(views[kUp].towardTarget - views[kDown].towardTarget), 1);
        if (c.towardTarget >= 0) {
            EXPECT_EQ(views[kUp].towardTarget, c.towardTarget);
        }
    }
}

// With the ball at a point and at its twin turned about the centre spot, the ends swapped, every
// free player of either side, with the ball or without it, takes the same spot seen from his own
// goal: each side's blend between two rows is cut toward its own goal (a blend of 0.4 percent
// toward the next column or band is none at either end).
TEST_F(TeamShapeTest, EitherSideTakesTheSameSpotsAtEitherEnd)
{
    struct Case {
        int32_t x, y, possession, momentum;
    };
    const Case cases[] = {
        {285, 283, kUp, 0},   {413, 1241, kDown, 0},  {541, 920, kUp, 320}, {1307, 700, kDown, 100},
        {797, 1083, kUp, 37}, {1000, 1500, kDown, 0}, {300, 1900, kUp, 0},  {700, 410, kDown, 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " side " << c.possession);
        int16_t spots[2][MATCH_PLAYER_COUNT][2];
        for (const int32_t turned : {0, 1}) {
            SetUp();
            for (auto& rows : ShapeTables) {
                for (int32_t row = 0; row < SHAPE_ROW_COUNT; ++row) {
                    for (int32_t entry = 0; entry < SHAPE_SPOT_COUNT; ++entry) {
                        rows[row][entry] = {static_cast<int16_t>(250 * (row % 5) + entry),
                                            static_cast<int16_t>(300 * (row % 34 / 5) + 7 * entry)};
                    }
                }
            }
            Match.secondOfPair = static_cast<uint8_t>(turned != 0 ? kDown : kUp);
            Ball.possession = static_cast<uint8_t>(c.possession);
            TeamMomentum[c.possession] = static_cast<int16_t>(c.momentum);
            BallAt(turned != 0 ? 2 * PITCH_CENTRE_X - c.x : c.x,
                   turned != 0 ? 2 * PITCH_CENTRE_Y - c.y : c.y);
            EvaluateTeamStrategy();
            UpdateTeamStrategy();
            for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
                spots[turned][p][0] = MatchPersons[p].targetX;
                spots[turned][p][1] = MatchPersons[p].targetY;
            }
        }
        int32_t free = 0;
        for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
            if (spots[0][p][0] == -1) continue;
            ++free;
            EXPECT_EQ(spots[1][p][0], 2 * PITCH_CENTRE_X - spots[0][p][0]) << "player " << p;
            EXPECT_EQ(spots[1][p][1], 2 * PITCH_CENTRE_Y - spots[0][p][1]) << "player " << p;
        }
        EXPECT_EQ(free, 20);
    }
}

TEST_F(TeamShapeTest, NothingChangesWhileTheBallIsFreshlyKickedOrAFreeKickIsSetUp)
{
    BallAt(700, 700);
    EvaluateTeamStrategy();
    const TeamStrategyWords before = Match.strategy[0];
    BallAt(1300, 1900);
    Ball.afterKick = 3;
    EvaluateTeamStrategy();
    Ball.afterKick = 0;
    for (int16_t phase : {PHASE_DIRECT_FREE_KICK, PHASE_FREE_KICK_READY}) {
        MatchPhase = phase;
        EvaluateTeamStrategy();
    }
    EXPECT_EQ(Match.strategy[0], before);
}

class TeamShapeUpdate : public TeamShapeTest {
protected:
    void SetUp() override
    {
        TeamShapeTest::SetUp();
        for (int32_t side = 0; side < 2; ++side) {
            for (int32_t entry = 0; entry < SHAPE_SPOT_COUNT; ++entry) {
                ShapeTables[side][2][entry] = {100, 200};
                ShapeTables[side][7][entry] = {300, 600};
            }
            Match.strategy[side] = {7, 2, 2, 25, 50};
        }
    }
};

TEST_F(TeamShapeUpdate, FreePlayersTakeTheirBlendedSpotOnTheirSidesHalf)
{
    UpdateTeamStrategy();
    const MatchPerson& up = MatchPersons[LineUp[kUp][4]];
    EXPECT_EQ(up.targetX, 156 + 100 + 200 * 25 / 100);
    EXPECT_EQ(up.targetY, 122 + 200 + 400 * 50 / 100);
    EXPECT_EQ(up.shapeFlag, 1);
    const MatchPerson& down = MatchPersons[LineUp[kDown][4]];
    EXPECT_EQ(down.targetX, 1436 - (100 + 200 * 75 / 100));
    EXPECT_EQ(down.targetY, 2042 - (200 + 400 * 50 / 100));
    EXPECT_EQ(MatchPersons[LineUp[kUp][0]].targetX, -1) << "the keeper has no spot";
    EXPECT_EQ(MatchPersons[LineUp[kUp][11]].targetX, -1) << "nor the bench";
}

TEST_F(TeamShapeUpdate, OnlyAChangeOfEitherSidesWordsMovesThePlayersAgain)
{
    UpdateTeamStrategy();
    MatchPerson& p = MatchPersons[LineUp[kUp][3]];
    p.targetX = 5;  // sent elsewhere, by a marker's duty say
    UpdateTeamStrategy();
    EXPECT_EQ(p.targetX, 5);
    Match.strategy[1].yBlend = 0;
    UpdateTeamStrategy();
    EXPECT_NE(p.targetX, 5);
}

TEST_F(TeamShapeUpdate, BusyPlayersKeepTheirTargets)
{
    MatchPerson& busy = MatchPersons[LineUp[kUp][1]];
    busy.action = 16;
    MatchPerson& offside = MatchPersons[LineUp[kUp][2]];
    offside.offsideRecovery = 1;
    MatchPerson& off = MatchPersons[LineUp[kUp][3]];
    off.offPitch = 1;
    const int32_t receiver = LineUp[kUp][4];
    Match.distReceiver = static_cast<int16_t>(receiver);
    const int32_t taker = LineUp[kDown][9];
    Match.kickoffTaker = static_cast<int16_t>(taker);
    MatchPhase = PHASE_KICKOFF_TAKING;
    UpdateTeamStrategy();
    for (const MatchPerson* p :
         {&busy, &offside, &off, &MatchPersons[receiver], &MatchPersons[taker]}) {
        EXPECT_EQ(p->targetX, -1);
        EXPECT_EQ(p->shapeFlag, 0);
    }
    EXPECT_NE(MatchPersons[LineUp[kDown][8]].targetX, -1);

    MatchPhase = PHASE_OPEN_PLAY;  // in open play the distribution receiver follows the shape
    Match.strategy[0].xBlend = 0;
    UpdateTeamStrategy();
    EXPECT_NE(MatchPersons[receiver].targetX, -1);
    EXPECT_NE(MatchPersons[taker].targetX, -1);
}

TEST_F(TeamShapeUpdate, ThrowInSqueezesTheShapeTowardTheTouchline)
{
    struct Case {
        int32_t side, throwInX, x;
    };
    const int32_t upX = 156 + 150;     // blended across: 150
    const int32_t downX = 1436 - 250;  // blended across: 250
    const Case cases[] = {
        {kUp, 156, 156 + 150 * 70 / 100},
        {kUp, 1436, upX + (1436 - upX) * 30 / 100},
        {kDown, 1436, 1436 - 250 * 70 / 100},
        {kDown, 156, downX - (downX - 156) * 30 / 100},
    };
    MatchPhase = PHASE_THROW_IN_TAKEN;
    for (const Case& c : cases) {
        Match.throwInSpot[0] = static_cast<int16_t>(c.throwInX);
        Match.strategyApplied[0] = {};
        UpdateTeamStrategy();
        EXPECT_EQ(MatchPersons[LineUp[c.side][6]].targetX, c.x) << c.side << " " << c.throwInX;
    }
}

// The players of slots 1-10 but `busy` head for the side's spots of the row, wherever it
// attacks, and when `arrived` stand on them.
void ExpectPlayersOnRow(int32_t side, int32_t row, std::initializer_list<int32_t> busy,
                        bool arrived)
{
    const bool up = side == Match.secondOfPair;
    for (int32_t slot = 1; slot <= SHAPE_SPOT_COUNT; ++slot) {
        const int32_t person = LineUp[side][slot];
        if (std::find(busy.begin(), busy.end(), person) != busy.end()) continue;
        const ShapeSpot& spot = ShapeTables[side][row][slot - 1];
        const MatchPerson& p = MatchPersons[person];
        EXPECT_EQ(p.targetX, up ? 156 + spot.x : 1436 - spot.x) << "person " << person;
        EXPECT_EQ(p.targetY, up ? 122 + spot.y : 2042 - spot.y) << "person " << person;
        if (arrived) {
            EXPECT_LE(std::abs(p.x - p.targetX) + std::abs(p.y - p.targetY), 8) << person;
        }
    }
}

bool OnlyTheActivePlayersAreBusy()
{
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t slot = 1; slot <= SHAPE_SPOT_COUNT; ++slot) {
            const int32_t person = LineUp[side][slot];
            if (person == ActivePlayer[0] || person == ActivePlayer[1]) continue;
            if (MatchPersons[person].action >= ACT_CARRY_SPRINT) return false;
        }
    }
    return true;
}

TEST(TeamShapeMatch, PlayersTakeTheirKickOffAndGoalKickSpots)
{
    ScopedMatch match;
    MatchDayBuilder{}.Write();
    SetPitchConstants();
    Match_SetupPeriod();
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_KICKOFF_READY; }, 3000));
    const int32_t kicking = Match.kickOffSide;
    ExpectPlayersOnRow(kicking, 30, {Match.kickoffTaker, Match.kickoffPartner}, true);
    ExpectPlayersOnRow(kicking ^ 1, 64, {}, true);

    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_OPEN_PLAY; }, 3000));
    // Players busy with the ball keep their targets (proved above): award the goal kick once
    // only the active players are.
    ASSERT_TRUE(RunUntil(OnlyTheActivePlayersAreBusy, 3000));
    Match.goalKickSpot[0] = 700;
    Match.goalKickSpot[1] = 2042;
    KickingSide = Match.secondOfPair ^ 1;
    Ball.possession = static_cast<uint8_t>(KickingSide);  // as the line awards it
    MatchPhase = PHASE_GOAL_KICK_AWARDED;
    PhaseTimer = 0;
    ASSERT_TRUE(RunUntil([] { return MatchPhase == PHASE_GOAL_KICK_TAKEN; }, 3000));
    ExpectPlayersOnRow(KickingSide, 31, {ActivePlayer[0], ActivePlayer[1]}, false);
    ExpectPlayersOnRow(KickingSide ^ 1, 65, {ActivePlayer[0], ActivePlayer[1]}, false);
}

}  // namespace
