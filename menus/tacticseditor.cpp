// menus/tacticseditor.cpp: the tactics editor.
#include "menus/tacticseditor.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <numbers>
#include <utility>

#include "engine/convert.h"
#include "engine/fatal.h"
#include "engine/mouse.h"
#include "game/funcs.h"
#include "game/ids.h"
#include "game/squad.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

TacticsEditorState TacticsEditor;

namespace {

// The record's fields under the editor's names. The editor's grid column (across the pitch) is
// a slot's `row` and its grid row (along the pitch) the slot's `column`; every cell of a slot is
// read and written through these pairs only. They are byte offsets, since the packed record's
// words may sit at odd addresses, where only a byte copy may read them.
struct CellField {
    size_t column;
    size_t row;
};
constexpr CellField kPosition{offsetof(TacticsSlot, row), offsetof(TacticsSlot, column)};
constexpr CellField kForwardRun{offsetof(TacticsSlot, row2), offsetof(TacticsSlot, column2)};
constexpr CellField kBackwardRun{offsetof(TacticsSlot, row3), offsetof(TacticsSlot, column3)};
constexpr CellField kPassCell{offsetof(TacticsSlot, targetRow),
                              offsetof(TacticsSlot, targetColumn)};
constexpr EditorCell kNoCell{-1, -1};

constexpr int16_t OPTION_EDITOR = 26;
constexpr int16_t OPTION_HELP = 84;
constexpr int32_t TEXT_TITLE = 1314;
constexpr int32_t TEXT_OVERWRITE = 1317;
constexpr int32_t TEXT_CUSTOM = 1328;
constexpr int32_t TEXT_NO = 248;
constexpr int32_t TEXT_FORMATION = 805;
constexpr int32_t TEXT_TACTIC = 261;
constexpr int32_t TEXT_RESET = 401;
constexpr int32_t TEXT_UNDO = 1316;
constexpr int32_t TEXT_HELP = 449;
constexpr int32_t TEXT_COMPARE = 1205;
constexpr int32_t TEXT_OPTION_HEADS = 1719;  // four labels: crosses, shots, through ball, passes
constexpr int32_t FOOT_TEXT = 35;            // + foot 1-3: "G", "D", "G/D"

constexpr int32_t ICON_MARKER = 1211;  // + line: keeper, defender, midfielder, forward
constexpr int32_t ICON_CROSS_HEAD = 1219;
constexpr int32_t ICON_SHOT_HEAD = 1220;
constexpr int32_t ICON_THROUGH_BALL = 1221;
constexpr int32_t ICON_CROSS_ONE = 1222;
constexpr int32_t ICON_LINK = 1224;
constexpr int32_t ICON_PASS_CELL = 1225;
constexpr int32_t ICON_SHOT_TWO = 1230;
constexpr int32_t ICON_PASS_BALL = 1231;
constexpr int32_t ICON_SCROLL = 1205;

constexpr int32_t LIST_X = 12;
constexpr int32_t STARTERS_Y = 97;
constexpr int32_t BENCH_Y = 305;  // the five further rows end above the buttons
constexpr int32_t ROW_H = 18;
constexpr int32_t OPTION_X = 168;  // four cells 25 apart: cross, shot, through ball, pass
constexpr int32_t OPTION_W = 25;
constexpr int32_t HEADS_X = 180;
constexpr int32_t HEADS_Y = 75;
constexpr int32_t COMPARE_X = 280;  // two columns 50 apart
constexpr int32_t COMPARE_W = 50;
constexpr int32_t ARROW_HEAD = 10;

constexpr uint16_t PITCH_LIGHT = 0x2D25;
constexpr uint16_t PITCH_DARK = 0x2444;
constexpr uint16_t RUN_COLOUR = 0xFFE0;
constexpr uint16_t PASS_COLOUR = 0xFFFF;

struct CompareAttribute {
    int16_t textNo;
    int16_t shortName;
};
constexpr CompareAttribute kCompare[EDITOR_ATTRIBUTE_COUNT] = {
    {42, 476}, {43, 477}, {44, 478}, {45, 479}, {46, 480},    {49, 483},
    {51, 485}, {54, 488}, {55, 489}, {57, 491}, {1092, 1509},
};
constexpr int32_t kFormationText[TACTIC_FORMATION_COUNT] = {267, 268, 269, 270, 271, 272, 583, 584};
constexpr int32_t kVariantText[TACTIC_VARIANT_COUNT] = {702, 703, 704, 705, 706};

int16_t s_clubName;
int16_t s_formationLabel;
int16_t s_tacticLabel;
int16_t s_compareLabels[2];
int32_t s_compareOpen;  // the comparison column whose drop-down is open

TacticsEditorState& S() { return TacticsEditor; }

// ---------------------------------------------------------------------------------------------
// Cells and slots.

int16_t ReadWord(const TacticsSlot& slot, size_t offset)
{
    int16_t word;
    std::memcpy(&word, reinterpret_cast<const uint8_t*>(&slot) + offset, sizeof word);
    return word;
}

void WriteWord(TacticsSlot* slot, size_t offset, int32_t value)
{
    const auto word = static_cast<int16_t>(value);
    std::memcpy(reinterpret_cast<uint8_t*>(slot) + offset, &word, sizeof word);
}

EditorCell Get(const TacticsSlot& slot, CellField field)
{
    return {ReadWord(slot, field.column), ReadWord(slot, field.row)};
}

void Set(TacticsSlot* slot, CellField field, EditorCell cell)
{
    WriteWord(slot, field.column, cell.column);
    WriteWord(slot, field.row, cell.row);
}

bool OnGrid(EditorCell cell)
{
    return cell.column >= 0 && cell.column < EDITOR_GRID_COLUMNS && cell.row >= 0
           && cell.row < EDITOR_GRID_ROWS;
}

int32_t Occupant(EditorCell cell) { return OnGrid(cell) ? S().grid[cell.column][cell.row] : -1; }

bool IsCustom() { return CurrentTactic >= TACTIC_CUSTOM_FIRST; }

// The formation button's label: every custom tactic reads "Personnalisé" there.
int32_t Tactic_GetFormationText(int32_t tactic)
{
    return tactic >= TACTIC_CUSTOM_FIRST ? TEXT_CUSTOM : Tactic_GetFormationTextId(tactic);
}

// The tactic button's label: a custom tactic has no variant, so its own name stands there.
int32_t Tactic_GetVariantText(int32_t tactic)
{
    return tactic >= TACTIC_CUSTOM_FIRST ? Tactic_GetFormationTextId(tactic)
                                         : Tactic_GetVariantTextId(tactic);
}

// The slot a player's shirt gives him, -1 outside the eleven.
int32_t SlotOf(int32_t player)
{
    const int32_t shirt = VTW_GetPlayerShirt(player);
    return shirt >= 1 && shirt <= TACTIC_SLOT_COUNT ? shirt - 1 : -1;
}

TacticsSlot& WorkSlot(int32_t slot) { return S().work->slots[slot]; }

// The ten outfield players of the shown record on their cells; the keeper is not on the grid.
void TacticsEditor_RebuildGrid()
{
    TacticsEditorState& s = S();
    std::fill(&s.grid[0][0], &s.grid[0][0] + EDITOR_GRID_COLUMNS * EDITOR_GRID_ROWS, -1);
    if (s.club < 0 || s.work == nullptr) return;
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        const int32_t player = VTW_GetPlayerByShirt(slot + 1);
        const EditorCell cell = Get(WorkSlot(slot), kPosition);
        if (player >= 0 && OnGrid(cell))
            s.grid[cell.column][cell.row] = static_cast<int16_t>(player);
    }
}

// ---------------------------------------------------------------------------------------------
// Changes.

int32_t FirstEmptyCustom()
{
    for (int32_t i = 0; i < TACTIC_CUSTOM_COUNT; ++i) {
        if (TacticsRecord_IsEmpty(CustomTactics[i])) return i;
    }
    return -1;
}

// All twelve are in use: which to overwrite, -1 for "Non" (or a press beside every button).
int32_t AskWhichToOverwrite()
{
    QuestionButton buttons[TACTIC_CUSTOM_COUNT + 2] = {};
    buttons[0] = {320, 230, 80, 16, TEXT_NO, MENU_ALIGN_CENTRE, 0, 0};
    for (int32_t i = 0; i < TACTIC_CUSTOM_COUNT; ++i) {
        const auto label = static_cast<int16_t>(Tactic_GetFormationTextId(TACTIC_CUSTOM_FIRST + i));
        QuestionButton& b = buttons[1 + i];
        b = buttons[0];
        b.x = static_cast<int16_t>(170 + 100 * (i % 4));
        b.y = static_cast<int16_t>(260 + 30 * (i / 4));
        b.label = label;
    }
    buttons[TACTIC_CUSTOM_COUNT + 1].label = -1;
    const int32_t answer = DoQuestionBox(GetMessageText(TEXT_OVERWRITE), 0, buttons);
    return answer >= 1 && answer <= TACTIC_CUSTOM_COUNT ? answer - 1 : -1;
}

// EnsureCustom, then the undo copy: every change starts here and stops when it answers false.
bool BeginChange()
{
    if (!TacticsEditor_EnsureCustom()) return false;
    S().undo = *S().work;
    S().modified = true;
    return true;
}

void RemoveRunsEndingAt(EditorCell cell, bool backwardToo, int32_t except)
{
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        if (slot == except) continue;
        TacticsSlot& s = WorkSlot(slot);
        if (Get(s, kForwardRun) == cell) Set(&s, kForwardRun, kNoCell);
        if (backwardToo && Get(s, kBackwardRun) == cell) Set(&s, kBackwardRun, kNoCell);
    }
}

bool AnyRunEndsAt(EditorCell cell)
{
    for (int32_t slot = 1; slot < TACTIC_SLOT_COUNT; ++slot) {
        const TacticsSlot& s = WorkSlot(slot);
        if (Get(s, kForwardRun) == cell || Get(s, kBackwardRun) == cell) return true;
    }
    return false;
}

void PositionPlayer(int32_t player, EditorCell cell)
{
    const int32_t slot = SlotOf(player);
    if (slot < 0)
        FatalError("Dodgy shirt no %d in j_mn2:PositionPlayer()\n", VTW_GetPlayerShirt(player));
    TacticsSlot& s = WorkSlot(slot);
    Set(&s, kPosition, cell);
    // A run that now points the wrong way goes: backward runs end below him, forward runs at or
    // above him; a lone forward run is dropped with the move.
    const bool forward = Get(s, kForwardRun).row >= 0;
    const bool backward = Get(s, kBackwardRun).row >= 0;
    if (forward && !backward) Set(&s, kForwardRun, kNoCell);
    if (Get(s, kBackwardRun).row >= cell.row) Set(&s, kBackwardRun, kNoCell);
    const EditorCell run = Get(s, kForwardRun);
    if (run.row >= 0 && run.row < cell.row) Set(&s, kForwardRun, kNoCell);
}

// Their whole slots change places, instructions and all; a link to himself means none.
void TacticsEditor_SwapSlots(int32_t a, int32_t b)
{
    std::swap(WorkSlot(a), WorkSlot(b));
    for (const int32_t slot : {a, b}) {
        if (TacticsSlot_Receiver(WorkSlot(slot)) == slot)
            TacticsSlot_SetReceiver(&WorkSlot(slot), TACTIC_NONE);
    }
}

// A left click on the cell pressed: pick a player up, put him down or swap him. True while a
// player stays picked up.
bool ClickCell(EditorCell cell)
{
    TacticsEditorState& s = S();
    const int32_t there = Occupant(cell);
    if (s.picked < 0) {
        if (there >= 0) {
            s.picked = there;
            return true;
        }
        // Even this removal converts a built-in tactic first, as every change does.
        if (AnyRunEndsAt(cell) && BeginChange()) RemoveRunsEndingAt(cell, true, -1);
        return false;
    }
    const int32_t picked = s.picked;
    if (picked == there || !BeginChange()) return false;
    RemoveRunsEndingAt(cell, false, SlotOf(picked));
    if (there < 0) {
        PositionPlayer(picked, cell);
    } else {
        TacticsEditor_SwapSlots(SlotOf(picked), SlotOf(there));
    }
    return false;
}

// A left drag from a player to an empty cell: his backward run below his row, else his forward
// run.
void DragRun(EditorCell cell)
{
    const int32_t pressed = Occupant(S().press);
    if (pressed < 0 || Occupant(cell) >= 0) return;
    const int32_t slot = SlotOf(pressed);
    if (slot < 0)
        FatalError("Dodgy shirt no %d in j_mn2:LogicalInfusion():Case 1\n",
                   VTW_GetPlayerShirt(pressed));
    if (!BeginChange()) return;
    TacticsSlot& s = WorkSlot(slot);
    Set(&s, cell.row < Get(s, kPosition).row ? kBackwardRun : kForwardRun, cell);
}

// A right drag from a player: to a team-mate his pass link, to an empty cell his pass target.
void DragPass(EditorCell cell)
{
    TacticsEditorState& st = S();
    const int32_t pressed = Occupant(st.press);
    if (pressed < 0) return;
    const int32_t slot = SlotOf(pressed);
    if (slot < 0)
        FatalError("Dodgy shirt no %d in j_mn2:LogicalInfusion():Case 2\n"
                   "WhereDidYouPickHerUpX = %d\nWhereDidYouPickHerUpY = %d\n",
                   VTW_GetPlayerShirt(pressed), st.press.column, st.press.row);
    if (!BeginChange()) return;
    TacticsSlot& s = WorkSlot(slot);
    const int32_t mate = Occupant(cell);
    if (mate < 0) {
        Set(&s, kPassCell, cell);
        TacticsSlot_SetReceiver(&s, TACTIC_NONE);
    } else {
        TacticsSlot_SetReceiver(&s, SlotOf(mate));
        Set(&s, kPassCell, kNoCell);
    }
}

int32_t ChangeSlot(int32_t slot, void (*change)(TacticsSlot* s))
{
    if (slot < 0 || slot >= TACTIC_SLOT_COUNT || S().club < 0) return 1;
    if (BeginChange()) change(&WorkSlot(slot));
    return EXM_CODE_REDRAW;
}

uint8_t NextOfThree(uint8_t value) { return static_cast<uint8_t>(value >= 2 ? 0 : value + 1); }

// ---------------------------------------------------------------------------------------------
// Drawing.

void TacticsEditor_DrawPitch()
{
    for (int32_t c = 0; c < EDITOR_GRID_COLUMNS; ++c) {
        const int32_t x0 = EDITOR_GRID_X + c * EDITOR_GRID_W / EDITOR_GRID_COLUMNS;
        const int32_t x1 = EDITOR_GRID_X + (c + 1) * EDITOR_GRID_W / EDITOR_GRID_COLUMNS;
        for (int32_t r = 0; r < EDITOR_GRID_ROWS; ++r) {
            const int32_t top = EDITOR_GRID_ROWS - 1 - r;  // row 0 at the bottom
            const int32_t y0 = EDITOR_GRID_Y + top * EDITOR_GRID_H / EDITOR_GRID_ROWS;
            const int32_t y1 = EDITOR_GRID_Y + (top + 1) * EDITOR_GRID_H / EDITOR_GRID_ROWS;
            FillMenuRect(x0, y0, x1 - x0, y1 - y0, (c & 1) == (r & 1) ? PITCH_DARK : PITCH_LIGHT);
        }
    }
    DrawBoxOutline(EDITOR_GRID_X, EDITOR_GRID_Y, EDITOR_GRID_W, EDITOR_GRID_H);
}

void TacticsEditor_DrawArrow(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t colour)
{
    DrawMenuLine(x1, y1, x2, y2, colour);
    const double back = std::atan2(y1 - y2, x1 - x2);
    for (const double turn : {std::numbers::pi / 8, -std::numbers::pi / 8}) {
        DrawMenuLine(x2, y2, x2 + ChopToInt(ARROW_HEAD * std::cos(back + turn)),
                     y2 + ChopToInt(ARROW_HEAD * std::sin(back + turn)), colour);
    }
}

void DrawArrowTo(EditorCell from, EditorCell to, uint16_t colour, bool withBall)
{
    if (!OnGrid(to)) return;
    int32_t x1, y1, x2, y2;
    TacticsEditor_CellPoint(from, &x1, &y1);
    TacticsEditor_CellPoint(to, &x2, &y2);
    TacticsEditor_DrawArrow(x1, y1, x2, y2, colour);
    if (withBall) DoIcon((x1 + x2) / 2, (y1 + y2) / 2, ICON_PASS_BALL, MENU_ALIGN_CENTRE);
}

EditorCell CellOfSlot(int32_t slot) { return Get(WorkSlot(slot), kPosition); }

void TacticsEditor_DrawPlayers()
{
    const TacticsEditorState& s = S();
    for (int32_t c = 0; c < EDITOR_GRID_COLUMNS; ++c) {
        for (int32_t r = 0; r < EDITOR_GRID_ROWS; ++r) {
            const int32_t player = s.grid[c][r];
            if (player < 0) continue;
            const TacticsSlot& slot = WorkSlot(SlotOf(player));
            const EditorCell at{c, r};
            DrawArrowTo(at, Get(slot, kForwardRun), RUN_COLOUR, false);
            DrawArrowTo(at, Get(slot, kBackwardRun), RUN_COLOUR, false);
            const int32_t mate = TacticsSlot_Receiver(slot);
            const EditorCell target =
                mate >= 0 && mate < TACTIC_SLOT_COUNT ? CellOfSlot(mate) : Get(slot, kPassCell);
            DrawArrowTo(at, target, PASS_COLOUR, true);
        }
    }
    SetMenuFont(0);
    for (int32_t c = 0; c < EDITOR_GRID_COLUMNS; ++c) {
        for (int32_t r = 0; r < EDITOR_GRID_ROWS; ++r) {
            const int32_t player = s.grid[c][r];
            if (player < 0) continue;
            int32_t x, y;
            TacticsEditor_CellPoint({c, r}, &x, &y);
            DoIcon(x, y, ICON_MARKER + VTW_GetPositionType(player), MENU_ALIGN_CENTRE);
            SetDrawAttribute(1, player == s.picked ? 8 : 0);
            DrawMenuNumber(x, y, VTW_GetPlayerShirt(player), MENU_ALIGN_CENTRE);
        }
    }
    SetDrawAttribute(1, 0);
}

int32_t CrossIcon(const TacticsSlot& s)
{
    return s.crossing == 1 ? ICON_CROSS_ONE : s.crossing == 2 ? ICON_CROSS_HEAD : 0;
}
int32_t ShotIcon(const TacticsSlot& s)
{
    return s.shooting == 1 ? ICON_SHOT_HEAD : s.shooting == 2 ? ICON_SHOT_TWO : 0;
}
int32_t ThroughBallIcon(const TacticsSlot& s) { return s.throughBall == 1 ? ICON_THROUGH_BALL : 0; }
int32_t PassIcon(const TacticsSlot& s)
{
    if (TacticsSlot_Receiver(s) >= 0) return ICON_LINK;
    return Get(s, kPassCell).row >= 0 ? ICON_PASS_CELL : 0;
}

int32_t ClickCross(MenuHotspot* h)
{
    return TacticsEditor_ClickCross(static_cast<int32_t>(h->value));
}
int32_t ClickShot(MenuHotspot* h)
{
    return TacticsEditor_ClickShot(static_cast<int32_t>(h->value));
}
int32_t ClickThroughBall(MenuHotspot* h)
{
    return TacticsEditor_ClickThroughBall(static_cast<int32_t>(h->value));
}
int32_t ClickPass(MenuHotspot* h)
{
    return TacticsEditor_ClickPass(static_cast<int32_t>(h->value));
}
int32_t ClickShirt(MenuHotspot* h)
{
    return TacticsEditor_SwapShirts(static_cast<int32_t>(h->value));
}

int32_t TacticsEditor_ShowPlayer(MenuHotspot* h)
{
    CurrentPlayer = static_cast<int16_t>(h->value);
    CardReturnOption = OPTION_EDITOR;
    MenuOption = MENU_OPTION_PLAYER_CARD;
    return EXM_CODE_LEAVE;
}

struct OptionCell {
    int32_t (*icon)(const TacticsSlot& s);
    ClickFn click;
};
constexpr OptionCell kOptionCells[] = {
    {CrossIcon, ClickCross},
    {ShotIcon, ClickShot},
    {ThroughBallIcon, ClickThroughBall},
    {PassIcon, ClickPass},
};

void DrawRowPlayer(int32_t row, int32_t y, int32_t player)
{
    const TacticsEditorState& s = S();
    const int32_t middle = y + ROW_H / 2;
    const int32_t shirt = VTW_GetPlayerShirt(player);
    SetDrawAttribute(1, player == s.selection ? 8 : 0);
    if (shirt != 0) DrawMenuNumber(LIST_X + 12, middle, shirt, MENU_ALIGN_CENTRE);
    EXM_AddHotspot(LIST_X + 2, y + 1, 20, ROW_H, -1, MENU_ALIGN_TL, -1, row, row, row, ClickShirt,
                   0, HOTSPOT_PLAIN);
    SetDrawAttribute(1, 0);
    DrawMenuString(LIST_X + 36, middle, FitMenuText(VTW_FormatPersonName(player), 100),
                   MENU_ALIGN_ML);
    EXM_AddHotspot(LIST_X + 36, y, 100, ROW_H, -1, MENU_ALIGN_TL, -1, row, row, player,
                   TacticsEditor_ShowPlayer, 0, HOTSPOT_PLAIN);
    DrawMenuString(LIST_X + 140, middle, TacticsEditor_FootText(player), MENU_ALIGN_ML);
    if (row < TACTIC_SLOT_COUNT && s.work != nullptr) {
        const TacticsSlot& slot = WorkSlot(row);
        for (int32_t k = 0; k < static_cast<int32_t>(std::size(kOptionCells)); ++k) {
            const int32_t x = LIST_X + OPTION_X + OPTION_W * k;
            if (const int32_t icon = kOptionCells[k].icon(slot); icon != 0)
                DoIcon(x + OPTION_W / 2, middle, icon, MENU_ALIGN_CENTRE);
            EXM_AddHotspot(x, y, OPTION_W, ROW_H, -1, MENU_ALIGN_TL, -1, row, row, row,
                           kOptionCells[k].click, 0, HOTSPOT_PLAIN);
        }
    }
    const int32_t values[2] = {TacticsEditor_GetOption1Value(player),
                               TacticsEditor_GetOption2Value(player)};
    for (int32_t k = 0; k < 2; ++k) {
        const int32_t value = values[k];
        SetDrawAttribute(1, TacticsEditor_ValueColour(value));
        DrawMenuNumber(COMPARE_X + COMPARE_W * k + COMPARE_W / 2, middle, value, MENU_ALIGN_CENTRE);
    }
    SetDrawAttribute(1, 0);
}

// The option columns' heads and the comparison columns name themselves while pointed at.
void DrawHeads()
{
    constexpr int32_t heads[] = {ICON_CROSS_HEAD, ICON_SHOT_HEAD, ICON_THROUGH_BALL, ICON_LINK};
    for (int32_t k = 0; k < 4; ++k) {
        const int32_t x = HEADS_X + OPTION_W * k;
        DoIcon(x, HEADS_Y, heads[k], MENU_ALIGN_TL);
        EXM_AddHotspot(x, HEADS_Y, OPTION_W, ROW_H, -1, MENU_ALIGN_TL, -1, k, -1,
                       TEXT_OPTION_HEADS + k, nullptr, 0, HOTSPOT_LABEL);
    }
    for (int32_t k = 0; k < 2; ++k) {
        const int32_t attribute = std::clamp(S().compare[k], 1, EDITOR_ATTRIBUTE_COUNT) - 1;
        EXM_AddHotspot(COMPARE_X + COMPARE_W * k, STARTERS_Y, COMPARE_W, ROW_H * TACTIC_SLOT_COUNT,
                       -1, MENU_ALIGN_TL, -1, k, -1, kCompare[attribute].textNo, nullptr, 0,
                       HOTSPOT_LABEL);
    }
}

void DrawRows()
{
    SetMenuFont(0);
    for (int32_t row = 0; row < EDITOR_LIST_ROWS; ++row) {
        const int32_t y = row < TACTIC_SLOT_COUNT ? STARTERS_Y + ROW_H * row
                                                  : BENCH_Y + ROW_H * (row - TACTIC_SLOT_COUNT);
        MenuCont_ShadedBox(LIST_X, y, 168, ROW_H, row & 1);
        MenuCont_ShadedBox(LIST_X + 268, y, 100, ROW_H, row & 1);
        if (const int32_t player = TacticsEditor_RowPlayer(row); player >= 0)
            DrawRowPlayer(row, y, player);
    }
    DrawHeads();
    DoIcon(32, 434, ICON_SCROLL, MENU_ALIGN_TL);
}

void DrawScreen(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    TacticsEditor_DrawPitch();
    DrawRows();
    TacticsEditor_DrawPlayers();
}

void PointerStep(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    LogicalInfusion(PointerX(), PointerY(), static_cast<uint32_t>(EXM_GetClickState()));
}

// ---------------------------------------------------------------------------------------------
// Buttons and drop-downs.

int32_t Back(MenuHotspot*)
{
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}
int32_t Help(MenuHotspot*)
{
    MenuOption = OPTION_HELP;
    return EXM_CODE_LEAVE;
}
int32_t Reset(MenuHotspot*) { return TacticsEditor_Reset(); }
int32_t Undo(MenuHotspot*) { return TacticsEditor_Undo(); }
int32_t ScrollUp(MenuHotspot*) { return TacticsEditor_ScrollUp(); }
int32_t ScrollDown(MenuHotspot*) { return TacticsEditor_ScrollDown(); }
int32_t Nothing(MenuHotspot*) { return EXM_CODE_NONE; }

int32_t FormationEntry(MenuListEntry* e) { return TacticsEditor_ChooseFormation(e->spare[0]); }
int32_t VariantEntry(MenuListEntry* e) { return TacticsEditor_ChooseVariant(e->spare[0]); }
int32_t CustomEntry(MenuListEntry* e) { return TacticsEditor_ChooseCustom(e->spare[0]); }
int32_t CompareEntry(MenuListEntry* e)
{
    S().compare[s_compareOpen] = e->spare[0] + 1;
    return LIST_CODE_REDRAW;
}

void Tick(MenuListEntry* entry, bool on)
{
    entry->flags = static_cast<uint16_t>((entry->flags & ~LIST_CHECKED) | (on ? LIST_CHECKED : 0));
}
void Enable(MenuListEntry* entry, bool on)
{
    entry->flags = static_cast<uint16_t>((entry->flags & ~LIST_ENABLED) | (on ? LIST_ENABLED : 0));
}

void PrepareFormation(MenuListRecord*)
{
    MenuListEntry* popup = TacticsEditor_FormationPopup();
    for (int32_t f = 0; f < TACTIC_FORMATION_COUNT; ++f) {
        Tick(&popup[1 + f], !IsCustom() && CurrentTactic / TACTIC_VARIANT_COUNT == f);
    }
    Tick(&popup[1 + TACTIC_FORMATION_COUNT], IsCustom());
    Enable(&popup[1 + TACTIC_FORMATION_COUNT], !TacticsRecord_IsEmpty(CustomTactics[0]));
}

// One list serves both: the five variants of a built-in tactic, or the twelve custom tactics.
void PrepareTactic(MenuListRecord*)
{
    MenuListEntry* popup = TacticsEditor_TacticPopup();
    for (int32_t i = 0; i < TACTIC_CUSTOM_COUNT; ++i) {
        MenuListEntry& e = popup[1 + i];
        if (IsCustom()) {
            e.type = LIST_ENTRY_TEXT_NO;
            e.label = Tactic_GetFormationTextId(TACTIC_CUSTOM_FIRST + i);
            e.handler = CustomEntry;
            Enable(&e, !TacticsRecord_IsEmpty(CustomTactics[i]));
            Tick(&e, CurrentTactic == TACTIC_CUSTOM_FIRST + i);
        } else {
            e.type = i < TACTIC_VARIANT_COUNT ? LIST_ENTRY_TEXT_NO : 0;  // 0: not shown
            e.label = i < TACTIC_VARIANT_COUNT ? kVariantText[i] : 0;
            e.handler = VariantEntry;
            Enable(&e, true);
            Tick(&e, CurrentTactic % TACTIC_VARIANT_COUNT == i);
        }
    }
}

void PrepareCompare(MenuListRecord* record, int32_t which)
{
    s_compareOpen = which;
    (void)record;
    MenuListEntry* popup = TacticsEditor_ComparePopup(which);
    for (int32_t a = 0; a < EDITOR_ATTRIBUTE_COUNT; ++a) {
        Tick(&popup[1 + a], S().compare[which] == a + 1);
    }
}
void PrepareCompare0(MenuListRecord* record) { PrepareCompare(record, 0); }
void PrepareCompare1(MenuListRecord* record) { PrepareCompare(record, 1); }

template <size_t... I>
constexpr auto CompareEntries(std::index_sequence<I...>)
{
    return std::to_array<MenuListEntry>(
        {MenuList_Entry(kCompare[I].textNo, CompareEntry, static_cast<int16_t>(I))...});
}

MenuListEntry* ComparePopup(MenuListPrepare prepare, MenuListEntry* popup)
{
    popup[0] = MenuList_Title(TEXT_COMPARE, prepare);
    const auto entries = CompareEntries(std::make_index_sequence<EDITOR_ATTRIBUTE_COUNT>());
    std::copy(entries.begin(), entries.end(), popup + 1);
    popup[1 + EDITOR_ATTRIBUTE_COUNT] = MenuList_End();
    return popup;
}

// A comparison attribute's (1-11) value for a player; `which` 1 or 2 names the column in the
// fatal text of any other attribute.
int32_t OptionValue(int32_t which, int32_t attribute, int32_t player)
{
    switch (attribute) {
        case 1:
        case 2:
        case 3:
        case 4:
        case 5: return VTW_GetAbilityStat(player, attribute);
        case 6: return VTW_GetPhysicalStat(player, 8);
        case 7: return VTW_GetPhysicalStat(player, 10);
        case 8: return VTW_GetPhysicalStat(player, 13);
        case 9: return VTW_GetPhysicalStat(player, 14);
        case 10: return VTW_GetPersonalityStat(player, 19);
        case 11: return VTW_GetPlayerExperiencePercent(player);
        default:
            if (which == 1) FatalError("Bad value for Option_1 : %d", attribute);
            FatalError("Bad value for Option_2 : %d", attribute);
    }
}

// The club's name left of the title, in the header's room.
void DrawHeaderName(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderName(GetMessageText(s_clubName), TEXT_TITLE);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The operations.

void TacticsEditorInit()
{
    TacticsEditor = {};
    TacticsEditor.previous = EDITOR_PREVIOUS_ENTRY;
    TacticsEditor.press = kNoCell;
    TacticsEditor.picked = -1;
    TacticsEditor.selection = -1;
    TacticsEditor.compare[0] = 1;
    TacticsEditor.compare[1] = 2;
    TacticsEditor.club = -1;
    s_compareOpen = 0;
}

void TacticsEditorUninit() { TacticsEditorInit(); }

void TacticsEditor_Init()
{
    TacticsEditorState& s = S();
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    if (EXM_GetRebuildFlag() != 0) {
        // Only a crafted save points at an empty custom tactic: there is nothing to show or
        // play, so the first built-in tactic stands in.
        if (IsCustom() && TacticsRecord_IsEmpty(*GetTactic(CurrentTactic))) CurrentTactic = 0;
        s.club = VTW_GetClubOfManager(MANAGER_HUMAN);
        s.modified = false;
        s.previous = EDITOR_PREVIOUS_ENTRY;
        s.variant = IsCustom() ? 1 : CurrentTactic % TACTIC_VARIANT_COUNT;
        s.selection = -1;
        s.picked = -1;
        s.press = kNoCell;
        s.buttons = 0;
        s.listOffset = 0;
    }
    if (s.club >= 0) VTW_RefreshSquadCount(s.club);
    if (CurrentTactic != s.previous) {
        s.work = GetTactic(CurrentTactic);
        if (s.previous != EDITOR_PREVIOUS_REFETCH) s.saved = *s.work;
        s.picked = -1;
        s.press = kNoCell;
        s.previous = CurrentTactic;
    }
    TacticsEditor_RebuildGrid();
    s_clubName = static_cast<int16_t>(s.club < 0 ? -1 : VTW_ClubNameTextNo(VTW_GetTeam(s.club)));
    s_formationLabel = static_cast<int16_t>(Tactic_GetFormationText(CurrentTactic));
    s_tacticLabel = static_cast<int16_t>(Tactic_GetVariantText(CurrentTactic));
    for (int32_t k = 0; k < 2; ++k) {
        s_compareLabels[k] =
            kCompare[std::clamp(s.compare[k], 1, EDITOR_ATTRIBUTE_COUNT) - 1].shortName;
    }
}

EditorCell TacticsEditor_CellAt(int32_t x, int32_t y)
{
    if (x < EDITOR_GRID_X || x >= EDITOR_GRID_X + EDITOR_GRID_W || y < EDITOR_GRID_Y
        || y >= EDITOR_GRID_Y + EDITOR_GRID_H)
        return kNoCell;
    return {(x - EDITOR_GRID_X) * EDITOR_GRID_COLUMNS / EDITOR_GRID_W,
            EDITOR_GRID_ROWS - 1 - (y - EDITOR_GRID_Y) * EDITOR_GRID_ROWS / EDITOR_GRID_H};
}

void TacticsEditor_CellPoint(EditorCell cell, int32_t* x, int32_t* y)
{
    *x = cell.column * EDITOR_GRID_W / EDITOR_GRID_COLUMNS + 408;
    *y = 352 - cell.row * EDITOR_GRID_H / EDITOR_GRID_ROWS;
}

void LogicalInfusion(int32_t x, int32_t y, uint32_t buttons)
{
    TacticsEditorState& s = S();
    buttons &= MOUSE_PRIMARY | MOUSE_SECONDARY;
    const uint32_t before = s.buttons;
    s.buttons = buttons;
    const EditorCell cell = TacticsEditor_CellAt(x, y);
    if (!OnGrid(cell) || buttons == before || s.club < 0 || s.work == nullptr) return;
    const uint32_t released = before & ~buttons;
    if (released == 0) {
        s.press = cell;
        return;
    }
    bool keepPick = false;
    if ((released & MOUSE_PRIMARY) != 0) {
        if (cell == s.press) {
            keepPick = ClickCell(cell);
        } else {
            DragRun(cell);
        }
    } else if (!(cell == s.press)) {
        DragPass(cell);
    }
    if (!keepPick) s.picked = -1;
    s.press = kNoCell;
    TacticsEditor_RebuildGrid();
    EXM_SetPendingCode(EXM_CODE_REDRAW);
}

bool TacticsEditor_EnsureCustom()
{
    if (IsCustom()) return true;
    TacticsEditorState& s = S();
    EXM_SetPendingCode(EXM_CODE_REDRAW);
    int32_t index = FirstEmptyCustom();
    if (index < 0) index = AskWhichToOverwrite();
    if (index < 0) {
        s.press = kNoCell;
        s.picked = -1;
        s.buttons = static_cast<uint32_t>(EXM_GetClickState()) & (MOUSE_PRIMARY | MOUSE_SECONDARY);
        return false;
    }
    CustomTactics[index] = *s.work;
    s.saved = *s.work;
    CurrentTactic = static_cast<int16_t>(TACTIC_CUSTOM_FIRST + index);
    s.previous = EDITOR_PREVIOUS_REFETCH;
    s.work = &CustomTactics[index];
    return true;
}

int32_t TacticsEditor_ClickCross(int32_t slot)
{
    return ChangeSlot(slot, [](TacticsSlot* s) { s->crossing = NextOfThree(s->crossing); });
}

int32_t TacticsEditor_ClickShot(int32_t slot)
{
    return ChangeSlot(slot, [](TacticsSlot* s) { s->shooting = NextOfThree(s->shooting); });
}

int32_t TacticsEditor_ClickThroughBall(int32_t slot)
{
    return ChangeSlot(slot, [](TacticsSlot* s) { s->throughBall = s->throughBall == 0 ? 1 : 0; });
}

int32_t TacticsEditor_ClickPass(int32_t slot)
{
    if (slot < 0 || slot >= TACTIC_SLOT_COUNT || S().work == nullptr) return 1;
    const TacticsSlot& s = WorkSlot(slot);
    if (TacticsSlot_Receiver(s) < 0 && Get(s, kPassCell).row < 0) return 1;
    return ChangeSlot(slot, [](TacticsSlot* s) {
        TacticsSlot_SetReceiver(s, TACTIC_NONE);
        Set(s, kPassCell, kNoCell);
    });
}

int32_t TacticsEditor_RowPlayer(int32_t row)
{
    const TacticsEditorState& s = S();
    if (s.club < 0 || row < 0 || row >= EDITOR_LIST_ROWS) return -1;
    if (row < TACTIC_SLOT_COUNT) return VTW_GetPlayerByShirt(row + 1);
    // The rest of the squad in its shirt order, scrolled: the numbered substitutes first.
    int32_t skip = s.listOffset + row - TACTIC_SLOT_COUNT;
    for (int32_t i = 0; i < VTW_GetSquadSize(); ++i) {
        const int32_t player = VTW_GetSquadPlayer(i);
        if (player < 0 || SlotOf(player) >= 0) continue;
        if (skip-- == 0) return player;
    }
    return -1;
}

int32_t TacticsEditor_SwapShirts(int32_t row)
{
    TacticsEditorState& s = S();
    const int32_t player = TacticsEditor_RowPlayer(row);
    if (player < 0) return 1;
    if (s.selection < 0) {
        s.selection = player;
        return EXM_CODE_REDRAW;
    }
    if (s.selection != player) {
        Squad_ExchangeShirts(s.club, s.selection, player);
        VTW_RefreshSquadCount(s.club);
        TacticsEditor_RebuildGrid();
    }
    s.selection = -1;
    return EXM_CODE_REDRAW;
}

int32_t TacticsEditor_ChooseFormation(int32_t row)
{
    TacticsEditorState& s = S();
    if (row == TACTIC_FORMATION_COUNT) {
        if (TacticsRecord_IsEmpty(CustomTactics[0])) return 1;
        s.variant = 0;
        s.previous = CurrentTactic;
        CurrentTactic = TACTIC_CUSTOM_FIRST;
    } else {
        s.previous = CurrentTactic;
        CurrentTactic = static_cast<int16_t>(row * TACTIC_VARIANT_COUNT + s.variant);
    }
    s.modified = false;
    return EXM_CODE_REDRAW;
}

int32_t TacticsEditor_ChooseVariant(int32_t row)
{
    TacticsEditorState& s = S();
    if (IsCustom()) return 1;
    s.variant = row;
    s.previous = CurrentTactic;
    CurrentTactic =
        static_cast<int16_t>(CurrentTactic / TACTIC_VARIANT_COUNT * TACTIC_VARIANT_COUNT + row);
    return EXM_CODE_REDRAW;
}

int32_t TacticsEditor_ChooseCustom(int32_t row)
{
    TacticsEditorState& s = S();
    if (TacticsRecord_IsEmpty(CustomTactics[row])) return 1;
    s.modified = false;
    s.previous = CurrentTactic;
    CurrentTactic = static_cast<int16_t>(TACTIC_CUSTOM_FIRST + row);
    return EXM_CODE_REDRAW;
}

int32_t TacticsEditor_Reset()
{
    TacticsEditorState& s = S();
    if (!IsCustom()) return 1;
    *s.work = s.saved;
    s.previous = EDITOR_PREVIOUS_REFETCH;
    return EXM_CODE_REDRAW;
}

int32_t TacticsEditor_Undo()
{
    TacticsEditorState& s = S();
    if (!IsCustom() || !s.modified) return 1;
    *s.work = s.undo;
    s.previous = EDITOR_PREVIOUS_REFETCH;
    s.modified = false;
    return EXM_CODE_REDRAW;
}

int32_t TacticsEditor_ScrollUp()
{
    if (S().listOffset == 0) return 1;
    --S().listOffset;
    return EXM_CODE_REDRAW;
}

int32_t TacticsEditor_ScrollDown()
{
    if (S().club < 0 || S().listOffset >= VTW_GetSquadSize() - EDITOR_LIST_ROWS) return 1;
    ++S().listOffset;
    return EXM_CODE_REDRAW;
}

int32_t TacticsEditor_GetOption1Value(int32_t player)
{
    return OptionValue(1, S().compare[0], player);
}

int32_t TacticsEditor_GetOption2Value(int32_t player)
{
    return OptionValue(2, S().compare[1], player);
}

int32_t TacticsEditor_ValueColour(int32_t value)
{
    if (value < 25) return 4;
    if (value < 50) return 6;
    if (value < 75) return 8;
    return 15;
}

const char* TacticsEditor_FootText(int32_t player)
{
    const int32_t foot = VTW_GetPlayerSide(player);
    if (foot == 0) return "";
    if (foot < 0 || foot > 3) FatalError("invalid case in j_mn2 for VTW_GetSide()");
    return GetMessageText(FOOT_TEXT + foot);
}

MenuListEntry* TacticsEditor_FormationPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_FORMATION, PrepareFormation),
        MenuList_Entry(kFormationText[0], FormationEntry, 0),
        MenuList_Entry(kFormationText[1], FormationEntry, 1),
        MenuList_Entry(kFormationText[2], FormationEntry, 2),
        MenuList_Entry(kFormationText[3], FormationEntry, 3),
        MenuList_Entry(kFormationText[4], FormationEntry, 4),
        MenuList_Entry(kFormationText[5], FormationEntry, 5),
        MenuList_Entry(kFormationText[6], FormationEntry, 6),
        MenuList_Entry(kFormationText[7], FormationEntry, 7),
        MenuList_Entry(TEXT_CUSTOM, FormationEntry, 8),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* TacticsEditor_TacticPopup()
{
    static MenuListEntry popup[2 + TACTIC_CUSTOM_COUNT] = {};
    if (popup[0].type == 0) {
        popup[0] = MenuList_Title(TEXT_TACTIC, PrepareTactic);
        for (int32_t i = 0; i < TACTIC_CUSTOM_COUNT; ++i) {
            popup[1 + i] = MenuList_Entry(0, VariantEntry, static_cast<int16_t>(i));
        }
        popup[1 + TACTIC_CUSTOM_COUNT] = MenuList_End();
        PrepareTactic(nullptr);
    }
    return popup;
}

MenuListEntry* TacticsEditor_ComparePopup(int32_t which)
{
    static MenuListEntry popups[2][2 + EDITOR_ATTRIBUTE_COUNT] = {};
    MenuListEntry* popup = popups[which == 0 ? 0 : 1];
    if (popup[0].type == 0) ComparePopup(which == 0 ? PrepareCompare0 : PrepareCompare1, popup);
    return popup;
}

const MenuItem* TacticsEditor_Table()
{
    static const MenuCallbackFrames pointer = {1, 1, PointerStep};
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(TacticsEditor_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 80, 36, 0, 0, MenuCallback(DrawHeaderName), nullptr},
        {0x0f, 480, 36, MENU_ALIGN_MR, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawScreen), nullptr},
        // The tactic's two buttons stand under the pitch, clear of the list's columns.
        {0x200f, 401, 366, 105, 26, MenuVariable(&s_formationLabel), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(TacticsEditor_FormationPopup()), nullptr},
        {0x0f, 453, 404, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_FORMATION), nullptr},
        {0x200f, 510, 366, 105, 26, MenuVariable(&s_tacticLabel), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(TacticsEditor_TacticPopup()), nullptr},
        {0x0f, 562, 404, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TACTIC), nullptr},
        {0x200f, COMPARE_X, 75, COMPARE_W, 20, MenuVariable(&s_compareLabels[0]), Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(TacticsEditor_ComparePopup(0)), nullptr},
        {0x200f, COMPARE_X + COMPARE_W, 75, COMPARE_W, 20, MenuVariable(&s_compareLabels[1]),
         Nothing},
        {0x2009, 0, 0, 0, 0, MenuAddress(TacticsEditor_ComparePopup(1)), nullptr},
        {0x200c, 74, 440, 162, 30, MenuTextNo(TEXT_RESET), Reset},
        {0x200c, 238, 440, 162, 30, MenuTextNo(TEXT_UNDO), Undo},
        {0x200c, 402, 440, 162, 30, MenuTextNo(TEXT_HELP), Help},
        {0x1f, 35, 440, 30, 15, MenuNumber(-1), ScrollUp},
        {0x1f, 35, 460, 30, 15, MenuNumber(-1), ScrollDown},
        {0x03, 588, 454, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Back},
        {0x42, 10, 20, 100, 25, MenuAddress(&pointer), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
