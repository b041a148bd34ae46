// matchscreens/tacticsgrid.cpp: the positioning grid and the instruction and role columns of the
// in-match team screens.
#include "matchscreens/tacticsgrid.h"

#include <utility>

#include "engine/fatal.h"
#include "game/matchblocks.h"
#include "gamecode/matchdata.h"
#include "menus/vtmenu.h"

namespace {

constexpr uint8_t CENTRED = 0x55;
constexpr int32_t COLOUR_NORMAL = 0, COLOUR_PICKED = 8;
constexpr int32_t LINE_SECOND = 4, LINE_THIRD = 5, LINE_PASS = 6;
constexpr int32_t GRAPHIC_SHIRT = 6;
constexpr int32_t FIRST_OUTFIELD = 1;
constexpr int32_t kFigureHeaders[TG_COLUMNS] = {1600, 689, 688, 684};
// Condition, participation, commitment and time on the pitch.
constexpr int32_t kFigureFields[TG_COLUMNS] = {57, 4, 3, 61};

bool Inside(int32_t row, int32_t column)
{
    return row >= 0 && row < TACTIC_GRID_ROWS && column >= 0 && column < TACTIC_GRID_COLUMNS;
}

struct Point {
    int32_t x, y;
};

Point CellCentre(const TacticsGridLook& look, int32_t row, int32_t column)
{
    const int32_t across = look.turned ? TACTIC_GRID_ROWS - 1 - row : row;
    const int32_t down = look.turned ? column : TACTIC_GRID_COLUMNS - 1 - column;
    return {look.originX + TG_CELL_W * across + TG_CELL_W / 2,
            look.originY + TG_CELL_H * down + TG_CELL_H / 2};
}

int32_t At(const TacticsGrid& grid, GridCell cell) { return grid.cells[cell.row][cell.column]; }

bool SameCell(GridCell a, GridCell b) { return a.row == b.row && a.column == b.column; }

void LineTo(const TacticsGridLook& look, const TacticsSlot& from, int32_t row, int32_t column,
            int32_t colour)
{
    if (!Inside(row, column) || (row == from.row && column == from.column)) return;
    const Point a = CellCentre(look, from.row, from.column), b = CellCentre(look, row, column);
    VT_DrawLine(a.x, a.y, b.x, b.y, colour);
}

void DrawLines(const TacticsRecord& tactic, int32_t place, const TacticsGridLook& look)
{
    const TacticsSlot& s = tactic.slots[place];
    LineTo(look, s, s.row2, s.column2, LINE_SECOND);
    LineTo(look, s, s.row3, s.column3, LINE_THIRD);
    const int32_t receiver = TacticsSlot_Receiver(s);
    if (receiver > 0 && receiver < TACTIC_SLOT_COUNT) {
        const TacticsSlot& mate = tactic.slots[receiver];
        LineTo(look, s, mate.row, mate.column, LINE_PASS);
    } else {
        LineTo(look, s, s.targetRow, s.targetColumn, LINE_PASS);
    }
}

void DrawShirt(int32_t side, int32_t place, Point at, const TacticsGridLook& look)
{
    const int32_t slot = Football_GetSidePlayer(side, place);
    const MatchPlayerEntry& entry = GetMatchSidesBlock()->sides[side].entries[slot];
    if ((look.layers & TG_LAYER_SHIRTS) != 0) {
        const int32_t graphic =
            look.teamShirt != 0 ? look.teamShirt : TacticsGrid_ShirtGraphic(entry.positionCode);
        if (graphic != 0) VT_DrawGraphic(at.x, at.y, CENTRED, graphic);
    }
    if ((look.layers & TG_LAYER_NUMBERS) != 0) {
        VT_SetFontColour(place == look.picked ? COLOUR_PICKED : COLOUR_NORMAL);
        VT_DrawNumber(at.x, at.y, CENTRED, entry.shirt);
    }
}

void ClearFurtherPositionsAt(TacticsRecord* tactic, GridCell cell)
{
    for (int32_t place = FIRST_OUTFIELD; place < TACTIC_SLOT_COUNT; ++place) {
        TacticsSlot& s = tactic->slots[place];
        if (s.row2 == cell.row && s.column2 == cell.column) {
            s.row2 = s.row;
            s.column2 = s.column;
        }
        if (s.row3 == cell.row && s.column3 == cell.column) {
            s.row3 = s.row;
            s.column3 = s.column;
        }
    }
}

void SwapPlaces(TacticsGrid* grid, TacticsRecord* tactic, int32_t a, int32_t b)
{
    TacticsSlot& sa = tactic->slots[a];
    TacticsSlot& sb = tactic->slots[b];
    grid->cells[sa.row][sa.column] = static_cast<int8_t>(b);
    grid->cells[sb.row][sb.column] = static_cast<int8_t>(a);
    std::swap(sa, sb);
    for (const int32_t place : {a, b}) {
        if (TacticsSlot_Receiver(tactic->slots[place]) == place)
            TacticsSlot_SetReceiver(&tactic->slots[place], TG_NONE);
    }
}

void SetPassInstruction(TacticsSlot* s, const TacticsGrid& grid, GridCell cell)
{
    const int32_t mate = At(grid, cell);
    if (mate == TG_NONE) {
        s->targetRow = static_cast<int16_t>(cell.row);
        s->targetColumn = static_cast<int16_t>(cell.column);
        TacticsSlot_SetReceiver(s, TG_NONE);
    } else {
        TacticsSlot_SetReceiver(s, mate);
        s->targetRow = TACTIC_NONE;
        s->targetColumn = TACTIC_NONE;
    }
}

void LeftPress(TacticsGridPointer* pointer, TacticsGrid* grid, TacticsRecord* tactic, GridCell cell)
{
    const int32_t occupant = At(*grid, cell);
    if (pointer->pick != TG_NONE && pointer->armed) {
        if (occupant == TG_NONE) {
            PositionPlayer(grid, tactic, pointer->pick, cell.row, cell.column);
        } else if (occupant != pointer->pick) {
            SwapPlaces(grid, tactic, pointer->pick, occupant);
        }
        pointer->pick = TG_NONE;
        pointer->armed = false;
        pointer->clearOnRelease = true;
    } else if (pointer->pick == TG_NONE && occupant != TG_NONE) {
        pointer->pick = occupant;
        pointer->armed = false;
    }
}

void LeftRelease(TacticsGridPointer* pointer, TacticsRecord* tactic, GridCell cell)
{
    const GridCell pressed = pointer->pressedCell;
    if (pointer->clearOnRelease) {
        pointer->clearOnRelease = false;
        ClearFurtherPositionsAt(tactic, pressed);
    } else if (SameCell(cell, pressed)) {
        if (pointer->pick != TG_NONE)
            pointer->armed = true;
        else
            ClearFurtherPositionsAt(tactic, cell);
    } else if (pointer->pick != TG_NONE) {
        TacticsSlot& s = tactic->slots[pointer->pick];
        const bool second = cell.column >= pressed.column;
        (second ? s.row2 : s.row3) = static_cast<int16_t>(cell.row);
        (second ? s.column2 : s.column3) = static_cast<int16_t>(cell.column);
        pointer->pick = TG_NONE;
        pointer->armed = false;
    }
}

}  // namespace

int32_t TacticsGrid_ShirtGraphic(int32_t positionCode)
{
    if (positionCode == 0) return GRAPHIC_SHIRT;
    if (positionCode >= 1 && positionCode <= 4) return GRAPHIC_SHIRT + 1;
    if ((positionCode >= 5 && positionCode <= 9) || positionCode == 13) return GRAPHIC_SHIRT + 2;
    if (positionCode >= 10 && positionCode <= 12) return GRAPHIC_SHIRT + 3;
    return 0;
}

void TacticsGrid_Build(TacticsGrid* grid, int32_t side, const TacticsRecord& tactic)
{
    for (auto& row : grid->cells) {
        for (int8_t& cell : row)
            cell = TG_NONE;
    }
    for (int32_t place = FIRST_OUTFIELD; place < TACTIC_SLOT_COUNT; ++place) {
        const TacticsSlot& s = tactic.slots[place];
        if (Inside(s.row, s.column)
            && Football_IsRecEmpty(side, Football_GetSidePlayer(side, place)))
            grid->cells[s.row][s.column] = static_cast<int8_t>(place);
    }
}

bool TacticsGrid_CellAt(int32_t originX, int32_t originY, int32_t x, int32_t y, GridCell* cell)
{
    // Tested before dividing: a division would take pixels left of or above the grid to its
    // first cells.
    if (x < originX || x >= originX + TG_WIDTH || y < originY || y >= originY + TG_HEIGHT)
        return false;
    cell->row = (x - originX) / TG_CELL_W;
    cell->column = TACTIC_GRID_COLUMNS - 1 - (y - originY) / TG_CELL_H;
    return true;
}

void TacticsGrid_Draw(const TacticsGrid& grid, const TacticsRecord& tactic, int32_t side,
                      const TacticsGridLook& look)
{
    for (int32_t row = 0; row < TACTIC_GRID_ROWS; ++row) {
        for (int32_t column = 0; column < TACTIC_GRID_COLUMNS; ++column) {
            const int32_t place = grid.cells[row][column];
            if (place == TG_NONE) continue;
            if ((look.layers & TG_LAYER_SHIRTS) != 0) DrawLines(tactic, place, look);
            DrawShirt(side, place, CellCentre(look, row, column), look);
        }
    }
    VT_SetFontColour(COLOUR_NORMAL);
}

void PositionPlayer(TacticsGrid* grid, TacticsRecord* tactic, int32_t slot, int32_t row,
                    int32_t column)
{
    if (slot < FIRST_OUTFIELD || slot >= TACTIC_SLOT_COUNT)
        FatalError("Dodgy position %d in s_mn0:PositionPlayer()\n", slot);
    TacticsSlot& s = tactic->slots[slot];
    if (Inside(s.row, s.column) && grid->cells[s.row][s.column] == slot)
        grid->cells[s.row][s.column] = TG_NONE;
    grid->cells[row][column] = static_cast<int8_t>(slot);
    s.row = s.row2 = s.row3 = static_cast<int16_t>(row);
    s.column = s.column2 = s.column3 = static_cast<int16_t>(column);
    s.shooting = s.throughBall = s.crossing = 0;
    TacticsSlot_SetReceiver(&s, TG_NONE);
    s.targetRow = s.targetColumn = s.markedOpponent = TACTIC_NONE;
}

void TacticsGrid_Press(TacticsGridPointer* pointer, TacticsGrid* grid, TacticsRecord* tactic,
                       GridCell cell, int32_t buttons)
{
    pointer->pressed = true;
    pointer->pressedCell = cell;
    pointer->buttons = buttons;
    if ((buttons & TG_RIGHT) == 0) LeftPress(pointer, grid, tactic, cell);
}

void TacticsGrid_Release(TacticsGridPointer* pointer, TacticsGrid* grid, TacticsRecord* tactic,
                         GridCell cell)
{
    if (!pointer->pressed) return;
    pointer->pressed = false;
    if ((pointer->buttons & TG_RIGHT) == 0) {
        LeftRelease(pointer, tactic, cell);
        return;
    }
    const int32_t dragged = At(*grid, pointer->pressedCell);
    if (dragged != TG_NONE && !SameCell(cell, pointer->pressedCell))
        SetPassInstruction(&tactic->slots[dragged], *grid, cell);
}

bool TacticsSlot_ClearPass(TacticsSlot* slot)
{
    if (TacticsSlot_Receiver(*slot) < 0 && slot->targetRow < 0) return false;
    TacticsSlot_SetReceiver(slot, TG_NONE);
    slot->targetRow = slot->targetColumn = TACTIC_NONE;
    return true;
}

void TacticsColumns_ChangeInstruction(TacticsSlot* slot, int32_t column)
{
    switch (column) {
        case 0: slot->crossing = static_cast<uint8_t>((slot->crossing + 1) % 3); break;
        case 1: slot->shooting = static_cast<uint8_t>((slot->shooting + 1) % 3); break;
        case 2: slot->throughBall = slot->throughBall != 0 ? 0 : 1; break;
        default: TacticsSlot_ClearPass(slot); break;
    }
}

int32_t TacticsColumns_InstructionGraphic(const TacticsSlot& slot, int32_t column)
{
    switch (column) {
        case 0: return slot.crossing == 2 ? 32 : slot.crossing == 1 ? 35 : 0;
        case 1: return slot.shooting == 1 ? 33 : slot.shooting == 2 ? 36 : 0;
        case 2: return slot.throughBall != 0 ? 34 : 0;
        default:
            if (TacticsSlot_Receiver(slot) > 0) return 37;
            return slot.targetRow >= 0 ? 38 : 0;
    }
}

void TacticsColumns_GiveRole(int32_t side, int32_t slot, int32_t column)
{
    switch (column) {
        case 0: Football_SetCaptain(side, slot); break;
        case 1: Football_SetCornerTaker(side, slot); break;
        case 2: Football_SetPenaltyTaker(side, slot); break;
        default:
            // The engine asks its in-match screens for both free-kick setters, the second first.
            Football_SetFreeKickTaker2(side, slot);
            Football_SetFreeKickTaker(side, slot);
            break;
    }
}

int32_t TacticsColumns_RoleGraphic(int32_t side, int32_t slot, int32_t column)
{
    switch (column) {
        case 0: return Football_IsCaptain(side, slot) != 0 ? 39 : 0;
        case 1: return Football_IsCornerTaker(side, slot) != 0 ? 40 : 0;
        case 2: return Football_IsPenaltyTaker(side, slot) != 0 ? 42 : 0;
        default: return Football_IsFreeKickTaker(side, slot) != 0 ? 41 : 0;
    }
}

int32_t TacticsColumns_FigureHeader(int32_t column) { return kFigureHeaders[column]; }

void TacticsColumns_Figures(int32_t side, int32_t slot, int32_t figures[TG_COLUMNS])
{
    PlayerMatchRecord record{};
    Football_FillPlayerMatchRecord(&record, side, slot);
    for (int32_t c = 0; c < TG_COLUMNS; ++c)
        figures[c] = Football_GetMatchFigure(record, kFigureFields[c]);
}

void TacticsColumns_Draw(int32_t side, int32_t place, TacticsColumnsShow show, int32_t left,
                         int32_t cellWidth, int32_t y)
{
    const int32_t slot = Football_GetSidePlayer(side, place);
    const auto centre = [left, cellWidth](int32_t c) {
        return left + cellWidth * c + cellWidth / 2;
    };
    if (show == TacticsColumnsShow::Figures) {
        if (Football_IsRecActive(side, slot) == 0) return;
        int32_t figures[TG_COLUMNS];
        TacticsColumns_Figures(side, slot, figures);
        for (int32_t c = 0; c < TG_COLUMNS; ++c)
            VT_DrawNumber(centre(c), y, CENTRED, figures[c]);
        return;
    }
    for (int32_t c = 0; c < TG_COLUMNS; ++c) {
        const int32_t graphic =
            show == TacticsColumnsShow::Instructions
                ? TacticsColumns_InstructionGraphic(TacticCopies[side].slots[place], c)
                : TacticsColumns_RoleGraphic(side, slot, c);
        if (graphic != 0) VT_DrawGraphic(centre(c), y, CENTRED, graphic);
    }
}
