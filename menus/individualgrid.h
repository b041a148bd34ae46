// menus/individualgrid.h: the individual-training grid, a squad player's five training sliders
// (one group of total 100, with locks) beside the squad list and his best attributes, opened from
// the developer's debug screen and the team-training grid.
#pragma once

#include <cstdint>

struct MenuItem;

constexpr int16_t OPTION_INDIVIDUAL_GRID = 38;
constexpr int32_t INDIVIDUAL_GRID_LIST_ROWS = 16;
constexpr int32_t INDIVIDUAL_GRID_BAR_X = 400;
constexpr int32_t INDIVIDUAL_GRID_BAR_Y = 260;
constexpr int32_t INDIVIDUAL_GRID_BAR_W = 200;
constexpr int32_t INDIVIDUAL_GRID_ROW_H = 20;
constexpr int32_t INDIVIDUAL_GRID_LOCK_X = 368;

struct IndividualGridState {
    int16_t firstRow;  // of the squad list, kept between visits
};
extern IndividualGridState IndividualGrid;  // owned by IndividualGrid

void IndividualGridInit();
void IndividualGridUninit();

// The build: the grid's rows follow the human's squad; the shown player (CurrentPlayer when he
// is one of it, else the first of it) and the list's first row kept in range.
void IndividualGrid_Init();
// A click at (x, y) on the bars: the slider under it moves toward the point's percent (2), or 1
// when nothing changed or no bar is there.
int32_t IndividualGrid_ClickBars(int32_t x, int32_t y);

const MenuItem* IndividualGrid_Table();  // option 38
