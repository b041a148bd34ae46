// tests/gamecode/formation_test.cpp: the grid bands, the exact spots of the shape rows, runs and
// drops, the mirror, the copied instructions and the built-in formations' shapes.
#include "gamecode/formation.h"

#include <cstring>
#include <vector>

#include "gamecode/matchstate.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t kSetPieceCopy = SHAPE_ROW_SET_PIECE + 1;

const ShapeSpot& Spot(int32_t side, int32_t row, int32_t slot)
{
    return ShapeTables[side][row][slot - 1];
}

int32_t OpenRow(int32_t set, int32_t ballColumn, int32_t ballBand)
{
    return set * SHAPE_SET_ROWS + ballColumn + 5 * ballBand;
}

// A slot with a home cell in block columns (mirrored by the set-up) and nothing else.
void Place(TacticsSlot& slot, int32_t column, int32_t row)
{
    slot = {};
    slot.row = static_cast<int16_t>(column);
    slot.column = static_cast<int16_t>(row);
    slot.row2 = slot.row3 = -1;
    slot.column2 = slot.column3 = -1;
    TacticsSlot_SetReceiver(&slot, -1);
    slot.targetRow = slot.targetColumn = -1;
    slot.markedOpponent = -1;
}

class FormationBuild : public testing::Test {
protected:
    void SetUp() override
    {
        for (int32_t slot = 0; slot < TACTIC_SLOT_COUNT; ++slot) {
            Place(TeamShape[0].slots[slot], slot % 15, slot);
        }
    }
    // Side 0's table built from TeamShape[0], copied out.
    std::vector<ShapeSpot> Build()
    {
        SetupFormations(0);
        const ShapeSpot* first = &ShapeTables[0][0][0];
        return {first, first + SHAPE_ROW_COUNT * SHAPE_SPOT_COUNT};
    }
    static const ShapeSpot& At(const std::vector<ShapeSpot>& t, int32_t row, int32_t slot)
    {
        return t[row * SHAPE_SPOT_COUNT + slot - 1];
    }
    ScopedMatch match;
};

TEST(Formation, GridBandsUndoTheGridAndSendValuesOffItToTheEnds)
{
    for (int32_t c = 0; c < SHAPE_GRID_COLUMNS; ++c) {
        EXPECT_EQ(Shape_ColumnOfX(Shape_GridX(c)), c);
    }
    for (int32_t r = 0; r < SHAPE_GRID_ROWS; ++r) {
        EXPECT_EQ(Shape_RowOfY(Shape_GridY(r)), r);
    }
    const int32_t rows[][2] = {{82, 0}, {83, 1}, {1410, 16}, {1411, 17}, {-42, 0}, {30000, 17}};
    for (const auto& [v, band] : rows) {
        EXPECT_EQ(Shape_RowOfY(v), band) << v;
    }
    const int32_t columns[][2] = {{65, 0}, {66, 1}, {923, 13}, {924, 14}, {-3, 0}};
    for (const auto& [v, band] : columns) {
        EXPECT_EQ(Shape_ColumnOfX(v), band) << v;
    }
}

TEST(Formation, ScaleSetTruncatesTowardZero)
{
    ScopedMatch match;
    ShapeBuildArea[0][0] = {-42, 1457};
    ShapeBuildArea[SHAPE_SET_ROWS][0] = {-42, 1457};
    Shape_ScaleSet(0);
    EXPECT_EQ(ShapeBuildArea[0][0].x, -52);
    EXPECT_EQ(ShapeBuildArea[0][0].y, 1835);
    EXPECT_EQ(ShapeBuildArea[SHAPE_SET_ROWS][0].x, -42);  // the other set is left alone
}

TEST_F(FormationBuild, KickOffCutKeepsCentralPlayersOfTheDefendingSetBack)
{
    Place(TeamShape[0].slots[1], 7, 15);   // grid column 7
    Place(TeamShape[0].slots[2], 10, 15);  // grid column 4
    SetupFormations(0);
    EXPECT_EQ(Spot(0, SHAPE_ROW_KICKOFF, 1).y, 909);
    EXPECT_EQ(Spot(0, SHAPE_SET_ROWS + SHAPE_ROW_KICKOFF, 1).y, 718);
    EXPECT_EQ(Spot(0, SHAPE_ROW_KICKOFF, 2).y, 909);
    EXPECT_EQ(Spot(0, SHAPE_SET_ROWS + SHAPE_ROW_KICKOFF, 2).y, 909);
}

TEST_F(FormationBuild, OpenPlayDepthBlendsWithTheNeighbourBand)
{
    // Home cells in column zone 2; the expected y tells which neighbour band was taken.
    struct Case {
        int32_t homeRow, ballBand, y;
    };
    const Case cases[] = {
        {0, 0, 40},     // neighbour band 1
        {3, 0, 244},    // 0
        {6, 0, 340},    // band - 1
        {15, 4, 1520},  // band - 1
        {15, 5, 1626},  // 5 at ball band 5
        {17, 5, 1835},  // a = b = 1.00
        {20, 0, 1387},  // off the grid: the end bands
    };
    for (const Case& c : cases) {
        Place(TeamShape[0].slots[1], 7, c.homeRow);
        SetupFormations(0);
        EXPECT_EQ(Spot(0, OpenRow(0, 2, c.ballBand), 1).y, c.y) << "row " << c.homeRow;
    }
}

TEST_F(FormationBuild, ForwardRunsChangeOnlyWhatTheirCellAllows)
{
    const TacticsSlot home = TeamShape[0].slots[4];  // block column 4, row 4: grid column 10
    const std::vector<ShapeSpot> still = Build();

    TeamShape[0].slots[4].row2 = -1;
    TeamShape[0].slots[4].column2 = 12;
    EXPECT_EQ(Build(), still) << "no forward column";
    TeamShape[0].slots[4].row2 = 2;
    TeamShape[0].slots[4].column2 = 4;
    EXPECT_EQ(Build(), still) << "forward row not ahead";

    TeamShape[0].slots[4].row2 = 4;
    TeamShape[0].slots[4].column2 = 12;
    const std::vector<ShapeSpot> ahead = Build();
    for (int32_t row = 0; row < SHAPE_ROW_COUNT; ++row) {
        EXPECT_EQ(At(ahead, row, 4).x, At(still, row, 4).x) << "straight ahead, row " << row;
    }
    EXPECT_NE(At(ahead, OpenRow(0, 0, 5), 4).y, At(still, OpenRow(0, 0, 5), 4).y);

    TeamShape[0].slots[4].row2 = 6;  // grid column 8: the smaller-column side
    const std::vector<ShapeSpot> smaller = Build();
    TeamShape[0].slots[4].row2 = 1;  // grid column 13
    const std::vector<ShapeSpot> greater = Build();
    for (int32_t bc = 0; bc < 5; ++bc) {
        EXPECT_EQ(At(smaller, OpenRow(0, bc, 0), 4).y, At(still, OpenRow(0, bc, 0), 4).y);
        EXPECT_EQ(At(smaller, OpenRow(0, bc, 5), 4).x, At(still, OpenRow(0, 4, 5), 4).x);
        EXPECT_EQ(At(greater, OpenRow(0, bc, 0), 4).x, At(still, OpenRow(0, 0, 0), 4).x);
        EXPECT_EQ(At(smaller, OpenRow(1, bc, 3), 4), At(still, OpenRow(1, bc, 3), 4));
    }
    EXPECT_NE(At(greater, OpenRow(0, 1, 3), 4).x, At(still, OpenRow(0, 1, 3), 4).x);
    TeamShape[0].slots[4] = home;
}

TEST_F(FormationBuild, DropsKeepBallBandFiveAndTouchOnlyTheDefendingSet)
{
    const std::vector<ShapeSpot> still = Build();
    TeamShape[0].slots[9].row3 = 3;  // grid column 11 from 5: the greater-column side
    TeamShape[0].slots[9].column3 = 5;
    const std::vector<ShapeSpot> drop = Build();
    for (int32_t bc = 0; bc < 5; ++bc) {
        EXPECT_EQ(At(drop, OpenRow(1, bc, 5), 9).y, At(still, OpenRow(1, bc, 5), 9).y);
        EXPECT_EQ(At(drop, OpenRow(1, bc, 0), 9).x, At(still, OpenRow(1, 0, 0), 9).x);
        EXPECT_EQ(At(drop, OpenRow(0, bc, 2), 9), At(still, OpenRow(0, bc, 2), 9));
    }
    EXPECT_LT(At(drop, OpenRow(1, 2, 1), 9).y, At(still, OpenRow(1, 2, 1), 9).y);
    TeamShape[0].slots[9].column3 = 9;  // not behind home
    EXPECT_EQ(Build(), still);
}

TEST_F(FormationBuild, MirrorTurnsBlockColumnsAroundAndKeepsNegativeOnes)
{
    Place(TeamShape[0].slots[1], 0, 5);
    Place(TeamShape[0].slots[2], 14, 5);
    TeamShape[0].slots[1].targetRow = 3;
    TeamShape[0].slots[1].targetColumn = 16;
    const TacticsRecord before = TeamShape[0];
    SetupFormations(0);
    EXPECT_EQ(Spot(0, SHAPE_ROW_RESTART, 1).x, 1217);  // X 966
    EXPECT_EQ(Spot(0, SHAPE_ROW_RESTART, 2).x, 41);    // X 33
    EXPECT_EQ(MatchPersons[1].targetCellColumn, 11);
    EXPECT_EQ(MatchPersons[1].targetCellRow, 16);
    EXPECT_EQ(MatchPersons[2].targetCellColumn, -1);
    EXPECT_EQ(std::memcmp(&before, &TeamShape[0], sizeof(before)), 0) << "the side's own block";
}

TEST_F(FormationBuild, AnySideButZeroFillsSideOne)
{
    TeamShape[1] = TeamShape[0];
    SetupFormations(2);
    EXPECT_NE(Spot(1, SHAPE_ROW_KICKOFF, 5).y, 0);
    EXPECT_EQ(Spot(0, SHAPE_ROW_KICKOFF, 5).y, 0);
}

TEST_F(FormationBuild, CopyHandsEachPlayerHisSlotsInstructions)
{
    struct Case {
        int32_t receiver, second, marking;  // in the slot
        int32_t wantReceiver, wantSecond, wantMarking;
    };
    LineUp[1][3] = 19;
    const Case cases[] = {
        {-1, 0, 0, 0, 0, -1},        {0, 7, -1, 0, 1, -1},       {3, 1, 5, 3, 1, 5},
        {10, 0, 16, 26 - 16, 0, -1}, {1, 0, 15, 17 - 16, 0, 15},
    };
    for (const Case& c : cases) {
        TacticsSlot& slot = TeamShape[1].slots[2];
        Place(slot, 4, 4);
        TacticsSlot_SetReceiver(&slot, c.receiver);
        slot.shooting = 2;
        slot.throughBall = static_cast<uint8_t>(c.second);
        slot.crossing = 1;
        slot.markedOpponent = static_cast<int16_t>(c.marking);
        CopySquadStatusToPlayers(1);
        const MatchPerson& p = MatchPersons[LineUp[1][2]];
        EXPECT_EQ(p.preferredReceiver, c.wantReceiver) << c.receiver;
        EXPECT_EQ(p.secondInstruction, c.wantSecond);
        EXPECT_EQ(p.markingSlot, c.wantMarking) << c.marking;
        EXPECT_EQ(p.firstInstruction, 2);
        EXPECT_EQ(p.thirdInstruction, 1);
    }
    MatchPerson& bench = MatchPersons[LineUp[1][12]];
    bench.markingSlot = 4;
    bench.firstInstruction = 9;
    CopySquadStatusToPlayers(1);
    SetupFormations(1);
    EXPECT_EQ(bench.markingSlot, -1);
    EXPECT_EQ(bench.firstInstruction, 0);
    EXPECT_EQ(bench.targetCellColumn, -1);
}

// Every built-in formation gives a shape the team strategy can use: spots on the pitch, both sides
// in their own half at a kick-off, and runs and drops that the shape rules do not ignore.
TEST(FormationBuiltIn, EveryBuiltInFormationBuildsASoundShape)
{
    ScopedMatch match;
    ScopedTactics tactics;
    for (int32_t n = 0; n < TACTIC_BUILTIN_COUNT; ++n) {
        SCOPED_TRACE(n);
        GetComputerTactics(&TeamShape[0], n);
        SetupFormations(0);
        for (int32_t slot = 1; slot <= SHAPE_SPOT_COUNT; ++slot) {
            const TacticsSlot& s = TeamShape[0].slots[slot];
            EXPECT_GT(+s.column2, +s.column) << "forward cell of slot " << slot;
            EXPECT_LT(+s.column3, +s.column) << "back cell of slot " << slot;
            for (int32_t other = 1; other < slot; ++other) {
                const TacticsSlot& o = TeamShape[0].slots[other];
                EXPECT_FALSE(o.row == s.row && o.column == s.column) << slot << " and " << other;
            }
            for (int32_t row = 0; row < SHAPE_ROW_COUNT; ++row) {
                const ShapeSpot& spot = Spot(0, row, slot);
                EXPECT_TRUE(spot.x >= 0 && spot.x <= 1280 && spot.y >= 0 && spot.y <= 1920)
                    << "row " << row << " slot " << slot;
            }
            const ShapeSpot& kickoff = Spot(0, SHAPE_ROW_KICKOFF, slot);
            const ShapeSpot& defending = Spot(0, SHAPE_SET_ROWS + SHAPE_ROW_KICKOFF, slot);
            EXPECT_LE(kickoff.y, 960);
            EXPECT_EQ(defending.x, kickoff.x);
            EXPECT_TRUE(defending.y == kickoff.y || defending.y == 718);
            EXPECT_EQ(Spot(0, SHAPE_ROW_RESTART, slot),
                      Spot(0, SHAPE_SET_ROWS + SHAPE_ROW_RESTART, slot));
            for (int32_t row : {kSetPieceCopy, SHAPE_SET_ROWS + SHAPE_ROW_SET_PIECE,
                                SHAPE_SET_ROWS + kSetPieceCopy}) {
                EXPECT_EQ(Spot(0, row, slot), Spot(0, SHAPE_ROW_SET_PIECE, slot));
            }
        }
    }
}

}  // namespace
