// gamecode/refill.h: a computer side's shape kept in step with the match: its chosen formation
// put back, the gaps that missing players leave closed from further up, thinned rows spread over
// the pitch again, and the side pushed up when behind on aggregate or sat back when one goal up.
// Rows and columns here are the formation grid's: row 0-17 from the side's own goal line, column
// 0-14 across; a row band is row / 3 (0-5), a column band column / 3 (0-4). Slots are formation
// slots 1-10, the line-up slots whose players they belong to.
#pragma once

#include <cstdint>

// Per side, rebuilt by Shape_CountZones; scratch with no meaning between calls.
struct ShapeZoneCounts {
    int16_t onPitch;     // the keeper whatever his state, and the available outfield players
    int16_t rowBand[6];  // available outfield players by their home cell's row band
    int16_t zone[6][5];  // the same by row band and column band
};
const ShapeZoneCounts& Shape_Counts(int32_t side);

// For side 0, then side 1, skipping a human side (not even its working copy is touched): one goal
// up on aggregate sits back, behind pushes forward, otherwise the chosen formation comes back and
// a side short of players is refilled and rebalanced; then the side's block goes to its players
// and its positions are built (CopySquadStatusToPlayers, SetupFormations).
void Team_RefillLineup();

// A slot's player is available when on the pitch, not sent off and booked at most once.
bool Shape_IsAvailable(int32_t side, int32_t slot);
// Rebuilds the side's counts; an available player's home and forward rows below 3 become 4.
void Shape_CountZones(int32_t side);
// The lowest slot whose player is available and whose home cell lies in the zone; -1 none.
int32_t Shape_FindSlotInZone(int32_t side, int32_t rowBand, int32_t columnBand);
// The lost slot (player not available) with the smallest home row, the lower slot on a tie; -1.
int32_t Shape_FindLostSlot(int32_t side);
// a and b exchange home, forward and back cells; a gets neutral instructions (none, no target
// cell, no marking, no preferred receiver).
void Shape_SwapCells(int32_t side, int32_t a, int32_t b);
// Home, forward and back cells all become (column, row); neutral instructions.
void Shape_SetCell(int32_t side, int32_t slot, int32_t row, int32_t column);
// Recounts, then fills the gap of the lost slot from its own zone.
void Shape_RefillSlot(int32_t side, int32_t lost);
// The first available player further up than the gap (on its side of the pitch first, never the
// last man of a line) takes the lost slot's cells; recounts whether or not one was found.
void Shape_FillZone(int32_t side, int32_t rowBand, int32_t columnBand, int32_t lost);
// Evens out the wings and centres a lone middle player of every row band.
void Shape_Rebalance(int32_t side);
// Puts the row band's players on its middle row at fixed columns (one 7; two 5, 9; three 4, 7, 10;
// four 2, 5, 9, 12); thin = full = 2 centres the band's middle player only.
void Shape_SpreadRowBand(int32_t side, int32_t rowBand, int32_t thin, int32_t full);
// Restore and refill, then the reshape of a side behind: rows move up by the clock's urgency,
// free runs forward into empty bands, no man-marking, forward passes and the second cross.
void Shape_PushForward(int32_t side);
// Restore and refill, then the reshape of a side one goal up: rows drop by the urgency, back
// cells drop into empty bands behind, no shooting, target cells or forward crosses.
void Shape_SitBack(int32_t side);
