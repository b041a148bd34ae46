// menus/traininggrid.h: the team-training grid, the schedule's sliders in their four groups of
// fixed totals with their locks and the extra-training buttons, opened from the developer's
// debug screen.
#pragma once

#include <cstdint>

struct MenuItem;

constexpr int16_t OPTION_TRAINING_GRID = 15;
constexpr int32_t TRAINING_GRID_BAR = 200;   // a horizontal bar's length
constexpr int32_t TRAINING_GRID_VBAR = 60;   // a vertical (first group) bar's length
constexpr int32_t TRAINING_GRID_THICK = 14;  // a bar's thickness

// The build: on the first build ever "Firsttime ever\n" and the defaults; then the schedule
// from its compact form.
void TrainingGrid_Init();
// A click at (x, y) on an entry's bar: its target in percent, measured from the bar's start
// (upwards from the bottom of a vertical bar).
int32_t TrainingGrid_Target(int32_t entry, int32_t x, int32_t y);

const MenuItem* TrainingGrid_Table();  // option 15
