// gamecode/formation.h: formation positions: a side's formation turned once per change into its
// shape table of target spots, and each formation slot's instructions handed to its player.
#pragma once

#include <cstdint>

#include "game/tactics.h"

constexpr int32_t SHAPE_ROW_COUNT = 68;
constexpr int32_t SHAPE_SET_ROWS = 34;    // rows 34-67: the defending set, laid out as rows 0-33
constexpr int32_t SHAPE_SPOT_COUNT = 10;  // one per outfield line-up slot 1-10
constexpr int32_t SHAPE_ROW_KICKOFF = 30;
constexpr int32_t SHAPE_ROW_RESTART = 31;
constexpr int32_t SHAPE_ROW_SET_PIECE = 32;  // row 33 holds the same spots

// The formation grid: rows 0-17 from the side's own goal line, columns 0-14 across the pitch.
constexpr int32_t SHAPE_GRID_ROWS = 18;
constexpr int32_t SHAPE_GRID_COLUMNS = 15;

// A target spot in pitch units: x from the left touchline, y from the side's own goal line, for a
// side that attacks toward larger y.
struct ShapeSpot {
    int16_t x;
    int16_t y;
    friend bool operator==(const ShapeSpot&, const ShapeSpot&) = default;
};
using ShapeRows = ShapeSpot[SHAPE_ROW_COUNT][SHAPE_SPOT_COUNT];

// Owned by Formation. ShapeTables[side][row][slot - 1] is read by the team shape during play;
// the working block and the build area are scratch that SetupFormations overwrites.
extern ShapeRows ShapeTables[2];
extern TacticsRecord ShapeWorkingBlock;
extern ShapeRows ShapeBuildArea;

// Clears the shape tables, the working block and the build area. Uninit has nothing to free.
void Formation_Init();
void Formation_Uninit();

// Side 0, or side 1 for any other value: takes TeamShape[side] into the working block, mirrors
// its columns, builds and scales both sets, copies them to the side's shape table and gives the
// persons of line-up slots 0-10 the mirrored target cell. The side's strategy is applied again at
// the next UpdateTeamStrategy, as the same rows now hold other spots.
void SetupFormations(int32_t side);
// From TeamShape[side] (unmirrored) to the persons of line-up slots 0-10: the three instruction
// bytes (the second as 0 or 1), the preferred receiver (the person index within his side who
// holds the named slot, 0 for none), the target cell and the marking slot (1-15, else -1). The
// persons of slots 11-15 get none of them.
void CopySquadStatusToPlayers(int32_t side);

// Builds the 34 rows of set 0 (first) or 1 (defending) in the build area from the working block.
void Shape_BuildSet(int32_t set);
// Every spot of the set in the build area times 126 / 100, truncated toward zero.
void Shape_ScaleSet(int32_t set);
// Home columns become 14 - column; forward, back and target cell columns too when not negative.
void Shape_MirrorColumns();
// Bands of 83 build units, 0-17; below the grid 0, beyond it 17.
int32_t Shape_RowOfY(int32_t v);
// Bands of 66 build units, 0-14; below the grid 0, beyond it 14.
int32_t Shape_ColumnOfX(int32_t v);
// The build point of a grid cell (values off the grid are extrapolated).
int32_t Shape_GridX(int32_t column);
int32_t Shape_GridY(int32_t row);
