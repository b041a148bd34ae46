// menus/matchanalysis.h: "Analyse du match", the players of one side of the human's last match
// with six figures of a chosen category (goalkeeping, defence, passing, attack, general,
// possession), their cards, injuries and the man of the match.
#pragma once

#include <cstdint>

#include "game/matchblocks.h"

struct MenuItem;
struct MenuListEntry;

constexpr int32_t ANALYSIS_ROWS = MATCH_SHIRT_COUNT;
constexpr int32_t ANALYSIS_COLUMNS = 6;
constexpr int32_t ANALYSIS_NO_VALUE = 0x8000;  // a column without a head
constexpr int32_t ANALYSIS_CATEGORY_GENERAL = 4;
constexpr int32_t ANALYSIS_NAME_BYTES = MATCH_TEAM_NAME_BYTES;

struct MatchAnalysisRow {
    int32_t player;  // -1 an empty row
    int32_t number;  // the shirt, 1-16
    bool tookPart;   // else every column shows "-"
    int32_t values[ANALYSIS_COLUMNS];
    int32_t bookings;  // PMR_BOOKINGS: 0 none, 1 booked, 2 two bookings, 3 sent off
    bool injured;
    bool manOfTheMatch;
};

struct MatchAnalysisState {
    int32_t side;  // 0 home, 1 away; chosen once a match, kept between visits
    int32_t category;
    int16_t heads[ANALYSIS_COLUMNS];  // text numbers, 0 none
    int16_t sideButton;               // its label's text number
    char names[2][ANALYSIS_NAME_BYTES];
    int32_t goals[2];  // -1 no match
    MatchAnalysisRow rows[ANALYSIS_ROWS];
};
extern MatchAnalysisState MatchAnalysis;  // owned by MatchAnalysis

void MatchAnalysisInit();
void MatchAnalysisUninit();

// The category the match-report flags hold (stored + 1 in bits 1-3), -1 none; setting one
// replaces those bits.
int32_t MatchAnalysis_Category();
void MatchAnalysis_SetCategory(int32_t category);

// A player's marks from `x` on the row's middle line: injured, booked (once or twice), sent off
// (a second booking or a straight red), man of the match.
void MatchAnalysis_DrawMarks(int32_t x, int32_t middle, int32_t bookings, bool injured,
                             bool manOfTheMatch);
// The longest time on the pitch of the side's players in a match of `length` minutes, cut down to
// a multiple of 30: the bound of the general category's minutes.
int32_t MatchAnalysis_MinutesBound(const LastMatchCopyRecord& copy, int32_t side, int32_t length);
// The side's rows of the kept match in one category: the players of its team sheet in shirt
// order, each with the category's six figures, his cards, injury and man-of-the-match mark.
void MatchAnalysis_FillRows(const LastMatchCopyRecord& copy, int32_t side, int32_t category);

void MatchAnalysis_Build();
// Inside the post-match sequence the other side; outside it the match report.
int32_t MatchAnalysis_SideButton();
// A drop-down row 0-5 (41 "Arrêts", 1305, 970, 1683, 610, 654 "Autres"): the list stays open for
// the category shown, else it becomes the category. Row 6, 933 "Montrer graphes", shows the
// graphs.
int32_t MatchAnalysis_ChooseRow(int32_t row);
// The graphs of the chosen category: nothing without one (1); inside the post-match sequence the
// page selector chooses them, outside `MenuOption` 61 (6).
int32_t MatchAnalysis_ShowGraphs();

MenuListEntry* MatchAnalysis_CategoryPopup();
const MenuItem* MatchAnalysis_Table();  // option 60
