// menus/miscstats.h: "Statistiques diverses", the current club's shots, corners and cards per
// league match at home and away, its own and its opponents', and the periods of the match its
// cards were shown in.
#pragma once

#include <cstdint>

#include "game/records.h"
#include "menus/statservices.h"

struct MenuItem;

enum MiscCardColumn : int32_t { MISC_BOOKINGS, MISC_SENDINGS_OFF };

struct MiscStatsState {
    int32_t club;
    // [SEASON_FOR/AGAINST][home, away][SEASON_...], hundredths per league match played there.
    int32_t averages[2][2][SEASON_COUNTERS];
    int32_t shotsScale;  // whole figures a full column shows
    int32_t cornersScale;
    int32_t cardsScale;
    int32_t cardPeriods[STATS_MINUTE_BUCKETS][2];  // [period][MISC_...] of the club's cards
    int32_t cardPeriodsScale;
};
extern MiscStatsState MiscStats;  // owned by MiscStats

void MiscStatsInit();
void MiscStatsUninit();

// The club's season counters per league match at each venue (undivided at a venue with none), its
// card log by period, and the four scales.
void MiscStats_Fill(int32_t club);

const MenuItem* MiscStats_Table();  // option 31
