// menus/performance.h: "Performance", the players of one side of the human's last match on a
// pitch diagram in their formation, each with the figures of a chosen mode (defence, possession,
// distribution, set pieces, attack, performance) or the ground he covered, and the selected
// player's figures below.
#pragma once

#include <cstdint>

#include "game/matchblocks.h"

struct MenuItem;
struct MenuListEntry;

constexpr int32_t PERFORMANCE_MODE_DISTRIBUTION = 2;  // with the selected player's passes
constexpr int32_t PERFORMANCE_MODE_WRITTEN = 6;       // the written analysis instead
constexpr int32_t PERFORMANCE_MODE_COVERAGE = 7;      // the ground covered
constexpr int32_t PERFORMANCE_MODE_FIRST = 5;
constexpr int32_t PERFORMANCE_FIGURES = 6;  // top row, then bottom row, three each
constexpr int32_t PERFORMANCE_SUBSTITUTES = 3;
constexpr int32_t PERFORMANCE_TEXT_BYTES = 100;
constexpr int16_t PERFORMANCE_EMPTY_CELL = -1;

struct PerformanceFigures {
    int16_t labels[PERFORMANCE_FIGURES];  // text numbers, -1 blank
    int32_t values[PERFORMANCE_FIGURES];
};

struct PerformanceState {
    int16_t grid[TACTIC_GRID_ROWS][TACTIC_GRID_COLUMNS];  // player 1-11, or empty
    int32_t mode;
    int32_t selected;                              // player 1-16: line-up position + 1
    int32_t side;                                  // 0 home, 1 away
    int32_t substitutes[PERFORMANCE_SUBSTITUTES];  // players 12-16 who came on, in order
    int32_t substituteCount;
    char texts[MATCH_SHIRT_COUNT][PERFORMANCE_TEXT_BYTES];  // above each player on the pitch
    char title[96];
    PerformanceFigures shown;  // the selected player's
};
extern PerformanceState Performance;  // owned by Performance

void PerformanceInit();
void PerformanceUninit();

// A player's six figures in a mode, from the figure table (his `minutes` on the pitch come from
// the event rows); a goalkeeper's are the keeper's in every mode but the coverage. The written
// analysis and the coverage show blanks.
PerformanceFigures Performance_Figures(const PlayerMatchRecord& record, int32_t mode,
                                       bool goalkeeper, int32_t minutes);
// The passes along the ground a player's record shows made to player 1-16 and completed; none
// for a number outside.
struct PerformancePasses {
    int32_t made;
    int32_t completed;
};
PerformancePasses Performance_PassesTo(const PlayerMatchRecord& from, int32_t player);
// The formation's cells of players 1-11 (a slot outside the grid is left off).
void Performance_FillGrid(const TacticsRecord& tactic);
// Players 12-16 of the side who came on, at most three, in order.
void Performance_FindSubstitutes(const LastMatchCopyRecord& copy, int32_t side);
// The coverage cell's strength in percent (0 for an empty cell): count x 100 / largest x 15 / 100,
// at least 6 for any count, then x 100 / 15.
int32_t Performance_CoverageShade(uint32_t count, uint32_t largest);

void Performance_Build();
// A click on the pitch selects the player whose formation cell is within a cell of it; 2, or 1
// when nobody stands there.
int32_t Performance_SelectAt(int32_t x, int32_t y);
int32_t Performance_SelectSubstitute(int32_t n);  // 0-2
// A drop-down row (1305, 970, 1683, 48, 610, 243, 1687, then the written analysis 2203).
int32_t Performance_ChooseRow(int32_t row);

MenuListEntry* Performance_ModePopup();
const MenuItem* Performance_Table();  // option 77
