// tests/gamecode/refill_test.cpp: crafted formations refilled and reshaped by score and clock,
// the gaps that sendings-off leave, the spread of thinned rows, and the sides the refill leaves
// alone.
#include "gamecode/refill.h"

#include <cstring>
#include <vector>

#include "gamecode/ball.h"
#include "gamecode/formation.h"
#include "gamecode/matchstate.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "tests/gamecode/harness/harness.h"

namespace {

// A formation slot in the grid's words: row along the pitch, column across (the tactics record
// names them the other way round).
struct GridCell {
    int16_t row;
    int16_t column;
};

struct SlotCells {
    GridCell home;
    GridCell forward;
    GridCell back;
};

// Instructions every crafted slot carries, so that a neutralised slot shows.
void GiveInstructions(TacticsSlot& s)
{
    s.shooting = 1;
    s.throughBall = 0;
    s.crossing = 1;
    s.targetRow = 3;
    s.targetColumn = 12;
    s.markedOpponent = 4;
    TacticsSlot_SetReceiver(&s, 2);
}

TacticsRecord Formation(const std::vector<SlotCells>& outfield)
{
    TacticsRecord f{};
    f.slots[0].column = 0;
    f.slots[0].row = 7;
    for (std::size_t i = 0; i < outfield.size(); ++i) {
        TacticsSlot& s = f.slots[i + 1];
        const SlotCells& cells = outfield[i];
        s.column = cells.home.row;
        s.row = cells.home.column;
        s.column2 = cells.forward.row;
        s.row2 = cells.forward.column;
        s.column3 = cells.back.row;
        s.row3 = cells.back.column;
        GiveInstructions(s);
    }
    return f;
}

// Each slot two rows ahead when attacking and two back when defending.
SlotCells At(int16_t row, int16_t column)
{
    return {{row, column},
            {static_cast<int16_t>(row + 2), column},
            {static_cast<int16_t>(row - 2), column}};
}

// A 4-4-2: defenders in row band 1, midfield in band 3, forwards in band 5.
TacticsRecord FourFourTwo()
{
    return Formation({At(4, 1), At(4, 5), At(4, 9), At(4, 13), At(9, 1), At(9, 5), At(9, 9),
                      At(9, 13), At(15, 5), At(15, 9)});
}

// Side 0 plays `formation` as its first formation; side 1 is the human's, left alone.
void PlayAsSide0(const TacticsRecord& formation)
{
    SetOpenPlayScene();
    GetMatchSidesBlock()->sides[0].tactics[0] = formation;
    GetMatchSidesBlock()->sides[1].human = 1;
}

class Refill : public testing::Test {
protected:
    ScopedMatch match;
};

int32_t HomeRow(int32_t slot) { return TeamShape[0].slots[slot].column; }
int32_t HomeColumn(int32_t slot) { return TeamShape[0].slots[slot].row; }
bool Neutral(int32_t slot)
{
    const TacticsSlot& s = TeamShape[0].slots[slot];
    return s.shooting == 0 && s.crossing == 0 && s.targetColumn == -1 && s.markedOpponent == -1
           && TacticsSlot_Receiver(s) == -1;
}

// The clock at `minute` of period 0 or 1 (a period of 2,700 ticks counts one second a tick).
void SetClock(int32_t period, int32_t minute)
{
    Match.period = static_cast<uint8_t>(period);
    Match.periodLength = 2700;
    Match.periodTicks = static_cast<uint32_t>(minute - period * 45) * 60;
}

TEST_F(Refill, RestoresAndReshapesByTheAggregateScoreAndTheClock)
{
    // Home rows 0-17 in slots 1-10; the row 0 and 2 slots also run forward below row 3.
    const TacticsRecord rows = Formation({{{0, 1}, {1, 1}, {0, 1}},
                                          {{3, 4}, {5, 4}, {1, 4}},
                                          At(5, 7),
                                          At(6, 10),
                                          At(8, 13),
                                          At(11, 1),
                                          At(12, 4),
                                          At(14, 7),
                                          At(16, 10),
                                          {{17, 13}, {17, 13}, {15, 13}}});
    struct Case {
        const char* name;
        int16_t score[2];
        int16_t firstLeg[2];
        int32_t period;
        int32_t minute;  // ignored in period 3
        char shape;      // L level, S sat back, P pushed up
        int32_t homeRowChange[10];
    } const cases[] = {
        // Level: the restored rows below 3 become 4 (home and forward), nothing else moves.
        {"level", {0, 0}, {0, 0}, 0, 0, 'L', {4, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"two up counts as level", {2, 0}, {0, 0}, 3, 0, 'L', {4, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"one up sits back", {1, 0}, {0, 0}, 3, 0, 'S', {0, 0, 0, 0, -1, -1, -2, -2, -3, -3}},
        {"behind pushes up", {0, 1}, {0, 0}, 3, 0, 'P', {2, 2, 2, 1, 1, 1, 0, 0, 0, 0}},
        {"up here, behind on aggregate", {1, 0}, {0, 2}, 3, 0, 'P', {2, 2, 2, 1, 1, 1, 0, 0, 0, 0}},
        {"one up on aggregate only",
         {0, 0},
         {1, 0},
         3,
         0,
         'S',
         {0, 0, 0, 0, -1, -1, -2, -2, -3, -3}},
        {"behind at the kick-off", {0, 1}, {0, 0}, 0, 0, 'P', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"behind at minute 45", {0, 1}, {0, 0}, 1, 45, 'P', {1, 1, 1, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayAsSide0(rows);
        SetClock(c.period == 3 ? 0 : c.period, c.minute);
        Match.period = static_cast<uint8_t>(c.period);
        for (int32_t side = 0; side < 2; ++side) {
            Match.score[side] = c.score[side];
            Match.firstLegGoals[side] = c.firstLeg[side];
        }
        Team_RefillLineup();
        for (int32_t slot = 1; slot <= 10; ++slot) {
            const TacticsSlot& was = rows.slots[slot];
            EXPECT_EQ(HomeRow(slot) - was.column, c.homeRowChange[slot - 1]) << "slot " << slot;
            EXPECT_EQ(HomeColumn(slot), +was.row) << "slot " << slot;  // no rebalance, no spread
        }
        const TacticsSlot& first = TeamShape[0].slots[1];
        if (c.shape == 'L') {
            EXPECT_EQ(+first.column2, 4);  // a forward row below 3 raised too
            EXPECT_EQ(+first.column3, 0);  // the back row is not
            EXPECT_EQ(+first.markedOpponent, 4);
        }
        if (c.shape == 'P') {
            EXPECT_EQ(+first.markedOpponent, -1);
            EXPECT_EQ(first.throughBall, 1);  // home row below 7
            EXPECT_EQ(first.crossing, 2);
            EXPECT_EQ(TeamShape[0].slots[8].throughBall, 0);  // row 14
        }
        if (c.shape == 'S') {
            EXPECT_EQ(first.shooting, 0);
            EXPECT_EQ(first.crossing, 1);
            EXPECT_EQ(+first.targetColumn, -1);
            EXPECT_EQ(+first.targetRow, -1);
            EXPECT_EQ(+first.markedOpponent, 4);
        }
        // The working block and the players follow the side's block.
        EXPECT_EQ(MatchPersons[LineUp[0][1]].firstInstruction, first.shooting);
    }
}

TEST_F(Refill, AForwardRunIntoFourEmptyBandsLeavesTheGridAndStaysOnThePitch)
{
    // Slot 1 alone in column band 2: home row 4 rises to 5 at urgency 90 and meets his forward
    // row of 5, with bands 2-5 empty ahead: 5 + 90 x 16 / 100 = 19.
    TacticsRecord f = Formation({{{4, 7}, {5, 7}, {3, 7}},
                                 At(4, 1),
                                 At(4, 13),
                                 At(9, 1),
                                 At(9, 4),
                                 At(9, 10),
                                 At(9, 13),
                                 At(15, 1),
                                 At(15, 4),
                                 At(15, 12)});
    PlayAsSide0(f);
    SetClock(1, 80);
    Match.score[1] = 1;
    Team_RefillLineup();
    EXPECT_EQ(HomeRow(1), 5);
    EXPECT_EQ(+TeamShape[0].slots[1].column2, 19);
    for (const auto& row : ShapeTables[0]) {
        for (const ShapeSpot& spot : row) {
            EXPECT_GE(spot.x, 0);
            EXPECT_LE(spot.x, PITCH_WIDTH);
            EXPECT_GE(spot.y, 0);
            EXPECT_LE(spot.y, PITCH_LENGTH);
        }
    }
}

// What a level side short of players ends with: the slots whose home cell moved and where to,
// and whether each kept its instructions.
struct Moved {
    int32_t slot;
    GridCell home;
    bool neutral;
};

TEST_F(Refill, GapsAreFilledFromFurtherUpAndThinnedRowsSpread)
{
    const TacticsRecord lonePlaymaker =
        Formation({At(4, 1), At(4, 5), At(4, 9), At(4, 13), At(7, 4), At(13, 1), At(13, 7),
                   At(13, 13), At(16, 5), At(16, 9)});
    const TacticsRecord twoInBandOne =
        Formation({At(4, 1), At(4, 5), At(4, 9), At(4, 13), At(12, 1), At(9, 3), At(9, 5),
                   At(12, 13), At(15, 7), At(15, 8)});
    const TacticsRecord middleGap =
        Formation({At(4, 1), At(4, 7), At(4, 13), At(9, 1), At(9, 4), At(9, 10), At(9, 13),
                   At(12, 7), At(15, 5), At(15, 9)});
    const TacticsRecord everyoneUpOnTheRight =
        Formation({At(4, 1), At(4, 5), At(4, 9), At(4, 13), At(9, 10), At(9, 13), At(9, 7),
                   At(12, 13), At(15, 10), At(15, 13)});
    TacticsRecord offCentre = twoInBandOne;
    offCentre.slots[9].row = 8;
    struct Case {
        const char* name;
        TacticsRecord formation;
        std::vector<int32_t> lost;  // slots whose players are sent off
        std::vector<Moved> moved;   // every other slot keeps its home cell
    } const cases[] = {
        // The centre-back's gap takes the left midfielder (the gap's side first), whose gap
        // takes a forward; the forward's gap in band 5 stays, and the lone forward left is
        // centred.
        {"a centre-back sent off",
         FourFourTwo(),
         {2},
         {{2, {15, 5}, false}, {5, {4, 5}, true}, {9, {9, 1}, true}, {10, {16, 7}, true}}},
        // A centre-back's gap looks right of the middle before the left.
        {"a middle gap",
         middleGap,
         {2},
         {{6, {4, 7}, true}, {10, {9, 10}, true}, {2, {15, 9}, false}, {9, {16, 7}, true}}},
        // Nobody above on the gap's side: the second pass takes the middle before the right.
        {"the second pass",
         everyoneUpOnTheRight,
         {1},
         {{7, {4, 1}, true},
          {1, {15, 10}, false},
          {9, {10, 4}, true},
          {5, {10, 7}, true},
          {6, {10, 10}, true},
          {8, {13, 7}, true},
          {10, {16, 7}, true}}},
        {"a forward's gap is never filled", FourFourTwo(), {9}, {{10, {16, 7}, true}}},
        // The playmaker alone in his line is passed over for the midfield line above him; he
        // is centred on his band's middle row afterwards, while the middle man already in
        // column 7 keeps his instructions.
        {"the last man of a line stays",
         lonePlaymaker,
         {2},
         {{2, {16, 5}, false},
          {6, {4, 5}, true},
          {9, {13, 1}, true},
          {5, {7, 7}, true},
          {10, {16, 7}, true}}},
        // Two men of a band both in column band 1: only the lower slot moves (to column 5).
        {"two in column band 1", twoInBandOne, {10}, {{6, {10, 5}, true}}},
        {"a middle man off centre", offCentre, {10}, {{6, {10, 5}, true}, {9, {16, 7}, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayAsSide0(c.formation);
        // A second booking loses the slot as a sending-off does; one booking keeps it.
        for (const int32_t slot : c.lost) {
            MatchPersons[LineUp[0][slot]].bookings = 2;
        }
        for (int32_t slot = 1; slot <= 10; ++slot) {
            MatchPerson& p = MatchPersons[LineUp[0][slot]];
            if (p.bookings == 0) p.bookings = 1;
        }
        Team_RefillLineup();
        for (int32_t slot = 1; slot <= 10; ++slot) {
            SCOPED_TRACE(slot);
            const TacticsSlot& was = c.formation.slots[slot];
            GridCell home{was.column, was.row};
            bool neutral = false;
            for (const Moved& m : c.moved) {
                if (m.slot != slot) continue;
                home = m.home;
                neutral = m.neutral;
            }
            EXPECT_EQ(HomeRow(slot), home.row);
            EXPECT_EQ(HomeColumn(slot), home.column);
            EXPECT_EQ(Neutral(slot), neutral);
        }
        EXPECT_EQ(Shape_Counts(0).onPitch, 11 - static_cast<int32_t>(c.lost.size()));
    }
}

TEST_F(Refill, HumanSidesAreNotTouchedAndBothComputerSidesAreRefilledAfterAGoal)
{
    PlayAsSide0(FourFourTwo());
    GetMatchSidesBlock()->sides[0].human = 1;
    TacticsRecord mark{};
    mark.slots[3].column = 2;  // a row the refill would raise
    TeamShape[0] = mark;
    TeamShape[1] = mark;
    ShapeWorkingBlock = mark;
    MatchPersons[LineUp[0][3]].firstInstruction = 9;
    Team_RefillLineup();
    EXPECT_EQ(std::memcmp(&TeamShape[0], &mark, sizeof mark), 0);
    EXPECT_EQ(std::memcmp(&TeamShape[1], &mark, sizeof mark), 0);
    EXPECT_EQ(std::memcmp(&ShapeWorkingBlock, &mark, sizeof mark), 0);
    EXPECT_EQ(MatchPersons[LineUp[0][3]].firstInstruction, 9);

    // A goal for side 1 in the second extra period (urgency 100): the conceding side 0, now
    // behind, pushes up (row 4 + 2) and the scorers, one up, sit back (row 15 - 2).
    PlayAsSide0(FourFourTwo());
    GetMatchSidesBlock()->sides[1].human = 0;
    GetMatchSidesBlock()->sides[1].tactics[0] = FourFourTwo();
    TeamShape[0] = mark;
    TeamShape[1] = mark;
    Match.period = 3;
    Match.secondOfPair = 0;
    Person_PlaceAt(MATCH_BALL, PITCH_CENTRE_X, PITCH_NEAR_GOAL_LINE_Y - 4);
    Ball.lastToucher = 25;
    MatchPhase = PHASE_GOAL;
    PhaseTimer = 0;
    MatchPhase_Dispatch();
    ASSERT_EQ(Match.score[1], 1);
    EXPECT_EQ(+TeamShape[0].slots[1].column, 4 + 2);
    EXPECT_EQ(+TeamShape[1].slots[9].column, 15 - 2);
}

}  // namespace
