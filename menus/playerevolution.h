// menus/playerevolution.h: the player-evolution screen, a chart of a squad player's eight
// abilities through his progress history to today, opened from the developer's debug screen.
#pragma once

#include <cstdint>

#include "game/playerhistory.h"

struct MenuItem;

constexpr int16_t OPTION_PLAYER_EVOLUTION = 71;
constexpr int32_t EVOLUTION_COLUMNS = PLAYER_HISTORY_POINTS + 1;  // the kept points, then today

// What the chart shows of one player: a column per kept point, oldest first, then today; each
// the eight abilities (skills 1-8) and the year of the season the point opened (0 for today).
struct EvolutionChart {
    int32_t columns;
    int16_t values[EVOLUTION_COLUMNS][PLAYER_HISTORY_SKILLS];
    int32_t years[EVOLUTION_COLUMNS];
};
EvolutionChart PlayerEvolution_Chart(int32_t player);

// The player the screen opens on: CurrentPlayer when he plays for the human's club, else the
// first of its squad (-1 when it has none).
int32_t PlayerEvolution_Player();
// The previous (-1) or next (+1) player of the human's squad, wrapping; CurrentPlayer becomes him.
int32_t PlayerEvolution_Step(int32_t direction);

const MenuItem* PlayerEvolution_Table();  // option 71
