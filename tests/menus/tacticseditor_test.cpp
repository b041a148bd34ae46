// tests/menus/tacticseditor_test.cpp: the tactics editor's pointer step (moves, swaps, runs and
// passes), the conversion of a built-in tactic into a custom one, its buttons and drop-downs,
// its fatal texts and its frame; built-in tactics never change.
#include "menus/tacticseditor.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "engine/mouse.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/records.h"
#include "game/simmatch.h"
#include "game/squad.h"
#include "game/tactics.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "menus/exm.h"
#include "menus/labelbox.h"
#include "menus/machine.h"
#include "menus/menubar.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t FOUR_FOUR_TWO_OFFENSIVE = 0;

// The editor's cells of a slot, under its names (the record calls the across value its row).
EditorCell Position(int32_t slot)
{
    const TacticsSlot& s = TacticsEditor.work->slots[slot];
    return {s.row, s.column};
}
EditorCell ForwardRun(int32_t slot)
{
    const TacticsSlot& s = TacticsEditor.work->slots[slot];
    return {s.row2, s.column2};
}
EditorCell BackwardRun(int32_t slot)
{
    const TacticsSlot& s = TacticsEditor.work->slots[slot];
    return {s.row3, s.column3};
}
EditorCell PassCell(int32_t slot)
{
    const TacticsSlot& s = TacticsEditor.work->slots[slot];
    return {s.targetRow, s.targetColumn};
}
int32_t Receiver(int32_t slot) { return TacticsSlot_Receiver(TacticsEditor.work->slots[slot]); }

// A point inside the cell, a little in from its top-left corner.
void PointOf(EditorCell cell, int32_t* x, int32_t* y)
{
    *x = EDITOR_GRID_X
         + (cell.column * EDITOR_GRID_W + EDITOR_GRID_COLUMNS - 1) / EDITOR_GRID_COLUMNS + 3;
    *y = EDITOR_GRID_Y
         + ((EDITOR_GRID_ROWS - 1 - cell.row) * EDITOR_GRID_H + EDITOR_GRID_ROWS - 1)
               / EDITOR_GRID_ROWS
         + 3;
}

void Press(EditorCell cell, uint32_t button)
{
    int32_t x, y;
    PointOf(cell, &x, &y);
    LogicalInfusion(x, y, button);
}
void Release(EditorCell cell)
{
    int32_t x, y;
    PointOf(cell, &x, &y);
    LogicalInfusion(x, y, 0);
}
void Click(EditorCell cell)
{
    Press(cell, MOUSE_PRIMARY);
    Release(cell);
}
void Drag(EditorCell from, EditorCell to, uint32_t button)
{
    Press(from, button);
    Release(to);
}

bool Empty(EditorCell cell) { return TacticsEditor.grid[cell.column][cell.row] < 0; }

// The first empty cell in the slot's column (across) whose row relates to his as asked.
EditorCell EmptyCellBy(int32_t slot, const std::function<bool(int32_t row, int32_t his)>& fits)
{
    const EditorCell at = Position(slot);
    for (int32_t c = 0; c < EDITOR_GRID_COLUMNS; ++c) {
        for (int32_t r = 0; r < EDITOR_GRID_ROWS; ++r) {
            const EditorCell cell{(at.column + c) % EDITOR_GRID_COLUMNS, r};
            if (Empty(cell) && fits(r, at.row)) return cell;
        }
    }
    ADD_FAILURE() << "no empty cell for slot " << slot;
    return {0, 0};
}
EditorCell EmptyAhead(int32_t slot)
{
    return EmptyCellBy(slot, [](int32_t r, int32_t his) { return r > his + 1; });
}
EditorCell EmptyBehind(int32_t slot)
{
    return EmptyCellBy(slot, [](int32_t r, int32_t his) { return r < his; });
}

TacticsRecord Builtin(int32_t n)
{
    TacticsRecord record;
    GetComputerTactics(&record, n);
    return record;
}

bool Same(const TacticsRecord& a, const TacticsRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class TacticsEditorTest : public ::testing::Test {
protected:
    // Runs the editor on 4-4-2 Offensive with every custom tactic empty.
    // The inputs come while it runs: a question box the check opens takes its presses.
    void Run(const std::function<void()>& check, MenuInputs inputs = {})
    {
        m_screen.Run(
            TacticsEditor_Table(),
            [&] {
                CustomTactics_Clear();
                CurrentTactic = FOUR_FOUR_TWO_OFFENSIVE;
                TacticsEditor_Init();
                check();
            },
            std::move(inputs));
    }
    // Back to the built-in tactic, every custom tactic empty, as on a fresh entry.
    static void Restart()
    {
        CustomTactics_Clear();
        CurrentTactic = FOUR_FOUR_TWO_OFFENSIVE;
        TacticsEditor.previous = EDITOR_PREVIOUS_ENTRY;
        TacticsEditor.modified = false;
        TacticsEditor.picked = -1;
        TacticsEditor.buttons = 0;
        TacticsEditor_Init();
    }

    ScopedScreenRedraw m_screen;
};

}  // namespace

TEST_F(TacticsEditorTest, ThePointerMovesSwapsAndDrawsRunsAndPasses)
{
    Run([] {
        const TacticsRecord builtin = Builtin(FOUR_FOUR_TWO_OFFENSIVE);
        ASSERT_TRUE(Same(*TacticsEditor.work, builtin));
        constexpr int32_t mid = 6, other = 7, forward = 9;  // slots: shirts 7, 8 and 10
        constexpr EditorCell none{-1, -1};
        EditorCell target{}, was{};
        bool hadBackward = false;
        struct Case {
            const char* what;
            bool customFirst;  // the change is made to custom tactic 1 already
            std::function<void()> act;
            std::function<void()> check;
            bool converts;  // the tactic ends as custom tactic 1
        };
        const Case cases[] = {
            {"a click on a player, then on an empty cell ahead, moves him there", false,
             [&] {
                 target = EmptyAhead(mid);
                 hadBackward = BackwardRun(mid).row >= 0;
                 Click(Position(mid));
                 EXPECT_GE(TacticsEditor.picked, 0);
                 EXPECT_EQ(CurrentTactic, FOUR_FOUR_TWO_OFFENSIVE);  // a pick changes nothing
                 Click(target);
             },
             [&] {
                 EXPECT_EQ(Position(mid), target);
                 EXPECT_EQ(TacticsEditor.grid[target.column][target.row],
                           VTW_GetPlayerByShirt(mid + 1));
                 // A lone forward run goes with the move; what is left points the right way.
                 if (!hadBackward) {
                     EXPECT_EQ(ForwardRun(mid), none);
                 }
                 if (ForwardRun(mid).row >= 0) {
                     EXPECT_GE(ForwardRun(mid).row, target.row);
                 }
                 if (BackwardRun(mid).row >= 0) {
                     EXPECT_LT(BackwardRun(mid).row, target.row);
                 }
                 EXPECT_EQ(TacticsEditor.picked, -1);
             },
             true},
            {"a click on a player, then on another, swaps their slots", true,
             [&] {
                 TacticsSlot_SetReceiver(&TacticsEditor.work->slots[mid], other);
                 was = Position(mid);
                 target = Position(other);
                 Click(was);
                 Click(target);
             },
             [&] {
                 EXPECT_EQ(Position(mid), target);
                 EXPECT_EQ(Position(other), was);
                 EXPECT_EQ(Receiver(other), -1);  // the link he took over would be to himself
             },
             true},
            {"a drag onto an occupied cell cancels", false,
             [] { Drag(Position(mid), Position(other), MOUSE_PRIMARY); },
             [&] { EXPECT_TRUE(Same(*TacticsEditor.work, builtin)); }, false},
            {"a left drag ahead of him sets his forward run", false,
             [&] {
                 target = EmptyAhead(forward);
                 Drag(Position(forward), target, MOUSE_PRIMARY);
             },
             [&] { EXPECT_EQ(ForwardRun(forward), target); }, true},
            {"a left drag behind him sets his backward run", false,
             [&] {
                 target = EmptyBehind(forward);
                 Drag(Position(forward), target, MOUSE_PRIMARY);
             },
             [&] { EXPECT_EQ(BackwardRun(forward), target); }, true},
            {"a right drag onto a team-mate links the pass and clears the cell target", true,
             [] {
                 TacticsEditor.work->slots[mid].targetRow = 3;
                 TacticsEditor.work->slots[mid].targetColumn = 3;
                 Drag(Position(mid), Position(forward), MOUSE_SECONDARY);
             },
             [&] {
                 EXPECT_EQ(Receiver(mid), forward);
                 EXPECT_EQ(PassCell(mid), none);
             },
             true},
            {"a right drag onto an empty cell sets the cell target and clears the link", false,
             [&] {
                 target = EmptyAhead(mid);
                 Drag(Position(mid), target, MOUSE_SECONDARY);
             },
             [&] {
                 EXPECT_EQ(PassCell(mid), target);
                 EXPECT_EQ(Receiver(mid), -1);
             },
             true},
            {"a click on an empty cell where a run ends converts, then removes it", false,
             [&] {
                 int32_t slot = 1;
                 while (slot < TACTIC_SLOT_COUNT
                        && !(ForwardRun(slot).row >= 0 && Empty(ForwardRun(slot)))) {
                     ++slot;
                 }
                 ASSERT_LT(slot, TACTIC_SLOT_COUNT) << "no built-in run ends on an empty cell";
                 target = ForwardRun(slot);
                 Click(target);
             },
             [&] {
                 for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
                     EXPECT_NE(ForwardRun(slot), target) << slot;
                     EXPECT_NE(BackwardRun(slot), target) << slot;
                 }
                 EXPECT_TRUE(TacticsEditor.modified);
             },
             true},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            Restart();
            if (c.customFirst) {
                ASSERT_TRUE(TacticsEditor_EnsureCustom());
            }
            c.act();
            c.check();
            EXPECT_EQ(CurrentTactic, c.converts ? TACTIC_CUSTOM_FIRST : FOUR_FOUR_TWO_OFFENSIVE);
            if (c.converts) {
                EXPECT_EQ(TacticsEditor.work, &CustomTactics[0]);
                EXPECT_TRUE(Same(TacticsEditor.saved, builtin));
                EXPECT_TRUE(TacticsRecord_IsValid(CustomTactics[0]));
            }
            EXPECT_TRUE(Same(TacticCopies[TACTIC_COPY_COMPUTER], builtin));  // never written
        }
    });
}

TEST_F(TacticsEditorTest, AChangeWithEveryCustomTacticInUseAsksWhichToOverwrite)
{
    struct Case {
        int32_t x, y;    // the button pressed in the question box
        int32_t tactic;  // the tactic number after the change
        int32_t custom;  // the custom tactic that took the change, -1 none
    };
    const Case cases[] = {
        {370, 290, TACTIC_CUSTOM_FIRST + 6, 6},   // "Personnalisé 7"
        {320, 230, FOUR_FOUR_TWO_OFFENSIVE, -1},  // "Non" leaves everything
        {170, 260, TACTIC_CUSTOM_FIRST + 0, 0},   // "Personnalisée 1"
    };
    const TacticsRecord builtin = Builtin(FOUR_FOUR_TWO_OFFENSIVE);
    const TacticsRecord other = Builtin(12);
    for (const Case& c : cases) {
        // The editor's state as its screen leaves it, the box asked outside its loop.
        TacticsEditorInit();
        TacticsEditor.club = m_screen.HumanClub();
        Restart();
        for (TacticsRecord& custom : CustomTactics) {
            custom = other;
        }
        MenuInputs inputs;
        for (uint32_t tick = 30; tick <= 270; tick += 60) {  // the box shows after a while
            AddClick(&inputs, tick, c.x, c.y);
        }
        {
            ScopedMenuScript script(inputs, 20);
            EXPECT_EQ(TacticsEditor_ClickCross(6), EXM_CODE_REDRAW);
        }
        EXPECT_EQ(CurrentTactic, c.tactic);
        for (int32_t i = 0; i < TACTIC_CUSTOM_COUNT; ++i) {
            if (i == c.custom) {
                TacticsRecord expected = builtin;
                expected.slots[6].crossing =
                    static_cast<uint8_t>((builtin.slots[6].crossing + 1) % 3);
                EXPECT_TRUE(Same(CustomTactics[i], expected)) << i;
                EXPECT_TRUE(Same(TacticsEditor.saved, builtin));
            } else {
                EXPECT_TRUE(Same(CustomTactics[i], other)) << i;
            }
        }
        EXPECT_EQ(TacticsEditor.modified, c.custom >= 0);
        EXPECT_TRUE(Same(TacticCopies[TACTIC_COPY_COMPUTER], builtin));
    }
}

TEST_F(TacticsEditorTest, ButtonsOptionCellsShirtsAndDropDowns)
{
    Run([] {
        const TacticsRecord builtin = Builtin(FOUR_FOUR_TWO_OFFENSIVE);
        constexpr int32_t slot = 5;
        const TacticsSlot& s = CustomTactics[0].slots[slot];
        // On a built-in tactic nothing is undone or reset.
        EXPECT_EQ(TacticsEditor_Undo(), 1);
        EXPECT_EQ(TacticsEditor_Reset(), 1);
        EXPECT_EQ(TacticsEditor_ChooseFormation(TACTIC_FORMATION_COUNT), 1);  // no custom 1
        EXPECT_EQ(TacticsEditor_ChooseCustom(3), 1);

        // The option cells: cross and shot cycle through three values, the through ball two.
        struct Cycle {
            int32_t (*click)(int32_t slot);
            const uint8_t TacticsSlot::*field;
            int32_t values;
        };
        const Cycle cycles[] = {
            {TacticsEditor_ClickCross, &TacticsSlot::crossing, 3},
            {TacticsEditor_ClickShot, &TacticsSlot::shooting, 3},
            {TacticsEditor_ClickThroughBall, &TacticsSlot::throughBall, 2},
        };
        for (const Cycle& c : cycles) {
            const int32_t first = builtin.slots[slot].*c.field;
            for (int32_t k = 1; k <= c.values; ++k) {
                EXPECT_EQ(c.click(slot), EXM_CODE_REDRAW);
                EXPECT_EQ(s.*c.field, (first + k) % c.values);
            }
        }
        EXPECT_EQ(CurrentTactic, TACTIC_CUSTOM_FIRST);
        EXPECT_TRUE(Same(TacticsEditor.saved, builtin));

        // "Annuler" undoes the last change only; a second does nothing.
        const TacticsRecord beforeLast = CustomTactics[0];
        TacticsEditor_ClickCross(slot);
        EXPECT_EQ(TacticsEditor_Undo(), EXM_CODE_REDRAW);
        TacticsEditor_Init();
        EXPECT_TRUE(Same(CustomTactics[0], beforeLast));
        EXPECT_EQ(TacticsEditor_Undo(), 1);
        // The pass cell clears the link and the target; with neither it does nothing.
        TacticsSlot_SetReceiver(&CustomTactics[0].slots[slot], 9);
        EXPECT_EQ(TacticsEditor_ClickPass(slot), EXM_CODE_REDRAW);
        EXPECT_EQ(TacticsSlot_Receiver(s), -1);
        EXPECT_EQ(s.targetRow, -1);
        EXPECT_EQ(TacticsEditor_ClickPass(slot), 1);
        // "Réinitialiser" brings back the built-in record it was copied from.
        EXPECT_EQ(TacticsEditor_Reset(), EXM_CODE_REDRAW);
        TacticsEditor_Init();
        EXPECT_TRUE(Same(CustomTactics[0], builtin));
        EXPECT_TRUE(Same(TacticCopies[TACTIC_COPY_COMPUTER], builtin));

        // Formation, variant and custom tactic.
        EXPECT_EQ(TacticsEditor_ChooseFormation(3), EXM_CODE_REDRAW);
        TacticsEditor_Init();
        EXPECT_EQ(TacticsEditor_ChooseVariant(1), EXM_CODE_REDRAW);
        TacticsEditor_Init();
        EXPECT_EQ(CurrentTactic, 16);  // 4-3-3 Défensive
        EXPECT_TRUE(Same(*TacticsEditor.work, Builtin(16)));
        EXPECT_EQ(TacticsEditor_ChooseFormation(TACTIC_FORMATION_COUNT), EXM_CODE_REDRAW);
        TacticsEditor_Init();
        EXPECT_EQ(CurrentTactic, TACTIC_CUSTOM_FIRST);
        EXPECT_EQ(TacticsEditor.work, &CustomTactics[0]);
        EXPECT_EQ(TacticsEditor_ChooseVariant(2), 1);  // a custom tactic has no variants

        // Shirts: a click then a click exchange two, and the substitute joins the grid.
        const int32_t starter = TacticsEditor_RowPlayer(4), sub = TacticsEditor_RowPlayer(12);
        const EditorCell cell = Position(4);
        ASSERT_GE(sub, 0);
        EXPECT_EQ(TacticsEditor_SwapShirts(4), EXM_CODE_REDRAW);
        EXPECT_EQ(TacticsEditor.selection, starter);
        EXPECT_EQ(TacticsEditor_SwapShirts(12), EXM_CODE_REDRAW);
        EXPECT_EQ(VTW_GetPlayerShirt(sub), 5);
        EXPECT_EQ(TacticsEditor.grid[cell.column][cell.row], sub);
        EXPECT_EQ(TacticsEditor_RowPlayer(4), sub);
        EXPECT_EQ(TacticsEditor.selection, -1);

        // The list scrolls the rest of the squad through its last five rows.
        EXPECT_EQ(TacticsEditor_ScrollUp(), 1);
        int32_t steps = 0;
        while (TacticsEditor_ScrollDown() == EXM_CODE_REDRAW) {
            ++steps;
        }
        EXPECT_EQ(steps, std::max(0, VTW_GetSquadSize() - EDITOR_LIST_ROWS));
        EXPECT_GE(TacticsEditor_RowPlayer(EDITOR_LIST_ROWS - 1), 0);
        EXPECT_EQ(TacticsEditor_RowPlayer(EDITOR_LIST_ROWS), -1);
        EXPECT_EQ(TacticsEditor_SwapShirts(EDITOR_LIST_ROWS), 1);

        // The comparison drop-downs put the chosen attribute in their column.
        for (int32_t which = 0; which < 2; ++which) {
            MenuListEntry* popup = TacticsEditor_ComparePopup(which);
            MenuListRecord record{1, 0, 0};
            popup[0].prepare(&record);
            EXPECT_EQ(popup[1 + TacticsEditor.compare[which] - 1].flags & LIST_CHECKED,
                      LIST_CHECKED);
            EXPECT_EQ(popup[1 + 10].handler(&popup[1 + 10]), LIST_CODE_REDRAW);
            EXPECT_EQ(TacticsEditor.compare[which], 11);
        }
        const int32_t player = TacticsEditor_RowPlayer(0);
        EXPECT_EQ(TacticsEditor_GetOption1Value(player), VTW_GetPlayerExperiencePercent(player));
        TacticsEditor.compare[1] = 6;
        EXPECT_EQ(TacticsEditor_GetOption2Value(player), VTW_GetPhysicalStat(player, 8));
    });
}

TEST_F(TacticsEditorTest, AnEmptyCustomTacticOpensAsTheFirstBuiltInOne)
{
    Run([] {
        CurrentTactic = TACTIC_CUSTOM_FIRST + 5;
        EXM_PushAndRun(TacticsEditor_Table());  // entered again; Escape leaves
        EXPECT_EQ(CurrentTactic, 0);
        EXPECT_TRUE(Same(*TacticsEditor.work, Builtin(0)));
    });
}

TEST(TacticsEditor, ValuesTakeTheirColourBands)
{
    const int32_t cases[][2] = {{0, 4}, {24, 4}, {25, 6}, {49, 6}, {50, 8}, {74, 8}, {75, 15}};
    for (const auto& c : cases) {
        EXPECT_EQ(TacticsEditor_ValueColour(c[0]), c[1]) << c[0];
    }
}

TEST_F(TacticsEditorTest, BadShirtsFeetAndAttributesAreFatal)
{
    Run([] {
        const int32_t sub = TacticsEditor_RowPlayer(12);
        const EditorCell cell = Position(4), empty = EmptyAhead(4);
        // A substitute on the grid can only be our own fault.
        TacticsEditor.grid[cell.column][cell.row] = static_cast<int16_t>(sub);
        const int32_t shirt = VTW_GetPlayerShirt(sub);
        const std::string dodgy = "Dodgy shirt no " + std::to_string(shirt) + " in j_mn2:";
        EXPECT_FATAL(
            {
                Click(cell);
                Click(empty);
            },
            (dodgy + "PositionPlayer()\n").c_str());
        EXPECT_FATAL(Drag(cell, empty, MOUSE_PRIMARY),
                     (dodgy + "LogicalInfusion():Case 1\n").c_str());
        EXPECT_FATAL(Drag(cell, empty, MOUSE_SECONDARY),
                     (dodgy + "LogicalInfusion():Case 2\nWhereDidYouPickHerUpX = "
                      + std::to_string(cell.column)
                      + "\nWhereDidYouPickHerUpY = " + std::to_string(cell.row) + "\n")
                         .c_str());
        TacticsEditor.compare[0] = 12;
        TacticsEditor.compare[1] = 0;
        EXPECT_FATAL(TacticsEditor_GetOption1Value(sub), "Bad value for Option_1 : 12");
        EXPECT_FATAL(TacticsEditor_GetOption2Value(sub), "Bad value for Option_2 : 0");
        EXPECT_FATAL(
            {
                Player_RefForSet(sub, "Side").full->side = 4;
                TacticsEditor_FootText(sub);
            },
            "invalid case in j_mn2 for VTW_GetSide()");
    });
}

TEST_F(TacticsEditorTest, TheNextFixtureTakesTheEditedTacticAndTheEleven)
{
    Run([] {
        constexpr int32_t mid = 6, forward = 9;
        // A midfielder moved past the end of his forward run, which the move removes; his pass
        // to a forward and two of his options.
        const int32_t runRow = ForwardRun(mid).row;
        const EditorCell target =
            EmptyCellBy(mid, [&](int32_t r, int32_t his) { return r > std::max(his, runRow); });
        Click(Position(mid));
        Click(target);
        Drag(Position(mid), Position(forward), MOUSE_SECONDARY);
        TacticsEditor_ClickCross(mid);
        TacticsEditor_ClickShot(mid);
        ASSERT_EQ(CurrentTactic, TACTIC_CUSTOM_FIRST);
        ASSERT_EQ(ForwardRun(mid), (EditorCell{-1, -1}));
        // A substitute takes shirt 4.
        const int32_t sub = TacticsEditor_RowPlayer(11);
        TacticsEditor_SwapShirts(3);
        TacticsEditor_SwapShirts(11);
        ASSERT_EQ(VTW_GetPlayerShirt(sub), 4);

        int32_t row = -1;
        for (int32_t day = VTW_GetCurrentDay(); row < 0 && day < 366; ++day) {
            row = VTW_FindHumanFixtureOnDay(day);
        }
        ASSERT_GE(row, 0);
        SetupFixture(row);
        const MatchDayBlock& block = *GetMatchSidesBlock();
        const MatchSide& side = block.sides[block.sides[0].human != 0 ? 0 : 1];
        ASSERT_NE(int32_t{side.human}, 0);
        EXPECT_EQ(int32_t{side.tactic}, TACTIC_CUSTOM_FIRST);  // copies: the block is packed
        EXPECT_TRUE(Same(side.tactics[0], CustomTactics[0]));
        const TacticsSlot& slot = side.tactics[0].slots[mid];
        EXPECT_EQ(TacticsSlot_Receiver(slot), forward);
        EXPECT_EQ(int32_t{slot.crossing},
                  (Builtin(FOUR_FOUR_TWO_OFFENSIVE).slots[mid].crossing + 1) % 3);
        EXPECT_EQ(int32_t{side.entries[mid].enginePosition},
                  Match_SlotPositionCode(mid, target.column, target.row));
        EXPECT_EQ(int32_t{side.entries[3].playerId}, sub);

        // The engine sets the same sheet up: the edited shape, the midfielder's options as his
        // instructions and the link as his preferred receiver (the forward's index in his side).
        const int32_t humanSide = block.sides[0].human != 0 ? 0 : 1;
        InitSides();
        EXPECT_TRUE(Same(TeamShape[humanSide], CustomTactics[0]));
        const MatchPerson& midfielder = MatchPersons[LineUp[humanSide][mid]];
        EXPECT_EQ(int32_t{midfielder.thirdInstruction}, int32_t{slot.crossing});
        EXPECT_EQ(int32_t{midfielder.firstInstruction}, int32_t{slot.shooting});
        EXPECT_EQ(int32_t{midfielder.preferredReceiver}, forward);
        // The simulation plays the same sheet, shirt 4 (the substitute) among its starters.
        MatchDataBlock data;
        SimMatch_Play(block, &data);
        EXPECT_GT(int32_t{data.sides[humanSide].players[3].timeOnPitch}, 0);
    });
}

// Pointing at an option head or a comparison column shows its label box over a kept section;
// leaving puts the screen back exactly. Boxes near every edge stay on the screen (a box off it
// would be fatal), and a text too long for the screen shows nothing.
TEST_F(TacticsEditorTest, HeadsAndComparisonColumnsShowTheirLabelsWhilePointedAt)
{
    uint32_t away = 0;
    const auto expectLabel = [](bool shown) {
        return [shown] { EXPECT_EQ(IsSavedScreenSection(LABEL_BOX_SECTION) != 0, shown); };
    };
    MenuInputs inputs = {
        {100, MenuInput::MOVE, 600, 420, {}},
        {110, MenuInput::CALL, 0, 0, [&] { away = WorkScreenHash(); }},
        {120, MenuInput::MOVE, 185, 80, {}},
        {130, MenuInput::CALL, 0, 0, expectLabel(true)},
        {140, MenuInput::MOVE, 600, 420, {}},
        {150, MenuInput::CALL, 0, 0,
         [&] {
             EXPECT_FALSE(IsSavedScreenSection(LABEL_BOX_SECTION));
             EXPECT_EQ(WorkScreenHash(), away);
         }},
        {160, MenuInput::MOVE, 355, 200, {}},
        {170, MenuInput::CALL, 0, 0, expectLabel(true)},
        {180, MenuInput::MOVE, 20, 20, {}},
        {190, MenuInput::CALL, 0, 0,
         [] {
             const std::string words(40, 'w');
             const std::string longText = words + " " + words + " " + words;
             for (const auto& [x, y] : {std::pair{0, 0}, {639, 0}, {0, 479}, {639, 479}}) {
                 LabelBox_Show(x, y, 1, 1, longText.c_str());
                 EXPECT_TRUE(IsSavedScreenSection(LABEL_BOX_SECTION)) << x << "," << y;
             }
             std::string endless;
             for (int i = 0; i < 60; ++i)
                 endless += words + " ";
             LabelBox_Show(320, 240, 10, 10, endless.c_str());
             EXPECT_FALSE(IsSavedScreenSection(LABEL_BOX_SECTION));
         }},
    };
    Run([] {}, std::move(inputs));
}

TEST_F(TacticsEditorTest, FourFourTwoOffensiveAndAnEditedTacticMatchTheirGoldens)
{
    Run([] {
        EXM_RedrawNow();
        WriteFrameToTestOutput("tactics_editor");
        ExpectGoldenHash("menus/tactics_editor_442", WorkScreenHash());
        // Every option value and both kinds of pass, a player picked and one selected.
        for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
            for (int32_t k = 0; k < slot % 3; ++k) {
                TacticsEditor_ClickCross(slot);
            }
            for (int32_t k = 0; k < (slot + 1) % 3; ++k) {
                TacticsEditor_ClickShot(slot);
            }
            if (slot % 2 == 0) TacticsEditor_ClickThroughBall(slot);
            TacticsSlot& s = CustomTactics[0].slots[slot];
            TacticsSlot_SetReceiver(&s, slot % 3 == 0 ? -1 : slot % 10 + 1);
            s.targetRow = static_cast<int16_t>(slot % 3 == 0 ? slot : -1);
            s.targetColumn = static_cast<int16_t>(slot % 3 == 0 ? 15 : -1);
        }
        Click(Position(9));
        TacticsEditor_SwapShirts(2);
        TacticsEditor_Init();
        EXM_RedrawNow();
        ExpectGoldenHash("menus/tactics_editor_edited", WorkScreenHash());
    });
}
