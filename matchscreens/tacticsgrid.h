// matchscreens/tacticsgrid.h: what the in-match team selection and marking screens share: a side's
// positioning grid built from its working tactic, its drawing, the pointer rules that move
// players and give them further positions and pass instructions, and the instruction and role
// columns.
#pragma once

#include <cstdint>

#include "game/tactics.h"

constexpr int32_t TG_CELL_W = 13, TG_CELL_H = 16;
constexpr int32_t TG_WIDTH = TACTIC_GRID_ROWS * TG_CELL_W;      // 195
constexpr int32_t TG_HEIGHT = TACTIC_GRID_COLUMNS * TG_CELL_H;  // 288
constexpr int32_t TG_NONE = -1;
constexpr int32_t TG_COLUMNS = 4;  // the instruction and role columns

struct GridCell {
    int32_t row;     // 0-14, left to right
    int32_t column;  // 0-17, bottom to top
};

// Each cell holds the line-up place (1-10) of the player standing in it, or TG_NONE.
struct TacticsGrid {
    int8_t cells[TACTIC_GRID_ROWS][TACTIC_GRID_COLUMNS];
};

// Places 1-10 of the record, each only while the engine has his player on the pitch.
void TacticsGrid_Build(TacticsGrid* grid, int32_t side, const TacticsRecord& tactic);
// The cell under the pixel, false outside the 15 x 18 cells of a grid drawn at the origin.
bool TacticsGrid_CellAt(int32_t originX, int32_t originY, int32_t x, int32_t y, GridCell* cell);
// The shirts (the picked place highlighted) and the lines to the second and third positions and
// to the pass target or receiver. A turned grid has its own goal at the top, as the away side
// stands on a pitch the home side attacks upwards. Two grids on one pitch are drawn a layer at a
// time, shirts then numbers, so that no shirt of one side hides a number of the other.
enum TacticsGridLayers { TG_LAYER_SHIRTS = 1, TG_LAYER_NUMBERS = 2, TG_LAYER_ALL = 3 };
struct TacticsGridLook {
    int32_t originX, originY;
    int32_t picked;  // TG_NONE
    bool turned;
    int32_t teamShirt = 0;  // a shirt graphic for the whole side; 0: each player's line shirt
    int32_t layers = TG_LAYER_ALL;
};
void TacticsGrid_Draw(const TacticsGrid& grid, const TacticsRecord& tactic, int32_t side,
                      const TacticsGridLook& look);

// Moves place `slot` to the cell: a fresh place with all three positions there and no
// instructions. A slot outside 1-10 is fatal "Dodgy position %d in s_mn0:PositionPlayer()\n".
void PositionPlayer(TacticsGrid* grid, TacticsRecord* tactic, int32_t slot, int32_t row,
                    int32_t column);

// The press and release rules of one grid. Buttons: bit 0 left, bit 1 right.
constexpr int32_t TG_LEFT = 1, TG_RIGHT = 2;
struct TacticsGridPointer {
    int32_t pick;  // place picked, TG_NONE
    bool armed;    // the click that picked him has been released
    bool pressed;  // a press inside the cells waits for its release
    bool clearOnRelease;
    GridCell pressedCell;
    int32_t buttons;
};
constexpr TacticsGridPointer TG_NO_POINTER = {TG_NONE, false, false, false, {0, 0}, 0};
void TacticsGrid_Press(TacticsGridPointer* pointer, TacticsGrid* grid, TacticsRecord* tactic,
                       GridCell cell, int32_t buttons);
void TacticsGrid_Release(TacticsGridPointer* pointer, TacticsGrid* grid, TacticsRecord* tactic,
                         GridCell cell);

// Columns 0-3 of the instructions mode: crossing, shooting, through ball, pass instructions.
void TacticsColumns_ChangeInstruction(TacticsSlot* slot, int32_t column);
int32_t TacticsColumns_InstructionGraphic(const TacticsSlot& slot, int32_t column);  // 0 none
// Columns 0-3 of the roles mode: captain, corner, penalty and free-kick taker (engine slots).
void TacticsColumns_GiveRole(int32_t side, int32_t slot, int32_t column);
int32_t TacticsColumns_RoleGraphic(int32_t side, int32_t slot, int32_t column);  // 0 none
// Columns 0-3 of the figures mode: CON, PAR, NVE and MIN, their headers' text numbers and a
// player's values from his match record.
int32_t TacticsColumns_FigureHeader(int32_t column);
void TacticsColumns_Figures(int32_t side, int32_t slot, int32_t figures[TG_COLUMNS]);
// What a place's four columns show, drawn by TacticsColumns_Draw: its instructions' or roles'
// graphics, or its figures while he takes part.
enum class TacticsColumnsShow { Instructions, Roles, Figures };
// The columns of `side`'s line-up place, each centred in its cell of `cellWidth` from x `left`,
// on the row centred at y.
void TacticsColumns_Draw(int32_t side, int32_t place, TacticsColumnsShow show, int32_t left,
                         int32_t cellWidth, int32_t y);
// Receiver -1 and no target; false, with nothing changed, when he had neither.
bool TacticsSlot_ClearPass(TacticsSlot* slot);
// The shirt graphic of a position code's line: 6 keeper, 7 defence, 8 midfield, 9 attack, 0 none.
int32_t TacticsGrid_ShirtGraphic(int32_t positionCode);
