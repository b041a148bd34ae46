// The in-match team selection over a seeded fixture with the human at home, driven through its
// real pointer events: the rules that keep him on the screen, substitutions, the columns, the
// grid and the tactic buttons, and what each of them leaves in the engine's records.
#include "matchscreens/ingametactics.h"

#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "game/matchblocks.h"
#include "game/tactics.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "matchscreens/ingameteams.h"
#include "matchscreens/tacticsgrid.h"
#include "menus/vtmenu.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_loop.h"

namespace {

constexpr int32_t kNavPoints[9][2] = {{120, 420}, {320, 420}, {520, 420}, {120, 440}, {320, 440},
                                      {520, 440}, {120, 460}, {320, 460}, {520, 460}};
constexpr int32_t ACCEPT_X = 450, CANCEL_X = 554, ANSWER_Y = 394;

int32_t RowY(int32_t place) { return 70 + 20 * place; }
int32_t ColumnX(int32_t column) { return 283 + 32 * column; }
int32_t CellX(int32_t row) { return 406 + 13 * row; }
int32_t CellY(int32_t column) { return 48 + 16 * (17 - column); }

int32_t Click(int32_t x, int32_t y)
{
    SendVTEventAt(x, y, VT_EVENT_PRESS);
    return SendVTEventAt(x, y, VT_EVENT_RELEASE);
}

// Each outfield place p of the working tactic stands alone at row p + 2, column 5.
void SpreadWorkingTactic(int32_t side)
{
    for (int32_t place = 1; place < TACTIC_SLOT_COUNT; ++place) {
        TacticsSlot& s = TacticCopies[side].slots[place];
        s.row = s.row2 = s.row3 = static_cast<int16_t>(place + 2);
        s.column = s.column2 = s.column3 = 5;
        s.targetRow = s.targetColumn = s.markedOpponent = TACTIC_NONE;
        TacticsSlot_SetReceiver(&s, -1);
    }
}

class InGameTacticsTest : public testing::Test {
protected:
    void SetUp() override
    {
        MatchBlocks_Init();
        MatchEngine_Init();
        MatchDayBuilder().Write();
        InGameMenus_Init();
        MatchPresentationOps.InfoBar = [](int32_t, int32_t, int32_t) {};
        MatchDayBlock& block = *GetMatchSidesBlock();
        block.sides[0].human = 1;
        block.sides[0].tactic = TACTIC_CUSTOM_FIRST;
        block.substitutionsAllowed = 3;
        block.benchSize = 5;
        SeatEveryPersonInHisPlace();
        for (int32_t side = 0; side < 2; ++side) {
            for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot)
                MatchPersons[side * MATCH_PERSONS_PER_SIDE + slot].startedOnBench =
                    slot < MATCH_STARTERS ? 0 : 1;
            TacticCopies[side] = block.sides[side].tactics[0];
            SpreadWorkingTactic(side);
            Football_SetCaptain(side, 1);
            Football_SetPenaltyTaker(side, 2);
            Football_SetFreeKickTaker(side, 3);
            Football_SetCornerTaker(side, 4);
        }
        InGameMenuSide = 0;
        InGameMenuPage = 1;
        InGameMenuId = IGM_TEAM_SELECTION;
    }
    void TearDown() override
    {
        InGameMenus_Uninit();
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
    }

    static void Open() { InGameScreen_Open(InGameTactics_Screen()); }
    // The screen's own pass between events: the grid rebuilt and the frame drawn.
    static void Redraw()
    {
        InGameTactics_Screen().fill();
        VT_MenuRedraw();
    }

    ScopedMenuDisplay m_display;
};

using InGameTacticsDeathTest = InGameTacticsTest;

}  // namespace

TEST_F(InGameTacticsTest, EachBrokenRuleShowsItsTextAndKeepsEveryButtonFromLeaving)
{
    struct Case {
        const char* what;
        void (*breakIt)();
        int32_t text;
    };
    const Case cases[] = {
        {"captain sent off", [] { MatchPersons[1].offPitch = 1; }, 979},
        {"penalty taker on the bench", [] { Football_SetPenaltyTaker(0, 12); }, 980},
        {"free-kick taker off", [] { MatchPersons[3].offPitch = 1; }, 982},
        {"corner taker on the bench", [] { Football_SetCornerTaker(0, 13); }, 983},
        {"keeper sent off", [] { MatchPersons[0].offPitch = 1; }, 908},
        {"injured player",
         [] {
             MatchPersons[6].resultByteB = 2;
             MatchPersons[6].stats.injuryTotal = 30;
         },
         1816},
    };
    for (const Case& c : cases) {
        SetUp();
        c.breakIt();
        Open();
        for (const auto& point : kNavPoints) {
            EXPECT_EQ(SendVTEventAt(point[0], point[1], VT_EVENT_RELEASE), VT_BREAK_0) << c.what;
            EXPECT_EQ(InGameMenuId, IGM_TEAM_SELECTION) << c.what;
            EXPECT_EQ(InGameTactics_RuleMessage(), c.text) << c.what;
        }
        Click(ColumnX(1), RowY(8));  // any press puts the flags back
        EXPECT_EQ(InGameTactics_RuleMessage(), 0) << c.what;
        InGameScreen_Close();
    }
    // With every substitution used the injured player may stay on.
    Match.substitutionCount[0] = 3;
    Open();
    EXPECT_EQ(SendVTEventAt(320, 460, VT_EVENT_RELEASE), VT_BREAK_1);
    EXPECT_EQ(InGameMenuId, IGM_LINE_UPS);
    InGameScreen_Close();
}

TEST_F(InGameTacticsTest, ASubstitutionIsMadeInEitherOrderAndOnlyOnAccepting)
{
    struct Case {
        int32_t firstPlace, secondPlace;
        int32_t answerX;
        bool made;
    };
    const Case cases[] = {
        {9, 12, ACCEPT_X, true}, {12, 9, ACCEPT_X, true}, {9, 12, CANCEL_X, false}};
    for (const Case& c : cases) {
        SetUp();
        Open();
        EXPECT_EQ(Click(60, RowY(c.firstPlace)), VT_BREAK_0);
        EXPECT_FALSE(InGameTactics_Confirming());
        EXPECT_EQ(Click(60, RowY(c.secondPlace)), VT_BREAK_0);
        ASSERT_TRUE(InGameTactics_Confirming());
        Redraw();
        EXPECT_EQ(Click(c.answerX, ANSWER_Y), VT_BREAK_0);
        EXPECT_FALSE(InGameTactics_Confirming());
        EXPECT_EQ(Football_GetSubstitutionsUsed(0), c.made ? 1 : 0);
        EXPECT_EQ(Football_GetSidePlayer(0, 9), c.made ? 12 : 9);
        EXPECT_EQ(Football_GetSidePlayer(0, 12), c.made ? 9 : 12);
        EXPECT_EQ(+MatchPersons[12].matchRating, c.made ? 50 : 0);
        EXPECT_EQ(+GetMatchDataBlock()->eventCount, c.made ? 1 : 0);
        if (c.made) {
            EXPECT_EQ(+GetMatchDataBlock()->events[0].kind, 1);
        }
        InGameScreen_Close();
    }
    // A substitute whose bench mark is clear cannot be picked.
    SetUp();
    MatchPersons[13].startedOnBench = 0;
    Open();
    Click(60, RowY(9));
    Click(60, RowY(13));
    EXPECT_FALSE(InGameTactics_Confirming());
    InGameScreen_Close();
}

TEST_F(InGameTacticsTest, FromTheRunningMatchTheBenchIsNotListedAndTheHumanCanOnlyAsk)
{
    InGameMenuPage = 0;
    Open();
    Click(60, RowY(9));
    EXPECT_EQ(Click(60, RowY(12)), VT_BREAK_0);
    EXPECT_FALSE(InGameTactics_Confirming());
    EXPECT_EQ(SubstitutionRequest[0], 0);
    EXPECT_EQ(Click(220, 330), VT_BREAK_1);  // "Remplaçant"
    EXPECT_EQ(SubstitutionRequest[0], 1);
    EXPECT_EQ(InGameMenuId, IGM_CLOSED);
    InGameScreen_Close();
}

TEST_F(InGameTacticsTest, TheColumnsChangeInstructionsAndGiveRolesThroughTheEngine)
{
    Open();
    EXPECT_EQ(InGameTactics_ColumnMode(), 1);
    const int32_t roleColumnsTo[4] = {0, 1, 2, 3};
    for (const int32_t column : roleColumnsTo)
        EXPECT_EQ(Click(ColumnX(column), RowY(7)), VT_BREAK_0);
    EXPECT_EQ(Football_IsCaptain(0, 7), 1);
    EXPECT_EQ(Football_IsCornerTaker(0, 7), 1);
    EXPECT_EQ(Football_IsPenaltyTaker(0, 7), 1);
    EXPECT_EQ(Football_IsFreeKickTaker(0, 7), 1);

    Click(300, 44);  // roles -> instructions
    ASSERT_EQ(InGameTactics_ColumnMode(), 0);
    TacticsSlot& s = TacticCopies[0].slots[5];
    const uint8_t seen[3][3] = {{1, 2, 0}, {1, 2, 0}, {1, 0, 1}};  // bytes 19, 17, 18
    uint8_t* bytes[3] = {&s.crossing, &s.shooting, &s.throughBall};
    for (int32_t column = 0; column < 3; ++column) {
        for (const uint8_t expected : seen[column]) {
            Click(ColumnX(column), RowY(5));
            EXPECT_EQ(*bytes[column], expected) << column;
        }
    }
    s.targetRow = 4;
    s.targetColumn = 9;
    Click(ColumnX(3), RowY(5));
    EXPECT_EQ(+s.targetRow, TACTIC_NONE);
    EXPECT_EQ(+s.targetColumn, TACTIC_NONE);
    const TacticsSlot before = s;
    Click(ColumnX(3), RowY(5));  // nothing to clear
    EXPECT_EQ(std::memcmp(&before, &s, sizeof(s)), 0);
    Click(300, 44);
    EXPECT_EQ(InGameTactics_ColumnMode(), 2);
    Click(300, 44);
    EXPECT_EQ(InGameTactics_ColumnMode(), 1);
    InGameScreen_Close();
}

TEST_F(InGameTacticsTest, TheGridMovesSwapsAndGivesFurtherPositionsAndPasses)
{
    Open();
    TacticsRecord& t = TacticCopies[0];
    // Pick place 3 (row 5, column 5), arm the pick on the release, move him to an empty cell.
    Click(CellX(5), CellY(5));
    t.slots[3].shooting = 2;
    Click(CellX(5), CellY(12));
    Redraw();
    EXPECT_EQ(+t.slots[3].row, 5);
    EXPECT_EQ(+t.slots[3].column, 12);
    EXPECT_EQ(+t.slots[3].column3, 12);
    EXPECT_EQ(+t.slots[3].shooting, 0);  // a fresh place
    // A press on a team-mate swaps whole slots; a receiver naming the player himself goes.
    TacticsSlot_SetReceiver(&t.slots[4], 3);
    t.slots[4].crossing = 1;
    Click(CellX(5), CellY(12));
    Click(CellX(6), CellY(5));  // place 4
    Redraw();
    EXPECT_EQ(+t.slots[3].row, 6);
    EXPECT_EQ(+t.slots[3].crossing, 1);
    EXPECT_EQ(TacticsSlot_Receiver(t.slots[3]), -1);
    EXPECT_EQ(+t.slots[4].column, 12);
    // Left drags: up to the second position, down to the third.
    SendVTEventAt(CellX(7), CellY(5), VT_EVENT_PRESS);  // place 5
    SendVTEventAt(CellX(9), CellY(14), VT_EVENT_RELEASE);
    SendVTEventAt(CellX(7), CellY(5), VT_EVENT_PRESS);
    SendVTEventAt(CellX(8), CellY(1), VT_EVENT_RELEASE);
    EXPECT_EQ(+t.slots[5].row2, 9);
    EXPECT_EQ(+t.slots[5].column2, 14);
    EXPECT_EQ(+t.slots[5].row3, 8);
    EXPECT_EQ(+t.slots[5].column3, 1);
    // A left click on an empty cell clears every second position there.
    Click(CellX(9), CellY(14));
    EXPECT_EQ(+t.slots[5].row2, 7);
    EXPECT_EQ(+t.slots[5].column2, 5);
    EXPECT_EQ(+t.slots[5].column3, 1);
    // Presses just outside the cells do nothing.
    Click(CellX(6), CellY(5));
    Click(597, CellY(5));
    Click(CellX(5), 336);
    Redraw();
    EXPECT_EQ(+t.slots[3].row, 6);
    EXPECT_EQ(+t.slots[4].row, 5);
    EXPECT_EQ(+t.slots[4].column, 12);
    ExpectGoldenHash("in_match_team_selection", WorkScreenHash());
    InGameScreen_Close();
}

TEST_F(InGameTacticsTest, RightDragsSetTheTargetCellOrTheReceiver)
{
    TacticsRecord& t = TacticCopies[0];
    TacticsGrid grid{};
    TacticsGrid_Build(&grid, 0, t);
    TacticsGridPointer pointer = TG_NO_POINTER;
    TacticsGrid_Press(&pointer, &grid, &t, {4, 5}, TG_RIGHT);  // place 2
    TacticsGrid_Release(&pointer, &grid, &t, {10, 16});
    EXPECT_EQ(+t.slots[2].targetRow, 10);
    EXPECT_EQ(+t.slots[2].targetColumn, 16);
    TacticsGrid_Press(&pointer, &grid, &t, {4, 5}, TG_RIGHT);
    TacticsGrid_Release(&pointer, &grid, &t, {9, 5});  // place 7
    EXPECT_EQ(TacticsSlot_Receiver(t.slots[2]), 7);
    EXPECT_EQ(+t.slots[2].targetRow, TACTIC_NONE);
    EXPECT_EQ(pointer.pick, TG_NONE);

    const std::pair<int32_t, int32_t> outside[] = {{399, 100}, {388, 100}, {400, 39},
                                                   {400, 28},  {595, 100}, {450, 328}};
    for (const auto& [x, y] : outside) {
        GridCell cell{};
        EXPECT_FALSE(TacticsGrid_CellAt(400, 40, x, y, &cell)) << x << "," << y;
    }
    GridCell corner{};
    ASSERT_TRUE(TacticsGrid_CellAt(400, 40, 594, 327, &corner));
    EXPECT_EQ(+corner.row, 14);
    EXPECT_EQ(+corner.column, 0);
}

TEST_F(InGameTacticsDeathTest, PositioningAPlaceOutsideTheOutfieldIsFatal)
{
    TacticsGrid grid{};
    TacticsGrid_Build(&grid, 0, TacticCopies[0]);
    for (const int32_t slot : {0, 11})
        EXPECT_EXIT(PositionPlayer(&grid, &TacticCopies[0], slot, 1, 1), testing::ExitedWithCode(1),
                    "Dodgy position -?[0-9]+ in s_mn0:PositionPlayer");
}

TEST_F(InGameTacticsTest, TacticButtonsFollowTheNumberingAndReloadTheWorkingRecord)
{
    MatchSide& sheet = GetMatchSidesBlock()->sides[0];
    const TacticsRecord empty = [] {
        TacticsRecord r{};
        r.slots[0].row = static_cast<int16_t>(TACTIC_EMPTY_MARK);
        return r;
    }();
    sheet.tactics[1] = sheet.tactics[0];
    sheet.tactics[1].slots[6].row = 11;
    for (int32_t n = 2; n < TACTIC_CUSTOM_COUNT; ++n)
        sheet.tactics[n] = empty;
    struct Case {
        int32_t tactic, variant;
        int32_t formation, nextVariant;
    };
    const Case cases[] = {
        {0, 0, 5, 1},   {12, 2, 17, 13}, {14, 4, 19, 10}, {35, 0, 40, 36}, {39, 4, 40, 35},
        {40, 3, 3, 41}, {41, 0, 0, 40},  {45, 2, 2, 40},  {51, 1, 1, 40},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InGameTactics_NextFormation(c.tactic, c.variant, sheet), c.formation) << c.tactic;
        EXPECT_EQ(InGameTactics_NextVariant(c.tactic, sheet), c.nextVariant) << c.tactic;
    }
    const TacticsRecord first = sheet.tactics[0];
    sheet.tactics[0] = empty;
    EXPECT_EQ(InGameTactics_NextFormation(37, 2, sheet), 2);  // no first custom tactic
    sheet.tactics[0] = first;

    // The variant button on custom 1 moves to custom 2 and reads it into the working record.
    Open();
    Click(554, 365);
    EXPECT_EQ(+sheet.tactic, TACTIC_CUSTOM_FIRST + 1);
    EXPECT_EQ(+TacticCopies[0].slots[6].row, 11);
    InGameScreen_Close();
}

TEST_F(InGameTacticsTest, AComputerSidesScreenShowsFiguresAndIgnoresAllButTheBar)
{
    InGameMenuSide = 1;
    MatchPersons[MATCH_PERSONS_PER_SIDE + 1].offPitch = 1;  // its captain off: no rule applies
    const TacticsRecord before = TacticCopies[1];
    Open();
    EXPECT_EQ(InGameTactics_ColumnMode(), 2);
    Click(300, 44);
    Click(60, RowY(9));
    Click(60, RowY(3));
    Click(ColumnX(0), RowY(4));
    Click(CellX(5), CellY(5));
    Click(CellX(5), CellY(12));
    EXPECT_EQ(InGameTactics_ColumnMode(), 2);
    EXPECT_EQ(Football_GetSidePlayer(1, 9), 9);
    EXPECT_EQ(std::memcmp(&before, &TacticCopies[1], sizeof(before)), 0);
    EXPECT_EQ(SendVTEventAt(120, 440, VT_EVENT_RELEASE), VT_BREAK_1);
    EXPECT_EQ(InGameMenuId, IGM_SQUAD);
    InGameScreen_Close();
}

// Escape takes the screen's way on, as its "Composition des équipes" button does: from the
// team selection at half-time to the line-ups, and from the line-ups back to the match; while a
// rule is broken it leaves no more than the button does.
TEST_F(InGameTacticsTest, EscapeTakesTheWayOnToTheLineUpsAndBackToTheMatch)
{
    constexpr int32_t ESCAPE = 1;
    uint16_t idAfterEscape = 0;
    int32_t messageAfterEscape = 0;
    MatchPersons[1].offPitch = 1;  // the captain sent off
    MenuInputs inputs;
    // The screen's first drawing takes its time, and a screen forgets the keys pressed before it.
    AddKey(&inputs, 150, ESCAPE);
    inputs.push_back({160, MenuInput::CALL, 0, 0, [&] {
                          idAfterEscape = InGameMenuId;
                          messageAfterEscape = InGameTactics_RuleMessage();
                          Football_SetCaptain(0, 2);
                      }});
    AddKey(&inputs, 200, ESCAPE);
    AddClick(&inputs, 260, 320, 460);  // should Escape do nothing, the button ends the screen
    {
        ScopedMenuScript script(inputs, 100);
        InGameScreen_Run(InGameTactics_Screen());
        EXPECT_LT(ScopedMenuScript::Elapsed(), 250u);
    }
    EXPECT_EQ(idAfterEscape, IGM_TEAM_SELECTION);
    EXPECT_EQ(messageAfterEscape, 979);
    EXPECT_EQ(InGameMenuId, IGM_LINE_UPS);

    inputs.clear();
    AddKey(&inputs, 150, ESCAPE);
    AddClick(&inputs, 260, 320, 460);
    {
        ScopedMenuScript script(inputs, 100);
        InGameScreen_Run(InGameTeams_Screen(IGM_LINE_UPS));
        EXPECT_LT(ScopedMenuScript::Elapsed(), 250u);
    }
    EXPECT_EQ(InGameMenuId, IGM_CLOSED);
}
