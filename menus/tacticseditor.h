// menus/tacticseditor.h: "Editeur tactique": the human's tactic on a pitch grid beside his squad.
// He picks a built-in or custom tactic, drags players, draws runs and passes, sets each starter's
// play options, exchanges shirt numbers to choose his eleven and compares two attributes. Any
// change to a built-in tactic first turns it into a custom one; built-in tactics never change.
#pragma once

#include <cstdint>

#include "game/tactics.h"

struct MenuItem;
struct MenuListEntry;

// The pitch grid as the editor draws it: columns across (x), rows along the pitch, row 0 at the
// own goal and drawn at the bottom.
constexpr int32_t EDITOR_GRID_COLUMNS = TACTIC_GRID_ROWS;  // 15
constexpr int32_t EDITOR_GRID_ROWS = TACTIC_GRID_COLUMNS;  // 18
constexpr int32_t EDITOR_GRID_X = 401;
constexpr int32_t EDITOR_GRID_Y = 79;
constexpr int32_t EDITOR_GRID_W = 214;
constexpr int32_t EDITOR_GRID_H = 280;
constexpr int32_t EDITOR_LIST_ROWS = 16;         // the eleven, then five more
constexpr int32_t EDITOR_ATTRIBUTE_COUNT = 11;   // comparison attributes 1-11
constexpr int32_t EDITOR_PREVIOUS_ENTRY = -2;    // the tactic is fetched again on entry...
constexpr int32_t EDITOR_PREVIOUS_REFETCH = -1;  // ...and after a reset, an undo or a conversion

struct EditorCell {
    int32_t column;  // 0-14, -1 none
    int32_t row;     // 0-17, -1 none
    bool operator==(const EditorCell&) const = default;
};

struct TacticsEditorState {
    TacticsRecord* work;  // the record shown: a custom tactic itself, or GetTactic's buffer
    TacticsRecord saved;  // what "Réinitialiser" restores
    TacticsRecord undo;   // the record before the last change, for "Annuler"
    bool modified;
    int32_t previous;  // the tactic number last fetched, or EDITOR_PREVIOUS_*
    int32_t variant;   // 0-4
    int16_t grid[EDITOR_GRID_COLUMNS][EDITOR_GRID_ROWS];  // player ids of slots 1-10, -1 empty
    uint32_t buttons;   // the pointer buttons of the last pointer step
    EditorCell press;   // where the last button went down, -1 none
    int32_t picked;     // the player picked up by a click, -1 none
    int32_t selection;  // the first player of a shirt exchange, -1 none
    int32_t listOffset;
    int32_t compare[2];  // comparison attributes 1-11
    int32_t club;        // the human's
};
extern TacticsEditorState TacticsEditor;  // owned by TacticsEditor

void TacticsEditorInit();  // comparison attributes 1 and 2; nothing picked or selected
void TacticsEditorUninit();

// The screen's init: a fresh entry resets the editing state; whenever the tactic number moved,
// the record is fetched again and the grid refilled from the squad's shirts 2-11.
void TacticsEditor_Init();
EditorCell TacticsEditor_CellAt(int32_t x, int32_t y);  // a pointer point's cell, -1 outside
void TacticsEditor_CellPoint(EditorCell cell, int32_t* x, int32_t* y);  // where a cell is drawn

// The pointer step the screen runs at every animation step: picks, moves and swaps players,
// draws runs with the left button and passes with the right (buttons: MOUSE_ bits).
void LogicalInfusion(int32_t x, int32_t y, uint32_t buttons);

// Before every change: true to go on. A built-in tactic is copied into the first empty custom
// tactic (all used: the question which to overwrite, "Non" abandoning), which becomes current.
bool TacticsEditor_EnsureCustom();

// The option cells of a starter row (slot 0-10): cross and shot cycle 0-1-2, the through ball
// toggles, the pass cell clears the link and the cell target. Codes of the menu loop.
int32_t TacticsEditor_ClickCross(int32_t slot);
int32_t TacticsEditor_ClickShot(int32_t slot);
int32_t TacticsEditor_ClickThroughBall(int32_t slot);
int32_t TacticsEditor_ClickPass(int32_t slot);

// The player shown in a list row 0-15, -1 none.
int32_t TacticsEditor_RowPlayer(int32_t row);
int32_t TacticsEditor_SwapShirts(int32_t row);       // a click then a click exchange two shirts
int32_t TacticsEditor_ChooseFormation(int32_t row);  // 0-7, 8 "Personnalisé"
int32_t TacticsEditor_ChooseVariant(int32_t row);    // 0-4
int32_t TacticsEditor_ChooseCustom(int32_t row);     // 0-11
int32_t TacticsEditor_Reset();
int32_t TacticsEditor_Undo();
int32_t TacticsEditor_ScrollUp();
int32_t TacticsEditor_ScrollDown();

// The value of the first or second comparison column's attribute (1-11) for a player; any other
// attribute is fatal, the text naming the column.
int32_t TacticsEditor_GetOption1Value(int32_t player);
int32_t TacticsEditor_GetOption2Value(int32_t player);
int32_t TacticsEditor_ValueColour(int32_t value);    // the font colour of a value's band
const char* TacticsEditor_FootText(int32_t player);  // "G", "D", "G/D" or ""; else fatal

MenuListEntry* TacticsEditor_FormationPopup();
MenuListEntry* TacticsEditor_TacticPopup();  // the variants, or the twelve custom tactics
MenuListEntry* TacticsEditor_ComparePopup(int32_t which);  // 0 or 1

const MenuItem* TacticsEditor_Table();  // option 26
