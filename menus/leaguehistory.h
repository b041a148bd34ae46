// menus/leaguehistory.h: "Historique Championnat", a club's last ten seasons as two lines: its
// final place in the country's pyramid (white, over bands for the divisions) and its league
// average crowd (red, on a scale at the right).
#pragma once

#include <cstdint>

struct MenuItem;

constexpr int32_t LEAGUE_HISTORY_SEASONS = 10;
constexpr int32_t LEAGUE_HISTORY_LEFT = 60;
constexpr int32_t LEAGUE_HISTORY_WIDTH = 520;
constexpr int32_t LEAGUE_HISTORY_TOP = 80;
constexpr int32_t LEAGUE_HISTORY_HEIGHT = 320;
constexpr uint16_t LEAGUE_HISTORY_PLACE_COLOUR = 0xFFFF;
constexpr uint16_t LEAGUE_HISTORY_CROWD_COLOUR = 0xF800;

struct LeagueHistoryState {
    int16_t club;
    int16_t seasons;     // shown: the season counter, at most ten
    int16_t totalClubs;  // in all the country's divisions
    int16_t crowdTop;    // thousands, the highest crowd rounded up to a multiple of five
    int16_t places[LEAGUE_HISTORY_SEASONS];  // row i, i seasons before this: pyramid place + 1
    int16_t crowds[LEAGUE_HISTORY_SEASONS];  // thousands
};
extern LeagueHistoryState LeagueHistory;  // owned by LeagueHistory

void LeagueHistoryInit();
void LeagueHistoryUninit();

void LeagueHistory_Build(int32_t club);
// Where the chart puts a history row, a place (1 the top of the pyramid) and a crowd; the
// oldest season shown stands at the left.
int32_t LeagueHistory_SeasonX(int32_t row);
int32_t LeagueHistory_PlaceY(int32_t place);
int32_t LeagueHistory_CrowdY(int32_t thousands);

const MenuItem* LeagueHistory_Table();  // options 47 and 82
